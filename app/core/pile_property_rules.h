#pragma once
// The rules of the two pile property dialogs without their widgets: which
// fields of the circular section apply to the pile type and end condition,
// what the dialogs show and store, and the check of the stickup length.
#include "program_data.h"

namespace korva::app {

// The circular section's fields (OD, ID, lengths in in/mm and ft/m).
struct TCircularForm {
    Extended OuterDiameter = 0;
    Extended InnerDiameter = 0;
    Extended PileLength = 0;
    Extended EndSectionLength = 0;
    Extended EndSectionInnerDiameter = 0;
    Extended ZeroFrictionLength = 0;
    Extended StickupLength = 0;
    int PlugCondition = 0; // 0 computed, 1 plugged, 2 unplugged
};

struct TCircularEnabling {
    bool InnerDiameter = false; // a pipe or a circular precast tube
    bool EndSection = false;    // ... and open-ended: lower end section
    bool PlugGroup = false;     // the plug condition of an open-ended pipe or tube
};

TCircularEnabling CircularEnabling(const TProgramData& project);

// The fields as the project shows them; a pile without an inner diameter
// shows 0 for ID and the end section (and stores 0 on leaving).
TCircularForm LoadCircularForm(const TProgramData& project);
// True when a project value changed.
bool StoreCircularForm(const TCircularForm& form, TProgramData& project);

// The noncircular section's fields.
struct TNoncircularForm {
    Extended Perimeter = 0;
    Extended TipArea = 0;
    Extended PileLength = 0;
    Extended ZeroFrictionLength = 0;
    Extended StickupLength = 0;
};

TNoncircularForm LoadNoncircularForm(const TProgramData& project);
bool StoreNoncircularForm(const TNoncircularForm& form, TProgramData& project);

// A negative stickup length is refused with this message and becomes 0.
inline constexpr const char* kStickupMessage = "Pile Stickup Length should be a positive number\rIt will be set as 0";
// True when the stickup length must be refused (below 0; 0 is accepted).
inline bool StickupRefused(Extended stickup)
{
    return stickup < 0;
}

} // namespace korva::app
