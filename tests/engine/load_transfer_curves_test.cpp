// t-z curves, the tip curve and the lookups of the load-transfer part, on
// hand-built hand-over rows.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "hand_over_fixture.h"
#include "load_settlement.h"
#include "load_transfer_curves.h"

namespace {

using namespace korva::test;
using korva::engine::RunState;
using korva::engine::TzCurve;
namespace engine = korva::engine;

// Rows 0..n-1 at the given depths and cumulative skin friction.
void SetRows(RunState& s, const std::vector<double>& depths, const std::vector<double>& skin)
{
    s.PenetrationRowCount = static_cast<int>(depths.size());
    for (std::size_t k = 0; k < depths.size(); ++k) {
        s.PenetrationDepths[k] = depths[k];
        s.TransferSkinRows[k] = skin[k];
    }
}

struct SlopeCase {
    const char* name;
    std::vector<double> depths;
    std::vector<double> skin;
    double depth;
    double slope; // kN per metre
};

TEST(UnitLoadTransferAt, SlopeRulesInTheirOrder)
{
    const std::vector<double> d{0, 1, 2, 3, 4};
    const std::vector<double> skin{0, 0, 2, 6, 12};
    const std::vector<SlopeCase> cases{
        {"CentralDifference", d, skin, 2.5, (12.0 - 2.0) / 2.0},
        {"ForwardBelowZeroSkin", d, skin, 1.5, 6.0 - 2.0},
        {"ForwardAtTheHead", d, skin, 0.5, 2.0 - 0.0},
        {"RowDepthTakesTheRowBelow", d, skin, 1.0, 6.0 - 2.0},
        {"LastRowBackward", d, skin, 3.5, 12.0 - 6.0},
        {"ClampedBelowTheLastRow", d, skin, 40.0, 12.0 - 6.0},
        // Within 1e-6 of a row is at the row, whichever side rounding put it.
        {"JustAboveARowIsAtTheRow", d, skin, 1.0 - 5e-7, 6.0 - 2.0},
        {"JustBelowARowIsAtTheRow", d, skin, 1.0 + 5e-7, 6.0 - 2.0},
        // The second of two rows at one depth is the first row below only
        // in a window of 1e-7 above them.
        {"TwoRowsAtOneDepthTakeThePairAbove", {0, 1, 2, 2 + 1e-7, 3}, {0, 1, 3, 3, 6}, 2 - 9.5e-7, 3.0 - 1.0},
        {"OneRowOnly", {0}, {0}, 0.5, 0.0},
    };
    for (const SlopeCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = HandOverState({.units = 2, .outer_diameter = 1000.0});
        SetRows(*s, c.depths, c.skin);
        EXPECT_NEAR(engine::UnitLoadTransferAt(*s, c.depth), c.slope / 1.0 / static_cast<double>(3.1416f), 1e-12);
    }
}

TEST(UnitLoadTransferAt, KipsPerFootToPsiAndKnPerMetreToKpa)
{
    auto english = HandOverState({}); // 1 ksf on a 12 in pile: 1000 psf = 6.944 psi
    const double slope = std::numbers::pi; // kips per foot
    const double psi = slope * static_cast<double>(1000.0f) / 12.0 / static_cast<double>(12.0f) /
                       static_cast<double>(3.1416f);
    EXPECT_NEAR(engine::UnitLoadTransferAt(*english, 300.0), psi, 1e-12); // 300 in = 25 ft
    EXPECT_NEAR(psi, 1000.0 / 144.0, 1e-3);

    auto si = HandOverState(InSi({}));
    const double kpa = engine::UnitLoadTransferAt(*si, 7.62);
    EXPECT_NEAR(kpa, 47.880259 * std::numbers::pi / static_cast<double>(3.1416f), 1e-9);
    EXPECT_DOUBLE_EQ(si->OuterDiameter, 304.8) << "OuterDiameter stays in millimetres";
}

// The USACE sand stiffness k (psf/in) behind a hyperbolic curve: the first
// point of the curve at 0.01 in gives it back.
double UsaceStiffness(double phi)
{
    auto s = HandOverState({.method = 2});
    TzCurve curve;
    curve.TzMaxTransfer = 10.0; // psi: asymptote 1440 psf
    curve.TzFrictionAngle = phi;
    engine::BuildTzCurveSand(*s, curve);
    const double z = static_cast<double>(0.01f);
    const double t = curve.LoadTransfer[1] * static_cast<double>(144.0f);
    return 1.0 / (z / t - z / (10.0 * static_cast<double>(144.0f)));
}

TEST(BuildTzCurveSand, UsaceStiffnessBandsWithTheStepAt34)
{
    const double slope = static_cast<double>(1333.3f);
    const struct {
        double phi;
        double k;
    } cases[] = {{25, 6000}, {28, 6000}, {30, 6000 + slope * 2}, {31, 6000 + slope * 3}, {31.5, 10000},
                 {33, 10000 + slope}, {34, 10000 + slope * 2}, {34.1, 14000}, {35, 14000},
                 {36, 14000 + slope}, {38, 14000 + slope * 3}, {40, 18000}};
    for (const auto& c : cases)
        EXPECT_NEAR(UsaceStiffness(c.phi), c.k, 1e-6 * c.k) << "phi " << c.phi;
    EXPECT_NEAR(UsaceStiffness(34.0), 12666.6, 0.01);
}

TEST(BuildTzCurveSand, LinearTo0Point1InchAndHyperbolicInSi)
{
    auto english = HandOverState({});
    TzCurve linear;
    linear.TzMaxTransfer = 5.0;
    engine::BuildTzCurveSand(*english, linear);
    const double movements[] = {0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.09, 0.1, 0.5, 2.0};
    const double ratios[] = {0, 0.1, 0.2, 0.4, 0.6, 0.8, 0.9, 1.0, 1.0, 1.0};
    for (int p = 0; p < 10; ++p) {
        EXPECT_NEAR(linear.Movement[p], movements[p], 1e-7);
        EXPECT_NEAR(linear.LoadTransfer[p], 5.0 * ratios[p], 1e-6);
    }
    auto si = HandOverState(InSi({}));
    TzCurve linear_si;
    linear_si.TzMaxTransfer = 5.0;
    engine::BuildTzCurveSand(*si, linear_si);
    EXPECT_NEAR(linear_si.Movement[7], 0.1 / 39.37, 1e-9);

    // The same asymptote in psf gives the same curve in SI units.
    auto usace = HandOverState({.method = 2});
    auto usace_si = HandOverState(InSi({.method = 2}));
    TzCurve a, b;
    a.TzMaxTransfer = 6.0;
    b.TzMaxTransfer = 6.0 * static_cast<double>(144.0f) / static_cast<double>(20.89f);
    a.TzFrictionAngle = b.TzFrictionAngle = 33.0;
    engine::BuildTzCurveSand(*usace, a);
    engine::BuildTzCurveSand(*usace_si, b);
    EXPECT_EQ(a.Movement[9], static_cast<double>(10.0f));
    for (int p = 0; p < 10; ++p) {
        EXPECT_NEAR(b.LoadTransfer[p], a.LoadTransfer[p] * 144.0 / 20.89, 1e-5);
        EXPECT_NEAR(b.Movement[p], a.Movement[p] / 39.37, 1e-7 * a.Movement[p]); // single-precision 39.37
    }
    EXPECT_LT(a.LoadTransfer[9], 6.0); // towards the asymptote, not beyond
}

TEST(BuildTzCurveClay, DiameterScaledOrUsaceFixedMovements)
{
    const double clay_ratios[] = {0, 0.3, 0.5, 0.75, 0.9, 1.0, 0.9, 0.9, 0.9, 0.9};
    for (int units : {1, 2}) {
        SCOPED_TRACE(units);
        HandOverPile pile{.outer_diameter = 24.0};
        auto s = HandOverState(units == 1 ? pile : InSi(pile));
        TzCurve curve;
        curve.TzMaxTransfer = 3.0;
        engine::BuildTzCurveClay(*s, curve);
        const double diameter = units == 1 ? 24.0 : 0.6096; // in, m
        EXPECT_NEAR(curve.Movement[5], 0.01 * diameter, 1e-7 * diameter); // single-precision ratios
        EXPECT_NEAR(curve.Movement[9], 0.2 * diameter, 1e-7 * diameter);
        for (int p = 0; p < 10; ++p)
            EXPECT_NEAR(curve.LoadTransfer[p], 3.0 * clay_ratios[p], 1e-7);
    }
    auto usace = HandOverState(InSi({.method = 2}));
    TzCurve curve;
    curve.TzMaxTransfer = 10.0;
    engine::BuildTzCurveClay(*usace, curve);
    EXPECT_NEAR(curve.Movement[5], 0.08 / 39.37, 1e-9);
    EXPECT_NEAR(curve.LoadTransfer[5], 10.0, 1e-12);
    EXPECT_NEAR(curve.LoadTransfer[9], 9.3, 1e-6);
    EXPECT_EQ(curve.Movement[0], 0.0);
    EXPECT_EQ(curve.LoadTransfer[0], 0.0);
}

TEST(TipCurve, FhwaFamilyScalesWithDiameterAndCapacity)
{
    auto s = HandOverState({});
    const auto tip = engine::BuildTipCurve(*s, 1000.0, 1, 30.0);
    const double movements[] = {0, 0.0005, 0.001, 0.002, 0.013, 0.042, 0.073, 0.1, 0.15, 0.2};
    const double loads[] = {0, 0.0625, 0.125, 0.25, 0.5, 0.75, 0.9, 1.0, 1.0, 1.0};
    for (int p = 0; p < 10; ++p) {
        EXPECT_NEAR(tip.Movement[p], 12.0 * movements[p], 1e-6);
        EXPECT_NEAR(tip.Load[p], 1000.0 * loads[p], 1e-4);
    }
}

TEST(TipCurve, UsaceSandNeverAboveQAndExponentByFrictionAngle)
{
    auto s = HandOverState({.method = 2}); // D = 12 in: critical movement 0.6 in
    const double q = 1000.0;
    const struct {
        double phi;
        double power;
    } cases[] = {{30, 0.5}, {31, 0.5}, {35, 0.333}, {38, 0.333}, {40, 0.25}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.phi);
        const auto tip = engine::BuildTipCurve(*s, q, 1, c.phi);
        EXPECT_NEAR(tip.Movement[5], 0.1, 1e-7);
        EXPECT_NEAR(tip.Load[5], q * std::pow(0.1 / 0.6, static_cast<double>(static_cast<float>(c.power))), 1e-3);
        // 1.0 and 2.0 in lie beyond the critical movement: Q is held there.
        EXPECT_EQ(tip.Load[8], q);
        EXPECT_EQ(tip.Load[9], q);
    }
    const auto silt = engine::BuildTipCurve(*s, q, 3, 30.0);
    EXPECT_NEAR(silt.Load[5], q * std::sqrt(0.1 / 0.6), 1e-3);
}

TEST(TipCurve, UsaceClayReachesQAtFourPercentOfTheDiameter)
{
    auto s = HandOverState({.method = 2});
    const auto tip = engine::BuildTipCurve(*s, 1000.0, 2, 0.0);
    EXPECT_NEAR(tip.Load[5], 0.5 * 1000.0 * std::sqrt(0.1 / 0.12), 1e-3); // 0.1 in
    EXPECT_EQ(tip.Load[7], 1000.0);                                       // 0.5 in > 0.48 in
    // A negative capacity (self weight under buoyancy) keeps its sign and size.
    const auto uplift = engine::BuildTipCurve(*s, -50.0, 1, 30.0);
    EXPECT_EQ(uplift.Load[9], -50.0);
    EXPECT_GT(uplift.Load[5], -50.0);
}

TEST(TipCurve, UsaceSandTakesTheFrictionAngleAtTheTip)
{
    // Tip at 50 ft in sand of 30 degrees; a deeper sand layer of 40 degrees
    // holds the deepest t-z curve.
    HandOverPile pile{.method = 2,
                      .soil = {{0, 1, 30}, {55, 1, 30}, {55, 1, 40}, {100, 1, 40}}};
    RunFolder folder;
    auto s = HandOverState(pile);
    ASSERT_EQ(RunLoadTransfer(*s, folder).status, 0);
    EXPECT_EQ(s->TzCurves[s->TzCurveCount - 1].TzFrictionAngle, 40.0);
    const double q = pile.tip_capacity * 1000.0f;
    EXPECT_NEAR(s->TipCurve.Load[3], q * std::sqrt(0.01 / 0.6), 1e-6 * q);
}

TEST(TzSoilAt, FirstPairThickEnoughAndInterpolatedFrictionAngle)
{
    auto s = HandOverState({.soil = {{0, 1, 30}, {20, 1, 34}, {20, 2, 0}, {45, 2, 0}, {45, 1, 36}, {80, 1, 40},
                                     {80, 1, 40}, {80.05, 2, 0}}});
    const struct {
        double depth;
        int code;
        double phi;
    } cases[] = {{10, 1, 32}, {20, 1, 34}, {30, 2, 0}, {60, 1, 36 + 4.0 * 15 / 35}, {0, 1, 30}};
    for (const auto& c : cases) {
        const auto soil = engine::TzSoilAt(*s, c.depth);
        EXPECT_EQ(soil.soil_code, c.code) << c.depth;
        EXPECT_NEAR(soil.friction_angle, c.phi, 1e-12) << c.depth;
    }
    // Below the last pair thick enough (the thin clay at the bottom): the last soil point.
    EXPECT_EQ(engine::TzSoilAt(*s, 80.02).soil_code, 2);
}

TEST(SectionStiffness, EndValuesHeldAndDuplicateDistancesSafe)
{
    auto s = HandOverState({});
    s->SectionAreaMode = 2;
    s->ElasticModulus = 1.0;
    const double distances[] = {5, 10, 10, 30}; // ft
    const double areas[] = {20, 20, 10, 10};
    s->SectionRowCount = 4;
    for (int r = 0; r < 4; ++r) {
        s->DistanceFromHead[r] = distances[r];
        s->CrossSectionArea[r] = areas[r];
    }
    engine::BuildSectionStiffness(*s);
    const struct {
        double inches;
        double ea;
    } cases[] = {{0, 20}, {60, 20}, {90, 20}, {120, 20}, {120.5, 10}, {240, 10}, {360, 10}, {600, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(engine::SectionStiffnessAt(*s, c.inches), c.ea) << c.inches;

    // Rows out of order still give finite values between their ends.
    s->DistanceFromHead[1] = 30;
    s->DistanceFromHead[3] = 10;
    engine::BuildSectionStiffness(*s);
    for (double inches : {0.0, 100.0, 200.0, 400.0})
        EXPECT_TRUE(std::isfinite(engine::SectionStiffnessAt(*s, inches)));
}

TEST(SectionStiffness, ConstantSectionFromAreaTipAreaOrDiameters)
{
    auto s = HandOverState({.modulus = 2.0});
    s->SectionArea = 30.0;
    engine::BuildSectionStiffness(*s);
    EXPECT_EQ(engine::SectionStiffnessAt(*s, 100.0), 60.0);
    s->SectionArea = 0.0;
    s->TipArea = 0.5; // ft2
    engine::BuildSectionStiffness(*s);
    EXPECT_EQ(engine::SectionStiffnessAt(*s, 100.0), 144.0);
    s->TipArea = 0.0;
    engine::BuildSectionStiffness(*s);
    EXPECT_NEAR(engine::SectionStiffnessAt(*s, 100.0), 2.0 * 3.1416 * 0.25 * (144 - 121), 1e-4);

    auto si = HandOverState(InSi({.modulus = 2.0 / 6.894757}));
    engine::BuildSectionStiffness(*si);
    EXPECT_NEAR(engine::SectionStiffnessAt(*si, 1.0), 2.0 * 3.1416 * 0.25 * (0.3048 * 0.3048 - 0.2794 * 0.2794),
                1e-7);
}

TEST(TzLoadTransferAt, LinearInDepthFirstCurveAboveLastCurveBelow)
{
    auto s = HandOverState({});
    const double depths[] = {10, 20, 40};
    s->TzCurveCount = 3;
    for (int c = 0; c < 3; ++c) {
        TzCurve& curve = s->TzCurves[c];
        curve.TzCurveDepth = depths[c];
        curve.TzMaxTransfer = c == 2 ? 4.0 : c + 1.0;
        engine::BuildTzCurveSand(*s, curve);
    }
    const struct {
        double depth;
        double movement;
        double t;
    } cases[] = {{5, 2.0, 1.0}, {10, 2.0, 1.0}, {15, 2.0, 1.5}, {20, 2.0, 2.0}, {30, 2.0, 3.0},
                 {40, 2.0, 4.0}, {50, 2.0, 4.0}, {20, 5.0, 2.0}, {20, 0.05, 1.0}, {40, 0.0, 0.0}};
    for (const auto& c : cases)
        EXPECT_NEAR(engine::TzLoadTransferAt(*s, c.depth, c.movement), c.t, 1e-6)
            << c.depth << " " << c.movement;

    korva::engine::TipLoadCurve tip;
    for (int p = 0; p < 10; ++p) {
        tip.Movement[p] = p * 0.1;
        tip.Load[p] = p * 10.0;
    }
    EXPECT_EQ(engine::TipLoadAt(tip, 2.0), 90.0); // beyond the curve: its last load
    EXPECT_NEAR(engine::TipLoadAt(tip, 0.25), 25.0, 1e-9);
}

} // namespace
