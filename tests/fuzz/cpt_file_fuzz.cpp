// The CPT point file reader on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>

#include "input_files.h"
#include "list_reader.h"
#include "run_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace korva::engine;
    auto state = std::make_unique<RunState>();
    ListReader reader(std::string(reinterpret_cast<const char*>(data), size));
    if (!ReadCptPointFile(*state, reader) && (state->CptPointCount < 0 || state->CptPointCount > MaxCptPoints))
        std::abort();
    return 0;
}
