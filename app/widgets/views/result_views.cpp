#include "views/result_views.h"

#include <exception>

#include "dialogs/export_dialog.h"
#include "document_rules.h"
#include "main_window/main_form.h"
#include "result_plots.h"
#include "ui_services.h"

namespace korva::app_widgets {

TResultViews::TResultViews(TMainForm& main)
    : main_(main), host_(*main.MdiArea(), [&main] { return app::ProjectFolder(main.Project().FileName); })
{
    app::TProjectSession& session = main.Session();
    session.ResultPlots().SetHost(&host_);
    session.CptPoints().MotionInput().SetHost(&host_);

    TResultSeams& seams = main.Results;
    seams.ReadPlotFile = [&main](const std::string& plotFile, bool showErrors) {
        return app::ReadPlotFile(main.Session().ResultPlots(), main.Project(), plotFile, showErrors);
    };
    seams.WriteWaveEquationFile = [&main] { main.Project().WriteWaveEquationFile(); };
    seams.ShowPlot = [this](int number) { ShowPlot(number); };
    seams.ExportPlots = [this] { ExportPlots(); };
}

TResultViews::~TResultViews()
{
    // The plots outlive this host: they make no window after it.
    app::TProjectSession& session = main_.Session();
    session.ResultPlots().SetHost(nullptr);
    session.CptPoints().MotionInput().SetHost(nullptr);
}

void TResultViews::Show(components::TGraphPlot& plot)
{
    try {
        plot.Show();
    } catch (const std::exception& e) {
        widgets::Ui().Messages->Information(e.what());
    }
}

void TResultViews::ShowPlot(int number)
{
    if (components::TGraphPlot* plot = main_.Session().ResultPlots().Plot(number))
        Show(*plot);
}

void TResultViews::ShowCPTProfile()
{
    Show(main_.Session().CptPoints().MotionInput());
}

void TResultViews::ExportPlots()
{
    TDlgExport dialog(main_);
    dialog.FormActivate();
    widgets::RunDialog(dialog);
}

} // namespace korva::app_widgets
