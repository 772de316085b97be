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

#include "ikorva.h"
#include "run_driver.h"
#include "run_state.h"

namespace {

void WriteFile(const std::string& path, const std::string& text)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        std::abort();
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
}

// The folder of this fuzzing process, made once and removed at exit. A plain
// character array: it outlives every static object, the exit handler included.
char folder_path[] = "/tmp/korva-fuzz.XXXXXX";

void RemoveRunFolder()
{
    for (const char* name : {"names.dat", "p.kv7d", "p.cpt", "p.kv7o", "p.kv7p"})
        std::remove((std::string(folder_path) + "/" + name).c_str());
    rmdir(folder_path);
}

std::string RunFolder()
{
    static const bool made = [] {
        if (!mkdtemp(folder_path) || chdir(folder_path) != 0)
            std::abort();
        std::atexit(RemoveRunFolder);
        const std::string folder = folder_path;
        WriteFile(folder + "/names.dat", "2015.7.5\n\n\n0\n" + folder + "/p.kv7d\n" + folder + "/p.kv7o\n" +
                                             folder + "/p.kv7p\n" + folder + "/p.cpt\n");
        return true;
    }();
    (void)made;
    return folder_path;
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
