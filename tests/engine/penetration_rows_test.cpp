// Capacity by penetration and the tip value of every row: the averaging
// window, the end section, the self weight in uplift and the row flags, on
// hand-built segment tables with point values set directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "capacity_steps.h"
#include "segment_fixture.h"

namespace korva::test {
namespace {

using namespace korva::engine;

constexpr int English = 1;
constexpr int Si = 2;

void SetPoints(RunState& s, PointArray& values, double value)
{
    for (int p = 0; p < 2 * s.SegmentCount; ++p)
        values[p] = value;
}

void RunRows(RunState& s, int method)
{
    s.MethodIndex = method;
    TabulateCapacityByPenetration(s);
    ComputeSelfWeight(s);
}

TEST(SelfWeight, BaseForceAveragedOverThreeDiameters)
{
    // A closed 12 in pile (D = 1 ft, A = 0.7853975 ft^2) bearing 10 ksf at
    // every point: a full window averages 10 A; near the surface the window
    // starts at the surface and is still divided by 3 D.
    const double a = double(0.7853975f);
    struct Case {
        std::string name;
        int method;
        double unit_end_bearing;
        double base_force; // PointBaseEndBearing (ICP/MTD takes the larger)
        double max_end_bearing;
        double expected[3]; // rows 0, 1, 2
    };
    const Case cases[] = {
        {"plain", emApi, 10.0, 0.0, NoLimit, {15.0 * a / 3.0, 25.0 * a / 3.0, 10.0 * a}},
        {"layer limit 8 ksf", emApi, 10.0, 0.0, 8.0, {12.0 * a / 3.0, 20.0 * a / 3.0, 8.0 * a}},
        {"ICP/MTD: at least the base force", emIcpMtd, 0.0, 5.0, NoLimit, {2.5, 25.0 / 6.0, 5.0}},
    };
    for (const Case& c : cases) {
        auto state = NewPile(English, 12.0, 0.0, 5.0, 1.0);
        RunState& s = *state;
        AddSegments(s, 10, With(Sand(100.0, 30.0), Soil::MaxEndBearing, c.max_end_bearing));
        SetPoints(s, s.PointUnitEndBearing, c.unit_end_bearing);
        SetPoints(s, s.PointBaseEndBearing, c.base_force);
        RunRows(s, c.method);
        for (int k = 0; k < 3; ++k) {
            EXPECT_NEAR(s.RowAveragedTipResistance[k], c.expected[k], 1e-12) << c.name << ", row " << k;
            EXPECT_EQ(s.TransferTipRows[k], s.RowAveragedTipResistance[k]) << c.name;
            EXPECT_EQ(s.RowTipFlags[c.method][k], 1) << c.name;
        }
    }
}

TEST(SelfWeight, WindowBelowTheLastSegmentStopsAtItsBottom)
{
    // Increments of 3 ft on a 1 ft pile: the window of the deepest row (9 ft)
    // reaches 10.5 ft, below the last segment (9 ft).
    auto state = NewPile(English, 12.0, 0.0, 9.0, 3.0);
    RunState& s = *state;
    AddSegments(s, 3, Sand(100.0, 30.0));
    SetPoints(s, s.PointUnitEndBearing, 10.0);
    RunRows(s, emApi);
    const double a = double(0.7853975f);
    EXPECT_NEAR(s.RowAveragedTipResistance[3], 1.5 * 10.0 * a / 3.0, 1e-12);
    EXPECT_NEAR(s.RowAveragedTipResistance[2], 10.0 * a, 1e-12);
}

TEST(PenetrationRows, PlugFrictionAboveTheEndSection)
{
    // Plug friction of 1 kip per ft of depth and no base force: the tip
    // resistance of row k is k. Without an enhanced end section (its length
    // set to the pile length less 1e-7 when read) the whole plug counts; with
    // a 10 ft end section only the plug within it.
    for (const double end_section : {20.0 - 1.0e-7f, 10.0}) {
        auto state = NewPile(English, 24.0, 22.0, 20.0, 1.0);
        RunState& s = *state;
        s.EndSectionLength = end_section;
        AddSegments(s, 22, Sand(100.0, 30.0));
        for (int seg = 0; seg < s.SegmentCount; ++seg) {
            s.PointPlugFriction[TopPoint(seg)] = s.SegmentTop[seg];
            s.PointPlugFriction[BottomPoint(seg)] = s.SegmentBottom[seg];
        }
        ComputeTipResistance(s);
        TabulateCapacityByPenetration(s);
        for (int k = 0; k <= 20; ++k) {
            EXPECT_EQ(s.RowTipDepths[k], k);
            EXPECT_EQ(s.RowTipResistance[k], k);
            const double within = end_section > 15.0 ? k : std::min(k, 10);
            EXPECT_EQ(s.RowPlugLimitedTipResistance[k], within) << "end section " << end_section << ", row " << k;
        }
    }
}

TEST(SelfWeight, BuoyantSelfWeightInUplift)
{
    struct Case {
        std::string name;
        int units;
        int pile_type;
        double outer, inner, perimeter, tip_area, section_area, water_table;
        double z;
        double expected;
    };
    const double pi4 = double(0.7853975f);
    const double gp = double(0.49f), gw = double(0.0624f);
    const double pipe = pi4 * (576.0 - 529.0) / 144.0;
    const double gross = pi4 * 576.0 / 144.0;
    const double solid = pi4 * 90000.0 / 1000000.0; // 300 mm, m^2
    const double si_timber = double(7.85435f), si_concrete = double(23.56305f), si_steel = double(76.97263f);
    const double si_water = double(9.8f), si_tenth_foot = double(0.1f) * double(0.3048f);
    const Case cases[] = {
        {"closed pipe, water table at 0 taken as 0.1", English, 1, 24.0, 23.0, 0.0, 0.0, 0.0, 0.0, 5.0,
         pipe * gp * double(0.1f) + pipe * (gp - gw) * (5.0 - double(0.1f))},
        {"closed pipe at the surface", English, 1, 24.0, 23.0, 0.0, 0.0, 0.0, 0.0, 0.0, 0.0},
        {"closed pipe with its section area displaces water with its whole section", English, 1, 24.0, 23.0,
         0.0, 0.0, 36.91, 2.0, 5.0, 36.91 / 144.0 * gp * 5.0 - gross * gw * (5.0 - 2.0)},
        {"above the water table", English, 1, 24.0, 23.0, 0.0, 0.0, 0.0, 99999.0, 5.0, pipe * gp * 5.0},
        // SI: the rule's own unit weights, 7.85435, 23.56305 and 76.97263
        // kN/m^3, water 9.8.
        {"SI timber", Si, 2, 300.0, 0.0, 0.0, 0.0, 0.0, 2.0, 5.0,
         solid * si_timber * 2.0 + solid * (si_timber - si_water) * 3.0},
        {"SI closed pipe, water table within a foot of the surface taken 0.1 ft deep", Si, 1, 610.0, 584.0, 0.0,
         0.0, 0.0, 0.3, 5.0,
         pi4 * (610.0 * 610.0 - 584.0 * 584.0) / 1e6 *
             (si_steel * si_tenth_foot + (si_steel - si_water) * (5.0 - si_tenth_foot))},
        {"SI precast concrete", Si, 3, 300.0, 0.0, 0.0, 0.0, 0.0, 99999.0, 5.0, solid * si_concrete * 5.0},
        {"precast concrete", English, 3, 24.0, 0.0, 0.0, 0.0, 0.0, 99999.0, 5.0, gross * double(0.15f) * 5.0},
        {"non-circular H-pile: its tip area", English, 6, 40.0 / double(3.1416f), 0.0, 40.0, 0.5, 0.0, 99999.0,
         5.0, 0.5 * gp * 5.0},
        {"non-circular H-pile: its section area", English, 6, 40.0 / double(3.1416f), 0.0, 40.0, 0.5, 20.0,
         99999.0, 5.0, 20.0 / 144.0 * gp * 5.0},
    };
    for (const Case& c : cases) {
        auto state = NewPile(c.units, c.outer, c.inner, 5.0, 1.0);
        RunState& s = *state;
        s.ClosedEnded = 1;
        s.PileType = c.pile_type;
        s.Perimeter = c.perimeter;
        s.TipArea = c.tip_area;
        s.SectionArea = c.section_area;
        s.WaterTableDepth = c.water_table;
        s.LoadDirection = 1;
        AddSegments(s, 8, Sand(100.0, 30.0));
        SetPoints(s, s.PointUnitEndBearing, 50.0); // no part in uplift
        RunRows(s, emApi);
        const int k = static_cast<int>(c.z);
        EXPECT_NEAR(s.TransferTipRows[k], c.expected, 1e-12) << c.name;
        EXPECT_EQ(s.RowAveragedTipResistance[k], s.TransferTipRows[k]) << c.name;
        EXPECT_EQ(s.RowTipFlags[emApi][k], 1) << c.name;
    }
}

// The tip value and flag of an open pile (OD 24, ID 22 in) whose plug-limited
// value is 3 kips (base force 1 + plug friction 2): the soil plug governs when
// the averaged base force is larger. In uplift every row's flag is 1 (the
// self weight), while the compression flags keep the plug state that
// compression's rule gives the row.
TEST(SelfWeight, OpenPileTipValueAndFlag)
{
    enum Stored { PlugLimited, Averaged, Weight };
    struct Case {
        std::string name;
        int method;
        int plug;
        double end_inner_diameter;
        double end_section_length;
        double unit_end_bearing; // 100: the plug governs; 0.001: the average does
        bool uplift;
        Stored transfer;
        int flag;
        int compression_flag;
    };
    const Case cases[] = {
        {"plug governs", emApi, 0, 22.0, 0.0, 100.0, false, PlugLimited, 2, 2},
        {"average governs", emApi, 0, 22.0, 0.0, 0.001, false, Averaged, 1, 1},
        {"unplugged: always the plug-limited value", emNgi, 2, 22.0, 0.0, 0.001, false, PlugLimited, 2, 2},
        {"plugged: the average", emApi, 1, 22.0, 0.0, 100.0, false, Averaged, 1, 1},
        {"plugged, FHWA: the plug-limited value handed on", emFhwa, 1, 22.0, 0.0, 100.0, false, PlugLimited, 1, 1},
        {"closed end section", emApi, 0, 0.0, 5.0, 100.0, false, PlugLimited, 1, 1},
        {"uplift: the self weight", emApi, 0, 22.0, 0.0, 100.0, true, Weight, 1, 2},
        {"uplift, FHWA: the self weight", emFhwa, 0, 22.0, 0.0, 100.0, true, Weight, 1, 2},
        {"uplift, unplugged", emFhwa, 2, 22.0, 0.0, 0.001, true, Weight, 1, 2},
        {"uplift, average branch: the self weight", emApi, 0, 22.0, 0.0, 0.001, true, Weight, 1, 1},
    };
    for (const Case& c : cases) {
        auto state = NewPile(English, 24.0, 22.0, 10.0, 1.0);
        RunState& s = *state;
        s.PlugCondition = c.plug;
        s.EndSectionInnerDiameter = c.end_inner_diameter;
        if (c.end_section_length > 0.0)
            s.EndSectionLength = c.end_section_length;
        s.LoadDirection = c.uplift ? 1 : 0;
        AddSegments(s, 14, Sand(100.0, 30.0));
        SetPoints(s, s.PointUnitEndBearing, c.unit_end_bearing);
        SetPoints(s, s.PointBaseEndBearing, 1.0);
        SetPoints(s, s.PointPlugFriction, 2.0);
        for (auto& flag : s.RowTipFlags[emRevisedLambda])
            flag = 7; // other methods' flags stay
        ComputeTipResistance(s);
        RunRows(s, c.method);

        const int k = 5;
        const double weight = double(0.7853975f) * (576.0 - 484.0) / 144.0 * double(0.49f) * 5.0;
        const double expected = c.transfer == PlugLimited ? (c.plug == 2 ? 1.0 : 3.0)
                                : c.transfer == Averaged   ? s.RowAveragedTipResistance[k]
                                                           : weight;
        EXPECT_NEAR(s.TransferTipRows[k], expected, 1e-12) << c.name;
        EXPECT_EQ(s.RowTipFlags[c.method][k], c.flag) << c.name;
        EXPECT_EQ(s.CompressionTipFlags[c.method][k], c.compression_flag) << c.name;
        EXPECT_EQ(s.RowTipFlags[emRevisedLambda][k], 7) << c.name;
        if (c.method == emFhwa && !c.uplift) {
            EXPECT_EQ(s.FhwaTipRows[k], s.RowAveragedTipResistance[k]) << c.name;
        }
    }
}

TEST(SelfWeight, UserSpecifiedTipRowInUpliftIsTheSelfWeightOnEveryBranch)
{
    for (const int plug : {0, 1, 2}) {
        for (const double unit_end_bearing : {100.0, 0.001}) {
            auto state = NewPile(English, 24.0, 22.0, 10.0, 1.0);
            RunState& s = *state;
            s.PlugCondition = plug;
            s.LoadDirection = 1;
            AddSegments(s, 14, Sand(100.0, 30.0));
            SetPoints(s, s.PointUnitEndBearing, unit_end_bearing);
            SetPoints(s, s.PointBaseEndBearing, 1.0);
            s.UserTipRows.fill(-1.0);
            RunRows(s, emUserSpecified);
            for (int k = 0; k <= 10; ++k)
                EXPECT_NEAR(s.UserTipRows[k], double(0.7853975f) * (576.0 - 484.0) / 144.0 * double(0.49f) * k,
                            1e-12)
                    << "plug " << plug << ", row " << k;
        }
    }
}

} // namespace
} // namespace korva::test
