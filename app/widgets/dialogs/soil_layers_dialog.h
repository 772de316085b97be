#pragma once
// TDlgSoilLayers ("Soill Layers"): the soil profile, one grid row per layer
// of table D with its "Edit Layer n" button (the layer's properties in
// TDlgSoils), its soil-type list and five numeric fields (bottom depth, the
// two limits, the two reduction/resistance factors); "Insert Layer", "Add
// Layer", "Delete Layer" with "Confirm Deletion", and "Close", which checks
// the end-bearing factors. The rows are a working copy (soil_layers.h) that
// goes back into D when the window is left or closed; soil-type changes and
// the row operations reach D at once, as its sub-tables follow them. Each
// layer's controls are made once: rows come and go with their layers and
// show new values in place, so the control in use keeps the focus.
#include <QPointer>

#include "dialogs/soil_properties_dialog.h"

#include "dialogs/input_dialog.h"
#include "soil_layers.h"

class QCheckBox;
class QComboBox;
class QPushButton;
class QTableWidget;

namespace korva::widgets {
class TDataEdit;
}

namespace korva::app_widgets {


class TDlgSoilLayers : public TInputDialog, private app::ISoilLayerRows {
    Q_OBJECT
public:
    explicit TDlgSoilLayers(TMainForm& main);

    // The buttons, as the user presses them.
    void ButtonAddClick();
    void ButtonInsClick();
    void ButtonDelClick();
    void CloseClick();
    // "Edit Layer" of layer `layer` (0-based): the properties window, modal.
    void ButtonClick(int layer);

    // Controls, for the tests and the probe.
    QTableWidget* LayerGrid() const { return grid_; }
    QPushButton* AddButton() const { return add_; }
    QPushButton* InsertButton() const { return insert_; }
    QPushButton* DeleteButton() const { return delete_; }
    QCheckBox* ConfirmDeletion() const { return confirm_; }
    QPushButton* CloseButton() const { return close_; }
    QPushButton* EditButton(int layer) const;
    QComboBox* SoilTypeList(int layer) const;
    widgets::TDataEdit* Field(int layer, app::TLayerField field) const;
    // The open properties window (its created flag), or nullptr.
    TDlgSoils* SoilsDialog() const { return soils_; }
    const app::TSoilLayersEditor& Editor() const { return editor_; }

protected:
    void LoadFromProject() override;
    void StoreToProject() override;
    // The rows show what the store keeps: each field's value goes into the
    // layers as it is typed, and nothing is repaired on the way to the table.
    void ShowStored() override {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The grid follows the working copy (app::ISoilLayerRows).
    void RowsInserted(int first, int count) override;
    void RowsRemoved(int first, int count) override;
    void RowsChanged(int first, int count) override;

    // The controls of a new grid row, empty until ShowRow.
    void MakeRow(int layer);
    // The row's number on its Edit button and controls (rows move).
    void NumberRow(int layer);
    // The row's number and its values from the working copy, in place.
    void ShowRow(int layer);
    void SetTabOrder();
    void ShowButtons();

    app::TSoilLayersEditor editor_;
    bool siltAllowed_ = false;
    // Set while rows are shown: the controls' change signals are no edits.
    bool showing_ = false;
    QTableWidget* grid_;
    QPushButton* insert_;
    QPushButton* add_;
    QPushButton* delete_;
    QCheckBox* confirm_;
    QPushButton* close_;
    QPointer<TDlgSoils> soils_;
};

} // namespace korva::app_widgets
