#pragma once
// TfrmMaterial, "Pile Material": the pile type with its end condition and
// section shape, the taper angle, the modulus of elasticity and the
// cross-section area for the pile's elastic shortening (from the section,
// constant, or along depth in the table Sectionaldata). The rules live in
// pile_material_rules.h; this window copies values in and out.
#include "dialogs/dialog_fields.h"
#include "dialogs/input_dialog.h"
#include "pile_material_rules.h"

class QButtonGroup;
class QLabel;
class QPushButton;

namespace korva::app_widgets {

class TfrmMaterial : public TInputDialog, public IFieldDialog {
    Q_OBJECT
public:
    explicit TfrmMaterial(TMainForm& main);

    const TFieldControls& Fields() const override { return fields_; }
    // "Close": closes when the modulus is a number above 0, else warns.
    void CloseClick();
    // "Data Button": the cross-section areas along depth.
    void SectionButtonClick();

protected:
    void LoadFromProject() override;
    void StoreToProject() override;

private:
    app::TMaterialForm ReadControls() const;
    // The enabling rules and the computed area for the checked choices.
    void ShowWindows();

    QButtonGroup* pileType_;
    QButtonGroup* steelEnd_;
    QButtonGroup* precastShape_;
    QButtonGroup* precastEnd_;
    QButtonGroup* areaMode_;
    widgets::TDataEdit* deAngle_;
    QLabel* angleLabel_;
    QLabel* angleNote_;
    widgets::TDataEdit* deModulus_;
    widgets::TDataEdit* deSection_;
    widgets::TDataEdit* deAutoSection_;
    QPushButton* sectionButton1_;
    QPushButton* button4_;
    TFieldControls fields_;
};

} // namespace korva::app_widgets
