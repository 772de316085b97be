#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "program_data.h"

using namespace korva::app;

namespace {

// A host that records the events the project object raises.
struct RecordingHost {
    RecordingHost()
    {
        host.MotionInput = &cpt;
        host.Events.CloseChildWindows = [this] { events.push_back("close children"); };
        host.Events.SetModified = [this](bool v) { events.push_back(v ? "modified" : "unmodified"); };
        host.Events.RefreshUnitDialogs = [this] { events.push_back("refresh dialogs"); };
    }
    TProjectHost host;
    TCptPoints cpt;
    std::vector<std::string> events;
};

TEST(ProgramData, CreateSetsTheDefaultsAndStartsUnmodified)
{
    RecordingHost h;
    h.cpt.Add(100, 2); // points of the previous project
    TProgramData p(h.host);
    EXPECT_EQ(h.events, (std::vector<std::string>{"close children", "refresh dialogs", "unmodified"}));
    EXPECT_EQ(p.FileName, "NewKORVA.kv7d");
    EXPECT_EQ(p.ProjectTitle, "New Pile");
    EXPECT_EQ(p.Units, 1);
    EXPECT_EQ(p.PrintEvery, 1);
    EXPECT_EQ(p.IncrementLength, 1.0L);
    EXPECT_EQ(p.TensionReduction, 1.0L);
    EXPECT_EQ(p.LoadTransferMethod, pmApi);
    EXPECT_EQ(p.PileType, ptSteelPipe);
    EXPECT_EQ(p.CircularSection, 1);
    EXPECT_EQ(p.OffshoreEdition, 1);
    EXPECT_EQ(p.MethodSelected, (std::array<std::int32_t, 11>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(p.CptPointCount(), 0);
    EXPECT_EQ(h.cpt.PointCount(), 0); // a new project has no CPT profile
}

TEST(ProgramData, SetUnitsClampsTheSystem)
{
    struct Case {
        int requested;
        int units;
    };
    for (const Case c : {Case{0, 1}, Case{-3, 1}, Case{1, 1}, Case{2, 2}, Case{7, 2}}) {
        RecordingHost h;
        TProgramData p(h.host);
        p.SetUnits(2); // start from SI so that English shows as a change
        p.SetUnits(c.requested);
        EXPECT_EQ(p.Units, c.units) << c.requested;
    }
}

void FillEnglishPile(TProgramData& p)
{
    p.Perimeter = 75.4;
    p.OuterDiameter = 24;
    p.InnerDiameter = 23;
    p.EndSectionInnerDiameter = 22;
    p.PileLength = 100;
    p.EndSectionLength = 10;
    p.ZeroFrictionLength = 3;
    p.IncrementLength = 0.5;
    p.SoilProfileBottom = 120;
    p.StickupLength = 5;
    p.CriticalDepth = 40;
    p.TipArea = 452.4;
    p.SectionArea = 37.1;
    p.ElasticModulus = 29000000;
    p.TaperAngle = 1.5L;
    p.TensionReduction = 0.7L;
}

std::vector<Extended> ConvertedFields(const TProgramData& p)
{
    return {p.Perimeter,  p.OuterDiameter,      p.InnerDiameter,     p.EndSectionInnerDiameter,
            p.PileLength, p.EndSectionLength,   p.ZeroFrictionLength, p.IncrementLength,
            p.SoilProfileBottom, p.StickupLength, p.CriticalDepth,   p.TipArea,
            p.SectionArea, p.ElasticModulus,    p.TaperAngle,        p.TensionReduction};
}

TEST(ProgramData, UnitSwitchConvertsEveryFieldAndComesBack)
{
    RecordingHost h;
    TProgramData p(h.host);
    FillEnglishPile(p);
    const std::vector<Extended> english = ConvertedFields(p);

    p.SetUnits(2);
    EXPECT_NEAR(static_cast<double>(p.OuterDiameter), 609.6, 1e-6);
    EXPECT_NEAR(static_cast<double>(p.ElasticModulus), 199947978.75, 0.01);
    EXPECT_NEAR(static_cast<double>(p.PileLength), 30.48, 1e-9);
    EXPECT_NEAR(static_cast<double>(p.StickupLength), 1.524, 1e-9);
    EXPECT_NEAR(static_cast<double>(p.CriticalDepth), 12.192, 1e-9);
    EXPECT_NEAR(static_cast<double>(p.TipArea), 452.4 * 0.00064516, 1e-9);
    EXPECT_EQ(p.TaperAngle, 1.5L);
    EXPECT_EQ(p.TensionReduction, 0.7L);

    p.SetUnits(1);
    const std::vector<Extended> back = ConvertedFields(p);
    for (std::size_t i = 0; i < english.size(); ++i)
        EXPECT_NEAR(static_cast<double>(back[i] / english[i]), 1.0, 1e-9) << "field " << i;
}

TEST(ProgramData, TheExactFactorsOfTheUnitSwitch)
{
    // 0.3048 m per ft, 25.4 mm per in, 0.0254 m per in and their exact
    // reciprocals; the force from the unit table (224.8089237 lbs per kN).
    RecordingHost h;
    TProgramData p(h.host);
    h.cpt.Add(1, 1);
    auto setOnes = [&] {
        p.OuterDiameter = p.PileLength = p.TipArea = p.ElasticModulus = 1;
        h.cpt.SetPoint(0, 1, 1);
    };
    setOnes();
    p.SetUnits(2);
    EXPECT_EQ(p.OuterDiameter, 25.4L);
    EXPECT_EQ(p.PileLength, 0.3048L);
    EXPECT_EQ(p.TipArea, 0.0254L * 0.0254L);
    EXPECT_EQ(p.ElasticModulus, 1 / (224.8089237L * (0.0254L * 0.0254L)));
    EXPECT_EQ(h.cpt.Point(0).X, 1 / (0.2248089237L * (0.3048L * 0.3048L))); // ksf to kPa
    EXPECT_EQ(h.cpt.Point(0).Y, 0.3048L);
    setOnes();
    p.SetUnits(1);
    EXPECT_EQ(p.OuterDiameter, 1 / 25.4L);
    EXPECT_EQ(p.PileLength, 1 / 0.3048L);
    EXPECT_EQ(p.TipArea, 1 / (0.0254L * 0.0254L));
    EXPECT_EQ(p.ElasticModulus, 224.8089237L * (0.0254L * 0.0254L));
    EXPECT_EQ(h.cpt.Point(0).X, 0.2248089237L * (0.3048L * 0.3048L));
    EXPECT_EQ(h.cpt.Point(0).Y, 1 / 0.3048L);
}

TEST(ProgramData, RoundValuesStayRoundOverRepeatedSwitches)
{
    // What the entry fields show (18 digits) after each switch: the round
    // English value, its exact SI product, and the round value again, also
    // after many switches there and back.
    RecordingHost h;
    TProgramData p(h.host);
    p.PileLength = 20;
    p.OuterDiameter = 24;
    p.IncrementLength = 0.5;
    p.TipArea = 452.4L;
    p.ElasticModulus = 29000000;
    const auto shown = [](Extended value) { return korva::components::FormatGeneral(value, 18); };
    for (int pair = 0; pair < 50; ++pair) {
        p.SetUnits(2);
        ASSERT_EQ(shown(p.PileLength), "6.096") << pair;
        ASSERT_EQ(shown(p.OuterDiameter), "609.6") << pair;
        ASSERT_EQ(shown(p.IncrementLength), "0.1524") << pair;
        ASSERT_EQ(shown(p.TipArea), "0.291870384") << pair; // 452.4 x 0.00064516
        p.SetUnits(1);
        ASSERT_EQ(shown(p.PileLength), "20") << pair;
        ASSERT_EQ(shown(p.OuterDiameter), "24") << pair;
        ASSERT_EQ(shown(p.IncrementLength), "0.5") << pair;
        ASSERT_EQ(shown(p.TipArea), "452.4") << pair;
        ASSERT_EQ(shown(p.ElasticModulus), "29000000") << pair;
    }
    // An SI value read from a file comes back as it was, too.
    p.SetUnits(2);
    p.PileLength = 20;
    p.SetUnits(1);
    EXPECT_EQ(shown(p.PileLength), "65.6167979002624672");
    p.SetUnits(2);
    EXPECT_EQ(p.PileLength, 20);
}

TEST(ProgramData, ChoosingTheActiveSystemChangesNothing)
{
    RecordingHost h;
    TProgramData p(h.host);
    FillEnglishPile(p);
    const std::vector<Extended> before = ConvertedFields(p);
    p.SetUnits(1);
    EXPECT_EQ(ConvertedFields(p), before);
    p.SetUnits(2);
    const std::vector<Extended> si = ConvertedFields(p);
    p.SetUnits(2);
    EXPECT_EQ(ConvertedFields(p), si);
}

TEST(ProgramData, UnitSwitchConvertsTheCptPoints)
{
    RecordingHost h;
    TProgramData p(h.host);
    h.cpt.Add(100, 0);      // ksf, ft
    h.cpt.Add(82.5L, 12.5L);
    h.cpt.Add(250, 80);
    const std::vector<TCptPoint> english = h.cpt.Points();

    p.SetUnits(2); // kPa, m
    ASSERT_EQ(p.CptPointCount(), 3);
    EXPECT_NEAR(static_cast<double>(h.cpt.Point(1).Y), 3.81, 1e-9);
    EXPECT_NEAR(static_cast<double>(h.cpt.Point(1).X), 82.5 * 47.88026, 1e-6 * 3950); // 1 ksf = 47.88026 kPa
    EXPECT_NEAR(static_cast<double>(h.cpt.Point(2).X), 250 * 47.88026, 1e-6 * 11970);
    p.SetUnits(2); // the active system converts nothing
    EXPECT_NEAR(static_cast<double>(h.cpt.Point(2).Y), 24.384, 1e-9);

    p.SetUnits(1);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(static_cast<double>(h.cpt.Point(i).X), static_cast<double>(english[i].X), 1e-9) << i;
        EXPECT_NEAR(static_cast<double>(h.cpt.Point(i).Y), static_cast<double>(english[i].Y), 1e-9) << i;
    }
}

TEST(ProgramData, TheCptPointCountIsThePoints)
{
    RecordingHost h;
    TProgramData p(h.host);
    h.cpt.SetPointCount(5);
    EXPECT_EQ(p.CptPointCount(), 5);
    h.cpt.Clear();
    EXPECT_EQ(p.CptPointCount(), 0);
    TProjectHost withoutPlot;
    EXPECT_EQ(TProgramData(withoutPlot).CptPointCount(), 0);
}

// MotionInput's line 0 is where the points live: what a CPT reader puts
// there is the project's profile, and the unit switch moves what the view draws.
TEST(ProgramData, TheCptProfilePlotHoldsTheProjectsPoints)
{
    RecordingHost h;
    TProgramData p(h.host);
    korva::components::TGraphPlot& plot = h.cpt.MotionInput();
    EXPECT_EQ(plot.Caption, "CPT Data");
    EXPECT_EQ(plot.XCaption, "Qu");
    EXPECT_EQ(plot.YCaption, "Depth");
    EXPECT_TRUE(plot.XUnits.empty() && plot.YUnits.empty());
    EXPECT_TRUE(plot.XOnTop);
    EXPECT_EQ(plot.Markers, 1);
    EXPECT_EQ(plot.Units(), 1);

    // A reader that rebuilds the plot's lines and fills line 0.
    plot.SetLineCount(0);
    EXPECT_EQ(p.CptPointCount(), 0);
    plot.SetLineCount(1);
    plot.Line(0)->Name = "CPT Profile";
    plot.Line(0)->Points = {{100, 0}, {120, 10}};
    EXPECT_EQ(p.CptPointCount(), 2);
    EXPECT_EQ(h.cpt.Point(1).X, 120);

    p.SetUnits(2);
    EXPECT_NEAR(static_cast<double>(plot.Point(0, 1).Y), 3.048, 1e-9);
    h.cpt.Add(5000, 4);
    EXPECT_EQ(plot.PointCount(), 3);
    EXPECT_EQ(plot.LineCount(), 1);
}

TEST(ProgramData, FileNumberForms)
{
    struct Case {
        Extended value;
        const char* general;
        const char* exp1;
        const char* exp2;
    };
    const Case cases[] = {
        {0, "0", "0.00E+0", "0.00E+00"},
        {1, "1", "1.00E+0", "1.00E+00"},
        {12.5L, "12.5", "1.25E+1", "1.25E+01"},
        {15, "15", "1.50E+1", "1.50E+01"},
        {-0.00225L, "-0.00225", "-2.25E-3", "-2.25E-03"},
        {1e-20L, "1E-20", "1.00E-20", "1.00E-20"},
        {0.1L + 0.2L, "0.3", "3.00E-1", "3.00E-01"},
        {29000000, "29000000", "2.90E+7", "2.90E+07"},
        {609.6000000024384L, "609.6", "6.10E+2", "6.10E+02"},
        {12345678901.0L, "1.23456789E10", "1.23E+10", "1.23E+10"},
        {2.0L / 3.0L, "0.6666666667", "6.67E-1", "6.67E-01"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FloatStrGeneral(c.value), c.general);
        EXPECT_EQ(FloatStrExp1(c.value), c.exp1);
        EXPECT_EQ(FloatStrExp2(c.value), c.exp2);
    }
}

} // namespace
