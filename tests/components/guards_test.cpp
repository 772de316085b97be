#include <gtest/gtest.h>

#include <string>

#include "exceptions.h"
#include "guards.h"
#include "message_of.h"

using namespace korva::components;

namespace {

using korva::test::MessageOf;

TEST(Guards, RaiseWhenTheConditionSaysSo)
{
    EXPECT_EQ(MessageOf<EAssertionFailed>([] { RaiseIf(true, "raised"); }), "raised");
    EXPECT_EQ(MessageOf<EAssertionFailed>([] { ErrorIf(true, "error"); }), "error");
    EXPECT_EQ(MessageOf<EAssertionFailed>([] { Require(false, "required"); }), "required");
    EXPECT_EQ(MessageOf<EAssertionFailed>([] { Check(false, "checked"); }), "checked");
    EXPECT_NO_THROW(RaiseIf(false, "x"));
    EXPECT_NO_THROW(ErrorIf(false, "x"));
    EXPECT_NO_THROW(Require(true, "x"));
    EXPECT_NO_THROW(Check(true, "x"));
}

TEST(Guards, RaiseTheNamedClass)
{
    EXPECT_EQ(MessageOf<EAssignError>([] { Require<EAssignError>(false, "Value must be an integer."); }),
              "Value must be an integer.");
    EXPECT_EQ(MessageOf<EListError>([] { Require<EListError>(false, "Index out of bounds"); }), "Index out of bounds");
    // The plain base class, as the library's internal checks use it.
    try {
        Check<Exception>(false, "null parent");
        FAIL();
    } catch (const EAssertionFailed&) {
        FAIL() << "the base class was named, not EAssertionFailed";
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "null parent");
    }
}

TEST(Guards, FormattingVariants)
{
    EXPECT_EQ(MessageOf<Exception>([] { CheckFmt<Exception>(false, "ACount %d", {0}); }), "ACount 0");
    EXPECT_EQ(MessageOf<EAssignError>([] {
                  RequireFmt<EAssignError>(false, "Entry must be between %d and %d.", {0, 4});
              }),
              "Entry must be between 0 and 4.");
    EXPECT_EQ(MessageOf<EAssertionFailed>([] { RaiseIfFmt(true, "%d: %s", {3, "Sand"}); }), "3: Sand");
    EXPECT_EQ(MessageOf<EAssertionFailed>([] { ErrorIfFmt(true, "ATopRow %d", {-1}); }), "ATopRow -1");
    // The message is formatted before the condition is looked at.
    EXPECT_THROW(CheckFmt(true, "%d", {"not a number"}), EConvertError);
    EXPECT_THROW(RaiseIfFmt(false, "%s and %s", {"one"}), EConvertError);
}

TEST(Format, Table)
{
    struct Case {
        const char* pattern;
        std::initializer_list<FormatArg> args;
        const char* expected;
    };
    const Case cases[] = {
        {"Error occured when creating column %d: %s", {0, "Error Column Class not defined"},
         "Error occured when creating column 0: Error Column Class not defined"},
        {"[%5d][%-5d][%.3d]", {42, 42, 7}, "[   42][42   ][007]"},
        {"%x %X %u", {255, 4096, -1}, "FF 1000 4294967295"},
        {"[%6s][%-6s][%.2s]", {"ab", "ab", "abcdef"}, "[    ab][ab    ][ab]"},
        {"100%% of %d", {5}, "100% of 5"},
        {"%d", {-9223372036854775807LL - 1}, "-9223372036854775808"},
        {"no arguments", {}, "no arguments"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.pattern, c.args), c.expected) << c.pattern;
    EXPECT_THROW(Format("%d and %d", {1}), EConvertError);
    EXPECT_THROW(Format("%s", {1}), EConvertError);
    EXPECT_THROW(Format("%q", {1}), EConvertError);
    EXPECT_THROW(Format("ends with %", {1}), EConvertError);
}

TEST(Exceptions, OneBaseAndTheLoaderMessages)
{
    EXPECT_EQ(EInitError().Message(), "Library failed to properly initialize");
    EXPECT_EQ(EFileNotFoundError().Message(), "Library could not be located");
    EXPECT_EQ(EDLLNotOpenError().Message(), "Library is not open");
    // Every class is caught by the base class, the loader's by EDLLError too.
    auto caughtByBase = [](auto raise) {
        try {
            raise();
        } catch (const Exception&) {
            return true;
        }
        return false;
    };
    EXPECT_TRUE(caughtByBase([] { throw EAssignError("a"); }));
    EXPECT_TRUE(caughtByBase([] { throw EInOutError("a"); }));
    EXPECT_TRUE(caughtByBase([] { throw EArithmeticError("a"); }));
    EXPECT_TRUE(caughtByBase([] { throw eNameError("a"); }));
    EXPECT_TRUE(caughtByBase([] { throw EInvalidCast("a"); }));
    try {
        throw EFileNotFoundError();
    } catch (const EDLLError& e) {
        EXPECT_STREQ(e.what(), "Library could not be located");
    }
}

} // namespace
