#pragma once
// ASCII letter case, for the protocol texts inside GBK texts (schemes, header
// names, markers). Bytes of 0x80 and more are never touched, so the letters
// that are trail bytes of GBK characters only ever compare as whole pairs
// where the forward search (Search.h) is used.

#include <string>
#include <string_view>

namespace brevaro::text {

constexpr char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

inline std::string asciiLowered(std::string_view text) {
    std::string lowered(text);
    for (char& c : lowered) c = asciiLower(c);
    return lowered;
}

constexpr bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i])) return false;
    }
    return true;
}

constexpr bool startsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

}  // namespace brevaro::text
