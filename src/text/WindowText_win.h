#pragma once
// A window's text through the W API, and as the program's GBK (code page 936
// named explicitly, whatever the system's ANSI code page is). Windows only.

#include <windows.h>

#include <string>
#include <string_view>

#include "text/WideText_win.h"

namespace brevaro::text {

inline std::wstring windowTextWide(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

inline std::string windowTextGbk(HWND window) { return wideToGbk(windowTextWide(window)); }

inline void setWindowTextGbk(HWND window, std::string_view gbk) { SetWindowTextW(window, gbkToWide(gbk).c_str()); }

}  // namespace brevaro::text
