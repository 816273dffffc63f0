#pragma once
// Drives the program from outside, the way UI-automation tools do: starts
// the test build (Brevaro_test.exe) with its addresses in its environment,
// finds its windows and controls, reads their texts, places and pictures,
// reads the tooltip control, list headers and list rows through the
// process's memory, types into boxes, presses buttons and list rows with
// posted messages and reads the screen and the clipboard. Waits poll under a
// generous watchdog; nothing measures time.

#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "win/support/Clipboard.h"
#include "win/support/Waits.h"
#include "win/support/WindowText.h"

namespace brevaro::test {

std::wstring textOf(HWND window);
// A control's rectangle in its parent's client area.
RECT placeOf(HWND control);
LONG widthOf(const RECT& rect);
LONG heightOf(const RECT& rect);
// The colour of a pixel of the screen, or CLR_INVALID.
COLORREF screenPixel(int x, int y);
// The colour of a pixel of a window's client area, read from the screen.
COLORREF pixelOf(HWND window, int x, int y);

struct ShellOptions {
    std::string noticeUrl;  // empty: the test build's default (a closed port)
    std::string netTestUrl;
    std::string forumHost;  // host:port; empty: a closed port
    std::string articleHost;
    std::string tipSiteHost;
};

class ShellProcess {
  public:
    // Starts the program and waits until its main window is shown and its
    // first activation has run (the network indicator has its tooltip).
    explicit ShellProcess(const ShellOptions& options);
    // Ends the program if it still runs.
    ~ShellProcess();
    ShellProcess(const ShellProcess&) = delete;
    ShellProcess& operator=(const ShellProcess&) = delete;

    bool started() const { return main_ != nullptr; }
    HWND main() const { return main_; }
    HWND shadow() const { return shadow_; }
    DWORD id() const { return id_; }

    // The control reached from the main window through these control ids,
    // each a child of the one before; nullptr when one is missing.
    HWND control(const std::vector<int>& path) const;
    // The program's top-level windows of a class.
    std::vector<HWND> windowsOfClass(const wchar_t* className) const;
    // The text of the program's tooltip for `tool`; empty when it has none.
    std::wstring tooltipOf(HWND tool) const;
    // The captions and widths (pixels) of a list view's columns and their
    // alignment (LVCFMT_LEFT or LVCFMT_CENTER).
    struct Column {
        std::wstring caption;
        int width;
        int format;
    };
    std::vector<Column> columnsOf(HWND list) const;
    // The texts a list view shows, row by row, every column of each row
    // (the 0-pixel link column included).
    using Cells = std::vector<std::wstring>;
    std::vector<Cells> rowsOf(HWND list) const;
    // Selects a list row with a left click, then presses the right mouse
    // button on it and lets it go, as a user does (posted, not waited for);
    // false when the row has no place.
    bool rightClickRow(HWND list, int item) const;

    // Waits until the program has handled every message posted to it so far
    // (a posted marker shows that it reached the head of the queue) and its
    // main window takes input again (any slide has ended). False when the
    // watchdog expired.
    bool waitUntilHandled() const;

    // Whether the program ends with exit code 0 (waits for it to end).
    testing::AssertionResult endsWithExitCodeZero() const;
    bool running() const;

  private:
    bool readRemote(const void* remote, void* local, std::size_t size) const;
    bool writeRemote(void* remote, const void* local, std::size_t size) const;
    void* allocateRemote(std::size_t size) const;
    void freeRemote(void* remote) const;

    HANDLE process_ = nullptr;
    DWORD id_ = 0;
    HWND main_ = nullptr;
    HWND shadow_ = nullptr;
};

// Presses a button the way a click does, without waiting for its handler
// (a posted BM_CLICK).
void press(HWND button);
// A click label: the left button goes down (down) or up over it.
void pressLabel(HWND label, bool down);
// Replaces the text of an edit box, as typing over it does (WM_SETTEXT).
void typeInto(HWND box, const std::wstring& text);
// Ticks a check box with a click, unless it is ticked already, and waits
// until it shows the tick.
bool tick(HWND checkBox);

// Visible top-level windows of a class, of any process (the companion
// program's alerts are windows of their own processes).
std::vector<HWND> visibleWindowsOfClass(const wchar_t* className);
// Ends the process that owns a window (a companion program the program
// started), by its id.
void endProcessOf(HWND window);

}  // namespace brevaro::test
