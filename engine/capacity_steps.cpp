#include "capacity_steps.h"

namespace korva::engine {

// Placeholders until the capacity steps are built: they leave every array
// as it is.
void ComputeEffectiveStress(RunState&) {}
void ComputeUnitEndBearing(RunState&) {}
void ComputeEndBearing(RunState&) {}
void ComputePlugFriction(RunState&) {}
void ComputeTipResistance(RunState&) {}
void TabulateCapacityByPenetration(RunState&) {}
void ComputeSelfWeight(RunState&) {}

} // namespace korva::engine
