#include "unit_codes.h"

#include <array>

#include "string_utils.h"

namespace korva::components {

namespace {

constexpr std::array<TUnitCodeRow, 10> kUnitRows = {{
    {"F2", "tons", "kN", "F", 0.1124044745L},
    {"F1", "kips", "kN", "F", 0.2248089237L},
    {"F4", "lb-sec2/in", "Mg", "M", 5.7101483L},
    {"F5", "sec", "sec", "T", 1.0L},
    {"F6", "slug", "Mg", "F", 68.364249L},
    {"F", "lbs", "kN", "F", 224.8089237L},
    {"L3", "rad", "rad", "L", 1.0L},
    {"L2", "ft", "m", "L", 3.280839895L},
    {"L1", "in", "mm", "L", 0.03937007874L},
    {"L", "in", "m", "L", 39.37007874L},
}};

long double RowFactor(std::string_view code)
{
    for (const auto& row : kUnitRows)
        if (code == row.Code)
            return row.Factor;
    return 1.0L;
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

long double UnitCodeFactor(std::string_view term)
{
    std::string rest(term);

    long double forceFactor = 1.0L;
    int forceExponent = 0;
    if (CharAt(rest, 1) == 'F') {
        const char digit = CharAt(rest, 2);
        if (digit != '0' && digit != '1' && digit != '2' && digit != '4' && digit != '5' && digit != '6')
            rest.insert(1, "0");
        switch (CharAt(rest, 2)) {
        case '0': forceFactor = RowFactor("F"); break;
        case '1': forceFactor = RowFactor("F1"); break;
        case '4': forceFactor = RowFactor("F4"); break;
        case '5': forceFactor = RowFactor("F5"); break;
        case '6': forceFactor = RowFactor("F6"); break;
        default: forceFactor = RowFactor("F2"); break;
        }
        if (CharAt(rest, 3) == '^') {
            forceExponent = ExponentDigit(CharAt(rest, 4));
            rest = CopyFrom(rest, 6);
        } else {
            forceExponent = 1;
            rest = CopyFrom(rest, 4); // the code and one separator character
        }
    }

    long double lengthFactor = 1.0L;
    int lengthExponent = 0;
    if (CharAt(rest, 1) == 'L') {
        const char digit = CharAt(rest, 2);
        if (digit < '0' || digit > '3')
            rest.insert(1, "0");
        switch (CharAt(rest, 2)) {
        case '0': lengthFactor = RowFactor("L"); break;
        case '1': lengthFactor = RowFactor("L1"); break;
        case '3': lengthFactor = RowFactor("L3"); break;
        default: lengthFactor = RowFactor("L2"); break;
        }
        lengthExponent = rest.size() >= 3 ? ExponentDigit(CharAt(rest, 4)) : 1;
    }

    return IntPower(forceFactor, forceExponent) * IntPower(lengthFactor, lengthExponent);
}

long double UnitConversionFactor(int fromUnits, int toUnits, std::string_view code)
{
    const auto slash = code.find('/');
    const std::string_view numerator = code.substr(0, slash);
    const std::string_view denominator = slash == std::string_view::npos ? std::string_view() : code.substr(slash + 1);
    const long double ratio = UnitCodeFactor(numerator) / UnitCodeFactor(denominator);
    if (fromUnits == kUnitsEnglish && toUnits == kUnitsSI)
        return 1.0L / ratio;
    if (fromUnits == kUnitsSI && toUnits == kUnitsEnglish)
        return ratio;
    return 1.0L;
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
