#include "text/TextPieces.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brevaro::text {
namespace {

using Pieces = std::vector<std::string_view>;

TEST(SplitNonEmpty, DropsEmptyPiecesAndKeepsSpaces) {
    struct Case {
        const char* name;
        std::string text;
        std::string separator;
        Pieces expected;
    };
    const Case cases[] = {
        {"two keywords", "红包*京东", "*", {"红包", "京东"}},
        {"only separators", "***", "*", {}},
        {"empty text", "", "*", {}},
        {"spaces belong to the piece", " 京东**红包 ", "*", {" 京东", "红包 "}},
        {"empty separator means comma", "a,,b,", "", {"a", "b"}},
        {"longer separator", "a||b|c", "||", {"a", "b|c"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitNonEmpty(c.text, c.separator), c.expected);
    }
}

TEST(RemoveAll, RemovesEveryOccurrence) {
    EXPECT_EQ(removeAll("新活动去下载去下载", "去下载"), "新活动");
    EXPECT_EQ(removeAll("abc", ""), "abc");
    EXPECT_EQ(removeAll("abc", "x"), "abc");
    // 啊啊 is B0A1 B0A1: A1 B0 is no character of it and stays.
    EXPECT_EQ(removeAll("啊啊", "\xA1\xB0"), "啊啊");
}

TEST(ReplaceAll, ReplacesEveryOccurrence) {
    EXPECT_EQ(replaceAll("#引号a#引号", "#引号", "\""), "\"a\"");
}

TEST(TextAfterLast, TakesTheTextAfterTheLastMark) {
    EXPECT_EQ(textAfterLast("red'>标题", ">"), "标题");
    EXPECT_EQ(textAfterLast("a>b>c", ">"), "c");
    EXPECT_EQ(textAfterLast("a>", ">"), "");
    EXPECT_EQ(textAfterLast("abc", ">"), "");
    EXPECT_EQ(textAfterLast("aaa", "aa"), "");  // overlapping: the last one starts at byte 2
}

TEST(TextBeforeNul, EndsAtTheFirstZeroByte) {
    using namespace std::string_view_literals;
    EXPECT_EQ(textBeforeNul("ab\0cd"sv), "ab");
    EXPECT_EQ(textBeforeNul("abc"sv), "abc");
}

TEST(TrimAsciiSpaces, DropsOnlyTheOuterAsciiSpaces) {
    EXPECT_EQ(trimAsciiSpaces("  a b  "), "a b");
    EXPECT_EQ(trimAsciiSpaces("   "), "");
    EXPECT_EQ(trimAsciiSpaces("\ta\t"), "\ta\t");
    EXPECT_EQ(trimAsciiSpaces(" 　京东　 "), "　京东　");  // full-width spaces stay
}

}  // namespace
}  // namespace brevaro::text
