#pragma once
// The cone-based capacity methods of the second pass: NGI, ICP/MTD, FUGRO
// 2004 and UWA. Each computes PointUnitSideFriction and its row of
// PointPlugSideFriction, then builds its rows with the side-friction row
// skeleton (skin_rows.h) under its policy.
#include "run_state.h"

namespace korva::engine {

void ComputeCapacityNgi(RunState& state);
void ComputeCapacityIcp(RunState& state);
void ComputeCapacityFugro(RunState& state);
void ComputeCapacityUwa(RunState& state);

} // namespace korva::engine
