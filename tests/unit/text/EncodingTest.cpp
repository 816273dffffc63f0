#include "text/Encoding.h"

#include <gtest/gtest.h>

#include "TestSupport.h"

namespace brevaro::text {
namespace {

using test::utf8;

struct RoundTrip {
    const char* name;
    std::string gbk;
    std::string utf8;
};

// Texts that both charsets hold: GBK → UTF-8 and back give the same bytes.
TEST(Encoding, ConvertsTextsBothCharsetsHold) {
    const RoundTrip cases[] = {
        {"empty", "", ""},
        {"ascii markup", "<a href=\"x\">A&amp;B</a>\r\n", "<a href=\"x\">A&amp;B</a>\r\n"},
        {"chinese", "京东红包", utf8(u8"京东红包")},
        {"mixed", "iPhone 15 降价500元！", utf8(u8"iPhone 15 降价500元！")},
        {"euro sign at 0x80", "\x80", utf8(u8"€")},
        {"full-width digits", "１０秒", utf8(u8"１０秒")},
        {"trail byte in letter range", "\x81\x41", utf8(u8"丄")},
    };
    for (const RoundTrip& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gbkToUtf8(c.gbk), c.utf8);
        EXPECT_EQ(utf8ToGbk(c.utf8), c.gbk);
        EXPECT_EQ(utf16ToGbk(gbkToUtf16(c.gbk)), c.gbk);
    }
}

TEST(Encoding, UsesUtf16CodeUnitsAndSurrogatePairs) {
    EXPECT_EQ(gbkToUtf16("A京"), (std::u16string{u'A', u'\x4EAC'}));
    EXPECT_EQ(utf8ToUtf16(utf8(u8"\U0001F600")), (std::u16string{u'\xD83D', u'\xDE00'}));
    EXPECT_EQ(utf16ToUtf8(std::u16string{u'\xD83D', u'\xDE00'}), utf8(u8"\U0001F600"));
}

struct Replaced {
    const char* name;
    std::string input;
    std::string expected;
};

// Whatever does not convert becomes "?", one per character, and the text
// around it survives.
TEST(Encoding, ReplacesGbkThatDoesNotDecode) {
    const Replaced cases[] = {
        {"byte 0xFF", "a\xFF" "b", "a?b"},
        {"lead byte at the end", "京\xB0", utf8(u8"京?")},
        {"lead byte before a non-trail", "\x81\x7F" "x", "?\x7F" "x"},
        {"lead byte before a line break", "\xB0\r\n", "?\r\n"},
    };
    for (const Replaced& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(gbkToUtf8(c.input), c.expected);
    }
}

TEST(Encoding, ReplacesUnicodeThatGbkCannotHold) {
    const Replaced cases[] = {
        {"hangul", utf8(u8"한국"), "??"},
        {"emoji is one character", utf8(u8"抢\U0001F600券"), "抢?券"},
        {"between ascii", utf8(u8"a한b"), "a?b"},
    };
    for (const Replaced& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf8ToGbk(c.input), c.expected);
    }
    EXPECT_EQ(utf16ToGbk(std::u16string{u'x', u'\xD800', u'y'}), "x?y");
    EXPECT_EQ(utf16ToUtf8(std::u16string{u'x', u'\xDC00'}), "x?");
}

TEST(Encoding, ReplacesIllFormedUtf8) {
    const Replaced cases[] = {
        {"truncated pair", "a\xC3", "a?"},
        {"encoded surrogate", "\xED\xA0\x80" "z", "?z"},
        {"overlong slash", "\xC0\xAF", "??"},
        {"stray continuation", "\x80" "ok", "?ok"},
    };
    for (const Replaced& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(c.input)), c.expected);
    }
}

TEST(Encoding, ConvertsAWholePageInOnePiece) {
    std::string page;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        page += "<tr><td>抢京东券</td></tr>\r\n";
        expected += utf8(u8"<tr><td>抢京东券</td></tr>\r\n");
    }
    EXPECT_EQ(gbkToUtf8(page), expected);
    page += "\xFF";
    EXPECT_EQ(gbkToUtf8(page), expected + "?");
}

}  // namespace
}  // namespace brevaro::text
