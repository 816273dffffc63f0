#pragma once
// Small GDI+ helpers the look and the pictures share. Windows only.

// gdiplus.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on

#include "skin/Palette.h"

namespace brevaro::skin {

// A palette colour with an alpha, for GDI+.
inline Gdiplus::Color plusColour(Colour colour, BYTE alpha = 255) {
    return Gdiplus::Color(alpha, redOf(colour), greenOf(colour), blueOf(colour));
}

// Adds a rectangle with rounded corners to the path; the corners' diameter
// never exceeds the shorter side, and a radius of 0 gives a plain rectangle.
void addRoundRect(Gdiplus::GraphicsPath& path, float left, float top, float width, float height, float radius);

}  // namespace brevaro::skin
