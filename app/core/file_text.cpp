#include "file_text.h"

#include <cmath>

#include "exceptions.h"

namespace korva::app {

void RequireFinite(components::Extended value, const std::string& what)
{
    if (!std::isfinite(value))
        throw components::EInOutError(what + " is not a finite number.");
}

} // namespace korva::app
