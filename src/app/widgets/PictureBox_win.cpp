#include "app/widgets/PictureBox_win.h"

#include <memory>

#include "app/widgets/Widgets_win.h"
#include "app/widgets/WindowClass_win.h"
#include "skin/GdiHandles_win.h"
#include "skin/LookPaint_win.h"

namespace brevaro::app {
namespace {

// Per-window state, reachable from GWLP_USERDATA from WM_NCCREATE on and
// freed in WM_NCDESTROY.
struct PictureBoxState {
    Colour background = kWhite;
    HBITMAP picture = nullptr;
    bool pictureHasAlpha = false;
    std::optional<Colour> topLine;
    std::optional<Colour> leftLine;
    ColourTable colours;
};

PictureBoxState* stateOf(HWND box) {
    return reinterpret_cast<PictureBoxState*>(GetWindowLongPtrW(box, GWLP_USERDATA));
}

void paint(HWND box, HDC target, const PictureBoxState& state) {
    RECT client;
    GetClientRect(box, &client);
    const skin::BufferedDc buffer(target, {client.right - client.left, client.bottom - client.top});
    const HDC dc = buffer.dc();
    skin::fillSolid(dc, client, state.background);
    if (state.picture != nullptr) {
        const skin::OwnedMemoryDc source(CreateCompatibleDC(dc));
        const skin::Selection selection(source.get(), state.picture);
        BITMAP info{};
        GetObjectW(state.picture, sizeof info, &info);
        if (state.pictureHasAlpha) {
            const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
            AlphaBlend(dc, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, info.bmWidth,
                       info.bmHeight, blend);
        } else {
            BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, SRCCOPY);
        }
    }
    if (state.topLine) {
        RECT line{client.left, client.top, client.right, client.top + 1};
        skin::fillSolid(dc, line, *state.topLine);
    }
    if (state.leftLine) {
        RECT line{client.left, client.top, client.left + 1, client.bottom};
        skin::fillSolid(dc, line, *state.leftLine);
    }
}

LRESULT handleMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* owner = static_cast<std::unique_ptr<PictureBoxState>*>(
            reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(box, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner->release()));
        return DefWindowProcW(box, message, wParam, lParam);
    }
    PictureBoxState* state = stateOf(box);
    if (state == nullptr) return DefWindowProcW(box, message, wParam, lParam);
    if (isColourMessage(message)) {
        return state->colours.answer(message, reinterpret_cast<HWND>(lParam),
                                     reinterpret_cast<HDC>(wParam), state->background);
    }
    switch (message) {
        case WM_PAINT: {
            const skin::PaintScope scope(box);
            paint(box, scope.dc(), *state);
            return 0;
        }
        case WM_PRINTCLIENT:
            paint(box, reinterpret_cast<HDC>(wParam), *state);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
            return SendMessageW(GetParent(box), message, wParam, lParam);
        case kSetControlColours:
            state->colours.set(reinterpret_cast<HWND>(wParam),
                               *reinterpret_cast<const ControlColours*>(lParam));
            return TRUE;
        case kSetBoxBackground:
            state->background = static_cast<Colour>(wParam);
            InvalidateRect(box, nullptr, FALSE);
            RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            return 0;
        case WM_NCDESTROY: {
            const std::unique_ptr<PictureBoxState> owned(state);
            SetWindowLongPtrW(box, GWLP_USERDATA, 0);
            return DefWindowProcW(box, message, wParam, lParam);
        }
        default:
            return DefWindowProcW(box, message, wParam, lParam);
    }
}

}  // namespace

HWND createPictureBox(const PictureBoxArgs& args) {
    if (!registerWindowClass(kPictureBoxClass, guardedWindowProc<handleMessage>)) return nullptr;
    auto state = std::make_unique<PictureBoxState>();
    state->background = args.background;
    state->picture = args.picture;
    state->pictureHasAlpha = args.pictureHasAlpha;
    state->topLine = args.topLine;
    state->leftLine = args.leftLine;
    return CreateWindowExW(
        0, kPictureBoxClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
        args.box.left, args.box.top, args.box.width, args.box.height, args.parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(args.id)), GetModuleHandleW(nullptr), &state);
}

void setBoxBackground(HWND box, Colour colour) {
    SendMessageW(box, kSetBoxBackground, colour, 0);
}

}  // namespace brevaro::app
