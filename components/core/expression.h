#pragma once
// The expression evaluator behind every numeric entry of the program: a field
// or a table cell accepts "2*3", "sqrt2", "(1+2)*3", "$FF" or "5!" as well as a
// plain number.
//
// It rewrites text: parentheses are resolved innermost first by putting the
// text of their value in their place, intermediate values are kept as text in
// the general number format with 18 significant digits, and the operators are
// applied in four left-associative passes of falling precedence. Users and
// stored entries rely on what follows from that, e.g. 2(3) is 23,
// 1/3*3 is 0.999999999999999999, 2^3^2 is 64 and 1.5E+3 is not a number.
//
// Failures: a text that is not a valid expression raises EAssignError
// ("Entry could not be evaluated:" + CR + a detail); an arithmetic fault (a
// zero divisor, a result that is not finite, a value beyond the integer range
// it is converted to) raises EArithmeticError. Nothing here signals, and no
// infinity or NaN comes out.
#include <string_view>

#include "number_format.h"

namespace korva::components {

// Value of an entered expression (re-entrant; it calls itself for each
// parenthesised part). Decimal numbers use the process-wide decimal separator.
Extended EvaluateExpression(std::string_view text);

// Value of one operand: a constant, a function applied to the operand that
// follows its name, a factorial, a hexadecimal or a decimal number.
Extended EvaluateOperand(std::string_view text);

// True when the lower-cased text is exactly a function name, "!" or "$".
bool IsFunctionName(std::string_view text);

Extended Factorial(Extended x);
Extended Sec(Extended x);   // 1 / cos x
Extended Cosec(Extended x); // 1 / sin x

// Marks the minus of a subtraction inside the expression text, so that a "-"
// left in the text always belongs to its operand.
inline constexpr char kSubtractionMarker = static_cast<char>(155);

} // namespace korva::components
