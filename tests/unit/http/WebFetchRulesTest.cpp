#include "http/WebFetchRules.h"

#include <gtest/gtest.h>

#include <string>

namespace brevaro::http {
namespace {

TEST(WebFetchUserAgent, TakesTheAgentLineOrTheDefault) {
    EXPECT_EQ(webFetchUserAgent(""), kWebFetchUserAgent);
    EXPECT_EQ(webFetchUserAgent("Referer: x\r\nuser-agent:  y  \r\nAccept: */*"), "y");
    // The line is the last one: the text after the block's first ":".
    EXPECT_EQ(webFetchUserAgent("User-Agent: z"), "z");
    EXPECT_EQ(webFetchUserAgent("Referer: r\r\nUser-Agent: z"), "r\r\nUser-Agent: z");
}

TEST(WebFetchTarget, SplitsTheUrl) {
    const struct {
        std::string url;
        std::string host;
        int port;
        std::string path;
        bool https;
    } cases[] = {
        {"host:8080/a?b=1", "host", 8080, "/a?b=1", false},
        {"https://host/", "host", 443, "/", true},
        {"http://Notice.Example/app/Page.html", "notice.example", 80, "/app/Page.html", false},
        {"http://127.0.0.1:5000", "127.0.0.1", 5000, "/", false},
        {"https://h:8443/x/y?z", "h", 8443, "/x/y?z", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        const WebFetchTarget target = webFetchTarget(c.url);
        EXPECT_EQ(target.host, c.host);
        EXPECT_EQ(target.port, c.port);
        EXPECT_EQ(target.path, c.path);
        EXPECT_EQ(target.https, c.https);
    }
}

TEST(WebFetchHeaderBlock, CompletesTheCallersLines) {
    EXPECT_EQ(webFetchHeaderBlock("", "http://h/p", ""),
              "Referer: http://h/p\r\nAccept: */*\r\nAccept-Language: zh-cn\r\n"
              "Content-Type: application/x-www-form-urlencoded");
    // Tests are case-sensitive: "referer:" is not "Referer:".
    EXPECT_EQ(webFetchHeaderBlock("referer: x\r\nAccept: a\r\nContent-Type: t", "u", "c=1"),
              "referer: x\r\nAccept: a\r\nContent-Type: t\r\nReferer: u\r\nAccept-Language: zh-cn\r\n"
              "Cookie: c=1");
}

TEST(ReadWebFetchHeaders, TakesLocationAndCookies) {
    const WebFetchHeaderReading reading = readWebFetchHeaders(
        "HTTP/1.1 302 Found\r\nLocation:  /next \r\nSet-Cookie: a=1; path=/\r\n"
        "set-cookie: b = 2;\r\nSet-Cookie: c=3\r\n\r\n");
    EXPECT_EQ(reading.location, "/next");
    // Header names ignore letter case; a cookie without attributes ends at
    // its line.
    EXPECT_EQ(reading.receivedCookies, "a=1; b = 2; c=3");
    const std::string block = "HTTP/1.1 200 OK\r\nX: y\r\n\r\n";
    EXPECT_EQ(readWebFetchHeaders(block).location, block) << "no Location: the whole block";
    EXPECT_EQ(readWebFetchHeaders(block).receivedCookies, "");
}

// Only whole header names count, and no value runs past its line.
TEST(ReadWebFetchHeaders, HostileLinesAreNotHeaders) {
    const std::string block =
        "HTTP/1.1 200 OK\r\nContent-Location: http://elsewhere/\r\nX-Set-Cookie: evil=1\r\n"
        "Set-Cookie: sid=abc\x80\r\nServer: a\rLocation: http://evil/\r\n\r\n";
    const WebFetchHeaderReading reading = readWebFetchHeaders(block);
    EXPECT_EQ(reading.location, block);
    EXPECT_EQ(reading.receivedCookies, "sid=abc");
}

}  // namespace
}  // namespace brevaro::http
