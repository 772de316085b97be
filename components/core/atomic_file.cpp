#include "atomic_file.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "exceptions.h"

namespace korva::components {

namespace {

[[noreturn]] void WriteError(const std::string& path, int error)
{
    throw EInOutError("Cannot write file \"" + path + "\". " + std::strerror(error));
}

// The file a save must replace: the target of a symbolic link, else the path.
std::string ResolvedTarget(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::is_symlink(path, ec)) {
        const std::filesystem::path target = std::filesystem::weakly_canonical(path, ec);
        if (!ec)
            return target.string();
    }
    return path;
}

// Permissions of a new file: those of the file it replaces, else 0666
// less the process's file-creation mask.
mode_t ModeFor(const std::string& target)
{
    struct stat info {};
    if (::stat(target.c_str(), &info) == 0)
        return info.st_mode & 07777;
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Why the file at target may not be replaced, or 0. The folder would let a
// new file take its name, so the file's own write permission is tested:
// access() for the user running the program, and also no write bit at all,
// which marks a file write-protected for everyone (root, whom access() lets
// write any file, included). A folder in its place cannot be replaced.
int ReplacementRefused(const std::string& target)
{
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0)
        return 0; // a new file, or a path the temporary file will fail on
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return EACCES;
    if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return errno;
    return 0;
}

bool WriteAll(int fd, std::string_view contents, int& error)
{
    while (!contents.empty()) {
        const ssize_t written = ::write(fd, contents.data(), contents.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = errno;
            return false;
        }
        contents.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

TFileReplacement::TFileReplacement(const std::string& path, std::string_view contents) : path_(path)
{
    target_ = ResolvedTarget(path);
    const std::filesystem::path targetPath(target_);
    folder_ = targetPath.has_parent_path() ? targetPath.parent_path().string() : ".";
    if (const int refused = ReplacementRefused(target_))
        WriteError(path_, refused);
    std::string temporary = folder_ + "/." + targetPath.filename().string() + ".XXXXXX";

    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        WriteError(path_, errno);
    int error = 0;
    bool ok = ::fchmod(fd, ModeFor(target_)) == 0 || (error = errno, false);
    ok = ok && WriteAll(fd, contents, error);
    ok = ok && (::fsync(fd) == 0 || (error = errno, false));
    if (::close(fd) != 0 && ok) {
        error = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temporary.c_str());
        WriteError(path_, error);
    }
    temporary_ = std::move(temporary);
}

TFileReplacement::~TFileReplacement()
{
    if (!temporary_.empty())
        ::unlink(temporary_.c_str());
}

void TFileReplacement::Commit()
{
    if (temporary_.empty())
        return;
    if (::rename(temporary_.c_str(), target_.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary_.c_str());
        temporary_.clear();
        WriteError(path_, error);
    }
    temporary_.clear();
    // The rename is durable once the folder is flushed too; a failure here
    // leaves a complete file either way.
    const int dir = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

void ReplaceFile(const std::string& path, std::string_view contents)
{
    TFileReplacement(path, contents).Commit();
}

void IgnoreFileSizeSignal()
{
    std::signal(SIGXFSZ, SIG_IGN);
}

} // namespace korva::components
