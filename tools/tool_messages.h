#pragma once
// The command-line tools' messages: "tool: message" or the usage line on the
// error stream, and 2, the exit code of a run that could not be set up.
#include <cstdio>
#include <string>

namespace korva::tools {

inline int Fail(const char* tool, const std::string& message)
{
    std::fprintf(stderr, "%s: %s\n", tool, message.c_str());
    return 2;
}

inline int Usage(const char* usage)
{
    std::fprintf(stderr, "usage: %s\n", usage);
    return 2;
}

} // namespace korva::tools
