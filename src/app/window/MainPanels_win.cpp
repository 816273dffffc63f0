// The main window's status bar (network indicator, announcement) and its
// settings panel (group button, picture, placeholder, version label).

#include "app/catalogue/ControlIds.h"
#include "app/window/MainWindowState_win.h"
#include "app/widgets/PictureBox_win.h"
#include "app/widgets/Tooltips_win.h"
#include "skin/LookLayer_win.h"
#include "skin/PictureButton_win.h"

namespace brevaro::app {
namespace {

constexpr Colour kUntestedGrey = rgb(200, 206, 212);  // before the network test has answered

}  // namespace

void buildStatusBar(MainWindowState& state) {
    state.statusBar = createPictureBox({.parent = state.self,
                                        .id = kStatusBarId,
                                        .box = kStatusBar,
                                        .background = kWhite,
                                        .topLine = kLineGrey});
    state.networkIndicator = createPictureBox({.parent = state.statusBar,
                                               .id = kNetworkIndicatorId,
                                               .box = kNetworkIndicator,
                                               .background = kUntestedGrey,
                                               .picture = state.pictures.networkIcon(),
                                               .pictureHasAlpha = true});
    createPictureBox({.parent = state.statusBar,
                      .id = kStatusDividerId,
                      .box = kStatusDivider,
                      .background = kLineGrey});
    state.announcement = createLabel(state.statusBar, kAnnouncementId, kAnnouncementPrefix,
                                     kAnnouncement, SS_LEFT | SS_CENTERIMAGE | SS_ENDELLIPSIS);
    setFont(state.announcement, state.fonts, FontRole::Standard);
    setControlColours(state.announcement, {kBlack});
}

void buildSettingsPanel(MainWindowState& state) {
    state.settingsPanel = createPictureBox({.parent = state.self,
                                            .id = kSettingsPanelId,
                                            .box = kSettingsPanel,
                                            .background = kWhite,
                                            .leftLine = kLineGrey});
    state.groupButton = pictureButton(state.settingsPanel, kGroupButtonId, kGroupButtonCaption, kGroupButton,
                                      state.pictures.groupButton(), true);
    createPictureBox({.parent = state.settingsPanel,
                      .id = kPanelSeparatorId,
                      .box = kPanelSeparator,
                      .background = kLineGrey});
    createPictureBox({.parent = state.settingsPanel,
                      .id = kPanelPictureId,
                      .box = kPanelPicture,
                      .background = kWhite,
                      .picture = state.pictures.panelPicture()});
    const HWND placeholder = createLabel(state.settingsPanel, kPlaceholderId, kPlaceholderText,
                                         kPlaceholder, SS_LEFT | SS_CENTERIMAGE);
    setFont(placeholder, state.fonts, FontRole::YaHei13);
    setControlColours(placeholder, {rgb(0, 0, 0), kWhite});
    state.versionLabel = createLabel(state.settingsPanel, kVersionLabelId, kVersionText,
                                     kVersionLabel, SS_LEFT | SS_CENTERIMAGE);
    setFont(state.versionLabel, state.fonts, FontRole::YaHei12);
    setControlColours(state.versionLabel, {kVersionGrey, kWhite});
}

void showNetworkState(MainWindowState& state, bool up) {
    setBoxBackground(state.networkIndicator, up ? kNetworkUp : kNetworkDown);
    addTooltip(state.networkIndicator, up ? kNetworkUpTip : kNetworkDownTip);
}

}  // namespace brevaro::app
