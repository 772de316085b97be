#pragma once
// The input file of the wave-equation pile-driving program GRLWEAP (".gwi"):
// the pile's penetration, section, modulus, unit weight and perimeter, the
// soil resistance distribution of the load-transfer method from the result
// arrays of the last plot data file read, and fixed template lines. The
// program writes it after a run and never reads it back.
#include <string>
#include <vector>

#include "grid_table.h"
#include "program_data.h"

namespace korva::app {

// The result points that become rows of the resistance distribution, in
// order: every point of fewer than 100; otherwise every (n / 100 + 1)-th
// point from 0, so that GRLWEAP gets about a hundred rows. The last point,
// when the step passes it by, is not among them (the writer adds it).
std::vector<int> WaveEquationRows(int pointCount);

// The text of the file (lines ended by CR LF) for the project and its soil
// layer table D. The project needs at least one result point.
std::string WaveEquationFileText(const TProgramData& data, const components::TGridTable& layers);

} // namespace korva::app
