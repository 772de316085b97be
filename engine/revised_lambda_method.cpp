// The revised lambda rule: the skin friction down to a depth z is
// lambda x (mean effective stress + 2 x mean strength) x perimeter x z, the
// means taken from the surface to z, lambda falling with the logarithm of
// the pile-stiffness number.
#include <array>
#include <cmath>

#include "constants.h"
#include "land_methods.h"
#include "segment_rows.h"
#include "skin_rows.h"

namespace korva::engine {

double RevisedLambdaFactor(double stiffness_number, double mean_strength, double mean_stress)
{
    // No stiffness number (depth 0 or no strength): no lambda, not a log of 0.
    if (!(stiffness_number > 0.0))
        return 0.0;
    const double x = stiffness_number;
    // Normally consolidated below a strength ratio of 0.4, else over-consolidated.
    double lambda = mean_strength / mean_stress < 0.4f ? 0.178f - 0.016f * std::log(x)
                                                       : 0.232f - 0.032f * std::log(x);
    if (lambda < 0.14f)
        lambda = 0.14f;
    return lambda;
}

void ComputeCapacityRevisedLambda(RunState& s)
{
    const bool english = s.Units == 1;
    const PointArray& stress = s.PointEffectiveStress;
    const double row_perimeter = StraightPilePerimeter(s);

    // Strength of every segment, and its stress and strength times its length.
    std::array<double, MaxSegments> strength{};
    std::array<double, MaxSegments> stress_length{};
    std::array<double, MaxSegments> strength_length{};
    for (int seg = 0; seg < s.SegmentCount; ++seg) {
        SoilPoint& soil = s.SegmentSoil[seg];
        // Written back: the later steps of the pass see K = 1 too.
        if (soil[Soil::EarthPressureCoefficient] == 0.0)
            soil[Soil::EarthPressureCoefficient] = 1.0f;
        const double mean = stress[TopPoint(seg)] + stress[BottomPoint(seg)];
        if (soil[Soil::SoilType] - 1.0f > 0.0)
            strength[seg] = soil[Soil::UndrainedShearStrength];
        else
            strength[seg] = soil[Soil::EarthPressureCoefficient] * 0.5f * mean *
                            std::tan(soil[Soil::FrictionAngle] / DegreesPerRadian);
    }
    double running_bottom = 0.0;
    for (int seg = 0; seg < s.SegmentCount; ++seg) {
        running_bottom = running_bottom + s.SegmentLength[seg];
        if (running_bottom - s.ZeroFrictionLength > DepthTolerance)
            break;
        strength[seg] = 0.0;
    }
    // The sums over the segments above each segment, added in order from
    // the surface.
    std::array<double, MaxSegments> stress_above{};
    std::array<double, MaxSegments> strength_above{};
    for (int seg = 0; seg < s.SegmentCount; ++seg) {
        stress_length[seg] = 0.5f * (stress[TopPoint(seg)] + stress[BottomPoint(seg)]) * s.SegmentLength[seg];
        strength_length[seg] = strength[seg] * s.SegmentLength[seg];
        if (seg + 1 < s.SegmentCount) {
            stress_above[seg + 1] = stress_above[seg] + stress_length[seg];
            strength_above[seg + 1] = strength_above[seg] + strength_length[seg];
        }
    }

    // Pile-stiffness number terms. A non-circular tip area (ft^2 / m^2) enters
    // in the units of the diameter squared (in^2 / mm^2), as the annulus does.
    const double od = s.OuterDiameter;
    const double eid = s.EndSectionInnerDiameter;
    double area = PiTo5Places * 0.25f * (od * od - eid * eid);
    if (s.TipArea > 0.0001f)
        area = english ? s.TipArea * SquareInchesPerSquareFoot : s.TipArea * SquareMillimetresPerSquareMetre;
    const double perimeter = PiTo5Places * od;
    const double divisor = english ? s.ElasticModulus * area * 0.1f : s.ElasticModulus * area * 2.54f;
    const double scale = english ? 1000.0f : 1000000.0f;

    // The series are kept apart: the rule's total at each row gives the unit
    // friction (compression, limited), and the reported cumulative skin
    // friction sums that unit friction, in uplift reduced once by
    // TensionReduction. So a later row never makes up for a limited one, and
    // an uplift factor of 0.5 halves every row exactly.
    const bool uplift = s.LoadDirection == 1;
    MethodResultRows& result = s.MethodRows[emRevisedLambda];
    RowArray& tz_rows = s.MethodSkinRows[pmRevisedLambda];
    const int n = LastRow(s);
    double total_before = 0.0;
    double unit_before = 0.0;     // compression unit friction of the row above
    double skin_before = 0.0;     // reported cumulative skin friction of the row above
    double factored = 0.0;
    SegmentWalker segments(s);
    for (int k = 0; k <= n; ++k) {
        const double z = k * s.IncrementLength;
        s.PenetrationDepths[k] = z;
        const SegmentPosition at = segments.Locate(z);
        const int j = at.segment;
        const double d = at.offset;
        const double top_stress = stress[TopPoint(j)];
        const double stress_z = PointValueAt(s, stress, at);
        double mean_stress;
        double mean_strength;
        if (j == 0) {
            mean_stress = 0.5f * (top_stress + stress_z);
            mean_strength = strength[0];
        } else {
            mean_stress = (0.5f * (stress_z + top_stress) * d + stress_above[j]) / z;
            mean_strength = (strength[j] * d + strength_above[j]) / z;
        }
        const double x = perimeter * (z * z) * mean_strength * scale / divisor;
        const double lambda = RevisedLambdaFactor(x, mean_strength, mean_stress);
        const double total = (2.0f * mean_strength + mean_stress) * lambda * row_perimeter * z;

        double unit = k == 0 ? total / row_perimeter / s.IncrementLength
                             : (total - total_before) / row_perimeter / s.IncrementLength;
        if (unit < 1.0e-7f)
            unit = unit_before;
        const double limit = SideFrictionLimit(s, s.SegmentSoil[SegmentStartingAtRow(s, k)]);
        if (unit > limit)
            unit = limit;
        total_before = total;
        unit_before = unit;

        const double reported_unit = uplift ? s.TensionReduction * unit : unit;
        const double skin = skin_before + row_perimeter * reported_unit * s.IncrementLength;
        const double factor = s.SegmentSideFrictionFactor[SegmentStartingAtRow(s, k)];
        factored = k == 0 ? factor * skin : factored + (skin - skin_before) * factor;
        skin_before = skin;

        result.UnitSideFriction[k] = reported_unit;
        result.SkinFriction[k] = factored;
        s.FactoredSkinRows[k] = factored;
        tz_rows[k] = s.ReducedTzFactors == 1 ? factored : skin;
    }
}

} // namespace korva::engine
