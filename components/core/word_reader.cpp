#include "word_reader.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>

#include "exceptions.h"
#include "int_utils.h"

namespace korva::components {

namespace {

const char* const kIncomplete = "This file either invalid or incomplete.";

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ';
}

// Words of one line: trimmed of characters up to code 32 at both ends, then
// cut at blanks and tabs; runs of blanks count as one separator and other
// control characters inside a word stay part of it.
std::vector<std::string> WordsOf(std::string_view text)
{
    std::vector<std::string> words;
    std::size_t begin = 0, end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    text = text.substr(begin, end - begin);
    while (!text.empty()) {
        const std::size_t cut = std::min(text.find(' '), text.find('\t'));
        words.emplace_back(text.substr(0, cut));
        if (cut == std::string_view::npos)
            break;
        text.remove_prefix(cut);
        while (!text.empty() && IsBlank(text.front()))
            text.remove_prefix(1);
    }
    return words;
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

TWordReader::TWordReader(const std::string& fileName)
{
    Split(ReadWholeFile(fileName));
}

TWordReader TWordReader::FromText(std::string_view text)
{
    TWordReader reader;
    reader.Split(text);
    return reader;
}

void TWordReader::Split(std::string_view text)
{
    // A final line break ends the last line; it does not start another one.
    while (!text.empty()) {
        const std::size_t lf = text.find('\n');
        std::string_view line = text.substr(0, lf);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines_.push_back({WordsOf(line), std::string(line)});
        if (lf == std::string_view::npos)
            break;
        text.remove_prefix(lf + 1);
    }
    if (lines_.empty())
        lines_.emplace_back(); // an empty file is one line without words
}

bool TWordReader::Eof() const
{
    return currentLine_ >= lines_.size();
}

int TWordReader::WordCount() const
{
    return Eof() ? 0 : static_cast<int>(lines_[currentLine_].words.size());
}

std::string TWordReader::NextWord()
{
    while (!Eof() && currentWord_ >= lines_[currentLine_].words.size()) {
        ++currentLine_;
        currentWord_ = 0;
    }
    if (Eof())
        throw EInOutError(kIncomplete);
    return lines_[currentLine_].words[currentWord_++];
}

void TWordReader::InputError(const std::string& text) const
{
    throw EInOutError("Error on Line " + FormatInteger(static_cast<long long>(currentLine_) + 1) + " Item " +
                      FormatInteger(static_cast<long long>(currentWord_)) + "\r" + text);
}

Extended TWordReader::ReadFloat()
{
    ScopedDecimalSeparator dot('.');
    Extended value = 0;
    if (!TryParseNumber(NextWord(), value))
        InputError("A floating point number was expected but not found.");
    return value;
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
    std::string text = lines_[currentLine_].text;
    ++currentLine_;
    currentWord_ = 0;
    return text;
}

} // namespace korva::components
