#pragma once
// The rules of the pile material dialog without its widgets: what the
// controls show for a project, which of them are enabled for the checked
// choices, the cross-section area computed from the pile section, and what
// leaving the dialog stores.
#include "program_data.h"

namespace korva::app {

// The state of the dialog's controls.
struct TMaterialForm {
    int PileType = ptSteelPipe;       // the checked pile-type radio (TPileType)
    bool SteelClosedEnded = false;    // "Close-Ended Pile" of the steel pipe
    bool PrecastCircular = true;      // "Circular/Tubular" of the precast pile
    bool PrecastClosedEnded = false;  // "Close-Ended Pile" of the precast pile
    Extended TaperAngle = 0;          // degrees
    Extended ElasticModulus = 0;
    int SectionAreaMode = 0;          // 0 from the section, 1 constant, 2 along depth
    Extended SectionArea = 0;         // the constant area
};

// Which controls can be used.
struct TMaterialEnabling {
    bool TaperAngle = false;     // the angle field and its labels
    bool SteelEnds = false;      // open/closed end of the steel pipe
    bool PrecastShape = false;   // circular or orthogonal precast section
    bool PrecastEnds = false;    // open/closed end of a circular precast pile
    bool SectionArea = false;    // the constant area field
    bool SectionTable = false;   // "Data Button": the area along depth
};

// True for the pile types whose taper the FHWA method uses.
bool IsTaperedPileType(int pileType);

// The enabling rules for the checked choices; the angle needs the FHWA
// method among the selected capacity methods.
TMaterialEnabling MaterialEnabling(const TMaterialForm& form, bool fhwaSelected);

// The controls as a project shows them. A taper angle or a constant area
// whose field is disabled shows 0 (and is stored so on leaving).
TMaterialForm LoadMaterialForm(const TProgramData& project);

// The area shown beside "Calculate from Pile Section", in in^2 or m^2: the
// ring (OD^2 - ID^2) x 3.1416 / 4 of a steel pipe or a circular precast
// pile, the full circle OD^2 x 3.1416 / 4 of the other round piles (from
// mm^2 to m^2 in SI); the project's TipArea for an H-pile or an orthogonal
// precast pile.
Extended ComputedSectionArea(const TMaterialForm& form, const TProgramData& project);

// Stores the controls: the type with its section shape and end condition,
// the taper angle (0 unless FHWA is a selected method), the modulus and the
// area choice. True when a project value changed.
bool StoreMaterialForm(const TMaterialForm& form, TProgramData& project);

// The check of the "Close" button.
inline constexpr const char* kModulusMessage = "Modulus of Elasticity should be greater than zero.\rPlease check";

} // namespace korva::app
