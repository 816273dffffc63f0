// HttpRequest: its cookie hooks, between the object's own store, the
// browser's store and the request's Cookie line. winhttp.h cannot share a
// translation unit with wininet.h: the browser store is reached through
// BrowserCookieStore.h.

#include "http/HttpRequestParts_win.h"

#include <algorithm>
#include <vector>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "text/AsciiCase.h"
#include "text/Encoding.h"
#include "text/TextPieces.h"

namespace brevaro::http {

bool HttpRequest::AddStoreCookieHeader() {
    return addHeaderLines("Cookie:" + cookieTextFromStore(cookieStore_), kAddOrReplace);
}

bool HttpRequest::AddBrowserCookieHeader() {
    // The browser's store was filled by servers: no line break of it may
    // reach the request's header lines.
    return addHeaderLines("Cookie:" + cookieTextWithoutLineBreaks(browserStoreCookies(currentUrl_)),
                          kAddOrReplace);
}

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
