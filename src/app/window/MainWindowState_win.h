#pragma once
// The main window's state and the parts that build and move it, shared by
// the files of the main window (MainWindow_win.cpp: messages and start-up;
// MainChrome_win.cpp: the top bar and the navigation column;
// MainPanels_win.cpp: the status bar and the settings panel;
// Navigation_win.cpp: the page switcher, the slides and the links window).

#include <windows.h>

#include <array>
#include <random>

#include "app/widgets/Fonts_win.h"
#include "app/window/MainWindow_win.h"
#include "app/window/PageContainer_win.h"
#include "app/pictures/Pictures_win.h"
#include "app/widgets/Widgets_win.h"

namespace brevaro::app {

// Private messages of the main window.
inline constexpr UINT kFirstActivation = WM_APP + 0x61;  // the first activation's work, posted
inline constexpr UINT kNetworkChecked = WM_APP + 0x62;   // wParam: 1 up, 0 down

// Reachable from GWLP_USERDATA from WM_NCCREATE on; freed in WM_NCDESTROY.
struct MainWindowState {
    MainWindowState(ShellConfig shellConfig, ShellPlugins shellPlugins)
        : config(std::move(shellConfig)), plugins(std::move(shellPlugins)), pictures(fonts) {}

    ShellConfig config;
    ShellPlugins plugins;
    HWND self = nullptr;
    HWND shadow = nullptr;
    Fonts fonts;
    Pictures pictures;
    ColourTable colours;  // of the labels placed directly in the window

    // Top bar and navigation column.
    HWND background = nullptr;
    std::array<HWND, kPageCount> navButtons{};
    HWND logo = nullptr;
    HWND productName = nullptr;
    HWND disclaimer = nullptr;
    HWND qrToolButton = nullptr;
    HWND settingsButton = nullptr;
    HWND topDivider = nullptr;
    HWND contactBox = nullptr;
    HWND contactLabel = nullptr;
    HWND contactOverlay = nullptr;
    HWND cornerDivider = nullptr;
    HWND exitSeparator = nullptr;
    HWND exitButton = nullptr;

    PageSet pages;

    // Status bar.
    HWND statusBar = nullptr;
    HWND networkIndicator = nullptr;
    HWND announcement = nullptr;

    // Settings panel.
    HWND settingsPanel = nullptr;
    HWND groupButton = nullptr;
    HWND versionLabel = nullptr;

    HWND linksWindow = nullptr;

    int currentPage = 0;
    bool settingsOpen = false;
    bool linksOpen = false;
    bool activated = false;  // the first activation has run
    bool moving = false;     // a slide or flash is running
    std::mt19937 flashRandom{std::random_device{}()};
};

// A picture button of the main window with its four pictures (a missing one
// is drawn as the normal picture) and its caption as window text.
HWND pictureButton(HWND parent, int id, std::string_view caption, const Box& box,
                   const ButtonPictureSet& pictures, bool handCursor, bool enabled = true);

void buildChrome(MainWindowState& state);
void buildStatusBar(MainWindowState& state);
void buildSettingsPanel(MainWindowState& state);

// The network indicator's colour and tooltip for the test's result.
void showNetworkState(MainWindowState& state, bool up);

// Navigation (the operations of the navigation column, the settings button
// and the contact box).
void switchPage(MainWindowState& state, int index);
void toggleSettingsPanel(MainWindowState& state);
void toggleLinksWindow(MainWindowState& state);
void hideLinksWindow(MainWindowState& state);

}  // namespace brevaro::app
