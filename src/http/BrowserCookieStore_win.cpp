// The browser cookie store through WinINet's W functions (URLs and cookies
// converted from and to GBK with code page 936).

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <vector>

#include "http/BrowserCookieStore.h"
#include "http/CookieText.h"
#include "text/WideText_win.h"

namespace brevaro::http {
namespace {

// Reads the store with a first call for the size. The size is reported in
// bytes by some WinINet versions and in characters by others: the buffer is
// sized in characters from the larger reading, and grown once more when the
// store changed between the two calls.
// Plain reads use InternetGetCookieW; HttpOnly cookies only come through the
// Ex form with INTERNET_COOKIE_HTTPONLY.
BOOL getCookie(const std::wstring& url, wchar_t* buffer, DWORD* size, bool withHttpOnly) {
    if (withHttpOnly) {
        return InternetGetCookieExW(url.c_str(), nullptr, buffer, size, INTERNET_COOKIE_HTTPONLY,
                                    nullptr);
    }
    return InternetGetCookieW(url.c_str(), nullptr, buffer, size);
}

std::string readCookies(std::string_view url, bool withHttpOnly) {
    const std::wstring wideUrl = text::gbkToWide(url);
    DWORD size = 0;
    if (!getCookie(wideUrl, nullptr, &size, withHttpOnly) &&
        GetLastError() != ERROR_INSUFFICIENT_BUFFER) {
        return {};
    }
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::vector<wchar_t> buffer(static_cast<std::size_t>(size) + 1, L'\0');
        DWORD length = static_cast<DWORD>(buffer.size());
        if (getCookie(wideUrl, buffer.data(), &length, withHttpOnly)) {
            return text::wideToGbk(buffer.data());
        }
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER) return {};
        size = std::max<DWORD>(length, size * 2);
    }
    return {};
}

}  // namespace

std::string browserStoreCookies(std::string_view url) { return readCookies(url, false); }

std::string browserStoreCookiesWithHttpOnly(std::string_view url) {
    return readCookies(url, true);
}

bool writeBrowserStoreCookie(std::string_view url, std::string_view name, std::string_view value) {
    return InternetSetCookieW(text::gbkToWide(url).c_str(), text::gbkToWide(name).c_str(),
                              text::gbkToWide(value).c_str()) != FALSE;
}

std::string BrowserCookies(std::string_view host, std::string_view name) {
    const std::string url = "http://" + std::string(host);
    // Each buffer is sized by a first call, so a logged-in user with many
    // cookies is not polled as a guest.
    std::string plain = browserStoreCookies(url);
    std::string withHttpOnly = browserStoreCookiesWithHttpOnly(url);
    const std::string merged = MergeCookieTexts(plain, withHttpOnly, true);
    if (name.empty()) return merged;
    return CookieValueByName(merged, name, false);
}

}  // namespace brevaro::http
