#pragma once
// The soil layers window without its widgets: the working copy of the layer
// rows of table D (soil type, bottom depth, the two limits and the two
// reduction/resistance factors), the type changes that carry property values
// between the sand, clay and silt sub-tables, Add/Insert/Delete with their
// enabling, the write-back into D and the end-bearing check of the Close
// button. The window only shows these rows and passes the user's acts on.
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "number_format.h"
#include "project_tables.h"

namespace korva::app {

using components::Extended;

// A number of a sub-table cell by its column's own type: integer columns
// (blow counts, the adhesion method) as integers, the others as reals.
Extended CellNumber(TGridTable& table, int col, int row);
// Writes by the column's own type; an integer column takes the value rounded
// (halves to even) and limited to the 32-bit range.
void SetCellNumber(TGridTable& table, int col, int row, Extended value);
std::int32_t RoundToInt32(Extended value);

// Moves layer `source` of D onto layer `dest`: the soil type first (so that
// the destination's sub-table is of the source's type), the bottom depth,
// both rows of every sub-table column, each copied by its own column type
// (blow counts and the adhesion method as integers), and D's columns 3-6.
void CopySoilLayerValues(TGridTable& D, int dest, int source);

// A fresh layer's row of D: sand, bottom 0, no limits, both factors 1. A
// layer that was sand keeps its sub-table values.
void InitSoilLayerValues(TGridTable& D, int layer);

// Gives layer `layer` of D the soil type `newType` (1 sand, 2 clay, 3 silt).
// The unit weight and the user unit values stay; the friction angle, blow
// counts and Ko pass between sand and silt, the undrained shear strength
// between silt and clay; everything else of the new type starts at its
// defaults. Choosing the type the layer has changes nothing.
void ChangeLayerSoilType(TGridTable& D, int layer, int newType);

// The fields of a layer row, in the window's column order (columns 2-6).
enum TLayerField : int {
    lfBottom = 0,          // depth at the bottom of the layer
    lfMaxSideFriction = 1, // 0 = no limit
    lfMaxEndBearing = 2,   // 0 = no limit
    lfSideFactor = 3,      // reduction/resistance factor on side friction
    lfEndBearingFactor = 4,
};
inline constexpr int kLayerFieldCount = 5;

// D's column of each field.
inline constexpr std::array<int, kLayerFieldCount> kLayerFieldColumns = {
    layer_col::LayerBottom, layer_col::MaxSideFriction, layer_col::MaxEndBearing,
    layer_col::SideFrictionFactor, layer_col::EndBearingFactor};

// The unit code of a field's values, D's column's (project_tables.h): the
// depth in ft or m, the two limits in lbs/ft^2 or kN/m^2, the factors none.
std::string LayerFieldUnits(const TGridTable& D, TLayerField field);

struct TSoilLayerRow {
    int SoilType = kSand;
    std::array<Extended, kLayerFieldCount> Values{0, 0, 0, 1, 1};
};

// The two header rows of the layer grid for a unit system (1 English, else SI).
std::array<std::array<std::string, 7>, 2> SoilLayerHeaders(int units);

// The width the layer grid is designed for, in pixels.
inline constexpr int kSoilLayerDesignWidth = 817;

// The grid's column widths, designed for a grid kSoilLayerDesignWidth pixels
// wide and scaled to `gridWidth` (halves rounded to even).
std::array<int, 7> SoilLayerColumnWidths(int gridWidth);

// The grid width, never below the designed one, at which each column in its
// designed proportion is at least as wide as `needed` says (the widths of
// the header texts in the desktop's font): the exact proportion holds the
// text, before any rounding of the column to whole pixels.
int SoilLayerGridWidth(const std::array<int, 7>& needed);

// What shows the rows of the working copy (the window's grid) follows it
// through these calls, row by row, and is never made again: rows come and go
// where layers are added, inserted and deleted, or at the end when a load
// finds another count in D (the rows after them take new numbers), and the
// rows a load kept are shown again. What a row's own control did (a field
// typed, a type chosen) is not reported back to it.
class ISoilLayerRows {
public:
    virtual ~ISoilLayerRows() = default;
    virtual void RowsInserted(int first, int count) = 0;
    virtual void RowsRemoved(int first, int count) = 0;
    virtual void RowsChanged(int first, int count) = 0;
};

// The row that takes over from the rows removed at `first`, `rowCount` rows
// being left (a removed control hands its focus to the same column there):
// the row now at `first`, the last row when the last ones went, -1 when none
// is left.
int RowTakingOver(int first, int rowCount);

class TSoilLayersEditor {
public:
    // `setModified` is called with true whenever an act changes the project.
    TSoilLayersEditor(TGridTable& D, std::function<void()> setModified);

    // The rows shown follow the working copy from now on (nullptr: none).
    void SetRows(ISoilLayerRows* rows) { shown_ = rows; }

    // Activation: the rows of D become the working copy; the first layer
    // becomes current.
    void Load();
    // Deactivation and close: the working copy goes back into D. Marks the
    // project modified only when a value changed.
    void Store();

    int LayerCount() const { return static_cast<int>(rows_.size()); }
    const TSoilLayerRow& Layer(int layer) const;

    // The layer last touched (0-based); Insert and Delete act on it. -1
    // without layers.
    int CurrentLayer() const { return current_; }
    void SetCurrentLayer(int layer);

    // A field typed in the grid (the working copy only).
    void SetField(int layer, TLayerField field, Extended value);
    // A soil type chosen in the layer's list (item index 0 sand, 1 clay, 2
    // silt); D's sub-table follows at once.
    void ChangeType(int layer, int itemIndex);

    bool CanAdd() const;
    bool CanInsert() const;
    bool CanDelete() const;

    // A new sand layer at the end; it becomes current.
    void AddLayer();
    // A new sand layer above the current one, which moves down.
    void InsertLayer();
    // The question asked before the current layer is deleted.
    std::string DeleteQuestion() const;
    // Deletes the current layer; the layers below move up, and the one
    // taking over (RowTakingOver) becomes current.
    void DeleteLayer();

    // The Close button's check: the message of the first layer whose
    // end-bearing factor is not above 0, or nothing.
    std::optional<std::string> CloseCheck() const;

private:
    void Modified() const;
    TSoilLayerRow RowOfD(int layer) const;

    TGridTable* D_;
    std::function<void()> setModified_;
    ISoilLayerRows* shown_ = nullptr;
    std::vector<TSoilLayerRow> rows_;
    int current_ = -1;
};

} // namespace korva::app
