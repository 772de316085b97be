#pragma once
// A small valid English project for engine tests: a steel pipe pile (total
// length 60 ft, stickup 5 ft, OD 24 in, ID 23 in) in two sand layers that
// reach 59 ft, exactly the embedded length plus two diameters. Tests change
// single lines of it.
#include <string>
#include <vector>

#include "engine_run.h"

namespace korva::test {

// Line indexes of the records in BaseProject().
enum ProjectLine : int {
    R1 = 0, R2, R3, R4, R5, R6, R7, R8, R9,
    R10 = 9, // point i (0-based): line A at R10 + 2i, line B at R10 + 2i + 1
    R11 = 17, R13, R14, R15, R15a, R16 = 23,
};

inline std::vector<std::string> BaseProject()
{
    return {
        "Test pile",
        "Tester",
        "T-1",
        "1 1 4 0 ",
        "0 0 24 23 29000000 60 5",
        "0 0",
        "0 0.5 1 0 1 1 1",
        "1 1 1 1 0 1 1 1 1 ",
        "59 0",
        "0.0 1 0.8 115 30 20 ",
        "0 0 0.0 12 0.0 0.0 60000 0 0 1 1 0 ",
        "30 1 0.8 115 30 20 ",
        "0 0 0.0 12 0.0 0.0 60000 0 0 1 1 0 ",
        "30 1 1 62.6 34 40 ",
        "0 0 0.0 30 0.0 0.0 200000 0 0 1 1 0 ",
        "59 1 1 62.6 34 40 ",
        "0 0 0.0 30 0.0 0.0 200000 0 0 1 1 0 ",
        "0",
        "0 1",
        "0 0",
        "2 0",
        "0 0",
        "0 0",
        "0 0",
    };
}

// Replacements of single lines of BaseProject(): (line index, new text).
using LineEdits = std::vector<std::pair<int, std::string>>;

inline std::vector<std::string> EditedProject(const LineEdits& edits)
{
    std::vector<std::string> project = BaseProject();
    for (const auto& [index, text] : edits)
        project[index] = text;
    return project;
}

// Writes names.dat, pile.kv7d and pile.cpt (no CPT points) into folder.
inline void WriteProject(const RunFolder& folder, const std::vector<std::string>& project,
                         const std::string& cpt = " 1 0\n")
{
    folder.WriteHandOff();
    folder.Write("pile.kv7d", JoinLines(project));
    folder.Write("pile.cpt", cpt);
}

} // namespace korva::test
