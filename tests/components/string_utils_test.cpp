#include <gtest/gtest.h>

#include "string_utils.h"

using namespace korva::components;

namespace {

TEST(StringHelpers, CharAtNeverReadsOutsideTheText)
{
    EXPECT_EQ(CharAt("F", 1), 'F');
    EXPECT_EQ(CharAt("F", 2), '\0');
    EXPECT_EQ(CharAt("F", 0), '\0');
    EXPECT_EQ(CharAt("", 1), '\0');
    EXPECT_EQ(CharAt("L2^3", 4), '3');
}

TEST(StringHelpers, Positions)
{
    EXPECT_EQ(CopyFrom("F/L2", 3), "L2");
    EXPECT_EQ(CopyFrom("F/L2", 5), "");
    EXPECT_EQ(CopyFrom("F/L2", 0), "F/L2");
    EXPECT_EQ(PosFrom("L", "F/L2", 3), 1); // relative to the tail L2
    EXPECT_EQ(PosFrom("F", "F/L2", 2), 0);
    EXPECT_EQ(PosOrEnd("/", "F"), 2);
    EXPECT_EQ(PosOrEnd("/", "F/L"), 2);
    EXPECT_EQ(PosOr("^", "L2", 9), 9);
    EXPECT_EQ(Pos("", "abc"), 0);
}

TEST(StringHelpers, ReplaceAll)
{
    EXPECT_EQ(ReplaceAll("L2*L2", "L2", "ft"), "ft*ft");
    EXPECT_EQ(ReplaceAll("F/L", "X", "kips"), "F/L");
    // New text that contains the old one is not searched again.
    EXPECT_EQ(ReplaceAll("L/L", "L", "LL"), "LL/LL");
    EXPECT_EQ(ReplaceAll("aaa", "a", ""), "");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
}

TEST(StringHelpers, LowerCaseOfAsciiLettersOnly)
{
    EXPECT_EQ(LowerCase("SIN(0.5)*Pi"), "sin(0.5)*pi");
    EXPECT_EQ(LowerCase(".KV7D"), ".kv7d");
    EXPECT_EQ(LowerCase("\xC3\x84\x9b"), "\xC3\x84\x9b"); // other bytes as they are
}

} // namespace
