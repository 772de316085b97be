// The rules of the pile material, computation methods, pile property and
// option dialogs, without any widget.
#include <gtest/gtest.h>

#include <string>

#include "methods_rules.h"
#include "option_rules.h"
#include "pile_material_rules.h"
#include "pile_property_rules.h"
#include "project_fixture.h"

using namespace korva::app;
using korva::test::LayerData;
using korva::test::ProjectHost;

namespace {

// ---------------------------------------------------------------------------
// Pile material

TEST(MaterialRules, ComputedAreaBySectionAndUnits)
{
    struct Case {
        const char* name;
        int units;
        int type;
        bool precastCircular;
        Extended od, id, tipArea;
        Extended area;
    };
    const Case cases[] = {
        {"steel 24/23 in", 1, ptSteelPipe, true, 24, 23, 0, (576 - 529) * 3.1416L / 4},
        {"precast circular 500 mm", 2, ptPrecastConcrete, true, 500, 0, 0, 500 * 500 * 3.1416L / 4 / 1000 / 1000},
        {"precast tube keeps its bore", 1, ptPrecastConcrete, true, 36, 26, 0, (36 * 36 - 26 * 26) * 3.1416L / 4},
        {"timber: full circle", 1, ptTimber, true, 12, 10, 0, 12 * 12 * 3.1416L / 4},
        {"tapered monotube in SI", 2, ptTaperedMonotube, true, 400, 380, 0, 400 * 400 * 3.1416L / 4 / 1e6L},
        {"H-pile: the tip area", 1, ptHPile, true, 24, 23, 15.5L, 15.5L},
        {"orthogonal precast: the tip area", 2, ptPrecastConcrete, false, 500, 0, 0.16L, 0.16L},
    };
    for (const Case& c : cases) {
        ProjectHost h;
        TProgramData p(h.host);
        p.SetUnits(c.units);
        p.OuterDiameter = c.od;
        p.InnerDiameter = c.id;
        p.TipArea = c.tipArea;
        TMaterialForm form;
        form.PileType = c.type;
        form.PrecastCircular = c.precastCircular;
        EXPECT_NEAR(ComputedSectionArea(form, p), c.area, 1e-12L) << c.name;
    }
    // The worked figures of the two round examples.
    ProjectHost h;
    TProgramData p(h.host);
    p.OuterDiameter = 24;
    p.InnerDiameter = 23;
    EXPECT_NEAR(ComputedSectionArea(TMaterialForm{}, p), 36.9138L, 1e-9L);
    p.SetUnits(2);
    p.OuterDiameter = 500;
    p.InnerDiameter = 0;
    TMaterialForm precast;
    precast.PileType = ptPrecastConcrete;
    EXPECT_NEAR(ComputedSectionArea(precast, p), 0.19635L, 1e-9L);
}

TEST(MaterialRules, EnablingByPileTypeAndAreaMode)
{
    struct Case {
        const char* name;
        int type;
        bool precastCircular;
        bool fhwa;
        bool angle, steelEnds, precastShape, precastEnds;
    };
    const Case cases[] = {
        {"timber with FHWA", ptTimber, true, true, true, false, false, false},
        {"timber without FHWA", ptTimber, true, false, false, false, false, false},
        {"steel pipe", ptSteelPipe, true, true, false, true, false, false},
        {"precast circular", ptPrecastConcrete, true, true, false, false, true, true},
        {"precast orthogonal", ptPrecastConcrete, false, true, false, false, true, false},
        {"step-taper", ptRaymondStepTaper, true, true, true, false, false, false},
        {"uniform taper", ptRaymondUniformTaper, true, true, true, false, false, false},
        {"H-pile", ptHPile, true, true, false, false, false, false},
        {"tapered monotube", ptTaperedMonotube, true, true, true, false, false, false},
    };
    for (const Case& c : cases) {
        TMaterialForm form;
        form.PileType = c.type;
        form.PrecastCircular = c.precastCircular;
        const TMaterialEnabling e = MaterialEnabling(form, c.fhwa);
        EXPECT_EQ(e.TaperAngle, c.angle) << c.name;
        EXPECT_EQ(e.SteelEnds, c.steelEnds) << c.name;
        EXPECT_EQ(e.PrecastShape, c.precastShape) << c.name;
        EXPECT_EQ(e.PrecastEnds, c.precastEnds) << c.name;
    }
    for (int mode = 0; mode <= 2; ++mode) {
        TMaterialForm form;
        form.SectionAreaMode = mode;
        const TMaterialEnabling e = MaterialEnabling(form, true);
        EXPECT_EQ(e.SectionArea, mode == 1);
        EXPECT_EQ(e.SectionTable, mode == 2);
    }
}

TEST(MaterialRules, DisabledFieldsLoadAsZeroAndTheTaperNeedsFhwa)
{
    ProjectHost h;
    TProgramData p(h.host);
    p.PileType = ptTimber;
    p.TaperAngle = 1.5L;
    p.SectionArea = 40;
    p.SectionAreaMode = 0;
    p.MethodSelected[pmFhwa] = 0;
    TMaterialForm form = LoadMaterialForm(p);
    EXPECT_EQ(form.TaperAngle, 0);
    EXPECT_EQ(form.SectionArea, 0);

    // Whatever is typed, the taper is stored as 0 while FHWA is not computed.
    form.TaperAngle = 2;
    EXPECT_TRUE(StoreMaterialForm(form, p));
    EXPECT_EQ(p.TaperAngle, 0);
    EXPECT_EQ(p.SectionArea, 0);

    p.MethodSelected[pmFhwa] = 1;
    p.TaperAngle = 1.5L;
    p.SectionAreaMode = 1;
    p.SectionArea = 40;
    form = LoadMaterialForm(p);
    EXPECT_EQ(form.TaperAngle, 1.5L);
    EXPECT_EQ(form.SectionArea, 40);
    EXPECT_FALSE(StoreMaterialForm(form, p)); // nothing changed
}

TEST(MaterialRules, StoreSetsTypeShapeAndEndCondition)
{
    struct Case {
        const char* name;
        int type;
        bool precastCircular;
        bool steelClosed, precastClosed;
        int circular, closed;
    };
    // The project starts closed-ended; types without an end choice keep it.
    const Case cases[] = {
        {"open steel", ptSteelPipe, true, false, true, 1, 0},
        {"closed steel", ptSteelPipe, true, true, false, 1, 1},
        {"timber", ptTimber, true, false, false, 1, 1},
        {"precast circular open", ptPrecastConcrete, true, true, false, 1, 0},
        {"precast orthogonal", ptPrecastConcrete, false, false, true, 0, 1},
        {"step-taper", ptRaymondStepTaper, true, false, false, 1, 1},
        {"uniform taper", ptRaymondUniformTaper, true, false, false, 1, 1},
        {"H-pile", ptHPile, true, false, false, 0, 1},
        {"tapered monotube", ptTaperedMonotube, true, false, false, 1, 1},
    };
    for (const Case& c : cases) {
        ProjectHost h;
        TProgramData p(h.host);
        p.ClosedEnded = 1;
        TMaterialForm form = LoadMaterialForm(p);
        form.PileType = c.type;
        form.PrecastCircular = c.precastCircular;
        form.SteelClosedEnded = c.steelClosed;
        form.PrecastClosedEnded = c.precastClosed;
        form.ElasticModulus = 29000000;
        form.SectionAreaMode = 2;
        StoreMaterialForm(form, p);
        EXPECT_EQ(p.PileType, c.type) << c.name;
        EXPECT_EQ(p.CircularSection, c.circular) << c.name;
        EXPECT_EQ(p.ClosedEnded, c.closed) << c.name;
        EXPECT_EQ(p.ElasticModulus, 29000000) << c.name;
        EXPECT_EQ(p.SectionAreaMode, 2) << c.name;
    }
}

// ---------------------------------------------------------------------------
// Computation methods

TMethodsForm FormOf(int loadTransfer, std::initializer_list<int> selected)
{
    TMethodsForm form;
    form.LoadTransferMethod = loadTransfer;
    for (int k : selected)
        form.Selected[k] = true;
    return form;
}

std::vector<int> SelectedOf(const TMethodsForm& form)
{
    std::vector<int> methods;
    for (int k = 1; k <= kMethodCount; ++k)
        if (form.Selected[k])
            methods.push_back(k);
    return methods;
}

TEST(MethodsRules, LoadTransferMethodIsAlwaysComputed)
{
    TMethodsForm form = FormOf(pmApi, {pmFhwa});
    ChooseLoadTransferMethod(form, pmRevisedLambda);
    EXPECT_EQ(form.LoadTransferMethod, pmRevisedLambda);
    EXPECT_EQ(SelectedOf(form), (std::vector<int>{pmFhwa, pmRevisedLambda}));
    const TMethodsEnabling e = MethodsEnabling(form);
    for (int k = 1; k <= kMethodCount; ++k)
        EXPECT_EQ(e.MarkedLoadTransfer[k], k == pmRevisedLambda) << k;

    form = FormOf(pmApi, {pmFhwa, pmUsace, pmApi, pmNgi});
    ClearMethodSelections(form);
    EXPECT_EQ(SelectedOf(form), (std::vector<int>{pmApi}));
    SelectAllMethods(form);
    EXPECT_EQ(SelectedOf(form).size(), 9u);

    // Without the offshore edition the cone-based methods can be neither
    // chosen nor selected.
    form = FormOf(pmApi, {pmApi});
    form.OffshoreEdition = false;
    SelectAllMethods(form);
    EXPECT_EQ(SelectedOf(form), (std::vector<int>{1, 2, 3, 4, 5}));
    ChooseLoadTransferMethod(form, pmNgi);
    EXPECT_EQ(form.LoadTransferMethod, pmApi);
    EXPECT_FALSE(MethodsEnabling(form).MethodAvailable[pmUwa]);
    EXPECT_TRUE(MethodsEnabling(form).MethodAvailable[pmUserSpecified]);

    // A project whose flags miss the load-transfer method shows it checked.
    ProjectHost h;
    TProgramData p(h.host);
    p.LoadTransferMethod = pmFhwa;
    p.MethodSelected = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(SelectedOf(LoadMethodsForm(p)), (std::vector<int>{pmFhwa, pmUsace}));
}

TEST(MethodsRules, EnablingOfCriticalDepthDrainageAndTension)
{
    struct Case {
        const char* name;
        std::initializer_list<int> selected;
        int criticalMode;
        bool tension;
        bool modes, depth, drainage, reduction;
    };
    const Case cases[] = {
        {"API in compression", {pmApi}, 0, false, false, false, false, false},
        {"API in tension", {pmApi}, 0, true, false, false, false, true},
        {"tension without API", {pmFhwa}, 0, true, false, false, false, false},
        {"USACE, original rule", {pmUsace}, 0, false, true, false, false, false},
        {"USACE, user depth", {pmUsace}, 2, false, true, true, false, false},
        {"user depth without USACE", {pmFhwa}, 2, false, false, false, false, false},
        {"ICP/MTD", {pmIcpMtd}, 0, false, false, false, true, false},
    };
    for (const Case& c : cases) {
        TMethodsForm form = FormOf(*c.selected.begin(), c.selected);
        form.CriticalDepthMode = c.criticalMode;
        form.Tension = c.tension;
        const TMethodsEnabling e = MethodsEnabling(form);
        EXPECT_EQ(e.CriticalDepthModes, c.modes) << c.name;
        EXPECT_EQ(e.CriticalDepth, c.depth) << c.name;
        EXPECT_EQ(e.Drainage, c.drainage) << c.name;
        EXPECT_EQ(e.TensionReduction, c.reduction) << c.name;
    }
}

TEST(MethodsRules, StoreOfLoadingAndTaper)
{
    ProjectHost h;
    TProgramData p(h.host);
    p.TaperAngle = 1.2L;
    p.MethodSelected[pmFhwa] = 1;

    // Compression stores a reduction of 1.0 whatever the field shows.
    TMethodsForm form = LoadMethodsForm(p);
    form.TensionReduction = 0.5L;
    StoreMethodsForm(form, p, h.tables);
    EXPECT_EQ(p.LoadDirection, 0);
    EXPECT_EQ(p.TensionReduction, 1.0L);

    // Tension without API stores the (disabled) field's value.
    form.Tension = true;
    form.Selected[pmApi] = false;
    form.LoadTransferMethod = pmFhwa;
    EXPECT_TRUE(StoreMethodsForm(form, p, h.tables));
    EXPECT_EQ(p.LoadDirection, 1);
    EXPECT_EQ(p.TensionReduction, 0.5L);

    // FHWA is still computed: its taper stays although another method now
    // gives the load transfer.
    form.LoadTransferMethod = pmRevisedLambda;
    form.Selected[pmRevisedLambda] = true;
    StoreMethodsForm(form, p, h.tables);
    EXPECT_EQ(p.LoadTransferMethod, pmRevisedLambda);
    EXPECT_EQ(p.TaperAngle, 1.2L);
    EXPECT_EQ(p.MethodSelected, (std::array<std::int32_t, 11>{0, 1, 0, 1, 0, 0, 0, 0, 0, 0, 0}));

    // Without FHWA the taper goes.
    form.Selected[pmFhwa] = false;
    StoreMethodsForm(form, p, h.tables);
    EXPECT_EQ(p.TaperAngle, 0);

    // The same controls again change nothing.
    EXPECT_FALSE(StoreMethodsForm(form, p, h.tables));

    form.DrainedClay = true;
    form.ReducedTzFactors = true;
    form.CriticalDepthMode = 2;
    form.CriticalDepth = 35;
    StoreMethodsForm(form, p, h.tables);
    EXPECT_EQ(p.DrainedClay, 1);
    EXPECT_EQ(p.ReducedTzFactors, 1);
    EXPECT_EQ(p.CriticalDepthMode, 2);
    EXPECT_EQ(p.CriticalDepth, 35);
}

bool UserColumnsShown(const korva::components::TGridTable& table)
{
    const bool skin = table.GetColumn(sand_col::UserUnitSkinFriction).Visible;
    EXPECT_EQ(table.GetColumn(sand_col::UserUnitEndBearing).Visible, skin);
    return skin;
}

TEST(MethodsRules, UserSpecifiedLoadTransferShowsTheUserColumns)
{
    ProjectHost h;
    TProgramData p(h.host);
    korva::test::MakeEnglishThreeLayers(p, h);
    TMethodsForm form = LoadMethodsForm(p);
    ChooseLoadTransferMethod(form, pmUserSpecified);
    StoreMethodsForm(form, p, h.tables);
    for (int row = 0; row < h.tables.D.RowCount(); ++row)
        EXPECT_TRUE(UserColumnsShown(h.tables.D.Cell(layer_col::Properties, row).GetAsTable())) << row;
    EXPECT_TRUE(UserColumnsShown(h.tables.tblDataSand));
    EXPECT_TRUE(UserColumnsShown(h.tables.tblDataClay));
    // A layer added now is cloned with the columns shown.
    h.tables.D.SetRowCount(4);
    EXPECT_TRUE(UserColumnsShown(h.tables.D.Cell(layer_col::Properties, 3).GetAsTable()));

    ChooseLoadTransferMethod(form, pmApi);
    StoreMethodsForm(form, p, h.tables);
    for (int row = 0; row < h.tables.D.RowCount(); ++row)
        EXPECT_FALSE(UserColumnsShown(h.tables.D.Cell(layer_col::Properties, row).GetAsTable())) << row;
    EXPECT_FALSE(UserColumnsShown(h.tables.tblDataSand));
    EXPECT_FALSE(UserColumnsShown(h.tables.tblDataClay));
}

TEST(MethodsRules, SiltStaysOnlyForUsaceAlone)
{
    ProjectHost h;
    TProgramData p(h.host);
    //                      silt: weight, phi, N, Ko, Su, not used, user skin, user end
    korva::test::SetLayers(h.tables, {
        {kSand, 10, 0, 0, 1, 1, {110, 30, 12, 0.8L, 20, 0, 0, 0}, {112, 31, 14, 0.8L, 20, 0, 0, 0}},
        {kSilt, 30, 0, 0, 1, 1, {105.5L, 28.5L, 17, 0.9L, 800, 0, 0, 0}, {108.25L, 29.75L, 21, 0.95L, 900, 0, 0, 0}},
    });
    p.MethodSelected = {0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0};
    p.LoadTransferMethod = pmUsace;
    TMethodsForm form = LoadMethodsForm(p);
    EXPECT_FALSE(StoreMethodsForm(form, p, h.tables));
    EXPECT_EQ(h.tables.D.Cell(layer_col::SoilType, 1).GetAsInteger(), kSilt);

    form.Selected[pmFhwa] = true;
    EXPECT_TRUE(StoreMethodsForm(form, p, h.tables));
    EXPECT_EQ(h.tables.D.Cell(layer_col::SoilType, 1).GetAsInteger(), kSand);
    const korva::components::TGridTable& sand = h.tables.D.Cell(layer_col::Properties, 1).GetAsTable();
    EXPECT_EQ(sand.Caption, "Sand");
    const Extended top[] = {105.5L, 28.5L, 0.9L};
    const Extended bottom[] = {108.25L, 29.75L, 0.95L};
    const int columns[] = {sand_col::EffectiveUnitWeight, sand_col::FrictionAngle, sand_col::Ko};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(sand.Cell(columns[i], 0).GetAsFloat(), top[i]) << i;
        EXPECT_EQ(sand.Cell(columns[i], 1).GetAsFloat(), bottom[i]) << i;
    }
    EXPECT_EQ(sand.Cell(sand_col::BlowCounts, 0).GetAsInteger(), 17);
    EXPECT_EQ(sand.Cell(sand_col::BlowCounts, 1).GetAsInteger(), 21);
    EXPECT_EQ(sand.Cell(sand_col::Nq, 0).GetAsFloat(), 0); // the new sand's own default
    // The layer above and the bottom depth are untouched.
    EXPECT_EQ(h.tables.D.Cell(layer_col::SoilType, 0).GetAsInteger(), kSand);
    EXPECT_EQ(h.tables.D.Cell(layer_col::LayerBottom, 1).GetAsFloat(), 30);
}

// ---------------------------------------------------------------------------
// Pile properties

TEST(PilePropertyRules, InnerDiameterAndEndSectionByPileType)
{
    struct Case {
        const char* name;
        int type;
        int circular;
        int closed;
        bool id, endSection;
    };
    const Case cases[] = {
        {"open steel", ptSteelPipe, 1, 0, true, true},
        {"closed steel", ptSteelPipe, 1, 1, true, false},
        {"timber", ptTimber, 1, 0, false, false},
        {"open precast tube", ptPrecastConcrete, 1, 0, true, true},
        {"orthogonal precast", ptPrecastConcrete, 0, 0, false, false},
        {"tapered monotube", ptTaperedMonotube, 1, 0, false, false},
    };
    for (const Case& c : cases) {
        ProjectHost h;
        TProgramData p(h.host);
        p.PileType = c.type;
        p.CircularSection = static_cast<std::uint8_t>(c.circular);
        p.ClosedEnded = static_cast<std::uint8_t>(c.closed);
        p.OuterDiameter = 24;
        p.InnerDiameter = 23;
        p.EndSectionLength = 5;
        p.EndSectionInnerDiameter = 22;
        const TCircularEnabling e = CircularEnabling(p);
        EXPECT_EQ(e.InnerDiameter, c.id) << c.name;
        EXPECT_EQ(e.EndSection, c.endSection) << c.name;
        EXPECT_EQ(e.PlugGroup, c.endSection) << c.name;
        TCircularForm form = LoadCircularForm(p);
        // Without an inner diameter the three fields show and store 0; a
        // closed end keeps its end-section values.
        EXPECT_EQ(form.InnerDiameter, c.id ? 23 : 0) << c.name;
        EXPECT_EQ(form.EndSectionLength, c.id ? 5 : 0) << c.name;
        EXPECT_EQ(StoreCircularForm(form, p), !c.id) << c.name;
        EXPECT_EQ(p.EndSectionInnerDiameter, c.id ? 22 : 0) << c.name;
    }
}

TEST(PilePropertyRules, StoreBothSections)
{
    ProjectHost h;
    TProgramData p(h.host);
    TCircularForm circular{24, 23, 60, 5, 22, 3, 2.5L, 2};
    EXPECT_TRUE(StoreCircularForm(circular, p));
    EXPECT_EQ(p.OuterDiameter, 24);
    EXPECT_EQ(p.InnerDiameter, 23);
    EXPECT_EQ(p.PileLength, 60);
    EXPECT_EQ(p.EndSectionLength, 5);
    EXPECT_EQ(p.EndSectionInnerDiameter, 22);
    EXPECT_EQ(p.ZeroFrictionLength, 3);
    EXPECT_EQ(p.StickupLength, 2.5L);
    EXPECT_EQ(p.PlugCondition, 2);
    EXPECT_FALSE(StoreCircularForm(circular, p));

    TNoncircularForm noncircular{56, 15.5L, 70, 4, 1};
    EXPECT_TRUE(StoreNoncircularForm(noncircular, p));
    EXPECT_EQ(p.Perimeter, 56);
    EXPECT_EQ(p.TipArea, 15.5L);
    EXPECT_EQ(p.PileLength, 70);
    EXPECT_EQ(p.ZeroFrictionLength, 4);
    EXPECT_EQ(p.StickupLength, 1);
    EXPECT_FALSE(StoreNoncircularForm(LoadNoncircularForm(p), p));

    EXPECT_TRUE(StickupRefused(-2));
    EXPECT_FALSE(StickupRefused(0));
}

// ---------------------------------------------------------------------------
// Options, title and t-z print

TEST(OptionRules, PrintIntervalAndIncrement)
{
    struct Case {
        Extended typed;
        int stored;
    };
    for (const Case c : {Case{2.5L, 2}, Case{3.5L, 4}, Case{1, 1}, Case{2.4L, 2}, Case{499.5L, 500}, Case{500, 500},
                         Case{0, 1}, Case{900, 500}})
        EXPECT_EQ(RoundedPrintEvery(c.typed), c.stored) << c.typed;

    for (const Extended tiny : {Extended{0}, Extended{-3}, 0.0000009L})
        EXPECT_EQ(UsableIncrement(tiny), 1) << tiny;
    EXPECT_EQ(UsableIncrement(0.000001L), 0.000001L);
    EXPECT_EQ(UsableIncrement(0.5L), 0.5L);

    ProjectHost h;
    TProgramData p(h.host);
    p.IncrementLength = 0;
    p.PrintEvery = 3;
    TOptionsForm form = LoadOptionsForm(p);
    EXPECT_EQ(form.IncrementLength, 1);
    EXPECT_EQ(form.PrintEvery, 3);
    EXPECT_TRUE(StoreOptionsForm(form, p));
    EXPECT_EQ(p.IncrementLength, 1);
    EXPECT_FALSE(StoreOptionsForm(form, p));
    // A field that reached the store with a tiny increment stores 1 as well.
    form.IncrementLength = 0;
    form.PrintEvery = 2.5L;
    StoreOptionsForm(form, p);
    EXPECT_EQ(p.IncrementLength, 1);
    EXPECT_EQ(p.PrintEvery, 2);
}

TEST(OptionRules, TitleStoresOneLineAndMarksEveryChange)
{
    ProjectHost h;
    TProgramData p(h.host);
    TTitleForm form = LoadTitleForm(p);
    EXPECT_FALSE(StoreTitleForm(form, p)); // the same title again
    form.JobNumber = "KV-7";
    EXPECT_TRUE(StoreTitleForm(form, p)); // the job number alone counts
    EXPECT_EQ(p.JobNumber, "KV-7");
    form.ProjectTitle = "Pier 4\r\nnorth";
    form.DesignerName = "A.\nEngineer";
    EXPECT_TRUE(StoreTitleForm(form, p));
    EXPECT_EQ(p.ProjectTitle, "Pier 4  north");
    EXPECT_EQ(p.DesignerName, "A. Engineer");
    form.ProjectTitle = std::string(79, 'x') + "\xC3\xA9" + "yz"; // 82 characters, one of two bytes
    StoreTitleForm(form, p);
    EXPECT_EQ(p.ProjectTitle, std::string(79, 'x') + "\xC3\xA9");

    EXPECT_TRUE(StoreExtraTzDepths(true, p));
    EXPECT_EQ(p.ExtraTZDepths, 1);
    EXPECT_FALSE(StoreExtraTzDepths(true, p));
    EXPECT_TRUE(StoreExtraTzDepths(false, p));
    EXPECT_EQ(p.ExtraTZDepths, 0);
}

} // namespace
