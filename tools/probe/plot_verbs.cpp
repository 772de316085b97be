// Verbs on the plot window: the synthetic plot rendered as the window shows it.
#include <QImage>
#include <QJsonArray>
#include <QPixmap>

#include "plot_geometry.h"
#include "synthetic_plot.h"

namespace korva::probe {

namespace {

using namespace components;

QJsonArray JsonNumbers(const std::vector<Extended>& values)
{
    QJsonArray array;
    for (const Extended value : values)
        array.append(static_cast<double>(value));
    return array;
}

bool RenderSynthetic(TProbeContext& context)
{
    TSyntheticPlotOptions options;
    const TProbeArgs args = ParseSyntheticPlotArgs(context.Words, options);
    const std::string out = args.Positional(0);

    TSyntheticPlotWindow window(options);
    widgets::TPlotForm& form = window.Form();
    const QImage image = form.Canvas()->grab().toImage();
    const bool saved = image.save(QString::fromStdString(out), "PNG");
    if (!saved)
        widgets::Ui().Messages->Information("Cannot write " + out);

    const TPlotView& view = form.View();
    const TPixelRect& r = view.Layout.Plot;
    const TPlotRange& range = view.CurrentRange[0];
    const widgets::TPlotPaint& paint = form.LastPaint();
    context.Result["size"] = QJsonArray{image.width(), image.height()};
    context.Result["painted"] = paint.Painted;
    context.Result["plot_rect"] = QJsonArray{r.Left, r.Top, r.Right, r.Bottom};
    context.Result["x_range"] = JsonNumbers({range.XMin, range.XMax});
    context.Result["y_range"] = JsonNumbers({range.YMin, range.YMax});
    QJsonArray colors;
    if (!paint.Areas.empty()) {
        context.Result["x_ticks"] = JsonNumbers(paint.Areas[0].XLabels);
        context.Result["y_ticks"] = JsonNumbers(paint.Areas[0].YLabels);
        for (const TCurveStyle& curve : paint.Areas[0].Curves)
            colors.append(QString::fromStdString(ColorText(PlotColor(curve.ColorIndex))));
    } else {
        context.Result["x_ticks"] = QJsonArray{};
        context.Result["y_ticks"] = QJsonArray{};
    }
    context.Result["colors"] = colors;
    return saved;
}

const TVerbRegistration renderVerb{
    {"render-synthetic", "OUT.png [--lines N] [--layers M] [--size WxH] [--hide K] [--inactive K]", &RenderSynthetic}};

} // namespace

} // namespace korva::probe
