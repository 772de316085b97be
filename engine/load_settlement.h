#pragma once
// Load transfer, entered at the end of the second pass once the rows of the
// load-transfer method are in TransferSkinRows and TransferTipRows: t-z and
// tip curves, load distribution, load-settlement and the t-z sections of the
// report and the plot data file.
#include "run_state.h"

namespace korva::engine {

void WriteLoadSettlementSection(RunState& state);
// Only called when TzDepthCount > 0.
void WriteTzVerificationSection(RunState& state);

} // namespace korva::engine
