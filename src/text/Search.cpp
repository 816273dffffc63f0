#include "text/Search.h"

#include "text/AsciiCase.h"

namespace brevaro::text {
namespace {

bool isDoubleByteLead(char c) { return static_cast<unsigned char>(c) >= 0x80; }

}  // namespace

// Candidates come from the library's substring search (memchr speed); each is
// then checked for a boundary by walking back over the bytes of 0x80 or more
// just before it. The position after any byte below 0x80 is a boundary (that
// byte is a one-byte character or the trail of a pair), and so is the last
// known boundary, so the walk stops at whichever comes first and the run it
// crossed must be of even length. A rejected candidate is a trail byte, so the
// next position is a boundary: the walks never overlap and the whole search
// stays linear in the text.
std::size_t findText(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty() || from > text.size()) return npos;
    std::size_t knownBoundary = from;
    std::size_t candidate = text.find(needle, from);
    while (candidate != npos) {
        std::size_t runStart = candidate;
        while (runStart > knownBoundary && isDoubleByteLead(text[runStart - 1])) --runStart;
        if ((candidate - runStart) % 2 == 0) return candidate;
        knownBoundary = candidate + 1;
        candidate = text.find(needle, candidate + 1);
    }
    return npos;
}

std::size_t findTextIgnoringCase(std::string_view text, std::string_view needle,
                                 std::size_t from) {
    if (needle.empty() || from > text.size()) return npos;
    for (std::size_t at = from; at + needle.size() <= text.size();
         at += isDoubleByteLead(text[at]) ? 2 : 1) {
        bool same = true;
        for (std::size_t i = 0; i < needle.size() && same;) {
            if (isDoubleByteLead(needle[i])) {
                // Both bytes of a pair compare exactly: a trail byte in the
                // letter range is not a letter.
                same = text[at + i] == needle[i] &&
                       (i + 1 >= needle.size() || text[at + i + 1] == needle[i + 1]);
                i += 2;
            } else {
                same = asciiLower(text[at + i]) == asciiLower(needle[i]);
                i += 1;
            }
        }
        if (same) return at;
    }
    return npos;
}

std::string_view firstContained(std::string_view text, std::span<const std::string_view> words) {
    for (std::string_view word : words) {
        if (containsText(text, word)) return word;
    }
    return {};
}

}  // namespace brevaro::text
