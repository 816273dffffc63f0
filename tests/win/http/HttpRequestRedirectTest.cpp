// The request object's own redirect following and cookie handling, against a
// real server on 127.0.0.1, under Wine.

#include <gtest/gtest.h>

#include <string>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "support/LoopbackServer.h"

namespace brevaro::http {
namespace {

using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;

Reply redirect(std::string_view location, std::string_view extraHeaders = "") {
    return Reply::make("302 Found", "Location: " + std::string(location) + "\r\n" + std::string(extraHeaders), "");
}

std::vector<std::string> targets(const LoopbackServer& server) {
    std::vector<std::string> result;
    for (const ReceivedRequest& r : server.requests()) result.push_back(r.target);
    return result;
}

TEST(HttpRequestRedirect, OwnStoreFollowsEveryKindOfLocation) {
    LoopbackServer server([](const ReceivedRequest& r) {
        if (r.target == "/a/b.html") return redirect("next.html");
        if (r.target == "/a/next.html") return redirect("/login.php");
        if (r.target == "/login.php") return redirect("http://127.0.0.1:" + r.header("Host").substr(10) + "/final");
        return Reply::make("200 OK", "", "final page");
    });
    HttpRequest request;
    request.Open("GET", server.url("/a/b.html"));
    request.SetCookieMode();
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(targets(server), (std::vector<std::string>{"/a/b.html", "/a/next.html", "/login.php", "/final"}));
    EXPECT_EQ(request.BodyText(), "final page");
    EXPECT_EQ(request.currentUrl(), server.url("/final"));
}

TEST(HttpRequestRedirect, CompletesLocationsAgainstTheConnection) {
    LoopbackServer server([](const ReceivedRequest& r) {
        if (r.target == "/slash") return redirect("/login.php");
        if (r.target == "/dir/page.html") return redirect("  next.html  ");
        return Reply::make("200 OK", "", "");
    });
    HttpRequest request;
    request.SetAllowRedirects(false);
    request.SetCookieMode();
    request.Open("GET", server.url("/slash"));
    request.Send();
    EXPECT_EQ(request.RedirectLocation(false), "/login.php");
    EXPECT_EQ(request.RedirectLocation(true), "http://127.0.0.1:" + std::to_string(server.port()) + "/login.php");
    request.Open("GET", server.url("/dir/page.html"));
    request.Send();
    EXPECT_EQ(request.RedirectLocation(true), server.url("/dir/next.html"));
    EXPECT_EQ(server.requests().size(), 2u) << "redirects forbidden: nothing followed";
}

TEST(HttpRequestRedirect, FollowsTenHopsAndStopsAtTheEleventh) {
    LoopbackServer server([](const ReceivedRequest& r) {
        const int hop = std::stoi(r.target.substr(5));
        return Reply::make("302 Found", "Location: /hop/" + std::to_string(hop + 1) + "\r\n",
                           "hop " + std::to_string(hop));
    });
    HttpRequest request;
    request.Open("GET", server.url("/hop/0"));
    request.SetCookieMode();
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(server.requests().size(), 11u);
    EXPECT_EQ(request.BodyText(), "hop 10");
    EXPECT_EQ(request.StatusCode(), 302);

    // The count starts again for the next chain.
    request.Open("GET", server.url("/hop/100"));
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(server.requests().size(), 22u);
}

TEST(HttpRequestRedirect, CookiesOfARedirectTravelWithTheNextHop) {
    LoopbackServer server([](const ReceivedRequest& r) {
        if (r.target == "/login") {
            return redirect("/home",
                            "Set-Cookie: sid=xyz; path=/\r\nset-cookie: uid=7; path=/\r\n"
                            "SET-COOKIE: old=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n"
                            "Set-Cookie: keep=DeLeTeD; path=/\r\n");
        }
        return Reply::make("200 OK", "Set-Cookie: sid=Deleted; path=/\r\n", "home");
    });
    HttpRequest request;
    request.Open("GET", server.url("/login"));
    request.SetCookieMode();
    request.CookieText("old=1; a=1");
    ASSERT_TRUE(request.Send());
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].header("Cookie"), "old=1; a=1");
    EXPECT_EQ(requests[1].header("Cookie"), "a=1; sid=xyz; uid=7; keep=DeLeTeD");
    EXPECT_EQ(request.CookieText(), "a=1; uid=7; keep=DeLeTeD");
    EXPECT_EQ(request.CookieValue("uid"), "7");
    EXPECT_EQ(request.CookieValue("uid", true), "uid=7");
}

TEST(HttpRequestRedirect, PlatformModeLeavesRedirectsAndCookiesToTheSession) {
    LoopbackServer server([](const ReceivedRequest& r) {
        if (r.target == "/start") return redirect("/end", "Set-Cookie: p=1; path=/\r\n");
        return Reply::make("200 OK", "", "end:" + r.header("Cookie"));
    });
    HttpRequest request;
    request.Open("GET", server.url("/start"));
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(request.BodyText(), "end:p=1");
    EXPECT_EQ(server.requests().size(), 2u) << "followed once, by the platform";
    EXPECT_EQ(request.CookieText(), "") << "the object's store is not used";
}

TEST(HttpRequestRedirect, BrowserStoreModeUsesTheMachineCookies) {
    LoopbackServer server([](const ReceivedRequest& r) {
        if (r.target == "/set") return Reply::make("200 OK", "Set-Cookie: fromserver=42; path=/\r\n", "");
        return Reply::make("200 OK", "", r.header("Cookie"));
    });
    const std::string site = "http://127.0.0.1:" + std::to_string(server.port()) + "/";
    ASSERT_TRUE(writeBrowserStoreCookie(site, "browser", "b1"));
    HttpRequest request;
    request.SetCookieMode(2);
    request.Open("GET", server.url("/set"));
    ASSERT_TRUE(request.Send());
    EXPECT_EQ(server.requests()[0].header("Cookie"), "browser=b1");
    request.Open("GET", server.url("/echo"));
    ASSERT_TRUE(request.Send());
    const std::string sent = request.BodyText();
    EXPECT_NE(sent.find("browser=b1"), std::string::npos) << sent;
    EXPECT_NE(sent.find("fromserver=42"), std::string::npos) << sent;
    EXPECT_TRUE(request.StoreCookiesInBrowser("more=3; none"));
    EXPECT_NE(browserStoreCookies(site).find("more=3"), std::string::npos);
}

TEST(HttpRequestRedirect, CookieEditsOnTheStore) {
    HttpRequest request;
    EXPECT_EQ(request.CookieText("a=1; b=2; c=3"), "a=1; b=2; c=3");
    EXPECT_TRUE(request.MergeCookies("b=5; d=4"));
    EXPECT_EQ(request.CookieText(), "a=1; b=5; c=3; d=4");
    EXPECT_TRUE(request.DeleteCookies("c; a=whatever"));
    EXPECT_EQ(request.CookieText(), "b=5; d=4");
    request.SetCookieMode();
    EXPECT_TRUE(request.SetCookies("e=6"));
    EXPECT_EQ(request.CookieText(), "b=5; d=4; e=6");
    request.ResetOptions();
    EXPECT_EQ(request.CookieText(), "");
}

}  // namespace
}  // namespace brevaro::http
