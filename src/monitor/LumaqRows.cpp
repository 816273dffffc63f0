// Rows of the Lumaq site's front page.

#include "monitor/Cutting.h"
#include "monitor/Extraction.h"
#include "monitor/FieldLimit.h"
#include "monitor/SkipLists.h"
#include "text/Search.h"

namespace brevaro::monitor {

// A piece runs from one "推荐活动区" to the next "信用公开区" and yields its
// first entry only.
std::optional<ResultRow> extractLumaqRow(std::string_view piece, std::size_t fieldLimit) {
    const std::string_view title = cutBetween(piece, "html\"title=\"", "\">");
    const std::string_view postTime = cutBetween(piece, "<li><span>", "</span>");
    const std::string_view link = cutBetween(piece, "\"> <a href=\"", "\"title=\"");
    if (title.empty() || postTime.empty()) return std::nullopt;
    if (!text::firstContained(title, kNoticeTitleSkips).empty()) return std::nullopt;
    ResultRow row;
    row.title = limitedField(title, fieldLimit);
    row.postTime = limitedField(postTime, fieldLimit);
    row.link = limitedField(link, fieldLimit);
    return row;
}

}  // namespace brevaro::monitor
