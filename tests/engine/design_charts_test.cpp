#include "design_charts.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace korva::engine {
namespace {

constexpr double Unchanged = -123.0;

TEST(DesignCharts, FrictionAngleFromBlowCountByRange)
{
    struct Case {
        double n;
        double p; // lb/in^2
        double expected;
    };
    const Case cases[] = {
        {12.0, 10.0, 36.2},             // c0 39.6, c20 32.8: 39.6 - 6.8 x 10 / 20
        {5.0, 10.0, 32.5},              // c0(5) = 35, halfway to 30
        {20.0, 20.0, 36.0},             // both neighbouring rules give c20(20)
        {30.0, 0.0, 45.0},              // c20 + 20 x (45 - c20) / 20
        {8.0, 30.0, 31.0},              // 30 + 2 x 2 x 0.25
        {6.0, 25.0, 30.0},              // at most 6 under a middle stress
        {30.0, 30.0, 37.5},             // halfway between c20 39 and c40 36
        {55.0, 0.0, 51.0},              // N = 55 continues into the middle rule: 45 + 20 x 6 / 20
        {60.0, 0.0, 50.0},              // 50 first, then c40 + 40 x (45 - c40) / 20 = 50
        {70.0, 30.0, 43.5},             // c40 42 + 10 x 3 / 20
        {95.0, 10.0, 50.0},             // 50 stands: the high-stress rule writes nothing
        {95.0, 30.0, 50.0},
        {60.0, 50.0, 40.0},             // high stress: c40
        {5.0, 45.0, Unchanged},         // the chart writes nothing
        {10.0, 40.0, Unchanged},
        {90.0, 40.0, Unchanged},
    };
    for (const Case& c : cases) {
        double result = Unchanged;
        InterpolateChartByRange(result, c.n, c.p);
        EXPECT_NEAR(result, c.expected, 1e-12) << "N " << c.n << ", p " << c.p;
    }
}

TEST(DesignCharts, LookupTableEndsAndInterior)
{
    struct Case {
        const ChartTable* table;
        double x;
        double expected;
    };
    const Case cases[] = {
        {&UsaceBearingFactorTable, -5.0, 1.0},
        {&UsaceBearingFactorTable, 0.0, 1.0},
        {&UsaceBearingFactorTable, 34.0, 43.0},   // 30 + 2 x 26 / 4
        {&UsaceBearingFactorTable, 36.0, 56.0},   // at an abscissa
        {&UsaceBearingFactorTable, 60.0, double(415.1f)},
        {&FhwaBearingFactorTable, 10.0, double(4.8f)},
        {&FhwaBearingFactorTable, 31.25, 36.5},
        {&FhwaLimitTable, 29.0, double(6.66f)},
        {&FhwaLimitTable, 50.0, double(368.8f)},
        {&FhwaLimitTable, std::numeric_limits<double>::quiet_NaN(), double(6.66f)},
    };
    for (const Case& c : cases)
        EXPECT_NEAR(LookupTable(*c.table, c.x), c.expected, 1e-12) << "x " << c.x;
    // The tables carry single-precision values.
    EXPECT_EQ(LookupTable(UsaceBearingFactorTable, 50.0), double(415.1f));
    EXPECT_NE(LookupTable(UsaceBearingFactorTable, 50.0), 415.1);
}

TEST(DesignCharts, ChartFamilyCurveChoiceAndBlend)
{
    const double c20 = double(0.58f), c30 = double(0.52f), c45 = double(0.49f); // phi 30
    struct Case {
        double phi;
        double r;
        double expected;
    };
    const Case cases[] = {
        {30.0, 10.0, c20},                                 // below the first ratio: curve 1 alone
        {30.0, 20.0, c20},                                 // at 20: not blended
        {30.0, 25.0, c30 + (30.0 - 25.0) * (c20 - c30) / 10.0},
        {30.0, 40.0, c45 + (45.0 - 40.0) * (c30 - c45) / 15.0}, // curve 2, weight 5/15 on it
        {30.0, 45.0, c45},
        {30.0, 80.0, c45},
        {15.0, 40.0, double(0.177f) + 5.0 * (double(0.256f) - double(0.177f)) / 15.0}, // first values
        {50.0, 20.0, double(0.8f)},                        // last value
    };
    for (const Case& c : cases)
        EXPECT_NEAR(InterpolateChartFamily(FhwaAlphaChart, c.phi, c.r), c.expected, 1e-12)
            << "phi " << c.phi << ", r " << c.r;
}

} // namespace
} // namespace korva::engine
