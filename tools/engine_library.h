#pragma once
// What the command-line tools share to call the engine library as the
// program does: the folder of the running program (the library lies beside
// it), the hand-off file names.dat, and the library loaded with its entry.
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/syscall.h>
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

// The current folder; empty, with errno set, when it cannot be read (it was
// removed, or a folder above it cannot be searched).
inline std::string CurrentFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

// A new private folder $TMPDIR/prefix.XXXXXX (/tmp without TMPDIR) for
// names.dat and whatever a run leaves there. It is removed with everything
// in it when the object goes, and also when SIGINT or SIGTERM ends the
// process while it lives; the signal then ends the process as it would have.
// One lives at a time.
class PrivateFolder {
public:
    explicit PrivateFolder(const std::string& prefix)
    {
        const char* tmp = std::getenv("TMPDIR");
        std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + ".XXXXXX";
        if (folder.size() >= sizeof Removal().path) {
            errno = ENAMETOOLONG;
            return;
        }
        if (!mkdtemp(folder.data()))
            return;
        RemovalState& removal = Removal();
        removal.fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (removal.fd < 0) {
            const int error = errno;
            rmdir(folder.c_str());
            errno = error;
            return;
        }
        folder.copy(removal.path, folder.size());
        removal.path[folder.size()] = '\0';
        path_ = folder;
        struct sigaction action {};
        action.sa_handler = OnSignal;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &saved_int_);
        sigaction(SIGTERM, &action, &saved_term_);
    }
    ~PrivateFolder()
    {
        if (path_.empty())
            return;
        sigaction(SIGINT, &saved_int_, nullptr);
        sigaction(SIGTERM, &saved_term_, nullptr);
        RemoveFolder();
    }
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Empty when the folder could not be made (errno set).
    const std::string& Path() const { return path_; }

private:
    // What the signal handler needs, in storage it can use.
    struct RemovalState {
        int fd = -1;
        char path[PATH_MAX] = {};
    };
    static RemovalState& Removal()
    {
        static RemovalState removal;
        return removal;
    }

    // Unlinks every entry of the (flat) folder, then the folder itself; only
    // calls that a signal handler may make.
    static void RemoveFolder()
    {
        RemovalState& removal = Removal();
        if (removal.fd < 0)
            return;
        alignas(8) static char entries[4096];
        for (bool removed = true; removed;) {
            removed = false;
            lseek(removal.fd, 0, SEEK_SET);
            long got;
            while ((got = syscall(SYS_getdents64, removal.fd, entries, sizeof entries)) > 0) {
                for (long at = 0; at < got;) {
                    // struct linux_dirent64: inode, offset, record length, type, name.
                    const char* entry = entries + at;
                    unsigned short length;
                    std::memcpy(&length, entry + 16, sizeof length);
                    const char* name = entry + 19;
                    const bool dots = name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
                    if (!dots && unlinkat(removal.fd, name, 0) == 0)
                        removed = true;
                    at += length;
                }
            }
        }
        close(removal.fd);
        removal.fd = -1;
        rmdir(removal.path);
    }

    static void OnSignal(int signal)
    {
        const int error = errno;
        RemoveFolder();
        errno = error;
        raise(signal); // delivered on return, with the default action restored
    }

    std::string path_;
    struct sigaction saved_int_ {};
    struct sigaction saved_term_ {};
};

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

// Why names.dat cannot carry a path, or empty: the engine reads each of its
// lines whole and drops the blanks at the end of it.
inline std::string HandOffProblem(const std::string& path)
{
    if (path.find_first_of("\r\n") != std::string::npos)
        return "a file name holds a line break";
    if (!path.empty() && (path.back() == ' ' || path.back() == '\t'))
        return "the file name \"" + path + "\" ends in a blank";
    return {};
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
    for (const std::string& file : files)
        if (std::string problem = HandOffProblem(file); !problem.empty())
            return problem;
    // The way back, also when the current folder has no name any more.
    const int here = open(".", O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (here < 0)
        return "cannot read the current folder: " + std::string(std::strerror(errno));
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
    if (fchdir(here) != 0)
        std::fprintf(stderr, "%s: cannot return to the previous folder\n", tool);
    close(here);
    std::remove(names.c_str());
    return problem;
}

} // namespace korva::tools
