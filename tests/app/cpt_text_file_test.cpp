#include <gtest/gtest.h>

#include <string>

#include "cpt_text_file.h"
#include "project_fixture.h"
#include "run_state.h"
#include "temp_folder.h"

namespace korva::app {
namespace {

using test::ProjectHost;
using test::TempFolder;

// Depth, Qc in MPa and a soil name in letters, after two header lines.
const std::string kLettersFile = std::string(KORVA_TEST_DATA_DIR) + "/app/cpt-letters.txt";

TCptTextLayout Layout(int lines, int headers, int columns, Extended ua = 1)
{
    return {lines, headers, columns, ua};
}

TEST(CptTextFile, EveryColumnUpToTheLastIsANumber)
{
    // Letters in column 3: read as a number with 3 columns, skipped with 2.
    const TCptReadResult three = ReadCptTextFile(kLettersFile, Layout(4, 2, 3));
    EXPECT_FALSE(three.Ok);
    EXPECT_EQ(three.Message, "There was an error reading the input CPT file.");
    EXPECT_TRUE(three.Points.empty());

    const TCptReadResult two = ReadCptTextFile(kLettersFile, Layout(4, 2, 2));
    ASSERT_TRUE(two.Ok) << two.Message;
    ASSERT_EQ(two.Points.size(), 4u);
    EXPECT_EQ(two.Points[0].Y, 0.5L);
    EXPECT_EQ(two.Points[1].X, 3.25L);
    EXPECT_EQ(two.Points[3].X, 1.5L);
}

TEST(CptTextFile, StressFactorConvertsTheConeResistance)
{
    const TCptReadResult r = ReadCptTextFile(kLettersFile, Layout(2, 2, 2, 1000));
    ASSERT_TRUE(r.Ok);
    ASSERT_EQ(r.Points.size(), 2u);
    EXPECT_EQ(r.Points[0].X, 2500);
    EXPECT_EQ(r.Points[0].Y, 0.5L); // depths are not scaled
    EXPECT_EQ(r.Points[1].X, 3250);
}

TEST(CptTextFile, BadFilesFailWithTheMessage)
{
    TempFolder folder;
    struct Case {
        const char* name;
        std::string text;
        TCptTextLayout layout;
    };
    const Case cases[] = {
        // More data lines asked for than the file has.
        {"short", "1 10\n2 20\n", Layout(3, 0, 2)},
        // A line with fewer numbers than columns must not borrow from the next line.
        {"borrow", "1 10 5\n2 20\n3 30 7\n", Layout(3, 0, 3)},
        // A value beyond what the analysis can carry.
        {"huge", "1 1e400\n2 20\n", Layout(2, 0, 2)},
        {"overflow", "1 1e300\n2 20\n", Layout(2, 0, 2, 1e100L)},
        {"empty", "", Layout(2, 0, 2)},
        {"headers", "a\nb\n", Layout(2, 3, 2)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        folder.Write(c.name, c.text);
        const TCptReadResult r = ReadCptTextFile(folder.Path(c.name), c.layout);
        EXPECT_FALSE(r.Ok);
        EXPECT_EQ(r.Message, kCptReadError);
    }
    EXPECT_FALSE(ReadCptTextFile(folder.Path("missing"), Layout(2, 0, 2)).Ok);
    EXPECT_EQ(CptFileMissingMessage("/x/c.txt"), "File /x/c.txt does not exists");
}

TEST(CptTextFile, MoreDataLinesThanTheAnalysisReadsAreRefusedBeforeReading)
{
    EXPECT_EQ(kMaxCptPoints, engine::MaxCptPoints);
    TempFolder folder;
    std::string text;
    for (int i = 0; i < 1001; ++i)
        text += std::to_string(i) + " 1\n";
    folder.Write("many", text);
    EXPECT_TRUE(ReadCptTextFile(folder.Path("many"), Layout(kMaxCptPoints, 0, 2)).Ok);
    // No allocation follows the count typed in: two billion lines ask for nothing.
    for (int lines : {kMaxCptPoints + 1, 2147483647}) {
        const TCptReadResult r = ReadCptTextFile(folder.Path("many"), Layout(lines, 0, 2));
        EXPECT_FALSE(r.Ok);
        EXPECT_NE(r.Message.find("1000"), std::string::npos) << r.Message;
    }
}

TEST(CptTextFile, ASuccessfulReadReplacesTheProfileAndMarksTheProject)
{
    ProjectHost host;
    TProgramData project{host.host};
    host.cpt.Add(100, 1);
    host.modified = false;

    TCptReadResult failed = ReadCptTextFile(kLettersFile, Layout(4, 2, 3));
    ASSERT_FALSE(failed.Ok);
    // A failed read is never accepted: the profile stays as it was.
    EXPECT_EQ(host.cpt.PointCount(), 1);
    EXPECT_FALSE(host.modified);

    TCptReadResult r = ReadCptTextFile(kLettersFile, Layout(3, 2, 2, 1000));
    ASSERT_TRUE(r.Ok);
    AcceptCptProfile(project, host.cpt, std::move(r.Points));
    EXPECT_EQ(host.cpt.PointCount(), 3);
    EXPECT_EQ(project.CptPointCount(), 3);
    EXPECT_EQ(host.cpt.Point(2).X, 4000);
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(host.cpt.MotionInput().Caption, "CPT Profile");
    EXPECT_EQ(host.cpt.MotionInput().XCaption, "Qc, ksf");
    EXPECT_EQ(host.cpt.MotionInput().Line(0)->GetName(), "CPT Data");
}

TEST(CptTextFile, TheSptAndSuViewsConvertForDisplayOnly)
{
    TCptPoints profile;
    profile.Add(100, 3);
    profile.Add(5000, 4);
    // English: N = 100 x 47.875 / 280; SI: N = 5000 / 280; Su = Qc / 15 in both.
    EXPECT_NEAR(static_cast<double>(CptViewValue(TCptView::Spt, 1, 100)), 17.098214, 1e-6);
    EXPECT_NEAR(static_cast<double>(CptViewValue(TCptView::Spt, 2, 5000)), 17.857143, 1e-6);
    EXPECT_NEAR(static_cast<double>(CptViewValue(TCptView::UndrainedStrength, 1, 100)), 6.666667, 1e-6);
    EXPECT_NEAR(static_cast<double>(CptViewValue(TCptView::UndrainedStrength, 2, 5000)), 333.333333, 1e-6);
    EXPECT_EQ(CptViewValue(TCptView::ConeResistance, 2, 5000), 5000);

    // The view is a plot of its own; the profile keeps its cone resistances.
    components::TGraphPlot view;
    FillCptViewPlot(view, TCptView::Spt, 2, profile);
    ASSERT_EQ(view.LineCount(), 1);
    ASSERT_EQ(view.PointCount(), 2);
    EXPECT_EQ(view.Point(0, 1).Y, 4);
    EXPECT_NEAR(static_cast<double>(view.Point(0, 1).X), 17.857143, 1e-6);
    EXPECT_EQ(view.Caption, "Converted SPT from CPT Data");
    EXPECT_EQ(view.Line(0)->GetName(), "Converted SPT");
    EXPECT_TRUE(view.XOnTop);
    EXPECT_EQ(profile.Point(1).X, 5000);
    EXPECT_EQ(profile.MotionInput().Caption, "CPT Data");

    struct Case {
        TCptView view;
        int units;
        TCptViewTexts texts;
    };
    const Case cases[] = {
        {TCptView::ConeResistance, 1, {"CPT Profile", "Qc, ksf", "Depth, ft", "CPT Data"}},
        {TCptView::ConeResistance, 2, {"CPT Profile", "Qc, kPa", "Depth, m", "CPT Data"}},
        {TCptView::Spt, 2, {"Converted SPT from CPT Data", "SPT, N", "Depth, m", "Converted SPT"}},
        {TCptView::UndrainedStrength, 1,
         {"Converted Undrained Shear Strength Su from CPT Data", "Undrained Shear Strength Su, k/ft^2", "Depth, ft",
          "Converted Su"}},
        {TCptView::UndrainedStrength, 2,
         {"Converted Undrained Shear Strength Su from CPT Data", "Undrained Shear Strength Su, kPa", "Depth, m",
          "Converted Su"}},
    };
    for (const Case& c : cases) {
        const TCptViewTexts t = CptViewTexts(c.view, c.units);
        EXPECT_EQ(t.Caption, c.texts.Caption);
        EXPECT_EQ(t.XCaption, c.texts.XCaption);
        EXPECT_EQ(t.YCaption, c.texts.YCaption);
        EXPECT_EQ(t.LineName, c.texts.LineName);
    }
}

} // namespace
} // namespace korva::app
