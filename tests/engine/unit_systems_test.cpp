// One pile, one answer: a project entered in English units and the same
// project in SI units give every capacity method the same skin friction, tip
// value (the self weight in uplift) and ultimate capacity at every row,
// within 0.3 % or what the rules' own SI figures allow. Specific projects at
// the constants of the rules, and random layered piles over every method,
// both load directions, stick-up, CPT profiles and pile types.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "random_piles.h"
#include "report_tables.h"

namespace {

using namespace korva::test;
namespace engine = korva::engine;
using engine::MethodResultRows;

struct Method {
    const char* name;
    int engine_method;
    const char* table_title;
};
const std::vector<Method> kAllMethods = {
    {"user-specified", engine::emUserSpecified, "* GENERAL METHOD *"},
    {"FHWA", engine::emFhwa, "*  FED. HWY. METHOD  *"},
    {"USACE", engine::emUsace, "* ARMY CORPS METHOD  *"},
    {"Revised Lambda", engine::emRevisedLambda, "*  LAMBDA 2 METHOD   *"},
    {"API RP-2A", engine::emApi, "*  API RP-2A (1994)  *"},
    {"NGI", engine::emNgi, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *"},
    {"ICP/MTD", engine::emIcpMtd, "*  IMPERIAL COLLEGE (MTD) METHOD  *"},
    {"FUGRO", engine::emFugro, "*    FUGRO 2004 (FUGRO) METHOD    *"},
    {"UWA", engine::emUwa, "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"},
};
const std::vector<Method> kConeMethods(kAllMethods.end() - 4, kAllMethods.end());

struct Quantity {
    const char* name;
    engine::RowArray MethodResultRows::*rows;
};
const Quantity kSkin{"skin friction", &MethodResultRows::SkinFriction};
const Quantity kTip{"tip value", &MethodResultRows::EndBearing};
const Quantity kUltimate{"ultimate capacity", &MethodResultRows::UltimateCapacity};
const std::vector<Quantity> kAllQuantities = {kSkin, kTip, kUltimate};

// The largest relative difference of a quantity over the rows of a method,
// SI kN against English kips converted, beyond an allowance in kN, and
// where it is. Rows of less than 0.05 kN in both runs count as equal.
struct Difference {
    double relative = 0.0;
    int row = -1;
    double english_kn = 0.0;
    double si_kn = 0.0;
};

Difference LargestDifference(const PairOfRuns& runs, int engine_method, const Quantity& q, double allowance_kn)
{
    const engine::RowArray& kips = runs.english.state->MethodRows[engine_method].*q.rows;
    const engine::RowArray& kn = runs.si.state->MethodRows[engine_method].*q.rows;
    Difference worst;
    for (int k = 0; k < runs.english.state->PenetrationRowCount; ++k) {
        const double english = kips[k] * KnPerKip;
        const double si = kn[k];
        const double size = std::max(std::abs(english), std::abs(si));
        if (size < 0.05)
            continue;
        const double relative = std::max(0.0, std::abs(si - english) - allowance_kn) / size;
        if (relative > worst.relative)
            worst = {relative, k, english, si};
    }
    return worst;
}

void ExpectSameCapacities(const PairOfRuns& runs, const std::vector<Method>& methods,
                          const std::vector<Quantity>& quantities, double tolerance = 0.003,
                          double allowance_kn = 0.0)
{
    ASSERT_EQ(runs.english.status, 0);
    ASSERT_EQ(runs.si.status, 0);
    ASSERT_EQ(runs.si.state->PenetrationRowCount, runs.english.state->PenetrationRowCount);
    for (const Method& m : methods) {
        for (const Quantity& q : quantities) {
            const Difference d = LargestDifference(runs, m.engine_method, q, allowance_kn);
            EXPECT_LE(d.relative, tolerance) << m.name << ", " << q.name << ", row " << d.row << ": English "
                                             << d.english_kn << " kN, SI " << d.si_kn << " kN";
        }
    }
}

// --- The cone-based rules' atmospheric pressure ---

// Dense sand whose cone resistance comes from the blow count (2.8 pa N) or
// from a CPT profile: the tips of NGI, ICP/MTD, FUGRO and UWA, which take the
// atmospheric pressure in their end-bearing rules, agree.
TEST(UnitSystems, ConeMethodTipsAgree)
{
    SoilLayer sand{0.0, 80.0, 1, 0.8, 120.0, -1.0, 36.0, 40.0};
    sand.remolded_or_blows = 30.0;
    PileProject p;
    p.total_length = 62.0;
    p.stickup = 2.0;
    p.profile_bottom = 80.0;
    p.layers = {sand};
    p.methods = {0, 0, 0, 0, 0, 1, 1, 1, 1};
    p.load_transfer_method = 6;
    std::vector<CptPoint> profile;
    for (int i = 1; i <= 160; ++i)
        profile.push_back({0.5 * i, 150.0 + 2.0 * i});
    for (const bool cpt : {false, true}) {
        for (const int closed : {1, 0}) {
            SCOPED_TRACE(std::string(cpt ? "CPT profile" : "blow count") + (closed ? ", closed" : ", open"));
            p.closed_ended = closed;
            p.inner_diameter = closed ? 0.0 : 22.5;
            ExpectSameCapacities(RunInBothSystems(p, cpt ? profile : std::vector<CptPoint>{}), kConeMethods, {kTip});
        }
    }
}

} // namespace

namespace {

// --- The API code 9999 for the side-friction limit ---

// Dense sand to 80 ft around a closed 24 in pipe, every layer's maximum
// side friction given as 9999, the code that asks API RP-2A for its sand
// limits: the FHWA unit side friction passes 10 ksf in the lower part.
PileProject ApiCodeSandProject()
{
    PileProject p;
    p.title = "Closed pipe in dense sand, side-friction limit 9999";
    p.outer_diameter = 24.0;
    p.total_length = 72.0;
    p.stickup = 2.0;
    p.profile_bottom = 80.0;
    p.methods = {1, 1, 1, 1, 0, 1, 1, 1, 1};
    p.load_transfer_method = 1;
    SoilLayer upper{0.0, 30.0, 1, 1.0, 125.0, -1.0, 36.0, 40.0};
    SoilLayer lower{30.0, 80.0, 1, 1.0, 128.0, -1.0, 40.0, 50.0};
    for (SoilLayer* l : {&upper, &lower}) {
        l->max_side_friction = 9999.0;
        l->remolded_or_blows = 40.0;
    }
    p.layers = {upper, lower};
    return p;
}

// For the methods that do not replace it, the code means no limit, in
// English units (where it was 9.999 ksf) as in SI (9999 kPa): the project
// gives every method the same capacities in both systems.
TEST(UnitSystems, TheApiLimitCodeMeansNoLimitInBothSystems)
{
    const PileProject p = ApiCodeSandProject();
    const PairOfRuns runs = RunInBothSystems(p);
    ExpectSameCapacities(runs, kAllMethods, kAllQuantities);
    // The project shows it: FHWA's unit side friction at the tip is well
    // above 10 ksf, and API takes its own sand limit (2.4 ksf at 40 degrees).
    const engine::RunState& english = *runs.english.state;
    const int tip = english.PenetrationRowCount - 1;
    EXPECT_GT(english.MethodRows[engine::emFhwa].UnitSideFriction[tip], 11.0);
    EXPECT_NEAR(english.MethodRows[engine::emApi].UnitSideFriction[tip], 2.4, 1e-6);
}

} // namespace

namespace {

// Each method's table is the same whether or not API RP-2A is selected
// beside it: the code 9999 takes no meaning from the selection. An open
// pipe (the plug friction takes the layer's limit too) in the sand of the
// project above with clay between, user values in the top layer, in both
// unit systems. The sand gives no earth-pressure coefficient: with one
// given, the field is API's coefficient while API is selected, and USACE
// takes its own 1.25 then, as it does for a coefficient of 0.
TEST(UnitSystems, AMethodsTableIsTheSameWithAndWithoutApi)
{
    PileProject english = ApiCodeSandProject();
    english.closed_ended = 0;
    english.inner_diameter = 23.0;
    SoilLayer clay{30.0, 45.0, 2, 0.0, 58.0};
    clay.phi = 0.0;
    clay.nq = 0.0;
    clay.su = 2400.0;
    clay.remolded_or_blows = 1200.0;
    clay.yield_stress_ratio = 2.0;
    clay.plasticity_index = 25.0;
    clay.max_side_friction = 9999.0;
    english.layers.insert(english.layers.begin() + 1, clay);
    english.layers[2].top = 45.0;
    english.layers[0].user_skin = 800.0;
    english.layers[0].user_end = 30000.0;
    for (SoilLayer& l : english.layers)
        l.k = 0.0;
    for (const PileProject& base : {english, InSi(english)}) {
        SCOPED_TRACE(base.units == 1 ? "English" : "SI");
        for (const Method& m : kAllMethods) {
            if (m.engine_method == engine::emApi)
                continue;
            SCOPED_TRACE(m.name);
            PileProject alone = base;
            alone.methods.assign(9, 0);
            alone.methods[engine::PileMethodOf(m.engine_method) - 1] = 1;
            alone.load_transfer_method = engine::PileMethodOf(m.engine_method);
            PileProject with_api = alone;
            with_api.methods[engine::pmApi - 1] = 1;
            RunFolder folder;
            const RunResult a = RunProject(folder, alone);
            const RunResult b = RunProject(folder, with_api);
            ASSERT_EQ(a.status, 0) << a.report;
            ASSERT_EQ(b.status, 0) << b.report;
            const std::vector<std::string> rows = TableRows(a.report, m.table_title);
            ASSERT_EQ(rows.size(), static_cast<std::size_t>(a.state->RowsPerCurve));
            EXPECT_GT(Numbers(rows.back())[1], 0.0);
            EXPECT_EQ(TableRows(b.report, m.table_title), rows);
        }
    }
}

} // namespace

namespace {

// --- The constants of the rules ---

// The conversion of a project is exact, so that an English pile and its SI
// twin differ by rounding alone where every constant has one physical value:
// far less than 0.001 %.
constexpr double kRounding = 1e-5;
// FHWA turns its displaced volume from m^2 to ft^2 by its own 0.0929
// (0.09290304 exactly): its sand friction may differ by a few 1e-5 more.
constexpr double kFhwaVolumeFactor = 5e-5;

PileProject OneLayerPile(SoilLayer layer, double embedded)
{
    PileProject p;
    p.total_length = embedded;
    p.stickup = 0.0;
    p.profile_bottom = layer.bottom;
    p.methods = {1, 1, 1, 1, 0, 1, 1, 1, 1};
    p.load_transfer_method = 1;
    p.layers = {layer};
    return p;
}

SoilLayer SandLayer(double top, double bottom, double unit_weight, double phi)
{
    SoilLayer sand{top, bottom, 1, 0.9, unit_weight, -1.0, phi, 25.0};
    sand.remolded_or_blows = 20.0;
    return sand;
}

SoilLayer ClayLayer(double top, double bottom, double unit_weight, double su)
{
    SoilLayer clay{top, bottom, 2, 0.0, unit_weight};
    clay.phi = 0.0;
    clay.nq = 0.0;
    clay.su = su;
    clay.remolded_or_blows = 0.5 * su;
    clay.yield_stress_ratio = 1.5;
    clay.plasticity_index = 25.0;
    return clay;
}

// A clay layer of half an increment between sand, 12 to 12.5 ft (in SI a
// rounding error thinner): it grows to one increment in both systems, and
// every method gives the same capacities in English and SI units.
TEST(UnitSystems, AThinLayerGrowsAlikeInBothSystems)
{
    PileProject p = OneLayerPile(SandLayer(0.0, 12.0, 118.0, 31.0), 40.0);
    p.layers.push_back(ClayLayer(12.0, 12.5, 110.0, 1700.0));
    p.layers.push_back(SandLayer(12.5, 50.0, 62.0, 34.0));
    p.profile_bottom = 50.0;
    ExpectSameCapacities(RunInBothSystems(p), kAllMethods, kAllQuantities, kRounding);
}

// The water table is taken as it is from a foot deep on, and 0.1 ft deep
// when it is shallower, alike in both systems: at 2.5 ft (0.762 m), at just
// a foot (0.3048 m, which the single-precision foot of SI exceeds in its
// last digits) and at half a foot. A square concrete pile in uplift: the
// skin friction agrees to rounding; the tip value, the self weight, is that
// of each system's own unit weights (in SI 23.56305 and water 9.8 kN/m^3),
// buoyant below the water table taken.
TEST(UnitSystems, TheWaterTableIsTakenAlikeInBothSystems)
{
    struct Case {
        double water_table; // ft: the top of the light layer
        double taken;       // ft
    };
    for (const Case c : {Case{2.5, 2.5}, Case{1.0, 1.0}, Case{0.5, double(0.1f)}}) {
        SCOPED_TRACE(c.water_table);
        PileProject p = OneLayerPile(SandLayer(0.0, c.water_table, 115.0, 32.0), 50.0);
        p.layers.push_back(SandLayer(c.water_table, 60.0, 57.6, 32.0));
        p.profile_bottom = 60.0;
        p.pile_type = 3;
        p.elastic_modulus = 4000000.0;
        p.perimeter = 56.0;
        p.tip_area = 196.0;
        p.section_area = 196.0;
        p.outer_diameter = 0.0;
        p.load_direction = 1;
        const PairOfRuns runs = RunInBothSystems(p);
        std::vector<Method> others = kAllMethods;
        std::erase_if(others, [](const Method& m) { return m.engine_method == engine::emFhwa; });
        ExpectSameCapacities(runs, others, {kSkin}, kRounding);
        ExpectSameCapacities(runs, {kAllMethods[1]}, {kSkin}, kFhwaVolumeFactor);

        const auto self_weight = [](double area, double z, double water_table, double pile, double water) {
            return z <= water_table ? area * pile * z
                                    : area * pile * water_table + area * (pile - water) * (z - water_table);
        };
        // SI takes a tenth of its own single-precision foot.
        const double taken_si = c.taken == c.water_table ? c.taken * FeetToMetres : double(0.1f) * double(0.3048f);
        for (const Method& m : kAllMethods) {
            if (m.engine_method == engine::emUserSpecified)
                continue; // not selected
            SCOPED_TRACE(m.name);
            for (int k = 1; k < runs.english.state->PenetrationRowCount; ++k) {
                const double english = self_weight(196.0 / 144.0, k * 1.0, c.taken, double(0.15f), double(0.0624f));
                const double si = self_weight(196.0 * SquareMetresPerSquareInch, k * FeetToMetres, taken_si,
                                              double(23.56305f), double(9.8f));
                EXPECT_NEAR(runs.english.state->MethodRows[m.engine_method].EndBearing[k], english, 1e-9 * english)
                    << k;
                EXPECT_NEAR(runs.si.state->MethodRows[m.engine_method].EndBearing[k], si, 1e-9 * si) << k;
            }
        }
    }
}

// API RP-2A and Revised Lambda take the sand end-bearing limit from their
// own table in each system: sand of 20 degrees gives 40 ksf in English units
// and API's 1900 kPa in SI (40 ksf would be 1915 kPa). A closed 24 in pipe
// whose tip stands at the limit over the whole averaging window.
TEST(UnitSystems, ApiSandTipAtTheLimitOfItsOwnTable)
{
    SoilLayer sand = SandLayer(0.0, 80.0, 64.0, 20.0);
    sand.nq = 40.0;
    const PairOfRuns runs = RunInBothSystems(OneLayerPile(sand, 70.0));
    const double english_area = double(0.7853975f) * 24.0 * 24.0 / 144.0;
    const double si_area = double(0.7853975f) * 609.6 * 609.6 / 1.0e6;
    const int tip = runs.english.state->PenetrationRowCount - 1;
    for (const int method : {engine::emApi, engine::emRevisedLambda}) {
        SCOPED_TRACE(method);
        EXPECT_NEAR(runs.english.state->MethodRows[method].EndBearing[tip], 40.0 * english_area, 1e-9);
        EXPECT_NEAR(runs.si.state->MethodRows[method].EndBearing[tip], 1900.0 * si_area, 1e-9);
    }
}

} // namespace

namespace {

// --- Random layered piles ---

// The rules' own SI figures are the English ones rounded: by up to 0.45 %
// for these piles (API's sand end-bearing limit at 28 degrees, their least
// friction angle: 4040 kPa for 84 ksf), and in the uplift self weight by
// 0.0023 kN/m^3 of pile (water 9.8), where a pile lighter than water can
// weigh about nothing.
constexpr double kPublishedFigures = 0.0045;

double SelfWeightAllowanceKn(const PileProject& p)
{
    if (p.load_direction != 1)
        return 0.0;
    const double area = p.section_area > 0.0 ? p.section_area
                        : p.tip_area > 0.0   ? p.tip_area
                                             : 0.7853982 * p.outer_diameter * p.outer_diameter;
    return 0.0023 * area * SquareMetresPerSquareInch * (p.total_length - p.stickup) * FeetToMetres;
}

// Random piles, each entered in English units and again in SI units: every
// method's skin friction, tip value and ultimate capacity agree at every
// row within what the rules' own SI figures allow. A fixed seed: the same
// piles on every run.
TEST(UnitSystems, RandomPilesGiveTheSameCapacitiesInEnglishAndSi)
{
    Random r(20150705);
    constexpr int kPiles = 200;
    // What the piles cover: uplift, stick-up, CPT profiles, open pipes, each
    // pile type.
    int uplift = 0, stickup = 0, cpt = 0, open = 0;
    std::vector<int> pile_types(8, 0);
    for (int i = 0; i < kPiles; ++i) {
        const RandomPile pile = MakeRandomPile(r, i);
        const PileProject& p = pile.project;
        uplift += p.load_direction;
        stickup += p.stickup > 0.0 ? 1 : 0;
        cpt += pile.cpt.empty() ? 0 : 1;
        open += p.closed_ended == 0 ? 1 : 0;
        ++pile_types[p.pile_type];
        SCOPED_TRACE(p.title + "\n" + p.Text());
        ExpectSameCapacities(RunInBothSystems(p, pile.cpt), kAllMethods, kAllQuantities, kPublishedFigures,
                             SelfWeightAllowanceKn(p));
    }
    for (const int count : {uplift, kPiles - uplift, stickup, cpt, open, pile_types[1], pile_types[2],
                            pile_types[3], pile_types[5], pile_types[6]})
        EXPECT_GT(count, 10);
}

} // namespace
