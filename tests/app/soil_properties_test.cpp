#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project_fixture.h"
#include "soil_layers.h"
#include "soil_properties.h"

namespace korva::app {
namespace {

using test::ProjectHost;

struct SoilPropertiesTest : ::testing::Test {
    ProjectHost host;
    TProgramData project{host.host};
    TGridTable& D = host.tables.D;
    TGridTable& Sub(int layer) { return D.Cell(layer_col::Properties, layer).GetAsTable(); }
    void Methods(std::vector<int> selected)
    {
        project.MethodSelected.fill(0);
        for (int m : selected)
            project.MethodSelected[static_cast<std::size_t>(m)] = 1;
    }
    void Layers(std::vector<int> types)
    {
        D.SetRowCount(static_cast<int>(types.size()));
        for (std::size_t i = 0; i < types.size(); ++i)
            D.Cell(layer_col::SoilType, static_cast<int>(i)).SetAsInteger(types[i]);
    }
};

// A layer that holds friction angles and blow counts keeps both until the
// user picks one of the two inputs; the other is then stored as 0.
TEST_F(SoilPropertiesTest, BlowCountsOpenWithTheirChoiceAndBothInputsStayUntilOneIsPicked)
{
    Layers({kClay, kSand});
    Sub(1).Cell(sand_col::FrictionAngle, 0).SetAsFloat(30);
    Sub(1).Cell(sand_col::FrictionAngle, 1).SetAsFloat(32);
    Sub(1).Cell(sand_col::BlowCounts, 0).SetAsInteger(12);
    Sub(1).Cell(sand_col::BlowCounts, 1).SetAsInteger(15);
    TSoilPropertiesState s = LoadSoilProperties(project, D, 2);
    EXPECT_EQ(s.Caption, "Data for Layer 2");
    EXPECT_EQ(s.SoilType, kSand);
    EXPECT_TRUE(s.BlowCountChoice);
    EXPECT_FALSE(s.ChoicePicked);
    EXPECT_TRUE(SoilFieldEnabled(s, TSoilInput::BlowCounts));
    EXPECT_FALSE(SoilFieldEnabled(s, TSoilInput::FrictionAngle));
    EXPECT_FALSE(StoreSoilProperties(s, D)); // closed without an edit
    EXPECT_EQ(Sub(1).Cell(sand_col::FrictionAngle, 0).GetAsFloat(), 30);
    EXPECT_EQ(Sub(1).Cell(sand_col::FrictionAngle, 1).GetAsFloat(), 32);
    s.Values[sand_col::BlowCounts][1] = 16; // a blow count typed is no choice
    EXPECT_TRUE(StoreSoilProperties(s, D));
    EXPECT_EQ(Sub(1).Cell(sand_col::FrictionAngle, 1).GetAsFloat(), 32);
    EXPECT_EQ(Sub(1).Cell(sand_col::BlowCounts, 1).GetAsInteger(), 16);

    // The blow counts picked: the angles go.
    s.ChoicePicked = true;
    EXPECT_TRUE(StoreSoilProperties(s, D));
    EXPECT_EQ(Sub(1).Cell(sand_col::FrictionAngle, 0).GetAsFloat(), 0);
    EXPECT_EQ(Sub(1).Cell(sand_col::FrictionAngle, 1).GetAsFloat(), 0);
    EXPECT_EQ(Sub(1).Cell(sand_col::BlowCounts, 1).GetAsInteger(), 16);

    // The angle picked instead: the blow counts go.
    s = LoadSoilProperties(project, D, 2);
    s.BlowCountChoice = false;
    s.ChoicePicked = true;
    s.Values[sand_col::FrictionAngle] = {31, 33};
    StoreSoilProperties(s, D);
    EXPECT_EQ(Sub(1).Cell(sand_col::BlowCounts, 0).GetAsInteger(), 0);
    EXPECT_EQ(Sub(1).Cell(sand_col::BlowCounts, 1).GetAsInteger(), 0);
    EXPECT_EQ(Sub(1).Cell(sand_col::FrictionAngle, 1).GetAsFloat(), 33);
}

TEST_F(SoilPropertiesTest, BlowCountsAreRoundedHalvesToEven)
{
    struct Case {
        Extended entered;
        int stored;
    };
    for (int type : {kSand, kSilt}) {
        Layers({type});
        for (const Case& c : {Case{12.5L, 12}, Case{12.6L, 13}, Case{13.5L, 14}, Case{-0.4L, 0}, Case{1e12L, 2147483647}}) {
            SCOPED_TRACE(components::FormatGeneral(c.entered, 18));
            SCOPED_TRACE(type);
            TSoilPropertiesState s = LoadSoilProperties(project, D, 1);
            s.BlowCountChoice = true;
            s.ChoicePicked = true;
            s.Values[sand_col::BlowCounts] = {c.entered, c.entered};
            StoreSoilProperties(s, D);
            EXPECT_EQ(Sub(0).Cell(sand_col::BlowCounts, 0).GetAsInteger(), c.stored);
            EXPECT_EQ(Sub(0).Cell(sand_col::BlowCounts, 1).GetAsInteger(), c.stored);
            // What a blow-count field shows once left is what is stored; any
            // other field's value is kept as it is.
            for (const TSoilField& field : SoilPageFields(type))
                EXPECT_EQ(StoredSoilValue(field, c.entered),
                          field.Input == TSoilInput::BlowCounts ? c.stored : c.entered)
                    << field.Name;
        }
    }
}

TEST_F(SoilPropertiesTest, TheSelectedMethodsDecideWhatIsEnabled)
{
    Layers({kSand});
    struct Case {
        std::vector<int> methods;
        bool ko, nq, user, cone;
        std::string heading;
    };
    const std::vector<Case> cases = {
        {{pmFhwa}, false, false, false, false, "3. Data for API Computation Method"},
        {{pmApi}, true, true, false, false, "3. Data for API Computation Method"},
        {{pmUsace, pmRevisedLambda}, true, false, false, false, "3. Data for USACE Computation Method"},
        {{pmRevisedLambda}, true, false, false, false, "3. Data for Revised Lambda Computation Method"},
        {{pmUserSpecified, pmUwa}, false, false, true, true, "3. Data for API Computation Method"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.heading);
        Methods(c.methods);
        const TSoilPropertiesState s = LoadSoilProperties(project, D, 1);
        EXPECT_EQ(SoilFieldEnabled(s, TSoilInput::Ko), c.ko);
        EXPECT_EQ(SoilFieldEnabled(s, TSoilInput::Nq), c.nq);
        EXPECT_EQ(SoilFieldEnabled(s, TSoilInput::UserValues), c.user);
        EXPECT_EQ(SoilFieldEnabled(s, TSoilInput::ConeResistance), c.cone);
        EXPECT_TRUE(SoilFieldVisible(s, TSoilInput::ConeResistance));
        EXPECT_EQ(s.KoTexts[0], c.heading);
    }
    Methods({pmUsace});
    EXPECT_EQ(LoadSoilProperties(project, D, 1).KoTexts[2], "(USACE recommends Ko=1.25 for compression");
}

TEST_F(SoilPropertiesTest, EveryConeBasedMethodEnablesPlasticityIndexAndYieldStressRatio)
{
    Layers({kClay});
    for (int method : {pmNgi, pmIcpMtd, pmFugro, pmUwa}) {
        Methods({method});
        EXPECT_TRUE(SoilFieldEnabled(LoadSoilProperties(project, D, 1), TSoilInput::PiYsr)) << method;
    }
    Methods({pmApi, pmFhwa});
    const TSoilPropertiesState s = LoadSoilProperties(project, D, 1);
    EXPECT_FALSE(SoilFieldEnabled(s, TSoilInput::PiYsr));
    EXPECT_TRUE(SoilFieldVisible(s, TSoilInput::PiYsr));
}

TEST_F(SoilPropertiesTest, AdhesionChoiceGoesIntoBothRows)
{
    Layers({kClay});
    Methods({pmFhwa});
    Sub(0).Cell(clay_col::AdhesionMethod, 1).SetAsInteger(3);
    TSoilPropertiesState s = LoadSoilProperties(project, D, 1);
    EXPECT_TRUE(s.AdhesionVisible);
    EXPECT_EQ(s.AdhesionIndex, 3);
    EXPECT_TRUE(s.RemoldedEnabled);
    // The top row's item stays while no item is picked.
    EXPECT_FALSE(StoreSoilProperties(s, D));
    EXPECT_EQ(Sub(0).Cell(clay_col::AdhesionMethod, 0).GetAsInteger(), 0);
    s.AdhesionIndex = 2;
    s.AdhesionPicked = true;
    EXPECT_TRUE(StoreSoilProperties(s, D));
    EXPECT_EQ(Sub(0).Cell(clay_col::AdhesionMethod, 0).GetAsInteger(), 2);
    EXPECT_EQ(Sub(0).Cell(clay_col::AdhesionMethod, 1).GetAsInteger(), 2);
    EXPECT_FALSE(StoreSoilProperties(s, D)); // nothing changed the second time

    Methods({pmApi});
    EXPECT_FALSE(LoadSoilProperties(project, D, 1).AdhesionVisible);
    EXPECT_EQ(GraphButtonCaption(0), "Show Graph");
    EXPECT_FALSE(GraphButtonEnabled(0));
    EXPECT_EQ(GraphButtonCaption(2), "Show Graph B");
    EXPECT_TRUE(GraphButtonEnabled(3));
}

TEST_F(SoilPropertiesTest, EveryFieldGoesBackToItsColumnAndRow)
{
    for (int type : {kSand, kClay, kSilt}) {
        SCOPED_TRACE(type);
        Layers({type});
        TSoilPropertiesState s = LoadSoilProperties(project, D, 1);
        for (const TSoilField& f : SoilPageFields(type))
            s.Values[static_cast<std::size_t>(f.Column)] = {Extended(f.Column) + 1, Extended(f.Column) + 10};
        s.BlowCountChoice = false;
        s.ChoicePicked = true;
        StoreSoilProperties(s, D);
        for (const TSoilField& f : SoilPageFields(type)) {
            const bool cleared = f.Input == TSoilInput::BlowCounts;
            EXPECT_EQ(CellNumber(Sub(0), f.Column, 0), cleared ? 0 : f.Column + 1) << f.Caption;
            EXPECT_EQ(CellNumber(Sub(0), f.Column, 1), cleared ? 0 : f.Column + 10) << f.Caption;
        }
    }
}

} // namespace
} // namespace korva::app
