#include <gtest/gtest.h>

#include <numbers>
#include <string>
#include <vector>

#include "exceptions.h"
#include "expression.h"
#include "number_format.h"
#include "test_support.h"

namespace korva::components {
namespace {

// An entry and the value it gives, written as a field shows it (the general
// format with 18 digits, "." as separator).
struct ValueCase {
    const char* entry;
    const char* value;
};

const std::vector<ValueCase> kValues = {
    // Text round trip of intermediate values and the binary-minus marker.
    {"2(3)", "23"},
    {"(1+2)*3", "9"},
    {"2*(-3)", "-6"},
    {"2(-3)", "-1"},
    {"1/3*3", "0.999999999999999999"},
    {"(1e-20)*2", "2E-20"},
    {"2--3", "5"},
    {"2*-3", "-6"},
    {"2^-3", "0.125"},
    {"--3", "3"},
    {"---3", "-3"},
    {" 2 *\t3 ", "6"},
    {"1.5E3", "1500"},
    {"1.5e-3", "0.0015"},
    {"1e-5", "0.00001"},
    {"1-e", "-1.71828182845904524"},
    // Passes: precedence and left associativity.
    {"2^3^2", "64"},
    {"2+3*4^2", "50"},
    {"8/2/2", "2"},
    {"1+2=3", "1"},
    {"1=1.0", "1"},
    {"1=1=1", "1"},
    {"(0-2)^3", "-8"},
    {"(0-2)^-2", "0.25"},
    {"0^0", "1"},
    {"4^0.5", "2"},
    {"2^-20000", "0"},
    {"7%3", "1"},
    {"-7%3", "-1"},
    {"7.9%2.5", "1"},
    {"-9223372036854775808%-1", "0"},
    {"0&1", "0"},
    {"2&3", "1"},
    {"0|0", "0"},
    {"0|2", "1"},
    {"1|x", "1"},
    // Operands: constants, functions, factorial, hex.
    {"pi", "3.14159265358979324"},
    {"-pi", "-3.14159265358979324"},
    {"-E", "-2.71828182845904524"},
    {"arcsinh0.5", "0.481211825059603447"},
    {"SIN(0.5*2)", "0.841470984807896507"},
    {"sin0.5*2", "0.958851077208406001"},
    {"sqrt2^2", "2"},
    {"sin-1", "-0.841470984807896507"},
    {"sec0", "1"},
    {"cosec1", "1.18839510577812122"},
    {"csc1", "1.18839510577812122"},
    {"cotan1", "0.642092615934330703"},
    {"arctanh0.5", "0.549306144334054846"},
    {"arccosh2", "1.31695789692481671"},
    {"frac-1.5", "-0.5"},
    {"int-1.5", "-1"},
    {"abs-2", "2"},
    {"round2.5", "2"},
    {"round3.5", "4"},
    {"round-2.5", "-2"},
    {"ceil2.1", "3"},
    {"floor-2.1", "-3"},
    {"ln(e)", "1"},
    {"log1000", "3"},
    {"5!", "120"},
    {"0!", "1"},
    {"-3!", "-6"},
    {"3!!", "720"},
    {"sqrt4!", "4.8989794855663562"},
    {"$1F", "31"},
    {"$ff", "255"},
    {"$FFFFFFFF", "-1"},
    {"$7FFFFFFF", "2147483647"},
};

enum class Kind { Assign, Arithmetic };

struct FailureCase {
    const char* entry;
    Kind kind;
    const char* detail; // after "Entry could not be evaluated:" and a CR
};

constexpr const char* kBlank = "entry cannot be blank";
constexpr const char* kParentheses = "() (parentheses) do not match";
constexpr const char* kInvalid = "invalid expression";
constexpr const char* kCharacters = "invalid character(s) in expression";
constexpr const char* kHex = "invalid use of $ (hex function)";
constexpr const char* kFactorial = "! (factoral) applicable to integers only";
constexpr const char* kZero = "division by zero";
constexpr const char* kRange = "the result is out of range";
constexpr const char* kNotReal = "the result is not a real number";
constexpr const char* kInteger = "the value is out of the integer range";

const std::vector<FailureCase> kFailures = {
    {"", Kind::Assign, kBlank},
    {"()", Kind::Assign, kBlank},
    {"2*()", Kind::Assign, kBlank},
    {"   ", Kind::Assign, kInvalid},
    {"3+", Kind::Assign, kInvalid},
    {"+3", Kind::Assign, kCharacters},
    {"3**2", Kind::Assign, kCharacters},
    {")(", Kind::Assign, kParentheses},
    {"2)", Kind::Assign, kParentheses},
    {"(2", Kind::Assign, kCharacters},
    {"1.5E+3", Kind::Assign, kCharacters},
    {"e-1", Kind::Assign, kCharacters},
    {"-sin1", Kind::Assign, kCharacters},
    {"sin", Kind::Assign, kCharacters},
    {"2x", Kind::Assign, kCharacters},
    {"inf", Kind::Assign, kCharacters},
    {"nan", Kind::Assign, kCharacters},
    {"0x1F", Kind::Assign, kCharacters},
    {"1e5000", Kind::Assign, kCharacters},
    {"2.5!", Kind::Assign, kFactorial},
    {"$xyz", Kind::Assign, kHex},
    {"$", Kind::Assign, kHex},
    {"$100000000", Kind::Assign, kHex},
    {"$-1", Kind::Assign, kHex},
    // Arithmetic faults: our own error, never a signal, a hang or inf/NaN.
    {"5%0", Kind::Arithmetic, kZero},
    {"5%0.5", Kind::Arithmetic, kZero},
    {"5/0", Kind::Arithmetic, kZero},
    {"0/0", Kind::Arithmetic, kZero},
    {"0^-1", Kind::Arithmetic, kZero},
    {"cotan0", Kind::Arithmetic, kZero},
    {"cosec0", Kind::Arithmetic, kZero},
    {"1e300!", Kind::Arithmetic, kRange},
    {"1e4000!", Kind::Arithmetic, kRange},
    {"1755!", Kind::Arithmetic, kRange},
    {"10^5000", Kind::Arithmetic, kRange},
    {"2^2147483647", Kind::Arithmetic, kRange},
    {"0.5^-100000", Kind::Arithmetic, kRange},
    {"2^3e9", Kind::Arithmetic, kRange},
    {"1e4000*1e4000", Kind::Arithmetic, kRange},
    {"1e4932+1e4932", Kind::Arithmetic, kRange},
    {"ln0", Kind::Arithmetic, kRange},
    {"arctanh1", Kind::Arithmetic, kRange},
    {"sqrt(0-1)", Kind::Arithmetic, kNotReal},
    {"ln(0-1)", Kind::Arithmetic, kNotReal},
    {"arcsin2", Kind::Arithmetic, kNotReal},
    {"arccosh0.5", Kind::Arithmetic, kNotReal},
    {"(0-8)^(1/3)", Kind::Arithmetic, kNotReal},
    {"1e19%2", Kind::Arithmetic, kInteger},
    {"round1e19", Kind::Arithmetic, kInteger},
    {"ceil1e10", Kind::Arithmetic, kInteger},
    {"floor(0-3e9)", Kind::Arithmetic, kInteger},
};

std::string WithSeparator(std::string text, char separator)
{
    for (char& c : text) {
        if (c == '.')
            c = separator;
    }
    return text;
}

// Runs both tables with the given decimal separator in force (entries and
// expected values written with it).
void CheckTables(char separator)
{
    for (const ValueCase& c : kValues) {
        const std::string entry = WithSeparator(c.entry, separator);
        try {
            EXPECT_EQ(FormatGeneral(EvaluateExpression(entry), kEntryPrecision),
                      WithSeparator(c.value, separator))
                << entry;
        } catch (const Exception& e) {
            ADD_FAILURE() << entry << ": " << e.Message();
        }
    }
    for (const FailureCase& c : kFailures) {
        const std::string entry = WithSeparator(c.entry, separator);
        const std::string message = std::string("Entry could not be evaluated:\r") + c.detail;
        try {
            const Extended value = EvaluateExpression(entry);
            ADD_FAILURE() << entry << " gave " << FormatGeneral(value, kEntryPrecision);
        } catch (const EAssignError& e) {
            EXPECT_EQ(c.kind, Kind::Assign) << entry;
            EXPECT_EQ(e.Message(), message) << entry;
        } catch (const EArithmeticError& e) {
            EXPECT_EQ(c.kind, Kind::Arithmetic) << entry;
            EXPECT_EQ(e.Message(), message) << entry;
        }
    }
}

TEST(EvaluateExpression, EdgeCases)
{
    CheckTables('.');
}

TEST(EvaluateExpression, EdgeCasesUnderCommaLocale)
{
    test::ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    CheckTables('.');
}

TEST(EvaluateExpression, EdgeCasesWithCommaSeparator)
{
    ScopedDecimalSeparator separator(',');
    CheckTables(',');
    // The separator not in force is no number.
    EXPECT_THROW(EvaluateExpression("1.5"), EAssignError);
}

TEST(EvaluateExpression, KeepsFullPrecisionOfASingleOperand)
{
    EXPECT_EQ(EvaluateExpression("pi"), std::numbers::pi_v<Extended>);
    EXPECT_EQ(EvaluateExpression("0.1"), 0.1L);
    // An intermediate value goes through its 18-digit text.
    EXPECT_EQ(EvaluateExpression("1/3"), 0.333333333333333333L);
}

TEST(IsFunctionName, WholeLowerCasedNamesOnly)
{
    for (const char* name : {"arctanh", "ArcTan", "COTAN", "sec", "csc", "sqrt", "!", "$"})
        EXPECT_TRUE(IsFunctionName(name)) << name;
    for (const char* text : {"", "sin1", "si", "exp", "pi", "e", "-", "$1"})
        EXPECT_FALSE(IsFunctionName(text)) << text;
}

} // namespace
} // namespace korva::components
