#pragma once
// Drawing helpers shared by the look's painters: anti-aliased rounded
// shapes (GDI+), the colours a control's parent gives it, fonts and texts.
// GUI thread only. Windows only.

#include <windows.h>

#include <string>

#include "skin/Palette.h"

namespace brevaro::skin {

inline COLORREF colorref(Colour colour) {
    return static_cast<COLORREF>(colour & 0xFFFFFF);
}

// What a control's parent answers to WM_CTLCOLORSTATIC (or _BTN, _EDIT)
// for a DC: the brush it fills the control with and the text colour it set
// on the DC. `hollow` when the parent asks for no background at all.
struct ParentColours {
    HBRUSH brush = nullptr;
    COLORREF text = 0;
    bool hollow = false;
};
ParentColours askParentColours(HWND control, HDC dc, UINT message);

// Fills `rect` with the parent's background; the palette's surface when the
// parent gives a hollow brush or none.
void fillParentBackground(HDC dc, const RECT& rect, const ParentColours& colours);

// Rounded rectangles, anti-aliased. The outline is a 1-pixel line centred on
// the pixels just inside `rect`.
void fillRoundRect(HDC dc, const RECT& rect, float radius, Colour fill);
void strokeRoundRect(HDC dc, const RECT& rect, float radius, Colour line);
// A tick from three points, a stroke `width` pixels wide.
void strokeTick(HDC dc, float x1, float y1, float x2, float y2, float x3, float y3, float width,
                Colour ink);
void fillEllipse(HDC dc, const RECT& rect, Colour fill);
void strokeEllipse(HDC dc, const RECT& rect, Colour line);

// A one-pixel frame along the inside of `rect`.
void frameRect(HDC dc, const RECT& rect, Colour line);
void fillSolid(HDC dc, const RECT& rect, Colour fill);

// The DC's own brush (the stock DC_BRUSH) in `colour`: a brush for fills on
// this DC, and the answer to WM_CTLCOLOR* for the DC the message brings,
// which the control fills with. No object is made, so nothing is left to
// delete; it shows `colour` on this DC until the DC's brush colour is set
// again.
HBRUSH dcBrush(HDC dc, Colour colour);

// The control's font (WM_GETFONT), or the GUI font when it has none.
HFONT controlFont(HWND control);
// The height of a line of text in that font.
int lineHeight(HDC dc, HFONT font);

// GetClassNameW compared without letter case.
bool hasClass(HWND window, const wchar_t* className);

// Calls the next window procedure of a subclassed control while the control
// does not draw (its visible bit cleared, as WM_SETREDRAW does), then has it
// repaint in the look. For the messages on which a system control paints
// itself at once instead of waiting for WM_PAINT.
LRESULT callWithoutDrawing(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Marks a window as dressed by one of the look's painters (a window
// property named after it): false when it was marked already. The painter
// removes the mark in WM_NCDESTROY.
bool markDressed(HWND window, const wchar_t* painter);
void unmarkDressed(HWND window, const wchar_t* painter);

// Follows the mouse over a control: true when the call changed `hovering`
// (the control then repaints). WM_MOUSEMOVE asks for WM_MOUSELEAVE.
bool trackHover(HWND window, UINT message, bool& hovering);

}  // namespace brevaro::skin
