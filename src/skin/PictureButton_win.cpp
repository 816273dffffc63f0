#include "skin/PictureButton_win.h"

#include <commctrl.h>

#include <algorithm>
#include <array>
#include <memory>
#include <string>

#include "skin/GdiHandles_win.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"

namespace brevaro::skin {
namespace {

constexpr UINT_PTR kPictureButtonId = 0x50420001;

struct PictureButtonState {
    std::array<HBITMAP, 4> pictures{};
    bool hovering = false;
    bool handCursor = false;
    bool marked = false;
};

// The mark's dot: this wide, its centre this far from the right edge, with a
// ring of the surface colour so it stands out on any picture.
constexpr int kMarkDiameter = 8;
constexpr int kMarkRing = 2;
constexpr int kMarkRightInset = 16;

void paintMark(HDC dc, const SIZE& size) {
    const Palette& palette = lookPalette();
    const int centreX = size.cx - kMarkRightInset;
    const int centreY = size.cy / 2;
    const int outer = kMarkDiameter / 2 + kMarkRing;
    const int inner = kMarkDiameter / 2;
    fillEllipse(dc, RECT{centreX - outer, centreY - outer, centreX + outer, centreY + outer}, palette.surface);
    fillEllipse(dc, RECT{centreX - inner, centreY - inner, centreX + inner, centreY + inner}, palette.trouble);
}

HBITMAP pictureFor(HWND button, const PictureButtonState& state) {
    const auto& p = state.pictures;
    const HBITMAP normal = p[static_cast<int>(ButtonPicture::Normal)];
    auto orNormal = [normal](HBITMAP picture) { return picture != nullptr ? picture : normal; };
    if (!IsWindowEnabled(button)) return orNormal(p[static_cast<int>(ButtonPicture::Disabled)]);
    const auto buttonState = static_cast<UINT>(SendMessageW(button, BM_GETSTATE, 0, 0));
    if ((buttonState & BST_PUSHED) != 0)
        return orNormal(p[static_cast<int>(ButtonPicture::Pressed)]);
    if (state.hovering) return orNormal(p[static_cast<int>(ButtonPicture::Hover)]);
    return normal;
}

void paint(HWND button, HDC target, const PictureButtonState& state) {
    RECT client;
    GetClientRect(button, &client);
    const SIZE size{client.right - client.left, client.bottom - client.top};
    const BufferedDc buffer(target, size);
    const HDC dc = buffer.dc();
    fillParentBackground(dc, client, askParentColours(button, dc, WM_CTLCOLORBTN));
    const HBITMAP picture = pictureFor(button, state);
    if (picture == nullptr) return;
    const OwnedMemoryDc source(CreateCompatibleDC(dc));
    if (!source) return;
    const Selection selection(source.get(), picture);
    BITMAP info{};
    GetObjectW(picture, sizeof info, &info);
    BitBlt(dc, 0, 0, std::min<LONG>(info.bmWidth, size.cx), std::min<LONG>(info.bmHeight, size.cy),
           source.get(), 0, 0, SRCCOPY);
    if (state.marked) paintMark(dc, size);
}

// BM_CLICK of a system button works even on a disabled button; a picture
// button, like a user's click, needs the button and its window enabled.
bool clickable(HWND button) {
    return IsWindowEnabled(button) && IsWindowEnabled(GetAncestor(button, GA_ROOT));
}

LRESULT CALLBACK pictureButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR id, DWORD_PTR data) noexcept {
    auto* state = reinterpret_cast<PictureButtonState*>(data);
    switch (message) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(button, pictureButtonProc, id);
            delete state;
            return DefSubclassProc(button, message, wParam, lParam);
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
        case WM_SETCURSOR:
            if (state->handCursor && LOWORD(lParam) == HTCLIENT) {
                SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_HAND)));
                return TRUE;
            }
            break;
        case WM_MOUSEMOVE:
        case WM_MOUSELEAVE:
            if (trackHover(button, message, state->hovering))
                InvalidateRect(button, nullptr, FALSE);
            break;
        case BM_CLICK:
            if (!clickable(button)) return 0;
            break;
        case kSetPicture: {
            const auto which = static_cast<std::size_t>(wParam);
            if (which >= state->pictures.size()) return 0;
            const HBITMAP previous = state->pictures[which];
            state->pictures[which] = reinterpret_cast<HBITMAP>(lParam);
            InvalidateRect(button, nullptr, FALSE);
            return reinterpret_cast<LRESULT>(previous);
        }
        case kSetMark: {
            const bool previous = state->marked;
            state->marked = wParam != FALSE;
            if (state->marked != previous) InvalidateRect(button, nullptr, FALSE);
            return previous ? TRUE : FALSE;
        }
        case kGetMark:
            return state->marked ? TRUE : FALSE;
        case kGetPicture: {
            const auto which = static_cast<std::size_t>(wParam);
            return which < state->pictures.size()
                       ? reinterpret_cast<LRESULT>(state->pictures[which])
                       : 0;
        }
        // An owner-drawn button asks its parent to draw at once on these;
        // the pictures are painted after.
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case BM_SETSTATE:
            return callWithoutDrawing(button, message, wParam, lParam);
        default:
            break;
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

}  // namespace

HWND createPictureButton(const PictureButtonArgs& args) {
    const std::wstring caption(args.caption);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW;
    if (!args.enabled) style |= WS_DISABLED;
    const HWND button = CreateWindowExW(
        0, L"BUTTON", caption.c_str(), style, args.left, args.top, args.width, args.height,
        args.parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)),
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(args.parent, GWLP_HINSTANCE)), nullptr);
    if (button == nullptr) return nullptr;
    auto state = std::make_unique<PictureButtonState>();
    state->pictures = {args.pictures.normal, args.pictures.hover, args.pictures.pressed,
                       args.pictures.disabled};
    state->handCursor = args.handCursor;
    if (!SetWindowSubclass(button, pictureButtonProc, kPictureButtonId,
                           reinterpret_cast<DWORD_PTR>(state.get()))) {
        DestroyWindow(button);
        return nullptr;
    }
    state.release();
    InvalidateRect(button, nullptr, FALSE);
    return button;
}

void setButtonPicture(HWND button, ButtonPicture which, HBITMAP picture) {
    SendMessageW(button, kSetPicture, static_cast<WPARAM>(which),
                 reinterpret_cast<LPARAM>(picture));
}

HBITMAP buttonPicture(HWND button, ButtonPicture which) {
    return reinterpret_cast<HBITMAP>(
        SendMessageW(button, kGetPicture, static_cast<WPARAM>(which), 0));
}

void setButtonMark(HWND button, bool shown) { SendMessageW(button, kSetMark, shown ? TRUE : FALSE, 0); }

}  // namespace brevaro::skin
