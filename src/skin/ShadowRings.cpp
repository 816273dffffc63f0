#include "skin/ShadowRings.h"

#include <algorithm>
#include <cstddef>

namespace brevaro::skin {
namespace {

std::uint32_t premultiplied(std::uint8_t channel, int alpha) {
    return static_cast<std::uint32_t>((channel * alpha + 127) / 255);
}

}  // namespace

int shadowAlphaStep(int size) {
    if (size < 1) return 0;
    return size > 8 ? 150 / size : 100 / size;
}

void paintShadowRings(std::span<std::uint32_t> pixels, int width, int height, int size, std::uint8_t red,
                      std::uint8_t green, std::uint8_t blue) {
    if (width < 1 || height < 1) return;
    const auto area = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (pixels.size() < area) return;
    const int step = shadowAlphaStep(size);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Ring i (from 1) is the outline i - 1 pixels in from the edge.
            const int ring = std::min({x, y, width - 1 - x, height - 1 - y}) + 1;
            std::uint32_t pixel = 0;
            if (ring <= size) {
                const int alpha = step * ring;
                pixel = static_cast<std::uint32_t>(alpha) << 24 | premultiplied(red, alpha) << 16 |
                        premultiplied(green, alpha) << 8 | premultiplied(blue, alpha);
            }
            pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
                pixel;
        }
    }
}

}  // namespace brevaro::skin
