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

void ComputeCapacityApi(RunState& s)
{
    PointArray& friction = s.PointUnitSideFriction;
    PointArray& plug = s.PointPlugSideFriction[emApi];
    for (int seg = 0; seg < s.SegmentCount; ++seg) {
        const int t = TopPoint(seg);
        const int b = BottomPoint(seg);
        const SoilPoint& soil = s.SegmentSoil[seg];
        if (TakesClayRules(s, soil)) {
            const double su = soil[Soil::UndrainedShearStrength];
            const double alpha = ApiClayAlpha(su, s.PointEffectiveStress[b]);
            friction[t] = alpha * su;
            friction[b] = alpha * su;
            plug[t] = alpha * PlugWallStrength(soil);
            plug[b] = alpha * su;
        } else {
            const double tan_delta = SandInterfaceTangent(soil[Soil::FrictionAngle]);
            const double k = soil[Soil::EarthPressureCoefficient];
            friction[t] = k * s.PointEffectiveStress[t] * tan_delta;
            friction[b] = k * s.PointEffectiveStress[b] * tan_delta;
            plug[t] = friction[t];
            plug[b] = friction[b];
        }
    }
    BuildSkinFrictionRows(s, ApiRowPolicy(), friction, ConstantPerimeterRows(s));
}

} // namespace korva::engine
