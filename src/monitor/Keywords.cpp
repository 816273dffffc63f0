#include "monitor/Keywords.h"

#include "text/Search.h"
#include "text/TextPieces.h"

namespace brevaro::monitor {

bool matchKeywords(std::string_view title, std::string_view keywordText,
                   std::string& matchedKeyword) {
    if (keywordText.empty()) return true;
    for (std::string_view keyword : text::splitNonEmpty(keywordText, "*")) {
        if (text::containsText(title, keyword)) {
            matchedKeyword = keyword;
            return true;
        }
    }
    return false;
}

}  // namespace brevaro::monitor
