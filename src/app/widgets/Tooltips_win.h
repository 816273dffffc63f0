#pragma once
// The process's tooltips: one tooltip control (class tooltips_class32,
// created on first use, no owner, always tipping, no prefix processing,
// balloon-shaped when the first call asks for it) that shows a text over a
// window while the mouse rests on it. GUI thread only. Windows only.

#include <windows.h>

#include <string_view>

namespace brevaro::app {

// Gives `window` the tooltip `text` (GBK): adds a tool identified by the
// window's handle that subclasses it to watch the mouse (centred under the
// window when asked), and sets the control's maximum tip width. A window
// that already has a tool keeps it and gets the new text instead, so
// changing a window's tooltip never leaves the old one to show.
void addTooltip(HWND window, std::string_view text, bool balloon = false, bool centred = false);

// The tooltip control, or nullptr before the first tooltip.
HWND tooltipControl();

}  // namespace brevaro::app
