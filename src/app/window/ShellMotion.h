#pragma once
// The positions the main window's slides and placements go through,
// portable. Every position is worked out in floating point and truncated
// toward zero, as the window's own arithmetic does.

namespace brevaro::app {

// ---- The page slide ----------------------------------------------------------

inline constexpr int kPageSlideSteps = 20;

// The page container's left edge after step 1..kPageSlideSteps of a page
// sliding in from the window's right edge: 978 - step * 42.1, truncated. The
// last step leaves it at 136.
int pageSlideLeft(int step);

// ---- The settings panel ------------------------------------------------------

inline constexpr int kSettingsSlideSteps = 37;
inline constexpr int kSettingsSlideStride = 8;
inline constexpr int kSettingsClosedLeft = 984;
inline constexpr int kSettingsOpenLeft =
    kSettingsClosedLeft - kSettingsSlideSteps * kSettingsSlideStride;  // 688

// The lefts of the pieces that move with the settings panel.
struct SettingsSlideFrame {
    int panel;
    int divider;  // the top bar's divider
    int contactBox;
    int settingsButton;
    bool operator==(const SettingsSlideFrame&) const = default;
};

// The frame after step 1..kSettingsSlideSteps of the panel sliding in
// (opening) or out (closing). Opening keeps the divider 132, the contact box
// 119 pixels left of the panel and puts the settings button 260 pixels into
// it; closing keeps them 130, 120 and 160 pixels left of the panel, so a
// closed panel leaves them at 854, 864 and 824, a few pixels left of where
// they started.
SettingsSlideFrame settingsSlideFrame(bool opening, int step);

// ---- Placements --------------------------------------------------------------

struct ScreenPoint {
    int x;
    int y;
    bool operator==(const ScreenPoint&) const = default;
};

// A window of the given size centred on a screen of the given size:
// screen / 2 - window / 2 on each axis, truncated toward zero (a 1365-pixel
// screen gives 193 for the 978-pixel main window; a screen smaller than the
// window gives a negative position, also truncated toward zero).
ScreenPoint centredOnScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

// The links window's top-left corner: 37 pixels left of the contact box and
// 52 pixels below the main window's top.
ScreenPoint linksWindowPlace(int mainLeft, int mainTop, int contactBoxLeft);

}  // namespace brevaro::app
