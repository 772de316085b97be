#include "cone_resistance.h"

#include <algorithm>
#include <span>

#include "constants.h"
#include "design_charts.h"

namespace korva::engine {

double InterpolateConeResistance(Uses<const AnalysisInput, CarriedValues> run, double depth)
{
    const AnalysisInput& input = run;
    CarriedValues& carried = run;
    const std::size_t count = static_cast<std::size_t>(std::clamp(input.CptPointCount, 0, MaxCptPoints));
    if (count == 0)
        return carried.LastConeResistance;
    const CptPoints& points = input.CptProfile;
    const ChartTable profile{std::span(points.depth).first(count), std::span(points.cone_resistance).first(count)};
    carried.LastConeResistance = points.ascending ? LookupAscendingTable(profile, depth) : LookupTable(profile, depth);
    return carried.LastConeResistance;
}

double LayerConeResistance(Uses<const AnalysisInput, const PileSegments> run, int segment)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const double qc = segments.SegmentSoil[segment][Soil::ConeResistance];
    return input.Units == 1 ? qc / PoundsPerKip : qc;
}

double SegmentConeResistance(Uses<const AnalysisInput, const PileSegments, CarriedValues> run, int segment, double pa)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const SoilPoint& soil = segments.SegmentSoil[segment];
    if (!(soil[Soil::ConeResistance] < 1.0e-5f))
        return LayerConeResistance(run, segment);
    if (input.CptPointCount > 0)
        return InterpolateConeResistance(run, segments.SegmentTop[segment]);
    return pa * soil[Soil::YieldStressRatio] * 2.8f;
}

} // namespace korva::engine
