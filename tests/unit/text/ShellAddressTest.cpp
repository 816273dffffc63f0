#include "text/ShellAddress.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

#include "text/Encoding.h"

namespace brevaro::text {
namespace {

struct Case {
    const char* name;
    std::string address;  // GBK
    std::optional<std::string> shell;
};

// What the shell may receive: printable ASCII without the bytes that quote,
// split or escape on a command line.
testing::AssertionResult isShellSafe(std::string_view shell) {
    constexpr std::string_view kRefused = "\"<>\\^`{|}";
    for (const char c : shell) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x21 || byte > 0x7E || kRefused.find(c) != std::string_view::npos) {
            return testing::AssertionFailure() << "byte " << static_cast<int>(byte) << " in " << shell;
        }
    }
    return testing::AssertionSuccess();
}

TEST(ShellAddress, EscapesWhatWouldSplitOrQuoteTheBrowsersCommandLine) {
    const Case cases[] = {
        {"plain", "http://bbs.example/thread-1-1-1.html", "http://bbs.example/thread-1-1-1.html"},
        {"query and fragment", "https://a.example:8443/f.php?mod=view&tid=7#last",
         "https://a.example:8443/f.php?mod=view&tid=7#last"},
        {"quotes and spaces", "http://a/x\" --kiosk \"y", "http://a/x%22%20--kiosk%20%22y"},
        {"controls and DEL", "http://a/\t\r\n\x01\x1F\x7F.", "http://a/%09%0D%0A%01%1F%7F."},
        {"every listed byte", "http://a/\"<>\\^`{|}", "http://a/%22%3C%3E%5C%5E%60%7B%7C%7D"},
        {"kept punctuation", "http://a/!$&'()*+,;=~[]@:", "http://a/!$&'()*+,;=~[]@:"},
        {"percent kept", "http://a/%E4%BA%AC%zz%", "http://a/%E4%BA%AC%zz%"},
        // GBK text arrives as the UTF-8 escapes a browser expects, also when
        // the pair's second byte is '\\' or '|'.
        {"GBK pair", "http://a/?q=京东", "http://a/?q=%E4%BA%AC%E4%B8%9C"},
        {"pair ending in backslash and bar", "http://a/\x95\x5C\x95\x7C", "http://a/%E6%98%9E%E6%99%90"},
        {"pair with a letter trail", "http://a/\x81\x40", "http://a/%E4%B8%82"},
        // A byte of 0x80 or more that starts no character is escaped as it
        // stands, and never takes the next byte with it.
        {"lone lead byte at the end", "http://a/\x81", "http://a/%81"},
        {"lead byte before a quote", "http://a/\xB0\" --x", "http://a/%B0%22%20--x"},
        {"lead byte before a space", "http://a/\xB0 b", "http://a/%B0%20b"},
        {"lead byte before a control", "http://a/\xFE\n", "http://a/%FE%0A"},
        {"0x80 and 0xFF", "http://a/\x80\xFF", "http://a/%80%FF"},
        {"0xFF before a trail-like byte", "http://a/\xFF\xA1", "http://a/%FF%A1"},
        // A user-defined pair converts to no character: both bytes escaped.
        {"user-defined pair", "http://a/\xAA\xA1", "http://a/%AA%A1"},
        {"user-defined pair, ASCII trail", "http://a/\xA1\x40", "http://a/%A1%40"},
        {"unassigned pair", "http://a/\xA2\xAB", "http://a/%A2%AB"},
        // Scheme in any case, a host required.
        {"upper-case scheme", "HTTP://BBS.EXAMPLE/", "HTTP://BBS.EXAMPLE/"},
        {"mixed-case https", "hTtPs://a", "hTtPs://a"},
        {"user and port", "http://u:p@127.0.0.1:8080/x", "http://u:p@127.0.0.1:8080/x"},
        {"IPv6 literal", "http://[::1]:8080/", "http://[::1]:8080/"},
        // The space is refused as a host character by browsers; escaped it
        // can no longer split the command line.
        {"space in the host", "http:// a", "http://%20a"},
        {"no host", "http://", std::nullopt},
        {"path only", "http:///etc/passwd", std::nullopt},
        {"port only", "http://:80/", std::nullopt},
        {"user only", "http://user@/x", std::nullopt},
        {"user and port only", "https://user@:443/x", std::nullopt},
        {"empty IPv6 literal", "http://[]/", std::nullopt},
        {"no slashes", "http:bbs.example", std::nullopt},
        {"backslashes", "http:\\\\evil.example\\x", std::nullopt},
        {"leading space", " http://bbs.example/", std::nullopt},
        {"leading quote", "\"http://bbs.example/\"", std::nullopt},
        {"empty", "", std::nullopt},
        {"relative", "thread-1-1-1.html", std::nullopt},
        {"absolute path", "/forum.php?mod=viewthread", std::nullopt},
        {"ftp", "ftp://bbs.example/", std::nullopt},
        {"file", "file:///C:/Windows/notepad.exe", std::nullopt},
        {"javascript", "javascript:alert(1)", std::nullopt},
        {"mailto", "mailto:a@b.c", std::nullopt},
        {"program path", "C:\\Windows\\notepad.exe", std::nullopt},
        {"program", "notepad.exe", std::nullopt},
        {"scheme-like program", "http.exe://x", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::optional<std::string> shell = shellAddress(c.address);
        EXPECT_EQ(shell, c.shell);
        if (shell) {
            EXPECT_TRUE(isShellSafe(*shell));
        }
    }
}

// Every byte after a web address, and every byte after each possible lead
// byte: whatever the page wrote, the shell gets safe ASCII.
TEST(ShellAddress, GivesTheShellSafeAsciiWhateverTheBytes) {
    const std::string base = "http://a/";
    for (int first = 0; first < 256; ++first) {
        const char a = static_cast<char>(first);
        for (const std::string& tail : {std::string{a}, std::string{a, '"'}, std::string{a, ' '}}) {
            const std::optional<std::string> shell = shellAddress(base + tail);
            ASSERT_TRUE(shell.has_value()) << first;
            EXPECT_TRUE(isShellSafe(*shell)) << first;
        }
        if (first < 0x80) continue;
        for (int second = 0; second < 256; ++second) {
            const std::optional<std::string> shell = shellAddress(base + a + static_cast<char>(second));
            ASSERT_TRUE(shell.has_value());
            EXPECT_TRUE(isShellSafe(*shell)) << first << ' ' << second;
        }
    }
}

// Which pairs count as characters is what both platforms' code page 936
// convert to a character outside the private-use area: iconv natively, the
// Win32 conversion in the Windows build (this test runs under both, and both
// must find the same number). A character comes back from its UTF-8 escapes;
// a pair of the user-defined areas is escaped byte by byte.
TEST(ShellAddress, AgreesOnEveryGbkPairWithCodePage936) {
    constexpr char kHex[] = "0123456789ABCDEF";
    auto byteEscapes = [&](int lead, int trail) {
        return std::string{'%', kHex[lead >> 4], kHex[lead & 15], '%', kHex[trail >> 4], kHex[trail & 15]};
    };
    auto unescape = [](std::string_view escaped) {
        std::string bytes;
        for (std::size_t i = 0; i + 3 <= escaped.size(); i += 3) {
            if (escaped[i] != '%') return std::string("not escapes");
            bytes.push_back(static_cast<char>(std::stoi(std::string(escaped.substr(i + 1, 2)), nullptr, 16)));
        }
        return escaped.size() % 3 == 0 ? bytes : std::string("not escapes");
    };
    auto userDefined = [](int lead, int trail) {
        return (lead >= 0xAA && lead <= 0xAF && trail >= 0xA1) || (lead >= 0xF8 && trail >= 0xA1) ||
               (lead >= 0xA1 && lead <= 0xA7 && trail <= 0xA0);
    };
    const std::string base = "http://a/";
    int characters = 0;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F) continue;
            const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
            const std::optional<std::string> shell = shellAddress(base + pair);
            ASSERT_TRUE(shell.has_value());
            const std::string escapes = shell->substr(base.size());
            if (escapes == byteEscapes(lead, trail)) continue;
            SCOPED_TRACE(escapes);
            ++characters;
            EXPECT_FALSE(userDefined(lead, trail)) << "a user-defined pair taken as a character";
            EXPECT_EQ(utf8ToGbk(unescape(escapes)), pair);
        }
    }
    EXPECT_EQ(characters, 21791);
}

}  // namespace
}  // namespace brevaro::text
