// The CPT data window in the main window, driven offscreen: the file
// settings kept with the project, the three graphics buttons, failed reads
// that leave the profile as it was, Browse and Edit File.
#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "cpt_text_file.h"
#include "data_edit.h"
#include "dialogs/cpt_data_dialog.h"
#include "main_form_fixture.h"

namespace korva::test {
namespace {

using app_widgets::TDlgInputMotion;

// Depth, Qc in MPa and a soil name in letters, after two header lines.
const std::string kLettersFile = std::string(KORVA_TEST_DATA_DIR) + "/app/cpt-letters.txt";

struct CptDataWindow : MainFormFixture, ::testing::Test {
    TCptPoints& Profile() { return form->Session().CptPoints(); }
    TDlgInputMotion& Open() { return OpenFromMenu<TDlgInputMotion>(TChildKind::CptData); }
    // The letters file with its header lines, `lines` data lines and `columns` columns.
    void Describe(TDlgInputMotion& d, int lines, int columns, const char* ua = "1")
    {
        d.EdtWord()->setText(QString::fromStdString(kLettersFile));
        d.DataLines()->SetNumber(lines);
        d.HeaderLines()->SetNumber(2);
        d.Columns()->SetNumber(columns);
        d.StressFactor()->setText(ua);
    }
};

TEST_F(CptDataWindow, QcReadsTheProfileAndShowsIt)
{
    TDlgInputMotion& d = Open();
    EXPECT_EQ(d.SubWindow()->windowTitle(), "Data of Cone Penetration Test");
    EXPECT_EQ(d.StressFactor()->text(), "1");
    EXPECT_FALSE(d.EditFileButton()->isEnabled());
    EXPECT_FALSE(form->IsModified());
    Describe(d, 4, 2, "1000");
    EXPECT_TRUE(d.EditFileButton()->isEnabled());
    d.Image1Click();
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(Profile().PointCount(), 4);
    EXPECT_EQ(form->Project().CptPointCount(), 4);
    EXPECT_EQ(Profile().Point(0).X, 2500); // 2.5 MPa with Ua 1000
    EXPECT_EQ(Profile().Point(3).Y, 2);
    EXPECT_EQ(Profile().MotionInput().XCaption, "Qc, ksf");
    EXPECT_TRUE(Profile().MotionInput().FormCreated());
    EXPECT_TRUE(form->IsModified());

    // The settings go with the project when the window is left.
    EXPECT_TRUE(form->DeactivateActiveChild());
    EXPECT_EQ(form->Project().CptFileName, kLettersFile);
    EXPECT_EQ(form->Project().CptDataLines, 4);
    EXPECT_EQ(form->Project().CptHeaderLines, 2);
    EXPECT_EQ(form->Project().CptColumns, 2);
}

TEST_F(CptDataWindow, AFailedReadLeavesTheProfileAsItWas)
{
    Profile().Add(100, 1);
    Profile().Add(120, 2);
    TDlgInputMotion& d = Open();
    form->SetModified(false);
    Describe(d, 4, 3); // letters in column 3
    form->SetModified(false);
    d.Image1Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "There was an error reading the input CPT file.");
    EXPECT_EQ(Profile().PointCount(), 2);
    EXPECT_EQ(Profile().Point(1).X, 120);
    EXPECT_FALSE(form->IsModified());
    EXPECT_FALSE(Profile().MotionInput().FormCreated());

    Describe(d, 5, 2); // more data lines than the file has
    d.SpeedButton1Click();
    EXPECT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Profile().PointCount(), 2);

    d.EdtWord()->setText("no-such-cpt.txt");
    d.SpeedButton2Click();
    ASSERT_EQ(Messages().size(), 3u);
    EXPECT_EQ(Messages()[2], "File no-such-cpt.txt does not exists");
    EXPECT_EQ(Profile().PointCount(), 2);
}

// A Ua with a zero divisor is an arithmetic fault: typing it raises nothing
// out of the window's handlers, and a read shows the fault like any refused
// entry and keeps the profile.
TEST_F(CptDataWindow, AUaWithAZeroDivisorIsRefusedLikeABadEntry)
{
    Profile().Add(100, 1);
    TDlgInputMotion& d = Open();
    Describe(d, 4, 2, "1/0");
    EXPECT_TRUE(Messages().empty());
    d.Image1Click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Entry could not be evaluated:\ndivision by zero");
    EXPECT_EQ(Profile().PointCount(), 1);
    EXPECT_FALSE(Profile().MotionInput().FormCreated());
}

TEST_F(CptDataWindow, TheSptAndSuViewsConvertWithoutTouchingTheProfile)
{
    TDlgInputMotion& d = Open();
    Describe(d, 2, 2, "1000");
    d.SpeedButton1Click();
    ASSERT_EQ(Profile().PointCount(), 2);
    EXPECT_EQ(Profile().Point(0).X, 2500); // cone resistances, as saved and analysed
    components::TGraphPlot& view = d.ConvertedPlot();
    EXPECT_TRUE(view.FormCreated());
    EXPECT_EQ(view.Caption, "Converted SPT from CPT Data");
    EXPECT_EQ(view.XCaption, "SPT, N");
    // English: N = Qc x 47.875 / 280.
    EXPECT_NEAR(static_cast<double>(view.Point(0, 0).X), 2500 * 47.875 / 280, 1e-9);

    d.SpeedButton2Click();
    EXPECT_EQ(view.Caption, "Converted Undrained Shear Strength Su from CPT Data");
    EXPECT_NEAR(static_cast<double>(view.Point(0, 1).X), 3250.0 / 15, 1e-9);
    EXPECT_EQ(Profile().Point(1).X, 3250);
    EXPECT_EQ(Profile().MotionInput().Caption, "CPT Profile");
}

TEST_F(CptDataWindow, BrowseAndEditFile)
{
    TDlgInputMotion& d = Open();
    ChooseFile(kLettersFile);
    d.BtnBrowseClick();
    ASSERT_EQ(Recorded().Files.Calls.size(), 1u);
    EXPECT_TRUE(Recorded().Files.Calls[0].Options.FileMustExist);
    EXPECT_EQ(Recorded().Files.Calls[0].Options.Filters[0], "CPT recors(.txt) (*.txt *.acc)");
    EXPECT_EQ(d.EdtWord()->text().toStdString(), kLettersFile);
    d.EditFileButton()->click();
    ASSERT_EQ(Recorded().Desktop.StartedPrograms.size(), 1u);
    EXPECT_EQ(Recorded().Desktop.StartedPrograms[0].back(), kLettersFile);
}

TEST_F(CptDataWindow, EditsToTheStoredValuesLeaveTheProjectUnmodified)
{
    form->Project().CptDataLines = 4;
    form->Project().CptColumns = 3;
    form->Project().CptFileName = "a.txt";
    TDlgInputMotion& d = Open();
    form->SetModified(false);
    d.DataLines()->SetNumber(4);
    d.Columns()->SetNumber(3);
    d.EdtWord()->setText("a.txt");
    EXPECT_FALSE(form->IsModified());
    d.DataLines()->SetNumber(5);
    EXPECT_TRUE(form->IsModified());
    form->SetModified(false);
    d.StressFactor()->setText("2"); // Ua is not kept, yet an edit counts
    EXPECT_TRUE(form->IsModified());
}

} // namespace
} // namespace korva::test
