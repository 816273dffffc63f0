#include "skin/LookLayer_win.h"
#include "skin/Palette.h"
#include "skin/Shadow_win.h"
#include "skin/Skin_win.h"

namespace brevaro::skin {

void applySkin(int skinNumber, HWND window, bool shadow, [[maybe_unused]] int skinSet,
               [[maybe_unused]] int unused, std::optional<int> shadowSize,
               std::optional<COLORREF> shadowColour, int hue, int saturation, int brightness) {
    if (shadow) {
        attachShadow(window, shadowColour.value_or(kSkinShadowColour),
                     shadowSize.value_or(kSkinShadowSize));
    }
    // Every look of both sets is the program's one look; a number outside
    // 1-8 selects none and the windows keep the system's.
    if (skinNumber < 1 || skinNumber > 8) return;
    installLook(tintedPalette(hue, saturation, brightness));
}

}  // namespace brevaro::skin
