#include "entry_focus.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTimer>
#include <QWidget>

namespace korva::widgets {

namespace {

// What one window remembers: its last focused control and the control whose
// focus return is pending. Lives as a child object of the window.
class TWindowFocusState : public QObject {
public:
    using QObject::QObject;
    QPointer<QWidget> Last;
    QPointer<QWidget> Returning;
};

TWindowFocusState* StateOf(const QWidget* widgetInWindow, bool create)
{
    QWidget* window = EntryWindowOf(widgetInWindow);
    if (!window)
        return nullptr;
    for (QObject* child : window->children())
        if (auto* state = dynamic_cast<TWindowFocusState*>(child))
            return state;
    return create ? new TWindowFocusState(window) : nullptr;
}

void Remember(QWidget*, QWidget* now)
{
    // Losing the focus to nothing (the window was deactivated) keeps the
    // last control.
    if (now)
        if (TWindowFocusState* state = StateOf(now, true))
            state->Last = now;
}

} // namespace

QWidget* EntryWindowOf(const QWidget* widget)
{
    for (QWidget* w = const_cast<QWidget*>(widget); w; w = w->parentWidget())
        if (w->isWindow() || qobject_cast<QMdiSubWindow*>(w))
            return w;
    return nullptr;
}

QWidget* LastFocusedControl(const QWidget* widgetInWindow)
{
    const TWindowFocusState* state = StateOf(widgetInWindow, false);
    return state ? state->Last.data() : nullptr;
}

IEntryField* LastEntryField(const QWidget* widgetInWindow)
{
    QWidget* window = EntryWindowOf(widgetInWindow);
    for (QWidget* w = LastFocusedControl(widgetInWindow); w && w != window; w = w->parentWidget())
        if (auto* field = dynamic_cast<IEntryField*>(w))
            return field;
    return nullptr;
}

bool ValidateLastEntry(const QWidget* widgetInWindow)
{
    // A field whose failure was just shown is invalid until its focus comes
    // back, also when the Tab that was refused has moved the focus on.
    const TWindowFocusState* state = StateOf(widgetInWindow, false);
    if (state && state->Returning && dynamic_cast<IEntryField*>(state->Returning.data()))
        return false;
    IEntryField* field = LastEntryField(widgetInWindow);
    if (!field)
        return true;
    return field->ValidateEntry();
}

bool IsLeaving(const QWidget* widget, Qt::FocusReason reason)
{
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
        break;
    default:
        return false;
    }
    const QWidget* now = QApplication::focusWidget();
    if (!now || now == widget || widget->isAncestorOf(now))
        return false;
    return EntryWindowOf(now) == EntryWindowOf(widget) && !FocusReturnPending(widget);
}

void ReturnFocusLater(QWidget* widget)
{
    TWindowFocusState* state = StateOf(widget, true);
    if (!state)
        return;
    state->Returning = widget;
    QPointer<TWindowFocusState> guard(state);
    QTimer::singleShot(0, widget, [widget, guard] {
        if (guard && guard->Returning == widget)
            guard->Returning = nullptr;
        widget->setFocus(Qt::OtherFocusReason);
    });
}

bool FocusReturnPending(const QWidget* widgetInWindow)
{
    const TWindowFocusState* state = StateOf(widgetInWindow, false);
    return state && state->Returning;
}

void TrackEntryFocus()
{
    static bool tracking = false;
    if (tracking || !qApp)
        return;
    tracking = true;
    QObject::connect(qApp, &QApplication::focusChanged, qApp, &Remember);
}

} // namespace korva::widgets
