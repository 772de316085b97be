#pragma once
// The version of the program: in the hand-off file of every run, the main
// window's caption, the About box and the update query.
#include <string>

namespace korva::app {

inline std::string GetVersion()
{
    return "2015.7.5";
}

} // namespace korva::app
