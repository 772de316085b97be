// Verbs on the plot window's outputs: a plot saved as a bitmap through
// "&Save To Disk..." and printed to a PDF file through "P&age Setup" and
// "&Print...", the dialogs answered as a user would answer them. The plot is
// the synthetic one (OUT alone, with its options), or a project's result
// plot after a run (PROJECT PLOT OUT: the project opened in the main window,
// the plot from its Graphics entry).
#include <filesystem>
#include <memory>

#include <QDialog>
#include <QJsonArray>
#include <QJsonObject>
#include <QPushButton>

#include "data_edit.h"
#include "document_rules.h"
#include "main_window/main_form.h"
#include "page_setup_dialog.h"
#include "plot_dialogs.h"
#include "synthetic_plot.h"

namespace korva::probe {

namespace {

using namespace components;

// Types the text into the entry, as the user does.
void Type(widgets::TDataEdit* edit, const std::string& text)
{
    edit->setText(QString::fromStdString(text));
}

// The plot an output verb draws and what holds its window.
class TOutputPlot {
public:
    // OUT, or PROJECT PLOT OUT, with the verb's own value options.
    TOutputPlot(TProbeContext& context, const std::set<std::string>& verbOptions)
        : args_(ParseSyntheticPlotArgs(context.Words, options_, verbOptions, {"--soil-layers"}))
    {
        if (args_.PositionalCount() == 1) {
            if (args_.Flag("--soil-layers"))
                throw EProbeUsage("--soil-layers is for a project's plot (the synthetic one takes --layers M)");
            // A project alone is the other form cut short, not an output.
            if (app::LayoutOfProjectName(args_.Positional(0)))
                throw EProbeUsage("a project's plot takes PROJECT PLOT OUT");
            out_ = std::filesystem::absolute(args_.Positional(0)).string();
            return;
        }
        if (args_.PositionalCount() != 3)
            throw EProbeUsage("give OUT, or PROJECT PLOT OUT");
        if (HasSyntheticPlotOptions(args_))
            throw EProbeUsage("--lines, --layers, --size, --hide and --inactive are for the synthetic plot");
        showLayers_ = args_.Flag("--soil-layers");
        project_ = std::filesystem::absolute(args_.Positional(0)).string();
        number_ = ResultPlotNumber(args_, args_.Positional(1));
        out_ = std::filesystem::absolute(args_.Positional(2)).string();
    }

    const TProbeArgs& Args() const { return args_; }
    const std::string& Out() const { return out_; }

    // The plot's window; nullptr when OUT is a file the verb reads, the
    // project cannot be opened or the plot's entry cannot be chosen.
    widgets::TPlotForm* Show(TProbeContext& context)
    {
        if (project_.empty()) {
            synthetic_ = std::make_unique<TSyntheticPlotWindow>(options_);
            return &synthetic_->Form();
        }
        if (!SparesInputs(ProjectInputs(project_), {out_}))
            return nullptr;
        main_ = OpenMainWindow(context, project_);
        widgets::TPlotForm* form = main_ ? ShowResultPlot(context, *main_, number_) : nullptr;
        if (form && showLayers_ && form->Plot()->LayerCount() > 0 && !form->Plot()->ShowLayers)
            form->MenuAction(components::pmShowSoilLayer)->trigger();
        return form;
    }

private:
    TSyntheticPlotOptions options_;
    TProbeArgs args_;
    std::string out_;
    std::string project_;
    int number_ = 0;
    bool showLayers_ = false;
    std::unique_ptr<TSyntheticPlotWindow> synthetic_;
    std::unique_ptr<app_widgets::TMainForm> main_;
};

QJsonArray PointJson(TPixelPoint p, TPixelPoint origin)
{
    return QJsonArray{p.X + origin.X, p.Y + origin.Y};
}

QJsonArray RectJson(const TPixelRect& r, TPixelPoint origin)
{
    return QJsonArray{r.Left + origin.X, r.Top + origin.Y, r.Right + origin.X, r.Bottom + origin.Y};
}

// What was drawn, in pixels of the page or bitmap (`origin` is the drawing's
// top-left there): "plot_rect" (the axes box's lines), "layer_column" (with
// the soil layers; right and bottom one past), and "ticks", one entry per
// tick label drawn: "axis" (x or y), "text", "tick" (where its tick meets
// the box) and "label" (the text's box, left, top, right, bottom; right and
// bottom one past).
void PaintJson(QJsonObject& result, const TPlotLayout& layout, const widgets::TPlotPaint& paint, TPixelPoint origin,
               bool layers)
{
    result["plot_rect"] = RectJson(layout.Plot, origin);
    if (layers)
        result["layer_column"] = RectJson(layout.LayerColumn, origin);
    QJsonArray ticks;
    for (const widgets::TAreaPaint& area : paint.Areas)
        for (const TTickLabel& label : area.Labels)
            ticks.append(QJsonObject{{"axis", label.Axis == TPlotAxis::X ? "x" : "y"},
                                     {"text", QString::fromStdString(label.Text)},
                                     {"tick", PointJson(label.Tick, origin)},
                                     {"label", RectJson(label.Cell, origin)}});
    result["ticks"] = ticks;
    result["resolution"] = QJsonArray{layout.PixelsX, layout.PixelsY};
}

bool SaveBitmap(TProbeContext& context)
{
    TOutputPlot plot(context, {"--width", "--height", "--ppi"});
    const auto width = plot.Args().Option("--width");
    const auto height = plot.Args().Option("--height");
    const auto ppi = plot.Args().Option("--ppi");
    widgets::TPlotForm* form = plot.Show(context);
    if (!form)
        return false;

    context.Services.Files.Answers.push_back(widgets::TFileDialogResult{plot.Out(), 1});
    context.Services.Dialogs.Scripts.push_back([&](QDialog& dialog) {
        auto& attributes = static_cast<widgets::TdlgFormat&>(dialog);
        if (height)
            Type(attributes.HeightEdit(), *height);
        if (width)
            Type(attributes.WidthEdit(), *width);
        if (ppi)
            Type(attributes.PixelsEdit(), *ppi);
        attributes.OkButton()->click();
    });
    const widgets::TPlotBitmap saved = form->SaveToDiskClick();
    context.Result["width"] = saved.Width;
    context.Result["height"] = saved.Height;
    if (saved.Saved)
        PaintJson(context.Result, saved.Layout, saved.Paint, {0, 0}, form->Plot()->ShowLayers);
    return saved.Saved;
}

// Four margins in thousandths of an inch, LEFT,TOP,RIGHT,BOTTOM.
std::vector<std::string> MarginsArgument(const TProbeArgs& args, const std::string& margins)
{
    const std::vector<std::string> sides = Split(margins, ',');
    if (sides.size() != 4)
        throw EProbeUsage("--margins takes LEFT,TOP,RIGHT,BOTTOM in thousandths of an inch");
    for (const std::string& side : sides)
        args.Integer(side);
    return sides;
}

bool PrintPdf(TProbeContext& context)
{
    TOutputPlot plot(context, {"--margins"});
    std::vector<std::string> sides;
    if (const auto margins = plot.Args().Option("--margins"))
        sides = MarginsArgument(plot.Args(), *margins);
    widgets::TPlotForm* form = plot.Show(context);
    if (!form)
        return false;

    if (!sides.empty()) {
        // Typed into the page setup's inch fields.
        context.Services.Dialogs.Scripts.push_back([sides](QDialog& dialog) {
            auto& setup = static_cast<widgets::TPageSetupForm&>(dialog);
            for (int side = 0; side < 4; ++side)
                Type(setup.MarginEdit(side), sides[static_cast<std::size_t>(side)] + "/1000");
            setup.OkButton()->click();
        });
        if (!form->PageSetupClick())
            return false;
    }
    context.Services.Printers.PdfPath = plot.Out();
    const widgets::TPlotPrint printed = form->PrintClick();
    context.Result["pages"] = printed.Pages;
    if (printed.Printed)
        PaintJson(context.Result, printed.Layout, printed.Paint, printed.PrintableOrigin, form->Plot()->ShowLayers);
    return printed.Printed;
}

const TVerbRegistration saveBitmapVerb{
    {"save-bitmap",
     "OUT.bmp [--width IN] [--height IN] [--ppi N] [--lines N] [--layers M] [--size WxH] [--hide K] [--inactive K]"
     "  |  PROJECT PLOT OUT.bmp [--width IN] [--height IN] [--ppi N] [--soil-layers]",
     &SaveBitmap}};
const TVerbRegistration printPdfVerb{
    {"print-pdf",
     "OUT.pdf [--margins L,T,R,B] [--lines N] [--layers M] [--size WxH] [--hide K] [--inactive K]"
     "  |  PROJECT PLOT OUT.pdf [--margins L,T,R,B] [--soil-layers]",
     &PrintPdf}};

} // namespace

} // namespace korva::probe
