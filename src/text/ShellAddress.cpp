#include "text/ShellAddress.h"

#include <algorithm>

#include "text/AsciiCase.h"
#include "text/Encoding.h"

namespace brevaro::text {
namespace {

void appendEscape(std::string& out, unsigned char byte) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    out.push_back('%');
    out.push_back(kHex[byte >> 4]);
    out.push_back(kHex[byte & 0x0F]);
}

bool mustBeEscaped(unsigned char byte) {
    if (byte < 0x21 || byte >= 0x7F) return true;
    constexpr std::string_view kUnsafe = "\"<>\\^`{|}";
    return kUnsafe.find(static_cast<char>(byte)) != std::string_view::npos;
}

// A lead byte and a trail byte in GBK's ranges: the unit the conversions
// replace by one "?" when it does not convert (text/Encoding.cpp).
bool isGbkPairShape(unsigned char lead, unsigned char trail) {
    return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

// The UTF-8 bytes of the character a GBK pair stands for; empty when code
// page 936 gives none. A refused pair comes back as "?" (which no pair
// encodes); a private-use character is how Windows' code page 936 gives the
// user-defined areas, which glibc's CP936 refuses: refused on both, so the
// two platforms hand the shell the same address.
std::string pairAsUtf8(std::string_view pair) {
    const std::u16string wide = gbkToUtf16(pair);
    if (wide.size() != 1 || wide[0] == u'?' || (wide[0] >= 0xE000 && wide[0] <= 0xF8FF)) return {};
    return utf16ToUtf8(wide);
}

std::string escapeForShell(std::string_view address) {
    std::string out;
    out.reserve(address.size() * 3);
    for (std::size_t i = 0; i < address.size(); ++i) {
        const auto byte = static_cast<unsigned char>(address[i]);
        if (byte >= 0x80 && i + 1 < address.size() &&
            isGbkPairShape(byte, static_cast<unsigned char>(address[i + 1]))) {
            const std::string_view pair = address.substr(i, 2);
            const std::string utf8 = pairAsUtf8(pair);
            // No byte of a pair that is no character goes out as it stands,
            // an ASCII trail byte included.
            for (const char c : utf8.empty() ? pair : std::string_view(utf8)) {
                appendEscape(out, static_cast<unsigned char>(c));
            }
            ++i;
        } else if (mustBeEscaped(byte)) {
            appendEscape(out, byte);
        } else {
            out.push_back(address[i]);
        }
    }
    return out;
}

// The host of an ASCII authority: after the last "@", before a ":port"; an
// IPv6 literal keeps its colons inside "[...]" and must hold something.
bool hasHost(std::string_view authority) {
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);
    if (authority.starts_with('[')) {
        const std::size_t close = authority.find(']');
        return close != std::string_view::npos && close > 1;
    }
    return !authority.empty() && authority.front() != ':';
}

bool isWebAddress(std::string_view ascii) {
    std::size_t schemeLength = 0;
    if (startsWithIgnoringAsciiCase(ascii, "http://")) {
        schemeLength = 7;
    } else if (startsWithIgnoringAsciiCase(ascii, "https://")) {
        schemeLength = 8;
    } else {
        return false;
    }
    const std::string_view rest = ascii.substr(schemeLength);
    return hasHost(rest.substr(0, std::min(rest.find_first_of("/?#"), rest.size())));
}

}  // namespace

std::optional<std::string> shellAddress(std::string_view address) {
    std::string escaped = escapeForShell(address);
    if (!isWebAddress(escaped)) return std::nullopt;
    return escaped;
}

}  // namespace brevaro::text
