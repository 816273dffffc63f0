#include "app/window/PageContainer_win.h"

#include <commctrl.h>

#include <string>

#include "app/catalogue/ControlIds.h"
#include "app/window/InfoPages_win.h"
#include "app/widgets/Widgets_win.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

constexpr UINT_PTR kContainerId = 0x50430001;

// The pages follow the container's size.
LRESULT CALLBACK containerProc(HWND container, UINT message, WPARAM wParam, LPARAM lParam,
                               UINT_PTR id, DWORD_PTR) noexcept {
    if (message == WM_NCDESTROY) RemoveWindowSubclass(container, containerProc, id);
    const LRESULT result = DefSubclassProc(container, message, wParam, lParam);
    if (message == WM_SIZE) {
        for (HWND page = GetWindow(container, GW_CHILD); page != nullptr;
             page = GetWindow(page, GW_HWNDNEXT)) {
            const int pageIdValue = GetDlgCtrlID(page);
            if (pageIdValue < kFirstPageId || pageIdValue >= kFirstPageId + kPageCount) continue;
            SetWindowPos(page, nullptr, 0, 0, LOWORD(lParam), HIWORD(lParam),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    return result;
}

}  // namespace

PageSet createPageContainer(HWND main, const Fonts& fonts, const ShellConfig& config) {
    PageSet set;
    set.container = createControl(main, WC_TABCONTROLW, kPageContainerId, "", kPageContainer,
                                  WS_CLIPCHILDREN | TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE |
                                      TCS_FIXEDWIDTH | TCS_FOCUSNEVER);
    if (set.container == nullptr) return set;
    setFont(set.container, fonts, FontRole::Standard);
    for (const NavPage& nav : kNavPages) {
        std::wstring name = text::gbkToWide(nav.name);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = name.data();
        SendMessageW(set.container, TCM_INSERTITEMW, static_cast<WPARAM>(nav.index),
                     reinterpret_cast<LPARAM>(&item));
    }
    // Narrow headers: they sit at the container's right edge, which the main
    // window never shows.
    SendMessageW(set.container, TCM_SETITEMSIZE, 0, MAKELPARAM(24, 4));
    SetWindowSubclass(set.container, containerProc, kContainerId, 0);

    const Box place{0, 0, kPageContainer.width, kPageContainer.height};
    for (const NavPage& nav : kNavPages) {
        const auto i = static_cast<std::size_t>(nav.index);
        if (nav.index == kLoginPage) {
            set.pages[i] = createLoginPage(set.container, place, loginPageUrl(config.forumHost));
        } else if (nav.index == kUsagePage) {
            set.pages[i] = createUsagePage(set.container, place, fonts, config.links.feedbackGroup);
        } else if (BoardPage* board = BoardPage::create(set.container, nav.index, place, fonts)) {
            set.boards[i] = board;
            set.pages[i] = board->window();
        }
    }
    showPage(set, 0);
    return set;
}

void showPage(const PageSet& pages, int index) {
    if (pages.container == nullptr || index < 0 || index >= kPageCount) return;
    SendMessageW(pages.container, TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
    const HWND shown = pages.pages[static_cast<std::size_t>(index)];
    if (shown != nullptr) ShowWindow(shown, SW_SHOW);
    for (HWND page : pages.pages) {
        if (page != nullptr && page != shown) ShowWindow(page, SW_HIDE);
    }
}

int shownPage(const PageSet& pages) {
    return static_cast<int>(SendMessageW(pages.container, TCM_GETCURSEL, 0, 0));
}

}  // namespace brevaro::app
