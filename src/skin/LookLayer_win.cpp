#include "skin/LookLayer_win.h"

#include <commctrl.h>

#include "skin/LookPaint_win.h"
#include "skin/LookParts_win.h"

namespace brevaro::skin {
namespace {

Palette& palette() {
    static Palette colours;
    return colours;
}

// One hook per thread: CreateWindow calls the hook on the creating thread.
thread_local HHOOK threadHook = nullptr;

LRESULT CALLBACK creationHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HCBT_CREATEWND) {
        // The window exists with its class and style; its WM_NCCREATE and
        // WM_CREATE have not been sent yet, so the look sees them too. Out of
        // memory leaves the window in the system's look.
        try {
            dressWindow(reinterpret_cast<HWND>(wParam));
        } catch (...) {
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK dressChild(HWND window, LPARAM) noexcept {
    try {
        dressWindow(window);
    } catch (...) {
    }
    return TRUE;
}

BOOL CALLBACK dressTopLevel(HWND window, LPARAM) noexcept {
    dressChild(window, 0);
    EnumChildWindows(window, dressChild, 0);
    return TRUE;
}

}  // namespace

void installLook(const Palette& colours) {
    palette() = colours;
    if (threadHook != nullptr) return;
    threadHook = SetWindowsHookExW(WH_CBT, creationHook, nullptr, GetCurrentThreadId());
    EnumThreadWindows(GetCurrentThreadId(), dressTopLevel, 0);
}

bool lookInstalled() {
    return threadHook != nullptr;
}

const Palette& lookPalette() {
    return palette();
}

void dressWindow(HWND window) {
    if (window == nullptr) return;
    if (hasClass(window, L"Button")) {
        dressButton(window);
    } else if (hasClass(window, L"Edit") || hasClass(window, WC_LISTVIEWW)) {
        dressField(window);
    } else if (hasClass(window, WC_HEADERW)) {
        dressHeader(window);
    } else if (hasClass(window, WC_TABCONTROLW)) {
        dressTabControl(window);
    } else if (hasClass(window, L"#32770")) {
        dressDialog(window);
    }
    dressCaption(window);
}

}  // namespace brevaro::skin
