#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "exceptions.h"
#include "golden.h"
#include "number_format.h"
#include "project_fixture.h"
#include "temp_folder.h"
#include "test_support.h"
#include "wave_equation_file.h"

using namespace korva::test;

namespace {

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    EXPECT_EQ(start, text.size()) << "every line ends with CR LF";
    return lines;
}

// n result points 0.5 ft apart from 0.5, with unit skin friction and tip
// resistance growing with depth.
void SetResults(TProgramData& p, int n, Extended spacing = 0.5L)
{
    p.ResultPointCount = n;
    for (int k = 0; k < n; ++k) {
        p.ResultDepths[k] = spacing * (k + 1);
        p.ResultUnitSkinFriction[k] = 0.01L * (k + 1);
        p.ResultTipResistance[k] = 2.5L * (k + 1);
    }
}

// The fixed lines around the resistance rows: 10 before, 7 after.
constexpr int kLinesBeforeRows = 10;
constexpr int kLinesAfterRows = 7;

std::vector<std::string> ResistanceRows(const std::string& text)
{
    const std::vector<std::string> lines = Lines(text);
    return {lines.begin() + kLinesBeforeRows, lines.end() - kLinesAfterRows};
}

// The first word of a resistance row: the depth.
std::string DepthOf(const std::string& row)
{
    return row.substr(1, row.find(' ', 1) - 1);
}

TEST(WaveEquationFile, SmallEnglishProjectMatchesTheGoldenFile)
{
    ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    korva::components::ScopedDecimalSeparator separator(','); // as a user's locale would have it
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    // Points in the first sand (to 20 ft), the clay (to 45 ft) and the lower sand.
    p.ResultPointCount = 12;
    for (int k = 0; k < 12; ++k) {
        p.ResultDepths[k] = 5.0L * k;
        p.ResultUnitSkinFriction[k] = 0.125L * k;
        p.ResultTipResistance[k] = 12.5L * k * k;
    }
    p.FileName = folder.Path("small english.kv7d");
    ASSERT_TRUE(p.WriteWaveEquationFile());
    EXPECT_EQ(p.WaveFileName, folder.Path("small english.gwi"));
    ExpectMatchesGolden(folder.Read("small english.gwi"), "app/english-three-layers.gwi");
    EXPECT_EQ(p.Perimeter, 0) << "the project's perimeter is not changed";
    EXPECT_EQ(korva::components::DecimalSeparator(), ',');
}

TEST(WaveEquationFile, ThinsTheResultPointsToAboutAHundredRows)
{
    struct Case {
        int points;
        int rows;          // rows written, the last point's included
        int step;
        std::string last;  // depth of the last row
    };
    for (const Case& c : {Case{99, 99, 1, "4.95E+1"}, Case{100, 51, 2, "5.00E+1"}, Case{250, 84, 3, "1.25E+2"},
                         Case{1, 1, 1, "5.00E-1"}}) {
        ProjectHost h;
        TProgramData p(h.host);
        SetResults(p, c.points);
        const std::vector<int> indexes = WaveEquationRows(c.points);
        const std::vector<std::string> rows = ResistanceRows(WaveEquationFileText(p, h.tables.D));
        ASSERT_EQ(static_cast<int>(rows.size()), c.rows) << c.points;
        for (int i = 0; i < static_cast<int>(indexes.size()); ++i)
            EXPECT_EQ(indexes[i], i * c.step) << c.points;
        EXPECT_EQ(DepthOf(rows.back()), c.last) << c.points;
    }
    // 250 points: 83 rows for points 0, 3, ..., 246, then point 249.
    const std::vector<int> rows = WaveEquationRows(250);
    ASSERT_EQ(rows.size(), 83u);
    EXPECT_EQ(rows.back(), 246);
    EXPECT_TRUE(WaveEquationRows(0).empty());
}

TEST(WaveEquationFile, SiTimberPile)
{
    ProjectHost h;
    TProgramData p(h.host);
    p.SetUnits(2);
    p.PileType = ptTimber;
    p.ProjectTitle = "Timber pile";
    p.OuterDiameter = 300;
    p.InnerDiameter = 0;
    p.ElasticModulus = 11000000;
    SetLayers(h.tables, {{kSand, 4, 0, 0, 1, 1, {18, 30, 10, 0.8L, 20, 0, 0, 0}, {18, 31, 12, 0.8L, 20, 0, 0, 0}},
                         {kClay, 12, 0, 0, 1, 1, {8, 40, 20, 25, 2, 0, 0, 0, 0}, {8, 50, 25, 25, 2, 0, 0, 0, 0}}});
    SetResults(p, 3, 2.5L); // 2.5 m in the sand, 5 and 7.5 m in the clay
    const std::vector<std::string> lines = Lines(WaveEquationFileText(p, h.tables.D));
    EXPECT_EQ(lines[0], "Timber pile                               VER. 2000 0 0");
    EXPECT_EQ(lines[2], "    9.8100    9.8100");
    // 7.5 m, pi/4 x 300^2 mm^2 = 706.86 cm^2, 11000 MPa, 7.9 kN/m^3, 0.94248 m.
    EXPECT_EQ(lines[5], "  7.50E+00  7.07E+02  1.10E+04  7.90E+00  9.42E-01     4.000     1.000     0.010");
    EXPECT_EQ(lines[10], " 2.50E+0 1.00E-2 2.50E+0   2.540   2.500   1.60E-1   0.150   1.20E+0    1.50    1.00");
    EXPECT_EQ(lines[11], " 5.00E+0 2.00E-2 5.00E+0   2.540   2.500   6.50E-1   0.150   2.00E+0    1.50    1.00");
    EXPECT_EQ(lines[15], "  1.88E+00      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000");
}

TEST(WaveEquationFile, UnitWeightByPileType)
{
    struct Case {
        int type;
        int units;
        std::string weight;
    };
    for (const Case& c : {Case{ptSteelPipe, 1, "4.92E+02"}, Case{ptPrecastConcrete, 1, "1.50E+02"},
                         Case{ptTimber, 1, "5.00E+01"}, Case{ptHPile, 1, "4.92E+02"}, Case{ptSteelPipe, 2, "7.73E+01"},
                         Case{ptPrecastConcrete, 2, "2.36E+01"}, Case{ptTaperedMonotube, 2, "7.73E+01"}}) {
        ProjectHost h;
        TProgramData p(h.host);
        p.SetUnits(c.units);
        p.PileType = c.type;
        SetResults(p, 2);
        const std::string pile = Lines(WaveEquationFileText(p, h.tables.D))[5];
        EXPECT_EQ(pile.substr(32, 8), c.weight) << c.type << " " << c.units;
    }
}

// An H-pile has no diameters: its area is the constant section area, else
// the tip area (the diameter formula would give 0); the perimeter is its own.
TEST(WaveEquationFile, NonCircularSectionTakesItsAreaAndPerimeter)
{
    struct Case {
        int units;
        Extended sectionArea, tipArea, perimeter;
        std::string area, perimeterText;
    };
    for (const Case& c : {Case{1, 15.5L, 0, 56, "1.55E+01", "4.67E+00"}, Case{1, 0, 21.75L, 56, "2.18E+01", "4.67E+00"},
                         Case{2, 0.01L, 0.02L, 1422, "1.00E+02", "1.42E+00"}}) {
        ProjectHost h;
        TProgramData p(h.host);
        p.SetUnits(c.units);
        p.PileType = ptHPile;
        p.CircularSection = 0;
        p.OuterDiameter = 0;
        p.SectionArea = c.sectionArea;
        p.TipArea = c.tipArea;
        p.Perimeter = c.perimeter;
        SetResults(p, 2);
        const std::string pile = Lines(WaveEquationFileText(p, h.tables.D))[5];
        EXPECT_EQ(pile.substr(12, 8), c.area) << c.tipArea;
        EXPECT_EQ(pile.substr(42, 8), c.perimeterText) << c.perimeter;
        EXPECT_EQ(p.Perimeter, c.perimeter);
    }
}

// The layer of a point: the index moves on by one layer per point when the
// point lies below the current layer's bottom, and never past the last layer.
TEST(WaveEquationFile, LayerIndexMovesOneLayerPerPointAndStopsAtTheLast)
{
    ProjectHost h;
    TProgramData p(h.host);
    SetLayers(h.tables, {{kSand, 2, 0, 0, 1, 1, {115, 30, 10, 0.8L, 20, 0, 0, 0}, {115, 30, 10, 0.8L, 20, 0, 0, 0}},
                         {kClay, 4, 0, 0, 1, 1, {55, 1000, 500, 25, 2, 0, 0, 0, 0}, {55, 1000, 500, 25, 2, 0, 0, 0, 0}},
                         {kSand, 6, 0, 0, 1, 1, {115, 30, 10, 0.8L, 20, 0, 0, 0}, {115, 30, 10, 0.8L, 20, 0, 0, 0}}});
    // 1 ft: sand. 5 ft: two layers down, but only the clay. 5.5 ft: the lower
    // sand. 9, 12 ft: below the profile, still the lower sand.
    p.ResultPointCount = 5;
    const Extended depths[] = {1, 5, 5.5L, 9, 12};
    for (int k = 0; k < 5; ++k)
        p.ResultDepths[k] = depths[k];
    const std::vector<std::string> rows = ResistanceRows(WaveEquationFileText(p, h.tables.D));
    ASSERT_EQ(rows.size(), 5u);
    const std::vector<std::string> quake = {"5.00E-2", "2.00E-1", "5.00E-2", "5.00E-2", "5.00E-2"};
    for (int k = 0; k < 5; ++k)
        EXPECT_EQ(rows[k].substr(43, 7), quake[k]) << k;
    // A layer at exactly the point's depth keeps the point.
    p.ResultDepths[1] = 2;
    EXPECT_EQ(ResistanceRows(WaveEquationFileText(p, h.tables.D))[1].substr(43, 7), "5.00E-2");
}

TEST(WaveEquationFile, TitleFillsFortyColumns)
{
    struct Case {
        std::string title, field;
    };
    for (const Case& c : {Case{"Twelve chars", "Twelve chars" + std::string(28, ' ')},
                          Case{std::string(40, 'a') + "0123456789", std::string(40, 'a')},
                          Case{"Line\nbreak", "Line break" + std::string(30, ' ')},
                          // 39 ASCII bytes, then a two-byte character that would end past column 40
                          Case{std::string(39, 'x') + "\xC3\xA9" + "tail", std::string(39, 'x') + " "}}) {
        ProjectHost h;
        TProgramData p(h.host);
        p.ProjectTitle = c.title;
        SetResults(p, 1);
        EXPECT_EQ(Lines(WaveEquationFileText(p, h.tables.D))[0], c.field + "  VER. 2000 1 0") << c.title;
    }
}

TEST(WaveEquationFile, NoFileWithoutResultPointsAndWriteErrorsRaise)
{
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    p.FileName = folder.Path("pile.kv7d");
    EXPECT_FALSE(p.WriteWaveEquationFile());
    EXPECT_FALSE(folder.Exists("pile.gwi"));

    SetResults(p, 3);
    p.FileName = folder.Path("missing folder/pile.kv7d");
    EXPECT_THROW(p.WriteWaveEquationFile(), korva::components::EInOutError);
    EXPECT_TRUE(p.WaveFileName.empty());
    EXPECT_EQ(korva::components::DecimalSeparator(), '.');
}

// Results without points (the load-transfer method not among the curves)
// leave no wave-equation file: the one of an earlier run is removed, so that
// "Edit GRLWeap Data File" never opens another run's data.
TEST(WaveEquationFile, ResultsWithoutPointsRemoveTheFileOfAnEarlierRun)
{
    TempFolder folder;
    ProjectHost h;
    TProgramData p(h.host);
    p.FileName = folder.Path("pile.kv7d");
    SetResults(p, 3);
    ASSERT_TRUE(p.WriteWaveEquationFile());
    ASSERT_TRUE(folder.Exists("pile.gwi"));
    p.ResultPointCount = 0;
    EXPECT_FALSE(p.WriteWaveEquationFile());
    EXPECT_FALSE(folder.Exists("pile.gwi"));
    EXPECT_TRUE(p.WaveFileName.empty());
}

} // namespace
