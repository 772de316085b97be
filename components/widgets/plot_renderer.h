#pragma once
// The one renderer of a plot: the window, the printer and the bitmap export
// all draw through PaintPlot. It draws, in this order, the white background,
// the axis titles, per area the grid with its ticks and labels, the curves
// with their markers, the legend box (printing and bitmap only), the
// soil-layer column and the frame. Everything it places comes from the
// plot geometry (plot_geometry.h); sizes come from the layout in the view,
// which carries the device's resolution.
#include <array>
#include <functional>
#include <optional>
#include <vector>

#include "graph_plot.h"
#include "plot_geometry.h"
#include "plot_view.h"

class QFont;
class QPaintDevice;
class QPainter;

namespace korva::widgets {

using components::Extended;

// What one area (the single plot, or one panel) showed.
struct TAreaPaint {
    components::TPixelRect Rect;
    components::TPlotRange Range;
    std::optional<components::TTickSet> Ticks; // none: no grid and no labels
    std::vector<components::TTickLabel> Labels; // the tick labels drawn: x in order, then y
    std::vector<Extended> XLabels;             // values of the labelled ticks drawn, in order
    std::vector<Extended> YLabels;
    std::vector<components::TCurveStyle> Curves; // curves drawn, in order
};

// What a paint drew; Painted is false when the surface was too small and
// only the background was filled.
struct TPlotPaint {
    bool Painted = false;
    std::vector<TAreaPaint> Areas;
};

// Draws the plot on the painter's device with the view's layout, ranges and
// flags. Never raises for any content of the plot: points that are not
// finite are skipped, and areas without room draw nothing.
TPlotPaint PaintPlot(QPainter& painter, const components::TGraphPlot& plot, const components::TPlotView& view);

// Measures texts in the tick labels' font of the plot on a device of
// pixelsY pixels per inch, as PaintPlot draws them there.
components::TLabelMeasure TickLabelMeasure(const components::TGraphPlot& plot, int pixelsY, QPaintDevice* device);

// The layout `lay` makes for the device, with the room that the tick labels
// of the ranges take there (FitTickLabels).
components::TPlotLayout FittedLayout(const components::TGraphPlot& plot,
                                     const std::array<components::TPlotRange, 3>& ranges, QPaintDevice* device,
                                     const std::function<components::TPlotLayout(const components::TLabelRoom&)>& lay);

// The plot's font: Times New Roman (or the system's serif face), `angle` in
// tenths of a degree (0 horizontal, 900 reading upward) is applied by the
// caller; weight 400 normal or 700 bold; pixel height baseHeight x factor / 10.
QFont RotatedFont(int baseHeight, int weight, int factor);

} // namespace korva::widgets
