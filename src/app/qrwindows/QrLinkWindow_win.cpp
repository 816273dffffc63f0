#include "app/qrwindows/QrLinkWindow_win.h"

#include <memory>
#include <string>

#include "app/qrwindows/ChildControl_win.h"
#include "app/qrwindows/Clipboard_win.h"
#include "text/WindowText_win.h"
#include "app/qrwindows/QrPicture_win.h"
#include "app/qrwindows/QrWindowLayout.h"
#include "app/widgets/WindowClass_win.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

// Per-window state, reachable from GWLP_USERDATA from WM_NCCREATE on and
// freed in WM_NCDESTROY. UI thread only.
struct QrLinkState {
    HWND mainWindow = nullptr;
    std::string link;          // GBK, handed over at creation
    bool mainDisabled = false;  // this window disabled the main window and owes the enabling
    bool* closed = nullptr;    // the modal loop's flag, set when the window is gone
    HWND linkEdit = nullptr;
    QrPictureBox picture;
};

QrLinkState* stateOf(HWND window) {
    return reinterpret_cast<QrLinkState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

void enableMainWindow(QrLinkState& state) {
    if (!state.mainDisabled) return;
    state.mainDisabled = false;
    EnableWindow(state.mainWindow, TRUE);
}

// The main window first, so the system activates it rather than some other
// program's window when this one goes.
void close(HWND window, QrLinkState& state) {
    enableMainWindow(state);
    DestroyWindow(window);
}

LRESULT onCreate(HWND window, QrLinkState& state) {
    if (state.mainWindow != nullptr && IsWindowEnabled(state.mainWindow)) {
        EnableWindow(state.mainWindow, FALSE);
        state.mainDisabled = true;
    }
    const HWND picture = createChildControl(window, L"STATIC", "", SS_BITMAP, kLinkPicture);
    state.linkEdit = createChildControl(window, L"EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kLinkEdit,
                                        WS_EX_CLIENTEDGE);
    const HWND copy = createChildControl(window, L"BUTTON", kLinkCopyCaption, BS_PUSHBUTTON | WS_TABSTOP, kLinkCopy);
    const HWND closeButton =
        createChildControl(window, L"BUTTON", kLinkCloseCaption, BS_PUSHBUTTON | WS_TABSTOP, kLinkClose);
    if (picture == nullptr || state.linkEdit == nullptr || copy == nullptr || closeButton == nullptr) return -1;
    state.picture = QrPictureBox(picture);
    text::setWindowTextGbk(state.linkEdit, state.link);
    state.picture.showCodeOf(text::windowTextGbk(state.linkEdit), kLinkPicture.width, kLinkPicture.height);
    return 0;
}

LRESULT onCommand(HWND window, QrLinkState& state, WPARAM wParam) {
    const int id = LOWORD(wParam);
    if (HIWORD(wParam) != BN_CLICKED) return 0;
    if (id == kLinkCopy.id) {
        putTextOnClipboard(window, text::windowTextGbk(state.linkEdit));
    } else if (id == kLinkClose.id || id == IDCANCEL) {
        close(window, state);
    }
    return 0;
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner =
            static_cast<std::unique_ptr<QrLinkState>*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    QrLinkState* state = stateOf(window);
    if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    switch (message) {
        case WM_CREATE: return onCreate(window, *state);
        case WM_COMMAND: return onCommand(window, *state, wParam);
        case WM_CLOSE: close(window, *state); return 0;
        case WM_DESTROY:
            // Destroyed some other way (with the main window, or after a failed
            // creation): the main window is not left disabled.
            enableMainWindow(*state);
            return 0;
        case WM_NCDESTROY: {
            const std::unique_ptr<QrLinkState> owned(state);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            if (owned->closed != nullptr) {
                *owned->closed = true;
                // Destroyed from inside a sent message (an automation tool's
                // click), the loop is still waiting in GetMessage: wake it.
                PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
            }
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

POINT centredOn(HWND mainWindow) {
    RECT area{};
    if (mainWindow == nullptr || !GetWindowRect(mainWindow, &area)) SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left + (area.right - area.left - kQrLinkWidth) / 2,
            area.top + (area.bottom - area.top - kQrLinkHeight) / 2};
}

}  // namespace

void runQrLinkWindow(HWND mainWindow, std::string_view link) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!registerWindowClass(kQrLinkWindowClass, guardedWindowProc<handleMessage>, GetSysColorBrush(COLOR_BTNFACE))) return;

    bool closed = false;
    auto state = std::make_unique<QrLinkState>();
    state->mainWindow = mainWindow;
    state->link = std::string(link);
    state->closed = &closed;
    const POINT origin = centredOn(mainWindow);
    const std::wstring title = text::gbkToWide(kQrLinkTitle);
    const HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME, kQrLinkWindowClass, title.c_str(),
                                        WS_POPUP | WS_CAPTION | WS_SYSMENU, origin.x, origin.y, kQrLinkWidth,
                                        kQrLinkHeight, mainWindow, nullptr, instance, &state);
    if (window == nullptr) return;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);

    MSG message;
    while (!closed) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // The program is ending: close, and leave the quit to the caller's loop.
            DestroyWindow(window);
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) {
            DestroyWindow(window);
            break;
        }
        // Tab moves between the controls; Esc closes.
        if (IsDialogMessageW(window, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace brevaro::app
