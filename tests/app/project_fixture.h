#pragma once
// A project as the main window holds it, for the tests of the project data
// object and its files: the tables (in a registry of their own), the CPT
// points and a host that records the messages and the modified state. Also
// the two sample projects of the golden files.
#include <string>
#include <vector>

#include "column_types.h"
#include "int_utils.h"
#include "program_data.h"
#include "project_tables.h"

namespace korva::test {

using namespace korva::app;
using components::Extended;
using components::TGridRegistry;
using components::TGridTable;

struct ProjectHost {
    ProjectHost()
    {
        host.Tables = &tables;
        host.MotionInput = &cpt;
        host.Events.ShowInformation = [this](const std::string& m) { messages.push_back(m); };
        host.Events.SetModified = [this](bool v) {
            modified = v;
            if (!v)
                tables.ResetChanged();
        };
    }
    TGridRegistry registry; // first: it outlives the tables
    TProjectTables tables{registry};
    TCptPoints cpt;
    TProjectHost host;
    std::vector<std::string> messages;
    bool modified = true;
};

// One soil layer: its row of D and the two rows (top, bottom) of its
// property table, one value per column in the template's column order.
struct LayerData {
    int type;
    Extended bottom;
    Extended maxSideFriction, maxEndBearing, sideFrictionFactor, endBearingFactor;
    std::vector<Extended> top, base;
};

inline void SetLayer(TProjectTables& t, int layer, const LayerData& data)
{
    TGridTable& d = t.D;
    d.Cell(layer_col::SoilType, layer).SetAsInteger(data.type);
    d.Cell(layer_col::LayerBottom, layer).SetAsFloat(data.bottom);
    d.Cell(layer_col::MaxSideFriction, layer).SetAsFloat(data.maxSideFriction);
    d.Cell(layer_col::MaxEndBearing, layer).SetAsFloat(data.maxEndBearing);
    d.Cell(layer_col::SideFrictionFactor, layer).SetAsFloat(data.sideFrictionFactor);
    d.Cell(layer_col::EndBearingFactor, layer).SetAsFloat(data.endBearingFactor);
    TGridTable& sub = d.Cell(layer_col::Properties, layer).GetAsTable();
    for (int row = 0; row < 2; ++row) {
        const std::vector<Extended>& values = row == 0 ? data.top : data.base;
        for (int col = 0; col < static_cast<int>(values.size()); ++col) {
            if (dynamic_cast<components::TIntColumn*>(&sub.GetColumn(col)))
                sub.Cell(col, row).SetAsInteger(static_cast<int>(components::RoundToInt(values[col])));
            else
                sub.Cell(col, row).SetAsFloat(values[col]);
        }
    }
}

inline void SetLayers(TProjectTables& t, const std::vector<LayerData>& layers)
{
    t.D.SetRowCount(static_cast<int>(layers.size()));
    for (int i = 0; i < static_cast<int>(layers.size()); ++i)
        SetLayer(t, i, layers[i]);
}

// Sand, clay, sand in English units; FHWA and API, load transfer by API,
// with user unit values in the first layer that no method uses.
inline void MakeEnglishThreeLayers(TProgramData& p, ProjectHost& h)
{
    p.ProjectTitle = "Open-ended pipe pile in sand and clay";
    p.DesignerName = "A. Engineer";
    p.JobNumber = "KV-2015-001";
    p.PrintEvery = 2;
    p.OuterDiameter = 24;
    p.InnerDiameter = 23;
    p.ElasticModulus = 29000000;
    p.PileLength = 60;
    p.StickupLength = 5;
    p.IncrementLength = 0.5L;
    p.MethodSelected = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0};
    p.LoadTransferMethod = pmApi;
    //                sand: weight, phi, N, Ko, Nq, Qc, user skin, user end
    //                clay: weight, Su, remolded, PI, YSR, Qc, user skin, user end, adhesion
    SetLayers(h.tables, {
        {kSand, 20, 0, 0, 1, 1, {115, 30, 12, 0.8L, 20, 60000, 250, 4000}, {115, 32, 15, 0.8L, 20, 80000, 300, 5000}},
        {kClay, 45, 1200, 0, 0.9L, 1, {55, 1000, 500, 25, 2, 40000, 0, 0, 2}, {57.6L, 1500, 700, 25, 1.5L, 45000, 0, 0, 2}},
        {kSand, 80, 2000, 100000, 1, 0.8L, {62.6L, 34, 30, 1, 40, 200000, 0, 0}, {62.6L, 36, 35, 1, 40, 250000, 0, 0}},
    });
    h.cpt.Clear();
    h.cpt.Add(50000, 0);
    h.cpt.Add(82500.5L, 12.5L);
    h.cpt.Add(250000, 80);
}

// Sand, clay and silt in SI units with extra t-z depths and a table of cross
// sections; USACE with the user-specified unit load transfer.
inline void MakeSiAllSoils(TProgramData& p, ProjectHost& h)
{
    p.SetUnits(2);
    p.ProjectTitle = "Closed-ended pile, SI, every soil type";
    p.DesignerName = "B. Designer";
    p.JobNumber = "";
    p.PrintEvery = 1;
    p.ClosedEnded = 1;
    p.OuterDiameter = 610;
    p.InnerDiameter = 585;
    p.ElasticModulus = 200000000;
    p.PileLength = 25;
    p.StickupLength = 1.5L;
    p.EndSectionLength = 2;
    p.EndSectionInnerDiameter = 560;
    p.ZeroFrictionLength = 1;
    p.IncrementLength = 0.25L;
    p.MethodSelected = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    p.LoadTransferMethod = pmUserSpecified;
    p.ReducedTzFactors = 1;
    p.ExtraTZDepths = 1;
    p.LoadDirection = 1;
    p.TensionReduction = 0.75L;
    p.DrainedClay = 1;
    p.PlugCondition = 1;
    p.SectionArea = 0.0229L;
    p.SectionAreaMode = 2;
    p.CriticalDepthMode = 2;
    p.CriticalDepth = 12.5L;
    //                silt: weight, phi, N, Ko, Su, not used, user skin, user end
    SetLayers(h.tables, {
        {kSand, 8, 0, 0, 1, 1, {18.5L, 32, 14, 0.8L, 20, 6000, 12.5L, 1500}, {18.5L, 33, 16, 0.8L, 20, 8000, 15, 1800}},
        {kClay, 17.5L, 0, 0, 1, 1, {7.5L, 45, 22, 30, 2.5L, 900, 20, 400, 1}, {8, 60, 30, 28, 2, 1100, 24, 450, 1}},
        {kSilt, 30, 90, 4500, 0.85L, 0.9L, {8.5L, 28, 12, 0.9L, 35, 0, 0, 0}, {9, 29, 18, 0.9L, 40, 0, 0, 0}},
    });
    TGridTable& tz = h.tables.TblTZDepth;
    tz.SetRowCount(3);
    tz.Cell(0, 0).SetAsFloat(5);
    tz.Cell(0, 1).SetAsFloat(10.5L);
    tz.Cell(0, 2).SetAsFloat(20);
    TGridTable& sections = h.tables.Sectionaldata;
    sections.SetRowCount(3);
    const Extended rows[3][2] = {{0, 0.0229L}, {12, 0.0229L}, {25, 0.0301L}};
    for (int row = 0; row < 3; ++row) {
        sections.Cell(section_col::DistanceFromHead, row).SetAsFloat(rows[row][0]);
        sections.Cell(section_col::CrossSectionArea, row).SetAsFloat(rows[row][1]);
    }
    h.cpt.Clear();
}

} // namespace korva::test
