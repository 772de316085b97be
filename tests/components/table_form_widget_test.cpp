// The table editor window driven as a user drives it: rows shown, row
// buttons, typing and leaving cells, Enter, in-cell combo boxes and sub-table
// buttons, modal use, closing, hiding, and the size snapping after a resize.
#include <memory>

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "column_types.h"
#include "gui_test.h"
#include "table_form.h"

namespace korva::test {
namespace {

using components::TGridTable;
using components::TTableCell;
using widgets::TTableForm;

const char* const kNotANumber = "Entry could not be evaluated:\ninvalid character(s) in expression";

std::vector<std::string> Messages()
{
    return Recorded().Messages.Texts();
}

// A registry whose tables open TTableForm windows of their own.
struct Tables {
    Tables() { widgets::InstallTableForms(registry); }
    // A table of `columns` float columns and `rows` rows, values row + col / 10.
    std::unique_ptr<TGridTable> Floats(int columns, int rows, int minRows = 1, int maxRows = 0)
    {
        auto table = std::make_unique<TGridTable>(registry);
        table->Caption = "Depths";
        table->TopLeft = "Point";
        table->SetMinRows(minRows);
        table->SetMaxRows(maxRows);
        for (int c = 0; c < columns; ++c)
            components::AddFloatColumn(*table, {"Column", "number " + std::to_string(c + 1)}, "L2");
        table->SetRowCount(rows);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < columns; ++c)
                table->Cell(c, r).SetAsFloat(r + c / 10.0L);
        table->SetChanged(false);
        return table;
    }
    components::TGridRegistry registry;
};

TTableForm* Open(TGridTable& table)
{
    table.ShowTable();
    auto* form = dynamic_cast<TTableForm*>(table.Form());
    EXPECT_NE(form, nullptr);
    if (form) {
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    }
    ProcessEvents();
    return form;
}

// Types over the whole text of the current cell.
void Type(TTableForm* form, const char* text)
{
    form->CellEditor()->selectAll();
    QTest::keyClicks(form->CellEditor(), text);
}

// The data rows that the grid's viewport shows in full.
int RowsInView(QTableView* grid)
{
    const int height = grid->viewport()->height();
    int rows = 0;
    for (int r = grid->rowAt(0); r >= 0 && r < grid->model()->rowCount(); ++r)
        if (grid->rowViewportPosition(r) + grid->rowHeight(r) <= height)
            ++rows;
    return rows;
}

TEST(TableForm, TwentyFiveRowsShowTenAndAScrollBarThreeRowsShowThree)
{
    Tables t;
    auto many = t.Floats(2, 25);
    TTableForm* form = Open(*many);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->VisibleDataRows(), 10);
    EXPECT_EQ(RowsInView(form->Grid()), 10);
    EXPECT_TRUE(form->Grid()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(form->Grid()->horizontalScrollBar()->isVisible());
    EXPECT_EQ(form->windowTitle(), " Depths");
    EXPECT_EQ(form->Grid()->model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(),
              "Column\nnumber 1 (ft)  ");
    EXPECT_EQ(form->Grid()->model()->headerData(24, Qt::Vertical, Qt::DisplayRole).toString(), "25");
    EXPECT_EQ(form->Grid()->model()->data(form->Grid()->model()->index(3, 1), Qt::DisplayRole).toString(), "3.1");

    auto few = t.Floats(2, 3);
    form = Open(*few);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->VisibleDataRows(), 3);
    EXPECT_EQ(RowsInView(form->Grid()), 3);
    EXPECT_EQ(form->Grid()->viewport()->height(), 3 * form->Grid()->rowHeight(0));
    EXPECT_FALSE(form->Grid()->verticalScrollBar()->isVisible());
    // The columns fit: nothing to scroll sideways either.
    EXPECT_EQ(form->Grid()->horizontalHeader()->length(), form->Grid()->viewport()->width());
}

TEST(TableForm, RowButtonsFollowMinAndMaxRows)
{
    Tables t;
    auto fixed = t.Floats(2, 2, 2, 2);
    TTableForm* form = Open(*fixed);
    EXPECT_TRUE(form->BtnAdd()->isHidden());
    EXPECT_TRUE(form->BtnIns()->isHidden());
    EXPECT_TRUE(form->BtnDel()->isHidden());

    auto limited = t.Floats(1, 1, 1, 3);
    form = Open(*limited);
    EXPECT_TRUE(form->BtnAdd()->isVisible());
    EXPECT_TRUE(form->BtnAdd()->isEnabled());
    EXPECT_FALSE(form->BtnDel()->isEnabled()); // at MinRows
    QTest::mouseClick(form->BtnAdd(), Qt::LeftButton);
    QTest::mouseClick(form->BtnAdd(), Qt::LeftButton);
    ProcessEvents();
    EXPECT_EQ(limited->RowCount(), 3);
    EXPECT_EQ(form->VisibleDataRows(), 3);
    EXPECT_FALSE(form->BtnAdd()->isEnabled()); // at MaxRows
    EXPECT_FALSE(form->BtnIns()->isEnabled());
    EXPECT_TRUE(form->BtnDel()->isEnabled());
    EXPECT_TRUE(limited->GetChanged());
    ASSERT_TRUE(form->SelectCell(0, 0));
    QTest::mouseClick(form->BtnDel(), Qt::LeftButton);
    EXPECT_EQ(limited->RowCount(), 2);
    EXPECT_TRUE(form->BtnAdd()->isEnabled());

    auto open = t.Floats(1, 1, 1, 0);
    form = Open(*open);
    for (int i = 0; i < 12; ++i)
        QTest::mouseClick(form->BtnAdd(), Qt::LeftButton);
    EXPECT_EQ(open->RowCount(), 13);
    EXPECT_EQ(form->VisibleDataRows(), 10);
    EXPECT_TRUE(form->BtnAdd()->isEnabled()); // no limit
    // The last row is the bottom row shown.
    EXPECT_EQ(form->TopDataRow(), 3);
    // Insert goes in front of the current row.
    open->Cell(0, 5).SetAsFloat(5);
    ASSERT_TRUE(form->SelectCell(0, 5));
    QTest::mouseClick(form->BtnIns(), Qt::LeftButton);
    EXPECT_EQ(open->RowCount(), 14);
    EXPECT_EQ(open->Cell(0, 6).GetAsFloat(), 5);
    EXPECT_TRUE(Messages().empty());
}

// Bad text, then Tab, Enter or a click on another cell: the cell keeps the
// text and the current position, with one message each time.
TEST(TableForm, ARefusedEntryKeepsTheCellAndTheText)
{
    Tables t;
    auto table = t.Floats(2, 3);
    TTableForm* form = Open(*table);
    QLineEdit* editor = form->CellEditor();
    ASSERT_TRUE(form->SelectCell(0, 1));
    ProcessEvents();
    ASSERT_TRUE(editor->hasFocus());
    Type(form, "abc");

    QTest::keyClick(editor, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(Messages(), std::vector<std::string>{kNotANumber});
    EXPECT_TRUE(editor->hasFocus());

    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(Messages().size(), 2u);

    const QRect other = form->Grid()->visualRect(form->Grid()->model()->index(2, 1));
    QTest::mouseClick(form->Grid()->viewport(), Qt::LeftButton, {}, other.center());
    ProcessEvents();
    EXPECT_EQ(Messages().size(), 3u);

    EXPECT_EQ(form->CurrentCell(), (TTableCell{0, 1}));
    EXPECT_EQ(editor->text(), "abc");
    EXPECT_EQ(form->Grid()->model()->data(form->Grid()->model()->index(1, 0), Qt::DisplayRole).toString(), "abc");
    EXPECT_EQ(table->Cell(0, 1).GetAsFloat(), 1);
    EXPECT_TRUE(editor->hasFocus());

    // Corrected, the value is stored and Enter moves on.
    Type(form, "2*3");
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(table->Cell(0, 1).GetAsFloat(), 6);
    EXPECT_EQ(form->CurrentCell(), (TTableCell{0, 2}));
    EXPECT_EQ(Messages().size(), 3u);
    EXPECT_TRUE(table->Changed());

    // An arithmetic fault is refused the same way.
    Type(form, "1/0");
    QTest::keyClick(editor, Qt::Key_Return);
    ProcessEvents();
    EXPECT_EQ(Messages().back(), "Entry could not be evaluated:\ndivision by zero");
    EXPECT_EQ(form->CurrentCell(), (TTableCell{0, 2}));
    EXPECT_EQ(editor->text(), "1/0");
}

TEST(TableForm, EnterGoesDownThenToTheNextColumnThenToTheFirstCell)
{
    Tables t;
    auto table = t.Floats(2, 3);
    TTableForm* form = Open(*table);
    QLineEdit* editor = form->CellEditor();
    ASSERT_TRUE(form->SelectCell(0, 2));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(form->CurrentCell(), (TTableCell{1, 0}));
    ASSERT_TRUE(form->SelectCell(1, 2));
    QTest::keyClick(editor, Qt::Key_Enter);
    EXPECT_EQ(form->CurrentCell(), (TTableCell{0, 0}));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(form->CurrentCell(), (TTableCell{0, 1}));
    EXPECT_TRUE(Messages().empty());
}

// A cell passed through without typing keeps its value in full, though the
// grid shows 8 digits of it.
TEST(TableForm, PassingThroughACellKeepsItsFullValue)
{
    Tables t;
    auto table = t.Floats(1, 2);
    const components::Extended precise = 1.234567891234L;
    table->Cell(0, 0).SetAsFloat(precise);
    TTableForm* form = Open(*table);
    ASSERT_TRUE(form->SelectCell(0, 0));
    EXPECT_EQ(form->CellEditor()->text(), "1.2345679");
    QTest::keyClick(form->CellEditor(), Qt::Key_Down);
    QTest::keyClick(form->CellEditor(), Qt::Key_Up);
    EXPECT_EQ(form->CurrentCell(), (TTableCell{0, 0}));
    EXPECT_EQ(table->Cell(0, 0).GetAsFloat(), precise);
    // Escape brings back the stored value of an edited cell.
    Type(form, "7");
    QTest::keyClick(form->CellEditor(), Qt::Key_Escape);
    EXPECT_EQ(form->CellEditor()->text(), "1.2345679");
    form->close();
    ProcessEvents();
    EXPECT_EQ(table->Cell(0, 0).GetAsFloat(), precise);
}

// A soil-layer-like table: a soil type per row in a combo box and the row's
// property table behind a button.
struct Layers {
    explicit Layers(components::TGridRegistry& registry) : sand(registry), clay(registry), layers(registry)
    {
        sand.Caption = "Sand";
        clay.Caption = "Clay";
        for (TGridTable* t : {&sand, &clay}) {
            t->SetMinRows(2);
            t->SetMaxRows(2);
            components::AddFloatColumn(*t, {"Unit Weight"});
            t->SetRowCount(2);
        }
        layers.Caption = "Soil Layers";
        layers.SetMaxRows(40);
        components::AddEnumColumn(layers, {"Soil Type"}, {"Sand", "Clay"});
        components::AddFloatColumn(layers, {"Depth"}, "L2");
        components::AddTableColumn(layers, {"Soil Properties"}, {sand.Identifier(), clay.Identifier()});
        layers.SetRowCount(2);
    }
    TGridTable sand, clay, layers;
};

TEST(TableForm, ComboBoxesAndSubTableButtonsInTheirCells)
{
    Tables t;
    Layers l(t.registry);
    TTableForm* form = Open(l.layers);
    QComboBox* combo = form->ComboAt(0, 1);
    QPushButton* button = form->ButtonAt(2, 1);
    ASSERT_NE(combo, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_EQ(combo->currentText(), "Sand");
    EXPECT_EQ(button->text(), "2: Sand");
    // The first current cell is the first text cell; control cells are never current.
    EXPECT_EQ(form->CurrentCell(), (TTableCell{1, 0}));
    EXPECT_FALSE(form->SelectCell(0, 1));
    EXPECT_EQ(form->CurrentCell(), (TTableCell{1, 0}));
    // Each control lies over its cell.
    const QRect cell = form->Grid()->visualRect(form->Grid()->model()->index(1, 2));
    EXPECT_TRUE(cell.contains(button->geometry().center()));

    // Clay in the combo box: the row's sub-table is rebuilt from the clay template.
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    ProcessEvents();
    EXPECT_EQ(l.layers.Cell(0, 1).GetAsInteger(), 2);
    EXPECT_EQ(form->ButtonAt(2, 1)->text(), "2: Clay");

    QTest::mouseClick(form->ButtonAt(2, 1), Qt::LeftButton);
    ProcessEvents();
    TGridTable& sub = l.layers.Cell(2, 1).GetAsTable();
    auto* subForm = dynamic_cast<TTableForm*>(sub.Form());
    ASSERT_NE(subForm, nullptr);
    EXPECT_EQ(subForm->windowTitle(), " 2 Clay");
    EXPECT_TRUE(subForm->BtnAdd()->isHidden());
    EXPECT_TRUE(Messages().empty());

    // Hiding the layer table hides the sub-tables' windows too.
    QPointer<TTableForm> gone(subForm);
    l.layers.HideTable();
    ProcessEvents();
    EXPECT_EQ(l.layers.Form(), nullptr);
    EXPECT_EQ(sub.Form(), nullptr);
    EXPECT_TRUE(gone.isNull());
}

TEST(TableForm, ClosingCommitsHidingDoesNot)
{
    Tables t;
    auto table = t.Floats(1, 2);
    TTableForm* form = Open(*table);
    ASSERT_TRUE(form->SelectCell(0, 0));
    Type(form, "x");
    EXPECT_FALSE(form->close()); // refused
    ProcessEvents();
    EXPECT_EQ(Messages(), std::vector<std::string>{kNotANumber});
    EXPECT_EQ(table->Form(), form);

    Type(form, "4.5");
    QPointer<TTableForm> closed(form);
    EXPECT_TRUE(form->close());
    ProcessEvents();
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(table->Form(), nullptr);
    EXPECT_EQ(table->Cell(0, 0).GetAsFloat(), 4.5L);

    // HideTable frees the window without the commit check.
    form = Open(*table);
    ASSERT_TRUE(form->SelectCell(0, 1));
    Type(form, "bad");
    QPointer<TTableForm> hidden(form);
    table->HideTable();
    ProcessEvents();
    EXPECT_TRUE(hidden.isNull());
    EXPECT_EQ(Messages().size(), 1u);

    // ReopenTable gives a new window; a table that goes first closes it.
    form = Open(*table);
    table->ReopenTable();
    ProcessEvents();
    QPointer<TTableForm> reopened(dynamic_cast<TTableForm*>(table->Form()));
    ASSERT_FALSE(reopened.isNull());
    table.reset();
    ProcessEvents();
    EXPECT_TRUE(reopened.isNull());
}

TEST(TableForm, ModalWindowCommitsWhenItCloses)
{
    Tables t;
    auto table = t.Floats(1, 2);
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* form = dynamic_cast<TTableForm*>(table->Form());
        ASSERT_NE(form, nullptr);
        EXPECT_TRUE(form->IsModal());
        EXPECT_TRUE(form->isModal());
        form->SelectCell(0, 1);
        Type(form, "bad");
        QTest::keyClick(form->CellEditor(), Qt::Key_Tab); // no commit on leaving the grid
        EXPECT_TRUE(Messages().empty());
        EXPECT_FALSE(form->close());
        form->CellEditor()->setFocus();
        Type(form, "8");
        ran = true;
        form->close();
    });
    table->ShowTableModal();
    EXPECT_TRUE(ran);
    EXPECT_EQ(table->Form(), nullptr);
    EXPECT_EQ(table->Cell(0, 1).GetAsFloat(), 8);
    EXPECT_EQ(Messages(), std::vector<std::string>{kNotANumber});
}

TEST(TableForm, LosingTheActivationCommitsAndARefusalTakesItBack)
{
    Tables t;
    auto table = t.Floats(1, 2);
    TTableForm* form = Open(*table);
    ASSERT_TRUE(form->SelectCell(0, 0));
    Type(form, "3+3");
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ProcessEvents();
    EXPECT_EQ(table->Cell(0, 0).GetAsFloat(), 6);
    EXPECT_TRUE(Messages().empty());

    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form));
    form->CellEditor()->setFocus();
    Type(form, "oops");
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    ProcessEvents();
    EXPECT_EQ(Messages(), std::vector<std::string>{kNotANumber});
    EXPECT_TRUE(QTest::qWaitForWindowActive(form));
    EXPECT_EQ(form->CellEditor()->text(), "oops");
}

TEST(TableForm, MdiChildAndEmbeddedWindows)
{
    QMainWindow main;
    auto* area = new QMdiArea(&main);
    main.setCentralWidget(area);
    main.resize(1000, 800);
    main.show();
    components::TGridRegistry registry;
    widgets::InstallTableForms(registry, area);
    TGridTable table(registry);
    components::AddFloatColumn(table, {"Depth"}, "L2");
    table.SetRowCount(4);
    table.ShowTable();
    ProcessEvents();
    auto* form = dynamic_cast<TTableForm*>(table.Form());
    ASSERT_NE(form, nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(form->Frame());
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(area->subWindowList().size(), 1);
    EXPECT_EQ(RowsInView(form->Grid()), 4);
    table.ShowTable(); // a second call only brings it to the front
    EXPECT_EQ(area->subWindowList().size(), 1);

    // Another child activated: the cell is committed, a refusal takes the
    // activation back with one message.
    auto* otherChild = new QWidget;
    otherChild->setFocusPolicy(Qt::StrongFocus);
    QMdiSubWindow* other = area->addSubWindow(otherChild);
    other->show();
    area->setActiveSubWindow(sub);
    ProcessEvents();
    ASSERT_TRUE(form->SelectCell(0, 1));
    Type(form, "zz");
    area->setActiveSubWindow(other);
    ProcessEvents();
    EXPECT_EQ(Messages(), std::vector<std::string>{kNotANumber});
    EXPECT_EQ(area->activeSubWindow(), sub);
    Type(form, "12");
    area->setActiveSubWindow(other);
    ProcessEvents();
    EXPECT_EQ(table.Cell(0, 1).GetAsFloat(), 12);
    EXPECT_EQ(area->activeSubWindow(), other);

    sub->close();
    ProcessEvents();
    EXPECT_EQ(table.Form(), nullptr);
    EXPECT_EQ(area->subWindowList().size(), 1);

    QWidget holder;
    holder.resize(600, 400);
    holder.show();
    TGridTable embedded(registry);
    components::AddFloatColumn(embedded, {"Depth"});
    embedded.FormParent = &holder;
    embedded.ShowTable();
    ProcessEvents();
    auto* inside = dynamic_cast<TTableForm*>(embedded.Form());
    ASSERT_NE(inside, nullptr);
    EXPECT_EQ(inside->parentWidget(), &holder);
    EXPECT_FALSE(inside->isWindow());
    EXPECT_EQ(inside->pos(), QPoint(0, 0));
}

// After the user resized the window it snaps to whole rows.
TEST(TableForm, AResizeSnapsToWholeRows)
{
    Tables t;
    auto table = t.Floats(2, 25);
    TTableForm* form = Open(*table);
    const QSize before = form->size();
    const int row = form->Grid()->rowHeight(0);
    form->resize(before.width(), before.height() - 3 * row - row / 2);
    QTest::qWait(400);
    ProcessEvents();
    EXPECT_EQ(form->VisibleDataRows(), 6);
    EXPECT_EQ(RowsInView(form->Grid()), 6);
    EXPECT_EQ(form->height(), before.height() - 4 * row);
    EXPECT_EQ(form->width(), before.width());
}

} // namespace
} // namespace korva::test
