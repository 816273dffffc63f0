// The request object against servers that send what a hostile server (or
// whoever sits on a plain-HTTP path) would: header lines that only look like
// the ones the object reads, redirects that try to carry the forum's login to
// another host, and cookie values that try to smuggle a line break into the
// next request. Real servers on 127.0.0.1 and 127.0.0.2, under Wine.

#include <gtest/gtest.h>

#include <string>

#include "http/HttpRequest.h"
#include "support/LoopbackServer.h"

namespace brevaro::http {
namespace {

using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;

// A forum board's poll: its own store, holding the user's login.
void pollWithLogin(HttpRequest& request, const std::string& url) {
    request.Open("GET", url);
    request.SetCookieMode();
    request.CookieText("auth=secret; sid=1");
}

TEST(HostileServer, HeadersThatOnlyLookLikeOnesTheObjectReadsAreNotFollowed) {
    LoopbackServer elsewhere([](const ReceivedRequest&) { return Reply::make("200 OK", "", "elsewhere"); }, 2);
    LoopbackServer forum([&](const ReceivedRequest&) {
        return Reply::make("200 OK",
                           "Content-Location: " + elsewhere.url("/") +
                               "\r\nX-Content-Length: 0\r\nX-Note: Location: " + elsewhere.url("/x") + "\r\n",
                           "the page");
    });
    HttpRequest request;
    pollWithLogin(request, forum.url("/forum-19-1.html"));
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(request.BodyText(), "the page");
    EXPECT_EQ(request.RedirectLocation(true), "");
    EXPECT_TRUE(elsewhere.requests().empty()) << "nothing went to the other host";
}

// Along a redirect chain the store goes only to the host the chain started
// on or a host one of them is a subdomain of; what a foreign hop sets stays
// out of it. Here the forum sends the poll to another host, which sets a
// cookie and sends it back.
TEST(HostileServer, TheLoginStaysWithTheHostItBelongsTo) {
    std::string forumUrl;
    LoopbackServer elsewhere([&](const ReceivedRequest&) {
        return Reply::make("302 Found", "Set-Cookie: evil=1; path=/\r\nLocation: " + forumUrl + "\r\n", "");
    }, 2);
    LoopbackServer forum([&](const ReceivedRequest& r) {
        if (r.target == "/forum-19-1.html") {
            return Reply::make("302 Found", "Set-Cookie: fresh=2; path=/\r\nLocation: " + elsewhere.url("/steal") + "\r\n", "");
        }
        return Reply::make("200 OK", "", "home again");
    });
    forumUrl = forum.url("/back");

    HttpRequest request;
    pollWithLogin(request, forum.url("/forum-19-1.html"));
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(request.BodyText(), "home again");
    ASSERT_EQ(elsewhere.requests().size(), 1u);
    EXPECT_EQ(elsewhere.requests()[0].header("Cookie"), "") << "the login went to another host";
    ASSERT_EQ(forum.requests().size(), 2u);
    EXPECT_EQ(forum.requests()[1].header("Cookie"), "auth=secret; sid=1; fresh=2");
    EXPECT_EQ(request.CookieText(), "auth=secret; sid=1; fresh=2");
}

// A value that ends in a lone byte of 0x80 or more must not take the CR of
// its line end along into the store, into the next request's Cookie line or
// into the next header's value.
TEST(HostileServer, NoLineBreakOfAResponseReachesTheNextRequest) {
    LoopbackServer forum([](const ReceivedRequest& r) {
        if (r.target == "/set") {
            return Reply::make("200 OK", "Set-Cookie: sid=abc\x80\r\nServer: s\x80\r\nX-Next: 1\r\n", "");
        }
        return Reply::make("200 OK", "", "");
    });
    HttpRequest request;
    request.Open("GET", forum.url("/set"));
    request.SetCookieMode();
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(request.ResponseHeader("X-Next"), "1");
    EXPECT_EQ(request.ResponseHeader("Server").find_first_of("\r\n"), std::string::npos);
    const std::string cookies = request.CookieText();
    EXPECT_EQ(cookies.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << cookies;

    request.Open("GET", forum.url("/next"));
    ASSERT_TRUE(request.Send());
    ASSERT_EQ(forum.requests().size(), 2u);
    EXPECT_EQ(forum.requests()[1].header("Cookie").find_first_of("\r\n"), std::string::npos);
    EXPECT_EQ(forum.requests()[1].header("Cookie").rfind("sid=abc", 0), 0u);
}

}  // namespace
}  // namespace brevaro::http
