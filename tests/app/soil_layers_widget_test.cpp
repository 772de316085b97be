// The soil layers window in the main window, driven offscreen as a user
// would: the buttons at 40 and at 0 layers, soil types chosen in the lists,
// Insert, Delete with its question, the Close check and the properties window.
#include <QAction>
#include <QApplication>
#include <QMdiArea>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "data_edit.h"
#include "dialogs/option_dialogs.h"
#include "dialogs/soil_layers_dialog.h"
#include "main_form_fixture.h"
#include "soil_layers.h"

namespace korva::test {
namespace {

using app_widgets::TDlgSoilLayers;
using app_widgets::TDlgSoils;

struct SoilLayersWindow : MainFormFixture, ::testing::Test {
    TGridTable& D = form->Tables().D;
    TGridTable& Sub(int layer) { return D.Cell(layer_col::Properties, layer).GetAsTable(); }
    void Layers(std::initializer_list<int> types)
    {
        D.SetRowCount(static_cast<int>(types.size()));
        int i = 0;
        for (int t : types) {
            D.Cell(layer_col::SoilType, i).SetAsInteger(t);
            D.Cell(layer_col::LayerBottom, i).SetAsFloat(10.0L * (i + 1));
            ++i;
        }
    }
    TDlgSoilLayers& Open() { return OpenFromMenu<TDlgSoilLayers>(TChildKind::SoilLayers); }
    // Enters a control of the layer, which makes the layer current.
    void Enter(QWidget* control)
    {
        control->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
    }
};

TEST_F(SoilLayersWindow, ButtonsAtFortyLayersAndAtNone)
{
    D.SetRowCount(kMaxSoilLayers);
    TDlgSoilLayers& d = Open();
    EXPECT_EQ(d.SubWindow()->windowTitle(), "Soill Layers");
    EXPECT_EQ(d.LayerGrid()->rowCount(), 40);
    EXPECT_EQ(d.EditButton(39)->text(), "Edit Layer 40");
    EXPECT_FALSE(d.AddButton()->isEnabled());
    EXPECT_FALSE(d.InsertButton()->isEnabled());
    EXPECT_TRUE(d.DeleteButton()->isEnabled());
    EXPECT_TRUE(d.ConfirmDeletion()->isChecked());
    EXPECT_EQ(d.LayerGrid()->model()->headerData(2, Qt::Horizontal).toString(),
              " Depth at Bottom * \n of each layer (ft) ");

    d.ConfirmDeletion()->setChecked(false);
    for (int i = 0; i < kMaxSoilLayers; ++i)
        d.DeleteButton()->click();
    EXPECT_EQ(d.LayerGrid()->rowCount(), 0);
    EXPECT_EQ(D.RowCount(), 0);
    EXPECT_TRUE(d.AddButton()->isEnabled());
    EXPECT_FALSE(d.InsertButton()->isEnabled());
    EXPECT_FALSE(d.DeleteButton()->isEnabled());
    EXPECT_TRUE(form->IsModified());
    d.CloseClick(); // nothing to check: it closes at once
    ProcessEvents();
    EXPECT_EQ(form->Child(TChildKind::SoilLayers), nullptr);
    EXPECT_TRUE(Messages().empty());

    // A project without layers is neither saved nor run.
    form->Project().FileName = folder.Path("no-layers.kv7d");
    form->CompRunClick();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_NE(Messages()[0].find("The project has no soil layer and cannot be saved."), std::string::npos)
        << Messages()[0];
    EXPECT_EQ(form->LastRunStatus(), std::nullopt);
    EXPECT_FALSE(folder.Exists("no-layers.kv7d"));
    EXPECT_FALSE(form->FileSaveClick());
    EXPECT_FALSE(folder.Exists("no-layers.kv7d"));
}

TEST_F(SoilLayersWindow, SoilTypesChosenInTheListsCarryTheirValues)
{
    form->Project().MethodSelected.fill(0);
    form->Project().MethodSelected[pmUsace] = 1; // silt is offered
    Layers({kSilt, kSand});
    Sub(0).Cell(silt_col::UndrainedShearStrength, 0).SetAsFloat(800);
    Sub(0).Cell(silt_col::UndrainedShearStrength, 1).SetAsFloat(900);
    Sub(1).Cell(sand_col::EffectiveUnitWeight, 1).SetAsFloat(120);
    Sub(1).Cell(sand_col::UserUnitSkinFriction, 0).SetAsFloat(3);
    Sub(1).Cell(sand_col::FrictionAngle, 0).SetAsFloat(33);
    TDlgSoilLayers& d = Open();
    EXPECT_EQ(d.SoilTypeList(0)->count(), 3);
    EXPECT_EQ(d.SoilTypeList(0)->currentText(), "Silt");

    d.SoilTypeList(0)->setCurrentIndex(1); // silt -> clay
    EXPECT_EQ(D.Cell(layer_col::SoilType, 0).GetAsInteger(), kClay);
    EXPECT_EQ(Sub(0).Cell(clay_col::UndrainedShearStrength, 0).GetAsFloat(), 800);
    EXPECT_EQ(Sub(0).Cell(clay_col::UndrainedShearStrength, 1).GetAsFloat(), 900);

    d.SoilTypeList(1)->setCurrentIndex(1); // sand -> clay
    EXPECT_EQ(Sub(1).Cell(clay_col::EffectiveUnitWeight, 1).GetAsFloat(), 120);
    EXPECT_EQ(Sub(1).Cell(clay_col::UserUnitSkinFriction, 0).GetAsFloat(), 3);
    EXPECT_EQ(Sub(1).Cell(clay_col::UndrainedShearStrength, 0).GetAsFloat(), 0);
    EXPECT_TRUE(form->IsModified());
}

TEST_F(SoilLayersWindow, SiltShowsItsCodeWhereTheListOffersNoSilt)
{
    Layers({kSilt}); // API only: no "Silt" in the lists
    TDlgSoilLayers& d = Open();
    EXPECT_EQ(d.SoilTypeList(0)->count(), 2);
    EXPECT_EQ(d.SoilTypeList(0)->currentIndex(), -1);
    EXPECT_EQ(d.Editor().Layer(0).SoilType, kSilt);
}

TEST_F(SoilLayersWindow, InsertAboveAClayLayerKeepsItsGraphB)
{
    Layers({kSand, kClay});
    Sub(1).Cell(clay_col::AdhesionMethod, 0).SetAsInteger(2);
    Sub(1).Cell(clay_col::AdhesionMethod, 1).SetAsInteger(2);
    TDlgSoilLayers& d = Open();
    Enter(d.Field(1, app::lfMaxSideFriction));
    d.InsertButton()->click();
    ASSERT_EQ(D.RowCount(), 3);
    EXPECT_EQ(d.LayerGrid()->rowCount(), 3);
    EXPECT_EQ(D.Cell(layer_col::SoilType, 1).GetAsInteger(), kSand);
    EXPECT_EQ(d.Field(1, app::lfBottom)->text(), "0");
    EXPECT_EQ(d.SoilTypeList(2)->currentText(), "Clay");
    EXPECT_EQ(Sub(2).Cell(clay_col::AdhesionMethod, 0).GetAsInteger(), 2);
    EXPECT_EQ(Sub(2).Cell(clay_col::AdhesionMethod, 1).GetAsInteger(), 2);
    EXPECT_EQ(d.Field(2, app::lfBottom)->text(), "20");
}

TEST_F(SoilLayersWindow, DeleteAnsweredNoChangesNothing)
{
    Layers({kSand, kClay, kSand, kClay});
    TDlgSoilLayers& d = Open();
    form->SetModified(false);
    Enter(d.Field(2, app::lfBottom));
    Recorded().Messages.Answers.push_back(TMessageAnswer::No);
    d.DeleteButton()->click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Do you want to delete soil layer in row 3");
    EXPECT_EQ(Recorded().Messages.Shown[0].Kind, TMessageKind::YesNo);
    EXPECT_EQ(D.RowCount(), 4);
    EXPECT_EQ(d.LayerGrid()->rowCount(), 4);
    EXPECT_FALSE(form->IsModified());

    d.DeleteButton()->click(); // the default answer is Yes
    EXPECT_EQ(D.RowCount(), 3);
    EXPECT_EQ(D.Cell(layer_col::SoilType, 2).GetAsInteger(), kClay);
    EXPECT_EQ(D.Cell(layer_col::LayerBottom, 2).GetAsFloat(), 40);
}

TEST_F(SoilLayersWindow, TypedValuesGoBackAndCloseChecksTheEndBearingFactor)
{
    Layers({kSand, kSand});
    TDlgSoilLayers& d = Open();
    form->SetModified(false);
    widgets::TDataEdit* factor = d.Field(1, app::lfEndBearingFactor);
    Enter(factor);
    factor->selectAll();
    QTest::keyClicks(factor, "0");
    Enter(d.Field(0, app::lfBottom));
    d.CloseClick();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Recorded().Messages.Shown[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(Messages()[0],
              "Reduction/Resistance Factor on End Bearing for layer 2 should be greater than zero.\nPlease check");
    EXPECT_NE(form->Child(TChildKind::SoilLayers), nullptr);

    // Leaving the window stores the rows into D.
    EXPECT_TRUE(form->DeactivateActiveChild());
    EXPECT_EQ(D.Cell(layer_col::EndBearingFactor, 1).GetAsFloat(), 0);
    EXPECT_TRUE(form->IsModified());
}

// A zero divisor typed into a layer's field raises nothing while it is
// typed; leaving the window refuses it like any bad entry and the layer
// keeps its value.
TEST_F(SoilLayersWindow, AZeroDivisorTypedIsRefusedWhenTheWindowIsLeft)
{
    Layers({kSand});
    TDlgSoilLayers& d = Open();
    widgets::TDataEdit* bottom = d.Field(0, app::lfBottom);
    Enter(bottom);
    bottom->setText("1/0");
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(form->DeactivateActiveChild());
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Entry could not be evaluated:\ndivision by zero");
    EXPECT_EQ(D.Cell(layer_col::LayerBottom, 0).GetAsFloat(), 10);
}

TEST_F(SoilLayersWindow, EditLayerOpensThePropertiesOfItsLayer)
{
    Layers({kSand, kClay});
    TDlgSoilLayers& d = Open();
    d.EditButton(1)->click();
    ProcessEvents();
    TDlgSoils* soils = d.SoilsDialog();
    ASSERT_NE(soils, nullptr);
    EXPECT_TRUE(soils->isModal());
    EXPECT_EQ(soils->windowTitle(), "Data for Layer 2");
    d.EditButton(0)->click(); // one at a time
    EXPECT_EQ(d.SoilsDialog(), soils);
    soils->Field(clay_col::UndrainedShearStrength, 0)->SetNumber(1500);
    soils->close();
    ProcessEvents();
    EXPECT_EQ(d.SoilsDialog(), nullptr);
    EXPECT_EQ(Sub(1).Cell(clay_col::UndrainedShearStrength, 0).GetAsFloat(), 1500);
    EXPECT_EQ(d.LayerGrid()->rowCount(), 2);
}


// Tab goes from field to field of the rows as in any window: a bad entry is
// refused where it was typed, and the next field takes the focus with its
// text selected.
TEST_F(SoilLayersWindow, TabChecksTheFieldItLeaves)
{
    Layers({kSand, kSand});
    TDlgSoilLayers& d = Open();
    widgets::TDataEdit* limit = d.Field(0, app::lfMaxSideFriction);
    Enter(limit);
    limit->setText("0abc");
    QTest::keyClick(limit, Qt::Key_Tab);
    ProcessEvents();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Entry could not be evaluated:\ninvalid character(s) in expression");
    EXPECT_EQ(QApplication::focusWidget(), limit);
    EXPECT_EQ(limit->text(), "0abc");

    limit->setText("250");
    QTest::keyClick(limit, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(Messages().size(), 1u);
    widgets::TDataEdit* bearing = d.Field(0, app::lfMaxEndBearing);
    EXPECT_EQ(QApplication::focusWidget(), bearing);
    EXPECT_EQ(bearing->selectedText(), bearing->text());
    // From the last field of a row Tab goes on to the next row.
    Enter(d.Field(0, app::lfEndBearingFactor));
    QTest::keyClick(d.Field(0, app::lfEndBearingFactor), Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(QApplication::focusWidget(), d.EditButton(1));
    EXPECT_TRUE(form->DeactivateActiveChild());
    EXPECT_EQ(D.Cell(layer_col::MaxSideFriction, 0).GetAsFloat(), 250);
}

// The rows are made again when the window is activated and when the
// properties window closes; the control the user was in keeps the focus, and
// the window stays the active one.
TEST_F(SoilLayersWindow, TheControlInUseKeepsTheFocusWhenTheRowsAreMadeAgain)
{
    Layers({kSand, kClay});
    TDlgSoilLayers& d = Open();
    OpenFromMenu<app_widgets::TdlgTitle>(TChildKind::Title);
    ASSERT_NE(form->MdiArea()->activeSubWindow(), d.SubWindow());

    // A click into a field of the inactive window.
    d.Field(1, app::lfBottom)->setFocus(Qt::MouseFocusReason);
    ProcessEvents();
    EXPECT_EQ(form->MdiArea()->activeSubWindow(), d.SubWindow());
    EXPECT_EQ(QApplication::focusWidget(), d.Field(1, app::lfBottom));
    QTest::keyClicks(QApplication::focusWidget(), "5");
    EXPECT_EQ(d.Field(1, app::lfBottom)->text(), "205");

    // Back from the properties of layer 2.
    Enter(d.EditButton(1));
    d.EditButton(1)->click();
    ProcessEvents();
    ASSERT_NE(d.SoilsDialog(), nullptr);
    d.SoilsDialog()->close();
    ProcessEvents();
    EXPECT_EQ(form->MdiArea()->activeSubWindow(), d.SubWindow());
    EXPECT_EQ(d.EditButton(1)->window()->focusWidget(), d.EditButton(1));
    EXPECT_EQ(D.Cell(layer_col::LayerBottom, 1).GetAsFloat(), 205);
}

// Tab runs through the rows in reading order and then on through Insert, Add,
// Delete, Confirm Deletion and Close, never into another window made after
// this one; rows added and inserted take their places in it.
TEST_F(SoilLayersWindow, TabRunsThroughTheRowsAndThenTheButtons)
{
    Layers({kSand, kClay});
    TDlgSoilLayers& d = Open();
    OpenFromMenu<app_widgets::TdlgTitle>(TChildKind::Title);
    form->MdiArea()->setActiveSubWindow(d.SubWindow());
    ProcessEvents();
    ASSERT_EQ(form->MdiArea()->activeSubWindow(), d.SubWindow());
    d.AddButton()->click();
    Enter(d.Field(0, app::lfBottom));
    d.InsertButton()->click(); // a new first layer
    ProcessEvents();
    ASSERT_EQ(d.LayerGrid()->rowCount(), 4);
    std::vector<QWidget*> expected;
    for (int layer = 0; layer < 4; ++layer) {
        expected.push_back(d.EditButton(layer));
        expected.push_back(d.SoilTypeList(layer));
        for (int f = 0; f < app::kLayerFieldCount; ++f)
            expected.push_back(d.Field(layer, static_cast<app::TLayerField>(f)));
    }
    for (QWidget* button : std::initializer_list<QWidget*>{d.InsertButton(), d.AddButton(), d.DeleteButton(),
                                                           d.ConfirmDeletion(), d.CloseButton()})
        expected.push_back(button);
    Enter(expected[0]);
    std::vector<QWidget*> visited{QApplication::focusWidget()};
    while (visited.size() < expected.size()) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ProcessEvents();
        visited.push_back(QApplication::focusWidget());
    }
    EXPECT_EQ(visited, expected);
    EXPECT_TRUE(Messages().empty());
}

// The rows are made once: a control keeps the focus while a layer is
// inserted above it. When its own layer is deleted, the control in the same
// column of the layer taking its place gets it, with the caret after the
// value; the last layer deleted, the new last one's; none left, Add.
TEST_F(SoilLayersWindow, TheFocusStaysInItsControlWhileLayersComeAndGo)
{
    Layers({kSand, kClay, kSand});
    TDlgSoilLayers& d = Open();
    d.ConfirmDeletion()->setChecked(false);
    const QPointer<widgets::TDataEdit> bottom = d.Field(1, app::lfBottom);
    Enter(bottom);
    d.InsertButton()->click();
    ProcessEvents();
    EXPECT_EQ(QApplication::focusWidget(), bottom.data());
    EXPECT_EQ(d.Field(2, app::lfBottom), bottom.data());
    EXPECT_EQ(d.EditButton(2)->text(), "Edit Layer 3");
    EXPECT_EQ(d.Field(1, app::lfBottom)->text(), "0");
    EXPECT_EQ(d.Editor().CurrentLayer(), 1); // the new layer, as Insert left it

    // Layers: 10, 0 (new), 20, 30. The third deleted from its factor field.
    Enter(d.Field(2, app::lfSideFactor));
    d.DeleteButton()->click();
    ProcessEvents();
    ASSERT_EQ(d.LayerGrid()->rowCount(), 3);
    EXPECT_EQ(d.Field(2, app::lfBottom)->text(), "30");
    EXPECT_EQ(QApplication::focusWidget(), d.Field(2, app::lfSideFactor));
    QTest::keyClicks(QApplication::focusWidget(), "5");
    EXPECT_EQ(d.Field(2, app::lfSideFactor)->text(), "15");
    EXPECT_EQ(d.Editor().CurrentLayer(), 2);

    // The last layer deleted from its soil-type list: the new last one's list.
    Enter(d.SoilTypeList(2));
    d.DeleteButton()->click();
    ProcessEvents();
    ASSERT_EQ(d.LayerGrid()->rowCount(), 2);
    EXPECT_EQ(QApplication::focusWidget(), d.SoilTypeList(1));
    EXPECT_EQ(d.Field(1, app::lfBottom)->text(), "0");

    Enter(d.EditButton(0));
    d.DeleteButton()->click();
    ProcessEvents();
    EXPECT_EQ(QApplication::focusWidget(), d.EditButton(0));
    EXPECT_EQ(d.EditButton(0)->text(), "Edit Layer 1");
    d.DeleteButton()->click();
    ProcessEvents();
    EXPECT_EQ(d.LayerGrid()->rowCount(), 0);
    EXPECT_EQ(QApplication::focusWidget(), d.AddButton());
    EXPECT_EQ(form->MdiArea()->activeSubWindow(), d.SubWindow());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(D.RowCount(), 0);
}

// A click gives the button the focus; it keeps it through the act, also when
// the row of the control that had it before goes.
TEST_F(SoilLayersWindow, TheButtonClickedKeepsTheFocus)
{
    Layers({kSand, kClay, kSand});
    TDlgSoilLayers& d = Open();
    d.ConfirmDeletion()->setChecked(false);
    for (QPushButton* button : {d.InsertButton(), d.DeleteButton(), d.AddButton()}) {
        SCOPED_TRACE(button->text().toStdString());
        Enter(d.SoilTypeList(2));
        Enter(button);
        button->click();
        ProcessEvents();
        EXPECT_EQ(QApplication::focusWidget(), button);
    }
    EXPECT_EQ(D.RowCount(), 4);
}

// The control the user is in when the window becomes active again (a click
// into a field of the inactive window, the properties page closed) makes its
// layer the one Insert and Delete act on.
TEST_F(SoilLayersWindow, TheLayerInUseIsCurrentWhenTheWindowIsActiveAgain)
{
    Layers({kSand, kClay, kSand});
    TDlgSoilLayers& d = Open();
    OpenFromMenu<app_widgets::TdlgTitle>(TChildKind::Title);
    d.Field(2, app::lfMaxEndBearing)->setFocus(Qt::MouseFocusReason);
    ProcessEvents();
    ASSERT_EQ(form->MdiArea()->activeSubWindow(), d.SubWindow());
    Recorded().Messages.Answers.push_back(TMessageAnswer::No);
    d.DeleteButton()->click();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Messages()[0], "Do you want to delete soil layer in row 3");

    // "Edit Layer 2" makes layer 2 current after leaving for the properties
    // page has stored the rows (which makes the first one current), and so it
    // stays when the page closes.
    d.EditButton(1)->click();
    ProcessEvents();
    ASSERT_NE(d.SoilsDialog(), nullptr);
    d.SoilsDialog()->close();
    ProcessEvents();
    Recorded().Messages.Answers.push_back(TMessageAnswer::No);
    d.DeleteButton()->click();
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1], "Do you want to delete soil layer in row 2");
    EXPECT_EQ(D.RowCount(), 3);
}

// The soil-type lists offer "Silt" by the methods selected when the window
// was last activated, and a silt layer shows it once they do.
TEST_F(SoilLayersWindow, TheListsFollowTheMethodsWhenTheWindowIsActiveAgain)
{
    Layers({kSilt, kSand});
    TDlgSoilLayers& d = Open();
    ASSERT_EQ(d.SoilTypeList(0)->count(), 2);
    EXPECT_EQ(d.SoilTypeList(0)->currentIndex(), -1);
    OpenFromMenu<app_widgets::TdlgTitle>(TChildKind::Title);
    form->Project().MethodSelected.fill(0);
    form->Project().MethodSelected[pmUsace] = 1;
    form->MdiArea()->setActiveSubWindow(d.SubWindow());
    ProcessEvents();
    ASSERT_EQ(form->MdiArea()->activeSubWindow(), d.SubWindow());
    EXPECT_EQ(d.SoilTypeList(0)->count(), 3);
    EXPECT_EQ(d.SoilTypeList(0)->currentText(), "Silt");
    EXPECT_EQ(d.SoilTypeList(1)->count(), 3);
    EXPECT_EQ(d.SoilTypeList(1)->currentText(), "Sand");

    OpenFromMenu<app_widgets::TdlgTitle>(TChildKind::Title);
    form->Project().MethodSelected[pmApi] = 1;
    form->MdiArea()->setActiveSubWindow(d.SubWindow());
    ProcessEvents();
    EXPECT_EQ(d.SoilTypeList(0)->count(), 2);
    EXPECT_EQ(d.SoilTypeList(0)->currentIndex(), -1);
    EXPECT_EQ(d.SoilTypeList(1)->currentText(), "Sand");
    EXPECT_EQ(D.Cell(layer_col::SoilType, 0).GetAsInteger(), kSilt);
    EXPECT_FALSE(form->IsModified());
}

} // namespace
} // namespace korva::test
