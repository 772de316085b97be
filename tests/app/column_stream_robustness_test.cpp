#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "exceptions.h"
#include "golden.h"
#include "project_tables.h"

namespace korva::app {
namespace {

using components::Exception;

// The stored definition of the soil-layer table: pins the "Col" layout and
// seeds the column-stream fuzz target (make fuzz).
TEST(ColumnStream, SoilLayerDefinitionGolden)
{
    TGridRegistry registry;
    TProjectTables tables(registry);
    const auto bytes = tables.D.WriteColumns();
    test::ExpectMatchesGolden(std::string(bytes.begin(), bytes.end()), "app/soil_layers.col");
}

// Reads a stream into a fresh table beside the program's templates, then
// gives it rows so that sub-tables are cloned. Only the base exception may
// come out; returns its message ("" when the stream read).
std::string ReadAndUse(TGridRegistry& registry, const std::vector<std::uint8_t>& bytes)
{
    TGridTable table(registry);
    try {
        table.ReadColumns(bytes);
        table.SetRowCount(3);
        for (int col = 0; col < table.ColumnCount(); ++col)
            table.Cell(col, 2).GetAsString();
    } catch (const Exception& e) {
        return e.Message();
    }
    return {};
}

TEST(ColumnStream, EveryTruncationGivesAColumnMessage)
{
    TGridRegistry registry;
    TProjectTables tables(registry);
    const auto full = tables.D.WriteColumns();
    const int live = registry.GridTableCount();
    for (std::size_t size = 0; size < full.size(); ++size) {
        const std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(size));
        const std::string message = ReadAndUse(registry, cut);
        if (size < 2)
            EXPECT_EQ(message, "Error reading column count") << size;
        else
            EXPECT_EQ(message.rfind("Error occured when creating column ", 0), 0u) << size << ": " << message;
        ASSERT_EQ(registry.GridTableCount(), live); // nothing left behind
    }
    EXPECT_EQ(ReadAndUse(registry, full), "");
}

TEST(ColumnStream, RandomAndDamagedStreamsNeverCrash)
{
    TGridRegistry registry;
    TProjectTables tables(registry);
    const auto full = tables.D.WriteColumns();
    std::mt19937 random(20150705);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 3000; ++round) {
        std::vector<std::uint8_t> bytes;
        if (round % 2 == 0) {
            bytes.resize(static_cast<std::size_t>(random() % 64));
            for (auto& b : bytes)
                b = static_cast<std::uint8_t>(byte(random));
            if (!bytes.empty())
                bytes[0] = 2; // a small column count, so that columns are tried
        } else {
            bytes = full;
            for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips)
                bytes[random() % bytes.size()] = static_cast<std::uint8_t>(byte(random));
        }
        ReadAndUse(registry, bytes); // any outcome but a crash or a foreign exception
    }
}

} // namespace
} // namespace korva::app
