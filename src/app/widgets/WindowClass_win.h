#pragma once
// The program's own window classes: their registration, and the guard every
// one of their window procedures wears so that nothing thrown (out of memory
// in a text conversion, a callback that threw) gets out into the system's
// message dispatch. Windows only.

#include <windows.h>

namespace brevaro::app {

// Registers a class of this module with the arrow cursor; registering it
// again does nothing. background: the class brush, or nullptr when the
// window paints its own. False when the class cannot be registered.
bool registerWindowClass(const wchar_t* name, WNDPROC procedure, HBRUSH background = nullptr);

// The window procedure that runs `handle`; an exception fails the window's
// creation or drops the message it came from.
template <LRESULT (*handle)(HWND, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK guardedWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return handle(window, message, wParam, lParam);
    } catch (...) {
        if (message == WM_NCCREATE) return FALSE;
        if (message == WM_CREATE) return -1;
        return 0;
    }
}

}  // namespace brevaro::app
