#include "ikorva.h"

#include <exception>
#include <memory>
#include <string>

#include "run_driver.h"
#include "run_state.h"

namespace korva::engine {

int RunGuarded(RunState& state, RunFunction run) noexcept
{
    std::string reason = "an unknown error";
    try {
        int status = 0;
        run(state, status);
        return status;
    } catch (const std::exception& error) {
        reason = error.what();
    } catch (...) {
    }
    try {
        state.console.Error("KORVA: the analysis stopped on an internal error: " + reason);
        int status = 1;
        if (state.report.IsOpen()) {
            StopRun(state, status, {"COMPUTATION STOPPED BECAUSE OF AN INTERNAL ERROR:", reason});
            FinishRun(state, status, false); // no partial results
        }
        state.plot.Discard();
    } catch (...) {
    }
    return 1;
}

int EngineEntry(int value) noexcept
{
    if (value != 5)
        return 1;
    try {
        auto state = std::make_unique<RunState>();
        return RunGuarded(*state, RunPileAnalysis);
    } catch (...) {
        return 1;
    }
}

} // namespace korva::engine
