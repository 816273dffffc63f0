#pragma once
// The QR link window: a result row's link as a QR code, for scanning with a
// phone, and a button that copies the link. It is modal to the main window:
// the main window is disabled while it is open, and the call that opens it
// runs a message loop of its own until it is closed ("关闭", the title
// bar's close button or Esc); the main window is enabled again before the
// window goes.
//
// A link whose code cannot be made (empty, spaces only, too long) has the
// failure box shown by the encoder; the window then opens without a picture.

#include <windows.h>

#include <string_view>

namespace brevaro::app {

// Opens the window for a GBK link, centred on mainWindow, and returns when it
// has been closed. A WM_QUIT that arrives meanwhile closes the window and is
// posted again for the caller's loop.
void runQrLinkWindow(HWND mainWindow, std::string_view link);

}  // namespace brevaro::app
