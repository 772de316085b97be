#include "soil_properties.h"

#include <algorithm>

#include "methods_rules.h"
#include "soil_layers.h"

namespace korva::app {

using namespace components;

namespace {

constexpr const char* kUnitWeight = table_units::UnitWeight;
constexpr const char* kStress = table_units::Stress;

const std::vector<TSoilField>& SandFields()
{
    static const std::vector<TSoilField> fields = {
        {"1. Effective Unit Weight", sand_col::EffectiveUnitWeight, kUnitWeight, TSoilInput::UnitWeight,
         "EffectiveUnitWeight"},
        {"Enter Friction Angle (Preferred)", sand_col::FrictionAngle, "", TSoilInput::FrictionAngle, "FrictionAngle"},
        {"Enter Blow Counts from SPT", sand_col::BlowCounts, "", TSoilInput::BlowCounts, "BlowCounts"},
        {"3a. Coefficient of Lateral Earth Pressure, Ko", sand_col::Ko, "", TSoilInput::Ko,
         "EarthPressureCoefficient"},
        {"3b. Bearing Capacity Factor, Nq", sand_col::Nq, "", TSoilInput::Nq, "BearingCapacityFactor"},
        {"4a. Unit Skin Friction", sand_col::UserUnitSkinFriction, kStress, TSoilInput::UserValues,
         "UserUnitSkinFriction"},
        {"4b. Unit End Bearing", sand_col::UserUnitEndBearing, kStress, TSoilInput::UserValues, "UserUnitEndBearing"},
        {"5. Qc from Cone Penetration Data", sand_col::ConeResistance, kStress, TSoilInput::ConeResistance,
         "ConeResistance"},
    };
    return fields;
}

const std::vector<TSoilField>& ClayFields()
{
    static const std::vector<TSoilField> fields = {
        {"1. Effective Unit Weight", clay_col::EffectiveUnitWeight, kUnitWeight, TSoilInput::UnitWeight,
         "EffectiveUnitWeight"},
        {"2. Undrained Shear Strength", clay_col::UndrainedShearStrength, kStress, TSoilInput::UndrainedStrength,
         "UndrainedShearStrength"},
        {"3. Remolded Shear Strength", clay_col::RemoldedShearStrength, kStress, TSoilInput::RemoldedStrength,
         "RemoldedShearStrength"},
        {"4a. Unit Skin Friction", clay_col::UserUnitSkinFriction, kStress, TSoilInput::UserValues,
         "UserUnitSkinFriction"},
        {"4b. Unit End Bearing", clay_col::UserUnitEndBearing, kStress, TSoilInput::UserValues, "UserUnitEndBearing"},
        {"5. Qc from Cone Penetration Data", clay_col::ConeResistance, kStress, TSoilInput::ConeResistance,
         "ConeResistance"},
        {"6a. Plasticity Index, PI(%)", clay_col::PlasticityIndex, "", TSoilInput::PiYsr, "PlasticityIndex"},
        {"6b. Yield STress Ratio, YSR", clay_col::YieldStressRatio, "", TSoilInput::PiYsr, "YieldStressRatio"},
    };
    return fields;
}

const std::vector<TSoilField>& SiltFields()
{
    static const std::vector<TSoilField> fields = {
        {"1. Effective Unit Weight", silt_col::EffectiveUnitWeight, kUnitWeight, TSoilInput::UnitWeight,
         "EffectiveUnitWeight"},
        {"Enter Friction Angle (Preferred)", silt_col::FrictionAngle, "", TSoilInput::FrictionAngle, "FrictionAngle"},
        {"Enter Blow Counts from SPT", silt_col::BlowCounts, "", TSoilInput::BlowCounts, "BlowCounts"},
        {"3. Coefficient of Lateral Earth Pressure, Ko", silt_col::Ko, "", TSoilInput::Ko, "EarthPressureCoefficient"},
        {"4. Undrained Shear Strength", silt_col::UndrainedShearStrength, kStress, TSoilInput::UndrainedStrength,
         "UndrainedShearStrength"},
    };
    return fields;
}

bool Selected(const TProgramData& project, int method) { return project.MethodSelected[method] == 1; }

} // namespace

const std::vector<TSoilField>& SoilPageFields(int soilType)
{
    switch (soilType) {
    case kClay:
        return ClayFields();
    case kSilt:
        return SiltFields();
    default:
        return SandFields();
    }
}

Extended StoredSoilValue(const TSoilField& field, Extended value)
{
    return field.Input == TSoilInput::BlowCounts ? static_cast<Extended>(RoundToInt32(value)) : value;
}

std::string GraphButtonCaption(int adhesionIndex)
{
    static const char* const kLetters[] = {"A", "B", "C"};
    return GraphButtonEnabled(adhesionIndex) ? std::string("Show Graph ") + kLetters[adhesionIndex - 1]
                                             : std::string("Show Graph");
}

TSoilPropertiesState LoadSoilProperties(const TProgramData& project, TGridTable& D, int layerNumber)
{
    TSoilPropertiesState s;
    const int layer = layerNumber - 1;
    s.LayerNumber = layerNumber;
    s.SoilType = std::clamp(D.Cell(layer_col::SoilType, layer).GetAsInteger(), kSand, kSilt);
    s.Caption = "Data for Layer " + FormatInteger(layerNumber);
    TGridTable& sub = D.Cell(layer_col::Properties, layer).GetAsTable();
    for (const TSoilField& field : SoilPageFields(s.SoilType))
        for (int row = 0; row < 2; ++row)
            s.Values[static_cast<std::size_t>(field.Column)][static_cast<std::size_t>(row)] =
                CellNumber(sub, field.Column, row);

    s.OffshoreEdition = project.OffshoreEdition == 1;
    for (int method = kFirstOffshoreMethod; method <= kMethodCount; ++method)
        s.OffshoreMethods = s.OffshoreMethods || Selected(project, method);
    s.UserValuesEnabled = Selected(project, pmUserSpecified);

    if (s.SoilType == kSand || s.SoilType == kSilt) {
        const auto& counts = s.Values[sand_col::BlowCounts];
        s.BlowCountChoice = counts[0] != 0 || counts[1] != 0;
    }
    if (s.SoilType == kSand) {
        s.KoTexts = {"3. Data for API Computation Method", "(Ko also used for Lambda Method)",
                     "(API recommends Ko=1 for full displacement", "piles and Ko=0.8 for open ended pipe piles)"};
        s.KoEnabled = Selected(project, pmApi);
        s.NqEnabled = Selected(project, pmApi);
        if (!Selected(project, pmApi)) {
            if (Selected(project, pmUsace)) {
                s.KoTexts = {"3. Data for USACE Computation Method", "(Ko also used for Lambda Method)",
                             "(USACE recommends Ko=1.25 for compression", "and Ko=0.5 to 0.7 for tension)"};
                s.KoEnabled = true;
            } else if (Selected(project, pmRevisedLambda)) {
                s.KoTexts = {"3. Data for Revised Lambda Computation Method", "(Not used in other methods)",
                             "(API recommends Ko=1 for full displacement",
                             "piles and Ko=0.8 for open ended pipe piles)"};
                s.KoEnabled = true;
            }
        }
    } else if (s.SoilType == kSilt) {
        s.KoEnabled = true;
    } else {
        s.RemoldedEnabled = project.PileType == ptSteelPipe || s.OffshoreEdition;
        s.AdhesionVisible = Selected(project, pmFhwa);
        const Extended adhesion = CellNumber(sub, clay_col::AdhesionMethod, 1);
        s.AdhesionIndex = adhesion >= 0 && adhesion <= 3 ? static_cast<int>(adhesion) : 0;
    }
    return s;
}

bool SoilFieldVisible(const TSoilPropertiesState& state, TSoilInput input)
{
    switch (input) {
    case TSoilInput::ConeResistance:
    case TSoilInput::PiYsr:
        return state.OffshoreEdition;
    default:
        return true;
    }
}

bool SoilFieldEnabled(const TSoilPropertiesState& state, TSoilInput input)
{
    switch (input) {
    case TSoilInput::FrictionAngle:
        return !state.BlowCountChoice;
    case TSoilInput::BlowCounts:
        return state.BlowCountChoice;
    case TSoilInput::Ko:
        return state.KoEnabled;
    case TSoilInput::Nq:
        return state.NqEnabled;
    case TSoilInput::UserValues:
        return state.UserValuesEnabled;
    case TSoilInput::RemoldedStrength:
        return state.RemoldedEnabled;
    // Every cone-based method reads the cone resistance, the plasticity
    // index and the yield stress ratio.
    case TSoilInput::ConeResistance:
    case TSoilInput::PiYsr:
        return state.OffshoreMethods;
    default:
        return true;
    }
}

bool StoreSoilProperties(const TSoilPropertiesState& state, TGridTable& D)
{
    const int layer = state.LayerNumber - 1;
    TGridTable& sub = D.Cell(layer_col::Properties, layer).GetAsTable();
    const bool angleAndCounts = state.SoilType == kSand || state.SoilType == kSilt;
    bool changed = false;
    const auto store = [&](int column, int row, Extended value) {
        if (column >= sub.ColumnCount() || row >= sub.RowCount())
            return;
        const Extended before = CellNumber(sub, column, row);
        SetCellNumber(sub, column, row, value);
        changed = changed || CellNumber(sub, column, row) != before;
    };
    for (const TSoilField& field : SoilPageFields(state.SoilType)) {
        for (int row = 0; row < 2; ++row) {
            Extended value = state.Values[static_cast<std::size_t>(field.Column)][static_cast<std::size_t>(row)];
            // Once the user picked one of the two inputs, only it is kept.
            if (angleAndCounts && state.ChoicePicked &&
                field.Input == (state.BlowCountChoice ? TSoilInput::FrictionAngle : TSoilInput::BlowCounts))
                value = 0;
            store(field.Column, row, value);
        }
    }
    if (state.SoilType == kClay && state.AdhesionPicked)
        for (int row = 0; row < 2; ++row)
            store(clay_col::AdhesionMethod, row, std::clamp(state.AdhesionIndex, 0, 3));
    return changed;
}

} // namespace korva::app
