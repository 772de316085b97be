#pragma once
// Saving a file so that a failure never leaves it half written.
#include <string>
#include <string_view>

namespace korva::components {

// Replaces the file at path with contents: writes a temporary file in the
// same folder, flushes it to disk and renames it over the old file, which
// keeps its permissions (a symbolic link keeps pointing at the file it names).
// A file the user may not write is not replaced (EACCES, also for root when
// the file has no write permission at all), nor a folder in its place. On
// any failure the old file stays as it was, the temporary file is
// removed and EInOutError is raised: "Cannot write file "<path>". <reason>".
void ReplaceFile(const std::string& path, std::string_view contents);

} // namespace korva::components
