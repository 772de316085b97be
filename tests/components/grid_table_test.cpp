#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "col_stream.h"
#include "column_types.h"
#include "exceptions.h"
#include "grid_fixtures.h"
#include "message_of.h"
#include "unit_codes.h"

namespace korva::components {
namespace {

using test::FakeWindow;
using test::LayerTables;
using test::MessageOf;

std::vector<int> Values(const TGridTable& table, int col)
{
    std::vector<int> values;
    for (int r = 0; r < table.GetColumn(col).RowCount(); ++r)
        values.push_back(table.Cell(col, r).GetAsInteger());
    return values;
}

TEST(GridTable, RowGroupsOfTwo)
{
    TGridRegistry registry;
    TGridTable table(registry);
    table.SetRowGroup(2);
    AddIntColumn(table, {"Row"});
    AddStringColumn(table, {"Name"});
    table.SetRowCount(6);
    for (int r = 0; r < 6; ++r)
        table.Cell(0, r).SetAsInteger(r);
    int rowsChanged = 0;
    table.RowsChangedHook = [&] { ++rowsChanged; };

    table.DeleteRowGroup(3);
    EXPECT_EQ(table.RowCount(), 4);
    EXPECT_EQ(Values(table, 0), (std::vector<int>{0, 1, 4, 5}));
    EXPECT_EQ(table.GetColumn(1).RowCount(), 4);

    table.InsertRowGroup(3); // in front of the group that holds row 3
    EXPECT_EQ(Values(table, 0), (std::vector<int>{0, 1, 0, 0, 4, 5}));

    table.AddRowGroup();
    EXPECT_EQ(Values(table, 0), (std::vector<int>{0, 1, 0, 0, 4, 5, 0, 0}));
    EXPECT_EQ(table.GetColumn(1).RowCount(), 8);
    EXPECT_EQ(rowsChanged, 3);

    table.SetRowGroup(0);
    EXPECT_EQ(table.RowGroup(), 1);
}

TEST(GridTable, RowCountBounds)
{
    LayerTables t;
    const int liveWithRows = t.registry.GridTableCount();
    t.layers.SetRowCount(-3);
    EXPECT_EQ(t.layers.RowCount(), 0);
    EXPECT_EQ(t.layers.GetColumn(2).RowCount(), 0);
    EXPECT_EQ(t.registry.GridTableCount(), liveWithRows - 3); // every sub-table freed

    t.layers.SetMaxRows(40);
    t.layers.SetRowCount(1000000); // as a damaged file could ask
    EXPECT_EQ(t.layers.RowCount(), 40);
    EXPECT_EQ(t.layers.GetColumn(0).RowCount(), 40);
}

TEST(GridTable, MinRowsMustBePositive)
{
    TGridRegistry registry;
    TGridTable table(registry);
    EXPECT_EQ(MessageOf<Exception>([&] { table.SetMinRows(0); }), "Value must be greater than 0");
    EXPECT_EQ(table.MinRows(), 1);
    table.SetMinRows(3);
    table.Loading = true; // while the definition is read, 0 reads as 1
    table.SetMinRows(0);
    EXPECT_EQ(table.MinRows(), 1);
}

TEST(GridTable, IdentifiersAreUniqueAndSwap)
{
    TGridRegistry registry;
    TGridTable a(registry), b(registry);
    EXPECT_EQ(a.Identifier(), 0);
    EXPECT_EQ(b.Identifier(), 1);
    a.SetIdentifier(1);
    EXPECT_EQ(a.Identifier(), 1);
    EXPECT_EQ(b.Identifier(), 0);
    a.SetIdentifier(-4);
    EXPECT_EQ(a.Identifier(), 1);
    EXPECT_EQ(registry.IndexOfIdentifier(1), 0);
    EXPECT_EQ(registry.IndexOfIdentifier(-1), -1);
    EXPECT_EQ(registry.GridTableByIndex(2), nullptr);
    EXPECT_EQ(registry.GridTableByIndex(-1), nullptr);
}

TEST(GridTable, ColumnTypeRegistry)
{
    TGridRegistry registry;
    EXPECT_EQ(registry.ColumnTypeId(TEnumColumn::ClassInfo), 0);
    EXPECT_EQ(registry.ColumnTypeId(TStringColumn::ClassInfo), 4);
    EXPECT_EQ(registry.ColumnTypeClass(3), &TTableColumn::ClassInfo);
    EXPECT_EQ(registry.ColumnTypeClass(5), nullptr);
    registry.UnregisterColumnType(TFloatColumn::ClassInfo);
    EXPECT_EQ(registry.ColumnTypeId(TFloatColumn::ClassInfo), -1);
    EXPECT_EQ(registry.ColumnTypeClass(2), nullptr);
}

TEST(GridTable, VisibleColumns)
{
    TGridRegistry registry;
    TGridTable table(registry);
    AddIntColumn(table, {"A"});
    AddIntColumn(table, {"B", "b"}).Visible = false;
    AddIntColumn(table, {"C"});
    EXPECT_EQ(table.VisibleColumnCount(), 2);
    EXPECT_EQ(&table.VisibleColumn(1), &table.GetColumn(2));
    EXPECT_EQ(table.VisibleIndexOf(&table.GetColumn(1)), -1);
    EXPECT_EQ(table.HeaderRowCount(), 1);
    EXPECT_EQ(MessageOf<EListError>([&] { table.VisibleColumn(2); }), "Index out of bounds");
}

TEST(GridTable, SoilTypeChoosesTheSubTable)
{
    LayerTables t;
    TGridTable& first = t.Properties(1);
    EXPECT_EQ(first.Caption, "Sand");
    EXPECT_EQ(first.RowCount(), 2);
    EXPECT_EQ(first.Number(), 2);
    EXPECT_EQ(first.Cell(0, 1).GetAsFloat(), 0.5L);
    const int oldId = first.Identifier();
    const int live = t.registry.GridTableCount();

    t.layers.Cell(0, 1).SetAsInteger(2); // clay
    TGridTable& clay = t.Properties(1);
    EXPECT_EQ(clay.Caption, "Clay");
    EXPECT_EQ(clay.ColumnCount(), 1);
    EXPECT_EQ(clay.Cell(0, 0).GetAsFloat(), 0.25L);
    EXPECT_EQ(clay.Number(), 2);
    EXPECT_EQ(clay.WindowCaption(), " 2 Clay");
    EXPECT_EQ(t.registry.IndexOfIdentifier(oldId), -1); // the sand sub-table is freed
    EXPECT_EQ(t.registry.GridTableCount(), live);

    // Setting the value it holds rebuilds nothing.
    clay.Cell(0, 0).SetAsFloat(3);
    t.layers.Cell(0, 1).SetAsInteger(2);
    EXPECT_EQ(t.Properties(1).Cell(0, 0).GetAsFloat(), 3.0L);

    // A value outside the items leaves the row as it was.
    EXPECT_THROW(t.layers.Cell(0, 1).SetAsInteger(3), EAssignError);
    EXPECT_EQ(t.layers.Cell(0, 1).GetAsInteger(), 2);
    EXPECT_EQ(t.Properties(1).Caption, "Clay");
}

TEST(GridTable, SubTablesFollowRowsAndUnits)
{
    LayerTables t;
    t.layers.Cell(0, 2).SetAsInteger(2);
    t.layers.DeleteRowGroup(0);
    EXPECT_EQ(t.Properties(1).Caption, "Clay");
    EXPECT_EQ(t.Properties(1).Number(), 2); // renumbered
    t.layers.InsertRowGroup(0);
    EXPECT_EQ(t.Properties(2).Number(), 3);
    EXPECT_EQ(t.Properties(0).Caption, "Sand");

    t.Properties(2).Cell(0, 0).SetAsFloat(1.0L);
    t.layers.SetUnits(kUnitsSI);
    EXPECT_EQ(t.Properties(2).Units(), kUnitsSI);
    EXPECT_EQ(t.Properties(2).Cell(0, 0).GetAsFloat(), 1.0L / UnitConversionFactor(kUnitsSI, kUnitsEnglish, "F/L2^2"));
    t.layers.AddRowGroup(); // a new sub-table takes the owner's units
    EXPECT_EQ(t.Properties(3).Units(), kUnitsSI);
}

TEST(GridTable, ChangedFlagOfSubTables)
{
    LayerTables t;
    EXPECT_FALSE(t.layers.GetChanged());
    t.Properties(2).SetChanged(true);
    EXPECT_TRUE(t.layers.GetChanged());
    EXPECT_FALSE(t.layers.Changed());
    t.layers.SetChanged(true);
    t.layers.SetChanged(false);
    EXPECT_FALSE(t.layers.GetChanged());
    EXPECT_FALSE(t.Properties(2).GetChanged());
}

TEST(GridTable, TemplateListsFollowTheFirstColumnItems)
{
    LayerTables t;
    auto& tables = dynamic_cast<TTableColumn&>(t.layers.GetColumn(2));
    EXPECT_EQ(tables.Templates.Count(), 2);
    dynamic_cast<TEnumColumn&>(t.layers.GetColumn(0)).SetItems({"Sand", "Clay", "Silt"});
    EXPECT_EQ(tables.Templates.Count(), 3);
    EXPECT_EQ(tables.Templates.TableIndex(2), -1);
    EXPECT_EQ(tables.Templates.Tables(1), &t.clay);
    t.layers.Cell(0, 0).SetAsInteger(3); // no template: no sub-table
    EXPECT_EQ(t.layers.GetColumn(2).GetObject(0), nullptr);
    EXPECT_EQ(MessageOf<EInvalidCast>([&] { t.Properties(0); }), "Data of wrong type");
}

TEST(GridTable, InCellControls)
{
    LayerTables t;
    FakeWindow window;
    window.visible = 2;
    window.top = 1;
    t.layers.ConnectWindow(&window, &window);
    auto& types = dynamic_cast<TEnumColumn&>(t.layers.GetColumn(0));
    auto& buttons = dynamic_cast<TTableColumn&>(t.layers.GetColumn(2));
    ASSERT_EQ(types.ControlCount(), 2);
    EXPECT_EQ(types.Controls(0).Tag, 1);
    EXPECT_EQ(buttons.Controls(1).Caption, "3: Sand");

    types.ComboChange(1, 1); // clay in the combo box of row 2
    EXPECT_EQ(t.layers.Cell(0, 2).GetAsInteger(), 2);
    EXPECT_EQ(types.Controls(1).ItemIndex, 1);
    EXPECT_EQ(buttons.Controls(1).Caption, "3: Clay");

    types.ComboEnter(0);
    EXPECT_EQ(window.focus, (std::pair<int, int>{1, 2})); // grid column 1, row 1 below one header row

    int other = 0;
    EXPECT_EQ(MessageOf<Exception>([&] { buttons.AllocateControls(&other, 0, 1); }),
              "Attempt to change parent with controls already allocated");
    EXPECT_EQ(MessageOf<Exception>([&] { types.AllocateControls(&other, 0, 1); }),
              "Error attempt to change parent with controls already allocated");
    EXPECT_EQ(MessageOf<Exception>([&] { buttons.AllocateControls(&window, 0, 0); }), "ACount 0");
    EXPECT_EQ(MessageOf<Exception>([&] { buttons.AllocateControls(&window, 3, 1); }), "ATopRow 3");
    EXPECT_EQ(MessageOf<Exception>([&] { buttons.AllocateControls(&window, 2, 2); }), "ACount 2");

    t.layers.DisconnectWindow();
    EXPECT_EQ(types.ControlCount(), 0);
    EXPECT_EQ(MessageOf<Exception>([&] { buttons.AllocateControls(nullptr, 0, 1); }), "null parent");
}

TEST(GridTable, WindowLifecycle)
{
    LayerTables t;
    std::vector<FakeWindow*> made;
    std::vector<TWindowMode> modes;
    std::vector<std::unique_ptr<FakeWindow>> windows;
    t.registry.WindowFactory = [&](TGridTable&, TWindowMode mode) {
        windows.push_back(std::make_unique<FakeWindow>());
        modes.push_back(mode);
        return windows.back().get();
    };
    t.layers.ShowTable();
    t.layers.ShowTable();
    EXPECT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0]->shown, 2);
    t.layers.ConnectWindow(windows[0].get(), windows[0].get());
    windows[0]->modal = true;
    dynamic_cast<TTableColumn&>(t.layers.GetColumn(2)).ButtonClick(0); // opens the sub-table modally
    EXPECT_EQ(modes, (std::vector<TWindowMode>{TWindowMode::MdiChild, TWindowMode::Modal}));
    EXPECT_EQ(t.Properties(0).Form(), windows[1].get());

    t.layers.HideTable(); // sub-table windows go too
    EXPECT_EQ(windows[0]->released, 1);
    EXPECT_EQ(windows[1]->released, 1);
    EXPECT_EQ(t.layers.Form(), nullptr);
    EXPECT_EQ(t.Properties(0).Form(), nullptr);

    {
        TGridTable gone(t.registry);
        AddIntColumn(gone, {"A"});
        gone.ShowTable();
    }
    EXPECT_EQ(windows.back()->gone, 1);
}

// A table with float ("L2", default 1.5), enumeration and sub-table columns.
void DefineStoredTable(TGridTable& table)
{
    AddEnumColumn(table, {"Soil Type"}, {"Sand", "Clay"});
    auto& depth = AddFloatColumn(table, {"Depth", "of layer"}, "L2", 1.5L);
    depth.IsTopDepth = false;
    AddTableColumn(table, {"Properties"}, {11, 12});
    auto& name = AddStringColumn(table, {std::string(300, 'n')});
    name.Default = "layer";
    name.Width = 1.25L;
    name.Grouped = true;
    AddIntColumn(table, {"Method"}, 0, 3).Visible = false;
}

TEST(GridTable, ColumnStreamRoundTrip)
{
    LayerTables t;
    TGridTable stored(t.registry);
    DefineStoredTable(stored);
    const std::vector<std::uint8_t> bytes = stored.WriteColumns();

    TGridTable read(t.registry);
    int rowsChanged = 0;
    read.RowsChangedHook = [&] { ++rowsChanged; };
    read.ReadColumns(bytes);
    EXPECT_EQ(rowsChanged, 1);
    EXPECT_EQ(read.WriteColumns(), bytes);
    ASSERT_EQ(read.ColumnCount(), 5);
    const auto& depth = dynamic_cast<const TFloatColumn&>(read.GetColumn(1));
    EXPECT_EQ(depth.UnitsCode, "L2");
    EXPECT_EQ(depth.Default, 1.5L);
    EXPECT_EQ(depth.Headers(), (std::vector<std::string>{"Depth", "of layer"}));
    EXPECT_EQ(dynamic_cast<const TEnumColumn&>(read.GetColumn(0)).Items(), (std::vector<std::string>{"Sand", "Clay"}));
    const auto& tables = dynamic_cast<const TTableColumn&>(read.GetColumn(2));
    EXPECT_EQ(tables.Templates.Tables(1), &t.clay);
    EXPECT_TRUE(read.GetColumn(3).Grouped);
    EXPECT_FALSE(read.GetColumn(4).Visible);
    EXPECT_EQ(dynamic_cast<const TIntColumn&>(read.GetColumn(4)).Max, 3);

    read.SetRowCount(2);
    EXPECT_EQ(read.Cell(1, 1).GetAsString(), "1.5");
    EXPECT_EQ(read.Cell(2, 0).GetAsTable().Caption, "Sand");
    EXPECT_EQ(read.Cell(3, 0).GetAsString(), "layer");
}

TEST(GridTable, ColumnStreamErrors)
{
    TGridRegistry registry;
    TGridTable stored(registry);
    AddIntColumn(stored, {"A"});
    AddFloatColumn(stored, {"B"}, "L2", 1.5L);
    const std::vector<std::uint8_t> bytes = stored.WriteColumns();

    {
        TGridTable table(registry);
        EXPECT_EQ(MessageOf<Exception>([&] { table.ReadColumns(std::span<const std::uint8_t>()); }),
                  "Error reading column count");
        const std::vector<std::uint8_t> manyColumns{4, 0xFF, 0xFF, 0xFF, 0x7F, 2, 1};
        EXPECT_EQ(MessageOf<Exception>([&] { table.ReadColumns(manyColumns); }),
                  "Error occured when creating column 0: Stream read error");
    }
    {
        TGridTable table(registry);
        std::vector<std::uint8_t> unknown = bytes;
        unknown[3] = 9; // the first column's type id
        EXPECT_EQ(MessageOf<Exception>([&] { table.ReadColumns(unknown); }),
                  "Error occured when creating column 0: Error Column Class not defined");
        EXPECT_EQ(table.ColumnCount(), 0);
    }
    {
        TGridTable table(registry);
        const std::vector<std::uint8_t> cut(bytes.begin(), bytes.end() - 4);
        EXPECT_EQ(MessageOf<Exception>([&] { table.ReadColumns(cut); }),
                  "Error occured when creating column 1: Stream read error");
        EXPECT_EQ(table.ColumnCount(), 1); // the columns read so far stay
        EXPECT_EQ(registry.GridTableCount(), 2);
    }
}

TEST(GridTable, OlderColumnLayouts)
{
    TColWriter writer;
    writer.WriteInteger(3);
    writer.WriteInteger(0); // enumeration
    writer.WriteStringList({"Type"});
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    writer.WriteStringList({"Sand", "Clay", "Silt"});
    writer.WriteInteger(2); // float without the marker: units code, no default
    writer.WriteStringList({"Depth"});
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    writer.WriteBoolean(false);
    writer.WriteString("L2");
    writer.WriteInteger(3); // sub-table with one integer
    writer.WriteStringList({"Data"});
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    writer.WriteString("FLEXCOLUMN");
    writer.WriteInteger(7);

    TGridRegistry registry;
    TGridTable table(registry);
    table.ReadColumns(writer.Bytes());
    const auto& depth = dynamic_cast<const TFloatColumn&>(table.GetColumn(1));
    EXPECT_EQ(depth.UnitsCode, "L2");
    EXPECT_EQ(depth.Default, 0.0L);
    const auto& tables = dynamic_cast<const TTableColumn&>(table.GetColumn(2));
    ASSERT_EQ(tables.Templates.Count(), 3);
    EXPECT_TRUE(tables.Templates.Item(2).IsIdentifier);
    EXPECT_EQ(tables.Templates.Item(2).Value, 3);

    TGridTable hardwired(registry);
    hardwired.HardwiredButton = true;
    hardwired.ReadColumns(writer.Bytes());
    const auto& fixed = dynamic_cast<const TTableColumn&>(hardwired.GetColumn(2));
    EXPECT_FALSE(fixed.Templates.Item(1).IsIdentifier);
    EXPECT_EQ(fixed.Templates.Item(1).Value, 7);
}

TEST(GridTable, TemplateThatHoldsItselfIsRefused)
{
    TGridRegistry registry;
    TGridTable looping(registry);
    AddTableColumn(looping, {"Self"}, {looping.Identifier()});
    TGridTable owner(registry);
    AddTableColumn(owner, {"Data"}, {looping.Identifier()});
    EXPECT_EQ(MessageOf<Exception>([&] { owner.SetRowCount(1); }), "Sub-tables are nested too deeply");
    EXPECT_EQ(registry.GridTableCount(), 2);
}

// A table whose sub-table column holds objects of its own, made by its row
// events, between a float and an integer column; rows in groups of two.
struct EventTable {
    struct Item : TCellObject {
        int row = -1; // as the last row event set it
    };
    EventTable()
    {
        AddFloatColumn(table, {"Depth"}, "L2");
        AddTableColumn(table, {"Object"}, {});
        AddIntColumn(table, {"Count"}, 0);
        table.OnInitRow = [this](TGridTable&, int, int row, int, std::unique_ptr<TCellObject>& data) {
            if (row == failInitAt)
                throw Exception("init failed");
            data = std::make_unique<Item>();
        };
        table.OnSetRow = [this](TGridTable&, int, TCellObject* data, int row) {
            if (row == failSetAt)
                throw Exception("set failed");
            static_cast<Item*>(data)->row = row;
        };
        table.SetRowGroup(2);
        table.SetRowCount(4);
        for (int row = 0; row < 4; ++row) {
            table.Cell(0, row).SetAsFloat(row + 1);
            table.Cell(2, row).SetAsInteger(10 * (row + 1));
            items.push_back(table.GetColumn(1).GetObject(row));
        }
    }
    // Every column holds the four rows as they were made, the objects at
    // their rows.
    void ExpectUnchanged() const
    {
        ASSERT_EQ(table.RowCount(), 4);
        for (TColumn* column : table.Columns())
            ASSERT_EQ(column->RowCount(), 4) << column->GetHeader(0);
        for (int row = 0; row < 4; ++row) {
            EXPECT_EQ(table.Cell(0, row).GetAsFloat(), row + 1);
            EXPECT_EQ(table.Cell(2, row).GetAsInteger(), 10 * (row + 1));
            EXPECT_EQ(table.GetColumn(1).GetObject(row), items[row]);
            EXPECT_EQ(static_cast<Item*>(items[row])->row, row);
        }
    }

    TGridRegistry registry;
    TGridTable table{registry};
    std::vector<TCellObject*> items;
    int failInitAt = -1, failSetAt = -1;
};

TEST(GridTable, AFailedRowInsertLeavesEveryColumnAsItWas)
{
    struct Case {
        const char* name;
        void (*insert)(TGridTable&);
        int failInitAt, failSetAt;
    };
    const Case cases[] = {
        {"insert, first new row", [](TGridTable& t) { t.InsertRowGroup(2); }, 2, -1},
        {"insert, second new row", [](TGridTable& t) { t.InsertRowGroup(2); }, 3, -1},
        {"insert, renumbering the rows below", [](TGridTable& t) { t.InsertRowGroup(0); }, -1, 5},
        {"add", [](TGridTable& t) { t.AddRowGroup(); }, 5, -1},
        {"grow by two groups", [](TGridTable& t) { t.SetRowCount(8); }, 6, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EventTable t;
        int rowsChanged = 0;
        t.table.RowsChangedHook = [&] { ++rowsChanged; };
        t.failInitAt = c.failInitAt;
        t.failSetAt = c.failSetAt;
        EXPECT_THROW(c.insert(t.table), Exception);
        t.ExpectUnchanged();
        EXPECT_EQ(rowsChanged, 0);

        t.failInitAt = t.failSetAt = -1; // the table still takes rows
        t.table.InsertRowGroup(2);
        for (TColumn* column : t.table.Columns())
            EXPECT_EQ(column->RowCount(), 6);
        EXPECT_EQ(t.table.Cell(0, 4).GetAsFloat(), 3);
        EXPECT_EQ(static_cast<EventTable::Item*>(t.table.GetColumn(1).GetObject(5))->row, 5);
    }
}

} // namespace
} // namespace korva::components
