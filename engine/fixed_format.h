#pragma once
// Fixed-column record writer. Every line of the report and the plot data
// file goes through FormatRecord, which takes the edit-descriptor list of a
// layout as it is written, e.g.
//   FormatRecord("(/,/,10X,'DEPTH ',F7.2,1X,A3)", {12.5, "FT."})
// Descriptors: nX (blanks, also at the end of a record), '/' (line end, also
// r/), quoted literals in '...' or "..." (a doubled quote inside is one
// quote), n('*') style repeats of a literal, n(...) group repeats, Aw / A,
// Iw, Iw.m, Fw.d, Ew.d, and a repeat count in front of A, I, F and E (rEw.d,
// rFw.d, rIw). Blanks between descriptors are ignored.
// A value that does not fit its field is written as w asterisks; so are NaN
// and infinity, which must never reach a file as text.
// Numbers are converted by integer arithmetic where one product by a power
// of ten decides the rounding, and by std::to_chars otherwise; never through
// the C locale.
// A malformed descriptor list, or a value of the wrong kind for its
// descriptor, is a programming error: std::invalid_argument is thrown.
#include <cstddef>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace korva::engine {

// One value of a record. Integers go to I descriptors (and may also go to F
// and E), reals to F and E, texts to A.
class FormatValue {
public:
    FormatValue(int v) : value_(static_cast<long long>(v)) {}
    FormatValue(long long v) : value_(v) {}
    FormatValue(double v) : value_(v) {}
    FormatValue(std::string_view v) : value_(v) {}
    FormatValue(const char* v) : value_(std::string_view(v)) {}
    FormatValue(const std::string& v) : value_(std::string_view(v)) {}

    const std::variant<long long, double, std::string_view>& Get() const { return value_; }

private:
    std::variant<long long, double, std::string_view> value_;
};

// Formats one record (one formatted WRITE): the returned text holds every
// line the descriptor list produces, each ended by '\n'. When the values run
// out, the record ends at the next data descriptor (or at the end of the
// list); when descriptors run out with values left, the list is reused from
// its last top-level group with that group's repeat count (or from the start
// when it has no group), each reuse beginning a new line.
std::string FormatRecord(std::string_view descriptors, std::initializer_list<FormatValue> values = {});
// The same for values gathered at run time (e.g. a row built in a loop).
std::string FormatRecord(std::string_view descriptors, std::span<const FormatValue> values);

// Text that records are formatted into, e.g. the part of an output file
// not yet written out. It grows as needed; each record is written into it
// in place, field by field, and nothing is cleared before it is
// overwritten.
class TextBuffer {
public:
    std::string_view View() const { return {data_.get(), size_}; }
    std::size_t Size() const { return size_; }
    void Clear() { size_ = 0; }
    // Drops what follows the first `size` characters.
    void Truncate(std::size_t size)
    {
        if (size < size_)
            size_ = size;
    }
    void Append(std::string_view text);
    // Room for at least n more characters after the text, which become part
    // of it through SetEnd; valid until the next call that grows the buffer.
    char* Room(std::size_t n) { return capacity_ - size_ >= n ? data_.get() + size_ : Grow(n); }
    // The text now ends at end, a position within the last Room.
    void SetEnd(const char* end) { size_ = static_cast<std::size_t>(end - data_.get()); }

private:
    char* Grow(std::size_t n);

    std::unique_ptr<char[]> data_;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

// Descriptor lists parsed once and kept, for a writer of many records of
// few layouts (the rows of a report).
class LayoutCache {
public:
    LayoutCache();
    ~LayoutCache();
    LayoutCache(const LayoutCache&) = delete;
    LayoutCache& operator=(const LayoutCache&) = delete;

private:
    struct Parsed;
    std::unique_ptr<Parsed> parsed_;
    friend std::string_view AppendRecord(TextBuffer&, LayoutCache&, std::string_view, std::span<const FormatValue>);
};

// The record of FormatRecord appended to out, its layout parsed through
// layouts; returns the record as it stands in out (valid until out next
// changes). A malformed list or value adds nothing to out.
std::string_view AppendRecord(TextBuffer& out, LayoutCache& layouts, std::string_view descriptors,
                              std::span<const FormatValue> values);

// A list-directed record of integers (the plot file's header and counts):
// the values separated by one blank, then the line end ("1 56 1 4\n").
std::string FormatIntegerList(std::initializer_list<long long> values);

} // namespace korva::engine
