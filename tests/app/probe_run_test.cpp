// korva-gui-probe run and validate: the Computation menu's run and checks on
// the main window, answered in JSON.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <cerrno>
#include <string>

#include "child_process.h"
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

// A project that could not be read completely is untitled: the run asks for
// a name (the probe's chooser cancels) and writes nothing over its files.
TEST(ProbeRun, ADamagedProjectIsNotWrittenOver)
{
    TempFolder folder;
    SaveSample(folder.Path("pile.kv7d"), 29000000);
    std::string damaged = folder.Read("pile.kv7d");
    damaged.replace(damaged.find("\r\n1 ") + 2, 1, "7"); // Units 7 in line 4
    folder.Write("pile.kv7d", damaged);
    const std::string points = folder.Read("pile.cpt");
    const std::string result = Probe("run " + folder.Path("pile.kv7d"));
    EXPECT_NE(result.find("\"ok\":false"), std::string::npos) << result;
    EXPECT_NE(result.find("\"status\":null"), std::string::npos) << result;
    EXPECT_NE(result.find("\"files\":[]"), std::string::npos) << result;
    EXPECT_NE(result.find("\"project\":\"NewKORVA.kv7d\""), std::string::npos) << result;
    EXPECT_NE(result.find("The unit system (7) must be 1 (English) or 2 (SI)."), std::string::npos) << result;
    EXPECT_EQ(folder.Read("pile.kv7d"), damaged);
    EXPECT_EQ(folder.Read("pile.cpt"), points);
    EXPECT_EQ(folder.Listing(), "pile.cpt pile.kv7d ");
}

// The program's own application object: a save that meets a file-size limit
// (ulimit -f) fails with its message, the old project file and CPT point
// file both kept, instead of the process ending half way through the pair.
TEST(ProbeRun, ASaveBeyondTheFileSizeLimitIsAFailedWrite)
{
    TempFolder folder;
    SaveSample(folder.Path("pile.kv7d"), 29000000);
    const std::string project = folder.Read("pile.kv7d");
    const std::string points = folder.Read("pile.cpt");
    ChildOptions options;
    options.FileSizeLimit = 2000; // the benchmark's project file fits, its 200 CPT points do not
    ChildProcess probe({KORVA_BIN_DIR "/korva-gui-probe", "save", DataPath("../../examples/benchmark-pile.kv7d"),
                        folder.Path("pile.kv7d")},
                       options);
    const ChildEnd end = probe.Wait();
    ASSERT_TRUE(end.Exited) << "ended by signal " << end.Signal;
    EXPECT_NE(end.Output.find("\"messages\":[\"Cannot write file \\\"" + folder.Path("pile.cpt") +
                                  "\\\". " + SystemErrorText(EFBIG) + "\"]"),
              std::string::npos)
        << end.Output;
    EXPECT_EQ(folder.Read("pile.kv7d"), project);
    EXPECT_EQ(folder.Read("pile.cpt"), points);
    EXPECT_EQ(folder.Listing(), "pile.cpt pile.kv7d ");
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
