// Cutting a page a hostile server can send, side by side with a real-shaped
// page of the same size: many "<tr>" ahead of the forum's quick-login marker
// and a single "</tr>", so that every start marker begins a piece that runs
// to the end of the page and is dropped. Both must cost the same per byte at
// 128 KiB, 1 MiB and 32 MiB (bytes per second flat across the sizes).

#include <benchmark/benchmark.h>

#include <string>

#include "BenchPages.h"
#include "monitor/Board.h"
#include "monitor/Extraction.h"

namespace {

using namespace brevaro;

constexpr std::string_view kQuickLoginMarker =
    "showWindow('login', 'member.php?mod=logging&action=login&viewlostpw=1')";

std::string hostilePage(std::size_t bytes) {
    std::string page;
    page.reserve(bytes + 128);
    while (page.size() < bytes) page += "<tr>";
    page += kQuickLoginMarker;
    page += "</tr>";
    return page;
}

void cut(benchmark::State& state, const std::string& page) {
    const monitor::BoardSpec& board = *monitor::boardForPage(0);
    for (auto _ : state) {
        auto rows = monitor::extractRows(board, page);
        benchmark::DoNotOptimize(rows);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(page.size()));
}

void BM_CutHostilePage(benchmark::State& state) {
    cut(state, hostilePage(static_cast<std::size_t>(state.range(0))));
}

// The live forum's row density: about 50 rows in 200 KB.
void BM_CutRealShapedPage(benchmark::State& state) {
    const auto bytes = static_cast<std::size_t>(state.range(0));
    cut(state, bench::forumPage(static_cast<int>(bytes / 4096), bytes));
}

constexpr int64_t kSmall = 128 * 1024;
constexpr int64_t kMedium = 1024 * 1024;
constexpr int64_t kLarge = 32 * 1024 * 1024;

BENCHMARK(BM_CutHostilePage)->Arg(kSmall)->Arg(kMedium)->Arg(kLarge)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CutRealShapedPage)->Arg(kSmall)->Arg(kMedium)->Arg(kLarge)->Unit(benchmark::kMillisecond);

}  // namespace
