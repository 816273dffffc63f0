#pragma once
// The shapes of the program's pictures, portable: the icons of the
// navigation buttons and of the other picture buttons and boxes, as outlines
// in a 20 x 20 design square, and the colours each button state paints them
// in. The Windows side (Pictures_win.cpp) scales the outlines to their boxes
// and draws them anti-aliased.

#include <vector>

#include "skin/Palette.h"

namespace brevaro::app {

struct PointF {
    float x;
    float y;
};

enum class ShapeKind { Polyline, Polygon, Ellipse, RoundRect };

// One stroke or fill of a glyph. Polyline and Polygon use `points`; Ellipse
// and RoundRect use the box (and `radius` for the corners).
struct Shape {
    ShapeKind kind;
    std::vector<PointF> points;
    float left = 0, top = 0, width = 0, height = 0, radius = 0;
    bool filled = false;  // filled with the ink instead of outlined
};

using Glyph = std::vector<Shape>;

inline constexpr float kGlyphSize = 20.0f;

// The icon of a page's navigation button (0-10); an empty glyph for any
// other index.
Glyph pageGlyph(int page);
Glyph exitGlyph();     // a door with an arrow leaving it
Glyph contactGlyph();  // one person, filled
Glyph groupGlyph();    // two people
Glyph networkGlyph();  // a globe
Glyph logoGlyph();     // a magnifying glass over a list

// A gear's outline around (centreX, centreY): `teeth` teeth reaching
// `outer`, the rim between them at `inner`; each tooth takes `toothShare`
// (0-1) of its period at the tips. Points run clockwise, four per tooth.
std::vector<PointF> gearOutline(float centreX, float centreY, float outer, float inner, int teeth,
                                float toothShare);

// How a picture button looks in each of its states.
enum class ButtonFace { Normal, Hover, Pressed, Disabled };

struct NavButtonLook {
    skin::Colour fillTop;  // a vertical gradient from top to bottom
    skin::Colour fillBottom;
    skin::Colour ink;  // icon and caption
    bool edgeBar;      // a bar along the right edge (the selected look)
};

// The navigation buttons: grey on white, blue on white under the mouse,
// blue on a light blue gradient with a blue bar when pressed (the selected
// page's look), pale grey when disabled.
NavButtonLook navButtonLook(ButtonFace face);

// The exit button: grey on white, white on red under the mouse, white on
// light red when pressed.
NavButtonLook exitButtonLook(ButtonFace face);

// The ink of the gear and the group button: grey, blue under the mouse,
// purple when pressed, light grey when disabled.
skin::Colour iconButtonInk(ButtonFace face);

inline constexpr skin::Colour kEdgeBarColour = skin::rgb(50, 147, 235);
inline constexpr int kEdgeBarWidth = 3;

}  // namespace brevaro::app
