#pragma once
// The program's own look: flat controls in one accent blue on white and a
// light blue-grey page. Once installed on a thread, every control of a kind
// it knows that the thread has or creates afterwards is painted in the
// look, so windows built from plain system controls wear it without asking:
//   push buttons        a rounded accent fill, lighter under the mouse,
//                       darker while held, grey when disabled
//   check/radio boxes   a rounded box or circle, filled with a tick when on
//   group boxes         a thin rounded frame, the caption on the background
//   edit boxes, lists   a flat one-pixel frame, accent while focused; single
//                       line edits centre their text vertically
//   list headers        a gentle gradient with thin separators
//   tab controls        the page background, flat tabs
//   dialog boxes        (message boxes) white
//   captions            a flat accent band with a drawn close cross, a thin
//                       frame (where the desktop does not compose frames)
// Owner-drawn buttons are left to their owners (see PictureButton_win.h).
// The look keeps each control's window text, state and messages as they
// are: only the painting changes. It keeps no brush of its own: a colour is
// filled through the DC's own brush (dcBrush, LookPaint_win.h) or an opaque
// text-out, so no colour, however many a control shows, leaves a GDI object
// behind. GUI threads only. Windows only.

#include <windows.h>

#include "skin/Palette.h"

namespace brevaro::skin {

// Installs the look for the calling thread with these colours (a later call
// only changes the colours). Existing windows of the thread are dressed at
// once; windows the thread creates afterwards as they are created.
void installLook(const Palette& palette);

// Whether the calling thread wears the look.
bool lookInstalled();

// The look's colours (the default palette before any installation).
const Palette& lookPalette();

// Dresses one window if it is of a kind the look paints and not dressed
// yet; other windows are left alone.
void dressWindow(HWND window);

}  // namespace brevaro::skin
