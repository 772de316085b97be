// The main window of the verbs that drive the program as a user would.
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QMenu>

#include "document_rules.h"
#include "main_window/main_form.h"
#include "probe.h"

namespace korva::probe {

std::unique_ptr<app_widgets::TMainForm> OpenMainWindow(TProbeContext& context, const std::string& project)
{
    std::error_code ec;
    const std::string path = std::filesystem::absolute(project, ec).string();
    if (ec || !std::filesystem::is_regular_file(path, ec)) {
        widgets::Ui().Messages->Information("No project file \"" + project + "\".");
        return nullptr;
    }
    auto form = std::make_unique<app_widgets::TMainForm>();
    form->FormShow();
    form->show();
    form->activateWindow();
    Settle();
    context.Services.Files.Answers.push_back(
        widgets::TFileDialogResult{path, app::LayoutOfProjectName(path).value_or(app::pfvAnyFile)});
    // Opening makes the project's folder current, as the program does; the
    // files the probe was given are named from the folder it was started in,
    // which is made current again, so that a relative OUT.png lands there.
    const std::filesystem::path started = std::filesystem::current_path(ec);
    form->FileOpenClick();
    Settle();
    if (!started.empty())
        std::filesystem::current_path(started, ec);
    return form;
}

namespace {

// A caption as it reads, without the "&" of its access key.
std::string Shown(const QString& caption)
{
    QString text = caption;
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01")).remove(QLatin1Char('&'));
    return text.replace(QChar(1), QLatin1Char('&')).trimmed().toStdString();
}

} // namespace

QWidget* OpenFromMenu(app_widgets::TMainForm& form, app_widgets::TChildKind kind)
{
    QAction* entry = form.Actions().Children[static_cast<std::size_t>(kind)];
    if (!entry->isEnabled()) {
        std::string menu;
        for (QObject* holder : entry->associatedObjects())
            if (auto* owner = qobject_cast<QMenu*>(holder)) {
                menu = Shown(owner->title()) + " ";
                break;
            }
        widgets::Ui().Messages->Information("The " + menu + "menu entry \"" + Shown(entry->text()) +
                                            "\" is disabled.");
        return nullptr;
    }
    entry->trigger();
    Settle();
    return form.Child(kind);
}

void Settle()
{
    for (int i = 0; i < 10; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
}

} // namespace korva::probe
