#include <gtest/gtest.h>

#include <cstdlib>

#include "skin/Palette.h"

namespace brevaro::skin {
namespace {

testing::AssertionResult near(Colour actual, Colour expected, int tolerance = 2) {
    if (std::abs(redOf(actual) - redOf(expected)) <= tolerance &&
        std::abs(greenOf(actual) - greenOf(expected)) <= tolerance &&
        std::abs(blueOf(actual) - blueOf(expected)) <= tolerance) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << std::hex << "0x" << actual << " is not near 0x" << expected;
}

TEST(Palette, ChannelsAreLaidOutAsColorref) {
    EXPECT_EQ(rgb(50, 147, 235), 0xEB9332u);
    EXPECT_EQ(redOf(0xEB9332u), 50);
    EXPECT_EQ(greenOf(0xEB9332u), 147);
    EXPECT_EQ(blueOf(0xEB9332u), 235);
}

TEST(Palette, NoTintLeavesEveryColourAsItIs) {
    const Palette plain;
    const Palette tinted = tintedPalette(0, 0, 0);
    EXPECT_EQ(tinted.accent, plain.accent);
    EXPECT_EQ(tinted.pageBackground, plain.pageBackground);
    EXPECT_EQ(tinted.text, plain.text);
    EXPECT_EQ(tinted.headerLine, plain.headerLine);
}

TEST(Palette, TintsTurnScaleAndLighten) {
    struct Case {
        Colour colour;
        int hue, saturation, brightness;
        Colour expected;
    };
    const Case cases[] = {
        {rgb(255, 0, 0), 120, 0, 0, rgb(0, 255, 0)},  // red turned a third of the wheel
        {rgb(255, 0, 0), -120, 0, 0, rgb(0, 0, 255)},
        {rgb(50, 147, 235), 180, 0, 0, rgb(235, 138, 50)},    // the accent's complement
        {rgb(50, 147, 235), 0, -100, 0, rgb(143, 143, 143)},  // no saturation: its grey
        {rgb(50, 147, 235), 0, 0, 100, rgb(255, 255, 255)},
        {rgb(50, 147, 235), 0, 0, -100, rgb(0, 0, 0)},
        {rgb(50, 147, 235), 0, 0, 500, rgb(255, 255, 255)},   // clamped to 100
        {rgb(128, 128, 128), 90, 50, 0, rgb(128, 128, 128)},  // greys have no hue to turn
    };
    for (const Case& c : cases) {
        EXPECT_TRUE(near(tintColour(c.colour, c.hue, c.saturation, c.brightness), c.expected))
            << c.hue << "/" << c.saturation << "/" << c.brightness;
    }
}

}  // namespace
}  // namespace brevaro::skin
