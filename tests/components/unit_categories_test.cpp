#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "exceptions.h"
#include "message_of.h"
#include "unit_categories.h"

using namespace korva::components;
using korva::test::MessageOf;

namespace {

struct Expected {
    const char* symbol;
    Extended factor;
};

struct ExpectedCategory {
    const char* name;
    const char* base;
    std::vector<Expected> units;
};

// The registry as it must be after start-up, factors relative to the base.
const std::vector<ExpectedCategory> kRegistry = {
    {"Length", "m",
     {{"mm", 0.001L}, {"cm", 0.01L}, {"m", 1}, {"km", 1000}, {"in", 0.0254L}, {"ft", 0.3048L}, {"yd", 0.9144L},
      {"f", 1.8288L}, {"mi", 1609.344L}, {"nmi", 1852}, {"league", 4828.032L}, {"au", 149597890000.0L}}},
    {"Time", "s",
     {{"ns", 1E-9L}, {"ms", 0.001L}, {"s", 1}, {"mn", 60}, {"hr", 3600}, {"day", 86400}, {"wk", 604800},
      {"mth", 2629800}, {"yr", 31557600}, {"dec", 315576000}, {"cen", 3155760000.0L}, {"mnm", 31557600000.0L},
      {"eon", 3.15576E16L}}},
    {"Force", "N",
     {{"N", 1}, {"kN", 1000}, {"amu", 1.6284334591E-26L}, {"mg", 9.80665E-6L}, {"g", 0.00980665L},
      {"kg", 9.80665L}, {"tn", 9806.65L}, {"oz", 0.278016703710424L}, {"lb", 4.44826725936678L},
      {"kip", 4448.26725936678L}, {"ton", 8896.53451873356L}}},
    {"Temperature", "C", {{"C", 1}, {"F", 1}, {"K", 1}, {"R", 1}}},
    {"Angle", "deg",
     {{"rad", 57.2957795130823L}, {"sec", 1.0L / 3600}, {"min", 1.0L / 60}, {"gr", 0.9L}, {"deg", 1},
      {"quad", 90}, {"rev", 360}}},
    {"Computer Bits", "B",
     {{"b", 0.125L}, {"Kb", 128}, {"Mb", 131072}, {"Gb", 134217728}, {"Tb", 137438953472.0L}, {"B", 1},
      {"KB", 1024}, {"MB", 1048576}, {"GB", 1073741824}, {"TB", 1099511627776.0L}}},
};

TEST(UnitCategories, BuiltInRegistry)
{
    TCategories& registry = Categories();
    ASSERT_EQ(registry.Count(), static_cast<int>(kRegistry.size()));
    for (int c = 0; c < registry.Count(); ++c) {
        const TCategory* category = registry.GetCategory(c);
        const ExpectedCategory& expected = kRegistry[static_cast<std::size_t>(c)];
        EXPECT_EQ(category->Name, expected.name);
        ASSERT_EQ(category->Count(), static_cast<int>(expected.units.size())) << expected.name;
        ASSERT_GE(category->BaseIndex, 0);
        EXPECT_EQ(category->GetUnit(category->BaseIndex)->Symbol, expected.base);
        EXPECT_EQ(category->DisplayIndex, category->BaseIndex);
        EXPECT_EQ(category->EntryIndex, category->BaseIndex);
        EXPECT_EQ(category->Tag, 1);
        for (int u = 0; u < category->Count(); ++u) {
            const TUnit* unit = category->GetUnit(u);
            const Expected& want = expected.units[static_cast<std::size_t>(u)];
            EXPECT_EQ(unit->Symbol, want.symbol);
            EXPECT_LE(std::fabs(unit->Factor - want.factor), want.factor * 1e-17L) << expected.name << " " << want.symbol;
        }
    }
    // These two exactly.
    const TCategory* length = registry.GetCategory(0);
    EXPECT_EQ(length->GetUnit(length->IndexOfSymbol("mm"))->Factor, 0.001L);
    const TCategory* angle = registry.FindCategory("Angle");
    EXPECT_EQ(angle->GetUnit(angle->IndexOfSymbol("rad"))->Factor, 57.2957795130823L);
    EXPECT_EQ(angle->IndexOfSymbol("PH rev"), -1);
    EXPECT_EQ(registry.FindCategory("Time")->IndexOfSymbol("PH s"), -1);
}

TEST(UnitCategories, DuplicateAndRangeMessages)
{
    TCategories registry;
    AddBuiltInCategories(registry);
    EXPECT_EQ(MessageOf<eNameError>([&] { registry.GetCategory(0)->AddUnit("m", "meters again", 1); }),
              "m already exists. A unit's symbol must be unique.");
    EXPECT_EQ(MessageOf<eNameError>([&] { registry.AddCategory("Force"); }), "Force already exists.");
    EXPECT_EQ(MessageOf<Exception>([&] { registry.GetCategory(6); }), "6 Out of Range 0-6");
    EXPECT_EQ(MessageOf<Exception>([&] { registry.GetCategory(-1); }), "-1 Out of Range 0-6");
    // Symbols are case-sensitive.
    EXPECT_NO_THROW(registry.GetCategory(0)->AddUnit("M", "mega", 1e6L));
}

TEST(UnitCategories, SetBaseAndDeleteUnit)
{
    TCategory category("Test");
    category.AddUnit("a", "first", 2); // the first unit becomes the base with factor 1
    EXPECT_EQ(category.BaseIndex, 0);
    EXPECT_EQ(category.GetUnit(0)->Factor, 1);
    category.AddUnit("b", "second", 4);
    category.AddUnit("c", "third", 8);
    category.SetBase(1);
    EXPECT_EQ(category.GetUnit(0)->Factor, 0.25L);
    EXPECT_EQ(category.GetUnit(1)->Factor, 1);
    EXPECT_EQ(category.GetUnit(2)->Factor, 2);
    category.DisplayIndex = 2;
    category.EntryIndex = 1;

    // Deleting the base leaves no base and the factors as they are.
    category.DeleteUnit(1);
    EXPECT_EQ(category.BaseIndex, -1);
    EXPECT_EQ(category.Count(), 2);
    EXPECT_EQ(category.GetUnit(0)->Factor, 0.25L);
    EXPECT_EQ(category.GetUnit(1)->Factor, 2);
    EXPECT_EQ(category.DisplayIndex, 1); // shifted down with its unit
    EXPECT_EQ(category.EntryIndex, 1);   // its unit went; now the one that followed

    // An index on the deleted last unit moves to the new last unit.
    category.DeleteUnit(1);
    EXPECT_EQ(category.DisplayIndex, 0);
    EXPECT_EQ(category.EntryIndex, 0);
    category.DeleteUnit(0);
    EXPECT_EQ(category.DisplayIndex, -1);
    EXPECT_THROW(category.DeleteUnit(0), EListError);
    category.SetBase(-1);
    EXPECT_EQ(category.BaseIndex, -1);
}

} // namespace
