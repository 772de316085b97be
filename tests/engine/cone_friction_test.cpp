#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "cone_friction.h"

namespace {

using namespace korva::engine;

constexpr int kEnglish = 1;
constexpr int kSi = 2;

// A closed-ended steel pipe of 500 mm in compression (SI).
ConePile ClosedPipe()
{
    ConePile pile;
    pile.units = kSi;
    pile.pile_type = 1;
    pile.outer_diameter = 500.0;
    return pile;
}

// qc 10 MPa and sigma'v 100 kPa at both points, friction angle 34 (delta 29).
ConeSandSegment DenseSand(double h)
{
    ConeSandSegment s;
    s.qc = 10000.0;
    s.sigma_top = 100.0;
    s.sigma_bottom = 100.0;
    s.friction_angle = 34.0;
    s.h = h;
    return s;
}

bool Finite(const PointPair& p) { return std::isfinite(p.top) && std::isfinite(p.bottom); }

// The hand-worked points: qc 10 MPa, sigma'v 100 kPa, a closed 500 mm pipe.
TEST(ConeFriction, HandWorkedPointChecks)
{
    const ConeMethodConstants si = ConeConstants(kSi);
    const ConePile pile = ClosedPipe();

    // UWA at h/D 10.
    EXPECT_NEAR(UwaSandUnitFriction(DenseSand(5000.0), pile, si).bottom, 57.77, 0.005);
    // FUGRO compression at h/R* 20.
    EXPECT_NEAR(FugroSandUnitFriction(DenseSand(5000.0), pile, si).bottom, 53.97, 0.005);
    // ICP/MTD at h/R* 20.
    EXPECT_NEAR(IcpSandUnitFriction(DenseSand(5000.0), pile, si).bottom, 58.16, 0.005);
    // NGI at z/L 0.5, steel, compression.
    double dr = 0.0;
    const PointPair ngi = NgiSandUnitFriction(DenseSand(5000.0), 0.5, false, pile, si.pa, dr);
    EXPECT_NEAR(ngi.bottom, 68.52, 0.005);
    EXPECT_NEAR(ngi.top, 68.52, 0.005);
}

TEST(ConeFriction, InterfaceFrictionTable)
{
    const std::vector<std::pair<double, double>> cases = {
        {-1.0, 34.0}, {0.0, 34.0},  {5.0, 32.0},  {10.0, 29.0}, {12.5, 28.0}, {15.0, 27.0}, {20.0, 24.5},
        {25.0, 22.5}, {30.0, 20.0}, {35.0, 18.5}, {40.0, 17.0}, {42.5, 16.1}, {45.0, 15.2}, {50.0, 14.7},
        {55.0, 13.0}, {60.0, 12.3}, {65.0, 11.5}, {70.0, 10.0}, {75.0, 9.2},  {80.0, 8.5},  {90.0, 8.5},
    };
    for (const auto& [pi, delta] : cases) {
        SCOPED_TRACE(pi);
        EXPECT_NEAR(InterfaceFrictionAngle(pi), delta, 1e-5);
    }
}

TEST(ConeFriction, SandInterfaceAngleNeverBelowZero)
{
    EXPECT_NEAR(SandInterfaceTangent(34.0), std::tan(29.0 * M_PI / 180.0), 1e-6);
    EXPECT_EQ(SandInterfaceTangent(5.0), 0.0);
    EXPECT_EQ(SandInterfaceTangent(3.0), 0.0);
    const ConePile pile = ClosedPipe();
    ConeSandSegment loose = DenseSand(5000.0);
    loose.friction_angle = 3.0;
    EXPECT_EQ(IcpSandUnitFriction(loose, pile, ConeConstants(kSi)).bottom, 0.0);
    EXPECT_EQ(UwaSandUnitFriction(loose, pile, ConeConstants(kSi)).bottom, 0.0);
}

TEST(ConeFriction, NgiSandFactors)
{
    const double pa = ConeConstants(kSi).pa;
    const auto friction = [&](const ConePile& pile) {
        double dr = 0.0;
        return NgiSandUnitFriction(DenseSand(5000.0), 0.5, false, pile, pa, dr).bottom;
    };
    const ConePile steel = ClosedPipe();
    ConePile concrete = steel;
    concrete.pile_type = 3;
    ConePile timber = steel;
    timber.pile_type = 2;
    ConePile open = steel;
    open.end_section_inner_diameter = 1.0;
    ConePile uplift = steel;
    uplift.load_direction = 1;
    EXPECT_NEAR(friction(concrete) / friction(steel), 1.2, 1e-6);
    EXPECT_NEAR(friction(timber) / friction(steel), 1.2, 1e-6);
    EXPECT_NEAR(friction(steel) / friction(open), 1.6, 1e-6);
    EXPECT_NEAR(friction(uplift) / friction(steel), 1.0 / 1.3, 1e-6);

    // Twice the depth, twice the friction.
    double dr = 0.0;
    const double deep = NgiSandUnitFriction(DenseSand(5000.0), 1.0, false, steel, pa, dr).bottom;
    EXPECT_NEAR(deep / friction(steel), 2.0, 1e-9);
}

TEST(ConeFriction, NgiRelativeDensity)
{
    const double pa_english = ConeConstants(kEnglish).pa;
    // No cone resistance: the floor, 0.200001 in English units. The SI rule
    // has a step of its own: a qc below A = 22 sqrt(sigma pa) is raised to
    // 1.01 A, and its floor is 0.20001.
    double qc = 0.0;
    EXPECT_NEAR(NgiRelativeDensity(qc, 2.0, pa_english, kEnglish, 0.7), 0.200001f, 1e-12);
    EXPECT_EQ(qc, 0.0) << "English keeps the cone resistance as measured";
    qc = 0.0;
    EXPECT_NEAR(NgiRelativeDensity(qc, 100.0, 100.0, kSi, 0.7), 0.20001f, 1e-12);
    EXPECT_NEAR(qc, 1.01f * (22.0f * 100.0), 1e-9) << "SI raises a small qc to 1.01 A";
    // Above A: 0.4 ln(qc / A), the same in ksf as in kPa, qc unchanged.
    qc = 5.0 * 22.0 * 100.0;
    const double dense = NgiRelativeDensity(qc, 100.0, 100.0, kSi, 0.7);
    EXPECT_NEAR(dense, double(0.4f) * std::log(5.0), 1e-6);
    EXPECT_EQ(qc, 5.0 * 22.0 * 100.0);
    qc = 5.0 * 22.0 * 100.0 / 47.880259;
    EXPECT_NEAR(NgiRelativeDensity(qc, 100.0 / 47.880259, pa_english, kEnglish, 0.7), dense, 1e-6);
    // No stress (A = 0): the previous value is kept, in SI and English alike.
    qc = 50.0;
    EXPECT_EQ(NgiRelativeDensity(qc, 0.0, pa_english, kEnglish, 0.55), 0.55);
    qc = 5000.0;
    EXPECT_EQ(NgiRelativeDensity(qc, 0.0, 100.0, kSi, 0.55), 0.55);
    // A previous value below the floor is floored.
    EXPECT_NEAR(NgiRelativeDensity(qc, 0.0, 100.0, kSi, 0.0), 0.20001f, 1e-12);
}

// In SI the cone resistance raised at the bottom point stays for the top
// point: 1500 kPa under A = 2200 kPa at the bottom becomes 2222, which lies
// above the top point's A of 1100 kPa. English units keep the measured qc,
// below both, and take the floor.
TEST(ConeFriction, NgiRaisedConeResistanceHoldsForTheTopPointInSi)
{
    ConeSandSegment s = DenseSand(5000.0);
    s.qc = 1500.0;
    s.sigma_top = 25.0;
    s.sigma_bottom = 100.0;
    double dr = 0.0;
    NgiSandUnitFriction(s, 0.5, false, ClosedPipe(), 100.0, dr);
    EXPECT_NEAR(dr, double(0.4f) * std::log(double(1.01f) * 2200.0 / 1100.0), 1e-6);

    ConePile english = ClosedPipe();
    english.units = kEnglish;
    const double pa = ConeConstants(kEnglish).pa;
    ConeSandSegment e = s;
    e.qc = s.qc / 47.880259;
    e.sigma_top = s.sigma_top / 47.880259;
    e.sigma_bottom = s.sigma_bottom / 47.880259;
    dr = 0.0;
    NgiSandUnitFriction(e, 0.5, false, english, pa, dr);
    EXPECT_NEAR(dr, 0.200001f, 1e-12);
}

TEST(ConeFriction, NgiSandTopPointOfFirstSegment)
{
    // The surface has no stress: the top friction is 0 in both unit systems,
    // and Dr is that of the bottom point.
    for (const int units : {kEnglish, kSi}) {
        SCOPED_TRACE(units);
        ConePile pile = ClosedPipe();
        pile.units = units;
        const double pa = ConeConstants(units).pa;
        ConeSandSegment s = DenseSand(5000.0);
        s.qc = units == kEnglish ? 200.0 : 10000.0;
        s.sigma_top = 0.0;
        s.sigma_bottom = units == kEnglish ? 0.06 : 3.0;
        double dr = 0.0;
        const PointPair f = NgiSandUnitFriction(s, 0.0125, true, pile, pa, dr);
        EXPECT_EQ(f.top, 0.0);
        EXPECT_GT(f.bottom, 0.0);
        EXPECT_GT(dr, 0.6);
        EXPECT_TRUE(Finite(f));
    }
}

TEST(ConeFriction, NgiClayRanges)
{
    const ConePile closed = ClosedPipe();
    ConePile open = closed;
    open.end_section_inner_diameter = 450.0;
    const double sigma = 100.0;
    // psi below 0.25: the plasticity-index rule, PI at most 10 taken as 10.000001.
    NgiClayFriction f = NgiClayUnitFriction(20.0, 10.0, sigma, 30.0, closed);
    EXPECT_NEAR(f.side, 0.08f * std::pow(20.0, 0.3f) * sigma, 1e-9);
    EXPECT_EQ(f.plug_top, f.side);
    f = NgiClayUnitFriction(20.0, 10.0, sigma, 5.0, closed);
    EXPECT_NEAR(f.side, 0.08f * std::pow(static_cast<double>(10.000001f) - 10.0, 0.3f) * sigma, 1e-12);
    // psi above 1: alpha = 0.5 / psi^0.3 on su, and on the remolded strength for the plug.
    f = NgiClayUnitFriction(200.0, 50.0, sigma, 30.0, closed);
    const double alpha = 0.5f / std::pow(2.0, 0.3f);
    EXPECT_NEAR(f.side, alpha * 200.0, 1e-9);
    EXPECT_NEAR(f.plug_top, alpha * 50.0, 1e-9);
    // Open end: F_tip = 0.8 + 0.2 sqrt(psi).
    EXPECT_NEAR(NgiClayUnitFriction(200.0, 50.0, sigma, 30.0, open).side, f.side * (0.8f + 0.2f * std::sqrt(2.0)),
                1e-9);
    // psi 0.25 takes the middle range: alpha_NC, at least f_min.
    f = NgiClayUnitFriction(25.0, 5.0, sigma, 30.0, closed);
    const double f_min = 0.06f * std::pow(18.0, 0.33f) * sigma;
    const double alpha_nc = 0.32f * std::pow(20.0, 0.3f);
    EXPECT_NEAR(f.side, std::max(alpha_nc * 25.0, f_min), 1e-9);
    EXPECT_NEAR(f.plug_top, f_min, 1e-9) << "the plug at least f_min";
    // psi 1 joins the upper range.
    EXPECT_NEAR(NgiClayUnitFriction(100.0, 50.0, sigma, 30.0, closed).side, 0.5 * 100.0, 1e-6);
}

TEST(ConeFriction, IcpSand)
{
    const ConeMethodConstants si = ConeConstants(kSi);
    const ConePile closed = ClosedPipe();
    // Within 8 equivalent radii of the tip (and below it) the ratio is 8.
    const PointPair at8 = IcpSandUnitFriction(DenseSand(2000.0), closed, si);
    EXPECT_EQ(IcpSandUnitFriction(DenseSand(1000.0), closed, si).bottom, at8.bottom);
    EXPECT_EQ(IcpSandUnitFriction(DenseSand(-500.0), closed, si).bottom, at8.bottom);
    EXPECT_GT(IcpSandUnitFriction(DenseSand(2000.0), closed, si).bottom,
              IcpSandUnitFriction(DenseSand(4000.0), closed, si).bottom);

    // Radial stress at failure from sigma_rc and the dilation term d:
    // compression sigma_rc + d; uplift 0.8 sigma_rc + d, x 0.9 with an open end.
    ConePile open = closed;
    open.end_section_inner_diameter = 450.0;
    const double tan_delta = SandInterfaceTangent(34.0);
    const ConeSandSegment s = DenseSand(5000.0);
    for (const ConePile& pile : {closed, open}) {
        SCOPED_TRACE(pile.end_section_inner_diameter);
        const double ratio = 5000.0 / EquivalentRadius(pile);
        const double sigma_rc = 0.029f * 10000.0 * std::pow(1.0, 0.13f) * std::pow(ratio, -0.38f);
        const double d = IcpSandUnitFriction(s, pile, si).bottom / tan_delta - sigma_rc;
        EXPECT_GT(d, 0.0);
        ConePile uplift = pile;
        uplift.load_direction = 1;
        const double factor = pile.end_section_inner_diameter > 0.0 ? 0.9f : 1.0;
        EXPECT_NEAR(IcpSandUnitFriction(s, uplift, si).bottom, (0.8f * sigma_rc + d) * factor * tan_delta, 1e-9);
    }
}

TEST(ConeFriction, IcpShearModulusStaysFiniteBeyondItsCurve)
{
    const ConeMethodConstants si = ConeConstants(kSi);
    const ConePile pile = ClosedPipe();
    // eta = qc / sqrt(sigma pa): 514 at the top of the curve, 1044 where its
    // denominator reaches zero, and beyond. Held at 514: the same friction
    // from any eta above it with the same qc and the same top stress.
    ConeSandSegment at514 = DenseSand(5000.0);
    at514.qc = 51400.0;
    ConeSandSegment beyond = at514;
    beyond.sigma_bottom = 100.0 * (514.0 / 1044.6) * (514.0 / 1044.6);
    ConeSandSegment far = at514;
    far.sigma_bottom = 1e-6;
    ConeSandSegment none = at514;
    none.sigma_bottom = 0.0;
    const double top = IcpSandUnitFriction(at514, pile, si).top;
    for (const ConeSandSegment& s : {beyond, far, none}) {
        const PointPair f = IcpSandUnitFriction(s, pile, si);
        EXPECT_TRUE(Finite(f));
        EXPECT_GT(f.bottom, 0.0);
        EXPECT_NEAR(f.top, top, 1e-9 * top) << "the dilation term is the one of eta 514";
    }
    ConeSandSegment empty = at514;
    empty.qc = 0.0;
    empty.sigma_bottom = 0.0;
    const PointPair f = IcpSandUnitFriction(empty, pile, si);
    EXPECT_EQ(f.top, 0.0);
    EXPECT_EQ(f.bottom, 0.0);
}

TEST(ConeFriction, FugroSand)
{
    const ConeMethodConstants si = ConeConstants(kSi);
    const ConePile compression = ClosedPipe();
    ConePile uplift = compression;
    uplift.load_direction = 1;
    const double r = 250.0;
    const double base = 0.08f * 10000.0;
    // At ratio 4 the two branches agree; at ratio 1 the near-tip form gives a quarter.
    EXPECT_NEAR(FugroSandUnitFriction(DenseSand(4.0 * r), compression, si).bottom, base * std::pow(4.0, -0.9f),
                1e-9);
    EXPECT_NEAR(FugroSandUnitFriction(DenseSand(1.0 * r), compression, si).bottom, base * 0.25, 1e-9);
    // At the tip (h floored at 1e-5) the friction falls off towards 0.
    const PointPair tip = FugroSandUnitFriction(DenseSand(0.0), compression, si);
    EXPECT_TRUE(Finite(tip));
    EXPECT_LT(tip.bottom, 0.2 * base * 0.25);
    // Uplift: the ratio is taken at least 4.
    EXPECT_EQ(FugroSandUnitFriction(DenseSand(2.0 * r), uplift, si).bottom,
              FugroSandUnitFriction(DenseSand(4.0 * r), uplift, si).bottom);
    EXPECT_NEAR(FugroSandUnitFriction(DenseSand(20.0 * r), uplift, si).bottom,
                0.045f * 10000.0 * std::pow(20.0, -0.85f), 1e-9);
    // Closed end: R* = OD / 2 in both forms.
    EXPECT_DOUBLE_EQ(FugroEquivalentRadius(compression), 250.0);
    EXPECT_DOUBLE_EQ(EquivalentRadius(compression), 250.0);
}

TEST(ConeFriction, UwaSand)
{
    const ConeMethodConstants si = ConeConstants(kSi);
    const ConePile closed = ClosedPipe();
    ConePile uplift = closed;
    uplift.load_direction = 1;
    const ConeSandSegment s = DenseSand(5000.0);
    const PointPair c = UwaSandUnitFriction(s, closed, si);
    const PointPair u = UwaSandUnitFriction(s, uplift, si);
    EXPECT_NEAR(u.top / c.top, 0.75, 1e-6);
    EXPECT_NEAR(u.bottom / c.bottom, 0.75, 1e-6);

    // Within two diameters of the tip h/D is 2.
    EXPECT_EQ(UwaSandUnitFriction(DenseSand(1000.0), closed, si).bottom,
              UwaSandUnitFriction(DenseSand(-20.0), closed, si).bottom);

    // Effective area ratio: closed 1; an inner diameter of 1.5 m or more
    // fills fully (IFR 1); a smaller one by (Di / 1.5)^0.2.
    EXPECT_EQ(UwaEffectiveAreaRatio(closed), 1.0);
    ConePile wide = closed;
    wide.outer_diameter = 2000.0;
    wide.end_section_inner_diameter = 1600.0;
    EXPECT_NEAR(UwaEffectiveAreaRatio(wide), 1.0 - 0.64, 1e-6);
    ConePile english = wide;
    english.units = kEnglish;
    english.outer_diameter = 2000.0 / 25.4;
    english.end_section_inner_diameter = 1600.0 / 25.4;
    EXPECT_NEAR(UwaEffectiveAreaRatio(english), 1.0 - 0.64, 1e-6);
    ConePile small = closed;
    small.outer_diameter = 600.0;
    small.end_section_inner_diameter = 500.0;
    EXPECT_NEAR(UwaEffectiveAreaRatio(small), 1.0 - std::pow(0.5 / 1.5, 0.2) * (5.0 / 6.0) * (5.0 / 6.0), 1e-6);

    // No cone resistance: no dilation term, and no number lost.
    ConeSandSegment empty = s;
    empty.qc = 0.0;
    const PointPair f = UwaSandUnitFriction(empty, closed, si);
    EXPECT_EQ(f.top, 0.0);
    EXPECT_EQ(f.bottom, 0.0);
    ConeSandSegment surface = s;
    surface.sigma_top = 0.0;
    EXPECT_TRUE(Finite(UwaSandUnitFriction(surface, closed, si)));
}

TEST(ConeFriction, MtdClayRule)
{
    const ConePile pile = ClosedPipe(); // R* = 250 mm
    ClaySegment clay;
    clay.su = 40.0;
    clay.remolded_strength = 40.0;
    clay.yield_stress_ratio = 1.0;
    clay.plasticity_index = 12.5;
    clay.sigma_top = 76.0;
    clay.sigma_bottom = 80.0;
    clay.h = 10500.0;

    // The SI example at 10.00 m: sensitivity 1, YSR 1, PI 12.5, ratio 42.
    ClayRuleFriction r = MtdClayUnitFriction(clay, pile);
    EXPECT_NEAR(r.friction.bottom, 32.228, 0.0005);
    EXPECT_FALSE(r.plasticity_index_missing);
    EXPECT_FALSE(r.ratio_below_eight);

    // 2 m above the tip: ratio 8, no warning; 1 m: warning and the friction of ratio 8.
    clay.h = 2000.0;
    r = MtdClayUnitFriction(clay, pile);
    EXPECT_FALSE(r.ratio_below_eight);
    const double at8 = r.friction.bottom;
    clay.h = 1000.0;
    r = MtdClayUnitFriction(clay, pile);
    EXPECT_TRUE(r.ratio_below_eight);
    EXPECT_EQ(r.friction.bottom, at8);
    EXPECT_NEAR(at8, 0.8f * 80.0 * 2.0 * std::pow(8.0, -0.2f) * TanDegrees(28.0), 1e-9);

    // No plasticity index: flagged, and the table's first angle.
    clay.plasticity_index = -1.0;
    r = MtdClayUnitFriction(clay, pile);
    EXPECT_TRUE(r.plasticity_index_missing);
    EXPECT_NEAR(r.friction.bottom, at8 * TanDegrees(34.0) / TanDegrees(28.0), 1e-9);
}

TEST(ConeFriction, ClaySensitivityAndFactor)
{
    EXPECT_EQ(ClaySensitivity(40.0, 0.0), 1.0) << "no remolded strength: sensitivity 1";
    EXPECT_EQ(ClaySensitivity(0.0, 10.0), 1.0);
    EXPECT_EQ(ClaySensitivity(40.0, 10.0), 4.0);
    EXPECT_NEAR(ClayRadialStressFactor(1.0, 2.0, 10.0), 2.0 * std::pow(2.0, 0.42f) * std::pow(10.0, -0.2f), 1e-12);
    // log10(St) above 3.2: the factor would turn negative; no radial stress.
    EXPECT_EQ(ClayRadialStressFactor(1e4, 1.0, 10.0), 0.0);
    EXPECT_EQ(ClayRadialStressFactor(1.0, -1.0, 10.0), 0.0);
}

// Every rule gives numbers for the extreme inputs a project can hold.
TEST(ConeFriction, NoNonFiniteValue)
{
    const double big = 1e30;
    const std::vector<double> values = {0.0, 1e-12, -5.0, 1.0, 100.0, big};
    for (const int units : {kEnglish, kSi}) {
        const ConeMethodConstants c = ConeConstants(units);
        for (const double od : {0.0, 500.0}) {
            for (const double eid : {0.0, 450.0, 500.0, 600.0}) {
                for (const int direction : {0, 1}) {
                    ConePile pile;
                    pile.units = units;
                    pile.load_direction = direction;
                    pile.outer_diameter = od;
                    pile.end_section_inner_diameter = eid;
                    for (const double qc : values) {
                        for (const double sigma : values) {
                            for (const double h : {-100.0, 0.0, 1e-6, 3000.0}) {
                                ConeSandSegment s{qc, sigma, sigma, 30.0, h};
                                double dr = 0.0;
                                SCOPED_TRACE(::testing::Message() << units << " od " << od << " eid " << eid
                                                                  << " qc " << qc << " sigma " << sigma << " h " << h);
                                ASSERT_TRUE(Finite(IcpSandUnitFriction(s, pile, c)));
                                ASSERT_TRUE(Finite(FugroSandUnitFriction(s, pile, c)));
                                ASSERT_TRUE(Finite(UwaSandUnitFriction(s, pile, c)));
                                ASSERT_TRUE(Finite(NgiSandUnitFriction(s, 0.5, false, pile, c.pa, dr)));
                                ClaySegment clay{qc, sigma, sigma, qc, sigma, sigma, h};
                                ASSERT_TRUE(Finite(MtdClayUnitFriction(clay, pile).friction));
                                const NgiClayFriction n =
                                    NgiClayUnitFriction(qc, sigma, std::max(sigma, 1e-10), qc, pile);
                                ASSERT_TRUE(std::isfinite(n.side) && std::isfinite(n.plug_top));
                            }
                        }
                    }
                }
            }
        }
    }
}

} // namespace
