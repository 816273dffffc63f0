#pragma once
// The colours of the program's look, portable. Colours are laid out as
// Windows' COLORREF: red in the low byte, then green, then blue.

#include <cstdint>

namespace brevaro::skin {

using Colour = std::uint32_t;

constexpr Colour rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    return Colour{red} | Colour{green} << 8 | Colour{blue} << 16;
}
constexpr std::uint8_t redOf(Colour colour) {
    return static_cast<std::uint8_t>(colour & 0xFF);
}
constexpr std::uint8_t greenOf(Colour colour) {
    return static_cast<std::uint8_t>(colour >> 8 & 0xFF);
}
constexpr std::uint8_t blueOf(Colour colour) {
    return static_cast<std::uint8_t>(colour >> 16 & 0xFF);
}

// Colours every control of the look is painted with: one flat blue accent on
// white and a light blue-grey page, with greys for lines and quiet text.
struct Palette {
    Colour accent = rgb(50, 147, 235);         // buttons, checked boxes, focus
    Colour accentHover = rgb(84, 168, 245);    // a button under the mouse
    Colour accentPressed = rgb(28, 116, 204);  // a button held down
    Colour accentText = rgb(255, 255, 255);    // text on the accent
    Colour surface = rgb(255, 255, 255);       // fields, lists, bars
    Colour pageBackground = rgb(238, 245, 249);
    Colour border = rgb(198, 212, 226);       // field and box outlines
    Colour groupBorder = rgb(208, 220, 232);  // group frames
    Colour text = rgb(40, 48, 58);
    Colour disabledFill = rgb(226, 231, 236);
    Colour disabledText = rgb(158, 166, 176);
    Colour disabledBorder = rgb(214, 220, 226);
    Colour headerTop = rgb(252, 253, 255);  // list headers, a gentle gradient
    Colour headerBottom = rgb(236, 243, 249);
    Colour headerLine = rgb(208, 220, 232);
    Colour headerText = rgb(52, 64, 80);
    // A board that fails or sees the guest view. Never tinted: a warning
    // keeps its colour whatever the look's hue.
    Colour trouble = rgb(214, 58, 40);
};

// The palette turned by `hue` degrees around the colour wheel, its
// saturation scaled by (100 + saturation) / 100 and its lightness moved
// towards white (brightness > 0) or black (< 0) by brightness percent. Each
// value is clamped: hue to -180..180, the others to -100..100. All zero
// gives the palette unchanged, colour for colour.
Palette tintedPalette(int hue, int saturation, int brightness);

// One colour tinted as tintedPalette tints each of the palette's colours.
Colour tintColour(Colour colour, int hue, int saturation, int brightness);

}  // namespace brevaro::skin
