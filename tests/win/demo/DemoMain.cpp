// demo_driver [--by-hand]: the demo's driver (scripts/demo.sh, make demo).
// It serves the eight boards' sites here on 127.0.0.1 (sites/BoardSites.h:
// the sample pages with new posts coming in every few seconds, two in three
// of them carrying a keyword) and starts the test build of the program with
// its addresses on them.
//
// --by-hand: the user works the program; the driver tells how and waits
// until the program ends. Without it the driver shows the job itself: on
// 活动线报 (a forum board, over HTTP) and Lumaq (over HTTPS) it types the
// keywords, ticks both alerts and presses "开始监控", waits until each board
// has shown a new matching post and raised its popup, has screenshots taken
// and tells what happened; exit 0 when everything did, 1 otherwise.
//
// What it prints, a line each (UTF-8):
//   say TEXT             for the user
//   shot NAME X Y W H    take a screenshot of this part of the screen now,
//                        then write a line to the driver's standard input
//   fail TEXT            what did not happen (exit 1 follows)

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "popup/AlertLayout.h"
#include "sites/BoardSites.h"
#include "sites/PostingBoard.h"
#include "sites/SitePlan.h"
#include "text/WideText_win.h"
#include "win/app/program/BoardOnScreen.h"
#include "app/catalogue/ControlIds.h"

namespace {

using namespace brevaro;
using namespace std::chrono_literals;

// New posts: the first about 15 s after the start, then one every 10 s or
// so on each board.
const sites::PostingPace kDemoPace{.firstAfter = 15s, .every = 10s, .firstStagger = 1s, .everyStagger = 1s};

constexpr DWORD kBoardWatchdogMs = 120000;
constexpr wchar_t kRunning[] = L"停止监控 | button on | settings off";

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

std::string utf8(const std::wstring& text) { return text::wideToUtf8(text); }
// A UTF-8 literal as the line it is: narrow literals are GBK in this build.
std::string u8line(const char8_t* text) { return reinterpret_cast<const char*>(text); }

int fail(const std::string& why) {
    say("fail " + why);
    return 1;
}

// Waits for the script to have taken the screenshot.
void shot(const std::string& name, HWND window) {
    RECT place{};
    GetWindowRect(window, &place);
    say("shot " + name + " " + std::to_string(place.left) + " " + std::to_string(place.top) + " " +
        std::to_string(place.right - place.left) + " " + std::to_string(place.bottom - place.top));
    char line[16];
    if (std::fgets(line, sizeof line, stdin) == nullptr) return;
}

// A demo board: its page and its index among the sites' boards.
struct DemoBoard {
    int page;
    std::size_t site;
    std::wstring name;
};

std::size_t siteIndexOf(int page) {
    const auto& boards = sites::siteBoards();
    for (std::size_t i = 0; i < boards.size(); ++i)
        if (boards[i].page == page) return i;
    return 0;
}

void showPage(const test::ShellProcess& shell, int page) {
    test::press(shell.control({app::kBackgroundId, app::navButtonId(page)}));
    shell.waitUntilHandled();
}

// Keywords typed in, both alerts ticked, a one-second interval, the popup's
// stay 20 s, "开始监控" pressed; true once the board runs.
bool startBoard(const test::ShellProcess& shell, const DemoBoard& board) {
    showPage(shell, board.page);
    const test::BoardOnScreen screen(shell, board.page);
    if (!screen.found()) return false;
    test::typeInto(screen.keywords, sites::kKeywords);
    test::typeInto(screen.interval, L"1");
    test::typeInto(screen.stay, L"20");
    if (!test::tick(screen.popup) || !test::tick(screen.voice)) return false;
    test::press(screen.start);
    return test::waitFor([&] { return screen.state() == kRunning; });
}

// The rows of the list that are new posts of the board's site.
int newRowsShown(const test::ShellProcess& shell, const DemoBoard& board) {
    const test::BoardOnScreen screen(shell, board.page);
    int shown = 0;
    for (const test::ShellProcess::Cells& row : shell.rowsOf(screen.list)) {
        for (int n = 0; n < 50; ++n) {
            const std::wstring title = sites::PostingBoard::newPost(n, board.page).title;
            bool found = false;
            for (const std::wstring& cell : row) found = found || cell == title;
            if (found) {
                ++shown;
                break;
            }
        }
    }
    return shown;
}

// The popups on screen for the board's new posts.
std::vector<HWND> alertsOf(const DemoBoard& board) {
    std::vector<HWND> alerts;
    const std::wstring tail = L"（" + board.name + L"）";
    for (HWND alert : test::visibleWindowsOfClass(popup::kAlertWindowClass)) {
        const std::wstring title = test::textOf(GetDlgItem(alert, popup::kTitleLine.id));
        if (title.size() >= tail.size() && title.compare(title.size() - tail.size(), tail.size(), tail) == 0)
            alerts.push_back(alert);
    }
    return alerts;
}

void tellHowToUse() {
    say("say Brevaro runs against local copies of its eight boards on 127.0.0.1: new posts come in on every");
    say("say board about every 10 s, two in three of them carrying a keyword. To see it work:");
    say(u8line(u8"say   1. pick a board in the left column (赚客大家谈 ... Lumaq);"));
    say("say   2. type keywords into its keyword box, separated by *: the demo's posts carry " +
        utf8(sites::kKeywords) + ";");
    say(u8line(u8"say   3. tick 弹窗提醒 (popup) and 语音提醒 (sound), and set 监控间隔设置 to 1 second;"));
    say(u8line(u8"say   4. press 开始监控: the page's rows are the baseline; new matching posts then appear on top"));
    say("say      of the list and pop up in the screen's bottom-right corner.");
    say("say The status line in the board's control panel tells how each pass went. Close the program");
    say(u8line(u8"say (退出) or press Ctrl+C to end the demo."));
}

int byHand(const test::ShellProcess& shell) {
    tellHowToUse();
    while (shell.running()) Sleep(500);
    say("say the program has ended");
    return 0;
}

int showItself(const test::ShellProcess& shell) {
    const std::vector<DemoBoard> boards = {{1, siteIndexOf(1), L"活动线报"}, {8, siteIndexOf(8), L"Lumaq"}};
    say("say the demo shows itself: keywords " + utf8(sites::kKeywords) + ", popup and sound ticked on " +
        utf8(boards[0].name) + " (HTTP) and " + utf8(boards[1].name) + " (HTTPS)");
    for (const DemoBoard& board : boards) {
        if (!startBoard(shell, board)) return fail(utf8(board.name) + " did not start");
        say("say " + utf8(board.name) + ": started; waiting for a new matching post");
    }
    for (const DemoBoard& board : boards) {
        const bool arrived = test::waitFor(
            [&] { return newRowsShown(shell, board) > 0 && !alertsOf(board).empty(); }, kBoardWatchdogMs);
        if (!arrived) {
            return fail(utf8(board.name) + ": " + std::to_string(newRowsShown(shell, board)) +
                        " new matching rows shown, " + std::to_string(alertsOf(board).size()) + " popups");
        }
    }
    for (const DemoBoard& board : boards) {
        const test::BoardOnScreen screen(shell, board.page);
        say("say " + utf8(board.name) + ": " + std::to_string(shell.rowsOf(screen.list).size()) + " rows shown, " +
            std::to_string(newRowsShown(shell, board)) + " of them new matching posts; " +
            std::to_string(alertsOf(board).size()) + " popups on screen");
    }

    showPage(shell, boards[0].page);
    Sleep(500);  // the page's last paint
    shot("main-window", shell.main());
    // The popups of both boards share the screen's corner: the first
    // board's is kept for its picture.
    const std::vector<HWND> kept = alertsOf(boards[0]);
    if (kept.empty()) return fail("the popup went before its screenshot");
    for (HWND alert : test::visibleWindowsOfClass(popup::kAlertWindowClass))
        if (alert != kept.front()) test::endProcessOf(alert);
    Sleep(500);
    shot("popup", kept.front());
    test::endProcessOf(kept.front());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const bool handMode = argc > 1 && std::string(argv[1]) == "--by-hand";
    sites::BoardSites sites({.relayLifetime = 24h,
                             .pace = kDemoPace,
                             .announcement = reinterpret_cast<const char*>(
                                 u8"本地演示：八个版块都在本机 127.0.0.1 上，新帖每隔几秒出现")});
    if (!sites.ready()) return fail("the TLS relays did not start");
    say("say starting the program");
    const test::ShellProcess shell(sites.shellOptions());
    if (!shell.started()) return fail("the program did not come up");
    return handMode ? byHand(shell) : showItself(shell);
}
