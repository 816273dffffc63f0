#include "qr/ByteMatrix.h"

#include <algorithm>

namespace brevaro::qr {

字节矩阵类::字节矩阵类(int width, int height)
    : width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      cells_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), 0) {}

void 字节矩阵类::fill(std::uint8_t value) {
    std::fill(cells_.begin(), cells_.end(), value);
}

}  // namespace brevaro::qr
