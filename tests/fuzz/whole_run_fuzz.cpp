// A whole run of the engine on arbitrary input files. The input is the
// project file, optionally followed by a form feed and the CPT point file.
// Each run works in a private folder with names.dat, as the program runs it.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

#include "fuzz_files.h"
#include "ikorva.h"
#include "run_driver.h"
#include "run_state.h"

namespace {

using korva::fuzz::WriteFile;

// The run folder of this fuzzing process, with names.dat, made once.
std::string RunFolder()
{
    static const std::string folder = [] {
        const std::string made = korva::fuzz::Folder();
        if (chdir(made.c_str()) != 0)
            std::abort();
        WriteFile(made + "/names.dat", "2015.7.5\n\n\n0\n" + made + "/p.kv7d\n" + made + "/p.kv7o\n" + made +
                                           "/p.kv7p\n" + made + "/p.cpt\n");
        return made;
    }();
    return folder;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korva::engine;
    const std::string folder = RunFolder();
    const std::string input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\f');
    WriteFile(folder + "/p.kv7d", input.substr(0, split));
    WriteFile(folder + "/p.cpt", split == std::string::npos ? std::string(" 1 0\n") : input.substr(split + 1));

    static std::FILE* const quiet = std::fopen("/dev/null", "w");
    auto state = std::make_unique<RunState>();
    state->console = Console{quiet, nullptr, quiet, false};
    state->clock = [] { return AnalysisTime{2015, 7, 5, 12, 0, 0}; };
    const int status = RunGuarded(*state, RunPileAnalysis);
    if (status != 0 && status != 1)
        std::abort();
    return 0;
}
