#include "validate_input.h"

#include <cmath>

#include "number_format.h"
#include "program_data.h"
#include "project_tables.h"

namespace korva::app {

namespace {

using components::Extended;

// The degree-to-radian factor of these checks (not pi/180).
constexpr Extended kDegree = 0.01745L;

constexpr const char* kPileMaterialWindow = "Please check input data (Pile Material Window)";

// Timber, step-taper, uniform-taper and tapered monotube piles.
bool IsTaperedType(int pileType)
{
    return pileType == 2 || pileType == 4 || pileType == 5 || pileType == 7;
}

// The taper message, or empty when the tip diameter stays positive.
std::string TaperProblem(const TProgramData& p)
{
    if (p.MethodSelected[pmFhwa] != 1 || !IsTaperedType(p.PileType) || !(p.TaperAngle > 0))
        return {};
    // Inches or millimetres, the unit of OuterDiameter.
    const Extended length = p.PileLength * (p.Units == 1 ? 12.0L : 1000.0L);
    const Extended tip = p.OuterDiameter - std::tan(p.TaperAngle * kDegree) * 2 * length;
    if (!(tip < 0))
        return {};
    const Extended largest = std::atan((p.OuterDiameter / 2) / length) / kDegree;
    return "Taper angle is large since it generates a negative diameter at tip of pile.\r"
           "Taper angle should be smaller than " +
           components::FormatFixed(largest, 3) + " degrees." + "\r" + kPileMaterialWindow;
}

// The first method among ICP/MTD, FUGRO and UWA that is selected.
const char* RemoldedStrengthMethod(const TProgramData& p)
{
    if (p.MethodSelected[pmIcpMtd] == 1)
        return "while using ICP/MTD Method.";
    if (p.MethodSelected[pmFugro] == 1)
        return "while using Fugro Method.";
    if (p.MethodSelected[pmUwa] == 1)
        return "while using UWA Method.";
    return nullptr;
}

// The message of the first layer that fails, or empty.
std::string LayerProblem(const TProgramData& p, const TProjectTables& t)
{
    const TGridTable& d = t.D;
    for (int row = 0; row < d.RowCount(); ++row) {
        const std::string n = components::FormatInteger(row + 1);
        if (d.Cell(layer_col::SoilType, row).GetAsInteger() == kClay) {
            const TGridTable& clay = d.Cell(layer_col::Properties, row).GetAsTable();
            const bool noRemolded = clay.RowCount() >= 2 &&
                                    clay.Cell(clay_col::RemoldedShearStrength, 0).GetAsFloat() == 0 &&
                                    clay.Cell(clay_col::RemoldedShearStrength, 1).GetAsFloat() == 0;
            if (const char* method = RemoldedStrengthMethod(p); noRemolded && method)
                return "Remolded Shear Strength for layer " + n + " should be greater than zero " + "\r" + method +
                       "\r" + "Please check input data (Soils/Clay Window)";
        }
        if (!(d.Cell(layer_col::EndBearingFactor, row).GetAsFloat() > 0))
            return "Reduction/Resistance Factor on End Bearing for layer " + n + " should be greater than zero." +
                   "\r" + "Please check input data (Soils Window)";
    }
    return {};
}

} // namespace

bool ValidateInput(const TProgramData& project, const TProjectTables& tables,
                   const std::function<void(const std::string&)>& warn)
{
    bool valid = true;
    const auto check = [&](const std::string& problem) {
        if (problem.empty())
            return;
        valid = false;
        warn(problem);
    };
    check(TaperProblem(project));
    check(project.ElasticModulus > 0
              ? std::string()
              : std::string("Modulus of Elasticity should be greater than zero.\r") + kPileMaterialWindow);
    check(LayerProblem(project, tables));
    return valid;
}

} // namespace korva::app
