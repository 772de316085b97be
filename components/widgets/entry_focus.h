#pragma once
// When an entry field counts as left, and which field a window had the focus
// in last.
//
// A field validates when the user leaves it for another control of the same
// window with Tab, Backtab, a mouse click or a shortcut. Opening a menu or a
// message box, or switching to another window, does not count: the window
// that loses the activation asks its last focused field instead
// (ValidateLastEntry), because Qt clears a window's focus widget before it
// reports the newly active child. An invalid field gets the focus back once,
// through the event loop; until then no other control of its window counts
// as left, so two invalid fields never bounce the focus between them.
//
// "Window" here is an MDI child window (QMdiSubWindow) or a top-level window.
class QWidget;

#include <Qt>

namespace korva::widgets {

// A control that validates its entry when left (TDataEdit, TDataCombo).
class IEntryField {
public:
    virtual ~IEntryField() = default;
    // The exit validation: shows the message of a failure and takes the
    // focus back; true when the entry is valid.
    virtual bool ValidateEntry() = 0;
};

// The window of a control for focus purposes: its MDI child window, or its
// top-level window.
QWidget* EntryWindowOf(const QWidget* widget);

// The control that had the focus last in the window of `widgetInWindow`
// (any control, entry field or not); nullptr when none has had it yet.
QWidget* LastFocusedControl(const QWidget* widgetInWindow);

// The entry field that had the focus last in the window, when the last
// focused control is one (or lies inside one); nullptr otherwise.
IEntryField* LastEntryField(const QWidget* widgetInWindow);

// Asks the window whether the field it had the focus in last is valid: the
// field's exit validation runs (one message when invalid, and the focus goes
// back to it). True when the last focused control is no entry field. A field
// whose failure was just shown and whose focus return is still pending is
// reported invalid without a second message.
bool ValidateLastEntry(const QWidget* widgetInWindow);

// True when the focus change that takes the focus from `widget` with this
// reason counts as leaving it (see above). Call it from focusOutEvent: Qt has
// already made the new control the focus widget then.
bool IsLeaving(const QWidget* widget, Qt::FocusReason reason);

// Gives the control the focus back once, through the event loop.
void ReturnFocusLater(QWidget* widget);
// True while a focus return is pending in the window of the control.
bool FocusReturnPending(const QWidget* widgetInWindow);

// Starts following the focus (idempotent; the application and every entry
// field call it, so that a window's last control is known from the start).
void TrackEntryFocus();

} // namespace korva::widgets
