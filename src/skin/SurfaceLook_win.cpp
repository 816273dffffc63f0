// Tab controls and dialog boxes in the look: the tab control shows the page
// background with flat tabs; message boxes are white with the look's text.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "skin/GdiHandles_win.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"
#include "skin/LookParts_win.h"

namespace brevaro::skin {
namespace {

void paintTabs(HWND tabs, HDC target) {
    const Palette& palette = lookPalette();
    RECT client;
    GetClientRect(tabs, &client);
    const BufferedDc buffer(target, {client.right - client.left, client.bottom - client.top});
    const HDC dc = buffer.dc();
    fillSolid(dc, client, palette.pageBackground);

    const auto style = static_cast<DWORD>(GetWindowLongPtrW(tabs, GWL_STYLE));
    const int count = static_cast<int>(SendMessageW(tabs, TCM_GETITEMCOUNT, 0, 0));
    const int selected = static_cast<int>(SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    const Selection font(dc, controlFont(tabs));
    SetBkMode(dc, TRANSPARENT);
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageW(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item)))
            continue;
        fillSolid(dc, item, i == selected ? palette.surface : palette.headerBottom);
        frameRect(dc, item, palette.border);
        if ((style & TCS_VERTICAL) != 0) continue;  // no room for sideways text
        wchar_t text[128] = {};
        TCITEMW info{};
        info.mask = TCIF_TEXT;
        info.pszText = text;
        info.cchTextMax = 128;
        SendMessageW(tabs, TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
        SetTextColor(dc, colorref(i == selected ? palette.accent : palette.text));
        DrawTextW(dc, text, -1, &item, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
}

LRESULT CALLBACK tabLookProc(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                             DWORD_PTR) noexcept {
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(tabs, tabLookProc, id);
            unmarkDressed(tabs, kTabLookMark);
            break;
        case WM_PAINT: {
            const PaintScope scope(tabs);
            paintTabs(tabs, scope.dc());
            return 0;
        }
        case WM_PRINTCLIENT:
            paintTabs(tabs, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
    }
    return DefSubclassProc(tabs, message, wParam, lParam);
}

LRESULT CALLBACK dialogLookProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR) noexcept {
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(dialog, dialogLookProc, id);
            unmarkDressed(dialog, kDialogLookMark);
            break;
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            const auto dc = reinterpret_cast<HDC>(wParam);
            SetTextColor(dc, colorref(lookPalette().text));
            SetBkColor(dc, colorref(lookPalette().surface));
            return reinterpret_cast<LRESULT>(dcBrush(dc, lookPalette().surface));
        }
        default:
            break;
    }
    return DefSubclassProc(dialog, message, wParam, lParam);
}

}  // namespace

void dressTabControl(HWND tabs) {
    if (!markDressed(tabs, kTabLookMark)) return;
    SetWindowSubclass(tabs, tabLookProc, kTabLookId, 0);
}

void dressDialog(HWND dialog) {
    if (!markDressed(dialog, kDialogLookMark)) return;
    SetWindowSubclass(dialog, dialogLookProc, kDialogLookId, 0);
}

}  // namespace brevaro::skin
