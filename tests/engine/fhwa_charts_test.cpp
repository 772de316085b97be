#include <gtest/gtest.h>

#include <cmath>

#include "fhwa_charts.h"

namespace {

using namespace korva::engine;

// Nordlund's rule at phi 30, V = 1.0 ft^3/ft, a steel pipe pile, no taper.
TEST(FhwaCharts, NordlundPointCheck)
{
    const double ratio = LookupPileTypeChart(1.0, 1);
    const double cf = FhwaCorrectionFactors(ratio, 30.0);
    const double k = NordlundEarthPressure(30.0, 0.0, 1.0);
    EXPECT_NEAR(ratio, 0.652, 1e-7);
    EXPECT_NEAR(cf, 0.8512, 1e-7);
    EXPECT_NEAR(k, 1.15, 1e-7);
    EXPECT_NEAR(k * cf * std::sin(ratio * 30.0 / 57.2958f), 0.3277, 5e-5);
}

struct PileTypeCase {
    double volume;
    int pile_type;
    double expected;
};

TEST(FhwaCharts, WallFrictionRatioByDisplacedVolumeAndPileType)
{
    const PileTypeCase cases[] = {
        {0.05, 1, 0.342},  {0.08, 6, 0.727},  {0.25, 6, 0.85725}, {0.46, 2, 0.4965},
        {1.9, 5, 1.27},    {3.0, 7, 1.062},   {1.1, 3, 0.79},     {1.0, 4, 0.873},
        {1.0, 0, 0.652},   {1.0, 8, 0.652}, // unknown types read the steel pipe pile
    };
    for (const PileTypeCase& c : cases)
        EXPECT_NEAR(LookupPileTypeChart(c.volume, c.pile_type), c.expected, 1e-6)
            << "V " << c.volume << " type " << c.pile_type;
}

struct FamilyCase {
    double parameter;
    double abscissa;
    double expected;
};

TEST(FhwaCharts, CorrectionFactorByWallFrictionRatioAndFrictionAngle)
{
    const FamilyCase cases[] = {
        {0.1, 10.0, 0.83}, {0.2, 45.0, 0.24}, {0.3, 30.0, 0.635}, {1.0, 26.0, 1.0},
        {1.4, 50.0, 1.16}, {2.0, 14.0, 1.02}, {0.8, 32.0, 0.93},  {1.3, 40.0, 1.0975},
    };
    for (const FamilyCase& c : cases)
        EXPECT_NEAR(FhwaCorrectionFactors(c.parameter, c.abscissa), c.expected, 1e-6)
            << "delta/phi " << c.parameter << " phi " << c.abscissa;
}

TEST(FhwaCharts, TaperChartsReadTheirThreeVolumeCurves)
{
    struct Case {
        TaperChart chart;
        double omega;
        double volume;
        double expected;
    };
    const Case cases[] = {
        {TaperChart::Phi25, 0.0, 0.1, 0.7},        {TaperChart::Phi25, 1.9, 10.0, 4.072},
        {TaperChart::Phi25, 3.0, 1.0, 4.072},      {TaperChart::Phi30, 0.0, 5.5, 1.30},
        {TaperChart::Phi30, 0.0, 0.05, 0.85},      {TaperChart::Phi30, 0.7, 20.0, 4.0685},
        {TaperChart::Phi35, 0.25, 1.0, 2.98},      {TaperChart::Phi35, 0.0, 0.55, 1.45},
        {TaperChart::Phi35, 1.5, 0.1, 10.34},      {TaperChart::Phi40, 0.1, 1.0, 6.352},
        {TaperChart::Phi40, 0.125, 10.0, 7.76},    {TaperChart::Phi40, 0.0, 0.1, 1.7},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(FhwaTaperChart(c.chart, c.omega, c.volume), c.expected, 1e-6)
            << "chart " << static_cast<int>(c.chart) << " omega " << c.omega << " V " << c.volume;
}

TEST(FhwaCharts, EarthPressureBlendsTheChartsAcrossFiveDegreeBands)
{
    const FamilyCase cases[] = {
        {20.0, 0.0, 0.85},  {25.0, 0.0, 0.85},   {27.5, 0.0, 1.0}, {30.0, 0.0, 1.15},
        {32.5, 0.0, 1.45},  {37.5, 0.0, 2.375},  {40.0, 0.0, 3.0}, {45.0, 0.0, 3.0},
        {34.0, 0.1, 1.408 + (2.01 - 1.408) * 0.8},
    };
    for (const FamilyCase& c : cases)
        EXPECT_NEAR(NordlundEarthPressure(c.parameter, c.abscissa, 1.0), c.expected, 1e-6)
            << "phi " << c.parameter << " omega " << c.abscissa;
}

TEST(FhwaCharts, AdhesionGraphsByStrengthAndPenetrationRatio)
{
    struct Case {
        int graph;
        double strength;
        double ratio;
        double expected;
    };
    const Case cases[] = {
        {3, 5.0, 5.0, 0.238},  {3, 5.0, 40.0, 0.299},  {3, 5.0, 25.0, 0.2685}, {3, 0.0, 10.0, 1.0},
        {3, 1.25, 10.0, 0.876}, {1, 3.0, 5.0, 1.0},    {1, 2.0, 30.0, 0.815},  {1, 2.5, 15.0, 0.9375},
        {1, 4.5, 60.0, 0.4},   {2, 0.25, 15.0, 0.75725}, {2, 9.0, 20.0, 0.54}, {2, -1.0, 1.0, 0.7},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(FhwaAdhesionFactor(c.graph, c.strength, c.ratio), c.expected, 1e-6)
            << "graph " << c.graph << " Su " << c.strength << " ratio " << c.ratio;
    // The graphs by their own names: graph 1 is chart C, graph 3 chart A.
    EXPECT_EQ(FhwaChartC(2.0, 30.0), FhwaAdhesionFactor(1, 2.0, 30.0));
    EXPECT_EQ(FhwaChartB(2.0, 15.0), FhwaAdhesionFactor(2, 2.0, 15.0));
    EXPECT_EQ(FhwaChartA(2.0, 15.0), FhwaAdhesionFactor(3, 2.0, 15.0));
}

// The tables the program draws its design-chart pictures from are the ones
// the method reads: each curve is the factor at its own ratio.
TEST(FhwaCharts, AdhesionGraphTablesAreTheMethodsOwn)
{
    const std::size_t curves[] = {3, 2, 2};
    for (int graph = 1; graph <= 3; ++graph) {
        const ChartFamily& family = AdhesionGraph(graph);
        ASSERT_EQ(family.ratios.size(), curves[graph - 1]) << graph;
        ASSERT_EQ(family.x.size(), 10u);
        for (std::size_t c = 0; c < family.ratios.size(); ++c)
            for (std::size_t i = 0; i < family.x.size(); ++i)
                EXPECT_EQ(family.curves[c][i], FhwaAdhesionFactor(graph, family.x[i], family.ratios[c]))
                    << graph << " " << c << " " << i;
    }
    EXPECT_EQ(&AdhesionGraph(7), &AdhesionGraph(3));
}

} // namespace
