// Rows of the article site's front page.

#include "monitor/Cutting.h"
#include "monitor/Extraction.h"
#include "text/AsciiCase.h"
#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::monitor {
namespace {

bool isAbsoluteWebLink(std::string_view link) {
    return text::startsWithIgnoringAsciiCase(link, "http://") ||
           text::startsWithIgnoringAsciiCase(link, "https://");
}

}  // namespace

std::optional<ResultRow> extractArticleRow(const BoardSpec& board, std::string_view piece,
                                           std::string_view listUrl) {
    using text::containsText;
    // Three title shapes reduce to the bare title: "…><i></i>title</a>",
    // "<font color='red'>title</font>" inside the anchor, and a coloured title
    // without the icon, where the first cut gives "red'>title".
    std::string title(cutBetween(piece, "><i></i>", "</a>"));
    if (title.empty()) title = cutBetween(piece, "color='", "</font");
    ResultRow row;
    row.postTime = cutBetween(piece, "class=\"red\" >", "</span>");
    if (row.postTime.empty()) row.postTime = cutBetween(piece, "<span >", "</span>");
    if (containsText(title, "font color")) title = cutBetween(title, ">", "</font");
    if (containsText(title, ">")) title = text::textAfterLast(title, ">");
    if (containsText(title, "去下载")) title = text::removeAll(title, "去下载");
    row.title = std::move(title);
    const std::string_view link = cutBetween(piece, "href=\"", "\">");
    if (row.title.empty() || row.postTime.empty() || link.empty()) return std::nullopt;
    // The site links its posts by path: the URL the page was fetched from
    // goes in front as it stands ("https://host/" + "/qita/1.html" keeps its
    // double slash, which the site serves). A link that is already absolute
    // is kept as it is.
    if (isAbsoluteWebLink(link)) {
        row.link = link;
    } else {
        row.link = listUrl.empty() ? boardUrl(board) : std::string(listUrl);
        row.link += link;
    }
    return row;
}

}  // namespace brevaro::monitor
