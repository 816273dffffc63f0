#pragma once
// The look of a program's windows, applied once per process from the main
// window's (or the alert window's) creation handler, before other windows are
// created. Windows only.

#include <windows.h>

#include <optional>

namespace brevaro::skin {

// Default shadow of the skin routine: narrower and greyer than the shadow
// module's own defaults.
inline constexpr int kSkinShadowSize = 3;
inline constexpr COLORREF kSkinShadowColour = RGB(90, 90, 90);

// skinNumber 1-8 selects a look within skinSet (1: the main program's set,
// any other value: the alert's); every one of them is the program's own look
// (LookLayer_win.h), installed on the calling thread for the windows it has
// and the windows it creates afterwards; any other number installs none.
// `window` receives the drawn shadow when `shadow` is true (size and colour
// default to kSkinShadowSize and kSkinShadowColour); `unused` has no effect
// (callers pass 1); hue, saturation and brightness tint the look's colours
// (Palette.h, tintedPalette). Failures are silent.
void applySkin(int skinNumber, HWND window, bool shadow, int skinSet, int unused,
               std::optional<int> shadowSize = std::nullopt, std::optional<COLORREF> shadowColour = std::nullopt,
               int hue = 0, int saturation = 0, int brightness = 0);

}  // namespace brevaro::skin
