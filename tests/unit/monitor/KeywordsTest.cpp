#include "monitor/Keywords.h"

#include <gtest/gtest.h>

#include <string>

namespace brevaro::monitor {
namespace {

TEST(MatchKeywords, FirstKeywordInOrderWins) {
    struct Case {
        const char* name;
        std::string title;
        std::string keywords;
        bool matched;
        std::string keyword;  // the matched keyword afterwards (starts as "old")
    };
    const Case cases[] = {
        {"second keyword", "抢京东券", "红包*京东", true, "京东"},
        {"both: first in order", "京东红包", "红包*京东", true, "红包"},
        {"none", "淘宝优惠", "红包*京东", false, "old"},
        {"empty text matches, keyword kept", "任意标题", "", true, "old"},
        {"no keyword at all", "京东", "***", false, "old"},
        {"spaces belong to the keyword", "抢京东券", " 京东", false, "old"},
        {"empty pieces dropped", "京东", "**京东**", true, "京东"},
        {"letter case differs", "IPHONE", "iphone", false, "old"},
        {"character boundary", "啊啊", "\xA1\xB0", false, "old"},
        {"keyword in the middle of a word", "违规行为处理", "行为", true, "行为"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string keyword = "old";
        EXPECT_EQ(matchKeywords(c.title, c.keywords, keyword), c.matched);
        EXPECT_EQ(keyword, c.keyword);
    }
}

}  // namespace
}  // namespace brevaro::monitor
