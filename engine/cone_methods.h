#pragma once
// The cone-based capacity methods of the second pass: NGI, ICP/MTD, FUGRO
// 2004 and UWA. Each computes PointUnitSideFriction and its row of
// PointPlugSideFriction, then builds its rows with the side-friction row
// skeleton (skin_rows.h) under its policy.
#include "run_state.h"

namespace korva::engine {

// NGI raises tiny stresses for the methods after it (see cone_methods.cpp).
using NgiMethodRun = Uses<const AnalysisInput, PileSegments, const PenetrationRows, EffectiveStress, SideFrictionRows,
                          MethodResults, CarriedValues>;
void ComputeCapacityNgi(NgiMethodRun run);
// ICP/MTD, FUGRO and UWA write the messages of their clay rule to the report.
using MtdMethodRun = Uses<const AnalysisInput, PileSegments, const PenetrationRows, const EffectiveStress,
                          SideFrictionRows, MethodResults, CarriedValues, RunOutputs>;
void ComputeCapacityIcp(MtdMethodRun run);
void ComputeCapacityFugro(MtdMethodRun run);
void ComputeCapacityUwa(MtdMethodRun run);

} // namespace korva::engine
