#pragma once
// The t-z curve section of the report and its plot data records: the curves
// of the load-settlement part (P3) and the curves at the user's extra depths
// (P6, "COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER (t-z) CURVES FOR
// VERIFICATION").
#include "load_settlement.h"
#include "run_state.h"

namespace korva::engine {

// The two heading lines of a t-z curve section (report only).
void WriteTzSectionHeading(Uses<const AnalysisInput, RunOutputs> run);

// A count record of the plot data file: one list-directed integer.
void WritePlotCount(RunOutputs& outputs, int count);

// One curve: its header line (number, point count, depth below ground in
// ft / m) and its ten points, each line to the report and then to the plot
// data file.
void WriteTzCurveRecord(RunOutputs& outputs, int number, double depth_below_ground, const TzCurve& curve);

// Called by the method loop after the load-settlement section when the
// project lists extra t-z depths: the heading box, then WriteTzCurves(1).
void WriteTzVerificationSection(LoadSettlementRun run);

// The curves at the extra depths TzDepth[0..TzDepthCount-1]: numbered by
// their place in the list; a depth outside the soil profile keeps its number,
// gets a line on the report and nothing on the plot data file.
void WriteTzCurves(LoadSettlementRun run, int print);

} // namespace korva::engine
