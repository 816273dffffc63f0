#pragma once
// WebFetch: one page in one call over WinINet — its own session, connection
// and request, one GET or POST, the whole body read, everything closed. No
// state between calls. FetchPageText returns the body decoded from UTF-8 as
// GBK. The announcement is its only caller (a plain GET).

#include <string>
#include <string_view>

namespace brevaro::http {

// The call's parameters; the in/out and out fields are written back on
// return (and left untouched when the session, connection or request cannot
// be opened).
struct WebFetchParams {
    std::string url;             // in: "http://…" or "https://…"; no scheme means HTTP
    bool post = false;           // in: POST with a body, else GET
    std::string bodyText;        // in: POST body when bodyBytes is empty
    std::string cookies;         // in/out: sent; on return the merge of sent and received
    std::string receivedCookies; // out: the response's Set-Cookie pairs, spaces removed
    std::string extraHeaders;    // in/out: lines joined by CR LF; on return the block sent
    std::string location;        // out: the Location value, or the raw header block without one
    bool noRedirect = false;     // in: the platform does not follow redirects
    std::string bodyBytes;       // in: POST body, wins over bodyText
    std::string proxy;           // in: "host:port" of an HTTP proxy; empty: direct
    std::string responseHeaders; // out: raw response header block, at most 5000 bytes
    int timeLimitMs = 0;         // in: the whole call ends within this time, or its body is
                                 // empty; 0: no limit, the platform's time-outs alone
};

// The body bytes; empty on failure.
std::string WebFetch(WebFetchParams& params);

// The body decoded from UTF-8 and encoded as GBK, up to its first zero
// character; empty when the body is empty.
std::string FetchPageText(WebFetchParams& params);
std::string FetchPageText(std::string_view url, int timeLimitMs = 0);

}  // namespace brevaro::http
