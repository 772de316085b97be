#pragma once
// Makes writes fail for a scope, as a full disk would.
#include <csignal>
#include <sys/resource.h>

namespace korva::test {

// Limits the size of files this process may write for a scope: writing
// beyond it fails with EFBIG (also for root, unlike folder permissions).
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~ScopedFileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit saved_{};
    void (*previousHandler_)(int);
};

} // namespace korva::test
