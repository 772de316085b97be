// Verbs of the result plots: a project opened in the main window as the
// command line opens it (its plot data file read into the plots), then a
// Graphics entry, the export dialog or the run's wave-equation file.
#include <algorithm>
#include <filesystem>
#include <memory>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QJsonArray>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "dialogs/export_dialog.h"
#include "main_window/main_form.h"
#include "plot_form.h"
#include "probe.h"
#include "result_plots.h"

namespace korva::probe {

namespace {

using app_widgets::TMainForm;

// Paths of the arguments are taken before the project's folder is made current.
std::string Absolute(const std::string& path)
{
    return std::filesystem::absolute(path).string();
}

// The Graphics menu's plot entries as it opens.
QJsonArray GraphicsEnabled(TMainForm& form)
{
    form.GraphicsMenuClick();
    QJsonArray enabled;
    for (QAction* plot : form.Actions().Plots)
        enabled.append(plot->isEnabled());
    return enabled;
}

// render-plot PROJECT PLOT OUT.png: plot PLOT opened from its menu entry and
// its window saved as a picture.
bool RenderPlot(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const int number = ResultPlotNumber(args, args.Positional(1));
    const std::string out = Absolute(args.Positional(2));
    if (!SparesInputs(ProjectInputs(Absolute(args.Positional(0))), {out}))
        return false;
    const std::unique_ptr<TMainForm> form = OpenMainWindow(context, args.Positional(0));
    if (!form)
        return false;
    widgets::TPlotForm* window = ShowResultPlot(context, *form, number);
    if (!window)
        return false;
    const QImage image = window->Canvas()->grab().toImage();
    const bool saved = image.save(QString::fromStdString(out), "PNG");
    if (!saved)
        widgets::Ui().Messages->Information("Cannot write " + out);
    context.Result["size"] = QJsonArray{image.width(), image.height()};
    return saved;
}

// export-xlsx PROJECT OUT.xlsx [--plots i,j,...]: the export dialog with the
// plots given (numbers 1-10 of its list; default every plot it offers)
// ticked, "Generate Excel File" and OUT.xlsx chosen.
bool ExportXlsx(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {"--plots"});
    const std::string out = Absolute(args.Positional(1));
    std::vector<int> wanted;
    if (const std::optional<std::string> list = args.Option("--plots"))
        for (const std::string& part : Split(*list, ',')) {
            const int number = args.Integer(part);
            if (number < 1 || number > app::kResultPlotCount)
                throw EProbeUsage("plot numbers are 1 to 10");
            wanted.push_back(number);
        }
    if (!SparesInputs(ProjectInputs(Absolute(args.Positional(0))), {out}))
        return false;
    const std::unique_ptr<TMainForm> form = OpenMainWindow(context, args.Positional(0));
    if (!form)
        return false;
    app_widgets::TDlgExport dialog(*form);
    dialog.FormActivate();
    // "Select All" first, then the plots not asked for unticked by hand.
    dialog.Button1Click();
    QListWidget& list = *dialog.CheckListBoxPlots();
    QJsonArray exported;
    QJsonArray unavailable;
    for (int row = 0; row < list.count(); ++row) {
        const int number = row + 1;
        const bool asked = wanted.empty() || std::find(wanted.begin(), wanted.end(), number) != wanted.end();
        const bool offered = (list.item(row)->flags() & Qt::ItemIsEnabled) != 0;
        if (!asked)
            list.item(row)->setCheckState(Qt::Unchecked);
        else if (offered)
            exported.append(list.item(row)->text());
        else if (!wanted.empty())
            unavailable.append(number);
    }
    context.Result["plots"] = exported;
    context.Result["unavailable"] = unavailable;
    if (!dialog.GenerateButton()->isEnabled() || dialog.GetNPlots() == 0)
        return false;
    context.Services.Files.Answers.push_back(widgets::TFileDialogResult{out, 1});
    const bool written = dialog.Button3Click();
    context.Result["status"] = dialog.StatusLine()->text();
    if (written)
        context.Result["file"] = QString::fromStdString(dialog.WorkbookPath());
    return written && unavailable.isEmpty();
}

// gwi PROJECT: the wave-equation file written from the project's plot data
// file, as the run writes it after reading the plots.
bool Gwi(TProbeContext& context)
{
    const TProbeArgs args(context.Words, {});
    const std::unique_ptr<TMainForm> form = OpenMainWindow(context, args.Positional(0));
    if (!form)
        return false;
    if (!form->PlotLoaded() || !form->Results.WriteWaveEquationFile)
        return false;
    form->Results.WriteWaveEquationFile();
    const std::string& file = form->Project().WaveFileName;
    if (file.empty() || !std::filesystem::exists(file))
        return false;
    context.Result["file"] = QString::fromStdString(file);
    context.Result["points"] = form->Project().ResultPointCount;
    return true;
}

const TVerbRegistration renderPlotVerb{{"render-plot", "PROJECT PLOT OUT.png", &RenderPlot}};
const TVerbRegistration exportVerb{{"export-xlsx", "PROJECT OUT.xlsx [--plots i,j,...]", &ExportXlsx}};
const TVerbRegistration gwiVerb{{"gwi", "PROJECT", &Gwi}};

} // namespace

int ResultPlotNumber(const TProbeArgs& args, const std::string& text)
{
    const int number = args.Integer(text);
    if (number < 1 || number > app::kResultPlotCount)
        throw EProbeUsage("PLOT must be 1 to 10");
    return number;
}

widgets::TPlotForm* ShowResultPlot(TProbeContext& context, TMainForm& form, int number)
{
    const QJsonArray enabled = GraphicsEnabled(form);
    context.Result["enabled"] = enabled;
    components::TGraphPlot& plot = *form.Session().ResultPlots().Plot(number);
    std::vector<std::string> lines;
    for (int i = 0; i < plot.LineCount(); ++i)
        lines.push_back(plot.Line(i)->GetName());
    context.Result["lines"] = JsonStrings(lines);
    context.Result["caption"] = QString::fromStdString(plot.Caption);
    if (!enabled[number - 1].toBool())
        return nullptr; // the entry cannot be chosen
    form.Actions().Plots[static_cast<std::size_t>(number - 1)]->trigger();
    QApplication::processEvents();
    return dynamic_cast<widgets::TPlotForm*>(plot.Window());
}

} // namespace korva::probe
