#pragma once
// The picture box of the QR windows: a static control (SS_BITMAP) showing
// the picture of a text's QR code, made by 创建二维码 at the box's size.

#include <windows.h>

#include <string_view>

#include "skin/GdiHandles_win.h"

namespace brevaro::app {

using QrBitmap = skin::OwnedBitmap;

// A bitmap holding the pixels of a 24-bit, uncompressed .bmp file image;
// null when the bytes are not one (or are cut short).
QrBitmap bitmapFromBmpFile(std::string_view bytes);

// Owns the bitmap its static control shows. The control must not outlive
// this object with the bitmap still selected into it, so the owner window
// keeps the box in its state until WM_NCDESTROY.
class QrPictureBox {
public:
    QrPictureBox() = default;
    explicit QrPictureBox(HWND control) : control_(control) {}

    HWND control() const { return control_; }

    // Shows the QR code of a GBK text (level M, black on white, the box's
    // size). When the code cannot be made — 创建二维码 has then shown its
    // failure box and returned no picture — the box keeps what it showed.
    // True when the picture changed.
    bool showCodeOf(std::string_view text, int width, int height);

private:
    HWND control_ = nullptr;
    QrBitmap bitmap_;
};

}  // namespace brevaro::app
