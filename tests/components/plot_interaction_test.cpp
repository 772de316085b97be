// The plot window's mouse and menu without a window: zoom, read-out, legend
// placement and the menu's state.
#include <gtest/gtest.h>

#include <string>

#include "graph_plot.h"
#include "plot_interaction.h"
#include "plot_view.h"

using namespace korva::components;

namespace {

// A plot box from pixel 100 to 600 both ways showing 0..100 both ways, the
// depth axis growing downward: pixel 100 + 5 v stands for the value v.
struct ZoomFixture {
    TGraphPlot plot;
    TPlotView view;
    TPlotZoom zoom;
    ZoomFixture()
    {
        view.CurrentRange[0] = view.FullRange[0] = {0, 100, 0, 100};
        view.Layout.Plot = {100, 100, 600, 600};
    }
    const TPlotRange& Range() const { return view.CurrentRange[0]; }
    // A left drag from `from` to `to`; true when the range changed.
    bool Drag(TPixelPoint from, TPixelPoint to)
    {
        zoom.Press(TMouseButton::Left, from, plot, view);
        zoom.Move(to, view);
        return zoom.Release(TMouseButton::Left, to, plot, view);
    }
    bool RightClick(TPixelPoint at)
    {
        const bool changed = zoom.Press(TMouseButton::Right, at, plot, view);
        zoom.Release(TMouseButton::Right, at, plot, view);
        return changed;
    }
};

void ExpectRange(const TPlotRange& range, Extended xMin, Extended xMax, Extended yMin, Extended yMax)
{
    EXPECT_NEAR(static_cast<double>(range.XMin), static_cast<double>(xMin), 1e-12);
    EXPECT_NEAR(static_cast<double>(range.XMax), static_cast<double>(xMax), 1e-12);
    EXPECT_NEAR(static_cast<double>(range.YMin), static_cast<double>(yMin), 1e-12);
    EXPECT_NEAR(static_cast<double>(range.YMax), static_cast<double>(yMax), 1e-12);
}

} // namespace

TEST(PlotZoom, SmallDragZoomsToOneTwentiethCentredOnTheSelection)
{
    ZoomFixture f;
    // 40..41 across, 40..40.8 down: both narrower than 100 / 20.
    EXPECT_TRUE(f.Drag({300, 300}, {305, 304}));
    ExpectRange(f.Range(), 38, 43, 37.9L, 42.9L);
    EXPECT_EQ(f.view.FullRange[0], (TPlotRange{0, 100, 0, 100}));
}

TEST(PlotZoom, DragAtTheEdgeIsShiftedInside)
{
    ZoomFixture near;
    EXPECT_TRUE(near.Drag({101, 101}, {104, 103}));
    ExpectRange(near.Range(), 0, 5, 0, 5);

    ZoomFixture far;
    EXPECT_TRUE(far.Drag({599, 599}, {596, 597}));
    ExpectRange(far.Range(), 95, 100, 95, 100);

    // Released beyond the box: held at its edge (x 100, y 0).
    ZoomFixture outside;
    EXPECT_TRUE(outside.Drag({400, 150}, {900, -50}));
    ExpectRange(outside.Range(), 60, 100, 0, 10);
}

TEST(PlotZoom, WideDragKeepsItsSelection)
{
    ZoomFixture f;
    EXPECT_TRUE(f.Drag({450, 400}, {150, 150}));
    ExpectRange(f.Range(), 10, 70, 10, 60);
    // The zoomed range is the one the next drag maps through.
    EXPECT_TRUE(f.Drag({100, 100}, {600, 350}));
    ExpectRange(f.Range(), 10, 70, 10, 35);
}

TEST(PlotZoom, RightClickDoublesBackInsideTheFullRange)
{
    ZoomFixture f;
    EXPECT_FALSE(f.RightClick({300, 300})); // unzoomed: nothing changes
    ASSERT_TRUE(f.Drag({300, 300}, {305, 304}));
    ASSERT_TRUE(f.RightClick({350, 350})); // the value (40.5, 40.4) under the mouse
    ExpectRange(f.Range(), 35.5L, 45.5L, 35.4L, 45.4L);

    ZoomFixture edge;
    ASSERT_TRUE(edge.Drag({101, 101}, {104, 103}));
    ASSERT_TRUE(edge.RightClick({300, 300})); // the value 2 is held at 5, a span from the edge
    ExpectRange(edge.Range(), 0, 10, 0, 10);
    edge.RightClick({300, 300});
    edge.RightClick({300, 300});
    ExpectRange(edge.Range(), 0, 40, 0, 40);
    edge.RightClick({300, 300});
    edge.RightClick({300, 300});
    ExpectRange(edge.Range(), 0, 100, 0, 100); // never wider than the full range
    EXPECT_FALSE(edge.RightClick({300, 300}));
}

TEST(PlotZoom, ClicksPressesOutsideAndThreePanelsChangeNothing)
{
    ZoomFixture f;
    const TPlotRange full = f.Range();
    EXPECT_FALSE(f.Drag({300, 300}, {300, 300})); // a click
    EXPECT_FALSE(f.Drag({300, 300}, {300, 400})); // same x
    EXPECT_FALSE(f.Drag({300, 300}, {400, 300})); // same y
    EXPECT_FALSE(f.Drag({50, 300}, {400, 400}));  // pressed outside the box
    EXPECT_FALSE(f.zoom.Zooming());
    EXPECT_EQ(f.Range(), full);

    f.plot.ShowThree = true;
    EXPECT_FALSE(f.zoom.Press(TMouseButton::Left, {300, 300}, f.plot, f.view));
    EXPECT_FALSE(f.zoom.Zooming());
    EXPECT_FALSE(f.zoom.Move({400, 400}, f.view));
    EXPECT_FALSE(f.zoom.Release(TMouseButton::Left, {400, 400}, f.plot, f.view));
    EXPECT_EQ(f.Range(), full);
}

TEST(PlotZoom, BandFollowsTheMouseInsideTheBox)
{
    ZoomFixture f;
    f.zoom.Press(TMouseButton::Left, {300, 300}, f.plot, f.view);
    EXPECT_EQ(f.zoom.Move({200, 250}, f.view), (TPixelRect{200, 250, 300, 300}));
    EXPECT_EQ(f.zoom.Move({900, 900}, f.view), (TPixelRect{300, 300, 600, 600}));
    EXPECT_TRUE(f.zoom.Zooming());
}

TEST(PlotReadout, CaptionWithFiveDigitsInsideTheBox)
{
    ZoomFixture f;
    f.plot.Caption = "Total Capacity";
    EXPECT_EQ(ReadoutCaption(f.plot, f.view, {300, 300}), "Total Capacity X: 40 Y: 40");
    EXPECT_EQ(ReadoutCaption(f.plot, f.view, {0, 900}), "Total Capacity X: 0 Y: 100"); // held inside
    f.plot.XOnTop = false; // y grows upward
    EXPECT_EQ(ReadoutCaption(f.plot, f.view, {101, 101}), "Total Capacity X: 0.2 Y: 99.8");
    f.view.CurrentRange[0] = {0, 1e-6L, 0, 3};
    EXPECT_EQ(ReadoutCaption(f.plot, f.view, {300, 100}), "Total Capacity X: 4E-07 Y: 3");
    f.view.CurrentRange[0] = {0, 1.23456789L, 0, 1};
    EXPECT_EQ(ReadoutCaption(f.plot, f.view, {600, 600}), "Total Capacity X: 1.2346 Y: 0");

    // Three panels: mapped with the panel under the mouse, (0,0) between them.
    f.plot.ShowThree = true;
    f.plot.XOnTop = true;
    f.view.Layout.Panels = {TPixelRect{100, 100, 200, 600}, TPixelRect{300, 100, 400, 600},
                            TPixelRect{500, 100, 600, 600}};
    f.view.CurrentRange = {TPlotRange{0, 10, 0, 5}, TPlotRange{0, 20, 0, 5}, TPlotRange{-30, 0, 0, 5}};
    EXPECT_EQ(ReadoutCaption(f.plot, f.view, {350, 350}), "Total Capacity X: 10 Y: 2.5");
    EXPECT_EQ(ReadoutCaption(f.plot, f.view, {250, 350}), "Total Capacity X: 0 Y: 0");
}

TEST(PlotLegendPlace, AnchoredPushedBackAndDragged)
{
    EXPECT_EQ(AnchoredLegend({50, 40, 700, 500}, 120, 67), (TPixelPoint{580, 433}));
    // Right, then left; bottom, then top.
    EXPECT_EQ(LegendInside({700, 550}, 120, 67, 800, 600), (TPixelPoint{680, 533}));
    EXPECT_EQ(LegendInside({-20, -5}, 120, 67, 800, 600), (TPixelPoint{0, 0}));
    EXPECT_EQ(LegendInside({700, 550}, 900, 700, 800, 600), (TPixelPoint{0, 0})); // larger than the window
    EXPECT_EQ(LegendInside({10, 20}, 120, 67, 800, 600), (TPixelPoint{10, 20}));

    // Grabbed 30, 10 inside: the grab point stays within the client area.
    const TPixelPoint grab{30, 10};
    EXPECT_EQ(DraggedLegend({100, 100}, {80, 40}, grab, 120, 67, 800, 600), (TPixelPoint{150, 130}));
    EXPECT_EQ(DraggedLegend({700, 550}, {80, 40}, grab, 120, 67, 800, 600), (TPixelPoint{680, 533}));
    EXPECT_EQ(DraggedLegend({0, 0}, {-50, -50}, grab, 120, 67, 800, 600), (TPixelPoint{0, 0}));
}

TEST(PlotLegendPlace, SizeForTheFontFactor)
{
    const TLegendFont normal = LegendFontFor(10, 11);
    EXPECT_EQ(normal.Points, 11);
    EXPECT_EQ(normal.ItemHeight, 16);
    const TLegendFont twice = LegendFontFor(20, 11);
    EXPECT_EQ(twice.Points, 22);
    EXPECT_EQ(twice.ItemHeight, 33);
    EXPECT_EQ(LegendFontFor(15, 11).Points, 16);
    EXPECT_EQ(PointsToPixels(11, 96), 15);
    EXPECT_EQ(PointsToPixels(22, 96), 29);
    EXPECT_EQ(PointsToPixels(11, 1200), 183);

    EXPECT_EQ(LegendListSize(3, 16, 70, 96), (TPixelSize{94, 51}));
    EXPECT_EQ(LegendListSize(0, 16, 0, 96), (TPixelSize{24, 3}));
    EXPECT_EQ(LegendListSize(0, 16, 0, 40), (TPixelSize{21, 3}));
}

TEST(PlotMenu, StateWhenTheMenuOpens)
{
    TGraphPlot plot;
    TPlotView empty;
    TPlotMenuState state = PlotMenuState(plot, empty);
    EXPECT_FALSE(state.LegendVisible); // no lines, no legend to show
    EXPECT_FALSE(state.LayersVisible);
    EXPECT_FALSE(state.WallVisible);
    EXPECT_TRUE(state.FontWidthVisible);
    EXPECT_EQ(state.MarkersChecked, 1);

    plot.SetLineCount(4);
    plot.SetLayerCount(2);
    plot.WallLineCount = 1;
    plot.ShowLegend = false; // hidden in an earlier window: the item still brings it back
    plot.ShowFontWidth = false;
    plot.Markers = 4;        // no item has this tag
    plot.Line(1)->Active = false;
    plot.Line(2)->Visible = false;
    TPlotView view = OpenPlotView(plot);
    plot.Line(1)->Active = false;
    view.Legend = LegendEntries(plot, false);
    view.Legend.push_back({9, "gone"}); // a line removed while the window is open

    state = PlotMenuState(plot, view);
    EXPECT_TRUE(state.LegendVisible);
    EXPECT_FALSE(state.LegendChecked);
    EXPECT_TRUE(state.LayersVisible);
    EXPECT_FALSE(state.LayersChecked);
    EXPECT_TRUE(state.WallVisible);
    EXPECT_FALSE(state.WallEnabled); // only with the layer column
    EXPECT_FALSE(state.FontWidthVisible);
    EXPECT_EQ(state.MarkersChecked, 4);
    EXPECT_EQ(state.LineChecked, (std::vector<bool>{true, false, true, false}));

    plot.ShowLayers = true;
    plot.ShowWall = true;
    state = PlotMenuState(plot, view);
    EXPECT_TRUE(state.WallEnabled);
    EXPECT_TRUE(state.WallChecked);
    EXPECT_TRUE(state.LayersChecked);

    // A double click on entry 1 toggles line 2; the removed line's entry does nothing.
    EXPECT_TRUE(ToggleEntryLine(plot, view, 1));
    EXPECT_TRUE(plot.Line(2)->Visible);
    EXPECT_FALSE(ToggleEntryLine(plot, view, 3));
    EXPECT_FALSE(ToggleEntryLine(plot, view, 4));
    EXPECT_FALSE(ToggleEntryLine(plot, view, -1));
}
