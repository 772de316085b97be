// Verbs on the plot window's outputs: the synthetic plot saved as a bitmap
// through "&Save To Disk..." and printed to a PDF file through "P&age Setup"
// and "&Print...", the dialogs answered as a user would answer them.
#include <QDialog>
#include <QPushButton>

#include "data_edit.h"
#include "page_setup_dialog.h"
#include "plot_dialogs.h"
#include "synthetic_plot.h"

namespace korva::probe {

namespace {

// Types the text into the entry, as the user does.
void Type(widgets::TDataEdit* edit, const std::string& text)
{
    edit->setText(QString::fromStdString(text));
}

bool SaveBitmap(TProbeContext& context)
{
    TSyntheticPlotOptions options;
    const TProbeArgs args = ParseSyntheticPlotArgs(context.Words, options, {"--width", "--height", "--ppi"});
    const std::string out = args.Positional(0);
    const auto width = args.Option("--width");
    const auto height = args.Option("--height");
    const auto ppi = args.Option("--ppi");

    TSyntheticPlotWindow window(options);
    context.Services.Files.Answers.push_back(widgets::TFileDialogResult{out, 1});
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
    const widgets::TPlotBitmap saved = window.Form().SaveToDiskClick();
    context.Result["width"] = saved.Width;
    context.Result["height"] = saved.Height;
    return saved.Saved;
}

bool PrintPdf(TProbeContext& context)
{
    TSyntheticPlotOptions options;
    const TProbeArgs args = ParseSyntheticPlotArgs(context.Words, options, {"--margins"});
    const std::string out = args.Positional(0);

    TSyntheticPlotWindow window(options);
    widgets::TPlotForm& form = window.Form();
    if (const auto margins = args.Option("--margins")) {
        // Four margins in thousandths of an inch, typed into the inch fields.
        std::vector<std::string> sides;
        std::size_t start = 0;
        for (std::size_t comma = margins->find(','); ; comma = margins->find(',', start)) {
            sides.push_back(margins->substr(start, comma == std::string::npos ? std::string::npos : comma - start));
            if (comma == std::string::npos)
                break;
            start = comma + 1;
        }
        if (sides.size() != 4)
            throw EProbeUsage("--margins takes LEFT,TOP,RIGHT,BOTTOM in thousandths of an inch");
        for (const std::string& side : sides)
            args.Integer(side);
        context.Services.Dialogs.Scripts.push_back([sides](QDialog& dialog) {
            auto& setup = static_cast<widgets::TPageSetupForm&>(dialog);
            for (int side = 0; side < 4; ++side)
                Type(setup.MarginEdit(side), sides[static_cast<std::size_t>(side)] + "/1000");
            setup.OkButton()->click();
        });
        if (!form.PageSetupClick())
            return false;
    }
    context.Services.Printers.PdfPath = out;
    const widgets::TPlotPrint printed = form.PrintClick();
    context.Result["pages"] = printed.Pages;
    return printed.Printed;
}

const TVerbRegistration saveBitmapVerb{
    {"save-bitmap",
     "OUT.bmp [--width IN] [--height IN] [--ppi N] [--lines N] [--layers M] [--size WxH] [--hide K] [--inactive K]",
     &SaveBitmap}};
const TVerbRegistration printPdfVerb{
    {"print-pdf", "OUT.pdf [--margins L,T,R,B] [--lines N] [--layers M] [--size WxH] [--hide K] [--inactive K]",
     &PrintPdf}};

} // namespace

} // namespace korva::probe
