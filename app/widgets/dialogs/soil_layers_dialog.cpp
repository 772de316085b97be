#include "dialogs/soil_layers_dialog.h"

#include <algorithm>
#include <array>

#include <QApplication>
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
#include <QScopedValueRollback>
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
constexpr int kColumnCount = 7;
constexpr int kFirstFieldColumn = 2;
// The layer a control of the grid stands for (renumbered as rows move) and
// its column (fixed).
constexpr const char* kLayerProperty = "layer";
constexpr const char* kColumnProperty = "column";

// The layer of a control of the grid; -1 for any other widget.
int LayerOf(const QObject* control)
{
    const QVariant layer = control ? control->property(kLayerProperty) : QVariant();
    return layer.isValid() ? layer.toInt() : -1;
}

} // namespace

TDlgSoilLayers::TDlgSoilLayers(TMainForm& main)
    : TInputDialog(main, "Soill Layers"), editor_(main.Tables().D, [this] { MarkModified(); })
{
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox("Layers Definition", this);
    auto* groupLayout = new QVBoxLayout(group);
    grid_ = new QTableWidget(0, kColumnCount, group);
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
    std::array<int, kColumnCount> needed{};
    for (int units : {1, 2})
        for (const auto& line : app::SoilLayerHeaders(units))
            for (std::size_t c = 0; c < needed.size(); ++c)
                needed[c] = std::max(needed[c],
                                     metrics.horizontalAdvance(QString::fromStdString(line[c]).trimmed()) + 16);
    const std::array<int, kColumnCount> widths = app::SoilLayerColumnWidths(app::SoilLayerGridWidth(needed));
    int total = 0;
    for (int c = 0; c < kColumnCount; ++c) {
        grid_->setColumnWidth(c, widths[static_cast<std::size_t>(c)]);
        total += widths[static_cast<std::size_t>(c)];
    }
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
    SetTabOrder();
    editor_.SetRows(this);
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
    return qobject_cast<widgets::TDataEdit*>(grid_->cellWidget(layer, kFirstFieldColumn + field));
}

void TDlgSoilLayers::LoadFromProject()
{
    std::array<bool, app::kMethodCount + 1> selected{};
    for (int k = 1; k <= app::kMethodCount; ++k)
        selected[static_cast<std::size_t>(k)] = Project().MethodSelected[static_cast<std::size_t>(k)] == 1;
    siltAllowed_ = app::UsaceAlone(selected);
    const auto headers = app::SoilLayerHeaders(Project().Units);
    QStringList labels;
    for (std::size_t c = 0; c < headers[0].size(); ++c)
        labels << QString::fromStdString(headers[0][c] + "\n" + headers[1][c]);
    grid_->setHorizontalHeaderLabels(labels);
    editor_.Load(); // the rows follow in place
    // The control in use keeps the focus through the activation (a click
    // into the inactive window lands in it): its layer is the current one
    // again, and typing goes on after the value.
    QWidget* focused = focusWidget();
    if (const int layer = LayerOf(focused); layer >= 0) {
        editor_.SetCurrentLayer(layer);
        if (auto* edit = qobject_cast<QLineEdit*>(focused); edit && edit->hasFocus())
            edit->end(false);
    }
    ShowButtons();
}

void TDlgSoilLayers::StoreToProject()
{
    editor_.Store();
}

void TDlgSoilLayers::RowsInserted(int first, int count)
{
    for (int layer = first; layer < first + count; ++layer) {
        grid_->insertRow(layer);
        MakeRow(layer);
        ShowRow(layer);
    }
    for (int layer = first + count; layer < grid_->rowCount(); ++layer)
        NumberRow(layer);
    SetTabOrder();
    ShowButtons();
}

void TDlgSoilLayers::RowsRemoved(int first, int count)
{
    // A control of the removed rows that has the focus hands it over first:
    // hidden with it, it would pass it along the Tab order as if left with
    // Tab.
    QWidget* focused = QApplication::focusWidget();
    const int focusLayer = isAncestorOf(focused) ? LayerOf(focused) : -1;
    const bool handOver = focusLayer >= first && focusLayer < first + count;
    const int focusColumn = handOver ? focused->property(kColumnProperty).toInt() : -1;
    if (handOver)
        grid_->setFocus(Qt::OtherFocusReason);
    // The grid makes the cell of the control last focused its current one,
    // and when that cell's row goes it gives the focus to the cell taking
    // over, even from a button: it has no current cell while rows go.
    grid_->setCurrentIndex(QModelIndex());
    for (int k = 0; k < count; ++k)
        grid_->removeRow(first);
    for (int layer = first; layer < grid_->rowCount(); ++layer)
        NumberRow(layer);
    SetTabOrder();
    ShowButtons();
    if (handOver) {
        // The same column of the row taking over, or Add when none is left.
        const int row = app::RowTakingOver(first, grid_->rowCount());
        QWidget* next = row >= 0 ? grid_->cellWidget(row, focusColumn) : add_;
        next->setFocus(Qt::OtherFocusReason);
        // Typing goes on after the value, as in the field that went.
        if (auto* edit = qobject_cast<QLineEdit*>(next))
            edit->end(false);
    }
}

void TDlgSoilLayers::RowsChanged(int first, int count)
{
    for (int layer = first; layer < first + count; ++layer)
        ShowRow(layer);
}

void TDlgSoilLayers::MakeRow(int layer)
{
    auto* button = new QPushButton;
    connect(button, &QPushButton::clicked, this, [this, button] { ButtonClick(LayerOf(button)); });
    auto* combo = new QComboBox;
    combo->addItems({"Sand", "Clay"});
    connect(combo, &QComboBox::currentIndexChanged, this, [this, combo](int index) {
        if (!showing_ && index >= 0)
            editor_.ChangeType(LayerOf(combo), index);
    });
    std::array<QWidget*, kColumnCount> controls{button, combo};
    for (int f = 0; f < app::kLayerFieldCount; ++f) {
        auto* edit = new widgets::TDataEdit;
        // The unit is in the column's header; the field shows its value with
        // the digits that unit carries.
        edit->SetUnitsString(app::LayerFieldUnits(Tables().D, static_cast<app::TLayerField>(f)));
        connect(edit, &QLineEdit::textChanged, this, [this, edit, f] {
            if (showing_)
                return;
            try {
                editor_.SetField(LayerOf(edit), static_cast<app::TLayerField>(f), edit->Number());
            } catch (const components::Exception&) {
                // Not a number yet (or a zero divisor): leaving the field says so.
            }
        });
        controls[static_cast<std::size_t>(kFirstFieldColumn + f)] = edit;
    }
    for (int c = 0; c < kColumnCount; ++c) {
        QWidget* control = controls[static_cast<std::size_t>(c)];
        control->setProperty(kColumnProperty, c);
        control->installEventFilter(this);
        grid_->setCellWidget(layer, c, control);
    }
}

void TDlgSoilLayers::NumberRow(int layer)
{
    EditButton(layer)->setText(QString::fromStdString("Edit Layer " + components::FormatInteger(layer + 1)));
    for (int c = 0; c < kColumnCount; ++c)
        grid_->cellWidget(layer, c)->setProperty(kLayerProperty, layer);
}

void TDlgSoilLayers::ShowRow(int layer)
{
    const QScopedValueRollback<bool> showing(showing_, true);
    NumberRow(layer);
    const app::TSoilLayerRow& row = editor_.Layer(layer);
    QComboBox* combo = SoilTypeList(layer);
    // "Silt" as the methods of this activation allow.
    if (siltAllowed_ && combo->count() == 2)
        combo->addItem("Silt");
    else if (!siltAllowed_ && combo->count() == 3)
        combo->removeItem(2);
    combo->setMaxVisibleItems(combo->count());
    // A silt layer keeps its code where the list offers no "Silt".
    combo->setCurrentIndex(row.SoilType - 1 < combo->count() ? row.SoilType - 1 : -1);
    // Unchanged values leave their fields (the caret, the selection) alone.
    for (int f = 0; f < app::kLayerFieldCount; ++f)
        Field(layer, static_cast<app::TLayerField>(f))->SetNumber(row.Values[static_cast<std::size_t>(f)]);
}

void TDlgSoilLayers::SetTabOrder()
{
    // Tab runs through the rows in reading order, then on to the buttons.
    QWidget* previous = nullptr;
    const auto follow = [&previous](QWidget* w) {
        if (previous)
            QWidget::setTabOrder(previous, w);
        previous = w;
    };
    for (int r = 0; r < grid_->rowCount(); ++r)
        for (int c = 0; c < kColumnCount; ++c)
            follow(grid_->cellWidget(r, c));
    for (QWidget* w : std::initializer_list<QWidget*>{insert_, add_, delete_, confirm_, close_})
        follow(w);
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
    grid_->scrollToBottom();
}

void TDlgSoilLayers::ButtonInsClick()
{
    if (!widgets::ValidateLastEntry(this) || !editor_.CanInsert())
        return;
    editor_.InsertLayer();
}

void TDlgSoilLayers::ButtonDelClick()
{
    if (!widgets::ValidateLastEntry(this) || !editor_.CanDelete())
        return;
    if (confirm_->isChecked() && !widgets::Ui().Messages->YesNo(editor_.DeleteQuestion()))
        return;
    editor_.DeleteLayer();
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
    soils_->setWindowModality(Qt::ApplicationModal);
    soils_->show();
}

} // namespace korva::app_widgets
