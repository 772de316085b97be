#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "capacity_steps.h"
#include "fhwa_charts.h"
#include "land_methods.h"
#include "land_segments.h"

namespace korva::test {
namespace {

using namespace engine;

// Unit side friction at the bottom point of the segment that ends at depth.
double FrictionAt(const RunState& s, double depth)
{
    return s.PointUnitSideFriction[BottomPoint(static_cast<int>(depth / s.IncrementLength + 1e-6) - 1)];
}

// --- FHWA ---

TEST(FhwaMethod, NordlundSandAtOneCubicFootPerFoot)
{
    // An open steel pipe whose tip area is 1 ft^2 displaces 1 ft^3/ft.
    auto s = BuildSegments({.outer_diameter = 24.0, .inner_diameter = 23.0}, {{.bottom = 15.0, .type = 1, .phi = 30.0}});
    s->TipArea = 1.0;
    ComputeCapacityFhwa(*s);
    for (const int p : {TopPoint(4), BottomPoint(4), BottomPoint(11)}) {
        const double stress = s->PointEffectiveStress[p];
        EXPECT_NEAR(s->PointUnitSideFriction[p] / stress, 0.3277, 5e-5) << "point " << p;
        EXPECT_EQ(s->PointPlugSideFriction[emFhwa][p], s->PointUnitSideFriction[p]);
    }
    EXPECT_EQ(s->MethodIndex, emFhwa);
}

TEST(FhwaMethod, DisplacedVolumeOfClosedAndPluggedPiles)
{
    // A closed pipe displaces its gross area (with 3.1416): OD 24 in gives
    // 3.1416 ft^3/ft. An open pipe whose FHWA tip row is plugged (flag 1 by
    // compression's rule) takes its gross area too, with 3.14159.
    const auto expected = [](double volume, double phi, double stress) {
        const double ratio = LookupPileTypeChart(volume, 1);
        return NordlundEarthPressure(phi, 0.0, volume) * FhwaCorrectionFactors(ratio, phi) * stress *
               std::sin(ratio * phi / 57.2958f);
    };
    auto closed = BuildSegments({}, {{.bottom = 15.0, .type = 1, .phi = 34.0}});
    ComputeCapacityFhwa(*closed);
    const double stress = closed->PointEffectiveStress[BottomPoint(5)];
    EXPECT_NEAR(FrictionAt(*closed, 6.0), expected(0.25f * 3.1416f * 576.0 / 144.0f, 34.0, stress), 1e-12);

    // In SI the volume in m^3/m is converted to ft^3/ft by the method's own
    // 0.0929 m^2 per ft^2: a closed 609.6 mm pipe displaces 3.1416 x
    // 0.09290304 / 0.0929.
    auto closed_si = BuildSegments({.units = 2, .outer_diameter = 609.6, .length = 10.0 * 0.3048, .increment = 0.3048},
                                   {{.bottom = 15.0 * 0.3048, .type = 1, .phi = 34.0, .unit_weight = 18.0}});
    ComputeCapacityFhwa(*closed_si);
    const double stress_si = closed_si->PointEffectiveStress[BottomPoint(5)];
    EXPECT_NEAR(FrictionAt(*closed_si, 6.0 * 0.3048) / stress_si,
                expected(0.25f * 3.1416f * (0.6096 * 0.6096) / 0.0929f, 34.0, 1.0), 1e-12);

    auto open = BuildSegments({.inner_diameter = 23.0}, {{.bottom = 15.0, .type = 1, .phi = 34.0}});
    open->CompressionTipFlags[emFhwa][5] = 1;
    ComputeCapacityFhwa(*open);
    EXPECT_NEAR(FrictionAt(*open, 6.0), expected(0.25f * 3.14159f * 576.0 / 144.0f, 34.0, stress), 1e-12);
    EXPECT_NEAR(FrictionAt(*open, 7.0) / open->PointEffectiveStress[BottomPoint(6)],
                expected(0.25f * 3.14159f * (576.0 - 529.0) / 144.0f, 34.0, 1.0), 1e-12);
}

struct GraphCase {
    std::string name;
    std::vector<TestLayer> layers;
    double depth;        // bottom of the segment looked at
    int graph;           // the adhesion graph it must use
    double ratio;        // its penetration ratio
};

TEST(FhwaMethod, AdhesionGraphByLayeringOrAdhesionMethod)
{
    const TestLayer sand{.bottom = 10.0, .type = 1, .phi = 32.0};
    const TestLayer soft{.bottom = 10.0, .type = 2, .su = 0.5};
    const TestLayer clay{.bottom = 40.0, .type = 2, .su = 2.0};
    TestLayer clay_forced = clay;
    clay_forced.adhesion_method = 3.0;
    TestLayer clay_unknown = clay;
    clay_unknown.adhesion_method = 5.0;
    TestLayer stiff_start = clay;
    stiff_start.su = 5.0;
    // Pile 30 ft, OD 24 in: the ratio is (30 - layer top + clay above) / 2.
    const GraphCase cases[] = {
        {"clay below sand", {sand, clay}, 20.0, 1, 10.0},
        {"clay below soft clay at the start", {soft, clay}, 20.0, 2, 15.0},
        {"the soft clay itself", {soft, clay}, 1.0, 2, 5.0},
        {"AdhesionMethod 3 forces graph 3", {sand, clay_forced}, 20.0, 3, 10.0},
        {"AdhesionMethod 5 counts as 0", {sand, clay_unknown}, 20.0, 1, 10.0},
        {"stiff clay from the start", {stiff_start}, 1.0, 3, 15.0},
        {"stiff clay from the start, deeper", {stiff_start}, 30.0, 3, 15.0},
    };
    for (const GraphCase& c : cases) {
        auto s = BuildSegments({.length = 30.0}, c.layers);
        ComputeCapacityFhwa(*s);
        const double su = s->SegmentSoil[static_cast<int>(c.depth) - 1][Soil::UndrainedShearStrength];
        EXPECT_NEAR(FrictionAt(*s, c.depth), FhwaAdhesionFactor(c.graph, su, c.ratio) * su, 1e-12) << c.name;
    }
}

// Two segments, sand over clay: the layering chooses no graph (it needs
// more than two segments), so the clay takes the graph of its own strength,
// never an adhesion factor of 0.
TEST(FhwaMethod, ShortPileOfSandOverClayChoosesTheGraphOfTheClay)
{
    const TestLayer sand{.bottom = 1.0, .type = 1, .phi = 32.0};
    for (const auto& [su, graph] : std::vector<std::pair<double, int>>{{2.0, 3}, {0.5, 2}}) {
        SCOPED_TRACE(su);
        auto s = BuildSegments({.length = 2.0}, {sand, {.bottom = 2.0, .type = 2, .su = su}});
        ASSERT_EQ(s->SegmentCount, 2);
        ComputeCapacityFhwa(*s);
        // Ratio (2 - 1) / 2 ft = 0.5 into the clay.
        const double expected = FhwaAdhesionFactor(graph, su, 0.5) * su;
        EXPECT_GT(expected, 0.0);
        EXPECT_NEAR(FrictionAt(*s, 2.0), expected, 1e-12);
        EXPECT_NEAR(s->PointUnitSideFriction[TopPoint(1)], expected, 1e-12);
        EXPECT_GT(s->MethodRows[emFhwa].SkinFriction[2], s->MethodRows[emFhwa].SkinFriction[1]);
    }
}

// In SI the graphs take Su / 47.88, FHWA's own kPa to the ksf: a clay of
// 38.3041 kPa is not soft (0.8000021 ksf by it, 0.7999977 by 47.880259) and
// takes graph 3, one of 38.3039 kPa graph 2. Pile 5 m, OD 600 mm: ratios
// below 10, the first curve of each graph.
TEST(FhwaMethod, SiStrengthOfTheGraphsByItsOwnFactor)
{
    for (const auto& [su, graph] : std::vector<std::pair<double, int>>{{38.3041, 3}, {38.3039, 2}}) {
        SCOPED_TRACE(su);
        auto s = BuildSegments({.units = 2, .outer_diameter = 600.0, .length = 5.0},
                               {{.bottom = 8.0, .type = 2, .su = su, .unit_weight = 18.0}});
        ComputeCapacityFhwa(*s);
        const double expected = FhwaAdhesionFactor(graph, su / double(47.88f), 5.0) * su;
        EXPECT_NEAR(FrictionAt(*s, 3.0), expected, 1e-12);
    }
}

TEST(FhwaMethod, ClayFromTheSurfaceHasAdhesionInItsFirstSegment)
{
    // Su 5000 psf, AdhesionMethod 3: graph 3 beyond its last strength, 0.238.
    auto s = BuildSegments({.length = 10.0}, {{.bottom = 30.0, .type = 2, .su = 5.0, .adhesion_method = 3.0}});
    ComputeCapacityFhwa(*s);
    for (const double depth : {1.0, 5.0, 10.0, 30.0})
        EXPECT_NEAR(FrictionAt(*s, depth), 1.19, 1e-6) << depth;
    EXPECT_NEAR(s->PointUnitSideFriction[TopPoint(0)], 1.19, 1e-6);

    // Without AdhesionMethod the first segment chooses by its own strength.
    auto chosen = BuildSegments({.length = 10.0}, {{.bottom = 30.0, .type = 2, .su = 5.0}});
    ComputeCapacityFhwa(*chosen);
    EXPECT_NEAR(FrictionAt(*chosen, 1.0), 1.19, 1e-6);
}

TEST(FhwaMethod, ClayAboveCountsOnceWhateverTheIncrement)
{
    // Clay 0-10, sand 10-12, clay 12-40 (Su 2 ksf), pile 30 ft, OD 24 in:
    // the lower clay's ratio is (30 + 10 - 12) / 2 = 14 on graph 1.
    const std::vector<TestLayer> layers{{.bottom = 10.0, .type = 2, .su = 2.0},
                                        {.bottom = 12.0, .type = 1, .phi = 32.0},
                                        {.bottom = 40.0, .type = 2, .su = 2.0}};
    const double expected = FhwaChartC(2.0, 14.0) * 2.0;
    EXPECT_NEAR(expected, 1.96, 1e-6);
    for (const double increment : {1.0, 0.5, 0.25, 2.0}) {
        auto s = BuildSegments({.length = 30.0, .increment = increment}, layers);
        ComputeCapacityFhwa(*s);
        EXPECT_NEAR(FrictionAt(*s, 20.0), expected, 1e-12) << "increment " << increment;
        // The upper clay's last segment keeps the ratio of its layer, 5.
        EXPECT_NEAR(FrictionAt(*s, 10.0), FhwaChartA(2.0, 5.0) * 2.0, 1e-12) << "increment " << increment;
    }
}

TEST(FhwaMethod, ClayPlugFrictionUsesTheRemoldedStrengthAtTheTop)
{
    auto s = BuildSegments({.length = 10.0}, {{.bottom = 30.0, .type = 2, .su = 5.0, .remolded = 2.0, .adhesion_method = 3.0}});
    ComputeCapacityFhwa(*s);
    EXPECT_NEAR(s->PointPlugSideFriction[emFhwa][TopPoint(3)], 0.238 * 2.0, 1e-6);
    EXPECT_NEAR(s->PointPlugSideFriction[emFhwa][BottomPoint(3)], 0.238 * 5.0, 1e-6);
}

TEST(FhwaMethod, TaperedPerimeterShrinksWithDepthFromThePileHead)
{
    // Uniform adhesion 1.19 ksf; omega 0.5 degrees, head 5 ft above the ground.
    auto s = BuildSegments({.length = 10.0}, {{.bottom = 30.0, .type = 2, .su = 5.0, .adhesion_method = 3.0}});
    s->TaperAngle = 0.5;
    s->StickupLength = 5.0;
    ComputeCapacityFhwa(*s);
    const MethodResultRows& rows = s->MethodRows[emFhwa];
    for (int k = 1; k <= 10; ++k) {
        const double diameter = 2.0f - 2.0f * std::tan(0.5 * 0.01745f) * (5.0 + k);
        EXPECT_NEAR(rows.SkinFriction[k] - rows.SkinFriction[k - 1], 1.19 * 3.14159f * diameter, 1e-6) << k;
        EXPECT_NEAR(rows.UnitSideFriction[k], 1.19, 1e-6) << k;
    }
    EXPECT_LT(rows.SkinFriction[10], 1.19 * 3.14159f * 2.0 * 10.0);
}

TEST(FhwaMethod, SiStrengthIsReadOnTheChartsInKsf)
{
    const double su = 2.0 * 47.88f; // 2 ksf
    auto s = BuildSegments({.units = 2, .outer_diameter = 609.6, .length = 9.0, .increment = 0.3},
                           {{.bottom = 3.0, .type = 1, .phi = 32.0, .unit_weight = 18.0}, {.bottom = 12.0, .type = 2, .su = su}});
    ComputeCapacityFhwa(*s);
    // Ratio (9 - 3) / 0.6096 = 9.84: graph 1 below 10, factor 1.
    EXPECT_NEAR(s->PointUnitSideFriction[BottomPoint(15)], su, 1e-9);
}

// --- USACE ---

TEST(UsaceMethod, ClayAdhesionByStrength)
{
    struct Case {
        int units;
        double su;
        double alpha;
    };
    const Case cases[] = {
        {1, 0.4, 1.0}, {1, 0.5, 1.0}, {1, 1.0, 0.75}, {1, 1.5, 0.5}, {1, 3.0, 0.5},
        // SI: the rule's own 24 and 72 kPa (0.5 and 1.5 ksf would be 23.94
        // and 71.82).
        {2, 20.0, 1.0}, {2, 24.0, 1.0}, {2, 48.0, 0.75}, {2, 60.0, 0.625}, {2, 72.0, 0.5}, {2, 100.0, 0.5},
    };
    for (const Case& c : cases) {
        auto s = BuildSegments({.units = c.units, .outer_diameter = c.units == 1 ? 12.0 : 300.0},
                               {{.bottom = 15.0, .type = 2, .su = c.su, .remolded = c.su / 2}});
        ComputeCapacityUsace(*s);
        EXPECT_NEAR(FrictionAt(*s, 3.0), c.alpha * c.su, 1e-6) << c.units << " " << c.su;
        EXPECT_NEAR(s->PointUnitSideFriction[TopPoint(2)], c.alpha * c.su, 1e-6);
        EXPECT_NEAR(s->PointPlugSideFriction[emUsace][TopPoint(2)], c.alpha * c.su / 2, 1e-6);
        EXPECT_NEAR(s->PointPlugSideFriction[emUsace][BottomPoint(2)], c.alpha * c.su, 1e-6);
    }
}

TEST(UsaceMethod, SandWallFrictionByPileTypeAndEarthPressure)
{
    struct Case {
        int pile_type;
        double delta;
        int load_direction;
        bool api_selected;
        double k_in_layer;
        double k_used;
    };
    const Case cases[] = {
        {1, 0.75 * 32, 0, false, 0.8, 0.8},  {2, 0.9 * 32, 0, false, 0.8, 0.8},
        {3, 0.95 * 32, 0, false, 0.8, 0.8},  {6, 28.0, 0, false, 0.8, 0.8},
        {7, 0.75 * 32, 0, false, 0.8, 0.8},  {9, 27.0, 0, false, 0.8, 0.8},
        {1, 24.0, 0, true, 0.8, 1.25},       {1, 24.0, 1, true, 0.8, 0.6},
        {1, 24.0, 0, false, 0.0, 1.25},      {1, 24.0, 1, false, 0.0, 0.6},
    };
    for (const Case& c : cases) {
        auto s = BuildSegments({.pile_type = c.pile_type}, {{.bottom = 15.0, .type = 1, .phi = 32.0, .k = c.k_in_layer}});
        s->LoadDirection = c.load_direction;
        s->MethodSelected[pmApi] = c.api_selected ? 1 : 0;
        ComputeCapacityUsace(*s);
        const double stress = s->PointLimitedEffectiveStress[BottomPoint(4)];
        EXPECT_NEAR(FrictionAt(*s, 5.0), c.k_used * stress * std::tan(c.delta / 57.2958), 1e-6)
            << "type " << c.pile_type << " K " << c.k_in_layer;
    }
}

TEST(UsaceMethod, SandUsesTheHeldStressAndSiltAddsBothRules)
{
    auto s = BuildSegments({}, {{.bottom = 15.0, .type = 3, .su = 1.0, .phi = 30.0, .k = 1.0}});
    // The stress held from 6 ft down, as below a critical depth.
    const double held = s->PointEffectiveStress[BottomPoint(5)];
    for (int p = BottomPoint(5); p < 2 * s->SegmentCount; ++p)
        s->PointLimitedEffectiveStress[p] = held;
    ComputeCapacityUsace(*s);
    EXPECT_NEAR(FrictionAt(*s, 10.0), held * std::tan(22.5 / 57.2958) + 0.75, 1e-6);
    EXPECT_NEAR(s->PointPlugSideFriction[emUsace][BottomPoint(9)], s->PointUnitSideFriction[TopPoint(9)], 0.0);
}

TEST(UsaceMethod, CriticalDepthOfModeOneAtItsOwnThreshold)
{
    // 16.76 kN/m^3: 167.6 kPa at 10 m passes the stress step's 167.58 but not
    // USACE's own 168.0, which is first passed at 11 m.
    auto s = BuildSegments({.units = 2, .outer_diameter = 600.0, .length = 15.0},
                           {{.bottom = 20.0, .type = 1, .phi = 32.0, .unit_weight = 16.76}});
    s->CriticalDepthMode = 1;
    ComputeEffectiveStress(*s);
    EXPECT_DOUBLE_EQ(s->CriticalDepth, 10.0);
    ComputeCapacityUsace(*s);
    EXPECT_DOUBLE_EQ(s->CriticalDepth, 11.0);
    auto english = BuildSegments({.length = 15.0}, {{.bottom = 40.0, .type = 1, .phi = 32.0, .unit_weight = 125.0}});
    english->CriticalDepthMode = 1;
    ComputeCapacityUsace(*english);
    EXPECT_DOUBLE_EQ(english->CriticalDepth, 29.0); // 3.625 ksf; 3.5 exactly at 28 ft does not pass

    auto clay = BuildSegments({.units = 2, .outer_diameter = 600.0, .length = 15.0},
                              {{.bottom = 20.0, .type = 2, .su = 50.0, .unit_weight = 16.76}});
    clay->CriticalDepthMode = 1;
    clay->CriticalDepth = 10.0;
    ComputeCapacityUsace(*clay);
    EXPECT_EQ(clay->CriticalDepth, 0.0); // the search looks at sand and silt only
}

// --- User-specified ---

TEST(UserSpecifiedMethod, PerimeterTimesUnitFrictionAndTipAreaTimesUnitBearing)
{
    auto s = BuildSegments({.outer_diameter = 12.0, .length = 20.0},
                           {{.bottom = 40.0, .type = 1, .phi = 30.0, .user_skin = 0.5, .user_end = 20.0}});
    ComputeCapacityUserSpecified(*s);
    const double perimeter = 3.14159f * (12.0 / 12.0f);
    for (int k = 0; k <= 20; ++k) {
        EXPECT_NEAR(s->UserSkinRows[k], k * perimeter * 0.5, 1e-9) << k;
        EXPECT_NEAR(s->UserTipRows[k], 0.7853975f * 20.0, 1e-9) << k;
        EXPECT_EQ(s->PenetrationDepths[k], k * 1.0);
    }
    EXPECT_NEAR(s->UserSkinRows[10], 15.7, 0.05);
    EXPECT_NEAR(s->UserTipRows[10], 15.7, 0.05);

    s->TipArea = 2.0; // non-circular: the tip area as given
    ComputeCapacityUserSpecified(*s);
    EXPECT_NEAR(s->UserTipRows[7], 40.0, 1e-12);
}

TEST(UserSpecifiedMethod, RowTakesTheSegmentAboveAndTheFactorBelow)
{
    auto s = BuildSegments({.outer_diameter = 12.0, .length = 10.0},
                           {{.bottom = 5.0, .type = 1, .phi = 30.0, .user_skin = 1.0, .user_end = 10.0},
                            {.bottom = 20.0, .type = 2, .su = 1.0, .user_skin = 2.0, .user_end = 30.0, .side_factor = 0.5}});
    ComputeCapacityUserSpecified(*s);
    const double p = 3.14159f * 1.0;
    // Row 5 (5 ft) lies at the boundary: the values of the segment above, the
    // factor of the segment below.
    EXPECT_NEAR(s->UserSkinRows[5] - s->UserSkinRows[4], p * 1.0 * 0.5, 1e-12);
    EXPECT_NEAR(s->UserTipRows[5], 0.7853975f * 10.0, 1e-12);
    EXPECT_NEAR(s->UserSkinRows[6] - s->UserSkinRows[5], p * 2.0 * 0.5, 1e-12);
    EXPECT_NEAR(s->UserTipRows[6], 0.7853975f * 30.0, 1e-12);
    EXPECT_NEAR(s->UserSkinRows[4] - s->UserSkinRows[3], p * 1.0, 1e-12);
}

// --- Revised Lambda ---

TEST(RevisedLambdaMethod, LambdaLines)
{
    struct Case {
        double x;
        double strength;
        double stress;
        double lambda;
    };
    const Case cases[] = {
        {0.0, 1.0, 1.0, 0.0},
        {1.0, 0.1, 1.0, double(0.178f)},
        {1.0, 1.0, 1.0, double(0.232f)},
        {1.0, 0.4f, 1.0, double(0.232f)}, // a ratio of exactly 0.4 is over-consolidated
        {std::exp(1.0), 0.1, 1.0, double(0.178f) - double(0.016f)},
        {std::exp(2.0), 2.0, 1.0, double(0.232f) - 2 * double(0.032f)},
        {20.0, 0.1, 1.0, double(0.14f)}, // floor: 0.178 - 0.016 ln 20 = 0.130
        {20.0, 1.0, 1.0, double(0.14f)}, // 0.232 - 0.032 ln 20 = 0.136
        {10.0, 0.1, 1.0, double(0.178f) - double(0.016f) * std::log(10.0)},
        {1.0, 1.0, 0.0, double(0.232f)}, // no stress: over-consolidated
    };
    for (const Case& c : cases)
        EXPECT_NEAR(RevisedLambdaFactor(c.x, c.strength, c.stress), c.lambda, 1e-9)
            << "x " << c.x << " ratio " << c.strength / c.stress;
}

TEST(RevisedLambdaMethod, ClayRowsFollowTheRule)
{
    // Uniform clay, Su 1 ksf, 120 pcf; closed pipe OD 12 in, E 29000.
    auto s = BuildSegments({.outer_diameter = 12.0, .length = 20.0}, {{.bottom = 40.0, .type = 2, .su = 1.0}});
    ComputeCapacityRevisedLambda(*s);
    const MethodResultRows& rows = s->MethodRows[emRevisedLambda];
    EXPECT_EQ(rows.SkinFriction[0], 0.0);
    EXPECT_EQ(rows.UnitSideFriction[0], 0.0);
    const double p = 3.14159f * 12.0 / 12.0f;
    const double area = 3.14159f * 0.25f * 144.0;
    const auto total = [&](double z) {
        const double mean_stress = 0.5 * 0.12 * z;
        const double x = 3.14159f * 12.0 * z * z * 1.0 * 1000.0 / (29000.0 * area * 0.1f);
        return (2.0 * 1.0 + mean_stress) * RevisedLambdaFactor(x, 1.0, mean_stress) * p * z;
    };
    for (const int k : {1, 5, 20}) {
        EXPECT_NEAR(rows.SkinFriction[k], total(k), 1e-9) << k;
        EXPECT_NEAR(rows.UnitSideFriction[k], (total(k) - total(k - 1)) / p, 1e-9) << k;
        EXPECT_EQ(s->MethodSkinRows[pmRevisedLambda][k], rows.SkinFriction[k]); // ReducedTzFactors 0, no factor
        EXPECT_EQ(s->FactoredSkinRows[k], rows.SkinFriction[k]);
        EXPECT_EQ(s->PenetrationDepths[k], k * 1.0);
    }
}

TEST(RevisedLambdaMethod, UpliftFactorHalvesEveryRowExactly)
{
    const std::vector<TestLayer> layers{{.bottom = 6.0, .type = 1, .phi = 32.0, .k = 0.0},
                                        {.bottom = 14.0, .type = 2, .su = 0.8, .max_side_friction = 0.5},
                                        {.bottom = 40.0, .type = 3, .su = 1.2, .phi = 28.0, .side_factor = 0.8}};
    auto compression = BuildSegments({.outer_diameter = 18.0, .length = 30.0}, layers);
    ComputeCapacityRevisedLambda(*compression);
    for (const int reduced : {0, 1}) {
        auto uplift = BuildSegments({.outer_diameter = 18.0, .length = 30.0}, layers);
        uplift->LoadDirection = 1;
        uplift->TensionReduction = 0.5f;
        uplift->ReducedTzFactors = reduced;
        compression->ReducedTzFactors = reduced;
        ComputeCapacityRevisedLambda(*compression);
        ComputeCapacityRevisedLambda(*uplift);
        for (int k = 0; k <= 30; ++k) {
            const MethodResultRows& c = compression->MethodRows[emRevisedLambda];
            const MethodResultRows& u = uplift->MethodRows[emRevisedLambda];
            EXPECT_EQ(u.SkinFriction[k], 0.5 * c.SkinFriction[k]) << k;
            EXPECT_EQ(u.UnitSideFriction[k], 0.5 * c.UnitSideFriction[k]) << k;
            EXPECT_EQ(uplift->MethodSkinRows[pmRevisedLambda][k], 0.5 * compression->MethodSkinRows[pmRevisedLambda][k]);
        }
    }
    EXPECT_GT(compression->MethodRows[emRevisedLambda].SkinFriction[30], 0.0);
    // The K of 0 is raised to 1 in the segment for the rest of the pass.
    EXPECT_EQ(compression->SegmentSoil[0][Soil::EarthPressureCoefficient], 1.0);
}

TEST(RevisedLambdaMethod, LimitedRowsAreNotMadeUpLater)
{
    // The upper clay's limit 0.4 ksf caps its unit friction (0.45 to 1.13
    // without it); the rows below take their own rule's growth, not what the
    // limit held back.
    auto limited = BuildSegments({.outer_diameter = 12.0, .length = 20.0},
                                 {{.bottom = 10.0, .type = 2, .su = 2.0, .max_side_friction = 0.4},
                                  {.bottom = 40.0, .type = 2, .su = 2.0}});
    auto free = BuildSegments({.outer_diameter = 12.0, .length = 20.0},
                              {{.bottom = 10.0, .type = 2, .su = 2.0}, {.bottom = 40.0, .type = 2, .su = 2.0}});
    ComputeCapacityRevisedLambda(*limited);
    ComputeCapacityRevisedLambda(*free);
    const MethodResultRows& l = limited->MethodRows[emRevisedLambda];
    const MethodResultRows& f = free->MethodRows[emRevisedLambda];
    for (int k = 1; k < 10; ++k)
        EXPECT_EQ(l.UnitSideFriction[k], 0.4) << k;
    for (int k = 10; k <= 20; ++k)
        EXPECT_EQ(l.UnitSideFriction[k], f.UnitSideFriction[k]) << k;
}

TEST(RevisedLambdaMethod, NonCircularTipAreaEntersInSquareInchesOrMillimetres)
{
    for (const int units : {1, 2}) {
        const double od = units == 1 ? 12.0 : 300.0;
        const double annulus = 3.14159f * 0.25f * (od * od); // in^2 / mm^2
        const TestLayer clay{.bottom = 40.0, .type = 2, .su = units == 1 ? 1.0 : 50.0,
                             .unit_weight = units == 1 ? 120.0 : 18.0};
        auto circular = BuildSegments({.units = units, .outer_diameter = od, .length = 20.0}, {clay});
        auto given = BuildSegments({.units = units, .outer_diameter = od, .length = 20.0}, {clay});
        given->TipArea = units == 1 ? annulus / 144.0f : annulus / 1000000.0f;
        ComputeCapacityRevisedLambda(*circular);
        ComputeCapacityRevisedLambda(*given);
        for (const int k : {3, 20})
            EXPECT_NEAR(given->MethodRows[emRevisedLambda].SkinFriction[k],
                        circular->MethodRows[emRevisedLambda].SkinFriction[k],
                        1e-9 * circular->MethodRows[emRevisedLambda].SkinFriction[k])
                << "units " << units << " row " << k;
    }
}

TEST(RevisedLambdaMethod, ZeroFrictionLengthRemovesStrengthNotStress)
{
    const std::vector<TestLayer> layers{{.bottom = 40.0, .type = 2, .su = 1.0}};
    auto s = BuildSegments({.outer_diameter = 12.0, .length = 20.0}, layers);
    s->ZeroFrictionLength = 3.0;
    ComputeCapacityRevisedLambda(*s);
    // At 5 ft: mean strength (2 x 1.0) / 5, mean stress 0.3 ksf (all of it).
    const double z = 5.0;
    const double mean_strength = 2.0 / z;
    const double mean_stress = 0.5 * 0.12 * z;
    const double area = 3.14159f * 0.25f * 144.0;
    const double x = 3.14159f * 12.0 * z * z * mean_strength * 1000.0 / (29000.0 * area * 0.1f);
    const double p = 3.14159f * 1.0;
    const double q5 = (2.0 * mean_strength + mean_stress) * RevisedLambdaFactor(x, mean_strength, mean_stress) * p * z;
    // Rows 0-3 have no strength and so no lambda: no friction until row 4.
    for (int k = 0; k <= 3; ++k)
        EXPECT_EQ(s->MethodRows[emRevisedLambda].SkinFriction[k], 0.0) << k;
    EXPECT_NEAR(s->MethodRows[emRevisedLambda].SkinFriction[5], q5, 1e-9);
}

} // namespace
} // namespace korva::test
