#include <gtest/gtest.h>

#include <dlfcn.h>

#include "ikorva.h"
#include "test_support.h"

TEST(EngineEntry, RefusesAnyValueButFive)
{
    EXPECT_EQ(korva::engine::EngineEntry(4), 1);
    EXPECT_EQ(korva::engine::EngineEntry(0), 1);
}

TEST(EngineLibrary, ExportsBothNamesAtOneAddress)
{
    void* lib = dlopen(KORVA_BIN_DIR "/KORVA2015_DLL.so", RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    void* a = dlsym(lib, "IKORVA");
    void* b = dlsym(lib, "_IKORVA");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a, b);
    using Entry = int (*)(int);
    EXPECT_EQ(reinterpret_cast<Entry>(b)(4), 1);
    dlclose(lib);
}
