#include "unit_codes.h"

#include <algorithm>
#include <array>
#include <utility>

#include "number_format.h"
#include "string_utils.h"

namespace korva::components {

namespace {

constexpr std::array<TUnitCodeRow, 10> kUnitRows = {{
    {"F2", "tons", "kN", "F", 0.1124044745L, 10},
    {"F1", "kips", "kN", "F", 0.2248089237L, 10},
    {"F4", "lb-sec2/in", "Mg", "M", 5.7101483L, 8},
    {"F5", "sec", "sec", "T", 1.0L, kExactFactorDigits},
    {"F6", "slug", "Mg", "F", 68.364249L, 8},
    {"F", "lbs", "kN", "F", 224.8089237L, 10},
    {"L3", "rad", "rad", "L", 1.0L, kExactFactorDigits},
    {"L2", "ft", "m", "L", 0.3048L, kExactFactorDigits},
    {"L1", "in", "mm", "L", 25.4L, kExactFactorDigits},
    {"L", "in", "m", "L", 0.0254L, kExactFactorDigits},
}};

const TUnitCodeRow& Row(std::string_view code)
{
    for (const auto& row : kUnitRows)
        if (code == row.Code)
            return row;
    return kUnitRows[6]; // not reached: every caller names a code of the table
}

long double IntPower(long double base, int exponent)
{
    long double result = 1.0L;
    for (int i = 0; i < exponent; ++i)
        result *= base;
    return result;
}

// The exponent digit of a code; a character that is not a digit counts as 1.
int ExponentDigit(char c) { return c >= '0' && c <= '9' ? c - '0' : 1; }

} // namespace

std::span<const TUnitCodeRow> UnitCodeTable()
{
    return kUnitRows;
}

std::string_view UnitWord(std::string_view code, int units)
{
    for (const auto& row : kUnitRows)
        if (code == row.Code) {
            if (units == kUnitsEnglish)
                return row.English;
            if (units == kUnitsSI)
                return row.SI;
            break;
        }
    return code;
}

std::string ExpandPlaceholder(std::string_view unitTemplate, std::initializer_list<std::string_view> numbered,
                              std::string_view plain, int units)
{
    std::string_view code = plain;
    for (const std::string_view candidate : numbered)
        if (unitTemplate.find(candidate) != std::string_view::npos) {
            code = candidate;
            break;
        }
    return ReplaceAll(unitTemplate, code, UnitWord(code, units));
}

namespace {

// One term of a code (no slash) by the table's exact factors: its force or
// mass in English units per SI unit, its length in SI units per English
// unit, each raised to its exponent; and the fewest digits among the
// factors of the table that it names (none when it names none).
struct TTermFactors {
    long double Force = 1.0L;
    long double Length = 1.0L;
    std::optional<int> Digits;

    void Named(const TUnitCodeRow& row) { Digits = std::min(Digits.value_or(row.Digits), row.Digits); }
};

TTermFactors TermFactors(std::string_view term)
{
    std::string rest(term);
    TTermFactors factors;
    if (CharAt(rest, 1) == 'F') {
        const char digit = CharAt(rest, 2);
        if (digit != '0' && digit != '1' && digit != '2' && digit != '4' && digit != '5' && digit != '6')
            rest.insert(1, "0");
        const char* code = "F2";
        switch (CharAt(rest, 2)) {
        case '0': code = "F"; break;
        case '1': code = "F1"; break;
        case '4': code = "F4"; break;
        case '5': code = "F5"; break;
        case '6': code = "F6"; break;
        default: break;
        }
        int exponent = 1;
        if (CharAt(rest, 3) == '^') {
            exponent = ExponentDigit(CharAt(rest, 4));
            rest = CopyFrom(rest, 6);
        } else {
            rest = CopyFrom(rest, 4); // the code and one separator character
        }
        factors.Force = IntPower(Row(code).Factor, exponent);
        factors.Named(Row(code));
    }
    if (CharAt(rest, 1) == 'L') {
        const char digit = CharAt(rest, 2);
        if (digit < '0' || digit > '3')
            rest.insert(1, "0");
        const char* code = "L2";
        switch (CharAt(rest, 2)) {
        case '0': code = "L"; break;
        case '1': code = "L1"; break;
        case '3': code = "L3"; break;
        default: break;
        }
        const int exponent = rest.size() >= 3 ? ExponentDigit(CharAt(rest, 4)) : 1;
        factors.Length = IntPower(Row(code).Factor, exponent);
        factors.Named(Row(code));
    }
    return factors;
}

// The two terms of a code, split at its first slash (no slash: an empty
// denominator).
std::pair<TTermFactors, TTermFactors> CodeTerms(std::string_view code)
{
    const auto slash = code.find('/');
    return {TermFactors(code.substr(0, slash)),
            TermFactors(slash == std::string_view::npos ? std::string_view() : code.substr(slash + 1))};
}

} // namespace

long double UnitCodeFactor(std::string_view term)
{
    const TTermFactors factors = TermFactors(term);
    return factors.Force / factors.Length;
}

TUnitConversion UnitConversion(std::string_view code)
{
    const auto [numerator, denominator] = CodeTerms(code);
    // English units per SI unit of the code = englishPerSI / siPerEnglish.
    const long double englishPerSI = numerator.Force * denominator.Length;
    const long double siPerEnglish = denominator.Force * numerator.Length;
    if (siPerEnglish == 1.0L)
        return {englishPerSI, false};
    if (englishPerSI == 1.0L)
        return {siPerEnglish, true};
    return {englishPerSI / siPerEnglish, false};
}

long double ConvertUnits(long double value, int fromUnits, int toUnits, std::string_view code)
{
    if (fromUnits == kUnitsEnglish && toUnits == kUnitsSI)
        return UnitConversion(code).ToSI(value);
    if (fromUnits == kUnitsSI && toUnits == kUnitsEnglish)
        return UnitConversion(code).ToEnglish(value);
    return value;
}

long double UnitConversionFactor(int fromUnits, int toUnits, std::string_view code)
{
    return ConvertUnits(1.0L, fromUnits, toUnits, code);
}

std::optional<int> UnitCodeDigits(std::string_view code)
{
    const auto [numerator, denominator] = CodeTerms(code);
    if (numerator.Digits && denominator.Digits)
        return std::min(*numerator.Digits, *denominator.Digits);
    return numerator.Digits ? numerator.Digits : denominator.Digits;
}

int ShownDigits(int precision, std::string_view code)
{
    const std::optional<int> digits = UnitCodeDigits(code);
    return digits ? std::min(precision, *digits) : precision;
}

std::string FormatShown(long double value, int precision, std::string_view code)
{
    return FormatGeneral(value, ShownDigits(precision, code));
}

std::string UnitCodeText(std::string_view code, int units)
{
    std::string text(code);
    for (const auto& row : kUnitRows) {
        const char* name = units == kUnitsEnglish ? row.English : units == kUnitsSI ? row.SI : row.Placeholder;
        text = ReplaceAll(text, row.Code, name);
    }
    return text;
}

} // namespace korva::components
