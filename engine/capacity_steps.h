#pragma once
// The shared capacity steps that the method loop runs for one method at a
// time, with RunState::MethodIndex set: unit end bearing, end bearing on the
// base, soil-plug friction, tip resistance, capacity by penetration and the
// tip value of every row (self weight in uplift). The effective stress runs
// once per pass before them.
#include "run_state.h"

namespace korva::engine {

// Vertical effective stress at every point, the friction angle and
// undrained strength fill of the segments, the critical depth and the
// profile held below it.
void ComputeEffectiveStress(RunState& state);

void ComputeUnitEndBearing(RunState& state);
void ComputeEndBearing(RunState& state);
void ComputePlugFriction(RunState& state);
void ComputeTipResistance(RunState& state);
void TabulateCapacityByPenetration(RunState& state);
// Stores the tip value of every row in TransferTipRows (and FhwaTipRows,
// UsaceTipRows, UserTipRows by method) and sets RowTipFlags.
void ComputeSelfWeight(RunState& state);

} // namespace korva::engine
