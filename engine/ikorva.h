#pragma once
// The engine's entry point as the rest of the engine and the tests see it.
// The exported C names IKORVA and _IKORVA (ikorva_export.cpp) forward here.
namespace korva::engine {

// One complete analysis per call: returns 1 at once unless value is 5;
// otherwise 0 when the analysis ran to its end, 1 when it stopped.
// Never throws.
int EngineEntry(int value) noexcept;

} // namespace korva::engine
