#include "expression.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <optional>
#include <vector>

#include "exceptions.h"
#include "guards.h"
#include "int_utils.h"
#include "number_format.h"
#include "string_utils.h"

namespace korva::components {

namespace {

const std::string kEvaluationFailed = "Entry could not be evaluated:\r";

[[noreturn]] void Fail(const char* detail)
{
    throw EAssignError(kEvaluationFailed + detail);
}

[[noreturn]] void Fault(const char* detail)
{
    throw EArithmeticError(kEvaluationFailed + detail);
}

[[noreturn]] void DivisionByZero() { Fault("division by zero"); }

// Every arithmetic result passes here: no infinity or NaN goes on.
Extended Finite(Extended x)
{
    if (std::isnan(x))
        Fault("the result is not a real number");
    if (std::isinf(x))
        Fault("the result is out of range");
    return x;
}

Extended Divide(Extended a, Extended b)
{
    if (b == 0)
        DivisionByZero();
    return Finite(a / b);
}

// Bounds of the integer conversions, exact in Extended.
constexpr Extended kInt64Low = -9223372036854775808.0L; // -2^63
constexpr Extended kInt64End = 9223372036854775808.0L;  // 2^63, excluded

std::int64_t TruncToInt64(Extended x)
{
    const Extended t = std::trunc(x);
    if (!(t >= kInt64Low && t < kInt64End))
        Fault("the value is out of the integer range");
    return static_cast<std::int64_t>(t);
}

std::int32_t ToInt32(Extended whole)
{
    if (!(whole >= -2147483648.0L && whole <= 2147483647.0L))
        Fault("the value is out of the integer range");
    return static_cast<std::int32_t>(whole);
}

// Intermediate values go back into the text with 18 significant digits.
std::string FormatValue(Extended x)
{
    return FormatGeneral(x, kEntryPrecision);
}

// The prefix functions in the order they are tried: every name comes before
// the shorter names it begins with ("cosec" and "cosh" before "cos").
enum class Function {
    ArcTanh, ArcTan, Cotan, Tanh, Tan, ArcCosh, ArcCos, Cosh, Cosec, Cos, Sec, ArcSinh,
    ArcSin, Sinh, Sin, Csc, Abs, Frac, Int, Ln, Round, Ceil, Floor, Log, Sqrt,
};

struct FunctionName {
    std::string_view name;
    Function function;
};

constexpr std::array<FunctionName, 25> kFunctions{{
    {"arctanh", Function::ArcTanh}, {"arctan", Function::ArcTan}, {"cotan", Function::Cotan},
    {"tanh", Function::Tanh},       {"tan", Function::Tan},       {"arccosh", Function::ArcCosh},
    {"arccos", Function::ArcCos},   {"cosh", Function::Cosh},     {"cosec", Function::Cosec},
    {"cos", Function::Cos},         {"sec", Function::Sec},       {"arcsinh", Function::ArcSinh},
    {"arcsin", Function::ArcSin},   {"sinh", Function::Sinh},     {"sin", Function::Sin},
    {"csc", Function::Csc},         {"abs", Function::Abs},       {"frac", Function::Frac},
    {"int", Function::Int},         {"ln", Function::Ln},         {"round", Function::Round},
    {"ceil", Function::Ceil},       {"floor", Function::Floor},   {"log", Function::Log},
    {"sqrt", Function::Sqrt},
}};

Extended Apply(Function f, Extended x)
{
    switch (f) {
    case Function::ArcTanh: return Finite(std::atanh(x));
    case Function::ArcTan: return Finite(std::atan(x));
    case Function::Cotan: return Divide(1, std::tan(x));
    case Function::Tanh: return Finite(std::tanh(x));
    case Function::Tan: return Finite(std::tan(x));
    case Function::ArcCosh: return Finite(std::acosh(x));
    case Function::ArcCos: return Finite(std::acos(x));
    case Function::Cosh: return Finite(std::cosh(x));
    case Function::Cosec: return Cosec(x);
    case Function::Cos: return Finite(std::cos(x));
    case Function::Sec: return Sec(x);
    case Function::ArcSinh: return Finite(std::asinh(x));
    case Function::ArcSin: return Finite(std::asin(x));
    case Function::Sinh: return Finite(std::sinh(x));
    case Function::Sin: return Finite(std::sin(x));
    case Function::Csc: return Cosec(x);
    case Function::Abs: return std::fabs(x);
    case Function::Frac: return FracOf(x);
    case Function::Int: return std::trunc(x);
    case Function::Ln: return Finite(std::log(x));
    case Function::Round:
        // Halves go to the even neighbour, so 2^63 - 0.5 would round out.
        if (!(x >= kInt64Low && x < kInt64End - 0.5L))
            Fault("the value is out of the integer range");
        return static_cast<Extended>(RoundToInt(x));
    case Function::Ceil: return ToInt32(std::ceil(x));
    case Function::Floor: return ToInt32(std::floor(x));
    case Function::Log: return Finite(std::log10(x));
    case Function::Sqrt: return Finite(std::sqrt(x));
    }
    return x;
}

// Hexadecimal 32-bit integer: "$" and 1 to 8 digits, wrapping to a signed
// value ($FFFFFFFF is -1). The text is already lower case.
Extended ReadHex(std::string_view text)
{
    const std::string_view digits = text.substr(1);
    std::uint32_t value = 0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value, 16);
    if (digits.empty() || digits.size() > 8 || result.ec != std::errc() ||
        result.ptr != digits.data() + digits.size())
        Fail("invalid use of $ (hex function)");
    return static_cast<Extended>(static_cast<std::int32_t>(value));
}

// Deleting "--" pairs one at a time, always the first, leaves every run of
// minus signs at its length modulo 2 (runs never merge).
std::string DeleteDoubleMinus(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    bool oddRun = false;
    for (char c : text) {
        if (c == '-') {
            oddRun = !oddRun;
            continue;
        }
        if (oddRun)
            result.push_back('-');
        oddRun = false;
        result.push_back(c);
    }
    if (oddRun)
        result.push_back('-');
    return result;
}

bool IsOperator(char c)
{
    switch (c) {
    case '^': case '*': case '/': case '%': case '+': case '=': case '|': case '&':
    case kSubtractionMarker:
        return true;
    default:
        return false;
    }
}

// After one of these a "-" belongs to the operand that follows.
bool TakesUnaryMinus(char c)
{
    switch (c) {
    case '%': case '&': case '*': case '+': case '/': case '=': case 'E': case '^':
    case 'e': case '|': case '~': case kSubtractionMarker:
        return true;
    default:
        return false;
    }
}

// Left raised to the power right, as the platform's Power does it: an
// integral exponent up to 2147483647 in magnitude by squaring and
// multiplying (so negative bases work), any other by exp(right * ln left).
Extended Power(Extended base, Extended exponent)
{
    if (exponent == 0)
        return 1;
    if (base == 0 && exponent > 0)
        return 0;
    if (std::trunc(exponent) == exponent && std::fabs(exponent) <= 2147483647.0L) {
        const auto n = static_cast<std::int64_t>(exponent);
        std::uint64_t bits = static_cast<std::uint64_t>(n < 0 ? -n : n);
        Extended result = 1;
        Extended square = base;
        bool beyondRange = false;
        for (;;) {
            if (bits & 1u)
                result *= square;
            bits >>= 1;
            if (bits == 0)
                break;
            square *= square;
            if (std::isinf(square)) {
                beyondRange = true; // a later factor is beyond range: stop at once
                break;
            }
        }
        beyondRange = beyondRange || std::isinf(result);
        if (n > 0) {
            if (beyondRange)
                Fault("the result is out of range");
            return result;
        }
        if (base == 0)
            DivisionByZero();
        if (result == 0) // the power underflowed, so its reciprocal is beyond range
            Fault("the result is out of range");
        // The reciprocal of a power beyond range is too small for any number.
        return beyondRange ? 0.0L : Finite(1 / result);
    }
    return Finite(std::exp(exponent * std::log(base)));
}

// One operand of the passes: kept as text until it is needed.
struct Operand {
    std::string text;
    Extended Value() const { return EvaluateOperand(text); }
};

using Reducer = std::string (*)(char op, const Operand& left, const Operand& right);

std::string ReducePower(char, const Operand& left, const Operand& right)
{
    const Extended a = left.Value();
    return FormatValue(Power(a, right.Value()));
}

std::string ReduceProduct(char op, const Operand& left, const Operand& right)
{
    const Extended a = left.Value();
    const Extended b = right.Value();
    switch (op) {
    case '*':
        return FormatValue(Finite(a * b));
    case '/':
        return FormatValue(Divide(a, b));
    case '%': {
        const std::int64_t n = TruncToInt64(a);
        const std::int64_t d = TruncToInt64(b);
        if (d == 0)
            DivisionByZero();
        return Format("%d", {static_cast<long long>(d == -1 ? 0 : n % d)}); // INT64_MIN % -1 overflows
    }
    default: // '&'
        return (a != 0 && b != 0) ? "1" : "0";
    }
}

std::string ReduceSum(char op, const Operand& left, const Operand& right)
{
    const Extended a = left.Value();
    if (op == '|')
        return (a != 0 || right.Value() != 0) ? "1" : "0";
    const Extended b = right.Value();
    return FormatValue(Finite(op == '+' ? a + b : a - b));
}

std::string ReduceEqual(char, const Operand& left, const Operand& right)
{
    const Extended a = left.Value();
    return a == right.Value() ? "1" : "0";
}

// One left-to-right pass over the operators named in ops: each one found
// joins its two operands into one.
void RunPass(std::vector<Operand>& operands, std::vector<char>& operators,
             std::string_view ops, Reducer reduce)
{
    std::vector<Operand> keptOperands;
    std::vector<char> keptOperators;
    keptOperands.reserve(operands.size());
    keptOperators.reserve(operators.size());
    keptOperands.push_back(std::move(operands[0]));
    for (std::size_t i = 0; i < operators.size(); ++i) {
        if (ops.find(operators[i]) != std::string_view::npos) {
            keptOperands.back().text = reduce(operators[i], keptOperands.back(), operands[i + 1]);
        } else {
            keptOperators.push_back(operators[i]);
            keptOperands.push_back(std::move(operands[i + 1]));
        }
    }
    operands = std::move(keptOperands);
    operators = std::move(keptOperators);
}

// Resolves parentheses innermost first: the first ")" and the last "("
// before it enclose a part without parentheses, which is replaced by the
// text of its value.
void ResolveParentheses(std::string& text)
{
    for (;;) {
        const std::size_t close = text.find(')');
        if (close == std::string::npos)
            return;
        const std::size_t open = text.rfind('(', close);
        if (open == std::string::npos)
            Fail("() (parentheses) do not match");
        const Extended value =
            EvaluateExpression(std::string_view(text).substr(open + 1, close - open - 1));
        text.replace(open, close - open + 1, FormatValue(value));
    }
}

// Marks every "-" that is a subtraction. A unary minus stays in the text and
// belongs to its operand; the decision is taken on a copy in which unary
// minus signs are "~".
void MarkSubtractions(std::string& text)
{
    std::string copy = text;
    for (std::size_t i = 0; i < copy.size(); ++i) {
        if (copy[i] != '-')
            continue;
        const bool unary = i == 0 || IsFunctionName(std::string_view(text).substr(0, i)) ||
                           TakesUnaryMinus(copy[i - 1]);
        if (unary) {
            copy[i] = '~';
        } else {
            copy[i] = kSubtractionMarker;
            text[i] = kSubtractionMarker;
        }
    }
}

} // namespace

bool IsFunctionName(std::string_view text)
{
    if (text.size() > 7)
        return false;
    const std::string lower = LowerCase(text);
    if (lower == "!" || lower == "$")
        return true;
    for (const FunctionName& f : kFunctions) {
        if (f.name == lower)
            return true;
    }
    return false;
}

Extended Sec(Extended x) { return Divide(1, std::cos(x)); }

Extended Cosec(Extended x) { return Divide(1, std::sin(x)); }

Extended Factorial(Extended x)
{
    if (x != std::trunc(x))
        Fail("! (factoral) applicable to integers only");
    Extended a = std::fabs(x);
    if (a == 0)
        return 1;
    Extended result = a;
    // Stops at the first product beyond range, so a huge operand ends at
    // once (from 1755 on every factorial is beyond range).
    for (a -= 1; a >= 1; a -= 1)
        result = Finite(result * a);
    return x < 0 ? -result : result;
}

Extended EvaluateOperand(std::string_view operand)
{
    std::string text = LowerCase(DeleteDoubleMinus(operand));
    // Functions and factorials nest ("sinsqrt2", "3!!"): collect them from
    // the outside in, then apply them from the inside out.
    std::vector<std::optional<Function>> pending; // empty: a factorial
    std::string_view rest = text;
    Extended value = 0;
    for (;;) {
        if (rest == "pi" || rest == "-pi") {
            value = rest[0] == '-' ? -std::numbers::pi_v<Extended> : std::numbers::pi_v<Extended>;
            break;
        }
        if (rest == "e" || rest == "-e") {
            value = rest[0] == '-' ? -std::numbers::e_v<Extended> : std::numbers::e_v<Extended>;
            break;
        }
        const FunctionName* match = nullptr;
        for (const FunctionName& f : kFunctions) {
            if (rest.starts_with(f.name)) {
                match = &f;
                break;
            }
        }
        if (match) {
            pending.push_back(match->function);
            rest.remove_prefix(match->name.size());
            continue;
        }
        if (!rest.empty() && rest.back() == '!') {
            pending.push_back(std::nullopt);
            rest.remove_suffix(1);
            continue;
        }
        if (!rest.empty() && rest.front() == '$') {
            value = ReadHex(rest);
            break;
        }
        if (!TryParseNumber(rest, value))
            Fail("invalid character(s) in expression");
        break;
    }
    for (auto it = pending.rbegin(); it != pending.rend(); ++it)
        value = *it ? Apply(**it, value) : Factorial(value);
    return value;
}

Extended EvaluateExpression(std::string_view entry)
{
    if (entry.empty())
        Fail("entry cannot be blank");
    std::string text;
    text.reserve(entry.size());
    for (char c : entry) {
        if (c != ' ' && c != '\t')
            text.push_back(c);
    }
    ResolveParentheses(text);
    MarkSubtractions(text);

    std::vector<Operand> operands;
    std::vector<char> operators;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsOperator(text[end]))
            ++end;
        operands.push_back({text.substr(start, end - start)});
        if (end < text.size())
            operators.push_back(text[end]);
        start = end + 1;
    }
    if (operands.size() != operators.size() + 1)
        Fail("invalid expression");

    RunPass(operands, operators, "^", ReducePower);
    RunPass(operands, operators, "*/%&", ReduceProduct);
    RunPass(operands, operators, std::string_view("+\x9b|", 3), ReduceSum);
    RunPass(operands, operators, "=", ReduceEqual);
    return operands[0].Value();
}

} // namespace korva::components
