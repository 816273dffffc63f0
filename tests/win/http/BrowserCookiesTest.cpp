// The embedded browser's cookies as the forum boards read them: the machine's
// WinINet store, under Wine. Session cookies live in the test process only.

#include <windows.h>
#include <wininet.h>

#include <gtest/gtest.h>

#include <string>

#include "http/BrowserCookieStore.h"

namespace brevaro::http {
namespace {

// The cookies are written for the loopback host (nothing is fetched); the
// last test, which needs a store of its own, uses a name that resolves
// nowhere. An HttpOnly cookie is marked in its data and allowed by the flag,
// as a browser stores it.
bool setCookie(const char* url, const char* name, const std::string& value, bool httpOnly = false) {
    if (httpOnly) {
        return InternetSetCookieExA(url, name, (value + "; HttpOnly").c_str(), INTERNET_COOKIE_HTTPONLY,
                                    0) != 0;
    }
    return InternetSetCookieA(url, name, value.c_str()) != FALSE;
}

TEST(BrowserCookies, ReadsTheLoopbackHostsCookiesInOrder) {
    EXPECT_EQ(BrowserCookies("127.0.0.1"), "") << "an empty store gives no cookies";
    EXPECT_EQ(BrowserCookies("127.0.0.1", "sid"), "");

    const char* url = "http://127.0.0.1/";
    ASSERT_TRUE(setCookie(url, "plain", "1"));
    ASSERT_TRUE(setCookie(url, "auth", "s3cret", true));
    ASSERT_TRUE(setCookie(url, "gone", "deleted"));
    EXPECT_EQ(browserStoreCookies("http://127.0.0.1"), "plain=1; gone=deleted")
        << "the plain read leaves HttpOnly cookies out";
    EXPECT_EQ(browserStoreCookiesWithHttpOnly("http://127.0.0.1"), "plain=1; auth=s3cret; gone=deleted");
    // The HttpOnly-inclusive read comes first and wins; the "deleted" entry
    // is dropped.
    EXPECT_EQ(BrowserCookies("127.0.0.1"), "plain=1; auth=s3cret");
    EXPECT_EQ(BrowserCookies("127.0.0.1", "AUTH"), "AUTH=s3cret");
    EXPECT_EQ(BrowserCookies("127.0.0.1", "gone"), "");
}

TEST(BrowserCookies, ReadsCookieTextsLongerThanAFixedBuffer) {
    const char* url = "http://many.brevaro.test/";
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        const std::string name = "c" + std::to_string(i);
        const std::string value(100, static_cast<char>('a' + i % 26));
        ASSERT_TRUE(setCookie(url, name.c_str(), value));
        expected += (expected.empty() ? "" : "; ") + name + "=" + value;
    }
    ASSERT_GT(expected.size(), 3000u);
    EXPECT_EQ(BrowserCookies("many.brevaro.test"), expected);
}

}  // namespace
}  // namespace brevaro::http
