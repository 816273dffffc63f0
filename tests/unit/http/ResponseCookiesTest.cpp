#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "http/CookieText.h"

namespace brevaro::http {
namespace {

// A redirect as a forum sends it after a login: Set-Cookie lines
// in three spellings, attributes after the pair, one deletion.
const std::string kLoginRedirect =
    "HTTP/1.1 302 Found\r\n"
    "Server: nginx\r\n"
    "Set-Cookie: sid=xyz; path=/\r\n"
    "set-cookie: uid=7; expires=Thu, 01-Jan-2037 00:00:00 GMT; path=/\r\n"
    "Location: /forum.php\r\n"
    "SET-COOKIE:auth=YWJj==; HttpOnly\r\n"
    "Set-Cookie: old=deleted; expires=Thu, 01-Jan-1970 00:00:01 GMT; path=/\r\n"
    "\r\n";

struct Merge {
    const char* name;
    std::string store;
    std::string headers;
    bool ignoreEmpty;
    std::string expected;
    bool changed;
};

void expectMerges(const Merge& c) {
    SCOPED_TRACE(c.name);
    std::string store = c.store;
    EXPECT_EQ(mergeResponseCookies(store, c.headers, c.ignoreEmpty), c.changed);
    EXPECT_EQ(store, c.expected);
}

TEST(MergeResponseCookies, MergesEverySetCookieLine) {
    const Merge cases[] = {
        {"every spelling of Set-Cookie, deletion of an absent name ignored", "; ", kLoginRedirect,
         false, "; sid=xyz; uid=7; auth=YWJj==; ", true},
        {"deletion of a present name", "; old=1; a=1; ", kLoginRedirect, false,
         "; a=1; sid=xyz; uid=7; auth=YWJj==; ", true},
        {"replaced in place, position kept", "; a=1; sid=old; c=3; ",
         "Set-Cookie: sid=new; path=/\r\n", false, "; a=1; sid=new; c=3; ", true},
        {"later line of the same name wins", "; ", "Set-Cookie: a=1;\r\nSet-Cookie: a=2;\r\n",
         false, "; a=2; ", true},
        {"b never matches bb", "; bb=1; ", "Set-Cookie: b=2; path=/\r\n", false, "; bb=1; b=2; ",
         true},
        {"names compare exactly", "; SID=1; ", "Set-Cookie: sid=2;\r\n", false, "; SID=1; sid=2; ",
         true},
        {"a pair without = skipped, later lines still read", "; ",
         "Set-Cookie: junk; path=/\r\nSet-Cookie: a=1;\r\n", false, "; a=1; ", true},
        {"full-width space after the colon", "; ", "Set-Cookie:　a=中文; path=/\r\n", false,
         "; a=中文; ", true},
        {"same value is no change", "; a=1; ", "Set-Cookie: a=1; path=/\r\n", false, "; a=1; ",
         false},
        {"no Set-Cookie line", "; a=1; ", "HTTP/1.1 200 OK\r\nServer: x; y\r\n\r\n", false,
         "; a=1; ", false},
        {"empty header block", "; a=1; ", "", false, "; a=1; ", false},
    };
    for (const Merge& c : cases) expectMerges(c);
}

// Only "=deleted;", "=DELETED;" and "=Deleted;" delete; any other spelling
// is an ordinary value.
TEST(MergeResponseCookies, DeletesOnlyOnTheThreeMarkers) {
    const struct {
        std::string value;
        std::string expected;
    } cases[] = {
        {"deleted", "; a=1; c=3; "},
        {"DELETED", "; a=1; c=3; "},
        {"Deleted", "; a=1; c=3; "},
        {"DeLeTeD", "; a=1; sid=DeLeTeD; c=3; "},
        {"deleted2", "; a=1; sid=deleted2; c=3; "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        std::string store = "; a=1; sid=old; c=3; ";
        EXPECT_TRUE(mergeResponseCookies(
            store, "Set-Cookie: sid=" + c.value + "; expires=Thu, 01-Jan-1970\r\n", false));
        EXPECT_EQ(store, c.expected);
    }
}

TEST(MergeResponseCookies, DeletionKeepsTheFrameAtEitherEnd) {
    const Merge cases[] = {
        {"first entry", "; sid=1; c=3; ", "Set-Cookie: sid=deleted;\r\n", false, "; c=3; ", true},
        {"last entry", "; a=1; sid=1; ", "Set-Cookie: sid=Deleted;\r\n", false, "; a=1; ", true},
        {"only entry", "; sid=1; ", "Set-Cookie: sid=DELETED;\r\n", false, "; ", true},
        {"absent name: no change", "; a=1; ", "Set-Cookie: sid=deleted;\r\n", false, "; a=1; ",
         false},
    };
    for (const Merge& c : cases) expectMerges(c);
}

TEST(MergeResponseCookies, IgnoreEmptyLeavesPresentEntriesAlone) {
    const Merge cases[] = {
        {"empty value ignored", "; a=1; ", "Set-Cookie: a=; path=/\r\n", true, "; a=1; ", false},
        {"value of spaces counts as empty", "; a=1; ", "Set-Cookie: a= 　; path=/\r\n", true,
         "; a=1; ", false},
        {"without the flag the value is emptied", "; a=1; ", "Set-Cookie: a=; path=/\r\n", false,
         "; a=; ", true},
        {"an absent name is still added", "; ", "Set-Cookie: a=; path=/\r\n", true, "; a=; ", true},
        {"a deletion is not empty", "; a=1; ", "Set-Cookie: a=deleted;\r\n", true, "; ", true},
    };
    for (const Merge& c : cases) expectMerges(c);
}

// A Set-Cookie line without attributes has no ";": its pair ends with the
// line, so the next header line is not read as part of the cookie and the
// Set-Cookie lines after it are not swallowed.
TEST(MergeResponseCookies, PairEndsWithItsLine) {
    const Merge cases[] = {
        {"line without ; followed by other headers", "; ",
         "Set-Cookie: a=1\r\nContent-Type: text/html; charset=gbk\r\nSet-Cookie: b=2; path=/\r\n",
         false, "; a=1; b=2; ", true},
        {"last line of the block, no CR LF", "; ", "Set-Cookie: a=1", false, "; a=1; ", true},
        {"LF alone ends a line too", "; ", "Set-Cookie: a=1\nX: y; z\n", false, "; a=1; ", true},
        {"deletion without attributes", "; sid=1; a=1; ", "Set-Cookie: sid=deleted\r\n", false,
         "; a=1; ", true},
    };
    for (const Merge& c : cases) expectMerges(c);
}

// What a hostile server sends must never put a line break into the store
// (and so into the next request's Cookie header): a value ends at its line's
// CR, LF or NUL, a lone lead byte before the CR LF does not take the CR with
// it (it is no character and goes), and only a whole "Set-Cookie" name at the
// start of a line is a cookie.
TEST(MergeResponseCookies, NoLineBreakFromTheWireEntersTheStore) {
    const Merge cases[] = {
        {"lone lead byte before CR LF", "; ", "HTTP/1.1 200 OK\r\nSet-Cookie: sid=abc\x80\r\nSet-Cookie: b=2\r\n",
         false, "; sid=abc; b=2; ", true},
        {"a lone lead byte as the whole value", "; ", "Set-Cookie: sid=\xB0\r\n", false, "; sid=; ", true},
        {"a whole character stays", "; ", "Set-Cookie: sid=值\r\n", false, "; sid=值; ", true},
        {"stray CR inside the line", "; ", "Set-Cookie: a=1\rSet-Cookie: evil=1\r\n", false, "; a=1; ",
         true},
        {"NUL inside the line", "; ", std::string("Set-Cookie: a=1\0evil=1; path=/\r\n", 32), false,
         "; a=1; ", true},
        {"a name that only ends in Set-Cookie", "; ", "X-Set-Cookie: evil=1\r\nNote: Set-Cookie: evil=2;\r\n",
         false, "; ", false},
    };
    for (const Merge& c : cases) expectMerges(c);
    EXPECT_EQ(responseCookie("Set-Cookie: sid=abc\x80\r\nX: y\r\n", "sid"), "abc");
    EXPECT_EQ(responseCookies("Set-Cookie: sid=abc\x80\r\nX: y\r\n"), "sid=abc");
}

TEST(ResponseCookies, ListsPairsInHeaderOrderWithoutDeletions) {
    const struct {
        const char* name;
        std::string headers;
        std::string expected;
    } cases[] = {
        {"login redirect", kLoginRedirect, "sid=xyz; uid=7; auth=YWJj=="},
        {"every deleted marker skipped",
         "Set-Cookie: a=deleted;\r\nSet-Cookie: b=1;\r\nSet-Cookie: c=DELETED;\r\n"
         "Set-Cookie: d=Deleted;\r\nSet-Cookie: e=2;\r\n",
         "b=1; e=2"},
        {"other spellings are values", "Set-Cookie: a=DeLeTeD; path=/\r\n", "a=DeLeTeD"},
        {"line without ;", "Set-Cookie: a=1\r\nX-Y: z; w\r\nSet-Cookie: b=2\r\n", "a=1; b=2"},
        {"only deletions", "Set-Cookie: a=deleted;\r\n", ""},
        {"no Set-Cookie line", "HTTP/1.1 200 OK\r\n\r\n", ""},
        {"empty header block", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(responseCookies(c.headers), c.expected);
    }
}

TEST(ResponseCookie, ReadsOneValueIgnoringCase) {
    const struct {
        const char* name;
        std::string headers;
        std::string cookie;
        std::string expected;
    } cases[] = {
        {"with a space after the colon", kLoginRedirect, "sid", "xyz"},
        {"letter case ignored", kLoginRedirect, "SID", "xyz"},
        {"lower-case header", kLoginRedirect, "uid", "7"},
        {"without a space after the colon", kLoginRedirect, "auth", "YWJj=="},
        {"a name inside another name is no match", kLoginRedirect, "id", ""},
        {"absent", kLoginRedirect, "missing", ""},
        {"the spaced form is looked for first", "Set-Cookie:a=1;\r\nSet-Cookie: a=2;\r\n", "a",
         "2"},
        {"value ends with its line", "Set-Cookie: a=1\r\nX: y; z\r\n", "a", "1"},
        {"value at the end of the block", "Set-Cookie: a=1", "a", "1"},
        {"empty header block", "", "a", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(responseCookie(c.headers, c.cookie), c.expected);
    }
}

using Pairs = std::vector<std::pair<std::string, std::string>>;

TEST(ResponseCookiesForBrowser, DeletionsAsEmptyValues) {
    const std::string headers =
        "Set-Cookie: sid=xyz; path=/\r\n"
        "Set-Cookie: old=Deleted; path=/\r\n"
        "Set-Cookie: e=; path=/\r\n"
        "Set-Cookie: s= ; path=/\r\n"
        "Set-Cookie: junk; path=/\r\n"
        "Set-Cookie: t=a=b;\r\n";
    EXPECT_EQ(responseCookiesForBrowser(headers, false),
              (Pairs{{"sid", "xyz"}, {"old", ""}, {"e", ""}, {"s", " "}, {"t", "a=b"}}));
    EXPECT_EQ(responseCookiesForBrowser(headers, true),
              (Pairs{{"sid", "xyz"}, {"old", ""}, {"t", "a=b"}}));
    EXPECT_EQ(responseCookiesForBrowser("", true), Pairs{});
}

TEST(CookiePairs, SplitsACookieText) {
    EXPECT_EQ(cookiePairs("a=1; b=2; flag;　d=x=y;"),
              (Pairs{{"a", "1"}, {"b", "2"}, {"d", "x=y"}}));
    EXPECT_EQ(cookiePairs("名=值"), (Pairs{{"名", "值"}}));
    EXPECT_EQ(cookiePairs(""), Pairs{});
    EXPECT_EQ(cookiePairs(";;"), Pairs{});
}

}  // namespace
}  // namespace brevaro::http
