#include "skin/ImageShadow_win.h"

#include <cstring>
#include <vector>

#include "skin/GdiHandles_win.h"
#include "skin/ImageShadow.h"

namespace brevaro::skin {

bool attachImageShadow(HWND shadowWindow) {
    if (shadowWindow == nullptr || !IsWindow(shadowWindow)) return false;
    SetWindowLongPtrW(shadowWindow, GWL_EXSTYLE,
                      GetWindowLongPtrW(shadowWindow, GWL_EXSTYLE) | WS_EX_LAYERED);

    const WindowDc screen(nullptr);
    if (screen.get() == nullptr) return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kImageShadowWidth;
    info.bmiHeader.biHeight = -kImageShadowHeight;  // top-down, as the pixels run
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const OwnedBitmap bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return false;
    const std::vector<std::uint32_t> pixels = imageShadowPixels();
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));

    const OwnedMemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!memory) return false;
    const Selection selection(memory.get(), bitmap.get());
    RECT place;
    GetWindowRect(shadowWindow, &place);
    // The window keeps the place the follow step gave it and takes the
    // picture's size.
    POINT destination{place.left, place.top};
    SIZE size{kImageShadowWidth, kImageShadowHeight};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return UpdateLayeredWindow(shadowWindow, screen.get(), &destination, &size, memory.get(),
                               &source, 0, &blend, ULW_ALPHA) != FALSE;
}

void followWithImageShadow(HWND shadowWindow, HWND mainWindow) {
    if (shadowWindow == nullptr || mainWindow == nullptr) return;
    if (IsIconic(mainWindow)) {
        ShowWindow(shadowWindow, SW_HIDE);
        return;
    }
    RECT main;
    if (!GetWindowRect(mainWindow, &main)) return;
    SetWindowPos(shadowWindow, nullptr, main.left - kImageShadowOffset,
                 main.top - kImageShadowOffset, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

}  // namespace brevaro::skin
