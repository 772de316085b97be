#include "guards.h"

#include <cstddef>

#include "number_format.h"

namespace korva::components {

namespace {

[[noreturn]] void InvalidFormat(std::string_view pattern)
{
    throw EConvertError("Format '" + std::string(pattern) + "' invalid or incompatible with argument");
}

// Reads an unsigned decimal number at pos; -1 when there is none.
int ReadCount(std::string_view pattern, std::size_t& pos)
{
    int value = -1;
    while (pos < pattern.size() && pattern[pos] >= '0' && pattern[pos] <= '9') {
        value = (value < 0 ? 0 : value) * 10 + (pattern[pos] - '0');
        if (value > 4096)
            InvalidFormat(pattern); // bounds an untrusted width
        ++pos;
    }
    return value;
}

} // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args)
{
    std::string out;
    auto next = args.begin();
    std::size_t pos = 0;
    while (pos < pattern.size()) {
        const char c = pattern[pos++];
        if (c != '%') {
            out += c;
            continue;
        }
        if (pos < pattern.size() && pattern[pos] == '%') {
            out += '%';
            ++pos;
            continue;
        }
        bool leftJustify = false;
        if (pos < pattern.size() && pattern[pos] == '-') {
            leftJustify = true;
            ++pos;
        }
        const int width = ReadCount(pattern, pos);
        int precision = -1;
        if (pos < pattern.size() && pattern[pos] == '.') {
            ++pos;
            precision = ReadCount(pattern, pos);
            if (precision < 0)
                precision = 0;
        }
        if (pos >= pattern.size())
            InvalidFormat(pattern);
        const char type = static_cast<char>(pattern[pos++] | 0x20); // lower case
        if (next == args.end())
            throw EConvertError("No argument for format '" + std::string(pattern) + "'");
        const auto& value = (next++)->Get();

        std::string text;
        if (type == 'd' || type == 'u' || type == 'x') {
            const long long* number = std::get_if<long long>(&value);
            if (!number)
                InvalidFormat(pattern);
            long long n = *number;
            if ((type == 'x' || type == 'u') && n < 0 && n >= -2147483648LL)
                n = static_cast<long long>(static_cast<unsigned int>(n)); // a negative 32-bit integer's bits
            text = FormatInteger(n, type == 'x' ? 16 : 10, precision);
        } else if (type == 's') {
            const std::string* s = std::get_if<std::string>(&value);
            if (!s)
                InvalidFormat(pattern);
            text = precision >= 0 ? s->substr(0, static_cast<std::size_t>(precision)) : *s;
        } else {
            InvalidFormat(pattern);
        }
        if (width > static_cast<int>(text.size())) {
            const std::string pad(static_cast<std::size_t>(width) - text.size(), ' ');
            text = leftJustify ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

} // namespace korva::components
