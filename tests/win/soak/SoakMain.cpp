// soak_driver MINUTES HOSTILE_PAGE_BYTES: the soak run's driver
// (scripts/soak.sh, which prints its samples as a table and judges them).
// It serves the eight boards' sites here on 127.0.0.1, checks that their
// pages give the rows it means them to give, starts the test build of the
// program with its addresses on those sites, starts every board through the
// user interface (keywords typed in, popup and voice ticked on some,
// interval 0, the popup's stay 3 s, "开始监控" pressed) and looks at the
// program every 10 s for MINUTES. It prints one line each, ASCII:
//   note TEXT                what it is doing
//   boards PAGE... hostile=PAGE   the boards in the order of the counts below
//   sample SECONDS private=BYTES handles=N gdi=N user=N threads=N companions=N
//          answered=0|1 requests=N,... quiet=SECONDS,...   (one line)
//   died SECONDS             the program ended on its own
//   fail TEXT                the run could not be set up (exit 1)
//   end SECONDS              the run is over (exit 0)
// SECONDS count from the moment every board was started; requests are each
// board's requests so far, quiet the seconds since its last one.

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "sites/HostileBoard.h"
#include "sites/PostingBoard.h"
#include "ProgramSample.h"
#include "sites/SitePlan.h"
#include "sites/BoardSites.h"
#include "monitor/Board.h"
#include "monitor/Extraction.h"
#include "monitor/Keywords.h"
#include "popup/AlertLayout.h"
#include "text/WideText_win.h"
#include "win/app/program/BoardOnScreen.h"

namespace {

using namespace brevaro;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr auto kSamplePeriod = 10s;
constexpr wchar_t kRunning[] = L"停止监控 | button on | settings off";

void say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

int fail(const std::string& why) {
    say("fail " + why);
    return 1;
}

std::string tenths(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

std::string seconds(Clock::duration elapsed) {
    return tenths(std::chrono::duration<double>(elapsed).count());
}

// The pages give what the run counts on: a new post shows as the first row,
// a matching one holds a keyword, a quiet one none; the hostile page is all
// rows. An empty text when they do; what is wrong otherwise.
std::string checkPages(std::size_t hostileBytes) {
    const std::string keywords = text::wideToGbk(sites::kKeywords);
    std::string matched;
    for (int n = 0; n < 3; ++n) {
        const std::string title = text::wideToGbk(sites::PostingBoard::newPost(n).title);
        if (monitor::matchKeywords(title, keywords, matched) != sites::PostingBoard::matches(n))
            return "new post " + std::to_string(n) + " does not match as meant";
    }
    for (const sites::SiteBoard& board : sites::siteBoards()) {
        const monitor::BoardSpec& catalogued = *monitor::boardForPage(board.page);
        const std::string label = "page " + std::to_string(board.page);
        if (board.hostile) {
            const std::size_t rows =
                monitor::extractRows(catalogued, sites::hostilePage(hostileBytes, 0)).size();
            if (rows == 0) return label + ": the hostile page gives no rows";
            say("note hostile page: " + std::to_string(hostileBytes) + " bytes, " +
                std::to_string(rows) + " rows");
            continue;
        }
        const sites::PostingBoard site(board, 0, Clock::now());
        const auto rows =
            monitor::extractRows(catalogued, monitor::boardPageText(catalogued, site.pageWith(1)));
        if (rows.empty() || rows.front().title != text::wideToGbk(site.newPost(0, board.page).title))
            return label + ": a new post does not show as the first row";
    }
    return {};
}

// Types the board's settings in and presses its start button; true once it
// runs.
bool startBoard(const test::ShellProcess& shell, const sites::SiteBoard& board) {
    const test::BoardOnScreen screen(shell, board.page);
    if (!screen.found()) return false;
    test::typeInto(screen.keywords, sites::kKeywords);
    test::typeInto(screen.interval, L"0");
    test::typeInto(screen.stay, sites::kPopupStay);
    if ((board.popup && !test::tick(screen.popup)) || (board.voice && !test::tick(screen.voice)))
        return false;
    if (test::textOf(screen.keywords) != sites::kKeywords || test::textOf(screen.interval) != L"0")
        return false;
    test::press(screen.start);
    return test::waitFor([&] { return screen.state() == kRunning; });
}

std::string sampleLine(Clock::duration elapsed, const soak::ProgramSample& sample,
                       const sites::BoardSites& sites) {
    const test::ProcessCounts& counts = sample.counts;
    std::string line =
        "sample " + seconds(elapsed) + " private=" + std::to_string(counts.privateBytes) +
        " handles=" + std::to_string(counts.handles) + " gdi=" + std::to_string(counts.gdiObjects) +
        " user=" + std::to_string(counts.userObjects) +
        " threads=" + std::to_string(counts.threads) +
        " companions=" + std::to_string(sample.companions) +
        " answered=" + (sample.answered ? "1" : "0");
    std::string requests, quiet;
    for (std::size_t i = 0; i < sites::siteBoards().size(); ++i) {
        const sites::BoardSites::Tally tally = sites.tally(i);
        requests += (i ? "," : "") + std::to_string(tally.requests);
        quiet += (i ? "," : "") + tenths(tally.quietSeconds);
    }
    return line + " requests=" + requests + " quiet=" + quiet;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) return fail("usage: soak_driver MINUTES HOSTILE_PAGE_BYTES");
    const double minutes = std::atof(argv[1]);
    const auto hostileBytes = static_cast<std::size_t>(std::strtoull(argv[2], nullptr, 10));
    if (minutes <= 0 || hostileBytes == 0)
        return fail("MINUTES and HOSTILE_PAGE_BYTES must be positive");
    const auto runLength =
        std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(minutes * 60));

    if (const std::string wrong = checkPages(hostileBytes); !wrong.empty()) return fail(wrong);
    sites::BoardSites sites({.hostilePageBytes = hostileBytes,
                             .relayLifetime = std::chrono::duration_cast<std::chrono::seconds>(runLength) +
                                              std::chrono::minutes(10),
                             .announcement = reinterpret_cast<const char*>(u8"长时间运行检查进行中")});
    if (!sites.ready()) return fail("the TLS relays did not start");
    say("note starting the program");
    const test::ShellProcess shell(sites.shellOptions());
    if (!shell.started()) return fail("the program did not come up");

    std::string boards = "boards";
    std::string hostile = "none";
    for (const sites::SiteBoard& board : sites::siteBoards()) {
        if (!startBoard(shell, board))
            return fail("page " + std::to_string(board.page) + " did not start");
        boards += " " + std::to_string(board.page);
        if (board.hostile) hostile = std::to_string(board.page);
    }
    sites.boardsStarted();
    say(boards + " hostile=" + hostile);

    const Clock::time_point begin = Clock::now();
    const auto samples = (runLength + kSamplePeriod - Clock::duration(1)) / kSamplePeriod;
    for (long long n = 1; n <= samples; ++n) {
        std::this_thread::sleep_until(begin + n * kSamplePeriod);
        const Clock::duration elapsed = Clock::now() - begin;
        if (!shell.running()) {
            say("died " + seconds(elapsed));
            return 0;
        }
        say(sampleLine(elapsed, soak::sampleProgram(shell.id(), shell.main()), sites));
    }
    say("end " + seconds(Clock::now() - begin));
    for (HWND alert : test::visibleWindowsOfClass(popup::kAlertWindowClass))
        test::endProcessOf(alert);
    return 0;
}
