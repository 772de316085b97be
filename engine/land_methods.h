#pragma once
// The capacity methods of the first pass: FHWA, USACE, Revised Lambda and
// the user-specified unit load transfer. Each fills, for its EngineMethod,
// MethodRows[method].UnitSideFriction and .SkinFriction (rows 0 .. R - 1) and
// MethodSkinRows of its PileMethod; the method loop then runs the capacity
// steps and fills the end-bearing rows.
#include "run_state.h"

namespace korva::engine {

void ComputeCapacityFhwa(RunState& state);
void ComputeCapacityUsace(RunState& state);
void ComputeCapacityRevisedLambda(RunState& state);
// Fills UserSkinRows and UserTipRows (and MethodRows[emUserSpecified]).
void ComputeCapacityUserSpecified(RunState& state);

} // namespace korva::engine
