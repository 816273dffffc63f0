#include "http/RequestRules.h"

#include <algorithm>
#include <optional>

#include "http/HeaderLines.h"
#include "http/PublicSuffixes.h"

#include "text/AsciiCase.h"
#include "text/IntegerText.h"
#include "text/TextPieces.h"

namespace brevaro::http {
namespace {

using text::startsWithIgnoringAsciiCase;

// The host without a ":port" (a bracketed IPv6 address keeps its colons),
// in lower case, without a final "." (the root of the name).
std::string bareHost(std::string_view host) {
    const std::size_t colon = host.rfind(':');
    if (colon != std::string_view::npos && host.find(']', colon) == std::string_view::npos) {
        host = host.substr(0, colon);
    }
    if (host.ends_with('.')) host.remove_suffix(1);
    return text::asciiLowered(host);
}

bool isAddress(std::string_view host) {
    return host.starts_with('[') || host.find_first_not_of("0123456789.") == std::string_view::npos;
}

// A name with an empty label (".com", "a..com") names no host.
bool hasEmptyLabel(std::string_view host) {
    return host.starts_with('.') || host.ends_with('.') || host.find("..") != std::string_view::npos;
}

bool isSubdomainOf(std::string_view host, std::string_view parent) {
    return host.size() > parent.size() + 1 && host.ends_with(parent) &&
           host[host.size() - parent.size() - 1] == '.';
}

}  // namespace

bool sharesCookies(std::string_view home, std::string_view host) {
    const std::string a = bareHost(home);
    const std::string b = bareHost(host);
    if (a.empty() || b.empty()) return false;
    if (a == b) return true;
    if (isAddress(a) || isAddress(b) || hasEmptyLabel(a) || hasEmptyLabel(b)) return false;
    // A home that is itself a public suffix has no site of its own to share.
    const std::string_view domain = registrableDomain(a);
    if (domain.empty()) return false;
    if (isSubdomainOf(b, a)) return true;
    // Upwards no further than the home's registrable domain.
    return isSubdomainOf(a, b) && (b == domain || isSubdomainOf(b, domain));
}

std::string requestUrl(std::string_view url) {
    if (url.size() > 7 &&
        (startsWithIgnoringAsciiCase(url, "https://") || startsWithIgnoringAsciiCase(url, "http://"))) {
        return std::string(url);
    }
    return "http://" + std::string(url);
}

std::string requestHost(std::string_view url) {
    const std::string full = requestUrl(url);
    const std::size_t start = full.find("://") + 3;
    const std::size_t end = full.find_first_of("/?#", start);
    std::string_view authority = std::string_view(full).substr(start, end == std::string::npos ? end : end - start);
    const std::size_t at = authority.rfind('@');
    if (at != std::string_view::npos) authority.remove_prefix(at + 1);
    return std::string(authority);
}

std::string responseHeader(std::string_view headers, std::string_view name) {
    return std::string(headerValue(headers, name).value_or(std::string_view{}));
}

int contentLengthOf(std::string_view headers) {
    const std::optional<std::string_view> value = headerValue(headers, "Content-Length");
    return value ? text::readInteger(*value) : -1;
}

std::string redirectLocation(std::string_view headers, bool complete, const ConnectedTarget& target,
                             std::string_view currentUrl) {
    const std::optional<std::string_view> raw = headerValue(headers, "Location");
    if (!raw) return {};
    const std::string_view value = text::trimAsciiSpaces(*raw);
    if (!complete || value.empty()) return std::string(value);
    if (value.front() == '/') {
        return std::string(target.https ? "https://" : "http://") + target.host + ":" +
               std::to_string(target.port) + std::string(value);
    }
    if (startsWithIgnoringAsciiCase(value, "http://") || startsWithIgnoringAsciiCase(value, "https://")) {
        return std::string(value);
    }
    // Relative: against the directory of the current URL. A URL without a
    // path ("http://host") has its last "/" inside the scheme, where the
    // value would take the host's place: it gets the "/" it lacks instead.
    const std::size_t lastSlash = currentUrl.rfind('/');
    const std::size_t schemeEnd = currentUrl.find("://");
    if (lastSlash == std::string_view::npos ||
        (schemeEnd != std::string_view::npos && lastSlash < schemeEnd + 3)) {
        return std::string(currentUrl) + "/" + std::string(value);
    }
    return std::string(currentUrl.substr(0, lastSlash + 1)) + std::string(value);
}

std::string_view defaultHeaderBlock(bool withContentType) {
    static constexpr std::string_view block =
        "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache"
        "\r\nContent-Type:application/x-www-form-urlencoded";
    return withContentType ? block : block.substr(0, 57);
}

std::size_t firstBodyBufferSize(int contentLength) {
    if (contentLength < 0) return kBodyChunk;
    return std::min(static_cast<std::size_t>(contentLength), kBodyKnownStep);
}

std::size_t grownBodyBufferSize(int contentLength, std::size_t needed) {
    if (contentLength < 0 || static_cast<std::size_t>(contentLength) < needed) {
        // 10 KB steps for a page; past 1 MiB the steps grow to 1 MiB, so an
        // unannounced long body does not cost a reallocation per 10 KB.
        return needed + (needed < kBodyKnownStep ? kBodyChunk : kBodyKnownStep);
    }
    if (static_cast<std::size_t>(contentLength) - needed > kBodyKnownStep) return needed + kBodyKnownStep;
    return static_cast<std::size_t>(contentLength);
}

}  // namespace brevaro::http
