#pragma once
// Unit codes of float columns: a numerator and an optional denominator
// separated by a slash, each a force/mass code (F, F0-F6) and a length code
// (L, L0-L3), each with an optional one-digit exponent (L2^3). F/L2^2 is a
// stress: lbs/ft^2 in English units, kN/m^2 in SI.
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace korva::components {

// Unit systems of grid tables and unit templates.
inline constexpr int kUnitsEnglish = 1;
inline constexpr int kUnitsSI = 2;
// Leaves the placeholders of a template as written (F, L, M, T).
inline constexpr int kUnitsPlaceholders = 3;

// One code of the program's unit table: its unit word in each system, the
// placeholder it stands for and its conversion factor.
struct TUnitCodeRow {
    const char* Code;
    const char* English;
    const char* SI;
    const char* Placeholder;
    long double Factor; // English units per SI unit
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
// other: 1 / ratio from English to SI, ratio from SI to English, 1 otherwise.
long double UnitConversionFactor(int fromUnits, int toUnits, std::string_view code);

// The code with every placeholder replaced by its unit name in the system
// (1 English, 2 SI, anything else the placeholders themselves).
std::string UnitCodeText(std::string_view code, int units);

} // namespace korva::components
