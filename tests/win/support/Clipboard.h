#pragma once
// The clipboard's text, read and written as a user's tools do. Another
// process may hold the clipboard for a moment: opening it is retried under
// the watchdog.

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "win/support/Waits.h"

namespace brevaro::test {

// The clipboard's text, or nullopt when it holds none.
inline std::optional<std::wstring> clipboardText() {
    if (!waitFor([] { return OpenClipboard(nullptr) != FALSE; })) return std::nullopt;
    std::optional<std::wstring> text;
    if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = chars;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

inline void putOnClipboard(const std::wstring& text) {
    if (!waitFor([] { return OpenClipboard(nullptr) != FALSE; })) return;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    if (const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes)) {
        std::memcpy(GlobalLock(memory), text.c_str(), bytes);
        GlobalUnlock(memory);
        if (SetClipboardData(CF_UNICODETEXT, memory) == nullptr) GlobalFree(memory);
    }
    CloseClipboard();
}

}  // namespace brevaro::test
