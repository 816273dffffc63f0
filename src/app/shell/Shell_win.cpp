#include "app/shell/Shell_win.h"

// ole2.h and commctrl.h need the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <ole2.h>
#include <commctrl.h>
// clang-format on

#include "app/catalogue/ControlIds.h"
#include "app/catalogue/ShellLayout.h"
#include "app/widgets/WindowClass_win.h"
#include "qr/GaloisField.h"
#include "qr/QrCode.h"
#include "qr/QrImage.h"
#include "skin/GdiPlus_win.h"

namespace brevaro::app {
namespace {

// What the shadow window's creation needs to create the main window.
struct ShellStart {
    const ShellConfig* config;
    ShellPlugins plugins;
    HWND mainWindow = nullptr;
};

// The QR-code generator's tables, built once before any window opens: the
// field, the modes, levels and versions, and the program's QR record.
void initialiseQrModule() {
    qr::GF256::qr();
    qr::qrLevels();
    qr::byteMode();
    qr::二维码类::取版本_通过版本号(1);
    qr::currentQrCode();
}

LRESULT CALLBACK shadowOwnerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrW(window, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(
                                  reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
            break;
        case WM_CREATE: {
            // The shadow window's creation creates the main window, which it
            // owns; the main window appears once its own creation is done.
            auto* start = reinterpret_cast<ShellStart*>(GetWindowLongPtrW(window, GWLP_USERDATA));
            try {
                start->mainWindow =
                    createMainWindow(reinterpret_cast<CREATESTRUCTW*>(lParam)->hInstance, window,
                                     *start->config, std::move(start->plugins));
            } catch (...) {
                start->mainWindow = nullptr;
            }
            if (start->mainWindow == nullptr) return -1;
            ShowWindow(start->mainWindow, SW_SHOW);
            UpdateWindow(start->mainWindow);
            return 0;
        }
        case WM_NCHITTEST:
            return HTTRANSPARENT;
        case WM_MOUSEACTIVATE:
            return MA_NOACTIVATE;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            break;
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND createShadowOwner(HINSTANCE instance, ShellStart& start) {
    if (!registerWindowClass(kShadowOwnerClass, shadowOwnerProc)) return nullptr;
    // Click-through and never activated: it only ever shows the shadow. No
    // taskbar button: that is the main window's.
    return CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE,
                           kShadowOwnerClass, L"", WS_POPUP | WS_DISABLED, kShadowWindowDesign.left,
                           kShadowWindowDesign.top, kShadowWindowDesign.width,
                           kShadowWindowDesign.height, nullptr, nullptr, instance, &start);
}

}  // namespace

int runShell(HINSTANCE instance, const ShellConfig& config, ShellPlugins plugins) {
    // Module initialisation.
    initialiseQrModule();
    skin::startGdiPlus();
    // The login page's browser control is an OLE object of this thread.
    const HRESULT ole = OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES |
                                                        ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    ShellStart start{&config, std::move(plugins)};
    const HWND shadow = createShadowOwner(instance, start);
    int exitCode = 1;
    if (shadow != nullptr) {
        MSG message;
        BOOL got;
        while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
            if (IsWindow(start.mainWindow) &&
                preTranslateMainWindowMessage(start.mainWindow, message))
                continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        exitCode = got == 0 ? static_cast<int>(message.wParam) : 1;
    }
    if (SUCCEEDED(ole)) OleUninitialize();
    return exitCode;
}

}  // namespace brevaro::app
