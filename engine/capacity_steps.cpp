// Unit end bearing, the end-bearing force on the base, the soil-plug
// friction and the tip resistance at every segment point, for the method in
// RunState::MethodIndex.
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
double AtmosphericPressure(const RunState& s) { return ConeConstants(s.Units).pa; }

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
void ApplyLayerLimit(RunState& s, double max_end_bearing, PointPairRef q)
{
    const double least = s.Units == 1 ? 0.001f : 0.001f * KpaPerKsf;
    if (max_end_bearing != NoLimit && max_end_bearing > least) {
        s.EndBearingLimit = max_end_bearing;
        q.top = std::min(q.top, s.EndBearingLimit);
        q.bottom = std::min(q.bottom, s.EndBearingLimit);
    }
}

// Clay or silt, every method: 9 Su, or for ICP/MTD, FUGRO and UWA the
// cone-based rule by plug condition and drainage; capped by the layer limit.
void ClayEndBearing(RunState& s, int seg, PointPairRef q)
{
    const SoilPoint& soil = s.SegmentSoil[seg];
    double value = 9.0f * soil[Soil::UndrainedShearStrength];
    const int m = s.MethodIndex;
    if (m == emIcpMtd || m == emFugro || m == emUwa) {
        const double qc = SegmentConeResistance(s, seg, AtmosphericPressure(s));
        const bool drained = s.DrainedClay == 1;
        if (EndInnerDiameter(s) < 1.0e-6f || s.PlugCondition == 1) {
            value = drained ? 1.3f * qc : 0.8f * qc;
            if (s.PlugCondition == 1)
                value = drained ? 0.65f * qc : 0.4f * qc;
        } else if (s.PlugCondition == 2) {
            value = drained ? 1.6f * qc : 1.0f * qc;
        }
    }
    const double max_end_bearing = soil[Soil::MaxEndBearing];
    q.top = std::min(value, max_end_bearing);
    q.bottom = std::min(value, max_end_bearing);
    if (max_end_bearing != NoLimit)
        s.EndBearingLimit = max_end_bearing;
}

// Critical depths of the USACE rule (ft / m) for friction angles below 33,
// from 33 and from 36 degrees.
struct UsaceDepths {
    double d10, d15, d20;
};

UsaceDepths UsaceHoldingDepths(const RunState& s)
{
    if (s.CriticalDepthMode > 0) {
        const double depth = CriticalDepthNotReached(s) ? NeverReached : s.CriticalDepth;
        return {depth, depth, depth};
    }
    // 10, 15 or 20 diameters and one foot, in either unit system.
    const double d = DiameterInLengthUnits(s);
    const double foot = s.Units == 1 ? 1.0f : MetresPerFoot;
    return {10.0f * d + foot, 15.0f * d + foot, 20.0f * d + foot};
}

// A segment top at or below a holding depth (within the depth tolerance,
// so that a depth on a row holds there in both unit systems).
bool AtOrBelow(double z, double depth) { return z - depth > -DepthTolerance; }

// USACE sand: Nq from its chart on the plain stress, or on the stress held
// from the critical depth on (latched for the whole run for 33-36 degrees in
// H33 and from 36 degrees in H36; for the call below 33 degrees in held).
void UsaceSandEndBearing(RunState& s, int seg, const UsaceDepths& depths, double& held, PointPairRef q)
{
    const SoilPoint& soil = s.SegmentSoil[seg];
    const double phi = soil[Soil::FrictionAngle];
    const double nq = LookupTable(UsaceBearingFactorTable, phi);
    const double z = s.SegmentTop[seg];
    const double limited_bottom = s.PointLimitedEffectiveStress[BottomPoint(seg)];
    if (phi < 33.0f && AtOrBelow(z, depths.d10) && held < 1.0e-5f)
        held = limited_bottom;
    if (phi >= 33.0f && AtOrBelow(z, depths.d15)) {
        if (s.H33 < 1.0e-5f && phi < 36.0f)
            s.H33 = limited_bottom;
        held = s.H33;
    }
    if (phi >= 36.0f && AtOrBelow(z, depths.d20)) {
        if (s.H36 < 1.0e-5f)
            s.H36 = limited_bottom;
        held = s.H36;
    }
    const double stress_bottom = s.PointEffectiveStress[BottomPoint(seg)];
    q.top = s.PointEffectiveStress[TopPoint(seg)] * nq;
    q.bottom = stress_bottom * nq;
    if (held > 1.0e-5f && held < stress_bottom) {
        q.top = held * nq;
        q.bottom = held * nq;
    }
    ApplyLayerLimit(s, soil[Soil::MaxEndBearing], q);
}

// FHWA sand: Nq by friction angle times alpha by the pile's slenderness,
// limited by the FHWA limit (tsf x 2 = ksf) and the layer limit.
void FhwaSandEndBearing(RunState& s, int seg, PointPairRef q)
{
    const SoilPoint& soil = s.SegmentSoil[seg];
    const double phi = soil[Soil::FrictionAngle];
    const double r = s.PileLength / DiameterInLengthUnits(s);
    const double alpha = InterpolateChartFamily(FhwaAlphaChart, phi, r);
    const double nq = LookupTable(FhwaBearingFactorTable, phi) * alpha;
    const double limit = s.Units == 1 ? LookupTable(FhwaLimitTable, phi) * 2.0f
                                      : LookupTable(FhwaLimitTable, phi) * 2.0f * FhwaKpaPerKsf;
    s.EndBearingLimit = std::min(limit, soil[Soil::MaxEndBearing]);
    q.top = std::min(s.PointEffectiveStress[TopPoint(seg)] * nq, s.EndBearingLimit);
    q.bottom = std::min(s.PointEffectiveStress[BottomPoint(seg)] * nq, s.EndBearingLimit);
}

// Revised Lambda and API sand: the layer's Nq, limited by the layer limit or
// else by the sand limit of the friction angle (in SI API's own kPa table).
void ApiSandEndBearing(RunState& s, int seg, PointPairRef q)
{
    const SoilPoint& soil = s.SegmentSoil[seg];
    const double max_end_bearing = soil[Soil::MaxEndBearing];
    if (max_end_bearing != NoLimit)
        s.EndBearingLimit = max_end_bearing;
    else
        s.EndBearingLimit = LookupTable(s.Units == 1 ? SandBearingLimitKsf : SandBearingLimitKpa,
                                        soil[Soil::FrictionAngle]);
    const double nq = soil[Soil::BearingCapacityFactor];
    q.top = std::min(s.PointEffectiveStress[TopPoint(seg)] * nq, s.EndBearingLimit);
    q.bottom = std::min(s.PointEffectiveStress[BottomPoint(seg)] * nq, s.EndBearingLimit);
}

// NGI sand at one point: qc reduced by the relative density from qc and the
// stress. At zero stress (or no cone resistance) the density is unbounded and
// the unit end bearing 0.
double NgiPointEndBearing(const RunState& s, double qc, double stress, double pa)
{
    const double reference = 22.0f * std::sqrt(NotNegative(pa * stress));
    if (!(qc > 0.0) || !(reference > 0.0))
        return 0.0;
    const double dr = 0.4f * std::log(qc / reference);
    if (EndInnerDiameter(s) > 1.0e-4f)
        return 0.7f * qc / (1.0f + 3.0f * dr * dr);
    return 0.8f * qc / (1.0f + dr * dr);
}

// ICP/MTD sand: qc reduced by the pile diameter in mm (D / 36 in log10).
double IcpEndBearing(const RunState& s, double qc)
{
    const double diameter_mm = s.Units == 1 ? s.OuterDiameter * MillimetresPerInch : s.OuterDiameter;
    const double r = diameter_mm / 36.0f;
    double q;
    if (EndInnerDiameter(s) >= 1.0e-4f) {
        q = (0.5f - 0.25f * std::log10(r)) * qc;
        if (diameter_mm > 900.0f)
            q = std::max(q, 0.15f * qc);
        if (s.PlugCondition == 2)
            q = qc;
    } else {
        q = (1.0f - 0.5f * std::log10(r)) * qc;
        if (diameter_mm > 900.0f)
            q = std::max(q, 0.3f * qc);
    }
    return q;
}

// FUGRO 2004 sand: 8.5 pa sqrt(qc / pa) on the area ratio of the annulus.
double FugroEndBearing(const RunState& s, double qc, double pa)
{
    const double ratio = EndInnerDiameter(s) / s.OuterDiameter;
    const double area_ratio = 1.0f - ratio * ratio;
    return 8.5f * pa * std::sqrt(NotNegative(qc / pa)) * std::pow(NotNegative(area_ratio), 0.25f);
}

// UWA sand: (0.15 + 0.45 Ar) qc, at least 0.3 qc for a closed or plugged
// end, else 0.15 qc.
double UwaEndBearing(const RunState& s, double qc)
{
    const ConePile pile{s.Units, s.LoadDirection, s.PileType, s.OuterDiameter, EndInnerDiameter(s)};
    const double q = (0.15f + 0.45f * UwaEffectiveAreaRatio(pile)) * qc;
    const bool closed_or_plugged = EndInnerDiameter(s) < 1.0e-4f || s.PlugCondition == 1;
    return std::max(q, closed_or_plugged ? 0.3f * qc : 0.15f * qc);
}

void SandEndBearing(RunState& s, int seg, const UsaceDepths& depths, double& held, PointPairRef q)
{
    const double pa = AtmosphericPressure(s);
    switch (s.MethodIndex) {
    case emFhwa:
        FhwaSandEndBearing(s, seg, q);
        return;
    case emUsace:
        UsaceSandEndBearing(s, seg, depths, held, q);
        return;
    case emRevisedLambda:
    case emApi:
        ApiSandEndBearing(s, seg, q);
        return;
    case emNgi: {
        const double qc = SegmentConeResistance(s, seg, pa);
        q.top = NgiPointEndBearing(s, qc, s.PointEffectiveStress[TopPoint(seg)], pa);
        q.bottom = NgiPointEndBearing(s, qc, s.PointEffectiveStress[BottomPoint(seg)], pa);
        break;
    }
    case emIcpMtd:
        q.top = q.bottom = IcpEndBearing(s, SegmentConeResistance(s, seg, pa));
        break;
    case emFugro:
        q.top = q.bottom = FugroEndBearing(s, SegmentConeResistance(s, seg, pa), pa);
        break;
    case emUwa:
        q.top = q.bottom = UwaEndBearing(s, SegmentConeResistance(s, seg, pa));
        break;
    default:
        return; // the user-specified method: the points keep their values
    }
    ApplyLayerLimit(s, s.SegmentSoil[seg][Soil::MaxEndBearing], q);
}

} // namespace

double DiameterInLengthUnits(const RunState& s)
{
    return s.Units == 1 ? s.OuterDiameter / InchesPerFoot : s.OuterDiameter / MillimetresPerMetre;
}

double PlugWallStrength(const SoilPoint& soil)
{
    return soil[Soil::SoilType] == 3.0 ? soil[Soil::UndrainedShearStrength] : soil[Soil::RemoldedStrengthOrBlowCount];
}

double EndInnerDiameter(const RunState& s)
{
    return s.ClosedEnded == 1 ? 0.0 : s.EndSectionInnerDiameter;
}

void ComputeUnitEndBearing(RunState& s)
{
    const UsaceDepths depths = UsaceHoldingDepths(s);
    double held = 0.0; // the USACE held stress below 33 degrees, for this call
    for (int seg = 0; seg < s.SegmentCount; ++seg) {
        PointPairRef q{s.PointUnitEndBearing[TopPoint(seg)], s.PointUnitEndBearing[BottomPoint(seg)]};
        if (IsClayOrSilt(s.SegmentSoil[seg]))
            ClayEndBearing(s, seg, q);
        else
            SandEndBearing(s, seg, depths, held, q);
    }
}

void ComputeEndBearing(RunState& s)
{
    const bool english = s.Units == 1;
    const double od = s.OuterDiameter;
    const double eid = EndInnerDiameter(s);
    // The cone-based methods (and the user-specified method) bear on the
    // annulus of an open end with the cone resistance itself, taken at the
    // segment that starts at the point's depth.
    const bool cone_on_annulus = s.MethodIndex > emApi && eid > 1.0e-4f;
    for (int p = 0; p < 2 * s.SegmentCount; ++p) {
        double q = s.PointUnitEndBearing[p];
        if (cone_on_annulus)
            q = SegmentConeResistance(s, SegmentStartingAtRow(s, (p + 1) / 2), AtmosphericPressure(s));
        if (s.TipArea > 1.0e-4f)
            s.PointBaseEndBearing[p] = q * s.TipArea;
        else if (english)
            s.PointBaseEndBearing[p] = q * QuarterPi * (od * od - eid * eid) / SquareInchesPerSquareFoot;
        else
            s.PointBaseEndBearing[p] = q * QuarterPi * (od * od - eid * eid) / SquareMillimetresPerSquareMetre;
    }
}

void ComputePlugFriction(RunState& s)
{
    const int m = s.MethodIndex;
    const double eid = EndInnerDiameter(s);
    // The inner diameter in ft or m divides last, as the perimeter of the plug.
    const double diameter_unit = s.Units == 1 ? InchesPerFoot : MillimetresPerMetre;
    PointArray& stress = s.PointEffectiveStress;
    s.PointPlugFriction[TopPoint(0)] = 0.0;
    for (int seg = 0; seg < s.SegmentCount; ++seg) {
        const SoilPoint& soil = s.SegmentSoil[seg];
        const int t = TopPoint(seg);
        const int b = BottomPoint(seg);
        double f_top;
        double f_bottom;
        if (IsClayOrSilt(soil)) {
            // The bottom stress stays raised for the later steps of the pass.
            const double alpha = ApiClayAlpha(soil[Soil::UndrainedShearStrength], stress[b]);
            f_top = alpha * PlugWallStrength(soil);
            if (HasOwnPlugSideFriction(m))
                f_top = s.PointPlugSideFriction[m][t];
            f_bottom = f_top;
        } else {
            const double k = soil[Soil::EarthPressureCoefficient];
            const double tan_delta = SandInterfaceTangent(soil[Soil::FrictionAngle]);
            f_top = stress[t] * k * tan_delta;
            f_bottom = stress[b] * k * tan_delta;
            if (HasOwnPlugSideFriction(m)) {
                f_top = s.PointPlugSideFriction[m][t];
                f_bottom = s.PointPlugSideFriction[m][b];
            }
            // The wall takes no more friction inside than outside: the
            // segment's limit (the API sand limit once API has put it there).
            const double limit = SideFrictionLimit(s, soil);
            f_top = std::min(f_top, limit);
            f_bottom = std::min(f_bottom, limit);
        }
        const double increment = s.SegmentLength[seg] * (f_top + f_bottom) * 0.5f * PiTo5Places * eid / diameter_unit;
        s.PointInnerUnitFriction[t] = f_top;
        s.PointInnerUnitFriction[b] = f_bottom;
        s.PointPlugFriction[b] = s.PointPlugFriction[t] + increment;
        if (seg + 1 < s.SegmentCount)
            s.PointPlugFriction[TopPoint(seg + 1)] = s.PointPlugFriction[b];
    }
}

void ComputeTipResistance(RunState& s)
{
    for (int p = 0; p < 2 * s.SegmentCount; ++p) {
        if (s.PlugCondition == 2)
            s.PointPlugFriction[p] = 0.0; // an unplugged pile carries no plug
        s.PointTipResistance[p] = s.PointBaseEndBearing[p] + s.PointPlugFriction[p];
    }
}

} // namespace korva::engine
