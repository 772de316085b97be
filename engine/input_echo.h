#pragma once
#include "run_state.h"

namespace korva::engine {

// Writes the input as the engine understood it into the report: the values
// as read, the total length among them; the end section is compared with
// the embedded length of the analysis.
void WriteInputEcho(Uses<const AnalysisInput, RunOutputs> run);

} // namespace korva::engine
