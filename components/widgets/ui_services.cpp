#include "ui_services.h"

#include <utility>

#include <QtGlobal>

namespace korva::widgets {

std::string DisplayText(const std::string& text)
{
    std::string shown;
    shown.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r')
            shown += text[i];
        else if (i + 1 >= text.size() || text[i + 1] != '\n')
            shown += '\n';
    }
    return shown;
}

namespace {

// Nothing is in force until the program, a test or the probe installs it.
TUiServices& Current()
{
    static TUiServices services;
    return services;
}

// The name of the first service not installed, or nullptr when all are.
const char* MissingService(const TUiServices& services)
{
    const std::pair<const char*, const void*> each[] = {
        {"Messages", services.Messages}, {"Files", services.Files},       {"Printers", services.Printers},
        {"Desktop", services.Desktop},   {"Settings", services.Settings}, {"Dialogs", services.Dialogs}};
    for (const auto& [name, service] : each)
        if (!service)
            return name;
    return nullptr;
}

} // namespace

TUiServices& Ui()
{
    // A widget asking before anything was installed is a fault of the
    // program: answering for the user (say "cancel") would hide it.
    TUiServices& services = Current();
    if (const char* missing = MissingService(services))
        qFatal("no %s service is installed: the program installs the Qt services at start-up, "
               "tests and the probe the recording doubles",
               missing);
    return services;
}

int RunDialog(QDialog& dialog)
{
    return Ui().Dialogs->Run(dialog);
}

TScopedUiServices::TScopedUiServices(const TUiServices& services) : saved_(Current())
{
    Current() = services;
}

TScopedUiServices::~TScopedUiServices()
{
    Current() = saved_;
}

} // namespace korva::widgets
