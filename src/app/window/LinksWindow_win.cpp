#include "app/window/LinksWindow_win.h"

#include <memory>

#include "app/catalogue/ControlIds.h"
#include "app/widgets/PictureBox_win.h"
#include "app/catalogue/ShellLayout.h"
#include "app/widgets/Widgets_win.h"
#include "app/widgets/WindowClass_win.h"

namespace brevaro::app {
namespace {

struct LinksWindowState {
    const Fonts* fonts = nullptr;
    const ShellConfig* config = nullptr;
    ColourTable colours;
};

LinksWindowState* stateOf(HWND window) {
    return reinterpret_cast<LinksWindowState*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

const std::string* targetOf(const ShellConfig& config, LinkTarget target) {
    switch (target) {
        case LinkTarget::ContactPage:
            return &config.links.contactPage;
        case LinkTarget::UpdateGroup:
            return &config.links.updateGroup;
        case LinkTarget::Site:
            return &config.links.site;
        case LinkTarget::OfficialGroup:
            return &config.links.officialGroup;
        case LinkTarget::RobotGroup:
            return &config.links.robotGroup;
        case LinkTarget::None:
        case LinkTarget::Hide:
            return nullptr;
    }
    return nullptr;
}

void build(HWND window, LinksWindowState& state) {
    // White, below every row.
    const HWND background = createPictureBox({.parent = window,
                                              .id = 0,
                                              .box = {0, 0, kLinksWidth, kLinksHeight},
                                              .background = kWhite});
    SetWindowPos(background, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    int row = 0;
    for (const LinkRow& link : linkRows()) {
        const std::string caption(link.caption.empty() ? std::string_view(state.config->contact)
                                                       : link.caption);
        const int id = linkRowId(row++);
        const HWND control =
            link.isLink
                ? createClickLabel(window, id, caption, link.box, SS_CENTER | SS_CENTERIMAGE, true)
                : createLabel(window, id, caption, link.box, SS_CENTER | SS_CENTERIMAGE);
        setFont(control, *state.fonts, link.font);
        state.colours.set(control, ControlColours{kLinkGrey, kWhite});
        SetWindowPos(control, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        // Each row lies above the one before: "访问官网" (no target) shows
        // the 11 pixels above "有问题联系作者".
    }
}

void onRowCommand(HWND window, const LinksWindowState& state, int id, WORD code) {
    const int row = id - kFirstLinkRowId;
    const auto rows = linkRows();
    if (row < 0 || row >= static_cast<int>(rows.size())) return;
    const LinkRow& link = rows[static_cast<std::size_t>(row)];
    if (link.target == LinkTarget::Hide) {
        if (code == kLabelPressed)
            SendMessageW(GetWindow(window, GW_OWNER), kHideLinksWindow, 0, 0);
        return;
    }
    if (code != kLabelReleased) return;
    if (const std::string* target = targetOf(*state.config, link.target))
        openWebAddress(window, *target);
}

LRESULT handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<std::unique_ptr<LinksWindowState>*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
        return DefWindowProcW(window, message, wParam, lParam);
    }
    LinksWindowState* state = stateOf(window);
    if (state == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (isColourMessage(message)) {
        return state->colours.answer(message, reinterpret_cast<HWND>(lParam),
                                     reinterpret_cast<HDC>(wParam), kWhite);
    }
    switch (message) {
        case WM_CREATE:
            SetLayeredWindowAttributes(window, 0, kLinksAlpha, LWA_ALPHA);
            build(window, *state);
            return 0;
        case WM_COMMAND:
            onRowCommand(window, *state, LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE && IsWindowVisible(window)) {
                SendMessageW(GetWindow(window, GW_OWNER), kHideLinksWindow, 0, 0);
            }
            return 0;
        case kSetControlColours:
            state->colours.set(reinterpret_cast<HWND>(wParam),
                               *reinterpret_cast<const ControlColours*>(lParam));
            return TRUE;
        case WM_ERASEBKGND:
            return 1;
        case WM_NCDESTROY: {
            const std::unique_ptr<LinksWindowState> owned(state);
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            return DefWindowProcW(window, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

HWND createLinksWindow(HWND owner, const Fonts& fonts, const ShellConfig& config) {
    if (!registerWindowClass(kLinksWindowClass, guardedWindowProc<handleMessage>)) return nullptr;
    auto state = std::make_unique<LinksWindowState>();
    state->fonts = &fonts;
    state->config = &config;
    return CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, kLinksWindowClass, L"",
                           WS_POPUP | WS_CLIPCHILDREN, 0, 0, kLinksWidth, kLinksHeight, owner,
                           nullptr, GetModuleHandleW(nullptr), &state);
}

}  // namespace brevaro::app
