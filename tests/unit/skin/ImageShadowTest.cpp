#include <gtest/gtest.h>

#include <cstddef>
#include <vector>

#include "skin/ImageShadow.h"

namespace brevaro::skin {
namespace {

// The bands as the main window's design gives them, read from outside in on
// the left and top, from inside out on the right and bottom.
const std::vector<int> kLeftTopOutsideIn{1, 3, 6, 9, 13, 18, 23, 30, 37};
const std::vector<int> kRightBottomInsideOut{32, 25, 20, 14, 10, 7, 4, 2};

TEST(ImageShadow, BandsCarryTheirAlphasAlongEveryEdge) {
    // Sample rows and columns across the whole length of each band, away
    // from the corners.
    for (int along : {9, 100, 433, 549, 558}) {
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(imageShadowAlpha(i, along), kLeftTopOutsideIn[static_cast<std::size_t>(i)])
                << "left, y " << along;
        }
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(imageShadowAlpha(859 + i, along),
                      kRightBottomInsideOut[static_cast<std::size_t>(i)])
                << "right, y " << along;
        }
    }
    for (int along : {9, 300, 858}) {
        for (int i = 0; i < 9; ++i) {
            EXPECT_EQ(imageShadowAlpha(along, i), kLeftTopOutsideIn[static_cast<std::size_t>(i)])
                << "top, x " << along;
        }
        for (int i = 0; i < 8; ++i) {
            EXPECT_EQ(imageShadowAlpha(along, 559 + i),
                      kRightBottomInsideOut[static_cast<std::size_t>(i)])
                << "bottom, x " << along;
        }
    }
}

TEST(ImageShadow, InteriorAndOutsideAreTransparent) {
    for (int x = 9; x < 859; x += 7) {
        for (int y = 9; y < 559; y += 7) ASSERT_EQ(imageShadowAlpha(x, y), 0) << x << "," << y;
    }
    EXPECT_EQ(imageShadowAlpha(858, 558), 0);
    EXPECT_EQ(imageShadowAlpha(-1, 100), 0);
    EXPECT_EQ(imageShadowAlpha(867, 100), 0);
    EXPECT_EQ(imageShadowAlpha(100, 567), 0);
}

// Each corner falls off from its inner corner outwards, never above the
// bands around it and never to nothing before the outer edge.
TEST(ImageShadow, CornersFallOffSmoothlyBetweenTheirBands) {
    struct Corner {
        const char* name;
        int innerX, innerY;  // the corner pixel touching the interior's corner
        int stepX, stepY;    // outwards
        int widthX, widthY;  // band widths
    };
    const Corner corners[] = {
        {"top-left", 8, 8, -1, -1, 9, 9},
        {"top-right", 859, 8, 1, -1, 8, 9},
        {"bottom-left", 8, 559, -1, 1, 9, 8},
        {"bottom-right", 859, 559, 1, 1, 8, 8},
    };
    for (const Corner& c : corners) {
        for (int i = 0; i < c.widthX; ++i) {
            for (int j = 0; j < c.widthY; ++j) {
                const int x = c.innerX + i * c.stepX;
                const int y = c.innerY + j * c.stepY;
                const int alpha = imageShadowAlpha(x, y);
                EXPECT_GE(alpha, 0) << c.name;
                if (i + 1 < c.widthX) {
                    EXPECT_GE(alpha, imageShadowAlpha(x + c.stepX, y))
                        << c.name << " " << x << "," << y;
                }
                if (j + 1 < c.widthY) {
                    EXPECT_GE(alpha, imageShadowAlpha(x, y + c.stepY))
                        << c.name << " " << x << "," << y;
                }
                // Never darker than the band next to it along either axis.
                EXPECT_LE(alpha, imageShadowAlpha(x, y - j * c.stepY - c.stepY)) << c.name;
                EXPECT_LE(alpha, imageShadowAlpha(x - i * c.stepX - c.stepX, y)) << c.name;
            }
        }
        // The inner corner continues the stronger band's first value, or
        // sits at most 5 below it.
        const int inner = imageShadowAlpha(c.innerX, c.innerY);
        EXPECT_GE(inner, 32 - 5) << c.name;
        EXPECT_LE(inner, 37) << c.name;
    }
    EXPECT_EQ(imageShadowAlpha(8, 8), 37);  // both bands start at 37
    EXPECT_EQ(imageShadowAlpha(0, 0), 0);   // 1 * 1 / 37 rounds to nothing: the very corner
    EXPECT_EQ(imageShadowAlpha(866, 566), 0);
}

TEST(ImageShadow, PixelsArePremultipliedBlackRowsTopDown) {
    const std::vector<std::uint32_t> pixels = imageShadowPixels();
    ASSERT_EQ(pixels.size(), std::size_t{867} * 567);
    for (std::size_t i = 0; i < pixels.size(); i += 97) {
        const int x = static_cast<int>(i % 867);
        const int y = static_cast<int>(i / 867);
        ASSERT_EQ(pixels[i], static_cast<std::uint32_t>(imageShadowAlpha(x, y)) << 24)
            << x << "," << y;
    }
    EXPECT_EQ(pixels[std::size_t{867} * 100 + 0],
              std::uint32_t{1} << 24);  // the left band's outer column
    EXPECT_EQ(pixels[std::size_t{867} * 559 + 300],
              std::uint32_t{32} << 24);  // the bottom band's first row
}

}  // namespace
}  // namespace brevaro::skin
