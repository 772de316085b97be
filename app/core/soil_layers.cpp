#include "soil_layers.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "column_types.h"
#include "int_utils.h"

namespace korva::app {

using namespace components;

namespace {

TGridTable& Properties(TGridTable& D, int layer)
{
    return D.Cell(layer_col::Properties, layer).GetAsTable();
}

// Sub-table columns kept through a type change, as (column of the old type,
// column of the new type).
using TCarry = std::vector<std::pair<int, int>>;

TCarry CarriedColumns(int oldType, int newType)
{
    // Unit weight and the user unit values sit in the same columns of every type.
    TCarry carry = {{sand_col::EffectiveUnitWeight, sand_col::EffectiveUnitWeight},
                    {sand_col::UserUnitSkinFriction, sand_col::UserUnitSkinFriction},
                    {sand_col::UserUnitEndBearing, sand_col::UserUnitEndBearing}};
    const bool sandSilt = (oldType == kSand && newType == kSilt) || (oldType == kSilt && newType == kSand);
    if (sandSilt) {
        carry.push_back({sand_col::FrictionAngle, silt_col::FrictionAngle});
        carry.push_back({sand_col::BlowCounts, silt_col::BlowCounts});
        carry.push_back({sand_col::Ko, silt_col::Ko});
    } else if (oldType == kSilt && newType == kClay) {
        carry.push_back({silt_col::UndrainedShearStrength, clay_col::UndrainedShearStrength});
    } else if (oldType == kClay && newType == kSilt) {
        carry.push_back({clay_col::UndrainedShearStrength, silt_col::UndrainedShearStrength});
    }
    return carry;
}

} // namespace

Extended CellNumber(TGridTable& table, int col, int row)
{
    const TColumn& column = table.GetColumn(col);
    if (dynamic_cast<const TIntColumn*>(&column) || dynamic_cast<const TEnumColumn*>(&column))
        return table.Cell(col, row).GetAsInteger();
    return table.Cell(col, row).GetAsFloat();
}

void SetCellNumber(TGridTable& table, int col, int row, Extended value)
{
    const TColumn& column = table.GetColumn(col);
    if (dynamic_cast<const TIntColumn*>(&column) || dynamic_cast<const TEnumColumn*>(&column))
        table.Cell(col, row).SetAsInteger(RoundToInt32(value));
    else
        table.Cell(col, row).SetAsFloat(value);
}

std::int32_t RoundToInt32(Extended value)
{
    if (!(value == value))
        return 0;
    const Extended low = std::numeric_limits<std::int32_t>::min();
    const Extended high = std::numeric_limits<std::int32_t>::max();
    return static_cast<std::int32_t>(RoundToInt(std::clamp(value, low, high)));
}

void CopySoilLayerValues(TGridTable& D, int dest, int source)
{
    D.Cell(layer_col::SoilType, dest).SetAsInteger(D.Cell(layer_col::SoilType, source).GetAsInteger());
    D.Cell(layer_col::LayerBottom, dest).SetAsFloat(D.Cell(layer_col::LayerBottom, source).GetAsFloat());
    TGridTable& from = Properties(D, source);
    TGridTable& to = Properties(D, dest);
    const int rows = std::min(from.RowCount(), to.RowCount());
    const int cols = std::min(from.ColumnCount(), to.ColumnCount());
    for (int col = 0; col < cols; ++col)
        for (int row = 0; row < rows; ++row)
            SetCellNumber(to, col, row, CellNumber(from, col, row));
    for (int col : {layer_col::MaxSideFriction, layer_col::MaxEndBearing, layer_col::SideFrictionFactor,
                    layer_col::EndBearingFactor})
        D.Cell(col, dest).SetAsFloat(D.Cell(col, source).GetAsFloat());
}

void InitSoilLayerValues(TGridTable& D, int layer)
{
    D.Cell(layer_col::SoilType, layer).SetAsInteger(kSand);
    D.Cell(layer_col::LayerBottom, layer).SetAsFloat(0);
    D.Cell(layer_col::MaxSideFriction, layer).SetAsFloat(0);
    D.Cell(layer_col::MaxEndBearing, layer).SetAsFloat(0);
    D.Cell(layer_col::SideFrictionFactor, layer).SetAsFloat(1.0L);
    D.Cell(layer_col::EndBearingFactor, layer).SetAsFloat(1.0L);
}

void ChangeLayerSoilType(TGridTable& D, int layer, int newType)
{
    const int oldType = D.Cell(layer_col::SoilType, layer).GetAsInteger();
    if (newType == oldType)
        return;
    const TCarry carry = CarriedColumns(oldType, newType);
    // Taken before the new type replaces the sub-table.
    std::vector<std::array<Extended, 2>> kept;
    TGridTable& before = Properties(D, layer);
    for (const auto& [from, to] : carry) {
        std::array<Extended, 2> rows{};
        for (int row = 0; row < 2 && row < before.RowCount(); ++row)
            if (from < before.ColumnCount())
                rows[static_cast<std::size_t>(row)] = CellNumber(before, from, row);
        kept.push_back(rows);
    }
    D.Cell(layer_col::SoilType, layer).SetAsInteger(newType);
    TGridTable& after = Properties(D, layer);
    for (std::size_t k = 0; k < carry.size(); ++k)
        for (int row = 0; row < 2 && row < after.RowCount(); ++row)
            if (carry[k].second < after.ColumnCount())
                SetCellNumber(after, carry[k].second, row, kept[k][static_cast<std::size_t>(row)]);
}

std::array<std::array<std::string, 7>, 2> SoilLayerHeaders(int units)
{
    const bool english = units == 1;
    const std::string depth = english ? " of each layer (ft) " : " of each layer (m) ";
    const std::string stress = english ? "       (lb/ft^2)    " : "       (kN/m^2)    ";
    return {{{"  Layer ", " Soil Type ", " Depth at Bottom * ", " Max. Side Friction ** ", " Max. End Bearing ** ",
              " Reduction/Resistance *** ", " Reduction/Resistance *** "},
             {"        ", "           ", depth, stress, stress, " Factors on Side Friction ",
              "  Factors on End Bearing "}}};
}

std::array<int, 7> SoilLayerColumnWidths(int gridWidth)
{
    std::array<int, 7> widths = {131, 72, 94, 106, 106, 135, 135};
    if (gridWidth != kSoilLayerDesignWidth)
        for (int& w : widths)
            w = static_cast<int>(RoundToInt(Extended(w) * gridWidth / kSoilLayerDesignWidth));
    return widths;
}

int SoilLayerGridWidth(const std::array<int, 7>& needed)
{
    const std::array<int, 7> design = SoilLayerColumnWidths(kSoilLayerDesignWidth);
    int gridWidth = kSoilLayerDesignWidth;
    // Rounded up, so that the column scaled to this width, even rounded to
    // the nearest pixel, is never narrower than its text.
    for (std::size_t c = 0; c < design.size(); ++c)
        gridWidth = std::max(gridWidth, (needed[c] * kSoilLayerDesignWidth + design[c] - 1) / design[c]);
    return gridWidth;
}

int RowTakingOver(int first, int rowCount)
{
    return rowCount > 0 ? std::min(first, rowCount - 1) : -1;
}

// ---------------------------------------------------------------------------

TSoilLayersEditor::TSoilLayersEditor(TGridTable& D, std::function<void()> setModified)
    : D_(&D), setModified_(std::move(setModified))
{
}

TSoilLayerRow TSoilLayersEditor::RowOfD(int layer) const
{
    TSoilLayerRow row;
    row.SoilType = D_->Cell(layer_col::SoilType, layer).GetAsInteger();
    for (int f = 0; f < kLayerFieldCount; ++f)
        row.Values[static_cast<std::size_t>(f)] = D_->Cell(kLayerFieldColumns[static_cast<std::size_t>(f)], layer).GetAsFloat();
    return row;
}

void TSoilLayersEditor::Load()
{
    const int shownBefore = LayerCount();
    rows_.clear();
    for (int layer = 0; layer < D_->RowCount(); ++layer)
        rows_.push_back(RowOfD(layer));
    current_ = rows_.empty() ? -1 : 0;
    if (!shown_)
        return;
    if (LayerCount() > shownBefore)
        shown_->RowsInserted(shownBefore, LayerCount() - shownBefore);
    else if (LayerCount() < shownBefore)
        shown_->RowsRemoved(LayerCount(), shownBefore - LayerCount());
    if (const int kept = std::min(shownBefore, LayerCount()); kept > 0)
        shown_->RowsChanged(0, kept);
}

void TSoilLayersEditor::Store()
{
    bool changed = D_->RowCount() != LayerCount();
    D_->SetRowCount(LayerCount());
    for (int layer = 0; layer < LayerCount(); ++layer) {
        const TSoilLayerRow& row = rows_[static_cast<std::size_t>(layer)];
        const TSoilLayerRow stored = RowOfD(layer);
        if (stored.SoilType != row.SoilType) {
            ChangeLayerSoilType(*D_, layer, row.SoilType);
            changed = true;
        }
        for (int f = 0; f < kLayerFieldCount; ++f) {
            const auto i = static_cast<std::size_t>(f);
            if (stored.Values[i] != row.Values[i]) {
                D_->Cell(kLayerFieldColumns[i], layer).SetAsFloat(row.Values[i]);
                changed = true;
            }
        }
    }
    if (!rows_.empty())
        current_ = 0;
    if (changed)
        Modified();
}

const TSoilLayerRow& TSoilLayersEditor::Layer(int layer) const
{
    return rows_.at(static_cast<std::size_t>(layer));
}

void TSoilLayersEditor::SetCurrentLayer(int layer)
{
    if (layer >= 0 && layer < LayerCount())
        current_ = layer;
}

std::string LayerFieldUnits(const TGridTable& D, TLayerField field)
{
    const auto* column =
        dynamic_cast<const TFloatColumn*>(&D.GetColumn(kLayerFieldColumns.at(static_cast<std::size_t>(field))));
    return column ? column->UnitsCode : std::string();
}

void TSoilLayersEditor::SetField(int layer, TLayerField field, Extended value)
{
    rows_.at(static_cast<std::size_t>(layer)).Values.at(static_cast<std::size_t>(field)) = value;
    current_ = layer;
}

void TSoilLayersEditor::ChangeType(int layer, int itemIndex)
{
    TSoilLayerRow& row = rows_.at(static_cast<std::size_t>(layer));
    const int newType = std::clamp(itemIndex + 1, kSand, kSilt);
    row.SoilType = newType;
    if (D_->Cell(layer_col::SoilType, layer).GetAsInteger() != newType) {
        ChangeLayerSoilType(*D_, layer, newType);
        Modified();
    }
    current_ = layer;
}

bool TSoilLayersEditor::CanAdd() const { return LayerCount() < kMaxSoilLayers; }

bool TSoilLayersEditor::CanInsert() const { return LayerCount() > 0 && LayerCount() < kMaxSoilLayers; }

bool TSoilLayersEditor::CanDelete() const { return LayerCount() > 0; }

void TSoilLayersEditor::AddLayer()
{
    if (!CanAdd())
        return;
    rows_.push_back(TSoilLayerRow{});
    const int layer = LayerCount() - 1;
    D_->SetRowCount(LayerCount());
    InitSoilLayerValues(*D_, layer);
    current_ = layer;
    Modified();
    if (shown_)
        shown_->RowsInserted(layer, 1);
}

void TSoilLayersEditor::InsertLayer()
{
    if (!CanInsert() || current_ < 0)
        return;
    const int at = current_;
    rows_.insert(rows_.begin() + at, TSoilLayerRow{});
    D_->SetRowCount(LayerCount());
    for (int layer = LayerCount() - 1; layer > at; --layer)
        CopySoilLayerValues(*D_, layer, layer - 1);
    InitSoilLayerValues(*D_, at);
    Modified();
    if (shown_)
        shown_->RowsInserted(at, 1);
}

std::string TSoilLayersEditor::DeleteQuestion() const
{
    return "Do you want to delete soil layer in row " + FormatInteger(current_ + 1);
}

void TSoilLayersEditor::DeleteLayer()
{
    if (!CanDelete() || current_ < 0)
        return;
    const int at = current_;
    rows_.erase(rows_.begin() + at);
    for (int layer = at; layer < LayerCount(); ++layer)
        CopySoilLayerValues(*D_, layer, layer + 1);
    D_->SetRowCount(LayerCount());
    current_ = RowTakingOver(at, LayerCount());
    Modified();
    if (shown_)
        shown_->RowsRemoved(at, 1);
}

std::optional<std::string> TSoilLayersEditor::CloseCheck() const
{
    for (int layer = 0; layer < LayerCount(); ++layer)
        if (!(rows_[static_cast<std::size_t>(layer)].Values[lfEndBearingFactor] > 0))
            return "Reduction/Resistance Factor on End Bearing for layer " + FormatInteger(layer + 1) +
                   " should be greater than zero.\rPlease check";
    return std::nullopt;
}

void TSoilLayersEditor::Modified() const
{
    if (setModified_)
        setModified_();
}

} // namespace korva::app
