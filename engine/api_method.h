#pragma once
// API RP-2A side friction (sand: earth pressure with phi - 5 degrees; clay:
// alpha on Su / effective stress) on the side-friction row skeleton.
#include "run_state.h"

namespace korva::engine {

// Raises a clay bottom stress below 1e-10 to 1e-10 for the rest of the pass
// and writes its sand limits into the segments (skin_rows.h).
using ApiMethodRun =
    Uses<const AnalysisInput, PileSegments, const PenetrationRows, EffectiveStress, SideFrictionRows, MethodResults>;
void ComputeCapacityApi(ApiMethodRun run);

// The API adhesion factor of clay at a segment: psi = su / the bottom
// stress, at least 1e-10; alpha = 0.5 / sqrt(psi) up to psi 1, else
// 0.5 / psi^0.25, at most 1. A bottom stress below 1e-10 is first raised to
// 1e-10 in place (the caller's PointEffectiveStress), as every later step of
// the pass sees it. The plug step uses the same rule.
double ApiClayAlpha(double su, double& bottom_stress);

} // namespace korva::engine
