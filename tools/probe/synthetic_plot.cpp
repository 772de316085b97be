#include "synthetic_plot.h"

#include <QCoreApplication>

namespace korva::probe {

using namespace components;

namespace {

constexpr int kPointsPerLine = 20;
// Bounds of the probe's own arguments: a window and a plot a person could show.
constexpr int kMaxSyntheticLines = 1000;
constexpr int kMaxSyntheticLayers = 40;
constexpr int kMaxSide = 10000;

int Bounded(const TProbeArgs& args, const std::string& name, int value, int low, int high)
{
    if (const auto text = args.Option(name)) {
        value = args.Integer(*text);
        if (value < low || value > high)
            throw EProbeUsage(name + " must lie in " + std::to_string(low) + ".." + std::to_string(high));
    }
    return value;
}

void FillPlot(TGraphPlot& plot, const TSyntheticPlotOptions& options)
{
    plot.Caption = "Synthetic Plot";
    plot.XCaption = "Total Capacity ";
    plot.XUnits = "F1";
    plot.YCaption = "Depth ";
    plot.YUnits = "L2";
    plot.SetLineCount(options.Lines);
    plot.SetPointCount(kPointsPerLine);
    for (int k = 1; k <= options.Lines; ++k)
        for (int depth = 0; depth < kPointsPerLine; ++depth)
            plot.Point(k - 1, depth) = {k + depth / 4.0L, static_cast<Extended>(depth)};
    if (options.Hide > 0 && options.Hide <= options.Lines)
        plot.Line(options.Hide - 1)->Visible = false;

    plot.ShowLayers = options.Layers > 0;
    plot.SetLayerCount(options.Layers);
    plot.SetLayerPointCount(1);
    for (int i = 0; i < options.Layers; ++i) {
        const bool sand = i % 2 == 0;
        plot.Layer(i)->Name = sand ? " SAND " : " CLAY ";
        plot.LayerPoint(i, 0) = {sand ? 7.0L : 1.0L, (kPointsPerLine - 1) * static_cast<Extended>(i + 1) / options.Layers};
    }
}

const std::set<std::string> kSyntheticPlotOptions{"--lines", "--layers", "--size", "--hide", "--inactive"};

} // namespace

TProbeArgs ParseSyntheticPlotArgs(const std::vector<std::string>& words, TSyntheticPlotOptions& options,
                                  const std::set<std::string>& more, const std::set<std::string>& flags)
{
    std::set<std::string> valueOptions = kSyntheticPlotOptions;
    valueOptions.insert(more.begin(), more.end());
    TProbeArgs args(words, valueOptions, flags);
    options.Lines = Bounded(args, "--lines", options.Lines, 0, kMaxSyntheticLines);
    options.Layers = Bounded(args, "--layers", options.Layers, 0, kMaxSyntheticLayers);
    options.Hide = Bounded(args, "--hide", options.Hide, 0, kMaxSyntheticLines);
    options.Inactive = Bounded(args, "--inactive", options.Inactive, 0, kMaxSyntheticLines);
    if (const auto size = args.Option("--size")) {
        const auto x = size->find('x');
        if (x == std::string::npos)
            throw EProbeUsage("--size takes WIDTHxHEIGHT");
        options.Width = args.Integer(size->substr(0, x));
        options.Height = args.Integer(size->substr(x + 1));
        if (options.Width < 1 || options.Height < 1 || options.Width > kMaxSide || options.Height > kMaxSide)
            throw EProbeUsage("--size must lie in 1x1.." + std::to_string(kMaxSide) + "x" + std::to_string(kMaxSide));
    }
    return args;
}

bool HasSyntheticPlotOptions(const TProbeArgs& args)
{
    for (const std::string& name : kSyntheticPlotOptions)
        if (args.Option(name))
            return true;
    return false;
}

TSyntheticPlotWindow::TSyntheticPlotWindow(const TSyntheticPlotOptions& options)
{
    area_.resize(options.Width + 200, options.Height + 200);
    area_.show();
    FillPlot(plot_, options);
    plot_.SetHost(&host_);
    plot_.Show();
    if (options.Inactive > 0 && options.Inactive <= options.Lines) {
        // As the Active Curves dialog leaves it: the line out of the legend.
        plot_.Line(options.Inactive - 1)->Active = false;
        Form().SetLegendEntries(LegendEntries(plot_, false));
    }
    Form().SetClientSize(options.Width, options.Height);
    QCoreApplication::processEvents();
}

TSyntheticPlotWindow::~TSyntheticPlotWindow() = default;

widgets::TPlotForm& TSyntheticPlotWindow::Form()
{
    return *static_cast<widgets::TPlotForm*>(plot_.Window());
}

} // namespace korva::probe
