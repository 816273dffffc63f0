#pragma once
// HTTPS in front of a test's LoopbackServer, for the boards that are polled
// over HTTPS (the article site, Lumaq): support/tls_relay.py, a host program
// that Wine starts directly. The pages still come from the test's own
// server, which sees the requests in plain text. The relay presents a
// certificate for 127.0.0.1 signed by the tests' authority
// (support/test-ca.sh), which the session's Wine prefix trusts
// (scripts/wine-session.sh), or one it signed itself, which nothing trusts:
// the program checks the certificate of every request.
//
// Listens on 127.0.0.1 only. Ends when this object goes (the relay watches
// a file this object removes), or at its watchdog if this process died
// first. Under Wine only.

#include <chrono>
#include <filesystem>
#include <string>

namespace brevaro::test {

class TlsRelay {
  public:
    enum class Certificate {
        SignedByTestAuthority,  // trusted in the test session's prefix
        SelfSigned,             // trusted nowhere
    };

    // Starts the relay for 127.0.0.1:backendPort and waits until it listens.
    explicit TlsRelay(int backendPort, std::chrono::seconds watchdog = std::chrono::minutes(10),
                      Certificate certificate = Certificate::SignedByTestAuthority);
    TlsRelay(int backendPort, Certificate certificate)
        : TlsRelay(backendPort, std::chrono::minutes(10), certificate) {}
    ~TlsRelay();
    TlsRelay(const TlsRelay&) = delete;
    TlsRelay& operator=(const TlsRelay&) = delete;

    bool ready() const { return port_ != 0; }
    // "127.0.0.1:PORT", the host a board's address names.
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

  private:
    std::filesystem::path folder_;
    int port_ = 0;
};

}  // namespace brevaro::test
