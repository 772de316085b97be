// korva-gui-probe run and validate: the Computation menu's run and checks on
// the main window, answered in JSON.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "project_fixture.h"
#include "temp_folder.h"
#include "test_support.h"

namespace korva::test {
namespace {

// The last line of the probe's output.
std::string Probe(const std::string& arguments)
{
    const std::string command = std::string(KORVA_BIN_DIR "/korva-gui-probe ") + arguments + " 2>/dev/null";
    std::FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return {};
    std::string output;
    char buffer[4096];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
        output.append(buffer, got);
    pclose(pipe);
    while (!output.empty() && output.back() == '\n')
        output.pop_back();
    return output.substr(output.rfind('\n') + 1);
}

void SaveSample(const std::string& path, Extended modulus)
{
    ProjectHost h;
    TProgramData p(h.host);
    MakeEnglishThreeLayers(p, h);
    p.ElasticModulus = modulus;
    p.FileName = path;
    p.SaveToFile();
}

TEST(ProbeRun, RunsTheProjectAsTheRunMenuDoes)
{
    TempFolder folder;
    SaveSample(folder.Path("pile.kv7d"), 29000000);
    const std::string result = Probe("run " + folder.Path("pile.kv7d"));
    EXPECT_NE(result.find("\"status\":0"), std::string::npos) << result;
    EXPECT_NE(result.find("\"ok\":true"), std::string::npos) << result;
    EXPECT_NE(result.find(folder.Path("pile.kv7o")), std::string::npos) << result;
    EXPECT_NE(result.find(folder.Path("pile.kv7p")), std::string::npos) << result;
    EXPECT_NE(result.find("Computations are completed."), std::string::npos) << result;
    EXPECT_TRUE(folder.Exists("pile.kv7o"));
    EXPECT_FALSE(folder.Exists("names.dat"));

    const std::string missing = Probe("run " + folder.Path("missing.kv7d"));
    EXPECT_NE(missing.find("\"ok\":false"), std::string::npos) << missing;
    EXPECT_FALSE(folder.Exists("missing.kv7d"));
}

TEST(ProbeRun, ValidateListsTheWarningsInOrder)
{
    TempFolder folder;
    SaveSample(folder.Path("pile.kv7d"), 0);
    const std::string result = Probe("validate " + folder.Path("pile.kv7d"));
    EXPECT_NE(result.find("\"warnings\":[\"Modulus of Elasticity should be greater than zero.\\nPlease check input "
                          "data (Pile Material Window)\"]"),
              std::string::npos)
        << result;
    EXPECT_NE(result.find("\"valid\":false"), std::string::npos) << result;
    EXPECT_FALSE(folder.Exists("pile.kv7o"));
}

} // namespace
} // namespace korva::test
