#include "text/Search.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace brevaro::text {
namespace {

struct Find {
    const char* name;
    std::string text;
    std::string needle;
    std::size_t from;
    std::size_t expected;
};

TEST(FindText, MatchesExactBytesAtCharacterBoundaries) {
    const Find cases[] = {
        {"ascii", "abcabc", "bc", 0, 1},
        {"from a later position", "abcabc", "bc", 2, 4},
        {"case differs", "Cookie", "cookie", 0, npos},
        {"missing", "abc", "x", 0, npos},
        {"empty needle is never found", "abc", "", 0, npos},
        {"from past the end", "abc", "a", 4, npos},
        {"needle at the very end", "abc", "c", 0, 2},
        {"chinese", "抢京东券", "京东", 0, 2},
        // 啊啊 is B0A1 B0A1: the bytes A1 B0 straddle two characters.
        {"straddling two characters", "啊啊", "\xA1\xB0", 0, npos},
        // 丄 is 81 41: its trail byte is the letter 'A' but not a character.
        {"ascii letter as a trail byte", "\x81\x41", "A", 0, npos},
        {"trail byte skipped, later match found", "\x81\x41" "A", "A", 0, 2},
        {"odd run before is a trail", "\xB0\xA1\xB0\x41" "A", "A", 0, 4},
        {"even run before is a boundary", "x\xB0\xA1" "A", "A", 0, 3},
        {"match of a pair after a pair", "啊京", "京", 0, 2},
    };
    for (const Find& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findText(c.text, c.needle, c.from), c.expected);
    }
}

TEST(FindText, StaysOnBoundariesThroughLongRunsOfDoubleByteText) {
    // A long run of two-byte characters with the needle's bytes at every odd
    // offset: only the real character is found.
    std::string text;
    for (int i = 0; i < 10000; ++i) text += "啊";
    text += "京";
    EXPECT_EQ(findText(text, "\xA1\xB0"), npos);
    EXPECT_EQ(findText(text, "京"), 20000u);
}

TEST(FindTextIgnoringCase, FoldsAsciiLettersOnly) {
    const Find cases[] = {
        {"header name", "set-cookie: a=1", "Set-Cookie:", 0, 0},
        {"upper text", "HTTPONLY", "httponly", 0, 0},
        {"from", "aXbx", "X", 2, 3},
        {"chinese exact", "在线公告内容1=好", "在线公告内容1=", 0, 0},
        // 丄 (81 41) must not match 81 61: its trail is not the letter A.
        {"trail bytes compare exactly", "\x81\x61", "\x81\x41", 0, npos},
        {"trail byte is not a letter", "\x81\x41", "a", 0, npos},
        {"empty needle", "abc", "", 0, npos},
        {"missing", "abc", "abcd", 0, npos},
    };
    for (const Find& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findTextIgnoringCase(c.text, c.needle, c.from), c.expected);
    }
}

TEST(FirstContained, GivesTheFirstWordInListOrder) {
    const std::array<std::string_view, 3> words{"注册任务", "微信任务", "其他任务"};
    EXPECT_EQ(firstContained("其他任务 微信任务", words), "微信任务");
    EXPECT_EQ(firstContained("无", words), "");
}

}  // namespace
}  // namespace brevaro::text
