// A fetched page to its rows, by the board's profile.

#include "monitor/Cutting.h"
#include "monitor/Extraction.h"
#include "text/Encoding.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::monitor {
namespace {

// The forum's quick-login form, shown to visitors without login cookies, is a
// table row of its own; this link marks it.
constexpr std::string_view kQuickLoginMarker =
    "showWindow('login', 'member.php?mod=logging&action=login&viewlostpw=1')";

}  // namespace

std::string boardPageText(const BoardSpec& board, std::string_view body) {
    const std::string_view bytes = text::textBeforeNul(body);
    if (board.pageEncoding == PageEncoding::Utf8) return text::utf8ToGbk(bytes);
    return std::string(bytes);
}

bool pageShowsQuickLogin(const BoardSpec& board, std::string_view page) {
    switch (board.profile) {
        case BoardProfile::ForumStandard:
        case BoardProfile::ForumTrade:
        case BoardProfile::ForumTask:
            return text::containsText(page, kQuickLoginMarker);
        case BoardProfile::ArticleSite:
        case BoardProfile::LumaqSite:
            break;
    }
    return false;
}

bool cutEachPiece(const BoardSpec& board, std::string_view page,
                  const std::function<bool(std::string_view)>& visit,
                  const std::function<bool()>& stopRequested) {
    switch (board.profile) {
        case BoardProfile::ForumStandard:
        case BoardProfile::ForumTrade:
        case BoardProfile::ForumTask:
            return cutEach(page, "<tr>", "</tr>", kQuickLoginMarker, visit, stopRequested);
        case BoardProfile::ArticleSite:
            return cutEach(page, "<li>", "</li>", {}, visit, stopRequested);
        case BoardProfile::LumaqSite:
            return cutEach(page, "推荐活动区", "信用公开区", {}, visit, stopRequested);
    }
    return true;
}

std::vector<std::string_view> cutPieces(const BoardSpec& board, std::string_view page) {
    std::vector<std::string_view> pieces;
    cutEachPiece(board, page, [&pieces](std::string_view piece) {
        pieces.push_back(piece);
        return true;
    });
    return pieces;
}

std::optional<ResultRow> extractRow(const BoardSpec& board, std::string_view piece, std::string_view listUrl,
                                    std::size_t fieldLimit) {
    switch (board.profile) {
        case BoardProfile::ForumStandard:
        case BoardProfile::ForumTrade:
        case BoardProfile::ForumTask:
            return extractForumRow(board, piece, fieldLimit);
        case BoardProfile::ArticleSite:
            return extractArticleRow(board, piece, listUrl, fieldLimit);
        case BoardProfile::LumaqSite:
            return extractLumaqRow(piece, fieldLimit);
    }
    return std::nullopt;
}

std::vector<ResultRow> extractRows(const BoardSpec& board, std::string_view page) {
    std::vector<ResultRow> rows;
    for (std::string_view piece : cutPieces(board, page)) {
        if (auto row = extractRow(board, piece)) rows.push_back(std::move(*row));
    }
    return rows;
}

}  // namespace brevaro::monitor
