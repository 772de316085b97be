#include "api_method.h"

namespace korva::engine {

void ComputeCapacityApi(RunState&) {}

} // namespace korva::engine
