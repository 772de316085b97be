#include "fixed_format.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
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
    int lead = 0;            // A, I, F, E: the blanks of an nX just before it, written ahead of its first field
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

// --- Fields. Each writer puts exactly the field's width of characters at
// out and returns the end. The room made for a record reaches kSlack
// characters beyond its end, so that a short run of blanks is one store of
// kSlack characters (what it writes past the run is overwritten next, or
// lies beyond the record). ---

constexpr std::size_t kSlack = 32;

char* Fill(char* out, std::size_t count, char c)
{
    if (count <= kSlack) {
        char run[kSlack];
        std::memset(run, c, kSlack);
        std::memcpy(out, run, kSlack);
    } else {
        std::memset(out, c, count);
    }
    return out + count;
}

// 10^0 to 10^19, every power of ten below 2^64.
constexpr std::array<unsigned long long, 20> kPowersOfTen = [] {
    std::array<unsigned long long, 20> powers{};
    unsigned long long p = 1;
    for (auto& power : powers) {
        power = p;
        p *= 10;
    }
    return powers;
}();

// The digits of n (at least one: 0 has one).
std::size_t DigitCount(unsigned long long n)
{
    // floor(log10 2^bits) or one less, put right by one comparison.
    const int guess = (std::bit_width(n | 1) * 1233) >> 12;
    return static_cast<std::size_t>(guess) + (n >= kPowersOfTen[guess] ? 1 : 0) + (n == 0 ? 1 : 0);
}

// "00" to "99": two digits per division.
constexpr std::array<char, 200> kDigitPairs = [] {
    std::array<char, 200> pairs{};
    for (int i = 0; i < 100; ++i) {
        pairs[2 * i] = static_cast<char>('0' + i / 10);
        pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
    }
    return pairs;
}();

// The decimal digits of n written backward so that they end at end (at
// least one digit); the first of them.
char* DigitsBefore(char* end, unsigned long long n)
{
    while (n >= 100) {
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * (n % 100)], 2);
        n /= 100;
    }
    if (n >= 10) {
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * n], 2);
    } else {
        *--end = static_cast<char>('0' + n);
    }
    return end;
}

// The `count` lowest decimal digits of n, with leading zeros, written
// backward so that they end at end; n keeps the digits above them. The
// first of them.
char* LowDigitsBefore(char* end, unsigned long long& n, int count)
{
    for (; count >= 2; count -= 2) {
        end -= 2;
        std::memcpy(end, &kDigitPairs[2 * (n % 100)], 2);
        n /= 100;
    }
    if (count == 1) {
        *--end = static_cast<char>('0' + n % 10);
        n /= 10;
    }
    return end;
}

// A number of `size` characters right-aligned in its field: the blanks in
// front are written and the end of the field returned, the caller writes
// the number backward from there. Null when it does not fit; the field is
// then all asterisks.
[[gnu::always_inline]] inline char* RightAligned(char*& out, std::size_t size, std::size_t width)
{
    if (size > width) {
        out = Fill(out, width, '*');
        return nullptr;
    }
    Fill(out, width - size, ' ');
    out += width;
    return out;
}

char* PutInteger(char* out, long long value, const Item& item)
{
    // The magnitude as unsigned, so that the most negative value converts too.
    const unsigned long long magnitude =
        value < 0 ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    // Iw.m: at least m digits, zero-padded; Iw.0 of zero is all blanks.
    const std::size_t count = item.digits == 0 && value == 0 ? 0 : DigitCount(magnitude);
    const std::size_t zeros =
        item.digits > 0 && count < static_cast<std::size_t>(item.digits) ? item.digits - count : 0;
    char* end = RightAligned(out, (value < 0 ? 1 : 0) + zeros + count, static_cast<std::size_t>(item.width));
    if (!end)
        return out;
    // The zeros first: a short run is written wider, over where the digits go.
    char* const first = end - count - zeros;
    Fill(first, zeros, '0');
    if (count > 0)
        DigitsBefore(end, magnitude);
    if (value < 0)
        first[-1] = '-';
    return out;
}

// Powers of ten that a double holds exactly, and the nearest doubles to
// their reciprocals.
constexpr std::array<double, 23> kExactPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr std::array<double, 23> kNegativePowersOfTen{1e-0,  1e-1,  1e-2,  1e-3,  1e-4,  1e-5,  1e-6,  1e-7,
                                                      1e-8,  1e-9,  1e-10, 1e-11, 1e-12, 1e-13, 1e-14, 1e-15,
                                                      1e-16, 1e-17, 1e-18, 1e-19, 1e-20, 1e-21, 1e-22};
// 10^-22 to 10^22 as the nearest doubles.
constexpr std::array<double, 45> kPowersOfTenNear = [] {
    std::array<double, 45> powers{};
    for (int k = -22; k <= 22; ++k)
        powers[k + 22] = k >= 0 ? kExactPowersOfTen[k] : kNegativePowersOfTen[-k];
    return powers;
}();

// The whole number nearest to the exact value of x (>= 0) times 10^power,
// from one product (by an exact power of ten, or by the rounded reciprocal
// of one: within 1.5 ulp of the exact value); false where that product
// could lie on the other side of a half than the exact value (a tie or near
// it), or beyond what the shortcut handles. The caller then converts exactly.
[[gnu::always_inline]] inline bool RoundScaled(double x, int power, unsigned long long& rounded)
{
    if (power < -22 || power > 22)
        return false;
    const double scaled = x * (power >= 0 ? kExactPowersOfTen[power] : kNegativePowersOfTen[-power]);
    if (!(scaled < 4.0e15)) // beyond this the fraction of the product is too coarse
        return false;
    const auto truncated = static_cast<unsigned long long>(scaled); // the floor: scaled >= 0
    const double whole = static_cast<double>(truncated);
    const double fraction = scaled - whole; // exact below 2^52
    // The product is within 1.5 ulp of the exact value; an ulp here is at
    // most 2^-52 x scaled.
    if (std::fabs(fraction - 0.5) <= 4.0 * 2.220446049250313e-16 * scaled + 1e-300)
        return false;
    rounded = truncated + (fraction > 0.5 ? 1 : 0);
    return true;
}

// Fw.d of n = |value| x 10^d rounded (d <= 9). Whether the number fits is
// told by comparing n with a power of ten, the field is blanked, and the
// digits are converted once, straight into their places from its end.
char* PutScaledFixed(char* out, unsigned long long n, int d, bool negative, int w)
{
    const int sign = negative ? 1 : 0;
    const std::size_t width = static_cast<unsigned>(w);
    bool leading_zero = true;
    if (n >= kPowersOfTen[d]) {
        // A whole part: its digits and the decimals are those of n, and the
        // point and the sign come beside them.
        const int room = w - sign - 1;
        if (room < 1 || (room < 20 && n >= kPowersOfTen[room]))
            return Fill(out, width, '*');
    } else if (sign + 2 + d > w) {
        // "0.dd" is too wide: the zero before the point goes (".50").
        leading_zero = false;
        if (d == 0 || sign + 1 + d > w)
            return Fill(out, width, '*');
    }
    Fill(out, width, ' ');
    char* end = LowDigitsBefore(out + width, n, d);
    *--end = '.';
    if (leading_zero)
        end = DigitsBefore(end, n); // what is left of n: the whole part
    if (negative)
        end[-1] = '-';
    return out + width;
}

// Fw.d by the exact conversion, where the shortcut does not hold (ties,
// large values, many decimals). Kept out of line: the shortcut is the
// common path, and this one's buffers would weigh on every field.
[[gnu::noinline]] char* PutFixedExactly(char* out, double value, const Item& item)
{
    const auto width = static_cast<std::size_t>(item.width);
    if (!std::isfinite(value))
        return Fill(out, width, '*');
    const int d = item.digits;
    // Room for a sign, the 309 integer digits of the largest double, the
    // decimals and a point.
    const std::size_t needed = 2 + 320 + static_cast<std::size_t>(d);
    std::array<char, 400> small;
    std::vector<char> large;
    char* buffer = small.data();
    if (needed > small.size()) {
        large.resize(needed);
        buffer = large.data();
    }
    char* const first = buffer + 1; // buffer[0] takes a minus sign
    char* end = std::to_chars(first, buffer + needed - 1, std::fabs(value), std::chars_format::fixed, d).ptr;
    if (d == 0)
        *end++ = '.';
    const std::string_view digits(first, static_cast<std::size_t>(end - first));
    const bool negative = value < 0 && digits.find_first_not_of("0.") != std::string_view::npos;
    char* start = first;
    if (negative)
        *--start = '-';
    std::size_t size = static_cast<std::size_t>(end - start);
    if (size > width && d > 0 && first[0] == '0' && first[1] == '.') {
        first[0] = negative ? '-' : '0';
        start = first + (negative ? 0 : 1);
        size = static_cast<std::size_t>(end - start);
    }
    char* field_end = RightAligned(out, size, width);
    if (field_end)
        std::memcpy(field_end - size, start, size);
    return out;
}

// Fw.d as the Fortran runtime writes it: the exact binary value rounded to d
// decimals (ties to even on the exact expansion), a decimal point even for
// d = 0, and the zero before the point dropped when the field is too narrow
// for it ("F3.2" of 0.5 is ".50").
//
// A negative value that rounds to zero is written without its minus sign
// ("F5.1" of -0.01 is "  0.0"): gfortran would write " -0.0", but a signed
// zero in a report reads as a defect to an engineer. An exact -0.0 is
// written as 0 for the same reason.
char* PutFixed(char* out, double value, const Item& item)
{
    const int d = item.digits;
    unsigned long long n = 0;
    // NaN and infinity fail the shortcut too.
    if (d <= 9 && RoundScaled(std::fabs(value), d, n))
        return PutScaledFixed(out, n, d, value < 0 && n != 0, item.width);
    return PutFixedExactly(out, value, item);
}

int ExactMantissaDigits(double x, int d, char* mantissa);

// The d significant digits of x > 0 and the exponent e with x = 0.ddd x
// 10^e, rounded from the exact binary value as to_chars rounds it.
int MantissaDigits(double x, int d, char* mantissa)
{
    unsigned long long n = 0;
    if (d <= 9 && x >= 1e-290 && x <= 1e290) {
        // 10^(d-1) <= x x 10^(d-1-e10) < 10^d with e10 = floor(log10 x),
        // estimated from the binary exponent (log10 2 = 0.30103) and put
        // right by the rounded result.
        const int e2 = static_cast<int>((std::bit_cast<std::uint64_t>(x) >> 52) & 0x7ff) - 1023; // x is normal
        int e10 = (e2 * 78913) >> 18; // floor(e2 log10 2), also below 0
        // floor(log10 x) is this or one more: one comparison tells, but for
        // values next to a power of ten, which the loop puts right.
        if (e10 >= -23 && e10 <= 21)
            e10 += x >= kPowersOfTenNear[e10 + 1 + 22] ? 1 : 0;
        const unsigned long long low = kPowersOfTen[d - 1];
        const unsigned long long high = kPowersOfTen[d];
        for (int attempt = 0; attempt < 2 && RoundScaled(x, d - 1 - e10, n); ++attempt) {
            int exponent = e10 + 1;
            if (n == high) { // rounded up to the next power: 9.9996 is 0.100E+02
                n = low;
                ++exponent;
            }
            if (n >= low && n < high) {
                LowDigitsBefore(mantissa + d, n, d);
                return exponent;
            }
            e10 += n < low ? -1 : 1;
        }
    }
    return ExactMantissaDigits(x, d, mantissa);
}

// MantissaDigits by the exact conversion, where the shortcut does not hold;
// out of line for the same reason as PutFixedExactly.
[[gnu::noinline]] int ExactMantissaDigits(double x, int d, char* mantissa)
{
    // d significant digits as d.ddd e+xx; the exact binary value is rounded.
    std::array<char, 64> small;
    std::vector<char> large;
    char* buffer = small.data();
    const std::size_t needed = static_cast<std::size_t>(d) + 16;
    if (needed > small.size()) {
        large.resize(needed);
        buffer = large.data();
    }
    const auto [end, ec] = std::to_chars(buffer, buffer + needed, x, std::chars_format::scientific, d - 1);
    const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    const std::size_t e = text.find('e');
    char* out = mantissa;
    for (char c : text.substr(0, e))
        if (c != '.')
            *out++ = c;
    const std::string_view power = text.substr(e + 1);
    int exponent = 0;
    std::from_chars(power.data() + (power[0] == '+' ? 1 : 0), power.data() + power.size(), exponent);
    return exponent + 1; // 1.ddd x 10^e is 0.1ddd x 10^(e+1)
}

// Ew.d: sign, "0.", d mantissa digits, "E" and a signed two-digit exponent;
// an exponent of three digits (a double reaches 10^-323 to 10^308) takes
// the place of the "E" ("0.100+201"), as the Fortran runtime writes it. The
// leading zero goes when the field is too narrow for it. Every part has its
// length known beforehand, so the text is written once, in its place.
char* PutExponent(char* out, double value, const Item& item)
{
    const auto width = static_cast<std::size_t>(item.width);
    if (!std::isfinite(value))
        return Fill(out, width, '*');
    const auto d = static_cast<std::size_t>(item.digits);
    // Sign, "0.", the mantissa, four characters of exponent.
    std::size_t size = (value < 0 ? 1 : 0) + 2 + d + 4;
    const bool leading_zero = size <= width;
    if (!leading_zero)
        --size;
    char* const end = RightAligned(out, size, width);
    if (!end)
        return out;
    char* p = end - size;
    if (value < 0)
        *p++ = '-';
    if (leading_zero)
        *p++ = '0';
    *p++ = '.';
    int exponent = 0;
    if (value == 0)
        Fill(p, d, '0'); // also -0.0: no minus sign
    else
        exponent = MantissaDigits(std::fabs(value), item.digits, p);
    p += d;
    const unsigned power = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
    if (power < 100) {
        *p++ = 'E';
        *p++ = exponent < 0 ? '-' : '+';
        std::memcpy(p, &kDigitPairs[2 * power], 2);
    } else {
        *p++ = exponent < 0 ? '-' : '+';
        DigitsBefore(p + 3, power);
    }
    return out;
}

// Aw: the text cut to w characters or padded on the right to w (as a blank-
// padded fixed-length text is written); A alone writes the text as it is.
char* PutText(char* out, std::string_view text, const Item& item)
{
    const std::string_view shown = item.width == 0 ? text : text.substr(0, static_cast<std::size_t>(item.width));
    std::memcpy(out, shown.data(), shown.size());
    out += shown.size();
    if (item.width == 0)
        return out;
    return Fill(out, static_cast<std::size_t>(item.width) - shown.size(), ' ');
}

// A record longer than this in one pass over its list is a typing error in
// the list (nested repeats), not a line of a report.
constexpr std::size_t kMaxPassLength = std::size_t{1} << 24;

// The characters one pass over items writes at most, texts of A without a
// width not counted; above kMaxPassLength it is kMaxPassLength + 1.
std::size_t PassLength(const std::vector<Item>& items)
{
    std::size_t length = 0;
    for (const Item& item : items) {
        std::size_t one = 0;
        switch (item.kind) {
        case Kind::Blanks:
        case Kind::LineEnd:
            one = 1;
            break;
        case Kind::Literal:
            one = item.text.size();
            break;
        case Kind::Group:
            one = PassLength(item.items);
            break;
        default:
            one = static_cast<std::size_t>(item.width);
        }
        length += static_cast<std::size_t>(item.repeat) * one + static_cast<std::size_t>(item.lead);
        if (length > kMaxPassLength)
            return kMaxPassLength + 1;
    }
    return length;
}

// A descriptor list as parsed, with the item its reuse starts from (the last
// top-level group, or the start) and the room one pass over it needs.
struct Layout {
    std::string text;
    std::vector<Item> items;
    std::size_t reuse_from = 0;
    std::size_t pass_length = 0;
    bool free_text = false; // an A without a width: the values' texts add to the room
};

bool HasFreeText(const std::vector<Item>& items)
{
    for (const Item& item : items)
        if ((item.kind == Kind::Text && item.width == 0) || (item.kind == Kind::Group && HasFreeText(item.items)))
            return true;
    return false;
}

bool IsData(const Item& item)
{
    return item.kind == Kind::Text || item.kind == Kind::Integer || item.kind == Kind::Fixed ||
           item.kind == Kind::Exponent;
}

// An nX just before a data descriptor becomes the blanks ahead of its first
// field: one step of the writer instead of two for each field of a row. They
// are written before the values are looked at, as an nX is, so a record
// whose values run out at that field still ends with them.
void MergeBlanks(std::vector<Item>& items)
{
    std::vector<Item> merged;
    merged.reserve(items.size());
    for (Item& item : items) {
        if (item.kind == Kind::Group)
            MergeBlanks(item.items);
        if (IsData(item) && !merged.empty() && merged.back().kind == Kind::Blanks) {
            item.lead = merged.back().repeat;
            merged.pop_back();
        }
        merged.push_back(std::move(item));
    }
    items = std::move(merged);
}

Layout ParseLayout(std::string_view descriptors)
{
    Layout layout;
    layout.text = std::string(descriptors);
    layout.items = DescriptorParser(descriptors).Parse();
    MergeBlanks(layout.items);
    for (std::size_t i = 0; i < layout.items.size(); ++i)
        if (layout.items[i].kind == Kind::Group)
            layout.reuse_from = i;
    layout.pass_length = PassLength(layout.items);
    if (layout.pass_length > kMaxPassLength)
        Malformed(descriptors, "a record of this list is too long");
    layout.free_text = HasFreeText(layout.items);
    return layout;
}

// Writes one record into a text buffer. Room for a whole pass over the list
// is made at once; the fields are then written straight into it.
class RecordWriter {
public:
    RecordWriter(const Layout& layout, std::span<const FormatValue> values, TextBuffer& out)
        : layout_(layout), values_(values), out_(out)
    {
    }

    // The record as it stands in the buffer.
    std::string_view Write()
    {
        const std::size_t start = out_.Size();
        try {
            WriteLines();
        } catch (...) {
            out_.Truncate(start); // no part of a record that failed
            throw;
        }
        return out_.View().substr(start);
    }

private:
    void WriteLines()
    {
        // A line end before a pass and one after the last.
        std::size_t room = layout_.pass_length + 2 + kSlack;
        if (layout_.free_text)
            for (const FormatValue& value : values_)
                if (const auto* text = std::get_if<std::string_view>(&value.Get()))
                    room += text->size();
        cursor_ = out_.Room(room);
        bool more = Run(layout_.items, 0);
        while (more && next_ < values_.size()) {
            out_.SetEnd(cursor_);
            cursor_ = out_.Room(room);
            *cursor_++ = '\n';
            const std::size_t before = next_;
            more = Run(layout_.items, layout_.reuse_from);
            if (next_ == before)
                Malformed(layout_.text, "values left but no data descriptor to write them");
        }
        *cursor_++ = '\n';
        out_.SetEnd(cursor_);
    }

    // Writes the items from `first` on; false when the values ran out at a
    // data descriptor, which ends the record.
    bool Run(const std::vector<Item>& items, std::size_t first)
    {
        for (auto at = items.begin() + static_cast<std::ptrdiff_t>(first); at != items.end(); ++at) {
            const Item& item = *at;
            switch (item.kind) {
            case Kind::Blanks:
                cursor_ = Fill(cursor_, static_cast<std::size_t>(item.repeat), ' ');
                break;
            case Kind::LineEnd:
                cursor_ = Fill(cursor_, static_cast<std::size_t>(item.repeat), '\n');
                break;
            case Kind::Literal:
                std::memcpy(cursor_, item.text.data(), item.text.size());
                cursor_ += item.text.size();
                break;
            case Kind::Group:
                for (int r = 0; r < item.repeat; ++r)
                    if (!Run(item.items, 0))
                        return false;
                break;
            default:
                if (item.lead > 0)
                    cursor_ = Fill(cursor_, static_cast<std::size_t>(item.lead), ' ');
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
        switch (item.kind) {
        case Kind::Fixed:
            if (real || integer) {
                cursor_ = PutFixed(cursor_, real ? *real : static_cast<double>(*integer), item);
                return;
            }
            break;
        case Kind::Exponent:
            if (real || integer) {
                cursor_ = PutExponent(cursor_, real ? *real : static_cast<double>(*integer), item);
                return;
            }
            break;
        case Kind::Integer:
            if (integer) {
                cursor_ = PutInteger(cursor_, *integer, item);
                return;
            }
            break;
        default: // Kind::Text
            if (const auto* text = std::get_if<std::string_view>(&value)) {
                cursor_ = PutText(cursor_, *text, item);
                return;
            }
        }
        Malformed(layout_.text, "value " + std::to_string(next_) + " does not suit its descriptor");
    }

    const Layout& layout_;
    std::span<const FormatValue> values_;
    std::size_t next_ = 0; // the value the next data descriptor writes
    TextBuffer& out_;
    char* cursor_ = nullptr; // where the next character goes, within the room made
};

} // namespace

void TextBuffer::Append(std::string_view text)
{
    char* end = Room(text.size());
    std::memcpy(end, text.data(), text.size());
    SetEnd(end + text.size());
}

char* TextBuffer::Grow(std::size_t n)
{
    const std::size_t capacity = std::max({size_ + n, 2 * capacity_, std::size_t{4096}});
    auto grown = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0)
        std::memcpy(grown.get(), data_.get(), size_);
    data_ = std::move(grown);
    capacity_ = capacity;
    return data_.get() + size_;
}

// The layouts of one cache, each parsed once; a small table by address
// finds a literal written from one place without hashing its text (which is
// still compared: a layout built at run time may reuse an address).
struct LayoutCache::Parsed {
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>{}(text); }
    };
    static constexpr std::size_t kMaxLayouts = 512; // layouts built at run time are few
    std::unordered_map<std::string, std::unique_ptr<const Layout>, Hash, std::equal_to<>> layouts;
    std::array<const Layout*, 64> recent{};

    const Layout& Find(std::string_view descriptors)
    {
        const std::size_t slot = (reinterpret_cast<std::uintptr_t>(descriptors.data()) >> 4 ^ descriptors.size()) % 64;
        if (const Layout* seen = recent[slot]; seen && seen->text == descriptors)
            return *seen;
        auto found = layouts.find(descriptors);
        if (found == layouts.end()) {
            auto layout = std::make_unique<const Layout>(ParseLayout(descriptors));
            if (layouts.size() >= kMaxLayouts) {
                layouts.clear();
                recent.fill(nullptr);
            }
            found = layouts.emplace(std::string(descriptors), std::move(layout)).first;
        }
        recent[slot] = found->second.get();
        return *found->second;
    }
};

LayoutCache::LayoutCache() : parsed_(std::make_unique<Parsed>()) {}
LayoutCache::~LayoutCache() = default;

std::string_view AppendRecord(TextBuffer& out, LayoutCache& layouts, std::string_view descriptors,
                              std::span<const FormatValue> values)
{
    return RecordWriter(layouts.parsed_->Find(descriptors), values, out).Write();
}

std::string FormatRecord(std::string_view descriptors, std::span<const FormatValue> values)
{
    TextBuffer out;
    return std::string(RecordWriter(ParseLayout(descriptors), values, out).Write());
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
