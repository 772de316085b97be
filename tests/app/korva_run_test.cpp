// korva-run as a shell runs it, when the run meets a file-size limit, a
// reader of its output that is gone, or a signal that ends it: a write that
// fails is reported as failing, a report that could not be written is not
// given as this run's, and the private run folder goes on every way out, as
// do the new report and plot data files that are not yet in place (also in
// the program's run, as korva-gui-probe run drives it).
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>
#include <unistd.h>

#include "child_process.h"
#include "temp_folder.h"
#include "test_support.h"

namespace korva::test {
namespace {

namespace fs = std::filesystem;

struct KorvaRun : ::testing::Test {
    void SetUp() override
    {
        fs::create_directory(tmp.Path("tmp"));
        // The program's own (Qt) runtime folder, not in the one of run folders.
        fs::create_directory(tmp.Path("runtime"));
        fs::permissions(tmp.Path("runtime"), fs::perms::owner_all);
        for (const char* extension : {".kv7d", ".cpt"})
            fs::copy_file(DataPath("../../examples/sand-pile") + extension,
                          project.Path(std::string("pile") + extension));
    }
    ChildOptions Options(ChildOutput output) const
    {
        ChildOptions options;
        options.Output = output;
        options.Environment = {{"TMPDIR", tmp.Path("tmp")}, {"XDG_RUNTIME_DIR", tmp.Path("runtime")}};
        return options;
    }
    std::vector<std::string> Command() const { return {KORVA_BIN_DIR "/korva-run", project.Path("pile.kv7d")}; }
    bool RunFoldersGone() const { return fs::is_empty(tmp.Path("tmp")); }
    // The run folder with names.dat in it: the run is under way, its signal
    // handling in place.
    bool RunUnderWay() const
    {
        for (const auto& entry : fs::directory_iterator(tmp.Path("tmp")))
            if (fs::exists(entry.path() / "names.dat"))
                return true;
        return false;
    }

    // The outputs of the run are open: two files of the child's beside the
    // project other than its inputs (a bound, not a timing).
    bool WaitForOpenOutputs(const ChildProcess& child) const
    {
        const std::string fds = "/proc/" + std::to_string(child.Pid()) + "/fd";
        for (int wait = 0; wait < 2000; ++wait) {
            int outputs = 0;
            std::error_code ignored;
            for (const auto& fd : fs::directory_iterator(fds, ignored)) {
                const fs::path file = fs::read_symlink(fd.path(), ignored);
                if (file.parent_path() == project.Folder() && file.filename() != "pile.kv7d" &&
                    file.filename() != "pile.cpt")
                    ++outputs;
            }
            if (outputs == 2)
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    // A whole run of command, whose outputs then stand beside the project as
    // an earlier run's; the size of its first console write, the banner,
    // which comes before the outputs are opened (the next comes after).
    std::size_t RunOnceForTheBanner(const std::vector<std::string>& command) const
    {
        ChildProcess child(command, Options(ChildOutput::Read));
        const ChildEnd end = child.Wait();
        EXPECT_EQ(end.ExitCode, 0) << end.Output;
        return end.Output.find("\n\n         COMPUTATION IS PROCEEDING");
    }

    TempFolder tmp;
    TempFolder project;
};

TEST_F(KorvaRun, AFileSizeLimitFailsTheWritesInsteadOfEndingTheRun)
{
    // names.dat fits, the report does not: the run tells that it has no
    // report, or that the one at its path is an earlier run's.
    const std::string report = project.Path("pile.kv7o");
    const std::string cannot = "The report file \"" + report + "\" could not be written. ";
    struct Case {
        const char* earlier;
        std::string listing;
        std::string line;
    };
    const Case cases[] = {
        {nullptr, "pile.cpt pile.kv7d ", cannot + "This run has no report.\n"},
        {"report of an earlier run\n", "pile.cpt pile.kv7d pile.kv7o ",
         cannot + "The report in that file is from an earlier run, not from this one.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.listing);
        if (c.earlier)
            project.Write("pile.kv7o", c.earlier);
        ChildOptions options = Options(ChildOutput::Read);
        options.FileSizeLimit = 2000;
        ChildProcess child(Command(), options);
        ASSERT_TRUE(child.Started());
        const ChildEnd end = child.Wait();
        EXPECT_TRUE(end.Exited) << "ended by signal " << end.Signal;
        EXPECT_EQ(end.ExitCode, 1);
        const std::size_t status = end.Output.find("status: 1\n");
        ASSERT_NE(status, std::string::npos) << end.Output;
        EXPECT_EQ(end.Output.substr(status), "status: 1\n" + c.line);
        EXPECT_EQ(project.Listing(), c.listing); // no new report, no temporary file
        if (c.earlier) {
            EXPECT_EQ(project.Read("pile.kv7o"), c.earlier);
        }
        EXPECT_TRUE(RunFoldersGone());
    }
}

TEST_F(KorvaRun, AReaderOfTheOutputThatIsGoneEndsTheRunWithoutLeavingItsFolder)
{
    ChildProcess child(Command(), Options(ChildOutput::ReaderGone));
    ASSERT_TRUE(child.Started());
    const ChildEnd end = child.Wait();
    EXPECT_EQ(end.Signal, SIGPIPE);
    EXPECT_TRUE(RunFoldersGone());
}

TEST_F(KorvaRun, ASignalThatEndsTheRunRemovesItsFolder)
{
    for (const int signal : {SIGHUP, SIGQUIT, SIGINT, SIGTERM}) {
        SCOPED_TRACE(signal);
        ChildProcess child(Command(), Options(ChildOutput::Blocked));
        ASSERT_TRUE(child.Started());
        // Blocked in its first write, the run's console banner (a bound, not a timing).
        for (int wait = 0; wait < 2000 && !RunUnderWay(); ++wait)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(RunUnderWay());
        child.Signal(signal);
        const ChildEnd end = child.Wait();
        EXPECT_EQ(end.Signal, signal);
        EXPECT_TRUE(RunFoldersGone());
        EXPECT_EQ(project.Listing(), "pile.cpt pile.kv7d ");
        for (const auto& left : fs::directory_iterator(tmp.Path("tmp"))) // for the next signal
            fs::remove_all(left.path());
    }
}

// Once the engine has opened its outputs, a run ended by a signal leaves the
// project folder as it was: no new report or plot data file, hidden or not,
// and the earlier run's report untouched. So does the program's run, as
// korva-gui-probe run drives it, which removes the earlier results (plot
// data and wave-equation file) before the call.
TEST_F(KorvaRun, ARunEndedWhileItsOutputsAreOpenLeavesTheProjectFolderAsItWas)
{
    struct Program {
        std::vector<std::string> command;
        std::string listing; // after a run ended by a signal
    };
    const Program programs[] = {
        {Command(), "pile.cpt pile.kv7d pile.kv7o pile.kv7p "},
        {{KORVA_BIN_DIR "/korva-gui-probe", "run", project.Path("pile.kv7d")}, "pile.cpt pile.kv7d pile.kv7o "},
    };
    for (const Program& program : programs) {
        SCOPED_TRACE(program.command[0]);
        const std::size_t banner = RunOnceForTheBanner(program.command);
        ASSERT_NE(banner, std::string::npos);
        const std::string report = project.Read("pile.kv7o");
        const std::string plot = project.Read("pile.kv7p");
        ASSERT_FALSE(report.empty());
        // SIGPIPE: the reader goes after the banner, as `korva-run p.kv7d |
        // head -1` gives; the other two come from outside.
        for (const int signal : {SIGPIPE, SIGHUP, SIGQUIT}) {
            SCOPED_TRACE(signal);
            ChildOptions options = Options(ChildOutput::Blocked);
            options.OutputRoom = banner; // the banner goes, the next console write waits
            ChildProcess child(program.command, options);
            ASSERT_TRUE(child.Started());
            ASSERT_TRUE(WaitForOpenOutputs(child));
            if (signal == SIGPIPE)
                child.CloseOutput();
            else
                child.Signal(signal);
            const ChildEnd end = child.Wait();
            EXPECT_EQ(end.Signal, signal);
            EXPECT_EQ(project.Listing(), program.listing);
            EXPECT_EQ(project.Read("pile.kv7o"), report);
            if (program.listing.find("pile.kv7p") != std::string::npos) {
                EXPECT_EQ(project.Read("pile.kv7p"), plot);
            }
            EXPECT_TRUE(RunFoldersGone());
            for (const auto& left : fs::directory_iterator(tmp.Path("tmp"))) // for the next signal
                fs::remove_all(left.path());
        }
    }
}

} // namespace
} // namespace korva::test
