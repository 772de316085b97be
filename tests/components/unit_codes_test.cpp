#include <gtest/gtest.h>

#include <vector>

#include "unit_codes.h"

namespace korva::components {
namespace {

// Factors from SI to English of the codes the program's tables use, as the
// unit table gives them (rounded there to 10 or 11 digits).
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
        {"L2", 3.280839895L, 0},
        {"L^2", 39.37007874L * 39.37007874L, 0},
        {"L1", 0.03937007874L, 0},
        {"F", 224.8089237L, 0},
        {"F0", 224.8089237L, 0},
        {"F1", 0.2248089237L, 0},
        {"F2", 0.1124044745L, 0},
        {"F3", 224.8089237L, 0}, // F3 is no code: F, then a separator character
        {"F4", 5.7101483L, 0},
        {"F6", 68.364249L, 0},
        {"F5/L3", 1.0L, 0},
        {"F1^2/L^2", 0.2248089237L * 0.2248089237L / (39.37007874L * 39.37007874L), 0},
        {"", 1.0L, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        EXPECT_NEAR(static_cast<double>(UnitConversionFactor(kUnitsSI, kUnitsEnglish, c.code)),
                    static_cast<double>(c.factor), static_cast<double>(c.tolerance));
        EXPECT_EQ(UnitConversionFactor(kUnitsEnglish, kUnitsSI, c.code),
                  1.0L / UnitConversionFactor(kUnitsSI, kUnitsEnglish, c.code));
    }
    EXPECT_NEAR(static_cast<double>(UnitConversionFactor(kUnitsSI, kUnitsEnglish, "L^2")), 1550.0031, 1e-4);
}

TEST(UnitCodes, SameOrOtherSystemsDoNotConvert)
{
    EXPECT_EQ(UnitConversionFactor(kUnitsSI, kUnitsSI, "F/L2^2"), 1.0L);
    EXPECT_EQ(UnitConversionFactor(kUnitsEnglish, kUnitsEnglish, "F/L2^2"), 1.0L);
    EXPECT_EQ(UnitConversionFactor(kUnitsPlaceholders, kUnitsSI, "F/L2^2"), 1.0L);
}

TEST(UnitCodes, FactorOfOneTerm)
{
    EXPECT_EQ(UnitCodeFactor("L2^3"), 3.280839895L * 3.280839895L * 3.280839895L);
    EXPECT_EQ(UnitCodeFactor("F*L2"), 224.8089237L * 3.280839895L); // code, one separator, length
    EXPECT_EQ(UnitCodeFactor("L2^"), 3.280839895L);                  // a missing exponent digit counts as 1
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
