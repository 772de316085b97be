#include "qt_services.h"

#include "korva_application.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QUrl>

namespace korva::widgets {

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

QMessageBox::StandardButton Ask(QMessageBox::Icon icon, const std::string& text,
                                QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, TKorvaApplication::Title(), Q(DisplayText(text)), buttons,
                    QApplication::activeWindow());
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

std::optional<TFileDialogResult> RunFileDialog(const TFileDialogOptions& options, bool save)
{
    QFileDialog dialog(QApplication::activeWindow(), Q(options.Title), Q(options.InitialDir));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save || !options.FileMustExist ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !options.OverwritePrompt)
        dialog.setOption(QFileDialog::DontConfirmOverwrite);
    QStringList filters;
    for (const std::string& filter : options.Filters)
        filters << Q(filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const int index = options.FilterIndex >= 1 && options.FilterIndex <= filters.size() ? options.FilterIndex : 1;
        dialog.selectNameFilter(filters[index - 1]);
    }
    if (!options.DefaultExtension.empty())
        dialog.setDefaultSuffix(Q(options.DefaultExtension));
    if (!options.FileName.empty())
        dialog.selectFile(Q(options.FileName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    const int chosen = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return TFileDialogResult{dialog.selectedFiles().front().toStdString(), chosen < 0 ? 1 : chosen + 1};
}

QString SettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/" +
           kSettingsOrganization + "/" + kSettingsApplication + ".conf";
}

} // namespace

void TQtMessages::Information(const std::string& text)
{
    Ask(QMessageBox::Information, text, QMessageBox::Ok);
}

void TQtMessages::Warning(const std::string& text)
{
    Ask(QMessageBox::Warning, text, QMessageBox::Ok);
}

bool TQtMessages::YesNo(const std::string& text)
{
    return Ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

TMessageAnswer TQtMessages::YesNoCancel(const std::string& text)
{
    switch (Ask(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel)) {
    case QMessageBox::Yes:
        return TMessageAnswer::Yes;
    case QMessageBox::No:
        return TMessageAnswer::No;
    default:
        return TMessageAnswer::Cancel;
    }
}

std::optional<TFileDialogResult> TQtFileChooser::Open(const TFileDialogOptions& options)
{
    return RunFileDialog(options, false);
}

std::optional<TFileDialogResult> TQtFileChooser::Save(const TFileDialogOptions& options)
{
    return RunFileDialog(options, true);
}

std::unique_ptr<QPrinter> TQtPrintSetup::ChoosePrinter(const std::string& jobTitle)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(Q(jobTitle));
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return printer;
}

int TQtDialogs::Run(QDialog& dialog)
{
    return dialog.exec();
}

bool TQtDesktop::OpenDocument(const std::string& pathOrAddress)
{
    const QString target = Q(pathOrAddress);
    const bool address = target.contains("://");
    return QDesktopServices::openUrl(address ? QUrl(target) : QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath()));
}

bool TQtDesktop::StartProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << Q(argument);
    return QProcess::startDetached(Q(program), list);
}

std::optional<std::string> TQtSettings::Read(const std::string& name)
{
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    if (settings.status() != QSettings::NoError)
        return std::nullopt;
    settings.beginGroup(kSettingsGroup);
    const QVariant value = settings.value(Q(name));
    if (!value.isValid())
        return std::nullopt;
    return value.toString().toStdString();
}

bool TQtSettings::Write(const std::string& name, const std::string& value)
{
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    settings.beginGroup(kSettingsGroup);
    settings.setValue(Q(name), Q(value));
    settings.endGroup();
    settings.sync();
    return settings.status() == QSettings::NoError;
}

} // namespace korva::widgets
