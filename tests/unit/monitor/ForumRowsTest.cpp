#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "monitor/Board.h"
#include "monitor/Extraction.h"

namespace brevaro::monitor {
namespace {

const BoardSpec& board(int page) { return *boardForPage(page); }

// One thread row of the live forum, between <tr> and </tr>.
struct RowParts {
    std::string title = "京东618红包";
    std::string time = "<em><span>2026-12-8</span></em>";
    std::string beforeTitle;
    std::string extra;
};

std::string forumPiece(const RowParts& p) {
    return "\r\n<td class=\"icn\">\r\n<a href=\"http://f/thread-9-1-1.html\" title=\"有新回复 - "
           "新窗口打开\" target=\"_blank\">\r\n</a></td>\r\n<th class=\"new\">\r\n" +
           p.beforeTitle + "<a href=\"http://f/thread-9-1-1.html\"  class=\"s xst\" target=\"_blank\">" +
           p.title + "</a>\r\n - [阅读权限 <span class=\"xw1\">10</span>]\r\n</th>\r\n<td class=\"by\">" +
           p.time + "</td>\r\n<td class=\"num\"><a href=\"http://f/thread-9-1-1.html\" "
                    "class=\"xi2\">12</a><em>345</em></td>\r\n" + p.extra;
}

TEST(ForumRow, StandardBoardTakesEveryField) {
    const auto row = extractForumRow(board(0), forumPiece({}));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->title, "京东618红包");
    EXPECT_EQ(row->readLevel, "10");
    EXPECT_EQ(row->replies, "12");
    EXPECT_EQ(row->views, "345");
    EXPECT_EQ(row->postTime, "2026-12-8");
    EXPECT_EQ(row->link, "http://f/thread-9-1-1.html");
    EXPECT_EQ(row->remaining, "");
    EXPECT_EQ(row->category, "");
    EXPECT_EQ(row->bounty, "");
}

TEST(ForumRow, FieldsAreCutAsTheyStand) {
    struct Case {
        const char* name;
        RowParts parts;
        std::string title;
        std::string time;
    };
    const Case cases[] = {
        {"entities are not decoded", {.title = "A &amp; B"}, "A &amp; B", "2026-12-8"},
        {"today's time in the highlighted span",
         {.time = "<em><span class=\"xi1\"><span title=\"2026-12-10\">1&nbsp;小时前</span></span></em>"},
         "京东618红包", "<span title=\"2026-12-10\">1&nbsp;小时前"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto row = extractForumRow(board(1), forumPiece(c.parts));
        ASSERT_TRUE(row);
        EXPECT_EQ(row->title, c.title);
        EXPECT_EQ(row->postTime, c.time);
    }
    // A "New" link before the time holds the highlight marker too, and the
    // time is cut from there.
    RowParts withNew;
    withNew.beforeTitle = "<a href=\"http://f/redirect\" class=\"xi1\">New</a>\r\n";
    withNew.time = "<em><span class=\"xi1\"><span title=\"2026-12-10\">1&nbsp;小时前</span></span></em>";
    const auto row = extractForumRow(board(1), forumPiece(withNew));
    ASSERT_TRUE(row);
    EXPECT_EQ(row->postTime.substr(0, 7), "New</a>");
}

TEST(ForumRow, RejectsRowsWithoutTitleOrTimeAndTheSkipList) {
    struct Case {
        const char* name;
        int page;
        std::string piece;
    };
    const Case cases[] = {
        {"header row", 0, "<th colspan=\"2\">主题</th><td>作者</td>"},
        {"no time", 0, forumPiece({.time = "<em>2026-12-8</em>"})},
        {"empty title", 0, forumPiece({.title = ""})},
        {"notice title", 0, forumPiece({.title = "关于违规行为的处理公告"})},
        {"rules title", 4, forumPiece({.title = "互联网跟帖评论服务管理规定"})},
        {"sponsor title", 1, forumPiece({.title = "【赚吧吧友专属】极客修免费维修手机福利已送到！"})},
        {"trade system notice", 2, forumPiece({.title = "果果交易系统—自动发货说明", .extra = "自动发货"})},
        {"trade system notice on 赚品交换", 3,
         forumPiece({.title = "果果交易系统—担保交易", .extra = "出售"})},
        {"trade row without a trade word", 2, forumPiece({.extra = "求购"})},
        {"task row without a category", 5, forumPiece({})},
        {"task board rules", 5, forumPiece({.title = "板块标准化格式贴实施细则", .extra = "其他任务"})},
        {"task board howto", 5, forumPiece({.title = "如何让更多吧友注意到你的帖子", .extra = "其他任务"})},
        {"task board manual", 5, forumPiece({.title = "板块系统使用说明", .extra = "微信任务"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(extractForumRow(board(c.page), c.piece));
    }
}

TEST(ForumRow, MissingLinkStillGivesARow) {
    std::string piece = "<a class=\"s xst\" target=\"_blank\">标题</a><em><span>2026-1-1</span></em>";
    const auto row = extractForumRow(board(0), piece);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->link, "");
}

TEST(ForumRow, TradeBoardTakesCategoryFromTheWholeRow) {
    struct Case {
        const char* name;
        int page;
        std::string extra;
        std::string category;
    };
    const Case cases[] = {
        {"first word", 2, "[<a href=\"t\">自动发货</a>]", "自动发货"},
        {"second word", 2, "担保交易", "担保交易"},
        {"both: the first wins", 2, "担保交易 自动发货", "自动发货"},
        {"赚品交换 words", 3, "出售", "出售"},
        {"赚品交换 both", 3, "出售 求购", "求购"},
    };
    const std::string remaining = "<span style=\"float:right;color:green;\">剩余 5 件</span>";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto row = extractForumRow(board(c.page), forumPiece({.extra = c.extra + remaining}));
        ASSERT_TRUE(row);
        EXPECT_EQ(row->category, c.category);
        EXPECT_EQ(row->remaining, "剩余 5 件");
        EXPECT_EQ(row->readLevel, "");  // only the standard boards fill it
        EXPECT_EQ(row->replies, "");
    }
}

TEST(ForumRow, TaskBoardTakesCategoryBountyAndRemaining) {
    struct Case {
        std::string extra;
        std::string category;
    };
    const Case cases[] = {
        {"微信任务 其他任务", "微信任务"},
        {"其他任务 领券任务", "领券任务"},
        {"微博任务", "微博任务"},
        {"投票任务 注册任务", "注册任务"},
    };
    const std::string marks = "<span style=\"color:green;\"><5果></span>"
                              "<span style=\"float:right;color:green;\">剩 20</span>";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        const auto row = extractForumRow(board(5), forumPiece({.extra = c.extra + marks}));
        ASSERT_TRUE(row);
        EXPECT_EQ(row->category, c.category);
        EXPECT_EQ(row->bounty, "5果");
        EXPECT_EQ(row->remaining, "剩 20");
    }
}

}  // namespace
}  // namespace brevaro::monitor
