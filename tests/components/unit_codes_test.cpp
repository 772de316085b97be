#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <vector>

#include "number_format.h"
#include "unit_codes.h"

namespace korva::components {
namespace {

// Factors from SI to English of the codes the program's tables use: the
// lengths exact (the reciprocals of 0.3048 m per ft, 25.4 mm per in), the
// forces as the unit table gives them.
struct FactorCase {
    const char* code;
    long double factor;
    long double tolerance;
};

TEST(UnitCodes, FactorsFromSIToEnglish)
{
    const std::vector<FactorCase> cases = {
        {"F/L2^2", 20.885432431L, 5e-10L},
        {"F/L2^3", 6.365879805L, 5e-10L},
        {"L2", 1 / 0.3048L, 0},
        {"L^2", 1 / (0.0254L * 0.0254L), 0},
        {"L1", 1 / 25.4L, 0},
        {"F", 224.8089237L, 0},
        {"F0", 224.8089237L, 0},
        {"F1", 0.2248089237L, 0},
        {"F2", 0.1124044745L, 0},
        {"F3", 224.8089237L, 0}, // F3 is no code: F, then a separator character
        {"F4", 5.7101483L, 0},
        {"F6", 68.364249L, 0},
        {"F5/L3", 1.0L, 0},
        {"F1^2/L^2", 0.2248089237L * 0.2248089237L * (0.0254L * 0.0254L), 0},
        {"", 1.0L, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        const long double toEnglish = UnitConversionFactor(kUnitsSI, kUnitsEnglish, c.code);
        if (c.tolerance == 0)
            EXPECT_EQ(toEnglish, c.factor);
        else
            EXPECT_NEAR(static_cast<double>(toEnglish), static_cast<double>(c.factor),
                        static_cast<double>(c.tolerance));
        // The other way the exact reciprocal, to the last bit of the format.
        const long double product = UnitConversionFactor(kUnitsEnglish, kUnitsSI, c.code) * toEnglish;
        EXPECT_LE(std::fabs(product - 1), 4 * std::numeric_limits<long double>::epsilon());
    }
    EXPECT_NEAR(static_cast<double>(UnitConversionFactor(kUnitsSI, kUnitsEnglish, "L^2")), 1550.0031, 1e-4);
    // Feet to metres and inches to millimetres by the exact decimals.
    EXPECT_EQ(UnitConversionFactor(kUnitsEnglish, kUnitsSI, "L2"), 0.3048L);
    EXPECT_EQ(UnitConversionFactor(kUnitsEnglish, kUnitsSI, "L1"), 25.4L);
    EXPECT_EQ(UnitConversionFactor(kUnitsEnglish, kUnitsSI, "L^2"), 0.0254L * 0.0254L);
}

TEST(UnitCodes, ASwitchThereAndBackGivesTheValueAgain)
{
    // One factor, multiplied one way and divided the other: no value drifts
    // however often the system is switched (a rounded factor and its rounded
    // reciprocal shift the last digits with every pair of switches).
    const char* codes[] = {"L2", "L1", "L^2", "F/L2^2", "F/L2^3", "F/L^2", "F1/L2^2", "F1", "F*L2", "L2/F"};
    const long double values[] = {20, 0.5L, 452.4L, 1e-3L, 123456.789L, 2.5e7L, 0.1L, 7};
    for (const char* code : codes)
        for (const long double start : values) {
            long double value = start;
            for (int pair = 0; pair < 100; ++pair)
                value = ConvertUnits(ConvertUnits(value, kUnitsEnglish, kUnitsSI, code), kUnitsSI, kUnitsEnglish, code);
            EXPECT_EQ(FormatGeneral(value, 18), FormatGeneral(start, 18)) << code << " " << static_cast<double>(start);
        }
    EXPECT_EQ(FormatGeneral(ConvertUnits(20, kUnitsEnglish, kUnitsSI, "L2"), 18), "6.096");
    EXPECT_EQ(ConvertUnits(6.096L, kUnitsSI, kUnitsSI, "L2"), 6.096L);
    EXPECT_EQ(ConvertUnits(6.096L, kUnitsPlaceholders, kUnitsEnglish, "L2"), 6.096L);
}

TEST(UnitCodes, SameOrOtherSystemsDoNotConvert)
{
    EXPECT_EQ(UnitConversionFactor(kUnitsSI, kUnitsSI, "F/L2^2"), 1.0L);
    EXPECT_EQ(UnitConversionFactor(kUnitsEnglish, kUnitsEnglish, "F/L2^2"), 1.0L);
    EXPECT_EQ(UnitConversionFactor(kUnitsPlaceholders, kUnitsSI, "F/L2^2"), 1.0L);
}

TEST(UnitCodes, FactorOfOneTerm)
{
    EXPECT_EQ(UnitCodeFactor("L2^3"), 1 / (0.3048L * 0.3048L * 0.3048L));
    EXPECT_EQ(UnitCodeFactor("F*L2"), 224.8089237L / 0.3048L); // code, one separator, length
    EXPECT_EQ(UnitCodeFactor("L2^"), 1 / 0.3048L);              // a missing exponent digit counts as 1
}

TEST(UnitCodes, HeaderTexts)
{
    struct Case {
        const char* code;
        int units;
        const char* text;
    };
    const std::vector<Case> cases = {
        {"F/L2^2", kUnitsEnglish, "lbs/ft^2"}, {"F/L2^2", kUnitsSI, "kN/m^2"},
        {"F/L2^3", kUnitsEnglish, "lbs/ft^3"}, {"F/L2^3", kUnitsSI, "kN/m^3"},
        {"L^2", kUnitsEnglish, "in^2"},        {"L^2", kUnitsSI, "m^2"},
        {"L2", kUnitsEnglish, "ft"},           {"L1", kUnitsSI, "mm"},
        {"F1/L1", kUnitsEnglish, "kips/in"},   {"F4", kUnitsEnglish, "lb-sec2/in"},
        {"F/L2^2", kUnitsPlaceholders, "F/L^2"}, {"F4*F5", kUnitsPlaceholders, "M*T"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnitCodeText(c.code, c.units), c.text) << c.code << " in " << c.units;
}

TEST(UnitCodes, DigitsAConvertedValueCarries)
{
    // The fewest digits of the factors a code is made of: the forces' 10 (or
    // 8 for the masses), 15 where every factor is exact; nothing for a text
    // that names no unit.
    struct Case {
        const char* code;
        std::optional<int> digits;
    };
    const std::vector<Case> cases = {
        {"L2", 15},      {"L1", 15},       {"L^2", 15},          {"L3", 15},  {"F5", 15},
        {"F/L2^2", 10},  {"F/L2^3", 10},   {"F1/L2^2", 10},      {"F", 10},   {"F2", 10},
        {"F4", 8},       {"F6/L2", 8},     {"L2/F4", 8},         {"F/L\xC2\xB2", 10},
        {"", std::nullopt}, {"in", std::nullopt}, {"degrees", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnitCodeDigits(c.code), c.digits) << c.code;
    // Every inexact factor carries the digits of its decimal.
    for (const TUnitCodeRow& row : UnitCodeTable())
        if (row.Digits != kExactFactorDigits) {
            std::string digits = FormatGeneral(row.Factor, 18);
            std::erase(digits, '.');
            EXPECT_EQ(static_cast<int>(digits.find_last_not_of('0') + 1 - digits.find_first_not_of('0')), row.Digits)
                << row.Code;
        }
}

TEST(UnitCodes, AConvertedValueIsShownWithTheDigitsItCarries)
{
    // 2 ksf, 55 lbs/ft^3 and 29,000,000 lbs/in^2 in SI with the factor's 10
    // digits, never the 18 of the entry fields; lengths with 15; a text
    // without a unit with the format's own; and each back in English round.
    const long double stress = ConvertUnits(2000, kUnitsEnglish, kUnitsSI, "F/L2^2");
    EXPECT_EQ(FormatGeneral(stress, 18), "95.7605262242507886");
    EXPECT_EQ(FormatShown(stress, 18, "F/L2^2"), "95.76052622");
    EXPECT_EQ(FormatShown(stress, 8, "F/L2^2"), "95.760526");
    EXPECT_EQ(FormatShown(ConvertUnits(55, kUnitsEnglish, kUnitsSI, "F/L2^3"), 18, "F/L2^3"), "8.639811257");
    EXPECT_EQ(FormatShown(ConvertUnits(29e6L, kUnitsEnglish, kUnitsSI, "F/L^2"), 18, "F/L^2"), "199947978.8");
    EXPECT_EQ(FormatShown(ConvertUnits(stress, kUnitsSI, kUnitsEnglish, "F/L2^2"), 18, "F/L2^2"), "2000");
    EXPECT_EQ(FormatShown(ConvertUnits(0.25L, kUnitsSI, kUnitsEnglish, "L2"), 18, "L2"), "0.820209973753281");
    EXPECT_EQ(FormatShown(1 / 3.0L, 18, ""), "0.333333333333333333");
    EXPECT_EQ(ShownDigits(18, "F4"), 8);
    EXPECT_EQ(ShownDigits(4, "L2"), 4);
    EXPECT_EQ(ShownDigits(18, "degrees"), 18);
}

TEST(UnitCodes, UnitWordsOfTheTable)
{
    EXPECT_EQ(UnitWord("F1", kUnitsEnglish), "kips");
    EXPECT_EQ(UnitWord("F1", kUnitsSI), "kN");
    EXPECT_EQ(UnitWord("L1", kUnitsSI), "mm");
    EXPECT_EQ(UnitWord("L3", kUnitsEnglish), "rad");
    EXPECT_EQ(UnitWord("L2", kUnitsPlaceholders), "L2");
    EXPECT_EQ(UnitWord("X", kUnitsSI), "X");
    EXPECT_EQ(UnitCodeTable().size(), 10u);
}

} // namespace
} // namespace korva::components
