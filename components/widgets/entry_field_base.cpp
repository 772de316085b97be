#include "entry_field_base.h"

#include <QWidget>

#include "ui_services.h"

namespace korva::widgets {

void TEntryFieldBase::PullText()
{
    model_.SetText(FieldText().toStdString());
    model_.Items = FieldItems();
}

void TEntryFieldBase::PushText()
{
    const QString shown = QString::fromStdString(model_.Text());
    if (FieldText() != shown)
        SetFieldText(shown);
}

void TEntryFieldBase::SetIntegerOnly(bool value)
{
    PullText();
    model_.SetIntegerOnly(value);
    PushText();
}

void TEntryFieldBase::SetCaption(const std::string& caption)
{
    model_.Caption = caption;
    UpdateLabel();
}

void TEntryFieldBase::SetEditLabel(QLabel* label)
{
    label_ = label;
    if (label_)
        label_->setBuddy(FieldWidget());
    UpdateLabel();
}

void TEntryFieldBase::SetMaxVal(Extended value)
{
    PullText();
    model_.SetMaxVal(value);
    PushText();
}

void TEntryFieldBase::SetMinVal(Extended value)
{
    PullText();
    model_.SetMinVal(value);
    PushText();
}

Extended TEntryFieldBase::Number()
{
    PullText();
    const Extended number = model_.GetNumber();
    PushText(); // a combo box item's text became its value text
    return number;
}

void TEntryFieldBase::SetNumber(Extended value)
{
    model_.SetNumber(value);
    PushText();
}

void TEntryFieldBase::SetUnitsString(const std::string& units)
{
    model_.UnitsString = units;
    UpdateLabel();
}

void TEntryFieldBase::SetUnits(int units)
{
    model_.SetUnits(units);
    UpdateLabel();
}

void TEntryFieldBase::UpdateLabel()
{
    if (!label_)
        return;
    label_->setEnabled(FieldWidget()->isEnabled());
    label_->setText(QString::fromStdString(model_.LabelText()));
}

bool TEntryFieldBase::ValidateEntry()
{
    EmitExit();
    PullText();
    const components::TEntryValidation result = model_.Validate();
    PushText();
    if (!result.Valid) {
        Ui().Messages->Information(result.Message);
        if (ReturnsFocus())
            ReturnFocusLater(FieldWidget());
    }
    return result.Valid;
}

} // namespace korva::widgets
