#pragma once
// The checks a project must pass before the analysis runs: inputs the engine
// cannot tolerate (a taper that closes the pile above its tip, no modulus of
// elasticity, a clay layer without remolded strength for the methods that
// need it, an end-bearing factor of zero).
#include <functional>
#include <string>

namespace korva::app {

class TProgramData;
class TProjectTables;

// Runs the checks in order and hands each failure's message to `warn`;
// true when every check passed. The taper and the modulus are both always
// checked; the layers stop at the first failing one.
bool ValidateInput(const TProgramData& project, const TProjectTables& tables,
                   const std::function<void(const std::string&)>& warn);

} // namespace korva::app
