// The result plots in the program: a run of an example project read into
// the plots and the wave-equation file, the Graphics menu and the tool
// buttons, the plot windows, the export dialog and the CPT profile view.
#include <gtest/gtest.h>

#include <filesystem>

#include <QAction>
#include <QLabel>
#include <QTime>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>

#include "dialogs/export_dialog.h"
#include "main_form_fixture.h"
#include "plot_form.h"
#include "result_plots.h"
#include "views/result_views.h"
#include "xlsx_reader.h"

namespace korva::test {
namespace {

using app_widgets::TDlgExport;
using components::TGraphPlot;
using Strings = std::vector<std::string>;

const std::string kCompleted = "Computations are completed. Please, check output file for results or error messages.";

// The example project copied into a private folder and opened; `edit`
// changes it before the run.
struct ExampleRun : MainFormFixture {
    explicit ExampleRun(void (*edit)(TProgramData&) = nullptr)
    {
        for (const char* extension : {".kv7d", ".cpt"})
            std::filesystem::copy_file(DataPath("../../examples/sand-pile") + extension,
                                       folder.Path(std::string("pile") + extension));
        project = folder.Path("pile.kv7d");
        form->OpenFileName(project, app::pfvCurrent);
        if (edit)
            edit(form->Project());
    }
    void Run()
    {
        Recorded().Messages.Shown.clear();
        form->Actions().Run->trigger();
        ASSERT_EQ(Messages(), Strings{kCompleted});
        Recorded().Messages.Shown.clear();
    }
    std::vector<bool> GraphicsEnabled()
    {
        form->GraphicsMenuClick();
        std::vector<bool> enabled;
        for (QAction* plot : form->Actions().Plots)
            enabled.push_back(plot->isEnabled());
        enabled.push_back(form->Actions().ExportPlots->isEnabled());
        return enabled;
    }
    app::TResultPlots& Plots() { return form->Session().ResultPlots(); }
    std::string project;
};

std::vector<std::string> Names(const TGraphPlot& plot)
{
    std::vector<std::string> names;
    for (int i = 0; i < plot.LineCount(); ++i)
        names.push_back(plot.Line(i)->GetName());
    return names;
}

widgets::TPlotForm* WindowOf(const TGraphPlot& plot)
{
    return dynamic_cast<widgets::TPlotForm*>(plot.Window());
}

// The example run from the program: plots, the wave-equation file, the
// Graphics menu, the tool buttons and a plot window.
TEST(ResultViews, ARunOfTheExampleGivesPlotsAndTheWaveEquationFile)
{
    ExampleRun f;
    EXPECT_EQ(f.GraphicsEnabled(), std::vector<bool>(11, false));
    f.Run();
    TMainForm& form = *f.form;
    EXPECT_TRUE(form.PlotLoaded());
    EXPECT_EQ(Names(f.Plots().pltSkin),
              (Strings{"FHWA", "USACE", "Lambda", "API", "NGI", "MTD", "FUGRO", "UWA"}));
    EXPECT_EQ(Names(f.Plots().pltAxial), Strings{"FHWA"});
    EXPECT_GT(form.Project().ResultPointCount, 0);
    EXPECT_EQ(form.Project().ResultDepths[0], f.Plots().pltSkin.Point(0, 0).Y);

    ASSERT_TRUE(f.folder.Exists("pile.gwi"));
    EXPECT_EQ(form.Project().WaveFileName, f.folder.Path("pile.gwi"));
    EXPECT_EQ(f.folder.Read("pile.gwi").substr(40, 15), "  VER. 2000 1 0");
    form.ComputationMenuClick();
    EXPECT_TRUE(form.Actions().EditWaveEquationFile->isEnabled());

    // Compression, no extra t-z depths.
    EXPECT_EQ(f.GraphicsEnabled(),
              (std::vector<bool>{true, true, true, true, true, true, true, true, false, true, true}));
    for (QAction* button : form.Actions().PlotButtons)
        EXPECT_TRUE(button->isEnabled());

    // "Combined Plot" (tool button) opens the combined plot; a second time
    // only brings it forward.
    form.Actions().PlotButtons[1]->trigger();
    form.Actions().Plots[app::rpCombined - 1]->trigger();
    widgets::TPlotForm* window = WindowOf(f.Plots().pltCombine);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(form.MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(window->View().Legend.size(), 3u);
    form.Actions().Plots[app::rpTotalCapacity - 1]->trigger();
    EXPECT_NE(WindowOf(f.Plots().pltTotal), nullptr);
    EXPECT_EQ(form.MdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(f.Messages().empty());
}

TEST(ResultViews, TensionRunDisablesTipResistanceAndQwCurve)
{
    ExampleRun f([](TProgramData& p) { p.LoadDirection = 1; });
    f.Run();
    EXPECT_EQ(f.GraphicsEnabled(),
              (std::vector<bool>{true, true, false, true, true, true, true, true, false, false, true}));
    EXPECT_EQ(Names(f.Plots().pltCombine), (Strings{"Skin Friction", "Self Weight", "Total Capacity"}));
}

// Opening a project reads its plot data file without showing errors.
TEST(ResultViews, OpeningAProjectReadsItsPlotDataFileQuietly)
{
    {
        ExampleRun f;
        f.Run();
    }
    ExampleRun f;
    f.Run();
    f.form->FileNewClick();
    EXPECT_FALSE(f.form->PlotLoaded());
    EXPECT_EQ(f.GraphicsEnabled(), std::vector<bool>(11, false));
    f.form->OpenFileName(f.project, app::pfvCurrent);
    EXPECT_TRUE(f.form->PlotLoaded());
    EXPECT_TRUE(f.GraphicsEnabled()[0]);

    f.folder.Write("pile.kv7p", "4 12 1 4\n"); // cut short
    f.form->OpenFileName(f.project, app::pfvCurrent);
    EXPECT_FALSE(f.form->PlotLoaded());
    EXPECT_TRUE(f.Messages().empty());
    EXPECT_EQ(f.GraphicsEnabled(), std::vector<bool>(11, false));
    EXPECT_EQ(f.Plots().pltSkin.LineCount(), 0);
}

std::vector<bool> Ticked(const TDlgExport& dialog)
{
    std::vector<bool> ticked;
    for (int row = 0; row < dialog.CheckListBoxPlots()->count(); ++row)
        ticked.push_back(dialog.CheckListBoxPlots()->item(row)->checkState() == Qt::Checked);
    return ticked;
}

std::vector<bool> Enabled(const TDlgExport& dialog)
{
    std::vector<bool> enabled;
    for (int row = 0; row < dialog.CheckListBoxPlots()->count(); ++row)
        enabled.push_back((dialog.CheckListBoxPlots()->item(row)->flags() & Qt::ItemIsEnabled) != 0);
    return enabled;
}

TEST(ExportDialog, ListsThePlotsTheGraphicsMenuWouldShow)
{
    ExampleRun f([](TProgramData& p) { p.LoadDirection = 1; });
    f.Run();
    TDlgExport dialog(*f.form);
    dialog.FormActivate();
    ASSERT_EQ(dialog.CheckListBoxPlots()->count(), 10);
    EXPECT_EQ(dialog.CheckListBoxPlots()->item(0)->text(), "Unit Skin Friction vs Depth");
    EXPECT_EQ(dialog.CheckListBoxPlots()->item(5)->text(), "Combine Plot");
    const std::vector<bool> expected = {true, true, false, true, true, true, true, true, false, false};
    EXPECT_EQ(Enabled(dialog), expected);
    EXPECT_EQ(Ticked(dialog), expected);
    EXPECT_TRUE(dialog.GenerateButton()->isEnabled());

    // Ticking by hand after "Unselect All" leaves the button disabled until
    // "Select All"; "Select All" never ticks a disabled plot.
    dialog.Button2Click();
    EXPECT_EQ(dialog.GetNPlots(), 0);
    EXPECT_FALSE(dialog.GenerateButton()->isEnabled());
    dialog.CheckListBoxPlots()->item(0)->setCheckState(Qt::Checked);
    EXPECT_EQ(dialog.GetNPlots(), 1);
    EXPECT_FALSE(dialog.GenerateButton()->isEnabled());
    dialog.Button1Click();
    EXPECT_EQ(Ticked(dialog), expected);
    EXPECT_TRUE(dialog.GenerateButton()->isEnabled());
}

TEST(ExportDialog, GeneratesTheWorkbookWhereTheUserChoosesAndOpensIt)
{
    ExampleRun f;
    f.Run();
    TDlgExport dialog(*f.form);
    dialog.FormActivate();
    dialog.Button2Click();
    for (int row : {0, 5, 7}) // unit skin friction, combined, t-z curves
        dialog.CheckListBoxPlots()->item(row)->setCheckState(Qt::Checked);

    // Cancelled: nothing written.
    CancelFileChooser();
    EXPECT_FALSE(dialog.Button3Click());
    ASSERT_EQ(Recorded().Files.Calls.size(), 1u);
    const widgets::TFileDialogOptions& proposed = Recorded().Files.Calls[0].Options;
    EXPECT_TRUE(Recorded().Files.Calls[0].Save);
    EXPECT_EQ(proposed.FileName, "pile.xlsx");
    EXPECT_EQ(proposed.InitialDir, f.folder.Folder());

    EXPECT_TRUE(dialog.StatusLine()->isHidden());
    EXPECT_TRUE(dialog.PathLine()->isHidden());

    const std::string path = f.folder.Path("results.xlsx");
    ChooseFile(path);
    ASSERT_TRUE(dialog.Button3Click());
    EXPECT_EQ(Recorded().Desktop.OpenedDocuments, Strings{path});
    // The dialog says when the workbook was written, and where.
    const QString status = dialog.StatusLine()->text();
    EXPECT_FALSE(dialog.StatusLine()->isHidden());
    EXPECT_TRUE(status.startsWith("The workbook was written at ") && status.endsWith(" to:")) << status.toStdString();
    EXPECT_TRUE(QTime::fromString(status.mid(28, 8), "HH:mm:ss").isValid()) << status.toStdString();
    EXPECT_EQ(dialog.PathLine()->text().toStdString(), path);
    EXPECT_FALSE(dialog.PathLine()->isHidden());
    XlsxBook book(path);
    EXPECT_EQ(book.SheetNames(), (Strings{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2", "Page_3", "Plot_3"}));
    const auto legend = book.Cells("Legend");
    EXPECT_EQ(legend.at("C3").text, "Unit Skin Friction vs Depth");
    EXPECT_EQ(legend.at("C4").text, "Combine Plot");
    EXPECT_EQ(legend.at("C5").text, "Internally-Generated t-z Curves");
    EXPECT_EQ(book.Chart("Plot_1").series.size(), 8u);
    EXPECT_DOUBLE_EQ(book.Cells("Page_2").at("B6").value,
                     static_cast<double>(f.Plots().pltCombine.Point(0, 0).Y));

    // A folder that does not exist: the failure is shown, nothing opened.
    Recorded().Desktop.OpenedDocuments.clear();
    ChooseFile(f.folder.Path("gone/results.xlsx"));
    EXPECT_FALSE(dialog.Button3Click());
    ASSERT_EQ(f.Messages().size(), 1u);
    EXPECT_EQ(f.Messages()[0].rfind("Cannot write file", 0), 0u) << f.Messages()[0];
    EXPECT_TRUE(Recorded().Desktop.OpenedDocuments.empty());
    EXPECT_EQ(dialog.StatusLine()->text(), "No workbook was written.");
    EXPECT_TRUE(dialog.PathLine()->isHidden());
}

// The notes say what happens here: the workbook is written to the file
// chosen and opens in the desktop's spreadsheet application when there is
// one; no spreadsheet program is started and driven.
TEST(ExportDialog, TheNotesSayWhatHappensHere)
{
    MainFormFixture f;
    TDlgExport dialog(*f.form);
    Strings notes;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (!label->text().isEmpty())
            notes.push_back(label->text().toStdString());
    EXPECT_EQ(notes, (Strings{"The workbook opens in the desktop's spreadsheet application (if one is installed).",
                              "Please wait until all the data has been written to the workbook.",
                              "The workbook is saved in the file you choose."}));
}

// Extra t-z depths below the soil give no extra curves: the plot, which the
// Graphics menu offers, is disabled and unticked in the list, never ticked by
// "Select All", and the workbook of the other plots is written.
TEST(ExportDialog, APlotWithoutPointsIsNotOffered)
{
    ExampleRun f([](TProgramData& p) {
        p.ExtraTZDepths = 1;
        components::TGridTable& depths = p.Host().Tables->TblTZDepth;
        depths.SetRowCount(1);
        depths.Cell(0, 0).SetAsFloat(500);
    });
    f.Run();
    ASSERT_EQ(f.Plots().PltExtraTZ.LineCount(), 0);
    EXPECT_TRUE(f.GraphicsEnabled()[app::rpExtraTzCurves - 1]);
    TDlgExport dialog(*f.form);
    dialog.FormActivate();
    const std::vector<bool> expected = {true, true, true, true, true, true, true, true, false, true};
    EXPECT_EQ(Enabled(dialog), expected);
    EXPECT_EQ(Ticked(dialog), expected);
    dialog.Button1Click();
    EXPECT_EQ(Ticked(dialog), expected);

    const std::string path = f.folder.Path("results.xlsx");
    ChooseFile(path);
    ASSERT_TRUE(dialog.Button3Click()) << (f.Messages().empty() ? "" : f.Messages()[0]);
    EXPECT_TRUE(f.Messages().empty());
    EXPECT_EQ(XlsxBook(path).SheetNames().size(), 1u + 2 * 9);
}

// The Graphics menu's "Export Plots to Excel" runs the dialog through the
// dialog runner (never a loop of its own), listing the plots as it opens.
TEST(ExportDialog, TheGraphicsMenuEntryRunsTheDialog)
{
    ExampleRun f;
    f.Run();
    std::vector<bool> ticked;
    Recorded().Dialogs.Scripts.push_back([&](QDialog& shown) {
        auto& dialog = dynamic_cast<TDlgExport&>(shown);
        ticked = Ticked(dialog);
        dialog.Button4Click();
    });
    f.form->GraphicsMenuClick();
    f.form->Actions().ExportPlots->trigger();
    EXPECT_EQ(Recorded().Dialogs.Titles, Strings{"Export to Excel"});
    EXPECT_EQ(ticked, (std::vector<bool>{true, true, true, true, true, true, true, true, false, true}));
    EXPECT_TRUE(Recorded().Dialogs.Scripts.empty());
}

// The CPT profile: depths 0 to 27.5 give a depth range of 0 to 28; new
// points with the view open are drawn within the old ranges; reopening fits
// the ranges to them, and cone resistances all zero still give a range.
TEST(CptProfile, ShowCPTProfileOpensTheViewOfTheProjectsPoints)
{
    MainFormFixture f;
    app::TCptPoints& cpt = f.form->Session().CptPoints();
    for (int i = 0; i <= 11; ++i)
        cpt.Add(40 + 10 * i, 2.5L * i);
    f.form->ShowCPTProfile();
    const TGraphPlot& plot = cpt.MotionInput();
    widgets::TPlotForm* window = WindowOf(plot);
    ASSERT_NE(window, nullptr);
    const components::TPlotRange first = window->View().FullRange[0];
    EXPECT_EQ(first.YMin, 0);
    EXPECT_EQ(first.YMax, 28);
    ASSERT_EQ(window->View().Legend.size(), 1u);

    cpt.Clear();
    for (int i = 0; i <= 10; ++i)
        cpt.Add(0, 5.0L * i);
    f.form->ShowCPTProfile();
    EXPECT_EQ(WindowOf(plot), window);
    EXPECT_EQ(window->View().FullRange[0], first);

    window->close();
    ProcessEvents();
    EXPECT_EQ(WindowOf(plot), nullptr);
    f.form->ShowCPTProfile();
    ASSERT_NE(WindowOf(plot), nullptr);
    const components::TPlotRange refit = WindowOf(plot)->View().FullRange[0];
    EXPECT_EQ(refit.YMax, 50);
    EXPECT_EQ(refit.XMin, -0.01L);
    EXPECT_EQ(refit.XMax, 0.01L);
}

} // namespace
} // namespace korva::test
