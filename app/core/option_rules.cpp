#include "option_rules.h"

#include <algorithm>
#include <cmath>

#include "file_text.h"
#include "form_store.h"
#include "int_utils.h"

namespace korva::app {

namespace {

// The first `count` characters of a UTF-8 text (a character is never cut).
std::string FirstCharacters(const std::string& text, int count)
{
    std::size_t i = 0;
    for (int n = 0; n < count && i < text.size(); ++n) {
        ++i;
        while (i < text.size() && (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80)
            ++i;
    }
    return text.substr(0, i);
}

} // namespace

Extended UsableIncrement(Extended increment)
{
    return increment < kSmallestIncrement || !std::isfinite(increment) ? 1.0L : increment;
}

std::int32_t RoundedPrintEvery(Extended printEvery)
{
    if (!std::isfinite(printEvery))
        return 1;
    const Extended bounded = std::clamp(printEvery, kMinPrintEvery, kMaxPrintEvery);
    return static_cast<std::int32_t>(components::RoundToInt(bounded));
}

TOptionsForm LoadOptionsForm(const TProgramData& project)
{
    return {static_cast<Extended>(project.PrintEvery), UsableIncrement(project.IncrementLength)};
}

bool StoreOptionsForm(const TOptionsForm& form, TProgramData& project)
{
    bool changed = false;
    StoreField(project.PrintEvery, RoundedPrintEvery(form.PrintEvery), changed);
    StoreField(project.IncrementLength, UsableIncrement(form.IncrementLength), changed);
    return changed;
}

TTitleForm LoadTitleForm(const TProgramData& project)
{
    return {project.ProjectTitle, project.DesignerName, project.JobNumber};
}

bool StoreTitleForm(const TTitleForm& form, TProgramData& project)
{
    bool changed = false;
    StoreField(project.ProjectTitle, FirstCharacters(SingleLine(form.ProjectTitle), kMaxTitleLength), changed);
    StoreField(project.DesignerName, SingleLine(form.DesignerName), changed);
    StoreField(project.JobNumber, SingleLine(form.JobNumber), changed);
    return changed;
}

bool StoreExtraTzDepths(bool print, TProgramData& project)
{
    bool changed = false;
    StoreField(project.ExtraTZDepths, print ? 1 : 0, changed);
    return changed;
}

} // namespace korva::app
