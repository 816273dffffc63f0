#include "skin/Skin.h"

#include "skin/Shadow_win.h"

namespace brevaro::skin {

void applySkin([[maybe_unused]] int skinNumber, HWND window, bool shadow, [[maybe_unused]] int skinSet,
               [[maybe_unused]] int unused, std::optional<int> shadowSize, std::optional<COLORREF> shadowColour,
               [[maybe_unused]] int hue, [[maybe_unused]] int saturation, [[maybe_unused]] int brightness) {
    if (shadow) {
        attachShadow(window, shadowColour.value_or(kSkinShadowColour), shadowSize.value_or(kSkinShadowSize));
    }
    // This is the one place where the program's own look layer will go: it
    // will select its look by set and number, tint it by hue, saturation and
    // brightness, and give every window of the process that look. Until it
    // exists the windows keep the system's look.
}

}  // namespace brevaro::skin
