#include "monitor/Cutting.h"

#include "text/Search.h"

namespace brevaro::monitor {
namespace {

using text::findText;
using text::npos;

// The first match of a needle at or after a rising search position. A match
// found from one position is still the first one from any later position
// that does not pass it, so it is kept until the search position goes
// beyond it: searches from rising positions read the text once in all.
class RisingSearch {
public:
    RisingSearch(std::string_view text, std::string_view needle) : text_(text), needle_(needle) {}

    std::size_t from(std::size_t at) {
        const bool stillFirst = searched_ && at >= searchedFrom_ && (found_ == npos || found_ >= at);
        if (!stillFirst) {
            found_ = findText(text_, needle_, at);
            searchedFrom_ = at;
            searched_ = true;
        }
        return found_;
    }

private:
    std::string_view text_;
    std::string_view needle_;
    bool searched_ = false;
    std::size_t searchedFrom_ = 0;
    std::size_t found_ = npos;
};

}  // namespace

std::string_view cutBetween(std::string_view text, std::string_view start, std::string_view end) {
    const std::size_t startAt = findText(text, start);
    if (startAt == npos) return {};
    const std::size_t valueAt = startAt + start.size();
    const std::size_t endAt = findText(text, end, valueAt);
    if (endAt == npos) return {};
    return text.substr(valueAt, endAt - valueAt);
}

bool cutEach(std::string_view text, std::string_view start, std::string_view end,
             std::string_view exclusion, const std::function<bool(std::string_view)>& visit,
             const std::function<bool()>& stopRequested) {
    RisingSearch ends(text, end);
    RisingSearch exclusions(text, exclusion);
    std::size_t searchAt = 0;
    while (true) {
        if (stopRequested && stopRequested()) return false;
        const std::size_t startAt = findText(text, start, searchAt);
        if (startAt == npos) return true;
        const std::size_t pieceAt = startAt + start.size();
        const std::size_t endAt = ends.from(pieceAt);
        if (endAt == npos) return true;
        if (!exclusion.empty()) {
            // The piece holds the exclusion when its first match from the
            // piece's start ends inside the piece.
            const std::size_t excludedAt = exclusions.from(pieceAt);
            if (excludedAt != npos && excludedAt + exclusion.size() <= endAt) {
                searchAt = pieceAt;
                continue;
            }
        }
        if (!visit(text.substr(pieceAt, endAt - pieceAt))) return false;
        searchAt = endAt + end.size();
    }
}

std::vector<std::string_view> cutAll(std::string_view text, std::string_view start,
                                     std::string_view end, std::string_view exclusion) {
    std::vector<std::string_view> pieces;
    cutEach(text, start, end, exclusion, [&pieces](std::string_view piece) {
        pieces.push_back(piece);
        return true;
    });
    return pieces;
}

}  // namespace brevaro::monitor
