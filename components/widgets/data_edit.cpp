#include "data_edit.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace korva::widgets {

TDataEdit::TDataEdit(QWidget* parent) : QLineEdit(parent), TEntryFieldBase(components::TEntryKind::Edit)
{
    TrackEntryFocus();
    PushText();
}

void TDataEdit::SetFieldText(const QString& text)
{
    setText(text);
    // A value longer than the field (a converted length has 18 digits) is
    // shown from its first digit, as the user reads it, not from its end.
    if (!hasFocus())
        setCursorPosition(0);
}

void TDataEdit::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    if (IsLeaving(this, event->reason()))
        ValidateEntry();
}

void TDataEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        ValidateEntry();
        selectAll();
        event->accept();
        return;
    }
    // With the whole value selected, an operator extends it instead of
    // replacing it: "12" selected and "*" typed gives "12*".
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].unicode() < 128 && components::IsOperatorKey(typed[0].toLatin1()) &&
        hasSelectedText() && selectedText() == text())
        end(false);
    QLineEdit::keyPressEvent(event);
}

void TDataEdit::changeEvent(QEvent* event)
{
    QLineEdit::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateLabel();
}

bool ValidateDataEdit(TDataEdit* control)
{
    return control && control->ValidateEntry();
}

} // namespace korva::widgets
