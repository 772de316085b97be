#pragma once
#include "run_state.h"

namespace korva::engine {

// The results part of the report: the results heading, the segment count
// and its limit, then the two passes over the methods. Sets status to 1 when
// the pile needs more segments than the engine holds.
void RunMethodLoop(RunState& state, int& status);

} // namespace korva::engine
