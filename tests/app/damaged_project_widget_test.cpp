// A project whose file, or CPT point file, could not be read completely:
// what was read stays, untitled, and neither file is written over unless
// the user chooses its name.
#include <gtest/gtest.h>

#include <filesystem>

#include "engine_run.h"
#include "main_form_fixture.h"

namespace korva::test {
namespace {

using Strings = std::vector<std::string>;

const std::string kNewCaption = "KORVA 2015.7.5 - Offshore - NewKORVA.kv7d";

enum class Damage { UnitSystem, CptPoints };
enum class Action { Save, SaveAs, Run };

// The example project copied into the folder as pile.kv7d and pile.cpt, one
// of them damaged.
void WriteDamagedExample(const TempFolder& folder, Damage damage)
{
    std::string project = ReadText(DataPath("../../examples/sand-pile.kv7d"));
    std::string points = ReadText(DataPath("../../examples/sand-pile.cpt"));
    if (damage == Damage::UnitSystem) {
        const std::size_t line4 = project.find("\r\n1 1 6 0 \r\n");
        ASSERT_NE(line4, std::string::npos);
        project.replace(line4 + 2, 1, "7");
    } else {
        points.replace(points.find("  2.00E+01"), 10, "  2.0OE+01");
    }
    folder.Write("pile.kv7d", project);
    folder.Write("pile.cpt", points);
}

void Act(TMainForm& form, Action action)
{
    switch (action) {
    case Action::Save:
        form.Actions().FileSave->trigger();
        break;
    case Action::SaveAs:
        form.Actions().FileSaveAs->trigger();
        break;
    case Action::Run:
        form.Actions().Run->trigger();
        break;
    }
}

TEST(DamagedProject, SaveAndRunAskForANameAndNeverWriteOverTheFile)
{
    struct Case {
        const char* what;
        Damage damage;
        Action action;
        bool nameChosen;  // the chooser's answer: chosen.kv7d, else cancelled
        bool runs;        // the engine is called
    };
    const Case cases[] = {
        {"units 7, save, cancelled", Damage::UnitSystem, Action::Save, false, false},
        {"units 7, save, new name", Damage::UnitSystem, Action::Save, true, false},
        {"units 7, save as, cancelled", Damage::UnitSystem, Action::SaveAs, false, false},
        {"units 7, run, cancelled", Damage::UnitSystem, Action::Run, false, false},
        // Saved, then the checks stop the run: the modulus was not read.
        {"units 7, run, new name", Damage::UnitSystem, Action::Run, true, false},
        {"CPT points, save, cancelled", Damage::CptPoints, Action::Save, false, false},
        {"CPT points, save as, new name", Damage::CptPoints, Action::SaveAs, true, false},
        {"CPT points, run, cancelled", Damage::CptPoints, Action::Run, false, false},
        {"CPT points, run, new name", Damage::CptPoints, Action::Run, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Recorded() = {};
        MainFormFixture f;
        TMainForm& form = *f.form;
        WriteDamagedExample(f.folder, c.damage);
        const std::string project = f.folder.Read("pile.kv7d");
        const std::string points = f.folder.Read("pile.cpt");

        ChooseFile(f.folder.Path("pile.kv7d"));
        form.Actions().FileOpen->trigger();
        ASSERT_EQ(f.Messages().size(), 1u); // the input error
        EXPECT_EQ(form.Project().FileName, app::kNewProjectFileName);
        EXPECT_EQ(form.windowTitle().toStdString(), kNewCaption);
        EXPECT_FALSE(form.IsModified());
        EXPECT_FALSE(form.Actions().PlotButtons[0]->isEnabled());

        Recorded().Files.Calls.clear();
        if (c.nameChosen)
            ChooseFile(f.folder.Path("chosen.kv7d"));
        else
            CancelFileChooser();
        Act(form, c.action);

        ASSERT_EQ(Recorded().Files.Calls.size(), 1u);
        const widgets::TFileDialogOptions& asked = Recorded().Files.Calls[0].Options;
        EXPECT_TRUE(Recorded().Files.Calls[0].Save);
        EXPECT_EQ(asked.InitialDir, f.folder.Folder());
        EXPECT_EQ(asked.FileName, app::kNewProjectFileName);
        EXPECT_EQ(f.folder.Read("pile.kv7d"), project);
        EXPECT_EQ(f.folder.Read("pile.cpt"), points);
        EXPECT_EQ(form.LastRunStatus().has_value(), c.runs);
        if (c.nameChosen) {
            EXPECT_EQ(form.Project().FileName, f.folder.Path("chosen.kv7d"));
            EXPECT_EQ(form.windowTitle().toStdString(), "KORVA 2015.7.5 - Offshore - Chosen.kv7d");
            EXPECT_TRUE(f.folder.Exists("chosen.kv7d"));
            EXPECT_TRUE(f.folder.Exists("chosen.cpt"));
            EXPECT_EQ(f.folder.Exists("chosen.kv7o"), c.runs);
            EXPECT_FALSE(f.folder.Exists("pile.kv7o"));
        } else {
            EXPECT_EQ(f.folder.Listing(), "pile.cpt pile.kv7d ");
            EXPECT_EQ(form.Project().FileName, app::kNewProjectFileName);
            EXPECT_EQ(form.windowTitle().toStdString(), kNewCaption);
        }
    }
}

// Words after the last record: the file was read completely, the message
// asks the user to check it, and the project stays the file's.
TEST(DamagedProject, WordsAfterTheLastRecordKeepTheFileName)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    f.folder.Write("pile.kv7d", ReadText(DataPath("../../examples/sand-pile.kv7d")) + "1 2\r\n");
    f.folder.Write("pile.cpt", ReadText(DataPath("../../examples/sand-pile.cpt")));
    form.OpenFileName(f.folder.Path("pile.kv7d"), app::pfvCurrent);
    ASSERT_EQ(f.Messages().size(), 1u);
    EXPECT_EQ(form.Project().FileName, f.folder.Path("pile.kv7d"));
    EXPECT_EQ(form.windowTitle().toStdString(), "KORVA 2015.7.5 - Offshore - Pile.kv7d");
    EXPECT_TRUE(form.FileSaveClick());
    EXPECT_TRUE(Recorded().Files.Calls.empty());
    EXPECT_EQ(f.folder.Read("pile.kv7d"), ReadText(DataPath("../../examples/sand-pile.kv7d")));
}

// The recent list keeps the file opened, not the untitled name, and its
// results are not shown as the untitled project's.
TEST(DamagedProject, TheRecentListNamesTheFileAndItsResultsAreNotLoaded)
{
    MainFormFixture f;
    TMainForm& form = *f.form;
    WriteDamagedExample(f.folder, Damage::UnitSystem);
    f.folder.Write("pile.kv7p", "results of an earlier run");
    f.folder.Write("NewKORVA.kv7p", "results of another project");
    int plotFilesRead = 0;
    form.Results.ReadPlotFile = [&](const std::string&, bool) {
        ++plotFilesRead;
        return true;
    };
    form.OpenFileName(f.folder.Path("pile.kv7d"), app::pfvCurrent);
    EXPECT_EQ(plotFilesRead, 0);
    EXPECT_FALSE(form.PlotLoaded());
    ASSERT_EQ(form.RecentFiles().Count(), 1);
    EXPECT_EQ(form.RecentFiles()[0], f.folder.Path("pile.kv7d"));
}

} // namespace
} // namespace korva::test
