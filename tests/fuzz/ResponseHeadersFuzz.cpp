// Reading a raw response header block a server controls: the request
// object's Location, Content-Length and named headers, the simple fetch's
// location and received cookies, and where a fetch goes. No value read holds
// CR, LF or NUL; a header is read only from a line that starts with its
// name; reading stays linear in the block.
//
// Input: a header block, a header name and a URL, separated by the part
// separator.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "http/RequestRules.h"
#include "http/WebFetchRules.h"
#include "text/AsciiCase.h"
#include "text/Search.h"

namespace brevaro::fuzz {
namespace {

constexpr std::string_view kListUrl = "http://www.zuanke8.com/forum-15-1.html";

void checkClean(std::string_view value, const char* what, std::string_view headers) {
    FUZZ_CHECK(!holdsLineBreakOrNul(value), std::string(what) + " holds CR, LF or NUL: " +
                                                shown(value) + "\nheaders: " + shown(headers));
}

// Whether some line of the block (the first, or one after an LF) starts
// with "name:", ignoring ASCII letter case.
bool hasLineNamed(std::string_view headers, std::string_view name) {
    const std::string mark = std::string(name) + ":";
    for (std::size_t at = 0; at <= headers.size();) {
        if (text::startsWithIgnoringAsciiCase(headers.substr(at), mark)) return true;
        const std::size_t lineFeed = headers.find('\n', at);
        if (lineFeed == std::string_view::npos) break;
        at = lineFeed + 1;
    }
    return false;
}

void checkNamed(bool read, std::string_view headers, std::string_view name) {
    FUZZ_CHECK(!read || hasLineNamed(headers, name),
               "a " + std::string(name) + " read from a block without a " + std::string(name) +
                   " line: " + shown(headers));
}

void checkTarget(std::string_view url, std::string_view headers) {
    const http::WebFetchTarget target = http::webFetchTarget(url);
    FUZZ_CHECK(target.path.starts_with('/'), "a fetch path without its slash: " + shown(target.path));
    // Where a character starts: a lone lead byte takes the byte after it
    // with it, as in every search of the program.
    FUZZ_CHECK(!text::containsText(target.host, "/"), "a fetch host holds a slash");
    for (const char c : target.host) {
        FUZZ_CHECK(c < 'A' || c > 'Z', "a fetch host is not lower case: " + shown(target.host));
    }
    if (!holdsLineBreakOrNul(url)) {
        checkClean(target.host, "a fetch host", headers);
        checkClean(target.path, "a fetch path", headers);
    }
}

void checkBlock(std::string_view headers, std::string_view name, std::string_view url) {
    const http::ConnectedTarget connected{false, "www.zuanke8.com", 80};
    const std::string location = http::redirectLocation(headers, false, connected, kListUrl);
    checkClean(location, "a Location", headers);
    checkNamed(!location.empty(), headers, "Location");
    checkClean(http::redirectLocation(headers, true, connected, kListUrl), "a completed Location",
               headers);

    checkNamed(http::contentLengthOf(headers) != -1, headers, "Content-Length");
    for (std::string_view header : {std::string_view("Location"), std::string_view("Set-Cookie"),
                                    std::string_view("Content-Length"), name}) {
        const std::string value = http::responseHeader(headers, header);
        checkClean(value, "a header value", headers);
        if (!header.empty()) checkNamed(!value.empty(), headers, header);
    }

    const http::WebFetchHeaderReading reading = http::readWebFetchHeaders(headers);
    checkClean(reading.receivedCookies, "the fetch's received cookies", headers);
    checkNamed(!reading.receivedCookies.empty(), headers, "Set-Cookie");
    // Without a Location the location is the whole block, as the fetch
    // hands it back; with one it is that line's value.
    if (reading.location != headers) {
        checkClean(reading.location, "the fetch's location", headers);
        checkNamed(!reading.location.empty(), headers, "Location");
    }
    checkTarget(url, headers);
    if (!location.empty()) checkTarget(location, headers);
}

void readBlock(std::string_view headers) {
    const http::ConnectedTarget connected{false, "www.zuanke8.com", 80};
    http::redirectLocation(headers, true, connected, kListUrl);
    http::contentLengthOf(headers);
    http::responseHeader(headers, "Set-Cookie");
    http::readWebFetchHeaders(headers);
    http::webFetchTarget(headers);
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brevaro;
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string_view> parts = fuzz::splitParts(input, 3);
    // A header name is the program's, a few bytes.
    fuzz::checkBlock(parts[0], parts[1].substr(0, 32), parts[2]);
    fuzz::checkLinearTime(parts[0], fuzz::readBlock, "reading a header block");
    return 0;
}
