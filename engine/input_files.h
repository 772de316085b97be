#pragma once
// Reading the run's input: the project file (.kv7d) and the CPT point file
// (.cpt), record by record, with the conversions the engine makes while
// reading. Both files are opened read-only and never created.
#include <cstddef>
#include <optional>
#include <string>

#include "list_reader.h"
#include "run_state.h"

namespace korva::engine {

// Why an input file could not be taken: a failed open or read, or a value
// the engine cannot hold. Written into the report by the run driver.
struct InputProblem {
    std::string record; // where: "R10, soil point 3, line B"
    std::string reason; // with the line of the file: "line 17: ..."

};

// Reads the whole file at path into text. The file is opened read-only and
// must be a regular file of sane size; otherwise reason tells why not, as
// the end of a sentence that names the file ("has no name", "cannot be
// opened: ...").
bool LoadInputFile(const std::string& path, std::string& text, std::string& reason);

// Reads records R1-R16 into input. Checks the counts against the storage
// limits and the few values the engine cannot run with.
std::optional<InputProblem> ReadProjectFile(ProjectInput& input, ListReader& reader);

// Reads the CPT points into input.CptProfile (project units).
std::optional<InputProblem> ReadCptPointFile(ProjectInput& input, ListReader& reader);

} // namespace korva::engine
