// The ten projects opened last: move to the top, the eleventh pushes the
// oldest out, nothing changes when the file is on top already; the settings
// values and the File menu's texts.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "recent_files.h"

namespace korva::test {
namespace {

using app::TRecentFiles;

std::vector<std::string> Entries(const TRecentFiles& files)
{
    std::vector<std::string> entries;
    for (int i = 0; i < TRecentFiles::kCapacity; ++i)
        entries.push_back(files[i]);
    return entries;
}

std::string Name(int n)
{
    return "/jobs/pile" + std::to_string(n) + ".kv7d";
}

TEST(RecentFiles, NewFilesGoOnTopAndTheEleventhPushesTheOldestOut)
{
    TRecentFiles files;
    for (int n = 1; n <= 10; ++n)
        EXPECT_TRUE(files.UpdatePrevFile(Name(n)));
    EXPECT_EQ(files.Count(), 10);
    EXPECT_EQ(files[0], Name(10));
    EXPECT_EQ(files[9], Name(1));
    EXPECT_TRUE(files.UpdatePrevFile(Name(11)));
    EXPECT_EQ(files.Count(), 10);
    EXPECT_EQ(files[0], Name(11));
    EXPECT_EQ(files[9], Name(2));
}

TEST(RecentFiles, AFileInTheListMovesToTheTop)
{
    TRecentFiles files;
    for (int n = 10; n >= 1; --n)
        files.UpdatePrevFile(Name(n)); // pile1 on top, pile10 last
    const std::vector<std::string> before = Entries(files);
    EXPECT_FALSE(files.UpdatePrevFile(Name(1))); // on top: nothing changes
    EXPECT_EQ(Entries(files), before);
    EXPECT_FALSE(files.UpdatePrevFile(""));

    EXPECT_TRUE(files.UpdatePrevFile(Name(5))); // place 5 to the top, places 1-4 down
    const std::vector<std::string> expected{Name(5), Name(1), Name(2), Name(3), Name(4),
                                            Name(6), Name(7), Name(8), Name(9), Name(10)};
    EXPECT_EQ(Entries(files), expected);
    // Comparison is exact: another case is another file.
    EXPECT_TRUE(files.UpdatePrevFile("/jobs/PILE5.kv7d"));
    EXPECT_EQ(files[1], Name(5));
}

TEST(RecentFiles, SettingsValuesFile1ToFile10)
{
    std::map<std::string, std::string> store{{"File1", "/a.kv7d"}, {"File2", ""}, {"File4", "/b.kv7d"}};
    TRecentFiles files;
    files.Load([&](const std::string& name) -> std::optional<std::string> {
        const auto found = store.find(name);
        return found == store.end() ? std::nullopt : std::optional(found->second);
    });
    // Empty and missing values leave no gaps.
    EXPECT_EQ(files.Count(), 2);
    EXPECT_EQ(files[0], "/a.kv7d");
    EXPECT_EQ(files[1], "/b.kv7d");

    std::map<std::string, std::string> written;
    EXPECT_TRUE(files.Save([&](const std::string& name, const std::string& value) {
        written[name] = value;
        return true;
    }));
    EXPECT_EQ(written.size(), 10u);
    EXPECT_EQ(written["File1"], "/a.kv7d");
    EXPECT_EQ(written["File2"], "/b.kv7d");
    EXPECT_EQ(written["File10"], "");
    EXPECT_FALSE(files.Save([](const std::string&, const std::string&) { return false; }));
}

TEST(RecentFiles, MenuCaptionsLeaveOutTheCurrentFolder)
{
    EXPECT_EQ(TRecentFiles::MenuCaption(0, "/jobs/pier/pile.kv7d", "/jobs/pier"), "1 pile.kv7d");
    EXPECT_EQ(TRecentFiles::MenuCaption(4, "/jobs/pier/a/pile.kv7d", "/jobs/pier/"), "5 a/pile.kv7d");
    EXPECT_EQ(TRecentFiles::MenuCaption(9, "/jobs/pier2/pile.kv7d", "/jobs/pier"), "10 /jobs/pier2/pile.kv7d");
    EXPECT_EQ(TRecentFiles::MenuCaption(1, "/jobs/pile.kv7d", ""), "2 /jobs/pile.kv7d");
}

} // namespace
} // namespace korva::test
