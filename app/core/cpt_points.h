#pragma once
// The CPT profile of the project: the points of line 0 of the main window's
// plot MotionInput, X the cone resistance (ksf / kPa) and Y the depth
// (ft / m), in the project's units. The plot component wraps this model; the
// CPT data dialog fills it, the project's unit switch converts it and the
// project saves it as the CPT point file.
//
// The points are the only record of how many there are: the project's
// CptPointCount() and the point count of the CPT point file are read here.
#include <cstddef>
#include <vector>

#include "number_format.h"

namespace korva::app {

using components::Extended;

struct TCptPoint {
    Extended X = 0; // cone resistance
    Extended Y = 0; // depth
};

class TCptPoints {
public:
    int PointCount() const { return static_cast<int>(points_.size()); }
    // Keeps the first points; new points are (0, 0). A count below 0 is 0.
    void SetPointCount(int count);
    void Clear() { points_.clear(); }
    void Add(Extended x, Extended y) { points_.push_back({x, y}); }
    // Multiplies X and Y of every point by the factors (a unit switch).
    void Scale(Extended xFactor, Extended yFactor);

    // Raises EListError for an index outside the points.
    const TCptPoint& Point(int index) const;
    void SetPoint(int index, Extended x, Extended y);

    const std::vector<TCptPoint>& Points() const { return points_; }

private:
    std::size_t Checked(int index) const;
    std::vector<TCptPoint> points_;
};

} // namespace korva::app
