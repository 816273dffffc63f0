#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BuildConstants.h"
#include "monitor/Board.h"

namespace brevaro::monitor {
namespace {

struct Expected {
    int page;
    std::string name;
    BoardProfile profile;
    std::string url;
    bool cookies;
    PageEncoding encoding;
    int linkColumn;
    bool rightClickQr;
    bool voiceNeedsKeywords;
};

std::string forumUrl(const char* path) { return std::string("http://") + build::kForumHost + path; }

TEST(BoardCatalogue, ListsTheEightBoardsInPageOrder) {
    using enum BoardProfile;
    const Expected expected[] = {
        {0, "赚客大家谈", ForumStandard, forumUrl("/forum-15-1.html"), true, PageEncoding::Gbk, 5, true, true},
        {1, "活动线报", ForumStandard, forumUrl("/forum-19-1.html"), true, PageEncoding::Gbk, 5, true, true},
        {2, "果果换物", ForumTrade, forumUrl("/forum-31-1.html"), true, PageEncoding::Gbk, 5, true, true},
        {3, "赚品交换", ForumTrade, forumUrl("/forum-25-1.html"), true, PageEncoding::Gbk, 5, true, true},
        {4, "邀请专区", ForumStandard, forumUrl("/forum-20-1.html"), true, PageEncoding::Gbk, 5, true, true},
        {5, "做任务赚果", ForumTask, forumUrl("/forum-11-1.html"), true, PageEncoding::Gbk, 6, true, true},
        {6, "爱Q生活网", ArticleSite, std::string("https://") + build::kArticleHost + "/", false,
         PageEncoding::Gbk, 3, true, false},
        {8, "Lumaq", LumaqSite, std::string("https://") + build::kTipSiteHost + "/", false,
         PageEncoding::Utf8, 3, false, true},
    };
    const auto catalogue = boardCatalogue();
    ASSERT_EQ(catalogue.size(), std::size(expected));
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const BoardSpec& board = catalogue[i];
        const Expected& e = expected[i];
        SCOPED_TRACE(e.page);
        EXPECT_EQ(board.pageIndex, e.page);
        EXPECT_EQ(board.displayName, e.name);
        EXPECT_EQ(board.profile, e.profile);
        EXPECT_EQ(boardUrl(board), e.url);
        EXPECT_EQ(board.sendsBrowserCookies, e.cookies);
        EXPECT_EQ(board.pageEncoding, e.encoding);
        EXPECT_EQ(board.linkColumn, e.linkColumn);
        EXPECT_EQ(board.rightClickQrLink, e.rightClickQr);
        EXPECT_EQ(board.voiceNeedsKeywords, e.voiceNeedsKeywords);
        EXPECT_EQ(boardForPage(e.page), &board);
    }
}

TEST(BoardCatalogue, TradeBoardsCarryTheirOwnWords) {
    EXPECT_EQ(boardForPage(2)->tradeWords.first, "自动发货");
    EXPECT_EQ(boardForPage(2)->tradeWords.second, "担保交易");
    EXPECT_EQ(boardForPage(3)->tradeWords.first, "求购");
    EXPECT_EQ(boardForPage(3)->tradeWords.second, "出售");
}

TEST(BoardCatalogue, PagesWithoutABoard) {
    for (int page : {-1, 7, 9, 10, 11}) {
        SCOPED_TRACE(page);
        EXPECT_EQ(boardForPage(page), nullptr);
    }
    // The inert 小刀娱乐网 page still shows the article-style list.
    EXPECT_EQ(columnsForPage(7).size(), 4u);
    EXPECT_EQ(columnsForPage(7)[1].caption, "文章标题（双击打开原网址）");
    EXPECT_TRUE(columnsForPage(9).empty());
}

std::vector<std::string> captions(int page) {
    std::vector<std::string> result;
    for (const ColumnSpec& column : columnsForPage(page)) result.emplace_back(column.caption);
    return result;
}

TEST(BoardCatalogue, ColumnCaptionsPerProfile) {
    const std::string title = std::string(26, ' ') + "帖子标题(双击标题打开原帖)";
    using Captions = std::vector<std::string>;
    EXPECT_EQ(captions(0), (Captions{"序列", "阅读权限", title, "评论/浏览量", "发帖时间", "链接"}));
    EXPECT_EQ(captions(2), (Captions{"序列", "交易类型", title, "剩余数量", "发帖时间", "链接"}));
    EXPECT_EQ(captions(3), (Captions{"序列", "交易类型", title, "评论/浏览量", "发帖时间", "链接"}));
    EXPECT_EQ(captions(5), (Captions{"序列", "任务类型", "任务赏金", std::string(26, ' ') +
                                     "帖子标题(双击标题打开原帖)", "任务剩余量", "发帖时间", "链接"}));
    EXPECT_EQ(captions(8), (Captions{"序列", "文章标题（双击打开原网址）", "文章发布时间", "帖子地址"}));
    EXPECT_EQ(columnsForPage(5)[3].width, 400);
    EXPECT_EQ(columnsForPage(6)[1].width, 600);
}

// Every list holds its link in a column of width 0 at the board's link index.
TEST(BoardCatalogue, LinkColumnIsPresentButHidden) {
    for (const BoardSpec& board : boardCatalogue()) {
        SCOPED_TRACE(board.pageIndex);
        ASSERT_LT(static_cast<std::size_t>(board.linkColumn), board.columns.size());
        const ColumnSpec& link = board.columns[static_cast<std::size_t>(board.linkColumn)];
        EXPECT_EQ(link.field, RowField::Link);
        EXPECT_EQ(link.width, 0);
        EXPECT_EQ(board.columns[0].field, RowField::Number);
    }
}

TEST(CellText, ComposesTheShownTexts) {
    ResultRow row;
    row.replies = "12";
    row.views = "345";
    row.remaining = "剩余 5 件";
    row.link = "http://x/thread-1-1-1.html";
    const auto standard = columnsForPage(0);
    EXPECT_EQ(cellText(standard[0], row, 3), "3");
    EXPECT_EQ(cellText(standard[3], row, 3), "12/345");
    EXPECT_EQ(cellText(standard[5], row, 3), row.link);
    // 赚品交换's fourth column is captioned like the standard boards' but
    // shows the remaining quantity.
    EXPECT_EQ(cellText(columnsForPage(3)[3], row, 1), "剩余 5 件");
    EXPECT_EQ(cellText(standard[3], ResultRow{}, 1), "/");
}

}  // namespace
}  // namespace brevaro::monitor
