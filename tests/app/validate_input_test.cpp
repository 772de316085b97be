// The checks before a run: the taper that closes the pile above its tip,
// the modulus, the remolded strength of clay for ICP/MTD, FUGRO and UWA,
// and the end-bearing factor; their messages and their order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "project_fixture.h"
#include "test_support.h"
#include "validate_input.h"

namespace korva::test {
namespace {

const std::string kTaper0573 =
    "Taper angle is large since it generates a negative diameter at tip of pile.\r"
    "Taper angle should be smaller than 0.573 degrees.\rPlease check input data (Pile Material Window)";
const std::string kModulus =
    "Modulus of Elasticity should be greater than zero.\rPlease check input data (Pile Material Window)";

std::string EndBearing(int layer)
{
    return "Reduction/Resistance Factor on End Bearing for layer " + std::to_string(layer) +
           " should be greater than zero.\rPlease check input data (Soils Window)";
}

std::string Remolded(int layer, const std::string& method)
{
    return "Remolded Shear Strength for layer " + std::to_string(layer) + " should be greater than zero \r" + method +
           "\rPlease check input data (Soils/Clay Window)";
}

const LayerData kSandLayer{app::kSand, 20, 0, 0, 1, 1, {115, 30, 0, 0.8, 20}, {115, 30, 0, 0.8, 20}};
// Clay without remolded strength in both rows.
const LayerData kClayNoRemolded{app::kClay, 40, 0, 0, 1, 1, {110, 1000, 0}, {110, 1200, 0}};

// A valid English project: FHWA and API, a uniform-taper pile, OD 12 in,
// 50 ft long, no taper, E 29e6, sand over two clay layers with remolded
// strength, and a sand layer at the bottom.
struct Project {
    Project()
    {
        p.MethodSelected = {0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0};
        p.PileType = 5;
        p.OuterDiameter = 12;
        p.PileLength = 50;
        p.ElasticModulus = 29000000;
        LayerData clay = kClayNoRemolded;
        clay.top[clay_col::RemoldedShearStrength] = 500;
        SetLayers(h.tables, {kSandLayer, clay, clay, kSandLayer});
    }
    std::vector<std::string> Warnings()
    {
        std::vector<std::string> shown;
        const bool valid = ValidateInput(p, h.tables, [&](const std::string& text) { shown.push_back(text); });
        EXPECT_EQ(valid, shown.empty());
        return shown;
    }
    ProjectHost h;
    TProgramData p{h.host};
};

using Warnings = std::vector<std::string>;

TEST(ValidateInput, ACompleteProjectPasses)
{
    Project project;
    EXPECT_EQ(project.Warnings(), Warnings{});
}

TEST(ValidateInput, TaperThatClosesThePileAboveItsTip)
{
    ScopedCommaLocale comma;
    ASSERT_TRUE(comma.Active());
    Project project;
    project.p.TaperAngle = 1; // tip 12 - 2 x 600 x tan(0.01745) < 0
    EXPECT_EQ(project.Warnings(), Warnings{kTaper0573});

    for (int type : {2, 4, 7}) {
        project.p.PileType = type;
        EXPECT_EQ(project.Warnings().size(), 1u) << "pile type " << type;
    }
    // Only for FHWA, only for tapered types, only for a positive angle.
    project.p.MethodSelected[pmFhwa] = 0;
    EXPECT_EQ(project.Warnings(), Warnings{});
    project.p.MethodSelected[pmFhwa] = 1;
    for (int type : {1, 3, 6}) {
        project.p.PileType = type;
        EXPECT_EQ(project.Warnings(), Warnings{}) << "pile type " << type;
    }
    project.p.PileType = 5;
    project.p.TaperAngle = 0.5; // tip 12 - 1200 tan(0.008725) = 1.53
    EXPECT_EQ(project.Warnings(), Warnings{});
}

TEST(ValidateInput, TaperInSiUsesMillimetres)
{
    Project project;
    project.p.Units = 2;
    project.p.OuterDiameter = 300; // mm
    project.p.PileLength = 15;     // m: L = 15000 mm
    project.p.TaperAngle = 1;
    // Largest angle: atan(150 / 15000) / 0.01745 = 0.573
    EXPECT_EQ(project.Warnings(), Warnings{kTaper0573});
}

TEST(ValidateInput, TaperAndModulusAreBothShownInOrder)
{
    Project project;
    project.p.TaperAngle = 1;
    project.p.ElasticModulus = 0;
    EXPECT_EQ(project.Warnings(), (Warnings{kTaper0573, kModulus}));
    project.p.TaperAngle = 0;
    project.p.ElasticModulus = -5;
    EXPECT_EQ(project.Warnings(), Warnings{kModulus});
}

TEST(ValidateInput, LayersStopAtTheFirstFailure)
{
    struct Case {
        const char* what;
        std::vector<int> methods; // selected besides API
        std::vector<LayerData> layers;
        Warnings expected;
    };
    LayerData noEndBearing = kSandLayer;
    noEndBearing.endBearingFactor = 0;
    LayerData negativeEndBearing = kSandLayer;
    negativeEndBearing.endBearingFactor = -1;
    LayerData remoldedInOneRow = kClayNoRemolded;
    remoldedInOneRow.base[clay_col::RemoldedShearStrength] = 1;
    const Case cases[] = {
        {"two clay layers without remolded strength, ICP/MTD and UWA", {pmIcpMtd, pmUwa},
         {kSandLayer, kClayNoRemolded, kClayNoRemolded}, {Remolded(2, "while using ICP/MTD Method.")}},
        {"FUGRO", {pmFugro, pmUwa}, {kClayNoRemolded}, {Remolded(1, "while using Fugro Method.")}},
        {"UWA", {pmUwa}, {kClayNoRemolded}, {Remolded(1, "while using UWA Method.")}},
        {"no method that needs the remolded strength", {pmNgi}, {kClayNoRemolded}, {}},
        {"remolded strength in one row", {pmIcpMtd}, {remoldedInOneRow}, {}},
        {"end-bearing factor 0 in layer 3", {}, {kSandLayer, kSandLayer, noEndBearing, noEndBearing},
         {EndBearing(3)}},
        {"negative end-bearing factor", {}, {negativeEndBearing}, {EndBearing(1)}},
        {"clay passes, its end-bearing factor does not", {pmNgi},
         {[] {
             LayerData d = kClayNoRemolded;
             d.endBearingFactor = 0;
             return d;
         }()},
         {EndBearing(1)}},
        {"the remolded strength stops before the end-bearing factor of a later layer", {pmIcpMtd},
         {kClayNoRemolded, noEndBearing}, {Remolded(1, "while using ICP/MTD Method.")}},
    };
    for (const Case& c : cases) {
        Project project;
        for (int method : c.methods)
            project.p.MethodSelected[method] = 1;
        SetLayers(project.h.tables, c.layers);
        EXPECT_EQ(project.Warnings(), c.expected) << c.what;
    }
}

} // namespace
} // namespace korva::test
