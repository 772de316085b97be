// Capacity by penetration: the point values of the capacity steps carried to
// the penetration rows, and the tip value of every row (the base force
// averaged over 1.5 diameters above and below the row, the plug-limited
// value of an open pile, or the buoyant self weight in uplift).
#include <algorithm>
#include <cmath>

#include "capacity_steps.h"
#include "constants.h"
#include "segment_rows.h"

namespace korva::engine {

namespace {

bool IsEnglish(const AnalysisInput& input) { return input.Units == 1; }

// A circle's area in ft^2 or m^2 from diameters in inches or millimetres.
double CircleArea(const AnalysisInput& input, double outer, double inner)
{
    const double area = QuarterPi * (outer * outer - inner * inner);
    return IsEnglish(input) ? area / SquareInchesPerSquareFoot : area / SquareMillimetresPerSquareMetre;
}

// Running integrals from the surface of the base force and of its limit (the
// layer's MaxEndBearing as a force), for the averaging window of each row.
class BaseForceIntegrals {
public:
    explicit BaseForceIntegrals(
        Uses<const AnalysisInput, const PileSegments, const EndBearingPoints, const MethodLoop> run)
        : segments_(run)
    {
        const AnalysisInput& input = run;
        const PileSegments& segments = run;
        const EndBearingPoints& bearing = run;
        const MethodLoop& loop = run;
        // The tip area: the diameter at the tip of a tapered pile, or the
        // non-circular tip area.
        double tip_diameter = DiameterInLengthUnits(input);
        if (input.TaperAngle > 0.0)
            tip_diameter = tip_diameter - std::tan(input.TaperAngle * RadiansPerDegree) * 2.0f *
                                              (input.StickupLength + input.PileLength);
        area_ = QuarterPi * tip_diameter * tip_diameter;
        if (input.TipArea > 1.0e-4f)
            area_ = input.TipArea;

        for (int p = 0; p < 2 * segments.SegmentCount; ++p) {
            force_[p] = area_ * bearing.PointUnitEndBearing[p];
            if (loop.MethodIndex == emIcpMtd)
                force_[p] = std::max(force_[p], bearing.PointBaseEndBearing[p]);
        }
        double force_sum = 0.0;
        double limit_sum = 0.0;
        for (int seg = 0; seg < segments.SegmentCount; ++seg) {
            force_above_[seg] = force_sum;
            limit_above_[seg] = limit_sum;
            force_sum += (force_[TopPoint(seg)] + force_[BottomPoint(seg)]) * 0.5f * segments.SegmentLength[seg];
            limit_sum += area_ * segments.SegmentSoil[seg][Soil::MaxEndBearing] * segments.SegmentLength[seg];
        }
    }

    // The integrals from the surface to depth; a depth below the last
    // segment is taken at its bottom. The caller's walker finds the segment.
    void At(SegmentWalker& walker, double depth, double& force, double& limit) const
    {
        const SegmentPosition at = walker.Locate(depth);
        const double top_force = force_[TopPoint(at.segment)];
        const double force_at_depth = PointValueAt(segments_, force_, at);
        force = force_above_[at.segment] + (top_force + force_at_depth) * 0.5f * at.offset;
        limit = limit_above_[at.segment] + area_ * segments_.SegmentSoil[at.segment][Soil::MaxEndBearing] * at.offset;
    }

private:
    const PileSegments& segments_;
    double area_ = 0.0;
    PointArray force_{};
    SegmentArray force_above_{};
    SegmentArray limit_above_{};
};

// The pile's self weight down to a depth (uplift), with buoyancy below the
// water table; kips / kN.
class SelfWeight {
public:
    explicit SelfWeight(const AnalysisInput& s)
    {
        // Unit weights in kcf (50, 150 and 490 lb/ft^3, water 62.4 lb/ft^3);
        // in SI the rule's own kN/m^3 figures (water 9.8, where 0.0624 kcf
        // converted is 9.802).
        const bool english = IsEnglish(s);
        switch (s.PileType) {
        case 2: // timber
            unit_weight_ = english ? 0.05f : 7.85435f;
            break;
        case 3: // precast concrete
            unit_weight_ = english ? 0.15f : 23.56305f;
            break;
        default: // steel
            unit_weight_ = english ? 0.49f : 76.97263f;
            break;
        }
        water_ = english ? 0.0624f : 9.8f;
        buoyant_ = unit_weight_ - water_;
        // A water table within a foot of the surface is taken 0.1 ft deep;
        // one at a foot, within the depth tolerance, is not (in SI a foot
        // converted and the single-precision foot differ in the last digits).
        const double foot = english ? 1.0f : MetresPerFoot;
        water_table_ = s.WaterTableDepth < foot - DepthTolerance ? 0.1f * foot : s.WaterTableDepth;

        if (s.SectionArea > 1.0e-6f)
            section_area_ = english ? s.SectionArea / SquareInchesPerSquareFoot : s.SectionArea;
        else if (s.Perimeter > 1.0e-10f)
            section_area_ = s.TipArea; // a non-circular section: its own area, not the circle of its perimeter
        else
            section_area_ = CircleArea(s, s.OuterDiameter, s.InnerDiameter);
        gross_area_ = CircleArea(s, s.OuterDiameter, 0.0);

        // A closed pipe or shell displaces water with its whole section.
        closed_displacing_ = IsClosed(s) && s.SectionArea > 1.0e-5f &&
                             ((s.PileType == 1 && s.ClosedEnded == 1) || s.PileType == 4 || s.PileType == 5 ||
                              s.PileType == 7);
    }

    static bool IsClosed(const AnalysisInput& input)
    {
        return input.InnerDiameter < 1.0e-10f || input.ClosedEnded == 1;
    }

    double At(double z) const
    {
        const double as = section_area_;
        const double w = water_table_;
        if (z <= w)
            return as * unit_weight_ * z;
        if (closed_displacing_)
            return as * unit_weight_ * z - gross_area_ * water_ * (z - w);
        return as * unit_weight_ * w + as * buoyant_ * (z - w);
    }

private:
    double unit_weight_ = 0.0;
    double water_ = 0.0;
    double buoyant_ = 0.0;
    double water_table_ = 0.0;
    double section_area_ = 0.0;
    double gross_area_ = 0.0;
    bool closed_displacing_ = false;
};

} // namespace

void TabulateCapacityByPenetration(Uses<const AnalysisInput, const PileSegments, const EndBearingPoints, TipRows> run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EndBearingPoints& bearing = run;
    TipRows& tips = run;
    const int n = LastRow(input);
    tips.RowTipDepths[0] = 0.0;
    tips.RowTipResistance[0] = bearing.PointTipResistance[TopPoint(0)];
    tips.RowPlugAboveEndSection[0] = 0.0;
    SegmentWalker at_row(segments);
    SegmentWalker above_end_section(segments);
    for (int k = 1; k <= n; ++k) {
        const double z = k * input.IncrementLength;
        tips.RowTipDepths[k] = z;
        tips.RowTipResistance[k] = at_row.PointValueAtDepth(bearing.PointTipResistance, z);
        // The inside friction above the enhanced end section.
        const double above = z - input.EndSectionLength;
        tips.RowPlugAboveEndSection[k] =
            above > DepthTolerance ? above_end_section.PointValueAtDepth(bearing.PointPlugFriction, above) : 0.0;
    }
    for (int k = 0; k <= n; ++k)
        tips.RowPlugLimitedTipResistance[k] = tips.RowTipResistance[k] - tips.RowPlugAboveEndSection[k];
}

void ComputeSelfWeight(
    Uses<const AnalysisInput, const PileSegments, const EndBearingPoints, const MethodLoop, TipRows, MethodResults> run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const MethodLoop& loop = run;
    TipRows& tips = run;
    MethodResults& results = run;
    const int n = LastRow(input);
    const int m = loop.MethodIndex;
    const bool uplift = input.LoadDirection == 1;
    const double d = DiameterInLengthUnits(input);
    const BaseForceIntegrals integrals(run);
    const SelfWeight self_weight(input);
    const bool closed = SelfWeight::IsClosed(input);

    const auto store = [&](int k, double value) {
        results.TransferTipRows[k] = value;
        if (m == emFhwa)
            tips.FhwaTipRows[k] = value;
        if (m == emUsace)
            tips.UsaceTipRows[k] = value;
    };

    double lower_force = 0.0;
    double lower_limit = 0.0;
    SegmentWalker lower_edges(segments);
    SegmentWalker upper_edges(segments);
    for (int k = 0; k <= n; ++k) {
        const double z = k * input.IncrementLength;
        // The window from 1.5 D above to 1.5 D below the row; near the
        // surface it starts at the surface and is still divided by 3 D.
        const double lower = z - 1.5f * d;
        if (!(lower < 1.0e-4f))
            integrals.At(lower_edges, lower, lower_force, lower_limit);
        double upper_force;
        double upper_limit;
        integrals.At(upper_edges, z + 1.5f * d, upper_force, upper_limit);
        double average = (upper_force - lower_force) / (3.0f * d);
        const double average_limit = (upper_limit - lower_limit) / (3.0f * d);
        if (average - average_limit > 1.0e-6f)
            average = average_limit;
        tips.RowAveragedTipResistance[k] = average;

        const double weight = uplift ? self_weight.At(z) : 0.0;
        int flag = 0;
        if (closed) {
            if (uplift)
                tips.RowAveragedTipResistance[k] = weight;
            store(k, tips.RowAveragedTipResistance[k]);
            if (m == emUserSpecified)
                tips.UserTipRows[k] = tips.RowAveragedTipResistance[k];
            flag = 1;
        } else if (tips.RowPlugLimitedTipResistance[k] - tips.RowAveragedTipResistance[k] <= 1.0e-6f ||
                   input.PlugCondition == 2) {
            // The soil plug governs: the annulus plus the inside friction of
            // the end section, or an unplugged pile.
            if (uplift) {
                tips.RowPlugLimitedTipResistance[k] = weight;
                tips.RowAveragedTipResistance[k] = weight;
            }
            store(k, tips.RowPlugLimitedTipResistance[k]);
            flag = 2;
            if (input.EndSectionInnerDiameter < 1.0e-4f)
                flag = input.EndSectionLength > 1.0e-4f ? 1 : 2;
            if (input.PlugCondition == 1) {
                if (m == emFhwa)
                    tips.FhwaTipRows[k] = tips.RowAveragedTipResistance[k];
                if (m == emUsace)
                    tips.UsaceTipRows[k] = tips.RowAveragedTipResistance[k];
                if (m > emRevisedLambda)
                    results.TransferTipRows[k] = tips.RowAveragedTipResistance[k];
                if (m == emUserSpecified)
                    tips.UserTipRows[k] = tips.RowAveragedTipResistance[k];
                flag = 1;
            } else if (input.PlugCondition == 2) {
                results.TransferTipRows[k] = tips.RowPlugLimitedTipResistance[k];
                if (m == emUserSpecified)
                    tips.UserTipRows[k] = tips.RowPlugLimitedTipResistance[k];
                flag = 2;
            }
        } else {
            if (uplift)
                tips.RowAveragedTipResistance[k] = weight;
            store(k, tips.RowAveragedTipResistance[k]);
            flag = 1;
        }
        tips.CompressionTipFlags[m][k] = flag;
        // In uplift the tip value is the self weight: no row is governed by the plug.
        tips.RowTipFlags[m][k] = uplift ? 1 : flag;
        // In uplift the user-specified method's tip row is the self weight
        // whichever branch the pile takes.
        if (uplift && m == emUserSpecified)
            tips.UserTipRows[k] = weight;
    }
}

} // namespace korva::engine
