#include "string_utils.h"

namespace korva::components {

int Pos(std::string_view pattern, std::string_view text)
{
    if (pattern.empty())
        return 0;
    const std::size_t found = text.find(pattern);
    return found == std::string_view::npos ? 0 : static_cast<int>(found) + 1;
}

char CharAt(std::string_view text, int position)
{
    return position >= 1 && position <= static_cast<int>(text.size()) ? text[static_cast<std::size_t>(position) - 1]
                                                                       : '\0';
}

std::string CopyFrom(std::string_view text, int position)
{
    if (position < 1)
        position = 1;
    if (position > static_cast<int>(text.size()))
        return {};
    return std::string(text.substr(static_cast<std::size_t>(position) - 1));
}

int PosFrom(std::string_view pattern, std::string_view text, int start)
{
    return Pos(pattern, CopyFrom(text, start));
}

int PosOr(std::string_view pattern, std::string_view text, int fallback)
{
    const int position = Pos(pattern, text);
    return position == 0 ? fallback : position;
}

int PosOrEnd(std::string_view pattern, std::string_view text)
{
    return PosOr(pattern, text, static_cast<int>(text.size()) + 1);
}

std::string LowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText)
{
    std::string result(text);
    if (oldText.empty())
        return result;
    std::size_t found = result.find(oldText);
    while (found != std::string::npos) {
        result.replace(found, oldText.size(), newText);
        found = result.find(oldText, found + newText.size());
    }
    return result;
}

} // namespace korva::components
