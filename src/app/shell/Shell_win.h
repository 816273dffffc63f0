#pragma once
// The program's start and run: module initialisation (the QR tables, GDI+),
// the shadow window that owns the main window, and the message loop. The process lives as long as the shadow window. Windows
// only.

#include <windows.h>

#include "app/window/MainWindow_win.h"
#include "app/catalogue/ShellConfig.h"

namespace brevaro::app {

// Runs the program with these addresses and plug-ins until its shadow
// window is destroyed; returns the exit code (0 after the exit button's
// OK, 1 when the windows could not be created).
int runShell(HINSTANCE instance, const ShellConfig& config, ShellPlugins plugins);

// What the rest of the program plugs into the shell (Plugins_win.cpp).
ShellPlugins programPlugins();

}  // namespace brevaro::app
