#pragma once
// The eight data masks of ISO/IEC 18004 and the four penalty rules that score
// a masked symbol; the encoder keeps the mask with the lowest total.

#include <cstdint>
#include <span>

#include "qr/ByteMatrix.h"
#include "qr/LineBits.h"

namespace brevaro::qr {

// The four rule scores of one matrix.
struct MaskPenalty {
    int runs = 0;        // rule 1: each line's runs of 5 or more equal cells
    int blocks = 0;      // rule 2: 2 × 2 squares of equal cells
    int finderLike = 0;  // rule 3: 1011101 with four light cells beside it
    int balance = 0;     // rule 4: distance of the dark share from 50 %

    int total() const { return runs + blocks + finderLike + balance; }
    bool operator==(const MaskPenalty&) const = default;
};

class 掩码辅助类 {
public:
    static constexpr const char* kClassName = "掩码辅助类";

    // True when mask 0–7 inverts the module at column x, row y (x, y ≥ 0).
    static bool 取数据掩码位(int mask, int x, int y);

    // Every mask repeats after 12 rows and after 6 columns, so its
    // inversions (1 where 取数据掩码位 is true) are built once:
    static constexpr int kRowPeriod = 12;
    static constexpr int kColumnPeriod = 6;
    // along row y, as bytes for the columns 0 to 176 (the widest symbol);
    static const std::uint8_t* maskRow(int mask, int y);
    // along row y, as bits: element y % kRowPeriod;
    static std::span<const LineBits, kRowPeriod> maskRowBits(int mask);
    // down column x, as bits over the rows 0 to 176: element x % kColumnPeriod.
    static std::span<const LineBits, kColumnPeriod> maskColumnBits(int mask);

    // Scores a matrix of 0 (light) and 1 (dark) cells:
    // 1. Runs: in every row (left to right) and column (top to bottom), a
    //    maximal run of L ≥ 5 equal cells scores 3 + (L − 5); runs do not
    //    continue from one line into the next.
    // 2. Blocks: every 2 × 2 square of four equal cells scores 3; overlapping
    //    squares each count.
    // 3. Finder-like: each place where a row reads 1,0,1,1,1,0,1 with four 0
    //    cells right after it or right before it (inside the row) scores 40,
    //    once even when both sides are light; the same down the columns.
    // 4. Balance: d = the dark share in per cent minus 50, truncated toward
    //    zero; the score is 10 × (|d| / 5), truncating. 44.5 % scores 10,
    //    45.5 % scores 0.
    // Cells other than 1 count as light. Matrices up to 192 × 192 cells.
    static MaskPenalty score(const 字节矩阵类& matrix);
    // The same rules over a symbol given as lines of dark bits.
    static MaskPenalty score(const SymbolLines& lines);
};

}  // namespace brevaro::qr
