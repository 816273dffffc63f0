#pragma once
// The main window's image shadow (ImageShadow.h): the process's invisible
// owner window turned into a per-pixel-alpha layered window that shows the
// shadow picture 9 pixels up and left of the main window and follows it.
// The owner window stays below the window it owns, so the shadow is always
// under the main window. GUI thread only. Windows only.

#include <windows.h>

namespace brevaro::skin {

// Makes `shadowWindow` a layered window of the picture's size (867 x 567)
// showing the picture, where the follow step last placed it. False when
// the picture could not be pushed (the window then shows nothing).
bool attachImageShadow(HWND shadowWindow);

// The follow step, for every move of the main window: the shadow is placed
// at the main window's left - 9 and top - 9 and shown, or hidden while the
// main window is minimised (a minimised owner would hide the window it
// owns, so the minimised state is not copied).
void followWithImageShadow(HWND shadowWindow, HWND mainWindow);

}  // namespace brevaro::skin
