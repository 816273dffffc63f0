#pragma once
// The QR Code encoder (ISO/IEC 18004, model 2): one mode for the whole text
// (numeric, alphanumeric or byte; no Kanji, no ECI, no mixing), the smallest
// version that holds the data plus a 3-byte header allowance, Reed–Solomon
// blocks interleaved, and the mask with the lowest penalty.
//
// Texts are GBK (the program's encoding); byte mode carries them as UTF-8.
// Failures throw QrFailure (QrFailure.h) with source "编码类" unless stated.

#include <cstdint>
#include <string_view>
#include <vector>

#include "qr/BitVector.h"
#include "qr/ByteMatrix.h"
#include "qr/QrCode.h"

namespace brevaro::qr {

class 编码类 {
public:
    static constexpr const char* kClassName = "编码类";

    struct BlockSizes {
        int dataCodewords;
        int ecCodewords;
        bool operator==(const BlockSizes&) const = default;
    };

    // Encodes text at the level into record: every field, the matrix with
    // its chosen mask included. Fails when the finished record is not valid
    // and, through 初始化二维码, when no version holds the text.
    void 编码(std::string_view text, const QrLevel& level, 二维码类& record) const;

    // The first steps of 编码: chooses the mode and the version (record
    // fields 1 to 9) and returns the data codewords: mode indicator,
    // character count (UTF-8 bytes in byte mode), data, terminator and pads.
    位向量子类 dataCodewords(std::string_view text, const QrLevel& level, 二维码类& record) const;

    // Stores level and mode, then the first version whose data codewords at
    // the level hold byteCount + 3: its number, codeword counts, block count
    // and dimension. No such version: failure with an empty message.
    void 初始化二维码(int byteCount, const QrLevel& level, const QrMode& mode,
                      二维码类& record) const;

    // Numeric: digits in 10-bit groups of three, 7 bits for two, 4 for one.
    // Alphanumeric: pairs 45·a + b in 11 bits, a last single value in 6.
    // Byte: the text converted to UTF-8, 8 bits a byte.
    void appendData(std::string_view text, const QrMode& mode, 位向量类& bits) const;
    void appendNumeric(std::string_view text, 位向量类& bits) const;
    void 追加字母数字字节(std::string_view text, 位向量类& bits) const;
    void appendBytes(std::string_view text, 位向量类& bits) const;

    // Numeric when every byte is a digit, alphanumeric when every byte is in
    // the 45-character set, else byte (the empty text too).
    const QrMode& chooseMode(std::string_view text) const;
    // 0–44 for a character of the alphanumeric set, else −1.
    int alphanumericValue(int code) const;

    void appendModeIndicator(const QrMode& mode, 位向量类& bits) const;
    // The count in the mode's count width for the version; a count that does
    // not fit fails.
    void 追加长度信息(int count, int version, const QrMode& mode, 位向量类& bits) const;
    // Terminator (up to four 0 bits), 0 bits to the byte boundary, then pad
    // codewords 0xEC, 0x11, … up to dataCodewords.
    void 结束数据位(int dataCodewords, 位向量类& bits) const;

    // Splits the data codewords into blocks, adds each block's EC codewords
    // and appends data then EC codewords to result, column by column.
    void 交错容错字节(const 位向量类& bits, int totalCodewords, int dataCodewords, int blockCount,
                      位向量子类& result) const;
    // Sizes of block 0 ≤ index < blockCount: the last (total mod blocks)
    // blocks hold one codeword more than the others, in data.
    BlockSizes 根据块ID取数据字节数和容错字节数(int totalCodewords, int dataCodewords,
                                                int blockCount, int index) const;
    // The Reed–Solomon EC codewords of one block.
    std::vector<std::uint8_t> ecCodewords(const std::vector<std::uint8_t>& data, int ecCount) const;

    // Tries the masks 0 to 7 in order and returns the first with the lowest
    // penalty; matrix becomes the symbol with that mask.
    int chooseMask(const 位向量类& bits, const QrLevel& level, int version,
                   字节矩阵类& matrix) const;
};

}  // namespace brevaro::qr
