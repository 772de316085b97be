// USACE side friction: sand K x held stress x tan(delta) with delta by pile
// type, clay alpha x Su with alpha by strength, silt the sum of both; rows
// on the side-friction skeleton.
#include <cmath>

#include "capacity_steps.h"
#include "constants.h"
#include "land_methods.h"
#include "skin_rows.h"

namespace korva::engine {

namespace {

// Wall friction angle (degrees) from the friction angle by pile type.
double UsaceWallFrictionAngle(int pile_type, double phi)
{
    switch (pile_type) {
    case 1: // steel pipe
    case 4:
    case 5:
    case 7:
        return 0.75f * phi;
    case 2: // timber
        return 0.9f * phi;
    case 3: // precast concrete
        return 0.95f * phi;
    case 6: // steel H-pile
        return (0.75f * phi + phi) / 2.0f;
    default:
        return phi - 5.0f;
    }
}

// Adhesion factor by the undrained shear strength: 1 up to 0.5 ksf, falling
// linearly to 0.5 at 1.5 ksf, 0.5 beyond; in SI the rule's own round kPa,
// 24 and 72 (not 23.94 and 71.82).
double UsaceAdhesionFactor(int units, double su)
{
    if (units == 1) {
        if (su <= 0.5f)
            return 1.0f;
        if (su <= 1.5f)
            return 1.0f - (su - 0.5f) * 0.5f;
        return 0.5f;
    }
    if (su <= 24.0f)
        return 1.0f;
    if (su <= 72.0f)
        return 1.0f - ((su - 24.0f) / 48.0f) * 0.5f;
    return 0.5f;
}

} // namespace

void ComputeCapacityUsace(UsaceMethodRun run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EffectiveStress& effective = run;
    SideFrictionRows& side = run;
    CarriedValues& carried = run;
    const bool english = input.Units == 1;
    // Mode 1 searches its critical depth again, at the segment bottoms of
    // sand and silt only and with its own threshold; the depth found holds
    // for the capacity steps of USACE in this pass.
    if (input.CriticalDepthMode == 1)
        carried.CriticalDepth = 0.0;

    PointArray& friction = side.PointUnitSideFriction;
    PointArray& plug = side.PointPlugSideFriction[emUsace];
    for (int seg = 0; seg < segments.SegmentCount; ++seg) {
        const int t = TopPoint(seg);
        const int b = BottomPoint(seg);
        const SoilPoint& soil = segments.SegmentSoil[seg];
        const bool sand = !TakesClayRules(input, soil);
        const bool silt = soil[Soil::SoilType] == 3.0f;

        double sand_t = 0.0;
        double sand_b = 0.0;
        if (sand || silt) {
            const double delta = UsaceWallFrictionAngle(input.PileType, soil[Soil::FrictionAngle]);
            double k = soil[Soil::EarthPressureCoefficient];
            if (input.MethodSelected[pmApi] == 1 || k == 0.0)
                k = input.LoadDirection == 1 ? 0.6f : 1.25f;
            sand_t = k * effective.PointLimitedEffectiveStress[t] * std::tan(delta / DegreesPerRadian);
            sand_b = k * effective.PointLimitedEffectiveStress[b] * std::tan(delta / DegreesPerRadian);
            friction[t] = sand_t;
            friction[b] = sand_b;
            plug[t] = sand_t;
            plug[b] = sand_b;

            // 3.5 ksf; in SI USACE's own round 168 kPa, not the stress
            // step's 167.58.
            const double threshold = english ? 3.5f : 168.0f;
            if (input.CriticalDepthMode == 1 && carried.CriticalDepth < 1.0e-5f &&
                effective.PointEffectiveStress[b] > threshold)
                carried.CriticalDepth = segments.SegmentBottom[seg];
        }
        if (!sand) {
            const double su = soil[Soil::UndrainedShearStrength];
            const double alpha = UsaceAdhesionFactor(input.Units, su);
            friction[t] = alpha * su;
            friction[b] = alpha * su;
            if (silt) {
                friction[t] = friction[t] + sand_t;
                friction[b] = friction[b] + sand_b;
            }
            plug[t] = alpha * PlugWallStrength(soil);
            plug[b] = friction[t];
        }
    }
    BuildSkinFrictionRows(run, UsaceRowPolicy(), friction, ConstantPerimeterRows(input));
}

} // namespace korva::engine
