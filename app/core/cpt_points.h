#pragma once
// The CPT profile of the project: the points of line 0 of the plot
// MotionInput, X the cone resistance (ksf / kPa) and Y the depth (ft / m),
// in the project's units. The points live in that line and nowhere else: the
// CPT data dialog fills it, the project's unit switch converts it, the
// project saves it as the CPT point file and the CPT profile view
// (ShowCPTProfile) draws it.
//
// The points are the only record of how many there are: the project's
// CptPointCount() and the point count of the CPT point file are read here.
#include <vector>

#include "graph_plot.h"
#include "number_format.h"

namespace korva::app {

using components::Extended;

// The most CPT points the analysis reads.
inline constexpr int kMaxCptPoints = 1000;

// X the cone resistance, Y the depth.
using TCptPoint = components::TFloatPoint;

class TCptPoints {
public:
    // MotionInput set up as the CPT profile plot: "CPT Data", x "Qu" along
    // the top, y "Depth" downward, no unit templates, a marker on every
    // point, one line.
    TCptPoints();
    TCptPoints(const TCptPoints&) = delete;
    TCptPoints& operator=(const TCptPoints&) = delete;

    // The plot whose line 0 holds the points. The CPT readers set its
    // captions and the line's name; it is shown as the CPT profile view.
    components::TGraphPlot& MotionInput() { return plot_; }
    const components::TGraphPlot& MotionInput() const { return plot_; }

    int PointCount() const;
    // Keeps the first points; new points are (0, 0). A count below 0 is 0.
    void SetPointCount(int count);
    void Clear() { SetPointCount(0); }
    void Add(Extended x, Extended y);
    // Converts every point from one unit system to the other: the cone
    // resistance ksf <-> kPa, the depth ft <-> m.
    void ConvertUnits(int fromUnits, int toUnits);

    // Raises EListError for an index outside the points.
    const TCptPoint& Point(int index) const;
    void SetPoint(int index, Extended x, Extended y);

    const std::vector<TCptPoint>& Points() const;

private:
    // Line 0, made again when a reader of the plot removed it.
    components::TLine& Line();

    components::TGraphPlot plot_;
};

} // namespace korva::app
