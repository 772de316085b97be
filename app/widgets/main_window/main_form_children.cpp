// The main window's child windows: made on first use with one created flag
// each, freed when closed, and the activation protocol between them.
#include <algorithm>
#include <functional>

#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "dialogs/input_dialog.h"
#include "main_window/main_form.h"

namespace korva::app_widgets {

namespace {

// A child window that tells when it has closed (its created flag clears at
// once, not when the window is finally deleted).
class TChildWindow final : public QMdiSubWindow {
public:
    std::function<void()> OnClosed;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        QMdiSubWindow::closeEvent(event);
        if (event->isAccepted() && OnClosed)
            OnClosed();
    }
};

std::size_t Index(TChildKind kind)
{
    return static_cast<std::size_t>(kind);
}

} // namespace

TInputDialog* TMainForm::InputDialogOf(QMdiSubWindow* window) const
{
    return window ? qobject_cast<TInputDialog*>(window->widget()) : nullptr;
}

QWidget* TMainForm::Child(TChildKind kind) const
{
    const QMdiSubWindow* window = children_[Index(kind)].Window;
    return window ? window->widget() : nullptr;
}

void TMainForm::SetChildFactory(TChildKind kind, TChildFactory factory)
{
    children_[Index(kind)].Factory = factory;
    UpdatePileShapeControls();
}

QWidget* TMainForm::ShowChild(TChildKind kind)
{
    TChildSlot& slot = children_[Index(kind)];
    if (!slot.Window && !slot.Factory)
        return nullptr;
    if (!DeactivateActiveChild())
        return nullptr;
    if (!slot.Window) {
        QWidget* widget = slot.Factory(*this);
        if (!widget)
            return nullptr;
        auto* window = new TChildWindow;
        window->setWidget(widget);
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (qobject_cast<TInputDialog*>(widget)) {
            // A fixed single border with the system menu and the minimise button.
            window->setWindowFlags(Qt::SubWindow | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                   Qt::WindowCloseButtonHint);
            if (QLayout* layout = widget->layout())
                layout->setSizeConstraint(QLayout::SetFixedSize);
        }
        window->OnClosed = [this, window] { OnChildClosed(window); };
        mdiArea_->addSubWindow(window);
        slot.Window = window;
        window->show();
        // The area places a window wider than itself partly to the left of
        // its edge; the title bar and the left part stay in sight.
        window->move(std::max(0, window->x()), std::max(0, window->y()));
    }
    QMdiSubWindow* window = slot.Window;
    if (window->isMinimized())
        window->showNormal();
    mdiArea_->setActiveSubWindow(window);
    // The protocol also when the main window itself is not active (the MDI
    // area then reports no activation).
    SwitchActiveChild(window);
    return window->widget();
}

void TMainForm::OnSubWindowActivated(QMdiSubWindow* window)
{
    // No window: the main window lost the activation to a message box, a
    // dialog or another program, which is no change of the active child.
    if (window)
        SwitchActiveChild(window);
}

void TMainForm::SwitchActiveChild(QMdiSubWindow* target)
{
    if (!target || target == activeChild_ || activating_ || refusing_)
        return;
    QPointer<QMdiSubWindow> previous = activeChild_;
    QPointer<QMdiSubWindow> next = target;
    bool left = true;
    if (TInputDialog* dialog = InputDialogOf(previous)) {
        // The store may show a message, whose own activations are no change.
        activating_ = true;
        left = dialog->Deactivate();
        activating_ = false;
    }
    if (!left && previous) {
        // The child left takes the activation back once the message is gone.
        refusing_ = true;
        QTimer::singleShot(0, this, [this, previous] {
            if (previous)
                mdiArea_->setActiveSubWindow(previous);
            refusing_ = false;
        });
        return;
    }
    activeChild_ = next;
    if (TInputDialog* dialog = InputDialogOf(next))
        dialog->Activate();
}

void TMainForm::OnChildClosed(QMdiSubWindow* window)
{
    for (TChildSlot& slot : children_)
        if (slot.Window == window)
            slot.Window = nullptr;
    if (activeChild_ == window)
        activeChild_ = nullptr;
}

bool TMainForm::DeactivateActiveChild()
{
    TInputDialog* dialog = InputDialogOf(activeChild_);
    return !dialog || dialog->Deactivate();
}

void TMainForm::CloseChildWindows()
{
    if (!mdiArea_)
        return;
    for (QMdiSubWindow* window : mdiArea_->subWindowList()) {
        QPointer<QMdiSubWindow> open = window;
        if (window->close() || !open)
            continue;
        // The project it would store into is going: close it unstored.
        if (TInputDialog* dialog = InputDialogOf(window))
            dialog->Discard();
    }
}

void TMainForm::FreeChild(TChildKind kind)
{
    QMdiSubWindow* window = children_[Index(kind)].Window;
    if (!window)
        return;
    if (TInputDialog* dialog = InputDialogOf(window))
        dialog->Discard();
    else
        window->close();
}

void TMainForm::RefreshUnitDialogs()
{
    if (!mdiArea_)
        return;
    for (QMdiSubWindow* window : mdiArea_->subWindowList())
        if (TInputDialog* dialog = InputDialogOf(window))
            dialog->Activate();
}

} // namespace korva::app_widgets
