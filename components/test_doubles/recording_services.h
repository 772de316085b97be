#pragma once
// Recording doubles of the desktop services for tests and the probe: every
// message, chooser, print and desktop call is recorded, and answered from a
// script (or a default) without showing anything. The program never links
// them (a test runs nm on it).
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "ui_services.h"

namespace korva::widgets {

enum class TMessageKind { Information, Warning, YesNo, YesNoCancel };

struct TRecordedMessage {
    TMessageKind Kind;
    std::string Text; // as shown (DisplayText)
};

class TRecordingMessages final : public IMessages {
public:
    void Information(const std::string& text) override;
    void Warning(const std::string& text) override;
    bool YesNo(const std::string& text) override;
    TMessageAnswer YesNoCancel(const std::string& text) override;

    // The texts shown, in order.
    std::vector<std::string> Texts() const;

    std::vector<TRecordedMessage> Shown;
    // Answers of the questions, taken in order; when empty the defaults.
    std::deque<TMessageAnswer> Answers;
    TMessageAnswer DefaultYesNo = TMessageAnswer::Yes;
    TMessageAnswer DefaultYesNoCancel = TMessageAnswer::Cancel;

private:
    TMessageAnswer NextAnswer(TMessageAnswer fallback);
};

class TRecordingFileChooser final : public IFileChooser {
public:
    std::optional<TFileDialogResult> Open(const TFileDialogOptions& options) override;
    std::optional<TFileDialogResult> Save(const TFileDialogOptions& options) override;

    struct TCall {
        bool Save;
        TFileDialogOptions Options;
    };
    std::vector<TCall> Calls;
    // Answers taken in order; an empty entry or an empty queue cancels.
    std::deque<std::optional<TFileDialogResult>> Answers;

private:
    std::optional<TFileDialogResult> Next(bool save, const TFileDialogOptions& options);
};

class TRecordingPrintSetup final : public IPrintSetup {
public:
    // A PDF printer writing to PdfPath; nothing (cancelled) when PdfPath is empty.
    std::unique_ptr<QPrinter> ChoosePrinter(const std::string& jobTitle) override;

    std::string PdfPath;
    std::vector<std::string> JobTitles;
};

class TRecordingDesktop final : public IDesktop {
public:
    bool OpenDocument(const std::string& pathOrAddress) override;
    bool StartProgram(const std::string& program, const std::vector<std::string>& arguments) override;

    std::vector<std::string> OpenedDocuments;
    std::vector<std::vector<std::string>> StartedPrograms; // program, then its arguments
    bool Succeed = true;
};

class TMemorySettings final : public ISettings {
public:
    std::optional<std::string> Read(const std::string& name) override;
    bool Write(const std::string& name, const std::string& value) override;

    std::map<std::string, std::string> Values;
    int Writes = 0;
    bool Fail = false; // every access fails (an unreadable store)
};

class TRecordingDialogs final : public IDialogRunner {
public:
    // Shows the dialog and runs the next script on it, which acts as a user
    // would (fills fields, clicks buttons); the result is the one the dialog
    // was closed with, and a dialog the script left open is cancelled.
    // Without a script the dialog is cancelled unseen.
    int Run(QDialog& dialog) override;

    std::deque<std::function<void(QDialog&)>> Scripts;
    std::vector<std::string> Titles; // window titles of the dialogs run, in order
};

struct TRecordingServices {
    TRecordingMessages Messages;
    TRecordingFileChooser Files;
    TRecordingPrintSetup Printers;
    TRecordingDesktop Desktop;
    TMemorySettings Settings;
    TRecordingDialogs Dialogs;
    TUiServices Services() { return {&Messages, &Files, &Printers, &Desktop, &Settings, &Dialogs}; }
};

} // namespace korva::widgets
