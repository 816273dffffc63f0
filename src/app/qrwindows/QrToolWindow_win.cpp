#include "app/qrwindows/QrToolWindow_win.h"

#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>

#include "app/qrwindows/ChildControl_win.h"
#include "text/WindowText_win.h"
#include "app/qrwindows/QrPicture_win.h"
#include "app/qrwindows/QrWindowLayout.h"
#include "app/widgets/WindowClass_win.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

constexpr UINT_PTR kBalloonTimer = 1;
constexpr UINT kBalloonMilliseconds = 4000;

// Per-window state, reachable from GWLP_USERDATA from WM_NCCREATE on and
// freed in WM_NCDESTROY. UI thread only.
struct QrToolState {
    std::function<void()> onClosed;
    bool created = false;  // WM_CREATE succeeded: the opener hears of the close
    HWND input = nullptr;
    HWND balloon = nullptr;
    QrPictureBox picture;
};

QrToolState* stateOf(HWND window) {
    return reinterpret_cast<QrToolState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

// The balloon's one tool: the picture, shown where the window says.
TTTOOLINFOW balloonTool(HWND window, HWND picture) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;  // understood by every version of the common controls
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = window;
    tool.uId = reinterpret_cast<UINT_PTR>(picture);
    return tool;
}

HWND createBalloon(HWND window, HWND picture) {
    const HWND balloon = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                         WS_POPUP | TTS_NOPREFIX | TTS_BALLOON | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                         CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window, nullptr,
                                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)),
                                         nullptr);
    if (balloon == nullptr) return nullptr;
    std::wstring hint = text::gbkToWide(kEmptyInputHint);
    TTTOOLINFOW tool = balloonTool(window, picture);
    tool.lpszText = hint.data();  // the control keeps a copy
    SendMessageW(balloon, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return balloon;
}

// The hint points at (left + width / 5.5, top + height / 2 - 5) of the
// window's frame, each truncated toward zero.
void showEmptyInputHint(HWND window, const QrToolState& state) {
    if (state.balloon == nullptr) return;
    RECT frame{};
    GetWindowRect(window, &frame);
    const int x = static_cast<int>(frame.left + (frame.right - frame.left) / 5.5);
    const int y = static_cast<int>(frame.top + (frame.bottom - frame.top) / 2.0 - 5);
    TTTOOLINFOW tool = balloonTool(window, state.picture.control());
    SendMessageW(state.balloon, TTM_TRACKPOSITION, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    SendMessageW(state.balloon, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    SetTimer(window, kBalloonTimer, kBalloonMilliseconds, nullptr);
}

void hideEmptyInputHint(HWND window, const QrToolState& state) {
    KillTimer(window, kBalloonTimer);
    if (state.balloon == nullptr) return;
    TTTOOLINFOW tool = balloonTool(window, state.picture.control());
    SendMessageW(state.balloon, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
}

void convert(HWND window, QrToolState& state) {
    hideEmptyInputHint(window, state);
    // Only an exactly empty input is caught here; spaces go on to the
    // encoder, which reports them with its failure box.
    if (GetWindowTextLengthW(state.input) == 0) {
        showEmptyInputHint(window, state);
        return;
    }
    state.picture.showCodeOf(text::windowTextGbk(state.input), kToolPicture.width, kToolPicture.height);
}

LRESULT onCreate(HWND window, QrToolState& state) {
    const HWND picture = createChildControl(window, L"STATIC", "", SS_BITMAP, kToolPicture);
    state.input = createChildControl(window, L"EDIT", "", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, kToolInput,
                                     WS_EX_CLIENTEDGE);
    const HWND clear = createChildControl(window, L"BUTTON", kToolClearCaption, BS_PUSHBUTTON | WS_TABSTOP, kToolClear);
    const HWND convert =
        createChildControl(window, L"BUTTON", kToolConvertCaption, BS_PUSHBUTTON | WS_TABSTOP, kToolConvert);
    const HWND hint = createChildControl(window, L"STATIC", kToolHintText, SS_LEFT | SS_NOPREFIX, kToolHint);
    if (picture == nullptr || state.input == nullptr || clear == nullptr || convert == nullptr || hint == nullptr) {
        return -1;
    }
    state.picture = QrPictureBox(picture);
    state.balloon = createBalloon(window, picture);
    state.created = true;
    return 0;
}

LRESULT onCommand(HWND window, QrToolState& state, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const int code = HIWORD(wParam);
    if (id == kToolConvert.id && code == BN_CLICKED) {
        convert(window, state);
    } else if (id == kToolClear.id && code == BN_CLICKED) {
        hideEmptyInputHint(window, state);
        SetWindowTextW(state.input, L"");
    } else if (id == kToolInput.id && code == EN_CHANGE) {
        hideEmptyInputHint(window, state);
    }
    return 0;
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        // The opener's unique_ptr hands the state over to the window here.
        auto* owner =
            static_cast<std::unique_ptr<QrToolState>*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    QrToolState* state = stateOf(window);
    if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);

    switch (message) {
        case WM_CREATE: return onCreate(window, *state);
        case WM_COMMAND: return onCommand(window, *state, wParam);
        case WM_TIMER:
            if (wParam == kBalloonTimer) hideEmptyInputHint(window, *state);
            return 0;
        case WM_CTLCOLORSTATIC:
            if (reinterpret_cast<HWND>(lParam) == GetDlgItem(window, kToolHint.id)) {
                // The hint lies on the window's own background.
                SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
                return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_DESTROY:
            KillTimer(window, kBalloonTimer);
            if (state->created && state->onClosed) {
                state->created = false;
                state->onClosed();
            }
            return 0;
        case WM_NCDESTROY: {
            const std::unique_ptr<QrToolState> owned(state);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND openQrToolWindow(HWND mainWindow, std::function<void()> onClosed) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    if (!registerWindowClass(kQrToolWindowClass, guardedWindowProc<handleMessage>, GetSysColorBrush(COLOR_BTNFACE))) return nullptr;

    RECT main{};
    if (mainWindow == nullptr || !GetWindowRect(mainWindow, &main)) {
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &main, 0);
    }
    const int left = main.left + (main.right - main.left - kQrToolWidth) / 2;
    const int top = main.top + kQrToolBelowMainTop;

    auto state = std::make_unique<QrToolState>();
    state->onClosed = std::move(onClosed);
    const std::wstring title = text::gbkToWide(kQrToolTitle);
    // A window of its own beside the main window, not owned by it: it has
    // its own taskbar button, minimises on its own and may lie below it.
    const HWND window =
        CreateWindowExW(0, kQrToolWindowClass, title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                        left, top, kQrToolWidth, kQrToolHeight, nullptr, nullptr, instance, &state);
    if (window == nullptr) return nullptr;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    return window;
}

}  // namespace brevaro::app
