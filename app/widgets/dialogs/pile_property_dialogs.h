#pragma once
// The pile geometry, one dialog per section shape: TfrmShaftpeneta,
// "Circular Pile Properties", and TfrmNCsection, "Noncircular Pile
// Properties". Drawings mark each dimension; a click on one moves the focus
// to its field. The rules live in pile_property_rules.h.
#include "data_edit.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/input_dialog.h"
#include "pile_property_rules.h"

class QButtonGroup;
class QGroupBox;
class QLabel;

namespace korva::app_widgets {

class TDimensionPicture;

// The stickup length's field: once its own validation has passed, a
// negative length is refused with a message, set to 0, and the field takes
// the focus back.
class TStickupEdit : public widgets::TDataEdit {
public:
    using TDataEdit::TDataEdit;
    bool ValidateEntry() override;
};

class TfrmShaftpeneta : public TInputDialog, public IFieldDialog {
    Q_OBJECT
public:
    explicit TfrmShaftpeneta(TMainForm& main);
    const TFieldControls& Fields() const override { return fields_; }
    QGroupBox* PlugGroup() const { return groupBox4_; }

protected:
    void LoadFromProject() override;
    void StoreToProject() override;

private:
    widgets::TDataEdit* dataEdit8_;  // OD
    widgets::TDataEdit* dataEdit9_;  // ID
    widgets::TDataEdit* dataEdit10_; // TL
    widgets::TDataEdit* dataEdit11_; // ESL
    widgets::TDataEdit* dataEdit12_; // EID
    widgets::TDataEdit* dataEdit13_; // ZFL
    TStickupEdit* dataEdit1_;        // PSL
    QLabel* label1_;
    TDimensionPicture* image3_;
    TDimensionPicture* image5_;
    TDimensionPicture* image6_;
    QGroupBox* groupBox4_;
    QButtonGroup* plug_;
    TFieldControls fields_;
};

class TfrmNCsection : public TInputDialog, public IFieldDialog {
    Q_OBJECT
public:
    explicit TfrmNCsection(TMainForm& main);
    const TFieldControls& Fields() const override { return fields_; }

protected:
    void LoadFromProject() override;
    void StoreToProject() override;

private:
    widgets::TDataEdit* dataEdit3_; // perimeter
    widgets::TDataEdit* dataEdit4_; // tip area
    widgets::TDataEdit* dataEdit5_; // TL
    widgets::TDataEdit* dataEdit6_; // ZFL
    TStickupEdit* dataEdit1_;       // PSL
    TFieldControls fields_;
};

} // namespace korva::app_widgets
