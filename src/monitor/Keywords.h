#pragma once
#include <string>
#include <string_view>

namespace brevaro::monitor {

// Tests a title against the user's keyword text: keywords separated by "*",
// empty pieces dropped, not trimmed (spaces belong to a keyword). The first
// keyword found in the title (exact bytes, character boundaries) is the match
// and is written to matchedKeyword. An empty keyword text matches every title
// and leaves matchedKeyword as it was; a text without keywords ("***")
// matches nothing.
bool matchKeywords(std::string_view title, std::string_view keywordText,
                   std::string& matchedKeyword);

}  // namespace brevaro::monitor
