// The load-transfer part at the end of whole engine runs: the plot data file
// record by record, the closed-form check, SI against English, the extra
// t-z depths and the stop before the load transfer.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "engine_run.h"
#include "hand_over_fixture.h"
#include "load_settlement.h"
#include "pile_project.h"
#include "plot_data_records.h"

namespace {

using namespace korva::test;

RunResult RunProject(const RunFolder& folder, const PileProject& project)
{
    folder.WriteHandOff();
    folder.Write("pile.kv7d", project.Text());
    folder.Write("pile.cpt", " 1 0\n");
    return RunEngine(folder);
}

// 12 x 11 in open pipe, 50 ft embedded, sand to 100 ft, user-specified unit
// values 1000 psf skin friction and 100000 psf end bearing.
PileProject ClosedFormProject()
{
    PileProject p;
    p.outer_diameter = 12.0;
    p.inner_diameter = 11.0;
    p.closed_ended = 0;
    p.total_length = 50.0;
    p.stickup = 0.0;
    p.load_transfer_method = 5;
    p.methods = {0, 0, 0, 0, 1, 0, 0, 0, 0};
    p.profile_bottom = 100.0;
    SoilLayer sand{0.0, 100.0};
    sand.user_skin = 1000.0;
    sand.user_end = 100000.0;
    p.layers = {sand};
    return p;
}

// Sand, clay, sand; open pipe 24 x 23 in, 62 ft with 2 ft stickup; FHWA and
// API, API the load-transfer method; extra t-z depths 10, 32.5 and 60 ft.
PileProject ThreeLayerProject()
{
    PileProject p;
    p.closed_ended = 0;
    p.outer_diameter = 24.0;
    p.inner_diameter = 23.0;
    p.total_length = 62.0;
    p.stickup = 2.0;
    p.profile_bottom = 80.0;
    p.methods = {1, 0, 0, 1, 0, 0, 0, 0, 0};
    p.load_transfer_method = 4;
    p.tz_depths = {10.0, 32.5, 60.0};
    SoilLayer sand{0.0, 20.0, 1, 0.8, 115.0, -1.0, 30.0, 20.0};
    sand.remolded_or_blows = 12.0;
    SoilLayer clay{20.0, 45.0, 2, 0.0, 55.0, 57.6, 0.0, 0.0};
    clay.su = 1000.0;
    clay.remolded_or_blows = 500.0;
    SoilLayer dense{45.0, 80.0, 1, 1.0, 62.6, -1.0, 34.0, 40.0, 9999.0};
    dense.remolded_or_blows = 30.0;
    p.layers = {sand, clay, dense};
    return p;
}

TEST(LoadTransferRun, ClosedFormPileWithinTwoPercentOfWinkler)
{
    RunFolder folder;
    const RunResult run = RunProject(folder, ClosedFormProject());
    ASSERT_EQ(run.status, 0) << run.report;
    const PlotData plot = ReadPlotData(run.plot, false);
    ASSERT_TRUE(plot.complete);
    const double tip_capacity = run.state->TransferTipRows[run.state->PenetrationRowCount - 1];
    EXPECT_NEAR(tip_capacity, 78.54, 0.005); // 100 ksf on the full 1 ft diameter
    const double tip_movements[] = {0.0001, 0.001, 0.005, 0.01};
    for (int i = 0; i < 4; ++i) {
        const double closed_form = WinklerHeadLoad(tip_movements[i], tip_capacity);
        EXPECT_NEAR(plot.settlement[i].top_load, closed_form, 0.02 * closed_form) << tip_movements[i];
    }
    // Every curve on its plateau: skin 157.08 plus tip 78.54 kips.
    EXPECT_NEAR(run.state->LoadSettlement[8].TopLoad / 1000.0, 157.08 + 78.54, 0.01);
}

TEST(LoadTransferRun, ThreeLayerPlotDataRecordByRecord)
{
    RunFolder folder;
    const RunResult run = RunProject(folder, ThreeLayerProject());
    ASSERT_EQ(run.status, 0) << run.report;
    EXPECT_EQ(run.plot.substr(0, run.plot.find('\n')), "2 61 1 4");
    const PlotData plot = ReadPlotData(run.plot, true);
    ASSERT_TRUE(plot.complete);
    EXPECT_EQ(plot.words_left, 0u);
    EXPECT_EQ(plot.capacity_rows.size(), 122u);
    const double depths[] = {0, 10.03, 19.96, 20.00, 32.53, 44.96, 45.00, 62.53, 79.96};
    ASSERT_EQ(plot.tz_curves.size(), 9u);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(plot.tz_curves[c].number, c + 1);
        EXPECT_DOUBLE_EQ(plot.tz_curves[c].depth, depths[c]);
    }
    EXPECT_EQ(plot.distribution.size(), 549u);
    EXPECT_EQ(plot.settlement.size(), 9u);
    ASSERT_EQ(plot.extra_curves.size(), 3u);
    EXPECT_EQ(run.plot.find('*'), std::string::npos);
    EXPECT_NE(run.report.find("LOAD VERSUS SETTLEMENT CURVE"), std::string::npos);
    EXPECT_NE(run.report.find("* (t-z) CURVES FOR VERIFICATION                 *"), std::string::npos);
}

// The SI run of a project against its English run: the same records, head
// loads within 2%.
void ExpectSiMatchesEnglish(const PileProject& english_project)
{
    RunFolder folder;
    const RunResult english = RunProject(folder, english_project);
    const RunResult si = RunProject(folder, InSi(english_project));
    ASSERT_EQ(english.status, 0) << english.report;
    ASSERT_EQ(si.status, 0) << si.report;
    const bool extra = !english_project.tz_depths.empty();
    const PlotData e = ReadPlotData(english.plot, extra);
    const PlotData m = ReadPlotData(si.plot, extra);
    ASSERT_TRUE(m.complete);
    EXPECT_EQ(m.words_left, 0u);
    EXPECT_EQ(si.plot.find('*'), std::string::npos);
    EXPECT_EQ(m.rows_per_curve, e.rows_per_curve);
    EXPECT_EQ(m.tz_curves.size(), e.tz_curves.size());
    EXPECT_EQ(m.extra_curves.size(), e.extra_curves.size());
    // A pile with real capacity: more than 50 kips at 2 in.
    ASSERT_GT(english.state->LoadSettlement[8].TopLoad, 50000.0);
    for (int i = 0; i < 9; ++i) {
        const double kips = english.state->LoadSettlement[i].TopLoad / 1000.0;
        EXPECT_NEAR(si.state->LoadSettlement[i].TopLoad / KnPerKip, kips, 0.02 * kips) << i;
    }
}

TEST(LoadTransferRun, ClosedFormPileInSi)
{
    ExpectSiMatchesEnglish(ClosedFormProject());
}

TEST(LoadTransferRun, ThreeLayerProjectInSi)
{
    ExpectSiMatchesEnglish(ThreeLayerProject());
}

// Soft clay over dense sand, the boundary on a penetration row: the t-z
// curve at the top of the sand takes its peak from the sand's rows, wherever
// rounding puts the boundary against the row.
PileProject ClayOverSandSi()
{
    PileProject p;
    p.units = 2;
    p.outer_diameter = 610.0;
    p.elastic_modulus = 200000000.0;
    p.total_length = 16.0;
    p.stickup = 1.0;
    p.increment = 0.2;
    p.profile_bottom = 20.0;
    p.methods = {0, 0, 0, 1, 0, 0, 0, 0, 0};
    SoilLayer clay{0.0, 6.6, 2, 0.0, 7.0, -1.0, 0.0, 0.0};
    clay.su = 20.0;
    clay.remolded_or_blows = 10.0;
    SoilLayer sand{6.6, 20.0, 1, 1.0, 10.0, -1.0, 36.0, 40.0};
    p.layers = {clay, sand};
    return p;
}

// The table "LOAD VERSUS SETTLEMENT CURVE" as printed.
std::string LoadSettlementTable(const std::string& report)
{
    const std::size_t start = report.find("LOAD VERSUS SETTLEMENT CURVE");
    return start == std::string::npos ? std::string() : report.substr(start);
}

TEST(LoadTransferRun, ABoundaryOnARowOrJustBelowItGivesTheSameLoadSettlement)
{
    RunFolder folder;
    const PileProject on_row = ClayOverSandSi();
    const RunResult a = RunProject(folder, on_row);
    ASSERT_EQ(a.status, 0) << a.report;
    // The boundary 0.1 um deeper (both soil points at it).
    std::string text = on_row.Text();
    for (std::size_t at; (at = text.find("\n6.600000 ")) != std::string::npos;)
        text.replace(at, 10, "\n6.6000001 ");
    folder.WriteHandOff();
    folder.Write("pile.kv7d", text);
    const RunResult b = RunEngine(folder);
    ASSERT_EQ(b.status, 0) << b.report;
    ASSERT_EQ(b.state->SoilColumns[1][korva::engine::Soil::Depth], 6.6000001) << "the deeper boundary was read";

    EXPECT_FALSE(LoadSettlementTable(a.report).empty());
    EXPECT_EQ(LoadSettlementTable(a.report), LoadSettlementTable(b.report));
    // The curve at the top of the sand has the peak of the sand below it.
    const auto& curves = a.state->TzCurves;
    EXPECT_GT(curves[6].TzMaxTransfer, 1.5 * curves[4].TzMaxTransfer);
    EXPECT_DOUBLE_EQ(curves[6].TzMaxTransfer, b.state->TzCurves[6].TzMaxTransfer);
}

TEST(LoadTransferRun, ClayOverSandInEnglishAndSiWithinOneAndAHalfPercent)
{
    // The SI pile of the test above in English units, and back converted.
    PileProject english = ClayOverSandSi();
    english.units = 1;
    english.outer_diameter = 24.0;
    english.elastic_modulus = 29000000.0;
    english.total_length = 52.0;
    english.stickup = 3.0;
    english.increment = 0.5;
    english.profile_bottom = 66.0;
    // 22 ft lies on a row in both unit systems (0.5 ft, 0.1524 m).
    english.layers[0].bottom = english.layers[1].top = 22.0;
    english.layers[1].bottom = 66.0;
    english.layers[0].unit_weight = 45.0;
    english.layers[1].unit_weight = 64.0;
    english.layers[0].su = 400.0;
    english.layers[0].remolded_or_blows = 200.0;
    RunFolder folder;
    const RunResult e = RunProject(folder, english);
    const RunResult m = RunProject(folder, InSi(english));
    ASSERT_EQ(e.status, 0) << e.report;
    ASSERT_EQ(m.status, 0) << m.report;
    for (int i = 0; i < 9; ++i) {
        const double kips = e.state->LoadSettlement[i].TopLoad / 1000.0;
        EXPECT_NEAR(m.state->LoadSettlement[i].TopLoad / KnPerKip, kips, 0.015 * kips) << "tip movement " << i + 1;
    }

}

// The pile is walked by its computation rows, whatever rows the tables
// print: print intervals 1, 3 and 5 give the same head loads, and the plot
// data file keeps its RowsPerCurve distribution rows per tip movement.
TEST(LoadTransferRun, PrintIntervalLeavesTheHeadLoads)
{
    for (const PileProject& base : {ThreeLayerProject(), ClayOverSandSi()}) {
        SCOPED_TRACE(base.units);
        RunFolder folder;
        std::vector<RunResult> runs;
        for (const int every : {1, 3, 5}) {
            PileProject p = base;
            p.print_every = every;
            runs.push_back(RunProject(folder, p));
            const RunResult& run = runs.back();
            ASSERT_EQ(run.status, 0) << run.report;
            const PlotData plot = ReadPlotData(run.plot, !base.tz_depths.empty());
            ASSERT_TRUE(plot.complete) << "print every " << every;
            EXPECT_EQ(plot.words_left, 0u);
            EXPECT_EQ(plot.rows_per_curve, run.state->RowsPerCurve);
            EXPECT_EQ(plot.distribution.size(), 9u * static_cast<std::size_t>(plot.rows_per_curve));
        }
        ASSERT_LT(runs[2].state->RowsPerCurve, runs[0].state->RowsPerCurve / 4);
        for (std::size_t r = 1; r < runs.size(); ++r)
            for (int i = 0; i < 9; ++i) {
                const double every_row = runs[0].state->LoadSettlement[i].TopLoad;
                EXPECT_NEAR(runs[r].state->LoadSettlement[i].TopLoad, every_row, 0.005 * every_row)
                    << "run " << r << ", tip movement " << i + 1;
            }
    }
}

// The free length is elements of its own above the ground: the same
// embedded pile with and without a stick-up carries the same head loads
// within 1 %, and the stick-up adds the shortening of a free column under
// the head load.
TEST(LoadTransferRun, StickupAddsMovementNotLoad)
{
    PileProject uplift = ClayOverSandSi();
    uplift.load_direction = 1;
    const struct {
        const char* name;
        PileProject pile;
        double stickup; // ft / m
    } cases[] = {{"three layers, 5 ft", ThreeLayerProject(), 5.0},
                 {"clay over sand, 1.5 m", ClayOverSandSi(), 1.5},
                 {"clay over sand in uplift, 1.5 m", uplift, 1.5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        PileProject embedded_only = c.pile;
        embedded_only.total_length -= embedded_only.stickup;
        embedded_only.stickup = 0.0;
        PileProject standing = embedded_only;
        standing.total_length += c.stickup;
        standing.stickup = c.stickup;
        RunFolder folder;
        const RunResult a = RunProject(folder, embedded_only);
        const RunResult b = RunProject(folder, standing);
        ASSERT_EQ(a.status, 0) << a.report;
        ASSERT_EQ(b.status, 0) << b.report;
        const double free_length = c.stickup * (c.pile.units == 1 ? 12.0 : 1.0); // in / m
        const double ea = korva::engine::SectionStiffnessAt(*b.state, 0.0);
        for (int i = 0; i < 9; ++i) {
            SCOPED_TRACE(i + 1);
            const korva::engine::LoadSettlementPoint& without = a.state->LoadSettlement[i];
            const korva::engine::LoadSettlementPoint& with = b.state->LoadSettlement[i];
            EXPECT_NEAR(with.TopLoad, without.TopLoad, 0.01 * std::fabs(without.TopLoad));
            const double column = with.TopLoad * free_length / ea;
            EXPECT_NEAR(with.TopMovement - without.TopMovement, column, 0.01 * std::fabs(column) + 1e-9);
        }
    }
}

TEST(LoadTransferRun, ExtraDepthOutsideTheProfileKeepsItsNumber)
{
    RunFolder folder;
    PileProject project = ClosedFormProject();
    project.tz_depths = {5.0, 500.0, 12.0};
    const RunResult run = RunProject(folder, project);
    ASSERT_EQ(run.status, 0) << run.report;
    const PlotData plot = ReadPlotData(run.plot, true);
    ASSERT_TRUE(plot.complete);
    EXPECT_EQ(plot.words_left, 0u);
    ASSERT_EQ(plot.extra_curves.size(), 2u);
    EXPECT_EQ(plot.extra_curves[0].number, 1);
    EXPECT_EQ(plot.extra_curves[1].number, 3);
    EXPECT_DOUBLE_EQ(plot.extra_curves[1].depth, 12.0);
    EXPECT_NE(run.report.find("            2         10      0.5000E+03\n"
                              "               CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE\n"),
              std::string::npos);
}

TEST(LoadTransferRun, NoStiffnessStopsWithStatusOne)
{
    RunFolder folder;
    PileProject project = ClosedFormProject();
    project.elastic_modulus = 0.0;
    const RunResult run = RunProject(folder, project);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.report.find("THE AXIAL STIFFNESS EA OF THE PILE IS ZERO."), std::string::npos);
    EXPECT_NE(run.report.find("* GENERAL METHOD *"), std::string::npos) << "the capacity tables stay";
    EXPECT_EQ(run.report.find("LOAD VERSUS SETTLEMENT"), std::string::npos);
}

} // namespace
