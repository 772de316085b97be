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
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

constexpr const char* ProgramVersion = "2015.7.5";

int Fail(const std::string& message)
{
    std::fprintf(stderr, "korva-run: %s\n", message.c_str());
    return 2;
}

std::string CurrentFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

// The engine runs in another folder: every path it gets is absolute.
std::string Absolute(const std::string& path, const std::string& folder)
{
    return !path.empty() && path.front() == '/' ? path : folder + "/" + path;
}

std::string WithExtension(const std::string& path, std::string_view extension)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (has_extension ? path.substr(0, dot) : path) + std::string(extension);
}

std::string ProgramFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    const std::string self(buffer, static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/'));
}

bool WriteHandOffFile(const std::string& path, const std::string (&files)[4])
{
    std::FILE* out = std::fopen(path.c_str(), "wbx");
    if (!out)
        return false;
    std::string text = std::string(ProgramVersion) + "\n\n\n0\n";
    for (const std::string& file : files)
        text += file + "\n";
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written;
}

int Usage()
{
    std::fprintf(stderr, "usage: korva-run PROJECT.kv7d [--report FILE] [--plot FILE] [--cpt FILE]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv)
{
    std::string project, report, plot, cpt;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string* option = arg == "--report" ? &report : arg == "--plot" ? &plot : arg == "--cpt" ? &cpt : nullptr;
        if (option) {
            if (++i >= argc)
                return Usage();
            *option = argv[i];
        } else if (project.empty() && !arg.empty() && arg.front() != '-') {
            project = argv[i];
        } else {
            return Usage();
        }
    }
    if (project.empty())
        return Usage();

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
            return Fail("a file name holds a line break");

    const std::string library = ProgramFolder() + "/KORVA2015_DLL.so";
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/korva-run.XXXXXX";
    if (!mkdtemp(folder.data()))
        return Fail("cannot make a temporary folder: " + std::string(std::strerror(errno)));
    const std::string names = folder + "/names.dat";

    int status = 2;
    std::string problem;
    if (!WriteHandOffFile(names, files)) {
        problem = "cannot write " + names;
    } else if (chdir(folder.c_str()) != 0) {
        problem = "cannot change to " + folder;
    } else if (void* engine = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL); !engine) {
        problem = "cannot load the engine: " + std::string(dlerror());
    } else {
        using Entry = int (*)(int);
        if (auto entry = reinterpret_cast<Entry>(dlsym(engine, "_IKORVA")))
            status = entry(5);
        else
            problem = "the engine has no _IKORVA";
        dlclose(engine);
    }
    if (chdir(here.c_str()) != 0)
        std::fprintf(stderr, "korva-run: cannot return to %s\n", here.c_str());
    std::remove(names.c_str());
    rmdir(folder.c_str());

    if (!problem.empty())
        return Fail(problem);
    std::printf("status: %d\nreport: %s\n", status, files[1].c_str());
    return status;
}
