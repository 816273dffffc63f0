#pragma once
// 创建二维码: a text as a picture of its QR Code, a complete 24-bit .bmp file
// image, for the QR windows. The one operation of the QR-code generator that
// the rest of the program calls; its failures are shown by the QR failure
// reporter (QrFailure.h) and the operation returns empty bytes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "qr/ByteMatrix.h"
#include "qr/QrCode.h"

namespace brevaro::qr {

// The module name, the source of the image operation's own failures.
inline constexpr const char* kQrModuleName = "二维码模块";

// A colour as Windows' COLORREF: 0x00BBGGRR, red in the low byte.
using QrColour = std::uint32_t;

// The picture of content's QR Code at the level, width × height pixels,
// background and module colours as given.
//
// content: a GBK text (up to its first zero byte), used as it is; one made of
//   nothing but ASCII and full-width spaces fails ("没有编码内容").
// level: "L", "M", "Q" or "H", ASCII letter case ignored; nullopt takes L;
//   anything else fails.
// width, height: pixels; 0 or less takes 100. A picture whose file image
//   would not fit a .bmp's 32-bit sizes fails.
// Result: the .bmp file image ("BM", 40-byte info header, 24 bits per pixel,
// rows bottom-up): the symbol scaled by a whole factor with a margin of two
// modules, centred, cut at the right and bottom edges when the picture is
// smaller than the symbol and its margin. On a failure: the failure is
// reported, the result is empty and the program's QR record stays as it was.
std::string 创建二维码(std::string_view content, std::optional<std::string_view> level, int width,
                       int height, QrColour background, QrColour module);

// The program's QR record: the last successful encoding of 创建二维码.
const 二维码类& currentQrCode();

// Where a symbol of symbolWidth × symbolHeight modules lands in a picture of
// width × height pixels: each module becomes a scale × scale square, the
// symbol's top-left corner at (left, top).
struct QrPlacement {
    int scale;
    int left;
    int top;
    bool operator==(const QrPlacement&) const = default;
};
QrPlacement placeSymbol(int symbolWidth, int symbolHeight, int width, int height);

// The .bmp file image of the symbol placed in a width × height picture.
std::string paintBitmap(const 字节矩阵类& symbol, const QrPlacement& placement, int width,
                        int height, QrColour background, QrColour module);

}  // namespace brevaro::qr
