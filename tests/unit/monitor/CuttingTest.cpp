#include "monitor/Cutting.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brevaro::monitor {
namespace {

using Pieces = std::vector<std::string_view>;

TEST(CutBetween, TakesTheFirstPairOfMarkers) {
    struct Case {
        std::string text, start, end, expected;
    };
    const Case cases[] = {
        {"abc", "x", "c", ""},
        {"abc", "a", "x", ""},
        {"aXbXc", "X", "X", "b"},
        {"<em></em>", "<em>", "</em>", ""},
        {"c a b c", "a", "c", " b "},  // the end marker is searched after the start
        {"啊啊", "\xA1", "\xB0", ""},   // markers straddling characters are not found
        {"<b>京东</b><b>x</b>", "<b>", "</b>", "京东"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(cutBetween(c.text, c.start, c.end), c.expected);
    }
}

TEST(CutAll, CutsEveryPieceInOrder) {
    EXPECT_EQ(cutAll("<tr>a</tr><tr>b</tr>x<tr>c", "<tr>", "</tr>"), (Pieces{"a", "b"}));
    EXPECT_EQ(cutAll("<tr></tr>", "<tr>", "</tr>"), (Pieces{""}));
    EXPECT_EQ(cutAll("nothing here", "<tr>", "</tr>"), Pieces{});
    EXPECT_EQ(cutAll("<li>1</li><li>2", "<li>", "</li>", ""), (Pieces{"1"}));
}

TEST(CutAll, ExcludedPieceLetsAnInnerStartBeginTheNext) {
    // The quick-login row holds no </tr> before a later row's start marker,
    // so the excluded piece runs over it; the search resumes inside it.
    const std::string page = "<tr>LOGIN <tr>row1</tr><tr>row2</tr>";
    EXPECT_EQ(cutAll(page, "<tr>", "</tr>", "LOGIN"), (Pieces{"row1", "row2"}));
    EXPECT_EQ(cutAll("<tr>LOGIN</tr><tr>row</tr>", "<tr>", "</tr>", "LOGIN"), (Pieces{"row"}));
    EXPECT_EQ(cutAll("<tr>LOGIN</tr>", "<tr>", "</tr>", "LOGIN"), Pieces{});
}

}  // namespace
}  // namespace brevaro::monitor
