#pragma once
// The three design-chart pictures of the clay adhesion choice: picture A, B
// or C (adhesion choice 1, 2 or 3) is a drawing of the analysis's adhesion
// graph of the same number, the adhesion factor against the undrained shear
// strength in ksf, one curve per penetration ratio. The pictures are JPEG
// files made at build time by korva-chart-pictures from the analysis's own
// tables and stored in the program's resources; this header is what the
// generator, the chart window and the tests agree on.
#include <array>

namespace korva::app {

struct TDesignChartPicture {
    char Letter;            // 'A', 'B', 'C'
    int Graph;              // the analysis's adhesion graph drawn (1, 2, 3)
    const char* FileName;   // in the generator's output folder
    const char* Resource;   // in the program's resources
    const char* Title;
};

inline constexpr std::array<TDesignChartPicture, 3> kDesignChartPictures = {{
    {'A', 1, "chart_a.jpg", ":/design_charts/chart_a.jpg", "Tomlinson Graph A - Clay below Sand"},
    {'B', 2, "chart_b.jpg", ":/design_charts/chart_b.jpg", "Tomlinson Graph B - Clay below Soft Clay"},
    {'C', 3, "chart_c.jpg", ":/design_charts/chart_c.jpg",
     "Tomlinson Graph C - Clay without a Different Stratum above"},
}};

// Picture size and the plot area inside it, in pixels.
inline constexpr int kChartPictureWidth = 1040;
inline constexpr int kChartPictureHeight = 440;
inline constexpr int kChartPlotLeft = 80;
inline constexpr int kChartPlotTop = 90;
inline constexpr int kChartPlotRight = 760;
inline constexpr int kChartPlotBottom = 375;
// Axis ranges: strength 0 to 5 ksf, adhesion factor 0 to 1.2.
inline constexpr double kChartMaxStrength = 5.0;
inline constexpr double kChartMaxFactor = 1.2;

inline double ChartPixelX(double strengthKsf)
{
    return kChartPlotLeft + (kChartPlotRight - kChartPlotLeft) * strengthKsf / kChartMaxStrength;
}

inline double ChartPixelY(double factor)
{
    return kChartPlotBottom - (kChartPlotBottom - kChartPlotTop) * factor / kChartMaxFactor;
}

} // namespace korva::app
