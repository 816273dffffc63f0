// Rows of the forum's thread lists. The markers are the live forum's markup as
// it is served (title anchors ending in 'class="s xst" target="_blank">', the
// green spans that carry trade and task quantities): they are a contract with
// the forum, byte for byte, and must not be tidied.

#include <array>
#include <string_view>

#include "monitor/Cutting.h"
#include "monitor/Extraction.h"
#include "monitor/FieldLimit.h"
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

std::optional<ResultRow> extractForumRow(const BoardSpec& board, std::string_view piece,
                                         std::size_t fieldLimit) {
    // The fields stay views into the page until the row is accepted; then
    // each is copied as far as its limit keeps it. The row is judged (a title
    // and a time, the skip words) on the whole fields.
    const std::string_view title = cutBetween(piece, "class=\"s xst\" target=\"_blank\">", "</a>");
    // Today's posts carry their time in a highlighted span, older ones plainly.
    std::string_view postTime = cutBetween(piece, "class=\"xi1\">", "</span>");
    if (postTime.empty()) postTime = cutBetween(piece, "<em><span>", "</span></em>");
    const std::string_view link = cutBetween(piece, "<a href=\"", "\" title=");
    if (title.empty() || postTime.empty()) return std::nullopt;

    std::string_view readLevel, replies, views, remaining, category, bounty;
    switch (board.profile) {
        case BoardProfile::ForumStandard:
            readLevel = cutBetween(piece, "<span class=\"xw1\">", "</span>");
            replies = cutBetween(piece, "class=\"xi2\">", "</a>");
            views = cutBetween(piece, "</a><em>", "</em>");
            if (!firstContained(title, kNoticeTitleSkips).empty()) return std::nullopt;
            break;
        case BoardProfile::ForumTrade: {
            // The trade word may stand anywhere in the row, not only the title.
            const std::array words{board.tradeWords.first, board.tradeWords.second};
            category = firstContained(piece, words);
            if (category.empty()) return std::nullopt;
            remaining = cutBetween(piece, kGreenRemaining, "</span>");
            if (!firstContained(title, kTradeTitleSkips).empty()) return std::nullopt;
            break;
        }
        case BoardProfile::ForumTask:
            category = firstContained(piece, kTaskCategories);
            if (category.empty()) return std::nullopt;
            // The bounty is written between angle brackets: <span …><5果></span>.
            bounty = cutBetween(piece, "<span style=\"color:green;\"><", "></span>");
            remaining = cutBetween(piece, kGreenRemaining, "</span>");
            if (!firstContained(title, kTaskTitleSkips).empty()) return std::nullopt;
            break;
        case BoardProfile::ArticleSite:
        case BoardProfile::LumaqSite:
            return std::nullopt;
    }
    ResultRow row;
    row.title = limitedField(title, fieldLimit);
    row.readLevel = limitedField(readLevel, fieldLimit);
    row.replies = limitedField(replies, fieldLimit);
    row.views = limitedField(views, fieldLimit);
    row.postTime = limitedField(postTime, fieldLimit);
    row.link = limitedField(link, fieldLimit);
    row.remaining = limitedField(remaining, fieldLimit);
    row.category = limitedField(category, fieldLimit);
    row.bounty = limitedField(bounty, fieldLimit);
    return row;
}

}  // namespace brevaro::monitor
