// The program's GDI and USER objects over a long session of use: version
// flashes, QR link windows, page switches and list rebuilds, each many times
// over. Every round must end with the counts where they stood after a
// warm-up round of each (the first of anything may make what the process
// keeps for good: a window class, the tooltip's tool, the login page's
// browser). Counted from outside the process, as a machine's tools count
// them (support/ProcessCounts.h). The board of page 0 takes its rows from a
// server of this process on 127.0.0.1, polled with the smallest interval.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <initializer_list>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "BoardPages.h"
#include "ShellDriver.h"
#include "app/catalogue/ControlIds.h"
#include "app/qrwindows/QrWindowLayout.h"
#include "support/LoopbackServer.h"
#include "support/ProcessCounts.h"

namespace brevaro::test {
namespace {

constexpr int kFlashes = 200;
constexpr int kQrWindows = 200;
constexpr int kPageSwitches = 200;
constexpr int kRebuilds = 1000;
// What may come and go without a leak: the objects of a paint under way as
// the counts are read, a DC the system keeps in its cache.
constexpr int kSlack = 8;

constexpr char kBoardPath[] = "/forum-15-1.html";
const FirstPost kForum15First{"<tbody", "</tbody>", "9012001",
                              L"工行二类户开通后每月能领几次立减金？"};
constexpr int kBaselineRows = 7;
// New posts a page brings at most: the pass over them rebuilds the list
// once per post.
constexpr int kPostsPerPage = 25;
// Every page that takes clicks (the inert page 7 does not), ending on page 0.
constexpr int kPageCycle[] = {1, 2, 3, 4, 5, 6, 8, 9, 10, 0};

// 赚客大家谈's list page: the sample page with the newest of the posts the
// test has let in on top. A post let in shows on the next request, and every
// later request serves that same page until more are let in.
class BoardFeed {
  public:
    BoardFeed()
        : page_(boardFixture("forum-15-1.html")),
          served_(page_),
          server_([this](const ReceivedRequest& request) { return answer(request); }) {}
    BoardFeed(const BoardFeed&) = delete;
    BoardFeed& operator=(const BoardFeed&) = delete;

    std::string host() const { return "127.0.0.1:" + std::to_string(server_.port()); }
    bool ready() const { return !page_.empty(); }

    // Lets `count` more new posts in, kPostsPerPage a page at most.
    void letIn(int count) {
        std::lock_guard lock(mutex_);
        wanted_ += count;
    }

  private:
    Reply answer(const ReceivedRequest& request) {
        if (request.target != kBoardPath) return Reply::make("404 Not Found", "", "");
        std::lock_guard lock(mutex_);
        if (given_ < wanted_) {
            std::vector<NewPost> posts;
            for (; given_ < wanted_ && static_cast<int>(posts.size()) < kPostsPerPage; ++given_) {
                posts.push_back({std::to_string(9100000 + given_),
                                 L"新人福利 第 " + std::to_wstring(given_ + 1) + L" 帖"});
            }
            std::reverse(posts.begin(), posts.end());  // the newest on top
            served_ = withNewPosts(page_, kForum15First, posts);
        }
        return Reply::make("200 OK", "Content-Type: text/html\r\n", served_);
    }

    const std::string page_;
    std::mutex mutex_;
    std::string served_;
    int wanted_ = 0;
    int given_ = 0;
    LoopbackServer server_;  // last: it stops first, while the pages live
};

// One program under watch, its board of page 0 running with no keywords
// (every row shows, so every new post rebuilds the list), the smallest
// interval and no alerts. Its steps answer whether they got through and
// assert nothing: a watch may run on a thread of its own, and GoogleTest's
// assertions belong to the test's thread.
class WatchedShell {
  public:
    enum class Corner { TopLeft, BottomRight };

    // The main window in that corner of the screen.
    explicit WatchedShell(Corner corner) : shell_({.forumHost = feed_.host()}) {
        if (!feed_.ready() || !shell_.started()) return;
        RECT frame{};
        GetWindowRect(shell_.main(), &frame);
        const bool topLeft = corner == Corner::TopLeft;
        SetWindowPos(shell_.main(), nullptr,
                     topLeft ? 0 : GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left),
                     topLeft ? 0 : GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top), 0,
                     0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        typeInto(boardControl({app::kControlPanelId, app::kKeywordGroupId, app::kKeywordBoxId}),
                 L"");
        typeInto(boardControl({app::kControlPanelId, app::kIntervalGroupId, app::kIntervalBoxId}),
                 L"0");
        press(boardControl({app::kControlPanelId, app::kStartGroupId, app::kStartButtonId}));
        ready_ = waitFor([&] { return rowCount() == kBaselineRows; });
    }

    bool ready() const { return ready_; }

    // Stops the board once its start has settled; its rows stay.
    bool stopBoard() const {
        const HWND start =
            boardControl({app::kControlPanelId, app::kStartGroupId, app::kStartButtonId});
        if (!waitFor([&] { return IsWindowEnabled(start) && textOf(start) == L"停止监控"; }))
            return false;
        press(start);
        return waitFor([&] { return textOf(start) == L"开始监控"; });
    }

    // Pages asked for while the settings panel is open: the version flash.
    bool flashes(int count) const {
        if (!toggleSettings()) return false;
        for (int i = 0; i < count; ++i) {
            if (!click(nav(1))) return false;
        }
        return toggleSettings();
    }

    // The QR link window of the list's second row, opened and closed.
    bool qrWindows(int count) const {
        for (int i = 0; i < count; ++i) {
            if (!qrWindow()) return false;
        }
        return true;
    }

    bool pageSwitches(int count) const {
        for (int i = 0; i < count; ++i) {
            const int page = kPageCycle[static_cast<std::size_t>(i) % std::size(kPageCycle)];
            if (!click(nav(page))) return false;
        }
        return true;
    }

    // `count` new posts, each a rebuild of the list.
    bool rebuilds(int count) {
        const int before = rowCount();
        feed_.letIn(count);
        return waitFor([&] { return rowCount() == before + count; });
    }

    // The counts once the program has handled what it was given: the least
    // of three readings, each after its queue drained, so that a paint
    // caught half-way counts for nothing while a leak counts in every one.
    std::optional<ProcessCounts> settledCounts() const {
        std::optional<ProcessCounts> least;
        for (int reading = 0; reading < 3; ++reading) {
            if (!shell_.waitUntilHandled()) return std::nullopt;
            const ProcessCounts now = processCounts(shell_.id());
            if (!least) least = now;
            least->gdiObjects = std::min(least->gdiObjects, now.gdiObjects);
            least->userObjects = std::min(least->userObjects, now.userObjects);
        }
        return least;
    }

  private:
    HWND nav(int page) const {
        return shell_.control({app::kBackgroundId, app::navButtonId(page)});
    }
    HWND boardControl(std::initializer_list<int> path) const {
        std::vector<int> ids{app::kPageContainerId, app::pageId(0)};
        ids.insert(ids.end(), path);
        return shell_.control(ids);
    }
    HWND list() const { return boardControl({app::kResultsListId}); }
    int rowCount() const {
        return static_cast<int>(SendMessageW(list(), LVM_GETITEMCOUNT, 0, 0));
    }

    bool click(HWND button) const {
        press(button);
        return shell_.waitUntilHandled();
    }
    bool toggleSettings() const { return click(shell_.control({app::kSettingsButtonId})); }

    bool qrWindow() const {
        if (!shell_.rightClickRow(list(), 1)) return false;
        HWND window = nullptr;
        const bool opened = waitFor([&] {
            for (HWND candidate : shell_.windowsOfClass(app::kQrLinkWindowClass)) {
                if (IsWindowVisible(candidate)) window = candidate;
            }
            return window != nullptr;
        });
        if (!opened) return false;
        press(GetDlgItem(window, app::kLinkClose.id));
        return waitFor([&] { return !IsWindow(window); }) && shell_.waitUntilHandled();
    }

    BoardFeed feed_;
    ShellProcess shell_;
    bool ready_ = false;
};

// A round of use: its name, and what it does to a program for its warm-up
// (true) or in full (false).
struct Round {
    const char* name;
    std::function<bool(WatchedShell&, bool warmUp)> run;
};

const Round kFlashRound{"200 version flashes", [](WatchedShell& shell, bool warmUp) {
                            return shell.flashes(warmUp ? 1 : kFlashes);
                        }};
const Round kQrRound{"200 QR link windows", [](WatchedShell& shell, bool warmUp) {
                         return shell.qrWindows(warmUp ? 1 : kQrWindows);
                     }};
const Round kPageRound{"200 page switches", [](WatchedShell& shell, bool warmUp) {
                           return shell.pageSwitches(warmUp ? static_cast<int>(std::size(kPageCycle))
                                                            : kPageSwitches);
                       }};
const Round kRebuildRound{"1000 list rebuilds", [](WatchedShell& shell, bool warmUp) {
                              return shell.rebuilds(warmUp ? kPostsPerPage : kRebuilds);
                          }};

// The counts at the start (after the warm-ups) and after each round.
struct Watch {
    std::string failure;  // the step that did not get through; empty when every one did
    ProcessCounts start;
    std::vector<std::pair<std::string, ProcessCounts>> after;
};

Watch watch(WatchedShell& shell, std::initializer_list<Round> rounds) {
    Watch watch;
    for (const Round& round : rounds) {
        if (!round.run(shell, true)) {
            watch.failure = std::string("the warm-up of ") + round.name;
            return watch;
        }
    }
    std::optional<ProcessCounts> counts = shell.settledCounts();
    if (!counts) {
        watch.failure = "the counts at the start";
        return watch;
    }
    watch.start = *counts;
    for (const Round& round : rounds) {
        if (!round.run(shell, false) || !(counts = shell.settledCounts())) {
            watch.failure = round.name;
            return watch;
        }
        watch.after.emplace_back(round.name, *counts);
    }
    return watch;
}

std::string figures(const ProcessCounts& counts) {
    return "GDI " + std::to_string(counts.gdiObjects) + ", USER " +
           std::to_string(counts.userObjects);
}

void expectBackToTheStart(const char* program, const Watch& watch) {
    SCOPED_TRACE(program);
    EXPECT_EQ(watch.failure, "") << "did not get through";
    EXPECT_GT(watch.start.gdiObjects, 0) << "the GDI objects cannot be counted";
    EXPECT_GT(watch.start.userObjects, 0) << "the windows cannot be counted";
    std::printf("[ counts   ] %s, at the start: %s\n", program, figures(watch.start).c_str());
    for (const auto& [round, counts] : watch.after) {
        std::printf("[ counts   ] %s, after %s: %s\n", program, round.c_str(),
                    figures(counts).c_str());
        EXPECT_LE(counts.gdiObjects, watch.start.gdiObjects + kSlack)
            << "GDI objects after " << round << " (" << figures(watch.start) << " at the start)";
        EXPECT_LE(counts.userObjects, watch.start.userObjects + kSlack)
            << "USER objects after " << round << " (" << figures(watch.start) << " at the start)";
    }
}

// Two programs at once, each through two of the rounds: a flash is mostly
// waiting and a page switch mostly painting, and the four rounds one after
// the other would take nearly four minutes under Wine. They lie at opposite
// corners of the screen, so that the other program's windows never cover
// the flashing program's version label (at its window's bottom right): a
// covered label is not painted.
TEST(ShellObjects, ComeBackToTheirCountsAfterLongUse) {
    WatchedShell flashing(WatchedShell::Corner::BottomRight);
    ASSERT_TRUE(flashing.ready()) << "the first program did not come up";
    // Its QR link windows need only the rows; a board that polls without
    // a pause would only slow its flashes.
    ASSERT_TRUE(flashing.stopBoard());
    WatchedShell browsing(WatchedShell::Corner::TopLeft);
    ASSERT_TRUE(browsing.ready()) << "the second program did not come up";

    Watch browsed;
    std::thread other([&] { browsed = watch(browsing, {kPageRound, kRebuildRound}); });
    const Watch flashed = watch(flashing, {kFlashRound, kQrRound});
    other.join();
    expectBackToTheStart("the flashing program", flashed);
    expectBackToTheStart("the browsing program", browsed);
}

}  // namespace
}  // namespace brevaro::test
