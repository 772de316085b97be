#pragma once
#include "run_state.h"

namespace korva::engine {

// Writes the input as the engine understood it into the report. Changes two
// things for the steps after it: PileLength becomes the embedded length, and
// in the offshore edition the soil columns PlasticityIndex and
// ConeResistance get their values as read back.
void WriteInputEcho(RunState& state);

} // namespace korva::engine
