#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "column_types.h"
#include "program_data.h"
#include "project_tables.h"
#include "soil_layers.h"

namespace korva::app {
namespace {

using components::Extended;

struct SoilLayersTest : ::testing::Test {
    TGridRegistry registry;
    TProjectTables tables{registry};
    TGridTable& D = tables.D;
    int modifiedCalls = 0;
    TSoilLayersEditor editor{D, [this] { ++modifiedCalls; }};

    TGridTable& Sub(int layer) { return D.Cell(layer_col::Properties, layer).GetAsTable(); }
    // Distinct values in every column of both rows: 10 * column + row + 1.
    void FillSub(int layer)
    {
        TGridTable& sub = Sub(layer);
        for (int col = 0; col < sub.ColumnCount(); ++col)
            for (int row = 0; row < 2; ++row)
                SetCellNumber(sub, col, row, col == clay_col::AdhesionMethod ? 2 : 10 * col + row + 1);
    }
    void MakeLayers(const std::vector<int>& types)
    {
        D.SetRowCount(static_cast<int>(types.size()));
        for (int i = 0; i < static_cast<int>(types.size()); ++i) {
            D.Cell(layer_col::SoilType, i).SetAsInteger(types[static_cast<std::size_t>(i)]);
            D.Cell(layer_col::LayerBottom, i).SetAsFloat(5.0L * (i + 1));
            D.Cell(layer_col::MaxSideFriction, i).SetAsFloat(100 + i);
            FillSub(i);
        }
    }
    Extended Value(int layer, int col, int row) { return CellNumber(Sub(layer), col, row); }
};

TEST_F(SoilLayersTest, TypeChangesCarryTheValuesBothTypesShare)
{
    // Values of the old type as FillSub set them: column c row r holds 10c + r + 1.
    struct Case {
        int from, to;
        std::vector<std::pair<int, int>> carried; // (old column, new column)
    };
    const std::vector<std::pair<int, int>> common = {{0, 0}, {6, 6}, {7, 7}};
    auto with = [&](std::vector<std::pair<int, int>> more) {
        more.insert(more.end(), common.begin(), common.end());
        return more;
    };
    const std::vector<Case> cases = {
        {kSilt, kClay, with({{silt_col::UndrainedShearStrength, clay_col::UndrainedShearStrength}})},
        {kClay, kSilt, with({{clay_col::UndrainedShearStrength, silt_col::UndrainedShearStrength}})},
        {kSand, kClay, with({})},
        {kClay, kSand, with({})},
        {kSand, kSilt, with({{1, 1}, {2, 2}, {3, 3}})},
        {kSilt, kSand, with({{1, 1}, {2, 2}, {3, 3}})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.from) + " -> " + std::to_string(c.to));
        MakeLayers({c.from});
        ChangeLayerSoilType(D, 0, c.to);
        ASSERT_EQ(D.Cell(layer_col::SoilType, 0).GetAsInteger(), c.to);
        TGridTable& sub = Sub(0);
        for (int col = 0; col < sub.ColumnCount(); ++col) {
            Extended expected[2] = {0, 0};
            for (const auto& [oldCol, newCol] : c.carried)
                if (newCol == col)
                    for (int row = 0; row < 2; ++row)
                        expected[row] = 10 * oldCol + row + 1;
            for (int row = 0; row < 2; ++row)
                EXPECT_EQ(CellNumber(sub, col, row), expected[row]) << "column " << col << " row " << row;
        }
    }
}

TEST_F(SoilLayersTest, ChoosingTheSameTypeKeepsEveryValue)
{
    MakeLayers({kSand});
    ChangeLayerSoilType(D, 0, kSand);
    EXPECT_EQ(Value(0, sand_col::Nq, 1), 42);
    EXPECT_EQ(Value(0, sand_col::BlowCounts, 0), 21);
}

TEST_F(SoilLayersTest, CopyTakesEveryColumnByItsOwnType)
{
    // A silt layer's blow counts and a clay layer's adhesion method are
    // integer columns: each is copied as an integer.
    MakeLayers({kSand, kSilt, kClay});
    CopySoilLayerValues(D, 0, 1);
    EXPECT_EQ(D.Cell(layer_col::SoilType, 0).GetAsInteger(), kSilt);
    EXPECT_EQ(D.Cell(layer_col::LayerBottom, 0).GetAsFloat(), 10);
    EXPECT_EQ(D.Cell(layer_col::MaxSideFriction, 0).GetAsFloat(), 101);
    EXPECT_EQ(Sub(0).Cell(silt_col::BlowCounts, 1).GetAsInteger(), 22);
    EXPECT_EQ(Value(0, silt_col::UndrainedShearStrength, 0), 41);
    CopySoilLayerValues(D, 1, 2);
    EXPECT_EQ(Sub(1).Cell(clay_col::AdhesionMethod, 0).GetAsInteger(), 2);
    EXPECT_EQ(Value(1, clay_col::YieldStressRatio, 1), 42);
}

TEST_F(SoilLayersTest, ButtonsFollowTheLayerCount)
{
    struct Case {
        int layers;
        bool add, insert, del;
    };
    for (const Case& c : {Case{0, true, false, false}, Case{1, true, true, true}, Case{39, true, true, true},
                          Case{40, false, false, true}}) {
        SCOPED_TRACE(c.layers);
        D.SetRowCount(c.layers);
        editor.Load();
        EXPECT_EQ(editor.CanAdd(), c.add);
        EXPECT_EQ(editor.CanInsert(), c.insert);
        EXPECT_EQ(editor.CanDelete(), c.del);
    }
    // At 40 layers neither Add nor Insert makes another.
    editor.AddLayer();
    editor.InsertLayer();
    EXPECT_EQ(editor.LayerCount(), kMaxSoilLayers);
    EXPECT_EQ(D.RowCount(), kMaxSoilLayers);
}

TEST_F(SoilLayersTest, AddThenInsertPutsTheNewLayerAboveTheAddedOne)
{
    MakeLayers({kClay});
    editor.Load();
    editor.AddLayer();
    EXPECT_EQ(editor.CurrentLayer(), 1);
    editor.SetField(1, lfBottom, 30);
    editor.InsertLayer();
    ASSERT_EQ(editor.LayerCount(), 3);
    EXPECT_EQ(editor.Layer(1).Values[lfBottom], 0);
    EXPECT_EQ(editor.Layer(2).Values[lfBottom], 30);
    EXPECT_EQ(editor.Layer(0).SoilType, kClay);
    EXPECT_EQ(modifiedCalls, 2);
}

TEST_F(SoilLayersTest, InsertAboveAClayLayerKeepsItsAdhesionGraph)
{
    MakeLayers({kSand, kClay, kSand});
    Sub(1).Cell(clay_col::AdhesionMethod, 0).SetAsInteger(2);
    Sub(1).Cell(clay_col::AdhesionMethod, 1).SetAsInteger(2);
    editor.Load();
    editor.SetCurrentLayer(1);
    editor.InsertLayer();
    ASSERT_EQ(D.RowCount(), 4);
    EXPECT_EQ(D.Cell(layer_col::SoilType, 1).GetAsInteger(), kSand);
    EXPECT_EQ(D.Cell(layer_col::EndBearingFactor, 1).GetAsFloat(), 1);
    EXPECT_EQ(D.Cell(layer_col::SoilType, 2).GetAsInteger(), kClay);
    EXPECT_EQ(Sub(2).Cell(clay_col::AdhesionMethod, 0).GetAsInteger(), 2);
    EXPECT_EQ(Sub(2).Cell(clay_col::AdhesionMethod, 1).GetAsInteger(), 2);
    EXPECT_EQ(D.Cell(layer_col::LayerBottom, 2).GetAsFloat(), 10);
    EXPECT_EQ(D.Cell(layer_col::LayerBottom, 3).GetAsFloat(), 15);
    EXPECT_EQ(editor.Layer(2).SoilType, kClay);
}

TEST_F(SoilLayersTest, DeleteAsksAboutTheLayerAndMovesTheOthersUp)
{
    MakeLayers({kSand, kClay, kSilt, kClay});
    editor.Load();
    editor.SetCurrentLayer(2);
    EXPECT_EQ(editor.DeleteQuestion(), "Do you want to delete soil layer in row 3");
    editor.DeleteLayer();
    ASSERT_EQ(D.RowCount(), 3);
    EXPECT_EQ(D.Cell(layer_col::SoilType, 2).GetAsInteger(), kClay);
    EXPECT_EQ(D.Cell(layer_col::LayerBottom, 2).GetAsFloat(), 20);
    EXPECT_EQ(editor.Layer(2).Values[lfBottom], 20);
    // The last layer deleted: the current layer follows the count down.
    editor.DeleteLayer();
    EXPECT_EQ(editor.CurrentLayer(), 1);
    editor.DeleteLayer();
    editor.DeleteLayer();
    EXPECT_EQ(D.RowCount(), 0);
    EXPECT_EQ(editor.CurrentLayer(), -1);
    EXPECT_FALSE(editor.CloseCheck());
}

TEST_F(SoilLayersTest, StoreWritesTheWorkingCopyAndMarksOnlyChanges)
{
    MakeLayers({kSand, kSilt});
    editor.Load();
    editor.Store();
    EXPECT_EQ(modifiedCalls, 0);
    editor.SetField(1, lfEndBearingFactor, 0.5L);
    editor.SetField(0, lfMaxEndBearing, 7);
    EXPECT_EQ(D.Cell(layer_col::EndBearingFactor, 1).GetAsFloat(), 1); // the working copy only
    editor.Store();
    EXPECT_EQ(modifiedCalls, 1);
    EXPECT_EQ(D.Cell(layer_col::EndBearingFactor, 1).GetAsFloat(), 0.5L);
    EXPECT_EQ(D.Cell(layer_col::MaxEndBearing, 0).GetAsFloat(), 7);
    // The silt layer's values survive the store.
    EXPECT_EQ(Value(1, silt_col::UndrainedShearStrength, 1), 42);
}

TEST_F(SoilLayersTest, ATypeChosenInTheListChangesDAtOnce)
{
    MakeLayers({kSilt});
    editor.Load();
    editor.ChangeType(0, 1);
    EXPECT_EQ(D.Cell(layer_col::SoilType, 0).GetAsInteger(), kClay);
    EXPECT_EQ(Value(0, clay_col::UndrainedShearStrength, 0), 41);
    EXPECT_EQ(editor.Layer(0).SoilType, kClay);
    EXPECT_EQ(modifiedCalls, 1);
    editor.ChangeType(0, 1); // the same type again
    EXPECT_EQ(modifiedCalls, 1);
}

TEST_F(SoilLayersTest, CloseRefusesAnEndBearingFactorNotAboveZero)
{
    MakeLayers({kSand, kSand, kSand});
    editor.Load();
    EXPECT_FALSE(editor.CloseCheck());
    editor.SetField(2, lfEndBearingFactor, -1);
    editor.SetField(1, lfEndBearingFactor, 0);
    EXPECT_EQ(editor.CloseCheck().value_or(""),
              "Reduction/Resistance Factor on End Bearing for layer 2 should be greater than zero.\rPlease check");
}

// What the window's grid is told, act by act: a row made where a layer is
// added or inserted, a row removed where one is deleted or at the end when a
// load finds fewer, the rows a load kept shown again, and nothing for a value
// typed, a type chosen or a store.
TEST_F(SoilLayersTest, TheRowsShownFollowEachActInPlace)
{
    struct Rows : ISoilLayerRows {
        std::vector<std::string> told;
        void Tell(const char* what, int first, int count)
        {
            told.push_back(std::string(what) + " " + std::to_string(first) + " " + std::to_string(count));
        }
        void RowsInserted(int first, int count) override { Tell("inserted", first, count); }
        void RowsRemoved(int first, int count) override { Tell("removed", first, count); }
        void RowsChanged(int first, int count) override { Tell("changed", first, count); }
    } rows;
    editor.SetRows(&rows);
    MakeLayers({kSand, kClay, kSand});
    struct Step {
        std::function<void()> act;
        std::vector<std::string> told;
    };
    const Step steps[] = {
        {[&] { editor.Load(); }, {"inserted 0 3"}},
        {[&] { editor.Load(); }, {"changed 0 3"}},
        {[&] {
             editor.SetCurrentLayer(1);
             editor.InsertLayer();
         },
         {"inserted 1 1"}},
        {[&] { editor.AddLayer(); }, {"inserted 4 1"}},
        {[&] {
             editor.SetCurrentLayer(2);
             editor.DeleteLayer();
         },
         {"removed 2 1"}},
        {[&] {
             editor.SetField(0, lfBottom, 3);
             editor.ChangeType(1, 1);
             editor.Store();
         },
         {}},
        {[&] {
             D.SetRowCount(2);
             editor.Load();
         },
         {"removed 2 2", "changed 0 2"}},
        {[&] {
             D.SetRowCount(5);
             editor.Load();
         },
         {"inserted 2 3", "changed 0 2"}},
        {[&] {
             D.SetRowCount(0);
             editor.Load();
         },
         {"removed 0 5"}},
        {[&] { // neither is offered without layers
             editor.DeleteLayer();
             editor.InsertLayer();
         },
         {}},
    };
    int i = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(i++);
        rows.told.clear();
        step.act();
        EXPECT_EQ(rows.told, step.told);
    }
}

// The row that takes over from deleted rows (and the focus of a control in
// them): the one now in their place, else the last; none without rows.
TEST_F(SoilLayersTest, TheRowTakingOverIsTheNextOrTheLast)
{
    EXPECT_EQ(RowTakingOver(1, 3), 1);
    EXPECT_EQ(RowTakingOver(3, 3), 2);
    EXPECT_EQ(RowTakingOver(0, 0), -1);
}

TEST_F(SoilLayersTest, HeadersAndColumnWidths)
{
    EXPECT_EQ(SoilLayerHeaders(1)[1][2], " of each layer (ft) ");
    EXPECT_EQ(SoilLayerHeaders(1)[1][3], "       (lb/ft^2)    ");
    EXPECT_EQ(SoilLayerHeaders(2)[1][2], " of each layer (m) ");
    EXPECT_EQ(SoilLayerHeaders(2)[1][4], "       (kN/m^2)    ");
    EXPECT_EQ(SoilLayerHeaders(2)[0][5], " Reduction/Resistance *** ");
    EXPECT_EQ(SoilLayerColumnWidths(817), (std::array<int, 7>{131, 72, 94, 106, 106, 135, 135}));
    // 1000/817 scaling, halves to even: 72 -> 88.127, 135 -> 165.239.
    EXPECT_EQ(SoilLayerColumnWidths(1000), (std::array<int, 7>{160, 88, 115, 130, 130, 165, 165}));
}

// Header texts wider than designed widen the whole grid until the column
// that needs it most holds its text; narrower ones keep the designed grid.
TEST_F(SoilLayersTest, GridWidthFitsTheWidestHeaderInProportion)
{
    EXPECT_EQ(SoilLayerGridWidth({50, 50, 50, 50, 50, 50, 50}), 817);
    // Column 2 is designed 72 wide: 100 pixels of text need 817 x 100 / 72
    // = 1134.7, rounded up.
    const int width = SoilLayerGridWidth({0, 100, 0, 0, 0, 0, 0});
    EXPECT_EQ(width, 1135);
    EXPECT_GE(SoilLayerColumnWidths(width)[1], 100);
    const std::array<int, 7> needed = {140, 90, 120, 110, 150, 140, 160};
    const std::array<int, 7> widths = SoilLayerColumnWidths(SoilLayerGridWidth(needed));
    for (std::size_t c = 0; c < needed.size(); ++c)
        EXPECT_GE(widths[c], needed[c]) << c;
}

} // namespace
} // namespace korva::app
