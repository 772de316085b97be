#include "data_combo.h"

#include <QFocusEvent>
#include <QKeyEvent>

namespace korva::widgets {

TDataCombo::TDataCombo(QWidget* parent) : QComboBox(parent), TEntryFieldBase(components::TEntryKind::Combo)
{
    TrackEntryFocus();
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    PushText();
}

std::vector<std::string> TDataCombo::FieldItems() const
{
    std::vector<std::string> items;
    for (int i = 0; i < count(); ++i)
        items.push_back(itemText(i).toStdString());
    return items;
}

void TDataCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    if (IsLeaving(this, event->reason()))
        ValidateEntry();
}

void TDataCombo::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    // Keys without a character (arrows, Tab, F4) and Delete go on as they are.
    if (typed.isEmpty() || event->key() == Qt::Key_Delete) {
        QComboBox::keyPressEvent(event);
        return;
    }
    const char key = typed.size() == 1 && typed[0].unicode() < 128 ? typed[0].toLatin1() : '\0';
    if (key == '\0' || !components::ComboKeyPasses(key)) {
        event->accept(); // swallowed
        return;
    }
    QKeyEvent upper(event->type(), event->key(), event->modifiers(), QString(QChar(components::ComboKeyUpper(key))),
                    event->isAutoRepeat(), static_cast<ushort>(event->count()));
    QComboBox::keyPressEvent(&upper);
    event->setAccepted(upper.isAccepted());
}

void TDataCombo::changeEvent(QEvent* event)
{
    QComboBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        UpdateLabel();
}

bool ValidateDataCombo(TDataCombo* control)
{
    return control && control->ValidateEntry();
}

} // namespace korva::widgets
