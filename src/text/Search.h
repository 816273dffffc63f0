#pragma once
// The forward text search that every marker and keyword test uses.
//
// GBK texts are searched as bytes, but a match may start only at a character
// boundary: a byte of 0x80 or more begins a two-byte character and takes the
// next byte with it, so a needle is never found straddling two characters
// (the trail byte of one character and the lead byte of the next). Positions
// are 0-based byte offsets; the search position `from` is taken to be a
// character boundary (callers pass 0 or the end of an earlier match).
// An empty needle is never found.

#include <cstddef>
#include <span>
#include <string_view>

namespace brevaro::text {

inline constexpr std::size_t npos = std::string_view::npos;

// Exact byte comparison: upper and lower case differ.
std::size_t findText(std::string_view text, std::string_view needle, std::size_t from = 0);

// ASCII letters compare without regard to case; the bytes of two-byte
// characters compare exactly.
std::size_t findTextIgnoringCase(std::string_view text, std::string_view needle,
                                 std::size_t from = 0);

inline bool containsText(std::string_view text, std::string_view needle) {
    return findText(text, needle) != npos;
}

// The first of words (in their order) that text contains; empty when none.
std::string_view firstContained(std::string_view text, std::span<const std::string_view> words);

}  // namespace brevaro::text
