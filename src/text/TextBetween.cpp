#include "text/TextBetween.h"

#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::text {
namespace {

std::string withQuotes(std::string_view mark) { return replaceAll(mark, "#引号", "\""); }

}  // namespace

std::string TextBetween(std::string_view text, std::string_view startMark,
                        std::string_view endMark, std::size_t from, bool caseSensitive) {
    const std::string start = withQuotes(startMark);
    const std::string end = withQuotes(endMark);
    const auto find = caseSensitive ? findText : findTextIgnoringCase;
    const std::size_t startAt = find(text, start, from);
    if (startAt == npos) return {};
    const std::size_t valueAt = startAt + start.size();
    const std::size_t endAt = find(text, end, valueAt);
    if (endAt == npos) return {};
    return std::string(text.substr(valueAt, endAt - valueAt));
}

}  // namespace brevaro::text
