#pragma once
// A child control of the QR windows at its fixed place, with its GBK
// caption and the system's dialog font.

#include <windows.h>

#include <string>
#include <string_view>

#include "app/qrwindows/QrWindowLayout.h"
#include "text/WideText_win.h"

namespace brevaro::app {

inline HWND createChildControl(HWND parent, const wchar_t* className, std::string_view caption, DWORD style,
                               const QrControlPlace& place, DWORD exStyle = 0) {
    const std::wstring text = text::gbkToWide(caption);
    const HWND control = CreateWindowExW(
        exStyle, className, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left, place.top, place.width,
        place.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (control != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    return control;
}

}  // namespace brevaro::app
