#include "design_charts.h"

#include <algorithm>

namespace korva::engine {

namespace {

constexpr double UsaceBearingPhi[] = {0.0f, 5.0f, 10.0f, 15.0f, 20.0f, 30.0f, 32.0f,
                                      36.0f, 38.0f, 39.0f, 40.0f, 45.0f, 50.0f};
constexpr double UsaceBearingNq[] = {1.0f, 1.6f, 2.7f, 4.4f, 7.4f, 23.0f, 30.0f,
                                     56.0f, 68.0f, 79.0f, 88.0f, 200.0f, 415.1f};

constexpr double FhwaBearingPhi[] = {15.0f, 17.5f, 20.0f, 22.5f, 25.0f, 27.5f, 30.0f,
                                     32.5f, 35.0f, 37.5f, 40.0f, 42.5f, 45.0f};
constexpr double FhwaBearingNq[] = {4.8f, 6.2f, 8.2f, 12.0f, 15.0f, 21.0f, 30.0f,
                                    43.0f, 64.0f, 98.0f, 160.0f, 265.0f, 475.0f};

constexpr double FhwaLimitPhi[] = {30.0f, 31.25f, 32.5f, 33.75f, 35.0f, 36.25f,
                                   37.5f, 38.75f, 40.0f, 41.25f, 42.5f, 43.75f};
constexpr double FhwaLimitTsf[] = {6.66f, 11.25f, 20.0f, 32.5f, 53.8f, 81.3f,
                                   117.5f, 159.5f, 208.8f, 262.5f, 318.8f, 368.8f};

constexpr double SandLimitPhi[] = {20.0f, 25.0f, 30.0f, 35.0f, 40.0f};
constexpr double SandLimitKsf[] = {40.0f, 60.0f, 100.0f, 200.0f, 250.0f};
// API RP 2A's own SI figures, not the ksf converted (60 ksf is 2873 kPa).
constexpr double SandLimitKpa[] = {1900.0f, 2900.0f, 4800.0f, 9600.0f, 12000.0f};

constexpr double FhwaAlphaPhi[] = {20.0f, 20.5f, 22.5f, 25.0f, 27.5f, 30.0f, 32.5f,
                                   35.0f, 36.5f, 37.5f, 40.0f, 42.5f, 45.0f};
constexpr double FhwaAlpha20[] = {0.365f, 0.375f, 0.416f, 0.47f, 0.525f, 0.58f, 0.637f,
                                  0.68f, 0.7f, 0.715f, 0.75f, 0.78f, 0.8f};
constexpr double FhwaAlpha30[] = {0.256f, 0.267f, 0.319f, 0.389f, 0.4f, 0.52f, 0.605f,
                                  0.67f, 0.7f, 0.715f, 0.75f, 0.78f, 0.8f};
constexpr double FhwaAlpha45[] = {0.177f, 0.19f, 0.242f, 0.318f, 0.4f, 0.49f, 0.578f,
                                  0.66f, 0.7f, 0.715f, 0.75f, 0.78f, 0.8f};

// The blow-count chart: friction angle against N for an effective stress of
// 0, 20 and 40 lb/in^2, each on its part of the grid 0, 2, 4, 6, 10, 15, ..., 90.
constexpr double BlowCountN0[] = {0.0f, 2.0f, 4.0f, 6.0f, 10.0f, 15.0f, 20.0f};
constexpr double FrictionAngleP0[] = {0.0f, 32.0f, 34.0f, 36.0f, 38.0f, 42.0f, 45.0f};
constexpr double BlowCountN20[] = {6.0f, 10.0f, 15.0f, 20.0f, 25.0f, 30.0f,
                                   35.0f, 40.0f, 45.0f, 50.0f, 55.0f, 60.0f};
// The 0 at N = 60 only ever enters with weight 0: the rules use this curve up
// to N = 55.
constexpr double FrictionAngleP20[] = {30.0f, 32.0f, 34.0f, 36.0f, 37.0f, 39.0f,
                                       40.0f, 41.0f, 42.0f, 44.0f, 45.0f, 0.0f};
constexpr double BlowCountN40[] = {10.0f, 15.0f, 20.0f, 25.0f, 30.0f, 35.0f, 40.0f, 45.0f, 50.0f,
                                   55.0f, 60.0f, 65.0f, 70.0f, 75.0f, 80.0f, 85.0f, 90.0f};
constexpr double FrictionAngleP40[] = {31.0f, 32.0f, 34.0f, 35.0f, 36.0f, 36.0f, 37.0f, 38.0f, 39.0f,
                                       39.0f, 40.0f, 41.0f, 42.0f, 42.0f, 43.0f, 44.0f, 44.0f};

const ChartTable ChartP0{BlowCountN0, FrictionAngleP0};
const ChartTable ChartP20{BlowCountN20, FrictionAngleP20};
const ChartTable ChartP40{BlowCountN40, FrictionAngleP40};

} // namespace

const ChartTable UsaceBearingFactorTable{UsaceBearingPhi, UsaceBearingNq};
const ChartTable FhwaBearingFactorTable{FhwaBearingPhi, FhwaBearingNq};
const ChartTable FhwaLimitTable{FhwaLimitPhi, FhwaLimitTsf};
const ChartTable SandBearingLimitKsf{SandLimitPhi, SandLimitKsf};
const ChartTable SandBearingLimitKpa{SandLimitPhi, SandLimitKpa};
constexpr std::span<const double> FhwaAlphaCurves[] = {FhwaAlpha20, FhwaAlpha30, FhwaAlpha45};
constexpr double FhwaAlphaRatios[] = {20.0f, 30.0f, 45.0f};
const ChartFamily FhwaAlphaChart{FhwaAlphaPhi, FhwaAlphaCurves, FhwaAlphaRatios};

double LookupAscendingTable(const ChartTable& table, double x)
{
    const std::span<const double> xs = table.x;
    const std::span<const double> ys = table.y;
    if (!(x > xs.front()))
        return ys.front();
    // In ascending abscissae the ones below x come first: the first at or
    // above x is the one the search in order finds.
    const auto at = std::partition_point(xs.begin() + 1, xs.end(), [x](double v) { return v < x; });
    if (at == xs.end())
        return ys.back();
    const std::size_t i = static_cast<std::size_t>(at - xs.begin());
    return ys[i - 1] + (x - xs[i - 1]) * (ys[i] - ys[i - 1]) / (xs[i] - xs[i - 1]);
}

double InterpolateChartFamily(const ChartFamily& family, double x, double r)
{
    const std::size_t last = family.curves.size() - 1;
    std::size_t curve = 0;
    while (curve < last && !(r < family.ratios[curve + 1])) // a NaN ratio takes the last curve
        ++curve;
    const double y1 = LookupTable({family.x, family.curves[curve]}, x);
    if (curve < last && r > family.ratios[0]) {
        const double y2 = LookupTable({family.x, family.curves[curve + 1]}, x);
        const double next = family.ratios[curve + 1];
        return y2 + (next - r) * (y1 - y2) / (next - family.ratios[curve]);
    }
    return y1;
}

void InterpolateChartByRange(double& result, double n, double p)
{
    // The ranges are tested in this order; where a range hands on to the next
    // one, the next decides (and may leave an earlier 50 standing).
    if (p <= 20.0f) {
        if (n < 6.0f) {
            const double c0 = LookupTable(ChartP0, n);
            result = c0 - (p / 20.0f) * (c0 - 30.0f);
            return;
        }
        if (n < 20.0f) {
            const double c0 = LookupTable(ChartP0, n);
            const double c20 = LookupTable(ChartP20, n);
            result = c0 - (c0 - c20) * p / 20.0f;
            return;
        }
        if (n < 55.0f) {
            const double c20 = LookupTable(ChartP20, n);
            result = c20 + (20.0f - p) * (45.0f - c20) / 20.0f;
            return;
        }
        if (n > 55.0f)
            result = 50.0f;
    }
    if (p < 40.0f) {
        if (n <= 6.0f) {
            result = 30.0f;
            return;
        }
        if (n < 10.0f) {
            result = 30.0f + (n - 6.0f) * 2.0f * 0.25f;
            return;
        }
        if (n <= 55.0f) {
            const double c20 = LookupTable(ChartP20, n);
            const double c40 = LookupTable(ChartP40, n);
            result = c20 - (p - 20.0f) * (c20 - c40) / 20.0f;
            return;
        }
        if (n < 90.0f) {
            const double c40 = LookupTable(ChartP40, n);
            result = c40 + (40.0f - p) * (45.0f - c40) / 20.0f;
            return;
        }
        result = 50.0f;
    }
    if (n > 10.0f && n < 90.0f)
        result = LookupTable(ChartP40, n);
    // Else nothing is written.
}

} // namespace korva::engine
