#pragma once
// The CPT point file (".cpt" beside the project file): the project's CPT
// profile as the engine reads it. Line 1 is the unit system between blanks,
// then the point count; then one line per point of two blanks, the depth,
// two blanks and the cone resistance, both in the exponent form with the
// digits that read back as the same double (1.50E+01, 1.005E+01; at least
// three, as files of the earlier three-digit form have them). Lines end with
// CR LF; numbers use "." whatever the decimal separator in force.
#include <string>

#include "cpt_points.h"

namespace korva::app {

// The text of the file for every point. Raises EInOutError when a value is
// not a finite number (beyond the range of a double included).
std::string CptPointFileText(int units, const TCptPoints& points);

// Reads the file's points into `points` in the project's units (the file's
// unit word is not used, as the engine does not use it), each the double the
// engine reads. Raises the word reader's EInOutError when the file cannot be
// read or a word is not a number; the points read before the failure then
// stand. A point count the file cannot hold (below 0, beyond kMaxCptPoints,
// or more than the point lines that follow) is an EInOutError naming line 1,
// raised after the points the file holds were read: they stand in place of
// the count, so that a save keeps them.
void ReadCptPointFile(const std::string& path, TCptPoints& points);

} // namespace korva::app
