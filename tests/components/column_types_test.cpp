#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "column_types.h"
#include "exceptions.h"
#include "grid_fixtures.h"
#include "message_of.h"
#include "test_support.h"
#include "unit_codes.h"

namespace korva::components {
namespace {

using test::FakeWindow;
using test::MessageOf;

// Text typed into a cell: the message it raises ("<none>" when accepted) and
// the cell's text afterwards (the old text "7" stays on a refusal).
struct EntryCase {
    int column; // 0 enumeration (Sand, Clay, Silt), 1 integer 0..4, 2 float, 3 string
    bool windowOpen;
    const char* text;
    const char* message;
    const char* cellText;
};

const char* const kInvalidCharacters = "Entry could not be evaluated:\rinvalid character(s) in expression";

const std::vector<EntryCase> kEntries = {
    {0, true, "2.5", "Value must be an integer.", "3"},
    {0, true, "1+1", "<none>", "2"},
    {0, true, "", "Entry cannot be blank.", "3"},
    {0, true, "sand", kInvalidCharacters, "3"},
    {0, true, "4", "Entry must be between 1 and 3.", "3"},
    {0, false, "0", "Entry must be between 1 and 3.", "3"},
    {1, true, "5", "Entry must be between 0 and 4.", "7"},
    {1, true, "-1.5", "Entry must be an integer.", "7"},
    {1, true, "3.00000000001", "<none>", "3"},
    {1, true, "2*2", "<none>", "4"},
    {1, true, "", "Entry cannot be blank.", "7"},
    {1, true, "x", kInvalidCharacters, "7"},
    {1, false, "5", "<none>", "5"},       // limits apply while the window is open
    {1, false, "2.5", "<none>", "2"},     // halves to even
    {1, false, "1e10", "Entry must be between -2147483648 and 2147483647.", "7"},
    {1, true, "1e10", "Entry must be between 0 and 4.", "7"},
    {2, true, "1/4", "<none>", "0.25"},
    {2, true, "", "Entry cannot be blank.", "7"},
    {2, true, "1.5E+3", kInvalidCharacters, "7"},
    {2, true, "2/3", "<none>", "0.66666667"},
    {3, true, "", "<none>", ""},
    {3, true, "1/0 stays text", "<none>", "1/0 stays text"},
};

TEST(ColumnTypes, TextEntryByColumnType)
{
    for (const auto& c : kEntries) {
        SCOPED_TRACE(std::string("column ") + std::to_string(c.column) + " \"" + c.text + "\"");
        TGridRegistry registry;
        TGridTable table(registry);
        AddEnumColumn(table, {"Type"}, {"Sand", "Clay", "Silt"});
        AddIntColumn(table, {"Count"}, 0, 4);
        AddFloatColumn(table, {"Value"}, "");
        AddStringColumn(table, {"Name"});
        table.SetRowCount(1);
        table.Cell(0, 0).SetAsInteger(3);
        table.Cell(1, 0).SetAsInteger(7);
        table.Cell(2, 0).SetAsFloat(7);
        table.Cell(3, 0).SetAsString("7");
        FakeWindow window;
        if (c.windowOpen)
            table.ConnectWindow(&window, &window);

        EXPECT_EQ(MessageOf<EAssignError>([&] { table.GetColumn(c.column).SetAsString(0, c.text); }), c.message);
        EXPECT_EQ(table.Cell(c.column, 0).GetAsString(), c.cellText);
        table.DisconnectWindow();
    }
}

TEST(ColumnTypes, ArithmeticFaultsPassThrough)
{
    TGridRegistry registry;
    TGridTable table(registry);
    AddFloatColumn(table, {"Value"}, "");
    table.SetRowCount(1);
    EXPECT_THROW(table.GetColumn(0).SetAsString(0, "1/0"), EArithmeticError);
    EXPECT_EQ(table.Cell(0, 0).GetAsFloat(), 0.0L);
}

TEST(ColumnTypes, CellTextUsesTheDecimalSeparatorNotTheLocale)
{
    test::ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    TGridRegistry registry;
    TGridTable table(registry);
    AddFloatColumn(table, {"Value"}, "");
    table.SetRowCount(1);
    table.GetColumn(0).SetAsString(0, "1.25*2");
    EXPECT_EQ(table.Cell(0, 0).GetAsString(), "2.5");
}

TEST(ColumnTypes, ReadingThroughTheWrongTypeRaises)
{
    TGridRegistry registry;
    TGridTable table(registry);
    AddIntColumn(table, {"Count"});
    AddFloatColumn(table, {"Value"}, "");
    table.SetRowCount(1);
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { table.Cell(0, 0).GetAsFloat(); }), "Data of wrong type");
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { table.Cell(1, 0).SetAsInteger(1); }), "Data of wrong type");
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { table.Cell(1, 0).GetAsTable(); }), "Data of wrong type");
    EXPECT_EQ(MessageOf<EListError>([&] { table.Cell(2, 0); }), "List index out of bounds (2)");
    EXPECT_EQ(MessageOf<EListError>([&] { table.Cell(0, 1); }), "List index out of bounds (1)");
}

TEST(ColumnTypes, StressFromSIToEnglishAndBack)
{
    TGridRegistry registry;
    TGridTable table(registry);
    table.SetUnits(kUnitsSI);
    AddFloatColumn(table, {"Max. Side Friction", "Stress"}, "F/L2^2");
    AddFloatColumn(table, {"Factor"}, "");
    table.SetRowCount(1);
    table.Cell(0, 0).SetAsFloat(1.0L);
    table.Cell(1, 0).SetAsFloat(1.0L);
    EXPECT_EQ(table.GetColumn(0).GetHeader(0), "Max. Side Friction");
    EXPECT_EQ(table.GetColumn(0).GetHeader(1), "Stress (kN/m^2)  ");
    EXPECT_EQ(table.GetColumn(1).GetHeader(0), "Factor");

    table.SetUnits(kUnitsEnglish);
    const long double english = table.Cell(0, 0).GetAsFloat();
    EXPECT_NEAR(static_cast<double>(english), 20.885432431, 5e-10);
    EXPECT_EQ(table.Cell(0, 0).GetAsString(), "20.885432");
    EXPECT_EQ(table.GetColumn(0).GetHeader(1), "Stress (lbs/ft^2)  ");
    EXPECT_EQ(table.Cell(1, 0).GetAsFloat(), 1.0L);

    table.SetUnits(kUnitsEnglish); // the same system changes nothing
    EXPECT_EQ(table.Cell(0, 0).GetAsFloat(), english);

    table.SetUnits(kUnitsSI);
    EXPECT_NEAR(static_cast<double>(table.Cell(0, 0).GetAsFloat()), 1.0, 1e-15);
    EXPECT_EQ(table.Cell(0, 0).GetAsString(), "1");
}

TEST(ColumnTypes, GroupedColumnWritesTheWholeGroup)
{
    TGridRegistry registry;
    TGridTable table(registry);
    table.SetRowGroup(2);
    auto& grouped = AddFloatColumn(table, {"Area"}, "");
    grouped.Grouped = true;
    AddIntColumn(table, {"Count"});
    table.SetRowCount(4);
    std::vector<std::pair<int, int>> notified;
    table.CellChangedHook = [&](int col, int row) { notified.emplace_back(col, row); };

    table.Cell(0, 3).SetAsFloat(2.5L);
    table.Cell(1, 3).SetAsInteger(9);
    EXPECT_EQ(table.Cell(0, 2).GetAsFloat(), 2.5L);
    EXPECT_EQ(table.Cell(0, 3).GetAsFloat(), 2.5L);
    EXPECT_EQ(table.Cell(0, 1).GetAsFloat(), 0.0L);
    EXPECT_EQ(table.Cell(1, 2).GetAsInteger(), 0);
    EXPECT_EQ(notified, (std::vector<std::pair<int, int>>{{0, 2}, {0, 3}, {1, 3}}));
}

// Layers with their top and bottom depths in two linked columns.
struct DepthTable {
    DepthTable()
    {
        auto& top = AddFloatColumn(table, {"Top"}, "L2");
        top.IsTopDepth = true;
        AddFloatColumn(table, {"Bottom"}, "L2");
        table.SetRowCount(3);
        for (int r = 0; r < 3; ++r) {
            table.Cell(1, r).SetAsFloat(10.0L * (r + 1));
        }
    }
    std::vector<long double> Column(int col)
    {
        std::vector<long double> values;
        for (int r = 0; r < table.RowCount(); ++r)
            values.push_back(table.Cell(col, r).GetAsFloat());
        return values;
    }
    TGridRegistry registry;
    TGridTable table{registry};
};

TEST(ColumnTypes, TopDepthFollowsTheBottomOfTheLayerAbove)
{
    DepthTable d;
    EXPECT_EQ(d.Column(0), (std::vector<long double>{0, 10, 20}));
    EXPECT_EQ(d.Column(1), (std::vector<long double>{10, 20, 30}));

    d.table.Cell(0, 1).SetAsFloat(12); // a top moves the bottom above
    EXPECT_EQ(d.Column(1), (std::vector<long double>{12, 20, 30}));

    d.table.DeleteRowGroup(1); // the layer that moves up starts at 12
    EXPECT_EQ(d.Column(0), (std::vector<long double>{0, 12}));
    EXPECT_EQ(d.Column(1), (std::vector<long double>{12, 30}));

    d.table.InsertRowGroup(1);
    EXPECT_EQ(d.Column(0), (std::vector<long double>{0, 12, 12}));
    EXPECT_EQ(d.Column(1), (std::vector<long double>{12, 12, 30}));
}

TEST(ColumnTypes, TopDepthNeedsAFloatColumnAfterIt)
{
    TGridRegistry registry;
    TGridTable table(registry);
    AddFloatColumn(table, {"Top"}, "L2").IsTopDepth = true;
    AddIntColumn(table, {"Count"});
    EXPECT_EQ(MessageOf<Exception>([&] { table.SetRowCount(1); }),
              "If column if a topdepth then the next column must be a float column");
}

TEST(ColumnTypes, WidthsHaveATypeMinimum)
{
    TGridRegistry registry;
    TGridTable table(registry);
    AddEnumColumn(table, {}, {"A"});
    AddIntColumn(table, {"A rather long header"});
    AddFloatColumn(table, {"x"}, "");
    AddStringColumn(table, {}).Width = 1.5L;
    const TTextMeasure measure{96, [](std::string_view text) { return static_cast<int>(text.size()) * 7; }};
    EXPECT_EQ(table.GetColumn(0).ColumnWidth(measure), 144);
    EXPECT_EQ(table.GetColumn(1).ColumnWidth(measure), 22 * 7);
    EXPECT_EQ(table.GetColumn(2).ColumnWidth(measure), 48);
    EXPECT_EQ(table.GetColumn(3).ColumnWidth(measure), 144);
}

} // namespace
} // namespace korva::components
