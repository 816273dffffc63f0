#pragma once
// The monitored boards: what is fetched, how its page is cut into rows, what a
// row holds and how the board's results list shows it. The catalogue is
// compiled in (BoardCatalogue.cpp); texts are GBK.

#include <span>
#include <string>
#include <string_view>

namespace brevaro::monitor {

enum class BoardProfile { ForumStandard, ForumTrade, ForumTask, ArticleSite, LumaqSite };

enum class HostRole { Forum, Article, TipSite };

enum class PageEncoding { Gbk, Utf8 };

// One extracted list row. Every field is a GBK text cut from the page as it
// stands (no entity decoding, no trimming); a field the profile does not fill
// stays empty. The title is the row's identity.
struct ResultRow {
    std::string title;
    std::string readLevel;
    std::string replies;
    std::string views;
    std::string postTime;
    std::string link;
    std::string remaining;
    std::string category;
    std::string bounty;

    bool operator==(const ResultRow&) const = default;
};

enum class ColumnAlign { Left, Center };

// What a results-list column shows of a row.
enum class RowField {
    Number,        // the row's 1-based position in the list
    ReadLevel,
    Title,
    RepliesViews,  // replies + "/" + views
    PostTime,
    Link,
    Remaining,
    Category,
    Bounty,
};

struct ColumnSpec {
    std::string_view caption;
    int width;  // pixels; the link column is 0 wide: held in the row, not visible
    ColumnAlign align;
    RowField field;
};

// The two category words of a trade board, tested in this order.
struct TradeWords {
    std::string_view first;
    std::string_view second;
};

struct BoardSpec {
    std::string_view displayName;  // as the navigation button shows it
    int pageIndex;                 // position of the board's page in the main window
    BoardProfile profile;
    TradeWords tradeWords;  // ForumTrade only
    std::string_view scheme;  // "http" or "https"
    HostRole host;
    std::string_view path;
    bool sendsBrowserCookies;  // the embedded browser's forum cookies go with each fetch
    PageEncoding pageEncoding;
    std::span<const ColumnSpec> columns;
    int linkColumn;          // index into columns of the column holding the link
    bool rightClickQrLink;   // a right click on a row shows its link as a QR code
    bool voiceNeedsKeywords; // the voice alert also needs a non-empty keyword text
};

// The eight monitored boards in page order. Page 7 (小刀娱乐网) is an inert
// placeholder page and has no entry.
std::span<const BoardSpec> boardCatalogue();

// The board shown on a page, or nullptr for the inert page and the pages that
// hold no board.
const BoardSpec* boardForPage(int pageIndex);

// The list columns a page shows: its board's, or the article-style columns for
// the inert page; empty for pages without a results list.
std::span<const ColumnSpec> columnsForPage(int pageIndex);

// The host name (possibly with ":port") configured for a role.
std::string_view hostName(HostRole role);

// The list page URL of a board, e.g. "http://www.zuanke8.com/forum-15-1.html".
std::string boardUrl(const BoardSpec& board);

// The text a column shows for a row at the given 1-based list position.
std::string cellText(const ColumnSpec& column, const ResultRow& row, int rowNumber);

}  // namespace brevaro::monitor
