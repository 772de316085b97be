#pragma once
// The engine's entry point as the rest of the engine and the tests see it.
// The exported C names IKORVA and _IKORVA (ikorva_export.cpp) forward here.
namespace korva::engine {

struct RunState;

// One complete analysis per call: returns 1 at once unless value is 5;
// otherwise 0 when the analysis ran to its end, 1 when it stopped.
// Every call works on a RunState of its own. Never throws.
int EngineEntry(int value) noexcept;

// Runs run(state, status) so that no exception gets out: one that does ends
// the run with status 1, a line in the report and an empty plot data file.
using RunFunction = void (*)(RunState& state, int& status);
int RunGuarded(RunState& state, RunFunction run) noexcept;

} // namespace korva::engine
