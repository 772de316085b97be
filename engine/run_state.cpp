#include "run_state.h"

#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korva::engine {

AnalysisTime SystemClockNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
            local.tm_hour, local.tm_min, local.tm_sec};
}

Console ProcessConsole()
{
    Console console;
    console.input_is_terminal = isatty(STDIN_FILENO) == 1;
    return console;
}

void Console::Write(std::string_view text) const
{
    if (out) {
        std::fwrite(text.data(), 1, text.size(), out);
        std::fflush(out);
    }
}

void Console::Error(std::string_view text) const
{
    if (err) {
        std::fwrite(text.data(), 1, text.size(), err);
        std::fputc('\n', err);
        std::fflush(err);
    }
}

OutputFile::~OutputFile()
{
    Discard();
}

namespace {

// What is pending goes to the file once it holds this much: a report in a
// few writes, and never much of one in memory.
constexpr std::size_t kWriteSize = 64 * 1024;

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

// The name of an open file in /proc, through which it can be linked.
std::string ProcPath(int fd)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, fd).ptr;
    return "/proc/self/fd/" + std::string(digits, end);
}

// n in lowercase hexadecimal digits.
std::string Hex(unsigned long n)
{
    char digits[2 * sizeof n];
    const auto end = std::to_chars(digits, digits + sizeof digits, n, 16).ptr;
    return std::string(digits, end);
}

// Calls make with hidden names beside path (".NAME.<suffix>") until one is
// not taken: 0 with the name in temporary, else the errno of the failure.
int WithHiddenName(const std::string& path, std::string& temporary, const std::function<bool(const char*)>& make)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = path.substr(folder.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        timespec now {};
        clock_gettime(CLOCK_REALTIME, &now);
        temporary = folder + "." + name + "." + Hex(static_cast<unsigned>(getpid())) +
                    Hex(static_cast<unsigned>(attempt)) + Hex(static_cast<unsigned long>(now.tv_nsec));
        if (make(temporary.c_str()))
            return 0;
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    temporary.clear();
    return error;
}

// A new file in the folder of path that has no name, so that a process
// ended before the file is put in place leaves nothing there; -1 (errno
// set) when it cannot be made. Without /proc it could not be given its
// name later: EOPNOTSUPP then, as where the file system has no such files.
int CreateUnnamedBeside(const std::string& path)
{
    const int fd = ::open(FolderOf(path).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat opened {}, seen {};
    if (::fstat(fd, &opened) != 0 || ::stat(ProcPath(fd).c_str(), &seen) != 0 || seen.st_dev != opened.st_dev ||
        seen.st_ino != opened.st_ino) {
        ::close(fd);
        errno = EOPNOTSUPP;
        return -1;
    }
    return fd;
}

// A new file beside path under a hidden name of its own, where the file
// system cannot make one without a name; -1 (errno set) when it cannot be
// made.
int CreateNamedBeside(const std::string& path, std::string& temporary)
{
    int fd = -1;
    errno = WithHiddenName(path, temporary, [&fd](const char* name) {
        fd = ::open(name, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        return fd >= 0;
    });
    return fd;
}

// Gives the unnamed file at fd its name: path itself when nothing is there
// (in_place), else a hidden name beside it (temporary) for PutInPlace. 0, or
// the errno of the failure.
int GiveName(int fd, const std::string& path, std::string& temporary, bool& in_place)
{
    const std::string self = ProcPath(fd);
    const auto link = [&self](const char* name) {
        return ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name, AT_SYMLINK_FOLLOW) == 0;
    };
    struct stat old {};
    if (::lstat(path.c_str(), &old) != 0 && errno == ENOENT) {
        in_place = link(path.c_str());
        if (in_place)
            return 0;
        if (errno != EEXIST)
            return errno;
    }
    return WithHiddenName(path, temporary, link);
}

// Puts the file at temporary in place of path. An old file or link at path
// is exchanged with the new file and then removed: a rename over an old
// file makes the file system write the new one out at once (about a third
// of a millisecond per file), which an output that the next run makes
// again does not need. Readers see the old file or the new one, whole,
// either way. 0, or the errno of the failure.
int PutInPlace(const std::string& temporary, const std::string& path)
{
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0 && (S_ISREG(old.st_mode) || S_ISLNK(old.st_mode)) &&
        ::renameat2(AT_FDCWD, temporary.c_str(), AT_FDCWD, path.c_str(), RENAME_EXCHANGE) == 0) {
        ::unlink(temporary.c_str());
        return 0;
    }
    // No old file, or a file system that cannot exchange: a plain rename.
    return ::rename(temporary.c_str(), path.c_str()) == 0 ? 0 : errno;
}

// Every signal waits while it lives: one that ended the process while a
// new file or an old one has a hidden name would leave that name behind.
class SignalsHeld {
public:
    SignalsHeld()
    {
        sigset_t all;
        sigfillset(&all);
        pthread_sigmask(SIG_BLOCK, &all, &previous_);
    }
    ~SignalsHeld() { pthread_sigmask(SIG_SETMASK, &previous_, nullptr); }
    SignalsHeld(const SignalsHeld&) = delete;
    SignalsHeld& operator=(const SignalsHeld&) = delete;

private:
    sigset_t previous_;
};

} // namespace

bool OutputFile::Open(const std::string& path, NewFile kind)
{
    Discard();
    error_ = 0;
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    fd_ = kind == NewFile::Unnamed ? CreateUnnamedBeside(path) : -1;
    if (fd_ < 0 && (kind == NewFile::Named || errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL))
        fd_ = CreateNamedBeside(path, temporary_);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    // The file it replaces keeps its permissions.
    struct stat old {};
    if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(fd_, old.st_mode & 07777);
    path_ = path;
    return true;
}

void OutputFile::MakeRoom()
{
    if (fd_ < 0)
        pending_.Clear();
    else if (pending_.Size() >= kWriteSize)
        Flush();
}

void OutputFile::Write(std::string_view text)
{
    MakeRoom();
    if (fd_ >= 0)
        pending_.Append(text);
}

std::string_view OutputFile::WriteRecord(std::string_view descriptors, std::initializer_list<FormatValue> values)
{
    MakeRoom();
    return AppendRecord(pending_, layouts_, descriptors, std::span<const FormatValue>(values.begin(), values.size()));
}

void OutputFile::Flush()
{
    std::string_view text = pending_.View();
    // After a failure nothing more is written: the file is not kept.
    while (!text.empty() && error_ == 0) {
        const ssize_t written = ::write(fd_, text.data(), text.size());
        if (written < 0) {
            if (errno != EINTR)
                error_ = errno;
            continue;
        }
        if (written == 0)
            error_ = EIO;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    pending_.Clear();
}

bool OutputFile::Commit()
{
    if (fd_ < 0)
        return false;
    Flush();
    const SignalsHeld held; // from its first name to its place
    bool in_place = false;
    // An unnamed file is named before it is closed, which would drop it.
    if (error_ == 0 && temporary_.empty())
        error_ = GiveName(fd_, path_, temporary_, in_place);
    if (::close(fd_) != 0 && error_ == 0)
        error_ = errno;
    fd_ = -1;
    if (error_ == 0 && !in_place)
        error_ = PutInPlace(temporary_, path_);
    else if (error_ != 0 && in_place)
        ::unlink(path_.c_str()); // nothing was there before
    if (!temporary_.empty() && error_ != 0)
        ::unlink(temporary_.c_str());
    temporary_.clear();
    return error_ == 0;
}

void OutputFile::Discard()
{
    pending_.Clear();
    if (fd_ < 0)
        return;
    ::close(fd_); // an unnamed file goes with it
    fd_ = -1;
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
    temporary_.clear();
}

void RemoveOutput(const std::string& path)
{
    if (!path.empty())
        ::unlink(path.c_str());
}

} // namespace korva::engine
