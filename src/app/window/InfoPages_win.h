#pragma once
// The two pages of the main window that hold no board: the forum login page
// (page 9), which hosts the system's web browser, and the usage page
// (page 10) with its notes and the feedback button. Each page's window owns
// its state and frees it when it is destroyed. GUI thread only. Windows
// only.

#include <windows.h>

#include <string>

#include "app/widgets/Fonts_win.h"
#include "app/catalogue/ShellLayout.h"

namespace brevaro::app {

inline constexpr wchar_t kLoginPageClass[] = L"Brevaro.LoginPage";
inline constexpr wchar_t kUsagePageClass[] = L"Brevaro.UsagePage";

// Page 9, hidden. The browser itself is started the first time the page
// navigates, so a run that never logs in never loads it.
HWND createLoginPage(HWND container, const Box& place, std::string loginUrl);

// Sends the login page's browser to the forum's login address. Returns at
// once: the page loads while the user looks at it (on a system without a
// browser engine it stays blank). False when no browser could be started.
bool navigateLoginPage(HWND loginPage);

// Asked of the login page: how many times it has been sent to the login
// address (a browser that could not be started included), for the tools
// that watch the window.
inline constexpr UINT kGetLoginLoads = WM_APP + 0x191;

// Gives the login page's browser a keyboard message first (see
// BrowserHost::translateAccelerator); false for other messages.
bool translateLoginPageMessage(HWND loginPage, MSG& message);

// Page 10, hidden: the usage notes and the "点我加群反馈" button, which opens
// `feedbackUrl` in the default browser.
HWND createUsagePage(HWND container, const Box& place, const Fonts& fonts, std::string feedbackUrl);

}  // namespace brevaro::app
