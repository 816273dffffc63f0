#pragma once
// A picture box: a child window (class "Brevaro.Picture") that fills itself
// with a background colour, shows a picture over it and may hold other
// controls. It paints its controls with its colour table (Widgets_win.h)
// and passes their notifications to its own parent. The picture belongs to
// the caller and must outlive the box's use of it. GUI thread only. Windows
// only.

#include <windows.h>

#include <optional>

#include "app/catalogue/ShellLayout.h"

namespace brevaro::app {

inline constexpr wchar_t kPictureBoxClass[] = L"Brevaro.Picture";

struct PictureBoxArgs {
    HWND parent = nullptr;
    int id = 0;
    Box box{};
    Colour background = kWhite;
    HBITMAP picture = nullptr;       // drawn at the top-left corner
    bool pictureHasAlpha = false;    // premultiplied 32-bit: blended over the background
    std::optional<Colour> topLine;   // a one-pixel line along the top edge
    std::optional<Colour> leftLine;  // and along the left edge
};

HWND createPictureBox(const PictureBoxArgs& args);

// Changes the background colour and repaints (kSetBoxBackground).
inline constexpr UINT kSetBoxBackground = WM_APP + 0x41;  // wParam: Colour
void setBoxBackground(HWND box, Colour colour);

}  // namespace brevaro::app
