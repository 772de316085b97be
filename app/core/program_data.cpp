#include "program_data.h"

#include "project_tables.h"
#include "unit_codes.h"

namespace korva::app {

namespace {

using components::UnitConversionFactor;
using components::kUnitsEnglish;
using components::kUnitsSI;

// Conversion factors of the scalar fields, value in the target system per
// value in the other one.
struct UnitFactors {
    Extended Short;   // in <-> mm
    Extended Long;    // ft <-> m
    Extended Area;    // in^2 <-> m^2
    Extended Modulus; // lb/in^2 <-> kN/m^2
    Extended Cone;    // ksf <-> kPa, the cone resistance of the CPT points
};

// To English: the factors of the unit codes mm, m, m^2 and kN/m^2.
UnitFactors ToEnglish()
{
    return {UnitConversionFactor(kUnitsSI, kUnitsEnglish, "L1"), UnitConversionFactor(kUnitsSI, kUnitsEnglish, "L2"),
            UnitConversionFactor(kUnitsSI, kUnitsEnglish, "L^2"),
            UnitConversionFactor(kUnitsSI, kUnitsEnglish, "F/L^2"),
            UnitConversionFactor(kUnitsSI, kUnitsEnglish, "F1/L2^2")};
}

// To SI: the program's own reciprocals, rounded as it keeps them (the inch
// is 25.4000000001016 mm), not the exact reciprocals of the factors above.
// The cone resistance is in kips (1000 pounds) per square foot.
constexpr Extended kInchToMetre = 0.0254000000001016L;
constexpr Extended kFootToMetre = 0.3048000000012192L;
constexpr Extended kPoundToKilonewton = 0.00444822199911631L;
constexpr UnitFactors kToSI{25.4000000001016L, kFootToMetre, kInchToMetre * kInchToMetre,
                            kPoundToKilonewton / (kInchToMetre * kInchToMetre),
                            1000 * kPoundToKilonewton / (kFootToMetre * kFootToMetre)};

} // namespace

TProgramData::TProgramData(TProjectHost& host) : host_(&host)
{
    // The fields start at their defaults (see the declarations).
    if (host_->Events.CloseChildWindows)
        host_->Events.CloseChildWindows();
    SetUnits(1);
    if (host_->Tables)
        host_->Tables->ResetRows();
    if (host_->MotionInput)
        host_->MotionInput->Clear();
    SetModified(false);
}

std::int32_t TProgramData::CptPointCount() const
{
    return host_->MotionInput ? host_->MotionInput->PointCount() : 0;
}

void TProgramData::SetModified(bool value) const
{
    if (host_->Events.SetModified)
        host_->Events.SetModified(value);
}

void TProgramData::ShowInformation(const std::string& message) const
{
    if (host_->Events.ShowInformation)
        host_->Events.ShowInformation(message);
}

void TProgramData::SetUnits(int newUnits)
{
    if (newUnits > 2)
        newUnits = 2;
    else if (newUnits <= 0)
        newUnits = 1;
    const UnitFactors f = newUnits == 1 ? ToEnglish() : kToSI;
    const bool changed = newUnits != Units;
    Units = newUnits;
    // The tables convert their own values, and only when their system changes.
    if (host_->Tables)
        host_->Tables->SetUnits(newUnits);

    if (changed) {
        for (Extended* length : {&Perimeter, &OuterDiameter, &InnerDiameter, &EndSectionInnerDiameter})
            *length *= f.Short;
        for (Extended* length : {&PileLength, &EndSectionLength, &ZeroFrictionLength, &IncrementLength,
                                 &SoilProfileBottom, &StickupLength, &CriticalDepth})
            *length *= f.Long;
        TipArea *= f.Area;
        SectionArea *= f.Area;
        ElasticModulus *= f.Modulus;
        // The CPT points are saved and analysed in the project's units.
        if (host_->MotionInput)
            host_->MotionInput->Scale(f.Cone, f.Long);
    }
    if (host_->Events.RefreshUnitDialogs)
        host_->Events.RefreshUnitDialogs();
}

std::string FloatStrGeneral(Extended value)
{
    return components::FormatGeneral(value, components::kProjectFilePrecision);
}

std::string FloatStrExp1(Extended value)
{
    return components::FormatExponent(value, 3, 1);
}

std::string FloatStrExp2(Extended value)
{
    return components::FormatExponent(value, 3, 2);
}

} // namespace korva::app
