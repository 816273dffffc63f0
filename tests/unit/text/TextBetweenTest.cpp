#include "text/TextBetween.h"

#include <gtest/gtest.h>

#include <string>

namespace brevaro::text {
namespace {

struct Between {
    const char* name;
    std::string text;
    std::string start;
    std::string end;
    std::size_t from;
    bool caseSensitive;
    std::string expected;
};

TEST(TextBetween, CutsBetweenMarks) {
    const Between cases[] = {
        {"plain", "a=1; b=2", "b=", ";", 0, false, ""},
        {"to the end mark", "a=1; b=2;", "b=", ";", 0, false, "2"},
        {"letter case ignored", "Set-Cookie: sid=abc; path=/", "set-cookie:", ";", 0, false,
         " sid=abc"},
        {"letter case kept when asked", "Set-Cookie: sid=abc;", "set-cookie:", ";", 0, true, ""},
        {"#引号 stands for a double quote", "<a href=\"x.html\">", "href=#引号", "#引号", 0,
         false, "x.html"},
        {"start mark missing", "abc", "x", "c", 0, false, ""},
        {"end mark missing", "abc", "a", "x", 0, false, ""},
        {"end searched after the start mark", "]x[y]", "[", "]", 0, false, "y"},
        {"from skips an earlier start", "k=1 k=2;", "k=", ";", 3, false, "2"},
        {"empty between", "ab", "a", "b", 0, false, ""},
        {"chinese marks", "在线公告内容1=今晚有红包<br>", "在线公告内容1=", "<", 0, false,
         "今晚有红包"},
    };
    for (const Between& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(TextBetween(c.text, c.start, c.end, c.from, c.caseSensitive), c.expected);
    }
}

TEST(TextBetween, DefaultsToTheBeginningIgnoringCase) {
    EXPECT_EQ(TextBetween("X=<1>", "x=<", ">"), "1");
}

}  // namespace
}  // namespace brevaro::text
