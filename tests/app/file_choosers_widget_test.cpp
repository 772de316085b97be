// Every file chooser of the program starts in the folder of the project
// that is open, not in the current folder nor in the folder the toolkit
// remembers from the first chooser of the session.
#include <filesystem>

#include <gtest/gtest.h>

#include "dialogs/cpt_data_dialog.h"
#include "dialogs/export_dialog.h"
#include "dialogs/option_dialogs.h"
#include "main_form_fixture.h"
#include "plot_form.h"

namespace korva::test {
namespace {

TEST(FileChoosers, EachStartsInTheOpenProjectsFolder)
{
    MainFormFixture f;
    // Opened from one folder (which becomes the current one), then saved as
    // into another: the project's folder is the second.
    std::filesystem::create_directories(f.folder.Path("first"));
    std::filesystem::create_directories(f.folder.Path("second"));
    const std::string opened = f.folder.Path("first/pile.kv7d");
    SaveSampleProject(opened);
    ChooseFile(opened);
    f.form->FileOpenClick();
    ProcessEvents();
    ChooseFile(f.folder.Path("second/pile.kv7d"));
    ASSERT_TRUE(f.form->FileSaveAsClick());
    const std::string folder = std::filesystem::path(f.folder.Path("second")).string();
    Recorded().Files.Calls.clear();

    // Each chooser once, cancelled.
    f.form->FileOpenClick();
    f.form->FileSaveAsClick();
    f.form->ShowCPTProfile();
    auto* profile = dynamic_cast<widgets::TPlotForm*>(f.form->Session().CptPoints().MotionInput().Window());
    ASSERT_NE(profile, nullptr);
    profile->SaveToDiskClick();
    f.OpenFromMenu<app_widgets::TDlgInputMotion>(TChildKind::CptData).BtnBrowseClick();
    f.OpenFromMenu<app_widgets::TDlgOptions>(TChildKind::Options).BrowseClick(); // "xdg-open": no folder of its own
    app_widgets::TDlgExport exportDialog(*f.form);
    exportDialog.FormActivate();
    exportDialog.Button3Click();

    const char* choosers[] = {"Open", "Save As", "bitmap", "CPT text file", "word processor", "workbook"};
    ASSERT_EQ(Recorded().Files.Calls.size(), std::size(choosers));
    for (std::size_t i = 0; i < std::size(choosers); ++i)
        EXPECT_EQ(Recorded().Files.Calls[i].Options.InitialDir, folder) << choosers[i];
}

} // namespace
} // namespace korva::test
