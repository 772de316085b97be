// The method loop end to end: segments, rows and printed rows, the plot
// header and capacity rows, the method tables, API RP-2A and the hand-over.
#include <gtest/gtest.h>

#include <cmath>
#include <cctype>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "engine_run.h"
#include "golden.h"
#include "pile_project.h"
#include "plot_data_records.h"
#include "report_tables.h"
#include "test_support.h"

namespace {

using namespace korva::test;
using korva::engine::RunState;
namespace engine = korva::engine;

// The English closed pipe pile of the API example: OD 24 in, 60 ft with 5 ft
// stick-up, uniform sand to 70 ft (120 pcf, phi 32, K 0.8, Nq 20).
PileProject ApiEnglishExample()
{
    PileProject p;
    p.layers = {SoilLayer{0.0, 70.0}};
    return p;
}

// The same pile pulled, with a tension reduction of 0.5.
PileProject ApiEnglishUplift()
{
    PileProject p = ApiEnglishExample();
    p.load_direction = 1;
    p.tension_reduction = 0.5;
    return p;
}

// --- Rows and printed rows.

struct RowLayoutCase {
    double total;
    int print_every;
    int rows_per_curve;
    std::vector<double> last_depths; // the last two printed depths
};

TEST(MethodLoop, PrintedRowsAndPlotHeader)
{
    const std::vector<RowLayoutCase> cases = {
        {55.0, 1, 51, {49.0, 50.0}}, {55.0, 4, 14, {48.0, 50.0}}, {55.0, 5, 11, {45.0, 50.0}},
        {60.0, 1, 56, {54.0, 55.0}}, {60.0, 4, 15, {52.0, 55.0}}, {60.0, 5, 12, {50.0, 55.0}},
        // An interval beyond every row prints the first and the last, up to
        // the largest the file can hold.
        {60.0, 1000, 2, {0.0, 55.0}}, {60.0, 2147483647, 2, {0.0, 55.0}},
    };
    for (const RowLayoutCase& c : cases) {
        SCOPED_TRACE(std::to_string(c.total) + " ft, every " + std::to_string(c.print_every));
        RunFolder folder;
        PileProject p = ApiEnglishExample();
        p.total_length = c.total;
        p.print_every = c.print_every;
        const RunResult run = RunProject(folder, p);
        ASSERT_EQ(run.status, 0) << run.report;
        EXPECT_EQ(Lines(run.plot)[0], "1 " + std::to_string(c.rows_per_curve) + " 1 4");
        const PlotData plot = ReadPlotData(run.plot, false);
        EXPECT_TRUE(plot.complete);
        EXPECT_EQ(plot.words_left, 0u);
        EXPECT_EQ(plot.capacity_rows.size(), static_cast<std::size_t>(c.rows_per_curve)) << "only the API curve";
        EXPECT_EQ(plot.distribution.size(), 9u * static_cast<std::size_t>(c.rows_per_curve));
        const std::vector<std::string> rows = TableRows(run.report, "*  API RP-2A (1994)  *");
        ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.rows_per_curve));
        EXPECT_EQ(Numbers(rows[0])[0], 0.0);
        EXPECT_EQ(Numbers(rows[rows.size() - 2])[0], c.last_depths[0]);
        EXPECT_EQ(Numbers(rows.back())[0], c.last_depths[1]);
        EXPECT_EQ(run.state->PenetrationRowCount, static_cast<int>(c.total - 5.0) + 1);
    }
}

// --- API RP-2A end to end.

TEST(ApiMethod, EnglishClosedPipeInSand)
{
    RunFolder folder;
    const RunResult run = RunProject(folder, ApiEnglishExample());
    ASSERT_EQ(run.status, 0) << run.report;
    EXPECT_EQ(Lines(run.plot)[0], "1 56 1 4");
    const std::vector<std::string> table = TableRows(run.report, "*  API RP-2A (1994)  *");
    ASSERT_EQ(table.size(), 56u);
    // Skin friction: 0.8 x 0.12 z x tan 27 degrees over a perimeter of 2 pi
    // ft; end bearing: 20 x the stress averaged over 1.5 D above and below,
    // on the gross tip area of pi ft^2.
    EXPECT_EQ(Row(table, 0.0), "              0.00           0.0           5.7          5.7");
    EXPECT_EQ(Row(table, 10.0), "             10.00          15.4          75.4         90.8");
    EXPECT_EQ(Row(table, 55.0), "             55.00         464.8         414.7        879.5");
    const std::vector<std::string> plot = CurveRows(run.plot, 0, 56);
    EXPECT_EQ(Row(plot, 55.0), "    55.00     464.8     414.7      879.5      2.690");
    // The hand-over: API is the load-transfer method here.
    const RunState& s = *run.state;
    EXPECT_EQ(s.TransferSkinRows[55], s.MethodSkinRows[engine::pmApi][55]);
    EXPECT_NEAR(s.TransferTipRows[55], 414.7, 0.05);
}

struct SandLimitCase {
    const char* name;
    PileProject project;
    std::vector<std::pair<double, double>> unit_friction; // depth, printed unit side friction
};

std::vector<SandLimitCase> SandLimitCases()
{
    // SI: OD 500 mm, 30 m embedded, sand to 40 m (10 kN/m3, phi 32.5, K 1.0),
    // MaxSideFriction 9999: the API table's 88.5 kPa.
    PileProject si;
    si.units = 2;
    si.outer_diameter = 500.0;
    si.elastic_modulus = 200000000.0;
    si.total_length = 30.0;
    si.stickup = 0.0;
    si.increment = 0.5;
    si.profile_bottom = 40.0;
    si.layers = {SoilLayer{0.0, 40.0, 1, 1.0, 10.0, -1.0, 32.5, 20.0, 9999.0}};
    // English: 64 pcf, the 9999 psf sentinel gives 1.85 ksf.
    PileProject english;
    english.outer_diameter = 20.0;
    english.total_length = 100.0;
    english.stickup = 0.0;
    english.profile_bottom = 110.0;
    english.layers = {SoilLayer{0.0, 110.0, 1, 1.0, 64.0, -1.0, 32.5, 20.0, 9999.0}};
    // 9998 is an ordinary limit, 9.998 ksf.
    PileProject ordinary = english;
    ordinary.layers[0].max_side_friction = 9998.0;
    return {
        // 170 kPa x tan(27.5 / 57.2958) = 88.4964 at 17 m.
        {"SI", si, {{10.0, 52.057}, {17.0, 88.496}, {17.5, 88.500}, {30.0, 88.500}}},
        {"English", english, {{10.0, 0.333}, {55.0, 1.832}, {56.0, 1.850}, {100.0, 1.850}}},
        {"EnglishOrdinaryLimit", ordinary, {{56.0, 1.866}, {100.0, 3.332}}},
    };
}

TEST(ApiMethod, SandLimitTableOnTheSentinelInBothUnitSystems)
{
    for (const SandLimitCase& c : SandLimitCases()) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        const RunResult run = RunProject(folder, c.project);
        ASSERT_EQ(run.status, 0) << run.report;
        const int rows = run.state->RowsPerCurve;
        const std::vector<std::string> plot = CurveRows(run.plot, 0, rows);
        for (const auto& [depth, friction] : c.unit_friction)
            EXPECT_EQ(Numbers(Row(plot, depth))[4], friction) << "at " << depth;
    }
}

// --- Segments.

TEST(MethodLoop, ThinLayersSnapToTheIncrement)
{
    for (const auto& [middle_bottom, snapped] : std::vector<std::pair<double, double>>{{10.3, 10.0}, {10.7, 11.0}}) {
        SCOPED_TRACE(middle_bottom);
        RunFolder folder;
        PileProject p;
        p.outer_diameter = 12.0;
        p.total_length = 15.0;
        p.stickup = 0.0;
        p.profile_bottom = 20.0;
        p.layers = {SoilLayer{0.0, 10.0}, SoilLayer{10.0, middle_bottom}, SoilLayer{middle_bottom, 20.0}};
        const RunResult run = RunProject(folder, p);
        ASSERT_EQ(run.status, 0) << run.report;
        const std::vector<double> expected = {0.0, 10.0, 10.0, snapped, snapped, 20.0};
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(run.state->SoilColumns[i][engine::Soil::Depth], expected[i]) << "point " << i;
    }
}

// A layer of just half an increment grows to one increment, also where the
// depths converted to SI put it a rounding error thinner (12 to 12.5 ft is
// 0.15239999999999965 m, the half increment 0.1524 m).
TEST(MethodLoop, ALayerOfHalfAnIncrementGrowsInBothUnitSystems)
{
    PileProject english;
    english.outer_diameter = 12.0;
    english.total_length = 15.0;
    english.stickup = 0.0;
    english.profile_bottom = 20.0;
    english.layers = {SoilLayer{0.0, 12.0}, SoilLayer{12.0, 12.5, 2}, SoilLayer{12.5, 20.0}};
    english.layers[1].su = 1000.0;
    for (const PileProject& p : {english, InSi(english)}) {
        SCOPED_TRACE(p.units == 1 ? "English" : "SI");
        RunFolder folder;
        const RunResult run = RunProject(folder, p);
        ASSERT_EQ(run.status, 0) << run.report;
        const double foot = p.units == 1 ? 1.0 : 0.3048;
        EXPECT_NEAR(run.state->SoilColumns[3][engine::Soil::Depth], 13.0 * foot, 1e-9);
        EXPECT_NEAR(run.state->SoilColumns[4][engine::Soil::Depth], 13.0 * foot, 1e-9);
        EXPECT_EQ(run.state->SegmentSoil[12][engine::Soil::SoilType], 2.0) << "the clay segment";
    }
}

TEST(MethodLoop, SegmentsInterpolateAtMidDepthWithUserValuesInKsf)
{
    struct Case {
        int units;
        int load_direction;
        double user_skin; // as in the file
        double expected;  // at the segment
    };
    for (const Case& c : std::vector<Case>{{1, 0, 500.0, 0.5}, {1, 1, 500.0, 0.25}, {2, 0, 20.0, 20.0},
                                           {2, 1, 20.0, 10.0}}) {
        SCOPED_TRACE(std::to_string(c.units) + "/" + std::to_string(c.load_direction));
        RunFolder folder;
        PileProject p;
        p.units = c.units;
        p.outer_diameter = c.units == 1 ? 12.0 : 300.0;
        p.total_length = 15.0;
        p.stickup = 0.0;
        p.profile_bottom = 20.0;
        p.load_direction = c.load_direction;
        p.tension_reduction = 0.5;
        p.layers = {SoilLayer{0.0, 20.0, 1, 0.8, 100.0, 120.0, 30.0, 20.0}};
        p.layers[0].user_skin = c.user_skin;
        const RunResult run = RunProject(folder, p);
        ASSERT_EQ(run.status, 0) << run.report;
        const RunState& s = *run.state;
        EXPECT_EQ(s.SegmentCount, 20);
        EXPECT_DOUBLE_EQ(s.SegmentSoil[0][engine::Soil::EffectiveUnitWeight], 100.5);
        EXPECT_DOUBLE_EQ(s.SegmentSoil[19][engine::Soil::EffectiveUnitWeight], 119.5);
        EXPECT_EQ(s.SegmentSoil[3][engine::Soil::Depth], 3.0);
        EXPECT_EQ(s.SegmentLength[3], 1.0);
        EXPECT_DOUBLE_EQ(s.SegmentSoil[3][engine::Soil::UserUnitSkinFriction], c.expected);
    }
}

TEST(MethodLoop, APipeWithoutAWallStopsBeforeTheTables)
{
    const struct {
        const char* name;
        double inner_diameter;
        int closed_ended;
        double end_section_inner_diameter; // with an end section of 10 ft; 0: none
        const char* message;
    } cases[] = {
        {"InsideLarger", 26.0, 0, 0.0,
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE INSIDE DIAMETER OF THE PIPE\n"
         "          (     26.00 IN.) IS NOT LESS THAN ITS OUTSIDE DIAMETER (     24.00 IN.).\n"},
        {"NoWallClosedEnded", 24.0, 1, 0.0,
         "          (     24.00 IN.) IS NOT LESS THAN ITS OUTSIDE DIAMETER (     24.00 IN.).\n"},
        {"EndSection", 23.0, 0, 24.5,
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE END-SECTION INSIDE DIAMETER OF THE PIPE\n"
         "          (     24.50 IN.) IS NOT LESS THAN ITS OUTSIDE DIAMETER (     24.00 IN.).\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PileProject p = ApiEnglishExample();
        p.methods = {1, 1, 1, 1, 0, 1, 1, 1, 1};
        p.inner_diameter = c.inner_diameter;
        p.closed_ended = c.closed_ended;
        if (c.end_section_inner_diameter > 0.0) {
            p.end_section_length = 10.0;
            p.end_section_inner_diameter = c.end_section_inner_diameter;
        }
        RunFolder folder;
        const RunResult run = RunProject(folder, p);
        EXPECT_EQ(run.status, 1);
        const std::size_t heading = run.report.find("* COMPUTATION RESULT *");
        ASSERT_NE(heading, std::string::npos) << run.report;
        EXPECT_NE(run.report.find(c.message, heading), std::string::npos) << run.report.substr(heading);
        EXPECT_EQ(run.report.find("METHOD", heading), std::string::npos) << "no table";
        EXPECT_EQ(run.report.find("EA OF THE PILE"), std::string::npos);
        EXPECT_EQ(run.plot, "");
    }
}

TEST(MethodLoop, IncrementLongerThanTheProfileStops)
{
    RunFolder folder;
    PileProject p;
    p.outer_diameter = 12.0;
    p.total_length = 0.5;
    p.stickup = 0.0;
    p.increment = 5.0;
    p.profile_bottom = 3.0;
    p.layers = {SoilLayer{0.0, 3.0}};
    const RunResult run = RunProject(folder, p);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.report.find("\n\n          COMPUTATION DOES NOT PROCEED BECAUSE THE INCREMENT OF PILE LENGTH\n"
                              "          IS LONGER THAN THE DEEPEST SOIL PROFILE\n"),
              std::string::npos)
        << run.report;
    EXPECT_EQ(run.plot, "");
}

// --- Tables and plot curves of the selected methods.

TEST(MethodLoop, HeaderCountMatchesTheCurvesWritten)
{
    struct Case {
        const char* name;
        std::vector<int> methods;
        int offshore;
        std::vector<const char*> tables; // present, in order
        int curves;
    };
    const std::vector<Case> cases = {
        // The user method without user values: no table, but a curve of zeros.
        {"UserWithoutValues", {0, 0, 0, 1, 1, 0, 0, 0, 0}, 1, {"*  API RP-2A (1994)  *"}, 2},
        {"AllNine", {1, 1, 1, 1, 1, 1, 1, 1, 1}, 1,
         {"*  FED. HWY. METHOD  *", "* ARMY CORPS METHOD  *", "*  LAMBDA 2 METHOD   *", "*  API RP-2A (1994)  *",
          "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *", "*  IMPERIAL COLLEGE (MTD) METHOD  *",
          "*    FUGRO 2004 (FUGRO) METHOD    *", "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"},
         9},
        // Without the offshore edition the cone-based methods are no curves.
        {"ConeMethodsOnshore", {0, 1, 0, 0, 0, 1, 0, 0, 1}, 0,
         {"* ARMY CORPS METHOD  *", "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *",
          "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"},
         1},
        {"NoneSelected", {0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, {}, 0},
    };
    const std::vector<const char*> all = {"* GENERAL METHOD *",
                                          "*  FED. HWY. METHOD  *",
                                          "* ARMY CORPS METHOD  *",
                                          "*  LAMBDA 2 METHOD   *",
                                          "*  API RP-2A (1994)  *",
                                          "NORWEIGIAN",
                                          "IMPERIAL COLLEGE",
                                          "FUGRO 2004",
                                          "UNIV. OF WESTERN"};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        PileProject p = ApiEnglishExample();
        p.methods = c.methods;
        p.offshore = c.offshore;
        p.print_every = 5;
        const RunResult run = RunProject(folder, p);
        ASSERT_EQ(run.status, 0) << run.report;
        const std::string results = run.report.substr(run.report.find("* COMPUTATION RESULT *"));
        std::size_t from = 0;
        for (const char* title : c.tables) {
            const std::size_t at = results.find(title, from);
            EXPECT_NE(at, std::string::npos) << title;
            from = at == std::string::npos ? from : at;
        }
        int present = 0;
        for (const char* title : all)
            present += results.find(title) != std::string::npos ? 1 : 0;
        EXPECT_EQ(present, static_cast<int>(c.tables.size()));
        EXPECT_EQ(Lines(run.plot)[0], std::to_string(c.curves) + " 12 1 4");
        const PlotData plot = ReadPlotData(run.plot, false);
        EXPECT_TRUE(plot.complete);
        EXPECT_EQ(plot.words_left, 0u);
        EXPECT_EQ(plot.capacity_rows.size(), 12u * static_cast<std::size_t>(c.curves));
        if (std::string(c.name) == "UserWithoutValues") {
            EXPECT_EQ(CurveRows(run.plot, 0, 12)[11], "    55.00       0.0       0.0        0.0      0.000");
        }
    }
}

TEST(MethodLoop, UpliftTablesShowSelfWeightHeads)
{
    RunFolder folder;
    const RunResult run = RunProject(folder, ApiEnglishUplift());
    ASSERT_EQ(run.status, 0) << run.report;
    EXPECT_NE(run.report.find("                            **********************\n"
                              "                            *  API RP-2A (1994)  *\n"
                              "                            **********************\n\n"
                              "             PILE       TOTAL SKIN       SELF      ULTIMATE\n"
                              "          PENETRATION   FRICTION        WEIGHT     CAPACITY\n"
                              "              FT.          KIP           KIP          KIP\n"
                              "              0.00           0.0"),
              std::string::npos)
        << run.report;
    // The row depths, not the self-weight window's depths, are printed.
    const std::vector<std::string> rows = TableRows(run.report, "*  API RP-2A (1994)  *");
    ASSERT_EQ(rows.size(), 56u);
    for (std::size_t k = 0; k < rows.size(); ++k)
        EXPECT_EQ(Numbers(rows[k])[0], static_cast<double>(k));
}

TEST(ApiMethod, UpliftHalvesTheUnitSideFriction)
{
    RunFolder folder;
    const RunResult run = RunProject(folder, ApiEnglishUplift());
    ASSERT_EQ(run.status, 0) << run.report;
    // Half the compression friction: 2.690 / 2.
    EXPECT_EQ(Numbers(Row(CurveRows(run.plot, 0, 56), 55.0))[4], 1.345);
}


// --- The end-bearing rows and the hand-over.

// The pile opened (ID 22 in), with user unit values, API and the user
// method selected.
PileProject OpenPipeWithUserValues(PileProject p, int plug_condition)
{
    p.closed_ended = 0;
    p.inner_diameter = 22.0;
    p.plug_condition = plug_condition;
    p.methods = {0, 0, 0, 1, 1, 0, 0, 0, 0};
    p.layers[0].user_skin = 500.0;
    p.layers[0].user_end = 40000.0;
    return p;
}

// In uplift the user-specified method's tip row is the self weight on every
// branch of the tip rules, and its table never carries the "*" of a tip
// governed by the soil plug.
TEST(MethodLoop, UserMethodInUpliftAndStarRows)
{
    for (const int plug : {0, 1, 2}) {
        SCOPED_TRACE(plug);
        RunFolder folder;
        const RunResult run = RunProject(folder, OpenPipeWithUserValues(ApiEnglishUplift(), plug));
        ASSERT_EQ(run.status, 0) << run.report;
        const std::vector<std::string> user = TableRows(run.report, "* GENERAL METHOD *");
        const std::vector<std::string> api = TableRows(run.report, "*  API RP-2A (1994)  *");
        ASSERT_EQ(user.size(), api.size());
        for (std::size_t k = 0; k < user.size(); ++k) {
            EXPECT_EQ(user[k].find('*'), std::string::npos) << user[k];
            EXPECT_EQ(user[k].substr(32, 14), api[k].substr(32, 14)) << "self weight at row " << k;
        }
    }
}

TEST(MethodLoop, StarMarksRowsGovernedByTheSoilPlug)
{
    RunFolder folder;
    // Unplugged: the annulus governs every row.
    const RunResult run = RunProject(folder, OpenPipeWithUserValues(ApiEnglishExample(), 2));
    ASSERT_EQ(run.status, 0) << run.report;
    const std::vector<std::string> api = TableRows(run.report, "*  API RP-2A (1994)  *");
    ASSERT_FALSE(api.empty());
    for (const std::string& row : api) {
        EXPECT_EQ(row.size(), 59u) << row;
        EXPECT_EQ(row.substr(46, 4), "*   ") << row;
    }
    for (const std::string& row : TableRows(run.report, "* GENERAL METHOD *"))
        EXPECT_EQ(row.find('*'), std::string::npos) << row;
    EXPECT_EQ(run.plot.find('*'), std::string::npos);
}

// The table title of each project method, in the order of the tables and
// the plot curves.
struct MethodOutput {
    int project_method;
    const char* title;
};
const std::vector<MethodOutput> kOutputOrder = {
    {engine::pmUserSpecified, "* GENERAL METHOD *"},
    {engine::pmFhwa, "*  FED. HWY. METHOD  *"},
    {engine::pmUsace, "* ARMY CORPS METHOD  *"},
    {engine::pmRevisedLambda, "*  LAMBDA 2 METHOD   *"},
    {engine::pmApi, "*  API RP-2A (1994)  *"},
    {engine::pmNgi, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *"},
    {engine::pmIcpMtd, "*  IMPERIAL COLLEGE (MTD) METHOD  *"},
    {engine::pmFugro, "*    FUGRO 2004 (FUGRO) METHOD    *"},
    {engine::pmUwa, "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"},
};

// The API example with a blow count (so the cone-based methods have a cone
// resistance) and, when asked, user unit values.
PileProject EveryMethodExample(bool user_values)
{
    PileProject p = ApiEnglishExample();
    p.layers[0].remolded_or_blows = 20.0;
    if (user_values) {
        p.layers[0].user_skin = 500.0;
        p.layers[0].user_end = 40000.0;
    }
    return p;
}

// For any choice of methods, with and without user unit values and the
// offshore edition: the header counts exactly the curves written, each
// curve repeats its method's table row by row (the user method without
// user values: its depths and zeros, no table), and a cone-based method
// without the offshore edition has its table but no curve.
TEST(MethodLoop, HeaderCountsTheCurvesWrittenForEveryChoiceOfMethods)
{
    std::vector<std::vector<int>> choices;
    for (int m = 0; m < 9; ++m) {
        std::vector<int> one(9, 0);
        one[m] = 1;
        choices.push_back(one);
    }
    choices.push_back({1, 1, 1, 1, 1, 1, 1, 1, 1});
    choices.push_back({0, 0, 0, 0, 0, 0, 0, 0, 0});
    choices.push_back({1, 1, 1, 1, 1, 0, 0, 0, 0});
    choices.push_back({0, 0, 0, 0, 0, 1, 1, 1, 1});
    choices.push_back({0, 0, 0, 0, 1, 1, 0, 0, 0});
    choices.push_back({1, 0, 1, 0, 1, 0, 1, 0, 1});
    for (const int offshore : {0, 1}) {
        for (const bool user_values : {false, true}) {
            for (const std::vector<int>& methods : choices) {
                std::string name = "offshore " + std::to_string(offshore) + (user_values ? ", user values" : "") +
                                   ", methods";
                for (const int m : methods)
                    name += " " + std::to_string(m);
                SCOPED_TRACE(name);
                RunFolder folder;
                PileProject p = EveryMethodExample(user_values);
                p.methods = methods;
                p.offshore = offshore;
                p.print_every = 5;
                const RunResult run = RunProject(folder, p);
                ASSERT_EQ(run.status, 0) << run.report;
                const int rows = run.state->RowsPerCurve;
                ASSERT_EQ(rows, 12);

                int curve = 0;
                int tables = 0;
                for (const MethodOutput& out : kOutputOrder) {
                    const bool selected = methods[out.project_method - 1] == 1;
                    const bool has_table = selected && (out.project_method != engine::pmUserSpecified || user_values);
                    const bool has_curve = selected && (out.project_method <= engine::pmUserSpecified || offshore == 1);
                    const std::vector<std::string> table = TableRows(run.report, out.title);
                    EXPECT_EQ(table.size(), has_table ? static_cast<std::size_t>(rows) : 0u) << out.title;
                    tables += has_table ? 1 : 0;
                    if (!has_curve)
                        continue;
                    const std::vector<std::string> plot = CurveRows(run.plot, curve++, rows);
                    ASSERT_EQ(plot.size(), static_cast<std::size_t>(rows)) << out.title;
                    for (int k = 0; k < rows; ++k) {
                        const std::vector<double> values = Numbers(plot[k]);
                        ASSERT_EQ(values.size(), 5u) << plot[k];
                        const std::vector<double> expected =
                            has_table ? Numbers(table[k])
                                      : std::vector<double>{values[0], 0.0, 0.0, 0.0};
                        EXPECT_EQ(std::vector<double>(values.begin(), values.begin() + 4),
                                  std::vector<double>(expected.begin(), expected.begin() + 4))
                            << out.title << " row " << k;
                        if (!has_table) {
                            EXPECT_EQ(values[4], 0.0) << out.title << " row " << k;
                        }
                    }
                }
                EXPECT_EQ(Lines(run.plot)[0], std::to_string(curve) + " 12 1 4");
                const PlotData plot = ReadPlotData(run.plot, false);
                EXPECT_TRUE(plot.complete);
                EXPECT_EQ(plot.words_left, 0u);
                EXPECT_EQ(plot.capacity_rows.size(), 12u * static_cast<std::size_t>(curve));
                int titles = 0;
                for (const MethodOutput& out : kOutputOrder)
                    titles += run.report.find(out.title) != std::string::npos ? 1 : 0;
                EXPECT_EQ(titles, tables);
            }
        }
    }
}

// Every one of the nine methods as the load-transfer method, in compression
// and in uplift, with end-bearing factors of 0.5 and 0: the hand-over takes
// that method's own cumulative skin rows and its own unfactored end bearing
// (the self weight in uplift, the same for every method), and the tip curve
// of the load-settlement part is built on the deepest of those rows.
TEST(MethodLoop, HandOverTakesTheUnfactoredEndBearingOfItsOwnMethod)
{
    for (const int direction : {0, 1}) {
        for (const double end_factor : {0.5, 0.0}) {
            std::vector<double> self_weight;
            for (int method = 1; method <= 9; ++method) {
                SCOPED_TRACE("method " + std::to_string(method) + ", direction " + std::to_string(direction) +
                             ", end factor " + std::to_string(end_factor));
                RunFolder folder;
                PileProject p = EveryMethodExample(true);
                p.methods = {1, 1, 1, 1, 1, 1, 1, 1, 1};
                p.load_transfer_method = method;
                p.load_direction = direction;
                p.tension_reduction = 0.5;
                p.layers[0].side_factor = 0.8;
                p.layers[0].end_factor = end_factor;
                const RunResult run = RunProject(folder, p);
                ASSERT_EQ(run.status, 0) << run.report;
                ExpectOnlyFiniteNumbers(run);
                const RunState& s = *run.state;
                const engine::MethodResultRows& rows = s.MethodRows[engine::EngineMethodOf(method)];
                const int last = s.PenetrationRowCount - 1;
                ASSERT_EQ(last, 55);
                for (int k = 0; k <= last; ++k) {
                    EXPECT_EQ(s.TransferTipRows[k], rows.EndBearing[k]) << k;
                    EXPECT_EQ(rows.FactoredEndBearing[k], rows.EndBearing[k] * end_factor) << k;
                    EXPECT_EQ(s.TransferSkinRows[k], s.MethodSkinRows[method][k]) << k;
                    // The factored sum (ReducedTzFactors 1), as the table prints it.
                    if (k > 0) {
                        EXPECT_EQ(s.TransferSkinRows[k], rows.SkinFriction[k]) << k;
                    }
                }
                EXPECT_GT(s.TransferSkinRows[last], 0.0);
                if (direction == 0) {
                    for (int k = 0; k <= last; ++k)
                        EXPECT_GT(s.TransferTipRows[k], 0.0) << k;
                } else {
                    if (self_weight.empty())
                        self_weight.assign(s.TransferTipRows.begin(), s.TransferTipRows.begin() + last + 1);
                    for (int k = 0; k <= last; ++k)
                        EXPECT_EQ(s.TransferTipRows[k], self_weight[k]) << k;
                }
                EXPECT_EQ(s.TipCurve.Load[engine::TzPointsPerCurve - 1], s.TransferTipRows[last] * 1000.0f);
            }
        }
    }
}

// The "*" after the end bearing marks the rows whose tip value the soil plug
// governs (flag 2) in every method's table but the user method's: on an
// unplugged open pipe every row in compression, on a plugged one none, in
// uplift (self weight) none; with the plug computed, the rows of the flags.
TEST(MethodLoop, StarRowsInEveryMethodTable)
{
    for (const int direction : {0, 1}) {
        for (const int plug : {0, 1, 2}) {
            SCOPED_TRACE("direction " + std::to_string(direction) + ", plug " + std::to_string(plug));
            RunFolder folder;
            PileProject p = EveryMethodExample(true);
            p.methods = {1, 1, 1, 1, 1, 1, 1, 1, 1};
            p.closed_ended = 0;
            p.inner_diameter = 22.0;
            p.plug_condition = plug;
            p.load_direction = direction;
            const RunResult run = RunProject(folder, p);
            ASSERT_EQ(run.status, 0) << run.report;
            int stars = 0;
            for (const MethodOutput& out : kOutputOrder) {
                const std::vector<std::string> table = TableRows(run.report, out.title);
                ASSERT_EQ(table.size(), 56u) << out.title;
                const int method = engine::EngineMethodOf(out.project_method);
                for (std::size_t k = 0; k < table.size(); ++k) {
                    const bool star = table[k].size() > 46 && table[k][46] == '*';
                    bool expected = out.project_method != engine::pmUserSpecified &&
                                    run.state->RowTipFlags[method][k] == 2;
                    if (direction == 1 || plug == 1) {
                        EXPECT_FALSE(expected) << out.title << " row " << k;
                    }
                    if (direction == 0 && plug == 2 && out.project_method != engine::pmUserSpecified) {
                        EXPECT_TRUE(expected) << out.title << " row " << k;
                    }
                    EXPECT_EQ(star, expected) << table[k];
                    EXPECT_EQ(table[k].find('*'), star ? 46u : std::string::npos) << table[k];
                    stars += star ? 1 : 0;
                }
            }
            if (direction == 0 && plug == 0) {
                EXPECT_GT(stars, 0);
            }
            EXPECT_EQ(run.plot.find('*'), std::string::npos);
        }
    }
}

// --- A clay-and-sand profile through both passes, golden in both unit
// systems and both load directions.

// Open steel pipe, 60 ft with 5 ft stick-up: sand, clay, then dense sand
// with the API limit sentinel; user unit values in the upper sand; the user,
// USACE, API and ICP/MTD methods selected, the others not.
PileProject ClaySandEnglish(int load_direction)
{
    PileProject p;
    p.title = "Open pipe pile in sand over clay over sand";
    p.print_every = 5;
    p.closed_ended = 0;
    p.outer_diameter = 24.0;
    p.inner_diameter = 22.5;
    p.profile_bottom = 80.0;
    p.methods = {0, 1, 0, 1, 1, 0, 1, 0, 0};
    p.load_transfer_method = 4;
    p.load_direction = load_direction;
    p.tension_reduction = 0.8;
    p.tz_depths = {10.0, 30.0};
    SoilLayer sand{0.0, 20.0, 1, 0.8, 115.0, -1.0, 30.0, 20.0};
    sand.remolded_or_blows = 12.0;
    sand.user_skin = 500.0;
    sand.user_end = 40000.0;
    sand.side_factor = 0.9;
    sand.end_factor = 0.8;
    SoilLayer clay{20.0, 45.0, 2, 0.0, 55.0, 57.6, 0.0, 0.0};
    clay.max_side_friction = 1200.0;
    clay.max_end_bearing = 9000.0;
    clay.su = 1000.0;
    clay.remolded_or_blows = 500.0;
    clay.yield_stress_ratio = 2.0;
    clay.plasticity_index = 25.0;
    SoilLayer dense{45.0, 80.0, 1, 1.0, 62.6, -1.0, 34.0, 40.0, 9999.0};
    dense.remolded_or_blows = 30.0;
    p.layers = {sand, clay, dense};
    return p;
}

// The same in SI (m, mm, kN/m3, kPa), rounded to plain values.
PileProject ClaySandSi(int load_direction)
{
    PileProject p = ClaySandEnglish(load_direction);
    p.units = 2;
    p.outer_diameter = 610.0;
    p.inner_diameter = 572.0;
    p.elastic_modulus = 200000000.0;
    p.total_length = 18.0;
    p.stickup = 1.5;
    p.increment = 0.5;
    p.profile_bottom = 24.0;
    p.tz_depths = {3.0, 9.0};
    std::vector<SoilLayer>& l = p.layers;
    l[0].bottom = 6.0;
    l[0].unit_weight = 18.0;
    l[0].user_skin = 24.0;
    l[0].user_end = 1900.0;
    l[1].top = 6.0;
    l[1].bottom = 13.5;
    l[1].unit_weight = 8.6;
    l[1].unit_weight_bottom = 9.0;
    l[1].max_side_friction = 57.0;
    l[1].max_end_bearing = 430.0;
    l[1].su = 48.0;
    l[1].remolded_or_blows = 24.0;
    l[2].top = 13.5;
    l[2].bottom = 24.0;
    l[2].unit_weight = 9.8;
    return p;
}

struct GoldenCase {
    const char* name;
    PileProject project;
};

std::vector<GoldenCase> GoldenCases()
{
    return {
        {"loop-clay-sand-english-compression", ClaySandEnglish(0)},
        {"loop-clay-sand-english-uplift", ClaySandEnglish(1)},
        {"loop-clay-sand-si-compression", ClaySandSi(0)},
        {"loop-clay-sand-si-uplift", ClaySandSi(1)},
    };
}

TEST(MethodLoop, ClayAndSandGoldenReportsAndPlotFiles)
{
    for (const GoldenCase& c : GoldenCases()) {
        SCOPED_TRACE(c.name);
        RunAgainstGolden(c.name, c.project);
    }
}

// An increment longer than two diameters: the deepest row lies below the
// last segment and takes the last segment's values.
TEST(MethodLoop, RowBelowTheLastSegment)
{
    RunFolder folder;
    PileProject p = ClaySandEnglish(0);
    p.outer_diameter = 12.0;
    p.inner_diameter = 11.0;
    p.increment = 5.0;
    p.print_every = 1;
    p.profile_bottom = 57.0;
    p.layers[2].bottom = 57.0;
    const RunResult run = RunProject(folder, p);
    ASSERT_EQ(run.status, 0) << run.report;
    EXPECT_EQ(run.state->SegmentCount, 11); // 0 .. 55 ft
    EXPECT_EQ(run.state->PenetrationRowCount, 12); // 0 .. 55 ft: row 11 starts no segment
    EXPECT_EQ(Numbers(TableRows(run.report, "*  API RP-2A (1994)  *").back())[0], 55.0);
    ExpectOnlyFiniteNumbers(run);
}

TEST(MethodLoop, SameResultsWhenRunTwiceAndUnderACommaLocale)
{
    for (const GoldenCase& c : GoldenCases()) {
        SCOPED_TRACE(c.name);
        std::vector<std::pair<std::string, std::string>> outputs;
        for (const bool comma_decimals : {false, false, true}) {
            std::optional<ScopedCommaLocale> comma;
            if (comma_decimals) {
                comma.emplace();
                ASSERT_TRUE(comma->Active());
            }
            RunFolder folder;
            const RunResult run = RunProject(folder, c.project);
            outputs.emplace_back(Comparable(run.report, folder.Folder()), run.plot);
        }
        EXPECT_EQ(outputs[1], outputs[0]);
        EXPECT_EQ(outputs[2], outputs[0]);
    }
}

} // namespace
