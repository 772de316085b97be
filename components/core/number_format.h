#pragma once
// Numbers of the graphical program and their text forms.
//
// The program computes in 80-bit extended precision (Extended). Numbers are
// turned into text and back only here, with the process-wide decimal
// separator of this library (never the C locale): the general format with a
// precision of P significant digits (18 in the evaluator and entry fields,
// 8 in float grid cells, 10 in the project file), the exponent form of the
// file writers, fixed decimals, and one strict parser.
#include <limits>
#include <string>
#include <string_view>

namespace korva::components {

using Extended = long double;
static_assert(std::numeric_limits<Extended>::digits == 64 && std::numeric_limits<Extended>::max_exponent == 16384,
              "the graphical program needs 80-bit extended precision (x86-64 long double)");

// Precisions of the general format used across the program.
inline constexpr int kEntryPrecision = 18;       // evaluator and numeric entry fields
inline constexpr int kCellPrecision = 8;         // float grid cells and the combo entry field
inline constexpr int kProjectFilePrecision = 10; // numbers of the project file
inline constexpr int kShortestPrecision = 15;    // the plain "general" text of a number (plot names, exports)

// The process-wide decimal separator, "." until changed. Formatting and
// parsing below use the separator in force when they are called.
char DecimalSeparator();
// Raises EAssertionFailed for a digit, a sign, "e"/"E" or a control character.
void SetDecimalSeparator(char separator);

// Sets the decimal separator for the lifetime of the object and restores the
// one it found on every path out of the scope (normal or by exception). File
// writers and the analysis run use ScopedDecimalSeparator('.').
class ScopedDecimalSeparator {
public:
    explicit ScopedDecimalSeparator(char separator = '.');
    ~ScopedDecimalSeparator();
    ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
    ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

private:
    char saved_;
};

// The general format with at most `precision` significant digits (1..18):
// trailing zeros and a trailing separator removed; fixed notation when the
// rounded magnitude is at least 0.00001 and its integer part has at most
// `precision` digits, else mantissa, "E", a "-" only for a negative exponent
// and the exponent with at least `minExponentDigits` digits (1E-20, 1.5E25;
// 1E-06 with two). Zero is "0"; NaN and infinities are "NAN", "INF", "-INF".
// The value is first rounded to 18 significant digits, then to `precision`
// digits with halves away from zero (12.5 with precision 2 is "13").
std::string FormatGeneral(Extended value, int precision, int minExponentDigits = 0);

// Scientific form with exactly `precision` significant digits (1..18): one
// digit, the separator, the others, "E", always a sign, and the exponent with
// at least `minExponentDigits` digits (0..4): 1.50E+01 with (3, 2), 1.50E+1
// with (3, 1); zero is 0.00E+00 with (3, 2). Rounded as FormatGeneral.
std::string FormatExponent(Extended value, int precision, int minExponentDigits);

// The forms of values kept in a file, so that saving and reading them again
// loses nothing: FormatGeneral or FormatExponent with `precision` digits
// (1..17) when that text reads back as the value, or within the noise a
// unit switch there and back leaves in a double's last bits (2^-48 of it:
// 54.99999999999999 ft is written 55); else the double with the fewest
// digits that read back as itself (a converted 3830.4207184 kPa stays that,
// not 3830.4207). 1.005E+01 and 1.50E+01 with (3, 2); zero is 0.00E+00.
std::string FormatGeneralKeeping(Extended value, int precision);
std::string FormatExponentKeeping(Extended value, int precision, int minExponentDigits);

// Fixed notation with exactly `decimals` digits after the separator (0..18;
// none and no separator for 0), as the pattern "0.000" formats: 1.23456 with
// 3 is "1.235". Rounded as FormatGeneral; a result of zero has no sign.
std::string FormatFixed(Extended value, int decimals);

// The strict parser: the whole text must be one decimal number: an optional
// sign, digits with at most one decimal separator (the one in force) and at
// least one digit, then optionally "E" or "e", an optional sign and digits.
// No blanks, thousands separators, hexadecimal, "inf" or "nan". A magnitude
// beyond the extended range fails; one below it reads as zero.
bool TryParseNumber(std::string_view text, Extended& value);
// The same, to the double nearest to the text (a file of the engine's
// numbers read back exactly as the engine reads it).
bool TryParseNumber(std::string_view text, double& value);

// An integer in plain decimal (base 16: upper-case hexadecimal digits), with
// at least `minDigits` digits after the sign: the program's one integer-to-
// text routine (FormatInteger(-7) is "-7", FormatInteger(255, 16, 4) "00FF").
std::string FormatInteger(long long value, int base = 10, int minDigits = 0);

// As TryParseNumber; raises EConvertError "'<text>' is not a valid floating
// point value" on failure.
Extended ParseNumber(std::string_view text);

} // namespace korva::components
