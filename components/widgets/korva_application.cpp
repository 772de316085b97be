#include "korva_application.h"

#include <clocale>
#include <exception>

#include "entry_focus.h"

namespace korva::widgets {

TKorvaApplication::TKorvaApplication(int& argc, char** argv, const QString& title)
    : QApplication(argc, argv), installed_(qtServices_.Services())
{
    // QApplication sets the C numeric locale from the environment; every
    // number the program reads or writes uses ".".
    std::setlocale(LC_NUMERIC, "C");
    setOrganizationName(kSettingsOrganization);
    setApplicationName(kSettingsApplication);
    setApplicationDisplayName(title);
    TrackEntryFocus();
}

TKorvaApplication::~TKorvaApplication() = default;

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
