#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "dynamic_library.h"
#include "exceptions.h"
#include "message_of.h"

using namespace korva::components;
using korva::test::MessageOf;

namespace {

using TwiceFunction = int (*)(int);

TEST(DynamicLibrary, LoadsAndCallsAnExportedFunction)
{
    TDynamicLibrary library;
    EXPECT_FALSE(library.IsLoaded());
    library.SetLibraryName(KORVA_TEST_LIBRARY);
    EXPECT_FALSE(library.IsLoaded()); // naming does not load
    library.Load();
    ASSERT_TRUE(library.IsLoaded());
    auto twice = library.GetProcAs<TwiceFunction>("KorvaTestTwice");
    ASSERT_NE(twice, nullptr);
    EXPECT_EQ(twice(21), 42);
    // A missing entry point is only a null address.
    EXPECT_EQ(library.GetProc("_IKORVA"), nullptr);

    // Load twice loads once: the module stays the same.
    library.Load();
    EXPECT_EQ(library.GetProcAs<TwiceFunction>("KorvaTestTwice"), twice);

    // A new name unloads.
    library.SetLibraryName(KORVA_TEST_LIBRARY);
    EXPECT_FALSE(library.IsLoaded());
    library.Load();
    EXPECT_TRUE(library.IsLoaded());
    library.Unload();
    EXPECT_FALSE(library.IsLoaded());
    library.Unload(); // nothing loaded: nothing happens
}

TEST(DynamicLibrary, NotOpen)
{
    TDynamicLibrary library;
    EXPECT_EQ(MessageOf<EDLLNotOpenError>([&] { library.GetProc("_IKORVA"); }), "Library is not open");
}

TEST(DynamicLibrary, MissingFile)
{
    const std::string missing = std::string(KORVA_BIN_DIR) + "/no_such_library.so";
    for (const std::string& name : {missing, std::string("libkorva_no_such_library.so"), std::string()}) {
        TDynamicLibrary library;
        library.SetLibraryName(name);
        EXPECT_EQ(MessageOf<EFileNotFoundError>([&] { library.Load(); }), "Library could not be located") << name;
        EXPECT_FALSE(library.IsLoaded());
    }
}

TEST(DynamicLibrary, LibraryThatCannotBeMadeReady)
{
    TDynamicLibrary library;
    library.SetLibraryName(KORVA_TEST_UNRESOLVED_LIBRARY);
    EXPECT_EQ(MessageOf<EInitError>([&] { library.Load(); }), "Library failed to properly initialize");
    EXPECT_FALSE(library.IsLoaded());
}

TEST(DynamicLibrary, OtherFailuresLeaveItNotLoaded)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("korva_not_a_library_" + std::to_string(::getpid()) + ".so");
    {
        std::ofstream out(path, std::ios::binary);
        out << "this is text, not a shared library\n";
    }
    TDynamicLibrary library;
    library.SetLibraryName(path.string());
    EXPECT_NO_THROW(library.Load());
    std::filesystem::remove(path);
    EXPECT_FALSE(library.IsLoaded());
    EXPECT_FALSE(library.LastError().empty());
    EXPECT_THROW(library.GetProc("KorvaTestTwice"), EDLLNotOpenError);
}

} // namespace
