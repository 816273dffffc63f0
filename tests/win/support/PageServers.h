#pragma once
// The page servers that support/with-page-servers.sh starts around a test
// executable: their ports. The HTTPS server presents a certificate of the
// tests' authority, which the session's prefix trusts; the untrusted one a
// self-signed certificate.

#include <cstdlib>
#include <string>

namespace brevaro::test {

inline std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

inline std::string httpsPageUrl(const std::string& path) {
    return "https://127.0.0.1:" + environment("BREVARO_HTTPS_PORT") + path;
}

inline std::string untrustedHttpsPageUrl(const std::string& path) {
    return "https://127.0.0.1:" + environment("BREVARO_UNTRUSTED_HTTPS_PORT") + path;
}

inline std::string httpPageUrl(const std::string& path) {
    return "http://127.0.0.1:" + environment("BREVARO_HTTP_PORT") + path;
}

inline bool pageServersRunning() {
    return !environment("BREVARO_HTTPS_PORT").empty() &&
           !environment("BREVARO_UNTRUSTED_HTTPS_PORT").empty() &&
           !environment("BREVARO_HTTP_PORT").empty();
}

}  // namespace brevaro::test
