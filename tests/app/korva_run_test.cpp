// korva-run as a shell runs it, when the run meets a file-size limit, a
// reader of its output that is gone, or a signal that ends it: a write that
// fails is reported as failing, and the private run folder goes on every way
// out, as do the temporary files of the report and the plot data.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <string>
#include <thread>

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
        for (const char* extension : {".kv7d", ".cpt"})
            fs::copy_file(DataPath("../../examples/sand-pile") + extension,
                          project.Path(std::string("pile") + extension));
    }
    ChildOptions Options(ChildOutput output) const
    {
        ChildOptions options;
        options.Output = output;
        options.Environment = {{"TMPDIR", tmp.Path("tmp")}};
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

    TempFolder tmp;
    TempFolder project;
};

TEST_F(KorvaRun, AFileSizeLimitFailsTheWritesInsteadOfEndingTheRun)
{
    ChildOptions options = Options(ChildOutput::Read);
    options.FileSizeLimit = 2000; // names.dat fits, the report does not
    ChildProcess child(Command(), options);
    ASSERT_TRUE(child.Started());
    const ChildEnd end = child.Wait();
    EXPECT_TRUE(end.Exited) << "ended by signal " << end.Signal;
    EXPECT_EQ(end.ExitCode, 1);
    EXPECT_NE(end.Output.find("status: 1"), std::string::npos) << end.Output;
    EXPECT_EQ(project.Listing(), "pile.cpt pile.kv7d "); // no report, no temporary file
    EXPECT_TRUE(RunFoldersGone());
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

} // namespace
} // namespace korva::test
