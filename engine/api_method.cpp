#include "api_method.h"

#include <cmath>

#include "capacity_steps.h"
#include "constants.h"
#include "cone_friction.h"
#include "skin_rows.h"

namespace korva::engine {

double ApiClayAlpha(double su, double& bottom_stress)
{
    if (bottom_stress < StressTolerance)
        bottom_stress = StressTolerance;
    double psi = su / bottom_stress;
    if (psi < StressTolerance)
        psi = StressTolerance;
    const double alpha = psi <= 1.0f ? 0.5f / std::sqrt(psi) : 0.5f / std::pow(psi, 0.25f);
    return alpha > 1.0f ? 1.0f : alpha;
}

void ComputeCapacityApi(ApiMethodRun run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    EffectiveStress& effective = run;
    SideFrictionRows& side = run;
    PointArray& friction = side.PointUnitSideFriction;
    PointArray& plug = side.PointPlugSideFriction[emApi];
    for (int seg = 0; seg < segments.SegmentCount; ++seg) {
        const int t = TopPoint(seg);
        const int b = BottomPoint(seg);
        const SoilPoint& soil = segments.SegmentSoil[seg];
        if (TakesClayRules(input, soil)) {
            const double su = soil[Soil::UndrainedShearStrength];
            const double alpha = ApiClayAlpha(su, effective.PointEffectiveStress[b]);
            friction[t] = alpha * su;
            friction[b] = alpha * su;
            plug[t] = alpha * PlugWallStrength(soil);
            plug[b] = alpha * su;
        } else {
            const double tan_delta = SandInterfaceTangent(soil[Soil::FrictionAngle]);
            const double k = soil[Soil::EarthPressureCoefficient];
            friction[t] = k * effective.PointEffectiveStress[t] * tan_delta;
            friction[b] = k * effective.PointEffectiveStress[b] * tan_delta;
            plug[t] = friction[t];
            plug[b] = friction[b];
        }
    }
    BuildSkinFrictionRows(run, ApiRowPolicy(), friction, ConstantPerimeterRows(input));
}

} // namespace korva::engine
