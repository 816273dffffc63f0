#pragma once
// The request object's text rules that need no platform: how a URL is taken,
// how response headers are read, where a redirect goes, the default header
// block and how the body buffer grows. Texts are GBK.

#include <cstddef>
#include <string>
#include <string_view>

namespace brevaro::http {

inline constexpr std::string_view kRequestUserAgent = "Mozilla/5.0 (compatible; MSIE 10.0; Windows NT 6.2)";

// The URL as a request takes it: "http://" goes in front unless it starts
// (ignoring case) with "http://" or "https://"; a URL of 7 bytes or fewer
// always gets it.
std::string requestUrl(std::string_view url);

// The host, with ":port" when written, that a request for url goes to: the
// authority of requestUrl(url) up to its first "/", "?" or "#", without a
// "user:password@" in front; empty when there is none.
std::string requestHost(std::string_view url);

// Whether a request object's own cookie store (the login) may go to `host`
// along a redirect chain that started on `home`: to the home host itself, to
// its subdomains, and to the names above it up to its registrable domain
// ("www.zuanke8.com" shares with "zuanke8.com" and "a.www.zuanke8.com";
// "bbs.zuanke8.com", "evil.example" and "bbs.other.com" do not), never to a
// public suffix ("com", "com.cn", PublicSuffixes.h) or a lone label. A home
// that is a public suffix or a lone label, or an address in digits, shares
// with itself only. Hosts compare without their ":port" and ignoring letter
// case.
bool sharesCookies(std::string_view home, std::string_view host);

// Response headers are read by whole header name at the start of a line,
// ignoring case, and no value runs past its line (HeaderLines.h).

// The value of the first header line after the status line whose name is
// `name`, leading spaces removed; empty when absent.
std::string responseHeader(std::string_view headers, std::string_view name);

// The Content-Length of a raw header block, read as a decimal integer; -1
// when the block has none.
int contentLengthOf(std::string_view headers);

// Where the request's connection goes: for completing "/path" redirects.
struct ConnectedTarget {
    bool https = false;
    std::string host;
    int port = 0;
};

// The Location header of a raw header block, trimmed; empty when absent. With
// complete: "/x" becomes scheme://host:port/x (the port always written),
// an absolute http(s) value stays, anything else is resolved against the
// current URL's last "/".
std::string redirectLocation(std::string_view headers, bool complete, const ConnectedTarget& target,
                             std::string_view currentUrl);

// The header block added when default headers are on (each line only if the
// request does not have that header yet). A request with a body (or a POST)
// also gets a form Content-Type.
std::string_view defaultHeaderBlock(bool withContentType);

// Body reading bounds: the first buffer for an unknown length, the largest
// first buffer for a known length, and the most a body may hold (a server
// that streams without end must not exhaust memory; a board page is a few
// hundred kilobytes).
inline constexpr std::size_t kBodyChunk = 10240;
inline constexpr std::size_t kBodyKnownStep = 1048576;
inline constexpr std::size_t kBodyLimit = 32u * 1024 * 1024;

// The first size of the body buffer for a content length (-1 unknown).
std::size_t firstBodyBufferSize(int contentLength);

// The new buffer size when `needed` bytes no longer fit: the next 10240-byte
// step for an unknown or exceeded length (1 MiB steps once past 1 MiB), a
// 1 MiB step while the announced length is still far, otherwise the
// announced length.
std::size_t grownBodyBufferSize(int contentLength, std::size_t needed);

}  // namespace brevaro::http
