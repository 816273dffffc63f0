// The main window's top bar and navigation column: the background picture
// with the navigation buttons, the logo and the product name, the
// disclaimer, the QR tool button, the settings button, the contact box and
// the exit button.

#include <string>

#include "app/catalogue/ControlIds.h"
#include "app/window/MainWindowState_win.h"
#include "app/widgets/PictureBox_win.h"
#include "skin/PictureButton_win.h"
#include "text/WideText_win.h"

namespace brevaro::app {
HWND pictureButton(HWND parent, int id, std::string_view caption, const Box& box,
                   const ButtonPictureSet& pictures, bool handCursor, bool enabled) {
    const std::wstring wide = text::gbkToWide(caption);
    return skin::createPictureButton({.parent = parent,
                                      .id = id,
                                      .caption = wide,
                                      .left = box.left,
                                      .top = box.top,
                                      .width = box.width,
                                      .height = box.height,
                                      .pictures = {pictures.normal.get(), pictures.hover.get(),
                                                   pictures.pressed.get(), pictures.disabled.get()},
                                      .handCursor = handCursor,
                                      .enabled = enabled});
}

namespace {

HWND line(HWND parent, int id, const Box& box) {
    return createPictureBox({.parent = parent, .id = id, .box = box, .background = kLineGrey});
}

// A label that lets what lies below it show: drawn after its siblings and
// not clipping them.
void letSiblingsShow(HWND window) {
    SetWindowLongPtrW(
        window, GWL_STYLE,
        GetWindowLongPtrW(window, GWL_STYLE) & ~static_cast<LONG_PTR>(WS_CLIPSIBLINGS));
}

void buildNavigationColumn(MainWindowState& state) {
    state.background = createPictureBox({.parent = state.self,
                                         .id = kBackgroundId,
                                         .box = kBackground,
                                         .background = kPageBackground,
                                         .picture = state.pictures.background()});
    for (const NavPage& nav : kNavPages) {
        const auto i = static_cast<std::size_t>(nav.index);
        state.navButtons[i] =
            pictureButton(state.background, navButtonId(nav.index), nav.name, navButtonBox(nav),
                          state.pictures.navButton(nav.index), false, nav.enabled);
    }
    // The first page is the one shown: its button starts in the selected look.
    const ButtonPictureSet& first = state.pictures.navButton(0);
    skin::setButtonPicture(state.navButtons[0], skin::ButtonPicture::Normal, first.pressed.get());
    skin::setButtonPicture(state.navButtons[0], skin::ButtonPicture::Hover, first.pressed.get());

    state.exitSeparator = line(state.self, kExitSeparatorId, kExitSeparator);
    state.exitButton = pictureButton(state.self, kExitButtonId, kExitCaption, kExitButton,
                                     state.pictures.exitButton(), true);
}

void buildTopBar(MainWindowState& state) {
    state.logo = createPictureBox({.parent = state.self,
                                   .id = kLogoId,
                                   .box = kLogo,
                                   .background = kWhite,
                                   .picture = state.pictures.logo()});
    const ControlColours blueOnWhite{kAccentBlue, kWhite};
    state.productName = createLabel(state.self, kProductNameId, kProductNameText, kProductName,
                                    SS_LEFT | SS_CENTERIMAGE);
    setFont(state.productName, state.fonts, FontRole::YaHei13Bold);
    state.colours.set(state.productName, blueOnWhite);
    state.disclaimer = createLabel(state.self, kDisclaimerId, kDisclaimerText, kDisclaimer,
                                   SS_LEFT | SS_CENTERIMAGE);
    setFont(state.disclaimer, state.fonts, FontRole::YaHei13Bold);
    state.colours.set(state.disclaimer, blueOnWhite);

    state.qrToolButton =
        createPushButton(state.self, kQrToolButtonId, kQrToolCaption, kQrToolButton);
    setFont(state.qrToolButton, state.fonts, FontRole::Standard);
    state.settingsButton = pictureButton(state.self, kSettingsButtonId, kSettingsCaption,
                                         kSettingsButton, state.pictures.settingsButton(), true);
    state.topDivider = line(state.self, kTopDividerId, kTopDivider);
    state.cornerDivider = line(state.self, kCornerDividerId, kCornerDivider);

    // The contact box: the user icon is its picture, the label beside it,
    // and over both an overlay without text that takes the clicks.
    state.contactBox = createPictureBox({.parent = state.self,
                                         .id = kContactBoxId,
                                         .box = kContactBox,
                                         .background = kWhite,
                                         .picture = state.pictures.contactIcon()});
    state.contactLabel = createLabel(state.contactBox, kContactLabelId, kContactText, kContactLabel,
                                     SS_LEFT | SS_CENTERIMAGE);
    setFont(state.contactLabel, state.fonts, FontRole::YaHei14);
    setControlColours(state.contactLabel, {kLinkGrey, kWhite});
    letSiblingsShow(state.contactLabel);
    state.contactOverlay =
        createClickLabel(state.contactBox, kContactOverlayId, "", kContactOverlay, SS_LEFT, true);
    SetWindowLongPtrW(state.contactOverlay, GWL_EXSTYLE,
                      GetWindowLongPtrW(state.contactOverlay, GWL_EXSTYLE) | WS_EX_TRANSPARENT);
    setControlColours(state.contactOverlay, {.text = kLinkGrey, .transparent = true});
    SetWindowPos(state.contactOverlay, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

}  // namespace

void buildChrome(MainWindowState& state) {
    buildNavigationColumn(state);
    buildTopBar(state);
}

}  // namespace brevaro::app
