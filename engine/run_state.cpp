#include "run_state.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
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

// A new file beside path, created with O_EXCL under a name of its own, so
// the process's file-creation mask applies as to any new file; -1 (errno
// set) when it cannot be made.
int CreateBeside(const std::string& path, std::string& temporary)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string name = path.substr(folder.size());
    for (int attempt = 0; attempt < 100; ++attempt) {
        timespec now {};
        clock_gettime(CLOCK_REALTIME, &now);
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%x%x%lx", static_cast<unsigned>(getpid()),
                      static_cast<unsigned>(attempt), static_cast<unsigned long>(now.tv_nsec));
        temporary = folder + "." + name + suffix;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // The file it replaces keeps its permissions.
        struct stat old {};
        if (::lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
            ::fchmod(fd, old.st_mode & 07777);
        return fd;
    }
    errno = EEXIST;
    return -1;
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

} // namespace

bool OutputFile::Open(const std::string& path)
{
    Discard();
    error_ = 0;
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    fd_ = CreateBeside(path, temporary_);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
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
    if (::close(fd_) != 0 && error_ == 0)
        error_ = errno;
    fd_ = -1;
    if (error_ == 0)
        error_ = PutInPlace(temporary_, path_);
    if (error_ != 0) {
        ::unlink(temporary_.c_str());
        return false;
    }
    temporary_.clear();
    return true;
}

void OutputFile::Discard()
{
    pending_.Clear();
    if (fd_ < 0)
        return;
    ::close(fd_);
    fd_ = -1;
    ::unlink(temporary_.c_str());
    temporary_.clear();
}

void RemoveOutput(const std::string& path)
{
    if (!path.empty())
        ::unlink(path.c_str());
}

} // namespace korva::engine
