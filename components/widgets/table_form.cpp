#include "table_form.h"

#include <algorithm>
#include <functional>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QFocusEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>

#include "column_types.h"
#include "entry_focus.h"
#include "exceptions.h"
#include "guards.h"
#include "number_format.h"
#include "ui_services.h"

namespace korva::widgets {

using components::Exception;
using components::TColumn;
using components::TGridTable;
using components::TSizingEdge;
using components::TTableCell;
using components::TWindowMode;

namespace {

QString Q(const std::string& text)
{
    return QString::fromStdString(text);
}

// The default row height of the grid; a row takes one more pixel for its line.
constexpr int kRowHeight = 24;
// The row buttons: 81 by 21 pixels at 96 pixels per inch, or their text's size.
constexpr int kButtonWidth = 81;
constexpr int kButtonHeight = 21;
// How long the window waits after the last resize before it snaps: window
// managers on Linux do not tell when a drag ends.
constexpr int kSnapDelayMs = 250;

// A selection model that asks before the current cell moves.
class TGuardedSelection : public QItemSelectionModel {
public:
    TGuardedSelection(QAbstractItemModel* model, std::function<bool(const QModelIndex&)> canMove, QObject* parent)
        : QItemSelectionModel(model, parent), canMove_(std::move(canMove))
    {
    }
    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        if (index != currentIndex() && !canMove_(index))
            return;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

private:
    std::function<bool(const QModelIndex&)> canMove_;
};

} // namespace

// ---------------------------------------------------------------------------
// TGridTableModel

TGridTableModel::TGridTableModel(TGridTable& table, QObject* parent) : QAbstractTableModel(parent), table_(&table)
{
}

int TGridTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(texts_.size());
}

int TGridTableModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid() || texts_.empty())
        return parent.isValid() || !table_ ? 0 : table_->VisibleColumnCount();
    return static_cast<int>(texts_.front().size());
}

QVariant TGridTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= columnCount())
        return {};
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return Q(texts_[static_cast<std::size_t>(index.row())][static_cast<std::size_t>(index.column())]);
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    return {};
}

QVariant TGridTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || !table_)
        return {};
    if (orientation == Qt::Vertical)
        return Q(components::FormatInteger(section / table_->RowGroup() + 1));
    if (section < 0 || section >= table_->VisibleColumnCount())
        return {};
    // One line per header row; a column with fewer lines leaves the lower
    // header rows empty.
    const TColumn& column = table_->VisibleColumn(section);
    QStringList lines;
    for (int h = 0; h < table_->HeaderRowCount(); ++h)
        lines << (h < column.HeaderCount() ? Q(column.GetHeader(h)) : QString());
    return lines.join('\n');
}

void TGridTableModel::Reload()
{
    beginResetModel();
    texts_.clear();
    if (table_) {
        const int columns = table_->VisibleColumnCount();
        texts_.assign(static_cast<std::size_t>(std::max(0, table_->RowCount())),
                      std::vector<std::string>(static_cast<std::size_t>(columns)));
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < table_->RowCount(); ++r)
                if (!HasControls(c))
                    texts_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = ColumnAt(c).GetAsString(r);
    }
    endResetModel();
}

void TGridTableModel::ReloadTexts()
{
    for (int c = 0; c < columnCount(); ++c)
        if (!HasControls(c))
            for (int r = 0; r < rowCount(); ++r)
                texts_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = ColumnAt(c).GetAsString(r);
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void TGridTableModel::ReloadCell(int row, int column)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount() || HasControls(column))
        return;
    texts_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = ColumnAt(column).GetAsString(row);
    emit dataChanged(index(row, column), index(row, column));
}

TColumn& TGridTableModel::ColumnAt(int column) const
{
    components::Check<Exception>(table_ != nullptr, "The table is gone");
    return table_->VisibleColumn(column);
}

bool TGridTableModel::HasControls(int column) const
{
    return table_ && column >= 0 && column < table_->VisibleColumnCount() && ColumnAt(column).UsesControls();
}

std::string TGridTableModel::CellText(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return {};
    return texts_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void TGridTableModel::SetCellText(int row, int column, const std::string& text)
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return;
    texts_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = text;
    emit dataChanged(index(row, column), index(row, column));
}

bool TGridTableModel::Commit(int row, int column, std::string& message)
{
    if (!table_ || row < 0 || row >= rowCount() || column < 0 || column >= columnCount() || HasControls(column))
        return true;
    TColumn& target = ColumnAt(column);
    const std::string text = CellText(row, column);
    // Only what the user changed is stored: the grid shows a float with 8
    // digits, and storing that text back would round the value.
    if (text == target.GetAsString(row))
        return true;
    try {
        target.SetAsString(row, text);
    } catch (const Exception& e) {
        message = e.Message();
        return false;
    }
    return true;
}

void TGridTableModel::Forget()
{
    beginResetModel();
    table_ = nullptr;
    texts_.clear();
    endResetModel();
}

// ---------------------------------------------------------------------------
// TTableForm

template <class F>
void TTableForm::Guarded(F&& handler)
{
    try {
        handler();
    } catch (const Exception& e) {
        Ui().Messages->Information(e.Message());
    }
}

TTableForm::TTableForm(TGridTable& table, TWindowMode mode, QWidget* parent)
    : QWidget(parent), table_(&table), mode_(mode)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("TableForm");

    grid_ = new QTableView(this);
    grid_->setObjectName("Grid");
    model_ = new TGridTableModel(table, this);
    grid_->setModel(model_);
    grid_->setSelectionModel(new TGuardedSelection(
        model_, [this](const QModelIndex& index) { return CanMoveTo(index); }, grid_));
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setTabKeyNavigation(false);
    grid_->setWordWrap(false);
    grid_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
    grid_->setCornerButtonEnabled(false);
    for (QHeaderView* header : {grid_->horizontalHeader(), grid_->verticalHeader()}) {
        header->setSectionResizeMode(QHeaderView::Fixed);
        header->setMinimumSectionSize(1);
        header->setHighlightSections(false);
    }
    grid_->verticalHeader()->setDefaultSectionSize(RowExtent());
    grid_->verticalHeader()->setDefaultAlignment(Qt::AlignCenter);

    topLeft_ = new QLabel(grid_);
    topLeft_->setAlignment(Qt::AlignCenter);
    topLeft_->setWordWrap(true);
    topLeft_->setAttribute(Qt::WA_TransparentForMouseEvents);

    // The in-place editor: always over the current text cell, as the cell's
    // keyboard; the grid hands it the focus.
    editor_ = new QLineEdit(grid_->viewport());
    editor_->setObjectName("CellEditor");
    editor_->setFrame(false);
    editor_->installEventFilter(this);
    grid_->setFocusProxy(editor_);
    connect(editor_, &QLineEdit::textEdited, this, [this](const QString& text) {
        const TTableCell cell = CurrentCell();
        model_->SetCellText(cell.Row, cell.Column, text.toStdString());
    });
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { PlaceEditor(); });
    connect(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, [this] { LayoutControls(); });
    connect(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { Layout(); });

    btnAdd_ = new QPushButton("&Add Row", this);
    btnIns_ = new QPushButton("&Insert Row", this);
    btnDel_ = new QPushButton("&Delete Row", this);
    btnAdd_->setObjectName("BtnAdd");
    btnIns_->setObjectName("BtnIns");
    btnDel_->setObjectName("BtnDel");
    connect(btnAdd_, &QPushButton::clicked, this, [this] { Guarded([this] { AddRowClick(); }); });
    connect(btnIns_, &QPushButton::clicked, this, [this] { Guarded([this] { InsertRowClick(); }); });
    connect(btnDel_, &QPushButton::clicked, this, [this] { Guarded([this] { DeleteRowClick(); }); });
    setTabOrder(grid_, btnAdd_);
    setTabOrder(btnAdd_, btnIns_);
    setTabOrder(btnIns_, btnDel_);

    lblComments_ = new QLabel(this);
    lblComments_->setObjectName("Comments");
    lblComments_->setWordWrap(true);
    lblComments_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    imgHelp_ = new QLabel(this);
    imgHelp_->setObjectName("HelpPicture");

    snapTimer_.setSingleShot(true);
    snapTimer_.setInterval(kSnapDelayMs);
    connect(&snapTimer_, &QTimer::timeout, this, [this] { Guarded([this] { SnapAfterResize(); }); });
}

TTableForm::~TTableForm()
{
    closing_ = true;
    // Freed without a close (its MDI area or parent went first): the table
    // must not keep a window that is gone.
    if (table_ && table_->Form() == this)
        table_->DisconnectWindow();
}

QWidget* TTableForm::Frame() const
{
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget()))
        return sub;
    return const_cast<TTableForm*>(this);
}

int TTableForm::Margin() const
{
    return std::max(1, logicalDpiX() / 20);
}

int TTableForm::RowExtent() const
{
    return kRowHeight + 1;
}

int TTableForm::TopDataRow() const
{
    return grid_ ? grid_->verticalScrollBar()->value() : 0;
}

int TTableForm::LeftColumn() const
{
    return grid_ ? grid_->horizontalScrollBar()->value() : 0;
}

void TTableForm::Show()
{
    if (!table_)
        return;
    if (!shown_)
        FormShow();
    QWidget* frame = Frame();
    frame->show();
    frame->raise();
    frame->activateWindow();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(frame))
        if (QMdiArea* area = sub->mdiArea())
            area->setActiveSubWindow(sub);
    if (grid_->isVisible())
        grid_->setFocus(Qt::OtherFocusReason);
    if (!IsModal())
        return;
    // Shown modally: the caller waits until the window is closed.
    QPointer<TTableForm> self(this);
    QEventLoop loop;
    connect(this, &QObject::destroyed, &loop, &QEventLoop::quit);
    if (self && isVisible())
        loop.exec();
}

void TTableForm::FormShow()
{
    shown_ = true;
    TGridTable& table = *table_;
    if (table.RowCount() < table.MinRows())
        table.SetRowCount(table.MinRows());
    CaptionChanged();

    topLeft_->setText(Q(table.TopLeft));
    lblComments_->setText(Q(DisplayText(table.Comments)));
    lblComments_->setVisible(!table.Comments.empty());
    UpdatePicture();

    visibleCols_ = table.VisibleColumnCount();
    visibleRows_ = std::max(1, std::min(table.RowCount(), components::kTableVisibleRowLimit));
    table.RowsChangedHook = [this] { Guarded([this] { Fill(); }); };
    table.CellChangedHook = [this](int col, int row) { CellChangedInTable(col, row); };
    table.ConnectWindow(this, this);
    Fill();
}

void TTableForm::Fill()
{
    if (!table_)
        return;
    ++layingOut_;
    const TTableCell current = CurrentCell();
    TGridTable& table = *table_;
    visibleCols_ = std::min(visibleCols_, table.VisibleColumnCount());
    visibleRows_ = std::max(1, std::min(visibleRows_, table.RowCount()));
    headerRows_ = table.HeaderRowCount();

    restoring_ = true;
    model_->Reload();
    restoring_ = false;
    components::TTextMeasure measure;
    measure.PixelsPerInch = logicalDpiX();
    const QFontMetrics metrics = grid_->horizontalHeader()->fontMetrics();
    measure.TextWidth = [metrics](std::string_view text) {
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    };
    for (int k = 0; k < table.VisibleColumnCount(); ++k)
        grid_->setColumnWidth(k, table.VisibleColumn(k).ColumnWidth(measure) + 1);
    const int fixedWidth = std::max(measure.TextWidth(table.TopLeft + "  "), measure.PixelsPerInch / 3);
    grid_->verticalHeader()->setFixedWidth(fixedWidth + 1);
    grid_->horizontalHeader()->setVisible(headerRows_ > 0);
    grid_->horizontalHeader()->setFixedHeight(headerRows_ * RowExtent());

    const components::TTableButtonState buttons =
        components::TableButtons(table.MinRows(), table.MaxRows(), table.RowCount());
    for (QPushButton* button : {btnAdd_, btnIns_, btnDel_})
        button->setVisible(buttons.Visible);
    btnAdd_->setEnabled(buttons.AddEnabled);
    btnIns_->setEnabled(buttons.AddEnabled);
    btnDel_->setEnabled(buttons.DeleteEnabled);
    --layingOut_;
    Layout();
    RestoreCurrent(current);
}

void TTableForm::Layout()
{
    if (!table_ || !shown_ || layingOut_ > 0)
        return;
    ++layingOut_;
    const int margin = Margin();
    const QSize buttonSize(std::max(kButtonWidth * logicalDpiX() / 96, btnIns_->sizeHint().width()),
                           std::max(kButtonHeight * logicalDpiY() / 96, btnIns_->sizeHint().height()));
    for (QPushButton* button : {btnAdd_, btnIns_, btnDel_})
        button->resize(buttonSize);

    components::TTableLayoutInput in;
    in.Margin = margin;
    in.GridFrame = 2 * grid_->frameWidth();
    in.FixedWidth = grid_->verticalHeader()->width();
    in.RowExtent = RowExtent();
    in.HeaderRows = headerRows_;
    in.DataRows = table_->RowCount();
    in.VisibleRows = visibleRows_;
    for (int k = 0; k < model_->columnCount(); ++k)
        in.ColumnExtents.push_back(grid_->columnWidth(k));
    in.LeftColumn = LeftColumn();
    in.VisibleColumns = visibleCols_;
    in.VScrollWidth = grid_->verticalScrollBar()->sizeHint().width();
    in.HScrollHeight = grid_->horizontalScrollBar()->sizeHint().height();
    in.ButtonsVisible = !btnAdd_->isHidden();
    in.ButtonRowRight = margin + 3 * buttonSize.width() + 2 * margin;
    in.ButtonHeight = buttonSize.height();
    if (!lblComments_->isHidden())
        in.LabelHeight = [this](int width) { return lblComments_->heightForWidth(width); };
    in.ImageHeight = imgHelp_->isHidden() ? 0 : imgHelp_->sizeHint().height();
    const components::TTableLayout l = components::LayoutTableWindow(in);

    grid_->setVerticalScrollBarPolicy(l.VScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    grid_->setHorizontalScrollBarPolicy(l.HScroll ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    grid_->setGeometry(margin, margin, l.GridWidth, l.GridHeight);
    topLeft_->setGeometry(grid_->frameWidth(), grid_->frameWidth(), in.FixedWidth,
                          std::max(0, headerRows_ * RowExtent()));
    topLeft_->setVisible(headerRows_ > 0);
    topLeft_->raise();
    btnAdd_->move(margin, l.ButtonsTop);
    btnIns_->move(btnAdd_->geometry().right() + 1 + margin, l.ButtonsTop);
    btnDel_->move(btnIns_->geometry().right() + 1 + margin, l.ButtonsTop);
    lblComments_->setGeometry(margin, l.LabelTop, l.LabelWidth, l.LabelHeight);
    imgHelp_->setGeometry(margin, l.ImageTop, imgHelp_->sizeHint().width(), in.ImageHeight);

    laidOutSize_ = QSize(l.ClientWidth, l.ClientHeight);
    resize(laidOutSize_);
    if (auto* sub = qobject_cast<QMdiSubWindow*>(Frame()))
        sub->resize(sub->sizeHint());
    laidOutFrame_ = Frame()->geometry();
    --layingOut_;
    LayoutControls();
    if (table_ && table_->OnResize)
        table_->OnResize();
}

void TTableForm::LayoutControls()
{
    if (!table_ || !shown_ || table_->RowCount() <= 0)
        return;
    // The first row shown plus the rows shown never run past the last row.
    const int rows = std::min(visibleRows_, table_->RowCount());
    const int top = std::clamp(TopDataRow(), 0, table_->RowCount() - rows);
    for (TColumn* column : table_->Columns())
        if (column->UsesControls() && column->Visible)
            column->AllocateControls(this, top, rows);
    SyncControls();
    PlaceEditor();
}

void TTableForm::SyncControls()
{
    if (!table_)
        return;
    const int left = LeftColumn();
    for (TColumn* column : table_->Columns()) {
        if (!column->UsesControls())
            continue;
        const int colIndex = table_->IndexOfColumn(column);
        const int visibleIndex = table_->VisibleIndexOf(column);
        const bool inView = column->Visible && visibleIndex >= left && visibleIndex < left + visibleCols_;
        auto* enumColumn = dynamic_cast<components::TEnumColumn*>(column);
        auto* tableColumn = dynamic_cast<components::TTableColumn*>(column);
        const int count = column->Visible ? column->ControlCount() : 0;
        if (enumColumn) {
            std::vector<QComboBox*>& combos = combos_[colIndex];
            while (static_cast<int>(combos.size()) > count) {
                delete combos.back();
                combos.pop_back();
            }
            while (static_cast<int>(combos.size()) < count) {
                const int i = static_cast<int>(combos.size());
                auto* combo = new QComboBox(grid_->viewport());
                combo->setMaxVisibleItems(11);
                combo->installEventFilter(this);
                combo->setProperty("korvaColumn", colIndex);
                combo->setProperty("korvaControl", i);
                connect(combo, &QComboBox::activated, this, [this, enumColumn, i](int item) {
                    Guarded([&] { enumColumn->ComboChange(i, item); });
                    if (table_)
                        SyncControls(); // also after a refused change
                });
                combos.push_back(combo);
            }
            QStringList items;
            for (const std::string& item : enumColumn->Items())
                items << Q(item);
            for (int i = 0; i < count; ++i) {
                QComboBox* combo = combos[static_cast<std::size_t>(i)];
                const components::TCellControl& control = column->Controls(i);
                const QSignalBlocker block(combo);
                if (combo->count() != items.size() ||
                    (combo->count() > 0 && combo->itemText(0) != items.front())) {
                    combo->clear();
                    combo->addItems(items);
                }
                combo->setCurrentIndex(control.ItemIndex);
                combo->setGeometry(grid_->visualRect(model_->index(control.Tag, visibleIndex)).adjusted(1, 1, -1, -1));
                combo->setVisible(inView);
            }
        } else if (tableColumn) {
            std::vector<QPushButton*>& buttons = buttons_[colIndex];
            while (static_cast<int>(buttons.size()) > count) {
                delete buttons.back();
                buttons.pop_back();
            }
            while (static_cast<int>(buttons.size()) < count) {
                const int i = static_cast<int>(buttons.size());
                auto* button = new QPushButton(grid_->viewport());
                connect(button, &QPushButton::clicked, this, [this, tableColumn, i] {
                    // A refused entry is being shown: the click waits.
                    if (FocusReturnPending(this))
                        return;
                    Guarded([&] { tableColumn->ButtonClick(i); });
                });
                buttons.push_back(button);
            }
            for (int i = 0; i < count; ++i) {
                QPushButton* button = buttons[static_cast<std::size_t>(i)];
                const components::TCellControl& control = column->Controls(i);
                button->setText(Q(control.Caption));
                button->setGeometry(grid_->visualRect(model_->index(control.Tag, visibleIndex)).adjusted(1, 1, -1, -1));
                button->setVisible(inView);
            }
        }
    }
}

void TTableForm::PlaceEditor()
{
    const TTableCell cell = CurrentCell();
    if (cell.Column < 0 || model_->HasControls(cell.Column)) {
        // Not while the grid refills: the focused editor would hand the
        // focus on as if Tab had been pressed.
        if (!restoring_ && layingOut_ == 0 && !editor_->hasFocus())
            editor_->hide();
        return;
    }
    const QModelIndex index = model_->index(cell.Row, cell.Column);
    const QString text = Q(model_->CellText(cell.Row, cell.Column));
    if (editor_->text() != text || !editor_->property("korvaCell").isValid() ||
        editor_->property("korvaCell").toPoint() != QPoint(cell.Column, cell.Row)) {
        editor_->setText(text);
        editor_->selectAll();
        editor_->setProperty("korvaCell", QPoint(cell.Column, cell.Row));
    }
    // Outside the rows shown the viewport clips it; hiding it would move the
    // focus on.
    editor_->setGeometry(grid_->visualRect(index).adjusted(1, 1, -1, -1));
    editor_->show();
    editor_->raise();
}

TTableCell TTableForm::CurrentCell() const
{
    const QModelIndex index = grid_ ? grid_->currentIndex() : QModelIndex();
    if (!index.isValid())
        return {-1, 0};
    return {index.column(), index.row()};
}

bool TTableForm::Selectable(int column) const
{
    return column >= 0 && column < model_->columnCount() && !model_->HasControls(column);
}

void TTableForm::RestoreCurrent(TTableCell cell)
{
    const int rows = model_->rowCount();
    const int columns = model_->columnCount();
    if (rows == 0 || columns == 0)
        return;
    int column = cell.Column;
    if (!Selectable(column))
        for (column = 0; column < columns && !Selectable(column); ++column) {
        }
    if (column >= columns)
        return;
    restoring_ = true;
    grid_->setCurrentIndex(model_->index(std::clamp(cell.Row, 0, rows - 1), column));
    restoring_ = false;
    PlaceEditor();
}

bool TTableForm::CanMoveTo(const QModelIndex& index)
{
    if (restoring_ || !table_)
        return true;
    bool accepted = false;
    Guarded([&] { accepted = index.isValid() && SelectCell(index.column(), index.row()); });
    return accepted;
}

bool TTableForm::SelectCell(int column, int row)
{
    if (!table_)
        return false;
    // A refused entry is being shown: one message, nothing else moves.
    if (FocusReturnPending(this))
        return false;
    if (CurrentCell().Column >= 0 && !CommitCell()) {
        ReturnFocusLater(editor_);
        return false;
    }
    model_->ReloadTexts(); // linked cells may have changed
    if (!Selectable(column) || row < 0 || row >= model_->rowCount())
        return false;
    if (restoring_ || grid_->currentIndex() == model_->index(row, column))
        return true;
    restoring_ = true;
    grid_->setCurrentIndex(model_->index(row, column));
    restoring_ = false;
    grid_->scrollTo(model_->index(row, column));
    return true;
}

bool TTableForm::CommitCell()
{
    const TTableCell cell = CurrentCell();
    if (!table_ || cell.Column < 0 || committing_)
        return true;
    committing_ = true;
    table_->SetChanged(true);
    std::string message;
    bool committed = false;
    Guarded([&] { committed = model_->Commit(cell.Row, cell.Column, message); });
    if (!committed && !message.empty())
        Ui().Messages->Information(message);
    committing_ = false;
    return committed;
}

void TTableForm::MoveTo(TTableCell cell)
{
    if (!Selectable(cell.Column) || cell.Row < 0 || cell.Row >= model_->rowCount())
        return;
    grid_->setCurrentIndex(model_->index(cell.Row, cell.Column));
    grid_->scrollTo(model_->index(cell.Row, cell.Column));
}

void TTableForm::FocusCell(int gridCol, int gridRow)
{
    // A control's cell cannot become current, but asking commits the cell
    // that is.
    Guarded([&] { SelectCell(gridCol - 1, gridRow - headerRows_); });
}

void TTableForm::CellChangedInTable(int col, int row)
{
    if (!table_ || col < 0 || col >= table_->ColumnCount())
        return;
    const int visibleIndex = table_->VisibleIndexOf(&table_->GetColumn(col));
    if (visibleIndex >= 0)
        model_->ReloadCell(row, visibleIndex);
    SyncControls();
    if (CurrentCell().Column == visibleIndex && CurrentCell().Row == row)
        PlaceEditor();
}

bool TTableForm::EditorKey(QKeyEvent* event)
{
    const TTableCell cell = CurrentCell();
    const int rows = model_->rowCount();
    const int columns = model_->columnCount();
    const auto step = [&](int from, int direction) {
        for (int c = from + direction; c >= 0 && c < columns; c += direction)
            if (Selectable(c))
                return c;
        return from;
    };
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // To the next row, then the top of the next column; control columns
        // are passed over.
        TTableCell next = components::CellAfterEnter(cell, columns, rows);
        for (int tries = 0; tries < columns && !Selectable(next.Column); ++tries)
            next = components::CellAfterEnter({next.Column, rows - 1}, columns, rows);
        MoveTo(next);
        return true;
    }
    case Qt::Key_Up:
        MoveTo({cell.Column, cell.Row - 1});
        return true;
    case Qt::Key_Down:
        MoveTo({cell.Column, cell.Row + 1});
        return true;
    case Qt::Key_PageUp:
        MoveTo({cell.Column, std::max(0, cell.Row - visibleRows_)});
        return true;
    case Qt::Key_PageDown:
        MoveTo({cell.Column, std::min(rows - 1, cell.Row + visibleRows_)});
        return true;
    case Qt::Key_Left:
        if (editor_->cursorPosition() > 0 || editor_->hasSelectedText())
            return false;
        MoveTo({step(cell.Column, -1), cell.Row});
        return true;
    case Qt::Key_Right:
        if (editor_->cursorPosition() < editor_->text().size() || editor_->hasSelectedText())
            return false;
        MoveTo({step(cell.Column, 1), cell.Row});
        return true;
    case Qt::Key_Escape:
        // Back to the value as stored.
        if (table_ && Selectable(cell.Column)) {
            model_->SetCellText(cell.Row, cell.Column, model_->ColumnAt(cell.Column).GetAsString(cell.Row));
            editor_->setText(Q(model_->CellText(cell.Row, cell.Column)));
            editor_->selectAll();
        }
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: {
        // Tab leaves the grid for the next control of the window.
        const bool forward = event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier);
        QWidget* w = editor_;
        for (int guard = 0; guard < 1000; ++guard) {
            w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
            if (!w || w == editor_)
                return true;
            if (w == grid_ || (grid_->isAncestorOf(w) && !qobject_cast<QComboBox*>(w) && !qobject_cast<QPushButton*>(w)))
                continue;
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
                EntryWindowOf(w) == EntryWindowOf(editor_)) {
                w->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
                return true;
            }
        }
        return true;
    }
    default:
        return false;
    }
}

void TTableForm::GridExit(QFocusEvent* event)
{
    // A modal window commits only when it closes.
    if (!table_ || IsModal() || !IsLeaving(editor_, event->reason()))
        return;
    if (!CommitCell())
        ReturnFocusLater(editor_);
}

bool TTableForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_) {
        if (event->type() == QEvent::KeyPress) {
            bool handled = false;
            Guarded([&] { handled = EditorKey(static_cast<QKeyEvent*>(event)); });
            return handled;
        }
        if (event->type() == QEvent::FocusOut)
            Guarded([&] { GridExit(static_cast<QFocusEvent*>(event)); });
    } else if (event->type() == QEvent::FocusIn && table_) {
        if (auto* combo = qobject_cast<QComboBox*>(watched)) {
            const int colIndex = combo->property("korvaColumn").toInt();
            const int control = combo->property("korvaControl").toInt();
            Guarded([&] {
                if (auto* column = dynamic_cast<components::TEnumColumn*>(&table_->GetColumn(colIndex));
                    column && control < column->ControlCount())
                    column->ComboEnter(control);
            });
        }
    }
    return QWidget::eventFilter(watched, event);
}

int TTableForm::CurrentDataRowChecked() const
{
    const int row = CurrentCell().Column >= 0 ? CurrentCell().Row : -1;
    components::Check<Exception>(row >= 0 && row < model_->rowCount(), "Grid.Row not in valid range");
    return row;
}

void TTableForm::AddRowClick()
{
    if (!table_ || FocusReturnPending(this))
        return;
    TGridTable& table = *table_;
    // The window refills once, at the end, whatever happens.
    auto hook = std::move(table.RowsChangedHook);
    table.RowsChangedHook = nullptr;
    const auto restore = [&] {
        table.SetChanged(true);
        table.RowsChangedHook = std::move(hook);
        Fill();
    };
    try {
        if (visibleRows_ == table.RowCount())
            visibleRows_ = std::min(visibleRows_ + table.RowGroup(), components::kTableVisibleRowLimit);
        table.AddRowGroup();
    } catch (...) {
        restore();
        throw;
    }
    restore();
    // The new rows are shown at the bottom.
    if (TopDataRow() + visibleRows_ < table.RowCount())
        grid_->verticalScrollBar()->setValue(table.RowCount() - visibleRows_);
}

void TTableForm::InsertRowClick()
{
    if (!table_ || FocusReturnPending(this))
        return;
    const int row = CurrentDataRowChecked();
    table_->SetChanged(true);
    if (table_->RowCount() == visibleRows_)
        visibleRows_ = std::min(visibleRows_ + table_->RowGroup(), components::kTableVisibleRowLimit);
    table_->InsertRowGroup(row);
}

void TTableForm::DeleteRowClick()
{
    if (!table_ || FocusReturnPending(this))
        return;
    const int row = CurrentDataRowChecked();
    table_->SetChanged(true);
    table_->DeleteRowGroup(row);
}

void TTableForm::FormDeactivate()
{
    if (closing_ || released_ || !table_ || IsModal() || committing_ || FocusReturnPending(this))
        return;
    if (CommitCell())
        return;
    // The entry is refused: the window takes the activation back.
    QPointer<TTableForm> self(this);
    QTimer::singleShot(0, this, [self] {
        if (!self)
            return;
        QWidget* frame = self->Frame();
        if (auto* sub = qobject_cast<QMdiSubWindow*>(frame); sub && sub->mdiArea())
            sub->mdiArea()->setActiveSubWindow(sub);
        frame->raise();
        frame->activateWindow();
        self->editor_->setFocus(Qt::OtherFocusReason);
    });
    ReturnFocusLater(editor_);
}

void TTableForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isWindow() && !isActiveWindow() && shown_)
        FormDeactivate();
}

void TTableForm::closeEvent(QCloseEvent* event)
{
    if (!released_ && table_ && !CommitCell()) {
        event->ignore();
        ReturnFocusLater(editor_);
        return;
    }
    closing_ = true;
    if (table_ && table_->Form() == this)
        table_->DisconnectWindow();
    table_ = nullptr;
    event->accept();
    // The MDI child window goes with its content.
    if (auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget())) {
        sub->setAttribute(Qt::WA_DeleteOnClose);
        QTimer::singleShot(0, sub, [sub] { sub->close(); });
    }
}

void TTableForm::Release()
{
    // The table has disconnected the window: close it without the commit.
    released_ = true;
    table_ = nullptr;
    model_->Forget();
    Frame()->close();
}

void TTableForm::TableGone()
{
    released_ = true;
    table_ = nullptr;
    model_->Forget();
    combos_.clear();
    buttons_.clear();
    QPointer<QWidget> frame(Frame());
    QTimer::singleShot(0, this, [frame] {
        if (frame)
            frame->close();
    });
}

void TTableForm::CaptionChanged()
{
    if (table_)
        setWindowTitle(Q(table_->WindowCaption()));
}

void TTableForm::UpdatePicture()
{
    QPixmap picture;
    if (table_ && !table_->HelpPicture().empty()) {
        const std::string& source = table_->HelpPicture();
        // The picture's bytes, or the path of an image file or resource.
        if (!picture.loadFromData(reinterpret_cast<const uchar*>(source.data()), static_cast<uint>(source.size())))
            picture.load(Q(source));
    }
    imgHelp_->setPixmap(picture);
    imgHelp_->setVisible(!picture.isNull());
}

void TTableForm::PictureChanged()
{
    UpdatePicture();
    Layout();
}

void TTableForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!shown_ || layingOut_ > 0 || size() == laidOutSize_ || mode_ == TWindowMode::Embedded)
        return;
    snapTimer_.start();
}

void TTableForm::SnapAfterResize()
{
    if (!table_ || size() == laidOutSize_)
        return;
    const QRect now = Frame()->geometry();
    const QRect before = laidOutFrame_;
    const bool left = now.left() != before.left();
    const bool top = now.top() != before.top();
    const bool right = now.right() != before.right();
    const bool bottom = now.bottom() != before.bottom();
    TSizingEdge edge = TSizingEdge::BottomRight;
    if (top)
        edge = left ? TSizingEdge::TopLeft : right ? TSizingEdge::TopRight : TSizingEdge::Top;
    else if (bottom)
        edge = left ? TSizingEdge::BottomLeft : right ? TSizingEdge::BottomRight : TSizingEdge::Bottom;
    else
        edge = left ? TSizingEdge::Left : TSizingEdge::Right;
    SnapToSize(now.width(), now.height(), edge);
}

void TTableForm::SnapToSize(int width, int height, TSizingEdge edge)
{
    if (!table_ || !shown_)
        return;
    components::Check<Exception>(model_->columnCount() + 1 >= 2, "There must be at least 2 columns in grid");
    QWidget* frame = Frame();
    const QRect proposed(frame->pos(), QSize(width, height));
    components::TTableSnapInput in;
    in.FrameWidth = frame->width() - this->width();
    in.FrameHeight = frame->height() - this->height();
    in.Margin = Margin();
    in.GridFrame = 2 * grid_->frameWidth();
    in.ButtonRowWidth = btnDel_->geometry().right() + 1 - btnAdd_->geometry().left();
    in.ButtonsVisible = !btnAdd_->isHidden();
    in.ButtonHeight = btnAdd_->height();
    in.LabelHeight = lblComments_->isHidden() ? 0 : lblComments_->height();
    in.ImageHeight = imgHelp_->isHidden() ? 0 : imgHelp_->height();
    in.ColumnExtents.push_back(grid_->verticalHeader()->width());
    for (int k = 0; k < model_->columnCount(); ++k)
        in.ColumnExtents.push_back(grid_->columnWidth(k));
    in.FixedColumns = 1;
    in.LeftColumn = LeftColumn() + 1;
    in.VisibleColumns = visibleCols_;
    in.RowExtent = RowExtent();
    in.HeaderRows = headerRows_;
    in.DataRows = table_->RowCount();
    in.TopRow = TopDataRow();
    in.VisibleRows = visibleRows_;
    in.VScrollWidth = grid_->verticalScrollBar()->sizeHint().width();
    in.HScrollHeight = grid_->horizontalScrollBar()->sizeHint().height();
    in.Edge = edge;
    in.ProposedWidth = width;
    in.ProposedHeight = height;
    const components::TTableSnap snap = components::SnapTableWindow(in);
    const components::TTableSnapLayout& best = snap.Best();

    visibleCols_ = std::max(1, best.VisibleColumns);
    visibleRows_ = std::max(1, best.VisibleRows);
    Layout();
    grid_->horizontalScrollBar()->setValue(best.LeftColumn - 1);
    grid_->verticalScrollBar()->setValue(best.TopRow);
    // The dragged edges move; the others stay where they were.
    const components::TWindowRect rect = components::SnapRect(
        {proposed.left(), proposed.top(), proposed.left() + width, proposed.top() + height}, edge,
        frame->width(), frame->height());
    if (edge == TSizingEdge::Left || edge == TSizingEdge::TopLeft || edge == TSizingEdge::BottomLeft ||
        edge == TSizingEdge::Top || edge == TSizingEdge::TopRight)
        frame->move(rect.Left, rect.Top);
    laidOutFrame_ = frame->geometry();
}

namespace {

// The control of a row among the controls allocated for a column.
template <class Control>
Control* ControlOfRow(const TGridTable* table, const std::map<int, std::vector<Control*>>& controls, int column,
                      int row)
{
    if (!table || column < 0 || column >= table->VisibleColumnCount())
        return nullptr;
    const TColumn& target = table->VisibleColumn(column);
    const auto found = controls.find(table->IndexOfColumn(&target));
    if (found == controls.end())
        return nullptr;
    for (int i = 0; i < target.ControlCount() && i < static_cast<int>(found->second.size()); ++i)
        if (target.Controls(i).Tag == row)
            return found->second[static_cast<std::size_t>(i)];
    return nullptr;
}

} // namespace

QComboBox* TTableForm::ComboAt(int column, int row) const
{
    return ControlOfRow(table_, combos_, column, row);
}

QPushButton* TTableForm::ButtonAt(int column, int row) const
{
    return ControlOfRow(table_, buttons_, column, row);
}

// ---------------------------------------------------------------------------

void InstallTableForms(components::TGridRegistry& registry, QMdiArea* mdiArea)
{
    QPointer<QMdiArea> area(mdiArea);
    registry.WindowFactory = [area](TGridTable& table, TWindowMode mode) -> components::TTableWindow* {
        if (mode == TWindowMode::Embedded && table.FormParent) {
            auto* parent = static_cast<QWidget*>(const_cast<void*>(table.FormParent));
            auto* form = new TTableForm(table, mode, parent);
            form->setWindowFlags(Qt::Widget);
            form->move(0, 0);
            return form;
        }
        if (mode == TWindowMode::MdiChild && area) {
            auto* form = new TTableForm(table, mode);
            QMdiSubWindow* sub = area->addSubWindow(
                form, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(sub, &QMdiSubWindow::windowStateChanged, form,
                             [form](Qt::WindowStates before, Qt::WindowStates now) {
                                 if ((before & Qt::WindowActive) && !(now & Qt::WindowActive))
                                     QMetaObject::invokeMethod(form, [form] { form->FormDeactivate(); },
                                                               Qt::QueuedConnection);
                             });
            return form;
        }
        // A window of its own; a modal one stays above the active window.
        auto* form = new TTableForm(table, mode, mode == TWindowMode::Modal ? QApplication::activeWindow() : nullptr);
        form->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        if (mode == TWindowMode::Modal)
            form->setWindowModality(Qt::ApplicationModal);
        return form;
    };
}

} // namespace korva::widgets
