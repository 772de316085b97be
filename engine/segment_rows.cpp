#include "segment_rows.h"

#include <algorithm>
#include <cmath>

#include "constants.h"

namespace korva::engine {

SegmentWalker::SegmentWalker(const PileSegments& segments)
    : segments_(segments), last_(std::max(segments.SegmentCount, 1) - 1)
{
    Restart();
}

void SegmentWalker::Restart()
{
    segment_ = 0;
    bottom_ = segments_.SegmentLength[0];
}

SegmentPosition SegmentWalker::Locate(double depth)
{
    // The segments above the one of a shallower depth are above this one
    // too: depth - bottom only grows with the depth, also as rounded.
    if (!started_ || !(depth >= previous_))
        Restart();
    started_ = true;
    previous_ = depth;
    while (depth - bottom_ > DepthTolerance && segment_ < last_) {
        ++segment_;
        bottom_ += segments_.SegmentLength[segment_];
    }
    SegmentPosition at;
    at.segment = segment_;
    at.top = bottom_ - segments_.SegmentLength[segment_];
    at.offset = std::min(depth - at.top, segments_.SegmentLength[segment_]);
    return at;
}

SegmentPosition LocateSegment(const PileSegments& segments, double depth)
{
    return SegmentWalker(segments).Locate(depth);
}

double PointValueAtDepth(const PileSegments& segments, const PointArray& values, double depth)
{
    return PointValueAt(segments, values, LocateSegment(segments, depth));
}

double PointValueAt(const PileSegments& segments, const PointArray& values, const SegmentPosition& at)
{
    const double top = values[TopPoint(at.segment)];
    const double bottom = values[BottomPoint(at.segment)];
    const double length = segments.SegmentLength[at.segment];
    if (!(length > 0.0))
        return bottom;
    return top + (bottom - top) / length * at.offset;
}

int SegmentStartingAtRow(const PileSegments& segments, int row)
{
    return std::clamp(row, 0, std::max(segments.SegmentCount, 1) - 1);
}

int LastRow(const AnalysisInput& input)
{
    const double n = std::trunc(input.PileLength / input.IncrementLength + DepthTolerance);
    if (!(n > 0.0))
        return 0;
    return n < RowSlots - 1 ? static_cast<int>(n) : RowSlots - 1;
}

} // namespace korva::engine
