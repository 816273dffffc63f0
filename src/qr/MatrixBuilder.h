#pragma once
// Placing a finished codeword stream into the module matrix of a symbol
// (ISO/IEC 18004, 7.7 to 7.9): function patterns, format and version
// information, and the data modules under one of the eight data masks.

#include <cstdint>
#include <vector>

#include "qr/BitVector.h"
#include "qr/ByteMatrix.h"
#include "qr/LineBits.h"
#include "qr/MaskRules.h"
#include "qr/QrCode.h"

namespace brevaro::qr {

// A symbol with every module placed and the data modules not yet masked.
// The eight trial masks of an encoding each take a copy of it, so the
// function patterns and the data placement are done once per encoding.
class UnmaskedSymbol {
public:
    // Places bits (the interleaved codewords) into a symbol of version 1–40.
    UnmaskedSymbol(const 位向量类& bits, const QrLevel& level, int version);

    // out becomes the finished symbol with mask 0–7: the data modules
    // inverted where the mask says so, the format information of the level
    // and mask written.
    void applyMask(int mask, 字节矩阵类& out) const;

    // The penalty of the symbol with mask 0–7: the same as scoring the matrix
    // that applyMask gives, worked out on its lines of bits.
    MaskPenalty penalty(int mask) const;

private:
    const QrLevel* level_;
    字节矩阵类 cells_;                  // format cells hold 0 until a mask is applied
    std::vector<std::uint8_t> isData_;  // 1 for a data module, row by row
    SymbolLines lines_;                 // cells_ as lines of dark bits
    SymbolLines dataLines_;             // isData_ as lines
    mutable SymbolLines trial_;         // penalty()'s lines, kept to reuse their memory
};

class 矩阵应用类 {
public:
    static constexpr const char* kClassName = "矩阵应用类";

    // matrix becomes the finished symbol of version 1–40 holding bits with
    // the level and mask 0–7 (all cells 0 or 1).
    static void buildMatrix(const 位向量类& bits, const QrLevel& level, int version, int mask,
                            字节矩阵类& matrix);

    // The 15 format bits of the level and mask: (indicator × 8 + mask) in 5
    // bits, its BCH remainder by 0x537 in 10 bits, all exclusive-or'ed with
    // 0x5412. The first bit of the vector is the most significant.
    static 位向量子类 标记类型信息位(const QrLevel& level, int mask);

    // The 18 version bits: the version in 6 bits, its BCH remainder by 0x1F25
    // in 12 bits.
    static 位向量子类 标记版本信息位(int version);

    // The remainder of value · x^(m − 1) divided by generator, m being the
    // generator's bit length.
    static std::uint32_t bchRemainder(std::uint32_t value, std::uint32_t generator);

    static bool isEmpty(int value) { return value == 字节矩阵类::kEmpty; }
    static bool isValidValue(int value) { return value == 0 || value == 1 || isEmpty(value); }
};

}  // namespace brevaro::qr
