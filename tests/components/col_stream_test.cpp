#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "col_stream.h"
#include "exceptions.h"
#include "message_of.h"

namespace korva::components {
namespace {

using Bytes = std::vector<std::uint8_t>;
using test::MessageOf;

TEST(ColStream, IntegersTakeTheSmallestTag)
{
    struct Case {
        std::int32_t value;
        Bytes bytes;
    };
    const std::vector<Case> cases = {
        {0, {2, 0x00}},
        {-1, {2, 0xFF}},
        {127, {2, 0x7F}},
        {-128, {2, 0x80}},
        {128, {3, 0x80, 0x00}},
        {-129, {3, 0x7F, 0xFF}},
        {32767, {3, 0xFF, 0x7F}},
        {32768, {4, 0x00, 0x80, 0x00, 0x00}},
        {INT32_MIN, {4, 0x00, 0x00, 0x00, 0x80}},
    };
    for (const auto& c : cases) {
        TColWriter writer;
        writer.WriteInteger(c.value);
        EXPECT_EQ(writer.Bytes(), c.bytes) << c.value;
        TColReader reader(writer.Bytes());
        EXPECT_EQ(reader.ReadInteger(), c.value);
        EXPECT_EQ(reader.Remaining(), 0u);
    }
}

TEST(ColStream, ExtendedIsTenBytesLittleEndian)
{
    TColWriter writer;
    writer.WriteExtended(1.5L);
    EXPECT_EQ(writer.Bytes(), (Bytes{5, 0, 0, 0, 0, 0, 0, 0, 0xC0, 0xFF, 0x3F}));
    TColReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadExtended(), 1.5L);
}

TEST(ColStream, StringsShortAndLong)
{
    TColWriter writer;
    writer.WriteString("L2");
    writer.WriteString(std::string(255, 'a'));
    writer.WriteString(std::string(256, 'b'));
    const Bytes& bytes = writer.Bytes();
    EXPECT_EQ(bytes[0], 6);
    EXPECT_EQ(bytes[1], 2);
    EXPECT_EQ(bytes[4], 6);
    EXPECT_EQ(bytes[5], 255);
    const std::size_t longAt = 4 + 2 + 255;
    EXPECT_EQ((Bytes{bytes[longAt], bytes[longAt + 1], bytes[longAt + 2]}), (Bytes{12, 0x00, 0x01}));

    TColReader reader(bytes);
    EXPECT_EQ(reader.ReadString(), "L2");
    EXPECT_EQ(reader.ReadString(), std::string(255, 'a'));
    EXPECT_EQ(reader.ReadString(), std::string(256, 'b'));
}

TEST(ColStream, ListsAndBooleans)
{
    TColWriter writer;
    writer.WriteStringList({"Depth", "(ft)"});
    writer.WriteBoolean(true);
    writer.WriteBoolean(false);
    EXPECT_EQ(writer.Bytes(), (Bytes{1, 6, 5, 'D', 'e', 'p', 't', 'h', 6, 4, '(', 'f', 't', ')', 0, 9, 8}));
    TColReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadStringList(), (std::vector<std::string>{"Depth", "(ft)"}));
    EXPECT_TRUE(reader.ReadBoolean());
    EXPECT_FALSE(reader.ReadBoolean());
}

TEST(ColStream, AnIntegerReadsWhereARealIsExpected)
{
    TColWriter writer;
    writer.WriteInteger(-7);
    TColReader reader(writer.Bytes());
    EXPECT_EQ(reader.ReadExtended(), -7.0L);
}

TEST(ColStream, DamagedValuesRaiseTheBaseException)
{
    struct Case {
        const char* what;
        Bytes bytes;
        const char* message;
    };
    // Each case is read as: string, then extended.
    const std::vector<Case> cases = {
        {"empty", {}, "Stream read error"},
        {"string longer than the rest", {6, 10, 'a', 'b'}, "Stream read error"},
        {"long string longer than the rest", {12, 0xFF, 0xFF, 0xFF, 0x7F, 'a'}, "Stream read error"},
        {"wrong tag", {9}, "Invalid property value"},
        {"extended cut short", {6, 0, 5, 0, 0, 0}, "Stream read error"},
        {"infinity", {6, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0x80, 0xFF, 0x7F}, "Invalid property value"},
        {"unnormal", {6, 0, 5, 0, 0, 0, 0, 0, 0, 0, 0x00, 0xFF, 0x3F}, "Invalid property value"},
    };
    for (const auto& c : cases) {
        TColReader reader(c.bytes);
        EXPECT_EQ(MessageOf<Exception>([&] {
                      reader.ReadString();
                      reader.ReadExtended();
                  }),
                  c.message)
            << c.what;
    }
}

} // namespace
} // namespace korva::components
