// The engine reads the project files that the program writes: every field
// of the two sample projects, each in both unit systems (sand, clay and silt
// layers, user unit values, extra t-z depths, a section table and CPT points
// among them), arrives where the engine's own reader expects it, and a whole
// run of each ends with status 0.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "cpt_point_file.h"
#include "cpt_text_file.h"
#include "engine_run.h"
#include "input_files.h"
#include "list_reader.h"
#include "project_fixture.h"
#include "run_state.h"

namespace korva::test {
namespace {

namespace Soil = engine::Soil;
using engine::ListReader;
using engine::ProjectInput;
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
// digits, the other reals 10. The CPT points arrive as the very doubles of
// the program's values.
constexpr double kCell = 1e-7;
constexpr double kReal = 1e-9;

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
    const ProjectInput& s;
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

void ExpectEngineReadsTheProject(const ProjectInput& s, const TProgramData& p, ProjectHost& h)
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
        EXPECT_EQ(s.CptProfile.depth[i], static_cast<double>(h.cpt.Point(i).Y)) << "CPT depth " << i;
        EXPECT_EQ(s.CptProfile.cone_resistance[i], static_cast<double>(h.cpt.Point(i).X))
            << "CPT cone resistance " << i;
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
// from the CPT profile, which the CPT point file carries whole in either
// system.
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
    // Alike but for the rounding of the force factor: the CPT point file
    // carries every digit of the profile in either system.
    for (std::size_t i = 0; i < kips.size(); ++i) {
        SCOPED_TRACE("method " + std::to_string(i));
        EXPECT_GT(kips[i], 100.0);
        EXPECT_NEAR(kilonewtons[i] / 4.4482216, kips[i], 1e-6 * kips[i]);
        EXPECT_NEAR(again[i], kips[i], 1e-6 * kips[i]);
    }
}

// A CPT sounding of 0.05 m steps through sand, clay with two sand lenses
// and sand, in MPa as a cone logger writes it (read with Ua = 1000).
std::string FineCptSounding()
{
    std::string text;
    for (int k = 0; k < 560; ++k) {
        const double z = k * 0.05;
        const bool lens = (z >= 9.6 && z < 9.9) || (z >= 11.85 && z < 12.2);
        const double qc = z < 8 ? 6.0 + 0.45 * z : z < 14 ? (lens ? 9.5 + 0.12 * z : 0.7 + 0.035 * z) : 11.0 + 0.38 * z;
        char line[64];
        const int n = std::snprintf(line, sizeof line, "%.2f %.4f\r\n", z, qc);
        text.append(line, static_cast<std::size_t>(n));
    }
    return text;
}

// An SI open pipe through the sounding with API and the four cone-based
// methods, no cone resistance in the layers: the methods take the profile.
void MakeFineConeProject(TProgramData& p, ProjectHost& h)
{
    p.SetUnits(2);
    p.ProjectTitle = "Pipe pile through sand lenses";
    p.OuterDiameter = 762;
    p.InnerDiameter = 724;
    p.ElasticModulus = 200000000;
    p.PileLength = 22;
    p.IncrementLength = 0.25L;
    p.MethodSelected = {0, 0, 0, 0, 1, 0, 1, 1, 1, 1, 0};
    p.LoadTransferMethod = pmApi;
    SetLayers(h.tables, {
        {kSand, 8, 0, 0, 1, 1, {9.5L, 32, 14, 0.8L, 20, 0, 0, 0}, {9.5L, 33, 16, 0.8L, 20, 0, 0, 0}},
        {kClay, 14, 0, 0, 1, 1, {8, 45, 22, 30, 2.5L, 0, 0, 0, 0}, {8, 60, 30, 28, 2, 0, 0, 0, 0}},
        {kSand, 28, 0, 0, 1, 1, {10, 34, 30, 1, 40, 0, 0, 0}, {10, 36, 35, 1, 40, 0, 0, 0}},
    });
}

// The point file of the profile written here, each value the double nearest
// to the program's and every digit of it: what the engine must be given.
std::string ExactCptPointFile(const TCptPoints& points)
{
    std::string text = " 2 " + std::to_string(points.PointCount()) + "\r\n";
    for (const TCptPoint& point : points.Points()) {
        for (const Extended value : {point.Y, point.X}) {
            char number[40];
            const auto end = std::to_chars(number, number + sizeof number, static_cast<double>(value)).ptr;
            text += "  " + std::string(number, end);
        }
        text += "\r\n";
    }
    return text;
}

// Saved and opened again, a fine profile gives the engine its very values: a
// run on the profile as read and a run on it as saved and reloaded print the
// same capacities for every method (the whole report and plot data alike).
TEST(EngineReadsProject, AFineCptProfileRunsAlikeAsReadAndAsSavedAndReloaded)
{
    RunFolder folder;
    folder.WriteHandOff("pile");
    folder.Write("sounding.txt", FineCptSounding());
    ProjectHost h;
    TProgramData p(h.host);
    MakeFineConeProject(p, h);
    TCptTextLayout layout;
    layout.DataLines = 560;
    layout.StressFactor = 1000;
    TCptReadResult read = ReadCptTextFile(folder.Path("sounding.txt"), layout);
    ASSERT_TRUE(read.Ok) << read.Message;
    AcceptCptProfile(p, h.cpt, read.Points);
    ASSERT_EQ(h.cpt.PointCount(), 560);
    EXPECT_EQ(h.cpt.Point(201).Y, 10.05L);

    p.FileName = folder.Path("pile.kv7d");
    p.SaveToFile();
    folder.Write("pile.cpt", ExactCptPointFile(h.cpt));
    const RunResult asRead = RunEngine(folder, "pile");
    ASSERT_EQ(asRead.status, 0) << asRead.report;

    p.SaveToFile();
    ProjectHost reopened;
    auto saved = TProgramData::CreateFromFile(reopened.host, folder.Path("pile.kv7d"), pfvCurrent);
    ASSERT_TRUE(reopened.messages.empty());
    ASSERT_EQ(reopened.cpt.PointCount(), 560);
    saved->SaveToFile();
    const RunResult asSaved = RunEngine(folder, "pile");
    ASSERT_EQ(asSaved.status, 0) << asSaved.report;

    const RunState& s = *asSaved.state;
    for (int method : {engine::emNgi, engine::emIcpMtd, engine::emFugro, engine::emUwa}) {
        SCOPED_TRACE("method " + std::to_string(method));
        EXPECT_GT(s.MethodRows[method].UltimateCapacity[s.PenetrationRowCount - 1], 1000.0);
        EXPECT_EQ(asRead.state->MethodRows[method].UltimateCapacity[s.PenetrationRowCount - 1],
                  s.MethodRows[method].UltimateCapacity[s.PenetrationRowCount - 1]);
    }
    EXPECT_TRUE(asSaved.plot == asRead.plot) << "the plot data files differ";
    EXPECT_TRUE(asSaved.report == asRead.report) << "the reports differ";
}

// A CPT point file of the earlier three-digit form and one of the digits it
// needs read alike: the program and the engine take the same doubles.
TEST(EngineReadsProject, CptPointFilesOfBothFormsReadAlikeByTheProgramAndTheEngine)
{
    struct Case {
        const char* text;
        std::vector<std::pair<double, double>> points; // depth, cone resistance
    };
    const Case cases[] = {
        {" 1 3\r\n  0.00E+00  5.00E+04\r\n  1.25E+01  8.25E+04\r\n  8.00E+01  2.50E+05\r\n",
         {{0, 50000}, {12.5, 82500}, {80, 250000}}},
        {" 2 3\r\n  0.00E+00  6.00E+03\r\n  1.005E+01  8.25005E+04\r\n  2.4384E+01  3.9501234567891235E+03\r\n",
         {{0, 6000}, {10.05, 82500.5}, {24.384, 3950.1234567891235}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RunFolder folder;
        folder.Write("pile.cpt", c.text);
        TCptPoints program;
        ReadCptPointFile(folder.Path("pile.cpt"), program);
        RunState state;
        ListReader reader(c.text);
        ASSERT_FALSE(engine::ReadCptPointFile(state, reader));
        ASSERT_EQ(program.PointCount(), static_cast<int>(c.points.size()));
        ASSERT_EQ(state.CptPointCount, program.PointCount());
        for (int i = 0; i < program.PointCount(); ++i) {
            const auto& [depth, coneResistance] = c.points[static_cast<std::size_t>(i)];
            EXPECT_EQ(state.CptProfile.depth[i], depth);
            EXPECT_EQ(state.CptProfile.cone_resistance[i], coneResistance);
            EXPECT_EQ(program.Point(i).Y, depth);
            EXPECT_EQ(program.Point(i).X, coneResistance);
        }
    }
}

} // namespace
} // namespace korva::test
