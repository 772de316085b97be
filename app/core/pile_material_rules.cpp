#include "pile_material_rules.h"

#include "form_store.h"

namespace korva::app {

namespace {

// The value of pi the program uses for section areas.
constexpr Extended kPi = 3.1416L;

bool FhwaSelected(const TProgramData& project)
{
    return project.MethodSelected[pmFhwa] == 1;
}

// An H-pile or an orthogonal precast pile: no circular section.
bool NoncircularChoice(const TMaterialForm& form)
{
    return form.PileType == ptHPile || (form.PileType == ptPrecastConcrete && !form.PrecastCircular);
}

} // namespace

bool IsTaperedPileType(int pileType)
{
    return pileType == ptTimber || pileType == ptRaymondStepTaper || pileType == ptRaymondUniformTaper ||
           pileType == ptTaperedMonotube;
}

TMaterialEnabling MaterialEnabling(const TMaterialForm& form, bool fhwaSelected)
{
    TMaterialEnabling e;
    e.TaperAngle = fhwaSelected && IsTaperedPileType(form.PileType);
    e.SteelEnds = form.PileType == ptSteelPipe;
    e.PrecastShape = form.PileType == ptPrecastConcrete;
    e.PrecastEnds = e.PrecastShape && form.PrecastCircular;
    e.SectionArea = form.SectionAreaMode == 1;
    e.SectionTable = form.SectionAreaMode == 2;
    return e;
}

TMaterialForm LoadMaterialForm(const TProgramData& project)
{
    TMaterialForm form;
    form.PileType = project.PileType;
    // The end condition shows on both end radios, so that it is kept when
    // the user switches between steel pipe and precast pile.
    form.SteelClosedEnded = project.ClosedEnded == 1;
    form.PrecastClosedEnded = project.ClosedEnded == 1;
    form.PrecastCircular = project.PileType != ptPrecastConcrete || project.CircularSection == 1;
    form.TaperAngle = project.TaperAngle;
    form.ElasticModulus = project.ElasticModulus;
    form.SectionAreaMode = project.SectionAreaMode;
    form.SectionArea = project.SectionArea;
    const TMaterialEnabling e = MaterialEnabling(form, FhwaSelected(project));
    if (!e.TaperAngle)
        form.TaperAngle = 0;
    if (!e.SectionArea)
        form.SectionArea = 0;
    return form;
}

Extended ComputedSectionArea(const TMaterialForm& form, const TProgramData& project)
{
    if (NoncircularChoice(form))
        return project.TipArea;
    const Extended od = project.OuterDiameter;
    const Extended id = project.InnerDiameter;
    const bool ring = form.PileType == ptSteelPipe || form.PileType == ptPrecastConcrete;
    Extended area = ring ? (od * od - id * id) * kPi / 4 : od * od * kPi / 4;
    if (project.Units != 1)
        area = area / 1000 / 1000; // mm^2 to m^2
    return area;
}

bool StoreMaterialForm(const TMaterialForm& form, TProgramData& project)
{
    bool changed = false;
    int type = form.PileType;
    if (type < ptSteelPipe || type > ptTaperedMonotube)
        type = ptSteelPipe;
    StoreField(project.PileType, type, changed);
    StoreField(project.CircularSection, NoncircularChoice(form) ? 0 : 1, changed);
    if (type == ptSteelPipe)
        StoreField(project.ClosedEnded, form.SteelClosedEnded ? 1 : 0, changed);
    else if (type == ptPrecastConcrete)
        StoreField(project.ClosedEnded, form.PrecastClosedEnded ? 1 : 0, changed);
    StoreField(project.TaperAngle, FhwaSelected(project) ? form.TaperAngle : 0, changed);
    StoreField(project.ElasticModulus, form.ElasticModulus, changed);
    StoreField(project.SectionAreaMode, form.SectionAreaMode, changed);
    StoreField(project.SectionArea, form.SectionArea, changed);
    return changed;
}

} // namespace korva::app
