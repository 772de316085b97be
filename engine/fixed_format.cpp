#include "fixed_format.h"

namespace korva::engine {

std::string FormatRecord(std::string_view, std::initializer_list<FormatValue>)
{
    return "\n"; // not yet written
}

} // namespace korva::engine
