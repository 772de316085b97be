#pragma once
// What the command-line tools share to call the engine library as the
// program does: the folder of the running program (the library lies beside
// it), the hand-off file names.dat, and the library loaded with its entry.
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>
#include <string>
#include <string_view>
#include <unistd.h>

namespace korva::tools {

inline constexpr const char* ProgramVersion = "2015.7.5";

// "tool: message" on the error stream; 2, the exit code of a run that could
// not be set up.
inline int Fail(const char* tool, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", tool, message.c_str());
    return 2;
}

// The usage line on the error stream; exit code 2.
inline int Usage(const char* usage)
{
    std::fprintf(stderr, "usage: %s\n", usage);
    return 2;
}

// A new private folder $TMPDIR/prefix.XXXXXX (/tmp without TMPDIR); empty
// when it cannot be made, with errno set.
inline std::string MakePrivateFolder(const std::string& prefix)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + ".XXXXXX";
    return mkdtemp(folder.data()) ? folder : std::string();
}

inline std::string CurrentFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string(".");
}

// The engine runs in another folder: every path it gets is absolute.
inline std::string Absolute(const std::string& path, const std::string& folder)
{
    return !path.empty() && path.front() == '/' ? path : folder + "/" + path;
}

inline std::string WithExtension(const std::string& path, std::string_view extension)
{
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const bool has_extension = dot != std::string::npos && (slash == std::string::npos || dot > slash);
    return (has_extension ? path.substr(0, dot) : path) + std::string(extension);
}

inline std::string ProgramFolder()
{
    char buffer[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (length <= 0)
        return ".";
    const std::string self(buffer, static_cast<std::size_t>(length));
    return self.substr(0, self.rfind('/'));
}

// names.dat naming the project, report, plot data and CPT point files;
// never replaces an existing file.
inline bool WriteHandOffFile(const std::string& path, const std::string (&files)[4])
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

// KORVA2015_DLL.so from beside the program, with its entry _IKORVA.
class EngineLibrary {
public:
    using Entry = int (*)(int);

    EngineLibrary()
    {
        const std::string library = ProgramFolder() + "/KORVA2015_DLL.so";
        handle_ = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle_) {
            const char* why = dlerror();
            problem_ = "cannot load the engine: " + std::string(why ? why : library);
        } else if (!(entry_ = reinterpret_cast<Entry>(dlsym(handle_, "_IKORVA")))) {
            problem_ = "the engine has no _IKORVA";
        }
    }
    ~EngineLibrary()
    {
        if (handle_)
            dlclose(handle_);
    }
    EngineLibrary(const EngineLibrary&) = delete;
    EngineLibrary& operator=(const EngineLibrary&) = delete;

    // Empty when the entry can be called.
    const std::string& Problem() const { return problem_; }
    int Run() const { return entry_(5); }

private:
    void* handle_ = nullptr;
    Entry entry_ = nullptr;
    std::string problem_;
};

// Runs the engine as the program does: writes names.dat for files into
// folder, makes folder the current folder, loads the library and calls
// use(engine); then returns to the previous folder (a failure to do so is
// reported for tool) and removes names.dat. Returns what kept use from being
// called; empty when it was called.
template <typename Use>
std::string WithEngineIn(const char* tool, const std::string& folder, const std::string (&files)[4], Use use)
{
    const std::string here = CurrentFolder();
    const std::string names = folder + "/names.dat";
    std::string problem;
    if (!WriteHandOffFile(names, files)) {
        problem = "cannot write " + names;
    } else if (chdir(folder.c_str()) != 0) {
        problem = "cannot change to " + folder;
    } else {
        const EngineLibrary engine;
        problem = engine.Problem();
        if (problem.empty())
            use(engine);
    }
    if (chdir(here.c_str()) != 0)
        std::fprintf(stderr, "%s: cannot return to %s\n", tool, here.c_str());
    std::remove(names.c_str());
    return problem;
}

} // namespace korva::tools
