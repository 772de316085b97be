#pragma once
// Runs of the whole engine for tests: a private folder with names.dat, the
// project and CPT files, and the run's outputs read back.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "ikorva.h"
#include "run_driver.h"
#include "run_state.h"

namespace korva::test {

inline std::string ReadText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteText(const std::string& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
}

inline std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\n";
    return text;
}

// A temporary folder that is the current folder while the object lives.
class RunFolder {
public:
    RunFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "korva-test.XXXXXX").string();
        folder_ = mkdtemp(pattern.data());
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(folder_);
    }
    ~RunFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(previous_, ignored);
        std::filesystem::remove_all(folder_, ignored);
    }
    RunFolder(const RunFolder&) = delete;
    RunFolder& operator=(const RunFolder&) = delete;

    std::string Path(const std::string& name) const { return folder_ + "/" + name; }
    const std::string& Folder() const { return folder_; }
    bool Exists(const std::string& name) const { return std::filesystem::exists(Path(name)); }
    std::string Read(const std::string& name) const { return ReadText(Path(name)); }
    void Write(const std::string& name, const std::string& text) const { WriteText(Path(name), text); }

    // names.dat as the program writes it, naming files of this folder.
    void WriteHandOff(const std::string& base = "pile") const
    {
        Write("names.dat", JoinLines({"2015.7.5", "", "", "0", Path(base + ".kv7d"), Path(base + ".kv7o"),
                                      Path(base + ".kv7p"), Path(base + ".cpt")}));
    }

private:
    std::string folder_;
    std::string previous_;
};

struct RunResult {
    int status = -1;
    std::string report;
    std::string plot;
    bool plot_exists = false;
    std::string console;
    std::string errors;
    std::unique_ptr<engine::RunState> state; // as the run left it
};

inline std::string ReadAll(std::FILE* file)
{
    std::string text;
    std::rewind(file);
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0)
        text.append(buffer, got);
    std::fclose(file);
    return text;
}

inline engine::AnalysisTime FixedTime()
{
    return {2015, 7, 5, 14, 30, 0};
}

// Runs RunPileAnalysis (through the entry's exception guard) in folder,
// which must hold names.dat for files named base.*.
inline RunResult RunEngine(const RunFolder& folder, const std::string& base = "pile",
                           const std::function<void(engine::RunState&)>& configure = {})
{
    RunResult result;
    result.state = std::make_unique<engine::RunState>();
    engine::RunState& state = *result.state;
    state.clock = FixedTime;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    state.console = engine::Console{out, nullptr, err, false};
    if (configure)
        configure(state);
    result.status = engine::RunGuarded(state, engine::RunPileAnalysis);
    result.console = ReadAll(out);
    result.errors = ReadAll(err);
    result.report = folder.Read(base + ".kv7o");
    result.plot_exists = folder.Exists(base + ".kv7p");
    result.plot = folder.Read(base + ".kv7p");
    return result;
}

// The report with the run folder shown as "/run/" and the date line
// blanked, so that it can be compared across runs.
inline std::string Comparable(std::string report, const std::string& folder)
{
    for (std::size_t at; (at = report.find(folder + "/")) != std::string::npos;)
        report.replace(at, folder.size() + 1, "/run/");
    const std::size_t date = report.find("Date:  ");
    if (date != std::string::npos) {
        const std::size_t start = report.rfind('\n', date) + 1;
        const std::size_t end = report.find('\n', date);
        report.replace(start, end - start, "");
    }
    return report;
}

} // namespace korva::test
