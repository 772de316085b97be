#pragma once
// The spreadsheet export of result plots: an .xlsx workbook with a "Legend"
// sheet listing the exported plots with links to their sheets, and for the
// k-th plot a data sheet "Page_k" with its points and an XY chart sheet
// "Plot_k" drawn from them, in the order Legend, Page_1, Plot_1, Page_2, ...
#include <string>
#include <vector>

#include "graph_plot.h"
#include "number_format.h"

namespace korva::app {

using components::Extended;

struct TWorkbookPoint {
    Extended X = 0;
    Extended Y = 0;
};

// One curve: its name in the legend and its points.
struct TWorkbookLine {
    std::string Name;
    std::vector<TWorkbookPoint> Points;
};

// One plot as the workbook shows it.
struct TWorkbookPlot {
    std::string Caption;
    std::string XTitle, YTitle; // axis titles with their units
    bool ReverseY = true;       // the y axis grows downward (depth)
    std::vector<TWorkbookLine> Lines;
};

// A chart of the spreadsheet holds at most this many series: further lines
// stay on the data sheet only.
inline constexpr int kMaxChartSeries = 255;
// The data sheet's columns (two per line) hold at most this many lines.
inline constexpr int kMaxSheetLines = 8192;

// The Legend's status of a plot left out of the workbook.
inline constexpr const char* kNoPointsStatus = "Not exported: no points";

// A line of the plot (of those a data sheet holds) has a point: the plot can
// be drawn as a chart.
bool HasPoints(const TWorkbookPlot& plot);
bool PlotHasPoints(const components::TGraphPlot& plot);

// Writes the workbook of the plots in the given order (numbered from 1) and
// replaces the file at path with it. Numbers are written as numbers, rounded
// to 15 significant digits as the plot shows them. A plot without points has
// its numbered Legend row, with its caption and the status kNoPointsStatus,
// and no data sheet or chart; the others keep their numbers. Raises EInOutError
// "Cannot write file "<path>". <reason>" when the workbook cannot be made or
// saved; the old file then stays.
void WritePlotWorkbook(const std::string& path, const std::vector<TWorkbookPlot>& plots);

// The plot as the workbook shows it: its caption, the axis titles with the
// unit text of its unit system, y reversed when x is on top (depth plots),
// and its curves with their display names and points.
TWorkbookPlot WorkbookPlotOf(const components::TGraphPlot& plot);

// WritePlotWorkbook of the plots, in the order given.
void WritePlotWorkbook(const std::string& path, const std::vector<const components::TGraphPlot*>& plots);

} // namespace korva::app
