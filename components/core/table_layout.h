#pragma once
// The arithmetic of the table editor window, without widgets: the window's
// size from its content, the size snapping after the user resized it, the
// row buttons' state and where Enter moves the current cell. The window
// measures its pieces (row and column extents, scroll bars, frames) and
// applies what these functions compute.
//
// Extents include the grid line of a row or column; "data" columns and rows
// exclude the fixed column of row-group numbers and the header rows.
#include <array>
#include <functional>
#include <vector>

namespace korva::components {

// At most this many data rows when the window opens or grows by a row group.
inline constexpr int kTableVisibleRowLimit = 10;

struct TTableButtonState {
    bool Visible = false;     // "Add Row", "Insert Row", "Delete Row" shown
    bool AddEnabled = false;  // also "Insert Row"
    bool DeleteEnabled = false;
};

// The row buttons show only when the row count may change; adding stops at
// MaxRows (0: no limit), deleting at MinRows.
TTableButtonState TableButtons(int minRows, int maxRows, int rowCount);

// The cell that Enter makes current, in data coordinates (column 0 is the
// first data column): the next row; from the last row the first row of the
// next column; from the last row of the last column the first data cell.
struct TTableCell {
    int Column = 0;
    int Row = 0;
    bool operator==(const TTableCell&) const = default;
};
TTableCell CellAfterEnter(TTableCell current, int columnCount, int rowCount);

// ---------------------------------------------------------------------------
// Size to content

struct TTableLayoutInput {
    int Margin = 4;
    int GridFrame = 2;            // both borders of the grid together
    int FixedWidth = 0;           // the column of row-group numbers
    int RowExtent = 25;           // every row, header rows included
    int HeaderRows = 1;
    int DataRows = 0;             // the table's row count
    int VisibleRows = 0;          // data rows the window is sized for
    std::vector<int> ColumnExtents; // the data columns, in order
    int LeftColumn = 0;           // first data column shown
    int VisibleColumns = 0;       // data columns the window is sized for
    int VScrollWidth = 0;
    int HScrollHeight = 0;
    bool ButtonsVisible = true;
    int ButtonRowRight = 0;       // right edge of "Delete Row" in the client area
    int ButtonHeight = 21;
    // Height of the comments label at a width; nullptr or 0: no label.
    std::function<int(int width)> LabelHeight;
    int ImageHeight = 0;          // 0: no picture
};

struct TTableLayout {
    int GridWidth = 0;
    int GridHeight = 0;
    bool VScroll = false;
    bool HScroll = false;
    int ButtonsTop = 0;
    int LabelTop = 0;
    int LabelWidth = 0;
    int LabelHeight = 0;
    int ImageTop = 0;
    int ClientWidth = 0;
    int ClientHeight = 0;
};

// The grid at (margin, margin) just large enough for the visible rows and
// columns (and a scroll bar where rows or columns are left out), the buttons,
// the comments and the picture below it, each a margin apart.
TTableLayout LayoutTableWindow(const TTableLayoutInput& in);

// ---------------------------------------------------------------------------
// Size snapping: after the user dragged an edge or a corner, the window takes
// the size of whole rows and columns nearest to the rectangle proposed.

enum class TSizingEdge { Left, Right, Top, TopLeft, TopRight, Bottom, BottomLeft, BottomRight };

struct TTableSnapInput {
    int FrameWidth = 0;           // window width less client width
    int FrameHeight = 0;          // window height less client height
    int Margin = 4;
    int GridFrame = 2;
    int ButtonRowWidth = 0;       // right edge of "Delete Row" less left edge of "Add Row"
    bool ButtonsVisible = true;
    int ButtonHeight = 21;
    int LabelHeight = 0;          // 0: no label
    int ImageHeight = 0;          // 0: no picture
    // Every grid column, the fixed ones first.
    std::vector<int> ColumnExtents;
    int FixedColumns = 1;
    int LeftColumn = 1;           // grid column shown first right of the fixed ones
    int VisibleColumns = 0;       // data columns shown
    int RowExtent = 25;
    int HeaderRows = 1;
    int DataRows = 0;
    int TopRow = 0;               // first data row shown
    int VisibleRows = 0;
    int VScrollWidth = 0;
    int HScrollHeight = 0;
    TSizingEdge Edge = TSizingEdge::BottomRight;
    int ProposedWidth = 0;
    int ProposedHeight = 0;
};

struct TTableSnapLayout {
    int Width = 0;
    int Height = 0;
    int LeftColumn = 0;           // grid column
    int TopRow = 0;               // data row
    int VisibleColumns = 0;
    int VisibleRows = 0;
    long long Misfit = 0;
};

// The four candidates in the order none, vertical bar, horizontal bar, both.
enum TScrollBars { sbNone = 0, sbVertical = 1, sbHorizontal = 2, sbBoth = 3 };

struct TTableSnap {
    std::array<TTableSnapLayout, 4> Layouts;
    int Winner = sbNone;
    const TTableSnapLayout& Best() const { return Layouts[static_cast<std::size_t>(Winner)]; }
};

// Each candidate is the window of whole rows and columns for one choice of
// scroll bars; the winner has the least area outside the proposed rectangle
// (none, vertical, horizontal, both on equal misfit).
TTableSnap SnapTableWindow(const TTableSnapInput& in);

struct TWindowRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TWindowRect&) const = default;
};

// The proposed rectangle resized to the winner: the dragged top edge (top,
// top-left, top-right) moves the top, else the bottom moves; the dragged left
// edge (left, top-left, bottom-left) moves the left, else the right.
TWindowRect SnapRect(TWindowRect proposed, TSizingEdge edge, int width, int height);

} // namespace korva::components
