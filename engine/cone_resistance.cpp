#include "cone_resistance.h"

#include <algorithm>
#include <span>

#include "constants.h"
#include "design_charts.h"

namespace korva::engine {

double InterpolateConeResistance(RunState& s, double depth)
{
    const std::size_t count = static_cast<std::size_t>(std::clamp(s.CptPointCount, 0, MaxCptPoints));
    if (count == 0)
        return s.LastConeResistance;
    const CptPoints& points = s.CptProfile;
    const ChartTable profile{std::span(points.depth).first(count), std::span(points.cone_resistance).first(count)};
    s.LastConeResistance = points.ascending ? LookupAscendingTable(profile, depth) : LookupTable(profile, depth);
    return s.LastConeResistance;
}

double LayerConeResistance(const RunState& s, int segment)
{
    const double qc = s.SegmentSoil[segment][Soil::ConeResistance];
    return s.Units == 1 ? qc / PoundsPerKip : qc;
}

double SegmentConeResistance(RunState& s, int segment, double pa)
{
    const SoilPoint& soil = s.SegmentSoil[segment];
    if (!(soil[Soil::ConeResistance] < 1.0e-5f))
        return LayerConeResistance(s, segment);
    if (s.CptPointCount > 0)
        return InterpolateConeResistance(s, s.SegmentTop[segment]);
    return pa * soil[Soil::YieldStressRatio] * 2.8f;
}

} // namespace korva::engine
