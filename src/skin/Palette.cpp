#include "skin/Palette.h"

#include <algorithm>
#include <cmath>

namespace brevaro::skin {
namespace {

struct Hsl {
    double hue;         // degrees, 0 <= hue < 360
    double saturation;  // 0..1
    double lightness;   // 0..1
};

Hsl toHsl(Colour colour) {
    const double r = redOf(colour) / 255.0;
    const double g = greenOf(colour) / 255.0;
    const double b = blueOf(colour) / 255.0;
    const double high = std::max({r, g, b});
    const double low = std::min({r, g, b});
    const double lightness = (high + low) / 2;
    const double chroma = high - low;
    if (chroma <= 0) return {0, 0, lightness};
    const double saturation = chroma / (1 - std::abs(2 * lightness - 1));
    double hue = 0;
    if (high == r) {
        hue = std::fmod((g - b) / chroma + 6, 6);
    } else if (high == g) {
        hue = (b - r) / chroma + 2;
    } else {
        hue = (r - g) / chroma + 4;
    }
    return {hue * 60, saturation, lightness};
}

std::uint8_t channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::lround(value * 255), 0L, 255L));
}

Colour fromHsl(const Hsl& hsl) {
    const double chroma = (1 - std::abs(2 * hsl.lightness - 1)) * hsl.saturation;
    const double sector = hsl.hue / 60;
    const double x = chroma * (1 - std::abs(std::fmod(sector, 2) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(sector) % 6) {
        case 0:
            r = chroma, g = x;
            break;
        case 1:
            r = x, g = chroma;
            break;
        case 2:
            g = chroma, b = x;
            break;
        case 3:
            g = x, b = chroma;
            break;
        case 4:
            r = x, b = chroma;
            break;
        default:
            r = chroma, b = x;
            break;
    }
    const double m = hsl.lightness - chroma / 2;
    return rgb(channel(r + m), channel(g + m), channel(b + m));
}

}  // namespace

Colour tintColour(Colour colour, int hue, int saturation, int brightness) {
    hue = std::clamp(hue, -180, 180);
    saturation = std::clamp(saturation, -100, 100);
    brightness = std::clamp(brightness, -100, 100);
    if (hue == 0 && saturation == 0 && brightness == 0) return colour & 0xFFFFFF;
    Hsl hsl = toHsl(colour);
    hsl.hue = std::fmod(hsl.hue + hue + 360, 360);
    hsl.saturation = std::clamp(hsl.saturation * (100 + saturation) / 100, 0.0, 1.0);
    if (brightness > 0) {
        hsl.lightness += (1 - hsl.lightness) * brightness / 100;
    } else {
        hsl.lightness += hsl.lightness * brightness / 100;
    }
    return fromHsl(hsl);
}

Palette tintedPalette(int hue, int saturation, int brightness) {
    Palette palette;
    for (Colour* colour :
         {&palette.accent, &palette.accentHover, &palette.accentPressed, &palette.accentText,
          &palette.surface, &palette.pageBackground, &palette.border, &palette.groupBorder,
          &palette.text, &palette.disabledFill, &palette.disabledText,
          &palette.disabledBorder, &palette.headerTop, &palette.headerBottom, &palette.headerLine,
          &palette.headerText}) {
        *colour = tintColour(*colour, hue, saturation, brightness);
    }
    return palette;
}

}  // namespace brevaro::skin
