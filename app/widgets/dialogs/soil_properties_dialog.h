#pragma once
// TDlgSoils ("Data for Layer n"): the properties of one soil layer at its top
// and bottom, on the page of the layer's soil type ("Sand", "Clay", "Silt"),
// opened modally by the "Edit Layer" buttons of the soil layers window. The
// inputs the selected methods do not use are disabled; the sand and silt
// pages choose between friction angle and blow counts; the clay page chooses
// the adhesion graph and shows it in the design-chart window. Closing stores
// the page into the layer's sub-table of D (soil_properties.h holds the
// rules: a page closed without an edit changes nothing, a layer that holds
// both friction angles and blow counts keeps both until one is picked); an
// invalid field keeps the window open.
#include <array>
#include <functional>
#include <vector>

#include <QDialog>

#include "dialogs/dialog_fields.h"
#include "soil_properties.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace korva::widgets {
class TDataEdit;
}

namespace korva::app_widgets {

class TDlgSoils : public QDialog, public IFieldDialog {
    Q_OBJECT
public:
    // `onModified` is called when a store changed a value of the layer.
    TDlgSoils(app::TProgramData& project, app::TGridTable& D, std::function<void()> onModified,
              QWidget* parent = nullptr);

    // The 1-based layer whose page is shown; loads it (the activation).
    void SetLayer(int layerNumber);
    int LayerNumber() const { return state_.LayerNumber; }

    // Controls, for the tests and the probe. The fields of the shown page by
    // name: "FrictionAngle.Top", "BlowCounts.Bottom" (the names of
    // soil_properties.h with the row), "BlowCountChoice" (0 the friction
    // angle, 1 the blow counts), "AdhesionMethod" (the list's item).
    const TFieldControls& Fields() const override;
    QTabWidget* Pages() const { return pages_; }
    // The entry field of a sub-table column on the shown page; row 0 top, 1 bottom.
    widgets::TDataEdit* Field(int column, int row) const;
    QLabel* FieldLabel(int column) const;
    QRadioButton* AngleChoice() const;
    QRadioButton* BlowCountChoice() const;
    QComboBox* AdhesionList() const { return adhesion_; }
    QPushButton* GraphButton() const { return graphButton_; }
    // The heading and note labels of the sand page's Ko/Nq group.
    const std::array<QLabel*, 4>& KoTexts() const { return koTexts_; }
    QLabel* AdhesionHeading() const { return adhesionHeading_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Escape closes as the Close buttons do (store included).
    void reject() override;

private:
    struct TFieldRow {
        app::TSoilField Field;
        QLabel* Label = nullptr;
        std::array<widgets::TDataEdit*, 2> Edits{};
    };
    struct TPage {
        std::vector<TFieldRow> Rows;
        QRadioButton* Angle = nullptr;
        QRadioButton* BlowCounts = nullptr;
        std::vector<std::pair<QLabel*, app::TSoilInput>> Notes; // enabled and shown with their input
        TFieldControls Fields;
    };

    QWidget* BuildPage(int soilType);
    void AddRow(TPage& page, QGridLayout* grid, int& line, const app::TSoilField& field);
    void AddNote(TPage& page, QGridLayout* grid, int& line, const QString& text, app::TSoilInput input,
                 bool heading = false);
    const TPage& Shown() const;
    void Load();
    void Store();
    void ApplyEnabling();
    void AdhesionChanged(int index);
    void ShowGraph();

    app::TProgramData* project_;
    app::TGridTable* D_;
    std::function<void()> onModified_;
    app::TSoilPropertiesState state_;
    bool loading_ = false;

    QTabWidget* pages_;
    std::array<TPage, 3> page_;
    std::array<QLabel*, 4> koTexts_{};
    QLabel* adhesionHeading_ = nullptr;
    QLabel* adhesionNote_ = nullptr;
    QComboBox* adhesion_ = nullptr;
    QPushButton* graphButton_ = nullptr;
};

} // namespace korva::app_widgets
