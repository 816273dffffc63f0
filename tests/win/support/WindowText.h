#pragma once
// A window's text as UTF-16, also from another thread or process (the system
// carries WM_GETTEXT across); "<no answer>" when its thread does not answer.

#include <windows.h>

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

}  // namespace brevaro::test
