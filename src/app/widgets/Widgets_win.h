#pragma once
// Small helpers that make the main program's controls: labels, edit boxes,
// buttons, check boxes and group boxes with their captions (GBK, shown
// through the W API), the colours containers paint their controls with,
// labels that report clicks, and containers that pass their children's
// notifications on. Every control is a real child window whose window text
// is its caption. GUI thread only. Windows only.
//
// Event convention: controls report to their parent with WM_COMMAND
// (control id in the low word of wParam, the code in the high word, the
// control's HWND in lParam), as system controls do.

#include <windows.h>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "app/catalogue/ShellLayout.h"

namespace brevaro::app {

// ---- Colours ----------------------------------------------------------------

// How a container paints one of its controls.
struct ControlColours {
    Colour text = rgb(0, 0, 0);
    std::optional<Colour> background;  // nullopt: the container's own background
    bool transparent = false;          // no background at all: what lies below shows
};

// The colours a container keeps for its controls, keyed by the control.
class ColourTable {
  public:
    void set(HWND control, const ControlColours& colours);
    const ControlColours* find(HWND control) const;
    // The answer to WM_CTLCOLORSTATIC, _BTN or _EDIT for `control` in a
    // container whose own background is `background`: sets the DC's colours
    // and returns the brush. Controls without an entry get black text on
    // the container's background; edit boxes white (grey when disabled or
    // read-only).
    LRESULT answer(UINT message, HWND control, HDC dc, Colour background) const;

  private:
    std::vector<std::pair<HWND, ControlColours>> entries_;
};

bool isColourMessage(UINT message);

// Asks the containers above `control`, nearest first, to keep its colours:
// every container of this program answers kSetControlColours with TRUE.
inline constexpr UINT kSetControlColours =
    WM_APP + 0x40;  // wParam: HWND, lParam: const ControlColours*
void setControlColours(HWND control, const ControlColours& colours);

// ---- Controls ---------------------------------------------------------------

HWND createControl(HWND parent, const wchar_t* className, int id, std::string_view caption,
                   const Box& box, DWORD style, DWORD exStyle = 0);
HWND createLabel(HWND parent, int id, std::string_view caption, const Box& box,
                 DWORD style = SS_LEFT);
HWND createEdit(HWND parent, int id, std::string_view text, const Box& box,
                DWORD style = ES_AUTOHSCROLL);
HWND createPushButton(HWND parent, int id, std::string_view caption, const Box& box);
HWND createCheckBox(HWND parent, int id, std::string_view caption, const Box& box);
HWND createGroupBox(HWND parent, int id, std::string_view caption, const Box& box);

// A label that reports the left button: kLabelPressed when it goes down
// over the label, kLabelReleased when it comes up over it; a hand cursor
// over it when asked.
inline constexpr WORD kLabelPressed = 0x7101;
inline constexpr WORD kLabelReleased = 0x7102;
HWND createClickLabel(HWND parent, int id, std::string_view caption, const Box& box, DWORD style,
                      bool handCursor);

// Makes a system control that holds other controls (a group box, the page
// container) pass its children's WM_COMMAND, WM_NOTIFY, WM_DRAWITEM and
// colour questions to its own parent, where the handlers are. With
// `fillBackground` it also fills its inside with the colour its parent
// gives it before it paints.
void passChildMessagesUp(HWND container, bool fillBackground);

// Moves a window inside its parent without resizing it.
void moveControl(HWND control, int left, int top, HWND insertAfter = nullptr);

// ---- Links ------------------------------------------------------------------

// Opens a web address with the shell's "open" verb (the default browser), in
// the shell's form (text/ShellAddress.h), so it stays one argument of the
// browser's command line. Anything but an http:// or https:// address is
// refused, so a link never starts a program. Nothing is reported either way.
void openWebAddress(HWND owner, std::string_view address);

}  // namespace brevaro::app
