#pragma once
// The machine's browser cookie store (WinINet's, the store the embedded
// browser writes), seen from the rest of the program. Declared without
// platform headers: winhttp.h and wininet.h cannot share a translation unit,
// and the request object needs this store in its browser-store mode.

#include <string>
#include <string_view>

namespace brevaro::http {

// The cookies the store sends to url ("a=1; b=2"), HttpOnly ones left out;
// empty when there are none or the store cannot be read.
std::string browserStoreCookies(std::string_view url);

// The same including HttpOnly cookies.
std::string browserStoreCookiesWithHttpOnly(std::string_view url);

// Writes one cookie for url; false when the store refuses it.
bool writeBrowserStoreCookie(std::string_view url, std::string_view name, std::string_view value);

// The embedded browser's cookies for a host as the forum boards send them:
// the HttpOnly-inclusive cookies first, winning by name, then the plain ones
// the first read lacked; entries whose value is "deleted" dropped. With a
// name: "name=value" of that cookie (name matched ignoring case) or empty.
std::string BrowserCookies(std::string_view host, std::string_view name = {});

}  // namespace brevaro::http
