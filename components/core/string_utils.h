#pragma once
// 1-based string routines, as the unit codes of float columns are parsed
// (positions count from 1; 0 means "not found").
#include <string>
#include <string_view>

namespace korva::components {

// 1-based position of the first occurrence of pattern in text; 0 when absent
// or when the pattern is empty.
int Pos(std::string_view pattern, std::string_view text);

// The character at the 1-based position; '\0' below 1 or beyond the end.
char CharAt(std::string_view text, int position);

// The tail of text from the 1-based position (a position below 1 counts as
// 1; beyond the end gives "").
std::string CopyFrom(std::string_view text, int position);

// Position of pattern in CopyFrom(text, start), counted from the start of
// that tail (1 = at start); 0 when absent.
int PosFrom(std::string_view pattern, std::string_view text, int start);

// Position of pattern in text, or fallback when absent.
int PosOr(std::string_view pattern, std::string_view text, int fallback);

// PosOr(pattern, text, length of text + 1).
int PosOrEnd(std::string_view pattern, std::string_view text);

// The text with the letters A-Z in lower case; other bytes as they are
// (never the C locale's case rules).
std::string LowerCase(std::string_view text);

// Every occurrence of oldText replaced by newText, left to right; the search
// resumes right after each inserted text, so inserted text is never searched
// again. An empty oldText changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText);

} // namespace korva::components
