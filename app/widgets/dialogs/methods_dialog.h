#pragma once
// TfrmWaterDepth, "Computation Methods": the method whose unit load
// transfer shapes the t-z curves, the methods whose capacity is computed,
// the loading direction with the tension reduction, the clay drainage, the
// factors of the t-z and Q-w curves and the critical-depth rule for sand.
// Leaving it also reshapes the soil tables (methods_rules.h).
#include <array>

#include "dialogs/dialog_fields.h"
#include "dialogs/input_dialog.h"
#include "methods_rules.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace korva::app_widgets {

class TfrmWaterDepth : public TInputDialog, public IFieldDialog {
    Q_OBJECT
public:
    explicit TfrmWaterDepth(TMainForm& main);

    const TFieldControls& Fields() const override { return fields_; }
    // "Select All" and "Clear Selections".
    void SelectAllClick();
    void ClearSelectionsClick();
    QCheckBox* MethodBox(int method) const { return checkBoxes_[method]; }
    QLabel* LoadTransferMark(int method) const { return marks_[method]; }
    QTabWidget* Pages() const { return pages_; }

protected:
    void LoadFromProject() override;
    void StoreToProject() override;

private:
    app::TMethodsForm ReadControls() const;
    // Shows the form's choices with their enabling ("LS", the boxes).
    void ShowWindows(const app::TMethodsForm& form);
    // A click in the dialog: the rule applied, the controls shown again.
    void Edited(void (*rule)(app::TMethodsForm&));

    QTabWidget* pages_;
    QButtonGroup* loadTransfer_;
    std::array<QCheckBox*, app::kMethodCount + 1> checkBoxes_{};
    std::array<QLabel*, app::kMethodCount + 1> marks_{};
    QButtonGroup* tzFactors_;
    QButtonGroup* criticalMode_;
    QWidget* criticalNote_;
    widgets::TDataEdit* dataEdit1_;
    QButtonGroup* drainage_;
    QButtonGroup* loading_;
    widgets::TDataEdit* deReduct_;
    QLabel* reductNote_;
    TFieldControls fields_;
};

} // namespace korva::app_widgets
