#include "page_setup.h"

#include <algorithm>

#include "int_utils.h"
#include "number_format.h"

namespace korva::components {

namespace {

bool NewlyAdded(const TPageOptions& now, const TPageOptions& old, TPageSetupFlag flag)
{
    return now.Has(flag) && !old.Has(flag);
}

int HundredthsOfMillimetreToThousandthsOfInch(int value)
{
    return static_cast<int>(RoundToInt(static_cast<Extended>(value) * 1000 / 2540));
}

} // namespace

TPageOptions::TPageOptions(std::initializer_list<TPageSetupFlag> flags)
{
    for (const TPageSetupFlag flag : flags)
        Include(flag);
}

TPageSetup::TPageSetup() : options_{poDefaultMinMargins, poHundredthsOfMillimeters} {}

void TPageSetup::SetOptions(TPageOptions options)
{
    const TPageOptions old = options_;
    if (NewlyAdded(options, old, poDefaultMinMargins))
        options.Exclude(poMinMargins);
    if (NewlyAdded(options, old, poMinMargins))
        options.Exclude(poDefaultMinMargins);
    if (NewlyAdded(options, old, poHundredthsOfMillimeters))
        options.Exclude(poThousandthsOfInches);
    if (NewlyAdded(options, old, poThousandthsOfInches))
        options.Exclude(poHundredthsOfMillimeters);
    options_ = options;
}

void TPageSetup::SetMargin(int TPageMargins::*side, int value)
{
    margins_.*side = std::max(value, minMargins_.*side);
}

void TPageSetup::SetMinMargin(int TPageMargins::*side, int value)
{
    minMargins_.*side = std::min(value, margins_.*side);
}

void TPageSetup::SetMargins(const TPageMargins& margins)
{
    SetMarginLeft(margins.Left);
    SetMarginTop(margins.Top);
    SetMarginRight(margins.Right);
    SetMarginBottom(margins.Bottom);
}

TPageMargins TPageSetup::MarginsInThousandthsOfInch() const
{
    if (!InMillimetres())
        return margins_;
    return {HundredthsOfMillimetreToThousandthsOfInch(margins_.Left),
            HundredthsOfMillimetreToThousandthsOfInch(margins_.Top),
            HundredthsOfMillimetreToThousandthsOfInch(margins_.Right),
            HundredthsOfMillimetreToThousandthsOfInch(margins_.Bottom)};
}

TPageMargins TPageSetup::InitialMargins() const
{
    if (options_.Has(poMargins))
        return margins_;
    const int margin = InMillimetres() ? kDefaultMarginHundredthsOfMillimetre : kDefaultMarginThousandthsOfInch;
    return {margin, margin, margin, margin};
}

TPageMargins TPageSetup::LowestMargins() const
{
    if (options_.Has(poMinMargins))
        return minMargins_;
    return {0, 0, 0, 0};
}

void TPageSetup::SetPaperInches(Extended width, Extended length)
{
    paperWidth_ = width;
    paperLength_ = length;
}

int TPageSetup::MarginUnits(Extended shown) const
{
    return static_cast<int>(RoundToInt(shown * UnitsPerShownUnit()));
}

Extended TPageSetup::KeptMargin(Extended shown) const
{
    return static_cast<Extended>(MarginUnits(shown)) / UnitsPerShownUnit();
}

int TPageSetup::PaperWidth() const
{
    return static_cast<int>(RoundToInt(paperWidth_ / InchesPerUnit()));
}

int TPageSetup::PaperLength() const
{
    return static_cast<int>(RoundToInt(paperLength_ / InchesPerUnit()));
}

std::string TPageSetup::MarginsRefusal(const TPageMargins& margins) const
{
    const Extended perUnit = InchesPerUnit();
    const Extended width = paperWidth_ - (static_cast<Extended>(margins.Left) + margins.Right) * perUnit;
    const Extended length = paperLength_ - (static_cast<Extended>(margins.Top) + margins.Bottom) * perUnit;
    if (width >= 1 && length >= 1)
        return {};
    // The sizes in the unit the dialog shows: inches to two places, millimetres whole.
    const auto shown = [this](Extended inches) {
        return InMillimetres() ? FormatFixed(inches * 25.4L, 0) : FormatFixed(inches, 2);
    };
    const std::string unit = ShownUnit();
    return "These margins leave less than 1 inch (25.4 mm) each way to print on the paper of " + shown(paperWidth_) +
           " x " + shown(paperLength_) + " " + unit + ": the printable area would be " +
           shown(std::max<Extended>(width, 0)) + " x " + shown(std::max<Extended>(length, 0)) + " " + unit +
           ".\rPlease make the margins smaller.";
}

TPixelPoint CenteredOnScreen(const TPixelRect& screen, int windowWidth, int windowHeight)
{
    return {screen.Left + (screen.Width() - windowWidth) / 2, screen.Top + (screen.Height() - windowHeight) / 3};
}

} // namespace korva::components
