// The sample projects of examples/ run as they are shipped, and their CPT
// profiles hold cone resistances in the project's stress unit (ksf in
// English projects, kPa in SI), which is how the engine reads them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "engine_run.h"

namespace {

using namespace korva::test;

TEST(Examples, RunWithConeResistancesInTheProjectUnits)
{
    const std::filesystem::path examples = std::filesystem::path(KORVA_TEST_DATA_DIR) / ".." / ".." / "examples";
    int projects = 0;
    for (const auto& entry : std::filesystem::directory_iterator(examples)) {
        if (entry.path().extension() != ".kv7d")
            continue;
        ++projects;
        SCOPED_TRACE(entry.path().filename().string());
        RunFolder folder;
        folder.WriteHandOff();
        folder.Write("pile.kv7d", ReadText(entry.path().string()));
        std::filesystem::path cpt = entry.path();
        folder.Write("pile.cpt", ReadText(cpt.replace_extension(".cpt").string()));
        const RunResult run = RunEngine(folder);
        EXPECT_EQ(run.status, 0) << run.report;

        // No sand or clay has a cone resistance of 50 MPa (1044 ksf); a
        // profile above it was entered in another unit.
        const korva::engine::RunState& s = *run.state;
        const double highest = s.Units == 1 ? 1044.0 : 50000.0;
        EXPECT_GT(s.CptPointCount, 0);
        for (int i = 0; i < s.CptPointCount; ++i)
            EXPECT_LT(s.CptProfile.cone_resistance[i], highest) << "CPT point " << i + 1;
    }
    EXPECT_GE(projects, 2);
}

} // namespace
