#include "unit_categories.h"

#include <initializer_list>

#include "exceptions.h"
#include "guards.h"

namespace korva::components {

int TCategory::IndexOfSymbol(const std::string& symbol) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetUnit(i)->Symbol == symbol)
            return i;
    return -1;
}

TUnit* TCategory::AddUnit(const std::string& symbol, const std::string& name, Extended factor)
{
    RaiseIf<eNameError>(IndexOfSymbol(symbol) >= 0, symbol + " already exists. A unit's symbol must be unique.");
    TUnit* unit = new TUnit(symbol, name, factor);
    units_.Add(unit);
    if (Count() == 1)
        SetBase(0);
    return unit;
}

void TCategory::SetBase(int index)
{
    if (index == -1) {
        BaseIndex = -1;
        return;
    }
    TUnit* base = GetUnit(index);
    for (int i = 0; i < Count(); ++i)
        if (i != index)
            GetUnit(i)->Factor /= base->Factor;
    base->Factor = 1;
    BaseIndex = index;
}

void TCategory::DeleteUnit(int index)
{
    const int count = Count();
    GetUnit(index); // raises EListError for an index outside the units
    if (BaseIndex == index)
        BaseIndex = -1;
    for (int* kept : {&BaseIndex, &DisplayIndex, &EntryIndex})
        if (*kept > index)
            --*kept;
    for (int* kept : {&DisplayIndex, &EntryIndex})
        if (*kept == index && index == count - 1)
            *kept = count - 2; // the new last unit; -1 when none is left
    units_.Delete(index);
}

TCategory* TCategories::AddCategory(const std::string& name)
{
    RaiseIf<eNameError>(FindCategory(name) != nullptr, name + " already exists.");
    TCategory* category = new TCategory(name);
    categories_.Add(category);
    category->Tag = 1;
    return category;
}

TCategory* TCategories::GetCategory(int index) const
{
    RequireFmt<EListError>(index >= 0 && index < Count(), "%d Out of Range 0-%d", {index, Count()});
    return categories_.Items(index);
}

TCategory* TCategories::FindCategory(const std::string& name) const
{
    for (int i = 0; i < Count(); ++i)
        if (categories_.Items(i)->Name == name)
            return categories_.Items(i);
    return nullptr;
}

namespace {

struct UnitDef {
    const char* symbol;
    const char* name;
    Extended factor; // in the terms of the category's first unit
};

// Adds the units in order, makes baseSymbol the base (dividing the factors by
// its one) and points the display and entry units at it. A placeholder first
// unit takes the "first unit becomes the base" step, so the real units keep
// their factors as written; it is deleted once the base is set.
void AddCategoryOf(TCategories& registry, const char* name, const char* baseSymbol,
                   std::initializer_list<UnitDef> units, const UnitDef* placeholder = nullptr)
{
    TCategory* category = registry.AddCategory(name);
    if (placeholder)
        category->AddUnit(placeholder->symbol, placeholder->name, placeholder->factor);
    for (const UnitDef& unit : units)
        category->AddUnit(unit.symbol, unit.name, unit.factor);
    category->SetBase(category->IndexOfSymbol(baseSymbol));
    category->DisplayIndex = category->EntryIndex = category->BaseIndex;
    if (placeholder)
        category->DeleteUnit(category->IndexOfSymbol(placeholder->symbol));
}

} // namespace

void AddBuiltInCategories(TCategories& registry)
{
    // Lengths in millimetres.
    AddCategoryOf(registry, "Length", "m",
                  {{"mm", "millimeters", 1},
                   {"cm", "centimeters", 10},
                   {"m", "meters", 1000},
                   {"km", "kilometers", 1000000},
                   {"in", "inches", 25.4L},
                   {"ft", "feet", 304.8L},
                   {"yd", "yards", 914.4L},
                   {"f", "fathoms", 1828.8L},
                   {"mi", "miles, statute", 1609344},
                   {"nmi", "nautical miles, U.S.", 1852000},
                   {"league", "leagues, statute", 4828032},
                   {"au", "astronomical units", 149597890000000.0L}});
    const UnitDef secondsPlaceholder{"PH s", "seconds", 1};
    AddCategoryOf(registry, "Time", "s",
                  {{"ns", "nanoseconds", 1E-9L},
                   {"ms", "milliseconds", 0.001L},
                   {"s", "seconds", 1},
                   {"mn", "minutes", 60},
                   {"hr", "hours", 3600},
                   {"day", "days", 86400},
                   {"wk", "weeks", 604800},
                   {"mth", "months", 2629800},
                   {"yr", "years", 31557600},
                   {"dec", "decades", 315576000},
                   {"cen", "centuries", 3155760000.0L},
                   {"mnm", "millenia", 31557600000.0L},
                   {"eon", "eons", 3.15576E16L}},
                  &secondsPlaceholder);
    AddCategoryOf(registry, "Force", "N",
                  {{"N", "newtons", 1},
                   {"kN", "kilonewtons", 1000},
                   {"amu", "atomic mass units", 1.6284334591E-26L},
                   {"mg", "milligrams", 9.80665E-6L},
                   {"g", "grams force", 0.00980665L},
                   {"kg", "kilograms force", 9.80665L},
                   {"tn", "metric tons", 9806.65L},
                   {"oz", "ounces force", 0.278016703710424L},
                   {"lb", "pounds force", 4.44826725936678L},
                   {"kip", "kilopounds", 4448.26725936678L},
                   {"ton", "U.S. Tons force, short", 8896.53451873356L}});
    // No offsets: the temperature units carry the factor 1 only.
    AddCategoryOf(registry, "Temperature", "C",
                  {{"C", "Celsius", 1}, {"F", "Fahrenheit", 1}, {"K", "Kelvin", 1}, {"R", "Rankine", 1}});
    const UnitDef revolutionPlaceholder{"PH rev", "place holder", 1};
    AddCategoryOf(registry, "Angle", "deg",
                  {{"rad", "radians", 57.2957795130823L},
                   {"sec", "seconds", 1.0L / 3600},
                   {"min", "minutes", 1.0L / 60},
                   {"gr", "grades", 0.9L},
                   {"deg", "degrees", 1},
                   {"quad", "quadrants", 90},
                   {"rev", "revolutions", 360}},
                  &revolutionPlaceholder);
    // Bits and bytes in bits.
    AddCategoryOf(registry, "Computer Bits", "B",
                  {{"b", "bits", 1},
                   {"Kb", "kilobits", 1024},
                   {"Mb", "megabits", 1048576},
                   {"Gb", "gigabits", 1073741824},
                   {"Tb", "terabits", 1099511627776.0L},
                   {"B", "bytes", 8},
                   {"KB", "kilobytes", 8192},
                   {"MB", "megabytes", 8388608},
                   {"GB", "gigabytes", 8589934592.0L},
                   {"TB", "terabytes", 8796093022208.0L}});
}

TCategories& Categories()
{
    static TCategories registry = [] {
        TCategories built;
        AddBuiltInCategories(built);
        return built;
    }();
    return registry;
}

} // namespace korva::components
