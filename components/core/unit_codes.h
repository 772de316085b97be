#pragma once
// Unit codes of float columns: a numerator and an optional denominator
// separated by a slash, each a force/mass code (F, F0-F6) and a length code
// (L, L0-L3), each with an optional one-digit exponent (L2^3). F/L2^2 is a
// stress: lbs/ft^2 in English units, kN/m^2 in SI.
#include <string>
#include <string_view>

namespace korva::components {

// Unit systems of grid tables and unit templates.
inline constexpr int kUnitsEnglish = 1;
inline constexpr int kUnitsSI = 2;
// Leaves the placeholders of a template as written (F, L, M, T).
inline constexpr int kUnitsPlaceholders = 3;

// Value in English units per value in SI units of one term (no slash).
long double UnitCodeFactor(std::string_view term);

// Factor that converts a value of the given code from one unit system to the
// other: 1 / ratio from English to SI, ratio from SI to English, 1 otherwise.
long double UnitConversionFactor(int fromUnits, int toUnits, std::string_view code);

// The code with every placeholder replaced by its unit name in the system
// (1 English, 2 SI, anything else the placeholders themselves).
std::string UnitCodeText(std::string_view code, int units);

} // namespace korva::components
