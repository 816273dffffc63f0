#include <gtest/gtest.h>

#include <string>

#include "http/CookieText.h"

namespace brevaro::http {
namespace {

TEST(CookieStoreFrame, FramesAndUnframesCookieText) {
    struct Case {
        std::string text;
        std::string store;
        std::string textBack;
    };
    const Case cases[] = {
        {"a=1; b=2", "; a=1; b=2; ", "a=1; b=2"},
        {"a=1", "; a=1; ", "a=1"},
        {"a=1;", "; a=1; ", "a=1"},
        {"a=1; ", "; a=1; ", "a=1"},
        {"; a=1", "; a=1; ", "a=1"},
        {"; a=1; ", "; a=1; ", "a=1"},
        {"", "; ", ""},
        {"; ", "; ", ""},
        {";", "; ; ", ""},
        {"名=值", "; 名=值; ", "名=值"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string store = cookieStoreFromText(c.text);
        EXPECT_EQ(store, c.store);
        EXPECT_EQ(cookieTextFromStore(store), c.textBack);
    }
}

TEST(CookieStoreFrame, ShortStoresReadAsEmptyText) {
    for (const std::string store : {"", ";", "; ", "; a"}) {
        SCOPED_TRACE(store);
        EXPECT_EQ(cookieTextFromStore(store), "");
    }
}

struct Edit {
    const char* name;
    std::string store;
    std::string argument;
    std::string expected;
    bool changed;
};

TEST(MergeCookies, ReplacesInPlaceAndAppendsNewNames) {
    const Edit cases[] = {
        {"new name appended", "; a=1; ", "b=2", "; a=1; b=2; ", true},
        {"same name replaced in place", "; a=1; b=2; c=3; ", "b=5", "; a=1; b=5; c=3; ", true},
        {"into the empty store", "; ", "a=1; b=2", "; a=1; b=2; ", true},
        {"leading spaces of both kinds removed", "; a=1; ", "  b=2;　c=3", "; a=1; b=2; c=3; ",
         true},
        {"pieces without = ignored", "; ", "flag; a=1;", "; a=1; ", true},
        {"no deleted markers here", "; a=1; ", "a=deleted", "; a=deleted; ", true},
        {"b never matches bb", "; bb=1; ", "b=2", "; bb=1; b=2; ", true},
        {"names compare exactly", "; A=1; ", "a=2", "; A=1; a=2; ", true},
        {"value with = of its own", "; t=1; ", "t=a=b", "; t=a=b; ", true},
        {"same value is no change", "; a=1; b=2; ", "b=2", "; a=1; b=2; ", false},
        {"empty text is no change", "; a=1; ", "", "; a=1; ", false},
    };
    for (const Edit& c : cases) {
        SCOPED_TRACE(c.name);
        std::string store = c.store;
        EXPECT_EQ(mergeCookies(store, c.argument), c.changed);
        EXPECT_EQ(store, c.expected);
    }
}

TEST(DeleteCookies, RemovesNamedEntriesAndKeepsTheFrame) {
    const Edit cases[] = {
        {"middle", "; a=1; b=2; c=3; ", "b", "; a=1; c=3; ", true},
        {"first", "; a=1; b=2; c=3; ", "a", "; b=2; c=3; ", true},
        {"last", "; a=1; b=2; c=3; ", "c", "; a=1; b=2; ", true},
        {"only entry", "; a=1; ", "a", "; ", true},
        {"a piece with = counts by its name", "; a=1; b=2; ", "b=9", "; a=1; ", true},
        {"several names, leading spaces", "; a=1; b=2; c=3; ", " c;　a", "; b=2; ", true},
        {"absent name", "; a=1; ", "x", "; a=1; ", false},
        {"b never matches bb", "; bb=1; ", "b", "; bb=1; ", false},
        {"names compare exactly", "; a=1; ", "A", "; a=1; ", false},
        {"a blank after the last separator names nothing", "; =x; a=1; ", "a; ", "; =x; ", true},
        {"only \"=\" names the empty name", "; =x; a=1; ", "=", "; a=1; ", true},
        {"empty list", "; a=1; ", "", "; a=1; ", false},
    };
    for (const Edit& c : cases) {
        SCOPED_TRACE(c.name);
        std::string store = c.store;
        EXPECT_EQ(deleteCookies(store, c.argument), c.changed);
        EXPECT_EQ(store, c.expected);
    }
}

TEST(CookieValue, ReadsOneEntryOfTheStore) {
    struct Case {
        const char* name;
        std::string store;
        std::string cookie;
        std::string value;
        std::string withName;
    };
    const Case cases[] = {
        {"middle entry", "; a=1; b=2; c=3; ", "b", "2", "b=2"},
        {"first entry", "; a=1; b=2; ", "a", "1", "a=1"},
        {"chinese", "; 名=值; ", "名", "值", "名=值"},
        {"empty value", "; a=; ", "a", "", "a="},
        {"absent", "; a=1; ", "x", "", ""},
        {"b never matches bb", "; bb=1; ", "b", "", ""},
        {"names compare exactly", "; a=1; ", "A", "", ""},
        {"empty store", "; ", "a", "", ""},
        {"store without its trailing frame", "; a=1", "a", "1", "a=1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(cookieValue(c.store, c.cookie), c.value);
        EXPECT_EQ(cookieValue(c.store, c.cookie, true), c.withName);
    }
}

// Every edit keeps "; " at both ends of a framed store, whatever it is given:
// separators alone, stray "=", spaces, a lone GBK lead byte, Set-Cookie lines
// cut short. (Under the sanitizers this also checks that no rule reads or
// writes out of range.)
TEST(CookieStoreFrame, EveryEditKeepsTheFrameOnOddInput) {
    // clang-format off
    const std::string inputs[] = {
        "", ";", "=", " ", "　", "; ", ";;", "==", "\r\n",
        "a", "a=", "=a", "; a", "a;", "a=1; ",
        "\xB0", "\xA1", "b=\xB0",
        "Set-Cookie:", "set-cookie:;", "Set-Cookie:\r\n", "Set-Cookie: a=deleted",
        "Set-Cookie:a=;\r\nSet-Cookie:=;"};
    // clang-format on
    auto framed = [](const std::string& store) {
        return store.starts_with("; ") && store.ends_with("; ");
    };
    for (const std::string& text : inputs) {
        for (const std::string& argument : inputs) {
            SCOPED_TRACE("store from [" + text + "], argument [" + argument + "]");
            const std::string start = cookieStoreFromText(text);
            ASSERT_TRUE(framed(start));
            (void)cookieTextFromStore(start);
            (void)cookieValue(start, argument, true);

            std::string store = start;
            mergeCookies(store, argument);
            EXPECT_TRUE(framed(store)) << store;
            store = start;
            deleteCookies(store, argument);
            EXPECT_TRUE(framed(store)) << store;
            for (bool ignoreEmpty : {false, true}) {
                store = start;
                mergeResponseCookies(store, argument, ignoreEmpty);
                EXPECT_TRUE(framed(store)) << store;
            }
        }
    }
}

// Cookie texts come from the browser's store, which a server filled: a CR,
// LF or NUL ends the entry it stands in, so no line break reaches the store.
TEST(CookieStoreFrame, LineBreaksEndTheirEntry) {
    EXPECT_EQ(cookieStoreFromText("a=1\r\nX-Evil: y; b=2"), "; a=1; b=2; ");
    EXPECT_EQ(cookieStoreFromText(std::string("a=1\0z; b=2", 10)), "; a=1; b=2; ");
    std::string store = "; a=0; ";
    EXPECT_TRUE(mergeCookies(store, "a=1\nX: y; c=3"));
    EXPECT_EQ(store, "; a=1; c=3; ");
}

}  // namespace
}  // namespace brevaro::http
