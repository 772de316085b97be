#include "number_format.h"

#include <algorithm>
#include <atomic>
#include <charconv>
#include <cmath>
#include <string>

#include "exceptions.h"
#include "guards.h"

namespace korva::components {

namespace {

std::atomic<char> g_decimalSeparator{'.'};

// A finite nonzero value as decimal digits: value = d1.d2d3... x 10^exponent.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// The digits of a finite nonzero double as parsed from the scientific text
// "d.ddde[+-]x" of std::to_chars.
DecimalDigits DigitsOfScientific(bool negative, std::string_view text)
{
    DecimalDigits d;
    d.negative = negative;
    const std::size_t e = text.find('e');
    d.digits += text[0];
    if (e > 1)
        d.digits.append(text.substr(2, e - 2));
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(), d.exponent);
    return d;
}

// The value rounded (correctly) to 18 significant digits, as the platform's
// extended-precision conversion produced them.
DecimalDigits ToDigits18(Extended value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                      std::chars_format::scientific, 17);
    return DigitsOfScientific(std::signbit(value),
                              std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

// Keeps `count` significant digits (0..18), rounding the rest half away from
// zero; a carry out of the first digit raises the exponent.
void RoundDigits(DecimalDigits& d, int count)
{
    if (count >= static_cast<int>(d.digits.size()))
        return;
    const bool up = d.digits[static_cast<std::size_t>(count)] >= '5';
    d.digits.resize(static_cast<std::size_t>(count));
    if (!up)
        return;
    int i = count - 1;
    while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9')
        d.digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
        ++d.digits[static_cast<std::size_t>(i)];
    } else {
        d.digits.insert(d.digits.begin(), '1');
        d.digits.pop_back();
        ++d.exponent;
    }
}

void StripTrailingZeros(DecimalDigits& d)
{
    while (d.digits.size() > 1 && d.digits.back() == '0')
        d.digits.pop_back();
}

// The digit that stands for 10^power.
char DigitAt(const DecimalDigits& d, int power)
{
    const int index = d.exponent - power;
    return index >= 0 && index < static_cast<int>(d.digits.size()) ? d.digits[static_cast<std::size_t>(index)] : '0';
}

// Fixed notation from the highest digit (or the units) down to 10^lowestPower.
std::string FixedText(const DecimalDigits& d, int lowestPower, char separator)
{
    std::string out;
    if (d.negative)
        out += '-';
    for (int power = std::max(d.exponent, 0); power >= 0; --power)
        out += DigitAt(d, power);
    if (lowestPower < 0) {
        out += separator;
        for (int power = -1; power >= lowestPower; --power)
            out += DigitAt(d, power);
    }
    return out;
}

std::string ExponentDigits(int exponent, int minDigits)
{
    return FormatInteger(exponent < 0 ? -exponent : exponent, 10, minDigits);
}

const char* NonFiniteText(Extended value)
{
    if (std::isnan(value))
        return "NAN";
    return value < 0 ? "-INF" : "INF";
}

// Mantissa (the first digit, the separator, the others), "E", the
// exponent's sign and its digits.
std::string ExponentText(const DecimalDigits& d, int minExponentDigits)
{
    std::string out;
    if (d.negative)
        out += '-';
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += DecimalSeparator();
        out.append(d.digits, 1);
    }
    out += 'E';
    out += d.exponent < 0 ? '-' : '+';
    out += ExponentDigits(d.exponent, std::clamp(minExponentDigits, 0, 4));
    return out;
}

// The exponent form of a value: its digits as `digitsOf` gives them for a
// finite nonzero value, `zeros` zeros for zero.
template <typename Real, typename DigitsOf>
std::string ExponentForm(Real value, int zeros, int minExponentDigits, DigitsOf digitsOf)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    DecimalDigits d;
    if (value == 0)
        d.digits = std::string(static_cast<std::size_t>(zeros), '0');
    else
        d = digitsOf(value);
    return ExponentText(d, minExponentDigits);
}

} // namespace

char DecimalSeparator()
{
    return g_decimalSeparator.load();
}

void SetDecimalSeparator(char separator)
{
    const bool usable = static_cast<unsigned char>(separator) > ' ' && !(separator >= '0' && separator <= '9') &&
                        separator != '+' && separator != '-' && separator != 'e' && separator != 'E';
    Require(usable, std::string("Unusable decimal separator '") + separator + "'");
    g_decimalSeparator.store(separator);
}

ScopedDecimalSeparator::ScopedDecimalSeparator(char separator) : saved_(DecimalSeparator())
{
    SetDecimalSeparator(separator);
}

ScopedDecimalSeparator::~ScopedDecimalSeparator()
{
    g_decimalSeparator.store(saved_);
}

std::string FormatGeneral(Extended value, int precision, int minExponentDigits)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    if (value == 0)
        return "0";
    precision = std::clamp(precision, 1, 18);
    DecimalDigits d = ToDigits18(value);
    RoundDigits(d, precision);
    StripTrailingZeros(d);
    const char separator = DecimalSeparator();
    if (d.exponent >= -5 && d.exponent < precision)
        return FixedText(d, std::min(d.exponent - static_cast<int>(d.digits.size()) + 1, 0), separator);

    std::string out;
    if (d.negative)
        out += '-';
    out += d.digits[0];
    if (d.digits.size() > 1) {
        out += separator;
        out.append(d.digits, 1);
    }
    out += 'E';
    if (d.exponent < 0)
        out += '-';
    out += ExponentDigits(d.exponent, std::clamp(minExponentDigits, 0, 4));
    return out;
}

std::string FormatExponent(Extended value, int precision, int minExponentDigits)
{
    precision = std::clamp(precision, 1, 18);
    return ExponentForm(value, precision, minExponentDigits, [precision](Extended v) {
        DecimalDigits d = ToDigits18(v);
        RoundDigits(d, precision);
        d.digits.resize(static_cast<std::size_t>(precision), '0');
        return d;
    });
}

namespace {

// A text within this part of a value reads back as the value: the last bits
// a unit switch there and back (a product, a file, a quotient) may change.
constexpr double kSwitchNoise = 0x1p-48;

template <typename Format>
std::string KeepingDigits(Extended value, int precision, Format format)
{
    precision = std::clamp(precision, 1, 17);
    std::string text = format(value, precision);
    const double kept = static_cast<double>(value);
    double read = 0.0;
    if (!std::isfinite(kept) ||
        (TryParseNumber(text, read) && std::abs(read - kept) <= std::abs(kept) * kSwitchNoise))
        return text;
    for (int digits = precision + 1; digits < 17; ++digits) {
        text = format(kept, digits);
        if (TryParseNumber(text, read) && read == kept)
            return text;
    }
    return format(kept, 17);
}

} // namespace

std::string FormatGeneralKeeping(Extended value, int precision)
{
    return KeepingDigits(value, precision, [](Extended v, int digits) { return FormatGeneral(v, digits); });
}

std::string FormatExponentKeeping(Extended value, int precision, int minExponentDigits)
{
    return KeepingDigits(value, precision, [minExponentDigits](Extended v, int digits) {
        return FormatExponent(v, digits, minExponentDigits);
    });
}

std::string FormatFixed(Extended value, int decimals)
{
    if (!std::isfinite(value))
        return NonFiniteText(value);
    decimals = std::clamp(decimals, 0, 18);
    DecimalDigits d;
    d.digits = "0";
    if (value != 0) {
        d = ToDigits18(value);
        // Significant digits that reach down to 10^-decimals.
        const int keep = d.exponent + 1 + decimals;
        if (keep < 0) {
            d = DecimalDigits{false, "0", 0};
        } else if (keep == 0) {
            // Only the rounding of the first digit decides: 0 or one unit of the last place.
            const bool up = d.digits[0] >= '5';
            d.digits = up ? "1" : "0";
            d.exponent = up ? -decimals : 0;
        } else {
            RoundDigits(d, keep);
        }
        if (d.digits.find_first_not_of('0') == std::string::npos)
            d = DecimalDigits{false, "0", 0};
    }
    return FixedText(d, -decimals, DecimalSeparator());
}

namespace {

// TryParseNumber into an extended or a double value, each the nearest to the text.
template <typename Real>
bool ParseNumberAs(std::string_view text, Real& value)
{
    const char separator = DecimalSeparator();
    std::string normal; // the text with "." as separator, for from_chars
    normal.reserve(text.size());
    std::size_t i = 0;
    auto digitAt = [&](std::size_t k) { return k < text.size() && text[k] >= '0' && text[k] <= '9'; };

    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        if (negative)
            normal += '-';
        ++i;
    }
    int mantissaDigits = 0;
    long long leadingPower = 0; // decimal position of the first nonzero digit, for underflow
    bool seenNonzero = false, seenSeparator = false;
    long long integerDigits = 0, zerosAfterSeparator = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (digitAt(i)) {
            ++mantissaDigits;
            if (c != '0')
                seenNonzero = true;
            if (!seenSeparator && seenNonzero)
                ++integerDigits;
            if (seenSeparator && !seenNonzero)
                ++zerosAfterSeparator;
            normal += c;
        } else if (c == separator && !seenSeparator) {
            seenSeparator = true;
            normal += '.';
        } else {
            break;
        }
    }
    if (mantissaDigits == 0)
        return false;
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        normal += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            normal += text[i];
            ++i;
        }
        if (!digitAt(i))
            return false;
        for (; digitAt(i); ++i) {
            normal += text[i];
            if (exponent < 1000000)
                exponent = exponent * 10 + (text[i] - '0');
        }
        if (negativeExponent)
            exponent = -exponent;
    }
    if (i != text.size())
        return false;

    Real parsed = 0;
    const auto result = std::from_chars(normal.data(), normal.data() + normal.size(), parsed);
    if (result.ptr != normal.data() + normal.size())
        return false;
    if (result.ec == std::errc::result_out_of_range) {
        leadingPower = (integerDigits > 0 ? integerDigits - 1 : -zerosAfterSeparator - 1) + exponent;
        if (leadingPower >= 0)
            return false; // beyond the largest value of the type
        parsed = negative ? -Real(0) : Real(0);
    } else if (result.ec != std::errc()) {
        return false;
    }
    value = parsed;
    return true;
}

} // namespace

bool TryParseNumber(std::string_view text, Extended& value)
{
    return ParseNumberAs(text, value);
}

bool TryParseNumber(std::string_view text, double& value)
{
    return ParseNumberAs(text, value);
}

std::string FormatInteger(long long value, int base, int minDigits)
{
    char buffer[72];
    // The magnitude as unsigned, so the most negative value is safe.
    const unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                                   : static_cast<unsigned long long>(value);
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, base == 16 ? 16 : 10);
    std::string digits(buffer, result.ptr);
    for (char& c : digits)
        if (c >= 'a' && c <= 'f')
            c = static_cast<char>(c - 'a' + 'A');
    if (minDigits > static_cast<int>(digits.size()))
        digits.insert(0, static_cast<std::size_t>(std::min(minDigits, 4096)) - digits.size(), '0');
    return value < 0 ? "-" + digits : digits;
}

Extended ParseNumber(std::string_view text)
{
    Extended value = 0;
    if (!TryParseNumber(text, value))
        throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return value;
}

} // namespace korva::components
