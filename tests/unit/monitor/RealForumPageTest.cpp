// A real thread-list page of the forum software, as served to a visitor
// without login (kept outside the repository: see the shared fixtures). It is
// UTF-8 and uses the stock template, whose title anchors differ from the live
// forum's; the tests convert it to GBK as the forum serves it.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "monitor/Board.h"
#include "monitor/Extraction.h"
#include "text/Encoding.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::monitor {
namespace {

class RealForumPage : public testing::Test {
protected:
    void SetUp() override {
        const auto bytes = test::readBytes(test::sharedFixturePath("discuz-x3-guest-thread-list.html"));
        if (!bytes) GTEST_SKIP() << "shared fixtures are not beside the repository";
        page_ = text::utf8ToGbk(*bytes);
    }
    std::string page_;
};

TEST_F(RealForumPage, QuickLoginRowIsExcludedAndItsSecondRowYieldsNothing) {
    const BoardSpec& board = *boardForPage(0);
    const auto pieces = cutPieces(board, page_);
    ASSERT_FALSE(pieces.empty());
    for (std::string_view piece : pieces) {
        EXPECT_FALSE(text::containsText(piece, "viewlostpw")) << piece;
    }
    // The password row of the form survives the cut but holds no title.
    std::size_t passwordRows = 0;
    for (std::string_view piece : pieces) {
        if (text::containsText(piece, "ls_password")) {
            ++passwordRows;
            EXPECT_FALSE(extractForumRow(board, piece));
        }
    }
    EXPECT_EQ(passwordRows, 1u);
}

TEST_F(RealForumPage, TheGuestsPageHoldsTheQuickLoginFormOnEveryForumBoard) {
    for (int page : {0, 1, 2, 3, 4, 5}) EXPECT_TRUE(pageShowsQuickLogin(*boardForPage(page), page_)) << page;
    for (int page : {6, 8}) EXPECT_FALSE(pageShowsQuickLogin(*boardForPage(page), page_)) << page;
}

TEST_F(RealForumPage, StockTemplateAnchorsYieldNoRows) {
    for (int page : {0, 2, 5}) {
        EXPECT_TRUE(extractRows(*boardForPage(page), page_).empty()) << page;
    }
}

TEST_F(RealForumPage, LiveAnchorsYieldEveryThread) {
    // Give the title anchors the live forum's shape; everything else stays as
    // the real page has it.
    const std::string live = text::replaceAll(page_, "onclick=\"atarget(this)\" class=\"s xst\">",
                                              " class=\"s xst\" target=\"_blank\">");
    const std::vector<ResultRow> rows = extractRows(*boardForPage(0), live);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(text::gbkToUtf8(rows[0].title), test::utf8(u8"上海币安难友维权"));
    EXPECT_EQ(rows[0].postTime, "2022-3-3");
    EXPECT_EQ(rows[0].link, "thread-12-1-1.html");
    EXPECT_EQ(rows[0].replies, "0");
    EXPECT_EQ(rows[0].views, "35");
    EXPECT_EQ(rows[0].readLevel, "");
    EXPECT_EQ(rows[7].link, "thread-3-1-1.html");
    EXPECT_EQ(rows[7].postTime, "2022-2-12");
    for (const ResultRow& row : rows) {
        EXPECT_FALSE(row.title.empty());
        EXPECT_FALSE(row.postTime.empty());
    }
}

}  // namespace
}  // namespace brevaro::monitor
