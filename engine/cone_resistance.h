#pragma once
// The cone resistance qc of a segment, as every engine rule that needs it
// takes it (the end-bearing rules and the cone-based side-friction methods).
//
// Units: the cone resistance of a soil layer is in lb/ft^2 in an English
// project file and becomes ksf here, like every other English stress; the
// CPT profile (CPT point file) is already in ksf in an English project and
// in kPa in SI, and is taken as it is.
#include "run_state.h"

namespace korva::engine {

// qc of the CPT profile at a depth: the first point's value at or above the
// first point, linear between the two points that bracket the depth, the
// last point's value below the last. With no points, the last result of an
// earlier call (0 at first). Keeps its result in CarriedValues::LastConeResistance.
double InterpolateConeResistance(Uses<const AnalysisInput, CarriedValues> run, double depth);

// The soil layer's own cone resistance at a segment as a stress (ksf / kPa);
// 0 or less when the layer gives none.
double LayerConeResistance(Uses<const AnalysisInput, const PileSegments> run, int segment);

// qc of a segment (ksf / kPa): the layer's value; where the layer gives none
// (below 1e-5 in the file's unit), the CPT profile at the segment top; with
// no CPT points either, 2.8 x pa x N from the segment's blow count, pa the
// atmospheric pressure of the cone-based rules (ConeConstants).
double SegmentConeResistance(Uses<const AnalysisInput, const PileSegments, CarriedValues> run, int segment, double pa);

} // namespace korva::engine
