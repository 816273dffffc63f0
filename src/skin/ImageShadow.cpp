#include "skin/ImageShadow.h"

#include <algorithm>
#include <array>
#include <cstddef>

namespace brevaro::skin {
namespace {

// Alphas by distance from the interior, 1-based: index 0 is unused.
constexpr std::array<int, 10> kNearBand{0, 37, 30, 23, 18, 13, 9, 6, 3, 1};  // left, top
constexpr std::array<int, 9> kFarBand{0, 32, 25, 20, 14, 10, 7, 4, 2};       // right, bottom

constexpr int kInteriorLeft = kImageShadowOffset;
constexpr int kInteriorTop = kImageShadowOffset;
constexpr int kInteriorRight = kInteriorLeft + kImageShadowInteriorWidth;  // first column after it
constexpr int kInteriorBottom = kInteriorTop + kImageShadowInteriorHeight;
static_assert(kInteriorRight + static_cast<int>(kFarBand.size()) - 1 == kImageShadowWidth);
static_assert(kInteriorBottom + static_cast<int>(kFarBand.size()) - 1 == kImageShadowHeight);
static_assert(kInteriorLeft == static_cast<int>(kNearBand.size()) - 1);

// The band a coordinate falls in along one axis: its distance from the
// interior and the band's alphas; distance 0 inside the interior's span.
struct AxisBand {
    int distance = 0;
    const int* alphas = nullptr;
};

AxisBand bandAlong(int coordinate, int interiorStart, int interiorEnd) {
    if (coordinate < interiorStart) return {interiorStart - coordinate, kNearBand.data()};
    if (coordinate >= interiorEnd) return {coordinate - interiorEnd + 1, kFarBand.data()};
    return {};
}

}  // namespace

int imageShadowAlpha(int x, int y) {
    if (x < 0 || y < 0 || x >= kImageShadowWidth || y >= kImageShadowHeight) return 0;
    const AxisBand across = bandAlong(x, kInteriorLeft, kInteriorRight);
    const AxisBand down = bandAlong(y, kInteriorTop, kInteriorBottom);
    if (across.distance == 0 && down.distance == 0) return 0;
    if (down.distance == 0) return across.alphas[across.distance];
    if (across.distance == 0) return down.alphas[down.distance];
    const int scale = std::max(across.alphas[1], down.alphas[1]);
    const int product = across.alphas[across.distance] * down.alphas[down.distance];
    return (product + scale / 2) / scale;
}

std::vector<std::uint32_t> imageShadowPixels() {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kImageShadowWidth) *
                                      kImageShadowHeight);
    for (int y = 0; y < kImageShadowHeight; ++y) {
        for (int x = 0; x < kImageShadowWidth; ++x) {
            pixels[static_cast<std::size_t>(y) * kImageShadowWidth + static_cast<std::size_t>(x)] =
                static_cast<std::uint32_t>(imageShadowAlpha(x, y)) << 24;
        }
    }
    return pixels;
}

}  // namespace brevaro::skin
