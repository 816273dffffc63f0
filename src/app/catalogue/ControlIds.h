#pragma once
// The names by which the main program's windows and controls are found: the
// window classes of its top-level windows and the control ids of their
// children (each id is unique among its siblings; GetDlgItem on the parent
// finds the control). Accessibility and test tools find the controls with
// these. Portable.

namespace brevaro::app {

inline constexpr wchar_t kShadowOwnerClass[] = L"Brevaro.ShadowOwner";
inline constexpr wchar_t kMainWindowClass[] = L"Brevaro.MainWindow";
inline constexpr wchar_t kLinksWindowClass[] = L"Brevaro.LinksWindow";

// Children of the main window.
inline constexpr int kBackgroundId = 1001;
inline constexpr int kLogoId = 1002;
inline constexpr int kProductNameId = 1003;
inline constexpr int kDisclaimerId = 1004;
inline constexpr int kQrToolButtonId = 1005;
inline constexpr int kSettingsButtonId = 1006;
inline constexpr int kTopDividerId = 1007;
inline constexpr int kContactBoxId = 1008;
inline constexpr int kCornerDividerId = 1009;
inline constexpr int kExitSeparatorId = 1010;
inline constexpr int kExitButtonId = 1011;
inline constexpr int kPageContainerId = 1012;
inline constexpr int kStatusBarId = 1013;
inline constexpr int kSettingsPanelId = 1014;

// Children of the background: the navigation button of page i.
inline constexpr int kFirstNavButtonId = 1100;
constexpr int navButtonId(int page) {
    return kFirstNavButtonId + page;
}

// Children of the contact box.
inline constexpr int kContactLabelId = 1202;
inline constexpr int kContactOverlayId = 1203;

// Children of the status bar.
inline constexpr int kNetworkIndicatorId = 1301;
inline constexpr int kStatusDividerId = 1302;
inline constexpr int kAnnouncementId = 1303;

// Children of the settings panel.
inline constexpr int kGroupButtonId = 1401;
inline constexpr int kPanelSeparatorId = 1402;
inline constexpr int kPanelPictureId = 1403;
inline constexpr int kPlaceholderId = 1404;
inline constexpr int kVersionLabelId = 1405;

// Children of the page container: page i.
inline constexpr int kFirstPageId = 1500;
constexpr int pageId(int page) {
    return kFirstPageId + page;
}

// A board page's controls. The list and the control panel are children of
// the page; the three groups are children of the control panel, and each
// group holds the controls listed under it. Page 5's link box is a child of
// the page.
inline constexpr int kResultsListId = 100;
inline constexpr int kControlPanelId = 101;
inline constexpr int kBoardStatusId = 102;  // in the control panel; not on the inert page
inline constexpr int kIntervalGroupId = 110;
inline constexpr int kIntervalLabelId = 111;
inline constexpr int kIntervalBoxId = 112;
inline constexpr int kStayLabelId = 113;
inline constexpr int kStayBoxId = 114;
inline constexpr int kKeywordGroupId = 120;
inline constexpr int kKeywordLabelId = 121;
inline constexpr int kVoiceCheckId = 122;
inline constexpr int kPopupCheckId = 123;
inline constexpr int kKeywordBoxId = 124;
inline constexpr int kStartGroupId = 130;
inline constexpr int kStartButtonId = 131;
inline constexpr int kLinkBoxId = 140;

// The login page's browser host and the usage page's controls.
inline constexpr int kBrowserId = 200;
inline constexpr int kUsageTextId = 300;
inline constexpr int kFeedbackButtonId = 301;

// Children of the links window: row i of linkRows().
inline constexpr int kFirstLinkRowId = 400;
constexpr int linkRowId(int row) {
    return kFirstLinkRowId + row;
}

}  // namespace brevaro::app
