#pragma once
// The version label's flash, portable: what the settings panel's version
// label shows when a page is asked for while the panel is open. White text
// on ten warm random backgrounds, 50 ms each, then back to grey on white.

#include <random>

#include "app/catalogue/ShellLayout.h"

namespace brevaro::app {

inline constexpr int kFlashCount = 10;
inline constexpr int kFlashPauseMilliseconds = 50;
inline constexpr Colour kFlashText = kWhite;
inline constexpr Colour kRestingText = kVersionGrey;
inline constexpr Colour kRestingBackground = kWhite;

// One flash background: red 250-255, green 20-120, blue 0-140, each drawn
// uniformly, bounds included.
template <std::uniform_random_bit_generator Generator>
Colour flashBackground(Generator& generator) {
    auto draw = [&generator](int low, int high) {
        return static_cast<std::uint8_t>(std::uniform_int_distribution<int>(low, high)(generator));
    };
    const std::uint8_t red = draw(250, 255);
    const std::uint8_t green = draw(20, 120);
    const std::uint8_t blue = draw(0, 140);
    return rgb(red, green, blue);
}

}  // namespace brevaro::app
