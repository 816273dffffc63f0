#include "app/window/InfoPages_win.h"

#include <memory>

#include "app/window/BrowserSite_win.h"
#include "app/catalogue/ControlIds.h"
#include "app/widgets/PictureBox_win.h"
#include "app/catalogue/ShellTexts.h"
#include "app/widgets/Widgets_win.h"
#include "app/widgets/WindowClass_win.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"

namespace brevaro::app {
namespace {

struct InfoPageState {
    std::string address;  // login: the login address; usage: the feedback page
    HWND browserWindow = nullptr;
    std::unique_ptr<BrowserHost> browser;
    bool browserTried = false;
    int loads = 0;  // times sent to the login address
    ColourTable colours;
};

InfoPageState* stateOf(HWND page) {
    return reinterpret_cast<InfoPageState*>(GetWindowLongPtrW(page, GWLP_USERDATA));
}

LRESULT handleMessage(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<std::unique_ptr<InfoPageState>*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(page, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
        return DefWindowProcW(page, message, wParam, lParam);
    }
    InfoPageState* state = stateOf(page);
    if (state == nullptr) return DefWindowProcW(page, message, wParam, lParam);
    if (isColourMessage(message)) {
        return state->colours.answer(message, reinterpret_cast<HWND>(lParam),
                                     reinterpret_cast<HDC>(wParam), kPageBackground);
    }
    switch (message) {
        case WM_COMMAND:
            if (LOWORD(wParam) == kFeedbackButtonId && HIWORD(wParam) == BN_CLICKED) {
                openWebAddress(page, state->address);
            }
            return 0;
        case kSetControlColours:
            state->colours.set(reinterpret_cast<HWND>(wParam),
                               *reinterpret_cast<const ControlColours*>(lParam));
            return TRUE;
        case kGetLoginLoads:
            return state->loads;
        case WM_ERASEBKGND: {
            RECT client;
            GetClientRect(page, &client);
            skin::fillSolid(reinterpret_cast<HDC>(wParam), client, kPageBackground);
            return 1;
        }
        case WM_DESTROY:
            // The browser goes while its window still exists.
            state->browser.reset();
            return 0;
        case WM_NCDESTROY: {
            const std::unique_ptr<InfoPageState> owned(state);
            SetWindowLongPtrW(page, GWLP_USERDATA, 0);
            return DefWindowProcW(page, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(page, message, wParam, lParam);
    }
}

HWND createPage(const wchar_t* className, HWND container, int id, const Box& place,
                std::string address) {
    if (!registerWindowClass(className, guardedWindowProc<handleMessage>)) return nullptr;
    auto state = std::make_unique<InfoPageState>();
    state->address = std::move(address);
    return CreateWindowExW(0, className, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                           place.left, place.top, place.width, place.height, container,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), &state);
}

}  // namespace

HWND createLoginPage(HWND container, const Box& place, std::string loginUrl) {
    const HWND page =
        createPage(kLoginPageClass, container, pageId(kLoginPage), place, std::move(loginUrl));
    if (page == nullptr) return nullptr;
    stateOf(page)->browserWindow =
        createPictureBox({.parent = page, .id = kBrowserId, .box = kBrowser, .background = kWhite});
    return page;
}

bool navigateLoginPage(HWND loginPage) {
    InfoPageState* state = stateOf(loginPage);
    if (state == nullptr || state->browserWindow == nullptr) return false;
    ++state->loads;
    if (!state->browser && !state->browserTried) {
        state->browserTried = true;
        state->browser = BrowserHost::create(state->browserWindow);
    }
    return state->browser && state->browser->navigate(state->address);
}

bool translateLoginPageMessage(HWND loginPage, MSG& message) {
    InfoPageState* state = stateOf(loginPage);
    return state != nullptr && state->browser && state->browser->translateAccelerator(message);
}

HWND createUsagePage(HWND container, const Box& place, const Fonts& fonts,
                     std::string feedbackUrl) {
    const HWND page =
        createPage(kUsagePageClass, container, pageId(kUsagePage), place, std::move(feedbackUrl));
    if (page == nullptr) return nullptr;
    const HWND notes = createLabel(page, kUsageTextId, usageText(), kUsageText, SS_LEFT);
    setFont(notes, fonts, FontRole::YaHei16);
    setControlColours(notes, {kBlack});
    const HWND feedback =
        createPushButton(page, kFeedbackButtonId, kFeedbackCaption, kFeedbackButton);
    setFont(feedback, fonts, FontRole::Standard);
    return page;
}

}  // namespace brevaro::app
