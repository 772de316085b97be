#include "api_method.h"

#include <algorithm>
#include <cmath>

#include "skin_rows.h"

namespace korva::engine {

void ComputeCapacityApi(RunState& s)
{
    PointArray& friction = s.PointUnitSideFriction;
    PointArray& plug = s.PointPlugSideFriction[emApi];
    for (int seg = 0; seg < s.SegmentCount; ++seg) {
        const int t = TopPoint(seg);
        const int b = BottomPoint(seg);
        const SoilPoint& soil = s.SegmentSoil[seg];
        const double above_sand = soil[Soil::SoilType] - 1.0f;
        const bool clay = s.Units == 1 ? above_sand > 0.0 : above_sand > 1.0e-6f;
        if (clay) {
            // Raised in place: the later steps of the pass see the floor too.
            if (s.PointEffectiveStress[b] < 1.0e-10f)
                s.PointEffectiveStress[b] = 1.0e-10f;
            const double su = soil[Soil::UndrainedShearStrength];
            double psi = su / s.PointEffectiveStress[b];
            if (psi < 1.0e-10f)
                psi = 1.0e-10f;
            double alpha = psi <= 1.0f ? 0.5f / std::sqrt(psi) : 0.5f / std::pow(psi, 0.25f);
            if (alpha > 1.0f)
                alpha = 1.0f;
            friction[t] = alpha * su;
            friction[b] = alpha * su;
            plug[t] = alpha * soil[Soil::RemoldedStrengthOrBlowCount];
            plug[b] = alpha * su;
        } else {
            // A friction angle below 5 degrees gives no wall friction, not a
            // negative one.
            const double delta = std::max(soil[Soil::FrictionAngle] - 5.0f, 0.0) / 57.2958f;
            const double k = soil[Soil::EarthPressureCoefficient];
            friction[t] = k * s.PointEffectiveStress[t] * std::tan(delta);
            friction[b] = k * s.PointEffectiveStress[b] * std::tan(delta);
            plug[t] = friction[t];
            plug[b] = friction[b];
        }
    }
    BuildSkinFrictionRows(s, ApiRowPolicy(), friction, ConstantPerimeterRows(s));
}

} // namespace korva::engine
