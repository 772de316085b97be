#pragma once
// The real services of the desktop: Qt's message boxes, file dialogs and
// print dialog, QDesktopServices, QProcess and QSettings.
#include "ui_services.h"

namespace korva::widgets {

class TQtMessages final : public IMessages {
public:
    void Information(const std::string& text) override;
    void Warning(const std::string& text) override;
    bool YesNo(const std::string& text) override;
    TMessageAnswer YesNoCancel(const std::string& text) override;
};

class TQtFileChooser final : public IFileChooser {
public:
    std::optional<TFileDialogResult> Open(const TFileDialogOptions& options) override;
    std::optional<TFileDialogResult> Save(const TFileDialogOptions& options) override;
};

class TQtPrintSetup final : public IPrintSetup {
public:
    std::unique_ptr<QPrinter> ChoosePrinter(const std::string& jobTitle) override;
};

class TQtDesktop final : public IDesktop {
public:
    bool OpenDocument(const std::string& pathOrAddress) override;
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;
};

class TQtDialogs final : public IDialogRunner {
public:
    int Run(QDialog& dialog) override;
};

// QSettings in the INI file Varnek/KORVA.conf of the user's configuration
// folder, group "2015.7.5". The folder is looked up at every access, so that
// XDG_CONFIG_HOME moves it (Qt caches its own default paths per process).
class TQtSettings final : public ISettings {
public:
    std::optional<std::string> Read(const std::string& name) override;
    bool Write(const std::string& name, const std::string& value) override;
};

// All of them, as the application installs them.
struct TQtServices {
    TQtMessages Messages;
    TQtFileChooser Files;
    TQtPrintSetup Printers;
    TQtDesktop Desktop;
    TQtSettings Settings;
    TQtDialogs Dialogs;
    TUiServices Services() { return {&Messages, &Files, &Printers, &Desktop, &Settings, &Dialogs}; }
};

} // namespace korva::widgets
