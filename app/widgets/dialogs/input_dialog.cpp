#include "dialogs/input_dialog.h"

#include <exception>

#include <QCloseEvent>
#include <QMdiSubWindow>

#include "entry_focus.h"
#include "main_window/main_form.h"
#include "ui_services.h"

namespace korva::app_widgets {

TInputDialog::TInputDialog(TMainForm& main, const QString& caption) : main_(main)
{
    setWindowTitle(caption);
}

TInputDialog::~TInputDialog() = default;

QMdiSubWindow* TInputDialog::SubWindow() const
{
    return qobject_cast<QMdiSubWindow*>(parentWidget());
}

app::TProgramData& TInputDialog::Project() const
{
    return main_.Project();
}

app::TProjectTables& TInputDialog::Tables() const
{
    return main_.Tables();
}

void TInputDialog::MarkModified()
{
    if (!loading_)
        main_.SetModified(true);
}

bool TInputDialog::FocusedFieldValid()
{
    return widgets::ValidateLastEntry(this);
}

void TInputDialog::Activate()
{
    loading_ = true;
    try {
        LoadFromProject();
    } catch (const std::exception& e) {
        widgets::Ui().Messages->Information(e.what());
    }
    loading_ = false;
}

void TInputDialog::ShowStored()
{
    Activate();
}

bool TInputDialog::Deactivate()
{
    if (discarding_)
        return true;
    if (!FocusedFieldValid())
        return false;
    try {
        StoreToProject();
    } catch (const std::exception& e) {
        widgets::Ui().Messages->Information(e.what());
        return false;
    }
    ShowStored();
    return true;
}

void TInputDialog::RequestClose()
{
    if (QMdiSubWindow* window = SubWindow())
        window->close();
    else
        close();
}

void TInputDialog::Discard()
{
    discarding_ = true;
    RequestClose();
}

void TInputDialog::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    QMdiSubWindow* window = SubWindow();
    if (window && !window->isMinimized() && !window->isMaximized())
        window->resize(window->sizeHint());
}

void TInputDialog::closeEvent(QCloseEvent* event)
{
    if (Deactivate())
        event->accept();
    else
        event->ignore();
}

} // namespace korva::app_widgets
