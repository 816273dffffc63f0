// A monitor pass against the age of its run: a forum page of 50 new rows after
// 100, 10,000 and 100,000 titles already seen. The new-row test looks titles
// up in an index, so the cost per row must stay flat (within 2x from the
// first to the last). The page carries no padding between its rows, so the
// figure is the per-row work of the pass (cutting, extraction, new-row test,
// store, keyword test, alerts, show) and not a scan of filler bytes.
//
// Each iteration starts a new run, feeds it the history as its baseline
// (not timed), pushes the caches' contents out and times the one pass over
// the new page. A real pass comes ten seconds after the last one, with cold
// caches; without the flush the small history would leave the previous
// iteration's page and code in the cache and make the first figure look
// better than a real pass is.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "BenchPages.h"
#include "monitor/Board.h"
#include "monitor/MonitorPass.h"

namespace {

using namespace brevaro;

constexpr int kNewRows = 50;
constexpr int kForumBoard = 1;

// Every row matches and both alert boxes are on: the longest road a row takes.
class FixedSettings final : public monitor::BoardSettings {
public:
    std::string keywordText() override { return "京东"; }
    bool voiceChecked() override { return true; }
    bool popupChecked() override { return true; }
    std::string popupStayText() override { return "10"; }
    std::string intervalText() override { return "10"; }
};

// The list and the alerts cost nothing here: what is measured is the pass.
class NoActions final : public monitor::PassActions {
public:
    void appendShownRow(const monitor::SharedRow& row) override { benchmark::DoNotOptimize(&row); }
    void rebuildShownRows(const monitor::BoardRows& rows) override {
        benchmark::DoNotOptimize(&rows);
    }
    void playVoiceAlert() override {}
    void ensureCompanionProgram() override {}
    void launchPopupAlert(const alerts::AlertRequest& alert) override {
        benchmark::DoNotOptimize(&alert);
    }
};

// Writes over more memory than the caches hold.
void flushCaches() {
    static std::vector<char> sweep(64 << 20);
    for (std::size_t i = 0; i < sweep.size(); i += 64) sweep[i] = static_cast<char>(sweep[i] + 1);
    benchmark::ClobberMemory();
}

// The titles seen before: bare rows that carry only what extraction needs,
// titles as long as the forum's and unlike any title of the new page.
std::string historyPage(int rows) {
    std::string page;
    for (int n = 0; n < rows; ++n) {
        page += "<tr><a href=\"http://www.zuanke8.com/thread-" + std::to_string(n) +
                "-1-1.html\" title=\"\"></a><a class=\"s xst\" target=\"_blank\">"
                "京东plus会员领取满199减100优惠券 第" + std::to_string(n) +
                "期 旧帖</a><em><span>2026-12-9</span></em></tr>\r\n";
    }
    return page;
}

void BM_PassOfNewRowsAfterSeenTitles(benchmark::State& state) {
    const int seenBefore = static_cast<int>(state.range(0));
    const monitor::BoardSpec& board = *monitor::boardForPage(kForumBoard);
    const std::string history = historyPage(seenBefore);
    const std::string fresh = bench::forumPage(kNewRows, 0);
    FixedSettings settings;
    NoActions actions;

    std::vector<double> passSeconds;
    for (auto _ : state) {
        monitor::MonitorRun run(board);
        run.runPass(history, settings, actions);
        flushCaches();

        const auto start = std::chrono::steady_clock::now();
        const long long wait = run.runPass(fresh, settings, actions);
        const auto end = std::chrono::steady_clock::now();
        benchmark::DoNotOptimize(wait);

        const double seconds = std::chrono::duration<double>(end - start).count();
        state.SetIterationTime(seconds);
        passSeconds.push_back(seconds);
        if (run.seenTitles().size() != static_cast<std::size_t>(seenBefore + kNewRows)) {
            state.SkipWithError("the pass did not find every new row");
            break;
        }
    }
    if (passSeconds.empty()) return;
    // The mean is the Time column; the median per row is the figure to
    // compare, since a pass that another process preempted says nothing
    // about the pass.
    const auto middle = passSeconds.begin() + static_cast<std::ptrdiff_t>(passSeconds.size() / 2);
    std::nth_element(passSeconds.begin(), middle, passSeconds.end());
    state.counters["median_ns_per_row"] = benchmark::Counter(*middle * 1e9 / kNewRows);
}

// Fixed iterations: every one rebuilds a history of up to 100,000 titles.
BENCHMARK(BM_PassOfNewRowsAfterSeenTitles)
    ->Arg(100)
    ->Arg(10'000)
    ->Arg(100'000)
    ->UseManualTime()
    ->Iterations(30)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
