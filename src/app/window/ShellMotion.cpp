#include "app/window/ShellMotion.h"

#include "app/catalogue/ShellLayout.h"

namespace brevaro::app {
namespace {

constexpr double kPageSlideStride = 42.1;

int truncated(double value) {
    return static_cast<int>(value);
}

}  // namespace

int pageSlideLeft(int step) {
    return truncated(kMainWidth - step * kPageSlideStride);
}

SettingsSlideFrame settingsSlideFrame(bool opening, int step) {
    SettingsSlideFrame frame{};
    if (opening) {
        frame.panel = kSettingsClosedLeft - step * kSettingsSlideStride;
        frame.divider = truncated(frame.panel - 132.0);
        frame.contactBox = truncated(frame.panel - 119.0);
        frame.settingsButton = truncated(frame.panel + 260.0);
    } else {
        frame.panel = kSettingsOpenLeft + step * kSettingsSlideStride;
        frame.divider = truncated(frame.panel - 130.0);
        frame.contactBox = truncated(frame.panel - 120.0);
        frame.settingsButton = truncated(frame.panel - 160.0);
    }
    return frame;
}

ScreenPoint centredOnScreen(int screenWidth, int screenHeight, int windowWidth, int windowHeight) {
    return {truncated(screenWidth / 2.0 - windowWidth / 2.0),
            truncated(screenHeight / 2.0 - windowHeight / 2.0)};
}

ScreenPoint linksWindowPlace(int mainLeft, int mainTop, int contactBoxLeft) {
    return {truncated(static_cast<double>(mainLeft) + contactBoxLeft - 37),
            truncated(mainTop + 52.0)};
}

}  // namespace brevaro::app
