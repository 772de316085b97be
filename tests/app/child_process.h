#pragma once
// A program of the build run as a child process under the conditions a
// user's shell can give it: a file-size limit (ulimit -f), a standard output
// whose reader is gone (`| head -1` after it exited) or that nobody reads (so
// that the program blocks in its first write), and signals sent to it.
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace korva::test {

enum class ChildOutput {
    Read,       // read by the parent until the child ends
    ReaderGone, // a pipe whose reading end is closed: the first write raises SIGPIPE
    Blocked,    // a full pipe nobody reads: the first write waits (see OutputRoom)
};

struct ChildOptions {
    ChildOutput Output = ChildOutput::Read;
    // Blocked: what the pipe takes before a write waits, so that the child
    // writes that much and waits in its next write. At most a page: the
    // pipe is one page, and a write that does not fit whole into what is
    // left of it waits.
    std::size_t OutputRoom = 0;
    std::optional<rlim_t> FileSizeLimit; // bytes
    std::vector<std::pair<std::string, std::string>> Environment;
};

struct ChildEnd {
    bool Exited = false; // else ended by Signal
    int ExitCode = -1;
    int Signal = 0;
    std::string Output;
};

class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& arguments, const ChildOptions& options) : options_(options)
    {
        int fds[2];
        if (::pipe2(fds, O_CLOEXEC) != 0)
            return;
        read_ = fds[0];
        const int write = fds[1];
        if (options.Output == ChildOutput::ReaderGone) {
            ::close(read_);
            read_ = -1;
        } else if (options.Output == ChildOutput::Blocked) {
            // Filled to the brim, or to the room asked for, before the child
            // gets it.
            const std::size_t page = 4096;
            ::fcntl(write, F_SETPIPE_SZ, page);
            ::fcntl(write, F_SETFL, O_NONBLOCK);
            if (options.OutputRoom > 0 && options.OutputRoom < page) {
                const std::vector<char> fill(page - options.OutputRoom, ' ');
                if (::write(write, fill.data(), fill.size()) != static_cast<ssize_t>(fill.size())) {
                    ::close(write); // not started
                    return;
                }
            } else {
                const char block[512] = {};
                while (::write(write, block, sizeof block) > 0) {
                }
            }
            ::fcntl(write, F_SETFL, 0);
        }
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(write, STDOUT_FILENO);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, STDERR_FILENO);
            for (const auto& [name, value] : options.Environment)
                ::setenv(name.c_str(), value.c_str(), 1);
            const rlimit noCore{0, 0};
            ::setrlimit(RLIMIT_CORE, &noCore); // SIGQUIT leaves no core file
            if (options.FileSizeLimit) {
                const rlimit limit{*options.FileSizeLimit, *options.FileSizeLimit};
                ::setrlimit(RLIMIT_FSIZE, &limit);
            }
            // Every signal as a shell leaves it for a program it starts.
            for (int s : {SIGPIPE, SIGXFSZ, SIGHUP, SIGQUIT, SIGINT, SIGTERM})
                std::signal(s, SIG_DFL);
            std::vector<char*> argv;
            for (const std::string& argument : arguments)
                argv.push_back(const_cast<char*>(argument.c_str()));
            argv.push_back(nullptr);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(write);
    }
    ~ChildProcess()
    {
        if (pid_ > 0 && !ended_) {
            ::kill(pid_, SIGKILL);
            Wait();
        }
        if (read_ >= 0)
            ::close(read_);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }
    void Signal(int signal) const { ::kill(pid_, signal); }
    // The reader of a blocked child's output goes, as `| head -1` does once
    // it has its line: the waiting write raises SIGPIPE.
    void CloseOutput()
    {
        if (read_ >= 0)
            ::close(read_);
        read_ = -1;
    }

    // Waits for the end; a blocked child's output is not read.
    ChildEnd Wait()
    {
        ChildEnd end;
        if (read_ >= 0 && options_.Output == ChildOutput::Read) {
            char buffer[4096];
            ssize_t got;
            while ((got = ::read(read_, buffer, sizeof buffer)) > 0)
                end.Output.append(buffer, static_cast<std::size_t>(got));
        }
        int status = 0;
        while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
        }
        ended_ = true;
        end.Exited = WIFEXITED(status);
        end.ExitCode = end.Exited ? WEXITSTATUS(status) : -1;
        end.Signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
        return end;
    }

private:
    ChildOptions options_;
    pid_t pid_ = -1;
    int read_ = -1;
    bool ended_ = false;
};

} // namespace korva::test
