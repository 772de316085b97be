#pragma once
// The component library's exception classes. Every failure of the graphical
// program is one of these: an exception carrying a message, caught where the
// user acts and shown in a message box. All derive from Exception, so one
// handler can catch them all.
#include <exception>
#include <string>

namespace korva::components {

// The common base exception: a message and nothing else.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }
    const std::string& Message() const noexcept { return message_; }

private:
    std::string message_;
};

// Declares a class E derived from Base that takes its message as given.
#define KORVA_DECLARE_EXCEPTION(E, Base) \
    class E : public Base {              \
    public:                              \
        using Base::Base;                \
    }

// A guard routine's condition failed and no other class was named.
KORVA_DECLARE_EXCEPTION(EAssertionFailed, Exception);
// An entered text could not be evaluated or assigned to a cell or field.
KORVA_DECLARE_EXCEPTION(EAssignError, Exception);
// A file could not be read, or its words are not what the reader expected.
KORVA_DECLARE_EXCEPTION(EInOutError, Exception);
// An index outside a list's items.
KORVA_DECLARE_EXCEPTION(EListError, Exception);
// A value read or written through a type that does not hold it.
KORVA_DECLARE_EXCEPTION(EInvalidCast, Exception);
// A text is not a number, or a format pattern does not fit its arguments.
KORVA_DECLARE_EXCEPTION(EConvertError, Exception);
// An arithmetic fault: a zero divisor, a result that is not finite, a value
// out of the range of the integer it is converted to. Raised in place of a
// signal or a silent infinity or NaN.
KORVA_DECLARE_EXCEPTION(EArithmeticError, Exception);
// A duplicate unit symbol or category name.
KORVA_DECLARE_EXCEPTION(eNameError, Exception);

// Failures of the dynamic library loader; catch EDLLError for all three.
KORVA_DECLARE_EXCEPTION(EDLLError, Exception);

class EInitError : public EDLLError {
public:
    EInitError() : EDLLError("Library failed to properly initialize") {}
    using EDLLError::EDLLError;
};

class EFileNotFoundError : public EDLLError {
public:
    EFileNotFoundError() : EDLLError("Library could not be located") {}
    using EDLLError::EDLLError;
};

class EDLLNotOpenError : public EDLLError {
public:
    EDLLNotOpenError() : EDLLError("Library is not open") {}
    using EDLLError::EDLLError;
};

} // namespace korva::components
