#pragma once
// The run driver: one complete analysis from the hand-off file names.dat in
// the current folder to the closed report and plot data file.
#include <string>
#include <string_view>

#include "run_state.h"

namespace korva::engine {

// Runs the analysis. status is set to 1 when the run stops (its message is
// in the report, or on the console's error stream when no report could be
// opened) and left as it is otherwise.
void RunPileAnalysis(RunState& state, int& status);

// The report's unit labels of a unit system (1 English, anything else SI).
UnitLabels SelectUnitLabels(int units);

// The date-and-time block of the report, from the set-up's clock.
void WriteAnalysisDateTime(Uses<const RunSetup, RunOutputs> run);

// A path split as the report's file-name block shows it: directory with its
// trailing '/', base name, extension with its dot. POSIX paths have no drive.
struct PathParts {
    std::string directory;
    std::string name;
    std::string extension;
};
PathParts SplitPath(std::string_view path);

// The end of a run whose report is open: the plot data file (unless
// keep_plot is false) and the report take the place of the old ones. When
// one of them cannot be written completely the run fails (status 1): a plot
// data file that failed is named in the report, a report that failed on the
// console's error stream, and no plot data file is left then, neither this
// run's nor an earlier one.
void FinishRun(Uses<const RunSetup, const HandOff, RunOutputs> run, int& status, bool keep_plot = true);

// A stop of the run: writes the lines into the report, indented by 10
// blanks after two empty lines, and sets status to 1.
void StopRun(RunOutputs& outputs, int& status, std::initializer_list<std::string_view> lines);

} // namespace korva::engine
