#pragma once
// Load distribution and load-settlement: t-z curves placed along the pile, the
// tip curve, and for nine assumed tip movements the walk up the pile element
// by element. Entered once per run at the end of the method loop's second
// pass, from the hand-over rows of the load-transfer method.
#include "run_state.h"

namespace korva::engine {

// Passes of one element's movement iteration before the bracketing solve
// takes over.
inline constexpr int ElementPassLimit = 200;

// The report section "COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT CURVES FOR
// AXIAL LOADING" with its load-settlement table, and the records P3, P4 and
// P5 of the plot data file. A pile without axial stiffness or without a
// diameter (perimeter) cannot carry load by its shaft: the run stops with a
// message in the report and status 1 before the load-transfer part.
using LoadSettlementRun =
    Uses<const AnalysisInput, const PenetrationRows, const MethodResults, LoadTransfer, RunOutputs>;
void WriteLoadSettlementSection(LoadSettlementRun run, int& status);

// The computation behind the section; print = 1 writes the t-z curves and the
// tip curve to the report and the t-z curves (P3) to the plot data file. The
// distribution rows (P4) are always written. For each assumed tip movement
// the pile is walked from the tip up in elements of at most one increment
// (IncrementLength), the embedded length and the free length each in its own
// elements, so that the head loads do not depend on the rows the tables
// print. P4 keeps its RowsPerCurve rows per tip movement at the mid-depths of
// RowsPerCurve equal parts of the pile, with the axial load and movement of
// the walk at those depths.
void ComputeLoadSettlement(LoadSettlementRun run, int print);

// The section stiffness table: EA by distance from the pile head (in and lb,
// or m and kN); a constant section gives one row at the head and one at the tip.
void BuildSectionStiffness(Uses<const AnalysisInput, LoadTransfer> run);

// EA (lb / kN) at a distance from the pile head (in / m): linear in the
// section stiffness table, its end values held beyond its first and last rows.
double SectionStiffnessAt(const LoadTransfer& transfer, double distance);

// Unit load transfer (psi / kPa) at a depth from the pile head (in / m) and
// a movement (in / m), from the placed t-z curves: linear in depth between the
// curves around the depth; above the first curve the first, below the last
// the last.
double TzLoadTransferAt(const LoadTransfer& transfer, double depth, double movement);

// One pile element (length in / m, loads lb / kN) with its bottom load and
// movement: the load transfer at its mid-depth taken at its mid movement,
// iterated until the mid movement changes by at most the movement tolerance
// (0.0001 in, 2.54e-6 m). An element whose mid-depth lies in the free length
// (above the ground) takes no load transfer.
struct ElementResult {
    double top_load = 0.0;
    double mean_load = 0.0;
    double top_movement = 0.0;
    double mid_movement = 0.0;
    // The iteration did not settle within ElementPassLimit passes: the mid
    // movement was found by bisection on the same equation.
    bool beyond_pass_limit = false;
};
ElementResult SolveElement(Uses<const AnalysisInput, const LoadTransfer> run, double mid_depth, double length,
                           double bottom_load, double bottom_movement);

} // namespace korva::engine
