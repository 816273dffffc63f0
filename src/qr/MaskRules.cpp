#include "qr/MaskRules.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "qr/QrFailure.h"

namespace brevaro::qr {
namespace {

constexpr int kRowPeriod = 掩码辅助类::kRowPeriod;        // lcm of the masks' periods down a column
constexpr int kColumnPeriod = 掩码辅助类::kColumnPeriod;  // and along a row
constexpr int kWidestSymbol = 177;

struct MaskTables {
    std::array<std::array<std::array<std::uint8_t, kWidestSymbol>, kRowPeriod>, 8> rowBytes{};
    std::array<std::array<LineBits, kRowPeriod>, 8> rowBits{};
    std::array<std::array<LineBits, kColumnPeriod>, 8> columnBits{};
};

MaskTables buildMaskTables() {
    MaskTables tables;
    for (std::size_t mask = 0; mask < 8; ++mask) {
        for (int y = 0; y < kRowPeriod; ++y) {
            for (int x = 0; x < kWidestSymbol; ++x) {
                if (!掩码辅助类::取数据掩码位(static_cast<int>(mask), x, y)) continue;
                tables.rowBytes[mask][static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = 1;
                tables.rowBits[mask][static_cast<std::size_t>(y)].set(x);
            }
        }
        for (int x = 0; x < kColumnPeriod; ++x) {
            for (int y = 0; y < kWidestSymbol; ++y) {
                if (掩码辅助类::取数据掩码位(static_cast<int>(mask), x, y)) {
                    tables.columnBits[mask][static_cast<std::size_t>(x)].set(y);
                }
            }
        }
    }
    return tables;
}

const MaskTables& maskTables() {
    static const MaskTables tables = buildMaskTables();
    return tables;
}

std::size_t checkedMask(int mask) {
    if (mask < 0 || mask > 7) failQr(掩码辅助类::kClassName, "取数据掩码位", "掩图无效。");
    return static_cast<std::size_t>(mask);
}

// Rules 1 and 3 on one line; inLine has a bit for each of its cells.
template <std::size_t N>
void scoreLine(const BitLine<N>& dark, const BitLine<N>& inLine, const BitLine<N>& inLineButLast,
               MaskPenalty& penalty) {
    // Rule 1. same: cell i equals cell i + 1. A run of L equal cells is a
    // stretch of L − 1 same bits; it scores 3 + (L − 5) = (L − 4) + 2 for
    // L ≥ 5: one per place where four same bits start, plus 2 per stretch.
    const BitLine<N> same = ~(dark ^ dark.ahead(1)) & inLineButLast;
    const BitLine<N> fourSame = same & same.ahead(1) & same.ahead(2) & same.ahead(3);
    const BitLine<N> stretchStarts = fourSame & ~same.behind(1);
    penalty.runs += fourSame.count() + 2 * stretchStarts.count();

    // Rule 3: 1,0,1,1,1,0,1 starting at cell x, with cells x + 7 to x + 10 or
    // x − 4 to x − 1 light and inside the line.
    const BitLine<N> light = ~dark & inLine;
    const BitLine<N> pattern = dark & light.ahead(1) & dark.ahead(2) & dark.ahead(3) &
                               dark.ahead(4) & light.ahead(5) & dark.ahead(6);
    const BitLine<N> lightAfter =
        light.ahead(7) & light.ahead(8) & light.ahead(9) & light.ahead(10);
    const BitLine<N> lightBefore =
        light.behind(1) & light.behind(2) & light.behind(3) & light.behind(4);
    penalty.finderLike += 40 * (pattern & (lightAfter | lightBefore)).count();
}

// All four rules with lines of N words (N · 64 ≥ the width and the height).
template <std::size_t N>
MaskPenalty scoreLines(const SymbolLines& lines) {
    const int w = lines.width;
    const int h = lines.height;
    MaskPenalty penalty;
    const BitLine<N> inRow = BitLine<N>::firstCells(w);
    const BitLine<N> inRowButLast = BitLine<N>::firstCells(w - 1);
    const BitLine<N> inColumn = BitLine<N>::firstCells(h);
    const BitLine<N> inColumnButLast = BitLine<N>::firstCells(h - 1);

    std::int64_t dark = 0;
    int equalSquares = 0;
    BitLine<N> row = BitLine<N>::prefixOf(lines.rows[0]);
    for (std::size_t y = 0; y < lines.rows.size(); ++y) {
        scoreLine(row, inRow, inRowButLast, penalty);
        dark += row.count();
        if (y + 1 == lines.rows.size()) break;
        // Rule 2: (x, y) equals (x + 1, y), (x, y + 1) equals (x + 1, y + 1)
        // and (x, y) equals (x, y + 1).
        const BitLine<N> below = BitLine<N>::prefixOf(lines.rows[y + 1]);
        const BitLine<N> squares =
            ~(row ^ row.ahead(1)) & ~(below ^ below.ahead(1)) & ~(row ^ below) & inRowButLast;
        equalSquares += squares.count();
        row = below;
    }
    penalty.blocks = 3 * equalSquares;
    for (const LineBits& column : lines.columns) {
        scoreLine(BitLine<N>::prefixOf(column), inColumn, inColumnButLast, penalty);
    }

    // Rule 4 in integers: trunc(100·dark/cells − 50) equals the single-precision
    // trunc(dark/cells × 100 − 50) for every symbol size from 21 × 21 to
    // 177 × 177 and every dark count, and stays the same on every FPU.
    const std::int64_t cells = static_cast<std::int64_t>(w) * h;
    const std::int64_t d = (100 * dark - 50 * cells) / cells;
    penalty.balance = 10 * static_cast<int>((d < 0 ? -d : d) / 5);
    return penalty;
}

}  // namespace

bool 掩码辅助类::取数据掩码位(int mask, int x, int y) {
    checkedMask(mask);
    // ISO/IEC 18004:2006, Table 10 (data mask pattern generation conditions),
    // x the column and y the row.
    switch (mask) {
        case 0:
            return (x + y) % 2 == 0;
        case 1:
            return y % 2 == 0;
        case 2:
            return x % 3 == 0;
        case 3:
            return (x + y) % 3 == 0;
        case 4:
            return (y / 2 + x / 3) % 2 == 0;
        case 5:
            return (x * y) % 2 + (x * y) % 3 == 0;
        case 6:
            return ((x * y) % 2 + (x * y) % 3) % 2 == 0;
        default:
            return ((x * y) % 3 + (x + y) % 2) % 2 == 0;
    }
}

const std::uint8_t* 掩码辅助类::maskRow(int mask, int y) {
    return maskTables()
        .rowBytes[checkedMask(mask)][static_cast<std::size_t>(y % kRowPeriod)]
        .data();
}

std::span<const LineBits, kRowPeriod> 掩码辅助类::maskRowBits(int mask) {
    return maskTables().rowBits[checkedMask(mask)];
}

std::span<const LineBits, kColumnPeriod> 掩码辅助类::maskColumnBits(int mask) {
    return maskTables().columnBits[checkedMask(mask)];
}

MaskPenalty 掩码辅助类::score(const 字节矩阵类& matrix) {
    if (matrix.width() > LineBits::kMaxCells || matrix.height() > LineBits::kMaxCells) failQrWithoutRecord();
    return score(linesOf(matrix.width(), matrix.height(), matrix.cells()));
}

MaskPenalty 掩码辅助类::score(const SymbolLines& lines) {
    const int longest = std::max(lines.width, lines.height);
    if (longest <= 64) return scoreLines<1>(lines);
    if (longest <= 128) return scoreLines<2>(lines);
    return scoreLines<3>(lines);
}

}  // namespace brevaro::qr
