#pragma once
// The model of the numeric entry fields (TDataEdit on a line edit, TDataCombo
// on a combo box), without widgets: the text, the integer-only flag, the
// bounds, the value, the unit label and the exit validation. The widgets keep
// one of these and copy the text in and out.
//
// The user types a number or an expression; leaving the field (or Enter)
// evaluates it, checks it against IntegerOnly, MinVal and MaxVal, rewrites it
// in the normal form (2*3 becomes 6) and explains a failure in a message.
#include <functional>
#include <string>
#include <vector>

#include "number_format.h"

namespace korva::components {

// The bound of a field without limits (negative for MinVal): the 80-bit value
// with the largest finite exponent and the 64-bit mantissa ending in B0 hex,
// 1.18973149535723176E4932, a little below the largest finite value.
Extended EntryBoundDefault();

enum class TEntryKind {
    Edit,  // TDataEdit: 18 digits or hexadecimal, rewrites its text on success
    Combo, // TDataCombo: 8 digits, items that stand for values, text kept on success
};

// What the exit validation did.
struct TEntryValidation {
    bool Valid = false;
    std::string Message; // the text of the information box; empty when valid
    std::string Text;    // the field's text afterwards
};

class TEntryModel {
public:
    // A new field shows 0. The bounds are the defaults for an edit field; a
    // combo box made at run time has both bounds 0 until they are set.
    explicit TEntryModel(TEntryKind kind = TEntryKind::Edit);

    TEntryKind Kind() const { return kind_; }

    const std::string& Text() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }

    // While true (the field's definition is being read) the setters store
    // values as given, without clamping or checks.
    bool Loading = false;

    bool IntegerOnly() const { return integerOnly_; }
    // On, the bounds are limited to the 32-bit range (max first, then min).
    void SetIntegerOnly(bool value);

    Extended MinVal() const { return minVal_; }
    Extended MaxVal() const { return maxVal_; }
    // The bound is kept on its side of the other one and within the 32-bit
    // range with IntegerOnly; a value beyond the new bound is set to it. Both
    // evaluate the text, so an invalid text raises EAssignError here.
    void SetMaxVal(Extended value);
    void SetMinVal(Extended value);

    // Edit fields only: the value is shown as "$" and hexadecimal digits.
    bool Hex() const { return hex_; }
    void SetHex(bool value) { hex_ = value; }

    // 1 English, 2 SI, 3 the unit template as written; others are clipped.
    int Units() const { return units_; }
    void SetUnits(int units);

    std::string Caption; // shown in the linked label
    // The unit template of the value: F, F1, F2, F4, F5, F6, L, L1, L2, L3
    // (a field without a label may have one too). A value the program sets
    // is shown with no more digits than a unit switch of this unit carries.
    std::string UnitsString;

    // What the field's store keeps of an entry when it rounds or repairs it
    // (a print interval to a whole number, an increment below 0.000001 as
    // 1): applied to a valid entry when the field is left, so that the field
    // shows what will be stored from then on. Unset: the entry as it is.
    std::function<Extended(Extended)> StoredForm;

    // Combo boxes: the value text of the item with the same index.
    std::vector<std::string> Items;
    std::vector<std::string> Values;

    // The value of the text; raises EAssignError for a bad entry (and
    // EArithmeticError for an arithmetic fault). In a combo box an item's
    // text is first replaced by its value text. While the text is still the
    // one SetNumber showed, the value it was given, to the last digit: the
    // text shows at most the format's digits, and a field left unedited
    // gives back what it was given. A valid entry, once the field is left,
    // is given back as it was evaluated.
    Extended GetNumber();
    // Clamped to the bounds (unless Loading), then shown in FormatShown. A
    // field given the value it shows keeps its text: the digits a user typed
    // stay in view when a store and a load bring the value back.
    void SetNumber(Extended value);
    // Edit: "$" and at least four hexadecimal digits when Hex, else the
    // general format with 18 digits. Combo: the truncated integer with
    // IntegerOnly, else the general format with 8 digits.
    std::string FormatNumber(Extended value) const;
    // The text of a value the program sets: FormatNumber with no more
    // digits than the conversion of UnitsString carries (ShownDigits of
    // unit_codes.h), so that a converted value shows none of the
    // conversion's noise; what a user types is rewritten in FormatNumber.
    std::string FormatShown(Extended value) const;

    // The unit template expanded for Units.
    std::string GetUnitsText() const;
    // Caption, or Caption + " (" + units + ")" when there is a template.
    std::string LabelText() const;

    // Cleared when an exit validation starts, set when it succeeds.
    bool EntryValid = false;

    // The exit validation. It never raises: every failure, arithmetic faults
    // included, comes back as a message with the text as the failure leaves
    // it (unchanged, or the violated bound).
    TEntryValidation Validate();

private:
    // The value and the text shown for it, given back by GetNumber while the
    // text stays.
    void Keep(Extended value);
    bool TextKept() const { return keepsNumber_ && GeneralFormat() && text_ == keptText_; }
    // The value is shown in the general format (not as hexadecimal digits or
    // an integer, which stand for their own whole number).
    bool GeneralFormat() const { return kind_ == TEntryKind::Combo ? !integerOnly_ : !hex_; }

    TEntryKind kind_;
    std::string text_ = "0";
    bool integerOnly_ = false;
    bool hex_ = false;
    Extended minVal_;
    Extended maxVal_;
    int units_ = 1;
    // The value SetNumber gave (or a valid entry evaluated to) and the text
    // shown for it, in the general format only.
    bool keepsNumber_ = false;
    Extended keptNumber_ = 0;
    std::string keptText_;
};

// Keys of the edit field: with the whole text selected, one of these typed
// is appended to the value instead of replacing it.
bool IsOperatorKey(char key);

// Keys of the combo box: the key upper-cased, and whether it passes
// (backspace, "-", ".", digits and "E"); every other key is swallowed.
char ComboKeyUpper(char key);
bool ComboKeyPasses(char key);

} // namespace korva::components
