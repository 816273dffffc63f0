#pragma once
// Small editing helpers over GBK texts. Every occurrence they look for is
// found with the forward search of Search.h (character boundaries only).

#include <string>
#include <string_view>
#include <vector>

namespace brevaro::text {

// Splits on every occurrence of separator (a comma when separator is empty)
// and returns the non-empty pieces in order. The views point into text.
std::vector<std::string_view> splitNonEmpty(std::string_view text, std::string_view separator);

// text with every occurrence of part removed (part empty: text unchanged).
std::string removeAll(std::string_view text, std::string_view part);

// text with every occurrence of part replaced by replacement.
std::string replaceAll(std::string_view text, std::string_view part, std::string_view replacement);

// The text after the last occurrence of mark; empty when mark does not occur.
std::string_view textAfterLast(std::string_view text, std::string_view mark);

// A GBK text ends at its first zero byte: the part of bytes before it.
std::string_view textBeforeNul(std::string_view bytes);

// text without its leading and trailing ASCII spaces (0x20 only). A GBK trail
// byte is never 0x20, so this is safe at any position.
std::string_view trimAsciiSpaces(std::string_view text);

}  // namespace brevaro::text
