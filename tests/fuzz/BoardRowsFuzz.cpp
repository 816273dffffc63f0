// Page cutting and row extraction for every board of the catalogue: a page
// is whatever a server sends. Every field of a row is text of the page (the
// article site's links get the board's address in front, its titles lose
// "去下载"), rows come in page order, each from its own piece, and none lacks
// a title or a time. Cutting and extracting stay linear in the page.
//
// On small pages the cut is also held against the plain one written below:
// search every start marker from the beginning again, take the piece up to
// the next end marker, drop it when it holds the exclusion and go on just
// after its start marker, else go on after its end marker. Its search walks
// the page character by character, so it shares nothing with the real cut.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzSupport.h"
#include "monitor/Board.h"
#include "monitor/Extraction.h"
#include "monitor/FieldLimit.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::fuzz {
namespace {

using monitor::BoardProfile;
using monitor::BoardSpec;
using monitor::ResultRow;

constexpr std::array<std::string_view, 6> kTaskCategories{
    "领券任务", "注册任务", "投票任务", "微信任务", "微博任务", "其他任务",
};

// --- The plain cut ------------------------------------------------------------

// Pages up to this size are cut the plain way too (its search is quadratic).
constexpr std::size_t kPlainCutLimit = 4096;

struct Markers {
    std::string_view start;
    std::string_view end;
    std::string_view exclusion;  // empty: none
};

// The boards' markers as the forum and the two sites write them.
Markers markersOf(BoardProfile profile) {
    switch (profile) {
        case BoardProfile::ForumStandard:
        case BoardProfile::ForumTrade:
        case BoardProfile::ForumTask:
            return {"<tr>", "</tr>",
                    "showWindow('login', 'member.php?mod=logging&action=login&viewlostpw=1')"};
        case BoardProfile::ArticleSite:
            return {"<li>", "</li>", {}};
        case BoardProfile::LumaqSite:
            return {"推荐活动区", "信用公开区", {}};
    }
    return {};
}

// The first match of needle at a character boundary at or after `from`,
// walking the text from its first byte: a byte of 0x80 or more takes the
// next one with it.
std::size_t plainFind(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty()) return std::string_view::npos;
    for (std::size_t at = 0; at < text.size();
         at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1) {
        if (at >= from && text.size() - at >= needle.size() && text.compare(at, needle.size(), needle) == 0) {
            return at;
        }
    }
    return std::string_view::npos;
}

std::vector<std::string_view> plainCut(std::string_view page, const Markers& markers) {
    std::vector<std::string_view> pieces;
    std::size_t searchAt = 0;
    while (true) {
        const std::size_t startAt = plainFind(page, markers.start, searchAt);
        if (startAt == std::string_view::npos) break;
        const std::size_t pieceAt = startAt + markers.start.size();
        const std::size_t endAt = plainFind(page, markers.end, pieceAt);
        if (endAt == std::string_view::npos) break;
        const std::string_view piece = page.substr(pieceAt, endAt - pieceAt);
        if (!markers.exclusion.empty() && plainFind(piece, markers.exclusion, 0) != std::string_view::npos) {
            searchAt = pieceAt;
            continue;
        }
        pieces.push_back(piece);
        searchAt = endAt + markers.end.size();
    }
    return pieces;
}

// The same views: the same bytes of the same page.
bool samePieces(const std::vector<std::string_view>& a, const std::vector<std::string_view>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](std::string_view x, std::string_view y) {
        return x.data() == y.data() && x.size() == y.size();
    });
}

void checkAgainstPlainCut(const BoardSpec& board, std::string_view page,
                          const std::vector<std::string_view>& pieces) {
    if (page.size() > kPlainCutLimit) return;
    const std::vector<std::string_view> plain = plainCut(page, markersOf(board.profile));
    FUZZ_CHECK(samePieces(pieces, plain),
               "the cut of a " + std::string(board.path) + " page differs from the plain cut: " +
                   std::to_string(pieces.size()) + " pieces, the plain cut " + std::to_string(plain.size()));
    std::vector<ResultRow> rows;
    for (std::string_view piece : plain) {
        if (std::optional<ResultRow> row = monitor::extractRow(board, piece)) rows.push_back(std::move(*row));
    }
    FUZZ_CHECK(monitor::extractRows(board, page) == rows,
               "the rows of a " + std::string(board.path) + " page differ from those of the plain cut");
}

// --- Rows ----------------------------------------------------------------------

// The fields of a row, each cut to the limit as a whole copied field is.
ResultRow cutWhole(ResultRow row, std::size_t limit) {
    for (std::string* field : {&row.title, &row.readLevel, &row.replies, &row.views, &row.postTime,
                               &row.link, &row.remaining, &row.category, &row.bounty}) {
        field->resize(monitor::withinLimit(*field, limit).size());
    }
    return row;
}

// A row cut while its fields are still views into the piece is the whole
// row cut field by field, and is taken or refused alike.
void checkCutInThePiece(const BoardSpec& board, std::string_view piece, const std::optional<ResultRow>& whole) {
    for (const std::size_t limit : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3}, piece.size() / 2}) {
        const std::optional<ResultRow> cut = monitor::extractRow(board, piece, {}, limit);
        FUZZ_CHECK(cut.has_value() == whole.has_value(),
                   "a field limit of " + std::to_string(limit) + " changes whether a row is taken");
        if (cut) {
            FUZZ_CHECK(*cut == cutWhole(*whole, limit),
                       "a row cut in its piece differs from the whole row cut to " + std::to_string(limit));
        }
    }
}

bool within(std::string_view field, std::string_view piece) {
    return field.empty() || piece.find(field) != std::string_view::npos;
}

void checkWithin(std::string_view field, std::string_view piece, const char* name,
                 const BoardSpec& board) {
    FUZZ_CHECK(within(field, piece), std::string(name) + " of a " + std::string(board.path) +
                                         " row is not text of its piece: " + shown(field));
}

bool isForum(BoardProfile profile) {
    return profile == BoardProfile::ForumStandard || profile == BoardProfile::ForumTrade ||
           profile == BoardProfile::ForumTask;
}

void checkCategory(const BoardSpec& board, const ResultRow& row) {
    switch (board.profile) {
        case BoardProfile::ForumTrade:
            FUZZ_CHECK(row.category == board.tradeWords.first ||
                           row.category == board.tradeWords.second,
                       "a trade row's category is not one of its board's words: " + shown(row.category));
            break;
        case BoardProfile::ForumTask: {
            bool known = false;
            for (std::string_view word : kTaskCategories) known = known || row.category == word;
            FUZZ_CHECK(known, "a task row's category is not a task type: " + shown(row.category));
            break;
        }
        default:
            FUZZ_CHECK(row.category.empty(), "a category on a board without categories");
    }
}

void checkRow(const BoardSpec& board, const ResultRow& row, std::string_view piece) {
    FUZZ_CHECK(!row.title.empty(), "a row without a title");
    FUZZ_CHECK(!row.postTime.empty(), "a row without a post time");
    checkWithin(row.postTime, piece, "the post time", board);
    checkCategory(board, row);
    if (isForum(board.profile)) {
        checkWithin(row.title, piece, "the title", board);
        checkWithin(row.link, piece, "the link", board);
        for (const std::string* field : {&row.readLevel, &row.replies, &row.views, &row.remaining,
                                         &row.bounty, &row.category}) {
            checkWithin(*field, piece, "a field", board);
        }
        if (board.profile != BoardProfile::ForumStandard) {
            FUZZ_CHECK(row.readLevel.empty() && row.replies.empty() && row.views.empty(),
                       "standard-board fields on a trade or task row");
        }
        if (board.profile != BoardProfile::ForumTask) {
            FUZZ_CHECK(row.bounty.empty(), "a bounty outside the task board");
        }
        if (board.profile == BoardProfile::ForumStandard) {
            FUZZ_CHECK(row.remaining.empty(), "a remaining quantity on a standard board");
        }
        return;
    }
    FUZZ_CHECK(row.readLevel.empty() && row.replies.empty() && row.views.empty() &&
                   row.remaining.empty() && row.bounty.empty(),
               "forum fields on a site row");
    if (board.profile == BoardProfile::LumaqSite) {
        checkWithin(row.title, piece, "the title", board);
        checkWithin(row.link, piece, "the link", board);
        return;
    }
    // The article site: "去下载" is cut out of titles, and a link by path
    // gets the board's address in front.
    if (!text::containsText(piece, "去下载")) checkWithin(row.title, piece, "the title", board);
    FUZZ_CHECK(!row.link.empty(), "an article row without a link");
    const std::string boardUrl = monitor::boardUrl(board);
    std::string_view link = row.link;
    if (!within(link, piece)) {
        FUZZ_CHECK(link.starts_with(boardUrl), "an article link that is neither absolute nor the "
                                               "board's address and a path: " + shown(link));
        link.remove_prefix(boardUrl.size());
        checkWithin(link, piece, "the link's path", board);
    }
}

void checkBoard(const BoardSpec& board, std::string_view body) {
    const std::string page = monitor::boardPageText(board, body);
    FUZZ_CHECK(page.find('\0') == std::string::npos, "a page text holds a NUL");
    if (board.pageEncoding == monitor::PageEncoding::Gbk) {
        FUZZ_CHECK(page == text::textBeforeNul(body), "a GBK page is not the body before its NUL");
    }

    const std::vector<std::string_view> pieces = monitor::cutPieces(board, page);
    checkAgainstPlainCut(board, page, pieces);
    const char* previousEnd = page.data();
    std::vector<ResultRow> expected;
    for (std::string_view piece : pieces) {
        FUZZ_CHECK(viewsInto(piece, page), "a piece is not a view into its page");
        FUZZ_CHECK(piece.data() >= previousEnd, "pieces overlap or are out of page order");
        previousEnd = piece.data() + piece.size();
        std::optional<ResultRow> row = monitor::extractRow(board, piece);
        checkCutInThePiece(board, piece, row);
        if (row) {
            checkRow(board, *row, piece);
            expected.push_back(std::move(*row));
        }
    }
    FUZZ_CHECK(monitor::extractRows(board, page) == expected,
               "extractRows differs from the rows of the pieces in page order");

    // Cutting piece by piece gives the same pieces; a stop ends it early.
    std::vector<std::string_view> visited;
    const bool whole = monitor::cutEachPiece(board, page, [&visited](std::string_view piece) {
        visited.push_back(piece);
        return true;
    });
    FUZZ_CHECK(whole && visited == pieces, "cutEachPiece differs from cutPieces");
    std::size_t asked = 0;
    visited.clear();
    const bool stopped = !monitor::cutEachPiece(
        board, page,
        [&visited](std::string_view piece) {
            visited.push_back(piece);
            return true;
        },
        [&asked] { return ++asked > 1; });
    FUZZ_CHECK(visited.size() <= 1 && (stopped || visited.size() == pieces.size()),
               "a stop did not end the cut");
}

void extractEveryBoard(std::string_view body) {
    for (const BoardSpec& board : monitor::boardCatalogue()) {
        monitor::extractRows(board, monitor::boardPageText(board, body));
    }
}

}  // namespace
}  // namespace brevaro::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    for (const brevaro::monitor::BoardSpec& board : brevaro::monitor::boardCatalogue()) {
        brevaro::fuzz::checkBoard(board, body);
    }
    brevaro::fuzz::checkLinearTime(body, brevaro::fuzz::extractEveryBoard,
                                   "cutting and extracting a page");
    return 0;
}
