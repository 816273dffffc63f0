// Link resolution: a row's link is page text, and whatever it holds the
// address handed to the shell is an http or https address with a host that
// stays one argument on a command line: no control byte, space or quote
// anywhere, and none of the other bytes an address may not hold where a
// character starts. An address it gives opens again as itself would.
// Resolution stays linear in the link.
//
// Input: a link alone (resolved against one of the boards' list pages), or a
// base address and a link separated by the part separator.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "app/LinkResolution.h"
#include "monitor/Board.h"
#include "text/AsciiCase.h"

namespace brevaro::fuzz {
namespace {

// Never part of an address as it stands, not even as the second byte of a
// GBK pair: none of them is a GBK trail byte (0x40 to 0xFE).
bool neverHeld(unsigned char byte) {
    return byte <= 0x20 || byte == 0x7F || byte == '"' || byte == '<' || byte == '>';
}

// Not held where a character starts; a GBK pair may end in one.
bool neverStartsCharacter(unsigned char byte) {
    return std::string_view("\\^`{|}").find(static_cast<char>(byte)) != std::string_view::npos;
}

// A pair's second byte: 0x40 to 0xFE, not 0x7F. A byte of 0x80 or more
// followed by anything else stands alone.
bool isTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFE && byte != 0x7F; }

void checkAddress(std::string_view base, std::string_view link, const std::string& address) {
    const std::string context = "\nbase: " + shown(base) + "\nlink: " + shown(link) +
                                "\naddress: " + shown(address);
    std::size_t schemeEnd = 0;
    if (text::startsWithIgnoringAsciiCase(address, "http://")) {
        schemeEnd = 7;
    } else if (text::startsWithIgnoringAsciiCase(address, "https://")) {
        schemeEnd = 8;
    }
    FUZZ_CHECK(schemeEnd != 0, "an address to open that is not http or https" + context);
    const std::size_t authorityEnd = address.find_first_of("/?#", schemeEnd);
    FUZZ_CHECK(authorityEnd != schemeEnd && schemeEnd < address.size(),
               "an address to open without a host" + context);
    for (const char c : address) {
        FUZZ_CHECK(!neverHeld(static_cast<unsigned char>(c)),
                   "an address to open holds a byte it may not hold" + context);
    }
    for (std::size_t i = 0; i < address.size(); ++i) {
        const auto byte = static_cast<unsigned char>(address[i]);
        FUZZ_CHECK(!neverStartsCharacter(byte),
                   "an address to open holds an unsafe character" + context);
        if (byte >= 0x80 && i + 1 < address.size() &&
            isTrailByte(static_cast<unsigned char>(address[i + 1]))) {
            ++i;  // the pair's second byte
        }
    }
    const std::optional<std::string> again = app::openableLink(base, address);
    FUZZ_CHECK(again.has_value(), "an address to open does not open again" + context);
}

void checkLink(std::string_view base, std::string_view link) {
    if (const std::optional<std::string> address = app::openableLink(base, link)) {
        checkAddress(base, link, *address);
    }
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevaro;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    if (input.find(fuzz::kPartSeparator) != std::string_view::npos) {
        const std::vector<std::string_view> parts = fuzz::splitParts(input, 2);
        fuzz::checkLink(parts[0], parts[1]);
        return 0;
    }
    const auto boards = monitor::boardCatalogue();
    const std::string listUrl = monitor::boardUrl(boards[size % boards.size()]);
    fuzz::checkLink(listUrl, input);
    fuzz::checkLinearTime(
        input, [&listUrl](std::string_view link) { app::openableLink(listUrl, link); },
        "resolving a link");
    return 0;
}
