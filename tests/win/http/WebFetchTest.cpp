// The simple fetch and the announcement against a real server on 127.0.0.1,
// under Wine.

#include "http/WebFetch.h"

#include <gtest/gtest.h>

#include <string>

#include "notice/Announcement.h"
#include "support/LoopbackServer.h"

namespace brevaro::http {
namespace {

using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;

TEST(WebFetch, UrlAloneSendsTheDefaultHeaderLinesInOrder) {
    LoopbackServer server([](const ReceivedRequest&) { return Reply::make("200 OK", "", "body"); });
    WebFetchParams params;
    params.url = server.url("/app/page.html");
    EXPECT_EQ(WebFetch(params), "body");
    const ReceivedRequest r = server.requests().at(0);
    EXPECT_EQ(r.raw.substr(0, r.raw.find("\r\n")), "GET /app/page.html HTTP/1.1");
    std::vector<std::string> ours;
    for (const auto& [name, value] : r.headers) {
        if (name == "Referer" || name == "Accept" || name == "Accept-Language" || name == "Content-Type") {
            ours.push_back(name + ": " + value);
        }
    }
    EXPECT_EQ(ours, (std::vector<std::string>{"Referer: " + params.url, "Accept: */*", "Accept-Language: zh-cn",
                                              "Content-Type: application/x-www-form-urlencoded"}));
    EXPECT_EQ(r.header("User-Agent"),
              "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; 2Pac; .NET CLR 2.0.50727; .NET CLR "
              "3.0.04506.648; .NET CLR 3.5.21022)");
    EXPECT_EQ(r.header("Cookie"), "");
    EXPECT_EQ(params.extraHeaders, "Referer: " + params.url +
                                       "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nContent-Type: "
                                       "application/x-www-form-urlencoded");
}

TEST(WebFetch, ExtraHeadersAgentAndUrlWithoutScheme) {
    LoopbackServer server([](const ReceivedRequest&) { return Reply::make("200 OK", "", "ok"); });
    WebFetchParams params;
    params.url = "127.0.0.1:" + std::to_string(server.port()) + "/a?b=1";
    params.extraHeaders = "referer: x\r\nuser-agent: y-agent";
    EXPECT_EQ(WebFetch(params), "ok");
    const ReceivedRequest r = server.requests().at(0);
    EXPECT_EQ(r.target, "/a?b=1");
    EXPECT_EQ(r.header("User-Agent"), "y-agent");
    // The lower-case referer does not count as present: a Referer line with
    // the URL is appended, and the platform sends that one in its place.
    EXPECT_EQ(params.extraHeaders.substr(0, 45), "referer: x\r\nuser-agent: y-agent\r\nReferer: 127");
    EXPECT_EQ(r.header("Referer"), params.url);
}

TEST(WebFetch, PostsTheBodyAndMergesCookies) {
    LoopbackServer server([](const ReceivedRequest&) {
        return Reply::make("302 Found", "Location: /next \r\nSet-Cookie: x=1; path=/\r\n", "moved");
    });
    WebFetchParams params;
    params.url = server.url("/login");
    params.post = true;
    params.bodyText = "user=a&pass=b";
    params.cookies = "x=0; y=2";
    params.noRedirect = true;
    EXPECT_EQ(WebFetch(params), "moved");
    const ReceivedRequest r = server.requests().at(0);
    EXPECT_EQ(r.method, "POST");
    EXPECT_EQ(r.body, "user=a&pass=b");
    EXPECT_EQ(r.header("Cookie"), "x=0; y=2");
    EXPECT_EQ(params.location, "/next");
    EXPECT_EQ(params.receivedCookies, "x=1");
    EXPECT_EQ(params.cookies, "x=1; y=2");
    EXPECT_EQ(params.responseHeaders.substr(0, 18), "HTTP/1.1 302 Found");
}

TEST(WebFetch, OversizedHeaderBlockReadsAsSpaces) {
    LoopbackServer server([](const ReceivedRequest&) {
        // Several lines: Wine's WinINet cuts a single header line at about 4 KB.
        std::string big;
        for (int i = 0; i < 4; ++i) big += "X-Big-" + std::to_string(i) + ": " + std::string(1500, 'b') + "\r\n";
        return Reply::make("200 OK", "Set-Cookie: a=1;\r\n" + big, "x");
    });
    WebFetchParams params;
    params.url = server.url("/");
    EXPECT_EQ(WebFetch(params), "x");
    EXPECT_EQ(params.responseHeaders, std::string(5000, ' '));
    EXPECT_EQ(params.location, std::string(5000, ' '));
    EXPECT_EQ(params.receivedCookies, "");
}

TEST(WebFetch, NoServerGivesEmptyBytesAndLeavesOutputs) {
    WebFetchParams params;
    params.url = "http://127.0.0.1:" + std::to_string(test::closedLoopbackPort()) + "/";
    params.location = "untouched";
    EXPECT_EQ(WebFetch(params), "");
}

TEST(Announcement, ReadsTheKeyOfTheUtf8Page) {
    const struct {
        const char* name;
        std::string page;
        std::string announcement;
    } cases[] = {
        {"first key only", "\xE5\x9C\xA8\xE7\xBA\xBF\xE5\x85\xAC\xE5\x91\x8A\xE5\x86\x85\xE5\xAE\xB9"
                           "1=Hello<br>\xE5\x9C\xA8\xE7\xBA\xBF\xE5\x85\xAC\xE5\x91\x8A\xE5\x86\x85"
                           "\xE5\xAE\xB9" "1=Bye<br>",
         "Hello"},
        {"chinese text, entity kept", "<p>\xE5\x9C\xA8\xE7\xBA\xBF\xE5\x85\xAC\xE5\x91\x8A\xE5\x86\x85"
                                      "\xE5\xAE\xB9" "1=\xE4\xBB\x8A\xE6\x99\x9A &amp; x</p>",
         "今晚 &amp; x"},
        {"page served in GBK", "在线公告内容1=Hello<br>", ""},
        {"no terminating <", "\xE5\x9C\xA8\xE7\xBA\xBF\xE5\x85\xAC\xE5\x91\x8A\xE5\x86\x85\xE5\xAE\xB9"
                             "1=open end",
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server([&](const ReceivedRequest&) { return Reply::make("200 OK", "", c.page); });
        EXPECT_EQ(notice::fetchAnnouncement(server.url("/app/fenfa/604183527/zaixiangonggao.html")),
                  c.announcement);
    }
    EXPECT_EQ(notice::fetchAnnouncement("http://127.0.0.1:" + std::to_string(test::closedLoopbackPort()) + "/"),
              "");
}

}  // namespace
}  // namespace brevaro::http
