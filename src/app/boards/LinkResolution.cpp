#include "app/boards/LinkResolution.h"

#include <algorithm>

#include "text/AsciiCase.h"
#include "text/ShellAddress.h"

namespace brevaro::app {
namespace {

// The five components of a URI reference (RFC 3986, appendix B). The
// delimiters ":/?#" are ASCII below 0x40, so they never occur as the second
// byte of a GBK character and the split is safe on GBK text.
struct UriParts {
    std::optional<std::string_view> scheme;
    std::optional<std::string_view> authority;
    std::string_view path;
    std::optional<std::string_view> query;
    std::optional<std::string_view> fragment;
};

bool isAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isValidScheme(std::string_view scheme) {
    if (scheme.empty() || !isAlpha(scheme.front())) return false;
    for (const char c : scheme) {
        if (!isAlpha(c) && !isDigit(c) && c != '+' && c != '-' && c != '.') return false;
    }
    return true;
}

// nullopt when the text before the first ':' (ahead of any '/', '?', '#')
// would be a scheme but is not a valid one.
std::optional<UriParts> splitUri(std::string_view text) {
    UriParts parts;
    const std::size_t colon = text.find_first_of(":/?#");
    if (colon != std::string_view::npos && colon > 0 && text[colon] == ':') {
        const std::string_view scheme = text.substr(0, colon);
        if (!isValidScheme(scheme)) return std::nullopt;
        parts.scheme = scheme;
        text.remove_prefix(colon + 1);
    }
    if (text.starts_with("//")) {
        text.remove_prefix(2);
        const std::size_t end = std::min(text.find_first_of("/?#"), text.size());
        parts.authority = text.substr(0, end);
        text.remove_prefix(end);
    }
    const std::size_t pathEnd = std::min(text.find_first_of("?#"), text.size());
    parts.path = text.substr(0, pathEnd);
    text.remove_prefix(pathEnd);
    if (text.starts_with('?')) {
        const std::size_t end = std::min(text.find('#'), text.size());
        parts.query = text.substr(1, end - 1);
        text.remove_prefix(end);
    }
    if (text.starts_with('#')) parts.fragment = text.substr(1);
    return parts;
}

// Drops the last segment of out and the "/" before it (5.2.4, step 2C).
void dropLastSegment(std::string& out) {
    const std::size_t slash = out.rfind('/');
    out.erase(slash == std::string::npos ? 0 : slash);
}

// RFC 3986, 5.2.4.
std::string removeDotSegments(std::string_view input) {
    static constexpr std::string_view kSlash = "/";
    std::string out;
    out.reserve(input.size());
    while (!input.empty()) {
        if (input.starts_with("../")) {
            input.remove_prefix(3);
        } else if (input.starts_with("./")) {
            input.remove_prefix(2);
        } else if (input.starts_with("/./")) {
            input.remove_prefix(2);  // what is left starts with the "/" that replaces it
        } else if (input == "/.") {
            input = kSlash;
        } else if (input.starts_with("/../")) {
            input.remove_prefix(3);
            dropLastSegment(out);
        } else if (input == "/..") {
            input = kSlash;
            dropLastSegment(out);
        } else if (input == "." || input == "..") {
            input = {};
        } else {
            const std::size_t end = std::min(input.find('/', 1), input.size());
            out.append(input.substr(0, end));
            input.remove_prefix(end);
        }
    }
    return out;
}

// RFC 3986, 5.2.3. Built by appending: GCC 12 at -O3 takes an insert at the
// front of a string (what "/" + text is) for overlapping copies and warns.
std::string mergePaths(const UriParts& base, std::string_view referencePath) {
    std::string merged;
    if (base.authority && base.path.empty()) {
        merged = "/";
    } else {
        const std::size_t slash = base.path.rfind('/');
        if (slash != std::string_view::npos) merged = base.path.substr(0, slash + 1);
    }
    merged += referencePath;
    return merged;
}

// The host of an authority: what follows the last "@" and comes before a
// ":port" (an IPv6 literal keeps its colons inside "[...]"). Walked one GBK
// character at a time: "@", "[" and "]" can be the second byte of a pair.
std::string_view hostOf(std::string_view authority) {
    std::size_t hostStart = 0;
    for (std::size_t i = 0; i < authority.size(); ++i) {
        if (static_cast<unsigned char>(authority[i]) >= 0x80) {
            ++i;
        } else if (authority[i] == '@') {
            hostStart = i + 1;
        }
    }
    const std::string_view host = authority.substr(hostStart);
    bool inLiteral = false;
    for (std::size_t i = 0; i < host.size(); ++i) {
        const char c = host[i];
        if (static_cast<unsigned char>(c) >= 0x80) {
            ++i;
        } else if (c == '[') {
            inLiteral = true;
        } else if (c == ']') {
            inLiteral = false;
        } else if (c == ':' && !inLiteral) {
            return host.substr(0, i);
        }
    }
    return host;
}

std::string_view trimControlsAndSpaces(std::string_view text) {
    while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
    while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
    return text;
}

}  // namespace

std::optional<std::string> resolveReference(std::string_view base, std::string_view reference) {
    const std::optional<UriParts> baseParts = splitUri(base);
    const std::optional<UriParts> ref = splitUri(reference);
    if (!baseParts || !baseParts->scheme || !ref) return std::nullopt;

    // RFC 3986, 5.2.2, strict: a reference with a scheme is absolute.
    UriParts target;
    std::string path;
    if (ref->scheme) {
        target.scheme = ref->scheme;
        target.authority = ref->authority;
        path = removeDotSegments(ref->path);
        target.query = ref->query;
    } else {
        target.scheme = baseParts->scheme;
        if (ref->authority) {
            target.authority = ref->authority;
            path = removeDotSegments(ref->path);
            target.query = ref->query;
        } else {
            target.authority = baseParts->authority;
            if (ref->path.empty()) {
                // The base is taken normalised (RFC 3986, 5.2.1 allows it):
                // a "#x" or "?y" link on a base with dot segments would
                // otherwise give an address that resolves to another one.
                path = removeDotSegments(baseParts->path);
                target.query = ref->query ? ref->query : baseParts->query;
            } else {
                path = removeDotSegments(ref->path.starts_with('/') ? std::string(ref->path)
                                                                    : mergePaths(*baseParts, ref->path));
                target.query = ref->query;
            }
        }
    }
    target.fragment = ref->fragment;

    // RFC 3986, 5.3.
    std::string result(*target.scheme);
    result += ':';
    if (target.authority) {
        result += "//";
        result += *target.authority;
    }
    result += path;
    if (target.query) {
        result += '?';
        result += *target.query;
    }
    if (target.fragment) {
        result += '#';
        result += *target.fragment;
    }
    return result;
}

std::optional<std::string> openableLink(std::string_view listUrl, std::string_view link) {
    const std::string_view trimmed = trimControlsAndSpaces(link);
    // A row without a link has nothing to open (resolved, the empty
    // reference would be the list page itself).
    if (trimmed.empty()) return std::nullopt;
    const std::optional<std::string> resolved = resolveReference(listUrl, trimmed);
    if (!resolved) return std::nullopt;
    const std::optional<UriParts> parts = splitUri(*resolved);
    if (!parts || !parts->scheme || !parts->authority) return std::nullopt;
    if (!text::equalsIgnoringAsciiCase(*parts->scheme, "http") &&
        !text::equalsIgnoringAsciiCase(*parts->scheme, "https")) {
        return std::nullopt;
    }
    if (hostOf(*parts->authority).empty()) return std::nullopt;
    return text::shellAddress(*resolved);
}

}  // namespace brevaro::app
