// The pile material, computation methods, pile property and option dialogs
// in the main window, driven offscreen as a user drives them: load from the
// project, type, Tab, click, leave the dialog, and what the project holds.
#include <functional>

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QTabWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

#include "data_edit.h"
#include "dialogs/methods_dialog.h"
#include "dialogs/option_dialogs.h"
#include "dialogs/pile_material_dialog.h"
#include "dialogs/pile_property_dialogs.h"
#include "main_form_fixture.h"
#include "views/elevation_view.h"

namespace korva::test {
namespace {

using app_widgets::IFieldDialog;
using app_widgets::TFieldControl;
using Strings = std::vector<std::string>;

struct DialogFixture : MainFormFixture {
    DialogFixture()
    {
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    app::TProgramData& Project() { return form->Project(); }

    IFieldDialog* Open(TChildKind kind)
    {
        QWidget* window = form->ShowChild(kind);
        ProcessEvents();
        auto* dialog = dynamic_cast<IFieldDialog*>(window);
        EXPECT_NE(dialog, nullptr);
        return dialog;
    }
    static const TFieldControl& Field(IFieldDialog* dialog, const std::string& name)
    {
        const TFieldControl* control = dialog->Fields().Find(name);
        if (!control)
            throw std::runtime_error("no control for " + name);
        return *control;
    }
    static std::string Shown(IFieldDialog* dialog, const std::string& name)
    {
        return app_widgets::ShownText(Field(dialog, name));
    }
    static bool Enabled(IFieldDialog* dialog, const std::string& name)
    {
        return app_widgets::ShownEnabled(Field(dialog, name));
    }
    // Types into the field as a user would, without leaving it.
    static QWidget* TypeOnly(IFieldDialog* dialog, const std::string& name, const char* text)
    {
        QWidget* field = Field(dialog, name).Control;
        field->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
        if (auto* edit = qobject_cast<QLineEdit*>(field))
            edit->clear();
        if (auto* memo = qobject_cast<QPlainTextEdit*>(field))
            memo->clear();
        QTest::keyClicks(field, text);
        return field;
    }
    // Types and leaves the field with Tab.
    static QWidget* Type(IFieldDialog* dialog, const std::string& name, const char* text)
    {
        QWidget* field = TypeOnly(dialog, name, text);
        QTest::keyClick(field, Qt::Key_Tab);
        ProcessEvents();
        return field;
    }
    static void Click(IFieldDialog* dialog, const std::string& name, int value)
    {
        const TFieldControl& control = Field(dialog, name);
        QAbstractButton* button = control.Choices ? control.Choices->button(value)
                                                  : qobject_cast<QAbstractButton*>(control.Control);
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, QPoint(4, button->height() / 2));
        ProcessEvents();
    }
    QMdiSubWindow* Active() const { return form->MdiArea()->activeSubWindow(); }
    static QMdiSubWindow* WindowOf(IFieldDialog* dialog)
    {
        return dynamic_cast<app_widgets::TInputDialog*>(dialog)->SubWindow();
    }
};

// ---------------------------------------------------------------------------
// The protocol every dialog follows.

TEST(InputDialogs, EachStoresWhenLeftAndAnInvalidEntryStoresNothing)
{
    struct Case {
        const char* name;
        TChildKind kind;
        void (*prepare)(app::TProgramData&);
        const char* field;
        const char* typed;
        std::function<components::Extended(const app::TProgramData&)> stored;
        components::Extended expected;
    };
    const Case cases[] = {
        {"material", TChildKind::Material, nullptr, "ElasticModulus", "29e6",
         [](const app::TProgramData& p) { return p.ElasticModulus; }, 29000000},
        {"methods", TChildKind::Methods, [](app::TProgramData& p) { p.LoadDirection = 1; }, "TensionReduction", "0.5",
         [](const app::TProgramData& p) { return p.TensionReduction; }, 0.5L},
        {"circular", TChildKind::CircularSection, nullptr, "OuterDiameter", "2*12",
         [](const app::TProgramData& p) { return p.OuterDiameter; }, 24},
        {"noncircular", TChildKind::NoncircularSection,
         [](app::TProgramData& p) {
             p.PileType = app::ptHPile;
             p.CircularSection = 0;
         },
         "Perimeter", "56", [](const app::TProgramData& p) { return p.Perimeter; }, 56},
        {"options", TChildKind::Options, nullptr, "IncrementLength", "0.5",
         [](const app::TProgramData& p) { return p.IncrementLength; }, 0.5L},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Recorded().Messages.Shown.clear();
        DialogFixture f;
        if (c.prepare)
            c.prepare(f.Project());
        f.form->UpdatePileShapeControls();
        IFieldDialog* dialog = f.Open(c.kind);
        ASSERT_NE(dialog, nullptr);
        EXPECT_FALSE(f.form->IsModified()); // opening changes nothing

        // An invalid entry, then the dialog is left: one message, the dialog
        // stays active and nothing is stored.
        f.TypeOnly(dialog, c.field, "1+");
        EXPECT_FALSE(f.form->DeactivateActiveChild());
        ProcessEvents();
        EXPECT_EQ(f.Messages(), Strings{"Entry could not be evaluated:\ninvalid expression"});
        EXPECT_EQ(f.Active(), f.WindowOf(dialog));
        EXPECT_NE(c.stored(f.Project()), c.expected);

        f.Type(dialog, c.field, c.typed);
        EXPECT_TRUE(f.form->DeactivateActiveChild());
        EXPECT_EQ(c.stored(f.Project()), c.expected);
        EXPECT_TRUE(f.form->IsModified());
        EXPECT_EQ(f.Messages().size(), 1u);
    }
}

TEST(InputDialogs, AFieldLeftShowsWhatTheStoreKeeps)
{
    // A store that repairs a value (the increment below 0.000001 is 1, the
    // print interval a whole number, halves to even) has the field show the
    // value it will keep, not the one typed, as soon as the field is left
    // (Tab, the dialog still active and nothing stored yet), and after the
    // dialog is left; returning shows it too.
    struct Case {
        const char* field;
        const char* typed;
        const char* shown;
    };
    for (const Case& c : {Case{"IncrementLength", "-1", "1"}, Case{"IncrementLength", "1E-7", "1"},
                          Case{"IncrementLength", "-0.8476", "1"}, Case{"IncrementLength", "0.0000011", "1.1E-6"},
                          Case{"PrintEvery", "2.5", "2"}, Case{"PrintEvery", "3.5", "4"},
                          Case{"IncrementLength", "2*0.25", "0.5"}}) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed);
        DialogFixture f;
        IFieldDialog* options = f.Open(TChildKind::Options);
        const Extended increment = f.Project().IncrementLength;
        const std::int32_t every = f.Project().PrintEvery;
        f.Type(options, c.field, c.typed);
        EXPECT_EQ(f.Active(), f.WindowOf(options));
        EXPECT_EQ(f.Shown(options, c.field), c.shown);
        EXPECT_EQ(f.Project().IncrementLength, increment);
        EXPECT_EQ(f.Project().PrintEvery, every);
        IFieldDialog* title = f.Open(TChildKind::Title); // the options are left
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(f.Shown(options, c.field), c.shown);
        EXPECT_TRUE(f.Messages().empty());
        f.form->ShowChild(TChildKind::Options);
        ProcessEvents();
        EXPECT_EQ(f.Shown(options, c.field), c.shown);
    }
    // The same when the main window commits before a menu, a save or a run.
    DialogFixture f;
    IFieldDialog* options = f.Open(TChildKind::Options);
    f.Type(options, "IncrementLength", "-1");
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().IncrementLength, 1);
    EXPECT_EQ(f.Shown(options, "IncrementLength"), "1");
}

TEST(InputDialogs, LeavingRightAfterARefusedTabShowsNoSecondMessage)
{
    DialogFixture f;
    IFieldDialog* d = f.Open(TChildKind::Material);
    QWidget* field = f.TypeOnly(d, "ElasticModulus", "abc");
    QTest::keyClick(field, Qt::Key_Tab); // refused: the focus comes back through the event loop
    EXPECT_FALSE(f.form->DeactivateActiveChild());
    ProcessEvents();
    EXPECT_EQ(f.Messages(), Strings{"Entry could not be evaluated:\ninvalid character(s) in expression"});
    EXPECT_TRUE(field->hasFocus());
    EXPECT_EQ(f.Project().ElasticModulus, 0);
}

TEST(InputDialogs, OpeningOrReactivatingNeverClearsTheModifiedState)
{
    DialogFixture f;
    f.form->SetModified(true);
    for (TChildKind kind : {TChildKind::Material, TChildKind::Methods, TChildKind::CircularSection,
                            TChildKind::Options, TChildKind::Title, TChildKind::TzPrint})
        f.Open(kind);
    f.form->MdiArea()->activatePreviousSubWindow();
    ProcessEvents();
    EXPECT_TRUE(f.form->IsModified());
}

TEST(InputDialogs, AUnitSwitchReloadsEveryOpenDialog)
{
    DialogFixture f;
    f.Project().IncrementLength = 10;
    f.Project().PileLength = 100;
    IFieldDialog* options = f.Open(TChildKind::Options);
    IFieldDialog* circular = f.Open(TChildKind::CircularSection);
    f.form->Actions().SiUnits->trigger();
    ProcessEvents();
    EXPECT_EQ(f.Shown(options, "IncrementLength"), "3.048");
    EXPECT_EQ(f.Shown(circular, "PileLength"), "30.48");
    auto* increment = dynamic_cast<widgets::TDataEdit*>(f.Field(options, "IncrementLength").Control);
    EXPECT_EQ(increment->EditLabel()->text(), "Length of each computation &increment  (m)");
    // Leaving the dialogs stores the converted values, not the old ones, and
    // keeps them whole: a value not edited is stored as the field was given it.
    f.form->MdiArea()->setActiveSubWindow(f.WindowOf(options));
    ProcessEvents();
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().IncrementLength, 10 * 0.3048L);
    EXPECT_EQ(f.Project().PileLength, 100 * 0.3048L);
    // Back in English units the fields show the round values again.
    f.form->Actions().EnglishUnits->trigger();
    ProcessEvents();
    EXPECT_EQ(f.Shown(options, "IncrementLength"), "10");
    EXPECT_EQ(f.Shown(circular, "PileLength"), "100");
    EXPECT_EQ(f.Project().PileLength, 100);
}

// ---------------------------------------------------------------------------
// Pile material

TEST(MaterialDialog, ComputedAreaBySection)
{
    struct Case {
        const char* name;
        int units;
        int type;
        int circular;
        components::Extended od, id, tipArea;
        const char* shown;
    };
    const Case cases[] = {
        {"steel 24/23 in", 1, app::ptSteelPipe, 1, 24, 23, 0, "36.9138"},
        {"precast circular 500 mm", 2, app::ptPrecastConcrete, 1, 500, 0, 0, "0.19635"},
        {"H-pile", 1, app::ptHPile, 0, 24, 23, 15.5L, "15.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogFixture f;
        app::TProgramData& p = f.Project();
        p.SetUnits(c.units);
        p.PileType = c.type;
        p.CircularSection = static_cast<std::uint8_t>(c.circular);
        p.OuterDiameter = c.od;
        p.InnerDiameter = c.id;
        p.TipArea = c.tipArea;
        IFieldDialog* d = f.Open(TChildKind::Material);
        EXPECT_EQ(f.Shown(d, "SectionArea.Computed"), c.shown);
        EXPECT_FALSE(f.Enabled(d, "SectionArea.Computed"));
    }
}

TEST(MaterialDialog, EnablingByPileType)
{
    struct Case {
        const char* name;
        int type;
        int closed;
        bool angle, steelEnds, precastShape;
    };
    const Case cases[] = {
        {"timber", app::ptTimber, 0, true, false, false},
        {"closed steel", app::ptSteelPipe, 1, false, true, false},
        {"open steel", app::ptSteelPipe, 0, false, true, false},
        {"precast", app::ptPrecastConcrete, 0, false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogFixture f;
        f.Project().MethodSelected[app::pmFhwa] = 1;
        f.Project().PileType = c.type;
        f.Project().ClosedEnded = static_cast<std::uint8_t>(c.closed);
        IFieldDialog* d = f.Open(TChildKind::Material);
        EXPECT_EQ(f.Shown(d, "PileType"), std::to_string(c.type));
        EXPECT_EQ(f.Enabled(d, "TaperAngle"), c.angle);
        EXPECT_EQ(f.Enabled(d, "ClosedEnded"), c.steelEnds);
        EXPECT_EQ(f.Shown(d, "ClosedEnded"), std::to_string(c.closed));
        EXPECT_EQ(f.Enabled(d, "CircularSection"), c.precastShape);
        EXPECT_EQ(f.Enabled(d, "ClosedEnded.Precast"), c.precastShape);
        EXPECT_FALSE(f.Enabled(d, "SectionArea"));
        EXPECT_FALSE(f.Enabled(d, "Sectionaldata"));
    }
}

TEST(MaterialDialog, RadioClickMarksModifiedAndTheTaperNeedsFhwa)
{
    DialogFixture f;
    f.Project().PileType = app::ptTimber;
    f.Project().TaperAngle = 1.5L;
    f.Project().MethodSelected[app::pmFhwa] = 0;
    IFieldDialog* d = f.Open(TChildKind::Material);
    EXPECT_FALSE(f.Enabled(d, "TaperAngle"));
    EXPECT_EQ(f.Shown(d, "TaperAngle"), "0");
    EXPECT_FALSE(f.form->IsModified());
    f.Click(d, "SectionAreaMode", 1);
    EXPECT_TRUE(f.form->IsModified());
    EXPECT_TRUE(f.Enabled(d, "SectionArea"));
    f.Type(d, "SectionArea", "40");
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().TaperAngle, 0);
    EXPECT_EQ(f.Project().SectionAreaMode, 1);
    EXPECT_EQ(f.Project().SectionArea, 40);
}

TEST(MaterialDialog, CloseWantsAModulusAboveZero)
{
    DialogFixture f;
    IFieldDialog* d = f.Open(TChildKind::Material);
    auto* material = dynamic_cast<app_widgets::TfrmMaterial*>(d);
    material->CloseClick();
    ProcessEvents();
    ASSERT_EQ(Recorded().Messages.Shown.size(), 1u);
    EXPECT_EQ(Recorded().Messages.Shown[0].Kind, widgets::TMessageKind::Warning);
    EXPECT_EQ(f.Messages(), Strings{"Modulus of Elasticity should be greater than zero.\nPlease check"});
    EXPECT_NE(f.form->Child(TChildKind::Material), nullptr);
    EXPECT_TRUE(f.Field(d, "ElasticModulus").Control->hasFocus());

    f.Type(d, "ElasticModulus", "29000000");
    material->CloseClick();
    ProcessEvents();
    EXPECT_EQ(f.form->Child(TChildKind::Material), nullptr);
    EXPECT_EQ(f.Project().ElasticModulus, 29000000);
}

TEST(MaterialDialog, ChangingTheShapeClosesThePropertiesOfTheOtherShape)
{
    DialogFixture f;
    f.Open(TChildKind::CircularSection);
    IFieldDialog* d = f.Open(TChildKind::Material);
    f.Click(d, "PileType", app::ptHPile);
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    ProcessEvents();
    EXPECT_EQ(f.Project().CircularSection, 0);
    EXPECT_EQ(f.form->Child(TChildKind::CircularSection), nullptr);
    EXPECT_TRUE(f.form->Actions().Children[static_cast<int>(TChildKind::NoncircularSection)]->isEnabled());
}

// ---------------------------------------------------------------------------
// Computation methods

TEST(MethodsDialog, TheLoadTransferMethodIsAlwaysChecked)
{
    DialogFixture f;
    IFieldDialog* d = f.Open(TChildKind::Methods);
    auto* methods = dynamic_cast<app_widgets::TfrmWaterDepth*>(d);
    methods->Pages()->setCurrentIndex(0);
    f.Click(d, "LoadTransferMethod", app::pmRevisedLambda);
    EXPECT_TRUE(f.form->IsModified());
    methods->Pages()->setCurrentIndex(1);
    ProcessEvents();
    EXPECT_EQ(f.Shown(d, "MethodSelected[3]"), "1");
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(methods->LoadTransferMark(k)->isVisible(), k == app::pmRevisedLambda) << k;

    // Unchecking it or clearing the selections keeps it.
    f.Click(d, "MethodSelected[3]", 0);
    EXPECT_EQ(f.Shown(d, "MethodSelected[3]"), "1");
    methods->SelectAllClick();
    methods->ClearSelectionsClick();
    for (int k = 1; k <= 9; ++k)
        EXPECT_EQ(f.Shown(d, "MethodSelected[" + std::to_string(k) + "]"), k == 3 ? "1" : "0") << k;

    f.Project().TaperAngle = 1;
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().LoadTransferMethod, app::pmRevisedLambda);
    EXPECT_EQ(f.Project().MethodSelected, (std::array<std::int32_t, 11>{0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(f.Project().TaperAngle, 0); // FHWA is not computed
}

TEST(MethodsDialog, CompressionStoresAReductionOfOne)
{
    DialogFixture f;
    f.Project().LoadDirection = 1;
    f.Project().TensionReduction = 0.6L;
    IFieldDialog* d = f.Open(TChildKind::Methods);
    dynamic_cast<app_widgets::TfrmWaterDepth*>(d)->Pages()->setCurrentIndex(1);
    ProcessEvents();
    EXPECT_TRUE(f.Enabled(d, "TensionReduction"));
    EXPECT_EQ(f.Shown(d, "TensionReduction"), "0.6");
    f.Click(d, "LoadDirection", 0);
    EXPECT_FALSE(f.Enabled(d, "TensionReduction"));
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().LoadDirection, 0);
    EXPECT_EQ(f.Project().TensionReduction, 1.0L);
}

TEST(MethodsDialog, ReductionAboveItsBoundIsRefused)
{
    DialogFixture f;
    f.Project().LoadDirection = 1;
    IFieldDialog* d = f.Open(TChildKind::Methods);
    dynamic_cast<app_widgets::TfrmWaterDepth*>(d)->Pages()->setCurrentIndex(1);
    ProcessEvents();
    f.Type(d, "TensionReduction", "20");
    EXPECT_EQ(f.Messages(), Strings{"Entry must be less than or equal to 10"});
    EXPECT_EQ(f.Shown(d, "TensionReduction"), "10");
    EXPECT_TRUE(f.Field(d, "TensionReduction").Control->hasFocus());
    EXPECT_EQ(f.Project().TensionReduction, 1.0L);
}

TEST(MethodsDialog, UserLoadTransferShowsTheUserColumns)
{
    DialogFixture f;
    IFieldDialog* d = f.Open(TChildKind::Methods);
    f.Click(d, "LoadTransferMethod", app::pmUserSpecified);
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    const auto shown = [](const components::TGridTable& t) { return t.GetColumn(6).Visible && t.GetColumn(7).Visible; };
    EXPECT_TRUE(shown(f.form->Tables().D.Cell(app::layer_col::Properties, 0).GetAsTable()));
    EXPECT_TRUE(shown(f.form->Tables().tblDataSand));
    EXPECT_TRUE(shown(f.form->Tables().tblDataClay));

    f.form->MdiArea()->setActiveSubWindow(f.WindowOf(d));
    ProcessEvents();
    f.Click(d, "LoadTransferMethod", app::pmApi);
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_FALSE(shown(f.form->Tables().tblDataSand));
}

TEST(MethodsDialog, SiltBecomesSandUnlessUsaceIsAlone)
{
    DialogFixture f;
    ProjectHost values;
    SetLayers(f.form->Tables(), {{app::kSilt, 30, 0, 0, 1, 1, {105, 28, 17, 0.9L, 800, 0, 0, 0},
                                  {108, 29, 21, 0.95L, 900, 0, 0, 0}}});
    f.Project().MethodSelected = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    f.Project().LoadTransferMethod = app::pmUsace;
    f.form->SetModified(false);
    IFieldDialog* d = f.Open(TChildKind::Methods);
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.form->Tables().D.Cell(app::layer_col::SoilType, 0).GetAsInteger(), app::kSilt);
    EXPECT_FALSE(f.form->IsModified());

    f.form->MdiArea()->setActiveSubWindow(f.WindowOf(d));
    ProcessEvents();
    dynamic_cast<app_widgets::TfrmWaterDepth*>(d)->Pages()->setCurrentIndex(1);
    ProcessEvents();
    f.Click(d, "MethodSelected[1]", 1);
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    const components::TGridTable& d0 = f.form->Tables().D;
    EXPECT_EQ(d0.Cell(app::layer_col::SoilType, 0).GetAsInteger(), app::kSand);
    const components::TGridTable& sand = d0.Cell(app::layer_col::Properties, 0).GetAsTable();
    EXPECT_EQ(sand.Cell(app::sand_col::EffectiveUnitWeight, 1).GetAsFloat(), 108);
    EXPECT_EQ(sand.Cell(app::sand_col::FrictionAngle, 0).GetAsFloat(), 28);
    EXPECT_EQ(sand.Cell(app::sand_col::BlowCounts, 1).GetAsInteger(), 21);
    EXPECT_EQ(sand.Cell(app::sand_col::Ko, 1).GetAsFloat(), 0.95L);
    EXPECT_TRUE(f.form->IsModified());
}

TEST(MethodsDialog, LeavingReloadsAnOpenMaterialDialog)
{
    DialogFixture f;
    f.Project().PileType = app::ptTimber;
    IFieldDialog* material = f.Open(TChildKind::Material);
    EXPECT_FALSE(f.Enabled(material, "TaperAngle"));
    IFieldDialog* methods = f.Open(TChildKind::Methods);
    dynamic_cast<app_widgets::TfrmWaterDepth*>(methods)->Pages()->setCurrentIndex(1);
    ProcessEvents();
    f.Click(methods, "MethodSelected[1]", 1);
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_TRUE(f.Enabled(material, "TaperAngle"));
}

// ---------------------------------------------------------------------------
// Pile properties

TEST(PropertyDialogs, EnablingByPileType)
{
    struct Case {
        const char* name;
        int type;
        int closed;
        bool id, endSection;
    };
    const Case cases[] = {
        {"timber", app::ptTimber, 0, false, false},
        {"closed steel", app::ptSteelPipe, 1, true, false},
        {"open steel", app::ptSteelPipe, 0, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DialogFixture f;
        app::TProgramData& p = f.Project();
        p.PileType = c.type;
        p.ClosedEnded = static_cast<std::uint8_t>(c.closed);
        p.OuterDiameter = 24;
        p.InnerDiameter = 23;
        p.EndSectionLength = 5;
        p.EndSectionInnerDiameter = 22;
        IFieldDialog* d = f.Open(TChildKind::CircularSection);
        auto* dialog = dynamic_cast<app_widgets::TfrmShaftpeneta*>(d);
        EXPECT_EQ(f.Enabled(d, "InnerDiameter"), c.id);
        EXPECT_EQ(f.Enabled(d, "EndSectionLength"), c.endSection);
        EXPECT_EQ(f.Enabled(d, "EndSectionInnerDiameter"), c.endSection);
        EXPECT_EQ(dialog->PlugGroup()->isVisible(), c.endSection);
        EXPECT_EQ(f.Shown(d, "InnerDiameter"), c.id ? "23" : "0");
        EXPECT_EQ(f.Shown(d, "EndSectionLength"), c.id ? "5" : "0");
        EXPECT_TRUE(f.form->DeactivateActiveChild());
        EXPECT_EQ(p.InnerDiameter, c.id ? 23 : 0);
        EXPECT_EQ(p.EndSectionInnerDiameter, c.id ? 22 : 0);
        EXPECT_EQ(f.form->IsModified(), !c.id);
    }
}

TEST(PropertyDialogs, SiLabels)
{
    DialogFixture f;
    f.Project().SetUnits(2);
    IFieldDialog* d = f.Open(TChildKind::CircularSection);
    const auto label = [&](IFieldDialog* dialog, const char* field) {
        return dynamic_cast<widgets::TDataEdit*>(f.Field(dialog, field).Control)->EditLabel()->text().toStdString();
    };
    EXPECT_EQ(label(d, "OuterDiameter"), "&Outer Diameter, OD (mm)");
    EXPECT_EQ(label(d, "PileLength"), "&Total Length, TL (m)");
    f.Project().PileType = app::ptHPile;
    f.Project().CircularSection = 0;
    f.form->UpdatePileShapeControls();
    IFieldDialog* nc = f.Open(TChildKind::NoncircularSection);
    EXPECT_EQ(label(nc, "TipArea"), "Tip &Area for Noncircular Section  (m\xC2\xB2)");
}

TEST(PropertyDialogs, NegativeStickupIsSetToZeroAfterTheFieldsOwnCheck)
{
    for (TChildKind kind : {TChildKind::CircularSection, TChildKind::NoncircularSection}) {
        Recorded().Messages.Shown.clear();
        DialogFixture f;
        if (kind == TChildKind::NoncircularSection) {
            f.Project().PileType = app::ptHPile;
            f.Project().CircularSection = 0;
            f.form->UpdatePileShapeControls();
        }
        IFieldDialog* d = f.Open(kind);
        QWidget* field = f.Type(d, "StickupLength", "-2");
        ASSERT_EQ(Recorded().Messages.Shown.size(), 1u);
        EXPECT_EQ(Recorded().Messages.Shown[0].Kind, widgets::TMessageKind::Information);
        EXPECT_EQ(f.Messages(), Strings{"Pile Stickup Length should be a positive number\nIt will be set as 0"});
        EXPECT_EQ(f.Shown(d, "StickupLength"), "0");
        EXPECT_TRUE(field->hasFocus());

        // A text that cannot be evaluated gets the field's own message only.
        Recorded().Messages.Shown.clear();
        f.Type(d, "StickupLength", "abc");
        EXPECT_EQ(f.Messages(), Strings{"Entry could not be evaluated:\ninvalid character(s) in expression"});

        Recorded().Messages.Shown.clear();
        f.Type(d, "StickupLength", "0");
        EXPECT_TRUE(f.Messages().empty());
        EXPECT_TRUE(f.form->DeactivateActiveChild());
        EXPECT_EQ(f.Project().StickupLength, 0);
    }
}

// ---------------------------------------------------------------------------
// Options, title, t-z print

TEST(OptionsDialog, PrintIntervalIsRoundedHalvesToEven)
{
    for (const auto& [typed, stored] : {std::pair{"2.5", 2}, std::pair{"3.5", 4}}) {
        DialogFixture f;
        IFieldDialog* d = f.Open(TChildKind::Options);
        f.Type(d, "PrintEvery", typed);
        EXPECT_TRUE(f.form->DeactivateActiveChild());
        EXPECT_EQ(f.Project().PrintEvery, stored) << typed;
    }
}

TEST(OptionsDialog, ZeroIncrementShowsAndStoresOne)
{
    DialogFixture f;
    f.Project().IncrementLength = 0;
    IFieldDialog* d = f.Open(TChildKind::Options);
    EXPECT_EQ(f.Shown(d, "IncrementLength"), "1");
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().IncrementLength, 1);
    EXPECT_TRUE(f.form->IsModified());
}

TEST(OptionsDialog, RangeMessagesWithTheirBounds)
{
    struct Case {
        const char* field;
        const char* typed;
        const char* message;
        const char* shown;
    };
    for (const Case& c : {Case{"PrintEvery", "0", "Entry must be greater than or equal to 1", "1"},
                          Case{"IncrementLength", "600", "Entry must be less than or equal to 500", "500"},
                          Case{"PrintEvery", "501", "Entry must be less than or equal to 500", "500"}}) {
        Recorded().Messages.Shown.clear();
        DialogFixture f;
        IFieldDialog* d = f.Open(TChildKind::Options);
        QWidget* field = f.Type(d, c.field, c.typed);
        EXPECT_EQ(f.Messages(), Strings{c.message});
        EXPECT_EQ(f.Shown(d, c.field), c.shown);
        EXPECT_TRUE(field->hasFocus());
    }
}

TEST(OptionsDialog, BrowseChoosesTheWordProcessorWhichIsNoProjectEdit)
{
    DialogFixture f;
    IFieldDialog* d = f.Open(TChildKind::Options);
    ChooseFile("/usr/bin/gedit");
    dynamic_cast<app_widgets::TDlgOptions*>(d)->BrowseClick();
    ASSERT_EQ(Recorded().Files.Calls.size(), 1u);
    EXPECT_FALSE(Recorded().Files.Calls[0].Save);
    EXPECT_TRUE(Recorded().Files.Calls[0].Options.FileMustExist);
    EXPECT_EQ(f.Shown(d, "WordProcessor"), "/usr/bin/gedit");
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.form->WordProcessorPath(), "/usr/bin/gedit");
    EXPECT_FALSE(f.form->IsModified());
}

TEST(TitleDialog, StoresChangedTextsOnOneLineOfAtMostEightyCharacters)
{
    DialogFixture f;
    IFieldDialog* d = f.Open(TChildKind::Title);
    f.Type(d, "ProjectTitle", "New Pile");
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_FALSE(f.form->IsModified()); // the same title again

    f.form->MdiArea()->setActiveSubWindow(f.WindowOf(d));
    ProcessEvents();
    f.Type(d, "JobNumber", "KV-7");
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().JobNumber, "KV-7");
    EXPECT_TRUE(f.form->IsModified()); // the job number is saved with the project

    f.form->MdiArea()->setActiveSubWindow(f.WindowOf(d));
    ProcessEvents();
    QWidget* memo = f.TypeOnly(d, "ProjectTitle", "Pier 4");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, std::string(85, 'x').c_str());
    EXPECT_EQ(f.Shown(d, "ProjectTitle"), "Pier 4" + std::string(74, 'x'));
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().ProjectTitle, "Pier 4" + std::string(74, 'x'));

    // A designer pasted over two lines shows on the one line it is stored on
    // once the field is left.
    f.form->MdiArea()->setActiveSubWindow(f.WindowOf(d));
    ProcessEvents();
    QApplication::clipboard()->setText("A.\nEngineer\t2");
    auto* designer = qobject_cast<QLineEdit*>(f.TypeOnly(d, "DesignerName", ""));
    designer->paste();
    QTest::keyClick(designer, Qt::Key_Tab);
    ProcessEvents();
    EXPECT_EQ(f.Shown(d, "DesignerName"), "A. Engineer 2");
    EXPECT_EQ(f.Active(), f.WindowOf(d));
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().DesignerName, "A. Engineer 2");
}

TEST(TzPrintDialog, CheckBoxEnablesTheDepthsAndIsStored)
{
    DialogFixture f;
    IFieldDialog* d = f.Open(TChildKind::TzPrint);
    EXPECT_FALSE(f.Enabled(d, "TblTZDepth"));
    f.Click(d, "ExtraTZDepths", 1);
    EXPECT_TRUE(f.Enabled(d, "TblTZDepth"));
    EXPECT_TRUE(f.form->DeactivateActiveChild());
    EXPECT_EQ(f.Project().ExtraTZDepths, 1);
    EXPECT_TRUE(f.form->IsModified());
}

} // namespace
} // namespace korva::test

namespace korva::test {
namespace {

TEST(ElevationViewInMainWindow, ActivationShowsEditsMadeElsewhere)
{
    DialogFixture f;
    f.Project().PileLength = 60;
    auto* view = dynamic_cast<app_widgets::TDlgSideView*>(f.form->ShowChild(TChildKind::ElevationView));
    ASSERT_NE(view, nullptr);
    ProcessEvents();
    EXPECT_EQ(view->Profile().Pile.P2.Y, 60);
    IFieldDialog* circular = f.Open(TChildKind::CircularSection);
    f.Type(circular, "PileLength", "80");
    f.form->ShowChild(TChildKind::ElevationView);
    ProcessEvents();
    EXPECT_EQ(f.Project().PileLength, 80);
    EXPECT_EQ(view->Profile().Pile.P2.Y, 80);

    // The depth under the pointer shows in the child window's caption.
    QWidget* canvas = view->Canvas();
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 40), canvas->mapToGlobal(QPointF(10, 40)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &move);
    ProcessEvents();
    auto* window = qobject_cast<QMdiSubWindow*>(view->parentWidget());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(view->windowTitle().left(9), "  Depth: ");
    EXPECT_EQ(window->windowTitle().left(9), "  Depth: ");

    // A switch to SI units while the view is the active child redraws it in
    // metres at once.
    ASSERT_EQ(f.form->MdiArea()->activeSubWindow(), window);
    f.form->Actions().SiUnits->trigger();
    ProcessEvents();
    EXPECT_EQ(f.Project().Units, 2);
    EXPECT_NEAR(static_cast<double>(view->Profile().Pile.P2.Y), 80 * 0.3048, 1e-6);
}

} // namespace
} // namespace korva::test

namespace korva::test {
namespace {

TEST(InputDialogTables, DataButtonAndEditDepthsOpenTheirTables)
{
    DialogFixture f;
    f.Project().SectionAreaMode = 2;
    f.Project().ExtraTZDepths = 1;
    IFieldDialog* material = f.Open(TChildKind::Material);
    ASSERT_TRUE(f.Enabled(material, "Sectionaldata"));
    f.Click(material, "Sectionaldata", 0);
    EXPECT_NE(f.form->Tables().Sectionaldata.Form(), nullptr);

    IFieldDialog* tz = f.Open(TChildKind::TzPrint);
    f.Click(tz, "TblTZDepth", 0);
    EXPECT_NE(f.form->Tables().TblTZDepth.Form(), nullptr);
    EXPECT_EQ(f.form->Project().ExtraTZDepths, 1);
}

} // namespace
} // namespace korva::test

namespace korva::test {
namespace {

TEST(InputDialogPlacement, EachTakesItsTopCoordinateWhenActivated)
{
    DialogFixture f;
    f.Project().PileType = app::ptHPile;
    f.Project().CircularSection = 0;
    f.form->UpdatePileShapeControls();
    for (const auto& [kind, top] : {std::pair{TChildKind::Material, 10}, std::pair{TChildKind::Methods, 0},
                                    std::pair{TChildKind::NoncircularSection, 30}}) {
        IFieldDialog* d = f.Open(kind);
        EXPECT_EQ(f.WindowOf(d)->y(), top);
    }
    f.Project().PileType = app::ptSteelPipe;
    f.Project().CircularSection = 1;
    f.form->UpdatePileShapeControls();
    EXPECT_EQ(f.WindowOf(f.Open(TChildKind::CircularSection))->y(), 20);
}

} // namespace
} // namespace korva::test
