// HttpRequest over WinHttp (synchronous session). winhttp.h cannot share a
// translation unit with wininet.h: the browser store is reached through
// BrowserCookieStore.h.

#include <windows.h>
#include <winhttp.h>

#include <algorithm>
#include <vector>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "text/AsciiCase.h"
#include "text/Encoding.h"
#include "text/TextPieces.h"
#include "text/WideText_win.h"

namespace brevaro::http {
namespace {

using text::gbkToWide;
using text::wideToGbk;

// Certificate problems the first request of an object accepts: unknown CA,
// wrong usage, name mismatch and date errors.
constexpr DWORD kIgnoredCertificateErrors = 0x3300;
constexpr DWORD kAddOrReplace = WINHTTP_ADDREQ_FLAG_ADD | WINHTTP_ADDREQ_FLAG_REPLACE;

HANDLE processHeap() {
    static const HANDLE heap = GetProcessHeap();
    return heap;
}

HINTERNET asInternet(void* handle) { return static_cast<HINTERNET>(handle); }

// Counts a Send under way for as long as it lasts.
class SendUnderWay {
public:
    explicit SendUnderWay(int& count) : count_(count) { ++count_; }
    ~SendUnderWay() { --count_; }
    SendUnderWay(const SendUnderWay&) = delete;
    SendUnderWay& operator=(const SendUnderWay&) = delete;

private:
    int& count_;
};

// A time-out option of a request handle, or `fallback` when it cannot be read.
int requestTimeout(HINTERNET request, DWORD option, int fallback) {
    DWORD value = 0;
    DWORD size = sizeof value;
    if (!WinHttpQueryOption(request, option, &value, &size)) return fallback;
    return static_cast<int>(value);  // "none" reads as 0 or as 0xFFFFFFFF, that is -1
}

}  // namespace

HttpRequest::HttpRequest() {
    processHeap();
    OpenSession();
    ResetOptions();
}

HttpRequest::~HttpRequest() { Close(); }

void HttpRequest::OpenSession(std::string_view userAgent) {
    const std::wstring agent = gbkToWide(userAgent);
    session_ = WinHttpOpen(agent.c_str(), WINHTTP_ACCESS_TYPE_NO_PROXY, WINHTTP_NO_PROXY_NAME,
                           WINHTTP_NO_PROXY_BYPASS, 0);
    if (body_ == nullptr) {
        body_ = HeapAlloc(processHeap(), 0, kBodyChunk);
        bodyCapacity_ = body_ != nullptr ? kBodyChunk : 0;
    }
}

void HttpRequest::closeHandle(void*& handle) {
    if (handle != nullptr) WinHttpCloseHandle(asInternet(handle));
    handle = nullptr;
}

void HttpRequest::closeRequest() {
    if (void* request = request_.exchange(nullptr)) WinHttpCloseHandle(asInternet(request));
}

// Only a mark: WinHttp does not let a handle be closed while a call on it is
// under way (the value may be handed to the next handle made anywhere in the
// process, and the blocked call would go on with that one). The thread that
// uses the object sees the mark at its next step and closes its handles
// itself.
void HttpRequest::Abort() { aborted_ = true; }

void HttpRequest::AbortWhen(const std::atomic<bool>& stop) { abortWhen_ = &stop; }

bool HttpRequest::aborted() const { return aborted_ || (abortWhen_ != nullptr && abortWhen_->load()); }

void HttpRequest::Close() {
    closeRequest();
    closeHandle(connection_);
    closeHandle(session_);
    if (body_ != nullptr) HeapFree(processHeap(), 0, body_);
    body_ = nullptr;
    bodyCapacity_ = 0;
    bodyLength_ = 0;
    contentLength_ = 0;
    connectedPort_ = 0;
    redirectsForbidden_ = false;
    proxyCredentialsPending_ = false;
    connectedHost_.clear();
    currentUrl_.clear();
    responseHeaders_.clear();
    pendingProxyUser_.clear();
    pendingProxyPassword_.clear();
}

void HttpRequest::ResetOptions() {
    defaultHeaders_ = true;
    cookieMode_ = CookieMode::Platform;
    ignoreCertificateErrorsOnce_ = true;
    cookieStore_ = kEmptyCookieStore;
}

void HttpRequest::Reinitialise(std::string_view userAgent) {
    Close();
    OpenSession(userAgent);
    ResetOptions();
}

void* HttpRequest::SessionHandle(std::optional<void*> replacement) {
    if (replacement && *replacement != session_) {
        closeHandle(session_);
        session_ = *replacement;
    }
    return session_;
}

void* HttpRequest::ConnectionHandle(std::optional<void*> replacement) {
    if (replacement && *replacement != connection_) {
        closeHandle(connection_);
        connection_ = *replacement;
    }
    return connection_;
}

void* HttpRequest::RequestHandle(std::optional<void*> replacement) {
    if (replacement && *replacement != request_) {
        closeRequest();
        request_ = *replacement;
    }
    return request_;
}

void HttpRequest::SetDefaultHeaders(bool on) { defaultHeaders_ = on; }

void HttpRequest::SetCookieMode(int mode) {
    cookieMode_ = (mode >= 0 && mode <= 2) ? static_cast<CookieMode>(mode) : CookieMode::Platform;
}

void HttpRequest::SetAllowRedirects(bool allow) { redirectsForbidden_ = !allow; }

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

bool HttpRequest::disablePlatformFeature(std::uint32_t feature) {
    DWORD value = feature;
    return request_ != nullptr &&
           WinHttpSetOption(asInternet(request_), WINHTTP_OPTION_DISABLE_FEATURE, &value, sizeof value);
}

bool HttpRequest::addHeaderLines(std::string_view lines, std::uint32_t modifiers) {
    if (request_ == nullptr) return false;
    const std::wstring wide = gbkToWide(lines);
    return WinHttpAddRequestHeaders(asInternet(request_), wide.c_str(), static_cast<DWORD>(wide.size()),
                                    modifiers) != FALSE;
}

void HttpRequest::ApplyOptions() {
    if (proxyCredentialsPending_) {
        const std::wstring user = gbkToWide(pendingProxyUser_);
        const std::wstring password = gbkToWide(pendingProxyPassword_);
        WinHttpSetOption(asInternet(request_), WINHTTP_OPTION_PROXY_USERNAME,
                         const_cast<wchar_t*>(user.c_str()), static_cast<DWORD>(user.size()));
        WinHttpSetOption(asInternet(request_), WINHTTP_OPTION_PROXY_PASSWORD,
                         const_cast<wchar_t*>(password.c_str()), static_cast<DWORD>(password.size()));
        proxyCredentialsPending_ = false;
        pendingProxyUser_.clear();
        pendingProxyPassword_.clear();
    }
    if (redirectsForbidden_ || cookieMode_ != CookieMode::Platform) {
        disablePlatformFeature(WINHTTP_DISABLE_REDIRECTS);
    }
    if (ignoreCertificateErrorsOnce_) {
        DWORD flags = kIgnoredCertificateErrors;
        WinHttpSetOption(asInternet(request_), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
        ignoreCertificateErrorsOnce_ = false;
    }
    if (cookieMode_ != CookieMode::Platform) {
        disablePlatformFeature(WINHTTP_DISABLE_COOKIES);
        if (cookieMode_ == CookieMode::OwnStore) {
            // The store holds the user's login: a redirect to another host
            // gets no Cookie line at all.
            if (storeTravelsHere()) AddStoreCookieHeader();
        } else {
            AddBrowserCookieHeader();
        }
    }
}

bool HttpRequest::AddStoreCookieHeader() {
    return addHeaderLines("Cookie:" + cookieTextFromStore(cookieStore_), kAddOrReplace);
}

bool HttpRequest::AddBrowserCookieHeader() {
    // The browser's store was filled by servers: no line break of it may
    // reach the request's header lines.
    return addHeaderLines("Cookie:" + cookieTextWithoutLineBreaks(browserStoreCookies(currentUrl_)),
                          kAddOrReplace);
}

// Line by line: given the block in one call, WinHttp under Wine stops at the
// first header that already exists and adds none of the lines after it.
bool HttpRequest::AddDefaultHeaders(bool hasBody) {
    bool allAdded = true;
    for (std::string_view line : text::splitNonEmpty(defaultHeaderBlock(isPost_ || hasBody), "\r\n")) {
        allAdded = addHeaderLines(line, WINHTTP_ADDREQ_FLAG_ADD_IF_NEW) && allAdded;
    }
    return allAdded;
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

bool HttpRequest::storeTravelsHere() const { return sharesCookies(chainHome_, connectedHost_); }

void HttpRequest::MergeResponseCookies(bool ignoreEmpty) {
    mergeResponseCookies(cookieStore_, responseHeaders_, ignoreEmpty);
}

void HttpRequest::StoreResponseCookiesInBrowser(bool ignoreEmpty) {
    for (const auto& [name, value] : responseCookiesForBrowser(responseHeaders_, ignoreEmpty)) {
        writeBrowserStoreCookie(currentUrl_, name, value);
    }
}

bool HttpRequest::StoreCookiesInBrowser(std::string_view cookieText) {
    bool written = false;
    for (const auto& [name, value] : cookiePairs(cookieText)) {
        written = writeBrowserStoreCookie(currentUrl_, name, value) || written;
    }
    return written;
}

void HttpRequest::FollowRedirect(bool ignoreEmpty) {
    const std::string location = RedirectLocation(true);
    if (location.empty()) {
        redirectCount_ = 0;
        return;
    }
    if (++redirectCount_ > 10) {
        redirectCount_ = 0;  // the last redirect response stays the answer
        return;
    }
    // Every hop is a GET; the nested send reads its response and takes the
    // next hop, so the chain ends after at most 10 hops. A hop that gets no
    // answer ends the chain too: the next chain starts counting from 0.
    if (!Open({}, location) || !sendBody({}, ignoreEmpty, 3)) redirectCount_ = 0;
}

std::string HttpRequest::RedirectLocation(bool complete) const {
    return redirectLocation(responseHeaders_, complete,
                            ConnectedTarget{scheme_ == 2, connectedHost_, connectedPort_}, currentUrl_);
}

std::string HttpRequest::BodyBytes() {
    if (request_ == nullptr || contentLength_ == 0) return {};
    if (bodyLength_ != 0) return std::string(static_cast<const char*>(body_), bodyLength_);

    const auto resize = [this](std::size_t size) {
        void* grown = body_ == nullptr ? HeapAlloc(processHeap(), 0, size)
                                       : HeapReAlloc(processHeap(), 0, body_, size);
        if (grown == nullptr) return false;
        body_ = grown;
        bodyCapacity_ = size;
        return true;
    };
    if (!resize(firstBodyBufferSize(contentLength_))) return {};

    // Reading stops at kBodyLimit: a server that streams without end gets
    // what arrived until then, not the program's memory.
    while (bodyLength_ < kBodyLimit && !aborted()) {
        if (deadline_.passed()) {
            endPastTimeLimit();
            return {};
        }
        HINTERNET request = asInternet(request_);
        cutTimeouts(request);
        DWORD available = 0;
        if (request == nullptr) break;
        if (!WinHttpQueryDataAvailable(request, &available)) {
            failed();
            break;
        }
        if (available < 1) break;
        const std::size_t needed = std::min(bodyLength_ + static_cast<std::size_t>(available), kBodyLimit);
        if (needed > bodyCapacity_ &&
            !resize(std::min(grownBodyBufferSize(contentLength_, needed), kBodyLimit))) {
            break;
        }
        DWORD read = 0;
        if (!WinHttpReadData(request, static_cast<char*>(body_) + bodyLength_,
                             static_cast<DWORD>(std::min<std::size_t>(bodyCapacity_ - bodyLength_,
                                                                      needed - bodyLength_)),
                             &read)) {
            failed();
            break;
        }
        bodyLength_ += read;
    }
    // Only what still came within the limit: the last wait may have ended
    // past it.
    if (deadline_.passed()) {
        endPastTimeLimit();
        return {};
    }
    return std::string(static_cast<const char*>(body_), bodyLength_);
}

std::string HttpRequest::BodyText() { return std::string(text::textBeforeNul(BodyBytes())); }

std::string HttpRequest::BodyTextFromUtf8() {
    const std::string bytes = BodyBytes();
    if (bytes.empty()) return {};
    return std::string(text::textBeforeNul(text::utf8ToGbk(bytes)));
}

int HttpRequest::StatusCode() {
    if (request_ == nullptr) return 0;
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(asInternet(request_), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        return 0;
    }
    return static_cast<int>(status);
}

std::string HttpRequest::StatusText() {
    if (request_ == nullptr) return {};
    DWORD size = 0;
    WinHttpQueryHeaders(asInternet(request_), WINHTTP_QUERY_STATUS_TEXT, WINHTTP_HEADER_NAME_BY_INDEX,
                        WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (!WinHttpQueryHeaders(asInternet(request_), WINHTTP_QUERY_STATUS_TEXT, WINHTTP_HEADER_NAME_BY_INDEX,
                             text.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
        return {};
    }
    return wideToGbk(std::wstring_view(text.data(), size / sizeof(wchar_t)));
}

std::string HttpRequest::ResponseHeader(std::string_view name) const {
    return responseHeader(responseHeaders_, name);
}

std::string HttpRequest::ResponseCookies() const { return responseCookies(responseHeaders_); }

std::string HttpRequest::ResponseCookie(std::string_view name) const {
    return responseCookie(responseHeaders_, name);
}

bool HttpRequest::SetTimeouts(int resolveMs, int connectMs, int sendMs, int receiveMs) {
    return session_ != nullptr &&
           WinHttpSetTimeouts(asInternet(session_), resolveMs, connectMs, sendMs, receiveMs) != FALSE;
}

void HttpRequest::SetTimeLimit(int milliseconds) { timeLimitMs_ = milliseconds; }

bool HttpRequest::SetProxy(std::string_view server, std::string_view user, std::string_view password) {
    if (session_ == nullptr) return false;
    std::wstring proxy = gbkToWide(server);
    std::wstring bypass;
    WINHTTP_PROXY_INFO info{};
    if (!server.empty()) {
        if (request_ != nullptr) {
            const std::wstring wideUser = gbkToWide(user);
            const std::wstring widePassword = gbkToWide(password);
            WinHttpSetOption(asInternet(request_), WINHTTP_OPTION_PROXY_USERNAME,
                             const_cast<wchar_t*>(wideUser.c_str()), static_cast<DWORD>(wideUser.size()));
            WinHttpSetOption(asInternet(request_), WINHTTP_OPTION_PROXY_PASSWORD,
                             const_cast<wchar_t*>(widePassword.c_str()),
                             static_cast<DWORD>(widePassword.size()));
        } else {
            proxyCredentialsPending_ = true;
            pendingProxyUser_ = user;
            pendingProxyPassword_ = password;
        }
        info.dwAccessType = WINHTTP_ACCESS_TYPE_NAMED_PROXY;
        info.lpszProxy = proxy.data();
        info.lpszProxyBypass = bypass.data();
    } else {
        info.dwAccessType = WINHTTP_ACCESS_TYPE_NO_PROXY;
    }
    return WinHttpSetOption(asInternet(session_), WINHTTP_OPTION_PROXY, &info, sizeof info) != FALSE;
}

bool HttpRequest::SetCredentials(std::string_view user, std::string_view password, int target,
                                 int scheme) {
    if (request_ == nullptr) return false;
    return WinHttpSetCredentials(asInternet(request_), static_cast<DWORD>(target),
                                 static_cast<DWORD>(scheme), gbkToWide(user).c_str(),
                                 gbkToWide(password).c_str(), nullptr) != FALSE;
}

void* HttpRequest::handleOfKind(int kind) const {
    if (kind == 1) return connection_;
    if (kind == 2) return request_;
    return session_;
}

bool HttpRequest::SetOption(int handleKind, std::uint32_t option, std::uint32_t value,
                            std::uint32_t size) {
    void* handle = handleOfKind(handleKind);
    if (handle == nullptr) return false;
    DWORD data = value;
    return WinHttpSetOption(asInternet(handle), option, &data, std::min<DWORD>(size, sizeof data)) != FALSE;
}

bool HttpRequest::SetHeader(std::string_view name, std::string_view value,
                            std::optional<std::uint32_t> modifiers) {
    if (request_ == nullptr || name.empty()) return false;
    if (cookieMode_ == CookieMode::Platform && text::equalsIgnoringAsciiCase(name, "cookie")) {
        disablePlatformFeature(WINHTTP_DISABLE_COOKIES);
    }
    return addHeaderLines(std::string(name) + ":" + std::string(value), modifiers.value_or(kAddOrReplace));
}

bool HttpRequest::RemoveHeader(std::string_view name) {
    if (request_ == nullptr || name.empty()) return false;
    return addHeaderLines(std::string(name) + ":", WINHTTP_ADDREQ_FLAG_REPLACE);
}

bool HttpRequest::SetCookies(std::string_view cookieText) {
    switch (cookieMode_) {
        case CookieMode::OwnStore:
            return MergeCookies(cookieText);
        case CookieMode::BrowserStore:
            return StoreCookiesInBrowser(cookieText);
        case CookieMode::Platform:
            if (request_ == nullptr) return false;
            disablePlatformFeature(WINHTTP_DISABLE_COOKIES);
            return SetHeader("Cookie", cookieText);
    }
    return false;
}

bool HttpRequest::SetUserAgent(std::string_view value) { return SetHeader("User-Agent", value); }

bool HttpRequest::SetReferer(std::optional<std::string_view> value) {
    return SetHeader("Referer", value.value_or(currentUrl_));
}

bool HttpRequest::SetAccept(std::string_view value) { return SetHeader("Accept", value); }

bool HttpRequest::SetAcceptLanguage(std::string_view value) {
    return SetHeader("Accept-Language", value);
}

bool HttpRequest::SetContentType(std::string_view value) { return SetHeader("Content-Type", value); }

bool HttpRequest::SetAjax() { return SetHeader("x-requested-with", "XMLHttpRequest"); }

bool HttpRequest::SetClientIp(std::string_view address) {
    if (request_ == nullptr) return false;
    const std::string value(address);
    return addHeaderLines("X-Forwarded-For:" + value + "\r\nCLIENT_IP:" + value + "\r\nVIA:" + value +
                              "\r\nREMOTE_ADDR:" + value,
                          kAddOrReplace);
}

std::string HttpRequest::CookieText(std::optional<std::string_view> newText) {
    if (newText) cookieStore_ = cookieStoreFromText(*newText);
    return cookieTextFromStore(cookieStore_);
}

std::string HttpRequest::CookieValue(std::string_view name, bool withName) const {
    return cookieValue(cookieStore_, name, withName);
}

bool HttpRequest::MergeCookies(std::string_view cookieText) { return mergeCookies(cookieStore_, cookieText); }

bool HttpRequest::DeleteCookies(std::string_view names) { return deleteCookies(cookieStore_, names); }

}  // namespace brevaro::http
