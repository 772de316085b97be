#pragma once
// The state of one open plot window, free of any window library: the
// ranges it shows, its legend entries, the layout of the surface it draws
// on and the two flags of printing and bitmap export. The window keeps one
// and hands it to the renderer on every paint.
#include <array>
#include <string>
#include <vector>

#include "graph_plot.h"
#include "plot_geometry.h"

namespace korva::components {

// At most this many lines stay Active when a window opens on a plot that
// limits them.
inline constexpr int kMaxActiveCurvesOnOpen = 20;

// One legend entry: the main line it stands for and its text. The line
// index is checked against the plot's lines wherever it is used, since the
// lines may change while the window is open.
struct TLegendEntry {
    int LineIndex = 0;
    std::string Text;
};

struct TPlotView {
    // Single plot (or panel 1), panel 2, panel 3.
    std::array<TPlotRange, 3> CurrentRange{};
    // The ranges when the window opened; zooming never leaves them.
    std::array<TPlotRange, 3> FullRange{};
    std::vector<TLegendEntry> Legend; // one per Active line, in line order
    TPlotLayout Layout;
    bool ToBitmap = false;      // drawing into a bitmap
    bool WithLegendBox = false; // printing or saving: the legend is drawn on the canvas
    // The on-screen legend list and the window, for the legend box's
    // relative place on paper and bitmap.
    int LegendLeft = 0;
    int LegendTop = 0;
    int WindowWidth = 0;
    int WindowHeight = 0;
};

// One entry per Active main line, in line order, with its display name;
// with askCaption the plot's onGetCaption may rewrite each.
std::vector<TLegendEntry> LegendEntries(const TGraphPlot& plot, bool askCaption);

// What a new window builds from the plot's lines as they are now: the
// ranges of Lines, Lines2 and Lines3 (current and full); every main line
// made Active, only the first 20 when LimitActiveCurves and there are more;
// one legend entry per Active line with its display name, as onGetCaption
// may rewrite it.
TPlotView OpenPlotView(TGraphPlot& plot);

// The legend entries whose lines exist and are Visible, in legend order,
// with their position in the legend (the colour position of their curves).
struct TVisibleLegendEntry {
    int Position = 0;
    int LineIndex = 0;
    const std::string* Text = nullptr;
};
std::vector<TVisibleLegendEntry> VisibleLegendEntries(const TGraphPlot& plot, const TPlotView& view);

} // namespace korva::components
