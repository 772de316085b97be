// The table window's arithmetic: row buttons, Enter, size to content and the
// size snapping.
#include <gtest/gtest.h>

#include "table_layout.h"

namespace korva::test {
namespace {

using namespace components;

TEST(TableButtons, VisibilityAndEnabling)
{
    struct Case {
        int min, max, rows;
        bool visible, add, del;
    };
    const Case cases[] = {
        {2, 2, 2, false, false, false},  // the two-row property tables
        {1, 40, 1, true, true, false},   // at MinRows
        {1, 40, 40, true, false, true},  // at MaxRows
        {1, 0, 1, true, true, false},    // no limit
        {1, 0, 500, true, true, true},
    };
    for (const Case& c : cases) {
        const TTableButtonState s = TableButtons(c.min, c.max, c.rows);
        EXPECT_EQ(s.Visible, c.visible) << c.min << " " << c.max << " " << c.rows;
        EXPECT_EQ(s.AddEnabled, c.add) << c.min << " " << c.max << " " << c.rows;
        EXPECT_EQ(s.DeleteEnabled, c.del) << c.min << " " << c.max << " " << c.rows;
    }
}

TEST(TableEnter, NextRowThenNextColumnThenTheFirstCell)
{
    EXPECT_EQ(CellAfterEnter({0, 0}, 3, 4), (TTableCell{0, 1}));
    EXPECT_EQ(CellAfterEnter({0, 3}, 3, 4), (TTableCell{1, 0}));
    EXPECT_EQ(CellAfterEnter({2, 3}, 3, 4), (TTableCell{0, 0}));
    EXPECT_EQ(CellAfterEnter({0, 0}, 1, 1), (TTableCell{0, 0}));
}

TTableLayoutInput SixColumns(int rows, int visibleRows)
{
    TTableLayoutInput in;
    in.Margin = 4;
    in.GridFrame = 2;
    in.FixedWidth = 40;
    in.RowExtent = 25;
    in.HeaderRows = 2;
    in.DataRows = rows;
    in.VisibleRows = visibleRows;
    in.ColumnExtents = {100, 100, 100, 100, 100, 100};
    in.VisibleColumns = 6;
    in.VScrollWidth = 16;
    in.HScrollHeight = 16;
    in.ButtonRowRight = 4 + 3 * 81 + 2 * 4;
    return in;
}

TEST(TableLayout, SizesTheGridToItsRowsAndColumns)
{
    // 25 rows: 10 shown and a vertical scroll bar.
    TTableLayout l = LayoutTableWindow(SixColumns(25, 10));
    EXPECT_TRUE(l.VScroll);
    EXPECT_FALSE(l.HScroll);
    EXPECT_EQ(l.GridWidth, 2 + 40 + 600 + 16);
    EXPECT_EQ(l.GridHeight, 2 + 12 * 25);
    EXPECT_EQ(l.ClientWidth, 4 + l.GridWidth + 4);
    EXPECT_EQ(l.ButtonsTop, 4 + l.GridHeight + 4);
    EXPECT_EQ(l.ClientHeight, l.ButtonsTop + 21 + 4);

    // 3 rows, no buttons, a label of two lines and a picture; three columns
    // from the second on.
    TTableLayoutInput in = SixColumns(3, 3);
    in.ButtonsVisible = false;
    in.LeftColumn = 1;
    in.VisibleColumns = 3;
    in.LabelHeight = [](int width) { return width > 0 ? 30 : 0; };
    in.ImageHeight = 50;
    l = LayoutTableWindow(in);
    EXPECT_FALSE(l.VScroll);
    EXPECT_TRUE(l.HScroll);
    EXPECT_EQ(l.GridWidth, 2 + 40 + 300);
    EXPECT_EQ(l.GridHeight, 2 + 5 * 25 + 16);
    EXPECT_EQ(l.LabelTop, 4 + l.GridHeight + 4);
    EXPECT_EQ(l.LabelWidth, l.ClientWidth - 8);
    EXPECT_EQ(l.ImageTop, l.LabelTop + 30 + 4);
    EXPECT_EQ(l.ClientHeight, l.ImageTop + 50 + 4);

    // A narrow grid: the buttons set the width.
    in = SixColumns(1, 1);
    in.ColumnExtents = {50};
    in.VisibleColumns = 1;
    EXPECT_EQ(LayoutTableWindow(in).ClientWidth, in.ButtonRowRight + 4);
}

TTableSnapInput WideTable()
{
    TTableSnapInput in;
    in.Margin = 4;
    in.GridFrame = 2;
    in.ButtonRowWidth = 3 * 81 + 2 * 4;
    in.ButtonHeight = 21;
    in.ColumnExtents = {40, 100, 100, 100, 100, 100, 100};
    in.FixedColumns = 1;
    in.LeftColumn = 2;
    in.VisibleColumns = 3;
    in.RowExtent = 25;
    in.HeaderRows = 2;
    in.DataRows = 25;
    in.TopRow = 5;
    in.VisibleRows = 10;
    in.VScrollWidth = 16;
    in.HScrollHeight = 16;
    return in;
}

TEST(TableSnap, ARectangleLargerThanEveryLayoutKeepsAllRowsAndColumns)
{
    TTableSnapInput in = WideTable();
    in.Edge = TSizingEdge::BottomRight;
    in.ProposedWidth = 2000;
    in.ProposedHeight = 2000;
    const TTableSnap snap = SnapTableWindow(in);
    EXPECT_EQ(snap.Winner, sbNone);
    EXPECT_EQ(snap.Best().Misfit, 0);
    EXPECT_EQ(snap.Best().Width, 8 + 2 + 640);
    EXPECT_EQ(snap.Best().Height, 8 + 25 + 2 + 27 * 25);
    EXPECT_EQ(snap.Best().LeftColumn, 1);
    EXPECT_EQ(snap.Best().VisibleColumns, 6);
    EXPECT_EQ(snap.Best().TopRow, 0);
    EXPECT_EQ(snap.Best().VisibleRows, 25);
}

// Dragging the bottom edge of a wide table keeps its columns and snaps the
// height to whole rows.
TEST(TableSnap, DraggingTheBottomEdgeKeepsTheColumnsAndSnapsToWholeRows)
{
    TTableSnapInput in = WideTable();
    in.Edge = TSizingEdge::Bottom;
    in.ProposedWidth = 8 + 2 + 16 + 340;
    in.ProposedHeight = 400;
    const TTableSnap snap = SnapTableWindow(in);
    EXPECT_EQ(snap.Winner, sbBoth);
    const TTableSnapLayout& best = snap.Best();
    EXPECT_EQ(best.Misfit, 0);
    EXPECT_EQ(best.LeftColumn, 2);
    EXPECT_EQ(best.VisibleColumns, 3);
    EXPECT_EQ(best.VisibleRows, 11);
    EXPECT_EQ(best.Height, 16 + 8 + 25 + 2 + 13 * 25);
    EXPECT_EQ(best.TopRow, 5);
    // The top stays, the bottom moves.
    EXPECT_EQ(SnapRect({10, 20, 10 + in.ProposedWidth, 420}, in.Edge, best.Width, best.Height),
              (TWindowRect{10, 20, 10 + best.Width, 20 + best.Height}));
}

TEST(TableSnap, DraggingACornerTakesTheColumnsAndRowsThatFit)
{
    TTableSnapInput in = WideTable();
    in.Edge = TSizingEdge::TopLeft;
    in.LeftColumn = 4;
    in.ProposedWidth = 500;
    in.ProposedHeight = 300;
    const TTableSnap snap = SnapTableWindow(in);
    EXPECT_EQ(snap.Winner, sbBoth);
    const TTableSnapLayout& best = snap.Best();
    // 26 + 40 = 66 before the data columns: four of 100 fit in 500, the
    // three from column 4 rightwards, then one more leftwards.
    EXPECT_EQ(best.VisibleColumns, 4);
    EXPECT_EQ(best.LeftColumn, 3);
    EXPECT_EQ(best.Width, 466);
    // 51 + 75 for the header and one row, then rows while they fit in 300.
    EXPECT_EQ(best.VisibleRows, 7);
    EXPECT_EQ(best.Height, 51 + 75 + 6 * 25);
    EXPECT_EQ(SnapRect({100, 100, 600, 400}, in.Edge, best.Width, best.Height),
              (TWindowRect{600 - best.Width, 400 - best.Height, 600, 400}));

    // Near the last rows, the first row shown moves up to fill the window.
    in.TopRow = 22;
    EXPECT_EQ(SnapTableWindow(in).Best().TopRow, 25 - 7);
}

TEST(TableSnap, EqualMisfitPrefersFewerScrollBars)
{
    // Two rows in one column: every candidate fits a large rectangle.
    TTableSnapInput in;
    in.ColumnExtents = {40, 100};
    in.LeftColumn = 1;
    in.VisibleColumns = 1;
    in.DataRows = 2;
    in.VisibleRows = 2;
    in.ProposedWidth = 1000;
    in.ProposedHeight = 1000;
    const TTableSnap snap = SnapTableWindow(in);
    for (const TTableSnapLayout& layout : snap.Layouts)
        EXPECT_EQ(layout.Misfit, 0);
    EXPECT_EQ(snap.Winner, sbNone);
}

} // namespace
} // namespace korva::test
