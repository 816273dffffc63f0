// A board page at work under Wine: the controller drives its start button,
// settings and list while the board's worker polls a real server on
// 127.0.0.1. The test's main thread is the UI thread; it reads the page
// back the way a user sees it (captions, enabled states, the list's cells).
// Waits poll with a watchdog; nothing here measures time.

#include "app/boards/BoardController_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "app/boards/TestBoardPage.h"
#include "support/LoopbackServer.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

using brevaro::test::LoopbackServer;
using brevaro::test::ReceivedRequest;
using brevaro::test::Reply;
using brevaro::test::pumpUntil;
using test::kPumpWatchdogMs;
using test::RecordingAlerts;
using test::TestBoardPage;

struct Post {
    std::string title;
    std::string link;
    std::string replies = "3";
    std::string views = "120";
};

// A standard forum board's list page: one <tr> per post, as the forum writes it.
std::string forumPage(const std::vector<Post>& posts) {
    std::string page = "<table>\r\n";
    for (const Post& post : posts) {
        page += "<tr><td class=\"icn\"><a href=\"" + post.link + "\" title=\"open\" target=\"_blank\"></a></td><th>"
                "<a href=\"" + post.link + "\"  class=\"s xst\" target=\"_blank\">" + post.title +
                "</a> - [阅读权限 <span class=\"xw1\">10</span>]</th><td class=\"by\"><em><span>2026-12-8</span>"
                "</em></td><td class=\"num\"><a href=\"" + post.link + "\" class=\"xi2\">" + post.replies +
                "</a><em>" + post.views + "</em></td></tr>\r\n";
    }
    return page + "</table>\r\n";
}

Post post(const std::string& title, int id) { return {title, "thread-" + std::to_string(id) + "-1-1.html"}; }

// Serves the pages in order, then the last one again. Request n (0-based)
// is answered only once the test has allowed it, so the test sees the list
// after each pass while the worker waits for the next page.
class GatedPages {
public:
    explicit GatedPages(std::vector<Reply> replies) : replies_(std::move(replies)) {}

    Reply answer() {
        const std::size_t n = requests_++;
        const ULONGLONG deadline = GetTickCount64() + 60000;
        while (n >= allowed_ && GetTickCount64() < deadline) Sleep(5);
        return replies_[std::min(n, replies_.size() - 1)];
    }
    // Lets request n through and waits (pumping) until the worker asks for
    // request n + 1, that is until it has finished the pass of page n.
    bool passThrough(std::size_t n) {
        allowed_ = n + 1;
        return pumpUntil([&] { return requests_ > n + 1; }, kPumpWatchdogMs);
    }
    void openAll() { allowed_ = 1000000; }
    std::size_t requests() const { return requests_; }

private:
    std::vector<Reply> replies_;
    std::atomic<std::size_t> requests_ = 0;
    std::atomic<std::size_t> allowed_ = 0;
};

Reply page(const std::vector<Post>& posts) { return Reply::make("200 OK", "", forumPage(posts)); }

Reply noAnswer() {
    Reply reply;
    reply.closeWithoutAnswer = true;
    return reply;
}

// Every caption change and enabling of the page's controls, and every
// emptying of its list, in the order the UI thread saw them.
class ControlEvents {
public:
    explicit ControlEvents(const TestBoardPage& page) : page_(page) {
        current_ = this;
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, record, nullptr, GetCurrentThreadId());
    }
    ~ControlEvents() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    ControlEvents(const ControlEvents&) = delete;
    ControlEvents& operator=(const ControlEvents&) = delete;

    std::vector<std::string> take() { return std::exchange(events_, {}); }

private:
    static LRESULT CALLBACK record(int code, WPARAM wParam, LPARAM lParam) {
        if (code == HC_ACTION && current_ != nullptr) current_->note(*reinterpret_cast<const CWPSTRUCT*>(lParam));
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    void note(const CWPSTRUCT& call) {
        const BoardControls& c = page_.controls();
        const std::pair<HWND, const char*> names[] = {{c.start, "start"},   {c.interval, "interval"},
                                                      {c.popupStay, "stay"}, {c.voice, "voice"},
                                                      {c.popup, "popup"},    {c.keywords, "keywords"},
                                                      {c.list, "list"}};
        const char* name = nullptr;
        for (const auto& [window, label] : names) {
            if (call.hwnd == window) name = label;
        }
        if (name == nullptr) return;
        if (call.message == WM_ENABLE) {
            events_.push_back(std::string(call.wParam ? "enable " : "disable ") + name);
        } else if (call.message == WM_SETTEXT && call.hwnd == c.start) {
            events_.push_back("caption " + text::wideToGbk(reinterpret_cast<const wchar_t*>(call.lParam)));
        } else if (call.message == LVM_DELETEALLITEMS) {
            events_.push_back("clear list");
        }
    }

    static inline ControlEvents* current_ = nullptr;
    const TestBoardPage& page_;
    HHOOK hook_ = nullptr;
    std::vector<std::string> events_;
};

bool workerEnded(const BoardController& controller) {
    return pumpUntil(
        [&] { return WaitForSingleObject(controller.workerEndedEvent(), 0) == WAIT_OBJECT_0; },
        kPumpWatchdogMs);
}

TEST(BoardController, StartAndStopShowTheStateAndLockTheSettingsInOrder) {
    GatedPages pages({page({post("A", 1), post("B", 2)})});
    pages.openAll();
    LoopbackServer server([&](const ReceivedRequest&) { return pages.answer(); });
    RecordingAlerts alerts;
    TestBoardPage board(1, server.url("/forum-19-1.html"), alerts);
    board.setText(board.controls().interval, "30");
    ControlEvents events(board);

    board.controller().onStartButton();
    EXPECT_EQ(events.take(), (std::vector<std::string>{
                                 "caption 正在启动", "clear list", "disable start", "disable interval",
                                 "disable stay", "disable voice", "disable popup", "disable keywords",
                                 "caption 停止监控", "enable start"}));
    EXPECT_TRUE(board.controller().running());
    ASSERT_TRUE(pumpUntil([&] { return board.shownCount() == 2; }, kPumpWatchdogMs));

    board.controller().onStartButton();
    EXPECT_EQ(events.take(), (std::vector<std::string>{"caption 正在停止", "caption 开始监控", "enable interval",
                                                       "enable stay", "enable voice", "enable popup",
                                                       "enable keywords"}));
    EXPECT_FALSE(board.controller().running());
    EXPECT_TRUE(board.enabled(board.controls().start));
    ASSERT_TRUE(workerEnded(board.controller()));
    EXPECT_EQ(board.shownCount(), 2) << "stopping keeps the rows";
    EXPECT_EQ(pages.requests(), 1u) << "the interval wait ended with the stop";
}

// The list through a run: the baseline shows its matching rows; every new
// matching row shows the whole model, newest first; non-matching new rows
// join silently; a title seen before, an empty page and a failed fetch
// change nothing. Alerts only for new matching rows after the baseline.
TEST(BoardController, TheListShowsTheRunsRowsInOrderWithTheirNumbers) {
    const Post a = post("京东A", 1), b = post("淘宝B", 2), c = post("京东C", 3), d = post("京东D", 4),
               e = post("淘宝E", 5), f = post("京东F", 6);
    GatedPages pages({
        page({a, b, c}),
        page({d, a, b, c}),
        page({e, d, a, b, c}),
        page({f, e, a, b, c}),  // D dropped off the page
        page({d, f, e, a, b, c}),  // and reappears: not new
        Reply::make("200 OK", "", ""),
        noAnswer(),
    });
    LoopbackServer server([&](const ReceivedRequest&) { return pages.answer(); });
    RecordingAlerts alerts;
    TestBoardPage board(1, server.url("/forum-19-1.html"), alerts);
    board.setText(board.controls().interval, "0");
    board.setText(board.controls().keywords, "京东");
    board.setText(board.controls().popupStay, "7");
    board.setChecked(board.controls().voice, true);
    board.setChecked(board.controls().popup, true);
    board.controller().onStartButton();

    auto row = [](const std::string& number, const Post& p) {
        return std::vector<std::string>{number, "10", p.title, p.replies + "/" + p.views, "2026-12-8", p.link};
    };
    using Rows = std::vector<std::vector<std::string>>;

    ASSERT_TRUE(pages.passThrough(0));
    EXPECT_EQ(board.shownRows(), (Rows{row("1", a), row("2", c)}));
    EXPECT_EQ(alerts.events, std::vector<std::string>{}) << "the baseline never alerts";

    ASSERT_TRUE(pages.passThrough(1));
    const Rows afterD = {row("1", d), row("2", a), row("3", b), row("4", c)};
    EXPECT_EQ(board.shownRows(), afterD);
    EXPECT_EQ(alerts.events, (std::vector<std::string>{"voice", "ensure", "popup 京东D 京东 7"}));

    ASSERT_TRUE(pages.passThrough(2));
    EXPECT_EQ(board.shownRows(), afterD) << "a new row that does not match is not shown yet";

    ASSERT_TRUE(pages.passThrough(3));
    const Rows afterF = {row("1", f), row("2", e), row("3", d), row("4", a), row("5", b), row("6", c)};
    EXPECT_EQ(board.shownRows(), afterF);

    for (std::size_t n = 4; n <= 6; ++n) {  // reappearing title, empty page, failed fetch
        SCOPED_TRACE(n);
        ASSERT_TRUE(pages.passThrough(n));
        EXPECT_EQ(board.shownRows(), afterF);
    }
    EXPECT_EQ(alerts.events, (std::vector<std::string>{"voice", "ensure", "popup 京东D 京东 7", "voice", "ensure",
                                                       "popup 京东F 京东 7"}));
    board.controller().onStartButton();
    pages.openAll();
}

TEST(BoardController, ANewStartClearsTheListAndTakesANewBaseline) {
    std::atomic<int> run = 1;
    LoopbackServer server([&](const ReceivedRequest&) {
        return run == 1 ? page({post("A", 1), post("B", 2)}) : page({post("C", 3), post("A", 1), post("B", 2)});
    });
    RecordingAlerts alerts;
    TestBoardPage board(1, server.url("/forum-19-1.html"), alerts);
    board.setText(board.controls().interval, "30");
    board.setChecked(board.controls().voice, true);
    board.setChecked(board.controls().popup, true);
    board.setText(board.controls().keywords, "A*B*C");

    board.controller().onStartButton();
    ASSERT_TRUE(pumpUntil([&] { return board.shownCount() == 2; }, kPumpWatchdogMs));
    board.controller().onStartButton();
    ASSERT_TRUE(workerEnded(board.controller()));
    EXPECT_EQ(board.shownCount(), 2);

    run = 2;
    ControlEvents events(board);
    board.controller().onStartButton();
    const std::vector<std::string> started = events.take();
    ASSERT_GE(started.size(), 2u);
    EXPECT_EQ(started[1], "clear list");
    ASSERT_TRUE(pumpUntil([&] { return board.shownCount() == 3; }, kPumpWatchdogMs));
    EXPECT_EQ(board.shownCell(0, 2), "C");
    EXPECT_EQ(board.shownCell(2, 0), "3");
    EXPECT_EQ(alerts.events, std::vector<std::string>{}) << "rows of a new baseline never alert";
    board.controller().onStartButton();
}

// During a start's wait the window keeps working: another board's button
// starts that board, while the board being started ignores its own.
TEST(BoardController, TheStartWaitKeepsOtherBoardsUsable) {
    LoopbackServer server([&](const ReceivedRequest&) { return page({post("A", 1)}); });
    RecordingAlerts alerts;
    TestBoardPage first(1, server.url("/forum-19-1.html"), alerts, 0, 0);
    TestBoardPage second(0, server.url("/forum-15-1.html"), alerts, 0, 200);
    for (TestBoardPage* board : {&first, &second}) board->setText(board->controls().interval, "30");

    std::vector<std::string> seen;
    second.beforeStartClick = [&] {
        seen.push_back("second clicked while first shows " + first.text(first.controls().start) +
                       (first.enabled(first.controls().start) ? ", enabled" : ", disabled"));
        first.controller().onStartButton();  // a click of the first board's own button is ignored
    };
    PostMessageW(second.controls().start, BM_CLICK, 0, 0);
    first.controller().onStartButton();

    EXPECT_EQ(seen, std::vector<std::string>{"second clicked while first shows 正在启动, disabled"});
    for (TestBoardPage* board : {&first, &second}) {
        EXPECT_EQ(board->text(board->controls().start), "停止监控");
        EXPECT_TRUE(board->controller().running());
    }
    first.controller().onStartButton();
    EXPECT_EQ(first.text(first.controls().start), "开始监控");
    EXPECT_EQ(second.text(second.controls().start), "停止监控") << "stopping one board leaves the other running";
    second.controller().onStartButton();
}

// A real double click on a row, or Enter on the selected row: the link is
// resolved against the list page, and only web addresses reach the opener.
TEST(BoardController, DoubleClickOrEnterOpensTheRowsLinkOnlyAsAWebAddress) {
    const std::vector<Post> posts = {
        {"relative", "thread-7-1-1.html"},
        {"absolute", "HTTPS://bbs.example/t/8.html"},
        {"script", "javascript:alert(1)"},
        {"program", "C:\\windows\\notepad.exe"},
        {"file", "file:///C:/windows/notepad.exe"},
        {"empty", ""},
    };
    LoopbackServer server([&](const ReceivedRequest&) { return page(posts); });
    RecordingAlerts alerts;
    TestBoardPage board(1, server.url("/forum-19-1.html"), alerts);
    board.setText(board.controls().interval, "30");
    std::vector<std::string> opened;
    board.controller().setLinkOpener([&](HWND owner, const std::string& address) {
        EXPECT_EQ(owner, board.window());
        opened.push_back(address);
    });
    board.controller().onStartButton();
    ASSERT_TRUE(pumpUntil([&] { return board.shownCount() == static_cast<int>(posts.size()); }, kPumpWatchdogMs));
    board.controller().onStartButton();

    const HWND list = board.controls().list;
    auto doubleClick = [&](int item) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds));
        const LPARAM at = MAKELPARAM(300, (bounds.top + bounds.bottom) / 2);  // on the title
        SendMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
        SendMessageW(list, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageW(list, WM_LBUTTONUP, 0, at);
        const std::vector<std::string> result = std::exchange(opened, {});
        return result;
    };
    const std::string base = server.url("/");
    EXPECT_EQ(doubleClick(0), std::vector<std::string>{base + "thread-7-1-1.html"});
    EXPECT_EQ(doubleClick(1), std::vector<std::string>{"HTTPS://bbs.example/t/8.html"});
    for (int item = 2; item < static_cast<int>(posts.size()); ++item) {
        SCOPED_TRACE(posts[static_cast<std::size_t>(item)].title);
        EXPECT_EQ(doubleClick(item), std::vector<std::string>{});
    }
    EXPECT_EQ(board.shownCell(2, 5), "javascript:alert(1)") << "the list keeps the link as found";

    auto enterOn = [&](int item) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&state));
        SendMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
        SendMessageW(list, WM_CHAR, L'\r', 1);
        return std::exchange(opened, {});
    };
    EXPECT_EQ(enterOn(0), std::vector<std::string>{base + "thread-7-1-1.html"});
    EXPECT_EQ(enterOn(1), std::vector<std::string>{"HTTPS://bbs.example/t/8.html"});
    EXPECT_EQ(enterOn(2), std::vector<std::string>{}) << "the same rule as the double click";

    // No selection: nothing.
    LVITEMW none{};
    none.stateMask = LVIS_SELECTED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&none));
    board.controller().onRowDoubleClick();
    SendMessageW(list, WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(opened, std::vector<std::string>{});
}

}  // namespace
}  // namespace brevaro::app
