#include "segment_rows.h"

#include <algorithm>
#include <cmath>

namespace korva::engine {

SegmentPosition LocateSegment(const RunState& s, double depth)
{
    const int last = std::max(s.SegmentCount, 1) - 1;
    double bottom = s.SegmentLength[0];
    int j = 0;
    while (depth - bottom > 1.0e-6f && j < last) {
        ++j;
        bottom += s.SegmentLength[j];
    }
    SegmentPosition at;
    at.segment = j;
    at.top = bottom - s.SegmentLength[j];
    at.offset = std::min(depth - at.top, s.SegmentLength[j]);
    return at;
}

double PointValueAtDepth(const RunState& s, const PointArray& values, double depth)
{
    const SegmentPosition at = LocateSegment(s, depth);
    const double top = values[TopPoint(at.segment)];
    const double bottom = values[BottomPoint(at.segment)];
    const double length = s.SegmentLength[at.segment];
    if (!(length > 0.0))
        return bottom;
    return top + (bottom - top) / length * at.offset;
}

int SegmentStartingAtRow(const RunState& s, int row)
{
    return std::clamp(row, 0, std::max(s.SegmentCount, 1) - 1);
}

int LastRow(const RunState& s)
{
    const double n = std::trunc(s.PileLength / s.IncrementLength + 1.0e-6f);
    if (!(n > 0.0))
        return 0;
    return n < RowSlots - 1 ? static_cast<int>(n) : RowSlots - 1;
}

} // namespace korva::engine
