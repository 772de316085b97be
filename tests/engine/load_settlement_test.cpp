// The load-distribution and load-settlement section and the t-z curve
// sections with their plot data records (P3-P6), on hand-built hand-over
// rows of the load-transfer method.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "fixed_format.h"
#include "golden.h"
#include "hand_over_fixture.h"
#include "load_settlement.h"
#include "load_transfer_curves.h"
#include "plot_data_records.h"

namespace {

using namespace korva::test;
namespace engine = korva::engine;

std::size_t CountOf(const std::string& text, const std::string& what)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

TEST(LoadSettlement, LinearRangeMatchesTheWinklerClosedForm)
{
    RunFolder folder;
    auto s = HandOverState({});
    const SectionOutput out = RunLoadTransfer(*s, folder);
    ASSERT_EQ(out.status, 0);
    EXPECT_NEAR(WinklerHeadLoad(0.0001), 0.376, 0.002); // the hand-worked figure

    const PlotData plot = ReadLoadTransferPlotData(out.plot, s->RowsPerCurve, false);
    ASSERT_TRUE(plot.complete);
    ASSERT_EQ(plot.settlement.size(), 9u);
    const double tip_movements[] = {0.0001, 0.001, 0.005, 0.01};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(tip_movements[i]);
        const double closed_form = WinklerHeadLoad(tip_movements[i]);
        EXPECT_NEAR(s->LoadSettlement[i].TopLoad / 1000.0, closed_form, 0.02 * closed_form);
        EXPECT_NEAR(plot.settlement[i].top_load, closed_form, 0.02 * closed_form);
        EXPECT_NEAR(plot.settlement[i].tip_movement, tip_movements[i], 1e-8);
    }
    // At 2.0 in every curve is on its plateau: skin 157.08 plus tip 78.54 kips.
    EXPECT_NEAR(s->LoadSettlement[8].TopLoad / 1000.0, 157.08 + 78.54, 0.01);
    EXPECT_NEAR(plot.settlement[8].top_load, 235.6, 1e-9);
    EXPECT_NEAR(plot.settlement[8].tip_load, 78.54, 1e-9);
    EXPECT_EQ(CountOf(out.report, "BISECTION"), 0u);
}

TEST(LoadSettlement, SiRunWithinTwoPercentOfTheEnglishRun)
{
    for (const HandOverPile& pile :
         {HandOverPile{}, HandOverPile{.stickup = 2.0, .method = 2},
          HandOverPile{.outer_diameter = 24.0, .inner_diameter = 23.0, .embedded = 60.0, .stickup = 2.0,
                       .method = 4, .soil = {{0, 1, 30}, {20, 1, 32}, {20, 2, 0}, {45, 2, 0}, {45, 1, 34}, {80, 1, 36}}}}) {
        SCOPED_TRACE(pile.method);
        RunFolder folder;
        auto english = HandOverState(pile);
        auto si = HandOverState(InSi(pile));
        ASSERT_EQ(RunLoadTransfer(*english, folder).status, 0);
        const SectionOutput si_out = RunLoadTransfer(*si, folder);
        ASSERT_EQ(si_out.status, 0);
        EXPECT_EQ(si_out.plot.find('*'), std::string::npos);
        for (int i = 0; i < 9; ++i) {
            const double kips = english->LoadSettlement[i].TopLoad / 1000.0;
            const double from_si = si->LoadSettlement[i].TopLoad / 4.4482216;
            EXPECT_NEAR(from_si, kips, 0.02 * kips) << "tip movement " << i;
            EXPECT_NEAR(si->LoadSettlement[i].TopMovement * 39.37, english->LoadSettlement[i].TopMovement,
                        0.02 * english->LoadSettlement[i].TopMovement);
        }
    }
}

// One pile entered in English and in SI units gets its t-z curves at one
// set of depths: the free-length curve 0.1 in above the ground, the bottom
// curve of a layer 0.5 in above its bottom, the mid curve 0.3 in below its
// middle, and curves in every layer from 0.11 ft thick on (here a 0.2 ft
// sand lens in clay, 0.061 m). The extra-depth curves see the lens too, and
// the head loads agree.
TEST(LoadSettlementCurves, EnglishAndSiPlaceEveryCurveAtOneDepth)
{
    const HandOverPile english{.stickup = 3.0,
                               .soil = {{0, 2, 0}, {10, 2, 0}, {10, 1, 32}, {10.2, 1, 34}, {10.2, 2, 0}, {10.3, 2, 0},
                                        {10.3, 1, 30}, {30, 1, 36}, {30, 1, 36}, {100, 1, 36}},
                               .extra_depths = {10.1, 10.25, 20.0}};
    RunFolder folder;
    auto e = HandOverState(english);
    auto m = HandOverState(InSi(english));
    ASSERT_EQ(RunLoadTransfer(*e, folder).status, 0);
    ASSERT_EQ(RunLoadTransfer(*m, folder).status, 0);

    // Free length 3, clay 3, lens 3, clay 0.1 ft thin (none), sand 3, sand 3.
    ASSERT_EQ(e->TzCurveCount, 15);
    ASSERT_EQ(m->TzCurveCount, e->TzCurveCount);
    const double in_lens[] = {3.0 * 12 + 120.0, 3.0 * 12 + (120.0 + 122.4 - 0.5 + 1.1) / 2, 3.0 * 12 + 122.4 - 0.5};
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(e->TzCurves[6 + c].TzCurveDepth, in_lens[c], 1e-4) << "curve " << 7 + c;
    EXPECT_NEAR(e->TzCurves[2].TzCurveDepth, 36.0 - 0.1, 1e-6);
    for (int c = 0; c < e->TzCurveCount; ++c) {
        SCOPED_TRACE(c + 1);
        const engine::TzCurve& kips = e->TzCurves[c];
        const engine::TzCurve& kn = m->TzCurves[c];
        EXPECT_NEAR(kn.TzCurveDepth, kips.TzCurveDepth * 0.0254, 1e-9);
        EXPECT_EQ(kn.TzSoilCode, kips.TzSoilCode);
        EXPECT_NEAR(kn.TzMaxTransfer, kips.TzMaxTransfer * 6.894757, 1e-4 * kn.TzMaxTransfer + 1e-9);
    }
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(english.extra_depths[static_cast<std::size_t>(i)]);
        EXPECT_EQ(m->ExtraTzCurves[i].TzSoilCode, e->ExtraTzCurves[i].TzSoilCode);
        EXPECT_NEAR(m->ExtraTzCurves[i].TzFrictionAngle, e->ExtraTzCurves[i].TzFrictionAngle, 1e-9);
    }
    EXPECT_EQ(e->ExtraTzCurves[0].TzSoilCode, 1) << "in the lens";
    for (int i = 0; i < 9; ++i)
        EXPECT_NEAR(m->LoadSettlement[i].TopLoad / 4.4482216, e->LoadSettlement[i].TopLoad / 1000.0,
                    0.005 * e->LoadSettlement[i].TopLoad / 1000.0)
            << "tip movement " << i + 1;
}

// A layer just 0.11 ft thick, the least that carries t-z curves, carries
// them in SI too, where its converted depths may put it a rounding thinner:
// both systems make the same curves at the same depths.
TEST(LoadSettlementCurves, ALayerOfTheLeastThicknessCarriesCurvesInBothSystems)
{
    const HandOverPile english{.soil = {{0, 1, 32}, {10, 1, 32}, {10, 2, 0}, {10.11, 2, 0}, {10.11, 1, 34}, {100, 1, 36}}};
    RunFolder folder;
    auto e = HandOverState(english);
    auto m = HandOverState(InSi(english));
    ASSERT_EQ(RunLoadTransfer(*e, folder).status, 0);
    ASSERT_EQ(RunLoadTransfer(*m, folder).status, 0);
    ASSERT_EQ(e->TzCurveCount, 9); // sand, the thin clay, sand
    ASSERT_EQ(m->TzCurveCount, e->TzCurveCount);
    for (int c = 0; c < e->TzCurveCount; ++c) {
        EXPECT_NEAR(m->TzCurves[c].TzCurveDepth, e->TzCurves[c].TzCurveDepth * 0.0254, 1e-9) << "curve " << c + 1;
        EXPECT_EQ(m->TzCurves[c].TzSoilCode, e->TzCurves[c].TzSoilCode) << "curve " << c + 1;
    }
}

// The three-layer pile of the sample project: open pipe 24 x 23 in, 62 ft
// with 2 ft stickup, sand 0-20, clay 20-45, sand 45-80 ft, API curves.
HandOverPile ThreeLayerPile()
{
    return {.outer_diameter = 24.0,
            .inner_diameter = 23.0,
            .embedded = 60.0,
            .stickup = 2.0,
            .method = 4,
            .soil = {{0, 1, 30}, {20, 1, 32}, {20, 2, 0}, {45, 2, 0}, {45, 1, 34}, {80, 1, 36}},
            .extra_depths = {10.0, 32.5, 60.0}};
}

TEST(LoadSettlementRecords, CurvesBelowGroundDistributionBlocksAndSettlementRows)
{
    RunFolder folder;
    auto s = HandOverState(ThreeLayerPile());
    const SectionOutput out = RunLoadTransfer(*s, folder);
    ASSERT_EQ(out.status, 0);
    ASSERT_EQ(s->RowsPerCurve, 61);
    EXPECT_EQ(s->TzCurveCount, 12); // three in the free length are not written

    const PlotData plot = ReadLoadTransferPlotData(out.plot, s->RowsPerCurve, true);
    ASSERT_TRUE(plot.complete);
    EXPECT_EQ(plot.words_left, 0u);
    const double depths[] = {0, 10.03, 19.96, 20.00, 32.53, 44.96, 45.00, 62.53, 79.96};
    ASSERT_EQ(plot.tz_curves.size(), 9u);
    for (int c = 0; c < 9; ++c) {
        EXPECT_EQ(plot.tz_curves[c].number, c + 1);
        EXPECT_EQ(plot.tz_curves[c].point_count, 10);
        EXPECT_DOUBLE_EQ(plot.tz_curves[c].depth, depths[c]);
        EXPECT_EQ(plot.tz_curves[c].movement[0], 0.0);
        EXPECT_EQ(plot.tz_curves[c].load_transfer[0], 0.0);
    }
    ASSERT_EQ(plot.distribution.size(), 549u);
    EXPECT_EQ(plot.settlement.size(), 9u);
    ASSERT_EQ(plot.extra_curves.size(), 3u);
    EXPECT_EQ(plot.extra_curves[1].number, 2);
    EXPECT_DOUBLE_EQ(plot.extra_curves[1].depth, 32.5);

    // Distribution depths from the pile head, tip element first; over the
    // free length the load stays the head load.
    const double element = 62.0 / 61.0;
    for (int block = 0; block < 9; ++block) {
        const PlotDistributionRow& tip_row = plot.distribution[block * 61];
        const PlotDistributionRow& head_row = plot.distribution[block * 61 + 60];
        EXPECT_NEAR(tip_row.depth, 62.0 - 0.5 * element, 0.05); // three digits in the file
        EXPECT_NEAR(head_row.depth, 0.5 * element, 0.0005);
        EXPECT_NEAR(head_row.axial_load, s->LoadSettlement[block].TopLoad / 1000.0,
                    5e-3 * s->LoadSettlement[block].TopLoad / 1000.0);
        EXPECT_GE(tip_row.movement, 0.999 * s->LoadSettlement[block].TipMovement);
    }
    // Movement grows with the assumed tip movement.
    for (int i = 1; i < 9; ++i)
        EXPECT_GT(s->LoadSettlement[i].TopMovement, s->LoadSettlement[i - 1].TopMovement);
}

// A free length of more increments than the walk has room for (600 ft in
// 1 ft increments; at most 500 elements of it): the records stay complete
// and the free length adds only the shortening of a column under the head
// load.
TEST(LoadSettlementRecords, AFreeLengthBeyondTheElementLimit)
{
    RunFolder folder;
    auto standing = HandOverState({.stickup = 600.0});
    auto embedded = HandOverState({});
    const SectionOutput out = RunLoadTransfer(*standing, folder);
    ASSERT_EQ(out.status, 0);
    ASSERT_EQ(RunLoadTransfer(*embedded, folder).status, 0);
    const PlotData plot = ReadLoadTransferPlotData(out.plot, standing->RowsPerCurve, false);
    ASSERT_TRUE(plot.complete);
    EXPECT_EQ(plot.words_left, 0u);
    EXPECT_EQ(plot.distribution.size(), 9u * static_cast<std::size_t>(standing->RowsPerCurve));
    const double ea = engine::SectionStiffnessAt(*standing, 0.0);
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i + 1);
        const engine::LoadSettlementPoint& with = standing->LoadSettlement[i];
        const engine::LoadSettlementPoint& without = embedded->LoadSettlement[i];
        EXPECT_NEAR(with.TopLoad, without.TopLoad, 1e-9 * without.TopLoad);
        EXPECT_NEAR(with.TopMovement - without.TopMovement, with.TopLoad * 7200.0 / ea, 1e-9 * with.TopMovement);
        // The head row of each block lies in the free length: the head load
        // (three digits in the file).
        const std::size_t head_row = static_cast<std::size_t>((i + 1) * standing->RowsPerCurve - 1);
        EXPECT_NEAR(plot.distribution[head_row].axial_load, with.TopLoad / 1000.0, 5e-3 * with.TopLoad / 1000.0);
    }
}

TEST(LoadSettlementRecords, NoExtraDepthsNoSixthRecord)
{
    RunFolder folder;
    HandOverPile pile = ThreeLayerPile();
    pile.extra_depths.clear();
    auto s = HandOverState(pile);
    const SectionOutput out = RunLoadTransfer(*s, folder);
    const PlotData plot = ReadLoadTransferPlotData(out.plot, s->RowsPerCurve, false);
    ASSERT_TRUE(plot.complete);
    EXPECT_EQ(plot.words_left, 0u) << "the file ends after the nine load-settlement rows";
    EXPECT_EQ(out.report.find("VERIFICATION"), std::string::npos);
}

TEST(TzVerification, DepthsOutsideTheProfileKeepTheirNumbers)
{
    const struct {
        const char* name;
        std::vector<double> depths;
        std::vector<int> written;
        std::vector<int> not_printed;
    } cases[] = {
        {"BeyondTheProfile", {5, 500, 12}, {1, 3}, {2}},
        {"BottomInNegativeOut", {100, -1}, {1}, {2}},
        {"NoneInRange", {-0.5}, {}, {1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        HandOverPile pile;
        pile.extra_depths = c.depths;
        auto s = HandOverState(pile);
        const SectionOutput out = RunLoadTransfer(*s, folder);
        const PlotData plot = ReadLoadTransferPlotData(out.plot, s->RowsPerCurve, true);
        ASSERT_TRUE(plot.complete);
        EXPECT_EQ(plot.words_left, 0u);
        ASSERT_EQ(plot.extra_curves.size(), c.written.size());
        for (std::size_t i = 0; i < c.written.size(); ++i)
            EXPECT_EQ(plot.extra_curves[i].number, c.written[i]);
        EXPECT_EQ(CountOf(out.report, "CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE"), c.not_printed.size());
        for (int number : c.not_printed) {
            const std::string lines =
                engine::FormatRecord("(8X,I5,I11,E16.4)", {number, 10, c.depths[number - 1]}) +
                "               CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE\n";
            EXPECT_NE(out.report.find(lines), std::string::npos) << lines;
        }
    }
}

TEST(LoadSettlementStop, NoStiffnessOrNoDiameterStopsBeforeTheLoadTransfer)
{
    const struct {
        const char* name;
        void (*edit)(engine::RunState&);
        const char* reason;
    } cases[] = {
        {"ZeroModulus", [](engine::RunState& s) { s.ElasticModulus = 0.0; }, "THE AXIAL STIFFNESS EA OF THE PILE IS ZERO."},
        {"ZeroDiameter", [](engine::RunState& s) { s.OuterDiameter = 0.0; s.InnerDiameter = 0.0; },
         "THE PILE DIAMETER (OR PERIMETER) IS ZERO."},
        {"ZeroAreaInTheSectionTable",
         [](engine::RunState& s) {
             s.SectionAreaMode = 2;
             s.SectionRowCount = 2;
             s.DistanceFromHead[1] = 50.0;
             s.CrossSectionArea[0] = 10.0;
         },
         "THE AXIAL STIFFNESS EA OF THE PILE IS ZERO."},
        {"EmptySectionTable", [](engine::RunState& s) { s.SectionAreaMode = 2; },
         "NO CROSS SECTION AREA IS GIVEN ALONG THE PILE."},
        {"NegativeModulus", [](engine::RunState& s) { s.ElasticModulus = -29000000.0; },
         "THE AXIAL STIFFNESS EA OF THE PILE IS ZERO OR NEGATIVE."},
        {"ZeroAndNegativeAreasInTheSectionTable",
         [](engine::RunState& s) {
             s.SectionAreaMode = 2;
             s.SectionRowCount = 3;
             s.DistanceFromHead[1] = 20.0;
             s.DistanceFromHead[2] = 50.0;
             s.CrossSectionArea[0] = 0.0;
             s.CrossSectionArea[1] = 10.0;
             s.CrossSectionArea[2] = -10.0;
         },
         "THE AXIAL STIFFNESS EA OF THE PILE IS ZERO OR NEGATIVE."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        auto s = HandOverState({.extra_depths = {10.0}});
        c.edit(*s);
        const SectionOutput out = RunLoadTransfer(*s, folder);
        EXPECT_EQ(out.status, 1);
        EXPECT_NE(out.report.find("          LOAD DISTRIBUTION AND LOAD-SETTLEMENT CANNOT BE COMPUTED BECAUSE\n"
                                  "          " + std::string(c.reason) + "\n"),
                  std::string::npos)
            << out.report;
        EXPECT_NE(out.report.find("NOTES:"), std::string::npos);
        EXPECT_EQ(out.report.find("COMPUTE LOAD-DISTRIBUTION"), std::string::npos);
        EXPECT_EQ(out.report.find("VERIFICATION"), std::string::npos);
        EXPECT_EQ(out.plot, "");
    }
}

// A timber-like pile (E = 1.634e6 psi) walked in two elements (increments
// of 25 ft): the movement of the tip element creeps towards its root by less
// than the tolerance per pass for more than 200 passes.
TEST(LoadSettlementPassLimit, SlowElementFoundByBisectionWithOneReportLine)
{
    RunFolder folder;
    auto s = HandOverState({.modulus = 1.634e6, .increment = 25.0, .tip_capacity = 56.8});
    const SectionOutput out = RunLoadTransfer(*s, folder);
    ASSERT_EQ(out.status, 0);
    EXPECT_EQ(s->ElementsBeyondPassLimit, 1);
    EXPECT_EQ(CountOf(out.report, "BISECTION"), 1u);
    EXPECT_NE(out.report.find("\n            - THE MOVEMENT OF    1 PILE ELEMENT(S) WAS FOUND BY BISECTION AFTER 200 "
                              "PASSES.\n"),
              std::string::npos);
    EXPECT_EQ(out.plot.find('*'), std::string::npos);

    // The tip element of each assumed tip movement again: where the passes ran
    // out, the bisection lands on the root that endless passes creep towards.
    const double length = 600.0 / 2;
    const double mid_depth = 600.0 - 0.5 * length;
    const double ea = engine::SectionStiffnessAt(*s, mid_depth);
    int beyond = 0;
    for (const engine::LoadSettlementPoint& point : s->LoadSettlement) {
        const engine::ElementResult result =
            engine::SolveElement(*s, mid_depth, length, point.TipLoad, point.TipMovement);
        if (!result.beyond_pass_limit)
            continue;
        ++beyond;
        double w = point.TipMovement;
        for (int pass = 0; pass < 1000000; ++pass) {
            const double f = 12.0 * static_cast<double>(3.1416f) * length * engine::TzLoadTransferAt(*s, mid_depth, w);
            const double next = point.TipMovement + (point.TipLoad + f / 4.0) * (length / 2.0) / ea;
            if (std::fabs(next - w) < 1e-12)
                break;
            w = next;
        }
        EXPECT_NEAR(result.mid_movement, w, 1e-6);
    }
    EXPECT_EQ(beyond, 1);
}

TEST(LoadSettlementPassLimit, OscillatingElementSolvedOnTheSameEquation)
{
    // One curve that drops steeply after its peak: the plain iteration jumps
    // between the two sides of the drop for ever.
    auto s = HandOverState({.modulus = 1.0e6});
    s->SectionArea = 1.0;
    engine::BuildSectionStiffness(*s);
    s->TzCurveCount = 1;
    engine::TzCurve& curve = s->TzCurves[0];
    const double movements[] = {0, 0.01, 0.02, 0.03, 0.04, 0.05, 0.06, 0.07, 0.08, 0.09};
    for (int p = 0; p < 10; ++p) {
        curve.Movement[p] = movements[p];
        curve.LoadTransfer[p] = p == 1 ? 100.0 : 0.0;
    }
    const double length = 12.0, bottom_movement = 0.005;
    const engine::ElementResult result = engine::SolveElement(*s, 6.0, length, 0.0, bottom_movement);
    EXPECT_TRUE(result.beyond_pass_limit);
    // The root of w = w_bot + (F(w) / 4) L / (2 EA) on the falling branch.
    const double k = length / (2.0 * 1.0e6) * 12.0 * static_cast<double>(3.1416f) * length / 4.0;
    const double root = (bottom_movement + k * 200.0) / (1.0 + k * 1.0e4);
    EXPECT_NEAR(result.mid_movement, root, 1e-7);
    const double t = engine::TzLoadTransferAt(*s, 6.0, result.mid_movement);
    EXPECT_NEAR(result.top_load, 12.0 * static_cast<double>(3.1416f) * length * t, 1e-3);

    // A curve without the drop converges at once, within the limit.
    curve.LoadTransfer = {0, 10, 10, 10, 10, 10, 10, 10, 10, 10};
    EXPECT_FALSE(engine::SolveElement(*s, 6.0, length, 0.0, bottom_movement).beyond_pass_limit);
}

// The movement tolerance is one length in both unit systems: 0.0001 in, or
// 2.54e-6 m in SI. A first pass that moves the mid estimate by no more is
// taken as it is.
TEST(LoadSettlementTolerance, OneTenThousandthOfAnInchInEitherUnit)
{
    const struct {
        int units;
        double bottom_movement_inches;
        bool first_pass_taken;
    } cases[] = {{1, 1.0e-4, true}, {2, 1.0e-4, true}, {1, 1.0e-3, false}, {2, 1.0e-3, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.units) + " " + std::to_string(c.bottom_movement_inches));
        // One linear curve t = 1000 w, a 1 m (or 1 in) element of a 1 m (1 in)
        // pile with EA = 785.4: the mid estimate moves by half the bottom
        // movement in the first pass.
        auto s = HandOverState({.units = c.units, .outer_diameter = c.units == 1 ? 1.0 : 1000.0, .modulus = 785.4});
        s->SectionArea = 1.0;
        engine::BuildSectionStiffness(*s);
        s->TzCurveCount = 1;
        for (int p = 0; p < 10; ++p) {
            s->TzCurves[0].Movement[p] = 0.01 * p;
            s->TzCurves[0].LoadTransfer[p] = 1000.0 * 0.01 * p;
        }
        const double bottom_movement = c.bottom_movement_inches * (c.units == 1 ? 1.0 : 0.0254);
        const double ka = 1000.0 * static_cast<double>(3.1416f) / 4.0 / (2.0 * 785.4);
        const double first_pass = bottom_movement * (1.0 + ka);
        const double converged = bottom_movement / (1.0 - ka);
        const double tolerance = c.units == 1 ? 1.0e-4 : 2.54e-6;
        const engine::ElementResult result = engine::SolveElement(*s, 0.5, 1.0, 0.0, bottom_movement);
        if (c.first_pass_taken) {
            EXPECT_NEAR(result.mid_movement, first_pass, 1e-12);
        } else {
            EXPECT_NEAR(result.mid_movement, converged, tolerance);
            EXPECT_GT(std::fabs(result.mid_movement - first_pass), tolerance);
        }
    }
}

// Golden report sections and plot records (P3-P6) of three piles; the same
// text under a comma-decimal locale.
TEST(LoadSettlementGolden, ReportSectionsAndPlotRecords)
{
    const struct {
        const char* name;
        HandOverPile pile;
    } cases[] = {
        {"closed-form-english", HandOverPile{}},
        {"closed-form-si", InSi(HandOverPile{})},
        {"three-layers-english", ThreeLayerPile()},
        {"three-layers-si-usace", InSi([] {
             HandOverPile p = ThreeLayerPile();
             p.method = 2;
             p.extra_depths.push_back(500.0);
             return p;
         }())},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        auto plain_state = HandOverState(c.pile);
        const SectionOutput plain = RunLoadTransfer(*plain_state, folder);
        ASSERT_EQ(plain.status, 0);
        ExpectMatchesGolden(plain.report, std::string("engine/load-transfer-") + c.name + ".kv7o");
        ExpectMatchesGolden(plain.plot, std::string("engine/load-transfer-") + c.name + ".kv7p");

        ScopedCommaLocale comma;
        ASSERT_TRUE(comma.Active());
        auto comma_state = HandOverState(c.pile);
        const SectionOutput with_comma = RunLoadTransfer(*comma_state, folder);
        EXPECT_EQ(with_comma.report, plain.report);
        EXPECT_EQ(with_comma.plot, plain.plot);
    }
}

} // namespace
