#include "fixed_format.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <vector>

namespace korva::engine {

namespace {

// Widths, decimals and repeat counts above this are taken as a typing error
// in a layout rather than a real field.
constexpr int kMaxCount = 9999;

enum class Kind { Blanks, LineEnd, Literal, Group, Text, Integer, Fixed, Exponent };

struct Item {
    Kind kind = Kind::Blanks;
    int repeat = 1;          // groups, '/', A, I, F, E; the n of nX
    int width = 0;           // w; 0 for A without a width
    int digits = -1;         // m of Iw.m, d of Fw.d and Ew.d; -1 when absent
    std::string text;        // a literal
    std::vector<Item> items; // a group
};

[[noreturn]] void Malformed(std::string_view descriptors, std::string_view why)
{
    throw std::invalid_argument("edit descriptors " + std::string(descriptors) + ": " + std::string(why));
}

class DescriptorParser {
public:
    explicit DescriptorParser(std::string_view descriptors) : text_(descriptors) {}

    std::vector<Item> Parse()
    {
        SkipBlanks();
        if (!Take('('))
            Fail("must begin with '('");
        std::vector<Item> items = ParseList();
        SkipBlanks();
        if (pos_ != text_.size())
            Fail("text after the closing ')'");
        return items;
    }

private:
    // Items up to and including the ')' that closes the list.
    std::vector<Item> ParseList()
    {
        std::vector<Item> items;
        SkipBlanks();
        if (Take(')'))
            return items;
        for (;;) {
            items.push_back(ParseItem());
            SkipBlanks();
            if (Take(')'))
                return items;
            // '/' separates items without a comma, as in (I3/I4).
            if (!Take(',') && Peek() != '/' && items.back().kind != Kind::LineEnd)
                Fail("expected ',' or ')'");
        }
    }

    Item ParseItem()
    {
        SkipBlanks();
        const int count = ReadNumber();
        SkipBlanks();
        Item item;
        const char c = Next();
        switch (c) {
        case '(':
            item.kind = Kind::Group;
            item.repeat = Count(count);
            item.items = ParseList();
            break;
        case 'X': case 'x':
            item.kind = Kind::Blanks;
            item.repeat = Count(count);
            break;
        case '/':
            item.kind = Kind::LineEnd;
            item.repeat = Count(count);
            break;
        case '\'': case '"':
            if (count >= 0)
                Fail("a repeated literal is written n('...')");
            item.kind = Kind::Literal;
            item.text = ReadLiteral(c);
            break;
        case 'A': case 'a':
            item.kind = Kind::Text;
            item.repeat = Count(count);
            item.width = ReadNumber();
            if (item.width == 0)
                Fail("A0 is not a width");
            if (item.width < 0)
                item.width = 0;
            break;
        case 'I': case 'i':
            item.kind = Kind::Integer;
            item.repeat = Count(count);
            item.width = Width();
            if (Take('.'))
                item.digits = Digits();
            break;
        case 'F': case 'f':
        case 'E': case 'e':
            item.kind = (c == 'F' || c == 'f') ? Kind::Fixed : Kind::Exponent;
            item.repeat = Count(count);
            item.width = Width();
            if (!Take('.'))
                Fail("F and E need w.d");
            item.digits = Digits();
            if (item.kind == Kind::Exponent && item.digits == 0)
                Fail("E needs at least one mantissa digit");
            break;
        default:
            Fail("unknown descriptor");
        }
        return item;
    }

    std::string ReadLiteral(char quote)
    {
        std::string literal;
        for (;;) {
            if (pos_ >= text_.size())
                Fail("unclosed literal");
            const char c = text_[pos_++];
            if (c == quote) {
                if (!Take(quote))
                    return literal;
            }
            literal += c;
        }
    }

    // A repeat count in front of a descriptor: absent means 1.
    int Count(int count)
    {
        if (count == 0)
            Fail("a repeat count of 0");
        return count < 0 ? 1 : count;
    }

    int Width()
    {
        const int w = ReadNumber();
        if (w <= 0)
            Fail("a field needs a width of at least 1");
        return w;
    }

    int Digits()
    {
        const int d = ReadNumber();
        if (d < 0)
            Fail("digits missing after '.'");
        return d;
    }

    // An unsigned number, or -1 when there is none.
    int ReadNumber()
    {
        const char* first = text_.data() + pos_;
        const char* last = text_.data() + text_.size();
        if (first == last || *first < '0' || *first > '9')
            return -1;
        int value = 0;
        const auto [end, ec] = std::from_chars(first, last, value);
        if (ec != std::errc() || value > kMaxCount)
            Fail("a count or width out of range");
        pos_ += static_cast<std::size_t>(end - first);
        return value;
    }

    void SkipBlanks()
    {
        while (pos_ < text_.size() && text_[pos_] == ' ')
            ++pos_;
    }
    char Peek() const { return pos_ < text_.size() ? text_[pos_] : '\0'; }
    char Next() { return pos_ < text_.size() ? text_[pos_++] : '\0'; }
    bool Take(char c)
    {
        if (Peek() != c)
            return false;
        ++pos_;
        return true;
    }
    [[noreturn]] void Fail(std::string_view why) const
    {
        Malformed(text_, std::string(why) + " at position " + std::to_string(pos_ + 1));
    }

    std::string_view text_;
    std::size_t pos_ = 0;
};

// Right-aligns a converted number in its field, or fills the field with
// asterisks when it does not fit.
void PutField(std::string& out, std::string_view number, int width)
{
    const auto w = static_cast<std::size_t>(width);
    if (number.size() > w)
        out.append(w, '*');
    else
        out.append(w - number.size(), ' ').append(number);
}

void PutInteger(std::string& out, long long value, const Item& item)
{
    // The magnitude as unsigned, so that the most negative value converts too.
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, magnitude);
    std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
    std::string number = value < 0 ? "-" : "";
    if (item.digits >= 0) {
        // Iw.m: at least m digits, zero-padded; Iw.0 of zero is all blanks.
        if (item.digits == 0 && value == 0)
            digits = {};
        if (digits.size() < static_cast<std::size_t>(item.digits))
            number.append(static_cast<std::size_t>(item.digits) - digits.size(), '0');
    }
    number.append(digits);
    PutField(out, number, item.width);
}

// Fw.d as the Fortran runtime writes it: the exact binary value rounded to d
// decimals (ties to even on the exact expansion), a decimal point even for
// d = 0, and the zero before the point dropped when the field is too narrow
// for it ("F3.2" of 0.5 is ".50").
void PutFixed(std::string& out, double value, const Item& item)
{
    if (!std::isfinite(value)) {
        out.append(static_cast<std::size_t>(item.width), '*');
        return;
    }
    // Room for the 309 integer digits of the largest double and the decimals.
    std::vector<char> buffer(static_cast<std::size_t>(320 + item.digits));
    const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                         std::chars_format::fixed, item.digits);
    std::string digits(buffer.data(), end);
    if (item.digits == 0)
        digits += '.';
    // A negative value that rounds to zero is written without its minus sign
    // ("F5.1" of -0.01 is "  0.0"): gfortran would write " -0.0", but a
    // signed zero in a report reads as a defect to an engineer. An exact -0.0
    // is written as 0 for the same reason.
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string::npos;
    std::string number = negative ? "-" + digits : digits;
    if (number.size() > static_cast<std::size_t>(item.width) && item.digits > 0) {
        const std::size_t zero = negative ? 1 : 0;
        if (number.compare(zero, 2, "0.") == 0)
            number.erase(zero, 1);
    }
    PutField(out, number, item.width);
}

// Ew.d: sign, "0.", d mantissa digits, "E" and a signed two-digit exponent;
// an exponent of three digits (a double reaches 10^-323 to 10^308) takes
// the place of the "E" ("0.100+201"), as the Fortran runtime writes it. The leading zero goes when the field is
// too narrow for it.
void PutExponent(std::string& out, double value, const Item& item)
{
    if (!std::isfinite(value)) {
        out.append(static_cast<std::size_t>(item.width), '*');
        return;
    }
    const auto d = static_cast<std::size_t>(item.digits);
    std::string mantissa;
    int exponent = 0;
    if (value == 0) {
        mantissa.assign(d, '0'); // also -0.0: no minus sign
    } else {
        // d significant digits as d.ddd e+xx; the exact binary value is rounded.
        std::vector<char> buffer(d + 16);
        const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::fabs(value),
                                             std::chars_format::scientific, item.digits - 1);
        const std::string_view text(buffer.data(), static_cast<std::size_t>(end - buffer.data()));
        const std::size_t e = text.find('e');
        for (char c : text.substr(0, e))
            if (c != '.')
                mantissa += c;
        const std::string_view power = text.substr(e + 1);
        std::from_chars(power.data() + (power[0] == '+' ? 1 : 0), power.data() + power.size(), exponent);
        exponent += 1; // 1.ddd x 10^e is 0.1ddd x 10^(e+1)
    }
    char power[8];
    const auto [end, ec] = std::to_chars(power, power + sizeof power, std::abs(exponent));
    std::string exponent_digits(power, end);
    if (exponent_digits.size() < 2)
        exponent_digits.insert(0, 1, '0');
    std::string number = value < 0 ? "-0." : "0.";
    number += mantissa;
    if (exponent_digits.size() == 2)
        number += 'E';
    number += exponent < 0 ? '-' : '+';
    number += exponent_digits;
    if (number.size() > static_cast<std::size_t>(item.width))
        number.erase(value < 0 ? 1 : 0, 1);
    PutField(out, number, item.width);
}

// Aw: the text cut to w characters or padded on the right to w (as a blank-
// padded fixed-length text is written); A alone writes the text as it is.
void PutText(std::string& out, std::string_view text, const Item& item)
{
    if (item.width == 0) {
        out.append(text);
        return;
    }
    const auto w = static_cast<std::size_t>(item.width);
    const std::string_view shown = text.substr(0, w);
    out.append(shown).append(w - shown.size(), ' ');
}

class RecordWriter {
public:
    RecordWriter(std::string_view descriptors, std::span<const FormatValue> values)
        : descriptors_(descriptors), values_(values)
    {
    }

    std::string Write()
    {
        const std::vector<Item> items = DescriptorParser(descriptors_).Parse();
        // Reuse starts at the last top-level group, or at the start.
        std::size_t reuse_from = 0;
        for (std::size_t i = 0; i < items.size(); ++i)
            if (items[i].kind == Kind::Group)
                reuse_from = i;
        bool more = Run(items, 0);
        while (more && next_ < values_.size()) {
            out_ += '\n';
            const std::size_t before = next_;
            more = Run(items, reuse_from);
            if (next_ == before)
                Malformed(descriptors_, "values left but no data descriptor to write them");
        }
        out_ += '\n';
        return std::move(out_);
    }

private:
    // Writes the items from `first` on; false when the values ran out at a
    // data descriptor, which ends the record.
    bool Run(const std::vector<Item>& items, std::size_t first)
    {
        for (std::size_t i = first; i < items.size(); ++i) {
            const Item& item = items[i];
            switch (item.kind) {
            case Kind::Blanks:
                out_.append(static_cast<std::size_t>(item.repeat), ' ');
                break;
            case Kind::LineEnd:
                out_.append(static_cast<std::size_t>(item.repeat), '\n');
                break;
            case Kind::Literal:
                out_ += item.text;
                break;
            case Kind::Group:
                for (int r = 0; r < item.repeat; ++r)
                    if (!Run(item.items, 0))
                        return false;
                break;
            default:
                for (int r = 0; r < item.repeat; ++r) {
                    if (next_ == values_.size())
                        return false;
                    PutValue(values_[next_++].Get(), item);
                }
            }
        }
        return true;
    }

    void PutValue(const std::variant<long long, double, std::string_view>& value, const Item& item)
    {
        const auto* integer = std::get_if<long long>(&value);
        const auto* real = std::get_if<double>(&value);
        const auto* text = std::get_if<std::string_view>(&value);
        if (item.kind == Kind::Text && text)
            PutText(out_, *text, item);
        else if (item.kind == Kind::Integer && integer)
            PutInteger(out_, *integer, item);
        else if ((item.kind == Kind::Fixed || item.kind == Kind::Exponent) && !text) {
            const double number = real ? *real : static_cast<double>(*integer);
            if (item.kind == Kind::Fixed)
                PutFixed(out_, number, item);
            else
                PutExponent(out_, number, item);
        } else {
            Malformed(descriptors_, "value " + std::to_string(next_) + " does not suit its descriptor");
        }
    }

    std::string_view descriptors_;
    std::span<const FormatValue> values_;
    std::size_t next_ = 0; // the value the next data descriptor writes
    std::string out_;
};

} // namespace

std::string FormatRecord(std::string_view descriptors, std::span<const FormatValue> values)
{
    return RecordWriter(descriptors, values).Write();
}

std::string FormatRecord(std::string_view descriptors, std::initializer_list<FormatValue> values)
{
    return FormatRecord(descriptors, std::span<const FormatValue>(values.begin(), values.size()));
}

std::string FormatIntegerList(std::initializer_list<long long> values)
{
    std::string line;
    for (const long long value : values) {
        if (!line.empty())
            line += ' ';
        char buffer[24];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
        line.append(buffer, end);
    }
    line += '\n';
    return line;
}

} // namespace korva::engine
