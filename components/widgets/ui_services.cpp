#include "ui_services.h"

#include <QDialog>

#include "recording_services.h"

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

// Until something is installed, the services record and answer "cancel":
// nothing can open a window the caller did not ask for.
TUiServices& Current()
{
    static TRecordingServices fallback;
    static TUiServices services = fallback.Services();
    return services;
}

} // namespace

TUiServices& Ui()
{
    return Current();
}

int RunDialog(QDialog& dialog)
{
    // Services put together without a runner record nothing: the dialog is
    // cancelled rather than left waiting for a user.
    IDialogRunner* runner = Current().Dialogs;
    return runner ? runner->Run(dialog) : QDialog::Rejected;
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
