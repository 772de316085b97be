// WINKORVA2015: the program's start-up. The real desktop services, the
// application, then the main window, which opens the project named on the
// command line.
#include <optional>
#include <string>

#include <QStringList>

#include "korva_application.h"
#include "main_window/main_form.h"
#include "qt_services.h"

int main(int argc, char** argv)
{
    // In force before the application exists and until after it is gone, so
    // that whatever it shows on the way out still has its message box.
    korva::widgets::TQtServices qtServices;
    const korva::widgets::TScopedUiServices installed(qtServices.Services());
    korva::widgets::TKorvaApplication app(argc, argv, "Korva 2015");
    korva::app_widgets::TMainForm mainForm;
    // Qt has taken its own options out of the arguments.
    const QStringList arguments = QApplication::arguments();
    std::optional<std::string> project;
    if (arguments.size() > 1)
        project = arguments[1].toStdString();
    mainForm.FormShow(project);
    mainForm.show();
    return app.exec();
}
