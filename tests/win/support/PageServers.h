#pragma once
// The page servers that support/with-page-servers.sh starts around a test
// executable: their ports and the HTTPS server's throw-away certificate.

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

inline std::string httpPageUrl(const std::string& path) {
    return "http://127.0.0.1:" + environment("BREVARO_HTTP_PORT") + path;
}

inline bool pageServersRunning() {
    return !environment("BREVARO_HTTPS_PORT").empty() && !environment("BREVARO_HTTP_PORT").empty();
}

}  // namespace brevaro::test
