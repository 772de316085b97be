// The unit switch of the Options menu as the user sees it: the fields, the
// soil layers window, the tables and the elevation view's labels show a
// round value round in either system (20 ft, 6.096 m, 20 ft again), and the
// probe's units verb saves the switched project.
#include <cstdlib>

#include <QAction>
#include <QJsonArray>
#include <gtest/gtest.h>

#include "data_edit.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/pile_property_dialogs.h"
#include "dialogs/soil_layers_dialog.h"
#include "elevation_geometry.h"
#include "main_form_fixture.h"
#include "number_format.h"
#include "probe_runner.h"
#include "project_session.h"
#include "soil_layers.h"
#include "views/elevation_view.h"

namespace korva::test {
namespace {

using Strings = std::vector<std::string>;

// The texts never follow the C locale: the comma-decimal one is in force
// from the start (before opening the project makes its folder current, which
// a relative LOCPATH would no longer find).
struct CommaLocaleFirst {
    ScopedCommaLocale comma;
};

struct UnitSwitch : CommaLocaleFirst, MainFormFixture, ::testing::Test {
    UnitSwitch()
    {
        const std::string project = folder.Path("pile.kv7d");
        SaveSampleProject(project); // bottoms 20, 45 and 80 ft; a pile of 60 ft, OD 24 in
        ChooseFile(project);
        form->FileOpenClick();
        ProcessEvents();
        circular = dynamic_cast<app_widgets::IFieldDialog*>(form->ShowChild(TChildKind::CircularSection));
        form->ShowChild(TChildKind::SoilLayers);
        layers = form->ChildAs<app_widgets::TDlgSoilLayers>(TChildKind::SoilLayers);
        view = dynamic_cast<app_widgets::TDlgSideView*>(form->ShowChild(TChildKind::ElevationView));
        ProcessEvents();
    }
    void Switch(QAction* units)
    {
        form->UnitsMenuClick();
        units->trigger();
        ProcessEvents();
    }
    std::string Circular(const char* field) const
    {
        return app_widgets::ShownText(*circular->Fields().Find(field));
    }
    Strings Bottoms() const
    {
        Strings shown;
        for (int layer = 0; layer < 3; ++layer)
            shown.push_back(layers->Field(layer, app::lfBottom)->text().toStdString());
        return shown;
    }
    Strings Cells() const
    {
        Strings shown;
        for (int layer = 0; layer < 3; ++layer)
            shown.push_back(form->Tables().D.Cell(layer_col::LayerBottom, layer).GetAsString());
        return shown;
    }
    Strings Labels() const
    {
        Strings shown;
        for (const app::TElevationLayer& layer : view->Profile().Layers)
            shown.push_back(app::LayerScreenLabel(layer));
        return shown;
    }

    app_widgets::IFieldDialog* circular = nullptr;
    app_widgets::TDlgSoilLayers* layers = nullptr;
    app_widgets::TDlgSideView* view = nullptr;
};

TEST_F(UnitSwitch, RoundValuesStayRoundInEveryWindow)
{
    ASSERT_TRUE(comma.Active());
    ASSERT_NE(circular, nullptr);
    ASSERT_NE(layers, nullptr);
    ASSERT_NE(view, nullptr);
    for (int pair = 0; pair < 3; ++pair) {
        SCOPED_TRACE(pair);
        Switch(form->Actions().SiUnits);
        EXPECT_EQ(Circular("PileLength"), "18.288");
        EXPECT_EQ(Circular("OuterDiameter"), "609.6");
        EXPECT_EQ(Circular("StickupLength"), "1.524");
        EXPECT_EQ(Bottoms(), (Strings{"6.096", "13.716", "24.384"}));
        EXPECT_EQ(Cells(), (Strings{"6.096", "13.716", "24.384"}));
        EXPECT_EQ(Labels(), (Strings{"depth= 0 - 6.096; Sand", "depth= 6.096 - 13.716; Clay",
                                     "depth= 13.716 - 24.384; Sand"}));

        Switch(form->Actions().EnglishUnits);
        EXPECT_EQ(Circular("PileLength"), "60");
        EXPECT_EQ(Circular("OuterDiameter"), "24");
        EXPECT_EQ(Circular("StickupLength"), "5");
        EXPECT_EQ(Bottoms(), (Strings{"20", "45", "80"}));
        EXPECT_EQ(Labels(), (Strings{"depth= 0 - 20; Sand", "depth= 20 - 45; Clay", "depth= 45 - 80; Sand"}));
    }
    // Leaving the dialogs after the switches stores what they were given:
    // the project holds its values to the last digit, as the switches left
    // them, not as the fields show them.
    const Extended length = form->Project().PileLength;
    const Extended bottom = form->Tables().D.Cell(layer_col::LayerBottom, 1).GetAsFloat();
    EXPECT_TRUE(form->DeactivateActiveChild());
    form->ShowChild(TChildKind::CircularSection);
    ProcessEvents();
    form->ShowChild(TChildKind::SoilLayers);
    ProcessEvents();
    EXPECT_EQ(form->Project().PileLength, length);
    EXPECT_EQ(form->Tables().D.Cell(layer_col::LayerBottom, 1).GetAsFloat(), bottom);
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
}

TEST(UnitsProbe, SwitchesAsTheOptionsMenuDoesAndSaves)
{
    TempFolder folder;
    SaveSampleProject(folder.Path("pile.kv7d"));
    ProbeRun run = Probe("units " + folder.Path("pile.kv7d") + " 2 " + folder.Path("si.kv7d"));
    EXPECT_EQ(run.ExitCode, 0);
    EXPECT_TRUE(run.Json["ok"].toBool());
    EXPECT_TRUE(run.Json["messages"].toArray().isEmpty());
    EXPECT_EQ(run.Json["units"].toInt(), 2);
    EXPECT_TRUE(run.Json["modified"].toBool());

    // Back to English from the saved SI file: the round values again, also
    // when the probe runs in a comma-decimal locale.
    setenv("LC_ALL", "de_DE.UTF-8", 1);
    run = Probe("units " + folder.Path("si.kv7d") + " 1 " + folder.Path("english.kv7d"));
    unsetenv("LC_ALL");
    EXPECT_TRUE(run.Json["ok"].toBool());
    app::TProjectSession session;
    session.OpenProject(folder.Path("si.kv7d"), app::pfvCurrent);
    EXPECT_EQ(session.Project().Units, 2);
    EXPECT_EQ(components::FormatGeneral(session.Project().PileLength, 18), "18.288");
    session.OpenProject(folder.Path("english.kv7d"), app::pfvCurrent);
    EXPECT_EQ(session.Project().Units, 1);
    EXPECT_EQ(components::FormatGeneral(session.Project().PileLength, 18), "60");
    EXPECT_EQ(components::FormatGeneral(session.Tables().D.Cell(layer_col::LayerBottom, 1).GetAsFloat(), 18), "45");

    EXPECT_EQ(Probe("units " + folder.Path("pile.kv7d") + " 3 " + folder.Path("x.kv7d")).ExitCode, 2);
    run = Probe("units " + folder.Path("missing.kv7d") + " 2 " + folder.Path("x.kv7d"));
    EXPECT_FALSE(run.Json["ok"].toBool());
    EXPECT_FALSE(folder.Exists("x.kv7d"));
}

} // namespace
} // namespace korva::test
