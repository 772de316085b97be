#pragma once
// MessageOf<E>(fn): runs fn and returns the message of the E that it raised,
// or "<none>" when it raised nothing; other exceptions pass through.
#include <string>

namespace korva::test {

template <class E, class Fn>
std::string MessageOf(Fn fn)
{
    try {
        fn();
    } catch (const E& e) {
        return e.what();
    }
    return "<none>";
}

} // namespace korva::test
