#include "int_utils.h"

#include <cmath>

#include "exceptions.h"
#include "guards.h"

namespace korva::components {

int FoldInts(int (*fn)(int, int), std::span<const int> values)
{
    Require(!values.empty(), "FoldInts needs at least one value");
    int result = values.front();
    for (std::size_t i = 1; i < values.size(); ++i)
        result = fn(result, values[i]);
    return result;
}

Extended FracOf(Extended x)
{
    return x - std::trunc(x);
}

std::int64_t RoundToInt(Extended x)
{
    if (!std::isfinite(x))
        throw EArithmeticError("Cannot round " + FormatGeneral(x, kEntryPrecision) + " to an integer");
    const Extended below = std::floor(x);
    const Extended rest = x - below; // exact in extended precision
    Extended rounded = below;
    if (rest > 0.5L || (rest == 0.5L && std::fmod(below, 2.0L) != 0))
        rounded = below + 1;
    constexpr Extended limit = 9223372036854775808.0L; // 2^63
    if (rounded < -limit || rounded >= limit)
        throw EArithmeticError("Number " + FormatGeneral(x, kEntryPrecision) + " is too large for an integer");
    return static_cast<std::int64_t>(rounded);
}

bool IsWholeNumber(Extended x)
{
    return x >= -2147483648.0L && x <= 2147483647.0L && FracOf(x) == 0;
}

} // namespace korva::components
