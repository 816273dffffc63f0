// WebFetch over WinINet's W functions (texts converted from and to GBK with
// code page 936). Every handle is opened and closed inside one call.

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "http/CookieText.h"
#include "http/Deadline.h"
#include "http/InternetTimeouts_win.h"
#include "http/RequestRules.h"
#include "http/WebFetch.h"
#include "http/WebFetchRules.h"
#include "text/Encoding.h"
#include "text/TextPieces.h"
#include "text/WideText_win.h"

namespace brevaro::http {
namespace {

using text::gbkToWide;

struct InternetCloser {
    void operator()(void* handle) const { InternetCloseHandle(static_cast<HINTERNET>(handle)); }
};
using InternetHandle = std::unique_ptr<void, InternetCloser>;

// The raw header block as the call reads it into its 5000-byte buffer of
// spaces: a block that does not fit, or a failed query, leaves the spaces.
std::string rawResponseHeaders(HINTERNET request) {
    std::string headers(kWebFetchHeaderLimit, ' ');
    DWORD size = 0;
    HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
    std::vector<wchar_t> block(size / sizeof(wchar_t) + 1, L'\0');
    if (size > 0 && HttpQueryInfoW(request, HTTP_QUERY_RAW_HEADERS_CRLF, block.data(), &size, nullptr)) {
        std::string read = text::wideToGbk(std::wstring_view(block.data(), size / sizeof(wchar_t)));
        if (read.size() < kWebFetchHeaderLimit) headers = std::move(read);
    }
    return headers;
}

}  // namespace

std::string WebFetch(WebFetchParams& params) {
    const Deadline deadline = Deadline::after(params.timeLimitMs);
    const std::wstring agent = gbkToWide(webFetchUserAgent(params.extraHeaders));
    const std::wstring proxy = gbkToWide("http=" + params.proxy);
    InternetHandle session(
        params.proxy.empty()
            ? InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0)
            : InternetOpenW(agent.c_str(), INTERNET_OPEN_TYPE_PROXY, proxy.c_str(), L"", 0));
    if (!session) return {};

    const WebFetchTarget target = webFetchTarget(params.url);
    InternetHandle connection(InternetConnectW(
        static_cast<HINTERNET>(session.get()), gbkToWide(target.host).c_str(),
        static_cast<INTERNET_PORT>(target.port), L"", L"", INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return {};

    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NEED_FILE | INTERNET_FLAG_NO_COOKIES;
    if (params.noRedirect) flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
    flags |= target.https ? INTERNET_FLAG_SECURE : INTERNET_FLAG_IGNORE_REDIRECT_TO_HTTPS;
    InternetHandle request(HttpOpenRequestW(static_cast<HINTERNET>(connection.get()),
                                            params.post ? L"POST" : L"GET",
                                            gbkToWide(target.path).c_str(), L"HTTP/1.1", nullptr,
                                            nullptr, flags, 0));
    if (!request) return {};

    cutInternetTimeouts(request.get(), deadline);
    params.extraHeaders = webFetchHeaderBlock(params.extraHeaders, params.url, params.cookies);
    const std::wstring headers = gbkToWide(params.extraHeaders);
    const std::string& body = params.bodyBytes.empty() ? params.bodyText : params.bodyBytes;
    // A failed send is not examined: it shows as an empty body.
    if (params.post) {
        HttpSendRequestW(static_cast<HINTERNET>(request.get()), headers.c_str(),
                         static_cast<DWORD>(headers.size()), const_cast<char*>(body.data()),
                         static_cast<DWORD>(body.size()));
    } else {
        HttpSendRequestW(static_cast<HINTERNET>(request.get()), headers.c_str(),
                         static_cast<DWORD>(headers.size()), nullptr, 0);
    }

    // The body is read to its end, but no further than the request object's
    // bound: a server that streams without end must not take the program's
    // memory (the announcement page is a few hundred bytes). Each read takes
    // only what has come (Wine's InternetReadFile waits until its buffer is
    // full, so one read of a dripping body would outlast any time limit), and
    // none starts once the time is up.
    std::string result;
    char buffer[1024];
    while (result.size() < kBodyLimit && !deadline.passed()) {
        cutInternetTimeouts(request.get(), deadline);
        DWORD available = 0;
        DWORD read = 0;
        if (!InternetQueryDataAvailable(static_cast<HINTERNET>(request.get()), &available, 0, 0) ||
            available == 0 ||
            !InternetReadFile(static_cast<HINTERNET>(request.get()), buffer,
                              std::min<DWORD>(available, sizeof buffer), &read) ||
            read == 0) {
            break;
        }
        result.append(buffer, read);
    }
    // A fetch that ran out of time has failed, however much of the page came.
    if (deadline.passed()) result.clear();

    params.responseHeaders = rawResponseHeaders(static_cast<HINTERNET>(request.get()));
    request.reset();
    connection.reset();
    session.reset();

    WebFetchHeaderReading reading = readWebFetchHeaders(params.responseHeaders);
    params.location = std::move(reading.location);
    params.receivedCookies = std::move(reading.receivedCookies);
    MergeCookieTexts(params.cookies, params.receivedCookies, false);
    return result;
}

std::string FetchPageText(WebFetchParams& params) {
    const std::string body = WebFetch(params);
    if (body.empty()) return {};
    return std::string(text::textBeforeNul(text::utf8ToGbk(body)));
}

std::string FetchPageText(std::string_view url, int timeLimitMs) {
    WebFetchParams params;
    params.url = url;
    params.timeLimitMs = timeLimitMs;
    return FetchPageText(params);
}

}  // namespace brevaro::http
