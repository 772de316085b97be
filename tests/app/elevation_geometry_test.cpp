// The elevation view's geometry: the pile outline, the extent, the stretch to
// a window, the pixels of the drawing and the printed page.
#include <gtest/gtest.h>

#include <cmath>

#include "elevation_geometry.h"
#include "project_fixture.h"

using namespace korva::app;
using korva::test::ProjectHost;

namespace {

// A 24 in pile of 60 ft with 5 ft above the ground in sand, clay and sand
// down to 80 ft.
struct ThreeLayers {
    ThreeLayers() { korva::test::MakeEnglishThreeLayers(project, host); }
    ProjectHost host;
    TProgramData project{host.host};
    TElevationProfile Profile() { return BuildElevationProfile(project, host.tables.D); }
};

TEST(ElevationGeometry, StraightPileIsARectangleFromHeadToToe)
{
    ThreeLayers t;
    const TElevationProfile profile = t.Profile();
    EXPECT_EQ(profile.PileWidth, 2); // 24 in
    const TPileOutline& p = profile.Pile;
    EXPECT_EQ(p.P0.X, -1);
    EXPECT_EQ(p.P1.X, 1);
    EXPECT_EQ(p.P2.X, -1);
    EXPECT_EQ(p.P3.X, 1);
    EXPECT_EQ(p.P0.Y, -5);
    EXPECT_EQ(p.P1.Y, -5);
    EXPECT_EQ(p.P2.Y, 55);
    EXPECT_EQ(p.P3.Y, 55);
    // The extent holds the head, the deepest layer and 5 % more on every side.
    EXPECT_NEAR(profile.Bounds.XMin, -1.05L, 1e-15L);
    EXPECT_NEAR(profile.Bounds.XMax, 1.05L, 1e-15L);
    EXPECT_NEAR(profile.Bounds.YMin, -5.25L, 1e-15L);
    EXPECT_NEAR(profile.Bounds.YMax, 84, 1e-15L);
    ASSERT_EQ(profile.Layers.size(), 3u);
    EXPECT_EQ(profile.Layers[1].SoilType, kClay);
    EXPECT_EQ(profile.Layers[1].Top, 20);
    EXPECT_EQ(profile.Layers[1].Bottom, 45);
}

TEST(ElevationGeometry, TaperNarrowsTheToeOnEachSide)
{
    ThreeLayers t;
    t.project.TaperAngle = 0.5L;
    const TPileOutline p = t.Profile().Pile;
    const Extended narrowing = 60 * std::tan(3.1416L * 0.5L / 180);
    EXPECT_EQ(p.P0.X, -1);
    EXPECT_EQ(p.P1.X, 1);
    EXPECT_NEAR(p.P2.X, -1 + narrowing, 1e-15L);
    EXPECT_NEAR(p.P3.X, 1 - narrowing, 1e-15L);
    EXPECT_GT(p.P2.X, p.P0.X);
}

TEST(ElevationGeometry, WidthWithoutDiameterAndInSI)
{
    ThreeLayers t;
    t.project.OuterDiameter = 0;
    t.project.Perimeter = 48; // a quarter is 12 in
    EXPECT_EQ(t.Profile().PileWidth, 1);

    ProjectHost h;
    TProgramData si(h.host);
    si.SetUnits(2);
    si.OuterDiameter = 500;
    si.PileLength = 20;
    EXPECT_EQ(BuildElevationProfile(si, h.tables.D).PileWidth, 0.5L);

    // No stick-up: the head stands on the ground line.
    si.StickupLength = 0;
    const TElevationProfile profile = BuildElevationProfile(si, h.tables.D);
    EXPECT_EQ(profile.Pile.P0.Y, 0);
    EXPECT_EQ(profile.Bounds.YMin, 0);
    EXPECT_EQ(profile.Bounds.YMax, 21); // the toe; the default layer ends at 0
}

TEST(ElevationGeometry, WindowAspectStretchesAboutZero)
{
    TWorldRange bounds{-1, 1, -2, 8}; // 2 wide, 10 deep
    // A window of 100 x 250 has twice the drawing's aspect of 0.2.
    const TElevationMapping wide(bounds, 100, 250);
    EXPECT_EQ(wide.View().XMin, -2);
    EXPECT_EQ(wide.View().XMax, 2);
    EXPECT_EQ(wide.View().YMin, -2);
    EXPECT_EQ(wide.View().YMax, 8);
    // A narrower one stretches the depths.
    const TElevationMapping tall(bounds, 20, 200);
    EXPECT_EQ(tall.View().XMin, -1);
    EXPECT_EQ(tall.View().YMin, -4);
    EXPECT_EQ(tall.View().YMax, 16);

    EXPECT_EQ(wide.XToPixel(0), 50);
    EXPECT_EQ(wide.YToPixel(-2), 0);
    EXPECT_EQ(wide.YToPixel(8), 250);
    EXPECT_EQ(wide.YToPixel(0), 50);
    EXPECT_NEAR(wide.DepthAt(125), 3, 1e-15L);

    // A window without area maps nothing; a later size maps again.
    for (const auto& [w, h] : {std::pair{0, 250}, std::pair{100, 0}, std::pair{0, 0}}) {
        const TElevationMapping none(bounds, w, h);
        EXPECT_FALSE(none.MapsDepths());
        EXPECT_TRUE(LayoutElevationScene(TElevationProfile{}, none).Lines.empty());
    }
    // A drawing without depth range maps no depths.
    EXPECT_FALSE(TElevationMapping(TWorldRange{}, 100, 100).MapsDepths());
}

TEST(ElevationGeometry, DepthReadoutHasOneDecimal)
{
    EXPECT_EQ(DepthReadout(12.46L), "  Depth: 12.5");
    EXPECT_EQ(DepthReadout(-3), "  Depth: -3.0");
    EXPECT_EQ(DepthReadout(0.04L), "  Depth: 0.0");
}

TEST(ElevationGeometry, LayerLabels)
{
    struct Case {
        int type;
        const char* screen;
        bool below;
        const char* print;
    };
    const Case cases[] = {
        {kSand, "depth= 12.5 - 20; Sand", true, "depth= 12.5 - 20; Sand"},
        {kClay, "depth= 12.5 - 20; Clay", true, "depth= 12.5 - 20; Clay"},
        {kSilt, "depth= 12.5 - 20; Silt", true, "depth= 12.5 - 20; Silt"},
        {4, "Strong Rock", false, "depth= 12.5 - 20; Strong Rock"},
        {5, "Gravel", false, "depth= 12.5 - 20; Gravel"},
        {6, "Weak Rock", false, "depth= 12.5 - 20; Soft Rock"},
    };
    for (const Case& c : cases) {
        const TElevationLayer layer{c.type, 12.5L, 20};
        EXPECT_EQ(LayerScreenLabel(layer), c.screen);
        EXPECT_EQ(ScreenLabelBelowTop(c.type), c.below) << c.type;
        EXPECT_EQ(LayerPrintLabel(layer), c.print);
    }
    EXPECT_EQ(LayerScreenLabel({kSand, 0, 1.0L / 3}), "depth= 0 - 0.333333333333333; Sand");
}

TEST(ElevationGeometry, SceneDrawsGroundLayersAndThePile)
{
    ThreeLayers t;
    t.project.TaperAngle = 0.5L;
    const TElevationProfile profile = t.Profile();
    const TElevationMapping mapping(profile.Bounds, 648, 420);
    const TElevationScene scene = LayoutElevationScene(profile, mapping);
    // Ground line, 20 hatch strokes, three layer bottoms.
    ASSERT_EQ(scene.Lines.size(), 24u);
    const int y0 = mapping.YToPixel(0);
    EXPECT_EQ(scene.Lines[0].Y1, y0);
    EXPECT_EQ(scene.Lines[0].X2, 648);
    EXPECT_EQ(scene.Lines[1].X1, 120);
    EXPECT_EQ(scene.Lines[1].Y2, y0 + 5);
    EXPECT_EQ(scene.Lines[23].Y1, mapping.YToPixel(80));
    ASSERT_EQ(scene.Labels.size(), 3u);
    EXPECT_EQ(scene.Labels[1].Text, "depth= 20 - 45; Clay");
    EXPECT_EQ(scene.Labels[1].Top, mapping.YToPixel(20));
    // The polygon P0, P1, P3, P2: a narrower toe.
    ASSERT_EQ(scene.Pile.size(), 4u);
    EXPECT_EQ(scene.Pile[0].Y, mapping.YToPixel(-5));
    EXPECT_EQ(scene.Pile[2].Y, mapping.YToPixel(55));
    EXPECT_LT(scene.Pile[2].X - scene.Pile[3].X, scene.Pile[1].X - scene.Pile[0].X);
}

TEST(ElevationGeometry, PrintedPageFromHeadToDeepestLayer)
{
    ThreeLayers t;
    // The deepest layer ends at the toe: the toe at 90 % of the page.
    t.host.tables.D.Cell(layer_col::LayerBottom, 2).SetAsFloat(55);
    const TProfilePage page = LayoutProfilePage(t.Profile(), 2600, 2000);
    EXPECT_EQ(page.Frame.Left, 260);
    EXPECT_EQ(page.Frame.Bottom, 1800);
    ASSERT_TRUE(page.Pile);
    EXPECT_EQ(page.Pile->Top, 200);
    EXPECT_EQ(page.Pile->Bottom, 1800);
    // Half-width at the vertical scale: 2 ft of 60 ft over 0.8 of 2000.
    EXPECT_EQ(page.Pile->Left, 1300 - 27);
    EXPECT_EQ(page.Pile->Right, 1300 + 27);
    // Ground line, ten hatch strokes in page-height units, three layers.
    ASSERT_EQ(page.Lines.size(), 14u);
    EXPECT_EQ(page.Lines[0].Y1, 333);
    EXPECT_EQ(page.Lines[0].X1, 260);
    EXPECT_EQ(page.Lines[0].X2, 2340);
    EXPECT_EQ(page.Lines[1].X1, 700 + 40);
    EXPECT_EQ(page.Lines[1].X2, 740 + 40);
    EXPECT_EQ(page.Lines[10].X1, 700 + 400);
    EXPECT_EQ(page.Lines[1].Y2, 333 + 30);
    EXPECT_EQ(page.Lines[13].Y1, 1800);
    ASSERT_EQ(page.Labels.size(), 3u);
    EXPECT_EQ(page.Labels[0].X, 300);
    EXPECT_EQ(page.Labels[1].Top, 200 + 25 * 1600 / 60 + 1); // 20 ft below the head: 866.67
    EXPECT_EQ(page.Labels[2].Text, "depth= 45 - 55; Sand");
}

TEST(ElevationGeometry, ProfileWithoutLayersShowsThePileAlone)
{
    ThreeLayers t;
    t.host.tables.D.SetRowCount(0);
    const TElevationProfile profile = t.Profile();
    EXPECT_TRUE(profile.Layers.empty());
    EXPECT_EQ(profile.Pile.P2.Y, 55);
    const TElevationScene scene = LayoutElevationScene(profile, TElevationMapping(profile.Bounds, 400, 300));
    EXPECT_EQ(scene.Pile.size(), 4u);
    EXPECT_TRUE(scene.Labels.empty());
    const TProfilePage page = LayoutProfilePage(profile, 1100, 850);
    ASSERT_TRUE(page.Pile);
    EXPECT_EQ(page.Pile->Bottom, 765); // the toe at 90 %

    // A pile of no length on a layer of no depth: a frame and nothing else.
    ProjectHost h;
    TProgramData empty(h.host);
    const TProfilePage blank = LayoutProfilePage(BuildElevationProfile(empty, h.tables.D), 1100, 850);
    EXPECT_TRUE(blank.Lines.empty());
    EXPECT_FALSE(blank.Pile);
}

} // namespace
