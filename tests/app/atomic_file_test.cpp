#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>

#include "atomic_file.h"
#include "exceptions.h"
#include "scoped_file_size_limit.h"
#include "temp_folder.h"

using korva::components::ReplaceFile;
using korva::components::EInOutError;
using korva::test::ScopedFileSizeLimit;
using korva::test::TempFolder;

namespace {

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

// A file the user may not write stays as it is, although its folder would
// let a new file take its name; also for root, whom the permission bits do
// not stop. A symbolic link is judged by the file it names.
TEST(ReplaceFile, AWriteProtectedFileIsNotReplaced)
{
    TempFolder folder;
    folder.Write("pile.kv7d", "old");
    ::chmod(folder.Path("pile.kv7d").c_str(), 0444);
    std::filesystem::create_symlink(folder.Path("pile.kv7d"), folder.Path("link.kv7d"));
    for (const char* name : {"pile.kv7d", "link.kv7d"}) {
        SCOPED_TRACE(name);
        try {
            ReplaceFile(folder.Path(name), "new");
            FAIL() << "no error";
        } catch (const EInOutError& e) {
            EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + folder.Path(name) + "\". " + std::strerror(EACCES));
        }
        EXPECT_EQ(folder.Read("pile.kv7d"), "old");
        EXPECT_EQ(std::filesystem::status(folder.Path("pile.kv7d")).permissions(), std::filesystem::perms(0444));
        EXPECT_EQ(folder.Listing(), "link.kv7d pile.kv7d ");
    }
    // Any write permission lets it be replaced.
    ::chmod(folder.Path("pile.kv7d").c_str(), 0464);
    ReplaceFile(folder.Path("pile.kv7d"), "new");
    EXPECT_EQ(folder.Read("pile.kv7d"), "new");
}

TEST(ReplaceFile, AFolderInThePlaceOfTheFileIsAnError)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("pile.kv7d"));
    try {
        ReplaceFile(folder.Path("pile.kv7d"), "new");
        FAIL() << "no error";
    } catch (const EInOutError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot write file \"" + folder.Path("pile.kv7d") + "\". Is a directory");
    }
    EXPECT_EQ(folder.Listing(), "pile.kv7d ");
}

TEST(ReplaceFile, AMissingFolderIsAnError)
{
    TempFolder folder;
    EXPECT_THROW(ReplaceFile(folder.Path("no/such/pile.kv7d"), "x"), EInOutError);
}

} // namespace
