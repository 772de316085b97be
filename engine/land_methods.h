#pragma once
// The capacity methods of the first pass: FHWA, USACE, Revised Lambda and
// the user-specified unit load transfer. FHWA, USACE and Revised Lambda each
// fill, for their EngineMethod, MethodRows[method].UnitSideFriction (the
// printed unit side friction) and .SkinFriction (the printed cumulative skin
// friction, factored) for rows 0 .. LastRow, and MethodSkinRows of their
// PileMethod (USACE and FHWA through the row skeleton of skin_rows.h). The
// method loop then runs the capacity steps and fills the end-bearing rows.
#include "run_state.h"

namespace korva::engine {

void ComputeCapacityFhwa(RunState& state);
void ComputeCapacityUsace(RunState& state);
void ComputeCapacityRevisedLambda(RunState& state);
// Fills UserSkinRows and UserTipRows; the method loop takes its printed
// rows and MethodSkinRows from them.
void ComputeCapacityUserSpecified(RunState& state);

} // namespace korva::engine
