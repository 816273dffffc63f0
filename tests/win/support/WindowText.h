#pragma once
// A window's text as UTF-16, also from another thread or process (the system
// carries WM_GETTEXT across); "<no answer>" when its thread does not answer.
// And a window's class name.

#include <windows.h>

#include <cstddef>
#include <string>

namespace brevaro::test {

inline std::wstring windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

// A window's class name, as GetClassNameW reads it.
inline std::wstring classOf(HWND window) {
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

}  // namespace brevaro::test
