#include "cone_methods.h"

namespace korva::engine {

// Placeholders until the methods are built: no rows.
void ComputeCapacityNgi(RunState&) {}
void ComputeCapacityIcp(RunState&) {}
void ComputeCapacityFugro(RunState&) {}
void ComputeCapacityUwa(RunState&) {}

} // namespace korva::engine
