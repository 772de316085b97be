#pragma once
// TDataEdit: the numeric entry field of every input dialog. The user types a
// number or an expression; leaving the field (entry_focus.h says when that
// counts) or pressing Enter evaluates it, checks it against IntegerOnly,
// MinVal and MaxVal and rewrites it (2*3 becomes 6); a failure is shown in an
// information box and the focus goes back to the field. A linked label
// (EditLabel) shows Caption and the unit of the value: "&Total Length, TL
// (ft)". Properties and validation: entry_field_base.h.
//
// With the whole text selected, typing an operator (+ - / * ^ = % !) appends
// it to the value instead of replacing it.
#include <QLineEdit>

#include "entry_field_base.h"

namespace korva::widgets {

class TDataEdit : public QLineEdit, public TEntryFieldBase {
    Q_OBJECT
public:
    explicit TDataEdit(QWidget* parent = nullptr);

    // The value is shown as "$" and at least four hexadecimal digits.
    bool Hex() const { return model_.Hex(); }
    void SetHex(bool value) { model_.SetHex(value); }

signals:
    // The field is being left (also on Enter and ValidateDataEdit), before
    // its own validation; a handler may change the text or the focus.
    void OnExit();

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

    QWidget* FieldWidget() override { return this; }
    QString FieldText() const override { return text(); }
    void SetFieldText(const QString& text) override;
    void EmitExit() override { emit OnExit(); }
    bool ReturnsFocus() override { return isVisible(); }
};

// Runs the field's exit validation and tells whether its entry is valid.
bool ValidateDataEdit(TDataEdit* control);

} // namespace korva::widgets
