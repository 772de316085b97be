// Reading the project and CPT point files: the conversions made while
// reading, and every way a file can fail or exceed what the engine holds.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "engine_run.h"
#include "input_files.h"
#include "list_reader.h"
#include "project_fixture.h"

namespace {

using namespace korva::test;
using korva::engine::ListReader;
using korva::engine::ProjectInput;
using korva::engine::RunState;
namespace Soil = korva::engine::Soil;

struct ConversionCase {
    const char* name;
    LineEdits lines;
    std::function<void(const RunState&)> check;
};

std::vector<ConversionCase> ConversionCases()
{
    const std::string sand_b = "0 0 0.0 25 0.0 0.0 60000 0 0 1 1 0 ";
    return {
        {"TitleCutTo72", {{R1, std::string(100, 'x')}}, [](const RunState& s) { EXPECT_EQ(s.ProjectTitle, std::string(72, 'x')); }},
        {"EnglishTipAreaInSquareFeet", {{R5, "0 144 24 23 29000000 60 5"}},
         [](const RunState& s) {
             EXPECT_EQ(s.TipArea, 1.0);
             EXPECT_EQ(s.TipAreaAsRead, 144.0);
         }},
        {"PerimeterGivesDiameterWithSinglePrecisionPi", {{R5, "31.416 0 24 23 29000000 60 5"}},
         [](const RunState& s) {
             EXPECT_EQ(s.OuterDiameter, 31.416 / static_cast<double>(3.1416f));
             EXPECT_NEAR(s.OuterDiameter, 10.000000338776601, 1e-15);
             EXPECT_EQ(s.InnerDiameter, 0.0);
         }},
        {"NoEndSection", {{R6, "0 5"}},
         [](const RunState& s) {
             EXPECT_EQ(s.EndSectionLength, 60.0 - static_cast<double>(1.0e-7f));
             EXPECT_EQ(s.EndSectionInnerDiameter, 23.0);
         }},
        {"EndSectionGiven", {{R6, "10 20"}},
         [](const RunState& s) {
             EXPECT_EQ(s.EndSectionLength, 10.0);
             EXPECT_EQ(s.EndSectionInnerDiameter, 20.0);
         }},
        {"SandBlowCountMoves", {{R10 + 1, sand_b}},
         [](const ProjectInput& s) {
             EXPECT_EQ(s.SoilColumns[0][Soil::YieldStressRatio], 25.0);
             EXPECT_EQ(s.SoilColumns[0][Soil::RemoldedStrengthOrBlowCount], 0.0);
         }},
        {"EnglishClayStrengthInKsf",
         {{R10, "0.0 2 0.0 115 0.0 0.0 "}, {R10 + 1, "1000 0 2000 800 1.5 25 40000 300 9000 1 1 1 "}},
         [](const ProjectInput& s) {
             const auto& p = s.SoilColumns[0];
             EXPECT_EQ(p[Soil::UndrainedShearStrength], 2.0);
             EXPECT_EQ(p[Soil::RemoldedStrengthOrBlowCount], 0.8);
             EXPECT_EQ(p[Soil::MaxSideFriction], 1.0);
             EXPECT_EQ(p[Soil::PlasticityIndex], 0.3); // user unit skin friction / 1000
             EXPECT_EQ(p[Soil::ConeResistance], 9.0);  // user unit end bearing / 1000
             EXPECT_EQ(p[Soil::UserUnitSkinFriction], 300.0);
             EXPECT_EQ(s.PlasticityIndexAsRead[0], 25.0);
             EXPECT_EQ(s.ConeResistanceAsRead[0], 40000.0);
             EXPECT_FALSE(s.NoSideFrictionLimit[0]);
             EXPECT_TRUE(s.NoEndBearingLimit[0]);
             EXPECT_EQ(p[Soil::MaxEndBearing], 9999999.0);
         }},
        {"SiStressesStay",
         {{R4, "2 1 4 0 "}, {R10, "0.0 2 0.0 9 0.0 0.0 "}, {R10 + 1, "50 0 40 20 1.5 25 400 30 900 1 1 1 "}},
         [](const ProjectInput& s) {
             const auto& p = s.SoilColumns[0];
             EXPECT_EQ(p[Soil::UndrainedShearStrength], 40.0);
             EXPECT_EQ(p[Soil::PlasticityIndex], 25.0);
             EXPECT_EQ(p[Soil::ConeResistance], 400.0);
             EXPECT_EQ(s.TipArea, 0.0);
             EXPECT_EQ(s.WaterTableDepth, 0.0); // 9 kN/m3 is below 12
         }},
        {"AbsentSideFrictionLimit", {},
         [](const ProjectInput& s) {
             EXPECT_EQ(s.SoilColumns[0][Soil::MaxSideFriction], 9999999.0);
             EXPECT_TRUE(s.NoSideFrictionLimit[0]);
         }},
        {"WaterTableAtFirstLightPoint",
         {{R10, "0 1 0.8 120 30 20 "}, {R10 + 2, "10 1 0.8 115 30 20 "}, {R10 + 4, "10 1 1 62.6 34 40 "},
          {R10 + 6, "59 1 1 57.6 34 40 "}},
         [](const RunState& s) { EXPECT_EQ(s.WaterTableDepth, 10.0); }},
        {"NoWaterTable", {{R10 + 4, "30 1 1 115 34 40 "}, {R10 + 6, "59 1 1 115 34 40 "}},
         [](const RunState& s) { EXPECT_EQ(s.WaterTableDepth, 99999.0); }},
        // SI: below 12 kN/m^3, the reader's own SI figure (75 lb/ft^3 would
        // be 11.78): 11.9 is light, 12 is not.
        {"SiWaterTableBelowTwelve",
         {{R4, "2 1 4 0 "}, {R10, "0 1 0.8 18 30 20 "}, {R10 + 2, "3 1 0.8 18 30 20 "},
          {R10 + 4, "3 1 1 11.9 34 40 "}, {R10 + 6, "18 1 1 11.9 34 40 "}},
         [](const RunState& s) { EXPECT_EQ(s.WaterTableDepth, 3.0); }},
        {"SiTwelveIsNotLight",
         {{R4, "2 1 4 0 "}, {R10, "0 1 0.8 18 30 20 "}, {R10 + 2, "3 1 0.8 18 30 20 "},
          {R10 + 4, "3 1 1 12 34 40 "}, {R10 + 6, "18 1 1 12 34 40 "}},
         [](const RunState& s) { EXPECT_EQ(s.WaterTableDepth, 99999.0); }},
        {"PrintEveryZeroMeansOne", {{R4, "1 0 4 0 "}}, [](const RunState& s) { EXPECT_EQ(s.PrintEvery, 1); }},
        {"TzDepths", {{R11, "1\n2\n30 \n55 "}},
         [](const RunState& s) {
             ASSERT_EQ(s.TzDepthCount, 2);
             EXPECT_EQ(s.TzDepth[1], 55.0);
         }},
        {"SectionRows", {{R15, "3 2\n0 1.5\n10 1.4\n20 1.3"}, {R15a, ""}, {R15a + 1, ""}},
         [](const RunState& s) {
             ASSERT_EQ(s.SectionRowCount, 3);
             EXPECT_EQ(s.CrossSectionArea[2], 1.3);
             EXPECT_EQ(s.CriticalDepthMode, 0);
         }},
        {"NegativeCountsMeanNone", {{R11, "1\n-3"}, {R15, "-1 0"}, {R15a, ""}, {R15a + 1, ""}},
         [](const RunState& s) {
             EXPECT_EQ(s.TzDepthCount, 0);
             EXPECT_EQ(s.SectionRowCount, 0);
         }},
        {"CommasAndCrlf", {{R5, "0,0,24,23,29000000,60,5\r"}, {R13, "1 0.75\r"}},
         [](const RunState& s) {
             EXPECT_EQ(s.StickupLength, 5.0);
             EXPECT_EQ(s.TensionReduction, 0.75);
         }},
    };
}

TEST(ReadProjectFile, ConvertsWhileReading)
{
    for (const ConversionCase& c : ConversionCases()) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> project = EditedProject(c.lines);
        RunState state;
        ListReader reader(JoinLines(project));
        const auto problem = korva::engine::ReadProjectFile(state, reader);
        ASSERT_FALSE(problem) << problem->record << ": " << problem->reason;
        c.check(state);
    }
}

TEST(ReadCptPointFile, Points)
{
    struct Case {
        const char* text;
        int count;
        double last_depth;
    };
    for (const Case& c : {Case{" 1 0", 0, 0.0}, Case{" 1 0\r\n", 0, 0.0},
                          Case{" 2 2\n  0.00E+00  5.00E+02\n  2.50E+01  1.20E+04\n", 2, 25.0}}) {
        RunState state;
        ListReader reader(c.text);
        ASSERT_FALSE(korva::engine::ReadCptPointFile(state, reader)) << c.text;
        EXPECT_EQ(state.CptPointCount, c.count);
        if (c.count > 0) {
            EXPECT_EQ(state.CptProfile.depth[c.count - 1], c.last_depth);
        }
    }
}

// --- Failures: the run stops with status 1, the report names the file and
// the record, and the plot data file is left empty.

struct FailureCase {
    const char* name;
    LineEdits lines; // project lines replaced
    std::string cpt;                                // CPT point file ("-" none)
    std::vector<std::string> report_parts;
    int truncate_after = -1; // keep only this many project lines
};

std::vector<FailureCase> FailureCases()
{
    const std::string ok_cpt = " 1 0\n";
    std::string many_cpt = " 1 1001\n";
    for (int i = 0; i < 1001; ++i)
        many_cpt += "  1.00E+00  1.00E+00\n";
    return {
        {"NotANumber", {{R10 + 5, "0 0 0.0 30 x 0.0 200000 0 0 1 1 0 "}}, ok_cpt,
         {"RECORD : R10, soil point 3, line B\n", "REASON : line 15: "}},
        {"RealInIntegerField", {{R4, "1 1.5 4 0 "}}, ok_cpt, {"RECORD : R4\n", "REASON : line 4: "}},
        {"EndOfFile", {}, ok_cpt, {"RECORD : R14\n", "REASON : end of file"}, R14},
        {"MissingTitle", {}, ok_cpt, {"RECORD : R3 (job number)\n"}, 2},
        {"NotANumberAtAll", {{R9, "nan 0"}}, ok_cpt, {"RECORD : R9\n", "nan"}},
        {"SoilPointsBeyond80", {{R4, "1 1 82 0 "}}, ok_cpt, {"RECORD : R4\n", "soil point count 82 is outside 2 to 80"}},
        {"OneSoilPoint", {{R4, "1 1 1 0 "}}, ok_cpt, {"soil point count 1 is outside 2 to 80"}},
        {"UnitSystem", {{R4, "3 1 4 0 "}}, ok_cpt, {"unit system 3"}},
        {"TzDepthsBeyond100", {{R11, "1\n101"}}, ok_cpt, {"RECORD : R12\n", "t-z depth count 101 is outside 0 to 100"}},
        {"SectionRowsBeyond100", {{R15, "101 2"}}, ok_cpt, {"RECORD : R15\n", "section row count 101 is outside 0 to 100"}},
        {"ZeroIncrement", {{R7, "0 0 1 0 1 1 1"}}, ok_cpt, {"RECORD : R7\n", "increment of pile length"}},
        {"NegativeIncrement", {{R7, "0 -0.5 1 0 1 1 1"}}, ok_cpt, {"RECORD : R7\n"}},
        {"ZeroDiameter", {{R5, "0 0 0 0 29000000 60 5"}}, ok_cpt, {"RECORD : R5\n", "pile diameter"}},
        {"LoadTransferMethod10", {{R7, "0 0.5 1 0 10 1 1"}}, ok_cpt, {"RECORD : R7\n", "load-transfer method 10 is outside 1 to 9"}},
        {"LoadTransferMethod0", {{R7, "0 0.5 1 0 0 1 1"}}, ok_cpt, {"load-transfer method 0"}},
        {"CptPointsBeyond1000", {}, many_cpt, {"pile.cpt\n", "RECORD : line 1\n", "CPT point count 1001 is outside 0 to 1000"}},
        {"CptPointUnreadable", {}, " 1 2\n  1.00E+00  1.00E+00\n", {"pile.cpt\n", "RECORD : CPT point 2\n", "end of file"}},
        {"CptFileMissing", {}, "-", {"A FILE CANNOT BE USED", "pile.cpt\n", "the CPT point file cannot be opened"}},
        {"SoilTypeHuge", {{R10 + 2, "30 1e308 0.8 115 30 20 "}}, ok_cpt,
         {"RECORD : R10, soil point 2, line A\n", "REASON : line 12: the soil type is none of 1 (sand), 2 (clay) and 3 (silt)"}},
        {"SoilTypeHugeNegative", {{R10 + 6, "59 -1e308 1 62.6 34 40 "}}, ok_cpt, {"RECORD : R10, soil point 4, line A\n"}},
        {"SoilTypeFour", {{R10, "0.0 4 0.8 115 30 20 "}}, ok_cpt, {"RECORD : R10, soil point 1, line A\n", "soil type"}},
        // Enumerated codes outside their sets: each rule tests for the members.
        {"ClosedEndTwo", {{R4, "1 1 4 2 "}}, ok_cpt, {"RECORD : R4\n", "closed-end code 2 is outside 0 to 1"}},
        {"PileTypeEight", {{R7, "0 0.5 8 0 1 1 1"}}, ok_cpt, {"RECORD : R7\n", "pile type 8 is outside 1 to 7"}},
        {"OffshoreEditionTwo", {{R7, "0 0.5 1 0 1 2 1"}}, ok_cpt, {"offshore edition code 2 is outside 0 to 1"}},
        {"TzFactorsTwo", {{R7, "0 0.5 1 0 1 1 2"}}, ok_cpt, {"t-z factor code 2 is outside 0 to 1"}},
        {"MethodFlagTwo", {{R8, "1 1 1 1 0 1 2 1 1 "}}, ok_cpt,
         {"RECORD : R8\n", "REASON : line 8: the selection flag of method 7 2 is outside 0 to 1"}},
        {"ExtraDepthsTwo", {{R11, "2"}}, ok_cpt, {"RECORD : R11\n", "extra t-z depths code 2 is outside 0 to 1"}},
        {"LoadDirectionHuge", {{R13, "2147483647 1"}}, ok_cpt,
         {"RECORD : R13\n", "REASON : line 19: the load direction 2147483647 is outside 0 to 1"}},
        {"LoadDirectionNegative", {{R13, "-1 1"}}, ok_cpt, {"load direction -1 is outside 0 to 1"}},
        {"DrainedClayTwo", {{R14, "2 0"}}, ok_cpt, {"RECORD : R14\n", "drained clay code 2 is outside 0 to 1"}},
        {"PlugConditionThree", {{R14, "0 3"}}, ok_cpt, {"RECORD : R14\n", "plug condition 3 is outside 0 to 2"}},
        {"SectionAreaModeThree", {{R15, "2 3"}}, ok_cpt, {"RECORD : R15\n", "section area mode 3 is outside 0 to 2"}},
        {"CriticalDepthModeThree", {{R16, "3 0"}}, ok_cpt, {"RECORD : R16\n", "critical depth mode 3 is outside 0 to 2"}},
    };
}

TEST(InputFailures, StopWithTheRecordNamedAndAnEmptyPlotFile)
{
    for (const FailureCase& c : FailureCases()) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        std::vector<std::string> project = EditedProject(c.lines);
        if (c.truncate_after >= 0)
            project.resize(c.truncate_after);
        WriteProject(folder, project, c.cpt);
        if (c.cpt == "-")
            std::remove(folder.Path("pile.cpt").c_str());
        folder.Write("pile.kv7p", "stale rows of an earlier run\n");
        const RunResult run = RunEngine(folder);

        EXPECT_EQ(run.status, 1);
        for (const std::string& part : c.report_parts)
            EXPECT_NE(run.report.find(part), std::string::npos) << part << "\n" << run.report;
        EXPECT_NE(run.report.find("Time and Date of Analysis"), std::string::npos);
        EXPECT_EQ(run.report.find("INPUT INFORMATION"), std::string::npos);
        EXPECT_TRUE(run.plot_exists);
        EXPECT_EQ(run.plot, "");
        if (c.cpt == "-") {
            EXPECT_FALSE(folder.Exists("pile.cpt")); // inputs are never created
        }
    }
}

TEST(InputFailures, MissingProjectFileIsNeitherCreatedNorHidden)
{
    RunFolder folder;
    folder.WriteHandOff();
    folder.Write("pile.cpt", " 1 0\n");
    folder.Write("pile.kv7p", "stale\n");
    const RunResult run = RunEngine(folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.report.find("FILE   : " + folder.Path("pile.kv7d") + "\n"), std::string::npos) << run.report;
    EXPECT_NE(run.report.find("the project file cannot be opened"), std::string::npos);
    EXPECT_FALSE(folder.Exists("pile.kv7d"));
    EXPECT_EQ(run.plot, "");
}

} // namespace
