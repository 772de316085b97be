// Unit end bearing, the end-bearing force on the base, the soil-plug
// friction and the tip resistance at every segment point, for the method in
// MethodLoop::MethodIndex.
#include "capacity_steps.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "api_method.h"
#include "constants.h"
#include "cone_friction.h"
#include "cone_resistance.h"
#include "design_charts.h"
#include "segment_rows.h"
#include "skin_rows.h"

namespace korva::engine {

namespace {

// A depth no segment reaches: the USACE rules never hold a stress.
constexpr double NeverReached = std::numeric_limits<double>::max();

bool IsClayOrSilt(const SoilPoint& soil) { return soil[Soil::SoilType] - 1.0f > 1.0e-6f; }

// The atmospheric pressure of the cone-based end-bearing rules: the one of
// their side-friction rules (100 kPa in either unit system).
double AtmosphericPressure(const AnalysisInput& input) { return ConeConstants(input.Units).pa; }

// Methods whose own routine stores the inside unit side friction that the
// plug rule takes (PointPlugSideFriction); Revised Lambda and the
// user-specified method have none and use the API-type rule here.
bool HasOwnPlugSideFriction(int method) { return method != emRevisedLambda && method != emUserSpecified; }

struct PointPairRef {
    double& top;
    double& bottom;
};

// The limit of USACE and the cone-based rules: a layer limit above 0.001 ksf
// becomes the run's EndBearingLimit and caps both points.
void ApplyLayerLimit(const AnalysisInput& input, CarriedValues& carried, double max_end_bearing, PointPairRef q)
{
    const double least = input.Units == 1 ? 0.001f : 0.001f * KpaPerKsf;
    if (max_end_bearing != NoLimit && max_end_bearing > least) {
        carried.EndBearingLimit = max_end_bearing;
        q.top = std::min(q.top, carried.EndBearingLimit);
        q.bottom = std::min(q.bottom, carried.EndBearingLimit);
    }
}

// Clay or silt, every method: 9 Su, or for ICP/MTD, FUGRO and UWA the
// cone-based rule by plug condition and drainage; capped by the layer limit.
void ClayEndBearing(UnitEndBearingRun run, int seg, PointPairRef q)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const MethodLoop& loop = run;
    CarriedValues& carried = run;
    const SoilPoint& soil = segments.SegmentSoil[seg];
    double value = 9.0f * soil[Soil::UndrainedShearStrength];
    const int m = loop.MethodIndex;
    if (m == emIcpMtd || m == emFugro || m == emUwa) {
        const double qc = SegmentConeResistance(run, seg, AtmosphericPressure(input));
        const bool drained = input.DrainedClay == 1;
        if (EndInnerDiameter(input) < 1.0e-6f || input.PlugCondition == 1) {
            value = drained ? 1.3f * qc : 0.8f * qc;
            if (input.PlugCondition == 1)
                value = drained ? 0.65f * qc : 0.4f * qc;
        } else if (input.PlugCondition == 2) {
            value = drained ? 1.6f * qc : 1.0f * qc;
        }
    }
    const double max_end_bearing = soil[Soil::MaxEndBearing];
    q.top = std::min(value, max_end_bearing);
    q.bottom = std::min(value, max_end_bearing);
    if (max_end_bearing != NoLimit)
        carried.EndBearingLimit = max_end_bearing;
}

// Critical depths of the USACE rule (ft / m) for friction angles below 33,
// from 33 and from 36 degrees.
struct UsaceDepths {
    double d10, d15, d20;
};

UsaceDepths UsaceHoldingDepths(Uses<const AnalysisInput, const CarriedValues> run)
{
    const AnalysisInput& input = run;
    const CarriedValues& carried = run;
    if (input.CriticalDepthMode > 0) {
        const double depth = CriticalDepthNotReached(run) ? NeverReached : carried.CriticalDepth;
        return {depth, depth, depth};
    }
    // 10, 15 or 20 diameters and one foot, in either unit system.
    const double d = DiameterInLengthUnits(input);
    const double foot = input.Units == 1 ? 1.0f : MetresPerFoot;
    return {10.0f * d + foot, 15.0f * d + foot, 20.0f * d + foot};
}

// A segment top at or below a holding depth (within the depth tolerance,
// so that a depth on a row holds there in both unit systems).
bool AtOrBelow(double z, double depth) { return z - depth > -DepthTolerance; }

// USACE sand: Nq from its chart on the plain stress, or on the stress held
// from the critical depth on (latched for the whole run for 33-36 degrees in
// H33 and from 36 degrees in H36; for the call below 33 degrees in held).
void UsaceSandEndBearing(UnitEndBearingRun run, int seg, const UsaceDepths& depths, double& held, PointPairRef q)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EffectiveStress& effective = run;
    CarriedValues& carried = run;
    const SoilPoint& soil = segments.SegmentSoil[seg];
    const double phi = soil[Soil::FrictionAngle];
    const double nq = LookupTable(UsaceBearingFactorTable, phi);
    const double z = segments.SegmentTop[seg];
    const double limited_bottom = effective.PointLimitedEffectiveStress[BottomPoint(seg)];
    if (phi < 33.0f && AtOrBelow(z, depths.d10) && held < 1.0e-5f)
        held = limited_bottom;
    if (phi >= 33.0f && AtOrBelow(z, depths.d15)) {
        if (carried.H33 < 1.0e-5f && phi < 36.0f)
            carried.H33 = limited_bottom;
        held = carried.H33;
    }
    if (phi >= 36.0f && AtOrBelow(z, depths.d20)) {
        if (carried.H36 < 1.0e-5f)
            carried.H36 = limited_bottom;
        held = carried.H36;
    }
    const double stress_bottom = effective.PointEffectiveStress[BottomPoint(seg)];
    q.top = effective.PointEffectiveStress[TopPoint(seg)] * nq;
    q.bottom = stress_bottom * nq;
    if (held > 1.0e-5f && held < stress_bottom) {
        q.top = held * nq;
        q.bottom = held * nq;
    }
    ApplyLayerLimit(input, carried, soil[Soil::MaxEndBearing], q);
}

// FHWA sand: Nq by friction angle times alpha by the pile's slenderness,
// limited by the FHWA limit (tsf x 2 = ksf) and the layer limit.
void FhwaSandEndBearing(UnitEndBearingRun run, int seg, PointPairRef q)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EffectiveStress& effective = run;
    CarriedValues& carried = run;
    const SoilPoint& soil = segments.SegmentSoil[seg];
    const double phi = soil[Soil::FrictionAngle];
    const double r = input.PileLength / DiameterInLengthUnits(input);
    const double alpha = InterpolateChartFamily(FhwaAlphaChart, phi, r);
    const double nq = LookupTable(FhwaBearingFactorTable, phi) * alpha;
    const double limit = input.Units == 1 ? LookupTable(FhwaLimitTable, phi) * 2.0f
                                          : LookupTable(FhwaLimitTable, phi) * 2.0f * FhwaKpaPerKsf;
    carried.EndBearingLimit = std::min(limit, soil[Soil::MaxEndBearing]);
    q.top = std::min(effective.PointEffectiveStress[TopPoint(seg)] * nq, carried.EndBearingLimit);
    q.bottom = std::min(effective.PointEffectiveStress[BottomPoint(seg)] * nq, carried.EndBearingLimit);
}

// Revised Lambda and API sand: the layer's Nq, limited by the layer limit or
// else by the sand limit of the friction angle (in SI API's own kPa table).
void ApiSandEndBearing(UnitEndBearingRun run, int seg, PointPairRef q)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EffectiveStress& effective = run;
    CarriedValues& carried = run;
    const SoilPoint& soil = segments.SegmentSoil[seg];
    const double max_end_bearing = soil[Soil::MaxEndBearing];
    if (max_end_bearing != NoLimit)
        carried.EndBearingLimit = max_end_bearing;
    else
        carried.EndBearingLimit =
            LookupTable(input.Units == 1 ? SandBearingLimitKsf : SandBearingLimitKpa, soil[Soil::FrictionAngle]);
    const double nq = soil[Soil::BearingCapacityFactor];
    q.top = std::min(effective.PointEffectiveStress[TopPoint(seg)] * nq, carried.EndBearingLimit);
    q.bottom = std::min(effective.PointEffectiveStress[BottomPoint(seg)] * nq, carried.EndBearingLimit);
}

// NGI sand at one point: qc reduced by the relative density from qc and the
// stress. At zero stress (or no cone resistance) the density is unbounded and
// the unit end bearing 0.
double NgiPointEndBearing(const AnalysisInput& input, double qc, double stress, double pa)
{
    const double reference = 22.0f * std::sqrt(NotNegative(pa * stress));
    if (!(qc > 0.0) || !(reference > 0.0))
        return 0.0;
    const double dr = 0.4f * std::log(qc / reference);
    if (EndInnerDiameter(input) > 1.0e-4f)
        return 0.7f * qc / (1.0f + 3.0f * dr * dr);
    return 0.8f * qc / (1.0f + dr * dr);
}

// ICP/MTD sand: qc reduced by the pile diameter in mm (D / 36 in log10).
double IcpEndBearing(const AnalysisInput& input, double qc)
{
    const double diameter_mm = input.Units == 1 ? input.OuterDiameter * MillimetresPerInch : input.OuterDiameter;
    const double r = diameter_mm / 36.0f;
    double q;
    if (EndInnerDiameter(input) >= 1.0e-4f) {
        q = (0.5f - 0.25f * std::log10(r)) * qc;
        if (diameter_mm > 900.0f)
            q = std::max(q, 0.15f * qc);
        if (input.PlugCondition == 2)
            q = qc;
    } else {
        q = (1.0f - 0.5f * std::log10(r)) * qc;
        if (diameter_mm > 900.0f)
            q = std::max(q, 0.3f * qc);
    }
    return q;
}

// FUGRO 2004 sand: 8.5 pa sqrt(qc / pa) on the area ratio of the annulus.
double FugroEndBearing(const AnalysisInput& input, double qc, double pa)
{
    const double ratio = EndInnerDiameter(input) / input.OuterDiameter;
    const double area_ratio = 1.0f - ratio * ratio;
    return 8.5f * pa * std::sqrt(NotNegative(qc / pa)) * std::pow(NotNegative(area_ratio), 0.25f);
}

// UWA sand: (0.15 + 0.45 Ar) qc, at least 0.3 qc for a closed or plugged
// end, else 0.15 qc.
double UwaEndBearing(const AnalysisInput& input, double qc)
{
    const ConePile pile{input.Units, input.LoadDirection, input.PileType, input.OuterDiameter, EndInnerDiameter(input)};
    const double q = (0.15f + 0.45f * UwaEffectiveAreaRatio(pile)) * qc;
    const bool closed_or_plugged = EndInnerDiameter(input) < 1.0e-4f || input.PlugCondition == 1;
    return std::max(q, closed_or_plugged ? 0.3f * qc : 0.15f * qc);
}

void SandEndBearing(UnitEndBearingRun run, int seg, const UsaceDepths& depths, double& held, PointPairRef q)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const EffectiveStress& effective = run;
    const MethodLoop& loop = run;
    CarriedValues& carried = run;
    const double pa = AtmosphericPressure(input);
    switch (loop.MethodIndex) {
    case emFhwa:
        FhwaSandEndBearing(run, seg, q);
        return;
    case emUsace:
        UsaceSandEndBearing(run, seg, depths, held, q);
        return;
    case emRevisedLambda:
    case emApi:
        ApiSandEndBearing(run, seg, q);
        return;
    case emNgi: {
        const double qc = SegmentConeResistance(run, seg, pa);
        q.top = NgiPointEndBearing(input, qc, effective.PointEffectiveStress[TopPoint(seg)], pa);
        q.bottom = NgiPointEndBearing(input, qc, effective.PointEffectiveStress[BottomPoint(seg)], pa);
        break;
    }
    case emIcpMtd:
        q.top = q.bottom = IcpEndBearing(input, SegmentConeResistance(run, seg, pa));
        break;
    case emFugro:
        q.top = q.bottom = FugroEndBearing(input, SegmentConeResistance(run, seg, pa), pa);
        break;
    case emUwa:
        q.top = q.bottom = UwaEndBearing(input, SegmentConeResistance(run, seg, pa));
        break;
    default:
        return; // the user-specified method: the points keep their values
    }
    ApplyLayerLimit(input, carried, segments.SegmentSoil[seg][Soil::MaxEndBearing], q);
}

} // namespace

double DiameterInLengthUnits(const AnalysisInput& input)
{
    return input.Units == 1 ? input.OuterDiameter / InchesPerFoot : input.OuterDiameter / MillimetresPerMetre;
}

double PlugWallStrength(const SoilPoint& soil)
{
    return soil[Soil::SoilType] == 3.0 ? soil[Soil::UndrainedShearStrength] : soil[Soil::RemoldedStrengthOrBlowCount];
}

double EndInnerDiameter(const AnalysisInput& input)
{
    return input.ClosedEnded == 1 ? 0.0 : input.EndSectionInnerDiameter;
}

void ComputeUnitEndBearing(UnitEndBearingRun run)
{
    const PileSegments& segments = run;
    EndBearingPoints& bearing = run;
    const UsaceDepths depths = UsaceHoldingDepths(run);
    double held = 0.0; // the USACE held stress below 33 degrees, for this call
    for (int seg = 0; seg < segments.SegmentCount; ++seg) {
        PointPairRef q{bearing.PointUnitEndBearing[TopPoint(seg)], bearing.PointUnitEndBearing[BottomPoint(seg)]};
        if (IsClayOrSilt(segments.SegmentSoil[seg]))
            ClayEndBearing(run, seg, q);
        else
            SandEndBearing(run, seg, depths, held, q);
    }
}

void ComputeEndBearing(
    Uses<const AnalysisInput, const PileSegments, const MethodLoop, EndBearingPoints, CarriedValues> run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const MethodLoop& loop = run;
    EndBearingPoints& bearing = run;
    const bool english = input.Units == 1;
    const double od = input.OuterDiameter;
    const double eid = EndInnerDiameter(input);
    // The cone-based methods (and the user-specified method) bear on the
    // annulus of an open end with the cone resistance itself, taken at the
    // segment that starts at the point's depth.
    const bool cone_on_annulus = loop.MethodIndex > emApi && eid > 1.0e-4f;
    for (int p = 0; p < 2 * segments.SegmentCount; ++p) {
        double q = bearing.PointUnitEndBearing[p];
        if (cone_on_annulus)
            q = SegmentConeResistance(run, SegmentStartingAtRow(segments, (p + 1) / 2), AtmosphericPressure(input));
        if (input.TipArea > 1.0e-4f)
            bearing.PointBaseEndBearing[p] = q * input.TipArea;
        else if (english)
            bearing.PointBaseEndBearing[p] = q * QuarterPi * (od * od - eid * eid) / SquareInchesPerSquareFoot;
        else
            bearing.PointBaseEndBearing[p] = q * QuarterPi * (od * od - eid * eid) / SquareMillimetresPerSquareMetre;
    }
}

void ComputePlugFriction(PlugFrictionRun run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    const MethodLoop& loop = run;
    const SideFrictionRows& side = run;
    EffectiveStress& effective = run;
    EndBearingPoints& bearing = run;
    const int m = loop.MethodIndex;
    const double eid = EndInnerDiameter(input);
    // The inner diameter in ft or m divides last, as the perimeter of the plug.
    const double diameter_unit = input.Units == 1 ? InchesPerFoot : MillimetresPerMetre;
    PointArray& stress = effective.PointEffectiveStress;
    bearing.PointPlugFriction[TopPoint(0)] = 0.0;
    for (int seg = 0; seg < segments.SegmentCount; ++seg) {
        const SoilPoint& soil = segments.SegmentSoil[seg];
        const int t = TopPoint(seg);
        const int b = BottomPoint(seg);
        double f_top;
        double f_bottom;
        if (IsClayOrSilt(soil)) {
            // The bottom stress stays raised for the later steps of the pass.
            const double alpha = ApiClayAlpha(soil[Soil::UndrainedShearStrength], stress[b]);
            f_top = alpha * PlugWallStrength(soil);
            if (HasOwnPlugSideFriction(m))
                f_top = side.PointPlugSideFriction[m][t];
            f_bottom = f_top;
        } else {
            const double k = soil[Soil::EarthPressureCoefficient];
            const double tan_delta = SandInterfaceTangent(soil[Soil::FrictionAngle]);
            f_top = stress[t] * k * tan_delta;
            f_bottom = stress[b] * k * tan_delta;
            if (HasOwnPlugSideFriction(m)) {
                f_top = side.PointPlugSideFriction[m][t];
                f_bottom = side.PointPlugSideFriction[m][b];
            }
            // The wall takes no more friction inside than outside: the
            // segment's limit (the API sand limit once API has put it there).
            const double limit = SideFrictionLimit(input, soil);
            f_top = std::min(f_top, limit);
            f_bottom = std::min(f_bottom, limit);
        }
        const double increment =
            segments.SegmentLength[seg] * (f_top + f_bottom) * 0.5f * PiTo5Places * eid / diameter_unit;
        bearing.PointInnerUnitFriction[t] = f_top;
        bearing.PointInnerUnitFriction[b] = f_bottom;
        bearing.PointPlugFriction[b] = bearing.PointPlugFriction[t] + increment;
        if (seg + 1 < segments.SegmentCount)
            bearing.PointPlugFriction[TopPoint(seg + 1)] = bearing.PointPlugFriction[b];
    }
}

void ComputeTipResistance(Uses<const AnalysisInput, const PileSegments, EndBearingPoints> run)
{
    const AnalysisInput& input = run;
    const PileSegments& segments = run;
    EndBearingPoints& bearing = run;
    for (int p = 0; p < 2 * segments.SegmentCount; ++p) {
        if (input.PlugCondition == 2)
            bearing.PointPlugFriction[p] = 0.0; // an unplugged pile carries no plug
        bearing.PointTipResistance[p] = bearing.PointBaseEndBearing[p] + bearing.PointPlugFriction[p];
    }
}

} // namespace korva::engine
