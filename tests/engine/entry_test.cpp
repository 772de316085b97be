#include <gtest/gtest.h>

#include <dlfcn.h>

#include "engine_run.h"
#include "ikorva.h"
#include "project_fixture.h"
#include "test_support.h"

namespace {

using namespace korva::test;
using Entry = int (*)(int);

TEST(EngineEntry, RefusesAnyValueButFiveAndTouchesNoFile)
{
    RunFolder folder;
    WriteProject(folder, BaseProject());
    EXPECT_EQ(korva::engine::EngineEntry(4), 1);
    EXPECT_EQ(korva::engine::EngineEntry(0), 1);
    EXPECT_FALSE(folder.Exists("pile.kv7o"));
    EXPECT_FALSE(folder.Exists("pile.kv7p"));
}

class EngineLibrary : public ::testing::Test {
protected:
    void SetUp() override
    {
        lib_ = dlopen(KORVA_BIN_DIR "/KORVA2015_DLL.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(lib_, nullptr) << dlerror();
    }
    void TearDown() override
    {
        if (lib_)
            dlclose(lib_);
    }
    void* lib_ = nullptr;
};

TEST_F(EngineLibrary, ExportsBothNamesAtOneAddress)
{
    void* a = dlsym(lib_, "IKORVA");
    void* b = dlsym(lib_, "_IKORVA");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    RunFolder folder;
    WriteProject(folder, BaseProject());
    EXPECT_EQ(reinterpret_cast<Entry>(b)(4), 1);
    EXPECT_FALSE(folder.Exists("pile.kv7o"));
}

// Nothing of a run survives into the next one while the library stays loaded.
TEST_F(EngineLibrary, TwoRunsInOneProcessWriteTheSameFiles)
{
    auto entry = reinterpret_cast<Entry>(dlsym(lib_, "_IKORVA"));
    ASSERT_NE(entry, nullptr);
    RunFolder folder;
    folder.WriteHandOff();
    folder.Write("pile.kv7d", ReadText(DataPath("engine/echo-english.kv7d")));
    folder.Write("pile.cpt", ReadText(DataPath("engine/echo-english.cpt")));

    ASSERT_EQ(entry(5), 0) << folder.Read("pile.kv7o");
    const std::string report = Comparable(folder.Read("pile.kv7o"), folder.Folder());
    const std::string plot = folder.Read("pile.kv7p");
    ASSERT_EQ(entry(5), 0);
    EXPECT_EQ(Comparable(folder.Read("pile.kv7o"), folder.Folder()), report);
    EXPECT_EQ(folder.Read("pile.kv7p"), plot);
    EXPECT_NE(report.find("* COMPUTATION RESULT *"), std::string::npos);
}

} // namespace
