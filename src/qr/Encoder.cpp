#include "qr/Encoder.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <string>

#include "qr/GaloisField.h"
#include "qr/MaskRules.h"
#include "qr/MatrixBuilder.h"
#include "qr/QrFailure.h"
#include "qr/ReedSolomon.h"
#include "text/Encoding.h"

namespace brevaro::qr {
namespace {

constexpr const char* kClass = 编码类::kClassName;

// ISO/IEC 18004:2006, Table 5 (encoding/decoding table for alphanumeric
// mode), indexed by character code 0 to 95; −1 for codes outside the set.
// clang-format off
constexpr std::array<int, 96> kAlphanumeric = {
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x00
    -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,  // 0x10
    36, -1, -1, -1, 37, 38, -1, -1, -1, -1, 39, 40, -1, 41, 42, 43,  // 0x20  SP $ % * + - . /
    0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  44, -1, -1, -1, -1, -1,  // 0x30  0-9 :
    -1, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24,  // 0x40  A-O
    25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35, -1, -1, -1, -1, -1,  // 0x50  P-Z
};
// clang-format on

int byteAt(std::string_view text, std::size_t i) {
    return static_cast<unsigned char>(text[i]);
}

}  // namespace

void 编码类::编码(std::string_view text, const QrLevel& level, 二维码类& record) const {
    const 位向量子类 data = dataCodewords(text, level, record);
    位向量子类 final;
    交错容错字节(data, record.totalCodewords, record.dataCodewords, record.blockCount, final);

    字节矩阵类 matrix(record.matrixWidth, record.matrixWidth);
    record.maskPattern = chooseMask(final, level, record.version, matrix);
    record.matrix = std::move(matrix);
    if (!record.isValid()) failQr(kClass, "编码", "无效的二维码");
}

位向量子类 编码类::dataCodewords(std::string_view text, const QrLevel& level,
                                 二维码类& record) const {
    const QrMode& mode = chooseMode(text);
    位向量类 data;
    appendData(text, mode, data);
    const int n = data.sizeInBytes();
    初始化二维码(n, level, mode, record);

    位向量子类 header;
    appendModeIndicator(mode, header);
    const int count = mode == byteMode() ? n : static_cast<int>(text.size());
    追加长度信息(count, record.version, mode, header);
    header.appendVector(data);
    结束数据位(record.dataCodewords, header);
    return header;
}

void 编码类::初始化二维码(int byteCount, const QrLevel& level, const QrMode& mode,
                          二维码类& record) const {
    record.level = &level;
    record.mode = &mode;
    for (int number = 1; number <= 40; ++number) {
        const QrVersion& version = 二维码类::取版本_通过版本号(number);
        const QrLevelBlocks& blocks = version.blocks(level);
        const int ec = blocks.totalEc();
        const int data = version.totalCodewords - ec;
        if (data >= byteCount + 3) {
            record.version = number;
            record.totalCodewords = version.totalCodewords;
            record.dataCodewords = data;
            record.blockCount = blocks.blockCount();
            record.ecCodewords = ec;
            record.matrixWidth = version.dimension;
            return;
        }
    }
    failQr(kClass, "初始化二维码", "");
}

void 编码类::appendData(std::string_view text, const QrMode& mode, 位向量类& bits) const {
    if (mode == numericMode()) {
        appendNumeric(text, bits);
    } else if (mode == alphanumericMode()) {
        追加字母数字字节(text, bits);
    } else {
        appendBytes(text, bits);
    }
}

void 编码类::appendNumeric(std::string_view text, 位向量类& bits) const {
    const auto digit = [&](std::size_t i) {
        return static_cast<std::uint32_t>(byteAt(text, i) - '0');
    };
    std::size_t i = 0;
    for (; text.size() - i >= 3; i += 3) {
        bits.appendBits(100 * digit(i) + 10 * digit(i + 1) + digit(i + 2), 10);
    }
    if (text.size() - i == 2) {
        bits.appendBits(10 * digit(i) + digit(i + 1), 7);
    } else if (text.size() - i == 1) {
        bits.appendBits(digit(i), 4);
    }
}

void 编码类::追加字母数字字节(std::string_view text, 位向量类& bits) const {
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int a = alphanumericValue(byteAt(text, i));
        if (a == -1) failQr(kClass, "追加字母数字字节", "无效值");
        if (i + 1 == text.size()) {
            bits.appendBits(static_cast<std::uint32_t>(a), 6);
            break;
        }
        const int b = alphanumericValue(byteAt(text, i + 1));
        if (b == -1) failQr(kClass, "追加字母数字字节", "无效值");
        bits.appendBits(static_cast<std::uint32_t>(45 * a + b), 11);
    }
}

void 编码类::appendBytes(std::string_view text, 位向量类& bits) const {
    for (const char byte : text::gbkToUtf8(text)) bits.appendByte(static_cast<std::uint8_t>(byte));
}

const QrMode& 编码类::chooseMode(std::string_view text) const {
    // A character of two GBK bytes starts with a byte of 0x81 or more, which
    // is outside both sets: looking at bytes decides as looking at the first
    // byte of each character does.
    bool hasAlphanumeric = false;
    bool hasDigit = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int code = byteAt(text, i);
        if (code >= '0' && code <= '9') {
            hasDigit = true;
        } else if (alphanumericValue(code) != -1) {
            hasAlphanumeric = true;
        } else {
            return byteMode();
        }
    }
    if (hasAlphanumeric) return alphanumericMode();
    if (hasDigit) return numericMode();
    return byteMode();
}

int 编码类::alphanumericValue(int code) const {
    if (code < 0 || code >= static_cast<int>(kAlphanumeric.size())) return -1;
    return kAlphanumeric[static_cast<std::size_t>(code)];
}

void 编码类::appendModeIndicator(const QrMode& mode, 位向量类& bits) const {
    bits.appendBits(static_cast<std::uint32_t>(mode.indicator), 4);
}

void 编码类::追加长度信息(int count, int version, const QrMode& mode, 位向量类& bits) const {
    const int width = mode.countWidth(version);
    if (count < 0 || count > (1 << width) - 1) failQr(kClass, "追加长度信息", "要添加信息过多");
    bits.appendBits(static_cast<std::uint32_t>(count), width);
}

void 编码类::结束数据位(int dataCodewords, 位向量类& bits) const {
    const int capacity = 8 * dataCodewords;
    if (bits.size() > capacity) failQr(kClass, "结束数据位", "数据无法填充");
    for (int i = 0; i < 4 && bits.size() < capacity; ++i) bits.追加位(0);
    while (bits.size() % 8 != 0) bits.追加位(0);
    if (bits.size() % 8 != 0) failQr(kClass, "结束数据位", "位数不是8的倍数");
    const int pads = dataCodewords - bits.sizeInBytes();
    for (int i = 0; i < pads; ++i) bits.appendByte(i % 2 == 0 ? 0xEC : 0x11);
    if (bits.size() != capacity) failQr(kClass, "结束数据位", "位长度不等于容量");
}

编码类::BlockSizes 编码类::根据块ID取数据字节数和容错字节数(int totalCodewords, int dataCodewords,
                                                            int blockCount, int index) const {
    if (index < 0 || index >= blockCount) {
        failQr(kClass, "根据块ID取数据字节数和容错字节数", "无效值");
    }
    const int group2Blocks = totalCodewords % blockCount;
    const int group1Blocks = blockCount - group2Blocks;
    const int group1Total = totalCodewords / blockCount;
    const int group1Data = dataCodewords / blockCount;
    if (index < group1Blocks) return {group1Data, group1Total - group1Data};
    return {group1Data + 1, (group1Total + 1) - (group1Data + 1)};
}

std::vector<std::uint8_t> 编码类::ecCodewords(const std::vector<std::uint8_t>& data,
                                              int ecCount) const {
    RS编码器类 encoder(GF256::qr());
    std::vector<int> message(data.begin(), data.end());
    message.resize(data.size() + static_cast<std::size_t>(std::max(ecCount, 0)), 0);
    encoder.编码(message, ecCount);
    return {message.end() - ecCount, message.end()};
}

void 编码类::交错容错字节(const 位向量类& bits, int totalCodewords, int dataCodewords,
                          int blockCount, 位向量子类& result) const {
    if (bits.sizeInBytes() != dataCodewords) {
        failQr(kClass, "交错容错字节", "位数和数据字节数不匹配");
    }
    // One Reed–Solomon encoder serves every block: they share one EC length,
    // so the generator polynomial is built once.
    RS编码器类 encoder(GF256::qr());
    std::vector<std::vector<std::uint8_t>> dataBlocks;
    std::vector<std::vector<std::uint8_t>> ecBlocks;
    std::size_t longestData = 0;
    std::size_t longestEc = 0;
    std::size_t offset = 0;
    const std::vector<std::uint8_t>& bytes = bits.bytes();
    std::vector<int> message;
    for (int block = 0; block < blockCount; ++block) {
        const BlockSizes sizes =
            根据块ID取数据字节数和容错字节数(totalCodewords, dataCodewords, blockCount, block);
        const std::size_t dataSize = static_cast<std::size_t>(sizes.dataCodewords);
        if (offset + dataSize > bytes.size()) break;  // reported below as a wrong offset
        const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
        dataBlocks.emplace_back(first, first + static_cast<std::ptrdiff_t>(dataSize));
        message.assign(first, first + static_cast<std::ptrdiff_t>(dataSize));
        message.resize(dataSize + static_cast<std::size_t>(std::max(sizes.ecCodewords, 0)), 0);
        encoder.编码(message, sizes.ecCodewords);
        ecBlocks.emplace_back(message.begin() + static_cast<std::ptrdiff_t>(dataSize),
                              message.end());
        longestData = std::max(longestData, dataSize);
        longestEc = std::max(longestEc, ecBlocks.back().size());
        offset += dataSize;
    }
    if (offset != static_cast<std::size_t>(dataCodewords)) {
        failQr(kClass, "交错容错字节", "数据字节数写偏移量不匹配");
    }
    for (std::size_t i = 0; i < longestData; ++i) {
        for (const auto& block : dataBlocks) {
            if (i < block.size()) result.appendByte(block[i]);
        }
    }
    for (std::size_t i = 0; i < longestEc; ++i) {
        for (const auto& block : ecBlocks) {
            if (i < block.size()) result.appendByte(block[i]);
        }
    }
    if (result.sizeInBytes() != totalCodewords) failQr(kClass, "交错容错字节", "交错出错");
}

int 编码类::chooseMask(const 位向量类& bits, const QrLevel& level, int version,
                       字节矩阵类& matrix) const {
    // The eight trial symbols share the placement of everything but the mask;
    // each trial masks and scores the symbol as lines of bits.
    const UnmaskedSymbol symbol(bits, level, version);
    int best = -1;
    int lowest = INT_MAX;
    for (int mask = 0; mask < 8; ++mask) {
        const int penalty = symbol.penalty(mask).total();
        if (penalty < lowest) {
            lowest = penalty;
            best = mask;
        }
    }
    symbol.applyMask(best, matrix);
    return best;
}

}  // namespace brevaro::qr
