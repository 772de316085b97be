#pragma once
// Golden files for fixed-column output. A test compares its text with a file
// under tests/data; with KORVA_UPDATE_GOLDEN=1 in the environment it writes
// the text there instead (and still passes), so a deliberate layout change
// is one run plus a review of the diff.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "test_support.h"

namespace korva::test {

inline bool UpdatingGoldens()
{
    const char* flag = std::getenv("KORVA_UPDATE_GOLDEN");
    return flag && std::string(flag) == "1";
}

inline void ExpectMatchesGolden(const std::string& actual, const std::string& relative)
{
    const std::string path = DataPath(relative);
    if (UpdatingGoldens()) {
        std::ofstream out(path, std::ios::binary);
        out << actual;
        ASSERT_TRUE(out.good()) << "cannot write " << path;
        return;
    }
    std::ifstream in(path, std::ios::binary);
    ASSERT_TRUE(in.good()) << "no golden file " << path << " (run with KORVA_UPDATE_GOLDEN=1)";
    std::ostringstream expected;
    expected << in.rdbuf();
    EXPECT_EQ(actual, expected.str()) << "differs from " << path;
}

} // namespace korva::test
