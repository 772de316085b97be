#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <limits>
#include <random>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "fixed_format.h"
#include "test_support.h"

namespace {

using korva::engine::AppendRecord;
using korva::engine::FormatRecord;
using korva::engine::FormatValue;
using korva::engine::LayoutCache;
using korva::engine::TextBuffer;

struct Case {
    const char* descriptors;
    std::vector<FormatValue> values;
    std::string expected;
};

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Expected texts were checked against gfortran, except where a comment says
// the report deliberately differs.
const std::vector<Case>& Cases()
{
    static const std::vector<Case> cases = {
        // F: the optional leading zero, signs, rounding of the exact binary value.
        {"(F4.2)", {0.5}, "0.50\n"},
        {"(F3.2)", {0.5}, ".50\n"},
        {"(F4.2)", {-0.5}, "-.50\n"},
        {"(F3.2)", {-0.5}, "***\n"},
        {"(F7.2)", {-12.345}, " -12.35\n"},   // binary value is above the tie
        {"(F5.1)", {0.25}, "  0.2\n"},        // exact tie: to even
        {"(F5.1)", {0.75}, "  0.8\n"},
        {"(F5.1)", {0.35}, "  0.3\n"},        // 0.34999... in binary
        {"(F5.2)", {2.675}, " 2.67\n"},
        {"(F5.0)", {3.0}, "   3.\n"},
        {"(F5.0)", {2.5}, "   2.\n"},
        {"(F2.0)", {0.4}, "0.\n"},
        {"(F1.0)", {0.4}, "*\n"},             // "." alone is no number
        {"(F5.1)", {5}, "  5.0\n"},           // an integer to F
        // Zero and values that round to zero carry no minus sign (gfortran
        // writes " -0.0" for the first two).
        {"(F5.1)", {-0.01}, "  0.0\n"},
        {"(F3.2)", {-0.001}, ".00\n"},
        {"(F5.1)", {-0.0}, "  0.0\n"},
        // F overflow, huge values, NaN and infinity: asterisks.
        {"(F10.2)", {9999999.994}, "9999999.99\n"},
        {"(F10.2)", {9999999.996}, "**********\n"},
        {"(F10.2)", {-999999.996}, "**********\n"},
        {"(F10.2)", {1e300}, "**********\n"},
        {"(F10.2)", {std::numeric_limits<double>::max()}, "**********\n"},
        {"(F7.2)", {kNaN}, "*******\n"},
        {"(F7.2)", {kInf}, "*******\n"},
        {"(F7.2)", {-kInf}, "*******\n"},

        // E: 0.ddd mantissa, signed two-digit exponent, carry into the exponent.
        {"(E10.3)", {29000000.0}, " 0.290E+08\n"},
        {"(E8.2)", {9999999.0}, "0.10E+08\n"},
        {"(E8.2)", {-9999999.0}, "-.10E+08\n"},
        {"(E7.2)", {-9999999.0}, "*******\n"},
        {"(E9.3)", {29000000.0}, "0.290E+08\n"},
        {"(E16.4)", {12.5}, "      0.1250E+02\n"},
        {"(E10.3)", {0.00125}, " 0.125E-02\n"},
        {"(E10.3)", {-0.0001235}, "-0.123E-03\n"},
        {"(E10.3)", {0.0}, " 0.000E+00\n"},
        {"(E10.3)", {-0.0}, " 0.000E+00\n"},  // gfortran: "-0.000E+00"
        {"(E10.3)", {1e-99}, " 0.100E-98\n"},
        {"(E10.3)", {-1e-200}, "-0.100-199\n"}, // three-digit exponent replaces the E
        {"(E10.3)", {std::numeric_limits<double>::max()}, " 0.180+309\n"},
        {"(E10.3)", {std::numeric_limits<double>::denorm_min()}, " 0.494-323\n"},
        {"(E10.3)", {7}, " 0.700E+01\n"},
        {"(E10.3)", {kNaN}, "**********\n"},
        {"(E10.3)", {-kInf}, "**********\n"},

        // I and Iw.m.
        {"(I4)", {12345}, "****\n"},
        {"(I4)", {-999}, "-999\n"},
        {"(I3)", {-999}, "***\n"},
        {"(I5.3)", {-7}, " -007\n"},
        {"(I2.2)", {7}, "07\n"},
        {"(I2.2)", {123}, "**\n"},
        {"(I4.2)", {0}, "  00\n"},
        {"(I4.0)", {0}, "    \n"},
        {"(I20)", {std::numeric_limits<long long>::min()}, "-9223372036854775808\n"},

        // A: cut or padded on the right; A alone as is.
        {"(A3,'|')", {"abcdef"}, "abc|\n"},
        {"(A5,'|')", {"ab"}, "ab   |\n"},
        {"(A,'|')", {"as it is "}, "as it is |\n"},
        {"(A3,'|')", {""}, "   |\n"},

        // Literals, blanks, line ends and repeats.
        {"(A,10X)", {"ab"}, "ab          \n"},  // nX writes blanks at the end
        {"(/,/,10X,'COMPUTATION ...',F7.2,1X,A3)", {12.5, "FT."}, "\n\n          COMPUTATION ...  12.50 FT.\n"},
        {"(/,/,/,'1',/,10X,21('*'),/,10X,'* INPUT INFORMATION *',/,10X,21('*'))", {},
         "\n\n\n1\n          *********************\n          * INPUT INFORMATION *\n"
         "          *********************\n"},
        {"('it''s',\"say \"\"hi\"\"\")", {}, "it'ssay \"hi\"\n"},
        {"( 2X , I3 / 3X , I1 )", {1, 2}, "    1\n   2\n"},
        {"(I1,2/,I1)", {1, 2}, "1\n\n2\n"},
        {"(10X,53X)", {}, std::string(63, ' ') + "\n"},
        {"(15X,'Date:  March ',I2.2,', ',I4,5X,'Time:  ',I2.2,':',I2.2,':',I2.2)", {7, 2015, 9, 5, 2},
         "               Date:  March 07, 2015     Time:  09:05:02\n"},
        {"(10X,E8.2,A1,E9.2,A1,F11.2)", {9999999.0, "*", 1.5, " ", 2.0},
         "          0.10E+08* 0.15E+01        2.00\n"},

        // When the values run out the record ends at the next data descriptor,
        // after the blanks and literals before it.
        {"(/,/,1X,'X',I3,'Y',I3)", {1}, "\n\n X  1Y\n"},
        {"(I3,2X,I3)", {1}, "  1  \n"},
        {"(5X,3I3)", {1, 2}, "       1  2\n"},
        {"(I3)", {}, "\n"},
        {"()", {}, "\n"},
        // Descriptors used up with values left: reuse from the last group
        // with its repeat count, or from the start, on a new line.
        {"(2(I3,F5.1))", {1, 2.0, 3, 4.0, 5, 6.0}, "  1  2.0  3  4.0\n  5  6.0\n"},
        {"(I3,2(I3,F5.1))", {1, 2, 2.0, 3, 4.0, 5, 6.0, 7, 8.0}, "  1  2  2.0  3  4.0\n  5  6.0  7  8.0\n"},
        {"(2(2X,I3))", {1, 2, 3}, "    1    2\n    3  \n"},
        {"(2X,A,3X,A5,1X,E10.3)", {"free text", "ab", 1.5}, "  free text   ab     0.150E+01\n"},
        {"(E17.4,3E16.4)", {1.0, 2.0, 3.0, 4.0, 5.0},
         "       0.1000E+01      0.2000E+01      0.3000E+01      0.4000E+01\n       0.5000E+01\n"},
    };
    return cases;
}

void ExpectAllCases()
{
    for (const Case& c : Cases()) {
        SCOPED_TRACE(c.descriptors);
        EXPECT_EQ(FormatRecord(c.descriptors, c.values), c.expected);
    }
}

TEST(FixedFormat, WritesEachDescriptorAsTheFortranRuntimeDoes)
{
    ExpectAllCases();
}

TEST(FixedFormat, IgnoresTheCommaDecimalLocale)
{
    korva::test::ScopedCommaLocale locale;
    ASSERT_TRUE(locale.Active());
    ExpectAllCases();
}

TEST(FixedFormat, TakesValuesAsAnInitializerList)
{
    const std::string label = "KPA";
    EXPECT_EQ(FormatRecord("(F6.1,1X,A3,I3)", {2.25, label, 4}), "   2.2 KPA  4\n");
    EXPECT_EQ(FormatRecord("(/,' ENTER >')"), "\n ENTER >\n");
}

TEST(FixedFormat, RejectsMalformedListsAndMismatchedValues)
{
    const std::vector<Case> bad = {
        {"10X", {}, "no parentheses"},
        {"(I3", {}, "unclosed list"},
        {"(F7.2))", {}, "text after the list"},
        {"('abc)", {}, "unclosed literal"},
        {"(F7)", {}, "F without decimals"},
        {"(E10.0)", {}, "E without mantissa digits"},
        {"(I0)", {}, "zero width"},
        {"(0X)", {}, "zero repeat"},
        {"(3'*')", {}, "repeated literal without a group"},
        {"(Q5)", {}, "unknown descriptor"},
        {"(I3 I3)", {}, "missing comma"},
        {"(F99999.2)", {}, "absurd width"},
        {"(I3)", {"text"}, "text to I"},
        {"(I3)", {1.5}, "real to I"},
        {"(F7.2)", {"text"}, "text to F"},
        {"(A3)", {1.5}, "number to A"},
        {"(10X,'no data')", {1}, "values but no data descriptor"},
    };
    for (const Case& c : bad) {
        SCOPED_TRACE(c.expected);
        EXPECT_THROW(FormatRecord(c.descriptors, c.values), std::invalid_argument);
    }
}

// Fw.d and Ew.d against the exact conversion of std::to_chars, framed as
// the descriptors frame it, over values of every magnitude, exact decimal
// halves (the ties of the rounding) and their neighbours.
std::string ExactFixed(double value, int width, int decimals)
{
    char buffer[400];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::fixed,
                                         decimals);
    std::string digits(buffer, end);
    if (decimals == 0)
        digits += '.';
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string::npos;
    std::string number = negative ? "-" + digits : digits;
    if (number.size() > static_cast<std::size_t>(width) && decimals > 0 && number.compare(negative ? 1 : 0, 2, "0.") == 0)
        number.erase(negative ? 1 : 0, 1);
    if (number.size() > static_cast<std::size_t>(width))
        return std::string(width, '*');
    return std::string(width - number.size(), ' ') + number;
}

std::string ExactExponent(double value, int width, int digits)
{
    std::string mantissa(digits, '0');
    int exponent = 0;
    if (value != 0) {
        char buffer[64];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                             std::chars_format::scientific, digits - 1);
        const std::string text(buffer, end);
        const std::size_t e = text.find('e');
        mantissa.clear();
        for (char c : text.substr(0, e))
            if (c != '.')
                mantissa += c;
        exponent = std::stoi(text.substr(e + 1)) + 1;
    }
    std::string power = std::to_string(std::abs(exponent));
    if (power.size() < 2)
        power.insert(0, 1, '0');
    std::string number = (value < 0 ? "-0." : "0.") + mantissa + (power.size() == 2 ? "E" : "") +
                         (exponent < 0 ? "-" : "+") + power;
    if (number.size() > static_cast<std::size_t>(width))
        number.erase(value < 0 ? 1 : 0, 1);
    if (number.size() > static_cast<std::size_t>(width))
        return std::string(width, '*');
    return std::string(width - number.size(), ' ') + number;
}

// The natural text of ExactFixed, without its blanks: the width it just fits.
std::size_t ExactFixedLength(double value, int decimals)
{
    const std::string text = ExactFixed(value, 400, decimals);
    return text.size() - text.find_first_not_of(' ');
}

// Iw and Iw.m (m < 0: none) as the exact conversion of to_chars writes them.
std::string ExactInteger(long long value, int width, int digits)
{
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    std::string text(buffer, end);
    const bool negative = value < 0;
    std::string magnitude = negative ? text.substr(1) : text;
    if (digits == 0 && value == 0)
        magnitude.clear();
    if (digits > 0 && magnitude.size() < static_cast<std::size_t>(digits))
        magnitude.insert(0, digits - magnitude.size(), '0');
    const std::string number = (negative ? "-" : "") + magnitude;
    if (number.size() > static_cast<std::size_t>(width))
        return std::string(width, '*');
    return std::string(width - number.size(), ' ') + number;
}

TEST(FixedFormat, NumbersAsTheExactConversionWritesThem)
{
    std::mt19937_64 random(20150705);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::uniform_int_distribution<int> magnitude(-12, 17);
    std::uniform_int_distribution<int> wide_magnitude(-30, 30);
    std::vector<double> values{0.125, 0.375, 2.5, 0.5, 1.5, 1e15 + 0.5, 4.5e15, 999.9995, 9.9995, 0.99995,
                               1e-300, 1e300, 123456789.125, 0.0, -0.0, -0.004, -0.005, -2.5,
                               9.9999999995, 99999.99999, 1e-22, 1e22, 9.9999e21, 1.00001e-23};
    for (int i = 0; i < 20000; ++i) {
        const double x = unit(random) * std::pow(10.0, magnitude(random));
        values.push_back(x);
        values.push_back(-x);
        // A decimal half at 0 to 6 decimals and the doubles on each side of it.
        const int d = i % 7;
        const double half = (std::floor(x) + 0.5) / std::pow(10.0, d);
        values.push_back(half);
        values.push_back(std::nextafter(half, 0.0));
        values.push_back(std::nextafter(half, 1e308));
        // Beyond the range of the powers of ten the shortcuts use.
        if (i % 4 == 0)
            values.push_back((i % 8 == 0 ? 1.0 : -1.0) * unit(random) * std::pow(10.0, wide_magnitude(random)));
    }
    // Every record also goes through one kept buffer and layout cache, as an
    // output file writes its rows: the same text, one record after another.
    TextBuffer buffer;
    LayoutCache layouts;
    std::string expected_records;
    const auto append = [&](const std::string& layout, std::initializer_list<FormatValue> record,
                            const std::string& expected) {
        const std::string_view written =
            AppendRecord(buffer, layouts, layout, std::span<const FormatValue>(record.begin(), record.size()));
        ASSERT_EQ(written, expected) << layout;
        expected_records += expected;
    };
    int checked = 0;
    for (const double v : values) {
        for (int d = 0; d <= 9; ++d) {
            const std::string layout = "(F30." + std::to_string(d) + ",F6." + std::to_string(d) + ")";
            const std::string expected = ExactFixed(v, 30, d) + ExactFixed(v, 6, d) + "\n";
            if (d <= 6) {
                ASSERT_EQ(FormatRecord(layout, {v, v}), expected) << v << " " << layout;
            }
            append(layout, {v, v}, expected);
            // The widths where the number just fits and one less (a zero
            // before the point dropped, or asterisks).
            const int fits = static_cast<int>(ExactFixedLength(v, d));
            for (const int w : {fits, fits - 1}) {
                if (w < 1 || w > 20)
                    continue;
                const std::string narrow = "(F" + std::to_string(w) + "." + std::to_string(d) + ")";
                append(narrow, {v}, ExactFixed(v, w, d) + "\n");
            }
        }
        for (int d = 1; d <= 9; ++d) {
            const std::string layout = "(E20." + std::to_string(d) + ",E" + std::to_string(d + 5) + "." +
                                       std::to_string(d) + ")";
            const std::string expected = ExactExponent(v, 20, d) + ExactExponent(v, d + 5, d) + "\n";
            ASSERT_EQ(FormatRecord(layout, {v, v}), expected) << v << " " << layout;
            append(layout, {v, v}, expected);
        }
        ++checked;
    }
    EXPECT_EQ(checked, static_cast<int>(values.size()));

    // Integers of every length, with and without a minimum of digits.
    std::uniform_int_distribution<int> bits(0, 63);
    for (int i = 0; i < 20000; ++i) {
        const long long v = static_cast<long long>(random() >> bits(random)) * (i % 3 == 0 ? -1 : 1);
        for (const int w : {1, 3, 6, 12, 21}) {
            const int m = i % 5 - 1; // none, 0, 1, 2, 3
            const std::string layout =
                "(I" + std::to_string(w) + (m >= 0 ? "." + std::to_string(m) : std::string()) + ")";
            append(layout, {v}, ExactInteger(v, w, m) + "\n");
        }
    }
    append("(I20)", {std::numeric_limits<long long>::min()}, ExactInteger(std::numeric_limits<long long>::min(), 20, -1) + "\n");
    EXPECT_EQ(buffer.View(), expected_records);
}

} // namespace
