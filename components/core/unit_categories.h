#pragma once
// Unit categories: a registry of physical quantities (categories) and their
// units, each unit with the factor that expresses it in the category's base
// unit. The program's registry, Categories(), holds six built-in categories
// (Length, Time, Force, Temperature, Angle, Computer Bits).
#include <string>

#include "number_format.h"
#include "object_list.h"

namespace korva::components {

class TUnit {
public:
    TUnit(std::string symbol, std::string name, Extended factor)
        : Symbol(std::move(symbol)), Name(std::move(name)), Factor(factor)
    {
    }

    std::string Symbol; // unique within its category (case-sensitive)
    std::string Name;
    Extended Factor;    // the size of the unit expressed in the base unit
    bool Enabled = true;  // offered for choice
    bool Changed = false; // edited since created
};

class TCategory {
public:
    explicit TCategory(std::string name) : Name(std::move(name)) {}

    // Appends a unit; the first unit of a category becomes its base. Raises
    // eNameError "<symbol> already exists. A unit's symbol must be unique."
    // when the category has a unit with that symbol.
    TUnit* AddUnit(const std::string& symbol, const std::string& name, Extended factor);
    // Makes the unit at index the base: every other factor is divided by its
    // factor and its factor becomes 1. -1 leaves the category without a base.
    void SetBase(int index);
    // Frees the unit at index. Deleting the base leaves no base (factors
    // unchanged); the indexes beyond it shift down.
    void DeleteUnit(int index);
    TUnit* GetUnit(int index) const { return units_.Items(index); }
    int Count() const { return units_.Count(); }
    // Index of the unit with that symbol, -1 when absent.
    int IndexOfSymbol(const std::string& symbol) const;

    std::string Name; // unique within the registry
    int BaseIndex = -1;
    // Units preferred for showing and for entering values; kept in step with
    // the base when the registry is built and shifted like it on deletion.
    int DisplayIndex = -1;
    int EntryIndex = -1;
    int Tag = 0;         // 1 once the category is added to a registry
    Extended Scale = 1;  // a free scale of the category, 1 when created

private:
    TObjectList<TUnit> units_;
};

class TCategories {
public:
    // Appends a new category; raises eNameError "<name> already exists." for
    // a name already present.
    TCategory* AddCategory(const std::string& name);
    // Raises EListError "<index> Out of Range 0-<count>" outside the categories.
    TCategory* GetCategory(int index) const;
    int Count() const { return categories_.Count(); }
    // The category of that name, nullptr when absent.
    TCategory* FindCategory(const std::string& name) const;

private:
    TObjectList<TCategory> categories_;
};

// Fills a registry with the six built-in categories.
void AddBuiltInCategories(TCategories& registry);

// The program's registry, built with the built-in categories on first use
// and kept until the program ends.
TCategories& Categories();

} // namespace korva::components
