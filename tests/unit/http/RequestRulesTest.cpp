#include "http/RequestRules.h"

#include <gtest/gtest.h>

#include <string>

namespace brevaro::http {
namespace {

TEST(RequestUrl, PutsTheSchemeInFrontWhenMissing) {
    const struct {
        std::string url, expected;
    } cases[] = {
        {"host/x", "http://host/x"},
        {"http://host/x", "http://host/x"},
        {"Https://host/x", "Https://host/x"},
        {"HTTP://h", "HTTP://h"},
        {"http://", "http://http://"},  // 7 bytes or fewer always get it
        {"ftp://host/", "http://ftp://host/"},
        {"", "http://"},
    };
    for (const auto& c : cases) EXPECT_EQ(requestUrl(c.url), c.expected) << c.url;
}

TEST(RequestHost, IsTheAuthorityWithoutUserInfo) {
    const struct {
        std::string url, expected;
    } cases[] = {
        {"http://www.zuanke8.com/forum-15-1.html", "www.zuanke8.com"},
        {"https://127.0.0.1:8443/", "127.0.0.1:8443"},
        {"http://127.0.0.1:9?x=/y", "127.0.0.1:9"},
        {"http://host#frag", "host"},
        {"host:81/x", "host:81"},  // requested as http://host:81/x
        {"http://user:pw@host/x", "host"},
        {"http:///x", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(requestHost(c.url), c.expected) << c.url;
}

constexpr std::string_view kHeaders =
    "HTTP/1.1 302 Found\r\n"
    "Content-Type: text/html\r\n"
    "X-Empty:\r\n"
    "content-length:   1234\r\n"
    "Location:  next.html  \r\n"
    "Set-Cookie: a=1; path=/\r\n"
    "\r\n";

TEST(ResponseHeader, FindsTheFirstLineOfThatName) {
    EXPECT_EQ(responseHeader(kHeaders, "content-type"), "text/html");
    EXPECT_EQ(responseHeader(kHeaders, "Content-Length"), "1234");
    EXPECT_EQ(responseHeader(kHeaders, "X-Empty"), "");
    EXPECT_EQ(responseHeader(kHeaders, "Content"), "") << "a name is matched whole";
    EXPECT_EQ(responseHeader(kHeaders, "HTTP/1.1 302 Found"), "") << "the status line is skipped";
    EXPECT_EQ(responseHeader("", "Location"), "");
    EXPECT_EQ(responseHeader(kHeaders, ""), "");
}

TEST(ContentLength, ReadsTheHeaderOrMinusOne) {
    EXPECT_EQ(contentLengthOf(kHeaders), 1234);
    EXPECT_EQ(contentLengthOf("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n"), 0);
    EXPECT_EQ(contentLengthOf("HTTP/1.1 200 OK\r\n\r\n"), -1);
    EXPECT_EQ(contentLengthOf("HTTP/1.1 200 OK\r\nContent-Length: 77"), 77) << "to the end of the block";
}

TEST(RedirectLocation, CompletesEveryKindOfValue) {
    const ConnectedTarget http{false, "forum.example", 80};
    const ConnectedTarget https{true, "site.example", 443};
    const struct {
        const char* name;
        std::string location;
        ConnectedTarget target;
        std::string currentUrl;
        std::string expected;
    } cases[] = {
        {"path, port always written", "/login.php", http, "http://forum.example/a", "http://forum.example:80/login.php"},
        {"path over https", "/x", https, "https://site.example/", "https://site.example:443/x"},
        {"absolute kept", "HTTPS://other.example/y", http, "http://forum.example/", "HTTPS://other.example/y"},
        {"relative to the directory", "next.html", http, "http://host/a/b.html", "http://host/a/next.html"},
        {"relative, URL ends in a slash", "c", http, "http://host/a/", "http://host/a/c"},
        // A URL without a path: the value goes after the host, not in its place.
        {"relative, URL without a path", "next.html", http, "http://host", "http://host/next.html"},
        {"trimmed", "  /t  ", http, "http://h/", "http://forum.example:80/t"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string headers = "HTTP/1.1 302 Found\r\nLocation:" + c.location + "\r\n\r\n";
        EXPECT_EQ(redirectLocation(headers, true, c.target, c.currentUrl), c.expected);
    }
    EXPECT_EQ(redirectLocation(kHeaders, false, http, "http://h/"), "next.html");
    EXPECT_EQ(redirectLocation("HTTP/1.1 200 OK\r\n\r\n", true, http, "http://h/"), "");
    EXPECT_EQ(redirectLocation("", true, http, "http://h/"), "");
}

// A hostile server writes header lines that only look like the ones the
// program reads: a header counts only as a whole name at the start of a line,
// and no value runs past its line's end (a lone byte of 0x80 or more before
// the CR LF does not take the CR with it) or past a CR or NUL inside it.
TEST(HostileHeaders, AreReadByWholeNameAndWithinTheirLine) {
    const ConnectedTarget http{false, "h", 80};
    struct Case {
        const char* what;
        std::string headers;
        std::string location;  // redirectLocation, complete
        int contentLength;
        std::string server;  // responseHeader "Server"
    };
    const Case cases[] = {
        {"Content-Location is not a Location",
         "HTTP/1.1 200 OK\r\nContent-Location: http://elsewhere/\r\nContent-Length: 5\r\n\r\n", "", 5, ""},
        {"X-Content-Length does not empty the page",
         "HTTP/1.1 200 OK\r\nX-Content-Length: 0\r\nContent-Length: 9\r\n\r\n", "", 9, ""},
        {"a name inside a value is not a header",
         "HTTP/1.1 200 OK\r\nX-Note: Location: http://evil/ Content-Length: 0\r\n\r\n", "", -1, ""},
        {"a lone lead byte keeps its line",
         "HTTP/1.1 200 OK\r\nServer: abc\x80\r\nLocation: /next\r\n\r\n", "http://h:80/next", -1,
         "abc\x80"},
        {"a stray CR ends the value and the rest of its line",
         "HTTP/1.1 302 Found\r\nServer: a\rLocation: http://evil/\r\nLocation: /x\r\n\r\n",
         "http://h:80/x", -1, "a"},
        {"a NUL ends the value",
         std::string("HTTP/1.1 302 Found\r\nLocation: /x\0Location: http://evil/\r\nServer: s\0t\r\n", 70),
         "http://h:80/x", -1, "s"},
        {"names ignore case", "HTTP/1.1 301 Moved\r\nlocation: /y\r\ncontent-length: 3\r\n\r\n",
         "http://h:80/y", 3, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(redirectLocation(c.headers, true, http, "http://h/a"), c.location);
        EXPECT_EQ(contentLengthOf(c.headers), c.contentLength);
        EXPECT_EQ(responseHeader(c.headers, "Server"), c.server);
    }
}

TEST(SharesCookies, OnlyTheHomeHostAndItsRelatives) {
    struct Case {
        const char* home;
        const char* host;
        bool shares;
    };
    const Case cases[] = {
        {"zuanke8.com", "zuanke8.com", true},
        {"zuanke8.com", "www.zuanke8.com", true},
        {"www.zuanke8.com", "zuanke8.com", true},
        {"www.zuanke8.com", "WWW.Zuanke8.COM:80", true},
        {"bbs.zuanke8.com", "www.zuanke8.com", false},  // siblings: neither is under the other
        {"zuanke8.com", "evil.example", false},
        {"zuanke8.com", "evilzuanke8.com", false},
        {"zuanke8.com", "zuanke8.com.evil.example", false},
        {"www.zuanke8.com", "bbs.other.com", false},
        {"127.0.0.1:8080", "127.0.0.1:9090", true},
        {"127.0.0.1", "127.0.0.2", false},
        {"0.0.1", "127.0.0.1", false},  // addresses have no subdomains
        {"zuanke8.com", "", false},
        {"", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.home) + " / " + c.host);
        EXPECT_EQ(sharesCookies(c.home, c.host), c.shares);
    }
}

// The login goes no higher than the home host's own registrable domain: a
// public suffix ("com", "com.cn") or a lone label holds everyone's sites.
TEST(SharesCookies, NeverWithAPublicSuffixOrALoneLabel) {
    struct Case {
        const char* home;
        const char* host;
        bool shares;
    };
    const Case cases[] = {
        {"www.example.com", "com", false},
        {"www.example.com", "COM.", false},
        {"example.com", "com", false},
        {"bbs.foo.com.cn", "com.cn", false},
        {"bbs.foo.com.cn", "cn", false},
        {"bbs.foo.com.cn", "foo.com.cn", true},
        {"a.b.foo.com.cn", "b.foo.com.cn", true},
        {"a.b.foo.com.cn", "foo.com.cn", true},
        {"foo.com.cn", "bbs.foo.com.cn", true},
        {"www.foo.net.cn", "net.cn", false},
        {"www.foo.org.cn", "org.cn", false},
        {"www.foo.gov.cn", "gov.cn", false},
        {"www.foo.edu.cn", "edu.cn", false},
        {"www.foo.ac.cn", "ac.cn", false},
        {"www.foo.sh.cn", "sh.cn", false},
        {"www.foo.com.hk", "com.hk", false},
        {"www.foo.com.hk", "foo.com.hk", true},
        {"www.foo.com.tw", "com.tw", false},
        {"www.foo.hk", "hk", false},
        {"www.foo.hk", "foo.hk", true},
        {"www.foo.io", "io", false},
        {"www.foo.top", "top", false},
        {"www.foo.xyz", "xyz", false},
        {"www.foo.cn", "foo.cn", true},
        {"www.zuanke8.com", "zuanke8.com", true},
        // A home that is itself a suffix or a lone label has no relatives.
        {"com.cn", "foo.com.cn", false},
        {"com", "example.com", false},
        {"com", "com", true},
        {"intranet", "www.intranet", false},
        {"www.intranet", "intranet", false},
        {"intranet", "INTRANET:8080", true},
        // A name with an empty label names no host.
        {"a..com", ".com", false},
        {"a.foo..com", "foo..com", false},
        // Addresses share with themselves only.
        {"127.0.0.1", "127.0.0.1:80", true},
        {"127.0.0.1", "0.1", false},
        {"127.0.0.1", "1", false},
        {"[::1]:8080", "[::1]:9090", true},
        {"[::1]", "[::2]", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.home) + " / " + c.host);
        EXPECT_EQ(sharesCookies(c.home, c.host), c.shares);
    }
}

TEST(DefaultHeaderBlock, IsTheFixedBlock) {
    EXPECT_EQ(defaultHeaderBlock(false), "Accept:*/*\r\nAccept-Language:zh-cn\r\nCache-Control:no-cache");
    EXPECT_EQ(defaultHeaderBlock(false).size(), 57u);
    EXPECT_EQ(defaultHeaderBlock(true).size(), 105u);
    EXPECT_TRUE(defaultHeaderBlock(true).ends_with("\r\nContent-Type:application/x-www-form-urlencoded"));
}

TEST(BodyBuffer, GrowsInTheStepsOfItsLength) {
    EXPECT_EQ(firstBodyBufferSize(-1), 10240u);
    EXPECT_EQ(firstBodyBufferSize(500), 500u);
    EXPECT_EQ(firstBodyBufferSize(5'000'000), 1048576u);
    const struct {
        int contentLength;
        std::size_t needed;
        std::size_t expected;
    } cases[] = {
        {-1, 12000, 22240},                         // unknown: 10 KB steps
        {-1, 2'000'000, 3'048'576},                 // unknown and long: 1 MiB steps
        {100, 300, 10540},                          // more than announced
        {5'000'000, 1'100'000, 2'148'576},          // announced length still far
        {1'500'000, 1'100'000, 1'500'000},          // the announced length
    };
    for (const auto& c : cases) {
        EXPECT_EQ(grownBodyBufferSize(c.contentLength, c.needed), c.expected)
            << c.contentLength << " / " << c.needed;
    }
}

}  // namespace
}  // namespace brevaro::http
