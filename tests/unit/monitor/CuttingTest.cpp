#include "monitor/Cutting.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
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

// A page a hostile server can send: many start markers, then the excluded
// text and a single end marker. Every start marker begins a piece that runs
// to the one end marker and holds the exclusion, so each is dropped and the
// search goes on just after it; a cut that scans the rest of the page for
// every one of them takes the square of the page's length (hours at a few
// MiB). The pieces are exactly the ones a naive cut gives (none here, one
// after the trailing row), only found in one pass.
TEST(CutAll, ManyStartsBeforeOneExcludedEndAreCutInOnePass) {
    const std::string_view exclusion = "LOGIN";
    std::string page;
    while (page.size() < 2 * 1024 * 1024) page += "<tr>";
    page += exclusion;
    page += "</tr><tr>row</tr>";

    auto cut = std::async(std::launch::async, [&] { return cutAll(page, "<tr>", "</tr>", exclusion); });
    // A guard against a hang, not a speed goal: one pass takes milliseconds.
    ASSERT_EQ(cut.wait_for(std::chrono::minutes(2)), std::future_status::ready)
        << "cutting is not linear in the page";
    EXPECT_EQ(cut.get(), (Pieces{"row"}));
}

// The cut asks whether to stop before every start marker it takes, dropped
// pieces included, and ends at once when told to.
TEST(CutEach, StopIsHonouredBetweenPiecesDroppedOnesIncluded) {
    const std::string page = "<tr>LOGIN <tr>LOGIN <tr>a</tr><tr>b</tr><tr>c</tr>";
    struct Case {
        int stopAtQuestion;  // 0: never
        Pieces visited;
        int questions;
    };
    const Case cases[] = {
        {0, {"a", "b", "c"}, 6},  // five start markers, and the search that finds no sixth
        {1, {}, 1},
        {2, {}, 2},  // inside the dropped pieces
        {4, {"a"}, 4},
        {6, {"a", "b", "c"}, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stopAtQuestion);
        Pieces visited;
        int questions = 0;
        const bool whole = cutEach(
            page, "<tr>", "</tr>", "LOGIN",
            [&](std::string_view piece) {
                visited.push_back(piece);
                return true;
            },
            [&] { return ++questions == c.stopAtQuestion; });
        EXPECT_EQ(visited, c.visited);
        EXPECT_EQ(questions, c.questions);
        EXPECT_EQ(whole, c.stopAtQuestion == 0);
    }
}

TEST(CutEach, VisitorEndsTheCut) {
    Pieces visited;
    EXPECT_FALSE(cutEach("<li>1</li><li>2</li>", "<li>", "</li>", {}, [&](std::string_view piece) {
        visited.push_back(piece);
        return false;
    }));
    EXPECT_EQ(visited, Pieces{"1"});
}

}  // namespace
}  // namespace brevaro::monitor
