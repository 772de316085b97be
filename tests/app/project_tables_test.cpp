#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "exceptions.h"
#include "project_tables.h"
#include "unit_codes.h"

namespace korva::app {
namespace {

using components::EAssignError;
using components::kUnitsEnglish;
using components::kUnitsSI;
using components::TTableColumn;

struct TablesTest : ::testing::Test {
    TGridRegistry registry;
    TProjectTables tables{registry};
    TGridTable& D = tables.D;
    TGridTable& Layer(int row) { return D.Cell(layer_col::Properties, row).GetAsTable(); }
};

TEST_F(TablesTest, NewProjectHoldsMinimumRows)
{
    EXPECT_EQ(D.RowCount(), 1);
    EXPECT_EQ(D.Cell(layer_col::SoilType, 0).GetAsInteger(), kSand);
    EXPECT_EQ(D.Cell(layer_col::EndBearingFactor, 0).GetAsString(), "1");
    EXPECT_EQ(D.Cell(layer_col::MaxSideFriction, 0).GetAsString(), "0");
    EXPECT_EQ(Layer(0).Caption, "Sand");
    EXPECT_EQ(Layer(0).RowCount(), 2);
    EXPECT_EQ(Layer(0).WindowCaption(), " 1 Sand");
    EXPECT_EQ(tables.Sectionaldata.RowCount(), 2);
    EXPECT_EQ(tables.TblTZDepth.RowCount(), 1);
    EXPECT_EQ(tables.tblDataSand.Identifier(), 1);
    EXPECT_EQ(tables.tblDataClay.Identifier(), 2);
    EXPECT_EQ(tables.tblDataSilt.Identifier(), 19);
    EXPECT_FALSE(tables.GetChanged());
}

TEST_F(TablesTest, TemplateColumnsMatchTheProjectFile)
{
    // The project file takes these columns by position; a column in the
    // wrong place would shift every soil value.
    struct Case {
        TGridTable* table;
        int columns;
        std::vector<int> integerColumns;
    };
    const std::vector<Case> cases = {
        {&tables.tblDataSand, 8, {sand_col::BlowCounts}},
        {&tables.tblDataClay, 9, {clay_col::AdhesionMethod}},
        {&tables.tblDataSilt, 8, {silt_col::BlowCounts}},
        {&D, 7, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.table->Caption);
        ASSERT_EQ(c.table->ColumnCount(), c.columns);
        for (int col = 0; col < c.columns; ++col) {
            const bool isInt = std::find(c.integerColumns.begin(), c.integerColumns.end(), col) != c.integerColumns.end();
            if (c.table != &D) {
                EXPECT_EQ(isInt, dynamic_cast<components::TIntColumn*>(&c.table->GetColumn(col)) != nullptr) << col;
            } else if (col != layer_col::SoilType && col != layer_col::Properties) {
                EXPECT_NO_THROW(c.table->Cell(col, 0).GetAsFloat()) << col;
            }
        }
    }
}

TEST_F(TablesTest, HeadersFollowTheUnits)
{
    EXPECT_EQ(D.GetColumn(layer_col::LayerBottom).GetHeader(1), "of each layer (ft)  ");
    EXPECT_EQ(D.GetColumn(layer_col::MaxSideFriction).GetHeader(1), " (lbs/ft^2)  ");
    EXPECT_EQ(Layer(0).GetColumn(sand_col::EffectiveUnitWeight).GetHeader(1), "Unit Weight (lbs/ft^3)  ");
    EXPECT_EQ(tables.Sectionaldata.GetColumn(section_col::CrossSectionArea).GetHeader(1), "Area (in^2)  ");
    tables.SetUnits(kUnitsSI);
    EXPECT_EQ(D.GetColumn(layer_col::LayerBottom).GetHeader(1), "of each layer (m)  ");
    EXPECT_EQ(D.GetColumn(layer_col::MaxEndBearing).GetHeader(1), " (kN/m^2)  ");
    EXPECT_EQ(Layer(0).GetColumn(sand_col::EffectiveUnitWeight).GetHeader(1), "Unit Weight (kN/m^3)  ");
    EXPECT_EQ(tables.TblTZDepth.GetColumn(0).GetHeader(0), "Depth (m)  ");
    EXPECT_EQ(tables.Sectionaldata.GetColumn(section_col::CrossSectionArea).GetHeader(1), "Area (m^2)  ");
}

TEST_F(TablesTest, UnitSwitchConvertsSubTablesAndFactorsStay)
{
    tables.SetUnits(kUnitsSI);
    D.Cell(layer_col::LayerBottom, 0).SetAsFloat(10);
    D.Cell(layer_col::MaxSideFriction, 0).SetAsFloat(1);
    D.Cell(layer_col::SideFrictionFactor, 0).SetAsFloat(0.8L);
    Layer(0).Cell(sand_col::EffectiveUnitWeight, 1).SetAsFloat(1);
    Layer(0).Cell(sand_col::FrictionAngle, 1).SetAsFloat(30);
    tables.SetUnits(kUnitsEnglish);
    EXPECT_EQ(D.Cell(layer_col::LayerBottom, 0).GetAsString(), "32.808399");
    EXPECT_EQ(D.Cell(layer_col::MaxSideFriction, 0).GetAsString(), "20.885432");
    EXPECT_EQ(D.Cell(layer_col::SideFrictionFactor, 0).GetAsString(), "0.8");
    EXPECT_EQ(Layer(0).Cell(sand_col::EffectiveUnitWeight, 1).GetAsString(), "6.3658798");
    EXPECT_EQ(Layer(0).Cell(sand_col::FrictionAngle, 1).GetAsString(), "30");
}

TEST_F(TablesTest, ChoosingClayRebuildsTheLayerFromItsTemplate)
{
    D.SetRowCount(3);
    Layer(1).Cell(sand_col::FrictionAngle, 0).SetAsFloat(32);
    const int sandId = Layer(1).Identifier();
    const int live = registry.GridTableCount();

    D.GetColumn(layer_col::SoilType).SetAsString(1, "2");
    EXPECT_EQ(Layer(1).Caption, "Clay");
    EXPECT_EQ(Layer(1).ColumnCount(), 9);
    EXPECT_EQ(Layer(1).Cell(clay_col::UndrainedShearStrength, 0).GetAsFloat(), 0.0L);
    EXPECT_EQ(Layer(1).Number(), 2);
    EXPECT_EQ(registry.IndexOfIdentifier(sandId), -1); // the sand sub-table is gone
    EXPECT_EQ(registry.GridTableCount(), live);
    EXPECT_EQ(Layer(0).Caption, "Sand");
    EXPECT_EQ(dynamic_cast<TTableColumn&>(D.GetColumn(layer_col::Properties)).RowCaption(1), "2: Clay");

    D.Cell(layer_col::SoilType, 2).SetAsInteger(kSilt);
    EXPECT_EQ(Layer(2).Caption, "Silt");
    EXPECT_THROW(D.Cell(layer_col::SoilType, 2).SetAsInteger(4), EAssignError);
    EXPECT_EQ(Layer(2).Caption, "Silt");
}

TEST_F(TablesTest, OffshoreColumnsInTemplatesAndLayers)
{
    D.SetRowCount(3);
    D.Cell(layer_col::SoilType, 1).SetAsInteger(kClay);
    D.Cell(layer_col::SoilType, 2).SetAsInteger(kSilt);
    const auto shown = [](const TGridTable& t, std::initializer_list<int> cols) {
        std::vector<bool> visible;
        for (int col : cols)
            visible.push_back(t.GetColumn(col).Visible);
        return visible;
    };
    for (const bool offshore : {false, true}) {
        tables.ShowOffshoreColumns(offshore);
        const std::vector<bool> expected(3, offshore);
        EXPECT_EQ(shown(tables.tblDataSand, {sand_col::ConeResistance}), std::vector<bool>{offshore});
        EXPECT_EQ(shown(Layer(0), {sand_col::ConeResistance}), std::vector<bool>{offshore});
        for (const TGridTable* clay : {&tables.tblDataClay, &Layer(1)})
            EXPECT_EQ(shown(*clay, {clay_col::PlasticityIndex, clay_col::YieldStressRatio, clay_col::ConeResistance}),
                      expected);
        // The user columns are not the offshore ones, and silt has none of them.
        EXPECT_EQ(shown(Layer(0), {sand_col::UserUnitSkinFriction, sand_col::UserUnitEndBearing}),
                  (std::vector<bool>{false, false}));
        EXPECT_EQ(shown(Layer(2), {silt_col::NotUsed}), std::vector<bool>{false});
    }
}

TEST_F(TablesTest, ChangedFlagsPropagateAndClear)
{
    D.SetRowCount(2);
    Layer(1).SetChanged(true);
    EXPECT_TRUE(D.GetChanged());
    EXPECT_TRUE(tables.GetChanged());
    tables.TblTZDepth.SetChanged(true);
    tables.ResetChanged();
    EXPECT_FALSE(tables.GetChanged());
    EXPECT_FALSE(Layer(1).GetChanged());
}

TEST_F(TablesTest, RowLimitsHoldAgainstFileCounts)
{
    D.SetRowCount(1000);
    tables.Sectionaldata.SetRowCount(5000000);
    tables.TblTZDepth.SetRowCount(101);
    EXPECT_EQ(D.RowCount(), kMaxSoilLayers);
    EXPECT_EQ(tables.Sectionaldata.RowCount(), kMaxSectionRows);
    EXPECT_EQ(tables.TblTZDepth.RowCount(), kMaxTzDepths);
    tables.ResetRows();
    EXPECT_EQ(D.RowCount(), 1);
    EXPECT_EQ(tables.Sectionaldata.RowCount(), 2);
}

TEST_F(TablesTest, SoilLayerDefinitionSurvivesTheColumnStream)
{
    const auto bytes = D.WriteColumns();
    TGridTable copy(registry);
    copy.ReadColumns(bytes);
    EXPECT_EQ(copy.WriteColumns(), bytes);
    copy.SetRowCount(1);
    copy.Cell(layer_col::SoilType, 0).SetAsInteger(kSilt);
    EXPECT_EQ(copy.Cell(layer_col::Properties, 0).GetAsTable().Caption, "Silt");
    EXPECT_EQ(copy.Cell(layer_col::EndBearingFactor, 0).GetAsFloat(), 1.0L);
}

} // namespace
} // namespace korva::app
