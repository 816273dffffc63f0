// List-view headers in the look: a gentle vertical gradient, a line below,
// thin separators between the columns and each caption aligned as its
// column asks. Zero-width columns (a list's hidden link column) draw nothing.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <memory>

#include "skin/GdiHandles_win.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"
#include "skin/LookParts_win.h"

namespace brevaro::skin {
namespace {

Colour blend(Colour from, Colour to, int step, int steps) {
    auto mix = [&](std::uint8_t a, std::uint8_t b) {
        return static_cast<std::uint8_t>(a + (b - a) * step / (steps > 0 ? steps : 1));
    };
    return rgb(mix(redOf(from), redOf(to)), mix(greenOf(from), greenOf(to)),
               mix(blueOf(from), blueOf(to)));
}

void paintHeader(HWND header, HDC target) {
    const Palette& palette = lookPalette();
    RECT client;
    GetClientRect(header, &client);
    const BufferedDc buffer(target, {client.right - client.left, client.bottom - client.top});
    const HDC dc = buffer.dc();

    const int height = client.bottom - client.top;
    for (int y = 0; y < height; ++y) {
        RECT row{client.left, y, client.right, y + 1};
        fillSolid(dc, row, blend(palette.headerTop, palette.headerBottom, y, height - 1));
    }
    RECT bottomLine{client.left, client.bottom - 1, client.right, client.bottom};
    fillSolid(dc, bottomLine, palette.headerLine);

    const Selection font(dc, controlFont(header));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorref(palette.headerText));
    const int count = static_cast<int>(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT item{};
        if (!SendMessageW(header, HDM_GETITEMRECT, static_cast<WPARAM>(i),
                          reinterpret_cast<LPARAM>(&item)))
            continue;
        if (item.right - item.left <= 0) continue;
        wchar_t text[260] = {};
        HDITEMW info{};
        info.mask = HDI_TEXT | HDI_FORMAT;
        info.pszText = text;
        info.cchTextMax = 260;
        SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));

        RECT separator{item.right - 1, item.top + 6, item.right, item.bottom - 6};
        fillSolid(dc, separator, palette.headerLine);

        UINT align = DT_LEFT;
        if ((info.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) align = DT_CENTER;
        if ((info.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) align = DT_RIGHT;
        RECT textRect = item;
        InflateRect(&textRect, -6, 0);
        textRect.bottom -= 1;
        DrawTextW(dc, text, -1, &textRect,
                  align | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

LRESULT CALLBACK headerLookProc(HWND header, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR) noexcept {
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(header, headerLookProc, id);
            unmarkDressed(header, kHeaderLookMark);
            break;
        case WM_PAINT: {
            const PaintScope scope(header);
            paintHeader(header, scope.dc());
            return 0;
        }
        case WM_PRINTCLIENT:
            paintHeader(header, reinterpret_cast<HDC>(wParam));
            return 0;
        case WM_ERASEBKGND:
            return 1;
        default:
            break;
    }
    return DefSubclassProc(header, message, wParam, lParam);
}

}  // namespace

void dressHeader(HWND header) {
    if (!markDressed(header, kHeaderLookMark)) return;
    SetWindowSubclass(header, headerLookProc, kHeaderLookId, 0);
}

}  // namespace brevaro::skin
