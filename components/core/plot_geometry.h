#pragma once
// Geometry of the plot window, free of any window library: axis ranges, tick
// steps, the layouts of screen, printer and bitmap, the mapping between
// values and device pixels, marker shapes, pen width, the legend box, the
// bands of the soil-layer column and the colour table. The renderer only
// draws what these compute; every size is in pixels of the device drawn on.
//
// Rectangles follow the window system's convention for filled boxes: Left
// and Top inside, Right and Bottom one past. The plot rectangle is the
// exception by use: its four values are the pixel lines of the axes box
// (the frame is drawn from Left, Top to Right + 1, Bottom + 1).
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "graph_plot.h"
#include "number_format.h"

namespace korva::components {

struct TPixelPoint {
    int X = 0;
    int Y = 0;
    bool operator==(const TPixelPoint&) const = default;
};

struct TPixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool operator==(const TPixelRect&) const = default;
};

// XMin, XMax, YMin, YMax of one plot area.
struct TPlotRange {
    Extended XMin = 0;
    Extended XMax = 0;
    Extended YMin = 0;
    Extended YMax = 0;
    bool operator==(const TPlotRange&) const = default;
};

// ---------------------------------------------------------------------------
// Colours

// The 17 curve colours as 0xRRGGBB: black, blue, red, green, purple, maroon,
// navy, fuchsia, olive, teal, gray, lime, gray, silver, silver, yellow, aqua.
inline constexpr std::array<std::uint32_t, 17> PlotColors = {
    0x000000, 0x0000FF, 0xFF0000, 0x008000, 0x800080, 0x800000, 0x000080, 0xFF00FF, 0x808000,
    0x008080, 0x808080, 0x00FF00, 0x808080, 0xC0C0C0, 0xC0C0C0, 0xFFFF00, 0x00FFFF,
};

// The colour of a position, modulo 17.
std::uint32_t PlotColor(int index);

// "#rrggbb".
std::string ColorText(std::uint32_t rgb);

// ---------------------------------------------------------------------------
// Axis ranges and ticks

// x > 0 gives Ceil(x), otherwise Floor(x).
Extended RoundOut(Extended x);

// The range of every point of the lines (Active or not, Visible or not),
// always containing zero, each direction rounded outward: a span whose
// leading digits lie below 3 to a tenth of its decade, else to its decade.
// A direction without extent becomes -0.01..0.01 around its value. Points
// that are not finite are skipped.
TPlotRange ComputeRange(const TObjectList<TLine>& lines);

// Tick steps and index ranges of one plot area: tick k stands at
// k x TickStep; every fifth (zero included) is a major tick with a grid line
// and a label.
struct TTickSet {
    TFloatPoint TickStep; // minor step in x and in y
    int FirstX = 0;
    int LastX = 0;
    int FirstY = 0;
    int LastY = 0;
};

// How many pixels of font height one label spacing takes.
inline constexpr int kSinglePlotLabelSpacing = 6;
inline constexpr int kPanelLabelSpacing = 4;

// The major step for a raw step: 1, 2, 5 or 10 times its power of ten.
Extended MajorTickStep(Extended rawStep);

// The ticks of an area: nx = width / (spacing x fontHeight) labels across,
// ny the same down; major step from range / count, minor = major / 5. The
// first index is the lowest k whose value, reached from 0 by repeated
// subtraction of the step, is not below the minimum; the last the highest
// reached by repeated addition that is not above the maximum (with a
// millionth of a step of slack, so rounding in the sum never loses the last
// tick). Nothing (no grid, no labels) for an area too small for one label
// spacing, a range that is not finite or empty, or more ticks than a window
// can show.
std::optional<TTickSet> ComputeTicks(const TPlotRange& range, const TPixelRect& area, int fontHeight,
                                     int labelSpacing);

// The values of the major ticks from first to last index (k divisible by 5).
std::vector<Extended> MajorTickValues(Extended step, int first, int last);

// A tick label: general format, 4 significant digits, at least two exponent
// digits.
std::string TickLabel(Extended value);

// ---------------------------------------------------------------------------
// Layout

// The window's font: 14 pixels high at 96 pixels per inch, scaled to the
// device's resolution.
int BaseFontHeight(int pixelsPerInch);

// |fontHeight x factor / 10| with integer division: h of the layout rules.
int ScaledFontHeight(int fontHeight, int factor);

// Where everything of one drawing goes.
struct TPlotLayout {
    TPixelRect Client;              // the whole drawing surface
    TPixelRect Plot;                // the axes box (single plot)
    TPixelRect LayerColumn;         // the soil-layer column (ShowLayers)
    std::array<TPixelRect, 3> Panels{}; // three-panel mode
    int PixelsX = 96;               // pixels per inch of the device
    int PixelsY = 96;
    int FontHeight = 0;             // h: ScaledFontHeight of the device font with SizeFont
};

// Room kept between the client rectangle and the plot box, on each side,
// besides what the layout rules give (see FitTickLabels).
struct TLabelRoom {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TLabelRoom&) const = default;
};

// The window: client rectangle (0, 0, width, height).
TPlotLayout ScreenLayout(const TGraphPlot& plot, int clientWidth, int clientHeight, int pixelsX, int pixelsY,
                         int fontHeight, const TLabelRoom& room = {});

// The printed page: client rectangle in printable-area pixels.
TPlotLayout PrintLayout(const TGraphPlot& plot, const TPixelRect& client, int pixelsX, int pixelsY, int fontHeight,
                        const TLabelRoom& room = {});

// A bitmap of the given size at the screen's resolution: the screen rules
// without the graph title's space, and a layer column half as far in.
TPlotLayout BitmapLayout(const TGraphPlot& plot, int width, int height, int pixelsX, int pixelsY, int fontHeight,
                         const TLabelRoom& room = {});

// Page margins in thousandths of an inch.
struct TPageMargins {
    int Left = 1000;
    int Top = 1000;
    int Right = 1000;
    int Bottom = 1000;
};

// The client rectangle of a printed page, in printable-area pixels: each
// margin in device pixels, never less than the printer's physical offset of
// the printable area on its side.
TPixelRect PrintClientRect(const TPageMargins& margins, int pixelsX, int pixelsY, int offsetX, int offsetY,
                           int pageWidth, int pageHeight);

// True when the client rectangle is at least an inch in both directions;
// a smaller surface shows only its white background.
bool IsPaintable(const TPlotLayout& layout);

// A rectangle with room inside (Right > Left and Bottom > Top): areas that
// are not draw nothing.
bool HasArea(const TPixelRect& rect);

// ---------------------------------------------------------------------------
// Titles and labels (text sizes as the device measures them)

struct TTextSize {
    int Width = 0;
    int Height = 0;
};

// Top-left of the x-axis title of the single plot, centred on the client.
TPixelPoint XTitlePosition(const TPlotLayout& layout, const TGraphPlot& plot, TTextSize text);
// Top-left of the graph title, centred on the client, at its top or bottom.
TPixelPoint GraphTitlePosition(const TPlotLayout& layout, const TGraphPlot& plot, TTextSize text);
// Start of the y-axis title, which reads upward from there (Width is the
// length of the text, Height its thickness).
TPixelPoint YTitlePosition(const TPlotLayout& layout, TTextSize text);
// The same for panel 0..2 in three-panel mode.
TPixelPoint PanelXTitlePosition(const TPlotLayout& layout, const TGraphPlot& plot, int panel, TTextSize text);
TPixelPoint PanelYTitlePosition(const TPlotLayout& layout, int panel, TTextSize text, bool toBitmap);
// Top-left of the label of an x tick at px, above the box with xOnTop, else
// below it.
TPixelPoint XTickLabelPosition(const TPixelRect& area, int pixelsY, bool xOnTop, int px, TTextSize text);
// Start of the upward-reading label of a y tick at py, left of the box.
TPixelPoint YTickLabelPosition(const TPixelRect& area, int pixelsX, int py, TTextSize text);
// Keeps the tick labels of one axis apart. Labels of four digits in the
// exponent form ("1.2E04", capacities in kN) are wider than the spacing of
// the major ticks allows: a label whose span along the axis comes within
// `gap` pixels of the last label kept is left out; its grid line and tick
// stay.
class TLabelSpacing {
public:
    explicit TLabelSpacing(int gap) : gap_(gap) {}
    // The label spans from..to (pixels along the axis): true when it is kept.
    bool Keep(int from, int to);

private:
    int gap_;
    bool any_ = false;
    int from_ = 0;
    int to_ = 0;
};

// ---------------------------------------------------------------------------
// Plot areas and their tick labels

// One plot area: the single plot, or one of the three panels, with the
// range it shows and its lines.
struct TPlotArea {
    TPixelRect Rect;
    TPlotRange Range;
    const TObjectList<TLine>* Lines = nullptr;
    int LabelSpacing = kSinglePlotLabelSpacing;
};

// The single plot, or the three panels with ShowThree, each with its range
// (single plot and panel 1, panel 2, panel 3).
std::vector<TPlotArea> PlotAreas(const TGraphPlot& plot, const TPlotLayout& layout,
                                 const std::array<TPlotRange, 3>& ranges);

// Measures a text in the tick labels' font of the device drawn on.
using TLabelMeasure = std::function<TTextSize(const std::string& text)>;

enum class TPlotAxis { X, Y };

// One tick label as it is drawn.
struct TTickLabel {
    TPlotAxis Axis = TPlotAxis::X;
    Extended Value = 0;
    std::string Text;
    TPixelPoint Tick; // where its tick meets the box: (px, Top or Bottom) on x, (Left, py) on y
    TPixelPoint At;   // top-left of an x label's text; start of a y label's upward text
    TPixelRect Cell;  // the text's box on the device, upward labels turned (Right, Bottom one past)
};

// The labels of an area's major ticks in tick order, each centred on its
// tick: x labels above the box with xOnTop, else below it; y labels left of
// it, reading upward. A label that comes within PixelsX/16 (x) or PixelsY/16
// (y) of the last one kept is left out; its grid line and tick stay.
std::vector<TTickLabel> TickLabels(const TPlotArea& area, const TTickSet& ticks, const TPlotLayout& layout,
                                   bool xOnTop, const TLabelMeasure& measure);

// How far the tick labels of the plot's areas stand out of the client
// rectangle on each side (0 where they lie inside).
TLabelRoom TickLabelOverhang(const TGraphPlot& plot, const TPlotLayout& layout,
                             const std::array<TPlotRange, 3>& ranges, const TLabelMeasure& measure);

// A layout in which every tick label stands at its own tick inside the
// client rectangle: `lay` makes the layout with extra room at the sides of
// the plot box, which grows by the labels' overhang until nothing stands
// out (drawing the box in may change its ticks, hence a few rounds). The
// labels of an axis's end ticks, centred on them, need room that the page's
// rules do not give on paper (the box reaches the margins there), nor on
// any device for large fonts.
TPlotLayout FitTickLabels(const std::function<TPlotLayout(const TLabelRoom&)>& lay, const TGraphPlot& plot,
                          const std::array<TPlotRange, 3>& ranges, const TLabelMeasure& measure);

// ---------------------------------------------------------------------------
// Values and pixels

// Pixel of a value in an area: x from Left (XMin) to Right (XMax); y from
// Top (YMin) down with xOnTop, else from Bottom (YMax at Top). Halves round
// to even. An empty or non-finite span maps to Left (or the y origin side);
// results far outside the device are held at +-2^24 pixels.
TPixelPoint ValueToPixel(const TPlotRange& range, const TPixelRect& area, bool xOnTop, Extended x, Extended y);
inline TPixelPoint ValueToPixel(const TPlotRange& range, const TPixelRect& area, bool xOnTop, const TFloatPoint& p)
{
    return ValueToPixel(range, area, xOnTop, p.X, p.Y);
}

// The value under a pixel; (0,0) when px lies outside Left..Right (py is not
// checked).
TFloatPoint PixelToValue(const TPlotRange& range, const TPixelRect& area, bool xOnTop, int px, int py);

// The three-panel form: mapped with the panel whose Left..Right holds px;
// (0,0) in no panel.
TFloatPoint PixelToValue(const std::array<TPlotRange, 3>& ranges, const std::array<TPixelRect, 3>& panels,
                         bool xOnTop, int px, int py);

// ---------------------------------------------------------------------------
// Curves and markers

// The pen width of curves and markers: (Round(PixelsX / 300) + 1) x WidthLine.
int CurvePenWidth(int pixelsX, int widthLine);

// Marker shape of a line: (line index mod 10) + 1.
int MarkerShape(int lineIndex);

// The closed polyline of a marker around a pixel (last vertex = first):
// shape 1 a triangle pointing down, 2 an upright square, n = 3..10 a
// regular n-gon with a vertex on top; radius PixelsX/32 across, PixelsY/32
// down.
std::vector<TPixelPoint> MarkerVertices(int shape, TPixelPoint centre, int pixelsX, int pixelsY);

// The ten marker shapes of one resolution, their vertices taken once (a
// paint draws thousands of markers): a marker around a pixel is its shape's
// offsets added to the pixel, the same vertices as MarkerVertices.
class TMarkerShapes {
public:
    TMarkerShapes(int pixelsX, int pixelsY);
    // The closed polyline around (0, 0) of shape 1..10 (others as
    // MarkerVertices takes them).
    const std::vector<TPixelPoint>& Offsets(int shape) const;

private:
    std::array<std::vector<TPixelPoint>, 10> offsets_;
};

// One curve to draw: the line and its colour position.
struct TCurveStyle {
    int LineIndex = 0;
    int ColorIndex = 0; // position among the Active lines; PlotColors modulo 17
};

// The lines drawn in an area, in order: every Active and Visible line, with
// its colour position counted over the Active lines (hidden ones included,
// so a hidden curve never shifts the colours of the others). Nothing when
// the list has no lines or its first line fewer than two points.
std::vector<TCurveStyle> DrawnCurves(const TObjectList<TLine>& lines);

struct TCurvePath {
    std::vector<std::vector<TPixelPoint>> Runs; // polylines; a non-finite point breaks the curve
    std::vector<TPixelPoint> Markers;           // at point 0 and every markers-th point
};

// The pixels of one curve: non-finite points are skipped (never drawn, no
// marker); markers on point d when markers > 0 and d mod markers = 0.
TCurvePath CurvePath(const TLine& line, const TPlotRange& range, const TPixelRect& area, bool xOnTop, int markers);

// ---------------------------------------------------------------------------
// Legend box (printer and bitmap)

struct TLegendBoxItem {
    TPixelPoint Marker; // centre of the entry's marker
    TPixelPoint Text;   // top-left of the entry's text
};

struct TLegendBox {
    TPixelRect Frame;
    std::vector<TLegendBoxItem> Items;
};

// The box keeps the on-screen legend's relative place in the window
// (legendLeft / windowWidth across the plot rectangle, the same down), moved
// back inside the plot rectangle where it would stick out; itemCount entries
// of text height textHeight, the widest textWidth.
TLegendBox LegendBoxGeometry(const TPlotLayout& layout, int legendLeft, int legendTop, int windowWidth,
                             int windowHeight, int itemCount, int textWidth, int textHeight);

// ---------------------------------------------------------------------------
// Soil-layer column

struct TLayerBand {
    TPixelRect Rect;      // filled and outlined; Right and Bottom one past
    int Pattern = 0;      // fill code 1..12 of the layer (other: outline only)
    bool Wall = false;    // the wall: solid gray
    std::string Name;     // the layer's name, empty when none is written
    int NameTop = 0;      // the name is centred vertically between these
    int NameBottom = 0;
};

// The bands of the layer column, top to bottom, from the plot's layer lines
// mapped with the single plot's range: one band per layer point from the
// previous depth (LayerTop first) to the point's depth, named after its
// line; with ShowWall the wall, its retained and its excavated side. Lines
// past the ones the options draw are left out; a band whose bottom lies
// above its top is left out.
std::vector<TLayerBand> LayerBands(const TGraphPlot& plot, const TPlotLayout& layout, const TPlotRange& range);

} // namespace korva::components
