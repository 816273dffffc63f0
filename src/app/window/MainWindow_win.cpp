#include "app/window/MainWindow_win.h"

#include <memory>

#include "app/catalogue/ControlIds.h"
#include "app/window/InfoPages_win.h"
#include "app/window/LinksWindow_win.h"
#include "app/window/MainWindowState_win.h"
#include "app/window/NetworkCheck_win.h"
#include "app/widgets/PictureBox_win.h"
#include "app/window/ShellMotion.h"
#include "app/catalogue/ShellTexts.h"
#include "app/widgets/Tooltips_win.h"
#include "app/widgets/WindowClass_win.h"
#include "notice/Announcement.h"
#include "skin/ImageShadow_win.h"
#include "skin/LookPaint_win.h"
#include "skin/Skin_win.h"
#include "text/WideText_win.h"
#include "text/WindowText_win.h"

namespace brevaro::app {
namespace {

using text::gbkToWide;

struct CreationArgs {
    std::unique_ptr<MainWindowState> state;
};

MainWindowState* stateOf(HWND window) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

MainWindowState* mainStateOf(HWND window) {
    return window != nullptr && skin::hasClass(window, kMainWindowClass) ? stateOf(window)
                                                                         : nullptr;
}

void raise(HWND window) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// The creation handler: the start-up, in this order.
bool onMainWindowCreated(HWND window, MainWindowState& state) {
    // The window's handle.
    state.self = window;
    // The look: number 6 of the first set, no drawn shadow (the window
    // has its image shadow).
    skin::applySkin(6, window, false, 1, 1, 2, RGB(190, 190, 190));
    // The controls, dressed in the look as they are created.
    buildChrome(state);
    state.pages = createPageContainer(window, state.fonts, state.config);
    if (state.pages.container == nullptr) return false;
    buildStatusBar(state);
    buildSettingsPanel(state);
    SetWindowPos(state.background, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    // The announcement, fetched while the window waits to appear.
    text::setWindowTextGbk(state.announcement,
            announcementCaption(notice::fetchAnnouncement(state.config.noticeUrl)));
    // The first page (already shown: the switcher returns at once).
    switchPage(state, 0);
    // The window's size.
    SetWindowPos(window, nullptr, 0, 0, kMainWidth, kMainHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The status bar and the settings panel above the page container.
    raise(state.statusBar);
    raise(state.settingsPanel);
    // The page container's height.
    RECT container;
    GetWindowRect(state.pages.container, &container);
    SetWindowPos(state.pages.container, nullptr, 0, 0, container.right - container.left,
                 kPageContainerHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The contact box's background.
    setBoxBackground(state.contactBox, kWhite);
    // Centred on the primary screen.
    const ScreenPoint centre = centredOnScreen(
        GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), kMainWidth, kMainHeight);
    SetWindowPos(window, nullptr, centre.x, centre.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    // The shadow window becomes the image shadow (the moves above have
    // placed it already).
    skin::attachImageShadow(state.shadow);
    // Tooltips.
    addTooltip(state.exitButton, kExitTip);
    addTooltip(state.settingsButton, kOpenSettingsTip);

    // The rest of the program takes over the board pages.
    if (state.plugins.boardPageCreated) {
        for (BoardPage* board : state.pages.boards) {
            if (board != nullptr) state.plugins.boardPageCreated(*board, state.config);
        }
    }
    return true;
}

void onNetworkChecked(MainWindowState& state, bool up) {
    showNetworkState(state, up);
    if (!up) playNetworkAlarm();
}

void onMainWindowFirstActivated(MainWindowState& state) {
    state.linksWindow = createLinksWindow(state.self, state.fonts, state.config);
    // The answer comes as kNetworkChecked, from a thread of its own or, when
    // none can start, from here: the indicator, and the alarm when down.
    startNetworkCheck(state.self, kNetworkChecked, state.config.netTestUrl);
}

// The image shadow follows the window.
void onMainWindowMoved(HWND window, MainWindowState& state) {
    skin::followWithImageShadow(state.shadow, window);
}

// The shadow window goes with the main window, and with it the process: it
// was the first window and its end ends the loop.
void onMainWindowDestroying(MainWindowState& state) {
    ShowWindow(state.shadow, SW_HIDE);
    PostMessageW(state.shadow, WM_CLOSE, 0, 0);
}

// OK ends the program; Cancel only leaves a trace in the caption.
void onExitButtonClicked(HWND window) {
    MainWindowState* state = stateOf(window);
    if (state == nullptr) return;
    const std::wstring text = gbkToWide(exitBoxText(state->config.exitSentence));
    const std::wstring title = gbkToWide(kExitBoxTitle);
    if (MessageBoxW(nullptr, text.c_str(), title.c_str(), MB_OKCANCEL | MB_TASKMODAL) == IDOK) {
        text::setWindowTextGbk(window, kExitConfirmedCaption);
        DestroyWindow(window);  // the state is gone after this
        return;
    }
    text::setWindowTextGbk(window, kExitCancelledCaption);
}

void onQrToolButton(MainWindowState& state) {
    if (!state.plugins.qrToolRequested) return;
    EnableWindow(state.qrToolButton, FALSE);
    state.plugins.qrToolRequested(state.qrToolButton);
}

void onCommand(HWND window, MainWindowState& state, int id, WORD code) {
    if (id >= kFirstNavButtonId && id < kFirstNavButtonId + kPageCount && code == BN_CLICKED) {
        const int page = id - kFirstNavButtonId;
        const int shownBefore = state.currentPage;
        switchPage(state, page);
        // The login form loads when its page comes into view, not again
        // while it is shown: that would throw away what the user typed.
        if (page == kLoginPage && shownBefore != kLoginPage && state.currentPage == kLoginPage)
            navigateLoginPage(state.pages.pages[kLoginPage]);
        return;
    }
    switch (id) {
        case kSettingsButtonId:
            if (code == BN_CLICKED) toggleSettingsPanel(state);
            break;
        case kExitButtonId:
            if (code == BN_CLICKED) onExitButtonClicked(window);
            break;
        case kQrToolButtonId:
            if (code == BN_CLICKED) onQrToolButton(state);
            break;
        case kGroupButtonId:
            if (code == BN_CLICKED) openWebAddress(window, state.config.links.settingsGroup);
            break;
        case kContactOverlayId:
            if (code == kLabelReleased) toggleLinksWindow(state);
            break;
        default:
            break;
    }
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* args =
            static_cast<CreationArgs*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(args->state.release()));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    MainWindowState* state = stateOf(window);
    if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (isColourMessage(message)) {
        return state->colours.answer(message, reinterpret_cast<HWND>(lParam),
                                     reinterpret_cast<HDC>(wParam), kWhite);
    }
    switch (message) {
        case WM_CREATE:
            return onMainWindowCreated(window, *state) ? 0 : -1;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE && !state->activated) {
                state->activated = true;
                PostMessageW(window, kFirstActivation, 0, 0);
            }
            return DefWindowProcW(window, message, wParam, lParam);
        case kFirstActivation:
            onMainWindowFirstActivated(*state);
            return 0;
        case kNetworkChecked:
            onNetworkChecked(*state, wParam != 0);
            return 0;
        case kHideLinksWindow:
            hideLinksWindow(*state);
            return 0;
        case WM_COMMAND:
            onCommand(window, *state, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case kSetControlColours:
            state->colours.set(reinterpret_cast<HWND>(wParam),
                               *reinterpret_cast<const ControlColours*>(lParam));
            return TRUE;
        case WM_MOVE:
        case WM_SIZE:
            onMainWindowMoved(window, *state);
            return DefWindowProcW(window, message, wParam, lParam);
        case WM_ERASEBKGND:
            return 1;
        case WM_DESTROY:
            onMainWindowDestroying(*state);
            return 0;
        case WM_NCDESTROY: {
            const std::unique_ptr<MainWindowState> owned(state);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND createMainWindow(HINSTANCE instance, HWND shadowWindow, const ShellConfig& config,
                      ShellPlugins plugins) {
    if (!registerWindowClass(kMainWindowClass, guardedWindowProc<handleMessage>)) return nullptr;
    CreationArgs args{std::make_unique<MainWindowState>(config, std::move(plugins))};
    args.state->shadow = shadowWindow;
    // Borderless; its taskbar button is its own although it is owned.
    return CreateWindowExW(WS_EX_APPWINDOW, kMainWindowClass, L"",
                           WS_POPUP | WS_CLIPCHILDREN | WS_SYSMENU | WS_MINIMIZEBOX,
                           kMainWindowDesign.left, kMainWindowDesign.top, kMainWindowDesign.width,
                           kMainWindowDesign.height, shadowWindow, nullptr, instance, &args);
}

BoardPage* mainWindowBoardPage(HWND mainWindow, int pageIndex) {
    MainWindowState* state = mainStateOf(mainWindow);
    if (state == nullptr || pageIndex < 0 || pageIndex >= kPageCount) return nullptr;
    return state->pages.boards[static_cast<std::size_t>(pageIndex)];
}

bool preTranslateMainWindowMessage(HWND mainWindow, MSG& message) {
    MainWindowState* state = mainStateOf(mainWindow);
    if (state == nullptr || state->currentPage != kLoginPage) return false;
    return translateLoginPageMessage(state->pages.pages[kLoginPage], message);
}

}  // namespace brevaro::app
