// One pile, one answer in either unit system: random layered piles, each
// entered once in English units and once in SI units (converted value by
// value), run whole; every head load of the load-settlement curve agrees
// within 1 % at every tip movement.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "random_piles.h"

namespace {

using namespace korva::test;

// The head load of an English run (lb) and of its SI twin (kN), in kips.
double Kips(const korva::engine::RunState& s, double load)
{
    return s.Units == 1 ? load / 1000.0 : load / KnPerKip;
}

// Pile number index of the set, made the pile of its turn: the
// load-transfer method, the load direction and the stick-up go round, so
// that each method meets both directions with and without a stick-up in
// every 36 piles. The user-specified method gets unit values in every layer.
void TakeItsTurn(Random& r, int index, PileProject& p)
{
    const int round = index / 9;
    p.load_transfer_method = 1 + index % 9;
    p.load_direction = round % 2;
    p.tension_reduction = p.load_direction == 1 ? r.Grid(0.5, 1.0, 0.05) : 1.0;
    const bool standing = round / 2 % 2 == 1;
    if (standing != (p.stickup > 0.0)) {
        p.total_length -= p.stickup;
        p.stickup = standing ? r.Grid(2.0, 8.0, 0.5) : 0.0;
        p.total_length += p.stickup;
    }
    if (p.load_transfer_method == 5)
        for (SoilLayer& layer : p.layers) {
            layer.user_skin = r.Grid(200.0, 1500.0, 10.0);
            layer.user_end = r.Grid(10000.0, 60000.0, 100.0);
        }
}

TEST(UnitSystemsProperty, EnglishAndSiHeadLoadsAgreeWithinOnePercent)
{
    Random r(19650412);
    constexpr int kPiles = 108; // each method in each direction three times with and three without stick-up
    int cpt = 0;
    for (int index = 0; index < kPiles; ++index) {
        RandomPile pile = MakeRandomPile(r, index);
        PileProject& p = pile.project;
        TakeItsTurn(r, index, p);
        cpt += pile.cpt.empty() ? 0 : 1;
        SCOPED_TRACE(p.title + ", load-transfer method " + std::to_string(p.load_transfer_method) + "\n" + p.Text());
        const PairOfRuns runs = RunInBothSystems(p, pile.cpt);
        ASSERT_EQ(runs.english.status, 0);
        ASSERT_EQ(runs.si.status, 0);
        for (int i = 0; i < korva::engine::AssumedTipMovementCount; ++i) {
            const double e = Kips(*runs.english.state, runs.english.state->LoadSettlement[i].TopLoad);
            const double m = Kips(*runs.si.state, runs.si.state->LoadSettlement[i].TopLoad);
            EXPECT_NEAR(m, e, 0.01 * std::fabs(e) + 1.0e-3) << "tip movement " << i + 1;
        }
    }
    EXPECT_GT(cpt, 10) << "piles with a CPT profile";
}

} // namespace
