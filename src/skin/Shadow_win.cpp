#include "skin/Shadow_win.h"

#include <cstdint>
#include <span>

#include "skin/GdiHandles_win.h"
#include "skin/ShadowRings.h"

namespace brevaro::skin {
namespace {

constexpr wchar_t kShadowProperty[] = L"Brevaro.Shadow";
constexpr wchar_t kProcProperty[] = L"Brevaro.Shadow.Proc";
constexpr wchar_t kColourProperty[] = L"Brevaro.Shadow.Color";
constexpr wchar_t kSizeProperty[] = L"Brevaro.Shadow.Size";

// Far beyond any screen: a larger shadow is not drawn rather than asking GDI
// for a picture of gigabytes.
constexpr long long kLargestSide = 16384;

// Window properties hold handles; these values are integers or procedures.
INT_PTR propertyValue(HWND window, const wchar_t* name) {
    return reinterpret_cast<INT_PTR>(GetPropW(window, name));
}
void setPropertyValue(HWND window, const wchar_t* name, INT_PTR value) {
    SetPropW(window, name, reinterpret_cast<HANDLE>(value));
}

HWND shadowOf(HWND target) {
    const HWND shadow = reinterpret_cast<HWND>(GetPropW(target, kShadowProperty));
    return shadow != nullptr && IsWindow(shadow) ? shadow : nullptr;
}

// Paints the rings into a new 32-bit DIB of the shadow's size and pushes it
// with per-pixel alpha at (left, top).
void redraw(HWND shadow, int left, int top, int width, int height, int size, COLORREF colour) {
    const WindowDc screen(nullptr);
    if (screen.get() == nullptr) return;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up; the rings are symmetric
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = static_cast<DWORD>(width) * static_cast<DWORD>(height) * 4;
    void* bits = nullptr;
    const OwnedBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return;
    const std::size_t pixelCount = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    paintShadowRings(std::span(static_cast<std::uint32_t*>(bits), pixelCount), width, height, size,
                     GetRValue(colour), GetGValue(colour), GetBValue(colour));

    const OwnedMemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!memory) return;
    const Selection selection(memory.get(), bitmap.get());
    POINT destination{left, top};
    SIZE extent{width, height};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    UpdateLayeredWindow(shadow, screen.get(), &destination, &extent, memory.get(), &source, 0, &blend, ULW_ALPHA);
}

LRESULT CALLBACK shadowWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_NCHITTEST: return HTTRANSPARENT;
        case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
        case WM_NCDESTROY:
            RemovePropW(window, kColourProperty);
            RemovePropW(window, kSizeProperty);
            break;
        default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerShadowClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = shadowWindowProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kShadowWindowClass;
        return RegisterClassExW(&windowClass) != 0;
    }();
    return registered;
}

// Layered and click-through, never activated, owned by the target so it
// goes with it (and is destroyed with it). Created at size 0; the first
// update places and draws it.
HWND createShadowWindow(HWND target) {
    constexpr DWORD exStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    HWND shadow = nullptr;
    if (registerShadowClass()) {
        shadow = CreateWindowExW(exStyle, kShadowWindowClass, L"", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, target,
                                 nullptr, instance, nullptr);
    }
    if (shadow == nullptr) {
        shadow = CreateWindowExW(exStyle, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 0, 0, target, nullptr,
                                 instance, nullptr);
    }
    return shadow;
}

LRESULT CALLBACK shadowedTargetProc(HWND target, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    const auto previous = reinterpret_cast<WNDPROC>(propertyValue(target, kProcProperty));
    const LRESULT result = previous != nullptr ? CallWindowProcW(previous, target, message, wParam, lParam)
                                               : DefWindowProcW(target, message, wParam, lParam);
    switch (message) {
        case WM_MOVE:
        case WM_SIZE: updateShadow(target); break;
        case WM_SHOWWINDOW: updateShadow(target, wParam != 0); break;
        case WM_NCDESTROY:
            // The shadow window went with its owner; the properties go too.
            RemovePropW(target, kShadowProperty);
            RemovePropW(target, kProcProperty);
            break;
        default: break;
    }
    return result;
}

void detachShadow(HWND target) {
    const HWND shadow = reinterpret_cast<HWND>(GetPropW(target, kShadowProperty));
    if (shadow != nullptr && IsWindow(shadow)) {
        RemovePropW(shadow, kColourProperty);
        RemovePropW(shadow, kSizeProperty);
        DestroyWindow(shadow);
    }
    RemovePropW(target, kShadowProperty);
    if (const INT_PTR previous = propertyValue(target, kProcProperty); previous != 0) {
        SetWindowLongPtrW(target, GWLP_WNDPROC, previous);
        RemovePropW(target, kProcProperty);
    }
}

}  // namespace

bool attachShadow(HWND target, std::optional<COLORREF> colour, std::optional<int> size) {
    if (target == nullptr || !IsWindow(target)) return false;
    if (size && *size < 1) {
        detachShadow(target);
        return true;
    }
    HWND shadow = shadowOf(target);
    if (shadow == nullptr) {
        // Without a shadow window the properties land on no window and no
        // shadow shows; the target still works as before.
        shadow = createShadowWindow(target);
        SetPropW(target, kShadowProperty, shadow);
    }
    setPropertyValue(shadow, kColourProperty, static_cast<INT_PTR>(colour.value_or(RGB(0, 0, 0))));
    setPropertyValue(shadow, kSizeProperty, size.value_or(kDefaultShadowSize));
    updateShadow(target);
    if (propertyValue(target, kProcProperty) == 0) {
        // The previous procedure is stored before the new one takes over, so
        // no message can reach the new one without it.
        setPropertyValue(target, kProcProperty, GetWindowLongPtrW(target, GWLP_WNDPROC));
        SetWindowLongPtrW(target, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(shadowedTargetProc));
    }
    return true;
}

void updateShadow(HWND target, std::optional<bool> visible) noexcept {
    const HWND shadow = shadowOf(target);
    if (shadow == nullptr) return;
    const bool shown = visible.value_or(IsWindowVisible(target) != FALSE);
    if (!shown || IsZoomed(target) || IsIconic(target)) {
        ShowWindow(shadow, SW_HIDE);
        return;
    }
    if (!IsWindowVisible(shadow)) ShowWindow(shadow, SW_SHOWNOACTIVATE);

    RECT frame;
    if (!GetWindowRect(target, &frame)) return;
    const long long size = propertyValue(shadow, kSizeProperty);
    const long long width = static_cast<long long>(frame.right) - frame.left + 2 * size;
    const long long height = static_cast<long long>(frame.bottom) - frame.top + 2 * size;
    if (frame.right == frame.left || frame.bottom == frame.top) return;
    if (size < 1 || width < 1 || height < 1 || width > kLargestSide || height > kLargestSide) return;

    const int left = static_cast<int>(frame.left - size);
    const int top = static_cast<int>(frame.top - size);
    SetWindowPos(shadow, nullptr, left, top, static_cast<int>(width), static_cast<int>(height),
                 SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOREDRAW);
    redraw(shadow, left, top, static_cast<int>(width), static_cast<int>(height), static_cast<int>(size),
           static_cast<COLORREF>(propertyValue(shadow, kColourProperty)));
}

}  // namespace brevaro::skin
