#pragma once
// What the plot window does with the mouse and its "&Plot" menu, free of any
// window library: zooming in by dragging a rectangle and out with the right
// button, the coordinate read-out of the caption, where the legend list goes
// (anchored at the plot box, pushed back inside, dragged), the legend's
// size for a font factor, and the state of the menu when it opens. The
// window only copies these values into its widgets.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "graph_plot.h"
#include "plot_geometry.h"
#include "plot_view.h"

namespace korva::components {

// ---------------------------------------------------------------------------
// Zoom

// A drag never zooms in beyond this share of the full span (1/20).
inline constexpr int kZoomLimit = 20;

// The point held inside the rectangle: x to Left..Right, y to Top..Bottom.
TPixelPoint ClampToRect(TPixelPoint point, const TPixelRect& rect);

// Left <= x <= Right and Top <= y <= Bottom (the plot box's edges are its
// pixel lines, so they belong to it).
bool InsideRect(TPixelPoint point, const TPixelRect& rect);

// The range selected by a drag from `fixed` (inside the box) to `release`:
// nothing for a click (the same x or the same y). The release point is held
// inside the box and both corners are mapped to values; each direction
// becomes the selected span, or the full span / 20 centred on the
// selection when the selection is narrower, then moved back inside the full
// range where it sticks out.
std::optional<TPlotRange> ZoomIn(const TPlotRange& current, const TPlotRange& full, const TPixelRect& box,
                                 bool xOnTop, TPixelPoint fixed, TPixelPoint release);

// Twice the current span around the value under `at`, never wider than the
// full range and never outside it (an unzoomed range stays as it is).
TPlotRange ZoomOut(const TPlotRange& current, const TPlotRange& full, const TPixelRect& box, bool xOnTop,
                   TPixelPoint at);

enum class TMouseButton { Left, Right, Other };

// The zoom of one plot window, from button down to button up. Presses
// outside the plot box are ignored for every button; the left button drags
// a zoom rectangle only on a single plot (not in three-panel mode); both
// directions act on the range of the single plot (panel 1 in three-panel
// mode).
class TPlotZoom {
public:
    // A button went down at `at`. True when the view's range changed (the
    // right button zooms out at once).
    bool Press(TMouseButton button, TPixelPoint at, const TGraphPlot& plot, TPlotView& view);
    // The mouse moved: while zooming, the rectangle from the fixed corner to
    // the point held inside the plot box.
    std::optional<TPixelRect> Move(TPixelPoint at, const TPlotView& view);
    // A button went up at `at`: ends the zoom rectangle. True when the
    // view's range changed.
    bool Release(TMouseButton button, TPixelPoint at, const TGraphPlot& plot, TPlotView& view);

    bool Zooming() const { return zooming_; }
    // The rectangle being dragged (normalised), while zooming.
    TPixelRect Band() const;

private:
    bool zooming_ = false;
    TPixelPoint fixed_;
    TPixelPoint last_;
};

// ---------------------------------------------------------------------------
// Coordinate read-out

// The window caption while the mouse is at `at`: the plot's Caption, " X: ",
// the x value, " Y: ", the y value, each in the general format with 5
// significant digits (two exponent digits). The point is first held inside
// the plot box; in three-panel mode it is mapped with the panel under it.
std::string ReadoutCaption(const TGraphPlot& plot, const TPlotView& view, TPixelPoint at);

// ---------------------------------------------------------------------------
// Legend list

// The legend's top-left when its bottom-right corner sits at the plot box's
// bottom-right corner.
TPixelPoint AnchoredLegend(const TPixelRect& box, int legendWidth, int legendHeight);

// The legend pushed back inside the client area: right edge, then left edge
// at 0, bottom edge, then top edge at 0.
TPixelPoint LegendInside(TPixelPoint at, int legendWidth, int legendHeight, int clientWidth, int clientHeight);

// The legend's top-left while it is dragged: `mouse` is the mouse position
// inside the legend now and `grab` where the button went down in it; the
// grab point never leaves the client area's width and height.
TPixelPoint DraggedLegend(TPixelPoint legendAt, TPixelPoint mouse, TPixelPoint grab, int legendWidth,
                          int legendHeight, int clientWidth, int clientHeight);

// The legend list's font and entry height for a font factor (tenths).
struct TLegendFont {
    int Points = 11;     // factor x LegendFont / 10
    int ItemHeight = 16; // (3 x Points) / 2, in pixels
};
TLegendFont LegendFontFor(int factor, int legendFont);

// The pixel height of a font of `points` at pixelsPerInch, rounded.
int PointsToPixels(int points, int pixelsPerInch);

struct TPixelSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TPixelSize&) const = default;
};

// The legend list's size: entries x item height + 3 high; 21 wide, widened
// to the widest entry text (with " *") plus a quarter inch.
TPixelSize LegendListSize(int entries, int itemHeight, int widestEntry, int pixelsPerInch);

// Toggles Visible of the line of legend entry `row`; false when the row or
// its line no longer exists.
bool ToggleEntryLine(TGraphPlot& plot, const TPlotView& view, int row);

// ---------------------------------------------------------------------------
// The "&Plot" menu

// The 14 fixed items, in order ("-" a separator); the line items follow.
enum TPlotMenuItem {
    pmShowLegend,
    pmShowSoilLayer,
    pmShowWallGeometry,
    pmShowMarkers,
    pmFontSize,
    pmLineWidth,
    pmGraphTitle,
    pmEditLegend,
    pmActiveCurves,
    pmSeparator1,
    pmPrint,
    pmPageSetup,
    pmSaveToDisk,
    pmSeparator2,
    kPlotMenuFixedItems
};
inline constexpr std::array<const char*, kPlotMenuFixedItems> kPlotMenuCaptions = {
    "Show &Legend", "Show &Soil Layer", "Show &Wall Geometry", "Show &Markers", "&Font Size",
    "&Line Width",  "&Graph Title",     "&Edit Legend",        "&Active Curves", "-",
    "&Print...",    "P&age Setup",      "&Save To Disk...",    "-",
};
inline constexpr const char* kPlotMenuCaption = "&Plot";

// One item of a submenu: its caption and Tag; a separator has the caption "-".
struct TMenuChoice {
    const char* Caption;
    int Tag;
};
inline constexpr std::array<TMenuChoice, 7> kMarkerChoices = {{
    {"&Never", 0},
    {"-", -1},
    {"Every &Increment", 1},
    {"Every &2 Increments", 2},
    {"Every &3 Incrments", 3},
    {"Every &5 Increments", 5},
    {"Every &10 Incements", 10},
}};
inline constexpr std::array<TMenuChoice, 7> kFontSizeChoices = {{
    {"&Default", 10},
    {"-", -1},
    {"1.5 * Default", 15},
    {"2 * Default", 20},
    {"2.5 * Default", 25},
    {"3 * Default", 30},
    {"4 * Default", 40},
}};
inline constexpr std::array<TMenuChoice, 6> kLineWidthChoices = {{
    {"&Default", 1},
    {"-", -1},
    {"2 * Default", 2},
    {"4 * Default", 4},
    {"6 * Default", 6},
    {"10 * Default", 10},
}};

// What the menu shows when it opens.
struct TPlotMenuState {
    bool LegendVisible = false; // "Show &Legend": shown when the plot has lines
    bool LegendChecked = false;
    bool LayersVisible = false; // "Show &Soil Layer": shown when the plot has layer lines
    bool LayersChecked = false;
    bool WallVisible = false;   // "Show &Wall Geometry": shown with a wall line,
    bool WallEnabled = false;   // enabled with the layer column
    bool WallChecked = false;
    bool FontWidthVisible = false; // "&Font Size" and "&Line Width"
    int MarkersChecked = 0;        // the Tag of the checked "Show &Markers" item; none matches other values
    std::vector<bool> LineChecked; // per line item (legend entry): its line is Visible
};
TPlotMenuState PlotMenuState(const TGraphPlot& plot, const TPlotView& view);

} // namespace korva::components
