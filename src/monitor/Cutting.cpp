#include "monitor/Cutting.h"

#include "text/Search.h"

namespace brevaro::monitor {

using text::findText;
using text::npos;

std::string_view cutBetween(std::string_view text, std::string_view start, std::string_view end) {
    const std::size_t startAt = findText(text, start);
    if (startAt == npos) return {};
    const std::size_t valueAt = startAt + start.size();
    const std::size_t endAt = findText(text, end, valueAt);
    if (endAt == npos) return {};
    return text.substr(valueAt, endAt - valueAt);
}

std::vector<std::string_view> cutAll(std::string_view text, std::string_view start,
                                     std::string_view end, std::string_view exclusion) {
    std::vector<std::string_view> pieces;
    std::size_t searchAt = 0;
    while (true) {
        const std::size_t startAt = findText(text, start, searchAt);
        if (startAt == npos) break;
        const std::size_t pieceAt = startAt + start.size();
        const std::size_t endAt = findText(text, end, pieceAt);
        if (endAt == npos) break;
        const std::string_view piece = text.substr(pieceAt, endAt - pieceAt);
        if (!exclusion.empty() && text::containsText(piece, exclusion)) {
            searchAt = pieceAt;
            continue;
        }
        pieces.push_back(piece);
        searchAt = endAt + end.size();
    }
    return pieces;
}

}  // namespace brevaro::monitor
