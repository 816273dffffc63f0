#include "http/WebFetchRules.h"

#include <algorithm>

#include "http/CookieSpaces.h"
#include "http/HeaderLines.h"
#include "text/AsciiCase.h"
#include "text/IntegerText.h"
#include "text/Search.h"
#include "text/TextBetween.h"
#include "text/TextPieces.h"

namespace brevaro::http {
namespace {

// The text between `mark` and the next "/" (or the end).
std::string afterUpToSlash(std::string_view text, std::string_view mark) {
    const std::size_t at = text::findText(text, mark);
    if (at == text::npos) return {};
    const std::size_t start = at + mark.size();
    const std::size_t slash = text::findText(text, "/", start);
    return std::string(text.substr(start, (slash == text::npos ? text.size() : slash) - start));
}

}  // namespace

std::string webFetchUserAgent(std::string_view extraHeaders) {
    const std::size_t at = text::findTextIgnoringCase(extraHeaders, "User-Agent:");
    if (at == text::npos) return std::string(kWebFetchUserAgent);
    std::string agent(text::trimAsciiSpaces(text::TextBetween(extraHeaders, "User-Agent:", "\r\n")));
    if (agent.empty()) {
        // The line is the last one: everything after the first ":" of the block.
        const std::size_t colon = extraHeaders.find(':');
        agent = text::trimAsciiSpaces(extraHeaders.substr(colon + 1));
    }
    return agent;
}

WebFetchTarget webFetchTarget(std::string_view url) {
    WebFetchTarget target;
    std::string lower = text::asciiLowered(url);
    if (lower.empty() || lower.back() != '/') lower += '/';
    target.https = lower.starts_with("https");

    std::string hostAndPort;
    if (lower.starts_with("https://")) {
        hostAndPort = afterUpToSlash(lower, "https://");
    } else {
        if (!text::containsText(lower, "http://")) lower = "http://" + lower;
        hostAndPort = afterUpToSlash(lower, "http://");
    }
    const std::size_t colon = hostAndPort.find(':');
    target.host = hostAndPort.substr(0, colon);
    const std::size_t lastColon = hostAndPort.rfind(':');
    target.port = lastColon == std::string::npos ? (target.https ? 443 : 80)
                                                 : text::readInteger(hostAndPort.substr(lastColon + 1));

    // The path comes from the caller's URL as written, query included.
    const std::size_t hostAt = text::findTextIgnoringCase(url, hostAndPort);
    const std::size_t slash =
        hostAt == text::npos ? text::npos : text::findText(url, "/", hostAt + hostAndPort.size());
    target.path = slash == text::npos ? std::string("/") : std::string(url.substr(slash));
    return target;
}

std::string webFetchHeaderBlock(std::string_view extraHeaders, std::string_view url,
                                std::string_view cookies) {
    std::string block(extraHeaders);
    const auto append = [&block](std::string_view line) {
        if (!block.empty()) block += "\r\n";
        block += line;
    };
    if (!text::containsText(block, "Referer:")) append("Referer: " + std::string(url));
    if (!text::containsText(block, "Accept:")) append("Accept: */*");
    if (!text::containsText(block, "Accept-Language:")) append("Accept-Language: zh-cn");
    if (!text::containsText(block, "Content-Type:")) {
        append("Content-Type: application/x-www-form-urlencoded");
    }
    if (!cookies.empty()) append("Cookie: " + std::string(cookies));
    return block;
}

WebFetchHeaderReading readWebFetchHeaders(std::string_view headerBlock) {
    WebFetchHeaderReading reading;
    bool located = false;
    // Every Location line sets it: the last one counts.
    forEachHeaderValue(headerBlock, "Location", [&](std::string_view value) {
        reading.location = text::trimAsciiSpaces(value);
        located = true;
        return true;
    });
    forEachHeaderValue(headerBlock, "Set-Cookie", [&](std::string_view value) {
        // A pair ends at its ";", or at the line's end when the cookie has
        // no attributes ("Set-Cookie: c=3" is a cookie too).
        const std::size_t semicolon = text::findText(value, ";");
        reading.receivedCookies += text::trimAsciiSpaces(
            spaces::wholeCharacters(value.substr(0, std::min(semicolon, value.size()))));
        reading.receivedCookies += "; ";
        return true;
    });
    if (reading.receivedCookies.size() >= 2) reading.receivedCookies.resize(reading.receivedCookies.size() - 2);
    if (!located) reading.location = headerBlock;
    return reading;
}

}  // namespace brevaro::http
