// A board's health as the user sees it in the whole program: the status line
// in the board page's control panel and the mark of its navigation button,
// after each pass of a run against a site on 127.0.0.1 that answers with
// rows, goes away (connections refused), answers 503, sends an empty page,
// shows the forum's guest view (the quick-login form) and sends rows again;
// then a stop while a page is on its way, which nothing of that run changes
// afterwards. Waits poll under the driver's watchdog; nothing measures time.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>

#include "BoardOnScreen.h"
#include "BoardPages.h"
#include "ShellDriver.h"
#include "app/catalogue/ControlIds.h"
#include "skin/PictureButton_win.h"
#include "support/LoopbackServer.h"
#include "text/WideText_win.h"

namespace brevaro::test {
namespace {

constexpr int kBoardPage = 1;  // 活动线报, a forum board
constexpr char kPath[] = "/forum-19-1.html";
constexpr std::size_t kFixtureRows = 8;

enum class Answer { Rows, Unavailable, Empty, GuestView, HeldUnavailable };

// The board's site: what it answers is the test's to change between passes;
// every answer closes its connection, so each pass connects anew (and a site
// that has gone is a refused connection, not a stale one).
class HealthSite {
  public:
    explicit HealthSite(int port = 0) { open(port); }
    ~HealthSite() { release(); }

    int port() const { return port_; }
    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }
    void answer(Answer answer) { answer_ = answer; }
    // Nothing listens any more: the next connections are refused.
    void close() {
        release();
        server_.reset();
    }
    void open(int port) {
        server_ = std::make_unique<LoopbackServer>([this](const ReceivedRequest& r) { return reply(r); },
                                                   1, RequestLog::Kept, port);
        port_ = server_->port();
    }
    bool waitUntilHeld() {
        return waitFor([this] {
            std::lock_guard lock(mutex_);
            return held_ > 0;
        });
    }
    void release() {
        {
            std::lock_guard lock(mutex_);
            released_ = true;
        }
        changed_.notify_all();
    }
    int requests() const { return server_ ? server_->requestCount() : 0; }

  private:
    Reply reply(const ReceivedRequest& request) {
        if (request.target != kPath) return Reply::make("404 Not Found", "", "", true);
        Reply reply;
        switch (answer_.load()) {
            case Answer::Rows: reply = Reply::make("200 OK", "Content-Type: text/html", memberPage_); break;
            case Answer::Unavailable: reply = Reply::make("503 Service Unavailable", "", "busy"); break;
            case Answer::Empty: reply = Reply::make("200 OK", "Content-Type: text/html", ""); break;
            case Answer::GuestView:
                reply = Reply::make("200 OK", "Content-Type: text/html", guestPage_);
                break;
            case Answer::HeldUnavailable: {
                std::unique_lock lock(mutex_);
                ++held_;
                changed_.wait(lock, [this] { return released_; });
                reply = Reply::make("503 Service Unavailable", "", "busy");
                break;
            }
        }
        reply.closeAfter = true;
        return reply;
    }

    // The sample page is a guest's; a member sees it without the quick-login form.
    const std::string guestPage_ = boardFixture("forum-19-1.html");
    const std::string memberPage_ = membersView(guestPage_);
    std::atomic<Answer> answer_ = Answer::Rows;
    std::mutex mutex_;
    std::condition_variable changed_;
    int held_ = 0;
    bool released_ = false;
    int port_ = 0;
    std::unique_ptr<LoopbackServer> server_;
};

std::string utf8(const std::wstring& text) { return text::wideToUtf8(text); }

// What the board shows of its health: the status line, its tooltip and
// whether the navigation button carries the mark.
struct HealthOnScreen {
    const ShellProcess& shell;
    const BoardOnScreen& board;
    HWND line;
    HWND nav;

    std::wstring text() const { return textOf(line); }
    std::wstring tip() const { return shell.tooltipOf(line); }
    bool marked() const { return SendMessageW(nav, skin::kGetMark, 0, 0) != FALSE; }

    // Waits until the line tells of pass `pass`, and checks what it says.
    testing::AssertionResult afterPass(int pass, const std::wstring& says, bool mark) const {
        const std::wstring passes = L"已检查 " + std::to_wstring(pass) + L" 次";
        waitFor([&] { return text().find(passes) != std::wstring::npos; });
        const std::wstring now = text();
        if (now.find(passes) == std::wstring::npos || now.find(says) == std::wstring::npos || marked() != mark) {
            return testing::AssertionFailure() << "after pass " << pass << " (the board shows "
                                               << utf8(board.state()) << ") the line reads \"" << utf8(now)
                                               << "\", mark " << (marked() ? "on" : "off") << "; expected \""
                                               << utf8(says) << "\", mark " << (mark ? "on" : "off");
        }
        return testing::AssertionSuccess();
    }
};

TEST(ShellBoardHealth, TheStatusLineAndTheMarkFollowEveryPassAndAStopEndsThem) {
    HealthSite site;
    const ShellProcess shell({.forumHost = site.host()});
    ASSERT_TRUE(shell.started()) << "the program did not come up";
    const BoardOnScreen board(shell, kBoardPage);
    ASSERT_TRUE(board.found());
    const HealthOnScreen health{
        shell, board, shell.control({app::kPageContainerId, app::pageId(kBoardPage), app::kControlPanelId, app::kBoardStatusId}),
        shell.control({app::kBackgroundId, app::navButtonId(kBoardPage)})};
    ASSERT_NE(health.line, nullptr);
    ASSERT_NE(health.nav, nullptr);
    // The inert page has no line.
    EXPECT_EQ(shell.control({app::kPageContainerId, app::pageId(7), app::kControlPanelId, app::kBoardStatusId}),
              nullptr);
    EXPECT_EQ(health.text(), L"未开始");
    EXPECT_FALSE(health.marked());

    ASSERT_TRUE(board.setUp(L"", false));
    // Two seconds between passes: time enough to change the site's answer
    // once a pass has shown.
    typeInto(board.interval, L"2");
    press(board.start);

    const std::wstring rows = L"正常 · 本页 " + std::to_wstring(kFixtureRows) + L" 行";
    EXPECT_TRUE(health.afterPass(1, rows, false));
    EXPECT_EQ(health.tip(), L"本次监控还没有失败过");

    const int port = site.port();
    site.close();
    EXPECT_TRUE(health.afterPass(2, L"获取失败（连接被拒绝），已连续失败 1 次", true));
    EXPECT_NE(health.tip().find(L"连接被拒绝"), std::wstring::npos) << utf8(health.tip());

    site.answer(Answer::Unavailable);
    site.open(port);
    EXPECT_TRUE(health.afterPass(3, L"获取失败（HTTP 503），已连续失败 2 次", true));
    EXPECT_NE(health.tip().find(L"HTTP 503"), std::wstring::npos) << utf8(health.tip());

    site.answer(Answer::Empty);
    EXPECT_TRUE(health.afterPass(4, L"没有找到列表的标记（0 行）", false));

    site.answer(Answer::GuestView);
    EXPECT_TRUE(health.afterPass(5, L"论坛把你当作游客：请点左侧“登录赚吧账号”登录", true));

    site.answer(Answer::Rows);
    EXPECT_TRUE(health.afterPass(6, rows, false));
    // The tooltip keeps the run's last failure.
    EXPECT_NE(health.tip().find(L"HTTP 503"), std::wstring::npos) << utf8(health.tip());

    // Stopped while the next page is on its way: the line tells of the stop
    // at once, and the answer that comes after it changes nothing.
    site.answer(Answer::HeldUnavailable);
    ASSERT_TRUE(site.waitUntilHeld());
    press(board.start);
    ASSERT_TRUE(shell.waitUntilHandled());
    const std::wstring stopped = health.text();
    EXPECT_EQ(stopped.rfind(L"已停止 · 最后一次检查 ", 0), 0u) << utf8(stopped);
    EXPECT_FALSE(health.marked());
    site.release();
    const int requestsAtStop = site.requests();
    ASSERT_TRUE(shell.waitUntilHandled());
    Sleep(2500);  // longer than the interval: a pass of the stopped run would have shown by now
    ASSERT_TRUE(shell.waitUntilHandled());
    EXPECT_EQ(health.text(), stopped);
    EXPECT_FALSE(health.marked());
    EXPECT_EQ(site.requests(), requestsAtStop) << "the stopped board fetched again";
}

}  // namespace
}  // namespace brevaro::test
