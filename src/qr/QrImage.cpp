#include "qr/QrImage.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <new>
#include <vector>

#include "qr/Encoder.h"
#include "qr/QrFailure.h"
#include "text/AsciiCase.h"
#include "text/TextPieces.h"

namespace brevaro::qr {
namespace {

constexpr int kDefaultSide = 100;
constexpr std::size_t kBmpHeaderSize = 14 + 40;
constexpr const char* kTooLarge = "图片尺寸过大";

二维码类& programRecord() {
    static 二维码类 record;
    return record;
}

// True when text holds nothing but ASCII spaces and full-width spaces (the
// GBK pair A1 A1), read character by character.
bool onlySpaces(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte == 0x20) {
            ++i;
        } else if (byte == 0xA1 && i + 1 < text.size() &&
                   static_cast<unsigned char>(text[i + 1]) == 0xA1) {
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

const QrLevel& levelNamed(std::optional<std::string_view> name) {
    if (!name) return levelL();
    for (const QrLevel& level : qrLevels()) {
        if (text::equalsIgnoringAsciiCase(*name, level.name)) return level;
    }
    failQr(kQrModuleName, "创建二维码", "容错等级必须为L、M、Q、H四个之一。");
}

std::size_t rowStride(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}

void putLe(std::string& out, std::size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
    }
}

void putPixel(char* at, QrColour colour) {
    at[0] = static_cast<char>((colour >> 16) & 0xFF);  // blue
    at[1] = static_cast<char>((colour >> 8) & 0xFF);   // green
    at[2] = static_cast<char>(colour & 0xFF);          // red
}

}  // namespace

QrPlacement placeSymbol(int symbolWidth, int symbolHeight, int width, int height) {
    const int qrWidth = symbolWidth + 4;  // a margin of two modules on each side
    const int qrHeight = symbolHeight + 4;
    const int outWidth = std::max(width, qrWidth);
    const int outHeight = std::max(height, qrHeight);
    const double scaleX = static_cast<double>(outWidth) / qrWidth;
    const double scaleY = static_cast<double>(outHeight) / qrHeight;
    const int scale = static_cast<int>(scaleX - scaleY < -0.0000001 ? scaleX : scaleY);
    return {scale, (outWidth - symbolWidth * scale) / 2, (outHeight - symbolHeight * scale) / 2};
}

std::string paintBitmap(const 字节矩阵类& symbol, const QrPlacement& placement, int width,
                        int height, QrColour background, QrColour module) {
    const std::size_t stride = rowStride(width);
    const std::size_t pixelBytes = stride * static_cast<std::size_t>(height);
    std::string image(kBmpHeaderSize + pixelBytes, '\0');
    image[0] = 'B';
    image[1] = 'M';
    putLe(image, 2, static_cast<std::uint32_t>(image.size()), 4);
    putLe(image, 10, kBmpHeaderSize, 4);
    putLe(image, 14, 40, 4);
    putLe(image, 18, static_cast<std::uint32_t>(width), 4);
    putLe(image, 22, static_cast<std::uint32_t>(height), 4);  // positive: rows bottom-up
    putLe(image, 26, 1, 2);                                   // planes
    putLe(image, 28, 24, 2);                                  // bits per pixel
    putLe(image, 34, static_cast<std::uint32_t>(pixelBytes), 4);
    putLe(image, 38, 3780, 4);  // 96 dots per inch, in dots per metre
    putLe(image, 42, 3780, 4);

    std::vector<char> backgroundRow(stride, '\0');
    for (int x = 0; x < width; ++x) {
        putPixel(&backgroundRow[static_cast<std::size_t>(x) * 3], background);
    }

    const int s = std::max(placement.scale, 1);
    const int symbolBottom = placement.top + symbol.height() * s;
    std::vector<char> symbolRow;
    int paintedRow = -1;
    for (int y = 0; y < height; ++y) {
        const std::vector<char>* row = &backgroundRow;
        if (y >= placement.top && y < symbolBottom) {
            const int symbolY = (y - placement.top) / s;
            if (symbolY != paintedRow) {
                symbolRow = backgroundRow;
                const std::uint8_t* cells = symbol.row(symbolY);
                for (int symbolX = 0; symbolX < symbol.width(); ++symbolX) {
                    if (cells[symbolX] != 1) continue;
                    const int first = std::max(placement.left + symbolX * s, 0);
                    const int last = std::min(placement.left + (symbolX + 1) * s, width);
                    for (int x = first; x < last; ++x) {
                        putPixel(&symbolRow[static_cast<std::size_t>(x) * 3], module);
                    }
                }
                paintedRow = symbolY;
            }
            row = &symbolRow;
        }
        std::memcpy(&image[kBmpHeaderSize + static_cast<std::size_t>(height - 1 - y) * stride],
                    row->data(), stride);
    }
    return image;
}

std::string 创建二维码(std::string_view content, std::optional<std::string_view> level, int width,
                       int height, QrColour background, QrColour module) {
    try {
        content = text::textBeforeNul(content);
        if (onlySpaces(content)) failQr(kQrModuleName, "编码", "没有编码内容");
        const QrLevel& chosenLevel = levelNamed(level);
        if (width <= 0) width = kDefaultSide;
        if (height <= 0) height = kDefaultSide;
        // A .bmp states its sizes in 32 bits.
        const std::uint64_t stride =
            (static_cast<std::uint64_t>(width) * 3 + 3) & ~std::uint64_t{3};
        const std::uint64_t fileSize = kBmpHeaderSize + stride * static_cast<std::uint64_t>(height);
        if (fileSize > 0x7FFFFFFFu) failQr(kQrModuleName, "创建二维码", kTooLarge);

        二维码类 record;
        编码类 encoder;
        encoder.编码(content, chosenLevel, record);
        const 字节矩阵类& symbol = record.matrix;
        std::string image =
            paintBitmap(symbol, placeSymbol(symbol.width(), symbol.height(), width, height), width,
                        height, background, module);
        programRecord() = std::move(record);
        return image;
    } catch (const QrFailure& failure) {
        reportQrFailure(failure.record());
    } catch (const std::bad_alloc&) {
        reportQrFailure({kQrModuleName, "创建二维码", kTooLarge});
    }
    return {};
}

const 二维码类& currentQrCode() {
    return programRecord();
}

}  // namespace brevaro::qr
