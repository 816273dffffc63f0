#pragma once
// The alert window: 367 x 200 at the screen's bottom-right corner, above
// other windows, white, with the title, time and keyword lines and the
// "查看原帖" button; it wears the drawn shadow. Its creation starts the worker
// (AlertWorker_win.h) that fills it, counts down and ends the process.

#include <windows.h>

#include <string>
#include <vector>

namespace brevaro::popup {

// Creates the alert window for the command line's arguments (GBK) and shows
// it without taking the focus from the user's work. Returns nullptr when the
// window or its worker could not be created. Destroying the window ends the
// message loop (WM_QUIT, exit code 0).
HWND createAlertWindow(HINSTANCE instance, std::vector<std::string> arguments);

}  // namespace brevaro::popup
