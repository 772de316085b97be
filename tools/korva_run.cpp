// korva-run: runs the engine library on one project without the program.
//
//   korva-run PROJECT.kv7d [--report FILE] [--plot FILE] [--cpt FILE]
//
// Writes the hand-off file names.dat into a private temporary folder, makes
// that the current folder, loads KORVA2015_DLL.so from beside this program,
// calls _IKORVA with 5 and prints the status and the report path. The report,
// plot data and CPT point files default to the project path with the
// extensions .kv7o, .kv7p and .cpt. Exit code: the engine's status (0 or 1),
// 2 when the run could not be set up.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <unistd.h>

#include "engine_library.h"

using namespace korva::tools;

namespace {

constexpr const char* Tool = "korva-run";
constexpr const char* UsageLine = "korva-run PROJECT.kv7d [--report FILE] [--plot FILE] [--cpt FILE]";

} // namespace

int main(int argc, char** argv)
{
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
    project = Absolute(project, here);
    const std::string files[4] = {
        project,
        Absolute(report.empty() ? WithExtension(project, ".kv7o") : report, here),
        Absolute(plot.empty() ? WithExtension(project, ".kv7p") : plot, here),
        Absolute(cpt.empty() ? WithExtension(project, ".cpt") : cpt, here),
    };
    for (const std::string& file : files)
        if (file.find_first_of("\r\n") != std::string::npos)
            return Fail(Tool, "a file name holds a line break");

    const std::string folder = MakePrivateFolder(Tool);
    if (folder.empty())
        return Fail(Tool, "cannot make a temporary folder: " + std::string(std::strerror(errno)));
    int status = 2;
    const std::string problem =
        WithEngineIn(Tool, folder, files, [&](const EngineLibrary& engine) { status = engine.Run(); });
    rmdir(folder.c_str());

    if (!problem.empty())
        return Fail(Tool, problem);
    std::printf("status: %d\nreport: %s\n", status, files[1].c_str());
    return status;
}
