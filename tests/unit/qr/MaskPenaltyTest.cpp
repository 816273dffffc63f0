// The four penalty rules on small hand-made matrices: one row per rule and
// per ambiguity of its wording.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "qr/MaskRules.h"

namespace brevaro::qr {
namespace {

// Rows of '1' (dark) and '0' (light).
字节矩阵类 matrixOf(const std::vector<std::string>& rows) {
    字节矩阵类 m(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (std::size_t y = 0; y < rows.size(); ++y) {
        for (std::size_t x = 0; x < rows[y].size(); ++x) {
            m.set(static_cast<int>(x), static_cast<int>(y), rows[y][x] == '1' ? 1 : 0);
        }
    }
    return m;
}

// One column holding the cells of text, top to bottom.
字节矩阵类 columnOf(const std::string& text) {
    std::vector<std::string> rows;
    for (const char c : text) rows.emplace_back(1, c);
    return matrixOf(rows);
}

// k dark cells, then light ones, in a width × height matrix.
字节矩阵类 darkCells(int k, int width, int height) {
    字节矩阵类 m(width, height);
    for (int i = 0; i < k; ++i) m.set(i % width, i / width, 1);
    return m;
}

struct Case {
    const char* what;
    字节矩阵类 matrix;
    int score;
};

TEST(MaskPenalty, Runs) {
    const Case cases[] = {
        {"11 equal cells", matrixOf({"11111111111"}), 9},
        {"5 equal cells", matrixOf({"00000"}), 3},
        {"4 equal cells", matrixOf({"1111"}), 0},
        {"two runs in a line", matrixOf({"000001111110"}), 3 + 4},
        {"a run split over a line end", matrixOf({"010111", "111010"}), 0},
        {"a column", columnOf("1111111"), 5},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(掩码辅助类::score(c.matrix).runs, c.score) << c.what;
    }
}

TEST(MaskPenalty, Blocks) {
    const Case cases[] = {
        {"3 x 3 equal: four overlapping squares", matrixOf({"000", "000", "000"}), 12},
        {"checkerboard", matrixOf({"01", "10"}), 0},
        {"one square", matrixOf({"110", "110", "011"}), 3},
        {"dark and light squares", matrixOf({"1100", "1100"}), 6},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(掩码辅助类::score(c.matrix).blocks, c.score) << c.what;
    }
}

TEST(MaskPenalty, FinderLikePatterns) {
    const Case cases[] = {
        {"light after", matrixOf({"10111010000"}), 40},
        {"light before", matrixOf({"00001011101"}), 40},
        {"light on both sides counts once", matrixOf({"000010111010000"}), 40},
        {"three light after", matrixOf({"1011101000"}), 0},
        {"three light before", matrixOf({"0001011101"}), 0},
        {"the line ends at the pattern", matrixOf({"1011101"}), 0},
        {"dark before, light after", matrixOf({"110111010000"}), 40},
        {"light before, dark after", matrixOf({"000010111011"}), 40},
        {"dark on both sides", matrixOf({"11011101100001"}), 0},
        {"two patterns sharing the light", matrixOf({"101110100001011101"}), 80},
        {"down a column", columnOf("10111010000"), 40},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(掩码辅助类::score(c.matrix).finderLike, c.score) << c.what;
    }
}

TEST(MaskPenalty, Balance) {
    const Case cases[] = {
        {"45 %", darkCells(9, 20, 1), 10},       {"50 %", darkCells(10, 20, 1), 0},
        {"55 %", darkCells(11, 20, 1), 10},      {"44.5 %", darkCells(89, 20, 10), 10},
        {"45.5 %", darkCells(91, 20, 10), 0},    {"54.5 %", darkCells(109, 20, 10), 0},
        {"60 %", darkCells(12, 20, 1), 20},      {"none dark", darkCells(0, 20, 1), 100},
        {"all dark", darkCells(20, 20, 1), 100},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(掩码辅助类::score(c.matrix).balance, c.score) << c.what;
    }
}

TEST(MaskPenalty, TotalAddsTheFourRules) {
    const MaskPenalty penalty = 掩码辅助类::score(matrixOf({"000", "000", "000"}));
    EXPECT_EQ(penalty, (MaskPenalty{0, 12, 0, 100}));
    EXPECT_EQ(penalty.total(), 112);
}

}  // namespace
}  // namespace brevaro::qr
