// korva-run: runs the engine library on one project without the program.
//
//   korva-run PROJECT.kv7d [--report FILE] [--plot FILE] [--cpt FILE]
//
// Writes the hand-off file names.dat into a private temporary folder (removed
// at the end, also when a signal stops the run: SIGINT, SIGTERM, SIGHUP,
// SIGQUIT, or SIGPIPE when the reader of the output is gone), makes that the
// current folder, loads KORVA2015_DLL.so from beside this program,
// calls _IKORVA with 5 and prints the status and the report path, or a line
// saying that the report could not be written (the file at that path is then
// an earlier run's, or there is none; status 1). The report,
// plot data and CPT point files default to the project path with the
// extensions .kv7o, .kv7p and .cpt. A path that names.dat cannot carry (one
// that holds a line break or ends in a blank) is refused, and so is a current
// folder that cannot be read. A file-size limit (ulimit -f) makes the writes
// beyond it fail, which the engine reports, instead of ending the run. Exit
// code: the engine's status (0 or 1), 2 when the run could not be set up.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "atomic_file.h"
#include "file_text.h"
#include "run_sequence.h"
#include "tool_messages.h"

using namespace korva::tools;
using namespace korva::app;

namespace {

constexpr const char* Tool = "korva-run";
constexpr const char* UsageLine = "korva-run PROJECT.kv7d [--report FILE] [--plot FILE] [--cpt FILE]";

} // namespace

int main(int argc, char** argv)
{
    korva::components::IgnoreFileSizeSignal();
    std::string project, report, plot, cpt;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string* option = arg == "--report" ? &report : arg == "--plot" ? &plot : arg == "--cpt" ? &cpt : nullptr;
        if (option) {
            if (++i >= argc)
                return Usage(UsageLine);
            *option = argv[i];
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
    const THandOffFiles files{
        project,
        AbsolutePath(report.empty() ? ChangeFileExt(project, ".kv7o") : report, here),
        AbsolutePath(plot.empty() ? ChangeFileExt(project, ".kv7p") : plot, here),
        AbsolutePath(cpt.empty() ? ChangeFileExt(project, ".cpt") : cpt, here),
    };

    int status = 2;
    TEngineRunOptions options;
    options.FolderPrefix = Tool;
    const TEngineRunResult run =
        RunEngine(files, options, [&](TEngineEntry entry) { status = entry(kEngineCallValue); });
    if (!run.Called())
        return Fail(Tool, run.Problem);
    std::printf("status: %d\n", status);
    if (run.Report == TReportState::Written)
        std::printf("report: %s\n", files.Report.c_str());
    else // the engine's reason is on the error output
        std::printf("%s\n", ReportNotWrittenMessage(files.Report, run.Report).c_str());
    return status;
}
