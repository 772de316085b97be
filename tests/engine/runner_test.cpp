// korva-run, the headless runner: names.dat in a private folder, the engine
// through dlopen, paths made absolute, outputs beside the project by default.
// korva-bench, the benchmark runner on the same footing (its timings are
// printed, never tested).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

#include "engine_run.h"
#include "project_fixture.h"

namespace {

using namespace korva::test;

struct Outcome {
    int exit_code = -1;
    std::string output;
};

// Runs tool with arguments in a shell; before is a shell command run first.
Outcome RunRunner(const std::string& arguments, const std::string& tool = "korva-run", const std::string& before = {})
{
    Outcome outcome;
    const std::string command =
        (before.empty() ? "" : before + " && ") + std::string(KORVA_BIN_DIR "/") + tool + " " + arguments + " 2>&1";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return outcome;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        outcome.output.append(buffer, got);
    const int status = pclose(pipe);
    outcome.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

TEST(KorvaRun, RunsAProjectGivenByARelativePath)
{
    RunFolder folder;
    folder.Write("pile.kv7d", JoinLines(BaseProject()));
    folder.Write("pile.cpt", " 1 0\n");
    const Outcome run = RunRunner("pile.kv7d");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    EXPECT_NE(run.output.find("status: 0\nreport: " + folder.Path("pile.kv7o") + "\n"), std::string::npos)
        << run.output;
    EXPECT_NE(folder.Read("pile.kv7o").find("* COMPUTATION RESULT *"), std::string::npos);
    EXPECT_TRUE(folder.Exists("pile.kv7p"));
    EXPECT_FALSE(folder.Exists("names.dat")); // written in a folder of its own
}

TEST(KorvaRun, NamedOutputsAndAStoppedRun)
{
    RunFolder folder;
    std::vector<std::string> project = EditedProject({{R9, "50 0"}});
    folder.Write("pile.kv7d", JoinLines(project));
    folder.Write("points.cpt", " 1 0\n");
    const Outcome run = RunRunner(folder.Path("pile.kv7d") + " --report out.txt --plot plot.txt --cpt points.cpt");
    EXPECT_EQ(run.exit_code, 1) << run.output;
    EXPECT_NE(run.output.find("status: 1\nreport: " + folder.Path("out.txt") + "\n"), std::string::npos)
        << run.output;
    EXPECT_NE(folder.Read("out.txt").find("DEEPEST SOIL PROFILE   50.00 FT."), std::string::npos);
    EXPECT_EQ(folder.Read("plot.txt"), "");
}

TEST(KorvaRun, UsageErrors)
{
    for (const char* arguments : {"", "--report", "a.kv7d b.kv7d", "--bogus a.kv7d"}) {
        const Outcome run = RunRunner(arguments);
        EXPECT_EQ(run.exit_code, 2) << arguments;
        EXPECT_NE(run.output.find("usage: korva-run"), std::string::npos) << arguments;
    }
}

TEST(KorvaRun, RefusesPathsThatNamesDatCannotCarry)
{
    // The engine drops the blanks at the end of each line of names.dat: the
    // run would take another file than the one named.
    RunFolder folder;
    folder.Write("pile.kv7d", JoinLines(BaseProject()));
    folder.Write("pile.kv7d ", JoinLines(BaseProject()));
    folder.Write("pile.cpt", " 1 0\n");
    for (const char* arguments : {"'pile.kv7d '", "pile.kv7d --report 'out.kv7o '", "pile.kv7d --plot 'out.kv7p\t'",
                                  "pile.kv7d --cpt 'pile.cpt '"}) {
        const Outcome run = RunRunner(arguments);
        EXPECT_EQ(run.exit_code, 2) << arguments << "\n" << run.output;
        EXPECT_NE(run.output.find("korva-run: the file name"), std::string::npos) << run.output;
        EXPECT_NE(run.output.find("ends in a blank"), std::string::npos) << run.output;
        EXPECT_FALSE(folder.Exists("pile.kv7o")) << arguments;
        EXPECT_FALSE(folder.Exists("out.kv7o")) << arguments;
    }
    const Outcome broken = RunRunner("pile.kv7d --report \"$(printf 'out\\nx.kv7o')\"");
    EXPECT_EQ(broken.exit_code, 2) << broken.output;
    EXPECT_NE(broken.output.find("a file name holds a line break"), std::string::npos) << broken.output;
}

TEST(KorvaRun, AnUnreadableCurrentFolderIsAnError)
{
    RunFolder folder;
    folder.Write("pile.kv7d", JoinLines(BaseProject()));
    folder.Write("pile.cpt", " 1 0\n");
    const std::string gone = folder.Path("gone");
    std::filesystem::create_directory(gone);
    // The shell stands in a folder that no longer exists.
    const Outcome run = RunRunner(folder.Path("pile.kv7d"), "korva-run", "cd " + gone + " && rmdir " + gone);
    EXPECT_EQ(run.exit_code, 2) << run.output;
    EXPECT_NE(run.output.find("korva-run: cannot read the current folder"), std::string::npos) << run.output;
    EXPECT_FALSE(folder.Exists("pile.kv7o"));
}

TEST(KorvaBench, TimesRunsWithoutWritingBesideTheProject)
{
    RunFolder folder;
    folder.Write("pile.kv7d", JoinLines(BaseProject()));
    folder.Write("pile.cpt", " 1 0\n");
    const Outcome run = RunRunner("pile.kv7d --runs 3", "korva-bench");
    EXPECT_EQ(run.exit_code, 0) << run.output;
    for (const char* line : {"run 3: ", "runs: 3\n", "median: ", "fastest: ", "slowest: ", "interquartile range: "})
        EXPECT_NE(run.output.find(line), std::string::npos) << line << "\n" << run.output;
    EXPECT_EQ(run.output.find("COMPUTATION IS PROCEEDING"), std::string::npos) << "the engine's console is quiet";
    EXPECT_FALSE(folder.Exists("pile.kv7o"));
    EXPECT_FALSE(folder.Exists("pile.kv7p"));
}

TEST(KorvaBench, AStoppedRunAndUsageErrors)
{
    RunFolder folder;
    folder.Write("pile.kv7d", JoinLines(EditedProject({{R9, "50 0"}})));
    folder.Write("pile.cpt", " 1 0\n");
    const Outcome stopped = RunRunner("pile.kv7d --runs 2", "korva-bench");
    EXPECT_EQ(stopped.exit_code, 1) << stopped.output;
    EXPECT_NE(stopped.output.find("the engine stopped (status 1)"), std::string::npos) << stopped.output;
    for (const char* arguments : {"", "--runs 2", "a.kv7d --runs", "a.kv7d --runs 0", "a.kv7d --runs x", "a b"}) {
        const Outcome run = RunRunner(arguments, "korva-bench");
        EXPECT_EQ(run.exit_code, 2) << arguments;
        EXPECT_NE(run.output.find("usage: korva-bench"), std::string::npos) << arguments;
    }
}

} // namespace
