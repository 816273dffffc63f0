#pragma once
// A picture button: a real push button (class "Button", owner-drawn) whose
// window text is its caption, painted from four pictures, one per state:
// normal, hover (the mouse over it), pressed (held down) and disabled. A
// missing picture falls back to the normal one. The pictures belong to the
// caller, who keeps them alive while the button shows them; the button only
// refers to them, so several buttons may share one picture and a button's
// pictures may be swapped at any time (kSetPicture).
//
// It behaves as any push button: a click sends WM_COMMAND with BN_CLICKED
// to its parent and BM_CLICK presses it, except that BM_CLICK does nothing
// while the button or its top-level window is disabled. GUI thread only.
// Windows only.

#include <windows.h>

#include <string_view>

namespace brevaro::skin {

enum class ButtonPicture : int { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

struct ButtonPictures {
    HBITMAP normal = nullptr;
    HBITMAP hover = nullptr;
    HBITMAP pressed = nullptr;
    HBITMAP disabled = nullptr;
};

// Sets one picture: wParam a ButtonPicture, lParam the HBITMAP (nullptr:
// the normal one stands in). Returns the previous HBITMAP; repaints.
inline constexpr UINT kSetPicture = WM_USER + 0x150;
// The HBITMAP of a state (wParam a ButtonPicture) as set.
inline constexpr UINT kGetPicture = WM_USER + 0x151;
// The button's mark, a small dot of the palette's trouble colour near its
// right edge, over every picture: wParam TRUE shows it, FALSE takes it
// away; repaints when it changes. Returns the previous state.
inline constexpr UINT kSetMark = WM_USER + 0x152;
// TRUE while the mark shows.
inline constexpr UINT kGetMark = WM_USER + 0x153;

struct PictureButtonArgs {
    HWND parent = nullptr;
    int id = 0;
    std::wstring_view caption;  // the window text: what readers and tools see
    int left = 0, top = 0, width = 0, height = 0;
    ButtonPictures pictures;
    bool handCursor = false;
    bool enabled = true;
};

// Creates the button, visible. nullptr when it cannot be created.
HWND createPictureButton(const PictureButtonArgs& args);

// Sets one picture (see kSetPicture).
void setButtonPicture(HWND button, ButtonPicture which, HBITMAP picture);
HBITMAP buttonPicture(HWND button, ButtonPicture which);

// Shows or takes away the mark (see kSetMark).
void setButtonMark(HWND button, bool shown);

}  // namespace brevaro::skin
