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

void ComputeCapacityRevisedLambda(RevisedLambdaMethodRun run)
{
    const AnalysisInput& input = run;
    PileSegments& segments = run;
    const EffectiveStress& effective = run;
    SideFrictionRows& side = run;
    MethodResults& results = run;
    const bool english = input.Units == 1;
    const PointArray& stress = effective.PointEffectiveStress;
    const double row_perimeter = StraightPilePerimeter(input);

    // Strength of every segment, and its stress and strength times its length.
    std::array<double, MaxSegments> strength{};
    std::array<double, MaxSegments> stress_length{};
    std::array<double, MaxSegments> strength_length{};
    for (int seg = 0; seg < segments.SegmentCount; ++seg) {
        SoilPoint& soil = segments.SegmentSoil[seg];
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
    for (int seg = 0; seg < segments.SegmentCount; ++seg) {
        running_bottom = running_bottom + segments.SegmentLength[seg];
        if (running_bottom - input.ZeroFrictionLength > DepthTolerance)
            break;
        strength[seg] = 0.0;
    }
    // The sums over the segments above each segment, added in order from
    // the surface.
    std::array<double, MaxSegments> stress_above{};
    std::array<double, MaxSegments> strength_above{};
    for (int seg = 0; seg < segments.SegmentCount; ++seg) {
        stress_length[seg] = 0.5f * (stress[TopPoint(seg)] + stress[BottomPoint(seg)]) * segments.SegmentLength[seg];
        strength_length[seg] = strength[seg] * segments.SegmentLength[seg];
        if (seg + 1 < segments.SegmentCount) {
            stress_above[seg + 1] = stress_above[seg] + stress_length[seg];
            strength_above[seg + 1] = strength_above[seg] + strength_length[seg];
        }
    }

    // Pile-stiffness number terms. A non-circular tip area (ft^2 / m^2) enters
    // in the units of the diameter squared (in^2 / mm^2), as the annulus does.
    const double od = input.OuterDiameter;
    const double eid = input.EndSectionInnerDiameter;
    double area = PiTo5Places * 0.25f * (od * od - eid * eid);
    if (input.TipArea > 0.0001f)
        area = english ? input.TipArea * SquareInchesPerSquareFoot : input.TipArea * SquareMillimetresPerSquareMetre;
    const double perimeter = PiTo5Places * od;
    const double divisor = english ? input.ElasticModulus * area * 0.1f : input.ElasticModulus * area * 2.54f;
    const double scale = english ? 1000.0f : 1000000.0f;

    // The series are kept apart: the rule's total at each row gives the unit
    // friction (compression, limited), and the reported cumulative skin
    // friction sums that unit friction, in uplift reduced once by
    // TensionReduction. So a later row never makes up for a limited one, and
    // an uplift factor of 0.5 halves every row exactly.
    const bool uplift = input.LoadDirection == 1;
    MethodResultRows& result = results.MethodRows[emRevisedLambda];
    RowArray& tz_rows = results.MethodSkinRows[pmRevisedLambda];
    const int n = LastRow(input);
    double total_before = 0.0;
    double unit_before = 0.0;     // compression unit friction of the row above
    double skin_before = 0.0;     // reported cumulative skin friction of the row above
    double factored = 0.0;
    SegmentWalker walker(segments);
    for (int k = 0; k <= n; ++k) {
        const double z = k * input.IncrementLength;
        const SegmentPosition at = walker.Locate(z);
        const int j = at.segment;
        const double d = at.offset;
        const double top_stress = stress[TopPoint(j)];
        const double stress_z = PointValueAt(segments, stress, at);
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

        double unit = k == 0 ? total / row_perimeter / input.IncrementLength
                             : (total - total_before) / row_perimeter / input.IncrementLength;
        if (unit < 1.0e-7f)
            unit = unit_before;
        const double limit = SideFrictionLimit(input, segments.SegmentSoil[SegmentStartingAtRow(segments, k)]);
        if (unit > limit)
            unit = limit;
        total_before = total;
        unit_before = unit;

        const double reported_unit = uplift ? input.TensionReduction * unit : unit;
        const double skin = skin_before + row_perimeter * reported_unit * input.IncrementLength;
        const double factor = segments.SegmentSideFrictionFactor[SegmentStartingAtRow(segments, k)];
        factored = k == 0 ? factor * skin : factored + (skin - skin_before) * factor;
        skin_before = skin;

        result.UnitSideFriction[k] = reported_unit;
        result.SkinFriction[k] = factored;
        side.FactoredSkinRows[k] = factored;
        tz_rows[k] = input.ReducedTzFactors == 1 ? factored : skin;
    }
}

} // namespace korva::engine
