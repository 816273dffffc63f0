// A run's memory at its limits: a hostile forum board that sends 1,200 rows
// of titles never seen before on every pass. Each pass takes its first 1,000
// rows; the stored rows reach their limit (100,000) after 100 passes and the
// seen titles theirs (200,000) after 200. The counters give the process's
// resident memory added since the run began, after 100, 200 and 300 passes:
// the figure must level off once both limits are met (the last two within a
// few MiB of each other), whatever the passes after.
// Run: build/native/bench/brevaro_bench --benchmark_filter=RunAtItsLimits

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

#include "monitor/Board.h"
#include "monitor/MonitorPass.h"

namespace {

using namespace brevaro;

class QuietSettings final : public monitor::BoardSettings {
public:
    std::string keywordText() override { return "no-title-holds-this"; }
    bool voiceChecked() override { return false; }
    bool popupChecked() override { return false; }
    std::string popupStayText() override { return "10"; }
    std::string intervalText() override { return "0"; }
};

class NoActions final : public monitor::PassActions {
public:
    void appendShownRow(const monitor::SharedRow&) override {}
    void rebuildShownRows(const monitor::BoardRows&) override {}
    void playVoiceAlert() override {}
    void ensureCompanionProgram() override {}
    void launchPopupAlert(const alerts::AlertRequest&) override {}
};

// The process's resident memory in MiB (Linux: /proc/self/status).
double residentMiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

std::string pageOfNewTitles(int pass) {
    std::string page = "<table>\r\n";
    for (int n = 1; n <= 1200; ++n) {
        const std::string url = "http://f/thread-" + std::to_string(pass * 10000 + n) + "-1-1.html";
        page += "<tr><td><a href=\"" + url + "\" title=\"open\" target=\"_blank\"></a></td><th><a href=\"" +
                url + "\"  class=\"s xst\" target=\"_blank\">p" + std::to_string(pass) + "-" + std::to_string(n) +
                "</a></th><td><em><span>2026-12-8</span></em></td></tr>\r\n";
    }
    return page + "</table>\r\n";
}

void RunAtItsLimits(benchmark::State& state) {
    for (auto _ : state) {
        monitor::MonitorRun run(*monitor::boardForPage(1));
        QuietSettings settings;
        NoActions actions;
        const double before = residentMiB();
        for (int pass = 1; pass <= 300; ++pass) {
            run.runPass(pageOfNewTitles(pass), settings, actions);
            if (pass % 100 == 0) state.counters["MiB_after_" + std::to_string(pass)] = residentMiB() - before;
        }
        state.counters["rows"] = static_cast<double>(run.boardRows().size());
        state.counters["titles"] = static_cast<double>(run.seenTitles().size());
    }
}
BENCHMARK(RunAtItsLimits)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
