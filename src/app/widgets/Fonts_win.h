#pragma once
// The fonts of the main program's controls, made once with the main window
// and released with it. YaHei is 微软雅黑 and 黑体 is Hei, both asked for
// with the GB2312 character set and a negative height (the height of the
// characters, not of the cell); the standard font is 宋体 at 12 pixels, the
// font a Chinese system gives its controls. Windows only.

#include <windows.h>

#include <array>

#include "app/catalogue/ShellLayout.h"
#include "skin/GdiHandles_win.h"

namespace brevaro::app {

class Fonts {
  public:
    Fonts();
    HFONT get(FontRole role) const;

  private:
    std::array<skin::OwnedFont, 7> fonts_;
};

// Gives a control one of the fonts (WM_SETFONT, no redraw).
void setFont(HWND control, const Fonts& fonts, FontRole role);

}  // namespace brevaro::app
