// The plot dialogs' lists and what their OK does, without the dialogs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "graph_plot.h"
#include "plot_dialog_models.h"
#include "plot_view.h"

using namespace korva::components;

namespace {

std::vector<std::string> LegendTexts(const TPlotView& view)
{
    std::vector<std::string> texts;
    for (const TLegendEntry& entry : view.Legend)
        texts.push_back(entry.Text);
    return texts;
}

} // namespace

TEST(ActiveCurvesDialog, TwentyFiveLinesActivateAllAndDeactivateAll)
{
    TGraphPlot plot;
    plot.SetLineCount(25);
    TPlotView view = OpenPlotView(plot);
    ASSERT_EQ(view.Legend.size(), 20u);

    TActiveCurvesList all(plot);
    ASSERT_EQ(all.Count(), 25);
    EXPECT_EQ(all.RowText(0), " yes :    Curve #1");
    EXPECT_EQ(all.RowText(24), " no  :    Curve #25");
    all.SetAll(true);
    ApplyActiveCurves(plot, view, all);
    ASSERT_EQ(view.Legend.size(), 25u);
    EXPECT_EQ(view.Legend[24].LineIndex, 24);
    EXPECT_EQ(view.Legend[24].Text, "Curve #25");
    EXPECT_TRUE(plot.Line(24)->Active);

    TActiveCurvesList none(plot);
    none.SetAll(false);
    ApplyActiveCurves(plot, view, none);
    EXPECT_TRUE(view.Legend.empty());
    EXPECT_FALSE(plot.Line(0)->Active);
}

TEST(ActiveCurvesDialog, TogglingRowsAndRebuildingTheLegend)
{
    TGraphPlot plot;
    plot.SetLineCount(6);
    plot.Line(3)->Name = "Pile B";
    TPlotView view = OpenPlotView(plot);

    TActiveCurvesList list(plot);
    list.Toggle(1);
    EXPECT_EQ(list.Flags()[1], " no  : ");
    list.Toggle(1);
    EXPECT_EQ(list.Flags()[1], " yes : ");
    list.Toggle(17); // no such row
    // One row selected: the focused row toggles, whichever it is.
    list.ToggleSelected({2}, 4);
    EXPECT_FALSE(list.IsActive(4));
    EXPECT_TRUE(list.IsActive(2));
    // Several selected: each of them.
    list.ToggleSelected({0, 2}, 4);
    EXPECT_FALSE(list.IsActive(0));
    EXPECT_FALSE(list.IsActive(2));
    EXPECT_EQ(list.RowText(2), " no  :    Curve #3");

    // Cancel: nothing applied.
    EXPECT_EQ(view.Legend.size(), 6u);
    ApplyActiveCurves(plot, view, list);
    EXPECT_EQ(LegendTexts(view), (std::vector<std::string>{"Curve #2", "Pile B", "Curve #6"}));
    EXPECT_EQ(view.Legend[1].LineIndex, 3);
    EXPECT_FALSE(plot.Line(4)->Active);
}

TEST(LegendDialog, EmptyNameIsRefusedAndTheOldNameComesBack)
{
    TGraphPlot plot;
    plot.SetLineCount(4);
    TLegendNamesList names(plot);
    EXPECT_EQ(names.Selected(), 0);
    EXPECT_EQ(names.SelectedColor(), 0x000000u);

    names.Select(2);
    EXPECT_EQ(names.SelectedName(), "Curve #3");
    EXPECT_EQ(names.SelectedColor(), 0xFF0000u);
    const TLegendNamesList::TCommit refused = names.Commit("");
    EXPECT_EQ(refused.Message, "The line must have a name!");
    EXPECT_EQ(refused.FieldText, "Curve #3");
    EXPECT_EQ(names.Names()[2], "Curve #3");

    const TLegendNamesList::TCommit renamed = names.Commit("Driven pile");
    EXPECT_TRUE(renamed.Message.empty());
    EXPECT_EQ(names.Names()[2], "Driven pile");
    names.Select(9); // outside: the selection stays
    EXPECT_EQ(names.SelectedName(), "Driven pile");
    // Cancel leaves the lines as they were.
    EXPECT_TRUE(plot.Line(2)->Name.empty());

    TGraphPlot none;
    TLegendNamesList nothing(none);
    EXPECT_EQ(nothing.Selected(), -1);
    EXPECT_EQ(nothing.Commit("x").FieldText, "x");
    EXPECT_EQ(nothing.Commit("").Message, "The line must have a name!");
}

TEST(LegendDialog, RenamesTheEntryOfTheLineNotTheEntryAtItsIndex)
{
    TGraphPlot plot;
    plot.SetLineCount(4);
    TPlotView view = OpenPlotView(plot);
    plot.Line(0)->Active = false;
    plot.Line(1)->Active = false;
    view.Legend = LegendEntries(plot, false); // lines 2 and 3

    TLegendNamesList names(plot);
    names.Select(3);
    names.Commit("Tip");
    ApplyLegendNames(plot, view, names.Names());
    EXPECT_EQ(plot.Line(3)->Name, "Tip");
    EXPECT_EQ(plot.Line(0)->Name, "Curve #1"); // every line takes the listed name
    EXPECT_EQ(LegendTexts(view), (std::vector<std::string>{"Curve #3", "Tip"}));
}

TEST(GraphCaptionDialog, TitleAndItsPlace)
{
    TGraphPlot plot;
    const TPlotLayout plain = ScreenLayout(plot, 800, 600, 96, 96, 14);
    ApplyGraphCaption(plot, "Pile 7", true);
    EXPECT_EQ(plot.GraphTitle, "Pile 7");
    EXPECT_TRUE(plot.TitleOnTop);
    EXPECT_GT(ScreenLayout(plot, 800, 600, 96, 96, 14).Plot.Top, plain.Plot.Top);
    // An empty title gives its reserved space back.
    ApplyGraphCaption(plot, "", false);
    EXPECT_EQ(ScreenLayout(plot, 800, 600, 96, 96, 14).Plot, plain.Plot);
}

TEST(SaveAttributesDialog, BitmapSizesAndBounds)
{
    struct Case {
        TBitmapAttributes attributes;
        std::optional<TBitmapSize> size;
    };
    const Case cases[] = {
        {{}, TBitmapSize{432, 288, 72}},                      // 6 x 4 inches at 72
        {{2, 2, 10}, TBitmapSize{20, 20, 10}},
        {{2.25L, 2.75L, 10}, TBitmapSize{28, 22, 10}},        // 27.5 and 22.5: halves to even
        {{2, 2047.9375L, 16}, TBitmapSize{32767, 32, 16}},    // the widest side
        {{2, 2048, 16}, std::nullopt},                        // 32768 pixels
        {{8192, 8192, 1}, TBitmapSize{8192, 8192, 1}},        // 256 MiB at 4 bytes a pixel
        {{8193, 8192, 1}, std::nullopt},                      // one row more
        {{4, 6, 2147483647.0L}, std::nullopt},                // no overflow on the way
        {{1e4000L, 6, 72}, std::nullopt},
        {{4, 6, 0}, std::nullopt},                            // nothing to draw on
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<double>(c.attributes.WidthInches));
        EXPECT_EQ(BitmapSize(c.attributes), c.size);
    }
}

TEST(PlotDialogLayouts, ControlsStackInsideTheClient)
{
    const TLegendDialogControls controls;
    const TLegendDialogLayout small = LegendDialogLayout({100, 100}, controls);
    EXPECT_EQ(small.Client, kLegendDialogMinimum);
    EXPECT_EQ(small.List.Top, small.Label.Bottom + 5);
    EXPECT_EQ(small.Field.Left, 10);
    EXPECT_EQ(small.Field.Width(), 195 - 20);
    EXPECT_EQ(small.Ok.Top, small.Field.Bottom + 5);
    EXPECT_EQ(small.Ok.Left, 20);
    EXPECT_EQ(small.Cancel.Right, 195 - 20);
    EXPECT_LE(small.Ok.Bottom, 167);
    const TLegendDialogLayout large = LegendDialogLayout({400, 500}, controls);
    EXPECT_EQ(large.List.Height() - small.List.Height(), 500 - 167);
    EXPECT_EQ(large.Ok.Bottom, small.Ok.Bottom + 500 - 167);

    const TActiveCurvesControls buttons;
    const TActiveCurvesLayout active = ActiveCurvesLayout({0, 0}, buttons);
    EXPECT_EQ(active.Client, kActiveCurvesMinimum);
    EXPECT_EQ(active.List.Top, active.Label.Bottom + buttons.Curve.Height + 10);
    EXPECT_EQ(active.ToggleSelected.Left, 15);
    EXPECT_EQ(active.ActivateAll.Top, active.ToggleSelected.Bottom + 10);
    EXPECT_EQ(active.DeactivateAll.Right, 190 - 10);
    EXPECT_EQ(active.Ok.Top, active.ActivateAll.Bottom + 10);
    EXPECT_EQ(active.Ok.Bottom, 234 - 10);
    EXPECT_GT(active.List.Height(), 0);
}
