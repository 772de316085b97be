#include "run_sequence.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "dynamic_library.h"
#include "exceptions.h"
#include "file_text.h"
#include "program_version.h"

namespace korva::app {

namespace {

// What the signal handler needs, in storage it can use.
struct TRemovalState {
    int Fd = -1;
    char Path[PATH_MAX] = {};
};

TRemovalState& Removal()
{
    static TRemovalState removal;
    return removal;
}

// Unlinks every entry of the (flat) run folder, then the folder itself; only
// calls that a signal handler may make.
void RemoveRunFolder()
{
    TRemovalState& removal = Removal();
    if (removal.Fd < 0)
        return;
    alignas(8) static char entries[4096];
    for (bool removed = true; removed;) {
        removed = false;
        lseek(removal.Fd, 0, SEEK_SET);
        long got;
        while ((got = syscall(SYS_getdents64, removal.Fd, entries, sizeof entries)) > 0) {
            for (long at = 0; at < got;) {
                // struct linux_dirent64: inode, offset, record length, type, name.
                const char* entry = entries + at;
                unsigned short length;
                std::memcpy(&length, entry + 16, sizeof length);
                const char* name = entry + 19;
                const bool dots = name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
                if (!dots && unlinkat(removal.Fd, name, 0) == 0)
                    removed = true;
                at += length;
            }
        }
    }
    close(removal.Fd);
    removal.Fd = -1;
    rmdir(removal.Path);
}

void OnSignal(int signal)
{
    const int error = errno;
    RemoveRunFolder();
    errno = error;
    raise(signal); // delivered on return, with the default action restored
}

// The signals that remove the run folder wait while it is made or removed,
// so that none comes between the folder and its handler; one that came is
// delivered as the object goes.
class TTerminatingSignalsHeld {
public:
    TTerminatingSignalsHeld()
    {
        sigset_t held;
        sigemptyset(&held);
        for (const int signal : TRunFolder::kTerminatingSignals)
            sigaddset(&held, signal);
        pthread_sigmask(SIG_BLOCK, &held, &previous_);
    }
    ~TTerminatingSignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    TTerminatingSignalsHeld(const TTerminatingSignalsHeld&) = delete;
    TTerminatingSignalsHeld& operator=(const TTerminatingSignalsHeld&) = delete;

private:
    sigset_t previous_;
};

// names.dat at path; never replaces an existing file.
bool WriteHandOffFile(const std::string& path, const THandOffFiles& files)
{
    std::FILE* out = std::fopen(path.c_str(), "wbx");
    if (!out)
        return false;
    const std::string text = HandOffText(files);
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size();
    return std::fclose(out) == 0 && written;
}

// Back to the folder that was current when it was made, on every path out.
class TReturnToFolder {
public:
    TReturnToFolder() : fd_(open(".", O_PATH | O_DIRECTORY | O_CLOEXEC)) {}
    ~TReturnToFolder()
    {
        if (fd_ < 0)
            return;
        if (fchdir(fd_) != 0)
            std::fprintf(stderr, "cannot return to the previous current folder: %s\n", std::strerror(errno));
        close(fd_);
    }
    TReturnToFolder(const TReturnToFolder&) = delete;
    TReturnToFolder& operator=(const TReturnToFolder&) = delete;
    bool Valid() const { return fd_ >= 0; }

private:
    int fd_;
};

TEngineRunResult Failed(TEngineRunFailure failure, std::string problem)
{
    return {failure, std::move(problem)};
}

// Which file a path names, as far as a run can tell one from another: a
// report put in place is a new file, one kept is untouched.
struct TFileIdentity {
    bool Exists = false;
    dev_t Device = 0;
    ino_t Inode = 0;
    timespec Modified{};
    off_t Size = 0;

    bool operator==(const TFileIdentity& other) const
    {
        return Exists == other.Exists && Device == other.Device && Inode == other.Inode &&
               Modified.tv_sec == other.Modified.tv_sec && Modified.tv_nsec == other.Modified.tv_nsec &&
               Size == other.Size;
    }
};

TFileIdentity IdentityOf(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {true, info.st_dev, info.st_ino, info.st_mtim, info.st_size};
}

TReportState ReportStateOf(const TFileIdentity& before, const TFileIdentity& after)
{
    if (!after.Exists)
        return TReportState::Missing;
    return after == before ? TReportState::FromEarlierRun : TReportState::Written;
}

} // namespace

THandOffFiles HandOffFilesOf(const std::string& project)
{
    return {project, ChangeFileExt(project, ".kv7o"), ChangeFileExt(project, ".kv7p"), ChangeFileExt(project, ".cpt")};
}

std::string HandOffProblem(const std::string& path)
{
    if (path.find_first_of("\r\n") != std::string::npos)
        return "a file name holds a line break";
    if (!path.empty() && (path.back() == ' ' || path.back() == '\t'))
        return "the file name \"" + path + "\" ends in a blank";
    return {};
}

std::string HandOffText(const THandOffFiles& files)
{
    std::string text = GetVersion() + "\n\n\n0\n";
    for (const std::string* file : {&files.Project, &files.Report, &files.PlotData, &files.CptPoints})
        text += *file + "\n";
    return text;
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

std::string EngineLibraryPath()
{
    return ProgramFolder() + "/" + kEngineLibraryName;
}

std::string CurrentFolder()
{
    char buffer[PATH_MAX];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

std::string AbsolutePath(const std::string& path, const std::string& folder)
{
    return !path.empty() && path.front() == '/' ? path : folder + "/" + path;
}

TRunFolder::TRunFolder(const std::string& prefix)
{
    const char* tmp = std::getenv("TMPDIR");
    std::string folder = std::string(tmp && *tmp ? tmp : "/tmp") + "/" + prefix + ".XXXXXX";
    TRemovalState& removal = Removal();
    if (folder.size() >= sizeof removal.Path) {
        errno = ENAMETOOLONG;
        return;
    }
    if (removal.Fd >= 0) { // one at a time: the signal handler knows one folder
        errno = EBUSY;
        return;
    }
    const TTerminatingSignalsHeld held;
    if (!mkdtemp(folder.data()))
        return;
    removal.Fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (removal.Fd < 0) {
        const int error = errno;
        rmdir(folder.c_str());
        errno = error;
        return;
    }
    folder.copy(removal.Path, folder.size());
    removal.Path[folder.size()] = '\0';
    path_ = folder;
    struct sigaction action {};
    action.sa_handler = OnSignal;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kTerminatingSignals.size(); ++i) {
        // Only where the signal would end the process as it stands.
        sigaction(kTerminatingSignals[i], nullptr, &saved_[i]);
        if (saved_[i].sa_handler == SIG_DFL && !(saved_[i].sa_flags & SA_SIGINFO))
            sigaction(kTerminatingSignals[i], &action, nullptr);
    }
}

TRunFolder::~TRunFolder()
{
    if (path_.empty())
        return;
    const TTerminatingSignalsHeld held;
    RemoveRunFolder();
    for (std::size_t i = 0; i < kTerminatingSignals.size(); ++i)
        sigaction(kTerminatingSignals[i], &saved_[i], nullptr);
}

TEngineRunResult RunEngine(const THandOffFiles& given, const TEngineRunOptions& options,
                           const std::function<void(TEngineEntry)>& call)
{
    THandOffFiles files = given;
    std::string* const paths[] = {&files.Project, &files.Report, &files.PlotData, &files.CptPoints};
    for (const std::string* path : paths)
        if (std::string problem = HandOffProblem(*path); !problem.empty())
            return Failed(TEngineRunFailure::PathRefused, problem);
    // The engine runs in another folder: every path it gets is absolute.
    for (std::string* path : paths) {
        if (!path->empty() && path->front() == '/')
            continue;
        const std::string here = CurrentFolder();
        if (here.empty())
            return Failed(TEngineRunFailure::NoCurrentFolder,
                          "cannot read the current folder: " + std::string(std::strerror(errno)));
        *path = AbsolutePath(*path, here);
    }

    // Declared in this order so that the way out frees the library, returns
    // to the previous folder, then removes the run folder.
    const TRunFolder folder(options.FolderPrefix);
    if (folder.Path().empty())
        return Failed(TEngineRunFailure::NoRunFolder,
                      "cannot make a temporary folder: " + std::string(std::strerror(errno)));
    const TReturnToFolder back;
    if (!back.Valid())
        return Failed(TEngineRunFailure::NoCurrentFolder,
                      "cannot read the current folder: " + std::string(std::strerror(errno)));
    if (options.OutputsInRunFolder)
        for (std::string* output : {&files.Report, &files.PlotData})
            *output = folder.Path() + output->substr(output->rfind('/'));
    const std::string names = folder.Path() + "/" + kHandOffFileName;
    if (!WriteHandOffFile(names, files))
        return Failed(TEngineRunFailure::HandOffNotWritten, "cannot write " + names);
    if (chdir(folder.Path().c_str()) != 0)
        return Failed(TEngineRunFailure::NoRunFolder, "cannot change to " + folder.Path());

    components::TDynamicLibrary library;
    library.SetLibraryName(options.LibraryPath);
    TEngineEntry entry = nullptr;
    try {
        library.Load();
        entry = library.GetProcAs<TEngineEntry>(kEngineEntryName);
    } catch (const components::EDLLError& e) {
        const std::string why = library.LastError().empty() ? e.Message() : library.LastError();
        return Failed(TEngineRunFailure::LibraryNotLoaded, "cannot load the engine: " + why);
    }
    if (!entry)
        return Failed(TEngineRunFailure::NoEntryPoint,
                      "the engine " + options.LibraryPath + " has no " + kEngineEntryName);
    const TFileIdentity before = IdentityOf(files.Report);
    call(entry);
    TEngineRunResult result;
    result.Report = ReportStateOf(before, IdentityOf(files.Report));
    return result;
}

std::string ReportNotWrittenMessage(const std::string& report, TReportState state)
{
    switch (state) {
    case TReportState::Written:
        break;
    case TReportState::FromEarlierRun:
        return "The report file \"" + report +
               "\" could not be written. The report in that file is from an earlier run, not from this one.";
    case TReportState::Missing:
        return "The report file \"" + report + "\" could not be written. This run has no report.";
    }
    return {};
}

} // namespace korva::app
