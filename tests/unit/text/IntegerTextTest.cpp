#include "text/IntegerText.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace brevaro::text {
namespace {

TEST(ReadInteger, ReadsWhatAUserTypes) {
    struct Case {
        std::string text;
        int expected;
    };
    const Case cases[] = {
        {"10", 10},
        {"abc", 0},
        {"", 0},
        {"１０", 10},          // full-width digits
        {"10秒", 10},
        {"  7", 7},
        {"\t\r\n7", 7},
        {"　５", 5},           // ideographic space, full-width digit
        {"-3", -3},
        {"＋4", 4},            // full-width plus
        {"－２", -2},          // full-width minus
        {"+", 0},
        {"1 2", 1},
        {"0x10", 0},
        {"007", 7},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(readInteger(c.text), c.expected);
    }
}

}  // namespace
}  // namespace brevaro::text
