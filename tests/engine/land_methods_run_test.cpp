// FHWA, USACE, Revised Lambda and the user-specified method in whole engine
// runs: their tables and plot rows, hand-worked examples, and golden reports
// of a layered profile in both unit systems and load directions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report_tables.h"

namespace {

using namespace korva::test;
namespace engine = korva::engine;

// One method of the first pass alone, on a closed steel pipe without
// stick-up, with every row printed.
PileProject SingleMethod(int project_method, double diameter, double length, std::vector<SoilLayer> layers)
{
    PileProject p;
    p.outer_diameter = diameter;
    p.total_length = length;
    p.stickup = 0.0;
    p.methods = {0, 0, 0, 0, 0, 0, 0, 0, 0};
    p.methods[project_method - 1] = 1;
    p.load_transfer_method = project_method;
    p.profile_bottom = layers.back().bottom;
    p.layers = std::move(layers);
    return p;
}

SoilLayer Clay(double bottom, double su)
{
    SoilLayer clay{0.0, bottom, 2, 0.0, 110.0};
    clay.phi = 0.0;
    clay.nq = 0.0;
    clay.su = su;
    return clay;
}

struct ExampleRow {
    double depth;
    std::vector<double> table; // skin, end bearing, ultimate; empty: not checked
    double skin;               // checked when table is empty
    double unit_friction;      // the plot row's unit side friction
};

struct Example {
    const char* name;
    PileProject project;
    const char* title;
    std::vector<ExampleRow> rows;
};

// Worked by hand: FHWA clay 0.238 x 5 ksf (graph 3 beyond its last strength),
// skin 1.19 x 3.14159 x 2 ft x 10 ft; USACE alpha 0.75 on 1 ksf, skin
// 0.75 x 3.14159 x 1 ft x 20 ft; the user's 0.5 ksf over 3.14159 ft and
// 20 ksf over 0.785 ft^2.
std::vector<Example> Examples()
{
    SoilLayer stiff = Clay(30.0, 5000.0);
    stiff.adhesion_method = 3.0;
    SoilLayer user{0.0, 40.0, 1};
    user.user_skin = 500.0;
    user.user_end = 20000.0;
    return {
        {"FHWA in stiff clay", SingleMethod(1, 24.0, 10.0, {stiff}), "*  FED. HWY. METHOD  *",
         {{0.0, {}, 0.0, 1.190}, {5.0, {}, 37.4, 1.190}, {10.0, {}, 74.8, 1.190}}},
        {"USACE in clay", SingleMethod(2, 12.0, 20.0, {Clay(40.0, 1000.0)}), "* ARMY CORPS METHOD  *",
         {{0.0, {}, 0.0, 0.750}, {10.0, {}, 23.6, 0.750}, {20.0, {}, 47.1, 0.750}}},
        {"user-specified", SingleMethod(5, 12.0, 20.0, {user}), "* GENERAL METHOD *",
         {{10.0, {15.7, 15.7, 31.4}, 0.0, 0.500}, {20.0, {31.4, 15.7, 47.1}, 0.0, 0.500}}},
    };
}

TEST(LandMethodsRun, HandWorkedExamples)
{
    for (const Example& e : Examples()) {
        SCOPED_TRACE(e.name);
        RunFolder folder;
        const RunResult run = RunProject(folder, e.project);
        ASSERT_EQ(run.status, 0) << run.report;
        const std::vector<std::string> table = TableRows(run.report, e.title);
        const std::vector<std::string> curve = CurveRows(run.plot, 0, run.state->RowsPerCurve);
        ASSERT_FALSE(table.empty());
        for (const ExampleRow& r : e.rows) {
            const std::vector<double> line = Numbers(Row(table, r.depth));
            const std::vector<double> plot = Numbers(Row(curve, r.depth));
            ASSERT_EQ(line.size(), 4u) << r.depth;
            ASSERT_EQ(plot.size(), 5u) << r.depth;
            if (r.table.empty()) {
                EXPECT_EQ(line[1], r.skin) << r.depth;
            } else {
                EXPECT_EQ((std::vector<double>{line[1], line[2], line[3]}), r.table) << r.depth;
            }
            EXPECT_EQ(plot[1], line[1]) << r.depth;
            EXPECT_EQ(plot[4], r.unit_friction) << r.depth;
        }
        // One soil throughout: the same unit friction at every row.
        ASSERT_EQ(curve.size(), table.size());
        for (const std::string& row : curve)
            EXPECT_EQ(Numbers(row)[4], e.rows.front().unit_friction) << row;
    }
}

// Sand, clay, silt and dense sand with user values in the upper layers; a
// side-friction factor in the clay. The four methods of the first pass.
PileProject LayeredEnglish(int load_direction)
{
    PileProject p;
    p.title = "Closed pipe pile in sand, clay, silt and sand";
    p.outer_diameter = 16.0;
    p.total_length = 50.0;
    p.stickup = 2.0;
    p.print_every = 4;
    p.methods = {1, 1, 1, 0, 1, 0, 0, 0, 0};
    p.load_transfer_method = 1;
    p.reduced_tz = 0;
    p.profile_bottom = 60.0;
    p.load_direction = load_direction;
    p.tension_reduction = load_direction == 1 ? 0.5 : 1.0;

    SoilLayer sand{0.0, 15.0, 1, 1.0, 115.0, -1.0, 32.0, 25.0};
    sand.remolded_or_blows = 14.0;
    sand.user_skin = 400.0;
    sand.user_end = 30000.0;
    SoilLayer clay = Clay(30.0, 1500.0);
    clay.top = 15.0;
    clay.unit_weight = 55.0;
    clay.max_side_friction = 1200.0;
    clay.remolded_or_blows = 800.0;
    clay.side_factor = 0.8;
    clay.user_skin = 900.0;
    clay.user_end = 13500.0;
    SoilLayer silt{30.0, 45.0, 3, 0.9, 60.0, -1.0, 28.0, 15.0};
    silt.su = 800.0;
    silt.remolded_or_blows = 12.0; // a blow count
    SoilLayer dense{45.0, 60.0, 1, 1.0, 62.6, -1.0, 36.0, 40.0};
    dense.remolded_or_blows = 35.0;
    p.layers = {sand, clay, silt, dense};
    return p;
}

PileProject LayeredSi(int load_direction)
{
    PileProject p = LayeredEnglish(load_direction);
    p.units = 2;
    p.outer_diameter = 406.0;
    p.elastic_modulus = 200000000.0;
    p.total_length = 15.0;
    p.stickup = 0.6;
    p.increment = 0.3;
    p.profile_bottom = 18.0;
    std::vector<SoilLayer>& l = p.layers;
    const double depths[] = {0.0, 4.5, 9.0, 13.5, 18.0};
    const double weights[] = {18.0, 8.6, 9.4, 9.8};
    for (std::size_t i = 0; i < l.size(); ++i) {
        l[i].top = depths[i];
        l[i].bottom = depths[i + 1];
        l[i].unit_weight = weights[i];
    }
    l[0].user_skin = 19.0;
    l[0].user_end = 1440.0;
    l[1].su = 72.0;
    l[1].remolded_or_blows = 38.0;
    l[1].max_side_friction = 57.0;
    l[1].user_skin = 43.0;
    l[1].user_end = 650.0;
    l[2].su = 38.0;
    return p;
}

struct LayeredCase {
    const char* name;
    PileProject project;
};

std::vector<LayeredCase> LayeredCases()
{
    return {
        {"land-layered-english-compression", LayeredEnglish(0)},
        {"land-layered-english-uplift", LayeredEnglish(1)},
        {"land-layered-si-compression", LayeredSi(0)},
        {"land-layered-si-uplift", LayeredSi(1)},
    };
}

TEST(LandMethodsRun, LayeredGoldenReportsAndPlotFiles)
{
    for (const LayeredCase& c : LayeredCases()) {
        SCOPED_TRACE(c.name);
        const RunResult run = RunAgainstGolden(c.name, c.project);
        for (const char* title : {"* GENERAL METHOD *", "*  FED. HWY. METHOD  *", "* ARMY CORPS METHOD  *",
                                  "*  LAMBDA 2 METHOD   *"}) {
            const std::vector<std::string> rows = TableRows(run.report, title);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(run.state->RowsPerCurve)) << title;
            EXPECT_GT(Numbers(rows.back())[1], 0.0) << title; // skin friction at the tip
        }
    }
}

// With a tension reduction of 0.5, the Revised Lambda and user-specified
// skin friction are half the compression values at every row, in both unit
// systems.
TEST(LandMethodsRun, UpliftFactorHalvesLambdaAndUserSkinFriction)
{
    for (const bool si : {false, true}) {
        SCOPED_TRACE(si ? "SI" : "English");
        // One run folder at a time: each is the current folder while it lives.
        const auto run = [&](int load_direction) {
            RunFolder folder;
            return RunProject(folder, si ? LayeredSi(load_direction) : LayeredEnglish(load_direction));
        };
        const RunResult compression = run(0);
        const RunResult uplift = run(1);
        ASSERT_EQ(compression.status, 0);
        ASSERT_EQ(uplift.status, 0);
        const engine::RunState& c = *compression.state;
        const engine::RunState& u = *uplift.state;
        for (int k = 0; k < c.PenetrationRowCount; ++k) {
            for (const int m : {engine::emRevisedLambda, engine::emUserSpecified})
                EXPECT_EQ(u.MethodRows[m].SkinFriction[k], 0.5 * c.MethodRows[m].SkinFriction[k])
                    << "method " << m << " row " << k;
            EXPECT_EQ(u.MethodSkinRows[engine::pmRevisedLambda][k],
                      0.5 * c.MethodSkinRows[engine::pmRevisedLambda][k]) << k;
        }
        EXPECT_GT(c.MethodRows[engine::emRevisedLambda].SkinFriction[c.PenetrationRowCount - 1], 0.0);
    }
}

// Sand from the surface, no limits, a closed pipe and an open one: in
// uplift the tension reduction multiplies the unit side friction of FHWA,
// USACE, Revised Lambda, API RP-2A and the user method once, so a factor of
// 0.5 halves each one's skin friction at every row (FHWA and USACE keep row
// 0 as it is, which at the surface carries no friction). In both unit
// systems. The open pipe displaces in uplift what it displaces in
// compression: FHWA takes the plug state of compression's tip rule for its
// displaced volume, not the gross area of a plugged pile at every row.
TEST(LandMethodsRun, TensionReductionHalvesTheSkinOfEveryMethodThatTakesIt)
{
    struct Pipe {
        const char* name;
        int closed_ended;
        double inner_over_outer;
    };
    for (const Pipe& pipe : {Pipe{"closed", 1, 0.0}, Pipe{"open", 0, 23.0 / 24.0}}) {
        for (const int units : {1, 2}) {
            SCOPED_TRACE(std::string(pipe.name) + (units == 1 ? ", English" : ", SI"));
            SoilLayer sand{0.0, 40.0, 1, 0.8, 115.0, -1.0, 32.0, 20.0};
            sand.remolded_or_blows = 15.0;
            sand.user_skin = 500.0;
            sand.user_end = 20000.0;
            PileProject p = SingleMethod(1, 18.0, 30.0, {sand});
            p.methods = {1, 1, 1, 0, 1, 0, 0, 0, 0}; // API not selected: USACE keeps the layer's K
            p.tension_reduction = 0.5;
            if (units == 2) {
                p.units = 2;
                p.outer_diameter = 457.0;
                p.elastic_modulus = 200000000.0;
                p.total_length = 9.0;
                p.increment = 0.3;
                p.profile_bottom = 12.0;
                p.layers[0].bottom = 12.0;
                p.layers[0].unit_weight = 18.0;
                p.layers[0].user_skin = 24.0;
                p.layers[0].user_end = 960.0;
            }
            p.closed_ended = pipe.closed_ended;
            p.inner_diameter = pipe.inner_over_outer * p.outer_diameter;
            const auto run = [&](int load_direction) {
                RunFolder folder;
                PileProject q = p;
                q.load_direction = load_direction;
                return RunProject(folder, q);
            };
            const RunResult compression = run(0);
            const RunResult uplift = run(1);
            ASSERT_EQ(compression.status, 0) << compression.report;
            ASSERT_EQ(uplift.status, 0) << uplift.report;
            const engine::RunState& c = *compression.state;
            const engine::RunState& u = *uplift.state;
            const int last = c.PenetrationRowCount - 1;
            ASSERT_EQ(last, 30);
            for (const int m : {engine::emFhwa, engine::emUsace, engine::emRevisedLambda, engine::emApi,
                                engine::emUserSpecified}) {
                EXPECT_GT(c.MethodRows[m].SkinFriction[last], 0.0) << "method " << m;
                for (int k = 0; k <= last; ++k)
                    EXPECT_EQ(u.MethodRows[m].SkinFriction[k], 0.5 * c.MethodRows[m].SkinFriction[k])
                        << "method " << m << " row " << k;
            }
        }
    }
}

} // namespace

namespace {

// The USACE sand tip holds its stress from 10, 15 or 20 diameters plus one
// foot down (by friction angle): the same pile gives the same end bearing
// in English and SI units at every row.
TEST(LandMethodsRun, UsaceHeldEndBearingAgreesInEnglishAndSi)
{
    for (const double phi : {30.0, 34.0, 38.0}) {
        SCOPED_TRACE(phi);
        PileProject english;
        english.methods = {0, 1, 0, 0, 0, 0, 0, 0, 0};
        english.load_transfer_method = 2;
        english.outer_diameter = 18.0;
        english.total_length = 60.0;
        english.stickup = 0.0;
        english.profile_bottom = 70.0;
        english.layers = {SoilLayer{0.0, 70.0, 1, 0.8, 120.0, -1.0, phi, 20.0}};
        RunFolder folder;
        const RunResult e = RunProject(folder, english);
        const RunResult m = RunProject(folder, InSi(english));
        ASSERT_EQ(e.status, 0) << e.report;
        ASSERT_EQ(m.status, 0) << m.report;
        const auto& kips = e.state->MethodRows[korva::engine::emUsace].EndBearing;
        const auto& kn = m.state->MethodRows[korva::engine::emUsace].EndBearing;
        for (int k = 0; k < e.state->PenetrationRowCount; ++k)
            EXPECT_NEAR(kn[k] / KnPerKip, kips[k], 0.002 * kips[k] + 1e-6) << "row " << k;
    }
}

// Silt gives a blow count, as sand does: without a friction angle it takes
// the chart angle of its blow count (the frictional part of its USACE side
// friction), and with no remolded strength the inside wall of an open pile
// meets its undrained strength.
TEST(LandMethodsRun, SiltBlowCountAndPlugStrength)
{
    PileProject p;
    p.closed_ended = 0;
    p.inner_diameter = 22.0;
    p.total_length = 50.0;
    p.stickup = 0.0;
    p.profile_bottom = 60.0;
    p.methods = {1, 1, 0, 1, 0, 1, 0, 0, 0};
    p.load_transfer_method = 2;
    SoilLayer sand{0.0, 10.0, 1, 0.8, 115.0, -1.0, 30.0, 20.0};
    SoilLayer silt{10.0, 40.0, 3, 1.0, 60.0, -1.0, 0.0, 0.0};
    silt.su = 800.0;
    silt.remolded_or_blows = 20.0;
    SoilLayer dense{40.0, 60.0, 1, 1.0, 62.6, -1.0, 34.0, 40.0};
    p.layers = {sand, silt, dense};
    RunFolder folder;
    const RunResult run = RunProject(folder, p);
    ASSERT_EQ(run.status, 0) << run.report;
    const korva::engine::RunState& s = *run.state;
    namespace Soil = korva::engine::Soil;
    EXPECT_EQ(s.SoilColumns[2][Soil::YieldStressRatio], 20.0);
    EXPECT_EQ(s.SoilColumns[2][Soil::RemoldedStrengthOrBlowCount], 0.0);

    const int seg = 25; // 25 to 26 ft, in the silt
    ASSERT_EQ(s.SegmentSoil[seg][Soil::SoilType], 3.0);
    EXPECT_GT(s.SegmentSoil[seg][Soil::FrictionAngle], 25.0) << "the chart angle of 20 blows";
    // USACE: alpha x Su (0.85 x 0.8 ksf) and the frictional part on top.
    const double clay_part = 0.85 * 0.8;
    EXPECT_GT(s.MethodRows[korva::engine::emUsace].UnitSideFriction[25], clay_part + 0.1);
    const auto& plug = s.PointPlugSideFriction;
    EXPECT_NEAR(plug[korva::engine::emUsace][korva::engine::TopPoint(seg)], clay_part, 1e-6);
    for (const int m : {korva::engine::emFhwa, korva::engine::emApi, korva::engine::emNgi})
        EXPECT_EQ(plug[m][korva::engine::TopPoint(seg)], plug[m][korva::engine::BottomPoint(seg)]) << m;
}

} // namespace
