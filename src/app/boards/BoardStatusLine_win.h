#pragma once
// A board page's status line: one line in its control panel's caption row,
// against the frame's right end, that tells how the board's latest pass went
// (monitor/BoardHealth.h), with the run's last failure as its tooltip. It
// is as wide as its text and covers only the frame line behind it, as the
// panel's own caption does on the left. Grey while all is well, the look's
// trouble colour while a running board's fetch fails or the forum sees a
// guest. GUI thread only. Windows only.

#include <windows.h>

#include "app/widgets/Fonts_win.h"
#include "monitor/BoardHealth.h"

namespace brevaro::app {

// Creates the line in `controlPanel` (control id kBoardStatusId), showing a
// board that has not started; nullptr when it cannot be created.
HWND createBoardStatusLine(HWND controlPanel, const Fonts& fonts);

// Shows the board's health: the line's text, colour, width and tooltip.
void showBoardStatus(HWND line, const monitor::BoardHealth& health);

}  // namespace brevaro::app
