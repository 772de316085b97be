#include "load_transfer_curves.h"

#include <cmath>

#include "constants.h"
#include "design_charts.h"

namespace korva::engine {

namespace {

using CurvePoints = std::array<double, TzPointsPerCurve>;

// Soil points closer than this (in feet) carry no t-z curves.
constexpr float TzPairSpacingFeet = 0.11f;

// Fixed movement lists in inches.
constexpr std::array<float, TzPointsPerCurve> SandMovements{0.0f,  0.01f, 0.02f, 0.04f, 0.06f,
                                                            0.08f, 0.09f, 0.1f,  0.5f,  2.0f};
constexpr std::array<float, TzPointsPerCurve> UsaceShaftMovements{0.0f,  0.01f, 0.02f, 0.04f, 0.06f,
                                                                  0.08f, 0.12f, 0.16f, 0.5f,  10.0f};
constexpr std::array<float, TzPointsPerCurve> UsaceTipMovements{0.0f, 0.0001f, 0.005f, 0.01f, 0.05f,
                                                                0.1f, 0.2f,    0.5f,   1.0f,  2.0f};
// Movement lists as multiples of the diameter.
constexpr std::array<float, TzPointsPerCurve> ClayMovementRatios{0.0f,  0.0016f, 0.0031f, 0.0057f, 0.008f,
                                                                 0.01f, 0.02f,   0.03f,   0.05f,   0.2f};
constexpr std::array<float, TzPointsPerCurve> TipMovementRatios{0.0f,   0.0005f, 0.001f, 0.002f, 0.013f,
                                                                0.042f, 0.073f,  0.1f,   0.15f,  0.2f};
// Load (transfer) lists as multiples of t_max or Q.
constexpr std::array<float, TzPointsPerCurve> SandTransferRatios{0.0f, 0.1f, 0.2f, 0.4f, 0.6f,
                                                                 0.8f, 0.9f, 1.0f, 1.0f, 1.0f};
constexpr std::array<float, TzPointsPerCurve> ClayTransferRatios{0.0f, 0.3f, 0.5f, 0.75f, 0.9f,
                                                                 1.0f, 0.9f, 0.9f, 0.9f,  0.9f};
constexpr std::array<float, TzPointsPerCurve> UsaceClayTransferRatios{0.0f, 0.18f, 0.38f, 0.79f, 0.97f,
                                                                      1.0f, 0.97f, 0.93f, 0.93f, 0.93f};
constexpr std::array<float, TzPointsPerCurve> TipLoadRatios{0.0f,  0.0625f, 0.125f, 0.25f, 0.5f,
                                                            0.75f, 0.9f,    1.0f,   1.0f,  1.0f};

// A fixed inch list in the unit of movement of the run.
CurvePoints MovementsFromInches(const AnalysisInput& input, const std::array<float, TzPointsPerCurve>& inches)
{
    CurvePoints movement{};
    for (int p = 0; p < TzPointsPerCurve; ++p)
        movement[p] = input.Units == 1 ? static_cast<double>(inches[p]) : inches[p] / InchesPerMetre;
    return movement;
}

CurvePoints Scaled(const std::array<float, TzPointsPerCurve>& ratios, double factor)
{
    CurvePoints values{};
    for (int p = 0; p < TzPointsPerCurve; ++p)
        values[p] = factor * ratios[p];
    return values;
}

// Initial stiffness of the USACE sand curve (psf per inch) from the friction
// angle; the bands are tested in this order, each overriding the last that
// applied. The step at 34 degrees is the published curve's.
double UsaceSandStiffness(double phi)
{
    double k = 6000.0f;
    if (phi > 28.0f)
        k = 6000.0f + 1333.3f * (phi - 28.0f);
    if (phi > 31.0f)
        k = 10000.0f;
    if (phi > 32.0f)
        k = 10000.0f + 1333.3f * (phi - 32.0f);
    if (phi > 34.0f)
        k = 14000.0f;
    if (phi > 35.0f)
        k = 14000.0f + 1333.3f * (phi - 35.0f);
    if (phi > 38.0f)
        k = 18000.0f;
    return k;
}

} // namespace

double TransferLength(const AnalysisInput& input, double feet_or_metres)
{
    return input.Units == 1 ? feet_or_metres * InchesPerFoot : feet_or_metres;
}

double FeetOrMetres(const AnalysisInput& input, double transfer_length)
{
    return input.Units == 1 ? transfer_length / InchesPerFoot : transfer_length;
}

double FixedInches(const AnalysisInput& input, float inches)
{
    return input.Units == 1 ? static_cast<double>(inches) : inches * MetresPerInch;
}

bool PairCarriesTzCurves(const AnalysisInput& input, const SoilPoint& upper, const SoilPoint& lower)
{
    const double spacing =
        input.Units == 1 ? static_cast<double>(TzPairSpacingFeet) : TzPairSpacingFeet * MetresPerFoot;
    // Within the depth tolerance: a pair just 0.11 ft apart carries curves in
    // either unit system, whatever the rounding of its converted depths.
    return lower[Soil::Depth] - upper[Soil::Depth] >= spacing - DepthTolerance;
}

double LoadTransferDiameter(const AnalysisInput& input)
{
    return input.Units == 1 ? input.OuterDiameter : input.OuterDiameter / MillimetresPerMetre;
}

double LoadTransferInnerDiameter(const AnalysisInput& input)
{
    return input.Units == 1 ? input.InnerDiameter : input.InnerDiameter / MillimetresPerMetre;
}

double UnitLoadTransferAt(Uses<const AnalysisInput, const PenetrationRows, const MethodResults> run, double depth)
{
    const AnalysisInput& input = run;
    const PenetrationRows& penetration = run;
    const MethodResults& results = run;
    const double z = FeetOrMetres(input, depth);
    // Rows 0 .. rows - 1 at depths k x IncrementLength.
    const int rows = penetration.PenetrationRowCount;
    const auto& d = penetration.PenetrationDepths;
    const auto& skin = results.TransferSkinRows;
    if (rows < 2)
        return 0.0;

    // The first row from the second on below the depth; a depth within the
    // depth tolerance of a row counts as at that row, whichever way rounding
    // put it. Below the last row the last row pair is used (the depth is
    // clamped, not extrapolated).
    const int last = rows - 1;
    int c = 1;
    while (c <= last && !(d[c] - z > DepthTolerance))
        ++c;
    if (c > last)
        c = last;

    const double step = d[c] - d[c - 1];
    double slope = 0.0;
    if (step < DepthTolerance) {
        // Two rows at one depth: the slope of the pair above, when there is one.
        if (c >= 2 && d[c - 1] - d[c - 2] >= DepthTolerance)
            slope = (skin[c - 1] - skin[c - 2]) / (d[c - 1] - d[c - 2]);
    } else if (c == last) {
        slope = (skin[c] - skin[c - 1]) / step;
    } else if (skin[c - 1] <= 1.0e-5f) {
        // No skin friction above yet: a forward difference, so that t_max is
        // not halved by the zero row.
        slope = (skin[c + 1] - skin[c]) / step;
    } else {
        slope = (skin[c + 1] - skin[c - 1]) / (2.0f * step);
    }

    const double diameter = LoadTransferDiameter(input);
    if (!(diameter > 0.0))
        return 0.0;
    if (input.Units == 1)
        return slope * PoundsPerKip / diameter / InchesPerFoot / PiTo4Places; // kips per foot to psi
    return slope / diameter / PiTo4Places; // kN per metre to kPa
}

void BuildTzCurveSand(const AnalysisInput& input, TzCurve& curve)
{
    const double t_max = curve.TzMaxTransfer;
    if (input.LoadTransferMethod != pmUsace) {
        curve.Movement = MovementsFromInches(input, SandMovements);
        curve.LoadTransfer = Scaled(SandTransferRatios, t_max);
        return;
    }
    // USACE: hyperbolic in psf and inches, towards the asymptote t_max.
    const double asymptote = input.Units == 1 ? t_max * SquareInchesPerSquareFoot : t_max * 20.89f;
    const double k = UsaceSandStiffness(curve.TzFrictionAngle);
    curve.Movement[0] = 0.0;
    curve.LoadTransfer[0] = 0.0;
    for (int p = 1; p < TzPointsPerCurve; ++p) {
        const double z = UsaceShaftMovements[p];
        const double t = asymptote > 1.0e-9f ? z / (1.0f / k + z / asymptote) : 0.0;
        if (input.Units == 1) {
            curve.LoadTransfer[p] = t / SquareInchesPerSquareFoot;
            curve.Movement[p] = z;
        } else {
            curve.LoadTransfer[p] = t / 20.89f;
            curve.Movement[p] = z / InchesPerMetre;
        }
    }
}

void BuildTzCurveClay(const AnalysisInput& input, TzCurve& curve)
{
    const double t_max = curve.TzMaxTransfer;
    if (input.LoadTransferMethod != pmUsace) {
        curve.Movement = Scaled(ClayMovementRatios, LoadTransferDiameter(input));
        curve.LoadTransfer = Scaled(ClayTransferRatios, t_max);
        return;
    }
    curve.Movement = MovementsFromInches(input, UsaceShaftMovements);
    curve.LoadTransfer = Scaled(UsaceClayTransferRatios, t_max);
}

void BuildTzCurve(const AnalysisInput& input, TzCurve& curve, int number, double max_transfer)
{
    curve.TzMaxTransfer = max_transfer;
    curve.CurveNumber = number;
    curve.TzPointCount = TzPointsPerCurve;
    if (curve.TzSoilCode != 2)
        BuildTzCurveSand(input, curve);
    else
        BuildTzCurveClay(input, curve);
}

TipLoadCurve BuildTipCurve(const AnalysisInput& input, double q, int tip_soil_type, double tip_friction_angle)
{
    const double diameter = LoadTransferDiameter(input);
    TipLoadCurve tip;
    if (input.LoadTransferMethod != pmUsace) {
        tip.Movement = Scaled(TipMovementRatios, diameter);
        tip.Load = Scaled(TipLoadRatios, q);
        return tip;
    }
    tip.Movement = MovementsFromInches(input, UsaceTipMovements);
    const bool sand_or_silt = tip_soil_type == 1 || tip_soil_type == 3;
    for (int p = 1; p < TzPointsPerCurve; ++p) {
        const double z = tip.Movement[p];
        if (!(diameter > 0.0))
            continue;
        // The published curves are fully mobilised at the critical movement
        // (sand) or at 0.04 D (clay): the tip load never exceeds Q.
        if (sand_or_silt) {
            const double critical = 0.05f * diameter;
            const double phi = tip_friction_angle;
            const double power = phi <= 31.0f ? 0.5f : (phi <= 38.0f ? 0.333f : 0.25f);
            const double ratio = std::pow(z / critical, power);
            tip.Load[p] = ratio < 1.0 ? q * ratio : q;
        } else {
            const double root = std::sqrt(z / (2.0f * 0.005f * diameter));
            tip.Load[p] = 0.5f * root < 1.0 ? 0.5f * q * root : q;
        }
    }
    return tip;
}

TzSoilAtDepth TzSoilAt(const AnalysisInput& input, double depth)
{
    const int count = input.SoilPointCount;
    for (int k = 0; k + 1 < count; ++k) {
        const SoilPoint& upper = input.SoilColumns[k];
        const SoilPoint& lower = input.SoilColumns[k + 1];
        const double gap = lower[Soil::Depth] - upper[Soil::Depth];
        if (PairCarriesTzCurves(input, upper, lower) && depth - lower[Soil::Depth] <= DepthTolerance) {
            TzSoilAtDepth soil;
            soil.soil_code = upper[Soil::SoilType] == 1.0 && lower[Soil::SoilType] == 1.0 ? 1 : 2;
            soil.friction_angle = upper[Soil::FrictionAngle] + (lower[Soil::FrictionAngle] - upper[Soil::FrictionAngle]) /
                                                                   gap * (depth - upper[Soil::Depth]);
            return soil;
        }
    }
    // Below every layer thick enough for a curve: the last soil point.
    TzSoilAtDepth soil;
    if (count > 0) {
        const SoilPoint& last = input.SoilColumns[count - 1];
        soil.soil_code = last[Soil::SoilType] == 1.0 ? 1 : 2;
        soil.friction_angle = last[Soil::FrictionAngle];
    }
    return soil;
}

double TipLoadAt(const TipLoadCurve& curve, double movement)
{
    return LookupTable({curve.Movement, curve.Load}, movement);
}

} // namespace korva::engine
