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

bool IsEnglish(const RunState& s) { return s.Units == 1; }

// A circle's area in ft^2 or m^2 from diameters in inches or millimetres.
double CircleArea(const RunState& s, double outer, double inner)
{
    const double area = QuarterPi * (outer * outer - inner * inner);
    return IsEnglish(s) ? area / SquareInchesPerSquareFoot : area / SquareMillimetresPerSquareMetre;
}

// Running integrals from the surface of the base force and of its limit (the
// layer's MaxEndBearing as a force), for the averaging window of each row.
class BaseForceIntegrals {
public:
    explicit BaseForceIntegrals(const RunState& s) : s_(s)
    {
        // The tip area: the diameter at the tip of a tapered pile, or the
        // non-circular tip area.
        double tip_diameter = DiameterInLengthUnits(s);
        if (s.TaperAngle > 0.0)
            tip_diameter =
                tip_diameter - std::tan(s.TaperAngle * RadiansPerDegree) * 2.0f * (s.StickupLength + s.PileLength);
        area_ = QuarterPi * tip_diameter * tip_diameter;
        if (s.TipArea > 1.0e-4f)
            area_ = s.TipArea;

        for (int p = 0; p < 2 * s.SegmentCount; ++p) {
            force_[p] = area_ * s.PointUnitEndBearing[p];
            if (s.MethodIndex == emIcpMtd)
                force_[p] = std::max(force_[p], s.PointBaseEndBearing[p]);
        }
        double force_sum = 0.0;
        double limit_sum = 0.0;
        for (int seg = 0; seg < s.SegmentCount; ++seg) {
            force_above_[seg] = force_sum;
            limit_above_[seg] = limit_sum;
            force_sum += (force_[TopPoint(seg)] + force_[BottomPoint(seg)]) * 0.5f * s.SegmentLength[seg];
            limit_sum += area_ * s.SegmentSoil[seg][Soil::MaxEndBearing] * s.SegmentLength[seg];
        }
    }

    // The integrals from the surface to depth; a depth below the last
    // segment is taken at its bottom. The caller's walker finds the segment.
    void At(SegmentWalker& segments, double depth, double& force, double& limit) const
    {
        const SegmentPosition at = segments.Locate(depth);
        const double top_force = force_[TopPoint(at.segment)];
        const double force_at_depth = PointValueAt(s_, force_, at);
        force = force_above_[at.segment] + (top_force + force_at_depth) * 0.5f * at.offset;
        limit = limit_above_[at.segment] + area_ * s_.SegmentSoil[at.segment][Soil::MaxEndBearing] * at.offset;
    }

private:
    const RunState& s_;
    double area_ = 0.0;
    PointArray force_{};
    SegmentArray force_above_{};
    SegmentArray limit_above_{};
};

// The pile's self weight down to a depth (uplift), with buoyancy below the
// water table; kips / kN.
class SelfWeight {
public:
    explicit SelfWeight(const RunState& s)
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
        // A water table within a foot of the surface is taken 0.1 ft deep.
        const double foot = english ? 1.0f : MetresPerFoot;
        water_table_ = s.WaterTableDepth < foot ? 0.1f * foot : s.WaterTableDepth;

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

    static bool IsClosed(const RunState& s) { return s.InnerDiameter < 1.0e-10f || s.ClosedEnded == 1; }

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

void TabulateCapacityByPenetration(RunState& s)
{
    const int n = LastRow(s);
    s.RowTipDepths[0] = 0.0;
    s.RowTipResistance[0] = s.PointTipResistance[TopPoint(0)];
    s.RowPlugAboveEndSection[0] = 0.0;
    SegmentWalker at_row(s);
    SegmentWalker above_end_section(s);
    for (int k = 1; k <= n; ++k) {
        const double z = k * s.IncrementLength;
        s.RowTipDepths[k] = z;
        s.RowTipResistance[k] = at_row.PointValueAtDepth(s.PointTipResistance, z);
        // The inside friction above the enhanced end section.
        const double above = z - s.EndSectionLength;
        s.RowPlugAboveEndSection[k] =
            above > DepthTolerance ? above_end_section.PointValueAtDepth(s.PointPlugFriction, above) : 0.0;
    }
    for (int k = 0; k <= n; ++k)
        s.RowPlugLimitedTipResistance[k] = s.RowTipResistance[k] - s.RowPlugAboveEndSection[k];
}

void ComputeSelfWeight(RunState& s)
{
    const int n = LastRow(s);
    const int m = s.MethodIndex;
    const bool uplift = s.LoadDirection == 1;
    const double d = DiameterInLengthUnits(s);
    const BaseForceIntegrals integrals(s);
    const SelfWeight self_weight(s);
    const bool closed = SelfWeight::IsClosed(s);

    const auto store = [&](int k, double value) {
        s.TransferTipRows[k] = value;
        if (m == emFhwa)
            s.FhwaTipRows[k] = value;
        if (m == emUsace)
            s.UsaceTipRows[k] = value;
    };

    double lower_force = 0.0;
    double lower_limit = 0.0;
    SegmentWalker lower_edges(s);
    SegmentWalker upper_edges(s);
    for (int k = 0; k <= n; ++k) {
        const double z = k * s.IncrementLength;
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
        s.RowAveragedTipResistance[k] = average;

        const double weight = uplift ? self_weight.At(z) : 0.0;
        int flag = 0;
        if (closed) {
            if (uplift)
                s.RowAveragedTipResistance[k] = weight;
            store(k, s.RowAveragedTipResistance[k]);
            if (m == emUserSpecified)
                s.UserTipRows[k] = s.RowAveragedTipResistance[k];
            flag = 1;
        } else if (s.RowPlugLimitedTipResistance[k] - s.RowAveragedTipResistance[k] <= 1.0e-6f ||
                   s.PlugCondition == 2) {
            // The soil plug governs: the annulus plus the inside friction of
            // the end section, or an unplugged pile.
            if (uplift) {
                s.RowPlugLimitedTipResistance[k] = weight;
                s.RowAveragedTipResistance[k] = weight;
            }
            store(k, s.RowPlugLimitedTipResistance[k]);
            flag = 2;
            if (s.EndSectionInnerDiameter < 1.0e-4f)
                flag = s.EndSectionLength > 1.0e-4f ? 1 : 2;
            if (s.PlugCondition == 1) {
                if (m == emFhwa)
                    s.FhwaTipRows[k] = s.RowAveragedTipResistance[k];
                if (m == emUsace)
                    s.UsaceTipRows[k] = s.RowAveragedTipResistance[k];
                if (m > emRevisedLambda)
                    s.TransferTipRows[k] = s.RowAveragedTipResistance[k];
                if (m == emUserSpecified)
                    s.UserTipRows[k] = s.RowAveragedTipResistance[k];
                flag = 1;
            } else if (s.PlugCondition == 2) {
                s.TransferTipRows[k] = s.RowPlugLimitedTipResistance[k];
                if (m == emUserSpecified)
                    s.UserTipRows[k] = s.RowPlugLimitedTipResistance[k];
                flag = 2;
            }
        } else {
            if (uplift)
                s.RowAveragedTipResistance[k] = weight;
            store(k, s.RowAveragedTipResistance[k]);
            flag = 1;
        }
        s.CompressionTipFlags[m][k] = flag;
        // In uplift the tip value is the self weight: no row is governed by the plug.
        s.RowTipFlags[m][k] = uplift ? 1 : flag;
        // In uplift the user-specified method's tip row is the self weight
        // whichever branch the pile takes.
        if (uplift && m == emUserSpecified)
            s.UserTipRows[k] = weight;
    }
}

} // namespace korva::engine
