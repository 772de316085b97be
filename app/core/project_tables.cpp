#include "project_tables.h"

#include <string>

#include "unit_codes.h"

namespace korva::app {

using namespace components;

namespace {

constexpr const char* kStress = table_units::Stress;
constexpr const char* kUnitWeight = table_units::UnitWeight;
constexpr const char* kDepth = table_units::Depth;
constexpr const char* kArea = table_units::Area;

const char* const kLayerComments =
    "Max. Side Friction and Max. End Bearing:\r"
    "\xC2\xB7 If entries are left as zero, the program assumes no limits in side transfer\r"
    "\xC2\xB7 Use a very small number (eg. 0.001) for layers where load transfer should be ignored\r"
    "\xC2\xB7 The bottom of the last layer has to be deeper than the pile tip by 2 pile diameters.\r"
    "\xC2\xB7 The user can use the reduction factors for LRFD requirement or other design considerations such as "
    "driving strength loss.";

const char* const kSandComments =
    "Friction Angle may be computed from Blow Counts if Blow Counts is a value other than zero\r"
    "API recommendations for Ko (coefficient of lateral earth pressure) are:\r"
    "Ko = 1 for full-displacement piles, and Ko = 0.8 for open-ended pipe piles\r"
    "API recommendations for Nq (bearing capacity factor) may vary from 8 to 50 according to the density of sand\r"
    "Ko and Nq are required input, but only used by the API method \r"
    "These values may be different for other computation methods (FHWA, USACE, etc.)\r"
    "The interface friction angle is 5 degrees less than the inputted internal friction angle";

// The offshore edition is always on, so the PI/YSR line is always there.
const char* const kClayComments =
    "Remolded Shear Strength is only used for open-ended pipe piles to compute\r"
    "the resistance in skin friction along the inner surface of the pipe as the\r"
    "soil plug enters the pipe.  A reduced strength may account for the fact\r"
    "that the internal plug may be highly disturbed as it enters the pile.\r"
    "PI and YSR are required only for Offshore-Pile Design Methods.";

// The two-row property table of one soil type: row 1 the top of the
// layer, row 2 its bottom.
void DefinePropertyTable(TGridTable& table, const char* caption, int identifier)
{
    table.Caption = caption;
    table.TopLeft = "Top=1 Bottom=2";
    table.SetIdentifier(identifier);
    table.SetMinRows(2);
    table.SetMaxRows(2);
}

// The user-specified unit values are shown only with that load-transfer
// method, which a new project does not use.
void AddUserUnitColumns(TGridTable& table)
{
    AddFloatColumn(table, {"User-Specified", "Unit Skin Friction"}, kStress).Visible = false;
    AddFloatColumn(table, {"User-Specified", "Unit End Bearing"}, kStress).Visible = false;
}

void DefineSand(TGridTable& t)
{
    DefinePropertyTable(t, "Sand", kSandTemplateId);
    t.Comments = kSandComments;
    AddFloatColumn(t, {"Effective", "Unit Weight"}, kUnitWeight);
    AddFloatColumn(t, {"Friction Angle", "(Degrees)"});
    AddIntColumn(t, {"Blow Counts", "from SPT"}, 0);
    AddFloatColumn(t, {"Coefficient of Lateral", "Earth Pressure, Ko"});
    AddFloatColumn(t, {"Bearing Capacity", "Factor, Nq"});
    AddFloatColumn(t, {"Qc from Cone", "Penetration Data"}, kStress);
    AddUserUnitColumns(t);
}

void DefineClay(TGridTable& t)
{
    DefinePropertyTable(t, "Clay", kClayTemplateId);
    t.Comments = kClayComments;
    AddFloatColumn(t, {"Effective", "Unit Weight"}, kUnitWeight);
    AddFloatColumn(t, {"Undrained", "Shear Strength"}, kStress);
    AddFloatColumn(t, {"Remolded", "Shear Strength"}, kStress);
    AddFloatColumn(t, {"Plasticity", "Index, PI(%)"});
    AddFloatColumn(t, {"Yield Stress", "Ratio, YSR"});
    AddFloatColumn(t, {"Qc from Cone", "Penetration Data"}, kStress);
    AddUserUnitColumns(t);
    AddIntColumn(t, {"Estimation of", "Adhesion Factor"}, 0, 3);
}

void DefineSilt(TGridTable& t)
{
    DefinePropertyTable(t, "Silt", kSiltTemplateId);
    AddFloatColumn(t, {"Effective", "Unit Weight"}, kUnitWeight);
    AddFloatColumn(t, {"Friction Angle", "(Degrees)"});
    AddIntColumn(t, {"Blow Counts", "from SPT"}, 0);
    AddFloatColumn(t, {"Coefficient of Lateral", "Earth Pressure, Ko"});
    AddFloatColumn(t, {"Undrained", "Shear Strength"}, kStress);
    AddFloatColumn(t, {"Not Used"}).Visible = false;
    AddUserUnitColumns(t);
}

void DefineLayers(TGridTable& t)
{
    t.Caption = "Soil Layers";
    t.TopLeft = "Layer";
    t.Comments = kLayerComments;
    t.SetMinRows(1);
    t.SetMaxRows(kMaxSoilLayers);
    AddEnumColumn(t, {"Soil Type"}, {"Sand", "Clay", "Silt"});
    AddFloatColumn(t, {"Depth at Bottom *", "of each layer"}, kDepth);
    AddTableColumn(t, {"Soil Properties"}, {kSandTemplateId, kClayTemplateId, kSiltTemplateId});
    AddFloatColumn(t, {"Max. Side Friction **", ""}, kStress);
    AddFloatColumn(t, {"Max. End Bearing **", ""}, kStress);
    AddFloatColumn(t, {"Reduction/Resistance ***", "Factors on Side Friction"}, "", 1.0L);
    AddFloatColumn(t, {"Reduction/Resistance ***", "Factors on End Bearing"}, "", 1.0L);
}

void DefineSections(TGridTable& t)
{
    t.Caption = "Cross Section Area along Depth";
    t.TopLeft = "Point";
    t.SetMinRows(2);
    t.SetMaxRows(kMaxSectionRows);
    AddFloatColumn(t, {"Distance from", "Pile Head"}, kDepth);
    AddFloatColumn(t, {"Cross Section", "Area"}, kArea);
}

void DefineTzDepths(TGridTable& t)
{
    t.Caption = "Depths of Additional t-z Curves";
    t.TopLeft = "Curve";
    t.SetMinRows(1);
    t.SetMaxRows(kMaxTzDepths);
    AddFloatColumn(t, {"Depth"}, kDepth);
}

} // namespace

TProjectTables::TProjectTables(TGridRegistry& registry)
    : tblDataSand(registry),
      tblDataClay(registry),
      tblDataSilt(registry),
      D(registry),
      Sectionaldata(registry),
      TblTZDepth(registry)
{
    DefineSand(tblDataSand);
    DefineClay(tblDataClay);
    DefineSilt(tblDataSilt);
    DefineLayers(D);
    DefineSections(Sectionaldata);
    DefineTzDepths(TblTZDepth);
    ResetRows();
}

std::vector<TGridTable*> TProjectTables::All()
{
    return {&tblDataSand, &tblDataClay, &tblDataSilt, &D, &Sectionaldata, &TblTZDepth};
}

void TProjectTables::SetUnits(int units)
{
    for (TGridTable* table : All())
        table->SetUnits(units);
}

void TProjectTables::ResetRows()
{
    for (TGridTable* table : All()) {
        table->SetRowCount(0);
        table->SetRowCount(table->MinRows());
    }
}

void TProjectTables::ShowOffshoreColumns(bool visible)
{
    const auto showSand = [visible](TGridTable& t) {
        if (t.ColumnCount() > sand_col::ConeResistance)
            t.GetColumn(sand_col::ConeResistance).Visible = visible;
    };
    const auto showClay = [visible](TGridTable& t) {
        if (t.ColumnCount() > clay_col::ConeResistance)
            for (int col : {clay_col::PlasticityIndex, clay_col::YieldStressRatio, clay_col::ConeResistance})
                t.GetColumn(col).Visible = visible;
    };
    showSand(tblDataSand);
    showClay(tblDataClay);
    for (int row = 0; row < D.RowCount(); ++row) {
        const int type = D.Cell(layer_col::SoilType, row).GetAsInteger();
        if (type == kSand)
            showSand(D.Cell(layer_col::Properties, row).GetAsTable());
        else if (type == kClay)
            showClay(D.Cell(layer_col::Properties, row).GetAsTable());
    }
}

bool TProjectTables::GetChanged()
{
    for (TGridTable* table : All())
        if (table->GetChanged())
            return true;
    return false;
}

void TProjectTables::ResetChanged()
{
    for (TGridTable* table : All())
        table->ResetChanged();
}

} // namespace korva::app
