#include "cone_friction.h"

#include <algorithm>
#include <cmath>

#include "constants.h"
#include "design_charts.h"

namespace korva::engine {

namespace {

bool IsEnglish(int units) { return units == 1; }
bool IsUplift(const ConePile& pile) { return pile.load_direction == 1; }
// An end-section inner diameter above this marks an open pile end.
bool HasOpenEnd(const ConePile& pile) { return pile.end_section_inner_diameter > DiameterTolerance; }

// Radii, diameters and the height above the tip divide; a pile end without
// a wall, or a point at the tip, has none to give.
double AtLeastTolerance(double length) { return std::max(length, DiameterTolerance); }

} // namespace

ConeMethodConstants ConeConstants(int units)
{
    // The atmospheric pressure is the reference stress these rules were
    // calibrated with, 100 kPa; in English units it is that pressure
    // converted exactly (100 / 47.880259 ksf), not one standard atmosphere
    // (2.1162 ksf) or another rounding of it, so that a pile gives the same
    // answer in both unit systems.
    if (IsEnglish(units)) {
        return {2.0885434f, InchesPerFoot, 0.0007874016f, 1.0e-8f};
    }
    return {100.0f, MillimetresPerMetre, 0.02f, 4.7880259e-7f};
}

double TanDegrees(double degrees) { return std::tan(degrees / DegreesPerRadian); }

double SandInterfaceTangent(double friction_angle)
{
    return TanDegrees(NotNegative(friction_angle - 5.0f));
}

namespace {

// Clay: interface friction angle (degrees) against plasticity index (percent).
constexpr double InterfacePlasticityIndex[] = {0.0f,  5.0f,  10.0f, 15.0f, 20.0f, 25.0f, 30.0f, 35.0f, 40.0f,
                                               45.0f, 50.0f, 55.0f, 60.0f, 65.0f, 70.0f, 75.0f, 80.0f};
constexpr double InterfaceAngle[] = {34.0f, 32.0f, 29.0f, 27.0f, 24.5f, 22.5f, 20.0f, 18.5f, 17.0f,
                                     15.2f, 14.7f, 13.0f, 12.3f, 11.5f, 10.0f, 9.2f,  8.5f};
const ChartTable InterfaceFrictionTable{InterfacePlasticityIndex, InterfaceAngle};

} // namespace

double InterfaceFrictionAngle(double plasticity_index)
{
    return LookupTable(InterfaceFrictionTable, plasticity_index);
}

double EquivalentRadius(const ConePile& pile)
{
    const double od = pile.outer_diameter;
    const double eid = pile.end_section_inner_diameter;
    return AtLeastTolerance(std::sqrt(NotNegative(0.25f * (od * od - eid * eid))));
}

double FugroEquivalentRadius(const ConePile& pile)
{
    const double od = AtLeastTolerance(pile.outer_diameter);
    const double area_ratio = pile.end_section_inner_diameter / od;
    return AtLeastTolerance(0.5f * od * std::sqrt(NotNegative(1.0f - area_ratio * area_ratio)));
}

// --- NGI ---

NgiSandFactors NgiSandFactorsFor(const ConePile& pile)
{
    NgiSandFactors f;
    f.tip = HasOpenEnd(pile) ? 1.0f : 1.6f;
    f.load = IsUplift(pile) ? 1.0f : 1.3f;
    // Timber and precast concrete take the material factor of the NGI rules.
    f.material = (pile.pile_type == 2 || pile.pile_type == 3) ? 1.2f : 1.0f;
    return f;
}

double NgiRelativeDensity(double& qc, double sigma, double pa, int units, double previous)
{
    const double a = 22.0f * std::sqrt(NotNegative(sigma) * pa);
    // The SI form of the rule has a step of its own: a qc below A is raised
    // to 1.01 A, and its floor is 0.20001 (English 0.200001).
    if (!IsEnglish(units) && qc < a) {
        qc = 1.01f * a;
    }
    const double floor = IsEnglish(units) ? 0.200001f : 0.20001f;
    double dr = previous;
    // A = 0 (no stress) keeps the previous value in both unit systems; no
    // cone resistance gives the floor, as the logarithm tends to -infinity.
    if (a > 0.0) {
        dr = qc > 0.0 ? 0.4f * std::log(qc / a) : floor;
    }
    return dr < floor ? floor : dr;
}

namespace {

double NgiSandPointFriction(double dr, double sigma, double depth_ratio, double pa, const NgiSandFactors& f)
{
    const double f_dr = 2.1f * std::pow(dr - 0.1f, 1.7f);
    const double f_sig = std::pow(NotNegative(sigma) / pa, 0.25f);
    return depth_ratio * pa * f_dr * f_sig * f.tip * f.load * f.material;
}

} // namespace

PointPair NgiSandUnitFriction(const ConeSandSegment& segment, double depth_ratio, bool first_segment,
                              const ConePile& pile, double pa, double& relative_density)
{
    const NgiSandFactors factors = NgiSandFactorsFor(pile);
    double qc = NotNegative(segment.qc);
    PointPair f;
    relative_density = NgiRelativeDensity(qc, segment.sigma_bottom, pa, pile.units, relative_density);
    f.bottom = NgiSandPointFriction(relative_density, segment.sigma_bottom, depth_ratio, pa, factors);
    // English piles keep the bottom point's density at the top of the first
    // segment (no stress there).
    if (!(IsEnglish(pile.units) && first_segment)) {
        relative_density = NgiRelativeDensity(qc, segment.sigma_top, pa, pile.units, relative_density);
    }
    f.top = NgiSandPointFriction(relative_density, segment.sigma_top, depth_ratio, pa, factors);
    return f;
}

NgiClayFriction NgiClayUnitFriction(double su, double remolded_strength, double sigma_bottom,
                                    double plasticity_index, const ConePile& pile)
{
    double psi = su / sigma_bottom;
    if (psi < StressTolerance) {
        psi = StressTolerance;
    }
    const double tip = HasOpenEnd(pile) ? 0.8f + 0.2f * std::sqrt(psi) : 1.0f;
    NgiClayFriction f;
    if (psi < 0.25f) {
        const double pi = plasticity_index <= 10.0f ? 10.000001f : plasticity_index;
        f.side = 0.08f * std::pow(pi - 10.0f, 0.3f) * sigma_bottom;
        // No alpha below psi 0.25: the plug takes the side friction.
        f.plug_top = f.side;
    } else if (psi > 1.0f) {
        const double alpha = 0.5f / std::pow(psi, 0.3f);
        f.side = alpha * su * tip;
        f.plug_top = alpha * remolded_strength * tip;
    } else {
        const double pi = plasticity_index <= 12.0f ? 12.000001f : plasticity_index;
        const double f_min = 0.06f * std::pow(pi - 12.0f, 0.33f) * sigma_bottom;
        const double alpha_nc = 0.32f * std::pow(pi - 10.0f, 0.3f);
        const double alpha = alpha_nc + (psi - 0.25f) * (0.5f / std::pow(psi, 0.3f) - alpha_nc) / 0.75f;
        f.side = std::max(alpha * su * tip, f_min);
        f.plug_top = std::max(alpha * remolded_strength * tip, f_min);
    }
    return f;
}

// --- ICP/MTD ---

PointPair IcpSandUnitFriction(const ConeSandSegment& segment, const ConePile& pile, const ConeMethodConstants& c)
{
    const double qc = NotNegative(segment.qc);
    const double h = AtLeastTolerance(segment.h);
    double ratio = h / EquivalentRadius(pile);
    if (ratio <= 8.0f) {
        ratio = 8.0f;
    }
    const double ratio_term = std::pow(ratio, -0.38f);
    const auto radial_stress_at_cone = [&](double sigma) {
        return 0.029f * qc * std::pow(NotNegative(sigma) / c.pa, 0.13f) * ratio_term;
    };

    // The shear modulus curve in eta turns over at 514, where its
    // denominator is largest, and reaches zero near 1044: eta is held at
    // 514 beyond it (no stress at all counts as beyond it), so that G stays
    // positive and finite.
    const double root = std::sqrt(NotNegative(segment.sigma_bottom) * c.pa);
    double eta = root > 0.0 ? qc / root : (qc > 0.0 ? 514.0f : 0.0f);
    if (eta > 514.0f) {
        eta = 514.0f;
    }
    const double g = qc / (0.0203f + 0.00125f * eta - 1.216e-6f * (eta * eta));
    const double dilation = 2.0f * g * c.radial_displacement / (0.5f * AtLeastTolerance(pile.outer_diameter));

    const double tan_delta = SandInterfaceTangent(segment.friction_angle);
    const auto radial_stress_at_failure = [&](double sigma_rc) {
        if (!IsUplift(pile)) {
            return sigma_rc + dilation;
        }
        const double uplift = 0.8f * sigma_rc + dilation;
        return HasOpenEnd(pile) ? uplift * 0.9f : uplift;
    };
    PointPair f;
    f.bottom = radial_stress_at_failure(radial_stress_at_cone(segment.sigma_bottom)) * tan_delta;
    f.top = radial_stress_at_failure(radial_stress_at_cone(segment.sigma_top)) * tan_delta;
    return f;
}

// --- FUGRO 2004 ---

PointPair FugroSandUnitFriction(const ConeSandSegment& segment, const ConePile& pile, const ConeMethodConstants& c)
{
    const double qc = NotNegative(segment.qc);
    const double h = AtLeastTolerance(segment.h);
    const double ratio = h / FugroEquivalentRadius(pile);
    const auto at = [&](double sigma) {
        const double stress = NotNegative(sigma) / c.pa;
        if (IsUplift(pile)) {
            return 0.045f * qc * std::pow(stress, 0.15f) * std::pow(std::max(ratio, 4.0), -0.85f);
        }
        const double away = 0.08f * qc * std::pow(stress, 0.05f) * std::pow(ratio, -0.9f);
        // Near the tip the friction falls off linearly to the tip; the power
        // term stays that of the ratio itself, as FUGRO 2004 writes it here.
        return ratio > 4.0f ? away : away * ratio / 4.0f;
    };
    return {at(segment.sigma_top), at(segment.sigma_bottom)};
}

// --- UWA ---

double UwaEffectiveAreaRatio(const ConePile& pile)
{
    const double od = AtLeastTolerance(pile.outer_diameter);
    const double eid = std::min(pile.end_section_inner_diameter, od);
    const double inner_metres = IsEnglish(pile.units) ? eid * MetresPerInch : eid / MillimetresPerMetre;
    const double ifr = std::min(std::pow(NotNegative(inner_metres) / 1.5f, 0.2f), 1.0);
    return NotNegative(1.0f - ifr * ((eid / od) * (eid / od)));
}

PointPair UwaSandUnitFriction(const ConeSandSegment& segment, const ConePile& pile, const ConeMethodConstants& c)
{
    const double qc = NotNegative(segment.qc);
    const double od = AtLeastTolerance(pile.outer_diameter);
    const double area_ratio = UwaEffectiveAreaRatio(pile);
    const double h = AtLeastTolerance(segment.h);
    const double h_over_d = std::max(h / od, 2.0);
    const double sigma_rc = 0.03f * qc * std::pow(area_ratio, 0.3f) * std::pow(h_over_d, -0.5f);
    const double tan_delta = SandInterfaceTangent(segment.friction_angle);

    const auto at = [&](double sigma) {
        // No cone resistance, no dilation: the modulus term would be 0 / 0.
        double dilation = 0.0;
        if (qc > 0.0) {
            const double s = std::max(sigma / c.pa, static_cast<double>(1.0e-7f));
            const double qc1n = (qc / c.pa) / std::sqrt(s);
            const double g = 185.0f * qc / std::pow(qc1n, 0.75f);
            dilation = 4.0f * g * c.radial_displacement / od;
        }
        if (IsUplift(pile)) {
            return 0.75f * (sigma_rc + dilation) * tan_delta;
        }
        return (sigma_rc + dilation) * tan_delta;
    };
    return {at(segment.sigma_top), at(segment.sigma_bottom)};
}

// --- The MTD clay rule ---

double ClaySensitivity(double su, double remolded_strength)
{
    if (su < StressTolerance || remolded_strength < StressTolerance) {
        return 1.0;
    }
    return su / remolded_strength;
}

double ClayRadialStressFactor(double sensitivity, double yield_stress_ratio, double ratio)
{
    const double kc = (2.0f - 0.625f * std::log10(sensitivity)) * std::pow(NotNegative(yield_stress_ratio), 0.42f) *
                      std::pow(ratio, -0.2f);
    // A very sensitive clay gives a negative factor: no radial stress.
    return kc > 0.0 ? kc : 0.0;
}

ClayRuleFriction MtdClayUnitFriction(const ClaySegment& segment, const ConePile& pile)
{
    ClayRuleFriction result;
    result.plasticity_index_missing = segment.plasticity_index < 0.0;
    const double tan_delta = TanDegrees(InterfaceFrictionAngle(segment.plasticity_index));
    double ratio = segment.h / EquivalentRadius(pile);
    if (ratio < 8.0f) {
        result.ratio_below_eight = true;
        ratio = 8.0f;
    }
    const double kc =
        ClayRadialStressFactor(ClaySensitivity(segment.su, segment.remolded_strength), segment.yield_stress_ratio, ratio);
    result.friction.top = 0.8f * NotNegative(segment.sigma_top) * kc * tan_delta;
    result.friction.bottom = 0.8f * NotNegative(segment.sigma_bottom) * kc * tan_delta;
    return result;
}

} // namespace korva::engine
