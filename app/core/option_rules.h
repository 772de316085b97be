#pragma once
// The rules of the three small option dialogs without their widgets:
// control options (computation increment, print interval), project title
// and the t-z print option.
#include <string>

#include "program_data.h"

namespace korva::app {

// Bounds of the control options' entry fields.
inline constexpr Extended kMaxIncrementLength = 500.0L;
inline constexpr Extended kMinPrintEvery = 1.0L;
inline constexpr Extended kMaxPrintEvery = 500.0L;
// An increment below this cannot be computed with; 1 is used in its place.
inline constexpr Extended kSmallestIncrement = 0.000001L;

// The increment as the options show and store it: 1 in place of one below
// 0.000001 (zero and negative increments included).
Extended UsableIncrement(Extended increment);
// The print interval as stored: the nearest whole number, halves to even
// (2.5 gives 2, 3.5 gives 4), kept within 1..500.
std::int32_t RoundedPrintEvery(Extended printEvery);

struct TOptionsForm {
    Extended PrintEvery = 1;
    Extended IncrementLength = 1;
};

TOptionsForm LoadOptionsForm(const TProgramData& project);
// True when a project value changed.
bool StoreOptionsForm(const TOptionsForm& form, TProgramData& project);

// The project title may hold at most this many characters.
inline constexpr int kMaxTitleLength = 80;

struct TTitleForm {
    std::string ProjectTitle;
    std::string DesignerName;
    std::string JobNumber;
};

TTitleForm LoadTitleForm(const TProgramData& project);
// Stores the three texts, each on one line (line breaks become blanks) and
// the title cut to its 80 characters. True when one of them changed.
bool StoreTitleForm(const TTitleForm& form, TProgramData& project);

// The t-z print option: "Print Internally-Generated" at the extra depths.
bool StoreExtraTzDepths(bool print, TProgramData& project);

} // namespace korva::app
