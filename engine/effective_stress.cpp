// Vertical effective stress, the friction-angle and undrained-strength fill,
// the critical depth of sand and the stress profile held below it.
#include "capacity_steps.h"
#include "cone_resistance.h"
#include "constants.h"
#include "design_charts.h"

namespace korva::engine {

namespace {

bool IsSand(const SoilPoint& soil) { return soil[Soil::SoilType] < 1.5f; }

// The stress a soil column adds over a length: lb/ft^3 x ft in English units
// gives lb/ft^2, divided by 1000 to ksf; kN/m^3 x m is kPa in SI.
double StressIncrement(const AnalysisInput& input, double length, double unit_weight)
{
    const double increment = length * unit_weight;
    return input.Units == 1 ? increment / PoundsPerKip : increment;
}

// The critical depth of sand by its friction angle: 10, 15 or 20 pile
// diameters (ft / m) below 33, from 33 to 36, and from 36 degrees.
double SandCriticalDepth(const AnalysisInput& input, double friction_angle)
{
    const double diameter = DiameterInLengthUnits(input);
    if (friction_angle < 33.0f)
        return 10.0f * diameter;
    if (friction_angle < 36.0f)
        return 15.0f * diameter;
    return 20.0f * diameter;
}

// The plain stress at a critical depth that lies at or above the bottom of
// segment `deepest`: from the top of the segment above the first one (from
// the second down) that reaches it, with that upper segment's unit weight.
double StressAtCriticalDepth(const AnalysisInput& input, const PileSegments& segments, const EffectiveStress& effective,
                             double critical_depth, int deepest)
{
    int j = 1;
    while (j < deepest && segments.SegmentBottom[j] < critical_depth)
        ++j;
    const int k = j - 1;
    return effective.PointEffectiveStress[TopPoint(k)] +
           StressIncrement(input, critical_depth - segments.SegmentTop[k],
                           segments.SegmentSoil[k][Soil::EffectiveUnitWeight]);
}

} // namespace

bool CriticalDepthNotReached(Uses<const AnalysisInput, const CarriedValues> run)
{
    const AnalysisInput& input = run;
    const CarriedValues& carried = run;
    return input.CriticalDepthMode == 1 && carried.CriticalDepth < 1.0e-5f;
}

void ComputeEffectiveStress(Uses<const AnalysisInput, PileSegments, EffectiveStress, CarriedValues> run)
{
    const AnalysisInput& input = run;
    PileSegments& segments = run;
    EffectiveStress& effective = run;
    CarriedValues& carried = run;
    const bool english = input.Units == 1;
    const int n = segments.SegmentCount;
    PointArray& stress = effective.PointEffectiveStress;

    if (input.CriticalDepthMode == 1)
        carried.CriticalDepth = 0.0;
    stress[TopPoint(0)] = 0.0;
    for (int seg = 0; seg < n; ++seg) {
        SoilPoint& soil = segments.SegmentSoil[seg];
        const double bottom =
            stress[TopPoint(seg)] + StressIncrement(input, segments.SegmentBottom[seg] - segments.SegmentTop[seg],
                                                    soil[Soil::EffectiveUnitWeight]);
        stress[BottomPoint(seg)] = bottom;

        // A missing friction angle comes from the blow-count chart at this
        // stress in lb/in^2 (the column holds the yield stress ratio of clay,
        // which the rule takes as it is). Where the chart is not evaluated or
        // gives nothing, the segment takes the chart's last result of the run.
        // In SI the rule's own 6.8948 kPa to the lb/in^2.
        const double stress_psi = english ? bottom * PoundsPerKip / SquareInchesPerSquareFoot : bottom / 6.8948f;
        if (soil[Soil::FrictionAngle] < 1.0e-10f && soil[Soil::YieldStressRatio] > 0.0)
            InterpolateChartByRange(carried.LastChartFrictionAngle, soil[Soil::YieldStressRatio], stress_psi);
        if (soil[Soil::FrictionAngle] < 1.0e-10f)
            soil[Soil::FrictionAngle] = carried.LastChartFrictionAngle;

        if (soil[Soil::UndrainedShearStrength] < StressTolerance)
            soil[Soil::UndrainedShearStrength] = LayerConeResistance(run, seg) / 15.0f;

        // Mode 1: past 3.5 ksf, in SI past the rule's own 167.58 kPa.
        if (input.CriticalDepthMode == 1 && seg >= 1 && carried.CriticalDepth < 1.0e-5f &&
            bottom > (english ? 3.5f : 167.58f))
            carried.CriticalDepth = segments.SegmentBottom[seg];

        if (seg + 1 < n)
            stress[TopPoint(seg + 1)] = bottom;
    }

    // The critical depth in use starts as that of the deepest sand segment
    // (from the second down); it keeps its run-wide value when there is none.
    bool any_sand = false;
    for (int seg = 1; seg < n; ++seg) {
        if (IsSand(segments.SegmentSoil[seg])) {
            carried.CurrentCriticalDepth = SandCriticalDepth(input, segments.SegmentSoil[seg][Soil::FrictionAngle]);
            any_sand = true;
        }
    }
    // No critical depth (a profile without sand, or a stress that never
    // reaches the mode-1 threshold): the held profile is the plain one.
    const bool held = input.CriticalDepthMode == 0 ? any_sand : !CriticalDepthNotReached(run);

    PointArray& limited = effective.PointLimitedEffectiveStress;
    limited[TopPoint(0)] = 0.0;
    limited[BottomPoint(0)] = stress[BottomPoint(0)]; // the first segment is never held
    for (int seg = 1; seg < n; ++seg) {
        const SoilPoint& soil = segments.SegmentSoil[seg];
        if (IsSand(soil))
            carried.CurrentCriticalDepth = SandCriticalDepth(input, soil[Soil::FrictionAngle]);
        if (input.CriticalDepthMode > 0)
            carried.CurrentCriticalDepth = carried.CriticalDepth;
        double value = stress[BottomPoint(seg)];
        if (held && carried.CurrentCriticalDepth <= segments.SegmentBottom[seg])
            value = StressAtCriticalDepth(input, segments, effective, carried.CurrentCriticalDepth, seg);
        limited[TopPoint(seg)] = limited[BottomPoint(seg - 1)];
        limited[BottomPoint(seg)] = value;
    }
}

} // namespace korva::engine
