// The main window's menus and tool bar, the document life cycle (new, open,
// save, save as, the save query), recent files and settings, dropped files,
// the command line, the Help menu and the About box.
#include <gtest/gtest.h>

#include <filesystem>

#include <QApplication>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QUrl>

#include "document_rules.h"
#include "main_form_fixture.h"
#include "run_sequence.h"
#include "main_window/about_box.h"

namespace korva::test {
namespace {

std::vector<std::string> Texts(const QList<QAction*>& actions)
{
    std::vector<std::string> texts;
    for (const QAction* action : actions)
        texts.push_back(action->isSeparator() ? "-" : action->text().toStdString());
    return texts;
}

using Strings = std::vector<std::string>;

TEST(MainForm, MenusAndToolBarInTheirOrder)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    EXPECT_EQ(form.windowTitle(), "KORVA 2015.7.5 - Offshore - NewKORVA.kv7d");
    EXPECT_EQ(form.size(), QSize(867, 712));
    EXPECT_FALSE(QApplication::windowIcon().isNull()); // the child windows show it
    EXPECT_EQ(Texts(form.menuBar()->actions()),
              (Strings{"&File", "Da&ta", "Options", "&Computation", "&Graphics", "&Window", "&Help"}));
    QList<QAction*> file = form.Menus().File->actions();
    file.erase(file.begin() + 5, file.begin() + 15); // the recent files
    EXPECT_EQ(Texts(file), (Strings{"&New", "&Open...", "&Save", "Save &As...", "-", "-", "E&xit"}));
    EXPECT_EQ(Texts(form.Menus().Data->actions()),
              (Strings{"&Title", "Computational &Method", "&Pile Material", "&Circular-Section Pile",
                       "&Noncircular-Section Pile", "Soi&l Layers", "CPT Data File (optional for cone-based method)"}));
    EXPECT_EQ(Texts(form.Menus().Options->actions()),
              (Strings{"&Units", "Print t-z Curves at Additional Depths ", "Control &Options"}));
    EXPECT_EQ(Texts(form.Menus().Units->actions()), (Strings{"&English Units (kips, ft, in)", "&S.I. Units (kN, m, mm)"}));
    EXPECT_EQ(Texts(form.Menus().Computation->actions()),
              (Strings{"&Run Analysis", "Edit &Input Text", "Edit &Processor-Run Notes", "Edit &Output Text",
                       "&View Soil Layer Coordinates", "Edit GRLWeap Data File"}));
    EXPECT_EQ(Texts(form.Menus().Graphics->actions()),
              (Strings{"Unit Skin Friction vs Depth", "Accumulated &Skin Friction vs Depth", "&Tip Resistance vs Depth",
                       "Total &Capacity vs Depth", "-", "Load &Distribution", "Combined &Plot",
                       "&Axial Load vs Settlement", "Internally-Generated t-z Curves",
                       "Extra t-z curves at User Specified Depths", "Internally-Generated Q-w Curve", "-",
                       "Export Plots to Excel"}));
    EXPECT_EQ(Texts(form.Menus().Window->actions()), (Strings{"&Cascade", "&Arrange Icons", "-"}));
    EXPECT_EQ(Texts(form.Menus().Help->actions()),
              (Strings{"&Contents", "User's Manual", "Technical Manual", "&About...", "Check for Updates"}));

    const TMainForm::TActions& a = form.Actions();
    EXPECT_EQ(a.FileNew->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(a.FileOpen->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(a.FileSave->shortcut(), QKeySequence("Ctrl+S"));

    QToolBar* tools = form.findChild<QToolBar*>();
    ASSERT_NE(tools, nullptr);
    Strings hints;
    for (const QAction* action : tools->actions())
        hints.push_back(action->isSeparator() ? "|" : action->toolTip().toStdString());
    EXPECT_EQ(hints, (Strings{"New File", "Open File", "Save File", "|", "Title", "Computational Method", "Pile Material",
                              "Circular Section", "Non-Circular", "Soil layer Data", "|", "Run Data File",
                              "View Output", "View Soil Profile", "|", "Total Capacity", "Combined Plot",
                              "t-z Curves", "Load vs. Settlement"}));
    // The result buttons and the plots wait for the results.
    for (QAction* button : a.PlotButtons)
        EXPECT_FALSE(button->isEnabled()) << button->toolTip().toStdString();
    for (QAction* plot : a.Plots)
        EXPECT_FALSE(plot->isEnabled()) << plot->text().toStdString();
}

TEST(MainForm, OpeningMenusUpdatesTheirEntries)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    const std::string project = f.folder.Path("pile.kv7d");
    SaveSampleProject(project);
    form.OpenFileName(project, app::pfvCurrent);

    form.Project().SetUnits(2);
    form.UnitsMenuClick();
    EXPECT_TRUE(form.Actions().SiUnits->isChecked());
    EXPECT_FALSE(form.Actions().EnglishUnits->isChecked());

    form.ComputationMenuClick();
    EXPECT_TRUE(form.Actions().EditInputText->isEnabled());
    EXPECT_FALSE(form.Actions().EditOutputText->isEnabled()); // no report yet
    EXPECT_FALSE(form.Actions().EditRunNotes->isEnabled());
    EXPECT_TRUE(form.Actions().ViewOutputButton->isEnabled());
    f.folder.Write("pile.kv7o", "report");
    f.folder.Write("pile.kv7r", "notes");
    form.ComputationMenuClick();
    EXPECT_TRUE(form.Actions().EditOutputText->isEnabled());
    EXPECT_TRUE(form.Actions().EditRunNotes->isEnabled());
    EXPECT_FALSE(form.Actions().EditWaveEquationFile->isEnabled());

    // The word processor gets the file; a failure is reported.
    form.SetWordProcessorPath("/usr/bin/editor");
    form.Actions().EditOutputText->trigger();
    ASSERT_EQ(Recorded().Desktop.StartedPrograms.size(), 1u);
    EXPECT_EQ(Recorded().Desktop.StartedPrograms[0], (Strings{"/usr/bin/editor", f.folder.Path("pile.kv7o")}));
    Recorded().Desktop.Succeed = false;
    form.Actions().EditInputText->trigger();
    EXPECT_EQ(f.Messages(), Strings{"An error occurred in running the Word Processor"});
}

TEST(MainForm, OpeningAProjectShowsTheColumnsOfItsMethods)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    const auto userColumnsShown = [&] {
        const TGridTable& layer = form.Tables().D.Cell(layer_col::Properties, 0).GetAsTable();
        return layer.GetColumn(sand_col::UserUnitSkinFriction).Visible &&
               form.Tables().tblDataClay.GetColumn(clay_col::UserUnitEndBearing).Visible;
    };
    SaveSampleProject(f.folder.Path("user.kv7d"), [](TProgramData& p) { p.LoadTransferMethod = pmUserSpecified; });
    SaveSampleProject(f.folder.Path("api.kv7d"));
    form.OpenFileName(f.folder.Path("user.kv7d"), app::pfvCurrent);
    form.VisibleOffshoreColumns();
    EXPECT_TRUE(userColumnsShown());
    EXPECT_TRUE(form.Tables().tblDataClay.GetColumn(clay_col::PlasticityIndex).Visible);
    ChooseFile(f.folder.Path("api.kv7d"));
    form.FileOpenClick();
    EXPECT_FALSE(userColumnsShown());
}

TEST(MainForm, UnitsMenuSwitchesTheProjectAndMarksItModified)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    form.Project().OuterDiameter = 24;
    form.Actions().SiUnits->trigger();
    EXPECT_EQ(form.Project().Units, 2);
    EXPECT_NEAR(static_cast<double>(form.Project().OuterDiameter), 609.6, 1e-6);
    EXPECT_TRUE(form.IsModified());
}

TEST(MainForm, NewAndTheSaveQuery)
{
    struct Case {
        const char* what;
        const char* fileName;               // the project's file (in the folder), "" for a new project
        TMessageAnswer answer;              // to "Do you want to save any changes?"
        bool saveAsConfirmed;               // the save dialog's answer, when it is asked
        bool newMade;                       // New went on
        const char* written;                // the file saved, or ""
    };
    const Case cases[] = {
        {"cancel", "pile.kv7d", TMessageAnswer::Cancel, false, false, ""},
        {"no", "pile.kv7d", TMessageAnswer::No, false, true, ""},
        {"yes, named project", "pile.kv7d", TMessageAnswer::Yes, false, true, "pile.kv7d"},
        {"yes, new project, save as cancelled", "", TMessageAnswer::Yes, false, false, ""},
        {"yes, new project, save as confirmed", "", TMessageAnswer::Yes, true, true, "chosen.kv7d"},
        {"yes, .kv6d project, save as cancelled", "old.kv6d", TMessageAnswer::Yes, false, false, ""},
        {"yes, .kv6d project, save as confirmed", "old.kv6d", TMessageAnswer::Yes, true, true, "chosen.kv7d"},
    };
    for (const Case& c : cases) {
        Recorded() = {};
        MainFormFixture f;
        TMainForm& form = *f.form;
        if (*c.fileName) {
            if (std::string(c.fileName) == "old.kv6d")
                std::filesystem::copy_file(DataPath("app/previous.kv6d"), f.folder.Path(c.fileName));
            else
                SaveSampleProject(f.folder.Path(c.fileName));
            form.OpenFileName(f.folder.Path(c.fileName), app::LayoutOfProjectName(c.fileName).value());
        }
        form.Project().ProjectTitle = "Edited";
        form.SetModified(true);
        if (*c.fileName)
            std::filesystem::remove(f.folder.Path(c.fileName));
        ASSERT_TRUE(f.Messages().empty()) << c.what << ": " << f.Messages()[0];
        Recorded().Messages.Answers = {c.answer};
        if (c.saveAsConfirmed)
            ChooseFile(f.folder.Path("chosen.kv7d"));
        else
            CancelFileChooser();
        form.FileNewClick();
        EXPECT_EQ(f.Messages(), Strings{"Do you want to save any changes?"}) << c.what;
        EXPECT_EQ(form.Project().ProjectTitle, c.newMade ? "New Pile" : "Edited") << c.what;
        EXPECT_EQ(form.IsModified(), !c.newMade) << c.what;
        if (*c.written) {
            EXPECT_NE(f.folder.Read(c.written).find("Edited"), std::string::npos) << c.what;
        }
        EXPECT_EQ(f.folder.Exists("chosen.kv7d"), std::string(c.written) == "chosen.kv7d") << c.what;
        if (c.newMade) {
            EXPECT_EQ(form.windowTitle(), "KORVA 2015.7.5 - Offshore - NewKORVA.kv7d") << c.what;
        }
    }
}

TEST(MainForm, NoQueryForAnUnmodifiedProjectAndAFailedSaveCancels)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    form.Project().ProjectTitle = "Unsaved";
    form.FileNewClick();
    EXPECT_TRUE(f.Messages().empty());
    EXPECT_EQ(form.Project().ProjectTitle, "New Pile");

    // A save that fails is no "go on": the edits stay.
    SaveSampleProject(f.folder.Path("pile.kv7d"));
    form.OpenFileName(f.folder.Path("pile.kv7d"), app::pfvCurrent);
    form.Project().FileName = f.folder.Path("missing/pile.kv7d");
    form.Project().ProjectTitle = "Edited";
    form.SetModified(true);
    Recorded().Messages.Answers = {TMessageAnswer::Yes};
    form.FileNewClick();
    ASSERT_EQ(f.Messages().size(), 2u);
    EXPECT_NE(f.Messages()[1].find("missing/pile.kv7d"), std::string::npos) << f.Messages()[1];
    EXPECT_EQ(form.Project().ProjectTitle, "Edited");
    EXPECT_TRUE(form.IsModified());
}

TEST(MainForm, OpenReadsTheLayoutOfTheChosenFilter)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    SaveSampleProject(f.folder.Path("pile.kv7d"));
    ChooseFile(f.folder.Path("pile.kv7d"), 1);
    form.FileOpenClick();
    ASSERT_EQ(Recorded().Files.Calls.size(), 1u);
    const widgets::TFileDialogOptions& options = Recorded().Files.Calls[0].Options;
    EXPECT_FALSE(Recorded().Files.Calls[0].Save);
    EXPECT_EQ(options.Title, "Open");
    EXPECT_EQ(options.Filters,
              (Strings{"KORVA 2015(*.kv7d)", "KORVA 2014(*.kv6d)", "KORVA Plus 5(*.kvd)", "All Files(*.*)"}));
    EXPECT_TRUE(options.FileMustExist);
    EXPECT_EQ(options.DefaultExtension, "kv7d");
    EXPECT_EQ(form.Project().ProjectTitle, "Open-ended pipe pile in sand and clay");
    EXPECT_EQ(form.windowTitle(), "KORVA 2015.7.5 - Offshore - Pile.kv7d");
    EXPECT_EQ(QDir::currentPath().toStdString(), f.folder.Folder());
    EXPECT_FALSE(form.IsModified());
    EXPECT_TRUE(f.Messages().empty()) << f.Messages()[0];

    // The all-files filter reads the layout the extension names.
    SaveSampleProject(f.folder.Path("other.kv7d"), [](TProgramData& p) { p.ProjectTitle = "Other"; });
    ChooseFile(f.folder.Path("other.kv7d"), 4);
    form.FileOpenClick();
    EXPECT_EQ(form.Project().ProjectTitle, "Other");
    EXPECT_TRUE(f.Messages().empty());
    // Cancelled: the project stays.
    CancelFileChooser();
    form.FileOpenClick();
    EXPECT_EQ(form.Project().ProjectTitle, "Other");
}

TEST(MainForm, SaveOfAnOlderProjectGoesThroughSaveAs)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    std::filesystem::copy_file(DataPath("app/previous.kv6d"), f.folder.Path("pile.kv6d"));
    form.OpenFileName(f.folder.Path("pile.kv6d"), app::pfvPrevious);
    CancelFileChooser();
    EXPECT_FALSE(form.FileSaveClick());
    ASSERT_EQ(Recorded().Files.Calls.size(), 1u);
    const widgets::TFileDialogOptions& options = Recorded().Files.Calls[0].Options;
    EXPECT_TRUE(Recorded().Files.Calls[0].Save);
    EXPECT_EQ(options.Title, "Save Pile.kv6d As");
    EXPECT_EQ(options.FileName, f.folder.Path("pile.kv7d"));
    EXPECT_EQ(options.Filters, (Strings{"KORVA 2015(*.kv7d)", "All files (*.*)"}));
    EXPECT_EQ(options.DefaultExtension, "kv7d");
    EXPECT_TRUE(options.OverwritePrompt);
    EXPECT_FALSE(f.folder.Exists("pile.kv7d"));

    ChooseFile(f.folder.Path("pile.kv7d"));
    EXPECT_TRUE(form.FileSaveClick());
    EXPECT_TRUE(f.folder.Exists("pile.kv7d"));
    EXPECT_EQ(form.Project().FileName, f.folder.Path("pile.kv7d"));
    EXPECT_EQ(form.windowTitle(), "KORVA 2015.7.5 - Offshore - Pile.kv7d");
    // Now a current project: Save writes in place without asking.
    EXPECT_TRUE(form.FileSaveClick());
    EXPECT_EQ(Recorded().Files.Calls.size(), 2u);
}

TEST(MainForm, ExitAsksAndStaysOpenOnCancel)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    form.SetModified(true);
    Recorded().Messages.Answers = {TMessageAnswer::Cancel};
    EXPECT_FALSE(form.close());
    EXPECT_TRUE(form.isVisible());
    Recorded().Messages.Answers = {TMessageAnswer::No};
    EXPECT_TRUE(form.close());
    EXPECT_EQ(f.Messages(), (Strings{"Do you want to save any changes?", "Do you want to save any changes?"}));
    // Closing writes the settings.
    EXPECT_EQ(Recorded().Settings.Values.count("Word Processor"), 1u);
}

TEST(MainForm, RecentFiles)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    for (int n = 1; n <= 11; ++n)
        SaveSampleProject(f.folder.Path("pile" + std::to_string(n) + ".kv7d"));
    for (int n = 1; n <= 10; ++n)
        form.OpenFileName(f.folder.Path("pile" + std::to_string(n) + ".kv7d"), app::pfvCurrent);
    EXPECT_EQ(form.RecentFiles().Count(), 10);
    EXPECT_EQ(Recorded().Settings.Values["File1"], f.folder.Path("pile10.kv7d"));
    EXPECT_EQ(Recorded().Settings.Values["File10"], f.folder.Path("pile1.kv7d"));

    // Already on top: neither the list nor the settings change.
    const int writes = Recorded().Settings.Writes;
    form.OpenFileName(f.folder.Path("pile10.kv7d"), app::pfvCurrent);
    EXPECT_EQ(Recorded().Settings.Writes, writes);

    // The File menu shows them without the current folder, numbered.
    form.FileMenuClick();
    const TMainForm::TActions& a = form.Actions();
    EXPECT_EQ(a.RecentFiles[0]->text(), "1 pile10.kv7d");
    EXPECT_EQ(a.RecentFiles[4]->text(), "5 pile6.kv7d");
    EXPECT_TRUE(a.RecentFiles[9]->isVisible());
    EXPECT_TRUE(a.RecentSeparator->isVisible());

    // Place 5 moves to the top.
    a.RecentFiles[4]->trigger();
    EXPECT_EQ(form.Project().FileName, f.folder.Path("pile6.kv7d"));
    EXPECT_EQ(form.RecentFiles()[0], f.folder.Path("pile6.kv7d"));
    EXPECT_EQ(form.RecentFiles()[1], f.folder.Path("pile10.kv7d"));
    EXPECT_EQ(form.RecentFiles()[5], f.folder.Path("pile5.kv7d"));

    // The eleventh pushes the oldest out.
    form.OpenFileName(f.folder.Path("pile11.kv7d"), app::pfvCurrent);
    EXPECT_EQ(form.RecentFiles()[0], f.folder.Path("pile11.kv7d"));
    EXPECT_EQ(form.RecentFiles()[9], f.folder.Path("pile2.kv7d"));
    EXPECT_TRUE(f.Messages().empty());
}

TEST(MainForm, SettingsAreReadAtStartAndAnEmptyListHidesTheSeparator)
{
    Recorded().Settings.Values = {{"Word Processor", "/usr/bin/kate"}, {"File1", "/jobs/a.kv7d"}, {"File2", "/jobs/b.kv6d"}};
    MainFormFixture f;
    EXPECT_EQ(f.form->WordProcessorPath(), "/usr/bin/kate");
    EXPECT_EQ(f.form->RecentFiles().Count(), 2);

    Recorded().Settings.Values.clear();
    MainFormFixture empty;
    EXPECT_EQ(empty.form->WordProcessorPath(), "xdg-open");
    empty.form->FileMenuClick();
    EXPECT_FALSE(empty.form->Actions().RecentSeparator->isVisible());
    EXPECT_FALSE(empty.form->Actions().RecentFiles[0]->isVisible());
    empty.form->UpdateRegistry();
    EXPECT_EQ(Recorded().Settings.Values["Word Processor"], "xdg-open");
    EXPECT_EQ(Recorded().Settings.Values["File1"], "");
}

TEST(MainForm, CommandLine)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("jobs.old"));
    SaveSampleProject(folder.Path("jobs.old/pier1.kv7d"));
    std::filesystem::copy_file(DataPath("app/previous.kv6d"), folder.Path("old.kv6d"));
    struct Case {
        std::string argument;
        std::string opened; // "" : a new project
    };
    const Case cases[] = {
        {folder.Path("jobs.old/pier1"), folder.Path("jobs.old/pier1.kv7d")},
        {folder.Path("old.kv6d"), folder.Path("old.kv6d")},
        {folder.Path("missing"), ""},
        {folder.Path("jobs.old"), ""},
    };
    for (const Case& c : cases) {
        const QString here = QDir::currentPath();
        TMainForm form;
        form.FormShow(c.argument);
        EXPECT_EQ(form.Project().FileName, c.opened.empty() ? app::kNewProjectFileName : c.opened) << c.argument;
        EXPECT_EQ(form.windowTitle().toStdString(),
                  "KORVA 2015.7.5 - Offshore - " + app::DisplayFileName(form.Project().FileName));
        EXPECT_TRUE(Recorded().Messages.Shown.empty()) << c.argument;
        QDir::setCurrent(here);
    }
}

TEST(MainForm, DroppedFiles)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    SaveSampleProject(f.folder.Path("dropped.kv7d"));
    f.folder.Write("notes.txt", "x");
    const auto drop = [&](const std::vector<std::string>& files) {
        QMimeData data;
        QList<QUrl> urls;
        for (const std::string& file : files)
            urls << QUrl::fromLocalFile(QString::fromStdString(file));
        data.setUrls(urls);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&form, &event);
        ProcessEvents();
    };
    drop({f.folder.Path("notes.txt")}); // another extension opens nothing
    EXPECT_EQ(form.Project().FileName, app::kNewProjectFileName);
    EXPECT_EQ(QDir::currentPath().toStdString(), f.folder.Folder());

    drop({f.folder.Path("dropped.kv7d"), f.folder.Path("notes.txt")});
    EXPECT_EQ(form.Project().FileName, f.folder.Path("dropped.kv7d"));
    EXPECT_EQ(form.RecentFiles()[0], f.folder.Path("dropped.kv7d"));

    // The save query first: "Cancel" keeps the project.
    SaveSampleProject(f.folder.Path("other.kv7d"));
    form.SetModified(true);
    Recorded().Messages.Answers = {TMessageAnswer::Cancel};
    drop({f.folder.Path("other.kv7d")});
    EXPECT_EQ(form.Project().FileName, f.folder.Path("dropped.kv7d"));
    EXPECT_EQ(f.Messages(), Strings{"Do you want to save any changes?"});
}

TEST(MainForm, HelpMenu)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    form.Actions().CheckForUpdates->trigger();
    ASSERT_EQ(Recorded().Desktop.OpenedDocuments.size(), 1u);
    EXPECT_NE(Recorded().Desktop.OpenedDocuments[0].find("/checkupdates/check/check.php?KORVAO;2015.7.5;"),
              std::string::npos);

    // The contents page and the manuals beside the program; a missing one
    // is reported.
    form.Actions().HelpContents->trigger();
    ASSERT_EQ(Recorded().Desktop.OpenedDocuments.size(), 2u);
    EXPECT_EQ(Recorded().Desktop.OpenedDocuments[1], app::ProgramFolder() + "/KORVA_2015.html");
    const std::string manual = app::ProgramFolder() + "/" + app::kTechnicalManualFile;
    ASSERT_FALSE(std::filesystem::exists(manual));
    form.Actions().TechnicalManual->trigger();
    EXPECT_EQ(f.Messages(), Strings{"Cannot find the file \"" + manual + "\"."});
    EXPECT_EQ(Recorded().Desktop.OpenedDocuments.size(), 2u);
}

TEST(MainForm, AboutBox)
{
    MainFormFixture f;
    f.form->Actions().About->trigger();
    app_widgets::TAboutBox& about = f.form->AboutBox();
    EXPECT_TRUE(about.isVisible());
    EXPECT_TRUE(about.isModal());
    EXPECT_EQ(about.windowTitle(), "About KORVA");
    EXPECT_EQ(about.VersionText(), "Version 2015.7.5 - Offshore");
    about.Label4Click();
    about.Label6Click();
    ASSERT_EQ(Recorded().Desktop.OpenedDocuments.size(), 2u);
    EXPECT_EQ(Recorded().Desktop.OpenedDocuments[0].rfind("mailto:", 0), 0u);
    about.accept();
    EXPECT_FALSE(about.isVisible());
}

} // namespace
} // namespace korva::test
