#include "word_reader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <utility>

#include <sys/stat.h>

#include "exceptions.h"
#include "int_utils.h"

namespace korva::components {

namespace {

const char* const kIncomplete = "This file either invalid or incomplete.";
const char* const kFloatExpected = "A floating point number was expected but not found.";

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

bool IsLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// Words are cut at blanks and tabs only; other control characters inside a
// word stay part of it.
bool EndsWord(char c)
{
    return c == ' ' || c == '\t';
}

// The end of the line that starts at `begin` (its line end excluded) and the
// start of the next one. LF, CR LF and a lone CR each end a line.
std::pair<std::size_t, std::size_t> LineBounds(std::string_view text, std::size_t begin)
{
    std::size_t end = begin;
    while (end < text.size() && !IsLineEnd(text[end]))
        ++end;
    std::size_t next = end;
    if (next < text.size())
        next += text[next] == '\r' && next + 1 < text.size() && text[next + 1] == '\n' ? 2 : 1;
    return {end, next};
}

// A final line end ends the last line; it does not start another one.
std::size_t CountLines(std::string_view text)
{
    std::size_t lines = 0;
    for (std::size_t begin = 0; begin < text.size(); begin = LineBounds(text, begin).second)
        ++lines;
    return lines;
}

std::string ReadWholeFile(const std::string& fileName)
{
    struct Closer {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };
    std::unique_ptr<std::FILE, Closer> file(std::fopen(fileName.c_str(), "rb"));
    if (!file)
        throw EInOutError("Cannot open file \"" + fileName + "\". " + std::strerror(errno));
    std::string content;
    // A regular file tells its size: one too large is refused before it is
    // read, and one within the limit is read into room made once. A pipe or
    // device is bounded as it is read.
    struct stat info{};
    if (::fstat(::fileno(file.get()), &info) == 0 && S_ISREG(info.st_mode)) {
        if (static_cast<std::uint64_t>(info.st_size) > TWordReader::kMaxFileSize)
            throw EInOutError("File \"" + fileName + "\" is too large to be read.");
        content.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[65536];
    std::size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) {
        content.append(buffer, got);
        if (content.size() > TWordReader::kMaxFileSize)
            throw EInOutError("File \"" + fileName + "\" is too large to be read.");
    }
    if (std::ferror(file.get()))
        throw EInOutError("Cannot read file \"" + fileName + "\".");
    return content;
}

} // namespace

TWordReader::TWordReader(const std::string& fileName) : TWordReader(Content{}, ReadWholeFile(fileName)) {}

TWordReader::TWordReader(Content, std::string text) : text_(std::move(text))
{
    lineCount_ = std::max<std::size_t>(1, CountLines(text_)); // an empty file is one line without words
    EnterLine(0);
}

TWordReader TWordReader::FromText(std::string_view text)
{
    return TWordReader(Content{}, std::string(text));
}

void TWordReader::EnterLine(std::size_t begin)
{
    const auto [end, next] = LineBounds(text_, begin);
    lineBegin_ = cursor_ = begin;
    lineEnd_ = wordsEnd_ = end;
    nextLine_ = next;
    while (wordsEnd_ > lineBegin_ && IsBlank(text_[wordsEnd_ - 1]))
        --wordsEnd_;
    currentWord_ = 0;
    wordCount_ = -1;
}

void TWordReader::NextLine()
{
    if (++currentLine_ < lineCount_)
        EnterLine(nextLine_);
}

bool TWordReader::Eof() const
{
    return currentLine_ >= lineCount_;
}

int TWordReader::WordCount() const
{
    if (Eof())
        return 0;
    if (wordCount_ < 0) {
        int count = 0;
        for (std::size_t at = lineBegin_; at < wordsEnd_;) {
            if (IsBlank(text_[at])) {
                ++at;
                continue;
            }
            ++count;
            while (at < wordsEnd_ && !EndsWord(text_[at]))
                ++at;
        }
        wordCount_ = count;
    }
    return wordCount_;
}

bool TWordReader::SeekWord()
{
    for (; !Eof(); NextLine()) {
        // Blanks and control characters before a word separate it from the last.
        while (cursor_ < wordsEnd_ && IsBlank(text_[cursor_]))
            ++cursor_;
        if (cursor_ < wordsEnd_)
            return true;
    }
    return false;
}

std::string TWordReader::NextWord()
{
    if (!SeekWord())
        throw EInOutError(kIncomplete);
    const std::size_t begin = cursor_;
    while (cursor_ < wordsEnd_ && !EndsWord(text_[cursor_]))
        ++cursor_;
    ++currentWord_;
    return text_.substr(begin, cursor_ - begin);
}

void TWordReader::InputError(const std::string& text) const
{
    InputErrorAt(CurrentLine(), CurrentWord(), text);
}

void TWordReader::InputErrorAt(int line, int item, const std::string& text)
{
    throw EInOutError("Error on Line " + FormatInteger(static_cast<long long>(line) + 1) +
                      (item > 0 ? " Item " + FormatInteger(item) : std::string()) + "\r" + text);
}

namespace {

// The next word as a number of the type, read with "." as decimal separator.
template <typename Real>
Real ReadNumberAs(TWordReader& reader)
{
    ScopedDecimalSeparator dot('.');
    Real value = 0;
    if (!TryParseNumber(reader.NextWord(), value))
        reader.InputError(kFloatExpected);
    return value;
}

} // namespace

Extended TWordReader::ReadFloat()
{
    return ReadNumberAs<Extended>(*this);
}

double TWordReader::ReadDouble()
{
    return ReadNumberAs<double>(*this);
}

int TWordReader::ReadInteger()
{
    Extended value = 0;
    if (!TryParseNumber(NextWord(), value) || !IsWholeNumber(value))
        InputError("An integer was expected but not found.");
    return static_cast<int>(value);
}

std::string TWordReader::ReadLine()
{
    if (Eof())
        throw EInOutError(kIncomplete);
    std::string text = text_.substr(lineBegin_, lineEnd_ - lineBegin_);
    NextLine();
    return text;
}

} // namespace korva::components
