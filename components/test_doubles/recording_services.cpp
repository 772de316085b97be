#include "recording_services.h"

#include <QDialog>
#include <QPrinter>
#include <QString>

namespace korva::widgets {

void TRecordingMessages::Information(const std::string& text)
{
    Shown.push_back({TMessageKind::Information, DisplayText(text)});
}

void TRecordingMessages::Warning(const std::string& text)
{
    Shown.push_back({TMessageKind::Warning, DisplayText(text)});
}

bool TRecordingMessages::YesNo(const std::string& text)
{
    Shown.push_back({TMessageKind::YesNo, DisplayText(text)});
    return NextAnswer(DefaultYesNo) == TMessageAnswer::Yes;
}

TMessageAnswer TRecordingMessages::YesNoCancel(const std::string& text)
{
    Shown.push_back({TMessageKind::YesNoCancel, DisplayText(text)});
    return NextAnswer(DefaultYesNoCancel);
}

std::vector<std::string> TRecordingMessages::Texts() const
{
    std::vector<std::string> texts;
    for (const TRecordedMessage& m : Shown)
        texts.push_back(m.Text);
    return texts;
}

TMessageAnswer TRecordingMessages::NextAnswer(TMessageAnswer fallback)
{
    if (Answers.empty())
        return fallback;
    const TMessageAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
}

std::optional<TFileDialogResult> TRecordingFileChooser::Open(const TFileDialogOptions& options)
{
    return Next(false, options);
}

std::optional<TFileDialogResult> TRecordingFileChooser::Save(const TFileDialogOptions& options)
{
    return Next(true, options);
}

std::optional<TFileDialogResult> TRecordingFileChooser::Next(bool save, const TFileDialogOptions& options)
{
    Calls.push_back({save, options});
    if (Answers.empty())
        return std::nullopt;
    std::optional<TFileDialogResult> answer = Answers.front();
    Answers.pop_front();
    return answer;
}

std::unique_ptr<QPrinter> TRecordingPrintSetup::ChoosePrinter(const std::string& jobTitle)
{
    JobTitles.push_back(jobTitle);
    if (PdfPath.empty())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(QString::fromStdString(PdfPath));
    printer->setDocName(QString::fromStdString(jobTitle));
    return printer;
}

int TRecordingDialogs::Run(QDialog& dialog)
{
    Titles.push_back(dialog.windowTitle().toStdString());
    dialog.setResult(QDialog::Rejected);
    if (Scripts.empty())
        return QDialog::Rejected;
    const auto script = std::move(Scripts.front());
    Scripts.pop_front();
    // Shown without a loop of its own, so that focus and visibility behave
    // as for the user; a dialog the script left open is closed as by Esc.
    dialog.show();
    script(dialog);
    if (dialog.isVisible())
        dialog.reject();
    return dialog.result();
}

bool TRecordingDesktop::OpenDocument(const std::string& pathOrAddress)
{
    OpenedDocuments.push_back(pathOrAddress);
    return Succeed;
}

bool TRecordingDesktop::StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> call{program};
    call.insert(call.end(), arguments.begin(), arguments.end());
    StartedPrograms.push_back(std::move(call));
    return Succeed;
}

std::optional<std::string> TMemorySettings::Read(const std::string& name)
{
    if (Fail)
        return std::nullopt;
    const auto found = Values.find(name);
    if (found == Values.end())
        return std::nullopt;
    return found->second;
}

bool TMemorySettings::Write(const std::string& name, const std::string& value)
{
    if (Fail)
        return false;
    Values[name] = value;
    ++Writes;
    return true;
}

} // namespace korva::widgets
