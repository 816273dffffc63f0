// What a pass holds at once: a page that is one huge row must not become
// huge strings, one for each field, before the fields are cut to their
// limit. This binary counts its own allocations (a replaced global operator
// new, which records only while a pass runs), so it is a test of its own.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "monitor/Board.h"
#include "monitor/MonitorPass.h"

namespace {

std::atomic<bool> recording{false};
std::atomic<std::size_t> largestAllocation{0};

void* allocate(std::size_t size) {
    if (recording.load(std::memory_order_relaxed)) {
        std::size_t largest = largestAllocation.load(std::memory_order_relaxed);
        while (size > largest && !largestAllocation.compare_exchange_weak(largest, size)) {
        }
    }
    if (void* block = std::malloc(size == 0 ? 1 : size)) return block;
    throw std::bad_alloc();
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

namespace brevaro::monitor {
namespace {

class NoSettings final : public BoardSettings {
public:
    std::string keywordText() override { return {}; }
    bool voiceChecked() override { return false; }
    bool popupChecked() override { return false; }
    std::string popupStayText() override { return {}; }
    std::string intervalText() override { return {}; }
};

class NoActions final : public PassActions {
public:
    void appendShownRow(const SharedRow&) override {}
    void rebuildShownRows(const BoardRows&) override {}
    void playVoiceAlert() override {}
    void ensureCompanionProgram() override {}
    void launchPopupAlert(const alerts::AlertRequest&) override {}
};

constexpr std::size_t kHuge = 4u * 1024 * 1024;

// One row whose title and link are each kHuge bytes, and whose other fields
// are big too, in the markup of the board on `pageIndex`.
std::string pageOfOneHugeRow(int pageIndex) {
    const BoardSpec& board = *boardForPage(pageIndex);
    const std::string title(kHuge, 't');
    const std::string link = "/" + std::string(kHuge, 'l');
    const std::string big(kHuge / 4, 'f');
    switch (board.profile) {
        case BoardProfile::ForumStandard:
        case BoardProfile::ForumTrade:
        case BoardProfile::ForumTask: {
            const std::string extra = board.profile == BoardProfile::ForumTrade  ? std::string(board.tradeWords.first)
                                      : board.profile == BoardProfile::ForumTask ? std::string("其他任务")
                                                                                 : std::string();
            return "<table><tr><td><a href=\"" + link + "\" title=\"new\"></a></td><th><a href=\"" + link +
                   "\"  class=\"s xst\" target=\"_blank\">" + title + "</a></th><td><span class=\"xw1\">" + big +
                   "</span><a class=\"xi2\">" + big + "</a><em>" + big +
                   "</em></td><td><span style=\"color:green;\"><" + big +
                   "></span><span style=\"float:right;color:green;\">" + big +
                   "</span></td><td class=\"by\"><em><span>" + big + "</span></em></td><td>" + extra +
                   "</td></tr></table>";
        }
        case BoardProfile::ArticleSite:
            return "<ul><li><a target=\"_blank\" href=\"" + link + "\"><i></i>" + title + "去下载" + title +
                   "</a><span >" + big + "</span></li></ul>";
        case BoardProfile::LumaqSite:
            break;
    }
    return {};
}

// The Lumaq site's page is converted whole from UTF-8 before it is cut, a
// copy of the page that this bound is not about; its fields are cut as the
// others are.
TEST(PassMemory, AHugeRowCostsNoAllocationBeyondAFieldsLimit) {
    const RunLimits limits;
    for (const int pageIndex : {1, 2, 5, 6}) {
        SCOPED_TRACE(pageIndex);
        const std::string page = pageOfOneHugeRow(pageIndex);
        MonitorRun run(*boardForPage(pageIndex), limits);
        NoSettings settings;
        NoActions actions;
        largestAllocation = 0;
        recording = true;
        run.runPass(page, settings, actions);
        recording = false;
        ASSERT_EQ(run.boardRows().size(), 1u);
        EXPECT_EQ(run.boardRows()[0]->title.size(), limits.fieldBytes);
        // A field's bytes and the pass's own small bookkeeping; the row is
        // thousands of times that.
        EXPECT_LE(largestAllocation.load(), 4 * limits.fieldBytes);
    }
}

}  // namespace
}  // namespace brevaro::monitor
