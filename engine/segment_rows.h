#pragma once
// Finding segments and rows by depth. Every index that could run past the
// last segment goes through these helpers, which clamp to the last segment
// instead of reading storage no segment was built in (a row below the last
// segment is possible when IncrementLength exceeds two pile diameters).
#include "run_state.h"

namespace korva::engine {

// Where a depth lies among the segments.
struct SegmentPosition {
    int segment = 0;   // 0-based
    double top = 0.0;  // running depth of the segment's top (sum of SegmentLength above it)
    double offset = 0.0; // depth - top, at most SegmentLength (a depth below the last segment sits at its bottom)
};

// The segment that holds depth: the first whose running bottom (sum of
// SegmentLength from the surface) is at least depth - 1e-6, so a depth at a
// segment boundary belongs to the segment above. Past the last segment, the
// last one. Needs SegmentCount >= 1.
SegmentPosition LocateSegment(const PileSegments& segments, double depth);

// A point value (top and bottom value of each segment) linear in depth
// within the segment that holds depth.
double PointValueAtDepth(const PileSegments& segments, const PointArray& values, double depth);

// The same at a position found before.
double PointValueAt(const PileSegments& segments, const PointArray& values, const SegmentPosition& at);

// LocateSegment for depths taken from the surface down, as a step goes
// through its rows: each search walks on from the segment of the depth
// before, so a whole pass costs one walk down the segments. A depth above
// the one before starts again from the surface. Finds exactly what
// LocateSegment finds (the running bottom is summed in the same order).
class SegmentWalker {
public:
    explicit SegmentWalker(const PileSegments& segments);
    SegmentPosition Locate(double depth);
    double PointValueAtDepth(const PointArray& values, double depth)
    {
        return PointValueAt(segments_, values, Locate(depth));
    }

private:
    void Restart();

    const PileSegments& segments_;
    int last_ = 0;
    int segment_ = 0;
    double bottom_ = 0.0;   // running bottom of segment_
    double previous_ = 0.0; // the depth searched last
    bool started_ = false;
};

// The segment that starts at row k's depth (segment k), clamped to the last.
int SegmentStartingAtRow(const PileSegments& segments, int row);

// The last row index, n = trunc(PileLength / IncrementLength + 1e-6): rows
// 0 .. n, n + 1 = PenetrationRowCount. Clamped to the row slots.
int LastRow(const AnalysisInput& input);

} // namespace korva::engine
