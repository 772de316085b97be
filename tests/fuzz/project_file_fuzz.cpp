// The project file reader on arbitrary text: no crash, no sanitizer report,
// and every count it accepts stays within the engine's storage.
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
    const auto problem = ReadProjectFile(*state, reader);
    if (!problem) {
        const RunState& s = *state;
        if (s.SoilPointCount < 2 || s.SoilPointCount > MaxSoilPoints || s.TzDepthCount < 0 ||
            s.TzDepthCount > MaxTzDepths || s.SectionRowCount < 0 || s.SectionRowCount > MaxSectionRows ||
            !(s.IncrementLength > 0.0) || !(s.OuterDiameter > 0.0) || s.LoadTransferMethod < 1 ||
            s.LoadTransferMethod > 9 || s.PrintEvery < 1)
            std::abort();
    }
    return 0;
}
