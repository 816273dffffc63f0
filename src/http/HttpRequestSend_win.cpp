// HttpRequest: opening a request and sending it, in bounded attempts within
// the request's time limit, and reading the response's header block; why a
// step failed is kept (LastFailure).

#include "http/HttpRequestParts_win.h"

#include <algorithm>
#include <vector>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "text/AsciiCase.h"
#include "text/Encoding.h"
#include "text/TextPieces.h"

namespace brevaro::http {

bool HttpRequest::Open(std::string_view method, std::string_view url) {
    if (sendsUnderWay_ == 0) lastFailure_ = RequestFailure::None;
    if (session_ == nullptr || aborted()) return false;
    currentUrl_ = requestUrl(url);

    const std::wstring wideUrl = gbkToWide(currentUrl_);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = static_cast<DWORD>(-1);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(wideUrl.c_str(), static_cast<DWORD>(wideUrl.size()), 0, &parts)) {
        return failed();
    }

    bodyLength_ = 0;
    contentLength_ = 0;
    responseHeaders_.clear();
    closeRequest();
    // A new request starts its time and its chain; a redirect hop (opened
    // while the Send that follows it is under way) goes on with the time and
    // the home host of its chain.
    const bool startsChain = sendsUnderWay_ == 0;
    if (startsChain) deadline_ = Deadline::after(timeLimitMs_);

    const std::wstring wideHost(parts.lpszHostName, parts.dwHostNameLength);
    const std::string host = wideToGbk(wideHost);
    if (startsChain) chainHome_ = host;
    if (connection_ == nullptr || host != connectedHost_ || parts.nPort != connectedPort_) {
        closeHandle(connection_);
        connection_ = WinHttpConnect(asInternet(session_), wideHost.c_str(), parts.nPort, 0);
        if (connection_ == nullptr) return failed();
        connectedHost_ = host;
        connectedPort_ = parts.nPort;
    }

    std::string verb = method.empty() ? std::string("GET") : std::string(method);
    for (char& c : verb) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    if (defaultHeaders_) isPost_ = verb == "POST";

    std::wstring path(parts.lpszUrlPath, parts.dwUrlPathLength);
    path.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    // A URL without a path asks for "/", its query and all.
    if (parts.dwUrlPathLength == 0) path = L"/";

    scheme_ = parts.nScheme == INTERNET_SCHEME_HTTPS ? 2 : 1;
    const DWORD flags = scheme_ == 2 ? WINHTTP_FLAG_SECURE : 0;
    request_ = WinHttpOpenRequest(asInternet(connection_), gbkToWide(verb).c_str(), path.c_str(),
                                  nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES, flags);
    if (request_ == nullptr) return failed();
    if (aborted()) closeRequest();
    if (deadline_.limited()) readPlatformTimeouts();
    return request_ != nullptr;
}

bool HttpRequest::failed() {
    const RequestFailure failure = requestFailureOf(GetLastError());
    lastFailure_ = failure == RequestFailure::None ? RequestFailure::NoAnswer : failure;
    return false;
}

void HttpRequest::readPlatformTimeouts() {
    HINTERNET request = asInternet(request_);
    if (request == nullptr) return;
    PlatformTimeouts& t = platformTimeouts_;
    t.resolveMs = requestTimeout(request, WINHTTP_OPTION_RESOLVE_TIMEOUT, t.resolveMs);
    t.connectMs = requestTimeout(request, WINHTTP_OPTION_CONNECT_TIMEOUT, t.connectMs);
    t.sendMs = requestTimeout(request, WINHTTP_OPTION_SEND_TIMEOUT, t.sendMs);
    t.receiveMs = requestTimeout(request, WINHTTP_OPTION_RECEIVE_TIMEOUT, t.receiveMs);
    t.receiveResponseMs =
        requestTimeout(request, WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, t.receiveResponseMs);
}

// Before each blocking call of a limited request: no platform time-out may
// outlast the time left. Each time-out bounds one wait on the socket, not
// the call, so a server that keeps sending a little is stopped between calls
// by the deadline itself. WinHttpSetTimeouts on a request reaches its open
// connection at once; the wait for the response headers has an option of its
// own.
void HttpRequest::cutTimeouts(void* request) {
    if (!deadline_.limited() || request == nullptr) return;
    const PlatformTimeouts& t = platformTimeouts_;
    WinHttpSetTimeouts(asInternet(request), deadline_.cut(t.resolveMs), deadline_.cut(t.connectMs),
                       deadline_.cut(t.sendMs), deadline_.cut(t.receiveMs));
    DWORD headers = static_cast<DWORD>(deadline_.cut(t.receiveResponseMs));
    WinHttpSetOption(asInternet(request), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &headers,
                     sizeof headers);
}

// A request past its time has failed: it is closed, so that no part of its
// answer is read later, and its connection is not used again.
void HttpRequest::endPastTimeLimit() {
    lastFailure_ = RequestFailure::TimedOut;
    bodyLength_ = 0;
    closeRequest();
}

bool HttpRequest::Send(std::string_view body, bool ignoreEmpty, int retries) {
    return sendBody(body, ignoreEmpty, retries);
}

bool HttpRequest::SendBytes(std::string_view body, bool ignoreEmpty, int retries) {
    return sendBody(body, ignoreEmpty, retries);
}

bool HttpRequest::sendBody(std::string_view body, bool ignoreEmpty, int retries) {
    if (request_ == nullptr || aborted()) return false;
    const SendUnderWay underWay(sendsUnderWay_);
    ApplyOptions();
    if (defaultHeaders_) AddDefaultHeaders(!body.empty());

    const DWORD length = static_cast<DWORD>(body.size());
    void* data = length > 0 ? const_cast<char*>(body.data()) : WINHTTP_NO_REQUEST_DATA;
    bool answered = false;
    for (int attempt = 0;
         attempt <= std::max(retries, 0) && !answered && !aborted() && !deadline_.passed();
         ++attempt) {
        HINTERNET request = asInternet(request_);
        cutTimeouts(request);
        answered = request != nullptr &&
                   WinHttpSendRequest(request, WINHTTP_NO_ADDITIONAL_HEADERS, 0, data, length, length, 0) &&
                   WinHttpReceiveResponse(request, nullptr);
        if (!answered) failed();
    }
    if (deadline_.passed()) {
        endPastTimeLimit();
        return false;
    }
    if (aborted()) closeRequest();
    if (!answered || request_ == nullptr) {
        if (lastFailure_ == RequestFailure::None) lastFailure_ = RequestFailure::NoAnswer;
        return false;
    }
    // An earlier attempt's failure is not this answer's (a hop that fails
    // after it records its own).
    lastFailure_ = RequestFailure::None;

    ReadResponseHeaders(ignoreEmpty);
    if (cookieMode_ != CookieMode::Platform && !redirectsForbidden_) FollowRedirect(ignoreEmpty);
    // A hop that ran out of time has failed the whole chain.
    if (deadline_.passed()) {
        endPastTimeLimit();
        return false;
    }
    return true;
}

bool HttpRequest::ReadResponseHeaders(bool ignoreEmpty) {
    DWORD size = 0;
    WinHttpQueryHeaders(asInternet(request_), WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                        WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
    std::vector<wchar_t> block(size / sizeof(wchar_t) + 1, L'\0');
    if (size == 0 || !WinHttpQueryHeaders(asInternet(request_), WINHTTP_QUERY_RAW_HEADERS_CRLF,
                                          WINHTTP_HEADER_NAME_BY_INDEX, block.data(), &size,
                                          WINHTTP_NO_HEADER_INDEX)) {
        contentLength_ = -1;
        return false;
    }
    responseHeaders_ = wideToGbk(std::wstring_view(block.data(), size / sizeof(wchar_t)));
    contentLength_ = contentLengthOf(responseHeaders_);
    if (cookieMode_ == CookieMode::OwnStore) {
        // What a foreign hop sets stays out of the store.
        if (storeTravelsHere()) MergeResponseCookies(ignoreEmpty);
    } else if (cookieMode_ == CookieMode::BrowserStore) {
        StoreResponseCookiesInBrowser(ignoreEmpty);
    }
    return true;
}

}  // namespace brevaro::http
