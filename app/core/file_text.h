#pragma once
// Pieces shared by the writers of the program's text files.
#include <string>

#include "number_format.h"

namespace korva::app {

// Every line of the program's files ends with carriage return and line feed.
inline constexpr const char* kLineEnd = "\r\n";

// Raises EInOutError "<what> is not a finite number." unless the value is
// finite: no NaN or infinity reaches a file.
void RequireFinite(components::Extended value, const std::string& what);

} // namespace korva::app
