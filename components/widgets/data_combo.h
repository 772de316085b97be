#pragma once
// TDataCombo: the numeric entry field on an editable combo box. It validates
// like TDataEdit (data_edit.h), with these differences: an item chosen from
// the list stands for the value text of the same index in Values, and the
// field then shows that value; the text is not rewritten on success; numbers
// are written with 8 significant digits (truncated integers with
// IntegerOnly); typing is limited to digits, "-", ".", "E" and backspace
// (letters upper-cased). Made at run time, both bounds are 0 until set.
#include <string>
#include <vector>

#include <QComboBox>

#include "entry_field_base.h"

namespace korva::widgets {

class TDataCombo : public QComboBox, public TEntryFieldBase {
    Q_OBJECT
public:
    explicit TDataCombo(QWidget* parent = nullptr);

    // The value text of each item, by index.
    const std::vector<std::string>& Values() const { return model_.Values; }
    void SetValues(std::vector<std::string> values) { model_.Values = std::move(values); }

signals:
    void OnExit();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

    QWidget* FieldWidget() override { return this; }
    QString FieldText() const override { return currentText(); }
    void SetFieldText(const QString& text) override { setEditText(text); }
    std::vector<std::string> FieldItems() const override;
    void EmitExit() override { emit OnExit(); }
    bool ReturnsFocus() override { return true; }
};

bool ValidateDataCombo(TDataCombo* control);

} // namespace korva::widgets
