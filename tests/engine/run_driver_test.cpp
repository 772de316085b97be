// The run driver end to end: the two stops, the golden input echo, the
// hand-off file, the date line and the failure paths.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "engine_run.h"
#include "golden.h"
#include "project_fixture.h"
#include "test_support.h"

namespace {

using namespace korva::test;
using korva::engine::RunState;

bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// --- Stop 1: the soil profile must reach the embedded length plus two diameters.

struct SoilDepthCase {
    const char* name;
    LineEdits lines; // project lines replaced
    int status;
    std::string report_tail;   // the report ends so (stop cases)
    std::string console_part;  // the console holds this ("" none of the warning)
};

std::vector<SoilDepthCase> SoilDepthCases()
{
    const std::string english_stop =
        "\n\n          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   58.99 FT.\n"
        "          IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER      59.00 FT.\n";
    const std::string english_warning = "          WAS PROVIDED AT THE DEPTH      59.00 FT.\n";
    return {
        {"ShallowerBy1cm", {{R9, "58.99 0"}, {R10 + 6, "58.99 1 1 62.6 34 40 "}}, 1, english_stop, english_warning},
        {"ExactlyDeepEnough", {}, 0, "", ""},
        // The warning looks at the last soil point, the stop at SoilProfileBottom.
        {"LastPointShallowOnly", {{R10 + 6, "58.99 1 1 62.6 34 40 "}}, 0, "", english_warning},
        // SI: 17 m embedded + 2 x 610 mm; the label "M. " ends the lines with a blank.
        {"SiLabelEndsWithBlank",
         {{R4, "2 1 4 0 "}, {R5, "0 0 610 590 200000000 18 1"}, {R9, "18 0"}, {R10 + 6, "18 1 1 10 34 40 "}},
         1,
         "\n\n          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   18.00 M. \n"
         "          IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER      18.22 M. \n",
         "          WAS PROVIDED AT THE DEPTH      18.22 M. \n"},
    };
}

TEST(SoilDepthCheck, StopsOnlyWhenTheProfileIsShallower)
{
    for (const SoilDepthCase& c : SoilDepthCases()) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        std::vector<std::string> project = EditedProject(c.lines);
        WriteProject(folder, project);
        folder.Write("pile.kv7p", "stale rows of an earlier run\n");
        const RunResult run = RunEngine(folder);

        EXPECT_EQ(run.status, c.status) << run.report;
        if (c.status == 1) {
            EXPECT_TRUE(EndsWith(run.report, c.report_tail)) << run.report;
            EXPECT_EQ(run.report.find("INPUT INFORMATION"), std::string::npos);
            EXPECT_TRUE(run.plot_exists);
            EXPECT_EQ(run.plot, "");
        } else {
            EXPECT_NE(run.report.find("* COMPUTATION RESULT *"), std::string::npos);
        }
        if (c.console_part.empty()) {
            EXPECT_EQ(run.console.find("NO SOIL"), std::string::npos) << run.console;
        } else {
            EXPECT_NE(run.console.find(c.console_part), std::string::npos) << run.console;
        }
    }
}

// --- Stop 2: more than 500 segments.

TEST(SegmentLimit, StopsAfterTheEchoAndTheResultsHeading)
{
    struct Case {
        const char* increment;
        int status;
    };
    for (const Case& c : {Case{"0.199", 1}, Case{"0.2", 0}}) {
        SCOPED_TRACE(c.increment);
        RunFolder folder;
        std::vector<std::string> project = BaseProject();
        project[R7] = std::string("0 ") + c.increment + " 1 0 1 1 1";
        project[R9] = "100 0";
        project[R10 + 6] = "100 1 1 62.6 34 40 ";
        WriteProject(folder, project);
        const RunResult run = RunEngine(folder);

        EXPECT_EQ(run.status, c.status);
        const std::string message = "\n\n YOUR NUMBERS OF SEGMENT  502 IS LARGER THAN\n"
                                    " DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF \n"
                                    " SEGMENT OR CONSULT VARNEK, INC. FOR CHANGING THE DEFAULT VALUE\n";
        const std::string heading = "\n\n\n1\n          **********************\n"
                                    "          * COMPUTATION RESULT *\n          **********************\n";
        EXPECT_NE(run.report.find("* INPUT INFORMATION *"), std::string::npos);
        if (c.status == 1) {
            EXPECT_TRUE(EndsWith(run.report, heading + message)) << run.report;
            EXPECT_NE(run.console.find(message), std::string::npos);
            EXPECT_EQ(run.plot, "");
        } else {
            EXPECT_NE(run.report.find(heading + "\n\n\n"), std::string::npos) << run.report;
            EXPECT_EQ(run.state->SegmentCount, 500);
        }
    }
}

// --- The input echo against golden reports, and locale independence.

std::string RunGoldenProject(const std::string& name)
{
    RunFolder folder;
    folder.WriteHandOff();
    folder.Write("pile.kv7d", ReadText(DataPath("engine/" + name + ".kv7d")));
    folder.Write("pile.cpt", ReadText(DataPath("engine/" + name + ".cpt")));
    const RunResult run = RunEngine(folder);
    EXPECT_EQ(run.status, 0) << run.report;
    // The echo and the results heading; the method tables have golden
    // reports of their own.
    std::string report = Comparable(run.report, folder.Folder());
    const std::string heading = "* COMPUTATION RESULT *\n          **********************\n";
    const std::size_t results = report.find(heading);
    EXPECT_NE(results, std::string::npos);
    if (results != std::string::npos)
        report.erase(results + heading.size());
    return report;
}

TEST(InputEcho, MatchesGoldenReports)
{
    for (const char* name : {"echo-english", "echo-si", "echo-timber"}) {
        SCOPED_TRACE(name);
        ExpectMatchesGolden(RunGoldenProject(name), std::string("engine/") + name + ".kv7o");
    }
}

TEST(InputEcho, SameBytesUnderACommaDecimalLocale)
{
    for (const char* name : {"echo-english", "echo-si"}) {
        SCOPED_TRACE(name);
        const std::string plain = RunGoldenProject(name);
        ScopedCommaLocale comma;
        ASSERT_TRUE(comma.Active());
        EXPECT_EQ(RunGoldenProject(name), plain);
    }
}

TEST(InputEcho, AreaLengthsAndEmbeddedLength)
{
    RunFolder folder;
    WriteProject(folder, BaseProject());
    const RunResult run = RunEngine(folder);
    ASSERT_EQ(run.status, 0) << run.report;
    // 3.1416 x 0.25 x (24^2 - 23^2) from the diameters as written.
    EXPECT_NE(run.report.find("- CROSS SECTION AREA        =     36.91 IN2\n"), std::string::npos);
    EXPECT_NE(run.report.find("- TOTAL PILE LENGTH, TL     =     60.00 FT.\n"), std::string::npos);
    EXPECT_NE(run.report.find("- PILE STICKUP LENGTH, PSL  =      5.00 FT.\n"), std::string::npos);
    EXPECT_EQ(run.state->PileLength, 55.0); // embedded from the echo on
}

// --- The report's opening blocks.

TEST(ReportOpening, DateLineByMonth)
{
    struct Case {
        korva::engine::AnalysisTime time;
        const char* line; // "" when no date line is written
    };
    const Case cases[] = {
        {{2015, 1, 1, 0, 0, 0}, "               Date:  January 01, 2015     Time:  00:00:00\n"},
        {{2026, 3, 7, 9, 5, 2}, "               Date:  March 07, 2026     Time:  09:05:02\n"},
        {{2014, 9, 30, 23, 59, 59}, "               Date:  September 30, 2014     Time:  23:59:59\n"},
        {{2020, 12, 31, 12, 0, 9}, "               Date:  December 31, 2020     Time:  12:00:09\n"},
        {{2020, 13, 1, 0, 0, 0}, ""},
    };
    const std::string block = "     -------------------------------------------------------------------------\n"
                              "                          Time and Date of Analysis\n"
                              "     -------------------------------------------------------------------------\n\n";
    for (const Case& c : cases) {
        RunFolder folder;
        RunState state;
        state.clock = [&] { return c.time; };
        ASSERT_TRUE(state.report.Open(folder.Path("r.kv7o")));
        korva::engine::WriteAnalysisDateTime(state);
        state.report.Commit();
        EXPECT_EQ(folder.Read("r.kv7o"), block + c.line);
    }
}

TEST(ReportOpening, BannerAndFileNames)
{
    RunFolder folder;
    WriteProject(folder, BaseProject());
    const RunResult run = RunEngine(folder);
    const std::string rule = "     " + std::string(73, '=') + "\n";
    const std::string expected =
        rule + "\n" + "                      KORVA for Windows, Version 2015.7.5    \n\n" +
        "                       A Program for Analyzing the Axial Capacity \n" +
        "                       and Short-term Settlement of Driven Piles \n" +
        "                                 under Axial Loading. \n\n" + rule + "\n\n" +
        "     Path to file locations      : " + folder.Folder() + "/\n" +
        "     Name of input data file     : pile.kv7d\n" + "     Name of output file         : pile.kv7o\n" +
        "     Name of plot output file    : pile.kv7p\n\n";
    EXPECT_EQ(run.report.substr(0, expected.size()), expected);
    EXPECT_EQ(run.console.substr(0, rule.size()), rule); // the banner goes to the console too
}

TEST(ReportOpening, SplitPath)
{
    struct Case {
        const char* path;
        const char* directory;
        const char* name;
        const char* extension;
    };
    const Case cases[] = {
        {"/home/eng/jobs/pile.kv7d", "/home/eng/jobs/", "pile", ".kv7d"},
        {"/a.b/pile", "/a.b/", "pile", ""},
        {"pile.v2.kv7o", "", "pile.v2", ".kv7o"},
        {"/jobs/.hidden", "/jobs/", "", ".hidden"},
        {"/with blank/my pile.kv7d", "/with blank/", "my pile", ".kv7d"},
    };
    for (const Case& c : cases) {
        const korva::engine::PathParts parts = korva::engine::SplitPath(c.path);
        EXPECT_EQ(parts.directory, c.directory) << c.path;
        EXPECT_EQ(parts.name, c.name) << c.path;
        EXPECT_EQ(parts.extension, c.extension) << c.path;
    }
}

TEST(RunGuard, AnExceptionEndsTheRunWithStatusOne)
{
    RunFolder folder;
    RunState state;
    state.PlotFilePath = folder.Path("p.kv7p");
    std::FILE* err = std::tmpfile();
    state.console.err = err;
    folder.Write("p.kv7p", "plot data of an earlier run\n");
    ASSERT_TRUE(state.report.Open(folder.Path("r.kv7o")));
    ASSERT_TRUE(state.plot.Open(state.PlotFilePath));
    const int status = korva::engine::RunGuarded(state, [](RunState& s, int&) {
        s.plot.Write("  half a run\n");
        throw std::runtime_error("boom");
    });
    EXPECT_EQ(status, 1);
    EXPECT_NE(folder.Read("r.kv7o").find("INTERNAL ERROR:\n          boom\n"), std::string::npos);
    EXPECT_FALSE(folder.Exists("p.kv7p")); // no partial results, nor an earlier run's
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Folder()), {}), 1); // the report alone
    EXPECT_NE(ReadAll(err).find("boom"), std::string::npos);
}

} // namespace
