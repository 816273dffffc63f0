#pragma once
// Turning a fetched list page into rows, by the board's profile: the forum
// thread lists (ForumStandard, ForumTrade, ForumTask), the article site's
// front page and the Lumaq site's front page. A piece that its profile rejects
// yields no row.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "monitor/Board.h"
#include "monitor/FieldLimit.h"

namespace brevaro::monitor {

// The page as the rows are cut from it: the body up to its first zero byte,
// converted from UTF-8 to GBK when the board's page is UTF-8 (the Lumaq site).
std::string boardPageText(const BoardSpec& board, std::string_view body);

// Whether a forum board's page holds the forum's quick-login form, which the
// forum shows to visitors it does not know (a guest's view: members-only
// posts are missing). False on the other boards.
bool pageShowsQuickLogin(const BoardSpec& board, std::string_view page);

// The pieces of a page, in page order, each holding at most one row.
std::vector<std::string_view> cutPieces(const BoardSpec& board, std::string_view page);

// The same pieces handed to visit as they are cut; the stop is asked before
// every piece (see cutEach). False when the cut was ended early.
bool cutEachPiece(const BoardSpec& board, std::string_view page,
                  const std::function<bool(std::string_view)>& visit,
                  const std::function<bool()>& stopRequested = {});

// fieldLimit: the most bytes each field keeps, cut at a whole character
// (FieldLimit.h); the fields are cut before they are copied out of the piece.
std::optional<ResultRow> extractForumRow(const BoardSpec& board, std::string_view piece,
                                         std::size_t fieldLimit = kWholeFields);
// listUrl: the list page's URL as fetched, in front of the article site's
// links; empty stands for the board's own.
std::optional<ResultRow> extractArticleRow(const BoardSpec& board, std::string_view piece,
                                           std::string_view listUrl = {},
                                           std::size_t fieldLimit = kWholeFields);
std::optional<ResultRow> extractLumaqRow(std::string_view piece, std::size_t fieldLimit = kWholeFields);

// The row of one piece by the board's profile (listUrl and fieldLimit as above).
std::optional<ResultRow> extractRow(const BoardSpec& board, std::string_view piece, std::string_view listUrl = {},
                                    std::size_t fieldLimit = kWholeFields);

// Every accepted row of a page, in page order.
std::vector<ResultRow> extractRows(const BoardSpec& board, std::string_view page);

}  // namespace brevaro::monitor
