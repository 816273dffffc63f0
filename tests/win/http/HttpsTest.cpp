// The article site and the Lumaq site are polled over HTTPS. Against a local
// TLS server with a certificate made for this run: the first request of an
// object accepts the untrusted certificate; later requests need it trusted,
// which the test wrapper arranges in the Wine prefix's machine root store
// (never on the machine itself) and undoes afterwards.

#include <gtest/gtest.h>

#include <string>

#include "http/HttpRequest.h"
#include "support/PageServers.h"

namespace brevaro::http {
namespace {

using test::httpsPageUrl;

class Https : public testing::Test {
protected:
    void SetUp() override {
        if (!test::pageServersRunning()) GTEST_SKIP() << "run through with-page-servers.sh";
    }
};

// The object's first request spends the allowance on a plain page, so the
// HTTPS request after it is checked. Each case runs in a process of its own
// (see CMakeLists.txt): under Wine a TLS connection, once accepted, serves
// later requests of the process to that host and port without a new
// handshake, and the certificate is only checked at a handshake.
TEST_F(Https, LaterRequestsCheckTheCertificate) {
    HttpRequest request;
    ASSERT_TRUE(request.Open("GET", test::httpPageUrl("/plain")));
    ASSERT_TRUE(request.Send());
    ASSERT_TRUE(request.Open("GET", httpsPageUrl("/checked")));
    EXPECT_FALSE(request.Send());
    EXPECT_EQ(request.BodyText(), "");
}

TEST_F(Https, FirstRequestOfAnObjectAcceptsAnUntrustedCertificate) {
    HttpRequest request;
    ASSERT_TRUE(request.Open("GET", httpsPageUrl("/")));
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(request.BodyText(), "page /");
}

// Run with the certificate trusted in the prefix (see CMakeLists.txt).
TEST_F(Https, LaterRequestsWorkOnceTheCertificateIsTrusted) {
    HttpRequest request;
    ASSERT_TRUE(request.Open("GET", test::httpPageUrl("/plain")));
    ASSERT_TRUE(request.Send());
    for (const char* path : {"/", "/second", "/third"}) {
        ASSERT_TRUE(request.Open("GET", httpsPageUrl(path)));
        ASSERT_TRUE(request.Send()) << path;
        EXPECT_EQ(request.BodyText(), std::string("page ") + path);
    }
}

}  // namespace
}  // namespace brevaro::http
