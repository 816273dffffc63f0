#pragma once
// One row or column of a symbol as bits (cell i is bit i; 1 dark), so that the
// penalty rules score a whole line with a few word operations instead of a
// walk over its cells. A line of N 64-bit words holds up to 64·N cells; lines
// are stored with 3 words (the widest symbol has 177 cells) and scored with as
// few words as the symbol needs.

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace brevaro::qr {

template <std::size_t N>
class BitLine {
public:
    static constexpr int kMaxCells = static_cast<int>(64 * N);

    // Cells 0 to n − 1 set.
    static BitLine firstCells(int n) {
        BitLine bits;
        for (int i = 0; i < n; ++i) bits.set(i);
        return bits;
    }

    // The first N words of a longer line.
    template <std::size_t M>
    static BitLine prefixOf(const BitLine<M>& line) {
        static_assert(M >= N);
        BitLine bits;
        for (std::size_t j = 0; j < N; ++j) bits.words_[j] = line.word(j);
        return bits;
    }

    bool test(int i) const { return ((words_[index(i)] >> (i % 64)) & 1u) != 0; }
    void set(int i) { words_[index(i)] |= std::uint64_t{1} << (i % 64); }
    std::uint64_t word(std::size_t j) const { return words_[j]; }

    // Bit i of the result is bit i + k of this (0 past the end); 0 < k < 64.
    BitLine ahead(int k) const {
        BitLine out;
        for (std::size_t j = 0; j < N; ++j) {
            out.words_[j] = (words_[j] >> k) | (j + 1 < N ? words_[j + 1] << (64 - k) : 0);
        }
        return out;
    }
    // Bit i of the result is bit i − k of this (0 before the start); 0 < k < 64.
    BitLine behind(int k) const {
        BitLine out;
        for (std::size_t j = 0; j < N; ++j) {
            out.words_[j] = (words_[j] << k) | (j > 0 ? words_[j - 1] >> (64 - k) : 0);
        }
        return out;
    }

    int count() const {
        int total = 0;
        for (const std::uint64_t w : words_) total += bitCount(w);
        return total;
    }

    friend BitLine operator&(BitLine a, const BitLine& b) {
        for (std::size_t j = 0; j < N; ++j) a.words_[j] &= b.words_[j];
        return a;
    }
    friend BitLine operator|(BitLine a, const BitLine& b) {
        for (std::size_t j = 0; j < N; ++j) a.words_[j] |= b.words_[j];
        return a;
    }
    friend BitLine operator^(BitLine a, const BitLine& b) {
        for (std::size_t j = 0; j < N; ++j) a.words_[j] ^= b.words_[j];
        return a;
    }
    BitLine operator~() const {
        BitLine out;
        for (std::size_t j = 0; j < N; ++j) out.words_[j] = ~words_[j];
        return out;
    }

private:
    static std::size_t index(int i) { return static_cast<std::size_t>(i / 64); }

    // Counted in the register: without a population-count instruction in the
    // target's base set, std::popcount becomes a library call.
    static int bitCount(std::uint64_t w) {
        w = w - ((w >> 1) & 0x5555555555555555u);
        w = (w & 0x3333333333333333u) + ((w >> 2) & 0x3333333333333333u);
        w = (w + (w >> 4)) & 0x0F0F0F0F0F0F0F0Fu;
        return static_cast<int>((w * 0x0101010101010101u) >> 56);
    }

    std::array<std::uint64_t, N> words_{};
};

using LineBits = BitLine<3>;

// A symbol as lines: its rows (bit x of rows[y] is the cell (x, y)) and its
// columns (bit y of columns[x]).
struct SymbolLines {
    int width = 0;
    int height = 0;
    std::vector<LineBits> rows;
    std::vector<LineBits> columns;
};

// The lines of the cells equal to 1 among width x height cells stored row
// by row (each side at most LineBits::kMaxCells).
inline SymbolLines linesOf(int width, int height, const std::vector<std::uint8_t>& cells) {
    SymbolLines lines;
    lines.width = width;
    lines.height = height;
    lines.rows.resize(static_cast<std::size_t>(height));
    lines.columns.resize(static_cast<std::size_t>(width));
    std::size_t i = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x, ++i) {
            if (cells[i] != 1) continue;
            lines.rows[static_cast<std::size_t>(y)].set(x);
            lines.columns[static_cast<std::size_t>(x)].set(y);
        }
    }
    return lines;
}

}  // namespace brevaro::qr
