#include "load_settlement.h"

namespace korva::engine {

// Placeholders until load transfer is built: nothing is written.
void WriteLoadSettlementSection(RunState&) {}
void WriteTzVerificationSection(RunState&) {}

} // namespace korva::engine
