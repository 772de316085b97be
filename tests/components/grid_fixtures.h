#pragma once
// Small tables for the grid-table tests: a soil-layer table whose first
// column chooses between a "Sand" and a "Clay" property template, and a
// window stand-in that records what the table tells it.
#include <memory>
#include <string>
#include <vector>

#include "column_types.h"
#include "grid_table.h"

namespace korva::test {

using namespace korva::components;

class FakeWindow : public TTableWindow {
public:
    void Show() override { ++shown; }
    bool IsModal() const override { return modal; }
    void Release() override { ++released; }
    void TableGone() override { ++gone; }
    void CaptionChanged() override { ++captions; }
    void PictureChanged() override {}
    void FocusCell(int gridCol, int gridRow) override { focus = {gridCol, gridRow}; }
    int TopDataRow() const override { return top; }
    int VisibleDataRows() const override { return visible; }

    bool modal = false;
    int shown = 0, released = 0, gone = 0, captions = 0, top = 0, visible = 1;
    std::pair<int, int> focus{-1, -1};
};

// A registry of its own with two property templates (identifiers 11 and 12)
// and a layer table: 0 soil type, 1 bottom depth, 2 properties.
struct LayerTables {
    LayerTables()
    {
        sand.Caption = "Sand";
        sand.SetIdentifier(11);
        sand.SetMinRows(2);
        sand.SetMaxRows(2);
        AddFloatColumn(sand, {"Unit Weight"}, "F/L2^3", 0.5L);
        AddIntColumn(sand, {"Blow Counts"}, 0);

        clay.Caption = "Clay";
        clay.SetIdentifier(12);
        clay.SetMinRows(2);
        clay.SetMaxRows(2);
        AddFloatColumn(clay, {"Undrained Shear Strength"}, "F/L2^2", 0.25L);

        layers.Caption = "Soil";
        AddEnumColumn(layers, {"Soil Type"}, {"Sand", "Clay"});
        AddFloatColumn(layers, {"Bottom"}, "L2");
        AddTableColumn(layers, {"Properties"}, {11, 12});
        layers.SetRowCount(3);
    }

    TGridTable& Properties(int layer) { return layers.Cell(2, layer).GetAsTable(); }

    TGridRegistry registry; // declared first: outlives the tables
    TGridTable sand{registry};
    TGridTable clay{registry};
    TGridTable layers{registry};
};

} // namespace korva::test
