// korva-bench: times whole runs of the engine library on one project.
//
//   korva-bench PROJECT.kv7d [--runs N]
//
// Loads KORVA2015_DLL.so once, writes names.dat into a private temporary
// folder (the report and plot data file go there too, the CPT point file is
// the project's own .cpt) and calls _IKORVA N times (default 15) after one
// untimed warm-up run, with the engine's console text sent to /dev/null.
// Prints the time of each run, then the median and the spread (fastest,
// slowest, interquartile range) in milliseconds. Exit code:
// 0, 1 when a run stopped (status 1), 2 when the runs could not be set up.
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

#include "bench_figures.h"
#include "file_text.h"
#include "run_sequence.h"
#include "tool_messages.h"

using namespace korva::tools;
using namespace korva::app;

namespace {

constexpr const char* Tool = "korva-bench";
constexpr const char* UsageLine = "korva-bench PROJECT.kv7d [--runs N]";

// Sends the process's standard output to /dev/null while it lives: the
// engine writes its banner and progress there.
class QuietConsole {
public:
    QuietConsole()
    {
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && null >= 0)
            dup2(null, STDOUT_FILENO);
        if (null >= 0)
            close(null);
    }
    ~QuietConsole()
    {
        std::fflush(stdout);
        if (saved_ >= 0) {
            dup2(saved_, STDOUT_FILENO);
            close(saved_);
        }
    }
    QuietConsole(const QuietConsole&) = delete;
    QuietConsole& operator=(const QuietConsole&) = delete;

private:
    int saved_ = -1;
};

} // namespace

int main(int argc, char** argv)
{
    std::string project;
    int runs = 15;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--runs") {
            if (++i >= argc)
                return Usage(UsageLine);
            const std::optional<int> count = RunCount(argv[i]);
            if (!count)
                return Usage(UsageLine);
            runs = *count;
        } else if (project.empty() && !arg.empty() && arg.front() != '-') {
            project = argv[i];
        } else {
            return Usage(UsageLine);
        }
    }
    if (project.empty())
        return Usage(UsageLine);

    const std::string here = CurrentFolder();
    if (here.empty())
        return Fail(Tool, "cannot read the current folder: " + std::string(std::strerror(errno)));
    project = AbsolutePath(project, here);
    const THandOffFiles files{project, "bench.kv7o", "bench.kv7p", ChangeFileExt(project, ".cpt")};
    TEngineRunOptions options;
    options.FolderPrefix = Tool;
    options.OutputsInRunFolder = true;

    std::vector<double> times;
    int status = 0;
    const TEngineRunResult run = RunEngine(files, options, [&](TEngineEntry entry) {
        const QuietConsole quiet;
        for (int n = 0; n <= runs && status == 0; ++n) {
            const auto start = std::chrono::steady_clock::now();
            status = entry(kEngineCallValue);
            const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
            if (n > 0) // run 0 warms caches and the file system up
                times.push_back(took.count());
        }
    });
    PrintRuns(times);

    if (!run.Called())
        return Fail(Tool, run.Problem);
    if (status != 0) {
        std::fprintf(stderr, "korva-bench: the engine stopped (status %d); see a korva-run of the project\n", status);
        return 1;
    }
    std::printf("project: %s\n", project.c_str());
    PrintSpread(times);
    return 0;
}
