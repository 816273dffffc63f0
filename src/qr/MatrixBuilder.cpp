#include "qr/MatrixBuilder.h"

#include <array>
#include <bit>
#include <cstring>
#include <string>
#include <utility>

#include "qr/MaskRules.h"
#include "qr/QrFailure.h"

namespace brevaro::qr {
namespace {

constexpr const char* kClass = 矩阵应用类::kClassName;
constexpr std::uint8_t kEmpty = 字节矩阵类::kEmpty;

// ISO/IEC 18004:2006, 6.3.3: the position detection pattern.
// clang-format off
constexpr std::uint8_t kFinder[7][7] = {
    {1, 1, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0, 1}, {1, 0, 1, 1, 1, 0, 1}, {1, 0, 1, 1, 1, 0, 1},
    {1, 0, 1, 1, 1, 0, 1}, {1, 0, 0, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 1, 1},
};
// clang-format on

// 6.3.6: the alignment pattern.
// clang-format off
constexpr std::uint8_t kAlignment[5][5] = {
    {1, 1, 1, 1, 1}, {1, 0, 0, 0, 1}, {1, 0, 1, 0, 1}, {1, 0, 0, 0, 1}, {1, 1, 1, 1, 1},
};
// clang-format on

// Annex E, Table E.1: row/column coordinates of the alignment pattern centres
// for versions 1 to 40; −1 fills the empty places.
// clang-format off
constexpr int kAlignmentCentres[40][7] = {
    {-1, -1, -1, -1, -1, -1, -1}, {6, 18, -1, -1, -1, -1, -1},   {6, 22, -1, -1, -1, -1, -1},
    {6, 26, -1, -1, -1, -1, -1},  {6, 30, -1, -1, -1, -1, -1},   {6, 34, -1, -1, -1, -1, -1},
    {6, 22, 38, -1, -1, -1, -1},  {6, 24, 42, -1, -1, -1, -1},   {6, 26, 46, -1, -1, -1, -1},
    {6, 28, 50, -1, -1, -1, -1},  {6, 30, 54, -1, -1, -1, -1},   {6, 32, 58, -1, -1, -1, -1},
    {6, 34, 62, -1, -1, -1, -1},  {6, 26, 46, 66, -1, -1, -1},   {6, 26, 48, 70, -1, -1, -1},
    {6, 26, 50, 74, -1, -1, -1},  {6, 30, 54, 78, -1, -1, -1},   {6, 30, 56, 82, -1, -1, -1},
    {6, 30, 58, 86, -1, -1, -1},  {6, 34, 62, 90, -1, -1, -1},   {6, 28, 50, 72, 94, -1, -1},
    {6, 26, 50, 74, 98, -1, -1},  {6, 30, 54, 78, 102, -1, -1},  {6, 28, 54, 80, 106, -1, -1},
    {6, 32, 58, 84, 110, -1, -1}, {6, 30, 58, 86, 114, -1, -1},  {6, 34, 62, 90, 118, -1, -1},
    {6, 26, 50, 74, 98, 122, -1}, {6, 30, 54, 78, 102, 126, -1}, {6, 26, 52, 78, 104, 130, -1},
    {6, 30, 56, 82, 108, 134, -1}, {6, 34, 60, 86, 112, 138, -1}, {6, 30, 58, 86, 114, 142, -1},
    {6, 34, 62, 90, 118, 146, -1}, {6, 30, 54, 78, 102, 126, 150}, {6, 24, 50, 76, 102, 128, 154},
    {6, 28, 54, 80, 106, 132, 158}, {6, 32, 58, 84, 110, 136, 162}, {6, 26, 54, 82, 110, 138, 166},
    {6, 30, 58, 86, 114, 142, 170},
};
// clang-format on

// 7.9.1: the places (x, y) of format bits 0 (least significant) to
// 14 around the top-left position detection pattern.
// clang-format off
constexpr int kFormatPlaces[15][2] = {
    {8, 0}, {8, 1}, {8, 2}, {8, 3}, {8, 4}, {8, 5}, {8, 7}, {8, 8},
    {7, 8}, {5, 8}, {4, 8}, {3, 8}, {2, 8}, {1, 8}, {0, 8},
};
// clang-format on

void 插入位置探测图(字节矩阵类& m, int left, int top) {
    for (int y = 0; y < 7; ++y) {
        for (int x = 0; x < 7; ++x) {
            if (!矩阵应用类::isEmpty(m.get(left + x, top + y))) {
                failQr(kClass, "插入位置探测图",
                       "方位检测标识异常，当前位置有空值。当前行索引：" +
                           std::to_string(left + x + 1) + "；列索引：" +
                           std::to_string(top + y + 1));
            }
            m.set(left + x, top + y, kFinder[y][x]);
        }
    }
}

void 插入水平分割图(字节矩阵类& m, int left, int top) {
    for (int i = 0; i < 8; ++i) {
        if (!矩阵应用类::isEmpty(m.get(left + i, top))) {
            failQr(kClass, "插入水平分割图",
                   "矩阵当前操作位数据不为空。i：" + std::to_string(i + 1) + "；x：" +
                       std::to_string(left) + "；y：" + std::to_string(top));
        }
        m.set(left + i, top, 0);
    }
}

void 插入垂直分割图(字节矩阵类& m, int left, int top) {
    for (int i = 0; i < 7; ++i) {
        if (!矩阵应用类::isEmpty(m.get(left, top + i))) {
            failQr(kClass, "插入垂直分割图",
                   "矩阵当前操作位数据不为空。i：" + std::to_string(i + 1) + "；x：" +
                       std::to_string(left) + "；y：" + std::to_string(top));
        }
        m.set(left, top + i, 0);
    }
}

void 左下角插入黑点(字节矩阵类& m) {
    if (m.get(8, m.height() - 8) == 0) failQr(kClass, "左下角插入黑点", "空值");
    m.set(8, m.height() - 8, 1);
}

void 插入方位调整标识(字节矩阵类& m, int version) {
    if (version < 2) return;
    const int(&centres)[7] = kAlignmentCentres[version - 1];
    for (const int cy : centres) {
        for (const int cx : centres) {
            // Centres on the position detection patterns find their cell taken.
            if (cy == -1 || cx == -1 || !矩阵应用类::isEmpty(m.get(cx, cy))) continue;
            for (int y = 0; y < 5; ++y) {
                for (int x = 0; x < 5; ++x) {
                    if (!矩阵应用类::isEmpty(m.get(cx - 2 + x, cy - 2 + y))) {
                        failQr(kClass, "插入方位调整标识", "值为空");
                    }
                    m.set(cx - 2 + x, cy - 2 + y, kAlignment[y][x]);
                }
            }
        }
    }
}

void 插入定位基线(字节矩阵类& m) {
    const int w = m.width();
    for (int i = 0; i < w - 16; ++i) {
        const std::uint8_t bit = static_cast<std::uint8_t>((i + 1) % 2);
        for (const auto& [x, y] : {std::pair{i + 8, 6}, std::pair{6, i + 8}}) {
            const std::uint8_t value = m.get(x, y);
            if (!矩阵应用类::isValidValue(value)) failQr(kClass, "插入定位基线", "无效值");
            if (矩阵应用类::isEmpty(value)) m.set(x, y, bit);
        }
    }
}

// The two places (x, y) of format bit k (0 the least significant) in a
// symbol of w × h modules.
std::array<std::pair<int, int>, 2> formatPlaces(int k, int w, int h) {
    const std::pair<int, int> second =
        k < 8 ? std::pair{w - 1 - k, 8} : std::pair{8, h - 7 + (k - 8)};
    return {std::pair{kFormatPlaces[k][0], kFormatPlaces[k][1]}, second};
}

// Writes the 15 format bits in both copies.
void placeFormatBits(字节矩阵类& m, std::uint32_t format) {
    for (int k = 0; k < 15; ++k) {
        const std::uint8_t bit = static_cast<std::uint8_t>((format >> k) & 1u);
        for (const auto& [x, y] : formatPlaces(k, m.width(), m.height())) m.set(x, y, bit);
    }
}

// The format bits of the level and mask as a number, bit 14 first in the vector.
std::uint32_t formatValue(const QrLevel& level, int mask) {
    const 位向量子类 bits = 矩阵应用类::标记类型信息位(level, mask);
    std::uint32_t value = 0;
    for (int i = 0; i < bits.size(); ++i) {
        value = (value << 1) | static_cast<std::uint32_t>(bits.取位值(i));
    }
    return value;
}

void 插入版本信息(字节矩阵类& m, int version) {
    if (version < 7) return;
    const 位向量子类 bits = 矩阵应用类::标记版本信息位(version);
    const int h = m.height();
    int index = 17;
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 3; ++j) {
            const std::uint8_t bit = static_cast<std::uint8_t>(bits.取位值(index--));
            m.set(i, h - 11 + j, bit);
            m.set(h - 11 + j, i, bit);
        }
    }
}

// 7.7.3: two-column strips from the right, upwards and downwards in turn,
// skipping the vertical timing column; the stream's bits fill the empty
// cells, then 0 (remainder bits). Marks the cells it fills as data.
void 插入数据信息位(字节矩阵类& m, const 位向量类& bits, std::vector<std::uint8_t>& isData) {
    const int w = m.width();
    const int h = m.height();
    const int size = bits.size();
    const std::vector<std::uint8_t>& bytes = bits.bytes();
    int used = 0;
    int direction = -1;
    int y = h - 1;
    for (int x = w - 1; x > 0; x -= 2) {
        if (x == 6) x = 5;
        for (; y >= 0 && y < h; y += direction) {
            for (int column = x; column > x - 2; --column) {
                if (!矩阵应用类::isEmpty(m.get(column, y))) continue;
                std::uint8_t bit = 0;
                if (used < size) {
                    const std::size_t index = static_cast<std::size_t>(used++);
                    bit = static_cast<std::uint8_t>((bytes[index / 8] >> (7 - index % 8)) & 1);
                }
                m.set(column, y, bit);
                isData[static_cast<std::size_t>(y) * static_cast<std::size_t>(w) +
                       static_cast<std::size_t>(column)] = 1;
            }
        }
        direction = -direction;
        y += direction;
    }
    if (used != size) {
        failQr(kClass, "插入数据信息位",
               "数据位未被全部填充，n：" + std::to_string(used) + "；位向量大小：" +
                   std::to_string(size));
    }
}

}  // namespace

UnmaskedSymbol::UnmaskedSymbol(const 位向量类& bits, const QrLevel& level, int version)
    : level_(&level),
      cells_(二维码类::取版本_通过版本号(version).dimension,
             二维码类::取版本_通过版本号(version).dimension),
      isData_(static_cast<std::size_t>(cells_.width()) * static_cast<std::size_t>(cells_.height()),
              0) {
    字节矩阵类& m = cells_;
    const int w = m.width();
    m.fill(kEmpty);
    插入位置探测图(m, 0, 0);
    插入位置探测图(m, w - 7, 0);
    插入位置探测图(m, 0, w - 7);
    插入水平分割图(m, 0, 7);
    插入水平分割图(m, w - 8, 7);
    插入水平分割图(m, 0, w - 8);
    插入垂直分割图(m, 7, 0);
    插入垂直分割图(m, w - 8, 0);
    插入垂直分割图(m, 7, w - 7);
    左下角插入黑点(m);
    插入方位调整标识(m, version);
    插入定位基线(m);
    // The format cells are taken before the data goes in; applyMask writes
    // the bits of its mask.
    placeFormatBits(m, 0);
    插入版本信息(m, version);
    插入数据信息位(m, bits, isData_);
    lines_ = linesOf(m.width(), m.height(), m.cells());
    dataLines_ = linesOf(m.width(), m.height(), isData_);
}

void UnmaskedSymbol::applyMask(int mask, 字节矩阵类& out) const {
    const std::uint32_t format = formatValue(*level_, mask);
    out = cells_;
    const int w = out.width();
    for (int y = 0; y < out.height(); ++y) {
        std::uint8_t* row = out.row(y);
        const std::uint8_t* data =
            isData_.data() + static_cast<std::size_t>(y) * static_cast<std::size_t>(w);
        const std::uint8_t* inversions = 掩码辅助类::maskRow(mask, y);
        for (int x = 0; x < w; ++x) row[x] ^= data[x] & inversions[x];
    }
    placeFormatBits(out, format);
}

MaskPenalty UnmaskedSymbol::penalty(int mask) const {
    const std::uint32_t format = formatValue(*level_, mask);
    SymbolLines& masked = trial_;
    masked = lines_;
    const auto rowInversions = 掩码辅助类::maskRowBits(mask);
    const auto columnInversions = 掩码辅助类::maskColumnBits(mask);
    for (std::size_t y = 0; y < masked.rows.size(); ++y) {
        masked.rows[y] =
            masked.rows[y] ^ (dataLines_.rows[y] & rowInversions[y % rowInversions.size()]);
    }
    for (std::size_t x = 0; x < masked.columns.size(); ++x) {
        masked.columns[x] = masked.columns[x] ^
                            (dataLines_.columns[x] & columnInversions[x % columnInversions.size()]);
    }
    // The format cells are 0 in lines_; set the ones of this mask.
    for (int k = 0; k < 15; ++k) {
        if (((format >> k) & 1u) == 0) continue;
        for (const auto& [x, y] : formatPlaces(k, masked.width, masked.height)) {
            masked.rows[static_cast<std::size_t>(y)].set(x);
            masked.columns[static_cast<std::size_t>(x)].set(y);
        }
    }
    return 掩码辅助类::score(masked);
}

void 矩阵应用类::buildMatrix(const 位向量类& bits, const QrLevel& level, int version, int mask,
                             字节矩阵类& matrix) {
    UnmaskedSymbol(bits, level, version).applyMask(mask, matrix);
}

std::uint32_t 矩阵应用类::bchRemainder(std::uint32_t value, std::uint32_t generator) {
    const int m = static_cast<int>(std::bit_width(generator));
    if (m == 0) return value;  // no generator: nothing to divide by
    value <<= m - 1;
    while (static_cast<int>(std::bit_width(value)) >= m) {
        value ^= generator << (static_cast<int>(std::bit_width(value)) - m);
    }
    return value;
}

位向量子类 矩阵应用类::标记类型信息位(const QrLevel& level, int mask) {
    if (!二维码类::isValidMask(mask)) failQr(kClassName, "标记类型信息位", "掩图无效");
    const std::uint32_t value = static_cast<std::uint32_t>(level.indicator * 8 + mask);
    位向量子类 bits;
    bits.appendBits(value, 5);
    bits.appendBits(bchRemainder(value, 0x537), 10);
    位向量子类 mask15;
    mask15.appendBits(0x5412, 15);
    bits.异或(mask15);
    if (bits.size() != 15) failQr(kClassName, "标记类型信息位", "位向量长度不对。");
    return bits;
}

位向量子类 矩阵应用类::标记版本信息位(int version) {
    位向量子类 bits;
    bits.appendBits(static_cast<std::uint32_t>(version), 6);
    bits.appendBits(bchRemainder(static_cast<std::uint32_t>(version), 0x1F25), 12);
    if (bits.size() != 18) failQr(kClassName, "标记版本信息位", "版本信息不为18位");
    return bits;
}

}  // namespace brevaro::qr
