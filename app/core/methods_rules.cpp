#include "methods_rules.h"

#include "form_store.h"

namespace korva::app {

namespace {

bool ValidMethod(int method)
{
    return method >= 1 && method <= kMethodCount;
}

bool Available(const TMethodsForm& form, int method)
{
    return form.OffshoreEdition || !IsOffshoreMethod(method);
}

void SetAvailable(TMethodsForm& form, bool checked)
{
    for (int k = 1; k <= kMethodCount; ++k)
        if (Available(form, k))
            form.Selected[k] = checked;
}

} // namespace

bool IsOffshoreMethod(int method)
{
    return method >= kFirstOffshoreMethod && method <= kMethodCount;
}

TMethodsForm LoadMethodsForm(const TProgramData& project)
{
    TMethodsForm form;
    form.LoadTransferMethod = ValidMethod(project.LoadTransferMethod) ? project.LoadTransferMethod : pmApi;
    for (int k = 1; k <= kMethodCount; ++k)
        form.Selected[k] = project.MethodSelected[k] == 1;
    form.OffshoreEdition = project.OffshoreEdition == 1;
    form.Tension = project.LoadDirection == 1;
    form.TensionReduction = project.TensionReduction;
    form.DrainedClay = project.DrainedClay == 1;
    form.ReducedTzFactors = project.ReducedTzFactors == 1;
    form.CriticalDepthMode = project.CriticalDepthMode;
    form.CriticalDepth = project.CriticalDepth;
    KeepLoadTransferSelected(form);
    return form;
}

void KeepLoadTransferSelected(TMethodsForm& form)
{
    if (ValidMethod(form.LoadTransferMethod))
        form.Selected[form.LoadTransferMethod] = true;
}

void ChooseLoadTransferMethod(TMethodsForm& form, int method)
{
    if (!ValidMethod(method) || !Available(form, method))
        return;
    form.LoadTransferMethod = method;
    KeepLoadTransferSelected(form);
}

void SelectAllMethods(TMethodsForm& form)
{
    SetAvailable(form, true);
}

void ClearMethodSelections(TMethodsForm& form)
{
    SetAvailable(form, false);
    KeepLoadTransferSelected(form);
}

TMethodsEnabling MethodsEnabling(const TMethodsForm& form)
{
    TMethodsEnabling e;
    for (int k = 1; k <= kMethodCount; ++k) {
        e.MarkedLoadTransfer[k] = k == form.LoadTransferMethod;
        e.MethodAvailable[k] = Available(form, k);
    }
    e.CriticalDepthModes = form.Selected[pmUsace];
    e.CriticalDepth = e.CriticalDepthModes && form.CriticalDepthMode == 2;
    e.Drainage = form.Selected[pmIcpMtd] && e.MethodAvailable[pmIcpMtd];
    e.TensionReduction = form.Tension && form.Selected[pmApi];
    return e;
}

bool UsaceAlone(const std::array<bool, kMethodCount + 1>& selected)
{
    int count = 0;
    for (int k = 1; k <= kMethodCount; ++k)
        count += selected[k] ? 1 : 0;
    return selected[pmUsace] && count == 1;
}

void ShowUserUnitColumns(TProjectTables& tables, bool visible)
{
    const auto show = [visible](TGridTable& table) {
        table.GetColumn(sand_col::UserUnitSkinFriction).Visible = visible;
        table.GetColumn(sand_col::UserUnitEndBearing).Visible = visible;
    };
    for (int row = 0; row < tables.D.RowCount(); ++row) {
        TGridTable& properties = tables.D.Cell(layer_col::Properties, row).GetAsTable();
        show(properties);
        properties.ReopenTable();
    }
    show(tables.tblDataSand);
    show(tables.tblDataClay);
}

bool SiltLayersToSand(TProjectTables& tables)
{
    // The values a silt layer has in common with sand, at its top and bottom.
    constexpr int kCommonFloats[] = {silt_col::EffectiveUnitWeight, silt_col::FrictionAngle, silt_col::Ko};
    bool turned = false;
    for (int row = 0; row < tables.D.RowCount(); ++row) {
        if (tables.D.Cell(layer_col::SoilType, row).GetAsInteger() != kSilt)
            continue;
        Extended floats[2][3];
        std::int32_t blowCounts[2];
        {
            const TGridTable& silt = tables.D.Cell(layer_col::Properties, row).GetAsTable();
            for (int point = 0; point < 2; ++point) {
                for (int i = 0; i < 3; ++i)
                    floats[point][i] = silt.Cell(kCommonFloats[i], point).GetAsFloat();
                blowCounts[point] = silt.Cell(silt_col::BlowCounts, point).GetAsInteger();
            }
        }
        // A new soil type replaces the layer's property table by a fresh one.
        tables.D.Cell(layer_col::SoilType, row).SetAsInteger(kSand);
        const TGridTable& sand = tables.D.Cell(layer_col::Properties, row).GetAsTable();
        constexpr int kSandFloats[] = {sand_col::EffectiveUnitWeight, sand_col::FrictionAngle, sand_col::Ko};
        for (int point = 0; point < 2; ++point) {
            for (int i = 0; i < 3; ++i)
                sand.Cell(kSandFloats[i], point).SetAsFloat(floats[point][i]);
            sand.Cell(sand_col::BlowCounts, point).SetAsInteger(blowCounts[point]);
        }
        turned = true;
    }
    return turned;
}

bool StoreMethodsForm(const TMethodsForm& controls, TProgramData& project, TProjectTables& tables)
{
    TMethodsForm form = controls;
    KeepLoadTransferSelected(form);
    bool changed = false;
    StoreField(project.LoadTransferMethod, form.LoadTransferMethod, changed);
    // Only the FHWA method reads the taper; it is kept while FHWA is computed.
    if (!form.Selected[pmFhwa])
        StoreField(project.TaperAngle, 0, changed);
    ShowUserUnitColumns(tables, form.LoadTransferMethod == pmUserSpecified);
    for (int k = 1; k <= kMethodCount; ++k)
        StoreField(project.MethodSelected[k], form.Selected[k] ? 1 : 0, changed);
    StoreField(project.LoadDirection, form.Tension ? 1 : 0, changed);
    StoreField(project.TensionReduction, form.Tension ? form.TensionReduction : 1.0L, changed);
    StoreField(project.DrainedClay, form.DrainedClay ? 1 : 0, changed);
    StoreField(project.ReducedTzFactors, form.ReducedTzFactors ? 1 : 0, changed);
    StoreField(project.CriticalDepthMode, form.CriticalDepthMode, changed);
    StoreField(project.CriticalDepth, form.CriticalDepth, changed);
    if (!UsaceAlone(form.Selected) && SiltLayersToSand(tables))
        changed = true;
    return changed;
}

} // namespace korva::app
