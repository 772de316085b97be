// The hand-off file names.dat: whole-line paths, the console prompts (on a
// terminal only) and outputs that would overwrite an input.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine_run.h"
#include "project_fixture.h"

namespace {

using namespace korva::test;
using korva::engine::RunState;

TEST(HandOffFile, WholeLinePathsWithCrlfAndTrailingBlanks)
{
    RunFolder folder;
    // A folder name long enough to take the paths past 255 characters.
    const std::string deep = std::string(120, 'd') + "/" + std::string(120, 'e');
    std::filesystem::create_directories(folder.Path(deep));
    const std::string base = deep + "/pile";
    folder.Write(base + ".kv7d", JoinLines(BaseProject()));
    folder.Write(base + ".cpt", " 1 0\n");
    folder.Write("names.dat", "2015.7.5\r\n\r\n\r\n0\r\n" + folder.Path(base + ".kv7d") + "  \r\n" +
                                  folder.Path(base + ".kv7o") + "\r\n" + folder.Path(base + ".kv7p") + " \r\n" +
                                  folder.Path(base + ".cpt") + "\r\n");
    ASSERT_GT(folder.Path(base + ".kv7d").size(), 255u);
    const RunResult run = RunEngine(folder, base);
    EXPECT_EQ(run.status, 0) << run.report << run.errors;
    EXPECT_NE(run.report.find("Path to file locations      : " + folder.Path(deep) + "/\n"), std::string::npos);
    EXPECT_EQ(run.report.find('\r'), std::string::npos); // LF line ends only
}

TEST(HandOffFile, BlankLinesBeforeTheReservedInteger)
{
    RunFolder folder;
    WriteProject(folder, BaseProject());
    folder.Write("names.dat", "2015.7.5\n\n\n\n\n0\n" + folder.Path("pile.kv7d") + "\n" + folder.Path("pile.kv7o") +
                                  "\n" + folder.Path("pile.kv7p") + "\n" + folder.Path("pile.cpt") + "\n");
    EXPECT_EQ(RunEngine(folder).status, 0);
}

struct MissingNamesCase {
    const char* name;
    std::string names_dat; // "-" no file
};

TEST(HandOffFile, MissingNamesWithoutATerminalStopBeforeAnyFile)
{
    const MissingNamesCase cases[] = {
        {"NoFile", "-"},
        {"SevenLines", "2015.7.5\n\n\n0\n/x/pile.kv7d\n/x/pile.kv7o\n/x/pile.kv7p\n"},
        {"NoReservedInteger", "2015.7.5\n\n\nzero\n/x/pile.kv7d\n/x/pile.kv7o\n/x/pile.kv7p\n/x/pile.cpt\n"},
    };
    for (const MissingNamesCase& c : cases) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        if (c.names_dat != "-")
            folder.Write("names.dat", c.names_dat);
        const RunResult run = RunEngine(folder);
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find("names.dat"), std::string::npos) << run.errors;
        EXPECT_NE(run.errors.find("no terminal"), std::string::npos) << run.errors;
        EXPECT_EQ(run.console, "");
        if (c.names_dat == "-") {
            EXPECT_FALSE(folder.Exists("names.dat")); // an input is never created
        }
    }
}

TEST(HandOffFile, OnATerminalTheThreeNamesAreAsked)
{
    RunFolder folder;
    WriteProject(folder, BaseProject());
    folder.Write("names.dat", "2015.7.5\n\n\n0\n");
    std::FILE* answers = std::tmpfile();
    const std::string typed = folder.Path("pile.kv7d") + "\n" + folder.Path("pile.kv7o") + " \n" +
                              folder.Path("pile.kv7p") + "\r\n";
    std::fputs(typed.c_str(), answers);
    std::rewind(answers);
    const RunResult run = RunEngine(folder, "pile", [&](RunState& s) {
        s.console.in = answers;
        s.console.input_is_terminal = true;
    });
    std::fclose(answers);
    EXPECT_EQ(run.status, 0) << run.report;
    EXPECT_NE(run.console.find("\n\n       ENTER A FILE NAME FOR YOUR INPUT FILE.\n ENTER >\n"), std::string::npos)
        << run.console;
    EXPECT_NE(run.console.find("ENTER A FILE NAME FOR YOUR OUTPUT FILE."), std::string::npos);
    EXPECT_NE(run.console.find("ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE."), std::string::npos);
    // The CPT point file is not asked for: it is the one beside the project.
    EXPECT_EQ(run.state->CptFilePath, folder.Path("pile.cpt"));
}

TEST(HandOffFile, AnEmptyCptLineStopsTheRunWithTheFileNamed)
{
    RunFolder folder;
    WriteProject(folder, BaseProject());
    folder.Write("names.dat", "2015.7.5\n\n\n0\n" + folder.Path("pile.kv7d") + "\n" + folder.Path("pile.kv7o") +
                                  "\n" + folder.Path("pile.kv7p") + "\n\n");
    const RunResult run = RunEngine(folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.report.find("REASON : the CPT point file has no name\n"), std::string::npos) << run.report;
}

TEST(HandOffFile, AnOutputThatIsAnInputIsRefused)
{
    struct Case {
        const char* name;
        const char* report;
        const char* plot;
    };
    for (const Case& c : {Case{"ReportIsProject", "pile.kv7d", "pile.kv7p"},
                          Case{"PlotIsCpt", "pile.kv7o", "pile.cpt"}}) {
        SCOPED_TRACE(c.name);
        RunFolder folder;
        WriteProject(folder, BaseProject());
        folder.Write("names.dat", "2015.7.5\n\n\n0\n" + folder.Path("pile.kv7d") + "\n" + folder.Path(c.report) +
                                      "\n" + folder.Path(c.plot) + "\n" + folder.Path("pile.cpt") + "\n");
        const std::string project = folder.Read("pile.kv7d");
        RunResult run = RunEngine(folder);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(folder.Read("pile.kv7d"), project);
        EXPECT_EQ(folder.Read("pile.cpt"), " 1 0\n");
    }
}

} // namespace
