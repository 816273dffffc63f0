#pragma once
// The two QR windows' fixed layout, texts and the names another process finds
// them by (the tests read them from outside, as a user's tools would). Texts
// are GBK. No <windows.h>.

namespace brevaro::app {

inline constexpr wchar_t kQrToolWindowClass[] = L"Brevaro.QrToolWindow";
inline constexpr wchar_t kQrLinkWindowClass[] = L"Brevaro.QrLinkWindow";

struct QrControlPlace {
    int id;
    int left, top, width, height;  // in the window's client area
};

// What both windows show: the code at level M, black on white, as large as
// the picture box.
inline constexpr const char* kQrLevel = "M";
inline constexpr unsigned kQrBackground = 0xFFFFFF;
inline constexpr unsigned kQrModules = 0x000000;

// The QR tool window: outer size 300 x 431. It sits 50 pixels below the main
// window's top, centred across it.
inline constexpr int kQrToolWidth = 300;
inline constexpr int kQrToolHeight = 431;
inline constexpr int kQrToolBelowMainTop = 50;
inline constexpr const char* kQrToolTitle = "二维码生成工具";
// The picture box reaches 4 pixels past the client area's top and left: the
// code's light margin takes them.
inline constexpr QrControlPlace kToolPicture{201, -4, -4, 300, 300};
inline constexpr QrControlPlace kToolInput{202, 4, 295, 285, 29};
inline constexpr QrControlPlace kToolClear{203, 26, 334, 115, 32};
inline constexpr QrControlPlace kToolConvert{204, 155, 334, 115, 32};
inline constexpr QrControlPlace kToolHint{205, 20, 377, 272, 16};
inline constexpr const char* kToolClearCaption = "清空输入内容";
inline constexpr const char* kToolConvertCaption = "确定转换二维码";
inline constexpr const char* kToolHintText = "注意“链接类以https://开头，否则扫描是文字”";
inline constexpr const char* kEmptyInputHint = "请先输入内容再转换二维码哦~";

// The QR link window: outer size 300 x 369, centred on its owner.
// (kLinkPicture follows kLinkEdit, whose place it depends on.)
inline constexpr int kQrLinkWidth = 300;
inline constexpr int kQrLinkHeight = 369;
inline constexpr const char* kQrLinkTitle = "二维码转换成功 . . .";
inline constexpr QrControlPlace kLinkEdit{302, 4, 258, 285, 29};
// A 300 x 300 picture box at (-4, -4) would reach down to 296, under the
// link box that starts at 258 and would hide the code's bottom rows (its
// lower finder pattern among them): no reader then finds the code. The box,
// and the code made for it, end where the link box begins.
inline constexpr QrControlPlace kLinkPicture{301, -4, -4, 300, kLinkEdit.top + 4};
inline constexpr QrControlPlace kLinkCopy{303, 18, 295, 115, 32};
inline constexpr QrControlPlace kLinkClose{304, 159, 295, 115, 32};
inline constexpr const char* kLinkCopyCaption = "复制帖子链接";
inline constexpr const char* kLinkCloseCaption = "关闭";

}  // namespace brevaro::app
