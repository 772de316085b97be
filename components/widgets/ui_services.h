#pragma once
// What the widgets ask of the desktop: message boxes, file choosers, the
// print dialog, opening a document or address with the desktop's default
// application, starting a program, and the settings store. Widgets reach
// them only through Ui(), so that tests and the probe put recording doubles
// in place of the real dialogs and nothing ever blocks on a modal window.
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QDialog;
class QPrinter;

namespace korva::widgets {

enum class TMessageAnswer { Ok, Yes, No, Cancel };

// The texts of the program end lines with "\r" in places; a Qt label ignores
// a lone CR, so the text shown has line feeds in their place.
std::string DisplayText(const std::string& text);

class IMessages {
public:
    virtual ~IMessages() = default;
    // Information box with an OK button (reports and errors of operations).
    virtual void Information(const std::string& text) = 0;
    // Warning box with an OK button (input checks).
    virtual void Warning(const std::string& text) = 0;
    // Confirmation with Yes and No; true for Yes.
    virtual bool YesNo(const std::string& text) = 0;
    // Yes, No and Cancel (the save query).
    virtual TMessageAnswer YesNoCancel(const std::string& text) = 0;
};

struct TFileDialogOptions {
    std::string Title;
    // Qt name filters in order, e.g. "Project Files (*.kv7d)".
    std::vector<std::string> Filters;
    int FilterIndex = 1;              // 1-based, the filter chosen at first
    std::string InitialDir;
    std::string FileName;             // proposed name
    std::string DefaultExtension;     // without the dot; appended when the name has none
    bool OverwritePrompt = false;     // save: ask before replacing a file
    bool FileMustExist = false;       // open: only existing files
};

struct TFileDialogResult {
    std::string FileName;
    int FilterIndex = 1; // 1-based index of the filter in force when confirmed
};

class IFileChooser {
public:
    virtual ~IFileChooser() = default;
    // Nothing when the user cancels.
    virtual std::optional<TFileDialogResult> Open(const TFileDialogOptions& options) = 0;
    virtual std::optional<TFileDialogResult> Save(const TFileDialogOptions& options) = 0;
};

class IPrintSetup {
public:
    virtual ~IPrintSetup() = default;
    // The print dialog for a job of this title: a printer set up with the
    // user's choices, ready for QPainter::begin, or nothing when cancelled.
    virtual std::unique_ptr<QPrinter> ChoosePrinter(const std::string& jobTitle) = 0;
};

class IDesktop {
public:
    virtual ~IDesktop() = default;
    // A file path or an address, opened with the desktop's default application.
    virtual bool OpenDocument(const std::string& pathOrAddress) = 0;
    // Starts a program detached from this one (the word processor on a file).
    virtual bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

class ISettings {
public:
    virtual ~ISettings() = default;
    // A string value of the program's settings group; nothing when absent or
    // unreadable.
    virtual std::optional<std::string> Read(const std::string& name) = 0;
    // False when the value could not be stored.
    virtual bool Write(const std::string& name, const std::string& value) = 0;
};

class IDialogRunner {
public:
    virtual ~IDialogRunner() = default;
    // Runs one of the program's own dialogs modally and returns its result
    // (QDialog::Accepted, QDialog::Rejected, or the code it closed with).
    virtual int Run(QDialog& dialog) = 0;
};

// The services in force: the program installs the real ones at start-up
// (app/main.cpp), tests and the probe the recording doubles (a library of
// their own, never linked into the program).
struct TUiServices {
    IMessages* Messages = nullptr;
    IFileChooser* Files = nullptr;
    IPrintSetup* Printers = nullptr;
    IDesktop* Desktop = nullptr;
    ISettings* Settings = nullptr;
    IDialogRunner* Dialogs = nullptr;
};

// Runs the dialog through the dialog runner in force (modally in the
// program; by a script in tests and the probe).
int RunDialog(QDialog& dialog);

// The services in force. Stops the program with a message on stderr when
// one of them is not installed.
TUiServices& Ui();

// Puts other services in force for a scope and restores the previous ones.
class TScopedUiServices {
public:
    explicit TScopedUiServices(const TUiServices& services);
    ~TScopedUiServices();
    TScopedUiServices(const TScopedUiServices&) = delete;
    TScopedUiServices& operator=(const TScopedUiServices&) = delete;

private:
    TUiServices saved_;
};

// The settings group of this version of the program.
inline constexpr const char* kSettingsOrganization = "Varnek";
inline constexpr const char* kSettingsApplication = "KORVA";
inline constexpr const char* kSettingsGroup = "2015.7.5";

} // namespace korva::widgets
