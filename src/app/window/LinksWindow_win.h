#pragma once
// The links window: a small borderless window (150 x 252, window alpha 230)
// that drops down below the contact box with the maker's links. Each link
// opens its target in the default browser when clicked; "收起" hides the
// window when the left button goes down on it, and so does the window
// losing activation: both ask the owner with kHideLinksWindow. GUI thread
// only. Windows only.

#include <windows.h>

#include "app/widgets/Fonts_win.h"
#include "app/catalogue/ShellConfig.h"

namespace brevaro::app {

// Sent to the links window's owner (the main window) to hide it.
inline constexpr UINT kHideLinksWindow = WM_APP + 0x60;

// Creates the window hidden, owned by `owner`. The fonts and the config
// must outlive it.
HWND createLinksWindow(HWND owner, const Fonts& fonts, const ShellConfig& config);

}  // namespace brevaro::app
