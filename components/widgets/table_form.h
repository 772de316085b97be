#pragma once
// TTableForm: the window in which the user edits one TGridTable. A grid with
// the header lines of the columns above it and the row-group numbers beside
// it, a text cell per row and visible text column, a combo box per row of an
// enumeration column and a button per row of a sub-table column (the button
// opens the row's sub-table), the buttons "&Add Row", "&Insert Row" and
// "&Delete Row", the table's comments and its help picture. The window sizes
// itself to its content (at most 10 rows at first) and snaps to whole rows
// and columns after the user resized it (table_layout.h).
//
// Typed text stays in its cell until the cell is committed: when another cell
// is selected, when the grid is left, when the window is deactivated, and
// before it closes. A refused entry shows its message once and keeps the cell
// and the typed text. A cell passed through without typing keeps its value
// as stored (the grid shows 8 digits of it).
//
// Tables open their windows through the registry's factory:
// InstallTableForms(registry, mdiArea) makes them TTableForms, as MDI children
// of the area (top-level windows without one), embedded in the table's
// FormParent, or modal. The table owns the window while it is open; the
// window frees itself when closed.
#include <map>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include "grid_table.h"
#include "table_layout.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QTableView;

namespace korva::widgets {

// The grid's cells over a table: one row per data row, one column per
// visible column, the header lines and row-group numbers as header texts.
// The texts are the grid's own (as in a string grid): typing changes them,
// Commit stores them in the table, Reload takes them from it.
class TGridTableModel : public QAbstractTableModel {
public:
    TGridTableModel(components::TGridTable& table, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Rows, columns and every text from the table.
    void Reload();
    // The texts of the columns without in-cell controls from the table.
    void ReloadTexts();
    // One cell from the table (its value changed there).
    void ReloadCell(int row, int column);

    components::TColumn& ColumnAt(int column) const;
    bool HasControls(int column) const;
    std::string CellText(int row, int column) const;
    void SetCellText(int row, int column, const std::string& text);

    // Stores the cell's text in the table when it differs from the value's
    // own text; false with the message when the table refuses it.
    bool Commit(int row, int column, std::string& message);

    // The table is gone: no more access to it.
    void Forget();

private:
    components::TGridTable* table_;
    std::vector<std::vector<std::string>> texts_; // [row][column]
};

class TTableForm : public QWidget, public components::TTableWindow {
    Q_OBJECT
public:
    TTableForm(components::TGridTable& table, components::TWindowMode mode, QWidget* parent = nullptr);
    ~TTableForm() override;

    // The table's side of the window.
    void Show() override;
    bool IsModal() const override { return mode_ == components::TWindowMode::Modal; }
    void Release() override;
    void TableGone() override;
    void CaptionChanged() override;
    void PictureChanged() override;
    void FocusCell(int gridCol, int gridRow) override;
    int TopDataRow() const override;
    int VisibleDataRows() const override { return visibleRows_; }

    components::TGridTable* Table() const { return table_; }
    // The window that the desktop shows: the MDI child window, or this one.
    QWidget* Frame() const;

    QTableView* Grid() const { return grid_; }
    QLineEdit* CellEditor() const { return editor_; }
    QPushButton* BtnAdd() const { return btnAdd_; }
    QPushButton* BtnIns() const { return btnIns_; }
    QPushButton* BtnDel() const { return btnDel_; }
    QLabel* Comments() const { return lblComments_; }
    QLabel* HelpImage() const { return imgHelp_; }
    int VisibleColumns() const { return visibleCols_; }
    int LeftColumn() const; // first data column shown

    // The current cell in data coordinates; Column -1 when there is none.
    components::TTableCell CurrentCell() const;
    // Makes a data cell current as a click on it does: the current cell is
    // committed first; a refused entry or a column with in-cell controls
    // keeps the current cell. True when the cell became current.
    bool SelectCell(int column, int row);
    // Commits the current cell (false: refused, the message shown).
    bool CommitCell();

    // The in-cell control of a data row in a data column (nullptr when the
    // row is not shown or the column has none).
    QComboBox* ComboAt(int column, int row) const;
    QPushButton* ButtonAt(int column, int row) const;

    // Shows the row count the window is sized for, as the user would by
    // dragging the bottom edge; the result snaps to whole rows.
    void SnapToSize(int width, int height, components::TSizingEdge edge);

    // The window lost the activation: the current cell is committed; a
    // refused entry takes the activation back (not in a modal window).
    void FormDeactivate();

    QSize sizeHint() const override { return laidOutSize_.isValid() ? laidOutSize_ : QWidget::sizeHint(); }

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormShow();
    void Fill();
    void Layout();
    void LayoutControls();
    void PlaceEditor();
    void SyncControls();
    void CellChangedInTable(int col, int row);
    bool CanMoveTo(const QModelIndex& index);
    void MoveTo(components::TTableCell cell);
    bool EditorKey(QKeyEvent* event);
    void GridExit(QFocusEvent* event);
    void AddRowClick();
    void InsertRowClick();
    void DeleteRowClick();
    int CurrentDataRowChecked() const;
    bool Selectable(int column) const;
    void RestoreCurrent(components::TTableCell cell);
    void UpdatePicture();
    void SnapAfterResize();
    int Margin() const;
    int RowExtent() const;
    // Runs a handler: a failure of the table is shown, never thrown on.
    template <class F>
    void Guarded(F&& handler);

    components::TGridTable* table_;
    components::TWindowMode mode_;
    TGridTableModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QLineEdit* editor_ = nullptr;
    QLabel* topLeft_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnIns_ = nullptr;
    QPushButton* btnDel_ = nullptr;
    QLabel* lblComments_ = nullptr;
    QLabel* imgHelp_ = nullptr;
    QTimer snapTimer_;

    std::map<int, std::vector<QComboBox*>> combos_;    // by column index
    std::map<int, std::vector<QPushButton*>> buttons_; // by column index

    int headerRows_ = 0;
    int visibleCols_ = 0;
    int visibleRows_ = 0;
    bool shown_ = false;
    bool released_ = false;
    bool closing_ = false;
    bool committing_ = false;
    bool restoring_ = false;
    int layingOut_ = 0;
    QSize laidOutSize_;
    QRect laidOutFrame_;
};

// Tables of the registry open in TTableForm windows: multiple-document
// children go into the area (a top-level window when there is none).
void InstallTableForms(components::TGridRegistry& registry, QMdiArea* mdiArea = nullptr);

} // namespace korva::widgets
