#include "skin/ShadowRings.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace brevaro::skin {
namespace {

std::vector<int> alphas(const std::vector<std::uint32_t>& pixels) {
    std::vector<int> result;
    for (std::uint32_t pixel : pixels) result.push_back(static_cast<int>(pixel >> 24));
    return result;
}

TEST(ShadowAlphaStep, IsHundredOrHundredFiftyOverTheSize) {
    const struct {
        int size, step;
    } cases[] = {
        {1, 100}, {3, 33}, {5, 20}, {8, 12}, {9, 16}, {10, 15}, {150, 1}, {151, 0}, {0, 0}, {-2, 0},
    };
    for (const auto& c : cases) EXPECT_EQ(shadowAlphaStep(c.size), c.step) << "size " << c.size;
}

// Size 3 around a 2 x 1 window: three rings, 33 outside to 99 next to the
// window, the window's own place transparent.
TEST(PaintShadowRings, DrawsRingsFaintestOutside) {
    constexpr int width = 8, height = 7;
    std::vector<std::uint32_t> pixels(width * height, 0xDEADBEEF);
    paintShadowRings(pixels, width, height, 3, 90, 90, 90);
    const std::vector<int> expected = {
        33, 33, 33, 33, 33, 33, 33, 33,
        33, 66, 66, 66, 66, 66, 66, 33,
        33, 66, 99, 99, 99, 99, 66, 33,
        33, 66, 99, 0,  0,  99, 66, 33,
        33, 66, 99, 99, 99, 99, 66, 33,
        33, 66, 66, 66, 66, 66, 66, 33,
        33, 33, 33, 33, 33, 33, 33, 33,
    };
    EXPECT_EQ(alphas(pixels), expected);
    EXPECT_EQ(pixels[3 * width + 3], 0u) << "the window's place is fully transparent";
}

TEST(PaintShadowRings, PremultipliesTheColour) {
    constexpr int width = 21, height = 21;
    std::vector<std::uint32_t> pixels(width * height);
    // RGB(200, 100, 0) with size 10: step 15, alphas 15 ... 150.
    paintShadowRings(pixels, width, height, 10, 200, 100, 0);
    EXPECT_EQ(pixels[0], 15u << 24 | 12u << 16 | 6u << 8 | 0u);
    EXPECT_EQ(pixels[9 * width + 9], 150u << 24 | 118u << 16 | 59u << 8 | 0u);
    EXPECT_EQ(pixels[10 * width + 10], 0u);
}

TEST(PaintShadowRings, WritesNothingOutsideThePicture) {
    std::vector<std::uint32_t> tooShort(4 * 4 - 1, 7);
    paintShadowRings(tooShort, 4, 4, 1, 0, 0, 0);
    EXPECT_EQ(tooShort, std::vector<std::uint32_t>(4 * 4 - 1, 7));

    std::vector<std::uint32_t> roomy(4 * 4 + 2, 7);
    paintShadowRings(roomy, 4, 4, 1, 0, 0, 0);
    EXPECT_EQ(roomy[16], 7u);
    EXPECT_EQ(roomy[17], 7u);
    EXPECT_EQ(roomy[0] >> 24, 100u);

    std::vector<std::uint32_t> empty;
    paintShadowRings(empty, 0, 0, 3, 0, 0, 0);
    paintShadowRings(empty, -1, 5, 3, 0, 0, 0);
}

}  // namespace
}  // namespace brevaro::skin
