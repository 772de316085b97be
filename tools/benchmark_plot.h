#pragma once
// The plot of the plot-redraw benchmark (make bench-plot) and of the test
// that its picture stays the same: 9 curves of 500 points, a marker on every
// point, like the load distribution of a long pile.
#include <cmath>

#include "graph_plot.h"

namespace korva::tools {

inline constexpr int kBenchmarkCurves = 9;
inline constexpr int kBenchmarkPoints = 500;
inline constexpr int kBenchmarkWidth = 1000; // of the drawing surface, in pixels
inline constexpr int kBenchmarkHeight = 750;

// Curve k: a capacity rising with depth towards (k + 1) x 150 kips with a
// ripple of 20, down to 99.8 ft.
inline void FillBenchmarkPlot(components::TGraphPlot& plot)
{
    plot.Caption = "Load Distribution";
    plot.XCaption = "Total Capacity ";
    plot.XUnits = "F1";
    plot.YCaption = "Depth ";
    plot.YUnits = "L2";
    plot.SetLineCount(kBenchmarkCurves);
    plot.SetPointCount(kBenchmarkPoints);
    for (int k = 0; k < kBenchmarkCurves; ++k)
        for (int j = 0; j < kBenchmarkPoints; ++j) {
            const double share = static_cast<double>(j) / (kBenchmarkPoints - 1);
            plot.Point(k, j) = {(k + 1) * 150 * (1 - std::exp(-3 * share)) + 20 * std::sin(j * 0.05 + k), j * 0.2L};
        }
}

} // namespace korva::tools
