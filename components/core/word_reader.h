#pragma once
// TWordReader: reads a whole text file into memory as lines of words (runs
// of blanks and tabs separate words) and hands the words out one at a time as
// reals, integers or whole lines. The project file, the user's CPT text file
// and the engine's plot data file are read through it. One reader serves one
// pass over one file: it never writes and never rewinds.
//
// Lines end with LF, CR LF or a lone CR. A line without words is passed over
// when a word is requested; asking for a word or a line after the last one
// raises EInOutError "This file either invalid or incomplete.".
//
// The text is kept whole and a line is split only as the reader reaches it,
// each character looked at a fixed number of times: a file of one long line
// and a file of many short ones take time in proportion to their size.
#include <cstddef>
#include <string>
#include <string_view>

#include "number_format.h"

namespace korva::components {

class TWordReader {
public:
    // Reads the file. Raises EInOutError when it cannot be opened or read, or
    // is larger than kMaxFileSize.
    explicit TWordReader(const std::string& fileName);
    // A reader over text already in memory.
    static TWordReader FromText(std::string_view text);

    static constexpr std::size_t kMaxFileSize = 64u << 20;

    // Every line is consumed.
    bool Eof() const;
    // Number of words of the current line (0 at the end).
    int WordCount() const;
    // The next word; moves to the next line with words when the current line
    // has none left.
    std::string NextWord();
    // Moves to the next word without reading it, past the lines without
    // words; false when no word is left. CurrentLine() is then its line: for
    // a caller that reports words its records left unread.
    bool SeekWord();
    // The next word read as a number with "." as decimal separator, whatever
    // separator is in force (it is restored afterwards, also on failure).
    // EInOutError "Error on Line <l> Item <i>" CR "A floating point number
    // was expected but not found." when it is not one.
    Extended ReadFloat();
    // ReadFloat to the double nearest to the word: a file of the engine's
    // numbers read back as exactly the values the engine reads.
    double ReadDouble();
    // The next word read as a number with the separator in force, which must
    // be whole and within the 32-bit range (7, 7.0 and 7E0 read as 7);
    // otherwise EInOutError "Error on Line <l> Item <i>" CR "An integer was
    // expected but not found.".
    int ReadInteger();
    // The raw text of the current line; then moves to the next line.
    std::string ReadLine();

    // 0-based index of the current line and number of lines, for callers
    // that report where they stopped.
    int CurrentLine() const { return static_cast<int>(currentLine_); }
    // Words of the current line handed out so far: after a read, the 1-based
    // item number of the word just read, as the error messages count it.
    int CurrentWord() const { return static_cast<int>(currentWord_); }
    int LineCount() const { return static_cast<int>(lineCount_); }

    // Raises EInOutError "Error on Line <l> Item <i>" CR `text` at the word
    // just read, as the conversion errors do: for a caller that refuses a
    // value it read (a count beyond its limit).
    [[noreturn]] void InputError(const std::string& text) const;
    // The same error at a given 0-based line and 1-based item, for a value
    // refused after the reader moved on ("Error on Line <l>" alone when item
    // is 0: a line refused as a whole).
    [[noreturn]] static void InputErrorAt(int line, int item, const std::string& text);

private:
    struct Content {};
    TWordReader(Content, std::string text);
    // Makes the line that starts at `begin` the current one.
    void EnterLine(std::size_t begin);
    void NextLine();

    std::string text_;            // the whole file
    std::size_t lineCount_ = 0;   // at least 1: an empty file is one line without words
    std::size_t currentLine_ = 0; // equals the line count when every line is consumed
    std::size_t currentWord_ = 0; // words of the current line handed out so far
    // The current line: its raw text [lineBegin_, lineEnd_), its words within
    // [lineBegin_, wordsEnd_) (trailing blanks and control characters left
    // out), where the next line starts, where the next word is looked for.
    std::size_t lineBegin_ = 0, lineEnd_ = 0, wordsEnd_ = 0, nextLine_ = 0, cursor_ = 0;
    mutable int wordCount_ = -1; // of the current line, counted when first asked
};

} // namespace korva::components
