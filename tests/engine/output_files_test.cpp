// The report and the plot data file take the place of the old ones only when
// the run ends; a run that cannot write them completely leaves no cut file
// and no plot data of an earlier run.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <set>
#include <string>
#include <string_view>
#include <sys/resource.h>
#include <sys/stat.h>

#include "engine_run.h"
#include "fixed_format.h"
#include "project_fixture.h"
#include "run_state.h"

namespace {

using namespace korva::test;

std::set<std::string> FilesIn(const RunFolder& folder)
{
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Folder()))
        names.insert(entry.path().filename().string());
    return names;
}

const std::set<std::string> RunFiles{"names.dat", "pile.kv7d", "pile.cpt", "pile.kv7o", "pile.kv7p"};

// While it lives, no file of the process may grow beyond bytes: a write past
// that fails as on a full disk.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        saved_signal_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, saved_signal_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*saved_signal_)(int) = nullptr;
};

TEST(OutputFiles, ARunReplacesTheOldFilesAndLeavesNothingElse)
{
    RunFolder folder;
    WriteProject(folder, BaseProject());
    folder.Write("pile.kv7o", "old report\n");
    chmod(folder.Path("pile.kv7o").c_str(), 0640);
    // The plot data path is a symbolic link: it is replaced, not followed.
    folder.Write("elsewhere.txt", "not an output\n");
    std::filesystem::create_symlink(folder.Path("elsewhere.txt"), folder.Path("pile.kv7p"));

    const RunResult run = RunEngine(folder);
    EXPECT_EQ(run.status, 0) << run.report;
    EXPECT_NE(run.report.find("LOAD VERSUS SETTLEMENT CURVE"), std::string::npos);
    EXPECT_FALSE(std::filesystem::is_symlink(folder.Path("pile.kv7p")));
    EXPECT_NE(run.plot.find("E+"), std::string::npos);
    EXPECT_EQ(folder.Read("elsewhere.txt"), "not an output\n");
    struct stat report {};
    ASSERT_EQ(stat(folder.Path("pile.kv7o").c_str(), &report), 0);
    EXPECT_EQ(report.st_mode & 0777, 0640u); // the replaced file's permissions
    std::set<std::string> expected = RunFiles;
    expected.insert("elsewhere.txt");
    EXPECT_EQ(FilesIn(folder), expected);
}

// Many times the text kept before a write: every record and line reaches
// its file whole and in order, also a line written to the plot data file as
// it was written to the report.
TEST(OutputFiles, ALargeFileIsWrittenWholeAndInOrder)
{
    RunFolder folder;
    korva::engine::OutputFile report;
    korva::engine::OutputFile plot;
    ASSERT_TRUE(report.Open(folder.Path("large.kv7o")));
    ASSERT_TRUE(plot.Open(folder.Path("large.kv7p")));
    constexpr std::string_view layout = "(3X,E10.3,3X,F9.2,I7,1X,A)";
    std::string expected_report;
    std::string expected_plot;
    for (int i = 0; i < 30000; ++i) {
        const double x = i * 0.37;
        const std::string label = std::string(static_cast<std::size_t>(i % 50), 'x');
        const std::string row = korva::engine::FormatRecord(layout, {x, -x, i, label});
        plot.Write(report.WriteRecord(layout, {x, -x, i, label}));
        expected_report += row;
        expected_plot += row;
        if (i % 100 == 0) {
            report.Write("a line of text\n");
            expected_report += "a line of text\n";
        }
    }
    ASSERT_TRUE(report.Commit());
    ASSERT_TRUE(plot.Commit());
    ASSERT_GT(expected_report.size(), 1000000u);
    EXPECT_EQ(folder.Read("large.kv7o"), expected_report);
    EXPECT_EQ(folder.Read("large.kv7p"), expected_plot);
}

// A new output has no name until it is put in place: a process that ends
// while it writes (a signal, a crash) leaves nothing beside the old files.
TEST(OutputFiles, AnOutputBeingWrittenLeavesNothingBesideItsPath)
{
    RunFolder folder;
    folder.Write("large.kv7o", "old report\n");
    const std::set<std::string> before = FilesIn(folder);
    {
        korva::engine::OutputFile report;
        korva::engine::OutputFile plot;
        ASSERT_TRUE(report.Open(folder.Path("large.kv7o")));
        ASSERT_TRUE(plot.Open(folder.Path("large.kv7p")));
        for (int i = 0; i < 20000; ++i) // well beyond what is kept before a write
            plot.Write(report.WriteRecord("(3X,E10.3,I7)", {i * 0.37, i}));
        EXPECT_EQ(FilesIn(folder), before);
    }
    EXPECT_EQ(FilesIn(folder), before);
    EXPECT_EQ(folder.Read("large.kv7o"), "old report\n");
}

// Both ways of making the new file, without a name and (where the file
// system cannot do that) under a hidden name beside the path, keep the
// rules of a replaced output.
TEST(OutputFiles, EitherWayTheOutputReplacesTheOldFileAlone)
{
    using korva::engine::OutputFile;
    for (const OutputFile::NewFile kind : {OutputFile::NewFile::Unnamed, OutputFile::NewFile::Named}) {
        SCOPED_TRACE(kind == OutputFile::NewFile::Unnamed ? "unnamed" : "named");
        RunFolder folder;
        folder.Write("old.kv7o", "old report\n");
        chmod(folder.Path("old.kv7o").c_str(), 0640);
        folder.Write("elsewhere.txt", "not an output\n");
        std::filesystem::create_symlink(folder.Path("elsewhere.txt"), folder.Path("link.kv7p"));
        const mode_t mask = umask(027);
        const auto replace = [&](const std::string& name, const std::string& text) {
            OutputFile file;
            EXPECT_TRUE(file.Open(folder.Path(name), kind)) << name;
            file.Write(text);
            return file.Commit();
        };
        // Over a file its permissions stay; a link is replaced, not followed;
        // a new file has the permissions the file-creation mask gives.
        EXPECT_TRUE(replace("old.kv7o", "new report\n"));
        EXPECT_TRUE(replace("link.kv7p", "new plot data\n"));
        EXPECT_TRUE(replace("new.kv7o", "first report\n"));
        umask(mask);
        struct stat info {};
        ASSERT_EQ(stat(folder.Path("old.kv7o").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u);
        ASSERT_EQ(stat(folder.Path("new.kv7o").c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0640u);
        EXPECT_EQ(folder.Read("old.kv7o"), "new report\n");
        EXPECT_EQ(folder.Read("new.kv7o"), "first report\n");
        EXPECT_FALSE(std::filesystem::is_symlink(folder.Path("link.kv7p")));
        EXPECT_EQ(folder.Read("link.kv7p"), "new plot data\n");
        EXPECT_EQ(folder.Read("elsewhere.txt"), "not an output\n");

        // Dropped or failing, the old file stays as it was and nothing else.
        const std::set<std::string> kept = FilesIn(folder);
        {
            OutputFile dropped;
            ASSERT_TRUE(dropped.Open(folder.Path("old.kv7o"), kind));
            dropped.Write("dropped\n");
            dropped.Discard();
        }
        {
            const FileSizeLimit limit(4);
            EXPECT_FALSE(replace("old.kv7o", "a report too large for the limit\n"));
            EXPECT_FALSE(replace("none.kv7o", "a report too large for the limit\n"));
        }
        EXPECT_EQ(FilesIn(folder), kept);
        EXPECT_EQ(folder.Read("old.kv7o"), "new report\n");
        OutputFile nowhere;
        EXPECT_FALSE(nowhere.Open(folder.Path("no-such-folder/pile.kv7o"), kind));
        EXPECT_EQ(nowhere.Error(), ENOENT);
    }
}

TEST(OutputFiles, AReportThatCannotBeMadeRemovesTheOldPlotFile)
{
    RunFolder folder;
    WriteProject(folder, BaseProject());
    const std::string report = folder.Path("no-such-folder/pile.kv7o");
    folder.Write("names.dat", JoinLines({"2015.7.5", "", "", "0", folder.Path("pile.kv7d"), report,
                                         folder.Path("pile.kv7p"), folder.Path("pile.cpt")}));
    folder.Write("pile.kv7p", "plot data of an earlier run\n");
    const RunResult run = RunEngine(folder);
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.errors.find("the report file " + report + " cannot be written"), std::string::npos) << run.errors;
    EXPECT_FALSE(folder.Exists("pile.kv7p"));
}

TEST(OutputFiles, AWriteThatFailsLeavesNoCutFileAndNoOldPlotData)
{
    // API RP-2A alone: the plot data (with its load distribution rows) is
    // larger than the report.
    const std::vector<std::string> project = EditedProject({{R8, "0 0 0 1 0 0 0 0 0 "}});
    std::size_t report_size = 0;
    std::size_t plot_size = 0;
    {
        RunFolder folder;
        WriteProject(folder, project);
        const RunResult run = RunEngine(folder);
        ASSERT_EQ(run.status, 0) << run.report;
        report_size = run.report.size();
        plot_size = run.plot.size();
        ASSERT_GT(plot_size, report_size + 1000);
    }

    // The plot data file fails: the report says so and names it.
    {
        RunFolder folder;
        WriteProject(folder, project);
        folder.Write("pile.kv7p", "plot data of an earlier run\n");
        RunResult run;
        {
            const FileSizeLimit limit((report_size + plot_size) / 2);
            run = RunEngine(folder);
        }
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.report.find("          THE RUN FAILED BECAUSE A FILE CANNOT BE WRITTEN\n"
                                  "          FILE   : " + folder.Path("pile.kv7p") + "\n"
                                  "          REASON : the plot data file cannot be written: "),
                  std::string::npos)
            << run.report.substr(run.report.size() - 400);
        EXPECT_FALSE(folder.Exists("pile.kv7p"));
        std::set<std::string> expected = RunFiles;
        expected.erase("pile.kv7p");
        EXPECT_EQ(FilesIn(folder), expected);
    }

    // The report fails: the old report stays as it was, and no plot data.
    {
        RunFolder folder;
        WriteProject(folder, project);
        folder.Write("pile.kv7o", "report of an earlier run\n");
        folder.Write("pile.kv7p", "plot data of an earlier run\n");
        RunResult run;
        {
            const FileSizeLimit limit(report_size / 2);
            run = RunEngine(folder);
        }
        EXPECT_EQ(run.status, 1);
        EXPECT_NE(run.errors.find("the report file " + folder.Path("pile.kv7o") + " cannot be written: "),
                  std::string::npos)
            << run.errors;
        EXPECT_EQ(folder.Read("pile.kv7o"), "report of an earlier run\n");
        EXPECT_FALSE(folder.Exists("pile.kv7p"));
        std::set<std::string> expected = RunFiles;
        expected.erase("pile.kv7p");
        EXPECT_EQ(FilesIn(folder), expected);
    }
}

} // namespace
