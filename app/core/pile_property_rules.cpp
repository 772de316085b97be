#include "pile_property_rules.h"

#include "form_store.h"

namespace korva::app {

TCircularEnabling CircularEnabling(const TProgramData& project)
{
    TCircularEnabling e;
    e.InnerDiameter = project.PileType == ptSteelPipe ||
                      (project.PileType == ptPrecastConcrete && project.CircularSection == 1);
    e.EndSection = e.InnerDiameter && project.ClosedEnded == 0;
    e.PlugGroup = e.EndSection;
    return e;
}

TCircularForm LoadCircularForm(const TProgramData& project)
{
    TCircularForm form;
    form.OuterDiameter = project.OuterDiameter;
    form.InnerDiameter = project.InnerDiameter;
    form.PileLength = project.PileLength;
    form.EndSectionLength = project.EndSectionLength;
    form.EndSectionInnerDiameter = project.EndSectionInnerDiameter;
    form.ZeroFrictionLength = project.ZeroFrictionLength;
    form.StickupLength = project.StickupLength;
    form.PlugCondition = project.PlugCondition >= 0 && project.PlugCondition <= 2 ? project.PlugCondition : 0;
    if (!CircularEnabling(project).InnerDiameter) {
        form.InnerDiameter = 0;
        form.EndSectionLength = 0;
        form.EndSectionInnerDiameter = 0;
    }
    return form;
}

bool StoreCircularForm(const TCircularForm& form, TProgramData& project)
{
    bool changed = false;
    StoreField(project.StickupLength, form.StickupLength, changed);
    StoreField(project.OuterDiameter, form.OuterDiameter, changed);
    StoreField(project.InnerDiameter, form.InnerDiameter, changed);
    StoreField(project.PileLength, form.PileLength, changed);
    StoreField(project.EndSectionLength, form.EndSectionLength, changed);
    StoreField(project.EndSectionInnerDiameter, form.EndSectionInnerDiameter, changed);
    StoreField(project.ZeroFrictionLength, form.ZeroFrictionLength, changed);
    StoreField(project.PlugCondition, form.PlugCondition, changed);
    return changed;
}

TNoncircularForm LoadNoncircularForm(const TProgramData& project)
{
    return {project.Perimeter, project.TipArea, project.PileLength, project.ZeroFrictionLength,
            project.StickupLength};
}

bool StoreNoncircularForm(const TNoncircularForm& form, TProgramData& project)
{
    bool changed = false;
    StoreField(project.StickupLength, form.StickupLength, changed);
    StoreField(project.Perimeter, form.Perimeter, changed);
    StoreField(project.TipArea, form.TipArea, changed);
    StoreField(project.PileLength, form.PileLength, changed);
    StoreField(project.ZeroFrictionLength, form.ZeroFrictionLength, changed);
    return changed;
}

} // namespace korva::app
