// Rows of the article site's front page.

#include "monitor/Cutting.h"
#include "monitor/Extraction.h"
#include "monitor/FieldLimit.h"
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
                                           std::string_view listUrl, std::size_t fieldLimit) {
    using text::containsText;
    // Three title shapes reduce to the bare title: "…><i></i>title</a>",
    // "<font color='red'>title</font>" inside the anchor, and a coloured title
    // without the icon, where the first cut gives "red'>title". The title stays
    // a view into the page until it is copied as far as its limit keeps it.
    std::string_view title = cutBetween(piece, "><i></i>", "</a>");
    if (title.empty()) title = cutBetween(piece, "color='", "</font");
    std::string_view postTime = cutBetween(piece, "class=\"red\" >", "</span>");
    if (postTime.empty()) postTime = cutBetween(piece, "<span >", "</span>");
    if (containsText(title, "font color")) title = cutBetween(title, ">", "</font");
    if (containsText(title, ">")) title = text::textAfterLast(title, ">");
    // Without its "去下载": as much as decides the cut; empty when the whole
    // title is.
    std::string bareTitle = decidingBytesWithout(title, "去下载", fieldLimit);
    const std::string_view link = cutBetween(piece, "href=\"", "\">");
    if (bareTitle.empty() || postTime.empty() || link.empty()) return std::nullopt;
    ResultRow row;
    cutToLimit(bareTitle, fieldLimit);
    row.title = std::move(bareTitle);
    row.postTime = limitedField(postTime, fieldLimit);
    // The site links its posts by path: the URL the page was fetched from
    // goes in front as it stands ("https://host/" + "/qita/1.html" keeps its
    // double slash, which the site serves). A link that is already absolute
    // is kept as it is.
    if (isAbsoluteWebLink(link)) {
        row.link = limitedField(link, fieldLimit);
    } else {
        const std::string base = listUrl.empty() ? boardUrl(board) : std::string(listUrl);
        row.link = limitedJoin(base, link, fieldLimit);
    }
    return row;
}

}  // namespace brevaro::monitor
