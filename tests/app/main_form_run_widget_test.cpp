// The analysis run from the main window with the real engine library: save,
// checks, names.dat in a private folder, the call, the results, and every
// way the run ends early.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>

#include "engine_run.h"
#include "main_form_fixture.h"
#include "result_plots.h"
#include "run_sequence.h"
#include "scoped_file_size_limit.h"

namespace korva::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kCompleted = "Computations are completed. Please, check output file for results or error messages.";

struct RunFixture : MainFormFixture {
    RunFixture()
    {
        project = folder.Path("pile.kv7d");
        SaveSampleProject(project);
        form->OpenFileName(project, app::pfvCurrent);
    }
    bool NamesDatAnywhere() const
    {
        for (const std::string& place : {folder.Folder(), app::ProgramFolder(), app::CurrentFolder()})
            if (std::filesystem::exists(place + "/names.dat"))
                return true;
        return false;
    }
    std::string project;
};

TEST(MainFormRun, RunsTheEngineTwiceWithTheSameResults)
{
    RunFixture f;
    TMainForm& form = *f.form;
    std::vector<std::string> plotFiles;
    form.Results.ReadPlotFile = [&](const std::string& file, bool showErrors) {
        EXPECT_TRUE(showErrors);
        plotFiles.push_back(file);
        return true;
    };
    int waveFiles = 0;
    form.Results.WriteWaveEquationFile = [&] { ++waveFiles; };
    form.Results.ShowPlot = [](int) {};
    const std::string here = app::CurrentFolder();

    std::string reports[2];
    std::string plots[2];
    for (int run = 0; run < 2; ++run) {
        Recorded().Messages.Shown.clear();
        form.Actions().Run->trigger();
        EXPECT_EQ(f.Messages(), Strings{kCompleted});
        EXPECT_EQ(form.LastRunStatus(), 0);
        reports[run] = f.folder.Read("pile.kv7o");
        plots[run] = f.folder.Read("pile.kv7p");
        EXPECT_FALSE(f.NamesDatAnywhere());
        EXPECT_EQ(app::CurrentFolder(), here);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    }
    EXPECT_NE(reports[0].find("* COMPUTATION RESULT *"), std::string::npos);
    EXPECT_EQ(Comparable(reports[0], f.folder.Folder()), Comparable(reports[1], f.folder.Folder()));
    EXPECT_FALSE(plots[0].empty());
    EXPECT_EQ(plots[0], plots[1]);
    EXPECT_EQ(plotFiles, (Strings{f.folder.Path("pile.kv7p"), f.folder.Path("pile.kv7p")}));
    EXPECT_EQ(waveFiles, 2);
    EXPECT_TRUE(form.PlotLoaded());
    for (QAction* button : form.Actions().PlotButtons)
        EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(form.IsModified());
}

TEST(MainFormRun, TheGraphicsMenuFollowsTheResults)
{
    RunFixture f;
    TMainForm& form = *f.form;
    std::vector<bool> shownErrors;
    form.Results.ReadPlotFile = [&](const std::string&, bool showErrors) {
        shownErrors.push_back(showErrors);
        return true;
    };
    form.Results.ShowPlot = [](int) {};
    const auto enabled = [&] {
        form.GraphicsMenuClick();
        std::vector<bool> states;
        for (const QAction* plot : form.Actions().Plots)
            states.push_back(plot->isEnabled());
        return states;
    };
    EXPECT_EQ(enabled(), std::vector<bool>(10, false));
    form.CompRunClick();
    std::vector<bool> expected(10, true);
    expected[app::rpExtraTzCurves - 1] = false; // no extra depths
    EXPECT_EQ(enabled(), expected);
    form.Project().LoadDirection = 1;
    expected[app::rpTipResistance - 1] = false;
    expected[app::rpQwCurve - 1] = false;
    EXPECT_EQ(enabled(), expected);

    // Opening a project whose plot data file exists reads it, errors not shown.
    form.OpenFileName(f.project, app::pfvCurrent);
    EXPECT_EQ(shownErrors, (std::vector<bool>{true, false}));
    EXPECT_TRUE(form.PlotLoaded());
    std::filesystem::remove(f.folder.Path("pile.kv7p"));
    EXPECT_EQ(enabled(), std::vector<bool>(10, false));
}

TEST(MainFormRun, TheEngineLibraryMissingOrWithoutItsEntry)
{
    for (const std::string& library : {std::string("/nonexistent/KORVA2015_DLL.so"), std::string(KORVA_TEST_LIBRARY)}) {
        Recorded().Messages.Shown.clear();
        RunFixture f;
        TMainForm& form = *f.form;
        f.folder.Write("pile.kv7p", "earlier results");
        f.folder.Write("pile.gwi", "earlier wave-equation data");
        form.SetEngineLibraryPath(library);
        const std::string here = app::CurrentFolder();
        form.CompRunClick();
        EXPECT_EQ(f.Messages(), Strings{"Attempt to initialize DLL failed"}) << library;
        EXPECT_FALSE(f.folder.Exists("pile.kv7o")) << library;
        EXPECT_EQ(f.folder.Read("pile.kv7p"), "earlier results") << library;
        EXPECT_EQ(f.folder.Read("pile.gwi"), "earlier wave-equation data") << library; // no run, nothing stale
        EXPECT_FALSE(f.NamesDatAnywhere());
        EXPECT_EQ(app::CurrentFolder(), here);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(form.LastRunStatus(), std::nullopt);
    }
}

TEST(MainFormRun, WithoutNamesDatTheEngineIsNotCalled)
{
    // The engine would ask for the file names on a console and the program
    // would hang: a hand-off that cannot be written ends the run.
    RunFixture f;
    TMainForm& form = *f.form;
    setenv("TMPDIR", f.folder.Path("missing").c_str(), 1);
    form.CompRunClick();
    unsetenv("TMPDIR");
    ASSERT_EQ(f.Messages().size(), 1u);
    EXPECT_EQ(f.Messages()[0].rfind("An error occured while writing file names\n", 0), 0u) << f.Messages()[0];
    EXPECT_FALSE(f.folder.Exists("pile.kv7o"));
    EXPECT_EQ(form.LastRunStatus(), std::nullopt);
}

TEST(MainFormRun, ASecondRunCannotStartWhileOneIsInProgress)
{
    RunFixture f;
    TMainForm& form = *f.form;
    form.Results.ReadPlotFile = [&](const std::string&, bool) {
        form.CompRunClick();
        return false;
    };
    form.CompRunClick();
    EXPECT_EQ(f.Messages(), (Strings{kCompleted, "Attempt to reinitialize DLL"}));
}

TEST(MainFormRun, ANewProjectAsksForANameAndCancelEndsTheRunSilently)
{
    MainFormFixture f;
    CancelFileChooser();
    f.form->CompRunClick();
    EXPECT_EQ(Recorded().Files.Calls.size(), 1u);
    EXPECT_TRUE(f.Messages().empty());
    EXPECT_EQ(f.form->LastRunStatus(), std::nullopt);
}

TEST(MainFormRun, FailedChecksShowTheirWarningsAndNothingRuns)
{
    RunFixture f;
    TMainForm& form = *f.form;
    form.Project().ElasticModulus = 0;
    form.CompRunClick();
    ASSERT_EQ(Recorded().Messages.Shown.size(), 1u);
    EXPECT_EQ(Recorded().Messages.Shown[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(f.Messages()[0], "Modulus of Elasticity should be greater than zero.\n"
                               "Please check input data (Pile Material Window)");
    EXPECT_FALSE(f.folder.Exists("pile.kv7o"));
    // The save came first.
    EXPECT_NE(f.folder.Read("pile.kv7d").find("0 60 5"), std::string::npos);
}

TEST(MainFormRun, AFailedSaveEndsTheRun)
{
    RunFixture f;
    TMainForm& form = *f.form;
    form.Project().FileName = f.folder.Path("gone/pile.kv7d");
    form.CompRunClick();
    ASSERT_EQ(f.Messages().size(), 1u);
    EXPECT_EQ(f.Messages()[0].rfind("An error occured during saving\n", 0), 0u) << f.Messages()[0];
    EXPECT_FALSE(f.folder.Exists("gone"));
    EXPECT_EQ(form.LastRunStatus(), std::nullopt);
}

TEST(MainFormRun, APathThatNamesDatCannotCarryIsNotHandedOver)
{
    RunFixture f;
    TMainForm& form = *f.form;
    std::filesystem::create_directory(f.folder.Path("pier\n7"));
    form.Project().FileName = f.folder.Path("pier\n7/pile.kv7d");
    form.CompRunClick();
    ASSERT_EQ(f.Messages().size(), 1u);
    EXPECT_NE(f.Messages()[0].find("holds a line break or ends in a blank"), std::string::npos) << f.Messages()[0];
    EXPECT_TRUE(f.folder.Exists("pier\n7/pile.kv7d")); // saved, not run
    EXPECT_FALSE(f.folder.Exists("pier\n7/pile.kv7o"));
}

// Nor gives the earlier run's wave-equation file as its own.
TEST(MainFormRun, AStoppedRunNeverShowsTheEarlierResults)
{
    RunFixture f;
    TMainForm& form = *f.form;
    f.folder.Write("pile.kv7p", "earlier results");
    f.folder.Write("pile.gwi", "earlier wave-equation data");
    form.Project().PileLength = 200; // deeper than the soil profile: the engine stops
    bool read = false;
    form.Results.ReadPlotFile = [&](const std::string& file, bool) {
        read = true;
        return std::filesystem::file_size(file) > 0;
    };
    form.Results.WriteWaveEquationFile = [] { FAIL() << "no wave-equation file after a stopped run"; };
    form.CompRunClick();
    EXPECT_EQ(f.Messages(), Strings{kCompleted});
    EXPECT_EQ(form.LastRunStatus(), 1);
    EXPECT_NE(f.folder.Read("pile.kv7p"), "earlier results");
    EXPECT_FALSE(form.PlotLoaded());
    EXPECT_EQ(read, f.folder.Exists("pile.kv7p"));
    EXPECT_FALSE(f.folder.Exists("pile.gwi"));
}

// A report that cannot be written (a full disk, a file-size limit) leaves
// an earlier run's report in its place, or none: the run says so instead of
// sending the user to that file for this run's results.
TEST(MainFormRun, AReportThatCannotBeWrittenIsNotGivenAsThisRunsReport)
{
    RunFixture f;
    TMainForm& form = *f.form;
    form.Results.ReadPlotFile = [](const std::string&, bool) { return true; };
    form.Results.WriteWaveEquationFile = [] {};
    form.CompRunClick();
    ASSERT_EQ(f.Messages(), Strings{kCompleted});
    const std::string earlier = f.folder.Read("pile.kv7o");
    f.folder.Write("pile.gwi", "earlier wave-equation data");
    // The project and its CPT points are saved within the limit.
    const std::uintmax_t limit = earlier.size() / 2;
    ASSERT_LT(std::filesystem::file_size(f.project), limit);
    ASSERT_LT(std::filesystem::file_size(f.folder.Path("pile.cpt")), limit);

    const std::string cannot = "The report file \"" + f.folder.Path("pile.kv7o") + "\" could not be written. ";
    for (const bool earlierReport : {true, false}) {
        SCOPED_TRACE(earlierReport);
        if (!earlierReport)
            std::filesystem::remove(f.folder.Path("pile.kv7o"));
        Recorded().Messages.Shown.clear();
        {
            const ScopedFileSizeLimit limited(limit);
            form.CompRunClick();
        }
        ASSERT_EQ(Recorded().Messages.Shown.size(), 1u) << f.Messages()[0];
        EXPECT_EQ(Recorded().Messages.Shown[0].Kind, TMessageKind::Information);
        EXPECT_EQ(f.Messages()[0], cannot + (earlierReport
                                                 ? "The report in that file is from an earlier run, not from this one."
                                                 : "This run has no report."));
        EXPECT_EQ(form.LastRunStatus(), 1);
        EXPECT_EQ(f.folder.Read("pile.kv7o"), earlierReport ? earlier : "");
        EXPECT_EQ(f.folder.Exists("pile.kv7o"), earlierReport);
        EXPECT_FALSE(f.folder.Exists("pile.kv7p"));
        EXPECT_FALSE(f.folder.Exists("pile.gwi"));
        EXPECT_FALSE(form.PlotLoaded());
    }

    // Written again, it is this run's.
    Recorded().Messages.Shown.clear();
    form.CompRunClick();
    EXPECT_EQ(f.Messages(), Strings{kCompleted});
}

} // namespace
} // namespace korva::test
