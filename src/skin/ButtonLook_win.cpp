// Push buttons, check and radio boxes and group boxes in the look. The
// system button keeps its behaviour (clicks, BM_GETCHECK, BM_CLICK,
// notifications); this subclass only paints it.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <memory>
#include <string>

#include "skin/GdiHandles_win.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"
#include "skin/LookParts_win.h"
#include "text/WindowText_win.h"

namespace brevaro::skin {
namespace {

struct ButtonLookState {
    bool hovering = false;
};

enum class Kind { Push, Check, Radio, Group, Other };

Kind kindOf(HWND button) {
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    switch (style & BS_TYPEMASK) {
        case BS_PUSHBUTTON:
        case BS_DEFPUSHBUTTON:
            return Kind::Push;
        case BS_CHECKBOX:
        case BS_AUTOCHECKBOX:
        case BS_3STATE:
        case BS_AUTO3STATE:
            return (style & BS_PUSHLIKE) != 0 ? Kind::Push : Kind::Check;
        case BS_RADIOBUTTON:
        case BS_AUTORADIOBUTTON:
            return (style & BS_PUSHLIKE) != 0 ? Kind::Push : Kind::Radio;
        case BS_GROUPBOX:
            return Kind::Group;
        default:
            return Kind::Other;  // owner-drawn and user buttons paint themselves
    }
}

SIZE sizeOf(const RECT& rect) {
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void drawText(HDC dc, HWND button, RECT rect, COLORREF colour, UINT format) {
    const std::wstring text = text::windowTextWide(button);
    const Selection font(dc, controlFont(button));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colour);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    if ((style & BS_MULTILINE) != 0) {
        // Centre the wrapped block vertically.
        RECT measured = rect;
        DrawTextW(dc, text.c_str(), -1, &measured,
                  (format & ~DT_SINGLELINE & ~DT_VCENTER) | DT_WORDBREAK | DT_CALCRECT);
        const LONG offset = ((rect.bottom - rect.top) - (measured.bottom - measured.top)) / 2;
        rect.top += std::max(0L, offset);
        DrawTextW(dc, text.c_str(), -1, &rect,
                  (format & ~DT_SINGLELINE & ~DT_VCENTER) | DT_WORDBREAK);
        return;
    }
    DrawTextW(dc, text.c_str(), -1, &rect, format | DT_SINGLELINE | DT_VCENTER);
}

void paintPush(HWND button, HDC target, const ButtonLookState& state) {
    const Palette& palette = lookPalette();
    RECT client;
    GetClientRect(button, &client);
    const BufferedDc buffer(target, sizeOf(client));
    const HDC dc = buffer.dc();
    fillParentBackground(dc, client, askParentColours(button, dc, WM_CTLCOLORBTN));

    const bool enabled = IsWindowEnabled(button) != FALSE;
    const auto buttonState = static_cast<UINT>(SendMessageW(button, BM_GETSTATE, 0, 0));
    const bool down = (buttonState & BST_PUSHED) != 0 || (buttonState & BST_CHECKED) != 0;
    Colour fill = palette.accent;
    if (!enabled) {
        fill = palette.disabledFill;
    } else if (down) {
        fill = palette.accentPressed;
    } else if (state.hovering) {
        fill = palette.accentHover;
    }
    fillRoundRect(dc, client, 4.0f, fill);
    if (enabled && GetFocus() == button && !down) {
        RECT ring = client;
        InflateRect(&ring, -2, -2);
        strokeRoundRect(dc, ring, 3.0f, palette.accentHover);
    }
    RECT text = client;
    InflateRect(&text, -4, 0);
    if (down) OffsetRect(&text, 0, 1);
    drawText(dc, button, text, colorref(enabled ? palette.accentText : palette.disabledText),
             DT_CENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

void paintCheck(HWND button, HDC target, const ButtonLookState& state, bool radio) {
    const Palette& palette = lookPalette();
    RECT client;
    GetClientRect(button, &client);
    const BufferedDc buffer(target, sizeOf(client));
    const HDC dc = buffer.dc();
    const ParentColours parent = askParentColours(button, dc, WM_CTLCOLORSTATIC);
    fillParentBackground(dc, client, parent);

    const bool enabled = IsWindowEnabled(button) != FALSE;
    const auto buttonState = static_cast<UINT>(SendMessageW(button, BM_GETSTATE, 0, 0));
    const bool pressed = (buttonState & BST_PUSHED) != 0;
    const auto check = static_cast<UINT>(SendMessageW(button, BM_GETCHECK, 0, 0));
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(button, GWL_STYLE));
    const bool boxOnRight = (style & BS_LEFTTEXT) != 0;

    constexpr int kBox = 14;
    const LONG top = client.top + (client.bottom - client.top - kBox) / 2;
    RECT box{boxOnRight ? client.right - kBox - 1 : client.left + 1, top, 0, top + kBox};
    box.right = box.left + kBox;

    const bool on = check != BST_UNCHECKED;
    Colour fill = palette.surface;
    Colour line = state.hovering && enabled ? palette.accent : palette.border;
    if (on) {
        fill = line =
            enabled ? (pressed ? palette.accentPressed : palette.accent) : palette.disabledBorder;
    } else if (!enabled) {
        fill = palette.disabledFill;
        line = palette.disabledBorder;
    } else if (pressed) {
        fill = palette.pageBackground;
    }
    if (radio) {
        fillEllipse(dc, box, line);
        RECT inner = box;
        InflateRect(&inner, -1, -1);
        fillEllipse(dc, inner, on ? palette.surface : fill);
        if (on) {
            RECT dot = box;
            InflateRect(&dot, -4, -4);
            fillEllipse(dc, dot, line);
        }
    } else {
        fillRoundRect(dc, box, 3.0f, fill);
        strokeRoundRect(dc, box, 3.0f, line);
        const auto x = static_cast<float>(box.left);
        const auto y = static_cast<float>(box.top);
        if (check == BST_CHECKED) {
            strokeTick(dc, x + 3.5f, y + 7.2f, x + 6.0f, y + 9.8f, x + 10.6f, y + 4.4f, 1.8f,
                       palette.accentText);
        } else if (check == BST_INDETERMINATE) {
            RECT bar{box.left + 4, box.top + 6, box.right - 4, box.top + 8};
            fillSolid(dc, bar, palette.accentText);
        }
    }

    RECT text = client;
    if (boxOnRight) {
        text.right = box.left - 5;
    } else {
        text.left = box.right + 5;
    }
    drawText(dc, button, text, enabled ? parent.text : colorref(palette.disabledText),
             (boxOnRight ? DT_RIGHT : DT_LEFT) | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// Frame and caption only: the inside shows whatever lies behind the group,
// as with the system's own group box.
void paintGroup(HWND group, HDC dc) {
    const Palette& palette = lookPalette();
    RECT client;
    GetClientRect(group, &client);
    const ParentColours parent = askParentColours(group, dc, WM_CTLCOLORSTATIC);
    const HFONT font = controlFont(group);
    const std::wstring text = text::windowTextWide(group);
    const int textHeight = lineHeight(dc, font);
    // The bottom line sits one pixel up: a group that reaches its parent's
    // last row still shows it.
    RECT frame{client.left, text.empty() ? client.top : client.top + textHeight / 2, client.right,
               client.bottom - 1};
    strokeRoundRect(dc, frame, 4.0f, palette.groupBorder);
    if (text.empty()) return;

    const Selection selection(dc, font);
    RECT measured{0, 0, 0, 0};
    DrawTextW(dc, text.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
    RECT caption{client.left + 9, client.top,
                 client.left + 9 + (measured.right - measured.left) + 8, client.top + textHeight};
    caption.right = std::min(caption.right, client.right - 9);
    fillParentBackground(dc, caption, parent);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colorref(IsWindowEnabled(group) ? palette.text : palette.disabledText));
    RECT textRect = caption;
    InflateRect(&textRect, -4, 0);
    DrawTextW(dc, text.c_str(), -1, &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

// Out of memory for a caption leaves the button unpainted this time; no
// exception leaves the window procedure.
void paint(HWND button, HDC dc, const ButtonLookState& state) noexcept {
    try {
        switch (kindOf(button)) {
            case Kind::Push:
                paintPush(button, dc, state);
                break;
            case Kind::Check:
                paintCheck(button, dc, state, false);
                break;
            case Kind::Radio:
                paintCheck(button, dc, state, true);
                break;
            case Kind::Group:
                paintGroup(button, dc);
                break;
            case Kind::Other:
                break;
        }
    } catch (...) {
    }
}

LRESULT CALLBACK buttonLookProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR data) noexcept {
    auto* state = reinterpret_cast<ButtonLookState*>(data);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(button, buttonLookProc, id);
        unmarkDressed(button, kButtonLookMark);
        delete state;
        return DefSubclassProc(button, message, wParam, lParam);
    }
    if (kindOf(button) == Kind::Other) return DefSubclassProc(button, message, wParam, lParam);
    switch (message) {
        case WM_PAINT: {
            const PaintScope scope(button);
            paint(button, scope.dc(), *state);
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(button, reinterpret_cast<HDC>(wParam), *state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
            if (trackHover(button, message, state->hovering))
                InvalidateRect(button, nullptr, FALSE);
            break;
        // The system button paints at once on these; the look paints after.
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case BM_SETSTATE:
        case BM_SETCHECK:
        case BM_SETSTYLE:
        case WM_UPDATEUISTATE:
            return callWithoutDrawing(button, message, wParam, lParam);
        default:
            break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

void dressButton(HWND button) {
    if (!markDressed(button, kButtonLookMark)) return;
    auto state = std::make_unique<ButtonLookState>();
    if (SetWindowSubclass(button, buttonLookProc, kButtonLookId,
                          reinterpret_cast<DWORD_PTR>(state.get()))) {
        state.release();
    } else {
        unmarkDressed(button, kButtonLookMark);
    }
}

}  // namespace brevaro::skin
