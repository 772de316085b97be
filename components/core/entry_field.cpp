#include "entry_field.h"

#include <cmath>
#include <cstdint>
#include <cstring>

#include "exceptions.h"
#include "expression.h"
#include "int_utils.h"
#include "unit_codes.h"

namespace korva::components {

namespace {

constexpr Extended kInt32Min = -2147483648.0L;
constexpr Extended kInt32Max = 2147483647.0L;

Extended LimitToInt32(Extended value)
{
    return value < kInt32Min ? kInt32Min : value > kInt32Max ? kInt32Max : value;
}

// The failures of the exit validation other than a bad entry.
enum class TRangeFailure { None, NotIntegral, BelowMin, AboveMax };

} // namespace

Extended EntryBoundDefault()
{
    // Built from its bits: the decimal text would round to the mantissa
    // ending in B1 instead.
    static const Extended bound = std::ldexp(static_cast<Extended>(0xFFFFFFFFFFFFFFB0ULL), 16320);
    return bound;
}

TEntryModel::TEntryModel(TEntryKind kind)
    : kind_(kind),
      minVal_(kind == TEntryKind::Edit ? -EntryBoundDefault() : 0),
      maxVal_(kind == TEntryKind::Edit ? EntryBoundDefault() : 0)
{
}

void TEntryModel::SetIntegerOnly(bool value)
{
    integerOnly_ = value;
    if (value && !Loading) {
        SetMaxVal(maxVal_);
        SetMinVal(minVal_);
    }
}

void TEntryModel::SetMaxVal(Extended value)
{
    if (!Loading) {
        if (value < minVal_)
            value = minVal_;
        if (integerOnly_)
            value = LimitToInt32(value);
        if (GetNumber() > value)
            SetNumber(value);
    }
    maxVal_ = value;
}

void TEntryModel::SetMinVal(Extended value)
{
    if (Loading) {
        minVal_ = value;
        return;
    }
    if (value > maxVal_)
        value = maxVal_;
    if (integerOnly_)
        value = LimitToInt32(value);
    minVal_ = value;
    if (GetNumber() < value)
        SetNumber(value);
}

void TEntryModel::SetUnits(int units)
{
    units_ = units < 1 ? 1 : units > 3 ? 3 : units;
}

Extended TEntryModel::GetNumber()
{
    if (TextKept())
        return keptNumber_;
    if (kind_ == TEntryKind::Combo)
        for (std::size_t i = 0; i < Items.size(); ++i)
            if (Items[i] == text_) {
                if (i < Values.size())
                    text_ = Values[i];
                break;
            }
    return EvaluateExpression(text_);
}

void TEntryModel::SetNumber(Extended value)
{
    if (!Loading) {
        if (value < minVal_)
            value = minVal_;
        if (value > maxVal_)
            value = maxVal_;
    }
    if (TextKept() && value == keptNumber_)
        return;
    text_ = FormatShown(value);
    Keep(value);
}

void TEntryModel::Keep(Extended value)
{
    keepsNumber_ = GeneralFormat();
    keptNumber_ = value;
    keptText_ = text_;
}

std::string TEntryModel::FormatNumber(Extended value) const
{
    if (kind_ == TEntryKind::Combo) {
        if (!integerOnly_)
            return FormatGeneral(value, kCellPrecision);
        if (!std::isfinite(value) || std::fabs(value) >= 9223372036854775808.0L)
            throw EArithmeticError("Number " + FormatGeneral(value, kEntryPrecision) + " is too large for an integer");
        return FormatInteger(static_cast<long long>(std::trunc(value)));
    }
    if (!hex_)
        return FormatGeneral(value, kEntryPrecision);
    const std::int64_t rounded = RoundToInt(value);
    // A negative value in the 32-bit range is written as the evaluator reads
    // it back: 32-bit two's complement ($FFFFFFFF is -1).
    if (rounded < 0 && rounded >= INT32_MIN)
        return "$" + FormatInteger(static_cast<std::uint32_t>(static_cast<std::int32_t>(rounded)), 16, 4);
    if (rounded < 0)
        throw EArithmeticError("Number " + FormatGeneral(value, kEntryPrecision) + " is too large for an integer");
    return "$" + FormatInteger(rounded, 16, 4);
}

std::string TEntryModel::FormatShown(Extended value) const
{
    if (!GeneralFormat())
        return FormatNumber(value);
    return components::FormatShown(value, kind_ == TEntryKind::Combo ? kCellPrecision : kEntryPrecision,
                                   UnitsString);
}

std::string TEntryModel::GetUnitsText() const
{
    if (units_ == kUnitsPlaceholders)
        return UnitsString;
    if (kind_ == TEntryKind::Combo) {
        return ExpandPlaceholder(ExpandPlaceholder(UnitsString, {}, "F", units_), {}, "L", units_);
    }
    // One force placeholder and one length placeholder are expanded: the
    // numbered one found first in this order, else the plain letter.
    return ExpandPlaceholder(ExpandPlaceholder(UnitsString, {"F6", "F5", "F4", "F2", "F1"}, "F", units_),
                             {"L2", "L1", "L3"}, "L", units_);
}

std::string TEntryModel::LabelText() const
{
    if (UnitsString.empty())
        return Caption;
    return Caption + " (" + GetUnitsText() + ")";
}

TEntryValidation TEntryModel::Validate()
{
    EntryValid = false;
    TEntryValidation result;
    const std::string textBefore = text_;
    try {
        TRangeFailure failure = TRangeFailure::None;
        Extended number = 0;
        try {
            number = GetNumber();
        } catch (const EAssignError& e) {
            result.Message = integerOnly_ ? "Entry must be a valid integer." : e.Message();
            result.Text = text_;
            return result;
        }
        if (integerOnly_ && number != std::trunc(number))
            failure = TRangeFailure::NotIntegral;
        else if (number < minVal_)
            failure = TRangeFailure::BelowMin;
        else if (number > maxVal_)
            failure = TRangeFailure::AboveMax;

        // The bound in a range message: the field's own format for an edit
        // field, 8 digits for a combo box.
        const auto boundText = [this](Extended bound) {
            return kind_ == TEntryKind::Edit ? FormatNumber(bound) : FormatGeneral(bound, kCellPrecision);
        };
        switch (failure) {
        case TRangeFailure::None:
            if (kind_ == TEntryKind::Edit) {
                const Extended stored = StoredForm ? StoredForm(number) : number;
                if (!(stored == number)) {
                    SetNumber(stored); // shown as a value the program sets
                } else if (!TextKept()) {
                    // A typed entry in the format's digits (2*3 becomes 6); a
                    // value the field was given and not edited keeps its text.
                    text_ = FormatNumber(number);
                    Keep(number);
                }
            }
            EntryValid = true;
            result.Valid = true;
            break;
        case TRangeFailure::NotIntegral:
            result.Message = "Entry must be an integer.";
            break;
        case TRangeFailure::BelowMin:
            result.Message = "Entry must be greater than or equal to " + boundText(minVal_);
            SetNumber(minVal_);
            break;
        case TRangeFailure::AboveMax:
            result.Message = "Entry must be less than or equal to " + boundText(maxVal_);
            SetNumber(maxVal_);
            break;
        }
    } catch (const Exception& e) {
        // An arithmetic fault (a zero divisor, an overflow): shown like an
        // entry error, the text left as it was.
        text_ = textBefore;
        result.Valid = false;
        result.Message = e.Message();
        EntryValid = false;
    }
    result.Text = text_;
    return result;
}

bool IsOperatorKey(char key)
{
    return key != '\0' && std::strchr("+-/*^=%!", key) != nullptr;
}

char ComboKeyUpper(char key)
{
    return key >= 'a' && key <= 'z' ? static_cast<char>(key - 'a' + 'A') : key;
}

bool ComboKeyPasses(char key)
{
    key = ComboKeyUpper(key);
    return key == '\b' || key == '-' || key == '.' || (key >= '0' && key <= '9') || key == 'E';
}

} // namespace korva::components
