#pragma once
// What TDataEdit and TDataCombo share: the entry model (entry_field.h), the
// linked label, the properties and the exit validation with its message and
// focus return. Each widget supplies its text, its signal and its focus rule.
#include <functional>
#include <string>
#include <vector>

#include <QLabel>
#include <QPointer>

#include "entry_field.h"
#include "entry_focus.h"

class QWidget;

namespace korva::widgets {

using components::Extended;

class TEntryFieldBase : public IEntryField {
public:
    bool IntegerOnly() const { return model_.IntegerOnly(); }
    // On, the bounds are limited to the 32-bit range.
    void SetIntegerOnly(bool value);

    const std::string& Caption() const { return model_.Caption; }
    void SetCaption(const std::string& caption);

    // The label showing caption and units; its buddy becomes this field, so
    // that the "&" of the caption marks the access key of the field. The
    // label is enabled exactly when the field is.
    QLabel* EditLabel() const { return label_; }
    void SetEditLabel(QLabel* label);

    Extended MaxVal() const { return model_.MaxVal(); }
    Extended MinVal() const { return model_.MinVal(); }
    // A value beyond the new bound is set to it. Both evaluate the text: an
    // invalid text raises EAssignError here.
    void SetMaxVal(Extended value);
    void SetMinVal(Extended value);

    // The value of the text; raises EAssignError for a bad entry.
    Extended Number();
    // Clamped to the bounds and shown in the field's format.
    void SetNumber(Extended value);

    const std::string& UnitsString() const { return model_.UnitsString; }
    void SetUnitsString(const std::string& units);
    int Units() const { return model_.Units(); }
    // 1 English, 2 SI, 3 the template as written; others are clipped.
    void SetUnits(int units);

    // What the field's store keeps of an entry when it rounds or repairs it:
    // the field shows that once it is left (entry_field.h, StoredForm).
    void SetStoredForm(std::function<Extended(Extended)> form) { model_.StoredForm = std::move(form); }

    // The last exit validation succeeded (false before the first one).
    bool EntryValid() const { return model_.EntryValid; }

    std::string FormatNumber(Extended value) const { return model_.FormatNumber(value); }
    std::string GetUnitsText() const { return model_.GetUnitsText(); }

    // The exit validation: OnExit first, then evaluate, check and rewrite as
    // the field does; a failure shows its message in an information box and
    // the field takes the focus back. Returns EntryValid.
    bool ValidateEntry() override;

    // The model, for reading the state in tests and the probe.
    const components::TEntryModel& Model() const { return model_; }

protected:
    explicit TEntryFieldBase(components::TEntryKind kind) : model_(kind) {}

    virtual QWidget* FieldWidget() = 0;
    virtual QString FieldText() const = 0;
    virtual void SetFieldText(const QString& text) = 0;
    // The texts of the items that stand for values (combo boxes).
    virtual std::vector<std::string> FieldItems() const { return {}; }
    virtual void EmitExit() = 0;
    // Whether a failed validation gives the focus back now (TDataEdit only
    // when visible, TDataCombo always).
    virtual bool ReturnsFocus() = 0;

    // Copies the text into the model, and the model's text back.
    void PullText();
    void PushText();
    void UpdateLabel();

    components::TEntryModel model_;

private:
    QPointer<QLabel> label_;
};

} // namespace korva::widgets
