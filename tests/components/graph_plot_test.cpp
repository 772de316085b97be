#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "exceptions.h"
#include "graph_plot.h"
#include "message_of.h"
#include "plot_view.h"

using namespace korva::components;
using korva::test::MessageOf;

namespace {

TEST(GraphPlot, LineCountsAndNewLines)
{
    TGraphPlot plot;
    plot.SetPointCount(5); // no lines: nothing to size
    EXPECT_EQ(plot.PointCount(), 0);

    plot.SetLineCount(3);
    ASSERT_EQ(plot.LineCount(), 3);
    EXPECT_EQ(plot.Line(0)->GetName(), "Curve #1");
    EXPECT_EQ(plot.Line(1)->GetName(), "Curve #2");
    EXPECT_EQ(plot.Line(2)->GetName(), "Curve #3");
    EXPECT_EQ(plot.PointCount(), 0);

    plot.Line(0)->SetPointCount(4);
    plot.Point(0, 3) = {1.5L, -2.0L};
    plot.SetLineCount(4);
    EXPECT_EQ(plot.Line(3)->PointCount(), 4); // as many points as line 0 has now
    EXPECT_EQ(plot.Line(3)->Point(3).X, 0);
    EXPECT_EQ(plot.Line(3)->Point(3).Y, 0);
    EXPECT_EQ(plot.Line(1)->PointCount(), 0); // earlier lines keep theirs
    EXPECT_TRUE(plot.Line(3)->Visible);
    EXPECT_TRUE(plot.Line(3)->Active);
    EXPECT_EQ(plot.Line(3)->Plot, &plot);

    // Lines go from the end; the others keep their numbers and points.
    plot.SetLineCount(2);
    EXPECT_EQ(plot.LineCount(), 2);
    EXPECT_EQ(plot.Point(0, 3).X, 1.5L);
    plot.SetLineCount(-5);
    EXPECT_EQ(plot.LineCount(), 0);
    EXPECT_EQ(plot.PointCount(), 0);
}

TEST(GraphPlot, PointCountsOfEveryLine)
{
    TGraphPlot plot;
    plot.SetLineCount(2);
    plot.SetPointCount(3);
    EXPECT_EQ(plot.Line(1)->PointCount(), 3);
    plot.Point(1, 2) = {7, 8};
    plot.SetPointCount(2); // points go from the end
    plot.SetPointCount(3); // and come back as (0,0)
    EXPECT_EQ(plot.Point(1, 2).X, 0);
    plot.SetPointCount(-1);
    EXPECT_EQ(plot.PointCount(), 0);

    // Layer lines take their points and Number from the main list.
    plot.SetPointCount(6);
    plot.SetLayerCount(2);
    EXPECT_EQ(plot.LayerPointCount(), 6);
    EXPECT_EQ(plot.Layer(1)->Number, 3);
    plot.SetLayerPointCount(1);
    EXPECT_EQ(plot.LayerPointCount(), 1);
    EXPECT_EQ(plot.Layer(1)->PointCount(), 1);
    EXPECT_EQ(plot.PointCount(), 6);
    plot.SetLayerCount(0);
    EXPECT_EQ(plot.LayerPointCount(), 0);
}

TEST(GraphPlot, NamesOfLines)
{
    TGraphPlot plot;
    plot.SetLineCount(3);
    plot.SetLayerCount(1);
    plot.LineNames = {"FHWA", "USACE"};
    plot.Line(1)->Name = "Mine";
    EXPECT_EQ(plot.Line(0)->GetName(), "FHWA");    // the default names by index
    EXPECT_EQ(plot.Line(1)->GetName(), "Mine");    // its own name first
    EXPECT_EQ(plot.Line(2)->GetName(), "Curve #3"); // beyond the default names
    EXPECT_EQ(plot.Layer(0)->GetName(), "Curve #4"); // not in Lines: the third form
    plot.CurveName = "Pile ";
    plot.Line(2)->Number = 2.5L;
    EXPECT_EQ(plot.Line(2)->GetName(), "Pile 2.5");
}

TEST(GraphPlot, IndexesOutsideTheListsRaise)
{
    TGraphPlot plot;
    plot.SetLineCount(2);
    plot.SetPointCount(3);
    EXPECT_EQ(MessageOf<EListError>([&] { plot.Line(2); }), "List index out of bounds (2)");
    EXPECT_EQ(MessageOf<EListError>([&] { plot.Layer(0); }), "List index out of bounds (0)");
    EXPECT_EQ(MessageOf<EListError>([&] { plot.Point(1, 3); }), "List index out of bounds (3)");
    EXPECT_EQ(MessageOf<EListError>([&] { plot.Point(0, -1); }), "List index out of bounds (-1)");
    EXPECT_EQ(MessageOf<EListError>([&] { plot.Point2(0, 0); }), "List index out of bounds (0)");
    EXPECT_EQ(plot.FindLine(-1), nullptr);
    EXPECT_EQ(plot.FindLine(2), nullptr);
    EXPECT_EQ(plot.FindLine(1), plot.Line(1));
}

TEST(GraphPlot, UnitsAreClamped)
{
    TGraphPlot plot;
    EXPECT_EQ(plot.Units(), 1);
    plot.SetUnits(0);
    EXPECT_EQ(plot.Units(), 1);
    plot.SetUnits(7);
    EXPECT_EQ(plot.Units(), 3);
    plot.SetUnits(2);
    EXPECT_EQ(plot.Units(), 2);
}

TEST(GraphPlot, ExpandUnits)
{
    struct Case {
        const char* unitTemplate;
        int units;
        const char* expected;
    };
    const Case cases[] = {
        {"F1/L2", 1, "kips/ft"},
        {"F1/L2", 2, "kN/m"},
        {"F/L^2", 2, "kN/m^2"},
        {"F/L^2", 1, "lbs/in^2"},
        {"F1/L2^2", 1, "kips/ft^2"},
        {"F2", 1, "tons"},
        {"L1", 1, "in"},
        {"L1", 2, "mm"},
        {"F1*F/L", 1, "kips*F/in"}, // one kind of force placeholder: F1 is expanded, F stays
        {"L2-L", 2, "m-L"},
        {"", 1, ""},
        {"F1/L2", 3, "F1/L2"},
        {"F/L^2", 3, "F/L^2"},
        {"F1/L2", 0, "F1/L2"}, // a system that is not 1 or 2 leaves the template
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExpandUnits(c.unitTemplate, c.units), c.expected) << c.unitTemplate << " in " << c.units;

    EXPECT_EQ(AxisTitle("Tip Resistance ", "F1", 2), "Tip Resistance  (kN)");
    EXPECT_EQ(AxisTitle("Qu", "", 2), "Qu");
}

// A host that counts the windows it makes and what they are asked.
struct CountingHost : TPlotHost {
    struct Window : TPlotWindow {
        Window(CountingHost& host) : host(host) { ++host.alive; }
        ~Window() override { --host.alive; }
        void ShowWindow() override { ++host.shows; }
        CountingHost& host;
    };
    std::unique_ptr<TPlotWindow> CreatePlotWindow(TGraphPlot&) override
    {
        ++made;
        return std::make_unique<Window>(*this);
    }
    int made = 0;
    int shows = 0;
    int alive = 0;
};

TEST(GraphPlot, ShowMakesOneWindowUntilItCloses)
{
    CountingHost host;
    {
        TGraphPlot plot;
        EXPECT_EQ(MessageOf<EAssertionFailed>([&] { plot.Show(); }), "The plot has no window to show it in");
        plot.SetHost(&host);
        plot.Show();
        plot.Show();
        EXPECT_EQ(host.made, 1);
        EXPECT_EQ(host.shows, 2);
        EXPECT_TRUE(plot.FormCreated());

        // A window that is not the plot's changes nothing.
        CountingHost::Window stranger(host);
        plot.WindowClosed(&stranger);
        EXPECT_TRUE(plot.FormCreated());

        // The window closes and frees itself; the next Show makes a new one.
        std::unique_ptr<TPlotWindow> closing(plot.Window());
        plot.WindowClosed(closing.get());
        closing.reset();
        EXPECT_FALSE(plot.FormCreated());
        plot.Show();
        EXPECT_EQ(host.made, 2);
        EXPECT_EQ(host.alive, 2); // the new window and the stranger
    }
    EXPECT_EQ(host.alive, 0); // the plot freed its window with itself
}

TEST(PlotView, OpeningActivatesTheFirstTwentyLinesAndBuildsTheLegend)
{
    TGraphPlot plot;
    plot.SetLineCount(25);
    plot.SetPointCount(2);
    plot.Point(3, 1) = {40, 7};
    plot.Line(2)->Active = false;
    plot.Line(4)->Visible = false;
    plot.onGetCaption = [](int index, std::string& text) {
        if (index == 1)
            text += " (load transfer)";
    };

    TPlotView view = OpenPlotView(plot);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(plot.Line(i)->Active, i < 20) << i; // line 2 is made Active again
    ASSERT_EQ(view.Legend.size(), 20u);
    EXPECT_EQ(view.Legend[1].Text, "Curve #2 (load transfer)");
    EXPECT_EQ(view.Legend[19].LineIndex, 19);
    EXPECT_EQ(view.CurrentRange[0], (TPlotRange{0, 40, 0, 7}));
    EXPECT_EQ(view.FullRange[0], view.CurrentRange[0]);
    EXPECT_EQ(view.CurrentRange[1], (TPlotRange{-0.01L, 0.01L, -0.01L, 0.01L})); // Lines2 is empty

    // The lines shrink while the window is open: legend entries whose
    // lines are gone, and hidden ones, are left out.
    plot.SetLineCount(10);
    const auto visible = VisibleLegendEntries(plot, view);
    ASSERT_EQ(visible.size(), 9u);
    EXPECT_EQ(visible[4].Position, 5); // line 4 is hidden
    EXPECT_EQ(visible[4].LineIndex, 5);
    EXPECT_EQ(*visible[4].Text, "Curve #6");

    plot.LimitActiveCurves = false;
    plot.SetLineCount(25);
    EXPECT_EQ(OpenPlotView(plot).Legend.size(), 25u);
}

} // namespace
