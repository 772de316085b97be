#include "land_methods.h"

namespace korva::engine {

// Placeholders until the methods are built: no rows.
void ComputeCapacityFhwa(RunState&) {}
void ComputeCapacityUsace(RunState&) {}
void ComputeCapacityRevisedLambda(RunState&) {}
void ComputeCapacityUserSpecified(RunState&) {}

} // namespace korva::engine
