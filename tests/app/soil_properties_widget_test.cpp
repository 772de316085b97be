// The soil properties window and the design-chart window driven offscreen:
// the page of the layer's type, what the selected methods enable, typed blow
// counts, the adhesion choice and its picture.
#include <memory>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "data_edit.h"
#include "dialogs/soil_properties_dialog.h"
#include "gui_test.h"
#include "project_session.h"
#include "soil_layers.h"
#include "views/chart_form.h"

namespace korva::test {
namespace {

using namespace korva::app;
using app_widgets::TChartForm;
using app_widgets::TDlgSoils;

struct SoilPropertiesWindow : ::testing::Test {
    TProjectSession session;
    TGridTable& D = session.Tables().D;
    int modified = 0;
    QWidget owner; // stands for the main window
    std::unique_ptr<TDlgSoils> dialog;

    TGridTable& Sub(int layer) { return D.Cell(layer_col::Properties, layer).GetAsTable(); }
    void Methods(std::initializer_list<int> selected)
    {
        session.Project().MethodSelected.fill(0);
        for (int m : selected)
            session.Project().MethodSelected[static_cast<std::size_t>(m)] = 1;
    }
    void Layers(std::initializer_list<int> types)
    {
        D.SetRowCount(static_cast<int>(types.size()));
        int i = 0;
        for (int t : types)
            D.Cell(layer_col::SoilType, i++).SetAsInteger(t);
    }
    TDlgSoils& Open(int layerNumber)
    {
        dialog = std::make_unique<TDlgSoils>(session.Project(), D, [this] { ++modified; }, &owner);
        dialog->SetLayer(layerNumber);
        dialog->show();
        dialog->activateWindow();
        ProcessEvents();
        return *dialog;
    }
    void Type(widgets::TDataEdit* field, const char* text)
    {
        field->setFocus(Qt::TabFocusReason);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
};

TEST_F(SoilPropertiesWindow, BlowCountsOpenTheirChoiceAndTheAnglesStayUntilAChoiceIsPicked)
{
    Layers({kSand});
    Sub(0).Cell(sand_col::FrictionAngle, 0).SetAsFloat(30);
    Sub(0).Cell(sand_col::BlowCounts, 0).SetAsInteger(12);
    Sub(0).Cell(sand_col::BlowCounts, 1).SetAsInteger(15);
    TDlgSoils& d = Open(1);
    EXPECT_EQ(d.windowTitle(), "Data for Layer 1");
    EXPECT_EQ(d.Pages()->currentIndex(), 0);
    EXPECT_FALSE(d.Pages()->isTabVisible(1));
    EXPECT_TRUE(d.BlowCountChoice()->isChecked());
    EXPECT_TRUE(d.Field(sand_col::BlowCounts, 1)->isEnabled());
    EXPECT_FALSE(d.Field(sand_col::FrictionAngle, 0)->isEnabled());
    EXPECT_EQ(d.Field(sand_col::BlowCounts, 1)->text(), "15");
    EXPECT_EQ(d.FieldLabel(sand_col::EffectiveUnitWeight)->text(), "1. Effective Unit Weight (lbs/ft^3)");

    // Typed blow counts are rounded, halves to even; the angle stays.
    Type(d.Field(sand_col::BlowCounts, 0), "12.5");
    Type(d.Field(sand_col::BlowCounts, 1), "12.6");
    EXPECT_TRUE(d.close());
    EXPECT_EQ(Sub(0).Cell(sand_col::BlowCounts, 0).GetAsInteger(), 12);
    EXPECT_EQ(Sub(0).Cell(sand_col::BlowCounts, 1).GetAsInteger(), 13);
    EXPECT_EQ(Sub(0).Cell(sand_col::FrictionAngle, 0).GetAsFloat(), 30);
    EXPECT_EQ(modified, 1);
    EXPECT_TRUE(Recorded().Messages.Shown.empty());

    // The blow counts picked (after the angle): the angles go.
    TDlgSoils& again = Open(1);
    again.AngleChoice()->click();
    again.BlowCountChoice()->click();
    EXPECT_TRUE(again.close());
    EXPECT_EQ(Sub(0).Cell(sand_col::FrictionAngle, 0).GetAsFloat(), 0);
    EXPECT_EQ(Sub(0).Cell(sand_col::BlowCounts, 1).GetAsInteger(), 13);
    EXPECT_EQ(modified, 2);
}

TEST_F(SoilPropertiesWindow, ABlowCountLeftShowsTheWholeNumberStored)
{
    // Tab out of a blow-count field: the count the store keeps, halves to
    // even, at once; the sub-table keeps its value until the window closes.
    Layers({kSand});
    Sub(0).Cell(sand_col::BlowCounts, 0).SetAsInteger(12);
    TDlgSoils& d = Open(1);
    for (const auto& [typed, shown] : {std::pair{"10.5", "10"}, std::pair{"11.5", "12"}, std::pair{"12.49", "12"},
                                       std::pair{"-3.7", "-4"}, std::pair{"2*7", "14"}}) {
        widgets::TDataEdit* field = d.Field(sand_col::BlowCounts, 1);
        field->clear(); // a "-" typed over the selected value would extend it
        Type(field, typed);
        QTest::keyClick(field, Qt::Key_Tab);
        ProcessEvents();
        EXPECT_EQ(field->text().toStdString(), shown) << typed;
    }
    // Other values are shown as typed.
    Type(d.Field(sand_col::EffectiveUnitWeight, 0), "117.35");
    QTest::keyClick(d.Field(sand_col::EffectiveUnitWeight, 0), Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(d.Field(sand_col::EffectiveUnitWeight, 0)->text(), "117.35");
    EXPECT_EQ(Sub(0).Cell(sand_col::BlowCounts, 1).GetAsInteger(), 0);
    EXPECT_TRUE(d.close());
    EXPECT_EQ(Sub(0).Cell(sand_col::BlowCounts, 1).GetAsInteger(), 14);
}

TEST_F(SoilPropertiesWindow, TheAngleChosenClearsTheBlowCounts)
{
    Layers({kSilt});
    Sub(0).Cell(silt_col::BlowCounts, 0).SetAsInteger(9);
    TDlgSoils& d = Open(1);
    EXPECT_EQ(d.Pages()->currentIndex(), 2);
    d.AngleChoice()->click();
    EXPECT_TRUE(d.Field(silt_col::FrictionAngle, 0)->isEnabled());
    EXPECT_FALSE(d.Field(silt_col::BlowCounts, 0)->isEnabled());
    Type(d.Field(silt_col::FrictionAngle, 1), "28");
    d.close();
    EXPECT_EQ(Sub(0).Cell(silt_col::BlowCounts, 0).GetAsInteger(), 0);
    EXPECT_EQ(Sub(0).Cell(silt_col::FrictionAngle, 1).GetAsFloat(), 28);
}

TEST_F(SoilPropertiesWindow, AnInvalidFieldKeepsTheWindowOpen)
{
    Layers({kSand});
    TDlgSoils& d = Open(1);
    Type(d.Field(sand_col::EffectiveUnitWeight, 0), "1+");
    EXPECT_FALSE(d.close());
    EXPECT_EQ(Recorded().Messages.Shown.size(), 1u);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(modified, 0);
}

TEST_F(SoilPropertiesWindow, OnlyFhwaDisablesKoAndNqAndShowsTheAdhesionGroup)
{
    Methods({pmFhwa});
    Layers({kSand, kClay});
    TDlgSoils& sand = Open(1);
    EXPECT_FALSE(sand.Field(sand_col::Ko, 0)->isEnabled());
    EXPECT_FALSE(sand.Field(sand_col::Nq, 1)->isEnabled());
    EXPECT_TRUE(sand.Field(sand_col::EffectiveUnitWeight, 0)->isEnabled());
    EXPECT_FALSE(sand.KoTexts()[0]->isEnabled());
    sand.close();

    TDlgSoils& clay = Open(2);
    EXPECT_EQ(clay.Pages()->currentIndex(), 1);
    EXPECT_TRUE(clay.AdhesionList()->isVisible());
    EXPECT_TRUE(clay.AdhesionHeading()->isVisible());
    EXPECT_EQ(clay.GraphButton()->text(), "Show Graph");
    EXPECT_FALSE(clay.GraphButton()->isEnabled());
    EXPECT_FALSE(clay.Field(clay_col::PlasticityIndex, 0)->isEnabled());

    Methods({pmUsace});
    TDlgSoils& usace = Open(1);
    EXPECT_EQ(usace.KoTexts()[0]->text(), "3. Data for USACE Computation Method");
    EXPECT_TRUE(usace.Field(sand_col::Ko, 0)->isEnabled());
    EXPECT_FALSE(usace.Field(sand_col::Nq, 0)->isEnabled());
}

TEST_F(SoilPropertiesWindow, AdhesionItemTwoStoresTwoAndShowsPictureBAlone)
{
    Methods({pmFhwa, pmUwa});
    Layers({kClay});
    TDlgSoils& d = Open(1);
    EXPECT_TRUE(d.Field(clay_col::YieldStressRatio, 1)->isEnabled());
    d.AdhesionList()->setCurrentIndex(2);
    EXPECT_EQ(d.GraphButton()->text(), "Show Graph B");
    ASSERT_TRUE(d.GraphButton()->isEnabled());
    d.GraphButton()->click();
    ProcessEvents();
    TChartForm& charts = TChartForm::Of(&d);
    EXPECT_EQ(&charts, &TChartForm::Of(&owner)); // one window for the program
    EXPECT_TRUE(charts.isVisible());
    EXPECT_EQ(charts.windowTitle(), "ChartForm");
    EXPECT_FALSE(charts.Chart(0)->isVisible());
    EXPECT_TRUE(charts.Chart(1)->isVisible());
    EXPECT_FALSE(charts.Chart(2)->isVisible());
    EXPECT_FALSE(charts.Chart(1)->pixmap().isNull());
    charts.CloseButton()->click();
    EXPECT_FALSE(charts.isVisible());

    d.close();
    EXPECT_EQ(Sub(0).Cell(clay_col::AdhesionMethod, 0).GetAsInteger(), 2);
    EXPECT_EQ(Sub(0).Cell(clay_col::AdhesionMethod, 1).GetAsInteger(), 2);
    EXPECT_TRUE(Recorded().Messages.Shown.empty());
}

// Dark pixels near a point of the picture (the curves are drawn 3 pixels wide).
bool DarkNear(const QImage& image, double x, double y)
{
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx)
            if (qGray(image.pixel(static_cast<int>(x) + dx, static_cast<int>(y) + dy)) < 100)
                return true;
    return false;
}

TEST(DesignCharts, EachPictureDecodesToItsSizeAndDrawsItsOwnGraph)
{
    std::array<QImage, 3> images;
    for (std::size_t k = 0; k < 3; ++k) {
        images[k] = app_widgets::LoadDesignChart(kDesignChartPictures[k]);
        EXPECT_EQ(images[k].width(), kChartPictureWidth);
        EXPECT_EQ(images[k].height(), kChartPictureHeight);
    }
    // Graph 2 (picture B) ends its first curve at 0.186 for 4.5 ksf, graph 3
    // (picture C) at 0.238; graph 1 (picture A) has no curve below 0.4.
    const double x = ChartPixelX(4.5);
    EXPECT_TRUE(DarkNear(images[1], x, ChartPixelY(0.186)));
    EXPECT_FALSE(DarkNear(images[0], x, ChartPixelY(0.186)));
    EXPECT_TRUE(DarkNear(images[2], x, ChartPixelY(0.238)));
    EXPECT_FALSE(DarkNear(images[1], x, ChartPixelY(0.238)));
    EXPECT_TRUE(DarkNear(images[0], x, ChartPixelY(1.0)));
}

} // namespace
} // namespace korva::test
