// libFuzzer target of the expression evaluator (make fuzz): any text is
// evaluated as a numeric entry, with "." and then with "," as the decimal
// separator. Only the evaluator's own errors may come out (EAssignError for
// a text that is no expression, EArithmeticError for an arithmetic fault);
// a value is finite, and its 18-digit text reads back as a number that
// gives the same text. Dictionary: expression_fuzz.dict; seeds:
// expression_fuzz.seeds (one entry per line).
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exceptions.h"
#include "expression.h"
#include "number_format.h"

using namespace korva::components;

namespace {

// Entries are typed into fields and cells; the text rewriting is quadratic
// in the length, so longer inputs only slow the search down.
constexpr std::size_t kMaxEntryLength = 4096;

void Evaluate(std::string_view text)
{
    try {
        const Extended value = EvaluateExpression(text);
        if (!std::isfinite(value))
            std::abort();
        const std::string shown = FormatGeneral(value, kEntryPrecision);
        Extended again = 0;
        if (!TryParseNumber(shown, again) || FormatGeneral(again, kEntryPrecision) != shown)
            std::abort();
    } catch (const EAssignError&) {
    } catch (const EArithmeticError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size > kMaxEntryLength)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    Evaluate(text);
    {
        ScopedDecimalSeparator comma(',');
        Evaluate(text);
    }
    if (DecimalSeparator() != '.')
        std::abort();
    return 0;
}
