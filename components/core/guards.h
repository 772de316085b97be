#pragma once
// Guard routines: the component library checks its preconditions with these.
// Require and Check raise when the condition is false, RaiseIf and ErrorIf
// when it is true. The exception class is the template argument; leaving it
// out (the "no class" case) raises EAssertionFailed. The message is passed to
// the class as given. The ...Fmt variants format the message with Format
// first, on every call, before the condition is looked at.
#include <initializer_list>
#include <string>
#include <string_view>
#include <variant>

#include "exceptions.h"

namespace korva::components {

// One argument of Format: an integer (for %d, %u, %x) or a text (for %s).
class FormatArg {
public:
    FormatArg(int v) : value_(static_cast<long long>(v)) {}
    FormatArg(long v) : value_(static_cast<long long>(v)) {}
    FormatArg(long long v) : value_(v) {}
    FormatArg(unsigned v) : value_(static_cast<long long>(v)) {}
    FormatArg(const char* v) : value_(std::string(v)) {}
    FormatArg(std::string v) : value_(std::move(v)) {}
    FormatArg(std::string_view v) : value_(std::string(v)) {}

    const std::variant<long long, std::string>& Get() const { return value_; }

private:
    std::variant<long long, std::string> value_;
};

// Formats the pattern with the arguments, as the messages of this library are
// written: %d (decimal), %u (unsigned decimal), %x (upper-case hexadecimal),
// %s (text), %% (a percent sign); each with an optional "-" (left-justify),
// width and ".precision" (minimum digits for integers, maximum characters for
// texts). Raises EConvertError for a missing argument or a type that does
// not fit. Never uses the C locale.
std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args);

template <class E = EAssertionFailed>
void RaiseIf(bool condition, const std::string& message)
{
    if (condition)
        throw E(message);
}

template <class E = EAssertionFailed>
void ErrorIf(bool condition, const std::string& message)
{
    RaiseIf<E>(condition, message);
}

template <class E = EAssertionFailed>
void RaiseIfFmt(bool condition, std::string_view pattern, std::initializer_list<FormatArg> args)
{
    const std::string message = Format(pattern, args);
    RaiseIf<E>(condition, message);
}

template <class E = EAssertionFailed>
void ErrorIfFmt(bool condition, std::string_view pattern, std::initializer_list<FormatArg> args)
{
    const std::string message = Format(pattern, args);
    ErrorIf<E>(condition, message);
}

template <class E = EAssertionFailed>
void Require(bool condition, const std::string& message)
{
    RaiseIf<E>(!condition, message);
}

template <class E = EAssertionFailed>
void Check(bool condition, const std::string& message)
{
    Require<E>(condition, message);
}

template <class E = EAssertionFailed>
void RequireFmt(bool condition, std::string_view pattern, std::initializer_list<FormatArg> args)
{
    const std::string message = Format(pattern, args);
    Require<E>(condition, message);
}

template <class E = EAssertionFailed>
void CheckFmt(bool condition, std::string_view pattern, std::initializer_list<FormatArg> args)
{
    const std::string message = Format(pattern, args);
    Check<E>(condition, message);
}

} // namespace korva::components
