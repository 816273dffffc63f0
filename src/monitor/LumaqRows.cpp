// Rows of the Lumaq site's front page.

#include "monitor/Cutting.h"
#include "monitor/Extraction.h"
#include "monitor/SkipLists.h"
#include "text/Search.h"

namespace brevaro::monitor {

// A piece runs from one "推荐活动区" to the next "信用公开区" and yields its
// first entry only.
std::optional<ResultRow> extractLumaqRow(std::string_view piece) {
    ResultRow row;
    row.title = cutBetween(piece, "html\"title=\"", "\">");
    row.postTime = cutBetween(piece, "<li><span>", "</span>");
    row.link = cutBetween(piece, "\"> <a href=\"", "\"title=\"");
    if (row.title.empty() || row.postTime.empty()) return std::nullopt;
    if (!text::firstContained(row.title, kNoticeTitleSkips).empty()) return std::nullopt;
    return row;
}

}  // namespace brevaro::monitor
