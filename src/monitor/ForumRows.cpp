// Rows of the forum's thread lists. The markers are the live forum's markup as
// it is served (title anchors ending in 'class="s xst" target="_blank">', the
// green spans that carry trade and task quantities): they are a contract with
// the forum, byte for byte, and must not be tidied.

#include <array>
#include <string_view>

#include "monitor/Cutting.h"
#include "monitor/Extraction.h"
#include "monitor/SkipLists.h"
#include "text/Search.h"

namespace brevaro::monitor {
namespace {

using text::firstContained;

// In priority order: the first one the row holds is its category.
constexpr std::array<std::string_view, 6> kTaskCategories{
    "领券任务", "注册任务", "投票任务", "微信任务", "微博任务", "其他任务",
};

constexpr std::string_view kGreenRemaining = "<span style=\"float:right;color:green;\">";

}  // namespace

std::optional<ResultRow> extractForumRow(const BoardSpec& board, std::string_view piece) {
    ResultRow row;
    row.title = cutBetween(piece, "class=\"s xst\" target=\"_blank\">", "</a>");
    // Today's posts carry their time in a highlighted span, older ones plainly.
    row.postTime = cutBetween(piece, "class=\"xi1\">", "</span>");
    if (row.postTime.empty()) row.postTime = cutBetween(piece, "<em><span>", "</span></em>");
    row.link = cutBetween(piece, "<a href=\"", "\" title=");
    if (row.title.empty() || row.postTime.empty()) return std::nullopt;

    switch (board.profile) {
        case BoardProfile::ForumStandard:
            row.readLevel = cutBetween(piece, "<span class=\"xw1\">", "</span>");
            row.replies = cutBetween(piece, "class=\"xi2\">", "</a>");
            row.views = cutBetween(piece, "</a><em>", "</em>");
            if (!firstContained(row.title, kNoticeTitleSkips).empty()) return std::nullopt;
            break;
        case BoardProfile::ForumTrade: {
            // The trade word may stand anywhere in the row, not only the title.
            const std::array words{board.tradeWords.first, board.tradeWords.second};
            row.category = firstContained(piece, words);
            if (row.category.empty()) return std::nullopt;
            row.remaining = cutBetween(piece, kGreenRemaining, "</span>");
            if (!firstContained(row.title, kTradeTitleSkips).empty()) return std::nullopt;
            break;
        }
        case BoardProfile::ForumTask:
            row.category = firstContained(piece, kTaskCategories);
            if (row.category.empty()) return std::nullopt;
            // The bounty is written between angle brackets: <span …><5果></span>.
            row.bounty = cutBetween(piece, "<span style=\"color:green;\"><", "></span>");
            row.remaining = cutBetween(piece, kGreenRemaining, "</span>");
            if (!firstContained(row.title, kTaskTitleSkips).empty()) return std::nullopt;
            break;
        case BoardProfile::ArticleSite:
        case BoardProfile::LumaqSite:
            return std::nullopt;
    }
    return row;
}

}  // namespace brevaro::monitor
