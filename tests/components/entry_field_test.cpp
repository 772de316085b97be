// The model of the numeric entry fields: bounds, formats, unit labels and the
// exit validation with its messages.
#include <cstring>

#include <gtest/gtest.h>

#include "entry_field.h"
#include "exceptions.h"
#include "message_of.h"
#include "test_support.h"
#include "unit_codes.h"

namespace korva::test {
namespace {

using components::EntryBoundDefault;
using components::Extended;
using components::TEntryKind;
using components::TEntryModel;

TEntryModel EditWith(const std::string& text)
{
    TEntryModel field;
    field.SetText(text);
    return field;
}

TEST(EntryModel, ANewFieldShowsZeroWithTheWidestBounds)
{
    TEntryModel field;
    field.Caption = "Length";
    EXPECT_EQ(field.Text(), "0");
    EXPECT_EQ(field.GetNumber(), 0);
    EXPECT_EQ(field.LabelText(), "Length");
    EXPECT_FALSE(field.EntryValid);
    EXPECT_EQ(field.MaxVal(), EntryBoundDefault());
    EXPECT_EQ(field.MinVal(), -EntryBoundDefault());
    // The stored bytes: exponent 7FFE, mantissa FFFFFFFFFFFFFFB0.
    unsigned char bytes[16] = {};
    const Extended bound = EntryBoundDefault();
    std::memcpy(bytes, &bound, 10);
    EXPECT_EQ(bytes[0], 0xB0);
    EXPECT_EQ(bytes[8], 0xFE);
    EXPECT_EQ(bytes[9], 0x7F);
    EXPECT_EQ(field.FormatNumber(field.MaxVal()), "1.18973149535723176E4932");
}

TEST(EntryModel, ExitValidationTable)
{
    struct Case {
        const char* text;
        bool integerOnly;
        Extended min, max;
        bool valid;
        const char* textAfter;
        const char* message;
    };
    const Extended wide = EntryBoundDefault();
    const Case cases[] = {
        {"2*3", false, -wide, wide, true, "6", ""},
        {"(1+2)*3", false, -wide, wide, true, "9", ""},
        {"1/3", false, -wide, wide, true, "0.333333333333333333", ""},
        {"-1", false, 0, wide, false, "0", "Entry must be greater than or equal to 0"},
        {"12", false, 0, 10.5L, false, "10.5", "Entry must be less than or equal to 10.5"},
        {"2.5", true, -wide, wide, false, "2.5", "Entry must be an integer."},
        {"abc", true, -wide, wide, false, "abc", "Entry must be a valid integer."},
        {"abc", false, -wide, wide, false, "abc", "Entry could not be evaluated:\rinvalid character(s) in expression"},
        {"1+", false, -wide, wide, false, "1+", "Entry could not be evaluated:\rinvalid expression"},
        {"", false, -wide, wide, false, "", "Entry could not be evaluated:\rentry cannot be blank"},
        {"10", false, 10, 10, true, "10", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TEntryModel field;
        field.SetIntegerOnly(c.integerOnly);
        field.SetMaxVal(c.max);
        field.SetMinVal(c.min);
        field.SetText(c.text);
        const auto result = field.Validate();
        EXPECT_EQ(result.Valid, c.valid);
        EXPECT_EQ(field.EntryValid, c.valid);
        EXPECT_EQ(result.Text, c.textAfter);
        EXPECT_EQ(field.Text(), c.textAfter);
        EXPECT_EQ(result.Message, c.message);
    }
}

// An arithmetic fault of the evaluator is shown like an entry error; it
// never leaves the validation as an exception.
TEST(EntryModel, ArithmeticFaultsAreEntryErrors)
{
    for (const char* text : {"1/0", "7%0", "ln0-1e4932*10", "9e4931*9e4931"}) {
        SCOPED_TRACE(text);
        TEntryModel field = EditWith(text);
        components::TEntryValidation result;
        EXPECT_NO_THROW(result = field.Validate());
        EXPECT_FALSE(result.Valid);
        EXPECT_FALSE(result.Message.empty());
        EXPECT_EQ(field.Text(), text);
    }
}

TEST(EntryModel, HexShowsFourOrMoreUpperCaseDigits)
{
    TEntryModel field;
    field.SetHex(true);
    field.SetNumber(255);
    EXPECT_EQ(field.Text(), "$00FF");
    EXPECT_EQ(field.FormatNumber(2.5L), "$0002"); // halves to even
    EXPECT_EQ(field.FormatNumber(3.5L), "$0004");
    EXPECT_EQ(field.FormatNumber(0x12345), "$12345");
    // A negative value reads back as itself.
    field.SetNumber(-1);
    EXPECT_EQ(field.Text(), "$FFFFFFFF");
    EXPECT_EQ(field.GetNumber(), -1);
    field.SetText("$1F+1");
    EXPECT_TRUE(field.Validate().Valid);
    EXPECT_EQ(field.Text(), "$0020");
    // The range message writes the bound in the field's own format.
    field.SetMinVal(16);
    field.SetText("1");
    EXPECT_EQ(field.Validate().Message, "Entry must be greater than or equal to $0010");
}

TEST(EntryModel, BoundSettersClampInTheirOrder)
{
    TEntryModel field = EditWith("50");
    field.SetMinVal(10);
    field.SetMaxVal(5); // raised to MinVal, and the value follows
    EXPECT_EQ(field.MaxVal(), 10);
    EXPECT_EQ(field.Text(), "10");
    field.SetMinVal(20); // lowered to MaxVal
    EXPECT_EQ(field.MinVal(), 10);

    TEntryModel integral = EditWith("3");
    integral.SetIntegerOnly(true); // the widest bounds become the 32-bit range
    EXPECT_EQ(integral.MaxVal(), 2147483647.0L);
    EXPECT_EQ(integral.MinVal(), -2147483648.0L);
    integral.SetMaxVal(1E10L);
    EXPECT_EQ(integral.MaxVal(), 2147483647.0L);

    TEntryModel low = EditWith("-7");
    low.SetMinVal(0); // the value below the new bound is set to it
    EXPECT_EQ(low.Text(), "0");
    low.SetNumber(-3); // and the number setter clamps
    EXPECT_EQ(low.Text(), "0");

    TEntryModel invalid = EditWith("abc");
    EXPECT_EQ(MessageOf<components::EAssignError>([&] { invalid.SetMaxVal(1); }),
              "Entry could not be evaluated:\rinvalid character(s) in expression");
}

TEST(EntryModel, LoadingStoresValuesAsGiven)
{
    TEntryModel field = EditWith("abc");
    field.Loading = true;
    field.SetMaxVal(-5); // below MinVal, over an invalid text: no check, no raise
    field.SetIntegerOnly(true);
    field.SetNumber(7);
    EXPECT_EQ(field.MaxVal(), -5);
    EXPECT_EQ(field.Text(), "7");
}

TEST(EntryModel, UnitsTextAndLabel)
{
    struct Case {
        const char* units;
        int system;
        const char* text;
    };
    const Case cases[] = {
        {"F/L2", 1, "lbs/ft"},     {"F/L2", 2, "kN/m"},   {"F/L2", 3, "F/L2"},
        {"F1-L", 1, "kips-in"},    {"F1/F", 1, "kips/F"}, {"F2/L1", 2, "kN/mm"},
        {"F4", 1, "lb-sec2/in"},   {"F6", 2, "Mg"},       {"F5", 1, "sec"},
        {"L3", 1, "rad"},          {"F/L²", 1, "lbs/in²"}, {"L2/L", 1, "ft/L"},
        {"degrees", 1, "degrees"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        TEntryModel field;
        field.UnitsString = c.units;
        field.SetUnits(c.system);
        EXPECT_EQ(field.GetUnitsText(), c.text);
    }

    TEntryModel length;
    length.Caption = "&Total Length, TL";
    length.UnitsString = "L2";
    EXPECT_EQ(length.LabelText(), "&Total Length, TL (ft)");
    length.SetUnits(2);
    EXPECT_EQ(length.LabelText(), "&Total Length, TL (m)");
    length.SetUnits(0);
    EXPECT_EQ(length.Units(), 1);
    length.SetUnits(7);
    EXPECT_EQ(length.Units(), 3);
}

TEST(EntryModel, ComboBoxDiffersFromTheEditField)
{
    TEntryModel combo(TEntryKind::Combo);
    EXPECT_EQ(combo.MinVal(), 0);
    EXPECT_EQ(combo.MaxVal(), 0);
    combo.SetText("5"); // both bounds 0 until set
    auto result = combo.Validate();
    EXPECT_EQ(result.Message, "Entry must be less than or equal to 0");
    EXPECT_EQ(combo.Text(), "0");

    combo.SetMaxVal(10);
    combo.Items = {"Low", "Half"};
    combo.Values = {"1", "2.5"};
    combo.SetText("Half");
    EXPECT_TRUE(combo.Validate().Valid);
    EXPECT_EQ(combo.Text(), "2.5");
    EXPECT_EQ(combo.GetNumber(), 2.5L);

    combo.SetText("2*3"); // valid, the text stays as typed
    EXPECT_TRUE(combo.Validate().Valid);
    EXPECT_EQ(combo.Text(), "2*3");

    combo.SetMaxVal(1.0L / 3); // the bound in 8 digits
    combo.SetText("1");
    EXPECT_EQ(combo.Validate().Message, "Entry must be less than or equal to 0.33333333");
    combo.SetIntegerOnly(true);
    EXPECT_EQ(combo.FormatNumber(-2.7L), "-2");

    combo.UnitsString = "F1/L2";
    combo.SetUnits(1);
    EXPECT_EQ(combo.GetUnitsText(), "lbs1/in2"); // only the plain letters
    combo.SetUnits(2);
    EXPECT_EQ(combo.GetUnitsText(), "kN1/m2");
}

TEST(EntryModel, Keys)
{
    for (char key : std::string("+-/*^=%!"))
        EXPECT_TRUE(components::IsOperatorKey(key)) << key;
    for (char key : std::string("1.aE(\r"))
        EXPECT_FALSE(components::IsOperatorKey(key)) << key;
    for (char key : std::string("0123456789-.eE\b"))
        EXPECT_TRUE(components::ComboKeyPasses(key)) << key;
    for (char key : std::string("+*/ axX,\r"))
        EXPECT_FALSE(components::ComboKeyPasses(key)) << key;
    EXPECT_EQ(components::ComboKeyUpper('e'), 'E');
}

TEST(EntryModel, AValueSetAndNotEditedComesBackWhole)
{
    // A converted length shows its 18 digits (20 ft in metres shows 6.096)
    // and is given back as it was set, to the last bit, until the text is
    // edited; a hexadecimal text stands for its own whole number.
    const Extended metres = 20 * 0.3048L;
    TEntryModel field;
    field.SetNumber(metres);
    EXPECT_EQ(field.Text(), "6.096");
    EXPECT_EQ(field.GetNumber(), metres);
    EXPECT_TRUE(field.Validate().Valid);
    EXPECT_EQ(field.Text(), "6.096");
    EXPECT_EQ(field.GetNumber(), metres);
    field.SetText("6.0960");
    EXPECT_EQ(field.GetNumber(), 6.096L);
    field.SetText("6.096"); // typed back as shown: the value shown
    EXPECT_EQ(field.GetNumber(), metres);

    TEntryModel combo(TEntryKind::Combo);
    combo.SetMaxVal(100);
    combo.SetNumber(1 / 3.0L);
    EXPECT_EQ(combo.Text(), "0.33333333");
    EXPECT_EQ(combo.GetNumber(), 1 / 3.0L);

    TEntryModel hex;
    hex.SetHex(true);
    hex.SetNumber(254.75L);
    EXPECT_EQ(hex.Text(), "$00FF");
    EXPECT_EQ(hex.GetNumber(), 255);
}

TEST(EntryModel, AValueSetShowsTheDigitsItsUnitCarriesAndATypedOneItsOwn)
{
    // Set by the program, a stress converted to SI shows the 10 digits of
    // the force factor, and the field gives back the value whole; typed, the
    // value shows the digits typed, also when the program sets that value
    // again (a store and a load).
    const Extended stress = components::ConvertUnits(2000, components::kUnitsEnglish, components::kUnitsSI, "F/L2^2");
    TEntryModel field;
    field.UnitsString = "F/L2^2";
    field.SetNumber(stress);
    EXPECT_EQ(field.Text(), "95.76052622");
    EXPECT_EQ(field.GetNumber(), stress);
    // Left without an edit: the text and the value stay.
    EXPECT_TRUE(field.Validate().Valid);
    EXPECT_EQ(field.Text(), "95.76052622");
    EXPECT_EQ(field.GetNumber(), stress);

    for (const char* typed : {"95.76", "95.7605262301", "1234.56789012345"}) {
        field.SetText(typed);
        EXPECT_TRUE(field.Validate().Valid);
        EXPECT_EQ(field.Text(), typed);
        const Extended value = field.GetNumber();
        field.SetNumber(value);
        EXPECT_EQ(field.Text(), typed);
        EXPECT_EQ(field.GetNumber(), value);
    }
    field.SetNumber(stress); // another value: shown by its unit again
    EXPECT_EQ(field.Text(), "95.76052622");

    TEntryModel plain; // no unit: the format's 18 digits
    plain.SetNumber(1 / 3.0L);
    EXPECT_EQ(plain.Text(), "0.333333333333333333");
}

TEST(EntryModel, AValidEntryLeftShowsWhatTheStoreKeeps)
{
    // The store's own rounding applied when the field is left; an entry
    // that fails its check is not rounded.
    TEntryModel field;
    field.SetMaxVal(500);
    field.StoredForm = [](Extended v) { return v < 0.000001L ? 1.0L : v; };
    for (const auto& [typed, shown] : {std::pair{"-0.8476", "1"}, std::pair{"1E-7", "1"}, std::pair{"2*0.25", "0.5"}}) {
        field.SetText(typed);
        EXPECT_TRUE(field.Validate().Valid) << typed;
        EXPECT_EQ(field.Text(), shown) << typed;
    }
    EXPECT_EQ(field.GetNumber(), 0.5L);
    field.SetText("-1");
    EXPECT_EQ(field.GetNumber(), -1); // not before it is left
    EXPECT_TRUE(field.Validate().Valid);
    EXPECT_EQ(field.GetNumber(), 1);
    field.SetText("600");
    EXPECT_FALSE(field.Validate().Valid);
    EXPECT_EQ(field.Text(), "500");
}

TEST(EntryModel, NumbersIgnoreTheCLocale)
{
    ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    TEntryModel field = EditWith("1.5*3");
    EXPECT_TRUE(field.Validate().Valid);
    EXPECT_EQ(field.Text(), "4.5");
}

} // namespace
} // namespace korva::test
