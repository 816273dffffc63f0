// Link resolution and the shell's form of an address. A row's link and the
// popup's address are page text; whatever they hold, what reaches the shell
// (openableLink, text::shellAddress) is pure ASCII with no byte below 0x21,
// no '"', '<', '>', '\', '^', '`', '{', '|', '}', and an http:// or https://
// address (any letter case) with a host. The shell's form of such an
// address is itself; an address of GBK characters that converts whole and
// holds no "%" reads back, escapes decoded, as its UTF-8; and both stay
// linear in the text.
//
// Input: a link alone (resolved against one of the boards' list pages, and
// taken as an address for the shell's form), or a base address and a link
// separated by the part separator.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "app/boards/LinkResolution.h"
#include "monitor/Board.h"
#include "text/AsciiCase.h"
#include "text/Encoding.h"
#include "text/ShellAddress.h"

namespace brevaro::fuzz {
namespace {

bool isShellSafe(unsigned char byte) {
    return byte >= 0x21 && byte < 0x7F &&
           std::string_view("\"<>\\^`{|}").find(static_cast<char>(byte)) == std::string_view::npos;
}

// The host of an address with its scheme: after any "user@", before any
// ":port" (an IPv6 literal keeps its colons inside "[...]").
std::string_view hostOf(std::string_view address, std::size_t schemeEnd) {
    std::string_view authority = address.substr(schemeEnd);
    authority = authority.substr(0, std::min(authority.find_first_of("/?#"), authority.size()));
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);
    if (authority.starts_with('[')) return authority.substr(0, authority.find(']') + 1);
    return authority.substr(0, std::min(authority.find(':'), authority.size()));
}

void checkShellForm(std::string_view address, const std::string& context) {
    const std::string what = context + "\nhanded to the shell: " + shown(address);
    for (const char c : address) {
        FUZZ_CHECK(isShellSafe(static_cast<unsigned char>(c)),
                   "the shell gets a byte that could split or quote its command line" + what);
    }
    std::size_t schemeEnd = 0;
    if (text::startsWithIgnoringAsciiCase(address, "http://")) {
        schemeEnd = 7;
    } else if (text::startsWithIgnoringAsciiCase(address, "https://")) {
        schemeEnd = 8;
    }
    FUZZ_CHECK(schemeEnd != 0, "the shell gets an address that is not http or https" + what);
    const std::string_view host = hostOf(address, schemeEnd);
    FUZZ_CHECK(!host.empty() && host != "[]", "the shell gets an address without a host" + what);
    FUZZ_CHECK(text::shellAddress(address) == std::string(address),
               "the shell's form of an address in that form is not itself" + what);
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string percentDecoded(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 &&
            hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Whether every byte of 0x80 or more is part of a GBK pair: code page 936
// also reads 0x80 alone (the euro sign), which the shell's form escapes as
// the byte itself.
bool onlyPairs(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) continue;
        if (lead == 0x80 || lead == 0xFF || i + 1 >= text.size()) return false;
        const auto trail = static_cast<unsigned char>(text[++i]);
        if (trail < 0x40 || trail == 0x7F || trail == 0xFF) return false;
    }
    return true;
}

std::size_t questionMarks(std::u16string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), u'?'));
}

void checkShellAddress(std::string_view address) {
    const std::optional<std::string> shell = text::shellAddress(address);
    if (!shell) return;
    const std::string context = "\naddress: " + shown(address);
    checkShellForm(*shell, context);
    const std::u16string wide = text::gbkToUtf16(address);
    const bool convertsWhole =
        questionMarks(wide) == static_cast<std::size_t>(std::count(address.begin(), address.end(), '?'));
    if (convertsWhole && onlyPairs(address) && address.find('%') == std::string_view::npos) {
        FUZZ_CHECK(percentDecoded(*shell) == text::utf16ToUtf8(wide),
                   "the shell's form does not read back as the address in UTF-8" + context +
                       "\nshell: " + shown(*shell));
    }
}

void checkLink(std::string_view base, std::string_view link) {
    const std::optional<std::string> address = app::openableLink(base, link);
    if (!address) return;
    const std::string context = "\nbase: " + shown(base) + "\nlink: " + shown(link);
    checkShellForm(*address, context);
    FUZZ_CHECK(app::openableLink(base, *address) == address,
               "an address to open does not open again as itself" + context);
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevaro;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.find(fuzz::kPartSeparator) != std::string_view::npos) {
        const std::vector<std::string_view> parts = fuzz::splitParts(input, 2);
        fuzz::checkLink(parts[0], parts[1]);
        fuzz::checkShellAddress(parts[1]);
        return 0;
    }
    const auto boards = monitor::boardCatalogue();
    const std::string listUrl = monitor::boardUrl(boards[size % boards.size()]);
    fuzz::checkLink(listUrl, input);
    fuzz::checkShellAddress(input);
    fuzz::checkLinearTime(
        input,
        [&listUrl](std::string_view link) {
            app::openableLink(listUrl, link);
            text::shellAddress(link);
        },
        "resolving a link and its shell form");
    return 0;
}
