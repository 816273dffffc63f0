#pragma once
// The module matrix of a QR symbol, a plain value: width × height bytes stored
// row by row; the cell at column x, row y (0-based, x to the right, y
// downwards) is element y * width + x. Cells hold 0 (light), 1 (dark) or 255
// (empty: not placed yet).

#include <cstddef>
#include <cstdint>
#include <vector>

namespace brevaro::qr {

class 字节矩阵类 {
public:
    static constexpr const char* kClassName = "字节矩阵类";
    static constexpr std::uint8_t kEmpty = 255;

    // width × height cells, all 0; sizes below 1 are taken as 1.
    字节矩阵类(int width, int height);
    字节矩阵类() : 字节矩阵类(1, 1) {}

    int width() const { return width_; }
    int height() const { return height_; }
    std::uint8_t get(int x, int y) const { return cells_[index(x, y)]; }
    void set(int x, int y, std::uint8_t value) { cells_[index(x, y)] = value; }
    void fill(std::uint8_t value);

    // The cells row by row, for readers and writers that walk them directly.
    const std::vector<std::uint8_t>& cells() const { return cells_; }
    std::uint8_t* row(int y) { return cells_.data() + index(0, y); }
    const std::uint8_t* row(int y) const { return cells_.data() + index(0, y); }

    bool operator==(const 字节矩阵类&) const = default;

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_;
    int height_;
    std::vector<std::uint8_t> cells_;
};

}  // namespace brevaro::qr
