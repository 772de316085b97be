#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "exceptions.h"
#include "int_utils.h"
#include "number_format.h"
#include "test_support.h"

using namespace korva::components;

namespace {

struct GeneralCase {
    Extended value;
    int precision;
    const char* expected;
};

const GeneralCase kGeneralCases[] = {
    // Precision 18: the evaluator and the entry fields.
    {0.0L, 18, "0"},
    {-0.0L, 18, "0"},
    {12.5L, 18, "12.5"},
    {100.0L, 18, "100"},
    {0.1L, 18, "0.1"},
    {0.00001L, 18, "0.00001"},
    {0.000001L, 18, "1E-6"},
    {0.0000123L, 18, "0.0000123"},
    {-1.5e25L, 18, "-1.5E25"},
    {1e-20L, 18, "1E-20"},
    {1e18L, 18, "1E18"},
    {999999999999999999.0L, 18, "999999999999999999"},
    {1234567890123456789.0L, 18, "1.23456789012345679E18"},
    {1.0L / 3.0L, 18, "0.333333333333333333"},
    {2.0L / 3.0L, 18, "0.666666666666666667"},
    {-2.0L / 3.0L, 18, "-0.666666666666666667"},
    {1.18973149535723176e4932L, 18, "1.18973149535723176E4932"},
    // Precision 8: grid cells.
    {12345678.0L, 8, "12345678"},
    {123456789.0L, 8, "1.2345679E8"},
    {99999999.5L, 8, "1E8"},
    {1.0L / 3.0L, 8, "0.33333333"},
    {3.14159265358979L, 8, "3.1415927"},
    {0.1L + 0.2L, 8, "0.3"},
    {1.23456e-7L, 8, "1.23456E-7"},
    {-0.000045678912L, 8, "-0.000045678912"},
    // Precision 10: the project file.
    {1234567890.0L, 10, "1234567890"},
    {12345678901.0L, 10, "1.23456789E10"},
    {0.1 + 0.2, 10, "0.3"}, // a double sum widened
    {1.23456789012L, 10, "1.23456789"},
    {9.80665e-6L, 10, "9.80665E-6"},
    // Halves of the rounded digits go away from zero.
    {12.5L, 2, "13"},
    {-12.5L, 2, "-13"},
    {0.125L, 2, "0.13"},
    {9.96L, 2, "10"},
};

void ExpectGeneralTable()
{
    for (const GeneralCase& c : kGeneralCases)
        EXPECT_EQ(FormatGeneral(c.value, c.precision), c.expected)
            << "precision " << c.precision << ", expected " << c.expected;
}

struct ParseCase {
    const char* text;
    bool ok;
    Extended value;
};

const ParseCase kParseCases[] = {
    {"0", true, 0.0L},
    {"12.5", true, 12.5L},
    {"-12.5", true, -12.5L},
    {"+3", true, 3.0L},
    {".5", true, 0.5L},
    {"5.", true, 5.0L},
    {"007", true, 7.0L},
    {"1.5E+03", true, 1500.0L},
    {"1.5e-3", true, 0.0015L},
    {"1E5", true, 1e5L},
    {"0.333333333333333333", true, 0.333333333333333333L},
    {"1.18973149535723176E4932", true, 1.18973149535723176e4932L},
    {"1e-5000", true, 0.0L}, // below the extended range: zero
    {"", false, 0},
    {"-", false, 0},
    {".", false, 0},
    {"e5", false, 0},
    {"1e", false, 0},
    {"1e+", false, 0},
    {"1.5.2", false, 0},
    {"1,5", false, 0},
    {" 1", false, 0},
    {"1 ", false, 0},
    {"--1", false, 0},
    {"inf", false, 0},
    {"-INF", false, 0},
    {"nan", false, 0},
    {"0x1A", false, 0},
    {"$1F", false, 0},
    {"1d5", false, 0},
    {"0.1000+121", false, 0},
    {"1e5000", false, 0},
    {"-1e5000", false, 0},
};

void ExpectParseTable()
{
    for (const ParseCase& c : kParseCases) {
        Extended value = -7;
        EXPECT_EQ(TryParseNumber(c.text, value), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(value, c.value) << '"' << c.text << '"';
        }
    }
}

TEST(GeneralFormat, Table)
{
    ExpectGeneralTable();
}

TEST(GeneralFormat, TableUnderCommaLocale)
{
    korva::test::ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    ExpectGeneralTable();
}

TEST(GeneralFormat, ExponentDigitsAndNonFinite)
{
    EXPECT_EQ(FormatGeneral(1e-7L, 4, 2), "1E-07");
    EXPECT_EQ(FormatGeneral(1.5e25L, 4, 2), "1.5E25");
    EXPECT_EQ(FormatGeneral(0.25L, 4, 2), "0.25");
    EXPECT_EQ(FormatGeneral(std::numeric_limits<Extended>::infinity(), 18), "INF");
    EXPECT_EQ(FormatGeneral(-std::numeric_limits<Extended>::infinity(), 18), "-INF");
    EXPECT_EQ(FormatGeneral(std::numeric_limits<Extended>::quiet_NaN(), 18), "NAN");
}

TEST(GeneralFormat, EighteenDigitsRoundTrip)
{
    // Values kept as 18-digit text and read back, as the evaluator does.
    const Extended third = ParseNumber(FormatGeneral(1.0L / 3.0L, kEntryPrecision));
    EXPECT_EQ(FormatGeneral(third * 3, kEntryPrecision), "0.999999999999999999");
    for (Extended v : {0.1L, 2.0L / 3.0L, 1e-20L, -1.5e25L, 123456.789L})
        EXPECT_EQ(FormatGeneral(ParseNumber(FormatGeneral(v, 18)), 18), FormatGeneral(v, 18));
}

TEST(ExponentFormat, Table)
{
    EXPECT_EQ(FormatExponent(15.0L, 3, 2), "1.50E+01");
    EXPECT_EQ(FormatExponent(-0.00225L, 3, 2), "-2.25E-03");
    EXPECT_EQ(FormatExponent(0.0L, 3, 2), "0.00E+00");
    EXPECT_EQ(FormatExponent(15.0L, 3, 1), "1.50E+1");
    EXPECT_EQ(FormatExponent(123456.0L, 3, 1), "1.23E+5");
    EXPECT_EQ(FormatExponent(9.996L, 3, 2), "1.00E+01");
    EXPECT_EQ(FormatExponent(1.25e-300L, 2, 2), "1.3E-300");
}

// The forms of values kept in files: the digits each double needs to be
// read back as itself, never fewer than asked for, and no more where the
// fewer read back within the noise of a unit switch there and back.
TEST(KeptFormat, EveryDoubleReadsBackAsItselfOrItsRoundValue)
{
    struct Case {
        Extended value;
        int precision;
        const char* general;
    };
    for (const Case& c : {
             Case{20.0L, 10, "20"},
             Case{6.096L, 10, "6.096"},
             Case{1.0L / 3.0L, 10, "0.3333333333333333"},
             Case{3830.420718426867L, 8, "3830.420718426867"}, // 80000 lb/ft^2 in kPa
             Case{199947961.50188246L, 10, "199947961.50188246"},
             // A round value with the last bits of a switch there and back.
             Case{54.99999999999999L, 10, "55"},
             Case{29000000.000000004L, 10, "29000000"},
             Case{0.30480000000000001L * (1.0L + 0x1p-50L), 8, "0.3048"},
             // Beyond that noise a difference is a value of its own.
             Case{1.0L + 0x1p-46L, 10, "1.0000000000000142"},
             Case{0.0L, 10, "0"},
         }) {
        SCOPED_TRACE(c.general);
        EXPECT_EQ(FormatGeneralKeeping(c.value, c.precision), c.general);
    }
    EXPECT_EQ(FormatExponentKeeping(44.99999999999999, 3, 2), "4.50E+01");
    EXPECT_EQ(FormatExponentKeeping(82500.5, 3, 2), "8.25005E+04");
}

TEST(ExponentFormat, ShortestRoundTrip)
{
    EXPECT_EQ(FormatExponentKeeping(15.0, 3, 2), "1.50E+01");
    EXPECT_EQ(FormatExponentKeeping(10.05, 3, 2), "1.005E+01");
    EXPECT_EQ(FormatExponentKeeping(-0.00225, 3, 2), "-2.25E-03");
    EXPECT_EQ(FormatExponentKeeping(0.0, 3, 2), "0.00E+00");
    EXPECT_EQ(FormatExponentKeeping(-0.0, 3, 2), "0.00E+00");
    EXPECT_EQ(FormatExponentKeeping(0.1, 3, 2), "1.00E-01");
    EXPECT_EQ(FormatExponentKeeping(1.0 / 3.0, 3, 2), "3.333333333333333E-01");
    EXPECT_EQ(FormatExponentKeeping(123456.0, 1, 1), "1.23456E+5");
    EXPECT_EQ(FormatExponentKeeping(5.0, 1, 2), "5E+00");
    EXPECT_EQ(FormatExponentKeeping(std::numeric_limits<double>::max(), 3, 2), "1.7976931348623157E+308");
    EXPECT_EQ(FormatExponentKeeping(std::numeric_limits<double>::denorm_min(), 3, 2), "4.94E-324");
    EXPECT_EQ(FormatExponentKeeping(std::numeric_limits<double>::infinity(), 3, 2), "INF");

    korva::test::ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    // 0.05 m steps from 0 to 50 m, as a CPT profile has them: every depth
    // reads back as the same double with the one parser.
    for (int k = 0; k <= 1000; ++k) {
        const double depth = static_cast<double>(k * 0.05L);
        const std::string text = FormatExponentKeeping(depth, 3, 2);
        double back = -1;
        ASSERT_TRUE(TryParseNumber(text, back)) << text;
        EXPECT_EQ(back, depth) << text;
    }
}

// The double parse is the extended one's rules, rounded once to the double
// nearest to the text (never through the extended value).
TEST(Parse, ToTheNearestDouble)
{
    double value = 0;
    ASSERT_TRUE(TryParseNumber("1.005E+01", value));
    EXPECT_EQ(value, 10.05);
    // Halfway between 1 and the next double, and just above: an extended
    // value in between would round the second to even as well.
    ASSERT_TRUE(TryParseNumber("1.00000000000000011102230246251565404236316680908203125", value));
    EXPECT_EQ(value, 1.0);
    ASSERT_TRUE(TryParseNumber("1.00000000000000011102230246251565404236316680908203126", value));
    EXPECT_EQ(value, 1.0 + std::numeric_limits<double>::epsilon());
    ASSERT_TRUE(TryParseNumber("1E-400", value));
    EXPECT_EQ(value, 0.0);
    EXPECT_FALSE(TryParseNumber("1E+400", value)) << "beyond the largest double";
    EXPECT_FALSE(TryParseNumber("inf", value));
    EXPECT_FALSE(TryParseNumber("1.5 ", value));
}

TEST(FixedFormat, Table)
{
    EXPECT_EQ(FormatFixed(1.23456L, 3), "1.235");
    EXPECT_EQ(FormatFixed(12.3456L, 2), "12.35");
    EXPECT_EQ(FormatFixed(-1.005L, 2), "-1.01");
    EXPECT_EQ(FormatFixed(2.5L, 0), "3");
    EXPECT_EQ(FormatFixed(0.0006L, 3), "0.001");
    EXPECT_EQ(FormatFixed(0.0004L, 3), "0.000");
    EXPECT_EQ(FormatFixed(-0.0001L, 3), "0.000");
    EXPECT_EQ(FormatFixed(0.0L, 3), "0.000");
    EXPECT_EQ(FormatFixed(999.9996L, 3), "1000.000");
    EXPECT_EQ(FormatFixed(45.0L, 3), "45.000");
}

TEST(IntegerFormat, Table)
{
    EXPECT_EQ(FormatInteger(0), "0");
    EXPECT_EQ(FormatInteger(-7), "-7");
    EXPECT_EQ(FormatInteger(2147483647), "2147483647");
    EXPECT_EQ(FormatInteger(-9223372036854775807LL - 1), "-9223372036854775808");
    EXPECT_EQ(FormatInteger(255, 16), "FF");
    EXPECT_EQ(FormatInteger(255, 16, 4), "00FF");
    EXPECT_EQ(FormatInteger(-5, 10, 3), "-005");
    korva::test::ScopedCommaLocale comma; // no digit grouping from a locale
    ASSERT_TRUE(comma.Active());
    EXPECT_EQ(FormatInteger(29000000), "29000000");
}

TEST(Parse, Table)
{
    ExpectParseTable();
}

TEST(Parse, TableUnderCommaLocale)
{
    korva::test::ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    ExpectParseTable();
}

TEST(Parse, FailureMessage)
{
    try {
        ParseNumber("abc");
        FAIL();
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'abc' is not a valid floating point value");
    }
}

TEST(DecimalSeparator, ScopedSwitchFollowsFormatAndParse)
{
    ASSERT_EQ(DecimalSeparator(), '.');
    {
        ScopedDecimalSeparator comma(',');
        EXPECT_EQ(DecimalSeparator(), ',');
        EXPECT_EQ(FormatGeneral(12.5L, 18), "12,5");
        EXPECT_EQ(FormatGeneral(-1.5e25L, 18), "-1,5E25");
        EXPECT_EQ(FormatExponent(15.0L, 3, 2), "1,50E+01");
        EXPECT_EQ(ParseNumber("12,5"), 12.5L);
        Extended v;
        EXPECT_FALSE(TryParseNumber("12.5", v));
        {
            ScopedDecimalSeparator dot('.');
            EXPECT_EQ(FormatGeneral(12.5L, 18), "12.5");
        }
        EXPECT_EQ(DecimalSeparator(), ',');
    }
    EXPECT_EQ(DecimalSeparator(), '.');
    // Restored also when the scope is left by an exception.
    try {
        ScopedDecimalSeparator comma(',');
        ParseNumber("x");
    } catch (const EConvertError&) {
    }
    EXPECT_EQ(DecimalSeparator(), '.');
    EXPECT_THROW(SetDecimalSeparator('5'), EAssertionFailed);
    EXPECT_THROW(SetDecimalSeparator('e'), EAssertionFailed);
    EXPECT_EQ(DecimalSeparator(), '.');
}

TEST(RoundToInt, HalvesToEven)
{
    const struct {
        Extended x;
        std::int64_t expected;
    } cases[] = {
        {2.5L, 2}, {3.5L, 4}, {-2.5L, -2}, {-3.5L, -4}, {0.5L, 0}, {-0.5L, 0}, {1.5L, 2},
        {2.4999999L, 2}, {2.5000001L, 3}, {-7.0L, -7}, {1e18L + 0.5L, 1000000000000000000LL},
        {9223372036854775807.0L, 9223372036854775807LL}, {-9223372036854775808.0L, -9223372036854775807LL - 1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundToInt(c.x), c.expected) << FormatGeneral(c.x, 18);
    EXPECT_THROW(RoundToInt(9223372036854775808.0L), EArithmeticError);
    EXPECT_THROW(RoundToInt(1e300L), EArithmeticError);
    EXPECT_THROW(RoundToInt(std::numeric_limits<Extended>::infinity()), EArithmeticError);
    EXPECT_THROW(RoundToInt(std::numeric_limits<Extended>::quiet_NaN()), EArithmeticError);
}

TEST(RealHelpers, FracOfAndWholeNumbers)
{
    EXPECT_EQ(FracOf(-1.5L), -0.5L);
    EXPECT_EQ(FracOf(2.25L), 0.25L);
    EXPECT_FALSE(IsWholeNumber(2147483648.0L));
    EXPECT_TRUE(IsWholeNumber(-2147483648.0L));
    EXPECT_TRUE(IsWholeNumber(2147483647.0L));
    EXPECT_FALSE(IsWholeNumber(3.0000001L));
    EXPECT_TRUE(IsWholeNumber(-7.0L));
}

TEST(IntegerHelpers, MinMaxAndFold)
{
    EXPECT_EQ(IMax(3, 5), 5);
    EXPECT_EQ(IMin(3, 5), 3);
    EXPECT_EQ(IIf(true, 1, 2), 1);
    const int values[] = {4, -2, 9, -2, 7};
    EXPECT_EQ(IMinOf(values), -2);
    EXPECT_EQ(FoldInts(IMax, values), 9);
    EXPECT_THROW(IMinOf({}), EAssertionFailed);
    EXPECT_TRUE(IsInRange(4, 4, 6));
    EXPECT_FALSE(IsInRange(7, 4, 6));
}

} // namespace
