// The analysis run of the main window: save, check, hand the project to the
// engine library and bring the results back.
#include <cstdio>
#include <exception>

#include <QFileInfo>

#include "file_text.h"
#include "number_format.h"
#include "main_window/main_form.h"
#include "run_sequence.h"
#include "ui_services.h"
#include "validate_input.h"
#include "wait_cursor.h"

namespace korva::app_widgets {

namespace {

// Clears a flag on every path out of a scope.
class TFlagScope {
public:
    explicit TFlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~TFlagScope() { flag_ = false; }
    TFlagScope(const TFlagScope&) = delete;
    TFlagScope& operator=(const TFlagScope&) = delete;

private:
    bool& flag_;
};

void Inform(const std::string& text)
{
    widgets::Ui().Messages->Information(text);
}

} // namespace

bool TMainForm::ValidateInput()
{
    return app::ValidateInput(Project(), Tables(),
                              [](const std::string& text) { widgets::Ui().Messages->Warning(text); });
}

bool TMainForm::PlotFileExists() const
{
    return QFileInfo::exists(QString::fromStdString(app::ChangeFileExt(session_->Project().FileName, ".kv7p")));
}

bool TMainForm::ReadPlotFile(bool showErrors)
{
    if (!Results.ReadPlotFile)
        return false;
    try {
        return Results.ReadPlotFile(app::ChangeFileExt(Project().FileName, ".kv7p"), showErrors);
    } catch (const std::exception& e) {
        Inform(e.what());
        return false;
    }
}

void TMainForm::CompRunClick()
{
    if (running_) {
        Inform("Attempt to reinitialize DLL");
        return;
    }
    const TFlagScope running(running_);
    // Every number written for the engine has "." as its decimal separator.
    const components::ScopedDecimalSeparator dot('.');
    if (!DeactivateActiveChild())
        return;
    // The engine reads the project from its file: a run never goes on with a
    // file that was not saved.
    if (!SaveFile(true) || Project().FileName == app::kNewProjectFileName || !ValidateInput())
        return;

    const app::THandOffFiles files = app::HandOffFilesOf(Project().FileName);
    app::TEngineRunOptions options;
    options.LibraryPath = engineLibraryPath_;
    int status = -1;
    const app::TEngineRunResult run = app::RunEngine(files, options, [&](app::TEngineEntry entry) {
        // The results of an earlier run never stand for this one, nor the
        // wave-equation file made from them.
        std::remove(files.PlotData.c_str());
        Project().RemoveWaveEquationFile();
        plotLoaded_ = false;
        const widgets::TWaitCursor wait;
        status = entry(app::kEngineCallValue);
    });
    switch (run.Failure) {
    case app::TEngineRunFailure::None:
        break;
    case app::TEngineRunFailure::PathRefused:
        Inform("The project cannot be handed over to the analysis: its path \"" + Project().FileName +
               "\" holds a line break or ends in a blank. Please save it under another name.");
        return;
    case app::TEngineRunFailure::LibraryNotLoaded:
    case app::TEngineRunFailure::NoEntryPoint:
        Inform("Attempt to initialize DLL failed");
        return;
    default: // without names.dat the engine would ask for the files on a console
        Inform("An error occured while writing file names\r" + run.Problem);
        return;
    }
    lastRunStatus_ = status;
    // A report that could not be written leaves an earlier run's in its
    // place, which must not pass for this run's.
    if (run.Report == app::TReportState::Written)
        Inform("Computations are completed. Please, check output file for results or error messages.");
    else
        Inform(app::ReportNotWrittenMessage(files.Report, run.Report));
    plotLoaded_ = PlotFileExists() && ReadPlotFile(true);
    if (plotLoaded_ && Results.WriteWaveEquationFile) {
        try {
            Results.WriteWaveEquationFile();
        } catch (const std::exception& e) {
            Inform(e.what());
        }
    }
    CheckSpeedButtons();
    CloseChildWindows();
}

} // namespace korva::app_widgets
