#pragma once
// The picture of the main window's shadow, portable: an 867 x 567 image,
// black wherever it is not fully transparent, with a transparent 850 x 550
// interior at (9, 9). The shadow window shows it 9 pixels up and left of
// the main window, so the interior sits exactly under the window's
// top-left 850 x 550 pixels.
//
// Bands, by distance from the interior (1 = the pixel touching it):
//   left and top, 9 pixels:     37, 30, 23, 18, 13, 9, 6, 3, 1
//   right and bottom, 8 pixels: 32, 25, 20, 14, 10, 7, 4, 2
// A corner pixel, dx pixels into one band and dy into the other, has
// alpha = band(dx) * band(dy) / m, rounded, where m is the larger of the two
// bands' first values: it falls off smoothly towards the outer corner and
// continues the neighbouring bands at its inner edges (exactly where the
// other band starts at m; one step of at most 5 lower where it does not).

#include <cstdint>
#include <vector>

namespace brevaro::skin {

inline constexpr int kImageShadowWidth = 867;
inline constexpr int kImageShadowHeight = 567;
// The interior's (and so the main window's) offset inside the image.
inline constexpr int kImageShadowOffset = 9;
inline constexpr int kImageShadowInteriorWidth = 850;
inline constexpr int kImageShadowInteriorHeight = 550;

// Alpha 0-255 of the pixel at (x, y); 0 outside the image.
int imageShadowAlpha(int x, int y);

// The whole image, rows top-down, each pixel premultiplied alpha << 24 |
// red << 16 | green << 8 | blue (black: just the alpha), as a top-down
// 32-bit DIB and UpdateLayeredWindow take it.
std::vector<std::uint32_t> imageShadowPixels();

}  // namespace brevaro::skin
