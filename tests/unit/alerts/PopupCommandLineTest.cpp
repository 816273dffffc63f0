#include "alerts/PopupCommandLine.h"

#include <gtest/gtest.h>

#include <string>

namespace brevaro::alerts {
namespace {

constexpr const char* kAddressLabel = "%E5%B8%96%E5%AD%90%E5%9C%B0%E5%9D%80%3A";
constexpr const char* kTitleLabel = "%E5%B8%96%E5%AD%90%E5%90%8D%E7%A7%B0%3A";
constexpr const char* kTimeLabel = "%E5%B8%96%E5%AD%90%E6%97%B6%E9%97%B4%3A";
constexpr const char* kKeywordLabel = "%E5%85%B3%E9%94%AE%E8%AF%8D%E8%AF%AD%3A";

TEST(PercentEncodeUtf8, KeepsOnlyLettersDigitsDashAndDot) {
    const struct {
        std::string gbk, encoded;
    } cases[] = {
        {"AZaz09-.", "AZaz09-."},
        {"a b/c_d~e+f%", "a%20b%2Fc%5Fd%7Ee%2Bf%25"},
        {"京", "%E4%BA%AC"},
        {"帖子地址:", kAddressLabel},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(percentEncodeUtf8(c.gbk), c.encoded) << c.gbk;
}

TEST(PopupCommandLine, IsFourEncodedArgumentsAndTheStayText) {
    const AlertRequest alert{"thread-1-1-1.html", "AB", "10:05", "B", "10"};
    EXPECT_EQ(popupCommandLine(alert), std::string(" ") + kAddressLabel + "thread-1-1-1.html " + kTitleLabel +
                                           "AB " + kTimeLabel + "10%3A05 " + kKeywordLabel + "B 频率:10");
}

TEST(PopupCommandLine, KeepsEveryArgumentOneToken) {
    const AlertRequest alert{"", "京东 红包 满 100", "1&nbsp;小时前", "红包", "1 0"};
    const std::string line = popupCommandLine(alert);
    // An empty link still gives the bare label; spaces inside values are
    // encoded; the stay text is passed as typed and may split.
    EXPECT_EQ(line.substr(0, 1 + std::string(kAddressLabel).size() + 1), std::string(" ") + kAddressLabel + " ");
    EXPECT_NE(line.find("%20%E7%BA%A2%E5%8C%85%20"), std::string::npos);
    EXPECT_TRUE(line.ends_with(" 频率:1 0"));
    int spaces = 0;
    for (char c : line) spaces += c == ' ';
    EXPECT_EQ(spaces, 6);
}

}  // namespace
}  // namespace brevaro::alerts
