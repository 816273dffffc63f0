// A board's worker against a real server on 127.0.0.1, under Wine. The test's
// main thread is the UI thread: it owns the monitor and pumps messages while
// it waits, as the main window will.

#include "monitor/BoardMonitor_win.h"

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "monitor/WaitPumping_win.h"
#include "monitor/MonitorTestViews.h"
#include "support/LoopbackServer.h"
#include "win/support/Waits.h"
#include "text/Encoding.h"

namespace brevaro::monitor {
namespace {

using test::LoopbackServer;
using test::pumpUntil;
using test::ReceivedRequest;
using test::Reply;

// Serves scripted pages in order, then repeats the last one.
Reply scripted(const std::vector<std::string>& pages, std::size_t index) {
    return Reply::make("200 OK", "", pages[std::min(index, pages.size() - 1)]);
}

TEST(BoardMonitor, BaselineThenNewRowsAndNeverATitleTwice) {
    const std::vector<std::string> pages = {
        forumPage({"A", "B", "C"}),
        forumPage({"D", "A", "B", "C"}),
        forumPage({"A", "B", "C"}),       // D drops off the page
        forumPage({"D", "A", "B", "C"}),  // and comes back: not new
    };
    std::atomic<std::size_t> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) { return scripted(pages, served++); });
    RecordingView view;
    view.voice = view.popup = true;  // empty keywords: every row matches, nothing sounds
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return served >= 6; }, kWatchdogMs));
    monitor.stop();
    EXPECT_EQ(view.events, (std::vector<std::string>{"append A", "append B", "append C", "ensure",
                                                     "rebuild D A B C"}));
}

TEST(BoardMonitor, KeywordGatesRaiseBothAlertsForNewMatchingRows) {
    const std::vector<std::string> pages = {
        forumPage({"A", "B"}),
        forumPage({"京东红包", "淘宝", "A", "B"}),
    };
    std::atomic<std::size_t> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) { return scripted(pages, served++); });
    RecordingView view;
    view.keywords = "红包*京东";
    view.voice = view.popup = true;
    view.stay = "7";
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return served >= 4; }, kWatchdogMs));
    monitor.stop();
    // The baseline rows do not match and are not shown; the first rebuild
    // shows every stored row, the non-matching ones too.
    EXPECT_EQ(view.events, (std::vector<std::string>{"voice", "ensure", "popup 京东红包 红包 7",
                                                     "rebuild 京东红包 A B"}));
}

// A page of hundreds of new matching rows raises the alerts of five of them:
// five companion processes and five sound threads, not one of each per row.
// Every row is still stored and shown.
TEST(BoardMonitor, APageOfManyNewMatchesRaisesFiveAlerts) {
    std::vector<std::string> flood;
    for (int i = 0; i < 300; ++i) flood.push_back("京东" + std::to_string(i));
    flood.push_back("A");
    const std::vector<std::string> pages = {forumPage({"A"}), forumPage(flood)};
    std::atomic<std::size_t> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) { return scripted(pages, served++); });
    RecordingView view;
    view.keywords = "京东";
    view.voice = view.popup = true;
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return served >= 3; }, kWatchdogMs));
    monitor.stop();
    const auto count = [&view](const std::string& prefix) {
        return std::count_if(view.events.begin(), view.events.end(),
                             [&](const std::string& event) { return event.rfind(prefix, 0) == 0; });
    };
    EXPECT_EQ(count("voice"), 5);
    EXPECT_EQ(count("popup "), 5);
    EXPECT_EQ(count("rebuild "), 300);
}

TEST(BoardMonitor, FailedFetchesBeforeTheFirstRowsAreNoBaseline) {
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        const int n = served++;
        if (n < 4) {  // the first poll's four attempts get no answer
            Reply reply;
            reply.closeWithoutAnswer = true;
            return reply;
        }
        if (n == 4) return Reply::make("200 OK", "", "<html>maintenance</html>");
        if (n == 5) return Reply::make("200 OK", "", forumPage({"A", "B"}));
        return Reply::make("200 OK", "", forumPage({"C", "A", "B"}));
    });
    RecordingView view;
    view.keywords = "A*B*C";
    view.voice = view.popup = true;
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return served >= 8; }, kWatchdogMs));
    monitor.stop();
    EXPECT_EQ(view.events, (std::vector<std::string>{"append A", "append B", "voice", "ensure",
                                                     "popup C C 10", "rebuild C A B"}));
}

TEST(BoardMonitor, StopAbandonsASlowResponse) {
    std::atomic<int> served = 0;
    std::atomic<bool> slowStarted = false;
    std::atomic<bool> slowAnswered = false;
    LoopbackServer server([&](const ReceivedRequest&) {
        if (served++ == 0) return Reply::make("200 OK", "", forumPage({"A"}));
        slowStarted = true;
        Sleep(3000);
        slowAnswered = true;
        return Reply::make("200 OK", "", forumPage({"B", "A"}));
    });
    RecordingView view;
    view.voice = view.popup = true;
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return slowStarted.load(); }, kWatchdogMs));
    monitor.stop();
    EXPECT_FALSE(slowAnswered) << "stop returned without waiting for the response";
    EXPECT_EQ(WaitForSingleObject(monitor.workerEndedEvent(), 10000), WAIT_OBJECT_0)
        << "the worker ends without the answer";
    pumpUntil([&] { return slowAnswered.load(); }, kWatchdogMs);
    pumpFor(500);
    EXPECT_EQ(view.events, (std::vector<std::string>{"append A"}));
    EXPECT_EQ(server.requests().size(), 2u);
}

// A server that holds a fetch inside one blocking call: it sends the header
// block, or the size line of a chunk, a byte at a time, each byte well
// within any wait on the socket. The fetch ends by its deadline all the
// same, as a time-out, and the page says it is waiting meanwhile; the held
// request is the board's only one: stops and starts while the server holds
// it open no second connection, and each pass waits for it and times out.
TEST(BoardMonitor, AServerHoldingTheFetchInOneCallFailsItByTheDeadline) {
    struct Case {
        const char* name;
        std::string start;
    };
    const Case cases[] = {
        {"header block", "HTTP/1.1 200 OK\r\nX-Drip: "},
        {"chunk-size line", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n4\r\n<tr>\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server([&](const ReceivedRequest&) {
            Reply reply;
            reply.chunks.push_back(c.start);
            for (int i = 0; i < 2000; ++i) reply.chunks.push_back(c.start.find("chunked") != std::string::npos ? "0" : "a");
            reply.pause = std::chrono::milliseconds(250);
            return reply;
        });
        RecordingView view;
        BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
        monitor.setRequestTimeLimit(1500);
        monitor.start();
        ASSERT_TRUE(pumpUntil([&] { return !view.reports.empty(); }, kWatchdogMs)) << "the pass never ended";
        EXPECT_EQ(view.reports[0].fetch.failure, http::RequestFailure::TimedOut);
        EXPECT_FALSE(view.waited.empty()) << "the page never said the pass was waiting";
        for (int i = 0; i < 5; ++i) {
            monitor.stop();
            monitor.start();
            pumpFor(100);
        }
        const std::size_t before = view.reports.size();
        ASSERT_TRUE(pumpUntil([&] { return view.reports.size() > before; }, kWatchdogMs));
        EXPECT_EQ(view.reports.back().fetch.failure, http::RequestFailure::TimedOut);
        monitor.stop();
        EXPECT_EQ(server.connections(), 1) << "more than one request of the board under way";
        EXPECT_TRUE(view.events.empty());
    }
}

// A page cut short — two fifths of what its Content-Length claims and an
// orderly close, then half of it and a reset — is a failed fetch with no rows:
// neither is the baseline, so the first whole page is, and it raises no
// alert for its old posts.
TEST(BoardMonitor, ABodyCutShortIsAFailedFetchAndNoBaseline) {
    const std::string whole = forumPage({"A", "B", "C", "D", "E"});
    const std::string part = whole.substr(0, whole.size() * 2 / 5);
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        const int n = served++;
        Reply reply;
        reply.closeAfter = true;
        if (n == 0) {
            reply.chunks.push_back("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(whole.size()) +
                                   "\r\n\r\n" + part);
        } else if (n == 1) {
            // Half of it, then a reset. (Wine's WinHttp takes a chunked body
            // broken off before its last chunk for a whole one, so a chunked
            // page cannot stand for this here.)
            reply.chunks.push_back("HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(whole.size()) +
                                   "\r\n\r\n" + whole.substr(0, whole.size() / 2));
            reply.closeAfter = false;
            reply.reset = true;
        } else {
            return Reply::make("200 OK", "", whole);
        }
        return reply;
    });
    RecordingView view;
    view.keywords = "A*B*C*D*E";
    view.voice = view.popup = true;
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return view.reports.size() >= 4; }, kWatchdogMs));
    monitor.stop();
    EXPECT_EQ(view.reports[0].fetch.failure, http::RequestFailure::ConnectionLost);
    EXPECT_EQ(view.reports[0].rows, 0u);
    EXPECT_EQ(view.reports[1].fetch.failure, http::RequestFailure::ConnectionLost);
    EXPECT_EQ(view.reports[1].rows, 0u);
    EXPECT_EQ(view.reports[2].rows, 5u);
    EXPECT_EQ(view.events, (std::vector<std::string>{"append A", "append B", "append C", "append D", "append E"}));
}

TEST(BoardMonitor, StopEndsTheIntervalWait) {
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        ++served;
        return Reply::make("200 OK", "", forumPage({"A"}));
    });
    RecordingView view;
    view.interval = "30";
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return !view.events.empty(); }, kWatchdogMs));
    monitor.stop();
    EXPECT_EQ(WaitForSingleObject(monitor.workerEndedEvent(), 10000), WAIT_OBJECT_0);
    EXPECT_EQ(served, 1);
}

// The worker is blocked in a call to the UI thread when the user stops it:
// the stop does not wait for it, and the rest of the page is dropped.
TEST(BoardMonitor, StopFromInsideAListChange) {
    LoopbackServer server([&](const ReceivedRequest&) {
        return Reply::make("200 OK", "", forumPage({"A", "B", "C"}));
    });
    RecordingView view;
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    view.onAppend = [&] {
        if (view.events.size() == 2) monitor.stop();
    };
    monitor.start();
    ASSERT_EQ(WaitForSingleObject(monitor.workerEndedEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(pumpUntil(
        [&] { return WaitForSingleObject(monitor.workerEndedEvent(), 0) == WAIT_OBJECT_0; },
        kWatchdogMs));
    pumpFor(300);
    EXPECT_EQ(view.events, (std::vector<std::string>{"append A", "append B"}));
    EXPECT_EQ(server.requests().size(), 1u);
}

// The cookies are those of the host polled: a board pointed at another host
// (here the test server) never sends the forum's login there.
TEST(BoardMonitor, ForumBoardsSendTheBrowsersCookiesOfEveryPass) {
    const std::string forumUrl = "http://" + std::string(hostName(HostRole::Forum)) + "/";
    ASSERT_TRUE(InternetSetCookieA(forumUrl.c_str(), "forumLogin", "secret"));
    std::string polledUrl;
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        if (served++ == 0) InternetSetCookieA(polledUrl.c_str(), "auth", "second");  // a login meanwhile
        return Reply::make("200 OK", "", forumPage({"A"}));
    });
    polledUrl = server.url("/forum-19-1.html");
    ASSERT_TRUE(InternetSetCookieA(polledUrl.c_str(), "auth", "first"));
    RecordingView view;
    BoardMonitor monitor(forumBoard(), view, view, polledUrl);
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return served >= 2; }, kWatchdogMs));
    monitor.stop();
    const auto requests = server.requests();
    EXPECT_EQ(requests[0].header("Cookie"), "auth=first");
    EXPECT_EQ(requests[1].header("Cookie"), "auth=second");
}

TEST(BoardMonitor, LumaqPageIsReadAsUtf8) {
    const std::string page = text::gbkToUtf8(
        "<h2>推荐活动区</h2><ul><li><span>12-10</span><em> <a href=\"https://l/t/1.html\"title=\"招行饭票\">"
        "招行饭票</a></em></li></ul><h2>信用公开区</h2>");
    LoopbackServer server([&](const ReceivedRequest&) { return Reply::make("200 OK", "", page); });
    RecordingView view;
    BoardMonitor monitor(*boardForPage(8), view, view, server.url("/"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return !view.events.empty(); }, kWatchdogMs));
    monitor.stop();
    EXPECT_EQ(view.events.front(), "append 招行饭票");
    EXPECT_EQ(server.requests().front().header("Cookie"), "") << "only the forum boards send cookies";
}

TEST(BoardMonitor, RestartBeginsANewRunWithItsOwnBaseline) {
    LoopbackServer server([&](const ReceivedRequest&) { return Reply::make("200 OK", "", forumPage({"A"})); });
    RecordingView view;
    view.keywords = "A";
    view.popup = true;
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    for (int run = 0; run < 2; ++run) {
        monitor.start();
        ASSERT_TRUE(pumpUntil([&] { return view.events.size() == static_cast<std::size_t>(run + 1); }, kWatchdogMs));
        monitor.stop();
    }
    EXPECT_EQ(view.events, (std::vector<std::string>{"append A", "append A"}));
}

}  // namespace
}  // namespace brevaro::monitor
