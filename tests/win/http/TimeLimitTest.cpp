// Time limits of the board request and of the announcement's fetch against
// servers on 127.0.0.1 that hold a request: one that drips its body a byte at
// a time (each byte well inside any per-read time-out), one that accepts and
// never answers, one that stops after its status line, one that stops in the
// middle of the body. The limits here are short so the tests stay quick;
// each call runs under a watchdog, so a limit that does not hold fails the
// test instead of hanging it. Nothing measures how fast a call returned:
// only that it did, and with what.

#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "http/HttpRequest.h"
#include "http/WebFetch.h"
#include "notice/Announcement.h"
#include "support/LoopbackServer.h"
#include "support/Watchdog.h"

namespace brevaro::http {
namespace {

using namespace std::chrono_literals;
using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;
using test::returnsBeforeWatchdog;

// Short enough for a quick test, long enough for a loopback answer.
constexpr int kShortLimitMs = 1500;
// For the answers that come in time: far above what they take.
constexpr int kRoomyLimitMs = 20000;

// "在线公告内容1=" in UTF-8, as the maker's page carries it.
const std::string kAnnouncementKey =
    "\xE5\x9C\xA8\xE7\xBA\xBF\xE5\x85\xAC\xE5\x91\x8A\xE5\x86\x85\xE5\xAE\xB9"
    "1=";

// Ways for a server to hold a request. Each first sends `start`, which is a
// usable page as far as it goes: a fetch that hands back what it has when
// time runs out shows up as a non-empty page.
Reply dripping(const std::string& start) {
    Reply reply;
    reply.chunks.push_back("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + start);
    // Far longer than any limit here; ends when the client goes away.
    for (int i = 0; i < 5000; ++i) reply.chunks.push_back("x");
    reply.pause = 200ms;
    return reply;
}

Reply silent() {
    Reply reply;
    reply.holdOpen = true;
    return reply;
}

Reply stalledInTheHeaders() {
    Reply reply;
    reply.chunks.push_back("HTTP/1.1 200 OK\r\nContent-Type: text/html\r\n");
    reply.holdOpen = true;
    return reply;
}

Reply stalledInTheBody(const std::string& start) {
    Reply reply;
    reply.chunks.push_back("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n" + start);
    reply.holdOpen = true;
    return reply;
}

// A whole answer in small pieces with pauses between them, all well within
// a roomy limit.
Reply slowButInTime(const std::string& body) {
    const std::string whole =
        "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
    Reply reply;
    const std::size_t piece = whole.size() / 5 + 1;
    for (std::size_t at = 0; at < whole.size(); at += piece)
        reply.chunks.push_back(whole.substr(at, piece));
    reply.pause = 100ms;
    return reply;
}

struct HoldingServer {
    const char* name;
    Reply (*reply)(const std::string& start);
};

const HoldingServer kHoldingServers[] = {
    {"drips its body a byte at a time", dripping},
    {"accepts and never answers", [](const std::string&) { return silent(); }},
    {"stops after its status line", [](const std::string&) { return stalledInTheHeaders(); }},
    {"stops in the middle of the body", stalledInTheBody},
};

TEST(HttpRequestTimeLimit, AHeldRequestEndsAsAFailedFetchAndTheNextPollWorks) {
    for (const HoldingServer& holding : kHoldingServers) {
        SCOPED_TRACE(holding.name);
        LoopbackServer server([&](const ReceivedRequest& r) {
            if (r.target == "/next") return Reply::make("200 OK", "", "<table>next</table>");
            return holding.reply("<table>row</table>");
        });
        HttpRequest request;
        request.SetTimeLimit(kShortLimitMs);
        const std::string page = returnsBeforeWatchdog(
            [&] {
                request.Open("GET", server.url("/forum-20-1.html"));
                request.Send();
                return request.BodyText();
            },
            holding.name);
        EXPECT_EQ(page, "") << "a request past its limit is a failed fetch";
        // The limit is per request, and nothing of the held one is left over.
        ASSERT_TRUE(request.Open("GET", server.url("/next")));
        ASSERT_TRUE(request.Send());
        EXPECT_EQ(request.BodyText(), "<table>next</table>");
    }
}

TEST(HttpRequestTimeLimit, CoversTheRedirectHopsTheObjectFollows) {
    // Every hop answers promptly enough on its own; the chain as a whole
    // takes longer than the limit.
    LoopbackServer server([](const ReceivedRequest& r) {
        const int hop = std::stoi(r.target.substr(5));
        Reply reply =
            hop < 6
                ? Reply::make("302 Found", "Location: /hop/" + std::to_string(hop + 1) + "\r\n", "")
                : Reply::make("200 OK", "", "arrived");
        reply.pause = 400ms;
        return reply;
    });
    HttpRequest request;
    request.SetTimeLimit(kShortLimitMs);
    request.SetCookieMode();
    const std::string page = returnsBeforeWatchdog(
        [&] {
            request.Open("GET", server.url("/hop/1"));
            request.Send();
            return request.BodyText();
        },
        "redirect chain");
    EXPECT_EQ(page, "");
}

TEST(HttpRequestTimeLimit, CoversTheSendAttempts) {
    // Each attempt is answered by a close after a pause: four of them take
    // longer than the limit, so the last ones are never made.
    LoopbackServer server([](const ReceivedRequest&) {
        Reply reply;
        reply.chunks.push_back("");
        reply.pause = 600ms;
        reply.closeAfter = true;
        return reply;
    });
    HttpRequest request;
    request.SetTimeLimit(kShortLimitMs);
    ASSERT_TRUE(request.Open("GET", server.url("/")));
    EXPECT_FALSE(returnsBeforeWatchdog([&] { return request.Send(); }, "send attempts"));
    EXPECT_LT(server.requests().size(), 4u);
    EXPECT_EQ(request.BodyText(), "");
}

TEST(HttpRequestTimeLimit, AnAnswerInTimeIsReadWhole) {
    std::string page;
    for (int i = 0; page.size() < 50000; ++i) page += "<tr>row " + std::to_string(i) + "</tr>\r\n";
    LoopbackServer server([&](const ReceivedRequest&) { return slowButInTime(page); });
    HttpRequest request;
    request.SetTimeLimit(kRoomyLimitMs);
    for (int poll = 0; poll < 2; ++poll) {
        SCOPED_TRACE(poll);
        ASSERT_TRUE(request.Open("GET", server.url("/forum-20-1.html")));
        ASSERT_TRUE(request.Send());
        EXPECT_EQ(request.BodyText(), page);
    }
}

TEST(AnnouncementTimeLimit, AHeldFetchShowsNoAnnouncement) {
    for (const HoldingServer& holding : kHoldingServers) {
        SCOPED_TRACE(holding.name);
        LoopbackServer server(
            [&](const ReceivedRequest&) { return holding.reply(kAnnouncementKey + "Hello<br>"); });
        const std::string url = server.url("/app/fenfa/604183527/zaixiangonggao.html");
        EXPECT_EQ(returnsBeforeWatchdog(
                      [&] { return notice::fetchAnnouncement(url, kShortLimitMs); }, holding.name),
                  "");
    }
}

// No platform time-out runs out while a server sends a byte of its header
// block now and then; the announcement is given up on all the same.
TEST(AnnouncementTimeLimit, AHeaderBlockThatNeverEndsShowsNoAnnouncement) {
    LoopbackServer server([](const ReceivedRequest&) {
        Reply reply;
        reply.chunks.push_back("HTTP/1.1 200 OK\r\nX-Drip: ");
        for (int i = 0; i < 5000; ++i) reply.chunks.push_back("x");
        reply.pause = 200ms;
        return reply;
    });
    const std::string url = server.url("/app/fenfa/604183527/zaixiangonggao.html");
    EXPECT_EQ(returnsBeforeWatchdog([&] { return notice::fetchAnnouncement(url, kShortLimitMs); }, "drip"), "");
}

TEST(AnnouncementTimeLimit, AnAnswerInTimeIsReadWhole) {
    std::string page = "<html>" + std::string(20000, ' ') + kAnnouncementKey + "Hello<br>";
    page += std::string(20000, ' ') + "</html>";
    LoopbackServer server([&](const ReceivedRequest&) { return slowButInTime(page); });
    WebFetchParams params;
    params.url = server.url("/app/fenfa/604183527/zaixiangonggao.html");
    params.timeLimitMs = kRoomyLimitMs;
    EXPECT_EQ(WebFetch(params), page);
    EXPECT_EQ(notice::fetchAnnouncement(params.url, kRoomyLimitMs), "Hello");
}

}  // namespace
}  // namespace brevaro::http
