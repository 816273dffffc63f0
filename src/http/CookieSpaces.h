#pragma once
// Spaces as the cookie rules see them (private to src/http): the ASCII space
// and the GBK full-width space "　" (A1 A1), which the browser's cookie text
// can carry. A full-width space counts only at a character boundary: in
// "啊“" (B0 A1 A1 B0) the middle bytes A1 A1 belong to two characters.

#include <cstddef>
#include <string>
#include <string_view>

#include "text/TextPieces.h"

namespace brevaro::http::spaces {

inline constexpr std::string_view kFullWidthSpace = "　";

// Bytes taken by the character at `at` (a character boundary): a byte of 0x80
// or more begins a pair, a lone lead byte at the end counts as one.
inline std::size_t characterSize(std::string_view text, std::size_t at) {
    return static_cast<unsigned char>(text[at]) >= 0x80 && at + 1 < text.size() ? 2 : 1;
}

// Bytes taken by the space at `at` (a character boundary); 0 when none is there.
inline std::size_t spaceSize(std::string_view text, std::size_t at) {
    if (at < text.size() && text[at] == ' ') return 1;
    return text.substr(at < text.size() ? at : text.size()).starts_with(kFullWidthSpace) ? 2 : 0;
}

// A value from the wire up to its last whole character: a byte of 0x80 or
// more at the very end has lost its second byte and is no character.
inline std::string_view wholeCharacters(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t size = characterSize(text, at);
        if (size == 1 && static_cast<unsigned char>(text[at]) >= 0x80) return text.substr(0, at);
        at += size;
    }
    return text;
}

inline std::string_view withoutLeadingSpaces(std::string_view text) {
    std::size_t at = 0;
    while (const std::size_t size = spaceSize(text, at)) at += size;
    return text.substr(at);
}

// Trailing spaces are found walking forward, so that a pair's trail byte A1
// is never taken for half of a full-width space.
inline std::string_view trimmed(std::string_view text) {
    text = withoutLeadingSpaces(text);
    std::size_t end = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t space = spaceSize(text, at);
        at += space != 0 ? space : characterSize(text, at);
        if (space == 0) end = at;
    }
    return text.substr(0, end);
}

// Full-width spaces go first: they are whole characters, so removing them
// leaves every other boundary where it was.
inline std::string withoutSpaces(std::string_view text) {
    return text::removeAll(text::removeAll(text, kFullWidthSpace), " ");
}

}  // namespace brevaro::http::spaces
