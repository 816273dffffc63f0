// Cutting a board page into rows, against the physical floor: a memchr scan
// of the same bytes. Both report bytes per second; the goal is extraction well
// under a millisecond for a 200 KB page with 50 rows, and linear in the page.

#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchPages.h"
#include "monitor/Board.h"
#include "monitor/Extraction.h"

namespace {

using namespace brevaro;

constexpr std::size_t kPageBytes = 200 * 1024;
constexpr int kRows = 50;

void extract(benchmark::State& state, int pageIndex, const std::string& page, std::size_t rows) {
    const monitor::BoardSpec& board = *monitor::boardForPage(pageIndex);
    for (auto _ : state) {
        auto result = monitor::extractRows(board, page);
        if (result.size() != rows) state.SkipWithError("wrong row count");
        benchmark::DoNotOptimize(result);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(page.size()));
}

// The floor: one memchr pass over every byte, looking for a byte the page
// does not hold.
void memchrScan(benchmark::State& state, const std::string& page) {
    for (auto _ : state) {
        const void* found = std::memchr(page.data(), '\0', page.size());
        benchmark::DoNotOptimize(found);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(page.size()));
}

const std::string& forumPage() {
    static const std::string page = bench::forumPage(kRows, kPageBytes);
    return page;
}

const std::string& articlePage() {
    static const std::string page = bench::articlePage(kRows, kPageBytes);
    return page;
}

void BM_ExtractForumPage(benchmark::State& state) { extract(state, 1, forumPage(), kRows); }
void BM_MemchrForumPage(benchmark::State& state) { memchrScan(state, forumPage()); }
void BM_ExtractArticlePage(benchmark::State& state) { extract(state, 6, articlePage(), kRows); }
void BM_MemchrArticlePage(benchmark::State& state) { memchrScan(state, articlePage()); }

// Linear in the page: the same row density at 10× and 100× the size.
void BM_ExtractForumPageScaled(benchmark::State& state) {
    const int scale = static_cast<int>(state.range(0));
    const std::string page = bench::forumPage(kRows * scale, kPageBytes * static_cast<std::size_t>(scale));
    extract(state, 1, page, static_cast<std::size_t>(kRows * scale));
}

BENCHMARK(BM_ExtractForumPage);
BENCHMARK(BM_MemchrForumPage);
BENCHMARK(BM_ExtractArticlePage);
BENCHMARK(BM_MemchrArticlePage);
BENCHMARK(BM_ExtractForumPageScaled)->Arg(1)->Arg(10)->Arg(100);

}  // namespace
