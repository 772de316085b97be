#pragma once
// Unit codes of float columns: a numerator and an optional denominator
// separated by a slash, each a force/mass code (F, F0-F6) and a length code
// (L, L0-L3), each with an optional one-digit exponent (L2^3). F/L2^2 is a
// stress: lbs/ft^2 in English units, kN/m^2 in SI.
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korva::components {

// Unit systems of grid tables and unit templates.
inline constexpr int kUnitsEnglish = 1;
inline constexpr int kUnitsSI = 2;
// Leaves the placeholders of a template as written (F, L, M, T).
inline constexpr int kUnitsPlaceholders = 3;

// The significant digits a value converted by exact factors only carries:
// those of a double, the engine's numbers (a length of 20 ft is 6.096 m to
// every digit, but a length typed in feet with 17 digits has no 17 digits
// in metres that anyone could use).
inline constexpr int kExactFactorDigits = 15;

// One code of the program's unit table: its unit word in each system, the
// placeholder it stands for and its conversion factor, held in the direction
// in which its decimal is exact: English units per SI unit for the forces and
// masses (224.8089237 lbs per kN), SI units per English unit for the lengths
// (0.3048 m per ft, 25.4 mm per in, 0.0254 m per in). The other direction is
// the exact reciprocal.
struct TUnitCodeRow {
    const char* Code;
    const char* English;
    const char* SI;
    const char* Placeholder;
    long double Factor;
    // The significant digits of the factor's decimal, kExactFactorDigits for
    // a factor exact by definition: a value converted by it carries no more
    // (2 ksf are 95.76052622 kPa by 224.8089237 lbs per kN; the digits after
    // those are the factor's rounding, not the soil's strength).
    int Digits;
};

// The program's one unit table (F2, F1, F4, F5, F6, F, L3, L2, L1, L), in
// the order of replacement in header texts: codes that begin with another
// code's text come first.
std::span<const TUnitCodeRow> UnitCodeTable();

// The unit word of one code of the table in a unit system (1 English, 2 SI);
// for any other system, or a code not in the table, the code itself.
std::string_view UnitWord(std::string_view code, int units);

// One kind of placeholder of a unit template expanded: the first code of
// `numbered` that the template holds, else `plain`, replaced by its unit
// word everywhere (the plot axes and the entry fields expand one force and
// one length placeholder this way, each with its own list).
std::string ExpandPlaceholder(std::string_view unitTemplate, std::initializer_list<std::string_view> numbered,
                              std::string_view plain, int units);

// Value in English units per value in SI units of one term (no slash).
long double UnitCodeFactor(std::string_view term);

// Factor that converts a value of the given code from one unit system to the
// other: SI to English the English units per SI unit of the code, English to
// SI the SI units per English unit, 1 otherwise. Each is the product of the
// table's factors in their exact direction and their exact reciprocals.
long double UnitConversionFactor(int fromUnits, int toUnits, std::string_view code);

// How the values of a unit code change between the systems: multiplied by
// Factor one way and divided by it the other way, so that a switch there and
// back gives the value it started from (a factor and its reciprocal, each
// rounded, would shift every value a little with each pair of switches).
struct TUnitConversion {
    long double Factor = 1.0L;
    bool SIPerEnglish = false; // Factor is SI units per English unit

    long double ToEnglish(long double siValue) const { return SIPerEnglish ? siValue / Factor : siValue * Factor; }
    long double ToSI(long double englishValue) const
    {
        return SIPerEnglish ? englishValue * Factor : englishValue / Factor;
    }
};

// The conversion of a code: one exact factor of the table where the code
// has one factor other than 1 on either side of its slash (20 ft become
// 20 x 0.3048 m, 6.096 m become 6.096 / 0.3048 ft), else their quotient.
TUnitConversion UnitConversion(std::string_view code);

// A value of the code in the unit system `toUnits` (1 English, 2 SI) from
// its value in `fromUnits`; unchanged for the same or any other system.
long double ConvertUnits(long double value, int fromUnits, int toUnits, std::string_view code);

// The significant digits a value of the code carries once a unit switch has
// converted it: the fewest of the factors the code is made of (every force,
// stress and unit weight 10, by 224.8089237 lbs per kN), kExactFactorDigits
// when all of them are exact (the lengths and areas). Nothing for a text
// that names no unit of the table: its value is never converted.
std::optional<int> UnitCodeDigits(std::string_view code);

// The significant digits a value of the code is shown with in a format of
// `precision` digits: no more than its conversion carries, so that no field,
// cell or label shows the noise of a conversion, and no more than the format
// allows. `precision` itself for a code that names no unit.
int ShownDigits(int precision, std::string_view code);

// The general format of the value with ShownDigits(precision, code) digits:
// 2 ksf switched to SI and shown with 18 digits is "95.76052622", 20 ft
// "6.096", and back in English "2" and "20" again.
std::string FormatShown(long double value, int precision, std::string_view code);

// The code with every placeholder replaced by its unit name in the system
// (1 English, 2 SI, anything else the placeholders themselves).
std::string UnitCodeText(std::string_view code, int units);

} // namespace korva::components
