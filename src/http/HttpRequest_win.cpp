// HttpRequest over WinHttp (synchronous session): the object itself, its
// session and handles, its stop mark, its options and request headers. The
// rest of it: opening and sending (HttpRequestSend_win.cpp), following
// redirects (HttpRequestRedirects_win.cpp), its cookie hooks
// (HttpRequestCookies_win.cpp) and reading the answer
// (HttpRequestBody_win.cpp).

#include "http/HttpRequestParts_win.h"

#include <algorithm>
#include <vector>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "text/AsciiCase.h"
#include "text/Encoding.h"
#include "text/TextPieces.h"

namespace brevaro::http {

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

// Line by line: given the block in one call, WinHttp under Wine stops at the
// first header that already exists and adds none of the lines after it.
bool HttpRequest::AddDefaultHeaders(bool hasBody) {
    bool allAdded = true;
    for (std::string_view line : text::splitNonEmpty(defaultHeaderBlock(isPost_ || hasBody), "\r\n")) {
        allAdded = addHeaderLines(line, WINHTTP_ADDREQ_FLAG_ADD_IF_NEW) && allAdded;
    }
    return allAdded;
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

}  // namespace brevaro::http
