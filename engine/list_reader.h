#pragma once
// Free-format (list-directed) reader of the project and CPT point files.
// One Read call is one read statement: values are separated by blanks,
// commas or tabs; a read that needs more values than the current line holds
// goes on to the following line(s), skipping blank ones; whatever is left on
// the last line used is dropped, and the next read starts on the next line.
// Lines may end with LF or CRLF. Numbers are parsed with std::from_chars
// (a leading '+' is accepted), never the C locale.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace korva::engine {

class ListReader {
public:
    explicit ListReader(std::string text);

    // A target of one read: an integer (must be written as an integer) or a real.
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
    bool Read(std::initializer_list<Target> targets);
    bool Read(const std::vector<Target>& targets);

    // Reads the next line as raw text (without its line end), for titles.
    // Returns false at end of file.
    bool ReadLine(std::string& line);

    bool AtEnd() const;
    // 1-based number of the line the last read ended on (0 before any read).
    std::size_t LineNumber() const { return line_number_; }
    const std::string& Error() const { return error_; }

private:
    std::vector<std::string> lines_;
    std::size_t next_line_ = 0;
    std::size_t line_number_ = 0;
    std::string error_;
};

} // namespace korva::engine
