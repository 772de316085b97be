#pragma once
// API RP-2A side friction (sand: earth pressure with phi - 5 degrees; clay:
// alpha on Su / effective stress) on the side-friction row skeleton.
#include "run_state.h"

namespace korva::engine {

void ComputeCapacityApi(RunState& state);

} // namespace korva::engine
