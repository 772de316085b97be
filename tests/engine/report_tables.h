#pragma once
// Whole-engine runs of a PileProject and the reading of their outputs: the
// rows of a method table in the report, the capacity rows of a plot curve.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine_run.h"
#include "golden.h"
#include "pile_project.h"

namespace korva::test {

inline RunResult RunProject(const RunFolder& folder, const PileProject& project, const std::string& cpt = " 1 0\n")
{
    folder.WriteHandOff();
    folder.Write("pile.kv7d", project.Text());
    folder.Write("pile.cpt", cpt);
    return RunEngine(folder);
}

inline std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// A table row starts with its penetration depth; the messages that the
// cone-based methods write between the tables start with a word.
inline bool IsTableRow(const std::string& line)
{
    const std::size_t first = line.find_first_not_of(' ');
    return first != std::string::npos && (std::isdigit(static_cast<unsigned char>(line[first])) || line[first] == '-');
}

// The row lines of the table under a title (after its unit line), up to the
// next line that is not a row.
inline std::vector<std::string> TableRows(const std::string& report, const std::string& title)
{
    const std::vector<std::string> lines = Lines(report);
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].find(title) == std::string::npos)
            continue;
        for (std::size_t j = i + 6; j < lines.size() && IsTableRow(lines[j]); ++j)
            rows.push_back(lines[j]);
        break;
    }
    return rows;
}

inline std::vector<double> Numbers(const std::string& line)
{
    std::vector<double> values;
    std::istringstream in(line);
    for (std::string word; in >> word;)
        values.push_back(std::stod(word));
    return values;
}

// The plot rows of curve c (0-based) after the header.
inline std::vector<std::string> CurveRows(const std::string& plot, int curve, int rows_per_curve)
{
    const std::vector<std::string> lines = Lines(plot);
    std::vector<std::string> rows;
    for (int k = 0; k < rows_per_curve; ++k) {
        const std::size_t at = 1 + static_cast<std::size_t>(curve * rows_per_curve + k);
        if (at < lines.size())
            rows.push_back(lines[at]);
    }
    return rows;
}

inline std::string Row(const std::vector<std::string>& rows, double depth)
{
    for (const std::string& row : rows)
        if (!row.empty() && std::abs(Numbers(row)[0] - depth) < 1e-9)
            return row;
    return "(no row at " + std::to_string(depth) + ")";
}

// Every number of the report's tables and of the plot file is finite and
// fits its field: no NaN or infinity text, no field of asterisks.
inline void ExpectOnlyFiniteNumbers(const RunResult& run)
{
    const std::string results = run.report.substr(run.report.find("* COMPUTATION RESULT *"));
    for (const std::string& text : {results, run.plot})
        for (const char* bad : {"nan", "NaN", "inf", "Inf"})
            EXPECT_EQ(text.find(bad), std::string::npos) << bad;
    EXPECT_EQ(run.plot.find('*'), std::string::npos);
    for (const std::string& line : Lines(results)) {
        if (line.size() > 12 && line.compare(0, 11, std::string(11, ' ')) == 0 && std::isdigit(line.back())) {
            EXPECT_EQ(line.find("**"), std::string::npos) << line;
        }
    }
}

// Runs the project in a folder of its own and compares its report (run folder
// and date blanked) and plot file with the golden files engine/NAME.kv7o and
// engine/NAME.kv7p; every number must be finite.
inline RunResult RunAgainstGolden(const std::string& name, const PileProject& project)
{
    RunFolder folder;
    RunResult run = RunProject(folder, project);
    EXPECT_EQ(run.status, 0) << run.report;
    ExpectOnlyFiniteNumbers(run);
    ExpectMatchesGolden(Comparable(run.report, folder.Folder()), "engine/" + name + ".kv7o");
    ExpectMatchesGolden(run.plot, "engine/" + name + ".kv7p");
    return run;
}

} // namespace korva::test
