#include "app/qrwindows/QrPicture_win.h"

#include <cstdint>
#include <cstring>
#include <string>

#include "app/qrwindows/QrWindowLayout.h"
#include "qr/QrImage.h"

namespace brevaro::app {
namespace {

constexpr std::size_t kFileHeaderSize = 14;

std::uint32_t readLe32(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

}  // namespace

QrBitmap bitmapFromBmpFile(std::string_view bytes) {
    if (bytes.size() < kFileHeaderSize + sizeof(BITMAPINFOHEADER) || !bytes.starts_with("BM")) return nullptr;
    const std::size_t pixelsAt = readLe32(bytes, 10);
    BITMAPINFO info{};
    std::memcpy(&info.bmiHeader, bytes.data() + kFileHeaderSize, sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER& header = info.bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 || header.biBitCount != 24 ||
        header.biCompression != BI_RGB || header.biWidth <= 0 || header.biHeight == 0) {
        return nullptr;
    }
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    const std::uint64_t stride = (static_cast<std::uint64_t>(header.biWidth) * 3 + 3) & ~std::uint64_t{3};
    const std::uint64_t rows = header.biHeight < 0 ? -static_cast<std::int64_t>(header.biHeight)
                                                   : static_cast<std::int64_t>(header.biHeight);
    const std::uint64_t pixelBytes = stride * rows;
    if (pixelsAt > bytes.size() || pixelBytes > bytes.size() - pixelsAt) return nullptr;

    void* bits = nullptr;
    QrBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return nullptr;
    std::memcpy(bits, bytes.data() + pixelsAt, static_cast<std::size_t>(pixelBytes));
    GdiFlush();
    return bitmap;
}

bool QrPictureBox::showCodeOf(std::string_view text, int width, int height) {
    const std::string image = qr::创建二维码(text, std::string_view(kQrLevel), width, height, kQrBackground, kQrModules);
    if (image.empty()) return false;  // the failure box has been shown
    QrBitmap bitmap = bitmapFromBmpFile(image);
    if (!bitmap) return false;
    const auto previous = reinterpret_cast<HBITMAP>(
        SendMessageW(control_, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap.get())));
    // A static control of the common controls' sixth version may show a copy
    // and hand back an image it made itself: that one is ours to delete too.
    if (previous != nullptr && previous != bitmap_.get()) DeleteObject(previous);
    bitmap_ = std::move(bitmap);
    return true;
}

}  // namespace brevaro::app
