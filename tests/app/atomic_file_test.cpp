#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

#include "atomic_file.h"
#include "exceptions.h"
#include "temp_folder.h"

using korva::app::ReplaceFile;
using korva::components::EInOutError;
using korva::test::TempFolder;

namespace {

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

TEST(ReplaceFile, WritesANewFileAndReplacesAnOldOne)
{
    TempFolder folder;
    ReplaceFile(folder.Path("pile.kv7d"), "first\r\n");
    EXPECT_EQ(folder.Read("pile.kv7d"), "first\r\n");
    ::chmod(folder.Path("pile.kv7d").c_str(), 0640);
    ReplaceFile(folder.Path("pile.kv7d"), "second");
    EXPECT_EQ(folder.Read("pile.kv7d"), "second");
    EXPECT_EQ(std::filesystem::status(folder.Path("pile.kv7d")).permissions(),
              std::filesystem::perms(0640));
    EXPECT_EQ(folder.Listing(), "pile.kv7d "); // no temporary file left
}

TEST(ReplaceFile, ASymbolicLinkKeepsNamingTheSavedFile)
{
    TempFolder folder;
    folder.Write("real.kv7d", "old");
    std::filesystem::create_symlink(folder.Path("real.kv7d"), folder.Path("link.kv7d"));
    ReplaceFile(folder.Path("link.kv7d"), "new");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.Path("link.kv7d")));
    EXPECT_EQ(folder.Read("real.kv7d"), "new");
}

TEST(ReplaceFile, AFailedWriteKeepsTheOldFileAndReportsWhy)
{
    TempFolder folder;
    folder.Write("pile.kv7d", "old content");
    {
        ScopedFileSizeLimit limit(4);
        try {
            ReplaceFile(folder.Path("pile.kv7d"), "a longer new content");
            FAIL() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + folder.Path("pile.kv7d") + "\". File too large");
        }
    }
    EXPECT_EQ(folder.Read("pile.kv7d"), "old content");
    EXPECT_EQ(folder.Listing(), "pile.kv7d ");
}

TEST(ReplaceFile, AMissingFolderIsAnError)
{
    TempFolder folder;
    EXPECT_THROW(ReplaceFile(folder.Path("no/such/pile.kv7d"), "x"), EInOutError);
}

} // namespace
