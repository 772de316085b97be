#pragma once
// Integer and real helpers of the component library.
#include <cstdint>
#include <span>

#include "number_format.h"

namespace korva::components {

inline int IIf(bool flag, int a, int b)
{
    return flag ? a : b;
}

// On equality both give b.
inline int IMax(int a, int b)
{
    return IIf(b < a, a, b);
}

inline int IMin(int a, int b)
{
    return IIf(a < b, a, b);
}

// Starts from the first element and folds fn over the others, left to right.
// Raises EAssertionFailed for an empty array.
int FoldInts(int (*fn)(int, int), std::span<const int> values);

inline int IMinOf(std::span<const int> values)
{
    return FoldInts(IMin, values);
}

inline bool IsInRange(int value, int low, int high)
{
    return low <= value && value <= high;
}

// The fractional part with the sign of the argument (-1.5 gives -0.5).
Extended FracOf(Extended x);

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2,
// 3.5 gives 4, -2.5 gives -2). Raises EArithmeticError for a value that is
// not finite or whose rounding lies outside the 64-bit range.
std::int64_t RoundToInt(Extended x);

// -2147483648 <= x <= 2147483647 and no fractional part.
bool IsWholeNumber(Extended x);

} // namespace korva::components
