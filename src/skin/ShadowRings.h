#pragma once
// The picture of the drawn drop shadow, portable: `size` one-pixel rings
// around the target window, in the shadow colour, the outermost ring the
// faintest and the innermost, next to the window, the darkest. Everything
// inside the rings (where the window itself is) stays fully transparent.

#include <cstdint>
#include <span>

namespace brevaro::skin {

// The alpha step between two rings: 150 / size for sizes above 8, otherwise
// 100 / size (truncated). Ring i (1 = outermost) has alpha step * i, so the
// darkest ring never passes 150. 0 for a size below 1.
int shadowAlphaStep(int size);

// Paints the shadow of `size` rings into a width x height picture of 32-bit
// pixels, row after row, each pixel premultiplied alpha << 24 | red << 16 |
// green << 8 | blue (the layout of a 32-bit DIB and of UpdateLayeredWindow's
// per-pixel alpha). The picture is symmetric, so rows may run top-down or
// bottom-up. Pixels beyond width x height are left alone; nothing is painted
// when the span is too short or a dimension is below 1.
void paintShadowRings(std::span<std::uint32_t> pixels, int width, int height, int size, std::uint8_t red,
                      std::uint8_t green, std::uint8_t blue);

}  // namespace brevaro::skin
