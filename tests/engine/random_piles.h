#pragma once
// Piles entered in English units and run again in SI units: the pair of runs,
// a CPT profile written for either system, and random layered piles from a
// fixed seed (every pile type, both load directions, stick-up, CPT profiles)
// for the tests that compare the two systems.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "fixed_format.h"
#include "report_tables.h"

namespace korva::test {

// A CPT profile stated in English units, written as the CPT point file of
// either unit system.
struct CptPoint {
    double depth;         // ft
    double cone_resistance; // ksf, as an English CPT point file holds it
};

inline std::string CptFile(int units, const std::vector<CptPoint>& points)
{
    std::string text = " " + std::to_string(units) + " " + std::to_string(points.size()) + "\n";
    for (const CptPoint& p : points) {
        const double depth = units == 1 ? p.depth : p.depth * FeetToMetres;
        const double qc = units == 1 ? p.cone_resistance : p.cone_resistance * KsfToKpa;
        text += korva::engine::FormatRecord("(2X,E18.11,2X,E18.11)", {depth, qc});
    }
    return text;
}

struct PairOfRuns {
    RunResult english;
    RunResult si;
};

inline PairOfRuns RunInBothSystems(const PileProject& english, const std::vector<CptPoint>& cpt = {})
{
    RunFolder folder;
    PairOfRuns runs{RunProject(folder, english, CptFile(1, cpt)), RunProject(folder, InSi(english), CptFile(2, cpt))};
    EXPECT_EQ(runs.english.status, 0) << runs.english.report;
    EXPECT_EQ(runs.si.status, 0) << runs.si.report;
    return runs;
}

// A generator of its own, so that the piles are the same on every platform.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}
    double Uniform(double low, double high) { return low + (high - low) * Next(); }
    // low .. high, both included.
    int Integer(int low, int high) { return std::min(high, low + static_cast<int>(Next() * (high - low + 1))); }
    bool Chance(double probability) { return Next() < probability; }
    // A value on a grid of step (depths and lengths as a project gives them).
    double Grid(double low, double high, double step) { return step * std::round(Uniform(low, high) / step); }

private:
    double Next()
    {
        state_ = state_ * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(state_ >> 11) * 0x1.0p-53;
    }
    std::uint64_t state_;
};

// Soil values drawn from continuous ranges, so that no rule meets an exact
// tie (a strength ratio of exactly 0.25, a stress of exactly 3.5 ksf at a
// segment bottom) that rounding in the conversion could tip either way.
inline SoilLayer RandomLayer(Random& r, double top, double bottom, bool below_water)
{
    SoilLayer l;
    l.top = top;
    l.bottom = bottom;
    l.type = r.Integer(1, 3);
    l.unit_weight = below_water ? r.Uniform(52.0, 68.0) : r.Uniform(105.0, 125.0);
    l.k = r.Uniform(0.7, 1.2);
    l.nq = r.Uniform(12.0, 40.0);
    l.phi = r.Uniform(28.0, 38.0);
    l.remolded_or_blows = r.Integer(5, 40); // a blow count for sand and silt
    if (l.type == 2) {
        l.phi = 0.0;
        l.nq = 0.0;
        l.su = r.Uniform(300.0, 3000.0);
        l.remolded_or_blows = l.su * r.Uniform(0.3, 0.8);
        l.yield_stress_ratio = r.Uniform(1.0, 4.0);
        l.plasticity_index = r.Uniform(12.0, 50.0);
    } else if (l.type == 3) {
        l.phi = r.Uniform(26.0, 32.0);
        l.su = r.Uniform(300.0, 1200.0);
    } else if (r.Chance(0.3)) {
        l.phi = 0.0; // the chart angle of the blow count
    }
    if (l.type != 2 && r.Chance(0.4))
        l.cone_resistance = r.Uniform(100000.0, 400000.0); // lb/ft^2
    const double limit = r.Uniform(0.0, 1.0);
    if (limit < 0.2)
        l.max_side_friction = 9999.0;
    else if (limit < 0.35)
        l.max_side_friction = r.Uniform(1200.0, 3000.0);
    if (r.Chance(0.2))
        l.max_end_bearing = r.Uniform(40000.0, 200000.0);
    if (r.Chance(0.2))
        l.side_factor = r.Uniform(0.7, 1.0);
    if (r.Chance(0.2))
        l.end_factor = r.Uniform(0.7, 1.0);
    if (l.type == 2 && r.Chance(0.2))
        l.adhesion_method = r.Integer(1, 3);
    return l;
}

struct RandomPile {
    PileProject project;
    std::vector<CptPoint> cpt;
};

inline RandomPile MakeRandomPile(Random& r, int index)
{
    PileProject p;
    p.title = "Random pile " + std::to_string(index);
    p.increment = r.Chance(0.5) ? 1.0 : 0.5;
    p.print_every = r.Integer(1, 3);
    p.stickup = r.Chance(0.5) ? 0.0 : r.Grid(2.0, 8.0, 0.5);
    const double embedded = r.Grid(25.0, 75.0, 1.0);
    p.total_length = p.stickup + embedded;
    p.closed_ended = 1;
    p.inner_diameter = 0.0;
    switch (r.Integer(0, 5)) {
    case 0: // open steel pipe
        p.outer_diameter = r.Grid(14.0, 36.0, 2.0);
        p.inner_diameter = p.outer_diameter - 2.0 * r.Grid(0.375, 1.0, 0.125);
        p.closed_ended = 0;
        p.plug_condition = r.Integer(0, 2);
        break;
    case 1: // closed steel pipe
        p.outer_diameter = r.Grid(12.0, 30.0, 2.0);
        p.inner_diameter = p.outer_diameter - 1.0;
        break;
    case 2: { // square precast concrete
        const double width = r.Grid(12.0, 24.0, 2.0);
        p.pile_type = 3;
        p.elastic_modulus = 4000000.0;
        p.perimeter = 4.0 * width;
        p.tip_area = width * width;
        p.section_area = width * width;
        p.outer_diameter = 0.0;
        break;
    }
    case 3: // timber
        p.pile_type = 2;
        p.elastic_modulus = 1600000.0;
        p.outer_diameter = r.Grid(10.0, 14.0, 1.0);
        break;
    case 4: // steel H-pile, the box area at the tip
        p.pile_type = 6;
        p.perimeter = 56.0;
        p.tip_area = 196.0;
        p.section_area = 21.4;
        p.outer_diameter = 0.0;
        break;
    default: // uniform taper
        p.pile_type = 5;
        p.outer_diameter = r.Grid(16.0, 20.0, 1.0);
        p.taper_angle = r.Grid(0.1, 0.3, 0.05);
        break;
    }
    const double diameter = p.outer_diameter > 0.0 ? p.outer_diameter : p.perimeter / 3.1416;

    // Layers down to two diameters and more below the tip; the water table
    // at the top of one of them (or none).
    const int count = r.Integer(1, 5);
    const double bottom = r.Grid(embedded + diameter / 6.0 + 5.0, embedded + 25.0, 1.0);
    const int dry_layers = r.Integer(0, count);
    p.layers.clear();
    std::vector<double> depths = {0.0};
    for (int i = 1; i < count; ++i)
        depths.push_back(r.Grid(2.0, bottom - 2.0, 0.5));
    depths.push_back(bottom);
    std::sort(depths.begin(), depths.end());
    for (int i = 0; i < count; ++i)
        if (depths[i + 1] > depths[i])
            p.layers.push_back(RandomLayer(r, depths[i], depths[i + 1], i >= dry_layers));
    if (r.Chance(0.3)) {
        p.layers[0].user_skin = r.Grid(200.0, 1500.0, 10.0);
        p.layers[0].user_end = r.Grid(10000.0, 60000.0, 100.0);
    }
    p.profile_bottom = bottom;

    p.methods = {1, 1, 1, r.Chance(0.5) ? 1 : 0, 1, 1, 1, 1, 1};
    p.load_transfer_method = r.Integer(1, 9);
    if (p.load_transfer_method == 5 || p.load_transfer_method == 4)
        p.load_transfer_method = 1;
    p.reduced_tz = r.Integer(0, 1);
    p.load_direction = r.Integer(0, 1);
    p.tension_reduction = p.load_direction == 1 ? r.Grid(0.5, 1.0, 0.05) : 1.0;
    p.drained_clay = r.Integer(0, 1);
    p.critical_depth_mode = r.Integer(0, 2);
    p.critical_depth = p.critical_depth_mode == 2 ? r.Grid(10.0, 40.0, 0.5) : 0.0;

    RandomPile pile{p, {}};
    if (r.Chance(0.4)) {
        const double step = 0.5;
        for (double z = step; z <= bottom + 1e-9; z += step)
            pile.cpt.push_back({z, r.Grid(80.0, 400.0, 1.0)});
    }
    return pile;
}

} // namespace korva::test
