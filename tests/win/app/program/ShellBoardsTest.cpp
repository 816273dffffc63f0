// The board pages as a user meets them in the whole program: keywords typed
// in, start pressed, the captions and locked settings of a run, new posts
// arriving in the lists with their numbers and columns, the companion
// program's popups, a stop while a slow page is on its way, the QR link
// window of a row's right click and the QR tool button. The boards poll a
// server of this process on 127.0.0.1 (the HTTPS boards through a relay in
// front of it, support/TlsRelay.h) that serves real board pages and, as the
// test moves it on, the same pages with new posts on top. Every board polls
// with the smallest interval, 0 seconds. Waits poll under the driver's
// watchdog; nothing measures time.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <initializer_list>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "BoardOnScreen.h"
#include "BoardPages.h"
#include "ShellDriver.h"
#include "app/catalogue/ControlIds.h"
#include "app/qrwindows/QrWindowLayout.h"
#include "popup/AlertLayout.h"
#include "support/LoopbackServer.h"
#include "support/ScreenQr.h"
#include "support/TlsRelay.h"
#include "support/UnixPath.h"
#include "text/WideText_win.h"

namespace brevaro::test {
namespace {

using Cells = ShellProcess::Cells;
using Rows = std::vector<Cells>;

constexpr wchar_t kIdle[] = L"开始监控 | button on | settings on";
constexpr wchar_t kStarting[] = L"正在启动 | button off | settings off";
constexpr wchar_t kRunning[] = L"停止监控 | button on | settings off";

// ---------------------------------------------------------------------------
// The boards' server.

// Serves each board's list page by its path: the page of the current step,
// again and again, as a site does between two new posts, until the test
// moves that board on to its next page. A step may be held: its requests
// then wait, as on a slow site, until the test lets them go.
class BoardSite {
  public:
    BoardSite() : server_([this](const ReceivedRequest& request) { return answer(request); }) {}
    // Held requests are let go first: the server joins its threads.
    ~BoardSite() {
        std::lock_guard lock(mutex_);
        for (auto& [path, script] : scripts_) script.held = false;
        changed_.notify_all();
    }
    BoardSite(const BoardSite&) = delete;
    BoardSite& operator=(const BoardSite&) = delete;

    void serve(const std::string& path, std::vector<std::string> pages) {
        std::lock_guard lock(mutex_);
        scripts_[path].pages = std::move(pages);
    }
    std::string host() const { return "127.0.0.1:" + std::to_string(server_.port()); }
    int port() const { return server_.port(); }

    int requests(const std::string& path) const {
        std::lock_guard lock(mutex_);
        const auto found = scripts_.find(path);
        return found == scripts_.end() ? 0 : found->second.requests;
    }
    // Waits until the board has asked for its page `count` times in all.
    bool waitForRequests(const std::string& path, int count) const {
        return waitFor([&] { return requests(path) >= count; });
    }
    void moveOn(const std::string& path) { step(path, false); }
    // Moves on and holds the next page's requests until release().
    void moveOnAndHold(const std::string& path) { step(path, true); }
    bool waitUntilARequestIsHeld(const std::string& path) const {
        return waitFor([&] {
            std::lock_guard lock(mutex_);
            return scripts_.at(path).waiting > 0;
        });
    }
    // Lets the held requests go and waits until each has its answer.
    bool release(const std::string& path) {
        {
            std::lock_guard lock(mutex_);
            scripts_.at(path).held = false;
        }
        changed_.notify_all();
        return waitFor([&] {
            std::lock_guard lock(mutex_);
            return scripts_.at(path).waiting == 0;
        });
    }

  private:
    struct Script {
        std::vector<std::string> pages;
        std::size_t step = 0;
        bool held = false;
        int requests = 0;
        int waiting = 0;
    };

    void step(const std::string& path, bool hold) {
        std::lock_guard lock(mutex_);
        Script& script = scripts_.at(path);
        script.step = std::min(script.step + 1, script.pages.size() - 1);
        script.held = hold;
    }

    Reply answer(const ReceivedRequest& request) {
        std::unique_lock lock(mutex_);
        const auto found = scripts_.find(request.target);
        if (found == scripts_.end() || found->second.pages.empty())
            return Reply::make("404 Not Found", "", "");
        Script& script = found->second;
        ++script.requests;
        const std::string page = script.pages[script.step];
        if (script.held) {
            ++script.waiting;
            changed_.wait_for(lock, std::chrono::milliseconds(kWatchdogMilliseconds),
                              [&] { return !script.held; });
            --script.waiting;
        }
        return Reply::make("200 OK", "Content-Type: text/html\r\n", page);
    }

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, Script> scripts_;
    LoopbackServer server_;  // last: it stops first, while the scripts live
};

// ---------------------------------------------------------------------------
// Pages and the rows they give.

// A row of a fixture page's rows file (UTF-8, tab-separated, escaped).
struct PageRow {
    std::wstring title, readLevel, replies, views, postTime, link, remaining, category, bounty;
};

std::string unescaped(const std::string& field) {
    std::string plain;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            plain += field[i];
            continue;
        }
        const char next = field[++i];
        plain += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return plain;
}

std::vector<PageRow> rowsOfFixture(const std::string& name) {
    const std::string file = boardFixture(name);
    std::vector<PageRow> rows;
    std::size_t at = 0;
    while (at < file.size()) {
        const std::size_t end = std::min(file.find('\n', at), file.size());
        std::vector<std::wstring> fields;
        std::size_t from = at;
        while (from <= end) {
            const std::size_t tab = std::min(file.find('\t', from), end);
            fields.push_back(text::utf8ToWide(unescaped(file.substr(from, tab - from))));
            from = tab + 1;
        }
        at = end + 1;
        if (fields.size() != 9) continue;
        rows.push_back({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6],
                        fields[7], fields[8]});
    }
    return rows;
}

const FirstPost kForum19First{"<tbody", "</tbody>", "9013201",
                              L"京东 PLUS 会员 12.12 领 200-20 全品券，速度"};
const FirstPost kForum11First{"<tbody", "</tbody>", "9017801", L"注册某理财 APP 实名即可，秒结"};
const FirstPost kArticleFirst{"<li>", "</li>", "142611", L"QQ会员 签到领 7 天超级会员"};

// The row a new post gives: the first post's row with its title and id.
PageRow rowOf(const NewPost& post, const FirstPost& first, PageRow firstRow) {
    firstRow.title = post.title;
    firstRow.link = replaced(firstRow.link, text::utf8ToWide(first.id), text::utf8ToWide(post.id));
    return firstRow;
}

// What a page's list shows of rows, numbered from 1: the forum's standard
// columns, the task board's, or the article-style columns.
Rows shownOn(int page, const std::vector<PageRow>& rows) {
    Rows shown;
    for (const PageRow& row : rows) {
        const std::wstring n = std::to_wstring(shown.size() + 1);
        switch (page) {
            case 5:
                shown.push_back({n, row.category, row.bounty, row.title, row.remaining,
                                 row.postTime, row.link});
                break;
            case 6:
            case 8:
                shown.push_back({n, row.title, row.postTime, row.link});
                break;
            default:
                shown.push_back({n, row.readLevel, row.title, row.replies + L"/" + row.views,
                                 row.postTime, row.link});
        }
    }
    return shown;
}

std::vector<PageRow> pick(const std::vector<PageRow>& rows,
                          std::initializer_list<std::size_t> indexes) {
    std::vector<PageRow> picked;
    for (std::size_t i : indexes) picked.push_back(rows.at(i));
    return picked;
}

std::vector<PageRow> joined(std::vector<PageRow> front, const std::vector<PageRow>& back) {
    front.insert(front.end(), back.begin(), back.end());
    return front;
}

// ---------------------------------------------------------------------------
// A board page seen from outside.

// Texts as a reader of a failure wants them: UTF-8, one row a line.
std::string readable(const std::vector<std::wstring>& texts) {
    std::string line;
    for (const std::wstring& t : texts) line += (line.empty() ? "" : " | ") + text::wideToUtf8(t);
    return line;
}

std::string readable(const Rows& rows) {
    std::string lines;
    for (const Cells& row : rows) lines += "\n  " + readable(row);
    return lines.empty() ? " (none)" : lines;
}

// The board is in the state now.
testing::AssertionResult isIn(const BoardOnScreen& board, const wchar_t* state) {
    const std::wstring now = board.state();
    if (now == state) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "page " << board.page << " shows " << text::wideToUtf8(now);
}

// The board comes to the state.
testing::AssertionResult reaches(const BoardOnScreen& board, const wchar_t* state) {
    waitFor([&] { return board.state() == state; });
    return isIn(board, state);
}

testing::AssertionResult lists(const BoardOnScreen& board, const Rows& shown,
                               const Rows& expected) {
    if (shown == expected) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "page " << board.page << " lists" << readable(shown)
                                       << "\nexpected" << readable(expected);
}

// Waits until the board's list shows the rows.
testing::AssertionResult shows(const ShellProcess& shell, const BoardOnScreen& board,
                               const Rows& expected) {
    waitFor([&] { return shell.rowsOf(board.list) == expected; });
    return lists(board, shell.rowsOf(board.list), expected);
}

// ---------------------------------------------------------------------------
// The companion program's alerts.

std::wstring titleLineOf(HWND alert) {
    return textOf(GetDlgItem(alert, popup::kTitleLine.id));
}

// The alerts on screen are those for these posts, one each.
testing::AssertionResult alertsShownFor(std::vector<std::wstring> titles) {
    std::vector<std::wstring> shown;
    for (HWND alert : visibleWindowsOfClass(popup::kAlertWindowClass))
        shown.push_back(titleLineOf(alert));
    for (std::wstring& title : titles) title = L"帖子名称：" + title;
    std::sort(shown.begin(), shown.end());
    std::sort(titles.begin(), titles.end());
    if (shown == titles) return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "alerts: " << readable(shown) << "\nexpected: " << readable(titles);
}

// The alert for a post, once it shows (its worker fills the lines).
HWND waitForAlert(const std::wstring& title) {
    HWND found = nullptr;
    waitFor([&] {
        for (HWND alert : visibleWindowsOfClass(popup::kAlertWindowClass)) {
            if (titleLineOf(alert) == L"帖子名称：" + title) found = alert;
        }
        return found != nullptr;
    });
    return found;
}

class ShellBoards : public testing::Test {
  protected:
    // The alerts run on after the program that started them: ended here.
    void TearDown() override {
        for (HWND alert : visibleWindowsOfClass(popup::kAlertWindowClass)) endProcessOf(alert);
    }
};

// ---------------------------------------------------------------------------

// 活动线报 (a forum board over HTTP) and 爱Q生活网 (the article site over
// HTTPS) run side by side. The first page of each is the baseline: the
// forum's matches nothing, the article site's one matching post shows
// without an alert. Then each site brings new posts.
TEST_F(ShellBoards, TwoBoardsShowTheirNewMatchingPostsAndTheForumsPopUp) {
    const std::string forumPath = "/forum-19-1.html", articlePath = "/";
    const std::string forumPage = boardFixture("forum-19-1.html"),
                      articlePage = boardFixture("iqshw-front.html");
    const std::vector<PageRow> forumRows = rowsOfFixture("forum-19-1.rows.tsv");
    std::vector<PageRow> articleRows = rowsOfFixture("iqshw-front.rows.tsv");
    ASSERT_EQ(forumRows.size(), 8u);
    ASSERT_EQ(articleRows.size(), 8u);
    // None of the forum's baseline titles holds a keyword; on the article
    // site only 京东双12 does.
    const NewPost red{"9013300", L"天猫 双12 红包 口令 汇总"},
        parcel{"9013301", L"顺丰 寄件 8 折 券"}, meal{"9013302", L"饿了么 免单 第二波 10 点开始"};
    const NewPost market{"142700", L"京东超市 满 199-100 神券"};
    BoardSite site;
    site.serve(forumPath, {forumPage, withNewPosts(forumPage, kForum19First, {red, parcel, meal})});
    site.serve(articlePath, {articlePage, withNewPosts(articlePage, kArticleFirst, {market})});
    const TlsRelay https(site.port());
    ASSERT_TRUE(https.ready()) << "the HTTPS relay did not start";
    // The site links its posts by path, behind the URL the board fetched.
    for (PageRow& row : articleRows) {
        row.link = replaced(row.link, L"https://www.iqshw.com/", L"https://" + text::utf8ToWide(https.host()) + L"/");
    }
    const ShellProcess shell({.forumHost = site.host(), .articleHost = https.host()});
    ASSERT_TRUE(shell.started()) << "the program did not come up";
    const BoardOnScreen forum(shell, 1), article(shell, 6);
    ASSERT_TRUE(forum.found() && article.found());

    ASSERT_TRUE(forum.setUp(L"红包*免单", true));
    ASSERT_TRUE(article.setUp(L"京东", false));
    EXPECT_TRUE(isIn(forum, kIdle));

    // The second board's button works while the first one is starting.
    press(forum.start);
    EXPECT_TRUE(reaches(forum, kStarting));
    press(article.start);
    EXPECT_TRUE(reaches(article, kStarting));
    EXPECT_TRUE(reaches(forum, kRunning));
    EXPECT_TRUE(reaches(article, kRunning));

    // The baseline pass has ended once the board asks again.
    ASSERT_TRUE(site.waitForRequests(forumPath, 2));
    ASSERT_TRUE(site.waitForRequests(articlePath, 2));
    EXPECT_TRUE(shows(shell, forum, {}));
    EXPECT_TRUE(shows(shell, article, shownOn(6, pick(articleRows, {3}))));

    // New posts: at the first match the list shows every stored row, the
    // newest discoveries first; a new post without a keyword joins silently
    // and shows with the next match.
    site.moveOn(forumPath);
    site.moveOn(articlePath);
    const Rows forumList = shownOn(1, joined({rowOf(meal, kForum19First, forumRows[0]),
                                              rowOf(parcel, kForum19First, forumRows[0]),
                                              rowOf(red, kForum19First, forumRows[0])},
                                             forumRows));
    const Rows articleList =
        shownOn(6, joined({rowOf(market, kArticleFirst, articleRows[0])}, articleRows));
    EXPECT_TRUE(shows(shell, forum, forumList));
    EXPECT_TRUE(shows(shell, article, articleList));

    // The same page polled again and again adds nothing.
    const int forumAsked = site.requests(forumPath), articleAsked = site.requests(articlePath);
    ASSERT_TRUE(site.waitForRequests(forumPath, forumAsked + 3));
    ASSERT_TRUE(site.waitForRequests(articlePath, articleAsked + 3));
    EXPECT_TRUE(lists(forum, shell.rowsOf(forum.list), forumList));
    EXPECT_TRUE(lists(article, shell.rowsOf(article.list), articleList));

    // One popup per new matching forum post, with its keyword; none for the
    // post without one, none for the baseline, none from the article site,
    // whose popup box is not ticked.
    for (const auto& [post, keyword] : {std::pair{red, L"红包"}, std::pair{meal, L"免单"}}) {
        const HWND alert = waitForAlert(post.title);
        ASSERT_NE(alert, nullptr) << "no popup for " << text::wideToUtf8(post.title);
        EXPECT_EQ(textOf(GetDlgItem(alert, popup::kKeywordLine.id)),
                  std::wstring(L"对应的关键词：") + keyword);
    }
    EXPECT_TRUE(alertsShownFor({red.title, meal.title}));
    EXPECT_TRUE(isIn(forum, kRunning));
    EXPECT_TRUE(isIn(article, kRunning));
}

// 做任务赚果 is stopped while the site holds back its next page, which
// carries a new matching post. The stop is at once; nothing of the stopped
// run arrives later; the next start begins afresh with a new baseline.
TEST_F(ShellBoards, StopDuringASlowFetchIsImmediateAndFinal) {
    const std::string path = "/forum-11-1.html";
    const std::string page = boardFixture("forum-11-1.html");
    const std::vector<PageRow> rows = rowsOfFixture("forum-11-1.rows.tsv");
    ASSERT_EQ(rows.size(), 6u);
    const NewPost late{"9017900", L"新人 注册 截图 领 3 元"},
        after{"9017901", L"微信 扫码 关注 送 1 元"};
    const std::string slowPage = withNewPosts(page, kForum11First, {late});
    BoardSite site;
    site.serve(path, {page, slowPage, withNewPosts(slowPage, kForum11First, {after})});
    const ShellProcess shell({.forumHost = site.host()});
    ASSERT_TRUE(shell.started()) << "the program did not come up";
    const BoardOnScreen tasks(shell, 5);
    ASSERT_TRUE(tasks.found());
    ASSERT_TRUE(tasks.setUp(L"截图*微信", true));

    press(tasks.start);
    ASSERT_TRUE(reaches(tasks, kRunning));
    ASSERT_TRUE(site.waitForRequests(path, 2));
    const Rows baseline = shownOn(5, pick(rows, {1, 2, 5}));
    EXPECT_TRUE(shows(shell, tasks, baseline));

    site.moveOnAndHold(path);
    ASSERT_TRUE(site.waitUntilARequestIsHeld(path));
    press(tasks.start);
    ASSERT_TRUE(shell.waitUntilHandled()) << "the window stopped answering";
    EXPECT_TRUE(isIn(tasks, kIdle));
    EXPECT_TRUE(lists(tasks, shell.rowsOf(tasks.list), baseline)) << "the rows stay";

    // The held page arrives now; the window handles what was due meanwhile.
    ASSERT_TRUE(site.release(path));
    ASSERT_TRUE(shell.waitUntilHandled());
    ASSERT_TRUE(shell.waitUntilHandled());
    EXPECT_TRUE(lists(tasks, shell.rowsOf(tasks.list), baseline));
    EXPECT_TRUE(isIn(tasks, kIdle));

    // A new start clears the list; the held page is its baseline, shown
    // without an alert. The next new post alerts; by the time its popup
    // shows, none has come for the held one, from either run.
    press(tasks.start);
    ASSERT_TRUE(reaches(tasks, kRunning));
    const PageRow lateRow = rowOf(late, kForum11First, rows[0]);
    EXPECT_TRUE(shows(shell, tasks, shownOn(5, joined({lateRow}, pick(rows, {1, 2, 5})))));
    site.moveOn(path);
    EXPECT_TRUE(shows(shell, tasks,
                      shownOn(5, joined({rowOf(after, kForum11First, rows[0]), lateRow}, rows))));
    ASSERT_NE(waitForAlert(after.title), nullptr);
    EXPECT_TRUE(alertsShownFor({after.title}));
}

// A right click on a row of 赚客大家谈 shows its link as a QR code, which a
// phone reads from the screen; the copy button puts the link on the
// clipboard; closing gives the main window back. The Lumaq board has no
// right-click action. The QR tool button opens one tool window at a time.
TEST_F(ShellBoards, RightClickShowsTheRowsLinkAsACodeAndTheQrToolOpensOnce) {
    const std::string forumPath = "/forum-15-1.html", lumaqPath = "/";
    const std::vector<PageRow> forumRows = rowsOfFixture("forum-15-1.rows.tsv");
    const std::vector<PageRow> lumaqRows = rowsOfFixture("lumaq-front.rows.tsv");
    ASSERT_EQ(forumRows.size(), 7u);
    ASSERT_EQ(lumaqRows.size(), 2u);
    BoardSite site;
    site.serve(forumPath, {boardFixture("forum-15-1.html")});
    site.serve(lumaqPath, {boardFixture("lumaq-front.html")});
    const TlsRelay https(site.port());
    ASSERT_TRUE(https.ready()) << "the HTTPS relay did not start";
    const ShellProcess shell({.forumHost = site.host(), .tipSiteHost = https.host()});
    ASSERT_TRUE(shell.started()) << "the program did not come up";
    const BoardOnScreen forum(shell, 0), lumaq(shell, 8);
    ASSERT_TRUE(forum.found() && lumaq.found());

    // No keywords: every row shows.
    for (const BoardOnScreen* board : {&forum, &lumaq}) {
        ASSERT_TRUE(board->setUp(L"", false));
        press(board->start);
    }
    ASSERT_TRUE(shows(shell, forum, shownOn(0, forumRows)));
    ASSERT_TRUE(shows(shell, lumaq, shownOn(8, lumaqRows)));

    // The QR link window of the second row.
    const std::wstring link = forumRows[1].link;
    putOnClipboard(L"something else");
    ASSERT_TRUE(shell.rightClickRow(forum.list, 1));
    HWND window = nullptr;
    ASSERT_TRUE(waitFor([&] {
        for (HWND candidate : shell.windowsOfClass(app::kQrLinkWindowClass)) {
            if (IsWindowVisible(candidate)) window = candidate;
        }
        return window != nullptr;
    })) << "no QR link window";
    EXPECT_EQ(SendMessageW(forum.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 1);
    EXPECT_EQ(textOf(window), L"二维码转换成功 . . .");
    EXPECT_EQ(textOf(GetDlgItem(window, app::kLinkEdit.id)), link);
    EXPECT_FALSE(IsWindowEnabled(shell.main())) << "the main window waits while the window is open";
    const std::optional<std::string> decoded =
        decodeQrOnScreen(visibleScreenRect(GetDlgItem(window, app::kLinkPicture.id)), {});
    EXPECT_EQ(decoded, std::optional<std::string>(text::wideToUtf8(link)));

    press(GetDlgItem(window, app::kLinkCopy.id));
    EXPECT_TRUE(waitFor([&] { return clipboardText() == link; }))
        << text::wideToUtf8(clipboardText().value_or(L"<none>"));
    press(GetDlgItem(window, app::kLinkClose.id));
    EXPECT_TRUE(waitFor([&] { return !IsWindow(window); }));
    EXPECT_TRUE(waitFor([&] { return IsWindowEnabled(shell.main()) != FALSE; }));

    // On the Lumaq board the press selects the row and does nothing more.
    press(shell.control({app::kBackgroundId, app::navButtonId(8)}));
    ASSERT_TRUE(shell.waitUntilHandled());
    ASSERT_TRUE(shell.rightClickRow(lumaq.list, 0));
    ASSERT_TRUE(shell.waitUntilHandled()) << "a window opened over the main window";
    EXPECT_EQ(SendMessageW(lumaq.list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED), 0);
    EXPECT_TRUE(shell.windowsOfClass(app::kQrLinkWindowClass).empty());

    // The QR tool window: its button rests while it is open.
    const HWND toolButton = shell.control({app::kQrToolButtonId});
    press(toolButton);
    std::vector<HWND> tools;
    ASSERT_TRUE(waitFor([&] {
        tools = shell.windowsOfClass(app::kQrToolWindowClass);
        return tools.size() == 1 && IsWindowVisible(tools.front()) && !IsWindowEnabled(toolButton);
    })) << tools.size()
        << " tool windows";
    EXPECT_EQ(textOf(tools.front()), L"二维码生成工具");
    PostMessageW(tools.front(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] {
        return shell.windowsOfClass(app::kQrToolWindowClass).empty() && IsWindowEnabled(toolButton);
    }));
    EXPECT_TRUE(IsWindowEnabled(shell.main()));
}

}  // namespace
}  // namespace brevaro::test
