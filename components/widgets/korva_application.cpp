#include "korva_application.h"

#include <clocale>
#include <exception>

#include "atomic_file.h"
#include "entry_focus.h"
#include "ui_services.h"

namespace korva::widgets {

TKorvaApplication::TKorvaApplication(int& argc, char** argv, const QString& title)
    : QApplication(argc, argv), title_(title)
{
    // QApplication sets the C numeric locale from the environment; every
    // number the program reads or writes uses ".".
    std::setlocale(LC_NUMERIC, "C");
    // A file-size limit fails a save with its message; it never ends the program.
    components::IgnoreFileSizeSignal();
    setOrganizationName(kSettingsOrganization);
    setApplicationName(kSettingsApplication);
    TrackEntryFocus();
}

TKorvaApplication::~TKorvaApplication() = default;

QString TKorvaApplication::Title()
{
    const auto* app = dynamic_cast<const TKorvaApplication*>(QCoreApplication::instance());
    return app ? app->title_ : QString();
}

bool TKorvaApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Ui().Messages->Information(e.what());
    } catch (...) {
        Ui().Messages->Information("An unexpected error occurred.");
    }
    return false;
}

} // namespace korva::widgets
