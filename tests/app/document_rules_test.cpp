// The main window's rules without a window: the caption, the command-line
// argument, the layout of a file opened by name, when Save asks for a name.
#include <gtest/gtest.h>

#include <filesystem>

#include "document_rules.h"
#include "program_data.h"
#include "temp_folder.h"

namespace korva::test {
namespace {

using namespace app;

TEST(DocumentRules, CaptionAndDisplayName)
{
    EXPECT_EQ(MainCaption("/work/pile.kv7d"), "KORVA 2015.7.5 - Offshore - Pile.kv7d");
    EXPECT_EQ(MainCaption(kNewProjectFileName), "KORVA 2015.7.5 - Offshore - NewKORVA.kv7d");
    EXPECT_EQ(DisplayFileName("/jobs.old/pier.1.KV7"), "Pier");
    EXPECT_EQ(DisplayFileName("/jobs/p"), "p");
    EXPECT_EQ(DisplayFileName("/jobs/1pile.kv6d"), "1pile.kv6d");
}

TEST(DocumentRules, LayoutOfAFileOpenedByName)
{
    EXPECT_EQ(LayoutOfProjectName("/a/pile.kv7d"), pfvCurrent);
    EXPECT_EQ(LayoutOfProjectName("/a/pile.KV7D"), pfvCurrent);
    EXPECT_EQ(LayoutOfProjectName("/a/pile.kv6d"), pfvPrevious);
    EXPECT_EQ(LayoutOfProjectName("/a/pile.kvd"), std::nullopt);
    EXPECT_EQ(LayoutOfProjectName("/a.kv7d/pile"), std::nullopt);
}

TEST(DocumentRules, CommandLineArgument)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("jobs.old"));
    for (const char* name : {"pier1.kv7d", "jobs.old/pier1.kv7d", "old.kv6d", "older.kvd", "pier2"})
        folder.Write(name, "x");
    // ".kv7d" is appended only when the file's own name has no dot.
    EXPECT_EQ(CommandLineProject(folder.Path("pier1")), folder.Path("pier1.kv7d"));
    EXPECT_EQ(CommandLineProject(folder.Path("jobs.old/pier1")), folder.Path("jobs.old/pier1.kv7d"));
    EXPECT_EQ(CommandLineProject(folder.Path("old.kv6d")), folder.Path("old.kv6d"));
    EXPECT_EQ(CommandLineProject(folder.Path("older.kvd")), std::nullopt);
    EXPECT_EQ(CommandLineProject(folder.Path("missing")), std::nullopt);
    EXPECT_EQ(CommandLineProject(folder.Path("pier2")), std::nullopt); // pier2.kv7d does not exist
    EXPECT_EQ(CommandLineProject(folder.Path("jobs.old")), std::nullopt);
    EXPECT_EQ(CommandLineProject(""), std::nullopt);
    // A relative name comes back absolute: the run works in another folder.
    const std::filesystem::path here = std::filesystem::current_path();
    std::filesystem::current_path(folder.Folder());
    EXPECT_EQ(CommandLineProject("pier1"), folder.Path("pier1.kv7d"));
    std::filesystem::current_path(here);
}

TEST(DocumentRules, SaveAsksForANameForNewAndOlderProjects)
{
    EXPECT_TRUE(NeedsSaveAs(kNewProjectFileName));
    EXPECT_TRUE(NeedsSaveAs("/jobs/pile.kv6d"));
    EXPECT_TRUE(NeedsSaveAs("/jobs/pile.kvd"));
    EXPECT_FALSE(NeedsSaveAs("/jobs/pile.kv7d"));
    EXPECT_FALSE(NeedsSaveAs("/jobs/pile.KV7D"));
    EXPECT_EQ(SaveAsFileName("/jobs/pile.kv6d"), "/jobs/pile.kv7d");
    EXPECT_EQ(SaveAsFileName("/jobs/pile.kv7d"), "/jobs/pile.kv7d");
    EXPECT_EQ(SaveAsFileName("/jobs/pile"), "/jobs/pile.kv7d");
    EXPECT_EQ(SaveAsTitle("/jobs/pile.kv6d"), "Save Pile.kv6d As");
}

TEST(DocumentRules, TheFolderFileChoosersStartIn)
{
    EXPECT_EQ(ProjectFolder("/work/jobs/pier1.kv7d"), "/work/jobs");
    // A project never saved lies in the current folder.
    EXPECT_EQ(ProjectFolder(kNewProjectFileName), std::filesystem::current_path().string());
    EXPECT_EQ(ProjectFolder("jobs/pier1.kv7d"), (std::filesystem::current_path() / "jobs").string());
}

TEST(DocumentRules, UpdateQuery)
{
    const std::string address = UpdateQueryAddress();
    EXPECT_NE(address.find("/checkupdates/check/check.php?KORVAO;2015.7.5;7/5/15"), std::string::npos) << address;
}

} // namespace
} // namespace korva::test
