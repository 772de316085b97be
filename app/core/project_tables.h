#pragma once
// The grid tables of the main window that hold the project's tabular data:
// the soil layers D with one property sub-table per layer (cloned from the
// sand, clay or silt template by the layer's soil type), the cross-section
// areas along the pile and the depths of the extra t-z curves.
#include <vector>

#include "column_types.h"
#include "grid_table.h"

namespace korva::app {

using components::TGridRegistry;
using components::TGridTable;

// Identifiers by which the soil-type items of D name their templates.
inline constexpr int kSandTemplateId = 1;
inline constexpr int kClayTemplateId = 2;
inline constexpr int kSiltTemplateId = 19;

// Soil type codes (the item numbers of D's first column).
inline constexpr int kSand = 1;
inline constexpr int kClay = 2;
inline constexpr int kSilt = 3;

// Unit codes of the tables' values (unit_codes.h): stresses lbs/ft^2 or
// kN/m^2, unit weights lbs/ft^3 or kN/m^3, depths ft or m, areas in^2 or m^2.
namespace table_units {
inline constexpr const char* Stress = "F/L2^2";
inline constexpr const char* UnitWeight = "F/L2^3";
inline constexpr const char* Depth = "L2";
inline constexpr const char* Area = "L^2";
} // namespace table_units

// Columns of D.
namespace layer_col {
inline constexpr int SoilType = 0;
inline constexpr int LayerBottom = 1;       // depth at the bottom of the layer
inline constexpr int Properties = 2;        // the layer's property sub-table
inline constexpr int MaxSideFriction = 3;   // 0 = no limit
inline constexpr int MaxEndBearing = 4;     // 0 = no limit
inline constexpr int SideFrictionFactor = 5; // reduction/resistance factor
inline constexpr int EndBearingFactor = 6;
} // namespace layer_col

// Columns of the property sub-tables; row 0 is the top of the layer, row 1
// its bottom.
namespace sand_col {
inline constexpr int EffectiveUnitWeight = 0;
inline constexpr int FrictionAngle = 1;
inline constexpr int BlowCounts = 2; // integer
inline constexpr int Ko = 3;
inline constexpr int Nq = 4;
inline constexpr int ConeResistance = 5;
inline constexpr int UserUnitSkinFriction = 6;
inline constexpr int UserUnitEndBearing = 7;
} // namespace sand_col

namespace clay_col {
inline constexpr int EffectiveUnitWeight = 0;
inline constexpr int UndrainedShearStrength = 1;
inline constexpr int RemoldedShearStrength = 2;
inline constexpr int PlasticityIndex = 3;
inline constexpr int YieldStressRatio = 4;
inline constexpr int ConeResistance = 5;
inline constexpr int UserUnitSkinFriction = 6;
inline constexpr int UserUnitEndBearing = 7;
inline constexpr int AdhesionMethod = 8; // integer 0-3
} // namespace clay_col

namespace silt_col {
inline constexpr int EffectiveUnitWeight = 0;
inline constexpr int FrictionAngle = 1;
inline constexpr int BlowCounts = 2; // integer
inline constexpr int Ko = 3;
inline constexpr int UndrainedShearStrength = 4;
inline constexpr int NotUsed = 5;
inline constexpr int UserUnitSkinFriction = 6;
inline constexpr int UserUnitEndBearing = 7;
} // namespace silt_col

// Columns of Sectionaldata and TblTZDepth.
namespace section_col {
inline constexpr int DistanceFromHead = 0;
inline constexpr int CrossSectionArea = 1;
} // namespace section_col

inline constexpr int kMaxSoilLayers = 40;
inline constexpr int kMaxSectionRows = 100;
inline constexpr int kMaxTzDepths = 100;

// The project's grid tables, defined as the main window holds them, each at
// its minimum number of default rows, in English units. The templates are
// made first, so that D's sub-tables can be cloned from them.
class TProjectTables {
public:
    explicit TProjectTables(TGridRegistry& registry = components::DefaultGridRegistry());

    TGridTable tblDataSand;
    TGridTable tblDataClay;
    TGridTable tblDataSilt;
    TGridTable D;
    TGridTable Sectionaldata;
    TGridTable TblTZDepth;

    // Every table, templates included, in the order above.
    std::vector<TGridTable*> All();

    // Each table's own unit switch (values convert only when the system changes).
    void SetUnits(int units);
    // Every table back to its minimum number of default rows (a new project).
    void ResetRows();
    // Shows or hides the inputs of the offshore methods (sand Qc; clay PI,
    // YSR and Qc) in the templates and in every layer's property table.
    void ShowOffshoreColumns(bool visible);
    // True when any table or sub-table was edited.
    bool GetChanged();
    void ResetChanged();
};

} // namespace korva::app
