// The engine reads the project files that the program writes: every field
// of the two sample projects, each in both unit systems (sand, clay and silt
// layers, user unit values, extra t-z depths, a section table and CPT points
// among them), arrives where the engine's own reader expects it, and a whole
// run of each ends with status 0.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "engine_run.h"
#include "input_files.h"
#include "list_reader.h"
#include "project_fixture.h"
#include "run_state.h"

namespace korva::test {
namespace {

namespace Soil = engine::Soil;
using engine::ListReader;
using engine::RunState;

struct Variant {
    const char* name;
    void (*make)(TProgramData&, ProjectHost&);
    int units; // the system the sample is switched to before saving
};

const Variant kVariants[] = {
    {"english-three-layers", MakeEnglishThreeLayers, 1},
    {"english-three-layers in SI", MakeEnglishThreeLayers, 2},
    {"si-all-soils", MakeSiAllSoils, 2},
    {"si-all-soils in English", MakeSiAllSoils, 1},
};

// Relative tolerances of the file's number forms: cells carry 8 significant
// digits, the other reals 10, the CPT points 3.
constexpr double kCell = 1e-7;
constexpr double kReal = 1e-9;
constexpr double kCpt = 5e-3;

void ExpectClose(double engine, Extended program, double tolerance, const std::string& what)
{
    const double expected = static_cast<double>(program);
    EXPECT_NEAR(engine, expected, tolerance * std::max(1.0, std::fabs(expected))) << what;
}

// Soil point `row` (0 top, 1 bottom) of layer `layer` as the engine holds
// it, each column given back as it stood in the file: the engine's reading
// conversions (English stresses in ksf, the sand and silt blow counts moved,
// absent limits) undone.
struct SoilPointAsRead {
    const RunState& s;
    int point;
    double Get(int column) const
    {
        const auto& p = s.SoilColumns[point];
        const double ksf = s.Units == 1 ? 1000.0 : 1.0;
        const bool blow_count = p[Soil::SoilType] == 1.0 || p[Soil::SoilType] == 3.0;
        switch (column) {
        case Soil::MaxSideFriction:
            return s.NoSideFrictionLimit[point] ? 0.0 : p[column] * ksf;
        case Soil::MaxEndBearing:
            return s.NoEndBearingLimit[point] ? 0.0 : p[column] * ksf;
        case Soil::UndrainedShearStrength:
            return p[column] * ksf;
        case Soil::RemoldedStrengthOrBlowCount:
            return blow_count ? p[Soil::YieldStressRatio] : p[column] * ksf;
        case Soil::PlasticityIndex:
            return s.PlasticityIndexAsRead[point];
        case Soil::ConeResistance:
            return s.ConeResistanceAsRead[point];
        default:
            return p[column];
        }
    }
};

Extended CellValue(TGridTable& table, int col, int row)
{
    if (dynamic_cast<components::TFloatColumn*>(&table.GetColumn(col)))
        return table.Cell(col, row).GetAsFloat();
    return table.Cell(col, row).GetAsInteger();
}

// The field of the program's tables that each column of a soil point must
// carry, by soil type (0 where the type has none). The yield stress ratio of
// sand and silt is left out: the engine puts the blow count there.
std::vector<std::pair<int, Extended>> ExpectedSoilPoint(TProjectTables& t, int layer, int row)
{
    TGridTable& d = t.D;
    TGridTable& props = d.Cell(layer_col::Properties, layer).GetAsTable();
    auto sub = [&](int col) { return CellValue(props, col, row); };
    auto D = [&](int col) { return CellValue(d, col, layer); };
    const int type = d.Cell(layer_col::SoilType, layer).GetAsInteger();
    const Extended depth = row == 1 ? D(layer_col::LayerBottom)
                           : layer == 0 ? 0
                                        : CellValue(d, layer_col::LayerBottom, layer - 1);
    std::vector<std::pair<int, Extended>> columns = {
        {Soil::Depth, depth},
        {Soil::SoilType, type},
        {Soil::EffectiveUnitWeight, sub(0)},
        {Soil::MaxSideFriction, D(layer_col::MaxSideFriction)},
        {Soil::MaxEndBearing, D(layer_col::MaxEndBearing)},
        {Soil::RemoldedStrengthOrBlowCount, sub(2)},
        {Soil::SideFrictionFactor, D(layer_col::SideFrictionFactor)},
        {Soil::EndBearingFactor, D(layer_col::EndBearingFactor)},
    };
    auto add = [&](std::initializer_list<std::pair<int, Extended>> more) {
        columns.insert(columns.end(), more.begin(), more.end());
    };
    switch (type) {
    case kSand:
        add({{Soil::EarthPressureCoefficient, sub(sand_col::Ko)},
             {Soil::FrictionAngle, sub(sand_col::FrictionAngle)},
             {Soil::BearingCapacityFactor, sub(sand_col::Nq)},
             {Soil::UndrainedShearStrength, 0},
             {Soil::PlasticityIndex, 0},
             {Soil::ConeResistance, sub(sand_col::ConeResistance)},
             {Soil::UserUnitSkinFriction, sub(sand_col::UserUnitSkinFriction)},
             {Soil::UserUnitEndBearing, sub(sand_col::UserUnitEndBearing)},
             {Soil::AdhesionMethod, 0}});
        break;
    case kClay:
        add({{Soil::EarthPressureCoefficient, 0},
             {Soil::FrictionAngle, 0},
             {Soil::BearingCapacityFactor, 0},
             {Soil::UndrainedShearStrength, sub(clay_col::UndrainedShearStrength)},
             {Soil::YieldStressRatio, sub(clay_col::YieldStressRatio)},
             {Soil::PlasticityIndex, sub(clay_col::PlasticityIndex)},
             {Soil::ConeResistance, sub(clay_col::ConeResistance)},
             {Soil::UserUnitSkinFriction, sub(clay_col::UserUnitSkinFriction)},
             {Soil::UserUnitEndBearing, sub(clay_col::UserUnitEndBearing)},
             {Soil::AdhesionMethod, sub(clay_col::AdhesionMethod)}});
        break;
    default:
        add({{Soil::EarthPressureCoefficient, sub(silt_col::Ko)},
             {Soil::FrictionAngle, sub(silt_col::FrictionAngle)},
             {Soil::BearingCapacityFactor, 0},
             {Soil::UndrainedShearStrength, sub(silt_col::UndrainedShearStrength)},
             {Soil::PlasticityIndex, 0},
             {Soil::ConeResistance, 0},
             {Soil::UserUnitSkinFriction, 0},
             {Soil::UserUnitEndBearing, 0},
             {Soil::AdhesionMethod, 0}});
        break;
    }
    return columns;
}

void ExpectEngineReadsTheProject(const RunState& s, const TProgramData& p, ProjectHost& h)
{
    TProjectTables& t = h.tables;
    EXPECT_EQ(s.ProjectTitle, p.ProjectTitle);
    EXPECT_EQ(s.DesignerName, p.DesignerName);
    EXPECT_EQ(s.JobNumber, p.JobNumber);
    EXPECT_EQ(s.Units, p.Units);
    EXPECT_EQ(s.PrintEvery, p.PrintEvery);
    EXPECT_EQ(s.SoilPointCount, 2 * t.D.RowCount());
    EXPECT_EQ(s.ClosedEnded, p.ClosedEnded);

    ExpectClose(s.Perimeter, p.CircularSection == 1 ? 0 : p.Perimeter, kReal, "Perimeter");
    ExpectClose(s.TipAreaAsRead, p.TipArea, kReal, "TipArea");
    ExpectClose(s.OuterDiameterAsRead, p.OuterDiameter, kReal, "OuterDiameter");
    ExpectClose(s.InnerDiameterAsRead, p.InnerDiameter, kReal, "InnerDiameter");
    ExpectClose(s.ElasticModulus, p.ElasticModulus, kReal, "ElasticModulus");
    ExpectClose(s.PileLength, p.PileLength, kReal, "PileLength");
    ExpectClose(s.StickupLength, p.StickupLength, kReal, "StickupLength");
    if (p.EndSectionLength != 0) { // else the engine puts the whole pile there
        ExpectClose(s.EndSectionLength, p.EndSectionLength, kReal, "EndSectionLength");
        ExpectClose(s.EndSectionInnerDiameter, p.EndSectionInnerDiameter, kReal, "EndSectionInnerDiameter");
    }
    ExpectClose(s.ZeroFrictionLength, p.ZeroFrictionLength, kReal, "ZeroFrictionLength");
    ExpectClose(s.IncrementLength, p.IncrementLength, kReal, "IncrementLength");
    EXPECT_EQ(s.PileType, p.PileType);
    ExpectClose(s.TaperAngle, p.TaperAngle, kReal, "TaperAngle");
    EXPECT_EQ(s.LoadTransferMethod, p.LoadTransferMethod);
    EXPECT_EQ(s.OffshoreEdition, p.OffshoreEdition);
    EXPECT_EQ(s.ReducedTzFactors, p.ReducedTzFactors);
    for (int method = pmFhwa; method <= pmUwa; ++method)
        EXPECT_EQ(s.MethodSelected[method], p.MethodSelected[method]) << "method " << method;
    ExpectClose(s.SoilProfileBottom, CellValue(t.D, layer_col::LayerBottom, t.D.RowCount() - 1), kCell,
                "SoilProfileBottom");
    ExpectClose(s.SectionArea, p.SectionArea, kReal, "SectionArea");

    for (int layer = 0; layer < t.D.RowCount(); ++layer)
        for (int row = 0; row < 2; ++row) {
            const SoilPointAsRead point{s, 2 * layer + row};
            for (const auto& [column, value] : ExpectedSoilPoint(t, layer, row))
                ExpectClose(point.Get(column), value, kCell,
                            "soil point " + std::to_string(point.point + 1) + ", column " + std::to_string(column));
        }

    EXPECT_EQ(s.ExtraTZDepths, p.ExtraTZDepths);
    if (p.ExtraTZDepths == 1) {
        ASSERT_EQ(s.TzDepthCount, t.TblTZDepth.RowCount());
        for (int row = 0; row < s.TzDepthCount; ++row)
            ExpectClose(s.TzDepth[row], CellValue(t.TblTZDepth, 0, row), kCell, "t-z depth");
    }
    EXPECT_EQ(s.LoadDirection, p.LoadDirection);
    ExpectClose(s.TensionReduction, p.TensionReduction, kReal, "TensionReduction");
    EXPECT_EQ(s.DrainedClay, p.DrainedClay);
    EXPECT_EQ(s.PlugCondition, p.PlugCondition);
    ASSERT_EQ(s.SectionRowCount, t.Sectionaldata.RowCount());
    EXPECT_EQ(s.SectionAreaMode, p.SectionAreaMode);
    for (int row = 0; row < s.SectionRowCount; ++row) {
        ExpectClose(s.DistanceFromHead[row], CellValue(t.Sectionaldata, section_col::DistanceFromHead, row), kCell,
                    "DistanceFromHead");
        ExpectClose(s.CrossSectionArea[row], CellValue(t.Sectionaldata, section_col::CrossSectionArea, row), kCell,
                    "CrossSectionArea");
    }
    EXPECT_EQ(s.CriticalDepthMode, p.CriticalDepthMode);
    ExpectClose(s.CriticalDepth, p.CriticalDepth, kReal, "CriticalDepth");

    EXPECT_EQ(s.CptUnits, p.Units);
    ASSERT_EQ(s.CptPointCount, p.CptPointCount());
    for (int i = 0; i < s.CptPointCount; ++i) {
        ExpectClose(s.CptProfile.depth[i], h.cpt.Point(i).Y, kCpt, "CPT depth");
        ExpectClose(s.CptProfile.cone_resistance[i], h.cpt.Point(i).X, kCpt, "CPT cone resistance");
    }
}

TEST(EngineReadsProject, TheProgramsLimitsFitTheEnginesStorage)
{
    EXPECT_EQ(2 * kMaxSoilLayers, engine::MaxSoilPoints);
    EXPECT_EQ(kMaxTzDepths, engine::MaxTzDepths);
    EXPECT_EQ(kMaxSectionRows, engine::MaxSectionRows);
}

TEST(EngineReadsProject, EveryFieldWhereTheEngineExpectsIt)
{
    for (const Variant& variant : kVariants) {
        SCOPED_TRACE(variant.name);
        RunFolder folder;
        folder.WriteHandOff("pile");
        ProjectHost h;
        TProgramData p(h.host);
        variant.make(p, h);
        p.SetUnits(variant.units);
        p.FileName = folder.Path("pile.kv7d");
        p.SaveToFile();

        RunState state;
        ListReader project(folder.Read("pile.kv7d"));
        const auto projectProblem = engine::ReadProjectFile(state, project);
        ASSERT_FALSE(projectProblem) << projectProblem->record << ": " << projectProblem->reason;
        EXPECT_TRUE(project.AtEnd());
        ListReader cpt(folder.Read("pile.cpt"));
        const auto cptProblem = engine::ReadCptPointFile(state, cpt);
        ASSERT_FALSE(cptProblem) << cptProblem->record << ": " << cptProblem->reason;
        ExpectEngineReadsTheProject(state, p, h);

        const RunResult run = RunEngine(folder, "pile");
        EXPECT_EQ(run.status, 0) << run.report;
        EXPECT_EQ(run.errors, "");
    }
}

// A cone-based project: the English sample with NGI, ICP/MTD, FUGRO and UWA
// selected and no cone resistance in the layers, so that the methods read it
// from the CPT profile. The profile's values keep their three digits in the
// CPT point file in both systems within 0.1 %.
void MakeConeProject(TProgramData& p, ProjectHost& h)
{
    MakeEnglishThreeLayers(p, h);
    p.MethodSelected = {0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 0};
    for (int layer = 0; layer < h.tables.D.RowCount(); ++layer)
        for (int row = 0; row < 2; ++row)
            h.tables.D.Cell(layer_col::Properties, layer).GetAsTable().Cell(sand_col::ConeResistance, row).SetAsFloat(0);
    h.cpt.Clear();
    h.cpt.Add(100, 0); // ksf, ft
    h.cpt.Add(150, 40);
    h.cpt.Add(200, 100);
}

// The ultimate capacity at the deepest row of each cone-based method, kips
// or kN, of the project saved and run as it stands.
std::vector<double> ConeCapacities(TProgramData& p)
{
    RunFolder folder;
    folder.WriteHandOff("pile");
    p.FileName = folder.Path("pile.kv7d");
    p.SaveToFile();
    const RunResult run = RunEngine(folder, "pile");
    EXPECT_EQ(run.status, 0) << run.report;
    const RunState& s = *run.state;
    std::vector<double> capacities;
    for (int method : {engine::emNgi, engine::emIcpMtd, engine::emFugro, engine::emUwa})
        capacities.push_back(s.MethodRows[method].UltimateCapacity[s.PenetrationRowCount - 1]);
    return capacities;
}

TEST(EngineReadsProject, AUnitSwitchKeepsTheCapacityOfTheConeBasedMethods)
{
    ProjectHost h;
    TProgramData p(h.host);
    MakeConeProject(p, h);
    const std::vector<double> kips = ConeCapacities(p);
    p.SetUnits(2);
    const std::vector<double> kilonewtons = ConeCapacities(p);
    p.SetUnits(1);
    const std::vector<double> again = ConeCapacities(p);
    // Within 1 %: the CPT point file keeps three digits.
    for (std::size_t i = 0; i < kips.size(); ++i) {
        SCOPED_TRACE("method " + std::to_string(i));
        EXPECT_GT(kips[i], 100.0);
        EXPECT_NEAR(kilonewtons[i] / 4.4482216, kips[i], 1e-2 * kips[i]);
        EXPECT_NEAR(again[i], kips[i], 1e-6 * kips[i]);
    }
}

} // namespace
} // namespace korva::test
