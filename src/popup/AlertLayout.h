#pragma once
// The alert window's fixed layout and the names another process finds it by
// (the tests read it from outside, as a user's tools would). No <windows.h>.

namespace brevaro::popup {

// The window class of the alert window.
inline constexpr wchar_t kAlertWindowClass[] = L"Brevaro.PopupAlert";

// Outer size in pixels. The window sits at the screen's right edge with its
// top 233 pixels above the screen's bottom, so it ends 33 pixels above it.
inline constexpr int kAlertWidth = 367;
inline constexpr int kAlertHeight = 200;
inline constexpr int kAlertTopFromScreenBottom = 233;

struct ControlPlace {
    int id;
    int left, top, width, height;  // in the window's client area
};

inline constexpr ControlPlace kTitleLine{101, 9, 19, 340, 33};
inline constexpr ControlPlace kTimeLine{102, 8, 52, 340, 24};
inline constexpr ControlPlace kKeywordLine{103, 8, 91, 340, 24};
inline constexpr ControlPlace kViewButton{104, 8, 132, 97, 32};

}  // namespace brevaro::popup
