#pragma once
// The soil properties window without its widgets ("Data for Layer n"): the
// page of one layer's soil type, the values at the top and bottom of the
// layer, which inputs the selected methods use (enabled, visible, the texts
// of the Ko group), the choice of friction angle or blow counts, the clay's
// adhesion graph, and the store back into the layer's sub-table of D.
#include <array>
#include <string>
#include <vector>

#include "number_format.h"
#include "program_data.h"
#include "project_tables.h"

namespace korva::app {

using components::Extended;

// What decides a field's enabling and visibility.
enum class TSoilInput {
    UnitWeight,
    FrictionAngle,    // with the angle choice
    BlowCounts,       // with the blow-count choice
    Ko,               // sand: by API, USACE or Revised Lambda; silt: always
    Nq,               // API
    UserValues,       // the user-specified method
    ConeResistance,   // shown in the offshore edition, used by the cone-based methods
    UndrainedStrength,
    RemoldedStrength, // steel pipe piles or the offshore edition
    PiYsr,            // shown in the offshore edition, used by the cone-based methods
};

// One row of a page: a caption, the sub-table column it edits (top value in
// row 0, bottom value in row 1), the unit template of its fields and the
// name of the value it edits (tests and the probe find a field by it).
struct TSoilField {
    std::string Caption;
    int Column;
    std::string UnitsString;
    TSoilInput Input;
    std::string Name;
};

// The rows of the page of a soil type (1 sand, 2 clay, 3 silt), in order.
const std::vector<TSoilField>& SoilPageFields(int soilType);

// A field's value as the store keeps it: the blow counts a whole number
// (halves to even, within the 32-bit range, as their integer column holds
// them), any other value as it is.
Extended StoredSoilValue(const TSoilField& field, Extended value);

// The adhesion list of the clay page.
inline constexpr std::array<const char*, 4> kAdhesionItems = {
    "0 - Estimated by the program", "1 - Using Tomlinson Graph A", "2 - Using Tomlinson Graph B",
    "3 - Using Tomlinson Graph C"};
// "Show Graph" for item 0, else "Show Graph A", "B" or "C".
std::string GraphButtonCaption(int adhesionIndex);
inline bool GraphButtonEnabled(int adhesionIndex) { return adhesionIndex >= 1 && adhesionIndex <= 3; }

struct TSoilPropertiesState {
    int LayerNumber = 1; // 1-based
    int SoilType = kSand;
    std::string Caption; // "Data for Layer n"
    // Values by sub-table column, [column][0 top, 1 bottom].
    std::array<std::array<Extended, 2>, 9> Values{};
    // Sand and silt: the blow counts are entered instead of the friction angle.
    bool BlowCountChoice = false;
    // The user picked one of the two: the other is then stored as 0. Until
    // then a layer that holds both keeps both.
    bool ChoicePicked = false;
    // Clay: the adhesion list's item (0 estimated, 1-3 graph A-C), read
    // from the bottom row.
    int AdhesionIndex = 0;
    // The user picked an item: it is then stored into both rows.
    bool AdhesionPicked = false;

    // What the selected methods use.
    bool OffshoreEdition = true;
    bool OffshoreMethods = false; // any of NGI, ICP/MTD, FUGRO, UWA
    bool KoEnabled = false;
    bool NqEnabled = false;
    bool UserValuesEnabled = false;
    bool RemoldedEnabled = false;
    bool AdhesionVisible = false;
    // The heading and notes of the sand page's Ko/Nq group.
    std::array<std::string, 4> KoTexts;
};

// Loads the page of layer `layerNumber` (1-based) of D: its soil type is the
// layer's own, the values are its sub-table's.
TSoilPropertiesState LoadSoilProperties(const TProgramData& project, TGridTable& D, int layerNumber);

// Whether a field is enabled / shown on the page.
bool SoilFieldEnabled(const TSoilPropertiesState& state, TSoilInput input);
bool SoilFieldVisible(const TSoilPropertiesState& state, TSoilInput input);

// Stores the page into the layer's sub-table: blow counts rounded to
// integers (halves to even); once the user picked angle or blow counts,
// only the chosen one kept (the other stored as 0); a picked adhesion item
// into both rows. A page closed without an edit changes nothing. Returns
// true when a stored value changed.
bool StoreSoilProperties(const TSoilPropertiesState& state, TGridTable& D);

} // namespace korva::app
