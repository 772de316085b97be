#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine_run.h"
#include "exceptions.h"
#include "plot_data_records.h"
#include "project_fixture.h"
#include "result_plots.h"
#include "temp_folder.h"
#include "test_support.h"
#include "plot_workbook.h"
#include "xlsx_reader.h"

using namespace korva::test;
using korva::components::AxisTitle;
using korva::components::TGraphPlot;

namespace {

std::string EngineOutput(const std::string& name)
{
    return ReadText(DataPath("engine/" + name + ".kv7p"));
}

std::vector<std::string> Names(const TGraphPlot& plot)
{
    std::vector<std::string> names;
    for (int i = 0; i < plot.LineCount(); ++i)
        names.push_back(plot.Line(i)->GetName());
    return names;
}

std::vector<std::string> LayerNames(const TGraphPlot& plot)
{
    std::vector<std::string> names;
    for (int i = 0; i < plot.LayerCount(); ++i)
        names.push_back(plot.Layer(i)->GetName());
    return names;
}

// A project of the methods (TPileMethod numbers) over sand, clay, silt and
// sand layers, with the plot data file `text` beside it as pile.kv7p.
struct PlotProject {
    PlotProject(const std::vector<int>& methods, int loadDirection, bool extraDepths, const std::string& text)
    {
        p.MethodSelected.fill(0);
        for (int m : methods)
            p.MethodSelected[static_cast<std::size_t>(m)] = 1;
        p.LoadDirection = loadDirection;
        p.ExtraTZDepths = extraDepths ? 1 : 0;
        SetLayers(h.tables, {{kSand, 20, 0, 0, 1, 1, {}, {}},
                             {kClay, 30, 0, 0, 1, 1, {}, {}},
                             {kSilt, 40.5L, 0, 0, 1, 1, {}, {}},
                             {kSand, 70, 0, 0, 1, 1, {}, {}}});
        p.FileName = folder.Path("pile.kv7d");
        folder.Write("pile.kv7p", text);
    }
    bool Read(bool showErrors = true) { return ReadPlotFile(plots, p, folder.Path("pile.kv7p"), showErrors); }

    TempFolder folder;
    ProjectHost h;
    TProgramData p{h.host};
    TResultPlots plots;
};

void ExpectPoint(const TGraphPlot& plot, int line, int point, double x, double y)
{
    const auto& pt = plot.Point(line, point);
    EXPECT_DOUBLE_EQ(static_cast<double>(pt.X), x) << plot.Caption << " line " << line << " point " << point;
    EXPECT_DOUBLE_EQ(static_cast<double>(pt.Y), y) << plot.Caption << " line " << line << " point " << point;
}

void ExpectTzCurves(const TGraphPlot& plot, const std::vector<PlotTzCurve>& curves, const std::string& unit)
{
    ASSERT_EQ(plot.LineCount(), static_cast<int>(curves.size())) << plot.Caption;
    for (int c = 0; c < plot.LineCount(); ++c) {
        EXPECT_EQ(plot.Line(c)->GetName(),
                  korva::components::FormatGeneral(curves[c].depth, korva::components::kShortestPrecision) + unit);
        ASSERT_EQ(plot.Line(c)->PointCount(), 10);
        for (int j = 0; j < 10; ++j)
            ExpectPoint(plot, c, j, curves[c].movement[j], curves[c].load_transfer[j]);
    }
}

// USACE, API, the user's values and ICP/MTD, load transfer by API, extra
// t-z depths at 10 and 30 ft: every record where the plots keep it.
TEST(ResultPlots, CompressionRunFillsTheTenPlotsAndTheResultArrays)
{
    const std::string text = EngineOutput("loop-clay-sand-english-compression");
    const PlotData file = ReadPlotData(text, true);
    ASSERT_TRUE(file.complete);
    PlotProject project({pmUsace, pmApi, pmUserSpecified, pmIcpMtd}, 0, true, text);
    ASSERT_TRUE(project.Read());
    const TResultPlots& r = project.plots;
    const TProgramData& p = project.p;
    EXPECT_TRUE(project.h.messages.empty());

    const std::vector<std::string> curves = {"User Spec.", "USACE", "API", "MTD"};
    for (const TGraphPlot* plot : {&r.pltSkin, &r.pltUSkin, &r.pltTip, &r.pltTotal}) {
        EXPECT_EQ(Names(*plot), curves) << plot->Caption;
        EXPECT_EQ(plot->PointCount(), 12);
    }
    const int rows = file.rows_per_curve;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < rows; ++j) {
            const std::vector<double>& row = file.capacity_rows[static_cast<std::size_t>(i * rows + j)];
            ExpectPoint(r.pltSkin, i, j, row[1], row[0]);
            ExpectPoint(r.pltTip, i, j, row[2], row[0]);
            ExpectPoint(r.pltTotal, i, j, row[3], row[0]);
            ExpectPoint(r.pltUSkin, i, j, row[4], row[0]);
        }
    // The API curve (line 2) is the load-transfer line.
    EXPECT_EQ(Names(r.pltCombine), (std::vector<std::string>{"Skin Friction", "Tip Resistance", "Total Capacity"}));
    ASSERT_EQ(p.ResultPointCount, rows);
    for (int j = 0; j < rows; ++j) {
        const std::vector<double>& row = file.capacity_rows[static_cast<std::size_t>(2 * rows + j)];
        EXPECT_DOUBLE_EQ(static_cast<double>(p.ResultDepths[j]), row[0]);
        EXPECT_DOUBLE_EQ(static_cast<double>(p.ResultUnitSkinFriction[j]), row[4]);
        EXPECT_DOUBLE_EQ(static_cast<double>(p.ResultTipResistance[j]), row[2]);
        ExpectPoint(r.pltCombine, 0, j, row[1], row[0]);
        ExpectPoint(r.pltCombine, 1, j, row[2], row[0]);
        ExpectPoint(r.pltCombine, 2, j, row[3], row[0]);
    }
    EXPECT_EQ(p.Perimeter, 0) << "the perimeter is not changed to fill a plot";

    ExpectTzCurves(r.pltTZcurves, file.tz_curves, " ft");
    ExpectTzCurves(r.PltExtraTZ, file.extra_curves, " ft");
    EXPECT_EQ(Names(r.PltExtraTZ), (std::vector<std::string>{"10 ft", "30 ft"}));

    ASSERT_EQ(r.pltLoad.LineCount(), 9);
    EXPECT_EQ(r.pltLoad.Line(8)->GetName(), "Curve #9");
    for (int line = 0; line < 9; ++line)
        for (int j = 0; j < rows; ++j) {
            const PlotDistributionRow& row = file.distribution[static_cast<std::size_t>(line * rows + j)];
            ExpectPoint(r.pltLoad, line, j, row.axial_load, row.depth);
        }
    EXPECT_EQ(Names(r.pltAxial), (std::vector<std::string>{"API"}));
    ASSERT_EQ(r.pltAxial.PointCount(), 10);
    ASSERT_EQ(r.PltQw.PointCount(), 10);
    ExpectPoint(r.pltAxial, 0, 0, 0, 0);
    ExpectPoint(r.PltQw, 0, 0, 0, 0);
    for (int j = 1; j < 10; ++j) {
        const PlotSettlementRow& row = file.settlement[static_cast<std::size_t>(j - 1)];
        ExpectPoint(r.pltAxial, 0, j, row.top_load, row.top_movement);
        ExpectPoint(r.PltQw, 0, j, row.tip_load, row.tip_movement);
    }
    EXPECT_TRUE(r.pltAxial.XOnTop);
    EXPECT_EQ(r.pltAxial.YCaption, "Settlement, in.");
    EXPECT_EQ(AxisTitle(r.PltQw.YCaption, r.PltQw.YUnits, r.PltQw.Units()), "Settlement, in.");
    EXPECT_EQ(AxisTitle(r.pltUSkin.XCaption, r.pltUSkin.XUnits, r.pltUSkin.Units()), "Unit Skin Friction (kips/ft^2)");

    // The soil layers on the six depth plots.
    for (const TGraphPlot* plot : {&r.pltUSkin, &r.pltSkin, &r.pltTip, &r.pltTotal, &r.pltLoad, &r.pltCombine})
        EXPECT_EQ(plot->LayerCount(), 4) << plot->Caption;
    for (const TGraphPlot* plot : {&r.pltAxial, &r.PltQw, &r.pltTZcurves, &r.PltExtraTZ})
        EXPECT_EQ(plot->LayerCount(), 0) << plot->Caption;

    const TGraphicsMenuState menu = GraphicsMenuState(true, p);
    EXPECT_EQ(menu.Plots, (std::array<bool, 10>{true, true, true, true, true, true, true, true, true, true}));
    EXPECT_TRUE(menu.Export);
}

// Sand, clay, silt and sand: the silt band keeps its layer number.
TEST(ResultPlots, SoilLayerBands)
{
    PlotProject project({pmUserSpecified, pmFhwa, pmUsace, pmRevisedLambda}, 0, false,
                        EngineOutput("land-layered-english-compression"));
    ASSERT_TRUE(project.Read());
    const TGraphPlot& skin = project.plots.pltSkin;
    EXPECT_EQ(LayerNames(skin), (std::vector<std::string>{" SAND ", " CLAY ", "LAYER 3", " SAND "}));
    const double patterns[] = {7, 1, 0, 7};
    const double bottoms[] = {20, 30, 40.5, 70};
    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(skin.Layer(i)->PointCount(), 1);
        EXPECT_EQ(skin.LayerPoint(i, 0).X, patterns[i]);
        EXPECT_EQ(skin.LayerPoint(i, 0).Y, bottoms[i]);
    }
    // A layer that became silt since the last read draws no sand pattern.
    project.h.tables.D.Cell(layer_col::SoilType, 0).SetAsInteger(kSilt);
    ASSERT_TRUE(project.Read());
    EXPECT_EQ(skin.Layer(0)->GetName(), "LAYER 1");
    EXPECT_EQ(skin.LayerPoint(0, 0).X, 0);
}

TEST(ResultPlots, TensionRuns)
{
    struct Case {
        const char* file;
        const char* uplift;
        const char* settlement;
    };
    for (const Case& c : {Case{"land-layered-english-uplift", "Uplift, in.", "Settlement, in."},
                          Case{"land-layered-si-uplift", "Uplift, m", "Settlement, m"}}) {
        PlotProject project({pmUserSpecified, pmFhwa, pmUsace, pmRevisedLambda}, 1, false, EngineOutput(c.file));
        ASSERT_TRUE(project.Read()) << c.file;
        const TResultPlots& r = project.plots;
        EXPECT_FALSE(r.pltAxial.XOnTop);
        EXPECT_FALSE(r.PltQw.XOnTop);
        EXPECT_EQ(r.pltAxial.YCaption, c.uplift);
        // Movements are in inches or metres: no "(mm)" on values in metres.
        EXPECT_EQ(AxisTitle(r.PltQw.YCaption, r.PltQw.YUnits, r.PltQw.Units()), c.settlement);
        EXPECT_EQ(Names(r.pltCombine), (std::vector<std::string>{"Skin Friction", "Self Weight", "Total Capacity"}));
        EXPECT_EQ(Names(r.pltAxial), (std::vector<std::string>{"FHWA"}));
        const TGraphicsMenuState menu = GraphicsMenuState(true, project.p);
        EXPECT_EQ(menu.Plots, (std::array<bool, 10>{true, true, false, true, true, true, true, true, false, false}))
            << c.file;
    }
}

TEST(ResultPlots, ConeBasedMethodsAreCurvesOnlyInTheOffshoreEdition)
{
    const std::vector<int> all = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    PlotProject project(all, 0, true, EngineOutput("cone-all-methods-si"));
    ASSERT_TRUE(project.Read());
    EXPECT_EQ(Names(project.plots.pltTotal), (std::vector<std::string>{"User Spec.", "FHWA", "USACE", "Lambda", "API",
                                                                        "NGI", "MTD", "FUGRO", "UWA"}));
    EXPECT_EQ(Names(project.plots.pltAxial), (std::vector<std::string>{"MTD"}));
    EXPECT_EQ(project.p.ResultPointCount, 37);
    EXPECT_EQ(Names(project.plots.PltExtraTZ), (std::vector<std::string>{"4 m", "12 m"}));
    EXPECT_EQ(project.plots.pltTotal.Units(), 2);
    EXPECT_EQ(AxisTitle(project.plots.pltUSkin.XCaption, project.plots.pltUSkin.XUnits, 2), "Unit Skin Friction (kN/m^2)");

    // Without the offshore edition five curves are named, and the file of
    // nine does not fit.
    project.p.OffshoreEdition = 0;
    EXPECT_FALSE(project.Read());
    EXPECT_EQ(project.h.messages,
              (std::vector<std::string>{std::string(kPlotFileError) + "\rThe plot data file \"" +
                                        project.folder.Path("pile.kv7p") +
                                        "\" is invalid.\rError on Line 1 Item 1\rThe plot data file does not fit "
                                        "the project: 9 capacity curves for 5 selected methods."}));
}

// Extra t-z curves in the file of a project that no longer asks for them:
// they are not read, and the plot keeps what it held; its entry is disabled.
TEST(ResultPlots, ExtraCurvesNotReadWhenTheProjectHasNoExtraDepths)
{
    PlotProject project({pmUsace, pmApi, pmUserSpecified, pmIcpMtd}, 0, false,
                        EngineOutput("loop-clay-sand-english-compression"));
    project.plots.PltExtraTZ.SetLineCount(1);
    project.plots.PltExtraTZ.Line(0)->Name = "earlier";
    ASSERT_TRUE(project.Read());
    EXPECT_EQ(Names(project.plots.PltExtraTZ), (std::vector<std::string>{"earlier"}));
    EXPECT_FALSE(GraphicsMenuState(true, project.p).PlotEnabled(rpExtraTzCurves));
    EXPECT_TRUE(GraphicsMenuState(true, project.p).PlotEnabled(rpTzCurves));
}

// Without the load-transfer method among the curves, the combined plot and
// the result arrays stay empty and no wave-equation file is written.
TEST(ResultPlots, LoadTransferMethodWithoutACurve)
{
    std::string text = EngineOutput("loop-clay-sand-english-compression");
    ASSERT_EQ(text.substr(0, 9), "4 12 1 4\n");
    text.replace(0, 9, "4 12 1 1\n"); // FHWA, not among the curves
    PlotProject project({pmUsace, pmApi, pmUserSpecified, pmIcpMtd}, 0, true, text);
    ASSERT_TRUE(project.Read());
    EXPECT_EQ(project.p.ResultPointCount, 0);
    EXPECT_EQ(project.plots.pltCombine.LineCount(), 3);
    EXPECT_EQ(project.plots.pltCombine.PointCount(), 0);
    EXPECT_EQ(project.plots.pltSkin.PointCount(), 12);
    EXPECT_EQ(Names(project.plots.pltAxial), (std::vector<std::string>{"FHWA"}));
    EXPECT_FALSE(project.p.WriteWaveEquationFile());
    EXPECT_FALSE(project.folder.Exists("pile.gwi"));
}

// A file that cannot be read, or does not fit the project, leaves no plots
// and no result points, with the message only when errors are shown.
TEST(ResultPlots, InvalidFilesGiveTheMessageAndNoPlots)
{
    const std::string good = EngineOutput("loop-clay-sand-english-compression");
    const std::string body = good.substr(good.find('\n'));
    struct Case {
        const char* what;
        std::string text;
    };
    const std::vector<Case> cases = {
        {"empty (a run that stopped)", ""},
        {"three curves for four methods", "3 12 1 4" + body},
        {"rows beyond the result arrays", "4 502 1 4" + body},
        {"negative rows", "4 -1 1 4" + body},
        {"unit system 3", "4 12 3 4" + body},
        {"a word that is not a number", good.substr(0, good.size() / 2) + " x12 " + good.substr(good.size() / 2)},
        {"cut short", good.substr(0, good.size() - 200)},
        {"too many t-z curves", good.substr(0, good.find("           9\n")) + "  2000000000\n"},
    };
    for (const Case& c : cases) {
        for (const bool showErrors : {true, false}) {
            PlotProject project({pmUsace, pmApi, pmUserSpecified, pmIcpMtd}, 0, true, good);
            ASSERT_TRUE(project.Read());
            project.folder.Write("pile.kv7p", c.text);
            EXPECT_FALSE(project.Read(showErrors)) << c.what;
            // The message of a file that is there, and not empty, goes on to say where it does not fit.
            ASSERT_EQ(project.h.messages.size(), showErrors ? 1u : 0u) << c.what;
            if (showErrors) {
                EXPECT_EQ(project.h.messages[0].rfind(kPlotFileError, 0), 0u) << c.what;
                EXPECT_EQ(project.h.messages[0] == kPlotFileError, c.text.empty()) << c.what;
            }
            for (int number = 1; number <= kResultPlotCount; ++number) {
                EXPECT_EQ(project.plots.Plot(number)->LineCount(), 0) << c.what << " plot " << number;
                EXPECT_EQ(project.plots.Plot(number)->LayerCount(), 0) << c.what << " plot " << number;
            }
            EXPECT_EQ(project.p.ResultPointCount, 0) << c.what;
        }
    }
    // A missing file reads as an error too.
    PlotProject project({pmApi}, 0, false, "");
    EXPECT_FALSE(ReadPlotFile(project.plots, project.p, project.folder.Path("none.kv7p"), true));
    EXPECT_EQ(project.h.messages, (std::vector<std::string>{kPlotFileError}));
}

TEST(ResultPlots, GraphicsMenuNeedsTheLoadedPlotsAndTheirFile)
{
    PlotProject project({pmApi}, 0, true, "anything");
    EXPECT_FALSE(GraphicsMenuState(false, project.p).Export);
    EXPECT_TRUE(GraphicsMenuState(true, project.p).Export);
    project.p.FileName = project.folder.Path("other.kv7d"); // no other.kv7p
    const TGraphicsMenuState menu = GraphicsMenuState(true, project.p);
    EXPECT_FALSE(menu.Export);
    EXPECT_EQ(menu.Plots, (std::array<bool, 10>{}));
    EXPECT_EQ(project.plots.Plot(0), nullptr);
    EXPECT_EQ(project.plots.Plot(11), nullptr);
    EXPECT_EQ(project.plots.Plot(rpQwCurve), &project.plots.PltQw);
}

// The lines of a plot data file, and back.
std::vector<std::string> LinesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        const std::size_t end = std::min(text.find('\n', begin), text.size());
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

// A row lost, added or split moves no number into another field: the file
// is invalid, the message names the line where it stops fitting, and there
// are neither plots nor result points nor a wave-equation file from it.
TEST(ResultPlots, ARecordThatDoesNotFitItsRowsNamesItsLine)
{
    const std::vector<std::string> good = LinesOf(EngineOutput("loop-clay-sand-english-compression"));
    ASSERT_EQ(good.size(), 289u);
    ASSERT_EQ(good[0], "4 12 1 4");      // 48 capacity rows on lines 2-49
    ASSERT_EQ(good[49], "           9"); // the t-z curves, then the load distribution from line 150
    ASSERT_EQ(good[266], "           2"); // the extra curves
    const auto edited = [&](const std::function<void(std::vector<std::string>&)>& edit) {
        std::vector<std::string> lines = good;
        edit(lines);
        return JoinLines(lines);
    };
    const std::string capacity = "a row of the capacity curves (depth, skin friction, tip resistance, total capacity, "
                                 "unit skin friction) holds 5 words.";
    const std::string load = "a row of the load distribution (depth, axial load, movement) holds 3 words.";
    struct Case {
        const char* what;
        bool extraDepths;
        std::string text;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"a capacity row lost, the extra curves not read", false, edited([](auto& l) { l.erase(l.begin() + 5); }),
         "Error on Line 49\rThe line holds 1 word where " + capacity},
        {"a long line in the load distribution", true,
         edited([](auto& l) { l.insert(l.begin() + 150, "  0.1E+01  0.2E+01  0.3E+01  0.4E+01  0.5E+01  0.6E+01"); }),
         "Error on Line 151\rThe line holds 6 words where " + load},
        {"a load distribution row split in two", false,
         edited([](auto& l) {
             l[151] = "    0.525E+02    0.240E+00";
             l.insert(l.begin() + 152, "    0.111E-03");
         }),
         "Error on Line 152\rThe line holds 2 words where " + load},
        {"a number beyond the doubles", false, edited([](auto& l) { l[258] = "  0.5368E+01  1E+400  0.1535E+01  0.1E-02"; }),
         "Error on Line 259 Item 2\rThe number is beyond the range of the analysis results."},
        {"an extra curve more than counted", true, edited([](auto& l) { l[266] = "           1"; }),
         "Error on Line 279\rThe file holds words after its last record."},
        {"a line after the last record", true, edited([](auto& l) { l.push_back("1 2 3"); }),
         "Error on Line 290\rThe file holds words after its last record."},
        {"the extra curves cut short", false, edited([](auto& l) { l.resize(280); }),
         "The file ends at line 280, where a point of a t-z curve (load transfer, movement) must follow."},
    };
    for (const Case& c : cases) {
        PlotProject project({pmUsace, pmApi, pmUserSpecified, pmIcpMtd}, 0, c.extraDepths, c.text);
        project.folder.Write("pile.gwi", "the wave-equation file of an earlier run");
        EXPECT_FALSE(project.Read()) << c.what;
        EXPECT_EQ(project.h.messages, (std::vector<std::string>{std::string(kPlotFileError) +
                                                                "\rThe plot data file \"" +
                                                                project.folder.Path("pile.kv7p") + "\" is invalid.\r" +
                                                                c.message}))
            << c.what;
        for (int number = 1; number <= kResultPlotCount; ++number)
            EXPECT_EQ(project.plots.Plot(number)->LineCount(), 0) << c.what << " plot " << number;
        EXPECT_EQ(project.p.ResultPointCount, 0) << c.what;
        EXPECT_FALSE(project.p.WriteWaveEquationFile()) << c.what;
        EXPECT_FALSE(project.folder.Exists("pile.gwi")) << c.what;
    }
    // The good file, with and without its extra curves read.
    for (const bool extraDepths : {false, true}) {
        PlotProject project({pmUsace, pmApi, pmUserSpecified, pmIcpMtd}, 0, extraDepths, JoinLines(good));
        EXPECT_TRUE(project.Read());
        EXPECT_TRUE(project.h.messages.empty());
    }
}

} // namespace

namespace {

// Three plots of a run exported and read back: the legend lists them 1..3 in
// the order given, each with its data sheet and chart.
TEST(ResultPlotsWorkbook, ThreeExportedPlotsReadBack)
{
    const std::string text = EngineOutput("loop-clay-sand-english-compression");
    const PlotData file = ReadPlotData(text, true);
    PlotProject project({pmUsace, pmApi, pmUserSpecified, pmIcpMtd}, 0, true, text);
    ASSERT_TRUE(project.Read());
    TResultPlots& r = project.plots;
    const std::string path = project.folder.Path("pile.xlsx");
    WritePlotWorkbook(path, {&r.pltUSkin, &r.pltCombine, &r.pltTZcurves});

    XlsxBook book(path);
    EXPECT_EQ(book.SheetNames(), (std::vector<std::string>{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2", "Page_3",
                                                           "Plot_3"}));
    const auto legend = book.Cells("Legend");
    EXPECT_EQ(legend.at("C3").text, "Unit Skin Friction vs Depth");
    EXPECT_EQ(legend.at("C4").text, "Combine Plot");
    EXPECT_EQ(legend.at("C5").text, "Internally-Generated t-z Curves");
    EXPECT_EQ(legend.at("B5").value, 3);

    // Unit skin friction: four curves of 12 rows, x the unit skin friction.
    const auto page1 = book.Cells("Page_1");
    EXPECT_EQ(page1.at("B2").text, "Unit Skin Friction (kips/ft^2)");
    EXPECT_EQ(page1.at("B3").text, "Depth (ft)");
    EXPECT_EQ(page1.at("A4").text, "User Spec.");
    EXPECT_EQ(page1.at("G4").text, "MTD");
    const std::vector<double>& api5 = file.capacity_rows[2 * 12 + 5];
    EXPECT_DOUBLE_EQ(page1.at("E11").value, api5[4]);
    EXPECT_DOUBLE_EQ(page1.at("F11").value, api5[0]);
    const XlsxChart chart1 = book.Chart("Plot_1");
    ASSERT_EQ(chart1.series.size(), 4u);
    EXPECT_EQ(chart1.series[3].name, "MTD");
    EXPECT_EQ(chart1.series[3].x, "Page_1!$G$6:$G$17");
    EXPECT_EQ(chart1.series[3].y, "Page_1!$H$6:$H$17");
    EXPECT_TRUE(chart1.yReversed);

    // The combined plot: the API curve's skin friction, tip resistance and total.
    const auto page2 = book.Cells("Page_2");
    EXPECT_EQ(page2.at("E4").text, "Total Capacity");
    EXPECT_DOUBLE_EQ(page2.at("E11").value, api5[3]);
    EXPECT_EQ(book.Chart("Plot_2").series[2].y, "Page_2!$F$6:$F$17");

    // t-z curves: x the movement in inches, y the load transfer in psi; y up.
    const auto page3 = book.Cells("Page_3");
    EXPECT_EQ(page3.at("B2").text, "Displacement, z (in)");
    EXPECT_EQ(page3.at("B3").text, "Unit Load Transfer, t (lbs/in^2)");
    EXPECT_DOUBLE_EQ(page3.at("C15").value, file.tz_curves[1].movement[9]);
    EXPECT_DOUBLE_EQ(page3.at("D15").value, file.tz_curves[1].load_transfer[9]);
    const XlsxChart chart3 = book.Chart("Plot_3");
    EXPECT_EQ(chart3.series.size(), file.tz_curves.size());
    EXPECT_EQ(chart3.series[0].x, "Page_3!$A$6:$A$15");
    EXPECT_FALSE(chart3.yReversed);
}

} // namespace
