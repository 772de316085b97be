#include "list_reader.h"

#include <charconv>

namespace korva::engine {

namespace {

bool IsSeparator(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Skips a run of digits from `at`; returns how many there were.
std::size_t SkipDigits(std::string_view text, std::size_t& at)
{
    const std::size_t start = at;
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at - start;
}

bool IsSign(char c)
{
    return c == '+' || c == '-';
}

// An optional sign and one or more digits.
bool IsIntegerText(std::string_view text)
{
    std::size_t at = (!text.empty() && IsSign(text[0])) ? 1 : 0;
    return SkipDigits(text, at) > 0 && at == text.size();
}

// [sign] digits [. [digits]] | [sign] . digits, then an optional exponent
// E, e, D or d (the Fortran double-precision form) with [sign] digits.
bool IsRealText(std::string_view text)
{
    std::size_t at = (!text.empty() && IsSign(text[0])) ? 1 : 0;
    std::size_t digits = SkipDigits(text, at);
    if (at < text.size() && text[at] == '.') {
        ++at;
        digits += SkipDigits(text, at);
    }
    if (digits == 0)
        return false;
    if (at < text.size() && (text[at] == 'E' || text[at] == 'e' || text[at] == 'D' || text[at] == 'd')) {
        ++at;
        if (at < text.size() && IsSign(text[at]))
            ++at;
        if (SkipDigits(text, at) == 0)
            return false;
    }
    return at == text.size();
}

// The value as it is quoted in a message: cut short, control bytes shown as '?'.
std::string Quoted(std::string_view value)
{
    constexpr std::size_t kShown = 40;
    std::string quoted = "\"";
    for (char c : value.substr(0, kShown))
        quoted += (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) ? '?' : c;
    if (value.size() > kShown)
        quoted += "...";
    return quoted + "\"";
}

} // namespace

ListReader::ListReader(std::string text) : text_(std::move(text)) {}

bool ListReader::Read(std::initializer_list<Target> targets)
{
    return ReadTargets(std::span<const Target>(targets.begin(), targets.size()));
}

bool ListReader::Read(const std::vector<Target>& targets)
{
    return ReadTargets(targets);
}

bool ListReader::ReadTargets(std::span<const Target> targets)
{
    error_.clear();
    Line line{};
    if (!NextLine(line))
        return false;
    std::size_t at = line.begin;
    // A comma with no value before it (",," or a leading comma) would be a
    // Fortran null value, which leaves its target unchanged; our files never
    // hold one, so it is refused rather than let the values shift.
    bool value_seen = false;
    for (const Target& target : targets) {
        for (;;) {
            while (at < line.end && IsSeparator(text_[at])) {
                if (text_[at] == ',') {
                    if (!value_seen)
                        return Fail("a comma with no value before it");
                    value_seen = false;
                }
                ++at;
            }
            if (at < line.end)
                break;
            if (!NextLine(line))
                return false;
            at = line.begin;
        }
        const std::size_t start = at;
        while (at < line.end && !IsSeparator(text_[at]))
            ++at;
        if (!Store(std::string_view(text_).substr(start, at - start), target))
            return false;
        value_seen = true;
    }
    return true;
}

bool ListReader::Store(std::string_view value, const Target& target)
{
    if (value.size() > kMaxValueLength)
        return Fail(Quoted(value) + " is longer than " + std::to_string(kMaxValueLength) + " characters");
    // from_chars takes neither a leading '+' nor the D exponent letter.
    char buffer[kMaxValueLength];
    std::size_t length = 0;
    for (std::size_t i = (value[0] == '+') ? 1 : 0; i < value.size(); ++i)
        buffer[length++] = (value[i] == 'D' || value[i] == 'd') ? 'e' : value[i];
    if (target.int_) {
        if (!IsIntegerText(value))
            return Fail(Quoted(value) + " is not an integer");
        int number = 0;
        const auto [end, ec] = std::from_chars(buffer, buffer + length, number);
        if (ec != std::errc() || end != buffer + length)
            return Fail(Quoted(value) + " is beyond the integer range");
        *target.int_ = number;
        return true;
    }
    if (!IsRealText(value))
        return Fail(Quoted(value) + " is not a number");
    double number = 0;
    const auto [end, ec] = std::from_chars(buffer, buffer + length, number, std::chars_format::general);
    if (ec != std::errc() || end != buffer + length)
        return Fail(Quoted(value) + " is beyond the range of a real number");
    *target.real_ = number;
    return true;
}

bool ListReader::ReadLine(std::string& line)
{
    error_.clear();
    Line span{};
    if (!NextLine(span))
        return false;
    line.assign(text_, span.begin, span.end - span.begin);
    return true;
}

bool ListReader::NextLine(Line& line)
{
    if (AtEnd()) {
        error_ = "end of file";
        return false;
    }
    const std::size_t newline = text_.find('\n', next_);
    line.begin = next_;
    line.end = newline == std::string::npos ? text_.size() : newline;
    next_ = newline == std::string::npos ? text_.size() : newline + 1;
    if (line.end > line.begin && text_[line.end - 1] == '\r')
        --line.end;
    ++line_number_;
    return true;
}

bool ListReader::AtEnd() const
{
    return next_ >= text_.size();
}

bool ListReader::Fail(std::string why)
{
    error_ = "line " + std::to_string(line_number_) + ": " + why;
    return false;
}

} // namespace korva::engine
