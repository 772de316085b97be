#pragma once
#include "run_state.h"

namespace korva::engine {

// The values the analysis derives once from the project input as read
// (the fields of AnalysisInput itself; its ProjectInput part stays as it
// is): the embedded length, the soil points as the method loop and the load
// transfer use them, and the report's unit labels. The run driver calls it
// right after reading, before the soil-depth check and the input echo.
void DeriveAnalysisInput(AnalysisInput& input);

} // namespace korva::engine
