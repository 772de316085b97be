// The main window's document life cycle: start-up, new, open, save, save
// as, the save query, the recent files and settings, dropped files, closing.
#include <exception>

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "document_rules.h"
#include "file_text.h"
#include "main_window/main_form.h"
#include "ui_services.h"

namespace korva::app_widgets {

namespace {

constexpr const char* kWordProcessorSetting = "Word Processor";

// The local files among the dropped addresses, in order.
QStringList LocalFiles(const QMimeData* data)
{
    QStringList files;
    if (data && data->hasUrls())
        for (const QUrl& url : data->urls())
            if (url.isLocalFile())
                files << url.toLocalFile();
    return files;
}

// The folder of the file becomes the current folder.
void EnterFolderOf(const std::string& path)
{
    QDir::setCurrent(QFileInfo(QString::fromStdString(path)).absolutePath());
}

} // namespace

void TMainForm::ReadSettings()
{
    widgets::ISettings& settings = *widgets::Ui().Settings;
    if (std::optional<std::string> path = settings.Read(kWordProcessorSetting); path && !path->empty())
        wordProcessorPath_ = *path;
    recentFiles_.Load([&](const std::string& name) { return settings.Read(name); });
}

void TMainForm::UpdateRegistry()
{
    widgets::ISettings& settings = *widgets::Ui().Settings;
    settings.Write(kWordProcessorSetting, wordProcessorPath_);
    recentFiles_.Save([&](const std::string& name, const std::string& value) { return settings.Write(name, value); });
}

void TMainForm::UpdatePrevFile(const std::string& path)
{
    if (recentFiles_.UpdatePrevFile(path))
        UpdateRegistry();
}

void TMainForm::FormShow(const std::optional<std::string>& commandLineArgument)
{
    ReadSettings();
    if (commandLineArgument)
        if (const std::optional<std::string> project = app::CommandLineProject(*commandLineArgument))
            OpenFileName(*project, *app::LayoutOfProjectName(*project));
    AfterOpen();
}

void TMainForm::SetModified(bool value)
{
    session_->SetModified(value);
}

bool TMainForm::IsModified()
{
    return session_->Modified() || Tables().GetChanged();
}

// What every way of opening or starting a project ends with.
void TMainForm::AfterOpen()
{
    VisibleOffshoreColumns();
    SetCaption();
    UpdatePileShapeControls();
    CheckSpeedButtons();
    GraphicsMenuClick();
}

void TMainForm::FileNewClick()
{
    if (!DeactivateActiveChild() || !SaveChangesQuery())
        return;
    session_->NewProject();
    plotLoaded_ = false;
    AfterOpen();
}

void TMainForm::FileOpenClick()
{
    if (!DeactivateActiveChild())
        return;
    if (SaveChangesQuery()) {
        widgets::TFileDialogOptions options;
        options.Title = "Open";
        options.Filters = {"KORVA 2015(*.kv7d)", "KORVA 2014(*.kv6d)", "KORVA Plus 5(*.kvd)", "All Files(*.*)"};
        options.FileMustExist = true;
        options.DefaultExtension = app::kProjectExtension;
        options.InitialDir = app::ProjectFolder(Project().FileName);
        if (const std::optional<widgets::TFileDialogResult> chosen = widgets::Ui().Files->Open(options))
            OpenFileName(chosen->FileName, chosen->FilterIndex);
    }
    UpdateRegistry();
    AfterOpen();
}

void TMainForm::OpenFileName(const std::string& path, int version)
{
    const std::string absolute = QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
    EnterFolderOf(absolute);
    try {
        session_->OpenProject(absolute, version);
    } catch (const std::exception& e) {
        // What was read cannot be trusted: the program goes on with a new project.
        widgets::Ui().Messages->Information(e.what());
        session_->NewProject();
    }
    SetCaption();
    // A project that could not be read completely is untitled: the results
    // beside the file are not its results.
    const bool tiedToFile = Project().FileName == absolute;
    plotLoaded_ = tiedToFile && PlotFileExists() && ReadPlotFile(false);
    CheckSpeedButtons();
    // The file opened, read or not: once mended it can be opened again.
    UpdatePrevFile(absolute);
}

void TMainForm::OpenRecentFile(int index)
{
    if (index < 0 || index >= recentFiles_.Count() || !DeactivateActiveChild())
        return;
    const std::string path = recentFiles_[index];
    if (!SaveChangesQuery())
        return;
    if (const std::optional<int> version = app::LayoutOfProjectName(path))
        OpenFileName(path, *version);
    AfterOpen();
}

void TMainForm::OpenDroppedFiles(const QStringList& paths)
{
    if (paths.isEmpty() || !DeactivateActiveChild() || !SaveChangesQuery())
        return;
    const std::string path = paths.front().toStdString();
    EnterFolderOf(path);
    if (const std::optional<int> version = app::LayoutOfProjectName(path))
        OpenFileName(path, *version);
    AfterOpen();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event)
{
    if (!LocalFiles(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event)
{
    const QStringList files = LocalFiles(event->mimeData());
    if (files.isEmpty())
        return;
    event->acceptProposedAction();
    // The save query and the messages of the opening wait until the drop
    // is over, so that the program that dragged is not held up.
    QTimer::singleShot(0, this, [this, files] { OpenDroppedFiles(files); });
}

bool TMainForm::FileSaveClick()
{
    return DeactivateActiveChild() && SaveFile(false);
}

bool TMainForm::FileSaveAsClick()
{
    return DeactivateActiveChild() && SaveAs(false);
}

bool TMainForm::SaveFile(bool duringRun)
{
    return app::NeedsSaveAs(Project().FileName) ? SaveAs(duringRun) : WriteProject(duringRun);
}

bool TMainForm::SaveAs(bool duringRun)
{
    const std::string& current = Project().FileName;
    widgets::TFileDialogOptions options;
    options.Title = app::SaveAsTitle(current);
    options.Filters = {"KORVA 2015(*.kv7d)", "All files (*.*)"};
    options.FileName = app::SaveAsFileName(current);
    options.InitialDir = app::ProjectFolder(current);
    options.DefaultExtension = app::kProjectExtension;
    options.OverwritePrompt = true;
    bool saved = false;
    if (const std::optional<widgets::TFileDialogResult> chosen = widgets::Ui().Files->Save(options)) {
        Project().FileName = chosen->FileName;
        SetCaption();
        saved = WriteProject(duringRun);
        UpdateRegistry();
    }
    CheckSpeedButtons();
    CloseChildWindows();
    return saved;
}

bool TMainForm::WriteProject(bool duringRun)
{
    try {
        Project().SaveToFile();
        return true;
    } catch (const std::exception& e) {
        widgets::Ui().Messages->Information(duringRun ? std::string("An error occured during saving\r") + e.what()
                                                      : std::string(e.what()));
        return false;
    }
}

bool TMainForm::SaveChangesQuery()
{
    if (!IsModified())
        return true;
    switch (widgets::Ui().Messages->YesNoCancel("Do you want to save any changes?")) {
    case widgets::TMessageAnswer::No:
        return true;
    case widgets::TMessageAnswer::Yes:
        return SaveFile(false);
    default:
        return false;
    }
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!DeactivateActiveChild() || !SaveChangesQuery()) {
        event->ignore();
        return;
    }
    UpdateRegistry();
    CloseChildWindows();
    event->accept();
}

} // namespace korva::app_widgets
