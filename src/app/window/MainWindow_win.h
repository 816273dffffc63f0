#pragma once
// The main window: borderless, owned by the process's shadow window (which
// carries its image shadow), with the navigation column, the top bar, the
// page container, the status bar, the settings panel and, from its first
// activation, the links window. Its creation handler runs the start-up steps
// (look, announcement, first page, size, z-order, centring, shadow,
// tooltips); its first activation tests the network; its destruction
// destroys the shadow window, which ends the process. GUI thread only.
// Windows only.

#include <windows.h>

#include <functional>

#include "app/boards/BoardPage_win.h"
#include "app/catalogue/ShellConfig.h"

namespace brevaro::app {

// What the rest of the program plugs into the shell (Plugins_win.cpp).
struct ShellPlugins {
    // Called once for each board page (0-8) when the main window has built
    // its pages, during its creation; it may install the page's handler
    // (BoardPage::setHandler). The config holds the addresses to use.
    std::function<void(BoardPage& page, const ShellConfig& config)> boardPageCreated;

    // The QR tool button ("二维码生成工具") was clicked. The shell disables the
    // button before the call; whoever opens the QR tool window enables it
    // again (EnableWindow(button, TRUE)) when that window closes. Without a
    // handler a click does nothing and the button stays enabled.
    std::function<void(HWND qrToolButton)> qrToolRequested;
};

// Creates the main window, owned by `shadowWindow`, at its design place and
// runs its creation handler; it is left hidden (the caller shows it).
// nullptr when it cannot be created.
HWND createMainWindow(HINSTANCE instance, HWND shadowWindow, const ShellConfig& config,
                      ShellPlugins plugins);

// Board page 0-8 of a main window, or nullptr.
BoardPage* mainWindowBoardPage(HWND mainWindow, int pageIndex);

// Gives the main window's pages a message before it is dispatched (the login
// page's browser takes its keyboard messages); true when one took it.
bool preTranslateMainWindowMessage(HWND mainWindow, MSG& message);

}  // namespace brevaro::app
