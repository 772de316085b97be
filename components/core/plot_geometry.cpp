#include "plot_geometry.h"

#include <algorithm>
#include <utility>
#include <cmath>
#include <limits>
#include <numbers>

#include "int_utils.h"

namespace korva::components {

namespace {

// Pixel offsets beyond this (a curve far outside a zoomed range) are held
// here: far off every device, safe for the painter's fixed-point arithmetic
// and for adding a rectangle's edge.
constexpr Extended kPixelLimit = 16777216.0L;

// More tick indexes than any device can show: the loops stop here.
constexpr int kMaxTickIndex = 1000000;

// Share of a step by which an accumulated tick value may pass its bound.
constexpr Extended kTickSlack = 1e-6L;

int PixelRound(Extended value)
{
    if (std::isnan(value))
        return 0;
    return static_cast<int>(RoundToInt(std::clamp(value, -kPixelLimit, kPixelLimit)));
}

// 10^exponent: exact products for positive exponents, one correctly rounded
// division for negative ones (10^-2 is the literal 0.01).
Extended PowerOfTen(int exponent)
{
    Extended power = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        power *= 10;
    return exponent >= 0 ? power : 1 / power;
}

// Rounds min and max of one direction outward to the step of their span.
void RoundRangeOut(Extended& min, Extended& max)
{
    if (max == min) {
        max += 0.01L;
        min -= 0.01L;
    }
    const Extended span = max - min;
    if (!std::isfinite(span) || span <= 0)
        return;
    const Extended decade = std::log10(span);
    const Extended whole = std::floor(decade);
    Extended step = PowerOfTen(static_cast<int>(whole));
    if (decade - whole < std::log10(3.0L))
        step /= 10;
    if (!(step > 0) || !std::isfinite(step))
        return;
    min = step * RoundOut(min / step);
    max = step * RoundOut(max / step);
}

// The first and last tick index of one direction (see ComputeTicks).
bool TickIndexes(Extended min, Extended max, Extended step, int& first, int& last)
{
    const Extended slack = step * kTickSlack;
    first = 0;
    Extended value = 0;
    while (true) {
        const Extended next = value - step;
        if (next < min - slack)
            break;
        if (next == value || first <= -kMaxTickIndex)
            return false;
        value = next;
        --first;
    }
    last = 0;
    value = 0;
    while (true) {
        const Extended next = value + step;
        if (!(next <= max + slack))
            break;
        if (next == value || last >= kMaxTickIndex)
            return false;
        value = next;
        ++last;
    }
    return true;
}

// The fill code a layer point carries in X.
int PatternCode(Extended x)
{
    return std::isfinite(x) && std::fabs(x) < 1000 ? static_cast<int>(RoundToInt(x)) : 0;
}

bool FiniteRange(const TPlotRange& range)
{
    return std::isfinite(range.XMin) && std::isfinite(range.XMax) && std::isfinite(range.YMin) &&
           std::isfinite(range.YMax);
}

// Fraction of the way from min to max; 0 for an empty or non-finite span.
Extended Fraction(Extended value, Extended min, Extended max)
{
    const Extended span = max - min;
    if (!(span != 0) || !std::isfinite(span))
        return 0;
    return (value - min) / span;
}

// The layer column of a layout whose plot Right is moved in by `inset`.
void CutLayerColumn(TPlotLayout& layout, int inset)
{
    const int oldRight = layout.Plot.Right;
    layout.Plot.Right -= inset;
    layout.LayerColumn = {layout.Plot.Right + layout.PixelsX / 5, layout.Plot.Top, oldRight, layout.Plot.Bottom};
}

void CutPanels(TPlotLayout& layout)
{
    const int h = layout.FontHeight;
    const TPixelRect& plot = layout.Plot;
    const int gap = 2 * h + layout.PixelsX / 4;
    const int width = (plot.Right - plot.Left - 4 * h - layout.PixelsX / 2) / 3;
    layout.Panels[0] = {plot.Left, plot.Top, plot.Left + width, plot.Bottom};
    layout.Panels[1] = {layout.Panels[0].Right + gap, plot.Top, layout.Panels[0].Right + gap + width, plot.Bottom};
    layout.Panels[2] = {layout.Panels[1].Right + gap, plot.Top, plot.Right, plot.Bottom};
}

// The box drawn in by the room for the tick labels.
void KeepRoom(TPixelRect& box, const TLabelRoom& room)
{
    box.Left += room.Left;
    box.Top += room.Top;
    box.Right -= room.Right;
    box.Bottom -= room.Bottom;
}

// The screen rules up to the graph title (steps 1 and 2).
TPlotLayout ScreenBox(const TGraphPlot& plot, int width, int height, int pixelsX, int pixelsY, int h,
                      const TLabelRoom& room)
{
    TPlotLayout layout;
    layout.Client = {0, 0, width, height};
    layout.PixelsX = pixelsX;
    layout.PixelsY = pixelsY;
    layout.FontHeight = h;
    TPixelRect& box = layout.Plot;
    box.Left = 2 * h + pixelsX / 8 + h / 8;
    box.Right = width - pixelsX / 4 - h / 2;
    if (plot.XOnTop) {
        box.Top = 2 * h + pixelsY / 8 + h / 8;
        box.Bottom = height - pixelsY / 4 - h / 2;
    } else {
        box.Top = h / 2 + pixelsY / 4;
        box.Bottom = height - 2 * h - pixelsY / 8 - h / 8;
    }
    KeepRoom(box, room);
    return layout;
}

bool TitleAbove(const TGraphPlot& plot)
{
    return !plot.GraphTitle.empty() && plot.TitleOnTop;
}

bool TitleBelow(const TGraphPlot& plot)
{
    return !plot.GraphTitle.empty() && !plot.TitleOnTop;
}

} // namespace

std::uint32_t PlotColor(int index)
{
    const int count = static_cast<int>(PlotColors.size());
    return PlotColors[static_cast<std::size_t>((index % count + count) % count)];
}

std::string ColorText(std::uint32_t rgb)
{
    std::string text = "#" + FormatInteger(rgb & 0xFFFFFF, 16, 6);
    for (char& c : text)
        c = static_cast<char>(c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
    return text;
}

Extended RoundOut(Extended x)
{
    return x > 0 ? std::ceil(x) : std::floor(x);
}

TPlotRange ComputeRange(const TObjectList<TLine>& lines)
{
    TPlotRange range;
    for (int i = 0; i < lines.Count(); ++i) {
        const TLine* line = lines.Items(i);
        if (!line)
            continue;
        for (const TFloatPoint& p : line->Points) {
            if (!std::isfinite(p.X) || !std::isfinite(p.Y))
                continue;
            if (p.X < range.XMin)
                range.XMin = p.X;
            else if (p.X > range.XMax)
                range.XMax = p.X;
            if (p.Y < range.YMin)
                range.YMin = p.Y;
            else if (p.Y > range.YMax)
                range.YMax = p.Y;
        }
    }
    RoundRangeOut(range.YMin, range.YMax);
    RoundRangeOut(range.XMin, range.XMax);
    return range;
}

Extended MajorTickStep(Extended rawStep)
{
    if (!(rawStep > 0) || !std::isfinite(rawStep))
        return 0;
    const Extended power = PowerOfTen(static_cast<int>(std::floor(std::log10(rawStep))));
    const Extended digits = std::trunc(rawStep / power);
    if (digits < 2)
        return power;
    if (digits < 5)
        return 2 * power;
    if (digits < 9)
        return 5 * power;
    return 10 * power;
}

std::optional<TTickSet> ComputeTicks(const TPlotRange& range, const TPixelRect& area, int fontHeight,
                                     int labelSpacing)
{
    const long long spacing = static_cast<long long>(labelSpacing) * fontHeight;
    if (spacing <= 0 || !FiniteRange(range))
        return std::nullopt;
    const long long nx = std::llabs(static_cast<long long>(area.Right) - area.Left) / spacing;
    const long long ny = std::llabs(static_cast<long long>(area.Bottom) - area.Top) / spacing;
    if (nx == 0 || ny == 0)
        return std::nullopt;
    const Extended rawX = (range.XMax - range.XMin) / nx;
    const Extended rawY = (range.YMax - range.YMin) / ny;
    if (!(rawX > 0) || !(rawY > 0) || !std::isfinite(rawX) || !std::isfinite(rawY))
        return std::nullopt;

    TTickSet ticks;
    ticks.TickStep.X = MajorTickStep(rawX) / 5;
    ticks.TickStep.Y = MajorTickStep(rawY) / 5;
    if (!(ticks.TickStep.X > 0) || !(ticks.TickStep.Y > 0) || !std::isfinite(ticks.TickStep.X) ||
        !std::isfinite(ticks.TickStep.Y))
        return std::nullopt;
    if (!TickIndexes(range.XMin, range.XMax, ticks.TickStep.X, ticks.FirstX, ticks.LastX) ||
        !TickIndexes(range.YMin, range.YMax, ticks.TickStep.Y, ticks.FirstY, ticks.LastY))
        return std::nullopt;
    return ticks;
}

std::vector<Extended> MajorTickValues(Extended step, int first, int last)
{
    std::vector<Extended> values;
    for (int k = first; k <= last; ++k)
        if (k % 5 == 0)
            values.push_back(k * step);
    return values;
}

std::string TickLabel(Extended value)
{
    return FormatGeneral(value, 4, 2);
}

int BaseFontHeight(int pixelsPerInch)
{
    return (14 * pixelsPerInch + 48) / 96;
}

int ScaledFontHeight(int fontHeight, int factor)
{
    return std::abs(fontHeight * factor / 10);
}

TPlotLayout ScreenLayout(const TGraphPlot& plot, int clientWidth, int clientHeight, int pixelsX, int pixelsY,
                         int fontHeight, const TLabelRoom& room)
{
    TPlotLayout layout = ScreenBox(plot, clientWidth, clientHeight, pixelsX, pixelsY, fontHeight, room);
    const int h = fontHeight;
    if (TitleAbove(plot))
        layout.Plot.Top += h + h / 8;
    else if (TitleBelow(plot))
        layout.Plot.Bottom -= h;
    if (plot.ShowLayers)
        CutLayerColumn(layout, pixelsX);
    if (plot.ShowThree)
        CutPanels(layout);
    return layout;
}

TPlotLayout PrintLayout(const TGraphPlot& plot, const TPixelRect& client, int pixelsX, int pixelsY, int fontHeight,
                        const TLabelRoom& room)
{
    TPlotLayout layout;
    layout.Client = client;
    layout.PixelsX = pixelsX;
    layout.PixelsY = pixelsY;
    layout.FontHeight = fontHeight;
    const int h = fontHeight;
    const int titleSpace = 2 * h + pixelsX / 8 + h / 8;
    TPixelRect& box = layout.Plot;
    box.Left = client.Left + titleSpace;
    box.Right = client.Right;
    if (plot.XOnTop) {
        box.Top = client.Top + titleSpace;
        box.Bottom = client.Bottom;
    } else {
        box.Top = client.Top;
        box.Bottom = client.Bottom - titleSpace;
    }
    KeepRoom(box, room);
    if (TitleAbove(plot))
        box.Top += pixelsY / 4;
    else if (TitleBelow(plot))
        box.Bottom -= pixelsY / 2;
    if (plot.ShowLayers)
        CutLayerColumn(layout, pixelsX);
    if (plot.ShowThree)
        CutPanels(layout);
    return layout;
}

TPlotLayout BitmapLayout(const TGraphPlot& plot, int width, int height, int pixelsX, int pixelsY, int fontHeight,
                         const TLabelRoom& room)
{
    TPlotLayout layout = ScreenBox(plot, width, height, pixelsX, pixelsY, fontHeight, room);
    if (plot.ShowLayers)
        CutLayerColumn(layout, pixelsX / 2);
    if (plot.ShowThree)
        CutPanels(layout);
    return layout;
}

TPixelRect PrintClientRect(const TPageMargins& margins, int pixelsX, int pixelsY, int offsetX, int offsetY,
                           int pageWidth, int pageHeight)
{
    const auto toPixels = [](int thousandths, int pixelsPerInch, int offset) {
        const Extended pixels = static_cast<Extended>(thousandths) * pixelsPerInch / 1000;
        return std::max(PixelRound(pixels), offset);
    };
    const int left = toPixels(margins.Left, pixelsX, offsetX);
    const int right = toPixels(margins.Right, pixelsX, offsetX);
    const int top = toPixels(margins.Top, pixelsY, offsetY);
    const int bottom = toPixels(margins.Bottom, pixelsY, offsetY);
    return {left - offsetX, top - offsetY, pageWidth + offsetX - right, pageHeight + offsetY - bottom};
}

bool IsPaintable(const TPlotLayout& layout)
{
    return layout.Client.Width() >= layout.PixelsX && layout.Client.Height() >= layout.PixelsY &&
           layout.PixelsX > 0 && layout.PixelsY > 0;
}

bool HasArea(const TPixelRect& rect)
{
    return rect.Right > rect.Left && rect.Bottom > rect.Top;
}

TPixelPoint XTitlePosition(const TPlotLayout& layout, const TGraphPlot& plot, TTextSize text)
{
    const TPixelRect& client = layout.Client;
    const int h = layout.FontHeight;
    TPixelPoint at{(client.Left + client.Right - text.Width) / 2, 0};
    if (plot.XOnTop)
        at.Y = client.Top + (TitleAbove(plot) ? h / 8 + h : 0);
    else
        at.Y = client.Bottom - text.Height - (TitleBelow(plot) ? h / 8 + h : 0);
    return at;
}

TPixelPoint GraphTitlePosition(const TPlotLayout& layout, const TGraphPlot& plot, TTextSize text)
{
    const TPixelRect& client = layout.Client;
    return {(client.Left + client.Right - text.Width) / 2,
            plot.TitleOnTop ? client.Top : client.Bottom - text.Height};
}

TPixelPoint YTitlePosition(const TPlotLayout& layout, TTextSize text)
{
    const TPixelRect& client = layout.Client;
    return {client.Left, (client.Top + client.Bottom + text.Width) / 2};
}

TPixelPoint PanelXTitlePosition(const TPlotLayout& layout, const TGraphPlot& plot, int panel, TTextSize text)
{
    const TPixelRect& area = layout.Panels[static_cast<std::size_t>(std::clamp(panel, 0, 2))];
    const TPixelRect& client = layout.Client;
    TPixelPoint at{(area.Left + area.Right - text.Width) / 2, 0};
    if (plot.XOnTop)
        at.Y = client.Top + layout.PixelsY / 16 + (TitleAbove(plot) ? layout.PixelsY / 4 : 0);
    else
        at.Y = client.Bottom - layout.PixelsY / 16 - text.Height - (TitleBelow(plot) ? layout.PixelsY / 4 : 0);
    return at;
}

TPixelPoint PanelYTitlePosition(const TPlotLayout& layout, int panel, TTextSize text, bool toBitmap)
{
    const TPixelRect& area = layout.Panels[static_cast<std::size_t>(std::clamp(panel, 0, 2))];
    const int x = area.Left - 2 * layout.FontHeight - layout.PixelsX / 8;
    // Centred along the client, or along the plot box in a bitmap (whose
    // client may be far taller than the window's).
    const int y = toBitmap ? (layout.Plot.Top + layout.Plot.Bottom + text.Width) / 2
                           : (layout.Client.Top + layout.Client.Bottom + text.Width) / 2;
    return {x, y};
}

TPixelPoint XTickLabelPosition(const TPixelRect& area, int pixelsY, bool xOnTop, int px, TTextSize text)
{
    return {px - text.Width / 2, xOnTop ? area.Top - text.Height - pixelsY / 32 : area.Bottom + pixelsY / 16};
}

TPixelPoint YTickLabelPosition(const TPixelRect& area, int pixelsX, int py, TTextSize text)
{
    return {area.Left - text.Height - pixelsX / 32, py + text.Width / 2};
}

bool TLabelSpacing::Keep(int from, int to)
{
    if (from > to)
        std::swap(from, to);
    if (any_ && to + gap_ > from_ && from < to_ + gap_)
        return false;
    any_ = true;
    from_ = from;
    to_ = to;
    return true;
}

std::vector<TPlotArea> PlotAreas(const TGraphPlot& plot, const TPlotLayout& layout,
                                 const std::array<TPlotRange, 3>& ranges)
{
    if (!plot.ShowThree)
        return {{layout.Plot, ranges[0], &plot.Lines(), kSinglePlotLabelSpacing}};
    const TObjectList<TLine>* lists[] = {&plot.Lines(), &plot.Lines2(), &plot.Lines3()};
    std::vector<TPlotArea> areas;
    for (std::size_t k = 0; k < 3; ++k)
        areas.push_back({layout.Panels[k], ranges[k], lists[k], kPanelLabelSpacing});
    return areas;
}

std::vector<TTickLabel> TickLabels(const TPlotArea& area, const TTickSet& ticks, const TPlotLayout& layout,
                                   bool xOnTop, const TLabelMeasure& measure)
{
    std::vector<TTickLabel> labels;
    const TPixelRect& r = area.Rect;
    if (ticks.LastX > ticks.FirstX) {
        TLabelSpacing spacing(layout.PixelsX / 16);
        for (int k = ticks.FirstX; k <= ticks.LastX; ++k) {
            const Extended x = k * ticks.TickStep.X;
            const int px = ValueToPixel(area.Range, r, xOnTop, x, area.Range.YMin).X;
            if (k % 5 != 0 || px < r.Left || px > r.Right)
                continue;
            TTickLabel label{TPlotAxis::X, x, TickLabel(x), {px, xOnTop ? r.Top : r.Bottom}, {}, {}};
            const TTextSize size = measure(label.Text);
            label.At = XTickLabelPosition(r, layout.PixelsY, xOnTop, px, size);
            label.Cell = {label.At.X, label.At.Y, label.At.X + size.Width, label.At.Y + size.Height};
            if (spacing.Keep(label.Cell.Left, label.Cell.Right))
                labels.push_back(std::move(label));
        }
    }
    if (ticks.LastY > ticks.FirstY) {
        TLabelSpacing spacing(layout.PixelsY / 16);
        for (int k = ticks.FirstY; k <= ticks.LastY; ++k) {
            const Extended y = k * ticks.TickStep.Y;
            const int py = ValueToPixel(area.Range, r, xOnTop, area.Range.XMin, y).Y;
            if (k % 5 != 0 || py < r.Top || py > r.Bottom)
                continue;
            TTickLabel label{TPlotAxis::Y, y, TickLabel(y), {r.Left, py}, {}, {}};
            const TTextSize size = measure(label.Text);
            label.At = YTickLabelPosition(r, layout.PixelsX, py, size);
            // It rises from At: its length runs up, its thickness across.
            label.Cell = {label.At.X, label.At.Y - size.Width, label.At.X + size.Height, label.At.Y};
            if (spacing.Keep(label.Cell.Bottom, label.Cell.Top))
                labels.push_back(std::move(label));
        }
    }
    return labels;
}

TLabelRoom TickLabelOverhang(const TGraphPlot& plot, const TPlotLayout& layout,
                             const std::array<TPlotRange, 3>& ranges, const TLabelMeasure& measure)
{
    TLabelRoom overhang;
    const TPixelRect& client = layout.Client;
    for (const TPlotArea& area : PlotAreas(plot, layout, ranges)) {
        if (!HasArea(area.Rect))
            continue;
        const std::optional<TTickSet> ticks = ComputeTicks(area.Range, area.Rect, layout.FontHeight, area.LabelSpacing);
        if (!ticks)
            continue;
        for (const TTickLabel& label : TickLabels(area, *ticks, layout, plot.XOnTop, measure)) {
            overhang.Left = std::max(overhang.Left, client.Left - label.Cell.Left);
            overhang.Top = std::max(overhang.Top, client.Top - label.Cell.Top);
            overhang.Right = std::max(overhang.Right, label.Cell.Right - client.Right);
            overhang.Bottom = std::max(overhang.Bottom, label.Cell.Bottom - client.Bottom);
        }
    }
    return overhang;
}

TPlotLayout FitTickLabels(const std::function<TPlotLayout(const TLabelRoom&)>& lay, const TGraphPlot& plot,
                          const std::array<TPlotRange, 3>& ranges, const TLabelMeasure& measure)
{
    // Each round only draws the box further in, so the rounds end: at the
    // latest when the box is too small for ticks.
    constexpr int kRounds = 8;
    TLabelRoom room;
    TPlotLayout layout = lay(room);
    for (int round = 0; round < kRounds; ++round) {
        const TLabelRoom more = TickLabelOverhang(plot, layout, ranges, measure);
        if (more == TLabelRoom{})
            break;
        room.Left += more.Left;
        room.Top += more.Top;
        room.Right += more.Right;
        room.Bottom += more.Bottom;
        layout = lay(room);
    }
    return layout;
}

TPixelPoint ValueToPixel(const TPlotRange& range, const TPixelRect& area, bool xOnTop, Extended x, Extended y)
{
    const int dx = PixelRound(Fraction(x, range.XMin, range.XMax) * (area.Right - area.Left));
    const int dy = PixelRound(Fraction(y, range.YMin, range.YMax) * (area.Bottom - area.Top));
    return {area.Left + dx, xOnTop ? area.Top + dy : area.Bottom - dy};
}

TFloatPoint PixelToValue(const TPlotRange& range, const TPixelRect& area, bool xOnTop, int px, int py)
{
    TFloatPoint value;
    if (px < area.Left || px > area.Right)
        return value;
    const auto share = [](int offset, int extent) -> Extended {
        return extent != 0 ? static_cast<Extended>(offset) / extent : 0;
    };
    const int height = area.Bottom - area.Top;
    value.X = range.XMin + share(px - area.Left, area.Right - area.Left) * (range.XMax - range.XMin);
    const Extended f = xOnTop ? share(py - area.Top, height) : share(area.Bottom - py, height);
    value.Y = range.YMin + f * (range.YMax - range.YMin);
    return value;
}

TFloatPoint PixelToValue(const std::array<TPlotRange, 3>& ranges, const std::array<TPixelRect, 3>& panels,
                         bool xOnTop, int px, int py)
{
    for (std::size_t k = 0; k < panels.size(); ++k)
        if (px >= panels[k].Left && px <= panels[k].Right)
            return PixelToValue(ranges[k], panels[k], xOnTop, px, py);
    return {};
}

int CurvePenWidth(int pixelsX, int widthLine)
{
    return (static_cast<int>(RoundToInt(static_cast<Extended>(pixelsX) / 300)) + 1) * widthLine;
}

int MarkerShape(int lineIndex)
{
    return (lineIndex % 10 + 10) % 10 + 1;
}

std::vector<TPixelPoint> MarkerVertices(int shape, TPixelPoint centre, int pixelsX, int pixelsY)
{
    constexpr Extended pi = std::numbers::pi_v<Extended>;
    int count = 0;
    Extended step = 0;
    Extended start = 0;
    if (shape == 1) {
        count = 4;
        step = 2 * pi / 3;
        start = pi;
    } else if (shape == 2) {
        count = 5;
        step = pi / 2;
        start = pi / 4;
    } else {
        const int sides = std::clamp(shape, 3, 10);
        count = sides + 1;
        step = 2 * pi / sides;
    }
    const Extended rx = static_cast<Extended>(pixelsX) / 32;
    const Extended ry = static_cast<Extended>(pixelsY) / 32;
    std::vector<TPixelPoint> vertices;
    vertices.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const Extended a = i * step + start;
        vertices.push_back({centre.X + PixelRound(std::sin(a) * rx), centre.Y - PixelRound(std::cos(a) * ry)});
    }
    return vertices;
}

TMarkerShapes::TMarkerShapes(int pixelsX, int pixelsY)
{
    for (std::size_t k = 0; k < offsets_.size(); ++k)
        offsets_[k] = MarkerVertices(static_cast<int>(k) + 1, {0, 0}, pixelsX, pixelsY);
}

const std::vector<TPixelPoint>& TMarkerShapes::Offsets(int shape) const
{
    const int known = shape == 1 || shape == 2 ? shape : std::clamp(shape, 3, 10);
    return offsets_[static_cast<std::size_t>(known - 1)];
}

std::vector<TCurveStyle> DrawnCurves(const TObjectList<TLine>& lines)
{
    std::vector<TCurveStyle> curves;
    if (lines.Count() == 0 || !lines.Items(0) || lines.Items(0)->PointCount() <= 1)
        return curves;
    int position = 0;
    for (int i = 0; i < lines.Count(); ++i) {
        const TLine* line = lines.Items(i);
        if (!line || !line->Active)
            continue;
        if (line->Visible && line->PointCount() > 0)
            curves.push_back({i, position});
        ++position;
    }
    return curves;
}

TCurvePath CurvePath(const TLine& line, const TPlotRange& range, const TPixelRect& area, bool xOnTop, int markers)
{
    TCurvePath path;
    bool inRun = false;
    for (int d = 0; d < line.PointCount(); ++d) {
        const TFloatPoint& p = line.Points[static_cast<std::size_t>(d)];
        if (!std::isfinite(p.X) || !std::isfinite(p.Y)) {
            inRun = false;
            continue;
        }
        const TPixelPoint pixel = ValueToPixel(range, area, xOnTop, p);
        if (!inRun)
            path.Runs.emplace_back();
        path.Runs.back().push_back(pixel);
        inRun = true;
        if (markers > 0 && d % markers == 0)
            path.Markers.push_back(pixel);
    }
    return path;
}

TLegendBox LegendBoxGeometry(const TPlotLayout& layout, int legendLeft, int legendTop, int windowWidth,
                             int windowHeight, int itemCount, int textWidth, int textHeight)
{
    const TPixelRect& plot = layout.Plot;
    const auto place = [](int from, int extent, int offset, int whole) {
        return whole > 0 ? from + static_cast<int>(static_cast<long long>(extent) * offset / whole) : from;
    };
    const int gap = layout.PixelsY / 32;
    const int width = textWidth + (3 * layout.PixelsX) / 16;
    const int height = std::max(itemCount, 0) * (textHeight + gap) + gap;
    // Texts on paper are larger against the plot than on the screen: a box
    // that would stick out past the plot (under the soil-layer column, or off
    // the page or the bitmap) is moved back inside it.
    const int x0 = std::max(plot.Left, std::min(place(plot.Left, plot.Right - plot.Left, legendLeft, windowWidth),
                                                 plot.Right - width));
    const int y0 = std::max(plot.Top, std::min(place(plot.Top, plot.Bottom - plot.Top, legendTop, windowHeight),
                                               plot.Bottom - height));
    TLegendBox box;
    box.Frame = {x0, y0, x0 + width, y0 + height};
    const int x = x0 + layout.PixelsX / 16;
    int y = y0 + gap;
    for (int i = 0; i < itemCount; ++i) {
        box.Items.push_back({{x, y + textHeight / 2}, {x + layout.PixelsX / 16, y}});
        y += gap + textHeight;
    }
    return box;
}

std::vector<TLayerBand> LayerBands(const TGraphPlot& plot, const TPlotLayout& layout, const TPlotRange& range)
{
    std::vector<TLayerBand> bands;
    if (plot.LayerCount() == 0 || plot.LayerPointCount() == 0)
        return bands;
    const TPixelRect& column = layout.LayerColumn;
    const int bottom = layout.Plot.Bottom;
    const auto depthPixel = [&](Extended depth) {
        return ValueToPixel(range, layout.Plot, plot.XOnTop, 0, depth).Y;
    };
    const auto addBand = [&](int left, int top, int right, int bandBottom, int pattern, bool wall) {
        if (bandBottom < top)
            return static_cast<TLayerBand*>(nullptr);
        TLayerBand band;
        band.Rect = {left, top, right, bandBottom};
        band.Pattern = pattern;
        band.Wall = wall;
        bands.push_back(band);
        return &bands.back();
    };

    const int wallIndex = plot.WallLineCount;
    int drawn = plot.LayerCount();
    if (wallIndex > 0)
        drawn -= plot.ShowWall ? 1 : 2;

    if (!plot.ShowWall || wallIndex <= 0) {
        int y0 = depthPixel(plot.LayerTop);
        for (int i = 0; i < drawn; ++i) {
            const TLine* line = plot.Layer(i);
            for (const TFloatPoint& p : line->Points) {
                if (!std::isfinite(p.Y))
                    continue;
                const int py = depthPixel(p.Y);
                const int bandBottom = i == drawn - 1 ? std::min(bottom, py) : std::min(bottom, py + 1);
                const int pattern = PatternCode(p.X);
                if (TLayerBand* band = addBand(column.Left, y0, column.Right - 1, bandBottom, pattern, false)) {
                    band->Name = line->GetName();
                    band->NameTop = y0;
                    band->NameBottom = py;
                }
                y0 = py;
            }
        }
        return bands;
    }

    // The wall: soil lines before it, the wall line, and the excavation
    // line right after it holding the excavation depth of each point.
    const TLine* excavation = wallIndex + 1 < plot.LayerCount() ? plot.Layer(wallIndex + 1) : nullptr;
    const int c2 = column.Left + 2 * (column.Right - column.Left) / 5;
    const int c3 = column.Left + 3 * (column.Right - column.Left) / 5;
    for (int i = 0; i < std::min(drawn, wallIndex + 1); ++i) {
        const TLine* line = plot.Layer(i);
        for (int j = 0; j < line->PointCount(); ++j) {
            const TFloatPoint& p = line->Points[static_cast<std::size_t>(j)];
            if (!std::isfinite(p.Y))
                continue;
            const int py = depthPixel(p.Y);
            if (i == wallIndex) {
                addBand(c2, column.Top, c3 - 1, py, 0, true);
                continue;
            }
            Extended e = std::numeric_limits<Extended>::infinity(); // no excavation line: nothing dug out
            if (excavation && j < excavation->PointCount() && std::isfinite(excavation->Points[static_cast<std::size_t>(j)].Y))
                e = excavation->Points[static_cast<std::size_t>(j)].Y;
            const int pattern = PatternCode(p.X);
            const int end = i == wallIndex - 1 ? py : py + 1;
            const TLine* previous = i > 0 ? plot.Layer(i - 1) : nullptr;
            const bool hasPrevious = previous && j < previous->PointCount() && std::isfinite(previous->Points[static_cast<std::size_t>(j)].Y);
            const Extended previousDepth = hasPrevious ? previous->Points[static_cast<std::size_t>(j)].Y : plot.LayerTop;
            const int top = i == 0 ? column.Top : depthPixel(previousDepth);
            const int ePixel = std::isfinite(e) ? depthPixel(e) : bottom;
            if (p.Y < e) {
                addBand(column.Left, top, c2, end, pattern, false);
            } else if (i == 0) {
                addBand(column.Left, column.Top, c2, end, pattern, false);
                addBand(c3, ePixel, column.Right, end, pattern, false);
            } else if (e <= previousDepth) {
                addBand(column.Left, top, column.Right, end, pattern, false);
            } else {
                addBand(column.Left, top, c2, end, pattern, false);
                addBand(c3, ePixel, column.Right, end, pattern, false);
            }
        }
    }
    return bands;
}

} // namespace korva::components
