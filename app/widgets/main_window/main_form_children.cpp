// The main window's child windows: made on first use with one created flag
// each, freed when closed, and the activation protocol between them.
#include <algorithm>
#include <functional>

#include <QCloseEvent>
#include <QLayout>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include "dialogs/input_dialog.h"
#include "main_window/main_form.h"
#include "views/elevation_view.h"

namespace korva::app_widgets {

namespace {

// A child window that tells when it has closed (its created flag clears at
// once, not when the window is finally deleted).
class TChildWindow final : public QMdiSubWindow {
public:
    std::function<void()> OnClosed;
    // A window of fixed size that takes a new one (an input dialog whose
    // labels or page changed) is put back in view.
    std::function<void()> OnResized;

protected:
    void closeEvent(QCloseEvent* event) override
    {
        QMdiSubWindow::closeEvent(event);
        if (event->isAccepted() && OnClosed)
            OnClosed();
    }
    void resizeEvent(QResizeEvent* event) override
    {
        QMdiSubWindow::resizeEvent(event);
        if (OnResized && !isMinimized() && !isMaximized())
            OnResized();
    }
};

std::size_t Index(TChildKind kind)
{
    return static_cast<std::size_t>(kind);
}

// A child without a maximize button (an input dialog, a table window) is
// never shown maximized: the area maximizes the child activated after a
// maximized one (a plot window), and a dialog of fixed size would then stand
// alone in the middle of the area with the main window's caption naming it.
void KeepUnmaximized(QMdiSubWindow* window)
{
    if (window && window->isMaximized() && !(window->windowFlags() & Qt::WindowMaximizeButtonHint))
        window->showNormal();
}

// A new child, and an input dialog that grows, is placed where the whole of
// it is in view when it fits, and with its title bar and left part in view
// when it does not (the area puts a child wider or taller than itself partly
// beyond its edges).
void KeepInView(QMdiSubWindow* window, QMdiArea* mdiArea)
{
    // The area's scroll bars take their room once a child sticks out.
    QSize area = mdiArea->viewport()->size();
    const int bar = mdiArea->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mdiArea);
    if (window->width() > area.width() && !mdiArea->horizontalScrollBar()->isVisible())
        area.rheight() -= bar;
    if (window->height() > area.height() && !mdiArea->verticalScrollBar()->isVisible())
        area.rwidth() -= bar;
    const int x = std::min(window->x(), area.width() - window->width());
    const int y = std::min(window->y(), area.height() - window->height());
    window->move(std::max(0, x), std::max(0, y));
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
        KeepUnmaximized(window);
        // Its size is known once the layouts have run.
        for (QWidget* w : {widget, static_cast<QWidget*>(window)})
            if (QLayout* layout = w->layout())
                layout->activate();
        KeepInView(window, mdiArea_);
        if (qobject_cast<TInputDialog*>(widget))
            window->OnResized = [this, window] { KeepInView(window, mdiArea_); };
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
    KeepUnmaximized(window);
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
    // The elevation view draws lengths of the project's unit: it is made
    // again too, also while it is the active child (no activation follows).
    if (auto* view = qobject_cast<TDlgSideView*>(Child(TChildKind::ElevationView)))
        view->Reload();
}

} // namespace korva::app_widgets
