// Unit end bearing, end bearing on the base, plug friction and tip
// resistance, and the cone resistance they use, on hand-built segment tables.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "capacity_steps.h"
#include "cone_friction.h"
#include "cone_resistance.h"
#include "design_charts.h"
#include "pile_project.h"
#include "report_tables.h"
#include "segment_fixture.h"

namespace korva::test {
namespace {

using namespace korva::engine;

constexpr int English = 1;
constexpr int Si = 2;

// The unit end bearing of one step for one method on the state as it is.
void RunUnitEndBearing(RunState& s, int method)
{
    s.MethodIndex = method;
    ComputeUnitEndBearing(s);
}

TEST(ConeResistance, InterpolatorEndsAndLastResult)
{
    auto state = NewPile(Si, 500.0, 0.0, 5.0, 1.0);
    RunState& s = *state;
    EXPECT_EQ(InterpolateConeResistance(s, 3.0), 0.0); // no points yet: 0 at first

    s.CptPointCount = 4;
    s.CptProfile.Set(0, 1.0, 10.0);
    s.CptProfile.Set(1, 3.0, 30.0);
    s.CptProfile.Set(2, 3.0, 50.0); // a step at 3 m
    s.CptProfile.Set(3, 5.0, 20.0);
    struct Case {
        double depth;
        double expected;
    };
    const Case cases[] = {
        {0.0, 10.0}, {1.0, 10.0}, {2.0, 20.0}, {3.0, 30.0}, {4.0, 35.0}, {5.0, 20.0}, {9.0, 20.0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(InterpolateConeResistance(s, c.depth), c.expected) << "depth " << c.depth;

    InterpolateConeResistance(s, 2.0);
    s.CptPointCount = 0;
    EXPECT_EQ(InterpolateConeResistance(s, 4.0), 20.0); // the last result
    EXPECT_EQ(s.LastConeResistance, 20.0);
}

TEST(ConeResistance, SegmentValueLayerThenProfileThenBlowCount)
{
    // English: the layer's lb/ft^2 become ksf; the CPT profile is ksf already.
    auto state = NewPile(English, 24.0, 0.0, 10.0, 1.0);
    RunState& s = *state;
    AddSegments(s, 1, With(Sand(120.0, 32.0), Soil::ConeResistance, 20000.0));
    AddSegments(s, 1, With(Sand(120.0, 32.0), Soil::YieldStressRatio, 10.0));
    const double pa = ConeConstants(English).pa;
    EXPECT_EQ(SegmentConeResistance(s, 0, pa), 20.0);
    EXPECT_EQ(SegmentConeResistance(s, 1, pa), pa * 10.0 * double(2.8f));
    EXPECT_EQ(SegmentConeResistance(s, 1, 2.0), 2.0 * 10.0 * double(2.8f));
    EXPECT_EQ(LayerConeResistance(s, 0), 20.0);

    s.CptPointCount = 2;
    s.CptProfile.Set(0, 0.0, 100.0);
    s.CptProfile.Set(1, 2.0, 300.0);
    EXPECT_EQ(SegmentConeResistance(s, 0, pa), 20.0);  // the layer's value first
    EXPECT_EQ(SegmentConeResistance(s, 1, pa), 200.0); // the profile at the segment top, 1 ft

    auto si = NewPile(Si, 500.0, 0.0, 10.0, 1.0);
    AddSegments(*si, 1, With(Sand(10.0, 32.0), Soil::ConeResistance, 2000.0));
    EXPECT_EQ(SegmentConeResistance(*si, 0, 100.0f), 2000.0);
}

TEST(UnitEndBearing, ClayNineSuAndTheConeRulesByPlugCondition)
{
    struct Case {
        std::string name;
        int method;
        double end_inner_diameter; // in
        int plug;
        int drained;
        double expected; // ksf; qc 20 ksf, Su 1.5 ksf
    };
    const Case cases[] = {
        {"API: 9 Su without a limit", emApi, 0.0, 0, 0, 13.5},
        {"user-specified: 9 Su", emUserSpecified, 0.0, 0, 0, 13.5},
        {"ICP closed undrained", emIcpMtd, 0.0, 0, 0, 0.8 * 20.0},
        {"ICP closed drained", emIcpMtd, 0.0, 0, 1, 1.3 * 20.0},
        {"FUGRO plugged undrained", emFugro, 22.0, 1, 0, 0.4 * 20.0},
        {"UWA plugged drained", emUwa, 22.0, 1, 1, 0.65 * 20.0},
        {"UWA unplugged drained", emUwa, 22.0, 2, 1, 1.6 * 20.0},
        {"ICP unplugged undrained", emIcpMtd, 22.0, 2, 0, 20.0},
        {"ICP open, computed plug: 9 Su", emIcpMtd, 22.0, 0, 1, 13.5},
    };
    for (const Case& c : cases) {
        auto state = NewPile(English, 24.0, 22.0, 10.0, 1.0);
        RunState& s = *state;
        s.EndSectionInnerDiameter = c.end_inner_diameter;
        s.PlugCondition = c.plug;
        s.DrainedClay = c.drained;
        AddSegments(s, 2, With(Clay(110.0, 1.5), Soil::ConeResistance, 20000.0));
        RunUnitEndBearing(s, c.method);
        EXPECT_NEAR(s.PointUnitEndBearing[TopPoint(1)], c.expected, 1e-5) << c.name;
        EXPECT_EQ(s.PointUnitEndBearing[TopPoint(1)], s.PointUnitEndBearing[BottomPoint(1)]) << c.name;
        EXPECT_EQ(s.EndBearingLimit, 0.0) << c.name; // no layer limit: none set
    }

    // A layer limit caps 9 Su and becomes the run's EndBearingLimit.
    auto state = NewPile(English, 24.0, 0.0, 10.0, 1.0);
    AddSegments(*state, 1, With(Clay(110.0, 1.5), Soil::MaxEndBearing, 10.0));
    RunUnitEndBearing(*state, emApi);
    EXPECT_EQ(state->PointUnitEndBearing[BottomPoint(0)], 10.0);
    EXPECT_EQ(state->EndBearingLimit, 10.0);
}

// USACE and the cone-based rules take a layer's end-bearing limit from 0.001
// ksf on (1 lb/ft^2), in SI from the same stress in kPa, 0.0479: below it
// the layer sets no limit.
TEST(UnitEndBearing, LeastLayerLimitOfUsaceInBothUnitSystems)
{
    struct Case {
        int units;
        double max_end_bearing;
        bool limits;
    };
    for (const Case& c : {Case{English, 0.0009, false}, Case{English, 0.0011, true}, Case{Si, 0.04, false},
                          Case{Si, 0.05, true}}) {
        auto state = NewPile(c.units, c.units == English ? 24.0 : 600.0, 0.0, 10.0, 1.0);
        RunState& s = *state;
        AddSegments(s, 2, With(Sand(100.0, 30.0), Soil::MaxEndBearing, c.max_end_bearing));
        s.PointEffectiveStress[TopPoint(1)] = 0.5;
        s.PointEffectiveStress[BottomPoint(1)] = 1.0;
        RunUnitEndBearing(s, emUsace);
        EXPECT_EQ(s.PointUnitEndBearing[BottomPoint(1)] == c.max_end_bearing, c.limits)
            << c.units << " " << c.max_end_bearing;
        EXPECT_EQ(s.EndBearingLimit == c.max_end_bearing, c.limits) << c.units << " " << c.max_end_bearing;
    }
}

TEST(UnitEndBearing, ApiAndLambdaSandLimitByFrictionAngle)
{
    struct Case {
        int units;
        double phi;
        double max_end_bearing;
        double expected_limit;
    };
    const Case cases[] = {
        {English, 15.0, NoLimit, 40.0},   {English, 22.5, NoLimit, 50.0}, {English, 32.5, NoLimit, 150.0},
        {English, 37.5, NoLimit, 225.0},  {English, 45.0, NoLimit, 250.0}, {English, 32.5, 50.0, 50.0},
        // SI: API's own table, 1900 to 12000 kPa (40 ksf would be 1915).
        {Si, 15.0, NoLimit, 1900.0},      {Si, 22.5, NoLimit, 2400.0},    {Si, 32.5, NoLimit, 7200.0},
        {Si, 27.5, NoLimit, 3850.0},      {Si, 41.0, NoLimit, 12000.0},   {Si, 32.5, 5000.0, 5000.0},
    };
    for (const Case& c : cases) {
        for (const int method : {emApi, emRevisedLambda}) {
            auto state = NewPile(c.units, c.units == English ? 24.0 : 600.0, 0.0, 10.0, 1.0);
            RunState& s = *state;
            AddSegments(s, 2, With(Sand(100.0, c.phi, 40.0), Soil::MaxEndBearing, c.max_end_bearing));
            s.PointEffectiveStress[TopPoint(1)] = 0.5;
            s.PointEffectiveStress[BottomPoint(1)] = 1.0e6; // far beyond every limit
            RunUnitEndBearing(s, method);
            EXPECT_NEAR(s.EndBearingLimit, c.expected_limit, 1e-9) << "phi " << c.phi;
            EXPECT_EQ(s.PointUnitEndBearing[TopPoint(1)], 0.5 * 40.0);
            EXPECT_EQ(s.PointUnitEndBearing[BottomPoint(1)], s.EndBearingLimit);
        }
    }
}

TEST(UnitEndBearing, FhwaSlendernessFortyBlendsTheAlphaCurves)
{
    // PileLength 40 ft, OD 12 in: r = 40, curve 2 (r 30) blended with curve 3
    // (r 45) with weight (45 - 40) / 15 on curve 2.
    auto state = NewPile(English, 12.0, 0.0, 40.0, 1.0);
    RunState& s = *state;
    AddSegments(s, 1, Sand(100.0, 30.0));
    s.PointEffectiveStress[TopPoint(0)] = 0.1;
    s.PointEffectiveStress[BottomPoint(0)] = 10.0;
    RunUnitEndBearing(s, emFhwa);
    const double alpha = double(0.49f) + (45.0 - 40.0) * (double(0.52f) - double(0.49f)) / 15.0;
    EXPECT_NEAR(s.PointUnitEndBearing[TopPoint(0)], 0.1 * 30.0 * alpha, 1e-12);
    EXPECT_NEAR(s.EndBearingLimit, double(6.66f) * 2.0, 1e-12); // tsf x 2
    EXPECT_EQ(s.PointUnitEndBearing[BottomPoint(0)], s.EndBearingLimit);
    EXPECT_EQ(s.SegmentSoil[0][Soil::BearingCapacityFactor], 20.0); // the layer's Nq is left as it was
}

// In SI the FHWA limit is the tsf chart x 2 x 47.88, FHWA's own kPa to the
// ksf: 6.66 tsf at 30 degrees is 637.7616 kPa (not 637.7651).
TEST(UnitEndBearing, FhwaLimitInSiByItsOwnFactor)
{
    auto state = NewPile(Si, 300.0, 0.0, 12.0, 0.3);
    RunState& s = *state;
    AddSegments(s, 1, Sand(16.0, 30.0));
    s.PointEffectiveStress[TopPoint(0)] = 1.0;
    s.PointEffectiveStress[BottomPoint(0)] = 1.0e6;
    RunUnitEndBearing(s, emFhwa);
    EXPECT_NEAR(s.EndBearingLimit, double(6.66f) * 2.0 * double(47.88f), 1e-9);
    EXPECT_EQ(s.PointUnitEndBearing[BottomPoint(0)], s.EndBearingLimit);
}

TEST(UnitEndBearing, UsaceHoldsTheStressOfItsCriticalDepthForTheRun)
{
    // OD 12 in, phi 34: the held profile is constant from 15 ft (1.5 ksf);
    // from the first segment whose top is at least 15 D + 1 = 16 ft, H33
    // takes the held stress at that segment's bottom, and every later
    // segment of 33-36 degrees bears on it.
    auto state = NewPile(English, 12.0, 0.0, 25.0, 1.0);
    RunState& s = *state;
    AddSegments(s, 30, Sand(100.0, 34.0));
    ComputeEffectiveStress(s);
    RunUnitEndBearing(s, emUsace);
    const double nq = 43.0; // USACE chart at 34 degrees
    EXPECT_NEAR(s.H33, 1.5, 1e-12);
    for (int seg = 0; seg < 30; ++seg) {
        const double expected_bottom = seg < 16 ? 0.1 * (seg + 1) * nq : 1.5 * nq;
        EXPECT_NEAR(s.PointUnitEndBearing[BottomPoint(seg)], expected_bottom, 1e-9) << "segment " << seg;
    }

    // The latch outlasts the call: a heavier profile in a later call still
    // bears on 1.5 ksf below 16 ft.
    for (int seg = 0; seg < 30; ++seg)
        s.SegmentSoil[seg][Soil::EffectiveUnitWeight] = 200.0;
    ComputeEffectiveStress(s);
    RunUnitEndBearing(s, emUsace);
    EXPECT_NEAR(s.H33, 1.5, 1e-12);
    EXPECT_NEAR(s.PointUnitEndBearing[BottomPoint(20)], 1.5 * nq, 1e-9);
    EXPECT_NEAR(s.PointUnitEndBearing[BottomPoint(10)], 2.2 * nq, 1e-9);

    // Below 33 degrees the held stress lasts for the call only, from 10 D + 1.
    auto loose = NewPile(English, 12.0, 0.0, 25.0, 1.0);
    AddSegments(*loose, 30, Sand(100.0, 30.0));
    ComputeEffectiveStress(*loose);
    RunUnitEndBearing(*loose, emUsace);
    EXPECT_NEAR(loose->PointUnitEndBearing[BottomPoint(10)], 1.1 * 23.0, 1e-9);
    EXPECT_NEAR(loose->PointUnitEndBearing[BottomPoint(11)], 1.0 * 23.0, 1e-9);
    EXPECT_EQ(loose->H33, 0.0);
}

TEST(UnitEndBearing, UsaceHoldsNothingWhenModeOneFindsNoCriticalDepth)
{
    auto state = NewPile(English, 12.0, 0.0, 25.0, 1.0);
    RunState& s = *state;
    s.CriticalDepthMode = 1;
    AddSegments(s, 30, Sand(100.0, 34.0)); // 3.0 ksf at 30 ft: 3.5 never reached
    ComputeEffectiveStress(s);
    ASSERT_TRUE(CriticalDepthNotReached(s));
    RunUnitEndBearing(s, emUsace);
    EXPECT_EQ(s.H33, 0.0);
    EXPECT_NEAR(s.PointUnitEndBearing[BottomPoint(29)], 3.0 * 43.0, 1e-9);
}

TEST(UnitEndBearing, ConeRulesInSand)
{
    // English closed pipe, OD 12 in (304.8 mm), qc 100 ksf, stress 2 ksf.
    // The atmospheric pressure of the cone-based rules, 100 kPa in ksf.
    const double qc = 100.0, stress = 2.0, pa = ConeConstants(English).pa;
    EXPECT_NEAR(pa * 47.880259, 100.0, 1e-5);
    const double dr = double(0.4f) * std::log(qc / (22.0 * std::sqrt(pa * stress)));
    const double r = 12.0 * double(25.4f) / 36.0;
    struct Case {
        std::string name;
        int method;
        double end_inner_diameter;
        int plug;
        double expected;
    };
    const Case cases[] = {
        {"NGI closed", emNgi, 0.0, 0, double(0.8f) * qc / (1.0 + dr * dr)},
        {"NGI open", emNgi, 10.0, 0, double(0.7f) * qc / (1.0 + 3.0 * dr * dr)},
        {"ICP closed", emIcpMtd, 0.0, 0, (1.0 - 0.5 * std::log10(r)) * qc},
        {"ICP open", emIcpMtd, 10.0, 0, (0.5 - 0.25 * std::log10(r)) * qc},
        {"ICP open unplugged", emIcpMtd, 10.0, 2, qc},
        {"FUGRO closed", emFugro, 0.0, 0, 8.5 * pa * std::sqrt(qc / pa)},
        {"UWA closed", emUwa, 0.0, 0, (double(0.15f) + double(0.45f)) * qc},
    };
    for (const Case& c : cases) {
        auto state = NewPile(English, 12.0, c.end_inner_diameter, 10.0, 1.0);
        RunState& s = *state;
        s.PlugCondition = c.plug;
        AddSegments(s, 1, With(Sand(100.0, 34.0), Soil::ConeResistance, qc * 1000.0));
        s.PointEffectiveStress[TopPoint(0)] = stress;
        s.PointEffectiveStress[BottomPoint(0)] = stress;
        RunUnitEndBearing(s, c.method);
        EXPECT_NEAR(s.PointUnitEndBearing[BottomPoint(0)], c.expected, 1e-9 * c.expected) << c.name;
    }

    // Without cone data and CPT points: qc = 2.8 pa N (N 10: 58.48 ksf).
    auto state = NewPile(English, 12.0, 0.0, 10.0, 1.0);
    RunState& s = *state;
    AddSegments(s, 1, With(Sand(100.0, 34.0), Soil::YieldStressRatio, 10.0));
    RunUnitEndBearing(s, emIcpMtd);
    EXPECT_NEAR(s.PointUnitEndBearing[TopPoint(0)], (1.0 - 0.5 * std::log10(r)) * pa * 10.0 * double(2.8f), 1e-9);

    // The user-specified method has no sand rule: the points keep their values.
    s.PointUnitEndBearing[TopPoint(0)] = 7.0;
    RunUnitEndBearing(s, emUserSpecified);
    EXPECT_EQ(s.PointUnitEndBearing[TopPoint(0)], 7.0);
}

TEST(EndBearing, ClosedApiPileBearsOnItsWholeSectionWithoutPlugFriction)
{
    auto state = NewPile(English, 24.0, 0.0, 10.0, 1.0);
    RunState& s = *state;
    s.MethodIndex = emApi;
    AddSegments(s, 5, Sand(100.0, 30.0));
    ComputeEffectiveStress(s);
    ComputeUnitEndBearing(s);
    for (int p = 0; p < 10; ++p)
        s.PointPlugSideFriction[emApi][p] = 1.0; // the API routine's inside friction
    ComputeEndBearing(s);
    ComputePlugFriction(s);
    ComputeTipResistance(s);
    for (int p = 0; p < 10; ++p) {
        const double q = s.PointUnitEndBearing[p];
        EXPECT_EQ(s.PointBaseEndBearing[p], q * double(0.7853975f) * 576.0 / 144.0) << "point " << p;
        EXPECT_EQ(s.PointPlugFriction[p], 0.0) << "point " << p;
        EXPECT_EQ(s.PointTipResistance[p], s.PointBaseEndBearing[p]) << "point " << p;
    }
    EXPECT_NEAR(s.PointUnitEndBearing[BottomPoint(4)], 0.5 * 20.0, 1e-12);
}

TEST(EndBearing, OpenPilePlugFrictionAndItsAbsenceWhenUnplugged)
{
    // Open English pipe OD 24, ID 22 in: the API routine's inside friction
    // 1 ksf at every point adds 1 x 3.14159 x 22 / 12 kips per foot.
    auto state = NewPile(English, 24.0, 22.0, 10.0, 1.0);
    RunState& s = *state;
    s.MethodIndex = emApi;
    AddSegments(s, 5, Sand(100.0, 30.0));
    ComputeEffectiveStress(s);
    for (int p = 0; p < 10; ++p)
        s.PointPlugSideFriction[emApi][p] = 1.0;
    ComputeUnitEndBearing(s);
    ComputeEndBearing(s);
    ComputePlugFriction(s);
    ComputeTipResistance(s);
    const double per_foot = 1.0 * 2.0 * double(0.5f) * double(3.14159f) * 22.0 / 12.0;
    EXPECT_NEAR(s.PointPlugFriction[BottomPoint(4)], 5.0 * per_foot, 1e-12);
    EXPECT_EQ(s.PointPlugFriction[TopPoint(3)], s.PointPlugFriction[BottomPoint(2)]);
    EXPECT_EQ(s.PointInnerUnitFriction[TopPoint(2)], 1.0);
    EXPECT_EQ(s.PointBaseEndBearing[BottomPoint(4)],
              s.PointUnitEndBearing[BottomPoint(4)] * double(0.7853975f) * (576.0 - 484.0) / 144.0);
    EXPECT_EQ(s.PointTipResistance[BottomPoint(4)],
              s.PointBaseEndBearing[BottomPoint(4)] + s.PointPlugFriction[BottomPoint(4)]);

    s.PlugCondition = 2;
    ComputePlugFriction(s);
    ComputeTipResistance(s);
    for (int p = 0; p < 10; ++p) {
        EXPECT_EQ(s.PointPlugFriction[p], 0.0);
        EXPECT_EQ(s.PointTipResistance[p], s.PointBaseEndBearing[p]);
    }
}

TEST(EndBearing, InsideFrictionInSandTakesTheOutsideLimitInEveryMethod)
{
    // A sand segment limited to 0.8 ksf and a clay segment with the same
    // limit, each method's own inside friction 1.5 ksf: sand is cut to the
    // limit in every method, clay keeps its value.
    for (int m = emFhwa; m <= emUserSpecified; ++m) {
        SCOPED_TRACE(m);
        auto state = NewPile(English, 48.0, 46.0, 10.0, 1.0);
        RunState& s = *state;
        s.MethodIndex = m;
        AddSegments(s, 1, With(Sand(120.0, 35.0, 40.0, 1.0), Soil::MaxSideFriction, 0.8));
        AddSegments(s, 1, With(Clay(50.0, 2.0, 1.0), Soil::MaxSideFriction, 0.8));
        s.PointEffectiveStress = {};
        s.PointEffectiveStress[TopPoint(0)] = 4.0;
        s.PointEffectiveStress[BottomPoint(0)] = 4.0;
        s.PointEffectiveStress[TopPoint(1)] = 4.0;
        s.PointEffectiveStress[BottomPoint(1)] = 4.0;
        for (int p = 0; p < 4; ++p)
            s.PointPlugSideFriction[m][p] = 1.5;
        ComputePlugFriction(s);
        EXPECT_EQ(s.PointInnerUnitFriction[TopPoint(0)], 0.8);
        EXPECT_EQ(s.PointInnerUnitFriction[BottomPoint(0)], 0.8);
        const bool own_rule = m != emRevisedLambda && m != emUserSpecified;
        const double clay = own_rule ? 1.5 : 1.0 / std::sqrt(0.5) * 0.5; // alpha 0.707 x remolded 1
        EXPECT_NEAR(s.PointInnerUnitFriction[TopPoint(1)], clay, 1e-6);
    }
}

TEST(EndBearing, OwnPlugRuleOfRevisedLambdaInSandAndClay)
{
    // Revised Lambda keeps no inside friction of its own: sand takes
    // K sigma tan(phi - 5) up to MaxSideFriction, clay alpha x the remolded
    // strength, with a zero stress raised to 1e-10 in place.
    auto state = NewPile(Si, 600.0, 500.0, 10.0, 1.0);
    RunState& s = *state;
    s.MethodIndex = emRevisedLambda;
    AddSegments(s, 1, With(Sand(10.0, 35.0, 20.0, 1.0), Soil::MaxSideFriction, 5.0));
    AddSegments(s, 1, Clay(0.0, 0.0, 20.0));
    AddSegments(s, 1, Sand(10.0, 3.0, 20.0, 1.0)); // an angle below 5 degrees gives no friction
    s.PointEffectiveStress = {};
    s.PointEffectiveStress[TopPoint(0)] = 1.0;
    s.PointEffectiveStress[BottomPoint(0)] = 100.0;
    s.PointEffectiveStress[TopPoint(2)] = 100.0;
    s.PointEffectiveStress[BottomPoint(2)] = 100.0;
    ComputePlugFriction(s);
    EXPECT_NEAR(s.PointInnerUnitFriction[TopPoint(0)], std::tan(30.0 / double(57.2958f)), 1e-12);
    EXPECT_EQ(s.PointInnerUnitFriction[BottomPoint(0)], 5.0);
    EXPECT_EQ(s.PointEffectiveStress[BottomPoint(1)], double(1.0e-10f));
    EXPECT_EQ(s.PointInnerUnitFriction[TopPoint(1)], 20.0); // psi at its floor: alpha capped at 1
    EXPECT_EQ(s.PointInnerUnitFriction[BottomPoint(1)], 20.0);
    EXPECT_EQ(s.PointInnerUnitFriction[TopPoint(2)], 0.0);
    EXPECT_TRUE(std::isfinite(s.PointPlugFriction[BottomPoint(2)]));
}

TEST(EndBearing, ConeMethodsBearOnTheAnnulusWithTheConeResistance)
{
    // NGI on an open English pipe: each point takes qc of the segment that
    // starts at its depth (the last point: the last segment), in ksf.
    auto state = NewPile(English, 24.0, 22.0, 10.0, 1.0);
    RunState& s = *state;
    s.MethodIndex = emNgi;
    AddSegments(s, 1, With(Sand(100.0, 34.0), Soil::ConeResistance, 10000.0));
    AddSegments(s, 1, With(Sand(100.0, 34.0), Soil::ConeResistance, 30000.0));
    ComputeEndBearing(s);
    const auto on_annulus = [](double q) { return q * double(0.7853975f) * (576.0 - 484.0) / 144.0; };
    EXPECT_EQ(s.PointBaseEndBearing[TopPoint(0)], on_annulus(10.0));
    EXPECT_EQ(s.PointBaseEndBearing[BottomPoint(0)], on_annulus(30.0));
    EXPECT_EQ(s.PointBaseEndBearing[BottomPoint(1)], on_annulus(30.0));

    // A non-circular tip area replaces the annulus.
    s.TipArea = 2.0;
    ComputeEndBearing(s);
    EXPECT_EQ(s.PointBaseEndBearing[TopPoint(0)], 20.0);
}

// Every step, every method, both unit systems, open and closed, compression
// and uplift, on a profile of zeros (no weight, strength, cone data or blow
// count) and on one with a CPT profile of repeated depths: nothing
// non-finite.
TEST(CapacitySteps, NothingNonFiniteOnDegenerateProfiles)
{
    for (const int units : {English, Si}) {
        for (const double inner : {0.0, 10.0}) {
            for (const int direction : {0, 1}) {
                for (const int cpt : {0, 3}) {
                    for (int method = 1; method <= 9; ++method) {
                        auto state = NewPile(units, 12.0, inner, 2.0, 1.0);
                        RunState& s = *state;
                        s.LoadDirection = direction;
                        s.CptPointCount = cpt;
                        s.CptProfile.Set(0, 1.0, 0.0);
                        s.CptProfile.Set(1, 1.0, 0.0);
                        s.CptProfile.Set(2, 1.0, 5.0);
                        AddSegments(s, 2, Sand(0.0, 0.0, 0.0, 0.0));
                        AddSegments(s, 2, Clay(0.0, 0.0));
                        ComputeEffectiveStress(s);
                        s.MethodIndex = method;
                        ComputeUnitEndBearing(s);
                        ComputeEndBearing(s);
                        ComputePlugFriction(s);
                        ComputeTipResistance(s);
                        TabulateCapacityByPenetration(s);
                        ComputeSelfWeight(s);
                        const std::string where = "units " + std::to_string(units) + ", ID " +
                                                  std::to_string(inner) + ", method " + std::to_string(method);
                        for (int p = 0; p < 8; ++p) {
                            for (const PointArray* a :
                                 {&s.PointEffectiveStress, &s.PointLimitedEffectiveStress, &s.PointUnitEndBearing,
                                  &s.PointBaseEndBearing, &s.PointInnerUnitFriction, &s.PointPlugFriction,
                                  &s.PointTipResistance})
                                ASSERT_TRUE(std::isfinite((*a)[p])) << where << ", point " << p;
                        }
                        for (int k = 0; k <= 2; ++k)
                            ASSERT_TRUE(std::isfinite(s.TransferTipRows[k]) &&
                                        std::isfinite(s.RowAveragedTipResistance[k]) &&
                                        std::isfinite(s.RowPlugLimitedTipResistance[k]))
                                << where << ", row " << k;
                    }
                }
            }
        }
    }
}

// The English closed pipe (OD 24 in, 55 ft embedded, sand of 120 pcf, phi
// 32, K 0.8, Nq 20, no limits) through a whole run: the base force of a
// closed end is Nq sigma'v (up to 100 ksf at 32 degrees) over the whole
// section, averaged over 1.5 D above and below each row.
TEST(CapacityStepsRun, EndBearingOfTheEnglishClosedPipe)
{
    RunFolder folder;
    const RunResult run = RunProject(folder, PileProject{});
    ASSERT_EQ(run.status, 0) << run.report;
    const std::vector<std::string> table = TableRows(run.report, "*  API RP-2A (1994)  *");
    struct Case {
        double depth;
        std::vector<double> expected;
    };
    for (const Case& c : std::vector<Case>{{0.0, {0.0, 0.0, 5.7, 5.7}},
                                           {10.0, {10.0, 15.4, 75.4, 90.8}},
                                           {55.0, {55.0, 464.8, 414.7, 879.5}}})
        EXPECT_EQ(Numbers(Row(table, c.depth)), c.expected) << "at " << c.depth;
    EXPECT_EQ(Row(table, 55.0).find('*'), std::string::npos); // a closed end: no plug rows
}

} // namespace
} // namespace korva::test
