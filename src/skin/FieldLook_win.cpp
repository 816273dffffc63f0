// Edit boxes and list views in the look: a flat one-pixel frame, accent
// blue while the field has the focus. A single-line edit box taller than its
// text gets the difference as padding above and below, so its text sits in
// the middle of the box.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <memory>

#include "skin/GdiHandles_win.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"
#include "skin/LookParts_win.h"

namespace brevaro::skin {
namespace {

struct FieldState {
    bool singleLineEdit = false;
    int padTop = 0;  // set by WM_NCCALCSIZE
    int padBottom = 0;
};

int borderWidth(HWND field) {
    if ((GetWindowLongPtrW(field, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) != 0) return 2;
    if ((GetWindowLongPtrW(field, GWL_STYLE) & WS_BORDER) != 0) return 1;
    return 0;
}

bool editable(HWND field) {
    return IsWindowEnabled(field) && (GetWindowLongPtrW(field, GWL_STYLE) & ES_READONLY) == 0;
}

void centreText(HWND field, FieldState& state, NCCALCSIZE_PARAMS& sizes) {
    RECT& client = sizes.rgrc[0];
    const LONG height = client.bottom - client.top;
    const WindowDc dc(field);
    if (dc.get() == nullptr) return;
    const int text = lineHeight(dc.get(), controlFont(field)) + 2;
    const int spare = std::max(0, static_cast<int>(height) - text);
    state.padTop = spare / 2;
    state.padBottom = spare - state.padTop;
    client.top += state.padTop;
    client.bottom -= state.padBottom;
}

void paintFrame(HWND field, const FieldState& state) {
    const int border = borderWidth(field);
    if (border == 0 && state.padTop == 0 && state.padBottom == 0) return;
    const WindowDc dc(field, true);
    if (dc.get() == nullptr) return;
    RECT window;
    GetWindowRect(field, &window);
    OffsetRect(&window, -window.left, -window.top);

    const Palette& palette = lookPalette();
    const bool isEdit = state.singleLineEdit || hasClass(field, L"Edit");
    const ParentColours inside = askParentColours(
        field, dc.get(), isEdit && editable(field) ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    RECT inner = window;
    InflateRect(&inner, -border, -border);
    if (state.padTop > 0) {
        RECT band{inner.left, inner.top, inner.right, inner.top + state.padTop};
        fillParentBackground(dc.get(), band, inside);
    }
    if (state.padBottom > 0) {
        RECT band{inner.left, inner.bottom - state.padBottom, inner.right, inner.bottom};
        fillParentBackground(dc.get(), band, inside);
    }
    if (border == 0) return;
    Colour line = palette.border;
    if (!IsWindowEnabled(field)) {
        line = palette.disabledBorder;
    } else if (GetFocus() == field) {
        line = palette.accent;
    }
    frameRect(dc.get(), window, line);
    if (border == 2) {
        RECT second = window;
        InflateRect(&second, -1, -1);
        if (inside.hollow) {
            frameRect(dc.get(), second, palette.surface);
        } else {
            FrameRect(dc.get(), &second, inside.brush);
        }
    }
}

void repaintFrame(HWND field) {
    RedrawWindow(field, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
}

LRESULT CALLBACK fieldLookProc(HWND field, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR data) noexcept {
    auto* state = reinterpret_cast<FieldState*>(data);
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(field, fieldLookProc, id);
            unmarkDressed(field, kFieldLookMark);
            delete state;
            break;
        case WM_NCCALCSIZE: {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            if (wParam != 0 && state->singleLineEdit) {
                centreText(field, *state, *reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
            }
            return result;
        }
        case WM_NCPAINT: {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            paintFrame(field, *state);
            return result;
        }
        case WM_SETFONT: {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            if (state->singleLineEdit) {
                // The padding depends on the font's height.
                SetWindowPos(
                    field, nullptr, 0, 0, 0, 0,
                    SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
            return result;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case EM_SETREADONLY: {
            const LRESULT result = DefSubclassProc(field, message, wParam, lParam);
            repaintFrame(field);
            return result;
        }
        default:
            break;
    }
    return DefSubclassProc(field, message, wParam, lParam);
}

}  // namespace

void dressField(HWND field) {
    if (!markDressed(field, kFieldLookMark)) return;
    auto state = std::make_unique<FieldState>();
    state->singleLineEdit =
        hasClass(field, L"Edit") && (GetWindowLongPtrW(field, GWL_STYLE) & ES_MULTILINE) == 0;
    if (SetWindowSubclass(field, fieldLookProc, kFieldLookId,
                          reinterpret_cast<DWORD_PTR>(state.get()))) {
        state.release();
    } else {
        unmarkDressed(field, kFieldLookMark);
    }
}

}  // namespace brevaro::skin
