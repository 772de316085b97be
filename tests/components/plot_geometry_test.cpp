#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "graph_plot.h"
#include "plot_geometry.h"
#include "test_support.h"

using namespace korva::components;

namespace {

constexpr Extended kNaN = std::numeric_limits<Extended>::quiet_NaN();
constexpr Extended kInf = std::numeric_limits<Extended>::infinity();

// A plot with one line per list of points.
void AddLine(TGraphPlot& plot, std::initializer_list<TFloatPoint> points)
{
    plot.SetLineCount(plot.LineCount() + 1);
    TLine* line = plot.Line(plot.LineCount() - 1);
    line->Points.assign(points);
}

TPlotRange RangeOf(std::initializer_list<std::initializer_list<TFloatPoint>> lines)
{
    TGraphPlot plot;
    for (const auto& points : lines)
        AddLine(plot, points);
    return ComputeRange(plot.Lines());
}

TEST(PlotRange, ZeroInsideAndRoundedOutward)
{
    struct Case {
        const char* what;
        TPlotRange range;
        TPlotRange expected;
    };
    const Case cases[] = {
        {"all y at 5", RangeOf({{{1, 5}, {2, 5}}}), {0, 2, 0, 5}},
        {"all at the origin", RangeOf({{{0, 0}, {0, 0}}}), {-0.01L, 0.01L, -0.01L, 0.01L}},
        {"no points", RangeOf({}), {-0.01L, 0.01L, -0.01L, 0.01L}},
        {"negative x only", RangeOf({{{-3.7L, 1}, {-1, 2}}}), {-4, 0, 0, 2}},
        {"depths 0 to 27.5", RangeOf({{{12, 0}, {30, 27.5L}}}), {0, 30, 0, 28}},
        {"span 2.5 to a tenth", RangeOf({{{2.5L, -0.25L}}}), {0, 2.5L, -0.25L, 0}},
        {"span 3.5 to its decade", RangeOf({{{-3.2L, 3.5L}}}), {-4, 0, 0, 4}},
        {"every line counts", RangeOf({{{1.5L, 1}}, {{-20, 100}}}), {-20, 2, 0, 100}},
        {"non-finite points are skipped",
         RangeOf({{{kNaN, 50}, {3, kInf}, {-kInf, 1}, {2, 5}, {kNaN, kNaN}}}),
         {0, 2, 0, 5}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.range.XMin, c.expected.XMin);
        EXPECT_EQ(c.range.XMax, c.expected.XMax);
        EXPECT_EQ(c.range.YMin, c.expected.YMin);
        EXPECT_EQ(c.range.YMax, c.expected.YMax);
    }

    // Hidden and inactive lines count too.
    TGraphPlot plot;
    AddLine(plot, {{1, 1}});
    AddLine(plot, {{7, 1}});
    plot.Line(1)->Visible = false;
    plot.Line(0)->Active = false;
    EXPECT_EQ(ComputeRange(plot.Lines()).XMax, 7);
}

TEST(PlotTicks, MajorStepsOfOneTwoFive)
{
    const std::pair<Extended, Extended> cases[] = {
        {1, 1}, {1.9L, 1}, {2, 2}, {4.9L, 2}, {5, 5}, {8.9L, 5}, {9, 10}, {9.99L, 10},
        {0.03L, 0.02L}, {700, 500}, {0.1L, 0.1L}, {25, 20},
    };
    for (const auto& [raw, major] : cases)
        EXPECT_NEAR(static_cast<double>(MajorTickStep(raw)), static_cast<double>(major), 1e-15) << static_cast<double>(raw);
    EXPECT_EQ(MajorTickStep(0), 0);
    EXPECT_EQ(MajorTickStep(kNaN), 0);
}

// An area of n label spacings of the single plot in each direction (h = 14).
TPixelRect AreaOfSpacings(int nx, int ny)
{
    return {0, 0, nx * 6 * 14, ny * 6 * 14};
}

TEST(PlotTicks, LastTickIsReached)
{
    struct Case {
        Extended max;
        int labels;
        Extended minorStep;
        int last;
    };
    const Case cases[] = {
        {5, 5, 0.2L, 25},      // the y range 0..5: a label at 5
        {1, 10, 0.02L, 50},
        {1, 5, 0.04L, 25},     // the sum of 25 steps passes 1 by a rounding error
        {0.1L, 10, 0.002L, 50},
        {28, 6, 0.4L, 70},
        {100, 4, 4, 25},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.minorStep));
        const auto ticks = ComputeTicks({0, c.max, 0, c.max}, AreaOfSpacings(c.labels, c.labels), 14,
                                        kSinglePlotLabelSpacing);
        ASSERT_TRUE(ticks);
        EXPECT_NEAR(static_cast<double>(ticks->TickStep.X), static_cast<double>(c.minorStep), 1e-18);
        EXPECT_EQ(ticks->FirstX, 0);
        EXPECT_EQ(ticks->LastX, c.last);
        EXPECT_EQ(ticks->LastY, c.last);
        const auto majors = MajorTickValues(ticks->TickStep.Y, ticks->FirstY, ticks->LastY);
        EXPECT_EQ(TickLabel(majors.back()), TickLabel(c.max));
    }

    // Below zero by repeated subtraction; the panels space labels by 4h.
    const auto ticks = ComputeTicks({-4, 0, -30, 10}, {0, 0, 4 * 4 * 14, 4 * 4 * 14}, 14, kPanelLabelSpacing);
    ASSERT_TRUE(ticks);
    EXPECT_EQ(ticks->FirstX, -20);
    EXPECT_EQ(ticks->LastX, 0);
    EXPECT_EQ(ticks->FirstY, -15);
    EXPECT_EQ(ticks->LastY, 5);
    EXPECT_EQ(MajorTickValues(ticks->TickStep.Y, ticks->FirstY, ticks->LastY), (std::vector<Extended>{-30, -20, -10, 0, 10}));
}

TEST(PlotTicks, NothingForSmallAreasAndBadRanges)
{
    const TPlotRange range{0, 5, 0, 5};
    EXPECT_FALSE(ComputeTicks(range, {0, 0, 83, 500}, 14, kSinglePlotLabelSpacing)); // under one spacing across
    EXPECT_FALSE(ComputeTicks(range, {0, 0, 500, 83}, 14, kSinglePlotLabelSpacing));
    EXPECT_FALSE(ComputeTicks(range, {0, 0, 500, 500}, 0, kSinglePlotLabelSpacing)); // no font height
    EXPECT_TRUE(ComputeTicks(range, {500, 500, 0, 0}, 14, kSinglePlotLabelSpacing));  // sizes are absolute

    // None of these may hang the tick loops.
    const TPlotRange bad[] = {
        {kNaN, 5, 0, 5}, {0, kInf, 0, 5}, {0, 5, -kInf, 5}, {0, 5, 0, kNaN},
        {5, 5, 0, 5},                   // empty
        {1e30L, 1e30L + 1e14L, 0, 5},   // a million ticks from zero
        {0, 1e-4950L, 0, 5},            // a step below the smallest power of ten
    };
    for (const auto& r : bad)
        EXPECT_FALSE(ComputeTicks(r, {0, 0, 500, 500}, 14, kSinglePlotLabelSpacing));

    // Data with non-finite points still gives a finite range and a grid.
    const TPlotRange fromData = RangeOf({{{kNaN, kInf}, {kInf, kNaN}, {2, 3}}});
    EXPECT_TRUE(ComputeTicks(fromData, {0, 0, 500, 500}, 14, kSinglePlotLabelSpacing));
}

TEST(PlotTicks, LabelsUseTwoExponentDigits)
{
    const korva::test::ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    EXPECT_EQ(TickLabel(5), "5");
    EXPECT_EQ(TickLabel(0), "0");
    EXPECT_EQ(TickLabel(3 * 0.2L), "0.6");
    EXPECT_EQ(TickLabel(-2.5L), "-2.5");
    EXPECT_EQ(TickLabel(0.0000012L), "1.2E-06");
    EXPECT_EQ(TickLabel(1234567), "1.235E06");
    EXPECT_EQ(TickLabel(1e120L), "1E120");
}

TEST(PlotLayout, ScreenPrintAndBitmap)
{
    TGraphPlot plot;
    const int h = ScaledFontHeight(BaseFontHeight(96), plot.SizeFont);
    ASSERT_EQ(h, 14);
    EXPECT_EQ(ScaledFontHeight(14, 25), 35);
    EXPECT_EQ(ScaledFontHeight(-14, 15), 21);

    TPlotLayout screen = ScreenLayout(plot, 800, 600, 96, 96, h);
    EXPECT_EQ(screen.Client, (TPixelRect{0, 0, 800, 600}));
    EXPECT_EQ(screen.Plot, (TPixelRect{41, 41, 769, 569}));

    plot.XOnTop = false;
    EXPECT_EQ(ScreenLayout(plot, 800, 600, 96, 96, h).Plot, (TPixelRect{41, 31, 769, 559}));
    plot.XOnTop = true;
    plot.GraphTitle = "Pile A";
    plot.TitleOnTop = true;
    EXPECT_EQ(ScreenLayout(plot, 800, 600, 96, 96, h).Plot, (TPixelRect{41, 56, 769, 569}));
    plot.TitleOnTop = false;
    EXPECT_EQ(ScreenLayout(plot, 800, 600, 96, 96, h).Plot, (TPixelRect{41, 41, 769, 555}));
    plot.GraphTitle.clear();

    plot.ShowLayers = true;
    screen = ScreenLayout(plot, 800, 600, 96, 96, h);
    EXPECT_EQ(screen.Plot, (TPixelRect{41, 41, 673, 569}));
    EXPECT_EQ(screen.LayerColumn, (TPixelRect{692, 41, 769, 569}));
    plot.ShowLayers = false;

    plot.ShowThree = true;
    screen = ScreenLayout(plot, 800, 600, 96, 96, h);
    EXPECT_EQ(screen.Panels[0], (TPixelRect{41, 41, 249, 569}));
    EXPECT_EQ(screen.Panels[1], (TPixelRect{301, 41, 509, 569}));
    EXPECT_EQ(screen.Panels[2], (TPixelRect{561, 41, 769, 569}));
    plot.ShowThree = false;

    // A letter page at 600 pixels per inch with one-inch margins.
    const int ph = ScaledFontHeight(BaseFontHeight(600), plot.SizeFont);
    ASSERT_EQ(ph, 88);
    const TPixelRect page = PrintClientRect({}, 600, 600, 25, 30, 5100, 6600);
    EXPECT_EQ(page, (TPixelRect{575, 570, 4525, 6030}));
    // Margins below the printer's offsets use the offsets.
    EXPECT_EQ(PrintClientRect({0, 10, 0, 10}, 600, 600, 25, 30, 5100, 6600), (TPixelRect{0, 0, 5100, 6600}));
    plot.GraphTitle = "Pile A";
    plot.TitleOnTop = true;
    plot.ShowLayers = true;
    const TPlotLayout print = PrintLayout(plot, page, 600, 600, ph);
    EXPECT_EQ(print.Plot, (TPixelRect{837, 570 + 262 + 150, 4525 - 600, 6030}));
    EXPECT_EQ(print.LayerColumn, (TPixelRect{4525 - 600 + 120, 982, 4525, 6030}));
    plot.XOnTop = false;
    plot.TitleOnTop = false;
    EXPECT_EQ(PrintLayout(plot, page, 600, 600, ph).Plot, (TPixelRect{837, 570, 3925, 6030 - 262 - 300}));
    plot.XOnTop = true;

    // The bitmap: screen rules, no room for the graph title, the layer
    // column half an inch further out.
    const TPlotLayout bitmap = BitmapLayout(plot, 432, 288, 96, 96, h);
    EXPECT_EQ(bitmap.Plot, (TPixelRect{41, 41, 353, 257}));
    EXPECT_EQ(bitmap.LayerColumn, (TPixelRect{372, 41, 401, 257}));

    EXPECT_FALSE(IsPaintable(ScreenLayout(plot, 80, 80, 96, 96, h)));
    EXPECT_FALSE(IsPaintable(ScreenLayout(plot, 400, 95, 96, 96, h)));
    EXPECT_TRUE(IsPaintable(ScreenLayout(plot, 96, 96, 96, 96, h)));
    EXPECT_FALSE(HasArea(ScreenLayout(plot, 96, 96, 96, 96, h).Plot)); // the layer column takes it all
}

TEST(PlotLayout, TitlesAndLabels)
{
    TGraphPlot plot;
    const TPlotLayout layout = ScreenLayout(plot, 800, 600, 96, 96, 14);
    const TTextSize text{200, 16};
    EXPECT_EQ(XTitlePosition(layout, plot, text), (TPixelPoint{300, 0}));
    EXPECT_EQ(YTitlePosition(layout, text), (TPixelPoint{0, 400}));
    plot.GraphTitle = "Pile A";
    plot.TitleOnTop = true;
    EXPECT_EQ(XTitlePosition(layout, plot, text), (TPixelPoint{300, 15}));
    EXPECT_EQ(GraphTitlePosition(layout, plot, text), (TPixelPoint{300, 0}));
    plot.TitleOnTop = false;
    plot.XOnTop = false;
    EXPECT_EQ(XTitlePosition(layout, plot, text), (TPixelPoint{300, 600 - 16 - 15}));
    EXPECT_EQ(GraphTitlePosition(layout, plot, text), (TPixelPoint{300, 584}));

    EXPECT_EQ(XTickLabelPosition(layout.Plot, 96, true, 100, {20, 16}), (TPixelPoint{90, 41 - 16 - 3}));
    EXPECT_EQ(XTickLabelPosition(layout.Plot, 96, false, 100, {20, 16}), (TPixelPoint{90, 569 + 6}));
    EXPECT_EQ(YTickLabelPosition(layout.Plot, 96, 300, {20, 16}), (TPixelPoint{41 - 16 - 3, 310}));

}

TEST(PlotPixels, ValuesToPixelsAndBack)
{
    // Halves round to even on the offset from the edge.
    const TPlotRange range{0, 4, 0, 4};
    const TPixelRect area{1, 10, 3, 12};
    EXPECT_EQ(ValueToPixel(range, area, true, 1, 1), (TPixelPoint{1, 10}));  // 0.5 -> 0
    EXPECT_EQ(ValueToPixel(range, area, true, 3, 3), (TPixelPoint{3, 12}));  // 1.5 -> 2
    EXPECT_EQ(ValueToPixel(range, area, false, 3, 3), (TPixelPoint{3, 10})); // y grows upward
    EXPECT_EQ(ValueToPixel(range, area, true, -4, 8), (TPixelPoint{-1, 14})); // outside is not clipped
    // An empty range maps to the origin side; far values are held.
    EXPECT_EQ(ValueToPixel({2, 2, 0, 0}, area, true, 7, 7), (TPixelPoint{1, 10}));
    EXPECT_EQ(ValueToPixel(range, area, true, 1e4000L, -1e4000L).X, 1 + 16777216);

    const TPlotRange wide{0, 100, 0, 10};
    const TPixelRect box{10, 0, 110, 200};
    TFloatPoint v = PixelToValue(wide, box, true, 60, 50);
    EXPECT_EQ(v.X, 50);
    EXPECT_EQ(v.Y, 2.5L);
    EXPECT_EQ(PixelToValue(wide, box, false, 60, 50).Y, 7.5L);
    v = PixelToValue(wide, box, true, 9, 50);
    EXPECT_EQ(v.X, 0);
    EXPECT_EQ(v.Y, 0);
    EXPECT_EQ(PixelToValue(wide, box, true, 111, 50).X, 0);
    // A rectangle without width or height gives the minimum, not a fault.
    v = PixelToValue(wide, {10, 5, 10, 5}, true, 10, 5);
    EXPECT_EQ(v.X, 0);
    EXPECT_EQ(v.Y, 0);

    const std::array<TPlotRange, 3> ranges{TPlotRange{0, 10, 0, 10}, TPlotRange{0, 100, 0, 10}, TPlotRange{-5, 5, 0, 1}};
    const std::array<TPixelRect, 3> panels{TPixelRect{0, 0, 100, 100}, TPixelRect{150, 0, 250, 100},
                                           TPixelRect{300, 0, 400, 100}};
    EXPECT_EQ(PixelToValue(ranges, panels, true, 200, 0).X, 50);
    EXPECT_EQ(PixelToValue(ranges, panels, true, 400, 100).X, 5);
    EXPECT_EQ(PixelToValue(ranges, panels, true, 400, 100).Y, 1);
    EXPECT_EQ(PixelToValue(ranges, panels, true, 120, 50).X, 0);
}

TEST(PlotCurves, MarkersPensAndColours)
{
    EXPECT_EQ(MarkerShape(0), 1);
    EXPECT_EQ(MarkerShape(10), 1);
    EXPECT_EQ(MarkerShape(1), 2);
    EXPECT_EQ(MarkerShape(11), 2);
    EXPECT_EQ(MarkerShape(9), 10);

    const TPixelPoint c{100, 100};
    const auto down = MarkerVertices(1, c, 96, 96);
    ASSERT_EQ(down.size(), 4u);
    EXPECT_EQ(down[0], (TPixelPoint{100, 103})); // pointing down
    EXPECT_EQ(down[3], down[0]);
    EXPECT_LE(std::abs(down[1].Y - down[2].Y), 1); // 1.5 pixels up, rounded either way
    EXPECT_LT(down[1].Y, 100);
    EXPECT_EQ(down[1].X + down[2].X, 200);
    EXPECT_EQ(MarkerVertices(2, c, 96, 96),
              (std::vector<TPixelPoint>{{102, 98}, {102, 102}, {98, 102}, {98, 98}, {102, 98}}));
    EXPECT_EQ(MarkerVertices(4, c, 96, 96),
              (std::vector<TPixelPoint>{{100, 97}, {103, 100}, {100, 103}, {97, 100}, {100, 97}}));
    for (int shape = 3; shape <= 10; ++shape) {
        const auto polygon = MarkerVertices(shape, c, 600, 300);
        ASSERT_EQ(polygon.size(), static_cast<std::size_t>(shape + 1));
        EXPECT_EQ(polygon.front(), (TPixelPoint{100, 100 - 9})); // a vertex on top, radius PixelsY/32
        EXPECT_EQ(polygon.back(), polygon.front());
    }

    // The offsets taken once per paint give every marker the vertices it
    // would get on its own, at any resolution and wherever it stands.
    for (const auto& [px, py] : {std::pair{96, 96}, {150, 75}, {300, 300}, {600, 600}, {1200, 1200}, {7, 5}}) {
        const TMarkerShapes shapes(px, py);
        for (int shape = 0; shape <= 11; ++shape)
            for (const TPixelPoint at : {TPixelPoint{0, 0}, {100, -37}, {16777216, -16777216}}) {
                std::vector<TPixelPoint> moved;
                for (const TPixelPoint& offset : shapes.Offsets(shape))
                    moved.push_back({at.X + offset.X, at.Y + offset.Y});
                EXPECT_EQ(moved, MarkerVertices(shape, at, px, py)) << shape << " at " << px << "x" << py;
            }
    }

    EXPECT_EQ(CurvePenWidth(96, 1), 1);
    EXPECT_EQ(CurvePenWidth(150, 1), 1); // 0.5 rounds to 0
    EXPECT_EQ(CurvePenWidth(450, 1), 3); // 1.5 rounds to 2
    EXPECT_EQ(CurvePenWidth(600, 2), 6);
    EXPECT_EQ(CurvePenWidth(96, 4), 4);

    EXPECT_EQ(PlotColors.size(), 17u);
    EXPECT_EQ(ColorText(PlotColor(0)), "#000000");
    EXPECT_EQ(ColorText(PlotColor(2)), "#ff0000");
    EXPECT_EQ(ColorText(PlotColor(16)), "#00ffff");
    EXPECT_EQ(PlotColor(17), PlotColor(0));
    EXPECT_EQ(PlotColor(12), PlotColor(10));
    EXPECT_EQ(PlotColor(-1), PlotColor(16));
}

TEST(PlotCurves, ColoursCountActiveLines)
{
    TGraphPlot plot;
    plot.SetLineCount(1);
    plot.SetPointCount(2);
    plot.SetLineCount(20);
    auto positions = [&] {
        std::vector<int> lines, colours;
        for (const TCurveStyle& c : DrawnCurves(plot.Lines())) {
            lines.push_back(c.LineIndex);
            colours.push_back(c.ColorIndex);
        }
        return std::make_pair(lines, colours);
    };
    auto [lines, colours] = positions();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(colours[19], 19);
    EXPECT_EQ(PlotColor(colours[17]), PlotColor(colours[0]));

    plot.Line(3)->Visible = false; // hidden: the others keep their colours
    std::tie(lines, colours) = positions();
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[3], 4);
    EXPECT_EQ(colours[3], 4);

    plot.Line(3)->Visible = true;
    plot.Line(3)->Active = false; // inactive: the following curves shift
    std::tie(lines, colours) = positions();
    EXPECT_EQ(lines[3], 4);
    EXPECT_EQ(colours[3], 3);

    plot.Line(5)->SetPointCount(0); // a line without points is skipped, its colour kept
    std::tie(lines, colours) = positions();
    EXPECT_EQ(lines[4], 6);
    EXPECT_EQ(colours[4], 5);

    plot.Line(0)->SetPointCount(1); // the first line decides: nothing drawn
    EXPECT_TRUE(DrawnCurves(plot.Lines()).empty());
}

TEST(PlotCurves, PathsSkipPointsThatAreNotFinite)
{
    TGraphPlot plot;
    AddLine(plot, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {kNaN, 4}, {5, 5}, {6, kInf}, {7, 7}});
    const TPlotRange range{0, 10, 0, 10};
    const TPixelRect area{0, 0, 100, 100};

    const TCurvePath path = CurvePath(*plot.Line(0), range, area, true, 2);
    ASSERT_EQ(path.Runs.size(), 3u);
    EXPECT_EQ(path.Runs[0].size(), 4u);
    EXPECT_EQ(path.Runs[1], (std::vector<TPixelPoint>{{50, 50}}));
    EXPECT_EQ(path.Runs[2], (std::vector<TPixelPoint>{{70, 70}}));
    EXPECT_EQ(path.Markers, (std::vector<TPixelPoint>{{0, 0}, {20, 20}})); // 4 and 6 are not drawn

    EXPECT_EQ(CurvePath(*plot.Line(0), range, area, true, 3).Markers.size(), 2u); // points 0 and 3
    EXPECT_TRUE(CurvePath(*plot.Line(0), range, area, true, 0).Markers.empty());
}

TEST(PlotTickLabels, ALabelTooCloseToTheLastOneKeptIsLeftOut)
{
    TLabelSpacing spacing(6);
    EXPECT_TRUE(spacing.Keep(0, 40));
    EXPECT_FALSE(spacing.Keep(42, 82));  // overlaps the gap after 0..40
    EXPECT_TRUE(spacing.Keep(46, 86));   // clear by the gap
    EXPECT_FALSE(spacing.Keep(90, 130)); // too close to 46..86, not to 0..40
    EXPECT_TRUE(spacing.Keep(92, 132));
    // Labels rising up the y axis come in falling order.
    TLabelSpacing up(6);
    EXPECT_TRUE(up.Keep(500, 460));
    EXPECT_FALSE(up.Keep(470, 430));
    EXPECT_TRUE(up.Keep(454, 414));
}

TEST(PlotLegendBox, KeepsTheScreenLegendsPlace)
{
    TGraphPlot plot;
    const TPlotLayout layout = ScreenLayout(plot, 800, 600, 96, 96, 14);
    const TLegendBox box = LegendBoxGeometry(layout, 600, 400, 800, 600, 3, 80, 16);
    EXPECT_EQ(box.Frame, (TPixelRect{587, 393, 685, 453}));
    ASSERT_EQ(box.Items.size(), 3u);
    EXPECT_EQ(box.Items[0].Marker, (TPixelPoint{593, 404}));
    EXPECT_EQ(box.Items[0].Text, (TPixelPoint{599, 396}));
    EXPECT_EQ(box.Items[1].Text, (TPixelPoint{599, 415}));
    // A window without size puts the box at the plot's corner.
    EXPECT_EQ(LegendBoxGeometry(layout, 600, 400, 0, 0, 0, 80, 16).Frame, (TPixelRect{41, 41, 139, 44}));

    // A legend at the window's bottom-right corner, with texts wider on paper
    // than on the screen: the box ends at the plot's right and bottom edges
    // (not under the soil-layer column or off the page); its items follow it.
    const TPixelRect& plotRect = layout.Plot;
    const TLegendBox corner = LegendBoxGeometry(layout, 700, 550, 800, 600, 3, 200, 16);
    EXPECT_EQ(corner.Frame.Right, plotRect.Right);
    EXPECT_EQ(corner.Frame.Bottom, plotRect.Bottom);
    EXPECT_EQ(corner.Frame.Right - corner.Frame.Left, 200 + 3 * 96 / 16);
    EXPECT_EQ(corner.Items[0].Text.X, corner.Frame.Left + 2 * (96 / 16));
    // A box larger than the plot starts at its top-left corner.
    EXPECT_EQ(LegendBoxGeometry(layout, 700, 550, 800, 600, 3, 2000, 16).Frame.Left, plotRect.Left);
}

// Three layers at depths 10, 20 and 40 over a range of 0..30.
void AddLayers(TGraphPlot& plot)
{
    plot.ShowLayers = true;
    plot.SetLayerCount(3);
    plot.SetLayerPointCount(1);
    const char* names[] = {" SAND ", " CLAY ", "LAYER 3"};
    const int codes[] = {7, 1, 0};
    const Extended depths[] = {10, 20, 40};
    for (int i = 0; i < 3; ++i) {
        plot.Layer(i)->Name = names[i];
        plot.LayerPoint(i, 0) = {static_cast<Extended>(codes[i]), depths[i]};
    }
}

TEST(PlotLayers, BandsFromLayerTopDown)
{
    TGraphPlot plot;
    AddLayers(plot);
    const TPlotLayout layout = ScreenLayout(plot, 800, 600, 96, 96, 14);
    const TPlotRange range{0, 1, 0, 30};
    const auto bands = LayerBands(plot, layout, range);
    ASSERT_EQ(bands.size(), 3u);
    EXPECT_EQ(bands[0].Rect, (TPixelRect{692, 41, 768, 218}));
    EXPECT_EQ(bands[0].Pattern, 7);
    EXPECT_EQ(bands[0].Name, " SAND ");
    EXPECT_EQ(bands[0].NameTop, 41);
    EXPECT_EQ(bands[0].NameBottom, 217);
    EXPECT_EQ(bands[1].Rect, (TPixelRect{692, 217, 768, 394}));
    EXPECT_EQ(bands[2].Rect, (TPixelRect{692, 393, 768, 569})); // the last ends at the box's bottom
    EXPECT_EQ(bands[2].NameBottom, 745);
    EXPECT_EQ(bands[2].Pattern, 0);

    plot.LayerTop = 5;
    EXPECT_EQ(LayerBands(plot, layout, range)[0].Rect.Top, 41 + 88);

    plot.SetLayerPointCount(0);
    EXPECT_TRUE(LayerBands(plot, layout, range).empty());
}

TEST(PlotLayers, WallWithRetainedAndExcavatedSides)
{
    TGraphPlot plot;
    AddLayers(plot);
    plot.SetLayerCount(4); // line 2 the wall to 25, line 3 the excavation to 15
    plot.Layer(2)->SetPointCount(1);
    plot.Layer(3)->SetPointCount(1);
    plot.LayerPoint(2, 0).Y = 25;
    plot.LayerPoint(3, 0).Y = 15;
    plot.WallLineCount = 2;
    plot.ShowWall = true;
    const TPlotLayout layout = ScreenLayout(plot, 800, 600, 96, 96, 14);
    const TPlotRange range{0, 1, 0, 30};

    const auto bands = LayerBands(plot, layout, range);
    ASSERT_EQ(bands.size(), 4u);
    EXPECT_EQ(bands[0].Rect, (TPixelRect{692, 41, 722, 218})); // above the excavation: retained side only
    EXPECT_EQ(bands[1].Rect, (TPixelRect{692, 217, 722, 393})); // the last soil line ends at its depth
    EXPECT_EQ(bands[2].Rect, (TPixelRect{738, 305, 769, 393})); // excavated side from the excavation depth
    EXPECT_EQ(bands[2].Pattern, 1);
    EXPECT_TRUE(bands[3].Wall);
    EXPECT_EQ(bands[3].Rect, (TPixelRect{722, 41, 737, 481}));
    for (const auto& band : bands)
        EXPECT_TRUE(band.Name.empty());

    // Without the wall shown, the wall and excavation lines are left out.
    plot.ShowWall = false;
    const auto plain = LayerBands(plot, layout, range);
    ASSERT_EQ(plain.size(), 2u);
    EXPECT_EQ(plain[1].Rect, (TPixelRect{692, 217, 768, 393}));
}

} // namespace
