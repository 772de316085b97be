// One pile, one answer in either unit system: random layered piles, each
// entered once in English units and once in SI units (converted value by
// value), run whole; every head load of the load-settlement curve agrees
// within 1 % at every tip movement.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "fixed_format.h"
#include "report_tables.h"

namespace {

using namespace korva::test;

// The piles depend only on the seed: the raw 32-bit draws of mt19937 are the
// same with every library, its distributions are not.
class PileDice {
public:
    explicit PileDice(std::uint32_t seed) : bits_(seed) {}

    int Integer(int low, int high)
    {
        return low + static_cast<int>(bits_() % static_cast<std::uint32_t>(high - low + 1));
    }
    // A multiple of step from low to high: a value of few decimals, which
    // the project file carries whole in either unit system.
    double Steps(double low, double high, double step)
    {
        return step * Integer(static_cast<int>(std::lround(low / step)), static_cast<int>(std::lround(high / step)));
    }
    bool OneIn(int n) { return Integer(1, n) == 1; }

private:
    std::mt19937 bits_;
};

enum class PileKind {
    OpenPipe,
    ClosedPipe,
    ConcreteRound,
    ConcreteSquare,
    HPile,
    Timber,
    Monotube,
    StepTaper,
    UniformTaper,
};
constexpr std::array<PileKind, 9> Kinds{PileKind::OpenPipe,       PileKind::ClosedPipe, PileKind::ConcreteRound,
                                        PileKind::ConcreteSquare, PileKind::HPile,      PileKind::Timber,
                                        PileKind::Monotube,       PileKind::StepTaper,  PileKind::UniformTaper};

// The load-transfer methods whose head loads are compared.
constexpr std::array<int, 9> TransferMethods{1, 2, 3, 4, 5, 6, 7, 8, 9};

void RandomSection(PileDice& dice, PileKind kind, PileProject& p)
{
    p.closed_ended = 1;
    p.inner_diameter = 0.0;
    p.elastic_modulus = 29000000.0;
    switch (kind) {
    case PileKind::OpenPipe:
    case PileKind::ClosedPipe:
        p.pile_type = 1;
        p.closed_ended = kind == PileKind::OpenPipe ? 0 : 1;
        p.outer_diameter = dice.Steps(12.0, 36.0, 0.25);
        p.inner_diameter = p.outer_diameter - 2.0 * dice.Steps(0.375, 1.0, 0.125);
        break;
    case PileKind::ConcreteRound:
        p.pile_type = 3;
        p.outer_diameter = dice.Steps(12.0, 24.0, 0.5);
        p.elastic_modulus = 4000000.0;
        break;
    case PileKind::ConcreteSquare: {
        p.pile_type = 3;
        const double side = dice.Steps(12.0, 24.0, 0.5);
        p.outer_diameter = 0.0;
        p.perimeter = 4.0 * side;
        p.tip_area = side * side;
        p.section_area = side * side;
        p.elastic_modulus = 4000000.0;
        break;
    }
    case PileKind::HPile:
        p.pile_type = 6;
        p.outer_diameter = 0.0;
        p.perimeter = dice.Steps(40.0, 60.0, 0.5);
        p.tip_area = dice.Steps(100.0, 220.0, 0.5); // the box, taken as plugged at the tip
        p.section_area = dice.Steps(15.0, 30.0, 0.25);
        break;
    case PileKind::Timber:
        p.pile_type = 2;
        p.outer_diameter = dice.Steps(10.0, 14.0, 0.5);
        p.elastic_modulus = 1600000.0;
        p.taper_angle = dice.Steps(0.0, 0.5, 0.0625);
        break;
    case PileKind::Monotube:
    case PileKind::StepTaper:
    case PileKind::UniformTaper:
        p.pile_type = kind == PileKind::Monotube ? 7 : kind == PileKind::StepTaper ? 4 : 5;
        p.outer_diameter = dice.Steps(12.0, 18.0, 0.25);
        p.taper_angle = dice.Steps(0.0625, 1.0, 0.0625);
        break;
    }
}

SoilLayer RandomLayer(PileDice& dice, int type, bool submerged)
{
    SoilLayer l;
    l.type = type;
    l.unit_weight = submerged ? dice.Steps(50.0, 65.0, 0.5) : dice.Steps(105.0, 125.0, 0.5);
    l.user_skin = dice.Steps(200.0, 2000.0, 10.0);
    l.user_end = dice.Steps(10000.0, 80000.0, 100.0);
    if (dice.OneIn(4))
        l.side_factor = dice.Steps(0.75, 1.25, 0.05);
    if (dice.OneIn(4))
        l.end_factor = dice.Steps(0.75, 1.25, 0.05);
    switch (type) {
    case 1: // sand
        l.k = dice.Steps(0.7, 1.2, 0.05);
        l.phi = dice.Steps(28.0, 38.0, 0.5);
        l.nq = dice.Steps(12.0, 40.0, 1.0);
        l.remolded_or_blows = dice.Steps(8.0, 40.0, 1.0);
        l.cone_resistance = dice.Steps(100000.0, 400000.0, 1000.0);
        if (dice.OneIn(3))
            l.max_side_friction = dice.Steps(1500.0, 2500.0, 100.0);
        else if (dice.OneIn(2))
            l.max_side_friction = 9999.0; // the API sand limits
        if (dice.OneIn(3))
            l.max_end_bearing = dice.Steps(100000.0, 250000.0, 1000.0);
        break;
    case 2: // clay
        l.k = 0.0;
        l.phi = 0.0;
        l.nq = 0.0;
        l.su = dice.Steps(400.0, 3000.0, 10.0);
        l.remolded_or_blows = l.su * dice.Steps(0.3, 0.6, 0.05);
        l.yield_stress_ratio = dice.Steps(1.0, 3.0, 0.1);
        l.plasticity_index = dice.Steps(10.0, 40.0, 1.0);
        l.cone_resistance = dice.Steps(20000.0, 60000.0, 500.0);
        break;
    default: // silt
        l.k = dice.Steps(0.8, 1.0, 0.05);
        l.phi = dice.Steps(26.0, 30.0, 0.5);
        l.nq = dice.Steps(10.0, 20.0, 1.0);
        l.su = dice.Steps(500.0, 1200.0, 10.0);
        l.remolded_or_blows = dice.Steps(5.0, 15.0, 1.0);
        l.plasticity_index = dice.Steps(5.0, 15.0, 1.0);
        l.cone_resistance = dice.Steps(40000.0, 100000.0, 500.0);
        break;
    }
    return l;
}

struct RandomPile {
    std::string name;
    PileKind kind;
    PileProject project;
};

// Pile number index of the set. The load-transfer method, the load
// direction and the stick-up go round, so that every method meets both
// directions with and without a stick-up in each 36 piles; the rest is drawn.
RandomPile Draw(PileDice& dice, int index)
{
    const auto round = static_cast<int>(index / TransferMethods.size());
    PileProject p;
    const PileKind kind = Kinds[static_cast<std::size_t>(dice.Integer(0, static_cast<int>(Kinds.size()) - 1))];
    RandomSection(dice, kind, p);
    p.load_transfer_method = TransferMethods[static_cast<std::size_t>(index) % TransferMethods.size()];
    p.load_direction = round % 2;
    p.tension_reduction = p.load_direction == 1 && dice.OneIn(2) ? dice.Steps(0.6, 0.9, 0.05) : 1.0;
    p.methods = {1, 1, 1, 1, 1, 1, 1, 1, 1};
    p.increment = dice.OneIn(2) ? 0.5 : 1.0;
    p.print_every = dice.Integer(1, 5);
    p.stickup = round / 2 % 2 == 1 ? dice.Steps(0.5, 10.0, 0.5) : 0.0;
    const double embedded = dice.Steps(20.0, 80.0, 0.5);
    p.total_length = embedded + p.stickup;
    // A tapered pile keeps at least half its diameter down to the tip, as the
    // program's input check asks (a positive tip diameter).
    const double widest_taper = std::atan(p.outer_diameter / 12.0 / (4.0 * p.total_length)) * 180.0 / std::numbers::pi;
    p.taper_angle = std::min(p.taper_angle, std::floor(widest_taper / 0.0625) * 0.0625);

    // Layers of 0.1 ft steps and 0.03 ft more: thin ones among them, and no
    // boundary at an exact half increment, where the snapping of thin layers
    // would take the rounding of the conversion as its answer. The top layer
    // lies above the water table and is at least 4 ft thick.
    const int layer_count = dice.Integer(1, 6);
    const int water_below = dice.Integer(1, layer_count);
    double top = 0.0;
    p.layers.clear();
    for (int i = 0; i < layer_count; ++i) {
        SoilLayer layer = RandomLayer(dice, dice.Integer(1, 3), i >= water_below);
        const double thickness = i == 0 ? dice.Steps(4.0, 25.0, 0.1) : dice.Steps(0.6, 25.0, 0.1);
        layer.top = top;
        layer.bottom = top + thickness + 0.03;
        top = layer.bottom;
        p.layers.push_back(layer);
    }
    const double diameter_feet = (p.perimeter > 0.0 ? p.perimeter / 3.1416 : p.outer_diameter) / 12.0;
    const double needed = embedded + 2.0 * diameter_feet + 2.03;
    if (p.layers.back().bottom < needed)
        p.layers.back().bottom = std::ceil(needed) + 0.03;
    p.profile_bottom = p.layers.back().bottom;

    static constexpr const char* KindNames[] = {"open pipe",       "closed pipe", "round concrete",
                                                "square concrete", "H-pile",      "timber",
                                                "monotube",        "step-taper",  "uniform taper"};
    std::string stickup = korva::engine::FormatRecord("(F5.1)", {p.stickup});
    stickup = stickup.substr(stickup.find_first_not_of(' '));
    stickup.pop_back(); // line end
    const std::string name = "pile " + std::to_string(index) + ": " + KindNames[static_cast<int>(kind)] +
                             ", method " + std::to_string(p.load_transfer_method) +
                             (p.load_direction == 1 ? ", uplift" : ", compression") + ", stick-up " + stickup +
                             " ft, " + std::to_string(layer_count) + " layer(s)";
    return {name, kind, p};
}

// The head load of an English run (lb) and of its SI twin (kN), in kips.
double Kips(const korva::engine::RunState& s, double load)
{
    return s.Units == 1 ? load / 1000.0 : load / KnPerKip;
}

TEST(UnitSystemsProperty, EnglishAndSiHeadLoadsAgreeWithinOnePercent)
{
    PileDice dice(20150705u);
    constexpr int PileCount = 108; // each method in each direction three times with and three without stick-up
    std::set<PileKind> kinds;
    for (int index = 0; index < PileCount; ++index) {
        const RandomPile pile = Draw(dice, index);
        kinds.insert(pile.kind);
        SCOPED_TRACE(pile.name);
        RunFolder folder;
        const RunResult english = RunProject(folder, pile.project);
        const RunResult si = RunProject(folder, InSi(pile.project));
        ASSERT_EQ(english.status, 0) << english.report;
        ASSERT_EQ(si.status, 0) << si.report;
        for (int i = 0; i < korva::engine::AssumedTipMovementCount; ++i) {
            const double e = Kips(*english.state, english.state->LoadSettlement[i].TopLoad);
            const double m = Kips(*si.state, si.state->LoadSettlement[i].TopLoad);
            EXPECT_NEAR(m, e, 0.01 * std::fabs(e) + 1.0e-3) << "tip movement " << i + 1;
        }
    }
    EXPECT_EQ(kinds.size(), Kinds.size()) << "every kind of pile met";
}

} // namespace
