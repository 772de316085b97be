#include "cone_resistance.h"

#include <algorithm>

namespace korva::engine {

double InterpolateConeResistance(RunState& s, double depth)
{
    const int count = std::min(s.CptPointCount, MaxCptPoints);
    if (count <= 0)
        return s.LastConeResistance;
    const auto& points = s.CptProfile;
    double qc = points[count - 1].cone_resistance; // below the last point
    if (depth <= points[0].depth) {
        qc = points[0].cone_resistance;
    } else {
        for (int i = 1; i < count; ++i) {
            if (depth <= points[i].depth) {
                // depth lies above point i and below every point before it,
                // so the two depths differ.
                const CptPoint& a = points[i - 1];
                const CptPoint& b = points[i];
                qc = a.cone_resistance + (depth - a.depth) * (b.cone_resistance - a.cone_resistance) / (b.depth - a.depth);
                break;
            }
        }
    }
    s.LastConeResistance = qc;
    return qc;
}

double LayerConeResistance(const RunState& s, int segment)
{
    const double qc = s.SegmentSoil[segment][Soil::ConeResistance];
    return s.Units == 1 ? qc / 1000.0f : qc;
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
