#pragma once
// Free-format (list-directed) reader of the project and CPT point files.
// One Read call is one read statement: values are separated by blanks,
// commas or tabs; a read that needs more values than the current line holds
// goes on to the following line(s), skipping blank ones; whatever is left on
// the last line used is dropped, and the next read starts on the next line.
// Lines may end with LF or CRLF. Numbers are parsed with std::from_chars
// (a leading '+' is accepted), never the C locale.
// The reader works on the text in place (no copy per line), in time linear
// in the text, so a huge file or a very long line costs only its own size;
// bounding the size of a file before it is loaded is the caller's job.
#include <cstddef>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korva::engine {

class ListReader {
public:
    explicit ListReader(std::string text);

    // A target of one read: an integer (must be written as an integer, within
    // 32 bits) or a real (integers, "1.", ".5", "1E5", "1.0D0" are accepted).
    class Target {
    public:
        Target(int& v) : int_(&v) {}
        Target(double& v) : real_(&v) {}
        int* int_ = nullptr;
        double* real_ = nullptr;
    };

    // One list-directed read into the targets, in order. On failure (end of
    // file, or a value that is not a number of the needed kind) returns false
    // and leaves the targets not yet read unchanged; Error() then tells why.
    // A read with no targets passes over one line.
    bool Read(std::initializer_list<Target> targets);
    bool Read(const std::vector<Target>& targets);

    // Reads the next line as raw text (without its line end), for titles.
    // Returns false at end of file.
    bool ReadLine(std::string& line);

    // True when no line is left.
    bool AtEnd() const;
    // 1-based number of the line the last read ended on (0 before any read).
    std::size_t LineNumber() const { return line_number_; }
    const std::string& Error() const { return error_; }

    // A value longer than this is refused (no number written by a program is).
    static constexpr std::size_t kMaxValueLength = 128;

private:
    struct Line {
        std::size_t begin; // first character
        std::size_t end;   // past the last character, line end excluded
    };
    bool ReadTargets(std::span<const Target> targets);
    // Takes the next line; at end of file sets Error() to "end of file".
    bool NextLine(Line& line);
    bool Store(std::string_view value, const Target& target);
    // Sets Error() to why, naming the current line; returns false.
    bool Fail(std::string why);

    std::string text_;
    std::size_t next_ = 0; // where the next line begins
    std::size_t line_number_ = 0;
    std::string error_;
};

} // namespace korva::engine
