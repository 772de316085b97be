// The run sequence of the engine: names.dat in a private run folder made
// current for the call, the library by absolute path, and on every path the
// library freed, the current folder restored and the run folder removed.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unistd.h>

#include "engine_run.h"
#include "project_fixture.h"
#include "run_sequence.h"
#include "scoped_file_size_limit.h"
#include "temp_folder.h"

namespace korva::test {
namespace {

// TMPDIR pointed at a folder of the test for its lifetime, so that the run
// folders can be seen, and the current folder put back afterwards.
class RunSequence : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directory(tmp_.Path("tmp"));
        setenv("TMPDIR", tmp_.Path("tmp").c_str(), 1);
        here_ = CurrentFolder();
    }
    void TearDown() override
    {
        unsetenv("TMPDIR");
        EXPECT_EQ(chdir(here_.c_str()), 0);
    }
    bool RunFoldersGone() const { return std::filesystem::is_empty(tmp_.Path("tmp")); }

    // The English sample project saved in the project folder.
    std::string SaveSample(const std::string& name = "pile.kv7d")
    {
        ProjectHost h;
        TProgramData p(h.host);
        MakeEnglishThreeLayers(p, h);
        p.FileName = project_.Path(name);
        p.SaveToFile();
        return p.FileName;
    }

    TempFolder tmp_;
    TempFolder project_;
    std::string here_;
};

TEST(HandOff, TextAndFilesOfAProject)
{
    const THandOffFiles files = HandOffFilesOf("/jobs/pier.1/pile.kv7d");
    EXPECT_EQ(files.Report, "/jobs/pier.1/pile.kv7o");
    EXPECT_EQ(files.PlotData, "/jobs/pier.1/pile.kv7p");
    EXPECT_EQ(files.CptPoints, "/jobs/pier.1/pile.cpt");
    EXPECT_EQ(HandOffText(files), "2015.7.5\n\n\n0\n/jobs/pier.1/pile.kv7d\n/jobs/pier.1/pile.kv7o\n"
                                  "/jobs/pier.1/pile.kv7p\n/jobs/pier.1/pile.cpt\n");
    EXPECT_EQ(HandOffFilesOf("/jobs/pier").Report, "/jobs/pier.kv7o");
}

TEST(HandOff, PathsNamesDatCannotCarry)
{
    EXPECT_EQ(HandOffProblem("/jobs/pile.kv7d"), "");
    EXPECT_EQ(HandOffProblem("/jobs/my pile.kv7d"), "");
    EXPECT_EQ(HandOffProblem("/jobs/pile\n.kv7d"), "a file name holds a line break");
    EXPECT_EQ(HandOffProblem("/jobs/pile\r.kv7d"), "a file name holds a line break");
    EXPECT_EQ(HandOffProblem("/jobs/pile.kv7d "), "the file name \"/jobs/pile.kv7d \" ends in a blank");
    EXPECT_NE(HandOffProblem("/jobs/pile.kv7d\t"), "");
}

TEST_F(RunSequence, RunsTheEngineTwiceWithTheSameResultsAndLeavesNothingBehind)
{
    const std::string project = SaveSample();
    std::string reports[2];
    std::string plots[2];
    for (int run = 0; run < 2; ++run) {
        int status = -1;
        std::string folderDuringCall;
        const TEngineRunResult result = RunEngine(HandOffFilesOf(project), {}, [&](TEngineEntry entry) {
            folderDuringCall = CurrentFolder();
            EXPECT_TRUE(std::filesystem::exists(folderDuringCall + "/names.dat"));
            status = entry(kEngineCallValue);
        });
        ASSERT_TRUE(result.Called()) << result.Problem;
        EXPECT_EQ(status, 0);
        EXPECT_EQ(folderDuringCall.rfind(tmp_.Path("tmp/korva-run."), 0), 0u) << folderDuringCall;
        EXPECT_EQ(CurrentFolder(), here_);
        EXPECT_TRUE(RunFoldersGone());
        reports[run] = project_.Read("pile.kv7o");
        plots[run] = project_.Read("pile.kv7p");
    }
    EXPECT_NE(reports[0].find("* COMPUTATION RESULT *"), std::string::npos);
    EXPECT_FALSE(plots[0].empty());
    // The date line of the analysis differs at most.
    EXPECT_EQ(Comparable(reports[0], project_.Folder()), Comparable(reports[1], project_.Folder()));
    EXPECT_EQ(plots[0], plots[1]);
    EXPECT_FALSE(project_.Exists("names.dat"));
    EXPECT_FALSE(std::filesystem::exists(here_ + "/names.dat"));
}

// Whether the report at the path is this run's: the engine keeps an earlier
// one when it cannot write the new one whole.
TEST_F(RunSequence, TellsWhetherTheCallPutTheReportInPlace)
{
    const std::string project = SaveSample();
    const std::string report = project_.Path("pile.kv7o");
    struct Case {
        bool earlierReport;
        bool writable;
        TReportState state;
        std::string message;
    };
    const std::string cannot = "The report file \"" + report + "\" could not be written. ";
    const Case cases[] = {
        {false, true, TReportState::Written, ""},
        {true, true, TReportState::Written, ""},
        {true, false, TReportState::FromEarlierRun,
         cannot + "The report in that file is from an earlier run, not from this one."},
        {false, false, TReportState::Missing, cannot + "This run has no report."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.earlierReport << c.writable);
        std::filesystem::remove(report);
        if (c.earlierReport)
            project_.Write("pile.kv7o", "report of an earlier run\n");
        int status = -1;
        const TEngineRunResult result = RunEngine(HandOffFilesOf(project), {}, [&](TEngineEntry entry) {
            std::optional<ScopedFileSizeLimit> limit;
            if (!c.writable)
                limit.emplace(100);
            status = entry(kEngineCallValue);
        });
        ASSERT_TRUE(result.Called()) << result.Problem;
        EXPECT_EQ(status, c.writable ? 0 : 1);
        EXPECT_EQ(result.Report, c.state);
        EXPECT_EQ(ReportNotWrittenMessage(report, result.Report), c.message);
        if (c.earlierReport && !c.writable) {
            EXPECT_EQ(project_.Read("pile.kv7o"), "report of an earlier run\n");
        }
    }
}

TEST_F(RunSequence, RelativePathsAreTakenFromTheCurrentFolder)
{
    SaveSample();
    ASSERT_EQ(chdir(project_.Folder().c_str()), 0);
    int status = -1;
    const TEngineRunResult result =
        RunEngine(HandOffFilesOf("pile.kv7d"), {}, [&](TEngineEntry entry) { status = entry(kEngineCallValue); });
    ASSERT_TRUE(result.Called()) << result.Problem;
    EXPECT_EQ(status, 0);
    EXPECT_TRUE(project_.Exists("pile.kv7o"));
    EXPECT_EQ(CurrentFolder(), project_.Folder());
}

TEST_F(RunSequence, FailuresBeforeTheCallLeaveNothingBehind)
{
    const std::string project = SaveSample();
    struct Case {
        const char* what;
        THandOffFiles files;
        std::string library;
        TEngineRunFailure failure;
    };
    const Case cases[] = {
        {"library without the entry point", HandOffFilesOf(project), KORVA_TEST_LIBRARY,
         TEngineRunFailure::NoEntryPoint},
        {"missing library", HandOffFilesOf(project), project_.Path("KORVA2015_DLL.so"),
         TEngineRunFailure::LibraryNotLoaded},
        {"library that cannot be made ready", HandOffFilesOf(project), KORVA_TEST_UNRESOLVED_LIBRARY,
         TEngineRunFailure::LibraryNotLoaded},
        {"not a library", HandOffFilesOf(project), project, TEngineRunFailure::LibraryNotLoaded},
        {"path ending in a blank", HandOffFilesOf(project + " "), EngineLibraryPath(), TEngineRunFailure::PathRefused},
    };
    for (const Case& c : cases) {
        bool called = false;
        TEngineRunOptions options;
        options.LibraryPath = c.library;
        const TEngineRunResult result = RunEngine(c.files, options, [&](TEngineEntry) { called = true; });
        EXPECT_EQ(result.Failure, c.failure) << c.what << ": " << result.Problem;
        EXPECT_FALSE(result.Problem.empty()) << c.what;
        EXPECT_FALSE(called) << c.what;
        EXPECT_EQ(CurrentFolder(), here_) << c.what;
        EXPECT_TRUE(RunFoldersGone()) << c.what;
        EXPECT_FALSE(project_.Exists("pile.kv7o")) << c.what;
    }
}

TEST_F(RunSequence, AnUnwritableTemporaryFolderEndsTheRun)
{
    const std::string project = SaveSample();
    setenv("TMPDIR", project_.Path("missing").c_str(), 1);
    bool called = false;
    const TEngineRunResult result = RunEngine(HandOffFilesOf(project), {}, [&](TEngineEntry) { called = true; });
    EXPECT_EQ(result.Failure, TEngineRunFailure::NoRunFolder) << result.Problem;
    EXPECT_FALSE(called);
    EXPECT_EQ(CurrentFolder(), here_);
}

TEST_F(RunSequence, AnExceptionOfTheCallerStillCleansUp)
{
    const std::string project = SaveSample();
    EXPECT_THROW(RunEngine(HandOffFilesOf(project), {}, [](TEngineEntry) { throw std::runtime_error("cursor"); }),
                 std::runtime_error);
    EXPECT_EQ(CurrentFolder(), here_);
    EXPECT_TRUE(RunFoldersGone());
}

// The run folder goes with everything in it: at the end of its life and
// when a signal ends the process (an interrupt, a termination, a hang-up, a
// quit, a write to a pipe whose reader is gone).
TEST_F(RunSequence, TheRunFolderIsRemovedAtTheEndAndOnEverySignalThatEndsTheProcess)
{
    const auto fill = [](const std::string& path) {
        for (const char* name : {"names.dat", "bench.kv7o", ".bench.kv7o.Ab12Cd"})
            std::ofstream(path + "/" + name) << "x";
    };
    {
        const TRunFolder removedAtEnd("korva-run");
        ASSERT_FALSE(removedAtEnd.Path().empty());
        fill(removedAtEnd.Path());
        EXPECT_FALSE(RunFoldersGone());
    }
    EXPECT_TRUE(RunFoldersGone());

    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE}) {
        EXPECT_EXIT(
            {
                const TRunFolder removedOnSignal("korva-run");
                fill(removedOnSignal.Path());
                std::raise(signal);
                std::exit(0); // not reached
            },
            ::testing::KilledBySignal(signal), "");
        EXPECT_TRUE(RunFoldersGone()) << "signal " << signal;
    }
}

// A signal the process ignores (a run started by nohup) stays ignored while
// the folder lives, and afterwards.
TEST_F(RunSequence, AnIgnoredSignalStaysIgnored)
{
    EXPECT_EXIT(
        {
            std::signal(SIGHUP, SIG_IGN);
            {
                const TRunFolder folder("korva-run");
                std::raise(SIGHUP);
            }
            std::raise(SIGHUP);
            std::exit(std::signal(SIGHUP, SIG_DFL) == SIG_IGN ? 3 : 4);
        },
        ::testing::ExitedWithCode(3), "");
    EXPECT_TRUE(RunFoldersGone());
}

} // namespace
} // namespace korva::test
