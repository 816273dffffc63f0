#pragma once
// Where every window and control of the main program sits, with its caption
// and the font and colours it is fixed to: the layout the start-up, the page
// switcher and the slides work with. Positions are (left, top, width,
// height) in pixels inside the control's container. Texts are GBK.
// Portable: no <windows.h>.

#include <array>
#include <span>
#include <string_view>

#include "skin/Palette.h"

namespace brevaro::app {

struct Box {
    int left;
    int top;
    int width;
    int height;
    constexpr int right() const { return left + width; }
    constexpr int bottom() const { return top + height; }
    bool operator==(const Box&) const = default;
};

using skin::Colour;
using skin::rgb;

// Fonts a control may be given. "YaHei" is 微软雅黑 with the GB2312 character
// set; the number is the character height in pixels. Standard is the font a
// Chinese system gives its controls (宋体, 12 pixels).
enum class FontRole { Standard, YaHei12, YaHei13, YaHei13Bold, YaHei14, YaHei16, Hei12 };

// ---- Colours ---------------------------------------------------------------

inline constexpr Colour kAccentBlue = rgb(50, 147, 235);
inline constexpr Colour kPageBackground = rgb(238, 245, 249);
inline constexpr Colour kWhite = rgb(255, 255, 255);
inline constexpr Colour kBlack = rgb(0, 0, 0);  // text, unless a control says otherwise
inline constexpr Colour kLinkGrey = rgb(96, 96, 96);
inline constexpr Colour kVersionGrey = rgb(190, 190, 190);
inline constexpr Colour kNetworkUp = rgb(10, 180, 250);
inline constexpr Colour kNetworkDown = rgb(128, 128, 128);
inline constexpr Colour kLineGrey = rgb(222, 228, 234);  // dividers and separators

// ---- Windows ---------------------------------------------------------------

inline constexpr Box kShadowWindowDesign{50, 50, 0, 0};
inline constexpr Box kMainWindowDesign{50, 50, 1285, 592};
inline constexpr int kMainWidth = 978;
inline constexpr int kMainHeight = 550;
inline constexpr int kLinksWidth = 150;
inline constexpr int kLinksHeight = 252;
inline constexpr int kLinksAlpha = 230;

// ---- Main window, direct content --------------------------------------------

inline constexpr Box kBackground{0, 0, 1048, 550};
inline constexpr int kTopBarHeight = 49;     // white, a grey line below it
inline constexpr int kNavColumnWidth = 135;  // white, left of the pages
inline constexpr Box kLogo{11, 8, 32, 32};
inline constexpr Box kProductName{52, 11, 80, 30};
// 441 pixels wide by design, which is one pixel short of the sentence in
// bold YaHei 13 and far short where the bold is drawn wider: the label runs
// on to 505 (still clear of the settings button) so the sentence always shows
// whole.
inline constexpr Box kDisclaimer{313, 9, 505, 30};
inline constexpr Box kQrToolButton{144, 8, 104, 32};
inline constexpr Box kSettingsButton{827, 11, 30, 30};
inline constexpr Box kTopDivider{856, 1, 1, 50};
inline constexpr Box kContactBox{865, 15, 123, 22};
inline constexpr Box kContactIcon{0, 0, 22, 22};      // in the contact box
inline constexpr Box kContactLabel{26, 1, 80, 20};    // in the contact box
inline constexpr Box kContactOverlay{0, 0, 108, 20};  // in the contact box
inline constexpr Box kCornerDivider{135, 0, 1, 50};
inline constexpr Box kExitSeparator{0, 509, 135, 2};
inline constexpr Box kExitButton{0, 510, 135, 40};
inline constexpr Box kPageContainer{137, 50, 847, 540};
inline constexpr int kPageContainerHeight = 474;  // after start-up
inline constexpr Box kStatusBar{135, 524, 913, 30};
inline constexpr Box kNetworkIndicator{4, 5, 20, 20};  // in the status bar
inline constexpr Box kStatusDivider{27, 0, 1, 30};     // in the status bar
inline constexpr Box kAnnouncement{33, 2, 880, 24};    // in the status bar
inline constexpr Box kSettingsPanel{984, 0, 300, 550};
inline constexpr Box kGroupButton{34, 11, 30, 30};     // in the settings panel
inline constexpr Box kPanelSeparator{26, 49, 280, 1};  // in the settings panel
inline constexpr Box kPanelPicture{133, 71, 60, 60};   // in the settings panel
inline constexpr Box kPlaceholder{26, 150, 273, 24};   // in the settings panel
inline constexpr Box kVersionLabel{25, 520, 273, 30};  // in the settings panel

inline constexpr std::string_view kProductNameText = "Brevaro";
inline constexpr std::string_view kDisclaimerText =
    "本程序仅供于学习参考，禁止用于任何违法用途，任何法律责任由使用者承担";
inline constexpr std::string_view kQrToolCaption = "二维码生成工具";
// The picture buttons' window texts (what readers and tools announce; the
// buttons show pictures).
inline constexpr std::string_view kSettingsCaption = "设置";
inline constexpr std::string_view kGroupButtonCaption = "加入交流群";
inline constexpr std::string_view kContactText = "查看更多";
inline constexpr std::string_view kExitCaption = "退出";
inline constexpr std::string_view kAnnouncementPrefix = "在线公告：";
inline constexpr std::string_view kPlaceholderText = "等待更新添加";
inline constexpr std::string_view kVersionText = "当前版本:V2.5";

// Tooltips.
inline constexpr std::string_view kExitTip = "退出程序";
inline constexpr std::string_view kOpenSettingsTip = "展开设置";
inline constexpr std::string_view kCloseSettingsTip = "收缩设置";
inline constexpr std::string_view kNetworkUpTip = "网络正常";
inline constexpr std::string_view kNetworkDownTip = "网络异常";

// ---- Pages and their navigation buttons ---------------------------------------

inline constexpr int kPageCount = 11;
inline constexpr int kInertPage = 7;
inline constexpr int kLoginPage = 9;
inline constexpr int kUsagePage = 10;
inline constexpr int kNavButtonWidth = 135;
inline constexpr int kNavButtonHeight = 39;

struct NavPage {
    int index;
    std::string_view name;  // the button's caption and the page's title
    int buttonTop;          // in the background
    bool enabled;           // the inert page's button is disabled for good
};

inline constexpr std::array<NavPage, kPageCount> kNavPages{{
    {0, "赚客大家谈", 50, true},
    {1, "活动线报", 89, true},
    {2, "果果换物", 128, true},
    {3, "赚品交换", 167, true},
    {4, "邀请专区", 206, true},
    {5, "做任务赚果", 246, true},
    {6, "爱Q生活网", 284, true},
    {7, "小刀娱乐网", 323, false},
    {8, "Lumaq", 362, true},
    {9, "登录赚吧账号", 401, true},
    {10, "使用说明", 440, true},
}};

constexpr Box navButtonBox(const NavPage& page) {
    return {0, page.buttonTop, kNavButtonWidth, kNavButtonHeight};
}

// ---- Board page (pages 0-8) --------------------------------------------------

inline constexpr Box kResultsList{0, 0, 840, 345};
inline constexpr Box kControlPanel{-1, 347, 841, 128};
inline constexpr Box kIntervalGroup{12, 19, 168, 95};  // in the control panel
inline constexpr Box kIntervalLabel{15, 19, 152, 24};  // in the interval group
inline constexpr Box kIntervalBox{89, 19, 48, 24};
inline constexpr Box kStayLabel{15, 53, 144, 24};
inline constexpr Box kStayBox{89, 53, 48, 24};
inline constexpr Box kKeywordGroup{187, 19, 398, 95};  // in the control panel
inline constexpr Box kKeywordLabel{13, 9, 216, 24};    // in the keyword group
inline constexpr Box kVoiceCheck{238, 11, 72, 22};
inline constexpr Box kPopupCheck{317, 11, 72, 22};
inline constexpr Box kKeywordBox{7, 36, 384, 48};
inline constexpr Box kStartGroup{593, 19, 236, 95};  // in the control panel
inline constexpr Box kStartButton{18, 22, 200, 56};  // in the start group
inline constexpr Box kLinkBox{47, 54, 96, 24};       // page 5 only, hidden

inline constexpr std::string_view kControlPanelSuffix = "_控制面板";
inline constexpr std::string_view kIntervalLabelText = "监控间隔设置         秒";
inline constexpr std::string_view kStayLabelText = "弹窗停留设置         秒";
inline constexpr std::string_view kKeywordLabelText = "关键词监控设置：分隔符*留空则不监控";
inline constexpr std::string_view kVoiceCaption = "语音提醒";
inline constexpr std::string_view kPopupCaption = "弹窗提醒";
inline constexpr std::string_view kStartCaption = "开始监控";
inline constexpr std::string_view kInitialInterval = "10";
inline constexpr std::string_view kInitialStay = "10";

// ---- Login and usage pages -------------------------------------------------

inline constexpr Box kBrowser{0, 0, 845, 477};
inline constexpr Box kUsageText{7, 6, 832, 240};
inline constexpr Box kFeedbackButton{335, 342, 128, 40};
inline constexpr std::string_view kFeedbackCaption = "点我加群反馈";

// ---- Links window ------------------------------------------------------------

// Where a row of the links window leads.
enum class LinkTarget { None, ContactPage, UpdateGroup, Site, OfficialGroup, RobotGroup, Hide };

struct LinkRow {
    std::string_view caption;  // empty: the maker's contact, a build-time text
    Box box;
    FontRole font;
    bool isLink;  // false: a plain label
    LinkTarget target;
};

std::span<const LinkRow> linkRows();

}  // namespace brevaro::app
