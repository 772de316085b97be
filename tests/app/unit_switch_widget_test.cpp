// The unit switch of the Options menu as the user sees it: the fields, the
// soil layers window, the tables and the elevation view's labels show a
// round value round in either system (20 ft, 6.096 m, 20 ft again), a
// converted value with no more digits than its unit's factors carry, and the
// probe's units verb saves the switched project.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include <QAction>
#include <QJsonArray>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "data_edit.h"
#include "dialogs/dialog_fields.h"
#include "dialogs/pile_property_dialogs.h"
#include "dialogs/soil_layers_dialog.h"
#include "dialogs/soil_properties_dialog.h"
#include "elevation_geometry.h"
#include "file_text.h"
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

// The significant digits a number's text shows, from its first nonzero
// digit to its last (the exponent of "1.5E25" not counted).
int SignificantDigits(const std::string& text)
{
    const std::string mantissa = text.substr(0, text.find('E'));
    const auto first = mantissa.find_first_of("123456789");
    if (first == std::string::npos)
        return 0;
    const auto last = mantissa.find_last_of("123456789");
    int digits = 0;
    for (std::size_t i = first; i <= last; ++i)
        digits += mantissa[i] >= '0' && mantissa[i] <= '9';
    return digits;
}

// The digits a converted value carries, by what the field holds: lengths
// and areas convert by exact factors (15, a double's), forces, stresses,
// unit weights and the modulus by the unit table's 224.8089237 lbs per kN
// (10); values without a unit are never converted (the format's own).
enum class Carried { Length, Force, None };

int CarriedDigits(Carried carried, int precision)
{
    switch (carried) {
    case Carried::Length:
        return std::min(precision, 15);
    case Carried::Force:
        return std::min(precision, 10);
    default:
        return precision;
    }
}

// The fields by the project field (or the value of a soil page) they edit.
Carried CarriedOf(const std::string& field)
{
    static const std::map<std::string, Carried> kinds = {
        {"StickupLength", Carried::Length},          {"OuterDiameter", Carried::Length},
        {"InnerDiameter", Carried::Length},          {"PileLength", Carried::Length},
        {"EndSectionLength", Carried::Length},       {"EndSectionInnerDiameter", Carried::Length},
        {"ZeroFrictionLength", Carried::Length},     {"Perimeter", Carried::Length},
        {"CriticalDepth", Carried::Length},          {"IncrementLength", Carried::Length},
        {"TipArea", Carried::Length},                {"SectionArea", Carried::Length},
        {"SectionArea.Computed", Carried::Length},   {"ElasticModulus", Carried::Force},
        {"EffectiveUnitWeight", Carried::Force},     {"UserUnitSkinFriction", Carried::Force},
        {"UserUnitEndBearing", Carried::Force},      {"ConeResistance", Carried::Force},
        {"UndrainedShearStrength", Carried::Force},  {"RemoldedShearStrength", Carried::Force},
        {"TaperAngle", Carried::None},               {"TensionReduction", Carried::None},
        {"PrintEvery", Carried::None},               {"FrictionAngle", Carried::None},
        {"BlowCounts", Carried::None},               {"EarthPressureCoefficient", Carried::None},
        {"BearingCapacityFactor", Carried::None},    {"PlasticityIndex", Carried::None},
        {"YieldStressRatio", Carried::None},
    };
    const auto kind = kinds.find(field.substr(0, field.find(".Top")).substr(0, field.find(".Bottom")));
    if (kind == kinds.end()) {
        ADD_FAILURE() << "no unit known for the field " << field;
        return Carried::None;
    }
    return kind->second;
}

// One number shown: where, its text and the most digits it may show.
struct ShownNumber {
    std::string where;
    std::string text;
    int allowed;
};

// Every number the windows of the project show, each window opened from its
// menu entry (the layers' pages from "Edit Layer n") and closed again: the
// entry fields of the input dialogs, the soil layers window and every
// layer's properties page (18 digits at most), the float cells of every
// table (8) and the elevation view's depth labels (15).
std::vector<ShownNumber> EveryShownNumber(MainFormFixture& f)
{
    std::vector<ShownNumber> shown;
    const auto addFields = [&shown](const std::string& window, const app_widgets::TFieldControls& fields) {
        for (const app_widgets::TFieldControl& control : fields.All())
            if (auto* edit = qobject_cast<widgets::TDataEdit*>(control.Control))
                shown.push_back({window + " " + control.Field, edit->text().toStdString(),
                                 CarriedDigits(CarriedOf(control.Field), components::kEntryPrecision)});
    };
    for (const auto& [name, kind] : std::vector<std::pair<std::string, TChildKind>>{
             {"material", TChildKind::Material},
             {"methods", TChildKind::Methods},
             {"circular", TChildKind::CircularSection},
             {"noncircular", TChildKind::NoncircularSection},
             {"options", TChildKind::Options}}) {
        QAction* entry = f.form->Actions().Children[static_cast<std::size_t>(kind)];
        if (!entry->isEnabled())
            continue;
        entry->trigger();
        ProcessEvents();
        auto* dialog = dynamic_cast<app_widgets::IFieldDialog*>(f.form->Child(kind));
        EXPECT_NE(dialog, nullptr) << name;
        if (dialog)
            addFields(name, dialog->Fields());
        if (auto* input = qobject_cast<app_widgets::TInputDialog*>(f.form->Child(kind)))
            input->RequestClose();
        ProcessEvents();
    }

    auto& layers = f.OpenFromMenu<app_widgets::TDlgSoilLayers>(TChildKind::SoilLayers);
    const std::pair<app::TLayerField, Carried> layerFields[] = {{app::lfBottom, Carried::Length},
                                                                {app::lfMaxSideFriction, Carried::Force},
                                                                {app::lfMaxEndBearing, Carried::Force},
                                                                {app::lfSideFactor, Carried::None},
                                                                {app::lfEndBearingFactor, Carried::None}};
    for (int layer = 0; layer < layers.Editor().LayerCount(); ++layer) {
        const std::string where = "layer " + std::to_string(layer + 1);
        for (const auto& [field, carried] : layerFields)
            shown.push_back({where + " field " + std::to_string(field),
                             layers.Field(layer, field)->text().toStdString(),
                             CarriedDigits(carried, components::kEntryPrecision)});
        layers.EditButton(layer)->click();
        ProcessEvents();
        app_widgets::TDlgSoils* page = layers.SoilsDialog();
        EXPECT_NE(page, nullptr) << where;
        if (!page)
            continue;
        addFields(where + " page", page->Fields());
        EXPECT_TRUE(page->close());
        ProcessEvents();
    }
    layers.RequestClose();
    ProcessEvents();

    for (components::TGridTable* table : f.form->Tables().All()) {
        std::vector<components::TGridTable*> tables{table};
        if (table == &f.form->Tables().D)
            for (int row = 0; row < table->RowCount(); ++row)
                tables.push_back(&table->Cell(layer_col::Properties, row).GetAsTable());
        for (components::TGridTable* t : tables)
            for (int col = 0; col < t->ColumnCount(); ++col)
                if (dynamic_cast<const components::TFloatColumn*>(&t->GetColumn(col)))
                    for (int row = 0; row < t->RowCount(); ++row)
                        shown.push_back({t->Caption + " cell " + std::to_string(col) + "," + std::to_string(row),
                                         t->Cell(col, row).GetAsString(), components::kCellPrecision});
    }

    auto* view = dynamic_cast<app_widgets::TDlgSideView*>(f.form->ShowChild(TChildKind::ElevationView));
    ProcessEvents();
    EXPECT_NE(view, nullptr);
    if (view)
        for (const app::TElevationLayer& layer : view->Profile().Layers) {
            // "depth= 6.096 - 13.716; Clay"
            const std::string label = app::LayerScreenLabel(layer);
            const std::size_t dash = label.find(" - ");
            shown.push_back({label, label.substr(7, dash - 7), 15});
            shown.push_back({label, label.substr(dash + 3, label.find(';') - dash - 3), 15});
        }
    f.form->CloseChildWindows();
    ProcessEvents();
    return shown;
}

std::vector<std::pair<std::string, std::string>> Texts(const std::vector<ShownNumber>& shown)
{
    std::vector<std::pair<std::string, std::string>> texts;
    for (const ShownNumber& number : shown)
        texts.emplace_back(number.where, number.text);
    return texts;
}

// The sample with values that are not round in either system.
void MakeNonRoundStresses(TProgramData& p)
{
    p.OuterDiameter = 24.125L;
    p.InnerDiameter = 23.3125L;
    p.PileLength = 61.37L;
    p.ElasticModulus = 29123456.7L;
    p.IncrementLength = 0.37L;
}

void SetNonRoundLayers(TProjectTables& t)
{
    SetLayers(t, {
        {kSand, 21.3L, 1234.567L, 0, 1, 1, {117.35L, 31.5L, 12, 0.8L, 20, 61234.5L, 251.3L, 4012.7L},
         {118.2L, 32, 15, 0.8L, 20, 80321.9L, 301.1L, 5003.3L}},
        {kClay, 47.9L, 1717.17L, 0, 0.9L, 1, {55.55L, 1111.1L, 512.34L, 25, 2, 40000, 0, 0, 2},
         {57.61L, 1543.21L, 703.3L, 25, 1.5L, 45000, 0, 0, 2}},
        {kSand, 81.7L, 2000, 99999.9L, 1, 0.8L, {62.62L, 34, 30, 1, 40, 200000, 0, 0},
         {62.63L, 36, 35, 1, 40, 250000, 0, 0}},
    });
}

std::vector<std::string> SweptProjects(TempFolder& folder)
{
    std::vector<std::string> projects;
    for (const char* project :
         {"../../examples/sand-pile.kv7d", "../../examples/benchmark-pile.kv7d", "app/english-three-layers.kv7d",
          "app/si-all-soils.kv7d", "app/noncircular-h-pile.kv7d", "app/repairs-on-save.kv7d",
          "app/older-kvd.kv7d", "app/previous-kv6d.kv7d"})
        projects.push_back(DataPath(project));
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    MakeNonRoundStresses(p);
    SetNonRoundLayers(h.tables);
    p.FileName = folder.Path("non-round.kv7d");
    p.SaveToFile();
    projects.push_back(p.FileName);
    return projects;
}

struct ShownDigits : CommaLocaleFirst, MainFormFixture, ::testing::Test {
    // The project copied into the fixture's folder and opened from the File
    // menu; every window opened once, so that the repairs their stores make
    // by their own rules are made before anything is compared.
    void Open(const std::string& path)
    {
        form->CloseChildWindows();
        for (const char* extension : {".kv7d", ".cpt"}) {
            const std::string target = folder.Path(std::string("p") + extension);
            std::filesystem::remove(target);
            if (std::filesystem::exists(app::ChangeFileExt(path, extension)))
                std::filesystem::copy_file(app::ChangeFileExt(path, extension), target);
        }
        // The project before, switched, is not saved.
        Recorded().Messages.Answers.push_back(form->IsModified() ? TMessageAnswer::No : TMessageAnswer::Cancel);
        ChooseFile(folder.Path("p.kv7d"), app::pfvCurrent);
        form->FileOpenClick();
        ProcessEvents();
        ASSERT_EQ(form->Project().FileName, folder.Path("p.kv7d"));
        Recorded().Messages.Shown.clear();
        Recorded().Messages.Answers.clear();
        EveryShownNumber(*this);
    }
    void Switch(int units)
    {
        form->UnitsMenuClick();
        (units == 1 ? form->Actions().EnglishUnits : form->Actions().SiUnits)->trigger();
        ProcessEvents();
    }
};

TEST_F(ShownDigits, AConvertedValueShowsNoMoreDigitsThanItsUnitCarries)
{
    ASSERT_TRUE(comma.Active());
    TempFolder made;
    for (const std::string& project : SweptProjects(made)) {
        SCOPED_TRACE(project);
        Open(project);
        const int own = form->Project().Units;
        const std::vector<ShownNumber> before = EveryShownNumber(*this);
        // The other system and back, twice.
        for (int pair = 0; pair < 2; ++pair) {
            Switch(3 - own);
            for (const ShownNumber& number : EveryShownNumber(*this))
                EXPECT_LE(SignificantDigits(number.text), number.allowed) << number.where << ": " << number.text;
            Switch(own);
            // What was round is round again; every text is the one it was.
            EXPECT_EQ(Texts(EveryShownNumber(*this)), Texts(before));
        }
        EXPECT_TRUE(Messages().empty()) << Messages()[0];
    }
}

TEST_F(UnitSwitch, ForcesAndStressesShowTheDigitsOfTheirFactor)
{
    // 2000 lbs/ft^2 are 95.76052622 kN/m^2 by 224.8089237 lbs per kN; the
    // digits after those are the factor's rounding. Back in English: 2000.
    ASSERT_TRUE(comma.Active());
    Switch(form->Actions().SiUnits);
    EXPECT_EQ(layers->Field(2, app::lfMaxSideFriction)->text().toStdString(), "95.76052622");
    EXPECT_EQ(layers->Field(1, app::lfMaxSideFriction)->text().toStdString(), "57.45631573");
    layers->EditButton(1)->click();
    ProcessEvents();
    ASSERT_NE(layers->SoilsDialog(), nullptr);
    const app_widgets::TFieldControls& clay = layers->SoilsDialog()->Fields();
    EXPECT_EQ(app_widgets::ShownText(*clay.Find("EffectiveUnitWeight.Top")), "8.639811257"); // 55 lbs/ft^3
    EXPECT_EQ(app_widgets::ShownText(*clay.Find("UndrainedShearStrength.Top")), "47.88026311"); // 1000 lbs/ft^2
    EXPECT_TRUE(layers->SoilsDialog()->close());
    ProcessEvents();
    auto& material = OpenFromMenu<app_widgets::TInputDialog>(TChildKind::Material);
    EXPECT_EQ(app_widgets::ShownText(*dynamic_cast<app_widgets::IFieldDialog&>(material).Fields().Find(
                  "ElasticModulus")),
              "199947978.8"); // 29,000,000 lbs/in^2 in kN/m^2

    Switch(form->Actions().EnglishUnits);
    EXPECT_EQ(layers->Field(2, app::lfMaxSideFriction)->text().toStdString(), "2000");
    EXPECT_EQ(app_widgets::ShownText(*dynamic_cast<app_widgets::IFieldDialog&>(material).Fields().Find(
                  "ElasticModulus")),
              "29000000");
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
}

TEST_F(UnitSwitch, TypedDigitsAreNeverHidden)
{
    // A value typed shows what was typed, after the field is left and after
    // the window stored it and showed it again: 95.76 in a stress field, a
    // length of 12 digits, a stress of 12 digits.
    ASSERT_TRUE(comma.Active());
    Switch(form->Actions().SiUnits);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    const auto type = [](QWidget* field, const QString& text) {
        field->setFocus(Qt::MouseFocusReason);
        ProcessEvents();
        auto* edit = qobject_cast<widgets::TDataEdit*>(field);
        edit->clear();
        QTest::keyClicks(edit, text);
        QTest::keyClick(edit, Qt::Key_Tab);
        ProcessEvents();
        return edit->text().toStdString();
    };
    EXPECT_EQ(type(layers->Field(2, app::lfMaxSideFriction), "95.76"), "95.76");
    EXPECT_EQ(type(layers->Field(1, app::lfMaxEndBearing), "1234.56789012"), "1234.56789012");
    EXPECT_EQ(type(layers->Field(1, app::lfBottom), "13.7161234567"), "13.7161234567");
    // Another window activated (the store), then this one again (the load).
    form->ShowChild(TChildKind::CircularSection);
    ProcessEvents();
    form->ShowChild(TChildKind::SoilLayers);
    ProcessEvents();
    EXPECT_EQ(layers->Field(2, app::lfMaxSideFriction)->text().toStdString(), "95.76");
    EXPECT_EQ(layers->Field(1, app::lfMaxEndBearing)->text().toStdString(), "1234.56789012");
    EXPECT_EQ(layers->Field(1, app::lfBottom)->text().toStdString(), "13.7161234567");
    EXPECT_EQ(form->Tables().D.Cell(layer_col::MaxSideFriction, 2).GetAsFloat(), 95.76L);

    const QString length = "18.2881234567";
    EXPECT_EQ(type(circular->Fields().Find("PileLength")->Control, length), length.toStdString());
    form->ShowChild(TChildKind::SoilLayers);
    ProcessEvents();
    form->ShowChild(TChildKind::CircularSection);
    ProcessEvents();
    EXPECT_EQ(Circular("PileLength"), length.toStdString());
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
}

// A switch to the other system saved, and a switch back from that file
// saved, give the project's files again byte for byte: the file of the
// other system keeps every digit a converted value has (80000 lb/ft^2 are
// 3830.420718426867 kPa, not 3830.4207, which came back as 79999.999), and
// the last bits the switch back leaves are not written (55, not
// 54.99999999999999). Both examples, one in either system.
TEST(UnitsProbe, ThereAndBackThroughTheSavedFilesGivesTheFilesAgain)
{
    for (const char* example : {"sand-pile", "benchmark-pile"}) {
        SCOPED_TRACE(example);
        TempFolder folder;
        const std::string source = DataPath(std::string("../../examples/") + example);
        std::filesystem::copy_file(source + ".kv7d", folder.Path("pile.kv7d"));
        std::filesystem::copy_file(source + ".cpt", folder.Path("pile.cpt"));
        ASSERT_EQ(Probe("save " + folder.Path("pile.kv7d") + " " + folder.Path("saved.kv7d")).ExitCode, 0);
        app::TProjectSession session;
        session.OpenProject(folder.Path("saved.kv7d"), app::pfvCurrent);
        const std::string other = session.Project().Units == 1 ? "2" : "1";
        const std::string back = session.Project().Units == 1 ? "1" : "2";
        ASSERT_EQ(Probe("units " + folder.Path("saved.kv7d") + " " + other + " " + folder.Path("other.kv7d")).ExitCode,
                  0);
        ASSERT_EQ(Probe("units " + folder.Path("other.kv7d") + " " + back + " " + folder.Path("back.kv7d")).ExitCode,
                  0);
        EXPECT_EQ(folder.Read("back.kv7d"), folder.Read("saved.kv7d"));
        EXPECT_EQ(folder.Read("back.cpt"), folder.Read("saved.cpt"));
    }
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
