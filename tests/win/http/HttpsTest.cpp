// The article site and the Lumaq site are polled over HTTPS, and every
// request checks the server's certificate, the first of an object included.
// Against local TLS servers: one whose certificate the tests' authority
// signed (the test session puts that authority into the Wine prefix's
// machine root store, never the machine's own), one with a self-signed
// certificate that nothing trusts.

#include <gtest/gtest.h>

#include <string>

#include "http/HttpRequest.h"
#include "support/PageServers.h"

namespace brevaro::http {
namespace {

using test::httpsPageUrl;
using test::untrustedHttpsPageUrl;

class Https : public testing::Test {
protected:
    void SetUp() override {
        if (!test::pageServersRunning()) GTEST_SKIP() << "run through with-page-servers.sh";
    }
};

// Each case runs in a process of its own (see CMakeLists.txt): under Wine a
// TLS connection, once accepted, serves later requests of the process to
// that host and port without a new handshake, and the certificate is only
// checked at a handshake.
TEST_F(Https, FirstRequestOfAnObjectRejectsAnUntrustedCertificate) {
    HttpRequest request;
    ASSERT_TRUE(request.Open("GET", untrustedHttpsPageUrl("/")));
    EXPECT_FALSE(request.Send());
    EXPECT_EQ(request.LastFailure(), RequestFailure::Certificate);
    EXPECT_EQ(request.BodyText(), "");
}

TEST_F(Https, LaterRequestsCheckTheCertificate) {
    HttpRequest request;
    ASSERT_TRUE(request.Open("GET", test::httpPageUrl("/plain")));
    ASSERT_TRUE(request.Send());
    ASSERT_TRUE(request.Open("GET", untrustedHttpsPageUrl("/checked")));
    EXPECT_FALSE(request.Send());
    EXPECT_EQ(request.LastFailure(), RequestFailure::Certificate);
    EXPECT_EQ(request.BodyText(), "");
}

TEST_F(Https, EveryRequestWorksWhenATrustedAuthoritySignedTheCertificate) {
    HttpRequest request;
    for (const char* path : {"/", "/second", "/third"}) {
        ASSERT_TRUE(request.Open("GET", httpsPageUrl(path)));
        ASSERT_TRUE(request.Send()) << path;
        EXPECT_EQ(request.LastFailure(), RequestFailure::None) << path;
        EXPECT_EQ(request.BodyText(), std::string("page ") + path);
    }
}

}  // namespace
}  // namespace brevaro::http
