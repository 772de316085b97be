// The side-friction row skeleton and the API RP-2A point rules on small
// hand-built segment tables.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "api_method.h"
#include "run_state.h"
#include "skin_rows.h"

namespace {

namespace engine = korva::engine;
using engine::RunState;
using engine::Soil::Column;

// n one-foot sand segments (English, OD 24 in, pile n ft), stress 0.12 ksf
// per ft, no limits, factors 1.
std::unique_ptr<RunState> SandState(int segments, double pile_length)
{
    auto s = std::make_unique<RunState>();
    s->Units = 1;
    s->OuterDiameter = 24.0;
    s->IncrementLength = 1.0;
    s->PileLength = pile_length;
    s->ReducedTzFactors = 1;
    s->TensionReduction = 1.0;
    s->SegmentCount = segments;
    for (int j = 0; j < segments; ++j) {
        s->SegmentTop[j] = j;
        s->SegmentBottom[j] = j + 1.0;
        s->SegmentLength[j] = 1.0;
        engine::SoilPoint& soil = s->SegmentSoil[j];
        soil[engine::Soil::Depth] = j;
        soil[engine::Soil::SoilType] = 1.0;
        soil[engine::Soil::EarthPressureCoefficient] = 0.8;
        soil[engine::Soil::FrictionAngle] = 32.0;
        soil[engine::Soil::MaxSideFriction] = 9999999.0;
        s->SegmentSideFrictionFactor[j] = 1.0;
        s->SegmentEndBearingFactor[j] = 1.0;
        s->PointEffectiveStress[engine::TopPoint(j)] = 0.12 * j;
        s->PointEffectiveStress[engine::BottomPoint(j)] = 0.12 * (j + 1);
    }
    for (int k = 0; k < engine::RowSlots; ++k)
        s->PenetrationDepths[k] = k;
    return s;
}

// Unit side friction f at every point: rows k get f exactly.
engine::PointArray Uniform(double f)
{
    engine::PointArray points{};
    points.fill(f);
    return points;
}

// The code 9999 (9.999 ksf once read in English units) asks API RP-2A for
// its sand limit; for every other rule, and for API in clay, it is no limit,
// in both unit systems. A real limit stays as given.
TEST(SkinRows, TheApiLimitCodeIsTheApiSandLimitOrNoLimit)
{
    struct Case {
        int units;
        double code;
    };
    for (const Case c : {Case{1, 9999.0 / 1000.0f}, Case{2, 9999.0}}) {
        SCOPED_TRACE(c.units == 1 ? "English" : "SI");
        auto s = SandState(4, 3.0);
        s->Units = c.units;
        s->SegmentSoil[0][engine::Soil::MaxSideFriction] = c.code;
        s->SegmentSoil[1][engine::Soil::MaxSideFriction] = c.code;
        s->SegmentSoil[1][engine::Soil::SoilType] = 2.0;
        s->SegmentSoil[2][engine::Soil::MaxSideFriction] = 1.5;
        const double api_sand = engine::ApiSandLimit(c.units, 32.0);
        EXPECT_EQ(engine::SideFrictionLimit(*s, s->SegmentSoil[0]), engine::NoLimit);
        EXPECT_EQ(engine::SideFrictionLimit(*s, s->SegmentSoil[2]), 1.5);

        engine::RowArray limits{};
        engine::ComputeRowLimits(*s, false, limits);
        EXPECT_EQ(limits[0], engine::NoLimit);
        EXPECT_EQ(limits[1], engine::NoLimit);
        EXPECT_EQ(limits[2], 1.5);
        EXPECT_EQ(limits[3], engine::NoLimit);
        EXPECT_EQ(s->SegmentSoil[0][engine::Soil::MaxSideFriction], c.code) << "left as read";

        engine::ComputeRowLimits(*s, true, limits);
        EXPECT_EQ(limits[0], api_sand);
        EXPECT_EQ(limits[1], engine::NoLimit) << "API in clay";
        EXPECT_EQ(limits[2], 1.5);
        EXPECT_EQ(s->SegmentSoil[0][engine::Soil::MaxSideFriction], api_sand) << "written back";
        EXPECT_EQ(s->SegmentSoil[1][engine::Soil::MaxSideFriction], c.code);
    }
}

TEST(ApiMethod, SandRowsAndSumsOnUniformSand)
{
    auto s = SandState(12, 10.0);
    engine::ComputeCapacityApi(*s);
    // f = 0.8 x 0.12 z x tan(27 deg), linear in z, so the trapezoids are exact:
    // skin = pi x 2 ft x f'(z) z^2 / 2 with f' = 0.04891444.
    const double slope = 0.8 * 0.12 * std::tan(27.0 / 57.2958);
    for (int k : {0, 1, 5, 10}) {
        EXPECT_NEAR(s->MethodRows[engine::emApi].UnitSideFriction[k], slope * k, 1e-6) << k;
        EXPECT_NEAR(s->MethodRows[engine::emApi].SkinFriction[k], 3.14159 * 2.0 * slope * k * k / 2.0, 1e-5) << k;
    }
    EXPECT_EQ(s->MethodSkinRows[engine::pmApi][10], s->MethodRows[engine::emApi].SkinFriction[10]);
    EXPECT_EQ(s->PointPlugSideFriction[engine::emApi][engine::BottomPoint(3)],
              s->PointUnitSideFriction[engine::BottomPoint(3)]);
}

TEST(ApiMethod, ClayAlphaAndWallFrictionEdges)
{
    struct Case {
        const char* name;
        int type;
        double su;
        double phi;
        double stress;        // at the segment's bottom point
        double friction;      // expected at both points
        double bottom_stress; // the bottom stress after the routine
    };
    const std::vector<Case> cases = {
        {"PsiOneTakesTheRootBranch", 2, 0.6, 0.0, 0.6, 0.5 * 0.6, 0.6},
        {"PsiFourTakesTheQuarterPower", 2, 2.4, 0.0, 0.6, 0.5 / std::pow(4.0, 0.25) * 2.4, 0.6},
        {"AlphaCutToOne", 2, 0.12, 0.0, 0.6, 0.12, 0.6},
        // The floor keeps psi finite: 0.5 / 1e-10, a vanishing alpha.
        {"ZeroStressRaised", 2, 0.5, 0.0, 0.0, 0.5 / std::pow(0.5 / 1.0e-10f, 0.25) * 0.5, 1.0e-10f},
        {"PhiBelowFiveGivesNoFriction", 1, 0.0, 3.0, 0.6, 0.0, 0.6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = SandState(2, 1.0);
        engine::SoilPoint& soil = s->SegmentSoil[0];
        soil[engine::Soil::SoilType] = c.type;
        soil[engine::Soil::UndrainedShearStrength] = c.su;
        soil[engine::Soil::RemoldedStrengthOrBlowCount] = c.su / 2.0;
        soil[engine::Soil::FrictionAngle] = c.phi;
        s->PointEffectiveStress[engine::BottomPoint(0)] = c.stress;
        engine::ComputeCapacityApi(*s);
        EXPECT_NEAR(s->PointUnitSideFriction[engine::TopPoint(0)], c.friction, 1e-7);
        EXPECT_NEAR(s->PointUnitSideFriction[engine::BottomPoint(0)], c.friction, 1e-7);
        EXPECT_EQ(s->PointEffectiveStress[engine::BottomPoint(0)], c.bottom_stress);
        EXPECT_GE(s->PointUnitSideFriction[engine::TopPoint(0)], 0.0);
        if (c.type == 2) {
            EXPECT_NEAR(s->PointPlugSideFriction[engine::emApi][engine::TopPoint(0)], c.friction / 2.0, 1e-7);
        }
    }
}

TEST(ApiMethod, SandLimitBands)
{
    struct Case {
        double phi;
        double english;
        double si;
    };
    // SI: API RP 2A's own 47.8, 67.0, 81.3, 95.7 and 114.8 kPa at the band
    // ends, straight lines between.
    for (const Case& c : std::vector<Case>{{15.0, 1.0, 47.8},
                                           {20.0, 1.0, 47.8},
                                           {22.5, 1.2, 57.4},
                                           {25.0, 1.4, 67.0},
                                           {27.5, 1.55, 74.15},
                                           {30.0, 1.7, 81.3},
                                           {32.5, 1.85, 88.5},
                                           {35.0, 2.0, 95.7},
                                           {37.5, 2.2, 105.25},
                                           {40.0, 2.4, 114.8},
                                           {45.0, 2.4, 114.8}}) {
        EXPECT_NEAR(engine::ApiSandLimit(1, c.phi), c.english, 1e-5) << c.phi;
        EXPECT_NEAR(engine::ApiSandLimit(2, c.phi), c.si, 1e-4) << c.phi;
    }
    // The SI figures are the English limits rounded (1 ksf = 47.880259 kPa),
    // within 0.2 %.
    for (double phi = 10.0; phi <= 50.0; phi += 0.25) {
        const double english = engine::ApiSandLimit(1, phi) * 47.880259;
        EXPECT_NEAR(engine::ApiSandLimit(2, phi), english, 0.002 * english) << phi;
    }
}

// The skeleton itself, on a uniform point friction of 1 ksf over 4 rows with
// a limit of 0.8 ksf at row 2 only.
struct PolicyCase {
    const char* name;
    engine::SkinRowPolicy policy;
    int load_direction;
    std::vector<double> printed;   // rows 0..4
    std::vector<double> increment; // rows 1..4, in units of p x IncrementLength
};

TEST(SkinRows, PoliciesForUpliftAndLimits)
{
    using P = engine::SkinRowPolicy;
    const P api = engine::ApiRowPolicy();
    const P usace = engine::UsaceRowPolicy();
    const P cone = engine::ConeRowPolicy(engine::emNgi);
    const std::vector<PolicyCase> cases = {
        // Printed rows limited, the rows themselves not.
        {"ApiCompression", api, 0, {1, 1, 0.8, 1, 1}, {1, 1, 1, 1}},
        // Uplift halves every row, row 0 too; the limits stay unreduced.
        {"ApiUplift", api, 1, {0.5, 0.5, 0.5, 0.5, 0.5}, {0.5, 0.5, 0.5, 0.5}},
        // Rows cut in place after their own increment.
        {"UsaceCompression", usace, 0, {1, 1, 0.8, 1, 1}, {1, 1, 0.9, 1}},
        // Row 0 keeps its value.
        {"UsaceUplift", usace, 1, {1, 0.5, 0.5, 0.5, 0.5}, {0.75, 0.5, 0.5, 0.5}},
        {"ConeUplift", cone, 1, {1, 1, 1, 1, 1}, {1, 1, 1, 1}},
    };
    for (const PolicyCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto s = SandState(6, 4.0);
        s->LoadDirection = c.load_direction;
        s->TensionReduction = 0.5;
        s->SegmentSoil[2][engine::Soil::MaxSideFriction] = 0.8;
        const engine::RowArray perimeter = engine::ConstantPerimeterRows(*s);
        engine::BuildSkinFrictionRows(*s, c.policy, Uniform(1.0), perimeter);
        const double p = perimeter[0];
        EXPECT_NEAR(p, 3.14159 * 2.0, 1e-6);
        double sum = 0.0;
        for (int k = 0; k <= 4; ++k) {
            EXPECT_NEAR(s->MethodRows[c.policy.engine_method].UnitSideFriction[k], c.printed[k], 1e-12) << k;
            if (k > 0) {
                EXPECT_NEAR(s->RowSkinIncrement[k], c.increment[k - 1] * p, 1e-6) << k;
                sum += s->RowSkinIncrement[k];
            }
            EXPECT_NEAR(s->MethodRows[c.policy.engine_method].SkinFriction[k], sum, 1e-9) << k;
        }
    }
}

TEST(SkinRows, TzRowsFollowReducedTzFactors)
{
    for (const int reduced : {0, 1, 2}) {
        SCOPED_TRACE(reduced);
        auto s = SandState(6, 4.0);
        s->ReducedTzFactors = reduced;
        s->MethodSkinRows[engine::pmApi].fill(-1.0); // "not written" shows as -1
        for (int j = 0; j < 6; ++j)
            s->SegmentSideFrictionFactor[j] = 0.8;
        engine::BuildSkinFrictionRows(*s, engine::ApiRowPolicy(), Uniform(1.0), engine::ConstantPerimeterRows(*s));
        const double plain = 4.0 * 3.14159 * 2.0;
        EXPECT_NEAR(s->MethodRows[engine::emApi].SkinFriction[4], 0.8 * plain, 1e-5);
        const double expected = reduced == 0 ? plain : reduced == 1 ? 0.8 * plain : -1.0;
        EXPECT_NEAR(s->MethodSkinRows[engine::pmApi][4], expected, 1e-5);
        EXPECT_EQ(s->MethodSkinRows[engine::pmApi][0], -1.0); // row 0 is never written
    }
}

TEST(SkinRows, ZeroFrictionLengthAndRowsBelowTheLastSegment)
{
    auto s = SandState(3, 5.0); // rows 3..5 lie below the three segments
    s->ZeroFrictionLength = 1.5;
    engine::PointArray points{};
    for (int j = 0; j < 3; ++j) {
        points[engine::TopPoint(j)] = j;
        points[engine::BottomPoint(j)] = j + 1.0;
    }
    engine::BuildSkinFrictionRows(*s, engine::ConeRowPolicy(engine::emUwa), points,
                                  engine::ConstantPerimeterRows(*s));
    const engine::RowArray& rows = s->MethodRows[engine::emUwa].UnitSideFriction;
    EXPECT_EQ(rows[0], 0.0);
    EXPECT_EQ(rows[1], 0.0);
    EXPECT_EQ(rows[2], 2.0);
    // Below the last segment: its bottom value, never unset storage.
    EXPECT_EQ(rows[3], 3.0);
    EXPECT_EQ(rows[5], 3.0);
    // Half a trapezoid between the last zero row and the first row below.
    const double p = 3.14159 * 2.0;
    EXPECT_NEAR(s->RowSkinIncrement[2], 1.0 * p, 1e-6);
    EXPECT_EQ(s->RowSkinIncrement[1], 0.0);
}

} // namespace
