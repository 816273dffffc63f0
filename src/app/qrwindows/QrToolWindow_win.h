#pragma once
// The QR tool window: the user types any text and converts it into a QR
// code (level M, 300 x 300, black on white). It has no modal loop; its
// opener allows one at a time by disabling the button that opens it until
// the window tells it that it closed.
//
//   convert  an exactly empty input pops up a balloon tip with a hint over
//            the picture and changes nothing; any other input becomes the
//            picture, or, when the code cannot be made (spaces only, too
//            long), the failure box is shown and the picture stays as it was;
//   clear    empties the input; the picture stays.

#include <windows.h>

#include <functional>

namespace brevaro::app {

// Creates and shows the tool window, owned by no window (it has a taskbar
// button of its own), placed 50 pixels below the main window's top,
// centred across it. onClosed runs on the UI thread
// when the window is being destroyed, however it was closed (the opener
// enables its button again there). Returns the window, or nullptr when it
// could not be created (onClosed is not called then).
HWND openQrToolWindow(HWND mainWindow, std::function<void()> onClosed);

}  // namespace brevaro::app
