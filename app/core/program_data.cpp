#include "program_data.h"

#include "project_tables.h"
#include "unit_codes.h"

namespace korva::app {

namespace {

// The unit codes of the scalar fields that a unit switch converts.
struct TConvertedField {
    Extended TProgramData::*Field;
    const char* UnitsCode;
};

constexpr TConvertedField kConvertedFields[] = {
    {&TProgramData::Perimeter, "L1"},           {&TProgramData::OuterDiameter, "L1"},
    {&TProgramData::InnerDiameter, "L1"},       {&TProgramData::EndSectionInnerDiameter, "L1"},
    {&TProgramData::PileLength, "L2"},          {&TProgramData::EndSectionLength, "L2"},
    {&TProgramData::ZeroFrictionLength, "L2"},  {&TProgramData::IncrementLength, "L2"},
    {&TProgramData::SoilProfileBottom, "L2"},   {&TProgramData::StickupLength, "L2"},
    {&TProgramData::CriticalDepth, "L2"},       {&TProgramData::TipArea, "L^2"},
    {&TProgramData::SectionArea, "L^2"},        {&TProgramData::ElasticModulus, "F/L^2"},
};

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
    const int before = Units;
    const bool changed = newUnits != Units;
    Units = newUnits;
    // The tables convert their own values, and only when their system changes.
    if (host_->Tables)
        host_->Tables->SetUnits(newUnits);

    if (changed) {
        for (const TConvertedField& field : kConvertedFields)
            this->*field.Field = components::ConvertUnits(this->*field.Field, before, newUnits, field.UnitsCode);
        // The CPT points are saved and analysed in the project's units.
        if (host_->MotionInput)
            host_->MotionInput->ConvertUnits(before, newUnits);
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
