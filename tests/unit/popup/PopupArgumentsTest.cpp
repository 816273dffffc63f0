#include "popup/PopupArguments.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "alerts/PopupCommandLine.h"

namespace brevaro::popup {
namespace {

using Arguments = std::vector<std::string>;

// The input in a heap block of exactly its size: a read past its end is a
// heap overflow that AddressSanitizer reports (a std::string would hide it in
// its spare capacity and its terminating zero).
std::unique_ptr<char[]> exactCopy(std::string_view text) {
    auto block = std::make_unique<char[]>(text.size());
    std::copy(text.begin(), text.end(), block.get());
    return block;
}

Arguments splitExact(std::string_view line) {
    const auto block = exactCopy(line);
    return splitCommandLine(std::string_view(block.get(), line.size()));
}

std::string decodeExact(std::string_view argument) {
    const auto block = exactCopy(argument);
    return decodeArgument(std::string_view(block.get(), argument.size()));
}

std::string encoded(std::string_view gbk) { return alerts::percentEncodeUtf8(gbk); }

TEST(SplitCommandLine, SkipsTheProgramNameAndSplitsOnBlanksAndQuotes) {
    struct Case {
        const char* name;
        std::string line;
        Arguments expected;
    };
    const Case cases[] = {
        {"the launcher's line: empty program name", " a b", {"a", "b"}},
        {"program name up to the first space", "Pellis.exe a  b", {"a", "b"}},
        {"quoted program name with spaces", "\"C:\\Program Files\\Pellis.exe\" a", {"a"}},
        {"quoted program name, one space skipped", "\"C:\\x\\Pellis.exe\"  a", {"a"}},
        {"argument right after a quoted program name", "\"C:\\x\\Pellis.exe\"a b", {"a", "b"}},
        {"unclosed quoted program name takes everything", "\"C:\\x\\Pellis.exe a b", {}},
        {"only a program name", "Pellis.exe", {}},
        {"empty line", "", {}},
        {"every byte up to 0x20 separates", " a\tb\r\nc\x01" "d\x7F", {"a", "b", "c", "d\x7F"}},
        {"quoted argument keeps its spaces", " \"a b\" c", {"a b", "c"}},
        {"a quote ends an unquoted argument", " ab\"cd ef\"gh", {"ab", "cd ef", "gh"}},
        {"unclosed quote runs to the end", " x \"a b", {"x", "a b"}},
        {"empty quoted argument", " \"\" a", {"", "a"}},
        {"trailing blanks", " a \t ", {"a"}},
        {"GBK stay argument", " 频率:10", {"频率:10"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitExact(c.line), c.expected);
    }
}

// A byte of 0x80 or more takes the next byte with it wherever it stands, even
// when that byte would otherwise be a space or a quote.
TEST(SplitCommandLine, NeverSplitsADoubleByteCharacter) {
    struct Case {
        const char* name;
        std::string line;
        Arguments expected;
    };
    const Case cases[] = {
        {"second byte 0x20 in an argument", " \x81\x20" "x y", {"\x81\x20x", "y"}},
        {"second byte 0x22 in an argument", " \x81\x22" "x y", {"\x81\x22x", "y"}},
        {"second byte 0x22 inside quotes", " \"a\x81\x22\" z", {"a\x81\x22", "z"}},
        {"second byte 0x20 in the program name", "\x81\x20" "a b", {"b"}},
        {"second byte 0x22 in a quoted program name", "\"\x81\x22\" a", {"a"}},
        {"lead byte at the very end", " a\x81", {"a\x81"}},
        {"lead byte alone at the end of a quoted argument", " \"a\x81", {"a\x81"}},
        {"lead byte at the end of the program name", "P\x81", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(splitExact(c.line), c.expected);
    }
}

TEST(DecodeArgument, TurnsPercentPairsIntoBytesAndCopiesEverythingElse) {
    struct Case {
        const char* name;
        std::string argument;
        std::string expected;
    };
    const Case cases[] = {
        {"upper-case pairs", "%41%42", "AB"},
        {"lower-case pairs", "%e4%ba%ac", "京"},
        {"%20 is a space", "a%20b", "a b"},
        {"a literal plus stays", "a+b", "a+b"},
        {"an encoded plus", "a%2Bb", "a+b"},
        {"trailing percent", "100%", "100%"},
        {"lone percent", "%", "%"},
        {"one digit at the end", "%4", "%4"},
        {"two non-digits", "%zz", "%zz"},
        {"one digit then a non-digit", "%4z", "%4z"},
        {"percent before a pair", "%%41", "%A"},
        {"short pair before a pair", "%4%41", "%4A"},
        {"percent after a character", "%E4%BA%AC%", "京%"},
        {"ill-formed UTF-8", "%FFa", "?a"},
        {"the text ends at a zero byte", "ab%00cd", "ab"},
        {"empty", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(decodeExact(c.argument), c.expected);
    }
}

TEST(ReadArgument, FindsTheMarkerAnywhereAndRemovesEveryOccurrence) {
    struct Case {
        const char* name;
        std::string argument;
        PopupArgument expected;
    };
    const Case cases[] = {
        {"encoded title marker and abc", "%E5%B8%96%E5%AD%90%E5%90%8D%E7%A7%B0%3Aabc", {ArgumentKind::Title, "abc"}},
        {"address", encoded("帖子地址:http://a.example/t?x=1&y=2"),
         {ArgumentKind::Address, "http://a.example/t?x=1&y=2"}},
        {"marker in the middle", encoded("前面帖子时间:后面"), {ArgumentKind::Time, "前面后面"}},
        {"marker twice", encoded("帖子名称:a帖子名称:b"), {ArgumentKind::Title, "ab"}},
        {"keyword", encoded("关键词语:红包"), {ArgumentKind::Keyword, "红包"}},
        {"the table's order decides: address before title", encoded("帖子名称:帖子地址:x"),
         {ArgumentKind::Address, "帖子名称:x"}},
        {"%20 and a literal plus in a value", encoded("帖子名称:") + "a%20b+c", {ArgumentKind::Title, "a b+c"}},
        {"marker only", encoded("帖子名称:"), {ArgumentKind::Title, ""}},
        // Markers are recognised after decoding: GBK bytes read as UTF-8
        // are no marker.
        {"an unencoded title marker", "帖子名称:abc", {}},
        {"no marker", "hello", {}},
        {"empty", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readArgument(c.argument), c.expected);
    }
}

TEST(ReadArgument, ReadsTheStayFromTheArgumentAsItStands) {
    struct Case {
        const char* name;
        std::string argument;
        PopupArgument expected;
    };
    const Case cases[] = {
        {"ten seconds", "频率:10", {ArgumentKind::Stay, "10", 10}},
        {"zero", "频率:0", {ArgumentKind::Stay, "0", 0}},
        {"nothing after the marker", "频率:", {ArgumentKind::Stay, "", 0}},
        {"not a number", "频率:abc", {ArgumentKind::Stay, "abc", 0}},
        {"digits then text", "频率:10秒", {ArgumentKind::Stay, "10秒", 10}},
        {"negative", "频率:-3", {ArgumentKind::Stay, "-3", -3}},
        {"full-width digits", "频率:１０", {ArgumentKind::Stay, "１０", 10}},
        {"marker twice", "频率:1频率:2", {ArgumentKind::Stay, "12", 12}},
        {"text before the marker", "x频率:5", {ArgumentKind::Stay, "x5", 0}},
        // The stay is never encoded; an encoded stay marker is no marker.
        {"encoded stay marker", encoded("频率:5"), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readArgument(c.argument), c.expected);
    }
}

// The labels put a full-width colon (GBK A3 BA) after their own leads, which
// differ from the markers; the caption keeps its seven ASCII spaces.
TEST(AlertTexts, AreTheWindowsOwnBytes) {
    EXPECT_EQ(labelText(ArgumentKind::Title, "AB"), "帖子名称\xA3\xBA" "AB");
    EXPECT_EQ(labelText(ArgumentKind::Time, "10:05"), "发帖时间\xA3\xBA" "10:05");
    EXPECT_EQ(labelText(ArgumentKind::Keyword, "红包"), "对应的关键词\xA3\xBA红包");
    EXPECT_EQ(labelText(ArgumentKind::Address, "x"), "");
    EXPECT_EQ(labelText(ArgumentKind::Stay, "x"), "");
    EXPECT_EQ(kKeywordLineDesign, "对应关键词\xA3\xBA") << "the design text lacks the 的";
    EXPECT_EQ(countdownCaption(5), "您设置的关键词监控到新的内容...       关闭倒计时\xA3\xBA" "5 秒");
    EXPECT_EQ(kAlertCaption, "您设置的关键词监控到新的内容......");
}

TEST(SecondsLeft, CountsWholeSecondsDownToOne) {
    struct Case {
        int stay;
        std::uint32_t elapsed;
        std::optional<int> left;
    };
    const Case cases[] = {
        {5, 0, 5},       {5, 999, 5},     {5, 1000, 4},          {5, 4999, 1},
        {5, 5000, std::nullopt},          {5, 60000, std::nullopt},
        {0, 0, std::nullopt},             {-1, 0, std::nullopt},  {INT_MIN, 0, std::nullopt},
        {INT_MAX, UINT32_MAX, INT_MAX - 4294967},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "stay " << c.stay << ", elapsed " << c.elapsed);
        EXPECT_EQ(secondsLeft(c.stay, c.elapsed), c.left);
    }
}

// What the launcher writes is what the companion reads, texts with spaces,
// quotes, percent and plus signs included, whatever program name comes first.
TEST(PopupContent, ReadsBackWhatTheLauncherWrote) {
    const alerts::AlertRequest alerts[] = {
        {"http://bbs.example/thread-1-1-1.html", "京东 红包 满100减20", "2024-05-01 10:05", "红包", "10"},
        {"thread-2-1-1.html", "\"引号\" 50% off + 返现 %20", "1&nbsp;小时前", "返 现", "3"},
        {"", "　全角空格　", "", "", "0"},
    };
    const std::string programNames[] = {"", "Pellis.exe", "\"C:\\Program Files\\Brevaro\\Pellis.exe\""};
    for (const alerts::AlertRequest& alert : alerts) {
        for (const std::string& program : programNames) {
            SCOPED_TRACE(alert.title + " / " + program);
            const PopupContent content = readPopupContent(program + alerts::popupCommandLine(alert));
            EXPECT_EQ(content.address, alert.link);
            EXPECT_EQ(content.titleLine, "帖子名称：" + alert.title);
            EXPECT_EQ(content.timeLine, "发帖时间：" + alert.postTime);
            EXPECT_EQ(content.keywordLine, "对应的关键词：" + alert.keyword);
            EXPECT_EQ(content.staySeconds, std::stoi(alert.staySeconds));
        }
    }
}

TEST(PopupContent, KeepsDesignTextsAndHasNoStayWithoutArguments) {
    const PopupContent content = readPopupContent(" unrelated arguments");
    EXPECT_EQ(content.address, "");
    EXPECT_EQ(content.titleLine, "帖子标题：");
    EXPECT_EQ(content.timeLine, "发帖时间：");
    EXPECT_EQ(content.keywordLine, "对应关键词：");
    EXPECT_EQ(content.staySeconds, std::nullopt);
}

TEST(PopupContent, TakesTheLastArgumentOfAKindAndSplitsATypedStay) {
    const std::string line = " " + encoded("帖子名称:first") + " 频率:1 0 " + encoded("帖子名称:second");
    const PopupContent content = readPopupContent(line);
    EXPECT_EQ(content.titleLine, "帖子名称：second");
    EXPECT_EQ(content.staySeconds, 1) << "a stay typed with a space splits; the 0 is ignored";
}

}  // namespace
}  // namespace brevaro::popup
