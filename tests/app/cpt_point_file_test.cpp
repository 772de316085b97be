#include <gtest/gtest.h>

#include <limits>

#include "cpt_point_file.h"
#include "exceptions.h"
#include "number_format.h"
#include "temp_folder.h"
#include "test_support.h"

using namespace korva::app;
using korva::components::EInOutError;
using korva::test::TempFolder;

namespace {

// The points live in a plot's line: filled in place.
void AddThreePoints(TCptPoints& points)
{
    points.Add(50000, 0);
    points.Add(80000, 20);
    points.Add(-0.00225L, 45.5L);
}

TEST(CptPointFile, LayoutWithAndWithoutPoints)
{
    const char* expected = " 2 3\r\n"
                           "  0.00E+00  5.00E+04\r\n"
                           "  2.00E+01  8.00E+04\r\n"
                           "  4.55E+01  -2.25E-03\r\n";
    TCptPoints three;
    AddThreePoints(three);
    EXPECT_EQ(CptPointFileText(2, three), expected);
    EXPECT_EQ(CptPointFileText(1, TCptPoints()), " 1 0\r\n");
    // The count is the points': a point count set on the points writes
    // exactly that many.
    TCptPoints points;
    AddThreePoints(points);
    points.SetPointCount(7);
    EXPECT_EQ(CptPointFileText(1, points).substr(0, 6), " 1 7\r\n");
    points.SetPointCount(-2);
    EXPECT_EQ(CptPointFileText(1, points), " 1 0\r\n");
}

TEST(CptPointFile, DecimalPointUnderEveryLocaleAndSeparator)
{
    korva::test::ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    korva::components::ScopedDecimalSeparator separator(',');
    TCptPoints points;
    AddThreePoints(points);
    points.SetPointCount(1);
    EXPECT_EQ(CptPointFileText(1, points), " 1 1\r\n  0.00E+00  5.00E+04\r\n");
    EXPECT_EQ(korva::components::DecimalSeparator(), ',');
}

TEST(CptPointFile, ANonFiniteValueIsRefused)
{
    TCptPoints points;
    AddThreePoints(points);
    points.SetPoint(1, std::numeric_limits<Extended>::infinity(), 20);
    try {
        CptPointFileText(1, points);
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_STREQ(e.what(), "The cone resistance of CPT point 2 is not a finite number.");
    }
}

TEST(CptPointFile, ReadBackGivesThePoints)
{
    TempFolder folder;
    TCptPoints three;
    AddThreePoints(three);
    folder.Write("pile.cpt", CptPointFileText(2, three));
    TCptPoints points;
    points.Add(1, 1);
    ReadCptPointFile(folder.Path("pile.cpt"), points);
    ASSERT_EQ(points.PointCount(), 3);
    EXPECT_EQ(points.Point(1).X, 80000);
    EXPECT_EQ(points.Point(1).Y, 20);
    // The double the engine reads, not the extended value that was saved.
    EXPECT_EQ(points.Point(2).X, static_cast<double>(-0.00225L));
    EXPECT_NE(points.Point(2).X, -0.00225L);
}

TEST(CptPointFile, ATruncatedFileKeepsThePointsReadSoFar)
{
    TempFolder folder;
    folder.Write("pile.cpt", " 1 3\r\n  1.00E+00  2.00E+00\r\n  3.00E+00\r\n");
    TCptPoints points;
    EXPECT_THROW(ReadCptPointFile(folder.Path("pile.cpt"), points), EInOutError);
    ASSERT_EQ(points.PointCount(), 1);
    EXPECT_EQ(points.Point(0).X, 2);
}

// A count the file cannot hold is an input error at the count; the points
// the file holds are read in its place. A smaller count is the engine's:
// the points after it are not read.
TEST(CptPointFile, ACountTheFileCannotHoldNamesItsLine)
{
    const std::string row = "  1.00E+00  2.00E+00\r\n";
    std::string many;
    for (int i = 0; i < 1001; ++i)
        many += row;
    struct Case {
        std::string text;
        std::string message; // "" none
        int points;
    };
    const Case cases[] = {
        {" 1 -3\r\n" + row + row + row, "The number of CPT points (-3) must be between 0 and 1000; 3 points were read.", 3},
        {" 1 -3\r\n", "The number of CPT points (-3) must be between 0 and 1000; 0 points were read.", 0},
        {" 1 -3\r\n" + row, "The number of CPT points (-3) must be between 0 and 1000; 1 point was read.", 1},
        {" 2 5\r\n" + row + row, "The number of CPT points (5) is more than the file holds (2).", 2},
        {" 1 1001\r\n" + many, "The number of CPT points (1001) must be between 0 and 1000; 1000 points were read.",
         1000},
        {" 1 2\r\n" + row + row + row, "", 2},
        {" 1 0\r\n", "", 0},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 8));
        folder.Write("pile.cpt", c.text);
        TCptPoints points;
        points.Add(7, 7);
        std::string message;
        try {
            ReadCptPointFile(folder.Path("pile.cpt"), points);
        } catch (const EInOutError& e) {
            message = e.what();
        }
        EXPECT_EQ(message, c.message.empty() ? "" : "Error on Line 1 Item 2\r" + c.message);
        EXPECT_EQ(points.PointCount(), c.points);
    }
}

} // namespace
