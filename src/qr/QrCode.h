#pragma once
// The QR Code record and the standard's tables of modes, error-correction
// levels and versions (ISO/IEC 18004, model 2, versions 1 to 40). The tables
// are constant data; an encoding only looks them up.

#include <array>
#include <cstddef>

#include "qr/ByteMatrix.h"

namespace brevaro::qr {

// An encoding mode. Two modes are the same mode when their names are equal.
struct QrMode {
    const char* name;                // "数字", "字母数字" or "字节" (GBK)
    int indicator;                   // the 4-bit mode indicator
    std::array<int, 3> countWidths;  // character-count bits for versions 1–9, 10–26, 27–40

    int countWidth(int version) const;
    bool operator==(const QrMode& other) const;
};

const QrMode& numericMode();
const QrMode& alphanumericMode();
const QrMode& byteMode();

// An error-correction level: L, M, Q, H with ordinals 1 to 4.
struct QrLevel {
    int ordinal;    // 1 to 4 in the order L, M, Q, H; indexes a version's blocks
    int indicator;  // the 2 bits of the format information: L 1, M 0, Q 3, H 2
    const char* name;
};

// The four levels in the order L, M, Q, H.
const std::array<QrLevel, 4>& qrLevels();
const QrLevel& levelL();
const QrLevel& levelM();
const QrLevel& levelQ();
const QrLevel& levelH();

struct QrBlockGroup {
    int blocks;
    int dataCodewords;  // per block
};

// The blocks of one version at one level.
struct QrLevelBlocks {
    int ecPerBlock;
    std::array<QrBlockGroup, 2> groups;  // the second has 0 blocks when unused

    int blockCount() const { return groups[0].blocks + groups[1].blocks; }
    int totalEc() const { return ecPerBlock * blockCount(); }
};

struct QrVersion {
    int number;                           // 1 to 40
    std::array<QrLevelBlocks, 4> levels;  // L, M, Q, H
    int totalCodewords;                   // 26 (version 1) to 3706 (version 40)
    int dimension;                        // modules per side, 17 + 4 × number: 21 to 177

    const QrLevelBlocks& blocks(const QrLevel& level) const {
        return levels[static_cast<std::size_t>(level.ordinal - 1)];
    }
};

// The QR Code record: what one encoding produced. Fields 3 to 9 (version to
// block count) are −1 while unset; the record is valid when none of them is.
struct 二维码类 {
    static constexpr const char* kClassName = "二维码类";

    const QrMode* mode = nullptr;
    const QrLevel* level = nullptr;
    int version = -1;
    int matrixWidth = -1;
    int maskPattern = -1;
    int totalCodewords = -1;
    int dataCodewords = -1;
    int ecCodewords = -1;
    int blockCount = -1;
    字节矩阵类 matrix;

    // The version record of number 1 to 40; any other number fails.
    static const QrVersion& 取版本_通过版本号(int number);
    static bool isValidMask(int mask) { return mask >= 0 && mask <= 7; }

    void reset();
    bool isValid() const;
};

}  // namespace brevaro::qr
