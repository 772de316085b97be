#include "cone_methods.h"

#include "capacity_steps.h"
#include "cone_friction.h"
#include "cone_resistance.h"
#include "constants.h"
#include "fixed_format.h"
#include "segment_rows.h"
#include "skin_rows.h"

namespace korva::engine {

// The method loop runs these in the second pass, every one whether selected
// or not, in the order API RP-2A, NGI, ICP/MTD, FUGRO, UWA. They share
// PointEffectiveStress and change it in place: API and NGI raise clay bottom
// stresses below 1e-10 to 1e-10, NGI raises sand top stresses below 1e-8 ksf
// to 1e-8 ksf (so ICP/MTD, FUGRO and UWA see that stress at the surface of a
// sand profile). The order is part of the result.

namespace {

ConePile ConePileOf(const RunState& s)
{
    ConePile pile;
    pile.units = s.Units;
    pile.load_direction = s.LoadDirection;
    pile.pile_type = s.PileType;
    pile.outer_diameter = s.OuterDiameter;
    pile.end_section_inner_diameter = EndInnerDiameter(s);
    return pile;
}

// The height of a segment's top above the pile tip, in the unit of the
// diameters (negative below the tip). Taken from the segment itself, for
// every segment, also those below the deepest penetration row.
double HeightAboveTip(const RunState& s, int segment, const ConeMethodConstants& c)
{
    return (s.PileLength - s.SegmentTop[segment]) * c.length_factor;
}

// The segment lies along the pile (its top above the tip), so what the
// rules report about it concerns the pile.
bool AlongThePile(const RunState& s, int segment) { return s.SegmentTop[segment] < s.PileLength - DepthTolerance; }

ConeSandSegment SandSegmentOf(RunState& s, int segment, const ConeMethodConstants& c)
{
    ConeSandSegment sand;
    sand.qc = SegmentConeResistance(s, segment, c.pa);
    sand.sigma_top = s.PointEffectiveStress[TopPoint(segment)];
    sand.sigma_bottom = s.PointEffectiveStress[BottomPoint(segment)];
    sand.friction_angle = s.SegmentSoil[segment][Soil::FrictionAngle];
    sand.h = HeightAboveTip(s, segment, c);
    return sand;
}

void StorePoints(RunState& s, int method, int segment, const PointPair& side, const PointPair& plug)
{
    s.PointUnitSideFriction[TopPoint(segment)] = side.top;
    s.PointUnitSideFriction[BottomPoint(segment)] = side.bottom;
    s.PointPlugSideFriction[method][TopPoint(segment)] = plug.top;
    s.PointPlugSideFriction[method][BottomPoint(segment)] = plug.bottom;
}

// The MTD clay rule of ICP/MTD, FUGRO and UWA, with its two report lines,
// written where the segment loop meets them (between the tables), once per
// segment of a selected method.
void ApplyMtdClayRule(RunState& s, int method, int segment, const ConePile& pile, const ConeMethodConstants& c)
{
    const SoilPoint& soil = s.SegmentSoil[segment];
    ClaySegment clay;
    clay.su = soil[Soil::UndrainedShearStrength];
    clay.remolded_strength = soil[Soil::RemoldedStrengthOrBlowCount];
    clay.yield_stress_ratio = soil[Soil::YieldStressRatio];
    clay.plasticity_index = soil[Soil::PlasticityIndex];
    clay.sigma_top = s.PointEffectiveStress[TopPoint(segment)];
    clay.sigma_bottom = s.PointEffectiveStress[BottomPoint(segment)];
    clay.h = HeightAboveTip(s, segment, c);
    const ClayRuleFriction rule = MtdClayUnitFriction(clay, pile);
    // The lines belong to the method's table: a method that is computed but
    // not selected says nothing.
    if (AlongThePile(s, segment) && s.MethodSelected[PileMethodOf(method)] == 1) {
        if (rule.plasticity_index_missing) {
            s.report.Write(FormatRecord("(1X,'ERROR - NO DATA FOUND FOR PLASTIC INDEX.')"));
        }
        if (rule.ratio_below_eight) {
            s.report.Write(FormatRecord("(1X,'WARNING - h/R SHOULD BE GREATER THAN 8.')"));
        }
    }
    StorePoints(s, method, segment, rule.friction, rule.friction);
}

// Rows, increments and sums of a cone-based method: no uplift factor, no
// maximum side friction, unlimited increments.
void BuildConeRows(RunState& s, int method)
{
    BuildSkinFrictionRows(s, ConeRowPolicy(method), s.PointUnitSideFriction, ConstantPerimeterRows(s));
}

// ICP/MTD, FUGRO and UWA: a sand rule of their own, the MTD clay rule.
using SandRule = PointPair (*)(const ConeSandSegment&, const ConePile&, const ConeMethodConstants&);

void ComputeMtdFamily(RunState& s, int method, SandRule sand_rule)
{
    const ConeMethodConstants c = ConeConstants(s.Units);
    const ConePile pile = ConePileOf(s);
    for (int segment = 0; segment < s.SegmentCount; ++segment) {
        if (TakesClayRules(s, s.SegmentSoil[segment])) {
            ApplyMtdClayRule(s, method, segment, pile, c);
        } else {
            const PointPair f = sand_rule(SandSegmentOf(s, segment, c), pile, c);
            StorePoints(s, method, segment, f, f);
        }
    }
    BuildConeRows(s, method);
}

} // namespace

void ComputeCapacityNgi(RunState& s)
{
    const ConeMethodConstants c = ConeConstants(s.Units);
    const ConePile pile = ConePileOf(s);
    // Dr of the last point computed: a point without stress keeps it.
    double relative_density = 0.0;
    for (int segment = 0; segment < s.SegmentCount; ++segment) {
        const int top = TopPoint(segment);
        const int bottom = BottomPoint(segment);
        const SoilPoint& soil = s.SegmentSoil[segment];
        if (TakesClayRules(s, s.SegmentSoil[segment])) {
            // Raised in place for the steps after this one.
            if (s.PointEffectiveStress[bottom] < StressTolerance) {
                s.PointEffectiveStress[bottom] = StressTolerance;
            }
            const NgiClayFriction f =
                NgiClayUnitFriction(soil[Soil::UndrainedShearStrength], PlugWallStrength(soil),
                                    s.PointEffectiveStress[bottom], soil[Soil::PlasticityIndex], pile);
            StorePoints(s, emNgi, segment, {f.side, f.side}, {f.plug_top, f.side});
            continue;
        }
        // Friction grows linearly with the segment's depth over the pile.
        const double depth_ratio = s.PileLength > DepthTolerance ? soil[Soil::Depth] / s.PileLength : 0.0;
        const PointPair f =
            NgiSandUnitFriction(SandSegmentOf(s, segment, c), depth_ratio, segment == 0, pile, c.pa, relative_density);
        StorePoints(s, emNgi, segment, f, f);
        // Raised in place: ICP/MTD, FUGRO and UWA see it.
        if (s.PointEffectiveStress[top] < c.sand_top_stress_floor) {
            s.PointEffectiveStress[top] = c.sand_top_stress_floor;
        }
    }
    BuildConeRows(s, emNgi);
}

void ComputeCapacityIcp(RunState& s) { ComputeMtdFamily(s, emIcpMtd, IcpSandUnitFriction); }

// The clay plug friction goes to FUGRO's own row, like its sand friction.
void ComputeCapacityFugro(RunState& s) { ComputeMtdFamily(s, emFugro, FugroSandUnitFriction); }

void ComputeCapacityUwa(RunState& s) { ComputeMtdFamily(s, emUwa, UwaSandUnitFriction); }

} // namespace korva::engine
