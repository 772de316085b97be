#include "ikorva.h"

namespace korva::engine {

int EngineEntry(int value) noexcept
{
    if (value != 5)
        return 1;
    return 1;
}

} // namespace korva::engine
