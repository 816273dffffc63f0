#include "app/boards/BoardStatusLine_win.h"

#include <algorithm>
#include <string>

#include "app/catalogue/ControlIds.h"
#include "app/catalogue/ShellLayout.h"
#include "app/widgets/Tooltips_win.h"
#include "app/widgets/Widgets_win.h"
#include "skin/GdiHandles_win.h"
#include "skin/LookLayer_win.h"
#include "skin/LookPaint_win.h"
#include "text/WideText_win.h"
#include "text/WindowText_win.h"

namespace brevaro::app {
namespace {

// The panel's caption keeps 9 pixels from the frame's ends and 4 around its
// text; the line does the same at the right end. It never reaches further
// left than this, where the longest board caption has ended.
constexpr int kFrameInset = 9;
constexpr int kTextPadding = 4;
constexpr int kLeftmost = 200;

constexpr Colour kQuietGrey = kLinkGrey;

// The line's height and the width its text needs, in its font.
SIZE textExtent(HWND line, const std::wstring& text) {
    SIZE extent{0, 0};
    const skin::WindowDc dc(line);
    if (dc.get() == nullptr) return extent;
    const HFONT font = skin::controlFont(line);
    const skin::Selection selection(dc.get(), font);
    GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
    extent.cy = skin::lineHeight(dc.get(), font);
    return extent;
}

// Against the frame's right end, as wide as the text and its padding.
void fitToText(HWND line) {
    const HWND panel = GetParent(line);
    RECT panelArea{};
    GetClientRect(panel, &panelArea);
    const SIZE extent = textExtent(line, text::windowTextWide(line));
    const int right = panelArea.right - kFrameInset;
    const int width = std::min<int>(extent.cx + 2 * kTextPadding, right - kLeftmost);
    SetWindowPos(line, nullptr, right - width, 0, width, extent.cy, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

HWND createBoardStatusLine(HWND controlPanel, const Fonts& fonts) {
    const HWND line = createLabel(controlPanel, kBoardStatusId, "", Box{kLeftmost, 0, 0, 0},
                                  SS_CENTER | SS_CENTERIMAGE | SS_NOTIFY | SS_NOPREFIX | SS_ENDELLIPSIS);
    if (line == nullptr) return nullptr;
    setFont(line, fonts, FontRole::Standard);
    showBoardStatus(line, monitor::BoardHealth{});
    return line;
}

void showBoardStatus(HWND line, const monitor::BoardHealth& health) {
    if (line == nullptr) return;
    setControlColours(line, ControlColours{monitor::showsTrouble(health) ? skin::lookPalette().trouble : kQuietGrey});
    text::setWindowTextGbk(line, monitor::statusLine(health));
    fitToText(line);
    InvalidateRect(line, nullptr, TRUE);
    addTooltip(line, monitor::statusTip(health));
}

}  // namespace brevaro::app
