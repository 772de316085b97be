#include "plot_interaction.h"

#include <algorithm>
#include <cmath>

namespace korva::components {

namespace {

// One direction of a zoom in: the selected span from a to b, widened to
// full / kZoomLimit around its centre when narrower, then moved back inside
// the full range.
void ZoomDirection(Extended a, Extended b, Extended fullMin, Extended fullMax, Extended& min, Extended& max)
{
    min = std::min(a, b);
    max = std::max(a, b);
    const Extended fullSpan = fullMax - fullMin;
    if (fullSpan > kZoomLimit * (max - min)) {
        const Extended centre = (min + max) / 2;
        const Extended half = fullSpan / kZoomLimit / 2;
        min = centre - half;
        max = centre + half;
        if (min < fullMin) {
            max += fullMin - min;
            min = fullMin;
        } else if (max > fullMax) {
            min -= max - fullMax;
            max = fullMax;
        }
    }
}

// One direction of a zoom out around the value c.
void ZoomOutDirection(Extended min, Extended max, Extended fullMin, Extended fullMax, Extended c, Extended& newMin,
                      Extended& newMax)
{
    const Extended p = std::min(max - min, (fullMax - fullMin) / 2);
    c = std::max(c, fullMin + p);
    c = std::min(c, fullMax - p);
    newMin = c - p;
    newMax = c + p;
}

bool Finite(const TPlotRange& range)
{
    return std::isfinite(range.XMin) && std::isfinite(range.XMax) && std::isfinite(range.YMin) &&
           std::isfinite(range.YMax);
}

} // namespace

TPixelPoint ClampToRect(TPixelPoint point, const TPixelRect& rect)
{
    // A box turned inside out (a window too small for its plot) holds every
    // point at its Right and Bottom.
    point.X = std::min(std::max(point.X, rect.Left), rect.Right);
    point.Y = std::min(std::max(point.Y, rect.Top), rect.Bottom);
    return point;
}

bool InsideRect(TPixelPoint point, const TPixelRect& rect)
{
    return rect.Left <= point.X && point.X <= rect.Right && rect.Top <= point.Y && point.Y <= rect.Bottom;
}

std::optional<TPlotRange> ZoomIn(const TPlotRange& current, const TPlotRange& full, const TPixelRect& box,
                                 bool xOnTop, TPixelPoint fixed, TPixelPoint release)
{
    if (release.X == fixed.X || release.Y == fixed.Y)
        return std::nullopt;
    release = ClampToRect(release, box);
    const TFloatPoint a = PixelToValue(current, box, xOnTop, fixed.X, fixed.Y);
    const TFloatPoint b = PixelToValue(current, box, xOnTop, release.X, release.Y);
    TPlotRange zoomed;
    ZoomDirection(a.X, b.X, full.XMin, full.XMax, zoomed.XMin, zoomed.XMax);
    ZoomDirection(a.Y, b.Y, full.YMin, full.YMax, zoomed.YMin, zoomed.YMax);
    if (!Finite(zoomed) || !(zoomed.XMax > zoomed.XMin) || !(zoomed.YMax > zoomed.YMin))
        return std::nullopt;
    return zoomed;
}

TPlotRange ZoomOut(const TPlotRange& current, const TPlotRange& full, const TPixelRect& box, bool xOnTop,
                   TPixelPoint at)
{
    const TFloatPoint c = PixelToValue(current, box, xOnTop, at.X, at.Y);
    TPlotRange zoomed;
    ZoomOutDirection(current.XMin, current.XMax, full.XMin, full.XMax, c.X, zoomed.XMin, zoomed.XMax);
    ZoomOutDirection(current.YMin, current.YMax, full.YMin, full.YMax, c.Y, zoomed.YMin, zoomed.YMax);
    return Finite(zoomed) ? zoomed : current;
}

bool TPlotZoom::Press(TMouseButton button, TPixelPoint at, const TGraphPlot& plot, TPlotView& view)
{
    const TPixelRect& box = view.Layout.Plot;
    if (!InsideRect(at, box))
        return false;
    if (button == TMouseButton::Left) {
        if (plot.ShowThree)
            return false;
        zooming_ = true;
        fixed_ = last_ = at;
        return false;
    }
    if (button != TMouseButton::Right)
        return false;
    TPlotRange& range = view.CurrentRange[0];
    const TPlotRange zoomed = ZoomOut(range, view.FullRange[0], box, plot.XOnTop, at);
    if (zoomed == range)
        return false;
    range = zoomed;
    return true;
}

std::optional<TPixelRect> TPlotZoom::Move(TPixelPoint at, const TPlotView& view)
{
    if (!zooming_)
        return std::nullopt;
    last_ = ClampToRect(at, view.Layout.Plot);
    return Band();
}

bool TPlotZoom::Release(TMouseButton button, TPixelPoint at, const TGraphPlot& plot, TPlotView& view)
{
    if (button != TMouseButton::Left || !zooming_)
        return false;
    zooming_ = false;
    const auto zoomed = ZoomIn(view.CurrentRange[0], view.FullRange[0], view.Layout.Plot, plot.XOnTop, fixed_, at);
    if (!zoomed)
        return false;
    view.CurrentRange[0] = *zoomed;
    return true;
}

TPixelRect TPlotZoom::Band() const
{
    return {std::min(fixed_.X, last_.X), std::min(fixed_.Y, last_.Y), std::max(fixed_.X, last_.X),
            std::max(fixed_.Y, last_.Y)};
}

std::string ReadoutCaption(const TGraphPlot& plot, const TPlotView& view, TPixelPoint at)
{
    at = ClampToRect(at, view.Layout.Plot);
    const TFloatPoint value =
        plot.ShowThree ? PixelToValue(view.CurrentRange, view.Layout.Panels, plot.XOnTop, at.X, at.Y)
                       : PixelToValue(view.CurrentRange[0], view.Layout.Plot, plot.XOnTop, at.X, at.Y);
    return plot.Caption + " X: " + FormatGeneral(value.X, 5, 2) + " Y: " + FormatGeneral(value.Y, 5, 2);
}

TPixelPoint AnchoredLegend(const TPixelRect& box, int legendWidth, int legendHeight)
{
    return {box.Right - legendWidth, box.Bottom - legendHeight};
}

TPixelPoint LegendInside(TPixelPoint at, int legendWidth, int legendHeight, int clientWidth, int clientHeight)
{
    if (at.X + legendWidth > clientWidth)
        at.X = clientWidth - legendWidth;
    at.X = std::max(at.X, 0);
    if (at.Y + legendHeight > clientHeight)
        at.Y = clientHeight - legendHeight;
    at.Y = std::max(at.Y, 0);
    return at;
}

TPixelPoint DraggedLegend(TPixelPoint legendAt, TPixelPoint mouse, TPixelPoint grab, int legendWidth,
                          int legendHeight, int clientWidth, int clientHeight)
{
    int x = legendAt.X + mouse.X;
    x = std::min(x, clientWidth + grab.X - legendWidth);
    x = std::max(x, grab.X);
    int y = legendAt.Y + mouse.Y;
    y = std::min(y, clientHeight + grab.Y - legendHeight);
    y = std::max(y, grab.Y);
    return {x - grab.X, y - grab.Y};
}

TLegendFont LegendFontFor(int factor, int legendFont)
{
    TLegendFont font;
    font.Points = factor * legendFont / 10;
    font.ItemHeight = 3 * font.Points / 2;
    return font;
}

int PointsToPixels(int points, int pixelsPerInch)
{
    const long long product = static_cast<long long>(points) * pixelsPerInch;
    return static_cast<int>(product >= 0 ? (product + 36) / 72 : (product - 36) / 72);
}

TPixelSize LegendListSize(int entries, int itemHeight, int widestEntry, int pixelsPerInch)
{
    return {std::max(21, widestEntry + pixelsPerInch / 4), entries * itemHeight + 3};
}

bool ToggleEntryLine(TGraphPlot& plot, const TPlotView& view, int row)
{
    if (row < 0 || row >= static_cast<int>(view.Legend.size()))
        return false;
    TLine* line = plot.FindLine(view.Legend[static_cast<std::size_t>(row)].LineIndex);
    if (!line)
        return false;
    line->Visible = !line->Visible;
    return true;
}

TPlotMenuState PlotMenuState(const TGraphPlot& plot, const TPlotView& view)
{
    TPlotMenuState state;
    state.LegendVisible = plot.LineCount() > 0;
    state.LegendChecked = plot.ShowLegend;
    state.LayersVisible = plot.LayerCount() > 0;
    state.LayersChecked = plot.ShowLayers;
    state.WallVisible = plot.WallLineCount > 0;
    state.WallEnabled = plot.ShowLayers;
    state.WallChecked = plot.ShowWall;
    state.FontWidthVisible = plot.ShowFontWidth;
    state.MarkersChecked = plot.Markers;
    for (const TLegendEntry& entry : view.Legend) {
        const TLine* line = plot.FindLine(entry.LineIndex);
        state.LineChecked.push_back(line && line->Visible);
    }
    return state;
}

} // namespace korva::components
