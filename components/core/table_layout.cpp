#include "table_layout.h"

#include <algorithm>

namespace korva::components {

TTableButtonState TableButtons(int minRows, int maxRows, int rowCount)
{
    TTableButtonState state;
    state.Visible = minRows != maxRows;
    state.AddEnabled = rowCount != maxRows;
    state.DeleteEnabled = minRows < rowCount;
    return state;
}

TTableCell CellAfterEnter(TTableCell current, int columnCount, int rowCount)
{
    if (current.Row + 1 < rowCount)
        return {current.Column, current.Row + 1};
    if (current.Column + 1 < columnCount)
        return {current.Column + 1, 0};
    return {0, 0};
}

TTableLayout LayoutTableWindow(const TTableLayoutInput& in)
{
    TTableLayout out;
    const int columns = static_cast<int>(in.ColumnExtents.size());
    out.GridWidth = in.GridFrame + in.FixedWidth;
    for (int k = std::max(0, in.LeftColumn); k < std::min(columns, in.LeftColumn + in.VisibleColumns); ++k)
        out.GridWidth += in.ColumnExtents[static_cast<std::size_t>(k)];
    out.VScroll = in.VisibleRows < in.DataRows;
    if (out.VScroll)
        out.GridWidth += in.VScrollWidth;
    out.HScroll = in.VisibleColumns < columns;
    out.GridHeight = in.GridFrame + (in.HeaderRows + in.VisibleRows) * in.RowExtent;
    if (out.HScroll)
        out.GridHeight += in.HScrollHeight;

    out.ClientWidth = std::max(in.Margin + out.GridWidth, in.ButtonRowRight) + in.Margin;
    out.ButtonsTop = in.Margin + out.GridHeight + in.Margin;
    out.LabelTop = out.ButtonsTop + (in.ButtonsVisible ? in.ButtonHeight + in.Margin : 0);
    out.LabelWidth = out.ClientWidth - 2 * in.Margin;
    out.LabelHeight = in.LabelHeight ? std::max(0, in.LabelHeight(out.LabelWidth)) : 0;
    out.ImageTop = out.LabelTop + (out.LabelHeight > 0 ? out.LabelHeight + in.Margin : 0);
    out.ClientHeight = out.ImageTop + (in.ImageHeight > 0 ? in.ImageHeight + in.Margin : 0);
    return out;
}

namespace {

bool OnlyTopOrBottom(TSizingEdge edge)
{
    return edge == TSizingEdge::Top || edge == TSizingEdge::Bottom;
}

bool OnlyLeftOrRight(TSizingEdge edge)
{
    return edge == TSizingEdge::Left || edge == TSizingEdge::Right;
}

// The columns of one candidate: its width and the columns it shows.
void SnapWidth(const TTableSnapInput& in, bool hbar, bool vbar, TTableSnapLayout& out)
{
    const int base = in.FrameWidth + 2 * in.Margin;
    const int buttonRow = base + in.ButtonRowWidth;
    const int columns = static_cast<int>(in.ColumnExtents.size());
    const auto extent = [&](int c) { return in.ColumnExtents[static_cast<std::size_t>(c)]; };
    int width = base + in.GridFrame + (vbar ? in.VScrollWidth : 0);

    if (!hbar) {
        for (int c = 0; c < columns; ++c)
            width += extent(c);
        out.LeftColumn = in.FixedColumns;
        out.VisibleColumns = columns - in.FixedColumns;
    } else if (OnlyTopOrBottom(in.Edge)) {
        for (int c = 0; c < std::min(columns, in.FixedColumns + in.VisibleColumns); ++c)
            width += extent(c);
        out.LeftColumn = in.LeftColumn;
        out.VisibleColumns = in.VisibleColumns;
    } else {
        for (int c = 0; c < std::min(columns, in.FixedColumns); ++c)
            width += extent(c);
        // A column is taken while the window is narrower than the buttons or
        // the column still fits in the proposed width; the first one always.
        const auto takes = [&](int c, int taken) {
            return taken == 0 || width < buttonRow || width + extent(c) <= in.ProposedWidth;
        };
        int taken = 0;
        for (int c = in.LeftColumn; c < columns && takes(c, taken); ++c, ++taken)
            width += extent(c);
        int first = in.LeftColumn;
        while (first - 1 >= in.FixedColumns && takes(first - 1, taken)) {
            --first;
            width += extent(first);
            ++taken;
        }
        out.LeftColumn = first;
        out.VisibleColumns = taken;
    }
    out.Width = std::max(width, buttonRow);
}

// The rows of one candidate: its height and the rows it shows.
void SnapHeight(const TTableSnapInput& in, bool vbar, bool hbar, TTableSnapLayout& out)
{
    const int base = (hbar ? in.HScrollHeight : 0) + in.FrameHeight + 2 * in.Margin + (in.ButtonsVisible ? in.Margin + in.ButtonHeight : 0) +
                     (in.LabelHeight > 0 ? in.Margin + in.LabelHeight : 0) +
                     (in.ImageHeight > 0 ? in.Margin + in.ImageHeight : 0) + in.GridFrame;
    int height = base;
    if (!vbar) {
        height += (in.HeaderRows + in.DataRows) * in.RowExtent;
        out.TopRow = 0;
        out.VisibleRows = in.DataRows;
    } else if (OnlyLeftOrRight(in.Edge)) {
        height += (in.HeaderRows + in.VisibleRows) * in.RowExtent;
        out.TopRow = in.TopRow;
        out.VisibleRows = in.VisibleRows;
    } else {
        // The header and one data row, then every further row that fits.
        height += (in.HeaderRows + 1) * in.RowExtent;
        int rows = 1;
        while (rows < in.DataRows && height + in.RowExtent <= in.ProposedHeight) {
            height += in.RowExtent;
            ++rows;
        }
        int top = std::max(0, in.TopRow);
        while (top > 0 && top + rows > in.DataRows)
            --top;
        out.TopRow = top;
        out.VisibleRows = rows;
    }
    out.Height = height;
}

} // namespace

TTableSnap SnapTableWindow(const TTableSnapInput& in)
{
    TTableSnap snap;
    for (int bars = sbNone; bars <= sbBoth; ++bars) {
        const bool vbar = (bars & sbVertical) != 0;
        const bool hbar = (bars & sbHorizontal) != 0;
        TTableSnapLayout& layout = snap.Layouts[static_cast<std::size_t>(bars)];
        SnapWidth(in, hbar, vbar, layout);
        SnapHeight(in, vbar, hbar, layout);
        const long long w = in.ProposedWidth;
        const long long h = in.ProposedHeight;
        layout.Misfit = std::max<long long>(layout.Width, w) * std::max<long long>(layout.Height, h) - w * h;
        if (layout.Misfit < snap.Best().Misfit)
            snap.Winner = bars;
    }
    return snap;
}

TWindowRect SnapRect(TWindowRect proposed, TSizingEdge edge, int width, int height)
{
    TWindowRect rect = proposed;
    if (edge == TSizingEdge::Top || edge == TSizingEdge::TopLeft || edge == TSizingEdge::TopRight)
        rect.Top = rect.Bottom - height;
    else
        rect.Bottom = rect.Top + height;
    if (edge == TSizingEdge::Left || edge == TSizingEdge::TopLeft || edge == TSizingEdge::BottomLeft)
        rect.Left = rect.Right - width;
    else
        rect.Right = rect.Left + width;
    return rect;
}

} // namespace korva::components
