#include "dialogs/dialog_fields.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>

#include "data_edit.h"
#include "dialogs/input_dialog.h"
#include "number_format.h"

namespace korva::app_widgets {

void TFieldControls::Add(const std::string& field, QWidget* control)
{
    controls_.push_back({field, control, nullptr});
}

void TFieldControls::AddChoices(const std::string& field, QButtonGroup* choices)
{
    controls_.push_back({field, nullptr, choices});
}

const TFieldControl* TFieldControls::Find(const std::string& field) const
{
    for (const TFieldControl& control : controls_)
        if (control.Field == field)
            return &control;
    return nullptr;
}

std::string TFieldControls::FieldOf(const QWidget* control) const
{
    for (const TFieldControl& c : controls_) {
        if (c.Control == control)
            return c.Field;
        if (c.Choices)
            for (QAbstractButton* button : c.Choices->buttons())
                if (button == control)
                    return c.Field + "=" + components::FormatInteger(c.Choices->id(button));
    }
    return {};
}

std::string ShownText(const TFieldControl& control)
{
    if (control.Choices) {
        const int id = control.Choices->checkedId();
        return id == -1 ? std::string() : components::FormatInteger(id);
    }
    if (auto* check = qobject_cast<QCheckBox*>(control.Control))
        return check->isChecked() ? "1" : "0";
    if (auto* edit = qobject_cast<QLineEdit*>(control.Control))
        return edit->text().toStdString();
    if (auto* list = qobject_cast<QComboBox*>(control.Control))
        return list->isEditable() ? list->currentText().toStdString() : components::FormatInteger(list->currentIndex());
    if (auto* memo = qobject_cast<QPlainTextEdit*>(control.Control))
        return memo->toPlainText().toStdString();
    if (auto* button = qobject_cast<QAbstractButton*>(control.Control))
        return button->text().toStdString();
    return {};
}

bool ShownEnabled(const TFieldControl& control)
{
    if (control.Choices) {
        for (QAbstractButton* button : control.Choices->buttons())
            if (button->isEnabled())
                return true;
        return false;
    }
    return control.Control && control.Control->isEnabled();
}

widgets::TDataEdit* NewEntry(QWidget* parent, const std::string& caption, const std::string& unitTemplate,
                             QLabel** label)
{
    auto* field = new widgets::TDataEdit(parent);
    auto* fieldLabel = new QLabel(parent);
    field->SetEditLabel(fieldLabel);
    field->SetUnitsString(unitTemplate);
    field->SetCaption(caption);
    if (label)
        *label = fieldLabel;
    return field;
}

QButtonGroup* NewChoice(QWidget* parent, const std::vector<std::pair<QAbstractButton*, int>>& buttons)
{
    auto* group = new QButtonGroup(parent);
    for (const auto& [button, value] : buttons)
        group->addButton(button, value);
    return group;
}

void CheckChoice(QButtonGroup* choice, int value)
{
    if (QAbstractButton* button = choice->button(value))
        button->setChecked(true);
}

void PlaceAtTop(TInputDialog* dialog, int top)
{
    if (QWidget* window = dialog->SubWindow())
        window->move(window->x(), top);
}

QHBoxLayout* NewCloseRow(TInputDialog* dialog, QWidget* parent)
{
    auto* button = new QPushButton(QStringLiteral("Close"), parent);
    QObject::connect(button, &QPushButton::clicked, dialog, [dialog] { dialog->RequestClose(); });
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(button);
    return row;
}

} // namespace korva::app_widgets
