#pragma once
// TMainForm: the main window. It owns the open project (a TProjectSession:
// the project object, the grid tables, the CPT points, the modified state),
// the menus and the tool bar, the child windows in a QMdiArea, the document
// life cycle (new, open, save, save as, the save query, recent files,
// settings), the analysis run and the word processor.
//
// Child windows: see child_windows.h for adding one and
// dialogs/input_dialog.h for the pattern of the input dialogs. The main
// window runs the activation protocol: when another child becomes active,
// the one left stores its values (or, with an invalid focused field, takes
// the activation back and stores nothing), and the new one loads; before a
// menu opens, a tool button acts, a dialog is shown, a save or a run, the
// active child stores (DeactivateActiveChild), and the action stops when it
// refuses.
//
// The result plots are reached through the seams in Results, which the
// result views (views/result_views.h) fill: a seam left empty keeps its
// Graphics entries and tool buttons disabled (tests put doubles there).
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QMainWindow>
#include <QPointer>

#include "main_window/child_windows.h"
#include "project_session.h"
#include "recent_files.h"

class QAction;
class QActionGroup;
class QMdiArea;
class QMdiSubWindow;
class QMenu;

namespace korva::app_widgets {

class TAboutBox;
class TInputDialog;
class TResultViews;

// What the result plots give the main window; each is empty until the plots
// exist, and the main window then does without.
struct TResultSeams {
    // Reads the plot data file into the result plots; true when it was read.
    // With showErrors a failure is reported to the user.
    std::function<bool(const std::string& plotFile, bool showErrors)> ReadPlotFile;
    // Writes the wave-equation input file of the project; raises on failure.
    std::function<void()> WriteWaveEquationFile;
    // Shows result plot `number` (app::TResultPlot: 1-10 in the Graphics
    // menu's order).
    std::function<void(int number)> ShowPlot;
    // Opens the export of the plots to a workbook.
    std::function<void()> ExportPlots;
};

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    explicit TMainForm(QWidget* parent = nullptr);
    ~TMainForm() override;

    // First showing: the settings, then the project named by the command-line
    // argument (when given and present) or a new one, the offshore columns,
    // the caption and the pile-shape entries.
    void FormShow(const std::optional<std::string>& commandLineArgument = std::nullopt);

    // The open project.
    app::TProjectSession& Session() { return *session_; }
    app::TProgramData& Project() { return session_->Project(); }
    app::TProjectTables& Tables() { return session_->Tables(); }
    // Every edit sets it; load, new and save clear it (the tables' changed
    // flags too).
    void SetModified(bool value);
    // Modified, or a grid table reports a change.
    bool IsModified();

    // File menu.
    void FileNewClick();
    void FileOpenClick();
    // Save; true when the project was written.
    bool FileSaveClick();
    bool FileSaveAsClick();
    // True to go on (nothing to save, "No", or a save that succeeded);
    // false for "Cancel" or a save that did not happen.
    bool SaveChangesQuery();
    // Opens the project file in the layout `version` (a TProjectFileVersion):
    // the new project is made before the old one goes. A file that could not
    // be read completely gives an untitled project: Save, Save As and Run ask
    // for a name first, in the file's folder (the current folder).
    void OpenFileName(const std::string& path, int version);
    // Opens entry `index` of the recent-file list, as its File menu entry does.
    void OpenRecentFile(int index);
    // Opens the first of the dropped files, as a recent-file entry.
    void OpenDroppedFiles(const QStringList& paths);
    const app::TRecentFiles& RecentFiles() const { return recentFiles_; }
    // Puts path on top of the recent files and writes the settings when the
    // list changed.
    void UpdatePrevFile(const std::string& path);
    // Writes the word processor and the recent files to the settings store.
    void UpdateRegistry();
    void SetCaption();

    // Computation menu.
    void CompRunClick();
    // The checks before a run, each failure shown as a warning.
    bool ValidateInput();
    // The engine's status of the last run that called it.
    std::optional<int> LastRunStatus() const { return lastRunStatus_; }
    // The engine library (default: beside the program).
    void SetEngineLibraryPath(const std::string& path) { engineLibraryPath_ = path; }
    bool PlotLoaded() const { return plotLoaded_; }
    TResultSeams Results;
    // The result plots' windows, the export and the CPT profile view.
    TResultViews& ResultViews() const { return *resultViews_; }
    // Shows the CPT points of the project (MotionInput) in their plot window.
    void ShowCPTProfile();

    // Word processor: the program that opens the project's text files.
    const std::string& WordProcessorPath() const { return wordProcessorPath_; }
    void SetWordProcessorPath(const std::string& path) { wordProcessorPath_ = path; }
    void OpenInWordProcessor(const std::string& file);

    // Child windows.
    // Creates the window of kind when its created flag is clear, and brings
    // it to the front; nullptr when the kind has no window yet or the active
    // child refused to store.
    QWidget* ShowChild(TChildKind kind);
    // The window of kind while it exists (its created flag), else nullptr.
    QWidget* Child(TChildKind kind) const;
    template <class Window>
    Window* ChildAs(TChildKind kind) const
    {
        return qobject_cast<Window*>(Child(kind));
    }
    // Replaces the factory of a kind (tests and the probe).
    void SetChildFactory(TChildKind kind, TChildFactory factory);
    // The active child stores its values; false when it refused.
    bool DeactivateActiveChild();
    // Closes every child window in the order of the child list; a child
    // that refuses is closed without storing.
    void CloseChildWindows();
    // Frees the window of kind without storing and clears its flag.
    void FreeChild(TChildKind kind);
    QMdiArea* MdiArea() const { return mdiArea_; }

    // The circular-section entries for a circular section, the noncircular
    // ones otherwise; the property dialog of the other shape is freed.
    void UpdatePileShapeControls();
    // The columns of the soil tables that the project's choices show, and
    // their open windows reopened.
    void VisibleOffshoreColumns();
    // The result tool buttons: enabled when the plots hold the data of the
    // project's plot data file.
    void CheckSpeedButtons();

    // Help menu.
    void HelpContentsClick();
    void UsersManualClick();
    void TechnicalManualClick();
    void AboutClick();
    void CheckForUpdatesClick();
    TAboutBox& AboutBox() const { return *aboutBox_; }

    // The actions of the menus and the tool bar, for the dialogs that enable
    // them, the result plots, tests and the probe.
    struct TActions {
        QAction* FileNew = nullptr;
        QAction* FileOpen = nullptr;
        QAction* FileSave = nullptr;
        QAction* FileSaveAs = nullptr;
        std::array<QAction*, app::TRecentFiles::kCapacity> RecentFiles{};
        QAction* RecentSeparator = nullptr;
        QAction* Exit = nullptr;
        std::array<QAction*, kChildKindCount> Children{}; // the entries opening child windows
        QAction* CircularSectionButton = nullptr;
        QAction* NoncircularSectionButton = nullptr;
        QAction* EnglishUnits = nullptr;
        QAction* SiUnits = nullptr;
        QAction* Run = nullptr;
        QAction* EditInputText = nullptr;
        QAction* EditRunNotes = nullptr;
        QAction* EditOutputText = nullptr;
        QAction* ViewOutputButton = nullptr;
        QAction* EditWaveEquationFile = nullptr;
        std::array<QAction*, app::kResultPlotCount> Plots{}; // by plot number - 1
        QAction* ExportPlots = nullptr;
        // Tool buttons: Total Capacity, Combined Plot, t-z Curves, Load vs. Settlement.
        std::array<QAction*, 4> PlotButtons{};
        QAction* Cascade = nullptr;
        QAction* ArrangeIcons = nullptr;
        QAction* HelpContents = nullptr;
        QAction* UsersManual = nullptr;
        QAction* TechnicalManual = nullptr;
        QAction* About = nullptr;
        QAction* CheckForUpdates = nullptr;
    };
    const TActions& Actions() const { return actions_; }
    struct TMenus {
        QMenu* File = nullptr;
        QMenu* Data = nullptr;
        QMenu* Options = nullptr;
        QMenu* Units = nullptr;
        QMenu* Computation = nullptr;
        QMenu* Graphics = nullptr;
        QMenu* Window = nullptr;
        QMenu* Help = nullptr;
    };
    const TMenus& Menus() const { return menus_; }

    // What opening each menu does (the menus call them; tests may too).
    void FileMenuClick();
    void UnitsMenuClick();
    void OptionsMenuClick();
    void ComputationMenuClick();
    void GraphicsMenuClick();
    void WindowMenuClick();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct TChildSlot {
        QPointer<QMdiSubWindow> Window; // the created flag
        TChildFactory Factory = nullptr;
    };

    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    void ReadSettings();
    void OnSubWindowActivated(QMdiSubWindow* window);
    void OnChildClosed(QMdiSubWindow* window);
    TInputDialog* InputDialogOf(QMdiSubWindow* window) const;
    void RefreshUnitDialogs();
    void SetUnitsClick(int units);
    void ArrangeIcons();
    void AfterOpen();
    // Save as File Save does (through Save As when the project needs a
    // name); a failure is reported, during a run as the run reports it.
    bool SaveFile(bool duringRun);
    bool SaveAs(bool duringRun);
    bool WriteProject(bool duringRun);
    void SwitchActiveChild(QMdiSubWindow* target);
    bool PlotFileExists() const;
    bool ReadPlotFile(bool showErrors);
    void StartWordProcessorOn(const std::string& file);
    void OpenProgramFile(const char* name);

    std::unique_ptr<app::TProjectSession> session_;
    QMdiArea* mdiArea_ = nullptr;
    std::unique_ptr<TResultViews> resultViews_;
    TAboutBox* aboutBox_ = nullptr;
    TActions actions_;
    TMenus menus_;
    QActionGroup* unitsGroup_ = nullptr;
    QAction* windowSeparator_ = nullptr;
    std::array<TChildSlot, kChildKindCount> children_;
    QPointer<QMdiSubWindow> activeChild_;
    bool activating_ = false;
    bool refusing_ = false;
    app::TRecentFiles recentFiles_;
    std::string wordProcessorPath_;
    std::string engineLibraryPath_;
    bool plotLoaded_ = false;
    bool running_ = false;
    std::optional<int> lastRunStatus_;
};

} // namespace korva::app_widgets
