// A board's worker over long runs and faults, under Wine: a pass that fails
// (here: memory runs out while the page is read), pages of thousands of
// unique titles served fresh on every pass that take a run to its limits,
// and hundreds of starts and stops
// while requests are in flight. The test's main thread is the UI thread.

#include "monitor/BoardMonitor_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <vector>

#include "monitor/MonitorTestViews.h"
#include "monitor/RunLimits.h"
#include "support/FailingAllocations.h"
#include "support/LoopbackServer.h"
#include "support/ProcessCounts.h"
#include "win/support/Waits.h"

namespace brevaro::monitor {
namespace {

using test::LoopbackServer;
using test::pumpUntil;
using test::ReceivedRequest;
using test::Reply;

constexpr std::size_t kMiB = 1024 * 1024;

// A page of about `bytes` of rows whose titles no other page carries.
std::string pageOfUniqueTitles(int page, std::size_t bytes) {
    return test::forumPageOfUniqueTitles("p" + std::to_string(page) + "r", bytes);
}

// Memory runs out while the second page is read: that pass ends as a failed
// fetch would, and the worker goes on polling; the third page's new row is
// shown as every new row is.
TEST(BoardMonitorLongRun, APassThatFailsIsAFailedFetchAndPollingGoesOn) {
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        test::ExcusedFromFailingAllocations excused;
        const int n = ++served;
        if (n == 1) return Reply::make("200 OK", "", forumPage({"A"}));
        if (n == 2) return Reply::make("200 OK", "", pageOfUniqueTitles(2, 3 * kMiB));
        return Reply::make("200 OK", "", forumPage({"B", "A"}));
    });
    RecordingView view;
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"));
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return served >= 1 && !view.events.empty(); }, kWatchdogMs));
    {
        test::AllocationsFailFrom shortage(2 * kMiB);
        ASSERT_TRUE(pumpUntil([&] { return served >= 3; }, kWatchdogMs))
            << "the worker stopped polling after the failed pass";
    }
    ASSERT_TRUE(pumpUntil([&] { return view.events.size() >= 2; }, kWatchdogMs));
    EXPECT_EQ(WaitForSingleObject(monitor.workerEndedEvent(), 0), static_cast<DWORD>(WAIT_TIMEOUT))
        << "the worker ended by itself";
    monitor.stop();
    EXPECT_EQ(view.events, (std::vector<std::string>{"append A", "rebuild B A"}));
}

// The lists a run hands its view: how long the longest was, and the first
// row of each.
class StoresView final : public RecordingView {
public:
    void rebuildShownRows(const BoardRows& rows) override {
        longest = std::max(longest, rows.size());
        firstRows.push_back(rows.empty() ? std::string() : rows.front()->title);
    }
    std::size_t longest = 0;
    std::vector<std::string> firstRows;
};

// Every pass brings a fresh 4 MiB page of unique titles (about 22,000 rows,
// of which a pass takes the first 1,000), under the limits of the test
// builds (a hundredth of the program's: 1,000 stored rows, 2,000 seen
// titles), which the second pass reaches. What one pass may add to the run
// is bounded: the list never holds more than its 1,000 rows, the earliest
// titles are forgotten (the first page, served again at the end, is new
// again), and eight more passes leave the process's private bytes about
// where they were. The keyword matches each page's 1,000th row, so that
// every later pass hands the view its whole list once.
TEST(BoardMonitorLongRun, PagesOfUniqueTitlesFillTheStoresToTheirLimitsAndNoFurther) {
    constexpr int kPasses = 8;
    constexpr int kFirstPageAgain = 2 + kPasses;  // the request that gets the first page again
    const RunLimits limits = storesDividedBy(100);
    ASSERT_EQ(limits.storedRows, limits.rowsPerPage);
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        const int n = ++served;
        return Reply::make("200 OK", "", pageOfUniqueTitles(n == kFirstPageAgain ? 1 : n, 4 * kMiB));
    });
    StoresView view;
    view.keywords = "r1000";
    BoardMonitor monitor(forumBoard(), view, view, server.url("/forum-19-1.html"), limits);
    monitor.start();
    ASSERT_TRUE(pumpUntil([&] { return served >= 2; }, 10 * kWatchdogMs));
    const std::size_t before = test::processCounts(GetCurrentProcessId()).privateBytes;
    ASSERT_GT(before, 0u);
    ASSERT_TRUE(pumpUntil([&] { return served >= 2 + kPasses; }, 60 * kWatchdogMs));
    const std::size_t after = test::processCounts(GetCurrentProcessId()).privateBytes;
    // The request after the first page's comeback: that pass is over.
    ASSERT_TRUE(pumpUntil([&] { return served > kFirstPageAgain; }, 10 * kWatchdogMs));
    monitor.stop();
    ASSERT_EQ(WaitForSingleObject(monitor.workerEndedEvent(), 60000), WAIT_OBJECT_0);
    const double grownMiB = (static_cast<double>(after) - static_cast<double>(before)) / kMiB;
    std::printf("private bytes: %.1f MiB after the first pass, %.1f MiB %d passes later\n",
                static_cast<double>(before) / kMiB, static_cast<double>(after) / kMiB, kPasses);
    EXPECT_LT(grownMiB, 32.0) << "the run keeps what every page brings";
    EXPECT_EQ(view.longest, limits.storedRows) << "the list of a run at its limit of rows";
    std::vector<std::string> expected;
    for (int page = 2; page < kFirstPageAgain; ++page) expected.push_back("p" + std::to_string(page) + "r1000");
    expected.push_back("p1r1000");  // its titles were forgotten: new again
    ASSERT_GE(view.firstRows.size(), expected.size())
        << "passes that rebuilt the list: the first page's rows, served again, were not new";
    view.firstRows.resize(expected.size());
    EXPECT_EQ(view.firstRows, expected) << "the first rows of the lists, pass after pass";
}

// The page a board shows on one request: titles no other request gives, so
// a run that did not start from nothing would rebuild where a fresh run
// appends.
class HeldPages {
public:
    Reply answer(const ReceivedRequest&) {
        int hold = 0;
        int n = 0;
        {
            std::lock_guard lock(mutex_);
            hold = std::uniform_int_distribution<int>(0, 200)(random_);
            n = ++served_;
        }
        Sleep(static_cast<DWORD>(hold));
        const std::string tag = "q" + std::to_string(n);
        return Reply::make("200 OK", "", forumPage({tag + "a", tag + "b"}));
    }
    int served() {
        std::lock_guard lock(mutex_);
        return served_;
    }

private:
    std::mutex mutex_;
    std::mt19937 random_{20261210};
    int served_ = 0;
};

// What a board shows over many runs: every run starts from an empty list and
// its first change is its baseline's append; nothing comes while stopped.
class RunsView final : public RecordingView {
public:
    void appendShownRow(const SharedRow& row) override {
        note();
        RecordingView::appendShownRow(row);
    }
    void rebuildShownRows(const BoardRows& rows) override {
        note();
        if (events.empty()) ++rebuildsBeforeBaseline;
        RecordingView::rebuildShownRows(rows);
    }
    void started() {
        running = true;
        events.clear();
    }
    void stopped() { running = false; }

    int changesWhileStopped = 0;
    int rebuildsBeforeBaseline = 0;

private:
    void note() {
        if (!running) ++changesWhileStopped;
    }
    bool running = false;
};

TEST(BoardMonitorLongRun, FiveHundredStartsAndStopsOnTwoBoardsLeaveNothingBehind) {
    constexpr int kCycles = 500;
    HeldPages pages;
    test::ProcessCounts start;
    std::mt19937 random(7);
    // Round 0 warms up what the platform keeps once made (WinHttp's own
    // threads and handles, the monitors' message windows); the counts are
    // taken after it, and again after the servers and monitors are gone.
    for (int round = 0; round < 2; ++round) {
        if (round == 1) {
            pumpFor(1000);
            start = test::processCounts(GetCurrentProcessId());
        }
        LoopbackServer server([&](const ReceivedRequest& request) { return pages.answer(request); });
        RunsView firstView;
        RunsView secondView;
        BoardMonitor first(forumBoard(), firstView, firstView, server.url("/forum-19-1.html"));
        BoardMonitor second(*boardForPage(2), secondView, secondView, server.url("/forum-15-1.html"));
        const int cycles = round == 0 ? 3 : kCycles;
        for (int cycle = 0; cycle < cycles; ++cycle) {
            firstView.started();
            first.start();
            secondView.started();
            second.start();
            pumpFor(std::uniform_int_distribution<int>(0, 250)(random));
            first.stop();
            firstView.stopped();
            second.stop();
            secondView.stopped();
        }
        pumpFor(500);
        ASSERT_EQ(WaitForSingleObject(first.workerEndedEvent(), 60000), WAIT_OBJECT_0);
        ASSERT_EQ(WaitForSingleObject(second.workerEndedEvent(), 60000), WAIT_OBJECT_0);
        pumpFor(500);
        EXPECT_EQ(firstView.changesWhileStopped + secondView.changesWhileStopped, 0);
        EXPECT_EQ(firstView.rebuildsBeforeBaseline + secondView.rebuildsBeforeBaseline, 0);
        if (round == 1) {
            EXPECT_GT(pages.served(), kCycles) << "the runs made their requests";
        }
    }
    // Every worker ends on its own within a held answer of its stop.
    constexpr int kSlack = 3;
    test::ProcessCounts end;
    const bool settled = test::waitFor([&] {
        end = test::processCounts(GetCurrentProcessId());
        return end.threads <= start.threads + kSlack && end.handles <= start.handles + kSlack;
    });
    std::printf("threads %d -> %d, handles %d -> %d\n", start.threads, end.threads, start.handles,
                end.handles);
    EXPECT_TRUE(settled) << "threads or handles were left behind";
}

}  // namespace
}  // namespace brevaro::monitor
