#include "app/boards/LinkResolution.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace brevaro::app {
namespace {

struct Case {
    const char* reference;
    const char* expected;
};

// The examples of RFC 3986, section 5.4 (normal and abnormal, strict parser).
TEST(ResolveReference, ResolvesTheStandardsExamples) {
    const std::string base = "http://a/b/c/d;p?q";
    const Case cases[] = {
        {"g:h", "g:h"},
        {"g", "http://a/b/c/g"},
        {"./g", "http://a/b/c/g"},
        {"g/", "http://a/b/c/g/"},
        {"/g", "http://a/g"},
        {"//g", "http://g"},
        {"?y", "http://a/b/c/d;p?y"},
        {"g?y", "http://a/b/c/g?y"},
        {"#s", "http://a/b/c/d;p?q#s"},
        {"g#s", "http://a/b/c/g#s"},
        {"g?y#s", "http://a/b/c/g?y#s"},
        {";x", "http://a/b/c/;x"},
        {"g;x", "http://a/b/c/g;x"},
        {"g;x?y#s", "http://a/b/c/g;x?y#s"},
        {"", "http://a/b/c/d;p?q"},
        {".", "http://a/b/c/"},
        {"./", "http://a/b/c/"},
        {"..", "http://a/b/"},
        {"../", "http://a/b/"},
        {"../g", "http://a/b/g"},
        {"../..", "http://a/"},
        {"../../", "http://a/"},
        {"../../g", "http://a/g"},
        {"../../../g", "http://a/g"},
        {"../../../../g", "http://a/g"},
        {"/./g", "http://a/g"},
        {"/../g", "http://a/g"},
        {"g.", "http://a/b/c/g."},
        {".g", "http://a/b/c/.g"},
        {"g..", "http://a/b/c/g.."},
        {"..g", "http://a/b/c/..g"},
        {"./../g", "http://a/b/g"},
        {"./g/.", "http://a/b/c/g/"},
        {"g/./h", "http://a/b/c/g/h"},
        {"g/../h", "http://a/b/c/h"},
        {"g;x=1/./y", "http://a/b/c/g;x=1/y"},
        {"g;x=1/../y", "http://a/b/c/y"},
        {"g?y/./x", "http://a/b/c/g?y/./x"},
        {"g?y/../x", "http://a/b/c/g?y/../x"},
        {"g#s/./x", "http://a/b/c/g#s/./x"},
        {"g#s/../x", "http://a/b/c/g#s/../x"},
        {"http:g", "http:g"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reference);
        EXPECT_EQ(resolveReference(base, c.reference), std::optional<std::string>(c.expected));
    }
}

TEST(ResolveReference, NeedsASchemeInTheBaseAndAValidOneInTheReference) {
    EXPECT_EQ(resolveReference("www.zuanke8.com/forum-19-1.html", "thread-1-1-1.html"), std::nullopt);
    EXPECT_EQ(resolveReference("http://a/b", "1x:y"), std::nullopt);
    EXPECT_EQ(resolveReference("http://a/b", "a b:c"), std::nullopt);
    // A base without a path: the merged path gains its leading "/".
    EXPECT_EQ(resolveReference("http://a", "g"), std::optional<std::string>("http://a/g"));
    // A base with dot segments is taken normalised, also under a link that
    // keeps its path: the address then resolves to itself.
    EXPECT_EQ(resolveReference("http://h/../p?m", "#f"), std::optional<std::string>("http://h/p?m#f"));
    EXPECT_EQ(resolveReference("http://h/a/./b", ""), std::optional<std::string>("http://h/a/b"));
}

struct OpenCase {
    const char* listUrl;
    const char* link;
    std::optional<std::string> opened;
};

TEST(OpenableLink, OpensWebAddressesOnly) {
    const char* forum = "http://www.zuanke8.com/forum-19-1.html";
    const char* article = "https://www.iqshw.com/";
    const OpenCase cases[] = {
        // The forum writes its thread links relative to the list page.
        {forum, "thread-1-1-1.html", "http://www.zuanke8.com/thread-1-1-1.html"},
        {forum, "forum.php?mod=viewthread&tid=7#lastpost",
         "http://www.zuanke8.com/forum.php?mod=viewthread&tid=7#lastpost"},
        {forum, "./a/../thread-2-1-1.html", "http://www.zuanke8.com/thread-2-1-1.html"},
        {forum, "//bbs.example/t/1.html", "http://bbs.example/t/1.html"},
        {article, "//www.iqshw.com/qita/2.html", "https://www.iqshw.com/qita/2.html"},
        {forum, "  thread-3-1-1.html\r\n", "http://www.zuanke8.com/thread-3-1-1.html"},
        // Absolute addresses stay as written: the article site's double slash too.
        {article, "https://www.iqshw.com//qita/1.html", "https://www.iqshw.com//qita/1.html"},
        {article, "HTTPS://WWW.IQSHW.COM/a.html", "HTTPS://WWW.IQSHW.COM/a.html"},
        {forum, "hTtP://127.0.0.1:8080/x", "hTtP://127.0.0.1:8080/x"},
        {"http://127.0.0.1:5123/forum-19-1.html", "thread-9-1-1.html",
         "http://127.0.0.1:5123/thread-9-1-1.html"},
        // What reaches the shell is ASCII: GBK text as its UTF-8 escapes (a
        // pair whose second byte is '\\' or '|' too), and the bytes that would
        // split or quote the browser's command line escaped.
        {forum, "thread-1.html?q=京东", "http://www.zuanke8.com/thread-1.html?q=%E4%BA%AC%E4%B8%9C"},
        {forum, "a b\"c<d>.html", "http://www.zuanke8.com/a%20b%22c%3Cd%3E.html"},
        {forum, "x\\y|z.html", "http://www.zuanke8.com/x%5Cy%7Cz.html"},
        {forum, "t.html?\x95\x5C\x95\x7C", "http://www.zuanke8.com/t.html?%E6%98%9E%E6%99%90"},
        {forum, "t.html?%E4%BA%AC", "http://www.zuanke8.com/t.html?%E4%BA%AC"},
        // A page's own switches for the browser stay inside the one address:
        // a quote after a byte that starts no GBK character included.
        {forum, "t.html\xB0\" --kiosk \"x", "http://www.zuanke8.com/t.html%B0%22%20--kiosk%20%22x"},
        {forum, "http://evil.example/\" --user-data-dir=C:\\x",
         "http://evil.example/%22%20--user-data-dir=C:%5Cx"},
        {forum, "t.html?\x81", "http://www.zuanke8.com/t.html?%81"},
        // A byte below 0x40 is never a pair's second byte: after a lone lead
        // byte a space, a quote or a control is still escaped.
        {forum, "t.html?\x81 x\x81\"y\xFE<", "http://www.zuanke8.com/t.html?%81%20x%81%22y%FE%3C"},
        {forum, "t.html?\x81\t\x81\x7F", "http://www.zuanke8.com/t.html?%81%09%81%7F"},
        {forum, "\xAA\xA1.html", "http://www.zuanke8.com/%AA%A1.html"},
        // Nothing else reaches the shell.
        {forum, "", std::nullopt},
        {forum, "   ", std::nullopt},
        {forum, "javascript:alert(1)", std::nullopt},
        {forum, " JavaScript:alert(1)", std::nullopt},
        {forum, "file:///C:/windows/notepad.exe", std::nullopt},
        {forum, "C:\\windows\\notepad.exe", std::nullopt},
        {forum, "c:/windows/notepad.exe", std::nullopt},
        {forum, "notepad.exe:x", std::nullopt},
        {forum, "mailto:a@b.c", std::nullopt},
        {forum, "ms-settings:", std::nullopt},
        {forum, "http:thread-1-1-1.html", std::nullopt},
        {forum, "http:\\\\evil.example\\x", std::nullopt},
        {forum, "http://", std::nullopt},
        {article, "//", std::nullopt},
        {forum, "https://user@:443/x", std::nullopt},
        {forum, "ftp://files.example/a", std::nullopt},
        {forum, "java\tscript:alert(1)", std::nullopt},
        // A list page whose own address is not a web address opens nothing.
        {"file:///C:/boards/list.html", "thread-1-1-1.html", std::nullopt},
        {"", "thread-1-1-1.html", std::nullopt},
    };
    for (const OpenCase& c : cases) {
        SCOPED_TRACE(std::string(c.listUrl) + " | " + c.link);
        EXPECT_EQ(openableLink(c.listUrl, c.link), c.opened);
    }
}

}  // namespace
}  // namespace brevaro::app
