#pragma once
// Hand-built segment tables for tests of the capacity steps: a run state
// with a pile and segments of given soils, as the method loop would leave
// them at the start of a pass.
#include <memory>

#include "run_state.h"

namespace korva::test {

using engine::RunState;
using engine::SoilPoint;
namespace Soil = engine::Soil;

using engine::NoLimit;

inline SoilPoint Sand(double unit_weight, double friction_angle, double nq = 20.0, double k = 0.8)
{
    SoilPoint soil{};
    soil[Soil::SoilType] = 1.0;
    soil[Soil::EffectiveUnitWeight] = unit_weight;
    soil[Soil::FrictionAngle] = friction_angle;
    soil[Soil::BearingCapacityFactor] = nq;
    soil[Soil::EarthPressureCoefficient] = k;
    soil[Soil::MaxSideFriction] = NoLimit;
    soil[Soil::MaxEndBearing] = NoLimit;
    soil[Soil::SideFrictionFactor] = 1.0;
    soil[Soil::EndBearingFactor] = 1.0;
    return soil;
}

inline SoilPoint Clay(double unit_weight, double undrained_strength, double remolded_strength = 0.0)
{
    SoilPoint soil = Sand(unit_weight, 0.0, 0.0, 0.0);
    soil[Soil::SoilType] = 2.0;
    soil[Soil::UndrainedShearStrength] = undrained_strength;
    soil[Soil::RemoldedStrengthOrBlowCount] = remolded_strength;
    return soil;
}

inline SoilPoint With(SoilPoint soil, Soil::Column column, double value)
{
    soil[column] = value;
    return soil;
}

// A circular pile (diameters in in / mm) with no enhanced end section, its
// embedded length in ft / m, and no segments yet.
inline std::unique_ptr<RunState> NewPile(int units, double outer_diameter, double inner_diameter,
                                         double embedded_length, double increment)
{
    auto state = std::make_unique<RunState>();
    RunState& s = *state;
    s.Units = units;
    s.OuterDiameter = outer_diameter;
    s.InnerDiameter = inner_diameter;
    s.EndSectionInnerDiameter = inner_diameter;
    s.PileLength = embedded_length;
    s.EndSectionLength = embedded_length - 1.0e-7f; // no enhanced end section
    s.IncrementLength = increment;
    s.PileType = 1;
    s.ClosedEnded = inner_diameter > 0.0 ? 0 : 1;
    s.TensionReduction = 1.0;
    return state;
}

// Appends count segments of one soil below the segments already there.
inline void AddSegments(RunState& s, int count, const SoilPoint& soil)
{
    for (int i = 0; i < count; ++i) {
        const int seg = s.SegmentCount++;
        s.SegmentTop[seg] = seg * s.IncrementLength;
        s.SegmentBottom[seg] = s.SegmentTop[seg] + s.IncrementLength;
        s.SegmentLength[seg] = s.SegmentBottom[seg] - s.SegmentTop[seg];
        s.SegmentSoil[seg] = soil;
        s.SegmentSoil[seg][Soil::Depth] = s.SegmentTop[seg];
        s.SegmentSideFrictionFactor[seg] = soil[Soil::SideFrictionFactor];
        s.SegmentEndBearingFactor[seg] = soil[Soil::EndBearingFactor];
    }
}

} // namespace korva::test
