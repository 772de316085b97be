#pragma once
// The design charts of the capacity steps, as the engine tabulates them:
// single tables of one value against one abscissa (LookupTable), families of
// curves chosen and blended by a ratio (InterpolateChartFamily), and the
// friction angle of sand from the blow count (InterpolateChartByRange).
// Every tabulated number is a single-precision literal widened to double, as
// every engine constant is (constants.h says why).
#include <cstddef>
#include <span>

namespace korva::engine {

// One tabulated curve: y against increasing abscissae x.
struct ChartTable {
    std::span<const double> x;
    std::span<const double> y;
};

// y(x): the first value at or below the first abscissa, the last value beyond
// the last, else linear between the first abscissa at or above x and the one
// before it. The abscissae are searched in order, so a table read from a file
// (CPT profile, section table) with repeated abscissae never divides by 0.
// The design charts, the CPT profile, the t-z and tip curves and the section
// stiffness table are all read through it.
inline double LookupTable(const ChartTable& table, double x)
{
    const std::span<const double> xs = table.x;
    const std::span<const double> ys = table.y;
    if (!(x > xs.front())) // a NaN takes the first value too
        return ys.front();
    // The points in order: the first abscissa at or above x closes the
    // interval. The one before it lies below x, so the interval is never empty,
    // even in a table (CPT profile, section table) with repeated abscissae.
    for (std::size_t i = 1; i < xs.size(); ++i)
        if (!(xs[i] < x))
            return ys[i - 1] + (x - xs[i - 1]) * (ys[i] - ys[i - 1]) / (xs[i] - xs[i - 1]);
    return ys.back();
}
// The same for a table whose abscissae never decrease, found by bisection.
double LookupAscendingTable(const ChartTable& table, double x);

// The bearing-capacity tables of the sand end-bearing rules (abscissa: the
// friction angle in degrees).
extern const ChartTable UsaceBearingFactorTable; // USACE Nq
extern const ChartTable FhwaBearingFactorTable;  // FHWA Nq before alpha
extern const ChartTable FhwaLimitTable;          // FHWA limiting unit end bearing, tsf
// The limiting unit end bearing of sand in the Revised Lambda and API rules,
// linear in the friction angle within its bands (40 to 250 ksf, 1900 to
// 12000 kPa: the standard's own SI figures).
extern const ChartTable SandBearingLimitKsf;
extern const ChartTable SandBearingLimitKpa;

// Curves on common abscissae, one for each of two or more increasing ratios
// (three for FHWA alpha; the FHWA side-friction charts have two to seven).
struct ChartFamily {
    std::span<const double> x;
    std::span<const std::span<const double>> curves;
    std::span<const double> ratios; // one per curve
};

// The family's value at x for the ratio r: the curve of the band that holds r
// (the first below the second ratio, the second below the third, ..., the
// last from the last ratio on), blended with the next curve by r when r lies
// above the first ratio and below the last.
double InterpolateChartFamily(const ChartFamily& family, double x, double r);

// FHWA alpha against the friction angle, for the ratios 20, 30 and 45 of the
// pile length to its diameter.
extern const ChartFamily FhwaAlphaChart;

// The friction angle (degrees) of sand for a blow count and a vertical
// effective stress in lb/in^2, written into result. In some ranges the chart
// gives nothing (a low blow count under a high stress) and result keeps the
// value it held: the caller's last chart result.
void InterpolateChartByRange(double& result, double blow_count, double stress_psi);

} // namespace korva::engine
