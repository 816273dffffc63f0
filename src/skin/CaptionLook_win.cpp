// Top-level windows with a caption (message boxes, the alert window) in the
// look: a flat caption band in the accent colour (paler while the window is
// inactive) with its title in white and its buttons drawn (the close cross,
// the minimise bar, the maximise square: those the window has), and a thin frame
// round a white border. It is painted over what the system has drawn, on
// every occasion the system draws it; the system still moves the window and
// tells the caption's parts apart. Where the desktop composes the frames
// itself (the desktop window manager of current systems), the system's own
// caption stays.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <algorithm>
#include <optional>
#include <string>

#include "skin/GdiHandles_win.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"
#include "skin/LookParts_win.h"
#include "text/WindowText_win.h"

namespace brevaro::skin {
namespace {

constexpr UINT_PTR kCaptionLookId = 0x4C6B06;
constexpr wchar_t kCaptionLookMark[] = L"Brevaro.Look.Caption";

struct CaptionState {
    bool active = false;
};

bool desktopComposesFrames() {
    using Query = HRESULT(WINAPI*)(BOOL*);
    const HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
    if (dwm == nullptr) return false;
    const auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")));
    BOOL composed = FALSE;
    const bool result = query != nullptr && SUCCEEDED(query(&composed)) && composed;
    FreeLibrary(dwm);
    return result;
}

Colour mix(Colour a, Colour b, int percentOfB) {
    auto channel = [&](std::uint8_t x, std::uint8_t y) {
        return static_cast<std::uint8_t>((x * (100 - percentOfB) + y * percentOfB) / 100);
    };
    return rgb(channel(redOf(a), redOf(b)), channel(greenOf(a), greenOf(b)),
               channel(blueOf(a), blueOf(b)));
}

RECT relative(const RECT& screen, const RECT& window) {
    RECT rect = screen;
    OffsetRect(&rect, -window.left, -window.top);
    return rect;
}

// The caption's buttons in window coordinates, each where the system's hit
// test answers for it along the title bar's middle line (so they are drawn
// where a click lands, whatever the system's metrics).
struct CaptionButtons {
    std::optional<RECT> close, maximise, minimise;
};

CaptionButtons captionButtons(HWND window, const RECT& titleBar, const RECT& frame) {
    CaptionButtons buttons;
    const int y = (titleBar.top + titleBar.bottom) / 2;
    const int stop = titleBar.left + (titleBar.right - titleBar.left) / 3;
    for (int x = titleBar.right - 1; x >= stop; --x) {
        std::optional<RECT>* button = nullptr;
        switch (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y))) {
            case HTCLOSE: button = &buttons.close; break;
            case HTMAXBUTTON: button = &buttons.maximise; break;
            case HTMINBUTTON: button = &buttons.minimise; break;
            default: continue;
        }
        const int left = x - frame.left;
        if (!*button) {
            *button = RECT{left, titleBar.top - frame.top, left + 1, titleBar.bottom - frame.top};
        } else {
            (*button)->left = left;
        }
    }
    return buttons;
}

struct Glyph {
    float cx, cy, half;
};

Glyph glyphBox(const RECT& button) {
    return {static_cast<float>(button.left + button.right) / 2, static_cast<float>(button.top + button.bottom) / 2,
            static_cast<float>(std::min(button.right - button.left, button.bottom - button.top)) * 0.2f};
}

void paintCaptionParts(HWND window, const CaptionState& state) {
    TITLEBARINFO bar{};
    bar.cbSize = sizeof bar;
    if (!GetTitleBarInfo(window, &bar) || (bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) != 0) return;
    RECT frame;
    GetWindowRect(window, &frame);
    RECT client;
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const RECT inside = relative(client, frame);
    const RECT title = relative(bar.rcTitleBar, frame);
    const RECT whole{0, 0, frame.right - frame.left, frame.bottom - frame.top};

    const WindowDc dc(window, true);
    if (dc.get() == nullptr) return;
    const Palette& palette = lookPalette();
    // Everything but the client area: the border, then the caption band.
    ExcludeClipRect(dc.get(), inside.left, inside.top, inside.right, inside.bottom);
    const Colour band = state.active ? palette.accent : mix(palette.accent, palette.surface, 35);
    fillSolid(dc.get(), whole, palette.surface);
    RECT caption{whole.left, whole.top, whole.right, std::max(title.bottom, inside.top)};
    fillSolid(dc.get(), caption, band);
    frameRect(dc.get(), whole, state.active ? palette.accentPressed : palette.border);

    // The caption's buttons where the system answers for them; the title
    // ends before the first.
    const CaptionButtons buttons = captionButtons(window, bar.rcTitleBar, frame);
    const bool toolWindow = (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const OwnedFont font(
        CreateFontIndirectW(toolWindow ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont));
    const Selection selection(dc.get(), font.get());
    SetBkMode(dc.get(), TRANSPARENT);
    SetTextColor(dc.get(), colorref(palette.accentText));
    RECT text{title.left + 6, title.top, title.right - 4, title.bottom};
    for (const std::optional<RECT>& button : {buttons.close, buttons.maximise, buttons.minimise}) {
        if (button) text.right = std::min(text.right, button->left - 4);
    }
    const std::wstring titleText = text::windowTextWide(window);
    DrawTextW(dc.get(), titleText.c_str(), -1, &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);

    const Colour glyph = palette.accentText;
    if (buttons.close) {
        // A cross of two strokes in the middle of the close button.
        const Glyph g = glyphBox(*buttons.close);
        strokeTick(dc.get(), g.cx - g.half, g.cy - g.half, g.cx, g.cy, g.cx + g.half, g.cy + g.half, 1.4f, glyph);
        strokeTick(dc.get(), g.cx + g.half, g.cy - g.half, g.cx, g.cy, g.cx - g.half, g.cy + g.half, 1.4f, glyph);
    }
    if (buttons.maximise) {
        // A square; faint when the window cannot be maximised (a window with
        // a minimise box alone still has the button, greyed).
        const bool can = (GetWindowLongPtrW(window, GWL_STYLE) & WS_MAXIMIZEBOX) != 0;
        const Colour colour = can ? glyph : mix(glyph, band, 60);
        const Glyph g = glyphBox(*buttons.maximise);
        const float l = g.cx - g.half, t = g.cy - g.half, r = g.cx + g.half, b = g.cy + g.half;
        strokeTick(dc.get(), l, t, r, t, r, b, 1.2f, colour);
        strokeTick(dc.get(), r, b, l, b, l, t, 1.2f, colour);
    }
    if (buttons.minimise) {
        // A bar at the foot of the glyph's square.
        const Glyph g = glyphBox(*buttons.minimise);
        const float y = g.cy + g.half;
        strokeTick(dc.get(), g.cx - g.half, y, g.cx, y, g.cx + g.half, y, 1.4f, glyph);
    }
}

// Out of memory for the title leaves the system's caption this time; no
// exception leaves the window procedure.
void paintCaption(HWND window, const CaptionState& state) noexcept {
    try {
        paintCaptionParts(window, state);
    } catch (...) {
    }
}

LRESULT CALLBACK captionLookProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                 UINT_PTR id, DWORD_PTR data) noexcept {
    auto* state = reinterpret_cast<CaptionState*>(data);
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, captionLookProc, id);
            unmarkDressed(window, kCaptionLookMark);
            delete state;
            break;
        case WM_NCACTIVATE: {
            state->active = wParam != FALSE;
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            paintCaption(window, *state);
            return result;
        }
        case WM_NCPAINT:
        case WM_SETTEXT:
        case WM_SIZE: {
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            paintCaption(window, *state);
            return result;
        }
        case WM_NCLBUTTONDOWN:
            // The caption's buttons answer at once: the system's own would
            // draw their pressed state over the look while it follows the
            // mouse. A maximise button the window does not have does nothing.
            if (wParam == HTCLOSE || wParam == HTMINBUTTON || wParam == HTMAXBUTTON) {
                const bool canMaximise = (GetWindowLongPtrW(window, GWL_STYLE) & WS_MAXIMIZEBOX) != 0;
                if (wParam == HTCLOSE) SendMessageW(window, WM_SYSCOMMAND, SC_CLOSE, lParam);
                if (wParam == HTMINBUTTON) SendMessageW(window, WM_SYSCOMMAND, SC_MINIMIZE, lParam);
                if (wParam == HTMAXBUTTON && canMaximise)
                    SendMessageW(window, WM_SYSCOMMAND, IsZoomed(window) ? SC_RESTORE : SC_MAXIMIZE, lParam);
                return 0;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void dressCaption(HWND window) {
    static const bool composed = desktopComposesFrames();
    if (composed) return;
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    if ((style & WS_CHILD) != 0 || (style & WS_CAPTION) != WS_CAPTION) return;
    if (!markDressed(window, kCaptionLookMark)) return;
    auto* state = new CaptionState();
    state->active = GetActiveWindow() == window;
    if (!SetWindowSubclass(window, captionLookProc, kCaptionLookId,
                           reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
        unmarkDressed(window, kCaptionLookMark);
        return;
    }
    if (IsWindowVisible(window)) RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

}  // namespace brevaro::skin
