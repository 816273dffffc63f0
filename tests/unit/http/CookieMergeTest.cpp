#include <gtest/gtest.h>

#include <string>

#include "http/CookieText.h"

namespace brevaro::http {
namespace {

struct Merge {
    const char* name;
    std::string older;
    std::string newer;
    bool removeDuplicates;
    std::string expected;
    std::string newerAfter;  // the newer text as the call leaves it: spaces gone
};

void expectMerge(const Merge& c) {
    SCOPED_TRACE(c.name);
    std::string older = c.older;
    std::string newer = c.newer;
    EXPECT_EQ(MergeCookieTexts(older, newer, c.removeDuplicates), c.expected);
    EXPECT_EQ(older, c.expected);
    EXPECT_EQ(newer, c.newerAfter);
}

TEST(MergeCookieTexts, NewerEntriesFirstAndWinByName) {
    const Merge cases[] = {
        {"spaces removed before names compare", "a=1; b = 2", "b=3; c=4", false, "b=3; c=4; a=1",
         "b=3;c=4"},
        {"received over sent", "x=0; y=2", "x=1", false, "x=1; y=2", "x=1"},
        {"older duplicates follow in their order", "c=1; c=2", "a=1", false, "a=1; c=1; c=2",
         "a=1"},
        {"full-width spaces removed", "a　=　1", "b=2", false, "b=2; a=1", "b=2"},
        // 啊“ is B0A1 A1B0: its middle bytes are no full-width space.
        {"A1 A1 across two characters stays", "", "t=啊“", false, "t=啊“", "t=啊“"},
        {"older only", "a=1", "", false, "a=1", ""},
        {"newer only", "", "a=1; b=2", false, "a=1; b=2", "a=1;b=2"},
        {"both empty", "", "", false, "", ""},
        {"buffers of spaces count as empty", "   ", "　 ", true, "", ""},
        {"entries without = share the empty name", "flag; a=1", "other", false, "other; a=1",
         "other"},
    };
    for (const Merge& c : cases) expectMerge(c);
}

TEST(MergeCookieTexts, DropsOnlyLowerCaseDeleted) {
    const Merge cases[] = {
        {"newer deletion hides the older entry", "x=1", "x=deleted; y=2", false, "y=2",
         "x=deleted;y=2"},
        {"older deletion dropped too", "z=deleted; a=1", "", false, "a=1", ""},
        {"other spellings are values", "", "a=Deleted; b=DELETED; c=deleted", false,
         "a=Deleted; b=DELETED", "a=Deleted;b=DELETED;c=deleted"},
        {"deleted without = is an entry", "", "deleted", false, "deleted", "deleted"},
    };
    for (const Merge& c : cases) expectMerge(c);
}

TEST(MergeCookieTexts, EntriesBetweenSeparators) {
    const Merge cases[] = {
        {"empty piece between two separators", "", "a=1;;b=2", false, "a=1; ; b=2", "a=1;;b=2"},
        {"no entry after a final separator", "b=2;", "a=1;", false, "a=1; b=2", "a=1;"},
        {"a lone separator is one empty entry", "", ";", false, "", ";"},
    };
    for (const Merge& c : cases) expectMerge(c);
}

TEST(MergeCookieTexts, RemovesByteEqualDuplicates) {
    const Merge cases[] = {
        {"kept without the flag", "", "a=1; a=1; b=2", false, "a=1; a=1; b=2", "a=1;a=1;b=2"},
        {"first kept with the flag", "", "a=1; b=2; a=1", true, "a=1; b=2", "a=1;b=2;a=1"},
        {"same name, other value kept", "", "a=1; a=2", true, "a=1; a=2", "a=1;a=2"},
        {"older duplicates too", "c=1; c=1", "a=1", true, "a=1; c=1", "a=1"},
        {"empty entries too", "", "a=1;;;b=2", true, "a=1; ; b=2", "a=1;;;b=2"},
    };
    for (const Merge& c : cases) expectMerge(c);
}

TEST(MergeCookieTexts, OneTextAsBothArguments) {
    std::string cookies = "a=1; b = 2";
    EXPECT_EQ(MergeCookieTexts(cookies, cookies, true), "a=1; b=2");
    EXPECT_EQ(cookies, "a=1; b=2");
}

TEST(CookieName, TextBeforeTheFirstEqualsTrimmed) {
    const struct {
        std::string entry;
        std::string name;
    } cases[] = {
        {"a=1", "a"},       {" a =1", "a"}, {"　a　=1", "a"}, {"a=b=c", "a"},
        {"名字=1", "名字"}, {"abc", ""},    {"=x", ""},       {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(CookieName(c.entry), c.name);
    }
}

TEST(CookieValueByName, FindsTheFirstEntryIgnoringCase) {
    const struct {
        const char* name;
        std::string text;
        std::string cookie;
        bool valueOnly;
        std::string expected;
    } cases[] = {
        {"caller's spelling of the name", "SID=ab; t=1", "sid", false, "sid=ab"},
        {"value only", "SID=ab; t=1", "sid", true, "ab"},
        {"spaces around the name", "a=1;  t =2 ", "T", false, "T=2"},
        {"full-width spaces trimmed", "　sid=ab　", "sid", false, "sid=ab"},
        {"first hit wins", "a=1; A=2", "a", true, "1"},
        {"an entry without = is no hit", "sid; sid=2", "sid", true, "2"},
        {"empty value is returned alone", "a=; b=1", "a", false, ""},
        {"value keeps its own =", "sid=YWJj==; t=1", "sid", false, "sid=YWJj=="},
        {"a : after the = ends the value", "t=12:30; u=1", "t", true, "12"},
        {"a : inside the name does not", "a:b=c", "a:b", true, "c"},
        // 癆 is B0 41 and 癮 B0 61: trail bytes in the letter range are no letters.
        {"two-byte names compare exactly", "癮=1; 癆=2", "癆", true, "2"},
        {"absent", "a=1; b=2", "c", false, ""},
        {"b never matches bb", "bb=1", "b", false, ""},
        {"empty text", "", "a", false, ""},
        {"separators only", ";;", "a", false, ""},
        // A lone lead byte at the end is no character: the value gains no ";".
        {"a lone lead byte at the end goes", "a=1; b=x\xB0", "b", true, "x"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CookieValueByName(c.text, c.cookie, c.valueOnly), c.expected);
    }
}

// Separators alone, stray "=" and ":", spaces, a lone GBK lead byte, cut-short
// Set-Cookie lines: every rule gives an answer (and, under the sanitizers,
// reads nothing out of range).
TEST(CookieRules, AnswerOnOddInput) {
    // clang-format off
    const std::string inputs[] = {
        "", ";", "=", ":", " ", "　", "; ", ";;", "==", "=:", "\r\n",
        "a", "a=", "=a", "a;", "a:=", "a=deleted",
        "\xB0", "\xA1", "\xA1\xA1\xA1", "b=\xB0", "\xB0;",
        "Set-Cookie:", "set-cookie:;", "Set-Cookie:\r\n", "Set-Cookie: a=deleted",
        "Set-Cookie: a", "Set-Cookie:a=;\r\nSet-Cookie:=;"};
    // clang-format on
    for (const std::string& first : inputs) {
        (void)CookieName(first);
        (void)responseCookies(first);
        (void)responseCookiesForBrowser(first, true);
        (void)cookiePairs(first);
        for (const std::string& second : inputs) {
            SCOPED_TRACE("[" + first + "], [" + second + "]");
            (void)responseCookie(first, second);
            (void)CookieValueByName(first, second, false);
            std::string older = first;
            std::string newer = second;
            for (bool removeDuplicates : {false, true}) {
                EXPECT_EQ(MergeCookieTexts(older, newer, removeDuplicates), older);
            }
        }
    }
}

}  // namespace
}  // namespace brevaro::http
