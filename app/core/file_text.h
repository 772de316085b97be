#pragma once
// Pieces shared by the writers and readers of the program's files.
#include <string>
#include <string_view>

#include "number_format.h"

namespace korva::app {

// Every line of the program's files ends with carriage return and line feed.
inline constexpr const char* kLineEnd = "\r\n";

// Title, designer and job number stand on lines of their own: control
// characters (line breaks among them) become blanks.
std::string SingleLine(std::string text);

// Raises EInOutError "<what> is not a finite number." unless the value is
// finite: no NaN or infinity reaches a file.
void RequireFinite(components::Extended value, const std::string& what);

// The extension of the file name with its dot (".kv7d"), or "" when the
// name after the last '/' has no dot.
std::string ExtractFileExt(std::string_view path);

// The path with its extension replaced by `extension` (given with its dot),
// or with it appended when the name has none.
std::string ChangeFileExt(std::string_view path, std::string_view extension);

} // namespace korva::app
