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

ConePile ConePileOf(const AnalysisInput& input)
{
    ConePile pile;
    pile.units = input.Units;
    pile.load_direction = input.LoadDirection;
    pile.pile_type = input.PileType;
    pile.outer_diameter = input.OuterDiameter;
    pile.end_section_inner_diameter = EndInnerDiameter(input);
    return pile;
}

// The height of a segment's top above the pile tip, in the unit of the
// diameters (negative below the tip). Taken from the segment itself, for
// every segment, also those below the deepest penetration row.
double HeightAboveTip(const AnalysisInput& input, const PileSegments& segments, int segment,
                      const ConeMethodConstants& c)
{
    return (input.PileLength - segments.SegmentTop[segment]) * c.length_factor;
}

// The segment lies along the pile (its top above the tip), so what the
// rules report about it concerns the pile.
bool AlongThePile(const AnalysisInput& input, const PileSegments& segments, int segment)
{
    return segments.SegmentTop[segment] < input.PileLength - DepthTolerance;
}

ConeSandSegment SandSegmentOf(Uses<const AnalysisInput, const PileSegments, const EffectiveStress, CarriedValues> run,
                              int segment, const ConeMethodConstants& c)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EffectiveStress& effective = run;
    ConeSandSegment sand;
    sand.qc = SegmentConeResistance(run, segment, c.pa);
    sand.sigma_top = effective.PointEffectiveStress[TopPoint(segment)];
    sand.sigma_bottom = effective.PointEffectiveStress[BottomPoint(segment)];
    sand.friction_angle = segments.SegmentSoil[segment][Soil::FrictionAngle];
    sand.h = HeightAboveTip(input, segments, segment, c);
    return sand;
}

void StorePoints(SideFrictionRows& side, int method, int segment, const PointPair& friction, const PointPair& plug)
{
    side.PointUnitSideFriction[TopPoint(segment)] = friction.top;
    side.PointUnitSideFriction[BottomPoint(segment)] = friction.bottom;
    side.PointPlugSideFriction[method][TopPoint(segment)] = plug.top;
    side.PointPlugSideFriction[method][BottomPoint(segment)] = plug.bottom;
}

// The MTD clay rule of ICP/MTD, FUGRO and UWA, with its two report lines,
// written where the segment loop meets them (between the tables), once per
// segment of a selected method.
void ApplyMtdClayRule(MtdMethodRun run, int method, int segment, const ConePile& pile, const ConeMethodConstants& c)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EffectiveStress& effective = run;
    SideFrictionRows& side = run;
    RunOutputs& out = run;
    const SoilPoint& soil = segments.SegmentSoil[segment];
    ClaySegment clay;
    clay.su = soil[Soil::UndrainedShearStrength];
    clay.remolded_strength = soil[Soil::RemoldedStrengthOrBlowCount];
    clay.yield_stress_ratio = soil[Soil::YieldStressRatio];
    clay.plasticity_index = soil[Soil::PlasticityIndex];
    clay.sigma_top = effective.PointEffectiveStress[TopPoint(segment)];
    clay.sigma_bottom = effective.PointEffectiveStress[BottomPoint(segment)];
    clay.h = HeightAboveTip(input, segments, segment, c);
    const ClayRuleFriction rule = MtdClayUnitFriction(clay, pile);
    // The lines belong to the method's table: a method that is computed but
    // not selected says nothing.
    if (AlongThePile(input, segments, segment) && input.MethodSelected[PileMethodOf(method)] == 1) {
        if (rule.plasticity_index_missing) {
            out.report.Write(FormatRecord("(1X,'ERROR - NO DATA FOUND FOR PLASTIC INDEX.')"));
        }
        if (rule.ratio_below_eight) {
            out.report.Write(FormatRecord("(1X,'WARNING - h/R SHOULD BE GREATER THAN 8.')"));
        }
    }
    StorePoints(side, method, segment, rule.friction, rule.friction);
}

// Rows, increments and sums of a cone-based method: no uplift factor, no
// maximum side friction, unlimited increments.
void BuildConeRows(SkinRowsRun run, int method)
{
    const AnalysisInput& input = run;
    const SideFrictionRows& side = run;
    BuildSkinFrictionRows(run, ConeRowPolicy(method), side.PointUnitSideFriction, ConstantPerimeterRows(input));
}

// ICP/MTD, FUGRO and UWA: a sand rule of their own, the MTD clay rule.
using SandRule = PointPair (*)(const ConeSandSegment&, const ConePile&, const ConeMethodConstants&);

void ComputeMtdFamily(MtdMethodRun run, int method, SandRule sand_rule)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    SideFrictionRows& side = run;
    const ConeMethodConstants c = ConeConstants(input.Units);
    const ConePile pile = ConePileOf(input);
    for (int segment = 0; segment < segments.SegmentCount; ++segment) {
        if (TakesClayRules(input, segments.SegmentSoil[segment])) {
            ApplyMtdClayRule(run, method, segment, pile, c);
        } else {
            const PointPair f = sand_rule(SandSegmentOf(run, segment, c), pile, c);
            StorePoints(side, method, segment, f, f);
        }
    }
    BuildConeRows(run, method);
}

} // namespace

void ComputeCapacityNgi(NgiMethodRun run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    EffectiveStress& effective = run;
    SideFrictionRows& side = run;
    const ConeMethodConstants c = ConeConstants(input.Units);
    const ConePile pile = ConePileOf(input);
    // Dr of the last point computed: a point without stress keeps it.
    double relative_density = 0.0;
    for (int segment = 0; segment < segments.SegmentCount; ++segment) {
        const int top = TopPoint(segment);
        const int bottom = BottomPoint(segment);
        const SoilPoint& soil = segments.SegmentSoil[segment];
        if (TakesClayRules(input, segments.SegmentSoil[segment])) {
            // Raised in place for the steps after this one.
            if (effective.PointEffectiveStress[bottom] < StressTolerance) {
                effective.PointEffectiveStress[bottom] = StressTolerance;
            }
            const NgiClayFriction f =
                NgiClayUnitFriction(soil[Soil::UndrainedShearStrength], PlugWallStrength(soil),
                                    effective.PointEffectiveStress[bottom], soil[Soil::PlasticityIndex], pile);
            StorePoints(side, emNgi, segment, {f.side, f.side}, {f.plug_top, f.side});
            continue;
        }
        // Friction grows linearly with the segment's depth over the pile.
        const double depth_ratio = input.PileLength > DepthTolerance ? soil[Soil::Depth] / input.PileLength : 0.0;
        const PointPair f = NgiSandUnitFriction(SandSegmentOf(run, segment, c), depth_ratio, segment == 0, pile, c.pa,
                                                relative_density);
        StorePoints(side, emNgi, segment, f, f);
        // Raised in place: ICP/MTD, FUGRO and UWA see it.
        if (effective.PointEffectiveStress[top] < c.sand_top_stress_floor) {
            effective.PointEffectiveStress[top] = c.sand_top_stress_floor;
        }
    }
    BuildConeRows(run, emNgi);
}

void ComputeCapacityIcp(MtdMethodRun run) { ComputeMtdFamily(run, emIcpMtd, IcpSandUnitFriction); }

// The clay plug friction goes to FUGRO's own row, like its sand friction.
void ComputeCapacityFugro(MtdMethodRun run) { ComputeMtdFamily(run, emFugro, FugroSandUnitFriction); }

void ComputeCapacityUwa(MtdMethodRun run) { ComputeMtdFamily(run, emUwa, UwaSandUnitFriction); }

} // namespace korva::engine
