#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "exceptions.h"
#include "number_format.h"
#include "plot_workbook.h"
#include "temp_folder.h"
#include "test_support.h"
#include "xlsx_reader.h"

using namespace korva::app;
using namespace korva::test;

namespace {

// The spreadsheet's column letters of a 1-based column number.
std::string ColumnName(int n)
{
    std::string name;
    for (; n > 0; n = (n - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (n - 1) % 26));
    return name;
}

// `lines` lines of `points` points: line t has x = t + depth / 4 at depths 0, 1, ...
TWorkbookPlot MakePlot(const std::string& caption, int lines, int points, bool reverse = true)
{
    TWorkbookPlot plot;
    plot.Caption = caption;
    plot.XTitle = "Unit Skin Friction (kips/ft^2)";
    plot.YTitle = "Depth (ft)";
    plot.ReverseY = reverse;
    for (int t = 0; t < lines; ++t) {
        TWorkbookLine line;
        line.Name = "Curve #" + std::to_string(t + 1);
        for (int p = 0; p < points; ++p)
            line.Points.push_back({t + p / 4.0L, static_cast<Extended>(p)});
        plot.Lines.push_back(line);
    }
    return plot;
}

TEST(PlotWorkbook, ThreePlotsGiveTheLegendDataSheetsAndChartsInOrder)
{
    ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    TempFolder folder;
    const std::string path = folder.Path("pile.xlsx");
    std::vector<TWorkbookPlot> plots = {MakePlot("Unit Skin Friction vs Depth", 3, 20),
                                        MakePlot("Load Distribution", 2, 5),
                                        MakePlot("Axial Load vs Settlement", 1, 10, false)};
    plots[0].Lines[0].Points[1] = {1.0L / 3, 2.5L}; // 15 significant digits in the sheet
    WritePlotWorkbook(path, plots);
    XlsxBook book(path);

    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2",
                                                           "Page_3", "Plot_3"}));
    EXPECT_TRUE(book.IsChartSheet("Plot_2"));
    EXPECT_FALSE(book.IsChartSheet("Page_2"));

    // Legend: the heading in row 2, one numbered row per plot.
    const auto legend = book.Cells("Legend");
    EXPECT_EQ(legend.at("B2").text, "     N    ");
    EXPECT_EQ(legend.at("C2").text, "                             Plot Name                             ");
    EXPECT_EQ(legend.at("D2").text, "  Sheet Name  ");
    EXPECT_EQ(legend.at("E2").text, "  Chart Name  ");
    EXPECT_EQ(legend.at("F2").text, "          Status          ");
    for (int k = 1; k <= 3; ++k) {
        const std::string row = std::to_string(k + 2);
        EXPECT_TRUE(legend.at("B" + row).number);
        EXPECT_EQ(legend.at("B" + row).value, k);
        EXPECT_EQ(legend.at("C" + row).text, plots[k - 1].Caption);
        EXPECT_EQ(legend.at("D" + row).text, "Page_" + std::to_string(k)); // the link shows its sheet
        EXPECT_EQ(legend.at("E" + row).text, "Plot_" + std::to_string(k));
        EXPECT_EQ(legend.at("F" + row).text, "Complete");
        EXPECT_EQ(book.Links("Legend").at("D" + row), "Page_" + std::to_string(k) + "!A1");
    }
    EXPECT_GE(book.Widths("Legend").at(3), 67) << "the plot-name column fits its heading";

    // The first data sheet: 3 lines of 20 points in columns A-F, rows 6-25.
    const auto page = book.Cells("Page_1");
    EXPECT_EQ(page.at("A1").text, "Unit Skin Friction vs Depth");
    EXPECT_EQ(page.at("A2").text, "X");
    EXPECT_EQ(page.at("B2").text, "Unit Skin Friction (kips/ft^2)");
    EXPECT_EQ(page.at("A3").text, "Y");
    EXPECT_EQ(page.at("B3").text, "Depth (ft)");
    EXPECT_EQ(page.at("G1").text, "Go to Legend Page");
    EXPECT_EQ(book.Links("Page_1").at("G1"), "Legend!A1");
    EXPECT_EQ(page.at("A4").text, "Curve #1");
    EXPECT_EQ(page.at("C4").text, "Curve #2");
    EXPECT_EQ(page.at("E4").text, "Curve #3");
    EXPECT_EQ(page.at("E5").text, "X");
    EXPECT_EQ(page.at("F5").text, "Y");
    EXPECT_TRUE(page.at("F25").number);
    EXPECT_EQ(page.at("F25").value, 19);
    EXPECT_EQ(page.at("E25").value, 2 + 19 / 4.0);
    EXPECT_EQ(page.at("A7").text, "0.333333333333333");
    EXPECT_EQ(page.at("B7").text, "2.5");
    EXPECT_EQ(page.count("A26"), 0u);
    EXPECT_EQ(page.count("G4"), 0u);

    const XlsxChart chart = book.Chart("Plot_1");
    EXPECT_EQ(chart.type, "scatterChart");
    EXPECT_EQ(chart.style, "lineMarker");
    ASSERT_EQ(chart.series.size(), 3u);
    EXPECT_EQ(chart.series[1].name, "Curve #2");
    EXPECT_EQ(chart.series[1].x, "Page_1!$C$6:$C$25");
    EXPECT_EQ(chart.series[1].y, "Page_1!$D$6:$D$25");
    EXPECT_EQ(chart.xTitle, "Unit Skin Friction (kips/ft^2)");
    EXPECT_EQ(chart.yTitle, "Depth (ft)");
    EXPECT_TRUE(chart.xGridlines);
    EXPECT_TRUE(chart.yGridlines);
    EXPECT_TRUE(chart.yReversed) << "depth grows downward";

    EXPECT_EQ(book.Chart("Plot_2").series[1].y, "Page_2!$D$6:$D$10");
    EXPECT_FALSE(book.Chart("Plot_3").yReversed);
}

// A chart holds at most 255 series; the data sheet keeps every line.
TEST(PlotWorkbook, ChartStopsAt255SeriesAndTheSheetKeepsEveryLine)
{
    TempFolder folder;
    const std::string path = folder.Path("many.xlsx");
    WritePlotWorkbook(path, {MakePlot("Internally-Generated t-z Curves", 300, 10)});
    XlsxBook book(path);
    const XlsxChart chart = book.Chart("Plot_1");
    ASSERT_EQ(chart.series.size(), 255u);
    EXPECT_EQ(chart.series[254].x, "Page_1!$" + ColumnName(509) + "$6:$" + ColumnName(509) + "$15");
    const auto page = book.Cells("Page_1");
    EXPECT_EQ(page.at(ColumnName(599) + "4").text, "Curve #300");
    EXPECT_EQ(page.at(ColumnName(600) + "15").value, 9);
}

TEST(PlotWorkbook, TextIsMadeValidAndLinesWithoutPointsHaveNoSeries)
{
    TempFolder folder;
    const std::string path = folder.Path("text.xlsx");
    TWorkbookPlot plot = MakePlot("Caption\twith a tab", 3, 4);
    plot.Lines[0].Name = "Bad \xFF byte & <tag>";
    plot.Lines[1].Points.clear();
    WritePlotWorkbook(path, {plot});
    XlsxBook book(path);
    const auto page = book.Cells("Page_1");
    EXPECT_EQ(page.at("A1").text, "Caption with a tab");
    EXPECT_EQ(page.at("A4").text, "Bad ? byte & <tag>");
    const XlsxChart chart = book.Chart("Plot_1");
    ASSERT_EQ(chart.series.size(), 2u);
    EXPECT_EQ(chart.series[0].name, "Bad ? byte & <tag>");
    EXPECT_EQ(chart.series[1].x, "Page_1!$E$6:$E$9");
}

// A chart needs a series: a plot without points (no lines, or lines without
// points) keeps its numbered Legend row, which says it was left out, and has
// neither sheet; the plots around it are written under their own numbers.
TEST(PlotWorkbook, APlotWithoutPointsIsLeftOutAndTheOthersAreWritten)
{
    TempFolder folder;
    const std::string path = folder.Path("pile.xlsx");
    TWorkbookPlot noLines = MakePlot("Extra t-z curves at User Specified Depths", 0, 0);
    TWorkbookPlot emptyLines = MakePlot("Combine Plot", 3, 0);
    EXPECT_FALSE(HasPoints(noLines));
    EXPECT_FALSE(HasPoints(emptyLines));
    WritePlotWorkbook(path, {MakePlot("Unit Skin Friction vs Depth", 2, 5), noLines, emptyLines,
                             MakePlot("Axial Load vs Settlement", 1, 10, false)});
    XlsxBook book(path);
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Legend", "Page_1", "Plot_1", "Page_4", "Plot_4"}));
    const auto legend = book.Cells("Legend");
    for (int k = 1; k <= 4; ++k)
        EXPECT_EQ(legend.at("B" + std::to_string(k + 2)).value, k);
    for (const char* row : {"4", "5"}) {
        EXPECT_EQ(legend.count(std::string("D") + row), 0u) << row;
        EXPECT_EQ(legend.count(std::string("E") + row), 0u) << row;
        EXPECT_EQ(legend.at(std::string("F") + row).text, kNoPointsStatus) << row;
    }
    EXPECT_EQ(legend.at("C4").text, "Extra t-z curves at User Specified Depths");
    EXPECT_EQ(legend.at("C5").text, "Combine Plot");
    EXPECT_EQ(legend.at("F3").text, "Complete");
    EXPECT_EQ(legend.at("D6").text, "Page_4");
    EXPECT_EQ(legend.at("F6").text, "Complete");
    EXPECT_EQ(book.Links("Legend").size(), 2u);
    EXPECT_EQ(book.Chart("Plot_4").series[0].y, "Page_4!$B$6:$B$15");
}

TEST(PlotWorkbook, AnUnwritablePathRaisesAndAnOldFileStays)
{
    TempFolder folder;
    EXPECT_THROW(
        {
            try {
                WritePlotWorkbook(folder.Path("no folder/pile.xlsx"), {MakePlot("A", 1, 2)});
            } catch (const korva::components::EInOutError& e) {
                EXPECT_NE(std::string(e.what()).find("Cannot write file \"" + folder.Path("no folder/pile.xlsx")),
                          std::string::npos)
                    << e.what();
                throw;
            }
        },
        korva::components::EInOutError);

    // A workbook the user may not write stays.
    folder.Write("protected.xlsx", "old");
    ::chmod(folder.Path("protected.xlsx").c_str(), 0444);
    try {
        WritePlotWorkbook(folder.Path("protected.xlsx"), {MakePlot("A", 1, 2)});
        ADD_FAILURE() << "written over a write-protected workbook";
    } catch (const korva::components::EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + folder.Path("protected.xlsx") + "\". " + std::strerror(EACCES));
    }
    EXPECT_TRUE(folder.Read("protected.xlsx") == "old") << "a write-protected workbook replaced";

    folder.Write("old.xlsx", "old");
    WritePlotWorkbook(folder.Path("old.xlsx"), {MakePlot("A", 1, 2)});
    EXPECT_EQ(XlsxBook(folder.Path("old.xlsx")).SheetNames().size(), 3u) << "replaced by the new workbook";
}

} // namespace
