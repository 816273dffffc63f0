#include "app/widgets/Tooltips_win.h"

#include <commctrl.h>

#include <string>

#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

constexpr int kMaxTipWidth = 400;

HWND& control() {
    static HWND tooltips = nullptr;
    return tooltips;
}

HWND createControl(bool balloon) {
    DWORD style = WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX;
    if (balloon) style |= TTS_BALLOON;
    return CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TTTOOLINFOW toolFor(HWND window, wchar_t* text) {
    TTTOOLINFOW tool{};
    // The size of the original structure: version 5 of the common controls
    // (no manifest) refuses the larger one.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.hwnd = GetParent(window) != nullptr ? GetParent(window) : window;
    tool.uId = reinterpret_cast<UINT_PTR>(window);
    tool.lpszText = text;
    return tool;
}

}  // namespace

void addTooltip(HWND window, std::string_view text, bool balloon, bool centred) {
    if (window == nullptr) return;
    HWND& tooltips = control();
    if (tooltips == nullptr || !IsWindow(tooltips)) tooltips = createControl(balloon);
    if (tooltips == nullptr) return;

    std::wstring wide = text::gbkToWide(text);
    TTTOOLINFOW tool = toolFor(window, wide.data());
    TTTOOLINFOW existing = toolFor(window, nullptr);
    if (SendMessageW(tooltips, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing)) != FALSE) {
        SendMessageW(tooltips, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        if (centred) tool.uFlags |= TTF_CENTERTIP;
        SendMessageW(tooltips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageW(tooltips, TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
}

HWND tooltipControl() {
    return control();
}

}  // namespace brevaro::app
