#include "dialogs/soil_layers_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QScrollBar>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "data_edit.h"
#include "dialogs/soil_properties_dialog.h"
#include "entry_focus.h"
#include "exceptions.h"
#include "main_window/main_form.h"
#include "methods_rules.h"
#include "program_data.h"
#include "ui_services.h"

namespace korva::app_widgets {

namespace {

constexpr int kGridHeight = 186;
constexpr int kRowHeight = 25;
// The layer a control of the grid stands for.
constexpr const char* kLayerProperty = "layer";

} // namespace

TDlgSoilLayers::TDlgSoilLayers(TMainForm& main)
    : TInputDialog(main, "Soill Layers"), editor_(main.Tables().D, [this] { MarkModified(); })
{
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Layers Definition", this);
    auto* groupLayout = new QVBoxLayout(group);
    grid_ = new QTableWidget(0, 7, group);
    grid_->setObjectName("LayerGrid");
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Tab goes from control to control as in any window, so that a field left
    // with Tab is checked (the grid's own Tab would move its current cell and
    // give the next control the focus without saying why).
    grid_->setTabKeyNavigation(false);
    grid_->setFocusPolicy(Qt::NoFocus);
    // The columns keep their proportions; the grid is drawn as wide as the
    // header texts of either unit system need in the font of this desktop.
    const QFontMetrics metrics(grid_->horizontalHeader()->font());
    std::array<int, 7> needed{};
    for (int units : {1, 2})
        for (const auto& line : app::SoilLayerHeaders(units))
            for (std::size_t c = 0; c < needed.size(); ++c)
                needed[c] = std::max(needed[c],
                                     metrics.horizontalAdvance(QString::fromStdString(line[c]).trimmed()) + 16);
    columnWidths_ = app::SoilLayerColumnWidths(app::SoilLayerGridWidth(needed));
    int total = 0;
    for (int width : columnWidths_)
        total += width;
    grid_->horizontalHeader()->setMinimumHeight(2 * metrics.height() + 8);
    grid_->setFixedSize(total + 2 * grid_->frameWidth() + grid_->verticalScrollBar()->sizeHint().width(),
                        kGridHeight + 2 * metrics.height());
    groupLayout->addWidget(grid_);
    layout->addWidget(group);

    auto* buttons = new QHBoxLayout;
    insert_ = new QPushButton("Insert Layer", this);
    add_ = new QPushButton("Add Layer", this);
    delete_ = new QPushButton("Delete Layer", this);
    confirm_ = new QCheckBox("Confirm Deletion", this);
    confirm_->setChecked(true);
    close_ = new QPushButton("Close", this);
    for (QWidget* w : std::initializer_list<QWidget*>{insert_, add_, delete_, confirm_})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(close_);
    layout->addLayout(buttons);
    connect(insert_, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonInsClick);
    connect(add_, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonAddClick);
    connect(delete_, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonDelClick);
    connect(close_, &QPushButton::clicked, this, &TDlgSoilLayers::CloseClick);

    for (const char* note :
         {"Notes:", "* Bottom of last layer must be deeper than the pile tip plus two pile diameters.",
          "** If entries are left as zero, the program assumes no limits in Side/End Transfers.",
          "** Use a very small number (e.g. 0.001) for layers where load transfer should be ignored.",
          "*** Reduction factors can be specified for LRFD requirement or for other design considerations such as "
          "driving strength loss."})
        layout->addWidget(new QLabel(note, this));
}

QPushButton* TDlgSoilLayers::EditButton(int layer) const
{
    return qobject_cast<QPushButton*>(grid_->cellWidget(layer, 0));
}

QComboBox* TDlgSoilLayers::SoilTypeList(int layer) const
{
    return qobject_cast<QComboBox*>(grid_->cellWidget(layer, 1));
}

widgets::TDataEdit* TDlgSoilLayers::Field(int layer, app::TLayerField field) const
{
    return qobject_cast<widgets::TDataEdit*>(grid_->cellWidget(layer, 2 + field));
}

void TDlgSoilLayers::LoadFromProject()
{
    std::array<bool, app::kMethodCount + 1> selected{};
    for (int k = 1; k <= app::kMethodCount; ++k)
        selected[static_cast<std::size_t>(k)] = Project().MethodSelected[static_cast<std::size_t>(k)] == 1;
    siltAllowed_ = app::UsaceAlone(selected);
    editor_.Load();
    Rebuild();
}

void TDlgSoilLayers::StoreToProject()
{
    editor_.Store();
}

void TDlgSoilLayers::Rebuild()
{
    // The control of the grid that has the focus, or gets it back when the
    // window is active again (a click into the window activates it, which
    // rebuilds the rows under the pointer; the properties window rebuilds
    // them when it closes): its cell takes the focus over to the new control.
    int focusRow = -1;
    int focusColumn = -1;
    if (QWidget* focused = focusWidget())
        for (int r = 0; r < grid_->rowCount() && focusRow < 0; ++r)
            for (int c = 0; c < grid_->columnCount(); ++c)
                if (grid_->cellWidget(r, c) == focused) {
                    focusRow = r;
                    focusColumn = c;
                    // Away from the control before it goes, so that the focus
                    // does not wander to another window's control meanwhile.
                    grid_->setFocus(Qt::OtherFocusReason);
                    break;
                }

    building_ = true;
    const auto headers = app::SoilLayerHeaders(Project().Units);
    QStringList labels;
    for (std::size_t c = 0; c < headers[0].size(); ++c)
        labels << QString::fromStdString(headers[0][c] + "\n" + headers[1][c]);
    grid_->setHorizontalHeaderLabels(labels);
    for (int c = 0; c < 7; ++c)
        grid_->setColumnWidth(c, columnWidths_[static_cast<std::size_t>(c)]);

    grid_->setRowCount(0);
    grid_->setRowCount(editor_.LayerCount());
    for (int layer = 0; layer < editor_.LayerCount(); ++layer) {
        const app::TSoilLayerRow& row = editor_.Layer(layer);
        auto* button = new QPushButton(QString::fromStdString("Edit Layer " + components::FormatInteger(layer + 1)));
        connect(button, &QPushButton::clicked, this, [this, layer] { ButtonClick(layer); });
        auto* combo = new QComboBox;
        combo->addItems({"Sand", "Clay"});
        if (siltAllowed_)
            combo->addItem("Silt");
        combo->setMaxVisibleItems(combo->count());
        // A silt layer keeps its code where the list offers no "Silt".
        combo->setCurrentIndex(row.SoilType - 1 < combo->count() ? row.SoilType - 1 : -1);
        connect(combo, &QComboBox::currentIndexChanged, this, [this, layer](int index) {
            if (!building_ && index >= 0)
                editor_.ChangeType(layer, index);
        });
        grid_->setCellWidget(layer, 0, button);
        grid_->setCellWidget(layer, 1, combo);
        for (QWidget* w : std::initializer_list<QWidget*>{button, combo}) {
            w->setProperty(kLayerProperty, layer);
            w->installEventFilter(this);
        }
        for (int f = 0; f < app::kLayerFieldCount; ++f) {
            auto* edit = new widgets::TDataEdit;
            edit->SetNumber(row.Values[static_cast<std::size_t>(f)]);
            edit->setProperty(kLayerProperty, layer);
            edit->installEventFilter(this);
            connect(edit, &QLineEdit::textChanged, this, [this, edit, layer, f] {
                if (building_)
                    return;
                try {
                    editor_.SetField(layer, static_cast<app::TLayerField>(f), edit->Number());
                } catch (const components::Exception&) {
                    // Not a number yet (or a zero divisor): leaving the field says so.
                }
            });
            grid_->setCellWidget(layer, 2 + f, edit);
        }
    }
    building_ = false;
    // Tab runs through the rows in reading order, then on to the buttons.
    QWidget* previous = nullptr;
    for (int r = 0; r < grid_->rowCount(); ++r)
        for (int c = 0; c < grid_->columnCount(); ++c)
            if (QWidget* w = grid_->cellWidget(r, c)) {
                if (previous)
                    QWidget::setTabOrder(previous, w);
                previous = w;
            }
    for (QWidget* w : std::initializer_list<QWidget*>{insert_, add_, delete_, confirm_, close_}) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    }
    if (focusRow >= 0) {
        if (QWidget* w = grid_->cellWidget(std::min(focusRow, grid_->rowCount() - 1), focusColumn)) {
            w->setFocus(Qt::OtherFocusReason);
            // Typing goes on after the value, as in the field that was left.
            if (auto* edit = qobject_cast<QLineEdit*>(w))
                edit->end(false);
        } else
            add_->setFocus(Qt::OtherFocusReason);
    }
    ShowButtons();
}

void TDlgSoilLayers::ShowButtons()
{
    add_->setEnabled(editor_.CanAdd());
    insert_->setEnabled(editor_.CanInsert());
    delete_->setEnabled(editor_.CanDelete());
}

bool TDlgSoilLayers::eventFilter(QObject* watched, QEvent* event)
{
    // A control entered makes its layer the current one (Insert and Delete act on it).
    if (event->type() == QEvent::FocusIn) {
        const QVariant layer = watched->property(kLayerProperty);
        if (layer.isValid())
            editor_.SetCurrentLayer(layer.toInt());
    }
    return TInputDialog::eventFilter(watched, event);
}

void TDlgSoilLayers::ButtonAddClick()
{
    if (!widgets::ValidateLastEntry(this) || !editor_.CanAdd())
        return;
    editor_.AddLayer();
    Rebuild();
    grid_->scrollToBottom();
}

void TDlgSoilLayers::ButtonInsClick()
{
    if (!widgets::ValidateLastEntry(this) || !editor_.CanInsert())
        return;
    editor_.InsertLayer();
    Rebuild();
}

void TDlgSoilLayers::ButtonDelClick()
{
    if (!widgets::ValidateLastEntry(this) || !editor_.CanDelete())
        return;
    if (confirm_->isChecked() && !widgets::Ui().Messages->YesNo(editor_.DeleteQuestion()))
        return;
    editor_.DeleteLayer();
    Rebuild();
}

void TDlgSoilLayers::CloseClick()
{
    if (!widgets::ValidateLastEntry(this))
        return;
    if (const auto message = editor_.CloseCheck()) {
        widgets::Ui().Messages->Warning(*message);
        return;
    }
    RequestClose();
}

void TDlgSoilLayers::ButtonClick(int layer)
{
    if (soils_ || layer < 0 || layer >= editor_.LayerCount())
        return;
    // Leaving for the properties window stores the rows, as any deactivation does.
    if (!Deactivate())
        return;
    editor_.SetCurrentLayer(layer);
    soils_ = new TDlgSoils(Project(), Tables().D, [this] { MarkModified(); }, this);
    soils_->setAttribute(Qt::WA_DeleteOnClose);
    soils_->SetLayer(layer + 1);
    // Its fields show the rows again once it is gone.
    connect(soils_, &QDialog::finished, this, [this, layer] {
        Rebuild();
        editor_.SetCurrentLayer(layer);
    });
    soils_->setWindowModality(Qt::ApplicationModal);
    soils_->show();
}

} // namespace korva::app_widgets
