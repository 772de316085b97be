#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "list_reader.h"
#include "test_support.h"

namespace {

using korva::engine::ListReader;

// One value read from a line of its own: what it gives, or the error.
struct ValueCase {
    const char* text;
    double expected;     // when error is empty
    const char* error;   // part of Error() when the read must fail
};

const std::vector<ValueCase> kIntegerCases = {
    {"5", 5, ""},
    {"+5", 5, ""},
    {"-5", -5, ""},
    {"  007  ", 7, ""},
    {"2147483647", 2147483647, ""},
    {"-2147483648", -2147483648.0, ""},
    {"2147483648", 0, "\"2147483648\" is beyond the integer range"},
    {"-99999999999999999999", 0, "beyond the integer range"},
    {"2.5", 0, "\"2.5\" is not an integer"},
    {"1e3", 0, "\"1e3\" is not an integer"},
    {"1.", 0, "is not an integer"},
    {"+-5", 0, "is not an integer"},
    {"5a", 0, "is not an integer"},
    {"0x10", 0, "is not an integer"},
    {"+", 0, "is not an integer"},
};

const std::vector<ValueCase> kRealCases = {
    {"2", 2, ""},
    {"1.", 1, ""},
    {".5", 0.5, ""},
    {"+.5", 0.5, ""},
    {"-.5", -0.5, ""},
    {"+1.5", 1.5, ""},
    {"0.1", 0.1, ""},   // correctly rounded, as any file value
    {"1E5", 1e5, ""},
    {"1e-5", 1e-5, ""},
    {"2.5E+02", 250, ""},
    {"1.0D0", 1, ""},
    {"2.5d+2", 250, ""},
    {"-3.25D-1", -0.325, ""},
    {"9999999.0", 9999999.0, ""},
    {"1.5E", 0, "\"1.5E\" is not a number"},
    {"1.0+05", 0, "is not a number"},
    {".", 0, "is not a number"},
    {"E5", 0, "is not a number"},
    {"1.2.3", 0, "is not a number"},
    {"inf", 0, "is not a number"},
    {"nan", 0, "is not a number"},
    {"1;5", 0, "is not a number"},
    {"1e999", 0, "\"1e999\" is beyond the range of a real number"},
    {"-1e999", 0, "is beyond the range of a real number"},
};

template <typename T>
void ExpectValueCases(const std::vector<ValueCase>& cases)
{
    for (const ValueCase& c : cases) {
        SCOPED_TRACE(c.text);
        ListReader reader(std::string(c.text) + "\n");
        T value = 42;
        const bool ok = reader.Read({value});
        if (*c.error == '\0') {
            ASSERT_TRUE(ok) << reader.Error();
            EXPECT_EQ(value, static_cast<T>(c.expected));
        } else {
            EXPECT_FALSE(ok);
            EXPECT_NE(reader.Error().find(c.error), std::string::npos) << reader.Error();
            EXPECT_EQ(reader.Error().rfind("line 1: ", 0), 0u) << reader.Error();
            EXPECT_EQ(value, 42) << "a failed read leaves its target unchanged";
        }
    }
}

TEST(ListReader, ReadsIntegersOnlyWhenWrittenAsIntegers)
{
    ExpectValueCases<int>(kIntegerCases);
}

TEST(ListReader, ReadsRealsInEveryFortranForm)
{
    ExpectValueCases<double>(kRealCases);
}

TEST(ListReader, IgnoresTheCommaDecimalLocale)
{
    korva::test::ScopedCommaLocale locale;
    ASSERT_TRUE(locale.Active());
    ExpectValueCases<double>(kRealCases);
    ListReader reader("1,5\n");
    double a = 0, b = 0;
    ASSERT_TRUE(reader.Read({a, b}));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 5);
}

// Reads of a given number of reals each, over one text.
struct RecordCase {
    const char* name;
    std::string text;
    std::vector<int> values_per_read;
    std::vector<double> expected;
    std::size_t last_line;
};

TEST(ListReader, OneReadPerRecordContinuingOverLines)
{
    const std::vector<RecordCase> cases = {
        {"rest of the line dropped", "1 2 3\n4 5 6\n", {2, 2}, {1, 2, 4, 5}, 2},
        {"blanks, commas and tabs", "1,2\t3 , 4\t,5\n", {5}, {1, 2, 3, 4, 5}, 1},
        {"continues past blank lines", "1\n\n  \n\t\n2 3 9\n4\n", {3, 1}, {1, 2, 3, 4}, 6},
        {"comma before a line end", "1,\n2\n", {2}, {1, 2}, 2},
        {"CRLF", "1 2\r\n3\r\n\r\n4\r\n", {2, 1, 1}, {1, 2, 3, 4}, 4},
        {"no final line end", "1\n2 3", {1, 2}, {1, 2, 3}, 2},
        {"a read with no targets passes one line", "1\n2\n3\n", {1, 0, 1}, {1, 3}, 3},
    };
    for (const RecordCase& c : cases) {
        SCOPED_TRACE(c.name);
        ListReader reader(c.text);
        std::vector<double> got;
        for (int count : c.values_per_read) {
            std::vector<double> values(static_cast<std::size_t>(count));
            std::vector<ListReader::Target> targets(values.begin(), values.end());
            ASSERT_TRUE(reader.Read(targets)) << reader.Error();
            got.insert(got.end(), values.begin(), values.end());
        }
        EXPECT_EQ(got, c.expected);
        EXPECT_EQ(reader.LineNumber(), c.last_line);
    }
}

TEST(ListReader, MixesIntegerAndRealTargetsInOneRead)
{
    ListReader reader("1 0 12 1\n  0 144. 24 23 29000 60 5 extra\n");
    int units = 0, print_every = 0, points = 0, closed = 0;
    double perimeter = 1, tip = 0, od = 0, id = 0, modulus = 0, length = 0, stickup = 0;
    ASSERT_TRUE(reader.Read({units, print_every, points, closed}));
    ASSERT_TRUE(reader.Read({perimeter, tip, od, id, modulus, length, stickup}));
    EXPECT_EQ(points, 12);
    EXPECT_EQ(perimeter, 0);
    EXPECT_EQ(stickup, 5);
    EXPECT_TRUE(reader.AtEnd());
}

TEST(ListReader, FailsCleanlyAtEndOfFileAndOnEmptyValues)
{
    struct FailCase {
        const char* name;
        std::string text;
        const char* error;
        std::size_t line;
    };
    const std::vector<FailCase> cases = {
        {"empty file", "", "end of file", 0},
        {"only blank lines", "\n \n\r\n", "end of file", 3},
        {"values run out", "1 2\n\n", "end of file", 2},
        {"two commas", "1,,2 3\n", "line 1: a comma with no value before it", 1},
        {"leading comma", "\n , 1 2 3\n", "line 2: a comma with no value before it", 2},
        {"bad value on a later line", "1\n2 x 3\n", "line 2: \"x\" is not a number", 2},
    };
    for (const FailCase& c : cases) {
        SCOPED_TRACE(c.name);
        ListReader reader(c.text);
        double a = -1, b = -1, c3 = -1;
        EXPECT_FALSE(reader.Read({a, b, c3}));
        EXPECT_EQ(reader.Error(), c.error);
        EXPECT_EQ(reader.LineNumber(), c.line);
        EXPECT_EQ(c3, -1);
        EXPECT_TRUE(reader.AtEnd() || c.line == 1);
    }
    ListReader reader("1\n");
    std::string line;
    int value = 0;
    ASSERT_TRUE(reader.Read({value}));
    EXPECT_FALSE(reader.Read({value}));
    EXPECT_FALSE(reader.ReadLine(line));
    EXPECT_EQ(reader.Error(), "end of file");
}

TEST(ListReader, ReadLineGivesRawLinesBetweenReads)
{
    ListReader reader("  Title with  blanks, and 1 2 \r\n\n12 1\nDesigner");
    std::string line;
    int a = 0, b = 0;
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "  Title with  blanks, and 1 2 ");
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "");
    ASSERT_TRUE(reader.Read({a, b}));
    EXPECT_EQ(a, 12);
    ASSERT_TRUE(reader.ReadLine(line));
    EXPECT_EQ(line, "Designer");
    EXPECT_EQ(reader.LineNumber(), 4u);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(reader.ReadLine(line));
}

TEST(ListReader, BoundsHugeLinesAndFiles)
{
    // A 20 MB value: refused, with a short message that shows no raw bytes.
    std::string huge(20'000'000, '7');
    huge[3] = '\0';
    ListReader long_value(huge);
    double value = 0;
    EXPECT_FALSE(long_value.Read({value}));
    EXPECT_LT(long_value.Error().size(), 120u);
    EXPECT_NE(long_value.Error().find("\"777?777"), std::string::npos) << long_value.Error();
    EXPECT_NE(long_value.Error().find("longer than 128 characters"), std::string::npos);

    // Ten million blanks, a million blank lines, then the values: read in linear time.
    std::string spread(10'000'000, ' ');
    spread += "1";
    spread.append(1'000'000, '\n');
    spread += "2 3";
    ListReader reader(std::move(spread));
    double a = 0, b = 0;
    int c = 0;
    ASSERT_TRUE(reader.Read({a, b, c})) << reader.Error();
    EXPECT_EQ(c, 3);
    EXPECT_EQ(reader.LineNumber(), 1'000'001u);
}

} // namespace
