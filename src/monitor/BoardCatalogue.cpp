#include <array>

#include "BuildConstants.h"
#include "monitor/Board.h"

namespace brevaro::monitor {
namespace {

using enum ColumnAlign;
using enum RowField;

// 26 spaces push the caption towards the middle of the wide title column.
constexpr std::string_view kForumTitleCaption =
    "                          帖子标题(双击标题打开原帖)";

constexpr std::array kForumStandardColumns{
    ColumnSpec{"序列", 40, Left, Number},
    ColumnSpec{"阅读权限", 60, Center, ReadLevel},
    ColumnSpec{kForumTitleCaption, 480, Left, Title},
    ColumnSpec{"评论/浏览量", 100, Center, RepliesViews},
    ColumnSpec{"发帖时间", 138, Center, PostTime},
    ColumnSpec{"链接", 0, Center, Link},
};

constexpr std::array kGoodsTradeColumns{
    ColumnSpec{"序列", 40, Left, Number},
    ColumnSpec{"交易类型", 60, Center, Category},
    ColumnSpec{kForumTitleCaption, 480, Left, Title},
    ColumnSpec{"剩余数量", 100, Center, Remaining},
    ColumnSpec{"发帖时间", 138, Center, PostTime},
    ColumnSpec{"链接", 0, Center, Link},
};

// The 赚品交换 list keeps the standard boards' caption over its fourth
// column although the column shows the remaining quantity, as it always has.
constexpr std::array kPrizeTradeColumns{
    ColumnSpec{"序列", 40, Left, Number},
    ColumnSpec{"交易类型", 60, Center, Category},
    ColumnSpec{kForumTitleCaption, 480, Left, Title},
    ColumnSpec{"评论/浏览量", 100, Center, Remaining},
    ColumnSpec{"发帖时间", 138, Center, PostTime},
    ColumnSpec{"链接", 0, Center, Link},
};

constexpr std::array kTaskColumns{
    ColumnSpec{"序列", 40, Left, Number},
    ColumnSpec{"任务类型", 60, Center, Category},
    ColumnSpec{"任务赏金", 80, Center, Bounty},
    ColumnSpec{kForumTitleCaption, 400, Left, Title},
    ColumnSpec{"任务剩余量", 100, Center, Remaining},
    ColumnSpec{"发帖时间", 138, Center, PostTime},
    ColumnSpec{"链接", 0, Center, Link},
};

constexpr std::array kArticleColumns{
    ColumnSpec{"序列", 40, Left, Number},
    ColumnSpec{"文章标题（双击打开原网址）", 600, Center, Title},
    ColumnSpec{"文章发布时间", 150, Center, PostTime},
    ColumnSpec{"帖子地址", 0, Center, Link},
};

constexpr int kInertPage = 7;

constexpr BoardSpec forumBoard(std::string_view name, int page, BoardProfile profile,
                               TradeWords trade, std::string_view path,
                               std::span<const ColumnSpec> columns, int linkColumn) {
    return BoardSpec{name,  page, profile, trade,   "http", HostRole::Forum, path,
                     true,  PageEncoding::Gbk, columns, linkColumn, true, true};
}

const std::array kCatalogue{
    forumBoard("赚客大家谈", 0, BoardProfile::ForumStandard, {}, "/forum-15-1.html",
               kForumStandardColumns, 5),
    forumBoard("活动线报", 1, BoardProfile::ForumStandard, {}, "/forum-19-1.html",
               kForumStandardColumns, 5),
    forumBoard("果果换物", 2, BoardProfile::ForumTrade, {"自动发货", "担保交易"},
               "/forum-31-1.html", kGoodsTradeColumns, 5),
    forumBoard("赚品交换", 3, BoardProfile::ForumTrade, {"求购", "出售"}, "/forum-25-1.html",
               kPrizeTradeColumns, 5),
    forumBoard("邀请专区", 4, BoardProfile::ForumStandard, {}, "/forum-20-1.html",
               kForumStandardColumns, 5),
    forumBoard("做任务赚果", 5, BoardProfile::ForumTask, {}, "/forum-11-1.html", kTaskColumns,
               6),
    // The article site sounds for every new row when its voice box is on,
    // keywords or not.
    BoardSpec{"爱Q生活网", 6, BoardProfile::ArticleSite, {}, "https", HostRole::Article, "/",
              false, PageEncoding::Gbk, kArticleColumns, 3, true, false},
    BoardSpec{"Lumaq", 8, BoardProfile::LumaqSite, {}, "https", HostRole::TipSite, "/", false,
              PageEncoding::Utf8, kArticleColumns, 3, false, true},
};

}  // namespace

std::span<const BoardSpec> boardCatalogue() { return kCatalogue; }

const BoardSpec* boardForPage(int pageIndex) {
    for (const BoardSpec& board : kCatalogue) {
        if (board.pageIndex == pageIndex) return &board;
    }
    return nullptr;
}

std::span<const ColumnSpec> columnsForPage(int pageIndex) {
    if (const BoardSpec* board = boardForPage(pageIndex)) return board->columns;
    if (pageIndex == kInertPage) return kArticleColumns;
    return {};
}

std::string_view hostName(HostRole role) {
    switch (role) {
        case HostRole::Forum:
            return build::kForumHost;
        case HostRole::Article:
            return build::kArticleHost;
        case HostRole::TipSite:
            return build::kTipSiteHost;
    }
    return {};
}

std::string boardUrl(const BoardSpec& board) {
    std::string url(board.scheme);
    url += "://";
    url += hostName(board.host);
    url += board.path;
    return url;
}

std::string cellText(const ColumnSpec& column, const ResultRow& row, int rowNumber) {
    switch (column.field) {
        case RowField::Number:
            return std::to_string(rowNumber);
        case RowField::ReadLevel:
            return row.readLevel;
        case RowField::Title:
            return row.title;
        case RowField::RepliesViews:
            return row.replies + "/" + row.views;
        case RowField::PostTime:
            return row.postTime;
        case RowField::Link:
            return row.link;
        case RowField::Remaining:
            return row.remaining;
        case RowField::Category:
            return row.category;
        case RowField::Bounty:
            return row.bounty;
    }
    return {};
}

}  // namespace brevaro::monitor
