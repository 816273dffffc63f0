#include "popup/AlertWindow_win.h"

#include <shellapi.h>

#include <memory>
#include <optional>
#include <utility>

#include "popup/AlertLayout.h"
#include "popup/AlertWorker_win.h"
#include "popup/PopupArguments.h"
#include "skin/Skin_win.h"
#include "text/ShellAddress.h"
#include "text/WideText_win.h"

namespace brevaro::popup {
namespace {

using text::gbkToWide;

// Per-window state, reachable from GWLP_USERDATA from WM_NCCREATE on and
// freed in WM_NCDESTROY. Only the window's own thread touches it.
struct AlertWindowState {
    std::vector<std::string> arguments;  // handed to the worker at creation
    std::string postAddress;  // GBK, as the worker read it
};

AlertWindowState* stateOf(HWND window) {
    return reinterpret_cast<AlertWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

HWND createControl(HWND parent, const wchar_t* className, std::string_view gbk, DWORD style,
                   const ControlPlace& place) {
    const std::wstring caption = gbkToWide(gbk);
    const HWND control = CreateWindowExW(
        0, className, caption.c_str(), WS_CHILD | WS_VISIBLE | style, place.left, place.top, place.width,
        place.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (control != nullptr) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    }
    return control;
}

// Right edge on the screen's right edge, top 233 pixels above its bottom.
void placeAtScreenCorner(HWND window) {
    RECT frame;
    if (!GetWindowRect(window, &frame)) return;
    const int left = GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left);
    const int top = GetSystemMetrics(SM_CYSCREEN) - kAlertTopFromScreenBottom;
    SetWindowPos(window, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// WM_CREATE: controls, look, place, worker. -1 fails the creation: without
// its worker the alert would never end by itself.
LRESULT onCreate(HWND window, AlertWindowState& state) {
    auto job = std::make_unique<AlertWorkerJob>();
    job->window = window;
    job->titleLine = createControl(window, L"STATIC", kTitleLineDesign, SS_LEFT, kTitleLine);
    job->timeLine = createControl(window, L"STATIC", kTimeLineDesign, SS_LEFT, kTimeLine);
    job->keywordLine = createControl(window, L"STATIC", kKeywordLineDesign, SS_LEFT, kKeywordLine);
    createControl(window, L"BUTTON", kViewButtonText, BS_PUSHBUTTON | WS_TABSTOP, kViewButton);

    skin::applySkin(7, window, true, 2, 1);
    placeAtScreenCorner(window);

    job->arguments = std::move(state.arguments);
    return startAlertWorker(std::move(job)) ? 0 : -1;
}

// The post address goes to the default browser only as a web address, in
// the shell's form: the text comes from a page, and must never start a local
// program nor add switches to the browser's command line.
void openPostAddress(HWND window, const AlertWindowState& state) {
    const std::optional<std::string> shell = text::shellAddress(state.postAddress);
    if (!shell) return;
    const std::wstring address = gbkToWide(*shell);
    ShellExecuteW(window, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The creator's unique_ptr hands the state over to the window here.
        auto* owner = static_cast<std::unique_ptr<AlertWindowState>*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    AlertWindowState* state = stateOf(window);
    if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    switch (message) {
        case WM_CREATE: return onCreate(window, *state);
        case kPostAddressMessage:
            state->postAddress = *reinterpret_cast<const std::string*>(lParam);
            return 0;
        case WM_COMMAND:
            if (LOWORD(wParam) == kViewButton.id && HIWORD(wParam) == BN_CLICKED) openPostAddress(window, *state);
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // The labels and the button's surround share the window's white.
            const HDC dc = reinterpret_cast<HDC>(wParam);
            SetBkColor(dc, RGB(255, 255, 255));
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
        }
        case WM_DESTROY: PostQuitMessage(0); return 0;
        case WM_NCDESTROY: {
            const std::unique_ptr<AlertWindowState> owned(state);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK alertWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        return handleMessage(window, message, wParam, lParam);
    } catch (...) {
        // Out of memory in a text conversion: fail a creation, drop anything else.
        if (message == WM_NCCREATE) return FALSE;
        if (message == WM_CREATE) return -1;
        return 0;
    }
}

bool registerAlertClass(HINSTANCE instance) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = alertWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = kAlertWindowClass;
    return RegisterClassExW(&windowClass) != 0;
}

}  // namespace

HWND createAlertWindow(HINSTANCE instance, std::vector<std::string> arguments) {
    if (!registerAlertClass(instance)) return nullptr;
    auto state = std::make_unique<AlertWindowState>();
    state->arguments = std::move(arguments);
    const std::wstring caption = gbkToWide(kAlertCaption);
    // A tool window has the narrow caption; fixed size: no sizing border and
    // no maximise box. It stays above other windows.
    const HWND window = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kAlertWindowClass, caption.c_str(),
                                        WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, kAlertWidth, kAlertHeight,
                                        nullptr, nullptr, instance, &state);
    if (window == nullptr) return nullptr;
    ShowWindow(window, SW_SHOWNOACTIVATE);
    UpdateWindow(window);
    return window;
}

}  // namespace brevaro::popup
