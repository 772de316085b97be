// The cone-based methods NGI, ICP/MTD, FUGRO 2004 and UWA: on hand-built
// segment tables (points, plug rows, messages, the shared stress floors) and
// in whole runs (the hand-worked rows, ratios between projects, golden
// reports with a CPT profile, finite numbers in extreme projects).
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "api_method.h"
#include "capacity_steps.h"
#include "cone_friction.h"
#include "cone_methods.h"
#include "fixed_format.h"
#include "report_tables.h"
#include "segment_fixture.h"

namespace {

using namespace korva::test;
using namespace korva::engine;

constexpr int kEnglish = 1;
constexpr int kSi = 2;

// --- Hand-built segment tables ---

// The rows of a hand-built pile, as the method loop lays them out.
void LayOutRows(RunState& s)
{
    for (int k = 0; k < s.SegmentCount; ++k)
        s.PenetrationDepths[k] = k * s.IncrementLength;
    s.ReducedTzFactors = 1;
}

// SI, closed pipe of 500 mm, 20 m embedded, 0.5 m segments of clay to 25 m:
// unit weight 8, sensitivity 1, yield stress ratio 1, the given plasticity index.
std::unique_ptr<RunState> ClayExamplePile(double plasticity_index)
{
    auto pile = NewPile(kSi, 500.0, 0.0, 20.0, 0.5);
    SoilPoint clay = Clay(8.0, 40.0, 40.0);
    clay[Soil::YieldStressRatio] = 1.0;
    clay[Soil::PlasticityIndex] = plasticity_index;
    AddSegments(*pile, 50, clay);
    LayOutRows(*pile);
    ComputeEffectiveStress(*pile);
    pile->MethodSelected.fill(1);
    return pile;
}

// Runs method on s with a report of its own; returns the report text.
std::string ReportOf(RunState& s, void (*method)(MtdMethodRun))
{
    RunFolder folder;
    EXPECT_TRUE(s.report.Open(folder.Path("report.txt")));
    method(s);
    EXPECT_TRUE(s.report.Commit());
    return folder.Read("report.txt");
}

std::size_t CountLines(const std::string& text, const std::string& line)
{
    std::size_t count = 0;
    for (const std::string& l : Lines(text))
        count += l == line ? 1 : 0;
    return count;
}

const std::string kWarning = " WARNING - h/R SHOULD BE GREATER THAN 8.";
const std::string kNoPlasticity = " ERROR - NO DATA FOUND FOR PLASTIC INDEX.";

struct ClayMethod {
    const char* name;
    int engine_method;
    void (*compute)(MtdMethodRun);
};
const std::vector<ClayMethod> kClayMethods = {
    {"ICP/MTD", emIcpMtd, ComputeCapacityIcp},
    {"FUGRO", emFugro, ComputeCapacityFugro},
    {"UWA", emUwa, ComputeCapacityUwa},
};

// The three methods share the MTD clay rule: 32.228 kPa at 10.00 m (h/R* 42
// from the segment top at 9.5 m, sigma'v 80 kPa, delta 28 degrees), and the
// h/R warning for the three segments within 8 R* = 2 m above the tip only:
// none at 18 m (h/R* 8), none for the ten segments below the tip.
TEST(ConeMethods, ClayRuleAndItsWarningsAlongThePile)
{
    for (const ClayMethod& m : kClayMethods) {
        SCOPED_TRACE(m.name);
        // Computed but not selected: the same numbers, no lines.
        auto unselected = ClayExamplePile(12.5);
        unselected->MethodSelected.fill(0);
        EXPECT_EQ(ReportOf(*unselected, m.compute), "");
        auto pile = ClayExamplePile(12.5);
        const std::string report = ReportOf(*pile, m.compute);
        EXPECT_EQ(report, kWarning + "\n" + kWarning + "\n" + kWarning + "\n");
        EXPECT_EQ(unselected->MethodRows[m.engine_method].SkinFriction, pile->MethodRows[m.engine_method].SkinFriction);
        const MethodResultRows& rows = pile->MethodRows[m.engine_method];
        EXPECT_NEAR(rows.UnitSideFriction[20], 32.228, 0.0005);
        // Within 8 R* of the tip the friction is that of ratio 8, so it grows
        // with the stress only: rows 37 to 40 in proportion to the bottom stress.
        EXPECT_NEAR(rows.UnitSideFriction[40] / rows.UnitSideFriction[38], 160.0 / 152.0, 1e-12);
        // The clay plug friction of each method goes to its own row.
        for (int p = 0; p < 2 * pile->SegmentCount; ++p)
            ASSERT_EQ(pile->PointPlugSideFriction[m.engine_method][p], pile->PointUnitSideFriction[p]) << p;
    }
}

TEST(ConeMethods, MissingPlasticityIndexReportedForSegmentsAlongThePile)
{
    for (const ClayMethod& m : kClayMethods) {
        SCOPED_TRACE(m.name);
        auto pile = ClayExamplePile(-1.0);
        const std::string report = ReportOf(*pile, m.compute);
        EXPECT_EQ(CountLines(report, kNoPlasticity), 40u) << "one per segment above the tip";
        EXPECT_EQ(CountLines(report, kWarning), 3u);
        // Each segment's lines in the order of the rule: the error, then the warning.
        EXPECT_NE(report.find(kNoPlasticity + "\n" + kWarning + "\n" + kNoPlasticity + "\n" + kWarning + "\n"),
                  std::string::npos);
        // The table's first angle, 34 degrees, instead of 28.
        auto given = ClayExamplePile(12.5);
        m.compute(*given);
        EXPECT_NEAR(pile->MethodRows[m.engine_method].UnitSideFriction[20] /
                        given->MethodRows[m.engine_method].UnitSideFriction[20],
                    std::tan(34.0 / 57.2958f) / std::tan(28.0 / 57.2958f), 1e-9);
    }
}

// FUGRO's clay plug friction goes to FUGRO's row, never to API's.
TEST(ConeMethods, FugroLeavesTheApiPlugRowAlone)
{
    auto pile = ClayExamplePile(20.0);
    ComputeCapacityApi(*pile);
    const PointArray api_plug = pile->PointPlugSideFriction[emApi];
    ComputeCapacityFugro(*pile);
    EXPECT_EQ(pile->PointPlugSideFriction[emApi], api_plug);
    EXPECT_GT(pile->PointPlugSideFriction[emFugro][BottomPoint(10)], 0.0);
}

// NGI raises what the later methods read: a sand top stress of 0 becomes
// 1e-8 ksf (here in kPa), a clay bottom stress of 0 becomes 1e-10. FUGRO's friction at the
// surface therefore follows from NGI having run first.
TEST(ConeMethods, NgiStressFloorsAreSeenByTheMethodsAfterIt)
{
    const auto sand_over_clay = [] {
        auto pile = NewPile(kSi, 500.0, 0.0, 10.0, 0.5);
        AddSegments(*pile, 2, With(Sand(9.0, 34.0), Soil::ConeResistance, 8000.0));
        AddSegments(*pile, 2, Clay(0.0, 30.0, 15.0)); // no weight: no stress added
        AddSegments(*pile, 20, With(Sand(9.0, 34.0), Soil::ConeResistance, 8000.0));
        LayOutRows(*pile);
        ComputeEffectiveStress(*pile);
        // The clay under a weightless top layer: stress 0 at its bottom.
        for (int p = 0; p < 2 * pile->SegmentCount; ++p)
            pile->PointEffectiveStress[p] = p < 8 ? 0.0 : pile->PointEffectiveStress[p];
        return pile;
    };
    auto after_ngi = sand_over_clay();
    ComputeCapacityNgi(*after_ngi);
    const double floor = ConeConstants(kSi).sand_top_stress_floor;
    EXPECT_NEAR(floor / 1.0e-8, 47.880259, 1e-5);
    EXPECT_EQ(after_ngi->PointEffectiveStress[TopPoint(0)], floor);
    EXPECT_EQ(after_ngi->PointEffectiveStress[TopPoint(1)], floor);
    EXPECT_EQ(after_ngi->PointEffectiveStress[BottomPoint(0)], 0.0) << "sand bottoms stay";
    EXPECT_EQ(after_ngi->PointEffectiveStress[BottomPoint(2)], static_cast<double>(1.0e-10f));
    EXPECT_EQ(after_ngi->PointEffectiveStress[TopPoint(2)], 0.0) << "clay tops stay";
    ComputeCapacityFugro(*after_ngi);

    auto alone = sand_over_clay();
    ComputeCapacityFugro(*alone);
    EXPECT_EQ(alone->PointUnitSideFriction[TopPoint(0)], 0.0);
    EXPECT_GT(after_ngi->PointUnitSideFriction[TopPoint(0)], 0.0);
    for (int p = 2; p < 4; ++p)
        EXPECT_TRUE(std::isfinite(after_ngi->PointUnitSideFriction[p]));
}

// --- Whole runs ---

// SI: one sand layer of 30 m, its own cone resistance, a 610 mm pipe.
PileProject SandProject()
{
    const SoilLayer sand{.top = 0.0, .bottom = 30.0, .k = 1.0, .unit_weight = 9.5, .phi = 34.0, .nq = 40.0,
                         .remolded_or_blows = 25.0, .cone_resistance = 12000.0};
    return {.units = kSi, .print_every = 4, .closed_ended = 1, .outer_diameter = 610.0, .inner_diameter = 0.0,
            .total_length = 21.0, .stickup = 1.0, .increment = 0.5, .load_transfer_method = 6,
            .methods = {0, 0, 0, 0, 0, 1, 1, 1, 1}, .profile_bottom = 30.0, .layers = {sand}, .tz_depths = {}};
}

PileProject English(PileProject p)
{
    p.units = kEnglish;
    p.outer_diameter = 24.0;
    p.total_length = 70.0;
    p.stickup = 3.0;
    p.increment = 1.0;
    p.profile_bottom = 100.0;
    p.layers[0].bottom = 100.0;
    p.layers[0].unit_weight = 62.6;
    p.layers[0].cone_resistance = 250000.0; // lb/ft^2
    return p;
}

RowArray SkinRows(const PileProject& project, int engine_method)
{
    RunFolder folder;
    const RunResult run = RunProject(folder, project);
    EXPECT_EQ(run.status, 0) << run.report;
    ExpectOnlyFiniteNumbers(run);
    return run.state->MethodRows[engine_method].SkinFriction;
}

// The ratio b / a at every row with skin friction (NGI has none along the
// first segment, whose depth ratio z / L is 0).
void ExpectRatioAtEveryRow(const RowArray& a, const RowArray& b, int rows, double ratio)
{
    ASSERT_GT(a[rows - 1], 0.0);
    for (int k = 0; k < rows; ++k) {
        if (a[k] == 0.0 && b[k] == 0.0)
            continue;
        ASSERT_NEAR(b[k] / a[k], ratio, 1e-9) << "row " << k;
    }
    EXPECT_GT(a[2], 0.0);
}

TEST(ConeMethodsRun, SandSkinFrictionBetweenProjects)
{
    for (const PileProject& base : {SandProject(), English(SandProject())}) {
        SCOPED_TRACE(base.units == kEnglish ? "English" : "SI");
        const int rows = static_cast<int>((base.total_length - base.stickup) / base.increment) + 1;

        PileProject uplift = base;
        uplift.load_direction = 1;
        uplift.tension_reduction = 0.5; // not applied by the cone-based methods
        ExpectRatioAtEveryRow(SkinRows(base, emUwa), SkinRows(uplift, emUwa), rows, 0.75);
        ExpectRatioAtEveryRow(SkinRows(base, emNgi), SkinRows(uplift, emNgi), rows, 1.0 / 1.3f);

        PileProject concrete = base;
        concrete.pile_type = 3;
        ExpectRatioAtEveryRow(SkinRows(base, emNgi), SkinRows(concrete, emNgi), rows, 1.2f);

        PileProject open = base;
        open.closed_ended = 0;
        open.inner_diameter = base.outer_diameter - 1.0;
        ExpectRatioAtEveryRow(SkinRows(open, emNgi), SkinRows(base, emNgi), rows, 1.6f);
    }
}

// The SI clay example with ICP/MTD selected, read from the plot data file:
// 32.228 kPa at 10.00 m; the h/R warnings of ICP/MTD for the segments at
// 18.5, 19 and 19.5 m before its table, and none of FUGRO and UWA, which use
// the same clay rule but are not selected.
TEST(ConeMethodsRun, SiClayExample)
{
    const SoilLayer clay{.top = 0.0, .bottom = 25.0, .type = 2, .unit_weight = 8.0, .su = 40.0,
                         .remolded_or_blows = 40.0, .yield_stress_ratio = 1.0, .plasticity_index = 12.5};
    const PileProject p{.units = kSi, .outer_diameter = 500.0, .total_length = 20.0, .stickup = 0.0,
                        .increment = 0.5, .load_transfer_method = 7, .methods = {0, 0, 0, 0, 0, 0, 1, 0, 0},
                        .profile_bottom = 25.0, .layers = {clay}, .tz_depths = {}};

    RunFolder folder;
    const RunResult run = RunProject(folder, p);
    ASSERT_EQ(run.status, 0) << run.report;
    ExpectOnlyFiniteNumbers(run);
    const std::vector<std::string> plot_rows = CurveRows(run.plot, 0, run.state->RowsPerCurve);
    const std::string at10 = Row(plot_rows, 10.0);
    ASSERT_GE(at10.size(), 9u) << at10;
    EXPECT_EQ(at10.substr(at10.size() - 9), "   32.228") << at10;
    const std::size_t icp_table = run.report.find("*  IMPERIAL COLLEGE (MTD) METHOD  *");
    ASSERT_NE(icp_table, std::string::npos);
    EXPECT_EQ(CountLines(run.report.substr(0, icp_table), kWarning), 3u);
    EXPECT_EQ(CountLines(run.report.substr(icp_table), kWarning), 0u);
    EXPECT_EQ(run.report.find(kNoPlasticity), std::string::npos);
}

// --- All nine methods with a CPT profile ---

// A CPT point file of count points from the first depth down in equal steps,
// the cone resistance rising with depth and softer in the middle third.
std::string CptProfile(int units, int count, double step, double scale)
{
    std::string text = " " + std::to_string(units) + " " + std::to_string(count) + "\n";
    for (int i = 1; i <= count; ++i) {
        const double z = i * step;
        const double third = count * step / 3.0;
        const double qc = (z > third && z < 2.0 * third ? 0.25 : 1.0) * scale * (1.0 + z / (count * step)) *
                          (1.0 + 0.1 * std::sin(0.7 * i));
        text += FormatRecord("(2X,E9.2,2X,E9.2)", {z, qc});
    }
    return text;
}

// An open pipe in sand (cone resistance from the CPT profile), clay, silt
// and sand (its own cone resistance), every method selected, user unit values
// in the top layer, two extra t-z depths.
PileProject AllMethodsEnglish()
{
    const SoilLayer sand{.top = 0.0, .bottom = 20.0, .k = 0.8, .unit_weight = 115.0, .phi = 32.0, .nq = 20.0,
                         .remolded_or_blows = 15.0, .user_skin = 600.0, .user_end = 40000.0};
    const SoilLayer clay{.top = 20.0, .bottom = 35.0, .type = 2, .unit_weight = 52.0, .su = 1200.0,
                         .remolded_or_blows = 600.0, .yield_stress_ratio = 1.8, .plasticity_index = 28.0};
    const SoilLayer silt{.top = 35.0, .bottom = 45.0, .type = 3, .k = 0.9, .unit_weight = 58.0, .phi = 28.0,
                         .nq = 15.0, .su = 900.0, .remolded_or_blows = 10.0};
    // lb/ft^2, as the project file gives it
    const SoilLayer dense{.top = 45.0, .bottom = 70.0, .k = 1.0, .unit_weight = 62.6, .phi = 36.0, .nq = 40.0,
                          .remolded_or_blows = 35.0, .cone_resistance = 300000.0};
    return {.units = kEnglish, .print_every = 2, .closed_ended = 0, .outer_diameter = 24.0, .inner_diameter = 22.5,
            .total_length = 62.0, .stickup = 2.0, .increment = 1.0, .load_transfer_method = 9,
            .methods = {1, 1, 1, 1, 1, 1, 1, 1, 1}, .profile_bottom = 70.0, .layers = {sand, clay, silt, dense},
            .tz_depths = {12.0, 40.0}};
}

PileProject AllMethodsSi()
{
    PileProject p = AllMethodsEnglish();
    p.units = kSi;
    p.outer_diameter = 610.0;
    p.inner_diameter = 572.0;
    p.total_length = 19.0;
    p.stickup = 1.0;
    p.increment = 0.5;
    p.print_every = 1;
    p.profile_bottom = 21.0;
    p.load_transfer_method = 7;
    p.tz_depths = {4.0, 12.0};
    const double depths[] = {0.0, 6.0, 10.5, 13.5, 21.0};
    const double weights[] = {18.0, 8.2, 9.1, 9.8};
    for (std::size_t i = 0; i < p.layers.size(); ++i) {
        SoilLayer& l = p.layers[i];
        l.top = depths[i];
        l.bottom = depths[i + 1];
        l.unit_weight = weights[i];
        l.su *= 0.04788;
        l.remolded_or_blows *= l.type == 2 ? 0.04788 : 1.0;
        l.cone_resistance *= 0.04788;
        l.user_skin *= 0.04788;
        l.user_end *= 0.04788;
    }
    return p;
}

// A pipe with ClosedEnded = 1 is closed in every rule: entered with its wall
// (ID 22.5 in) it gives the tables of the same pile entered with ID 0, but
// for Revised Lambda, whose pile-stiffness number takes the steel section.
TEST(ConeMethodsRun, AClosedEndedPipeIsClosedWhateverItsInnerDiameter)
{
    PileProject walled = AllMethodsEnglish();
    walled.closed_ended = 1;
    PileProject solid = walled;
    solid.inner_diameter = 0.0;
    const std::string cpt = CptProfile(kEnglish, 200, 0.35, 150.0);
    RunFolder folder;
    const RunResult a = RunProject(folder, walled, cpt);
    const RunResult b = RunProject(folder, solid, cpt);
    ASSERT_EQ(a.status, 0) << a.report;
    ASSERT_EQ(b.status, 0) << b.report;
    for (const char* title : {"* GENERAL METHOD *", "*  FED. HWY. METHOD  *", "* ARMY CORPS METHOD  *",
                              "*  API RP-2A (1994)  *", "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *",
                              "*  IMPERIAL COLLEGE (MTD) METHOD  *", "*    FUGRO 2004 (FUGRO) METHOD    *",
                              "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"}) {
        const std::vector<std::string> rows = TableRows(a.report, title);
        EXPECT_EQ(rows.size(), static_cast<std::size_t>(a.state->RowsPerCurve)) << title;
        EXPECT_EQ(rows, TableRows(b.report, title)) << title;
    }
}

struct GoldenCase {
    const char* name;
    PileProject project;
    std::string cpt;
};

TEST(ConeMethodsRun, AllNineMethodsWithACptProfileGolden)
{
    const std::vector<GoldenCase> cases = {
        {"cone-all-methods-english", AllMethodsEnglish(), CptProfile(kEnglish, 200, 0.35, 150.0)},
        {"cone-all-methods-si", AllMethodsSi(), CptProfile(kSi, 200, 0.105, 7200.0)},
    };
    for (const GoldenCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        const RunResult run = RunProject(folder, c.project, c.cpt);
        ASSERT_EQ(run.status, 0) << run.report;
        EXPECT_EQ(run.state->CptPointCount, 200);
        ExpectOnlyFiniteNumbers(run);
        ExpectMatchesGolden(Comparable(run.report, folder.Folder()), std::string("engine/") + c.name + ".kv7o");
        ExpectMatchesGolden(run.plot, std::string("engine/") + c.name + ".kv7p");
        for (const char* title : {"* GENERAL METHOD *", "*  FED. HWY. METHOD  *", "* ARMY CORPS METHOD  *",
                                  "*  LAMBDA 2 METHOD   *", "*  API RP-2A (1994)  *",
                                  "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *",
                                  "*  IMPERIAL COLLEGE (MTD) METHOD  *", "*    FUGRO 2004 (FUGRO) METHOD    *",
                                  "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"}) {
            const std::vector<std::string> rows = TableRows(run.report, title);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(run.state->RowsPerCurve)) << title;
            EXPECT_GT(Numbers(rows.back())[1], 0.0) << title;
        }
        EXPECT_NE(run.report.find("LOAD VERSUS SETTLEMENT CURVE"), std::string::npos);
    }
}

// Projects at the edges of the cone-based rules keep every number finite:
// a weightless top layer (NGI's A = 0, in English too), no cone resistance
// anywhere (UWA without dilation, NGI at its density floor), a very high
// cone resistance under little stress (ICP/MTD's eta far beyond 1044), clay
// without remolded strength and clay so sensitive that Kc would be negative,
// and a clay without a plasticity index.
TEST(ConeMethodsRun, EdgeProjectsKeepEveryNumberFinite)
{
    for (const int units : {kEnglish, kSi}) {
        SCOPED_TRACE(units);
        PileProject p = units == kEnglish ? AllMethodsEnglish() : AllMethodsSi();
        const double stress = units == kEnglish ? 1.0 : 0.04788;
        std::vector<SoilLayer>& l = p.layers;
        l[0].unit_weight = 0.0;
        l[0].remolded_or_blows = 0.0;
        l[1].remolded_or_blows = 0.0;
        l[1].plasticity_index = -1.0;
        l[2].type = 2;
        l[2].su = 5000.0 * stress;
        l[2].remolded_or_blows = 0.01 * stress;
        l[2].yield_stress_ratio = 1.0;
        l[3].unit_weight = units == kEnglish ? 1.0 : 0.2;
        l[3].cone_resistance = 3.0e6 * stress;
        for (const int direction : {0, 1}) {
            p.load_direction = direction;
            RunFolder folder;
            const RunResult run = RunProject(folder, p);
            ASSERT_EQ(run.status, 0) << run.report;
            ExpectOnlyFiniteNumbers(run);
            EXPECT_NE(run.report.find(kNoPlasticity), std::string::npos);
            for (const int m : {emNgi, emIcpMtd, emFugro, emUwa})
                for (int k = 0; k < run.state->PenetrationRowCount; ++k)
                    ASSERT_TRUE(std::isfinite(run.state->MethodRows[m].UltimateCapacity[k])) << m << " row " << k;
        }
    }
}

} // namespace
