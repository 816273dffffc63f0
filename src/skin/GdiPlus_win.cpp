#include "skin/GdiPlus_win.h"

// gdiplus.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on

namespace brevaro::skin {

bool startGdiPlus() noexcept {
    static const bool started = [] {
        Gdiplus::GdiplusStartupInput input;
        input.GdiplusVersion = 1;
        input.DebugEventCallback = nullptr;
        input.SuppressBackgroundThread = FALSE;
        input.SuppressExternalCodecs = FALSE;
        ULONG_PTR token = 0;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

}  // namespace brevaro::skin
