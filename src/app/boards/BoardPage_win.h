#pragma once
// A board page of the main window (pages 0-8): the board's results list and,
// below it, its control panel with the interval and popup-stay boxes, the
// voice and popup check boxes, the keyword box and the start button, with
// the captions, list columns and initial values of the board catalogue, and
// (on the monitored boards) the board's status line.
//
// The page builds its controls and nothing more: what they do comes from a
// BoardPageHandler installed with setHandler. The page's window procedure
// hands the handler every WM_COMMAND and WM_NOTIFY of the page's controls,
// the nested ones included (the start button sits in a group inside the
// control panel; their notifications travel up to the page). Without a
// handler the controls do nothing.
//
// The results list is a virtual list view (WC_LISTVIEWW, report style,
// LVS_OWNERDATA, single selection, selection always shown, full-row
// select): it holds no rows itself; its item count starts at 0 and the
// handler sets it (LVM_SETITEMCOUNT) and answers LVN_GETDISPINFOW.
//
// Lifetime: the page's window owns the BoardPage (created with it, deleted
// when it is destroyed, together with its handler); the main window destroys
// its pages when it goes. GUI thread only. Windows only.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <memory>

#include "app/widgets/Fonts_win.h"
#include "app/catalogue/ShellLayout.h"
#include "app/widgets/Widgets_win.h"

namespace brevaro::app {

class BoardPage;

// What a board page's controls do. Every call comes on the UI thread from
// the page's window procedure; an exception thrown by a handler is caught
// there and the message is taken as handled.
class BoardPageHandler {
  public:
    virtual ~BoardPageHandler() = default;

    // WM_COMMAND from one of the page's controls: its control id
    // (ControlIds.h: kStartButtonId, kVoiceCheckId, ...), the notification
    // code (BN_CLICKED, EN_CHANGE, ...) and its window.
    virtual void onCommand(BoardPage& page, int controlId, int code, HWND control) = 0;

    // WM_NOTIFY from one of the page's controls (the results list:
    // LVN_GETDISPINFOW, NM_DBLCLK, ...). Return true with `result`
    // set when handled; false lets the page give the default answer.
    virtual bool onNotify(BoardPage& page, NMHDR& header, LRESULT& result) = 0;
};

inline constexpr wchar_t kBoardPageClass[] = L"Brevaro.BoardPage";

class BoardPage {
  public:
    // Builds board page `pageIndex` (0-8) as a child of `container` at
    // `place`; its window has the control id pageId(pageIndex) and starts
    // hidden. nullptr when the window cannot be created. The page belongs to
    // its window (see above).
    static BoardPage* create(HWND container, int pageIndex, const Box& place, const Fonts& fonts);

    // The page of a board page window, or nullptr for any other window.
    static BoardPage* fromWindow(HWND window);

    int pageIndex() const { return pageIndex_; }
    HWND window() const { return window_; }

    HWND resultsList() const { return resultsList_; }
    HWND intervalBox() const { return intervalBox_; }
    HWND stayBox() const { return stayBox_; }  // the popup stay, in seconds
    HWND voiceCheck() const { return voiceCheck_; }
    HWND popupCheck() const { return popupCheck_; }
    HWND keywordBox() const { return keywordBox_; }
    HWND startButton() const { return startButton_; }
    // The status line in the control panel's caption row
    // (BoardStatusLine_win.h); nullptr on the inert page.
    HWND statusLine() const { return statusLine_; }
    // Page 5's hidden box that carries a row's link to the QR link window;
    // nullptr on the other pages.
    HWND linkBox() const { return linkBox_; }

    // Installs (or, with nullptr, removes) the page's handler; the page owns
    // it from now on and deletes it with itself.
    void setHandler(std::unique_ptr<BoardPageHandler> handler);
    BoardPageHandler* handler() const { return handler_.get(); }

    BoardPage(const BoardPage&) = delete;
    BoardPage& operator=(const BoardPage&) = delete;

  private:
    BoardPage() = default;
    friend struct BoardPageAccess;

    bool build(const Fonts& fonts);

    int pageIndex_ = 0;
    HWND window_ = nullptr;
    HWND resultsList_ = nullptr;
    HWND controlPanel_ = nullptr;
    HWND intervalBox_ = nullptr;
    HWND stayBox_ = nullptr;
    HWND voiceCheck_ = nullptr;
    HWND popupCheck_ = nullptr;
    HWND keywordBox_ = nullptr;
    HWND startButton_ = nullptr;
    HWND statusLine_ = nullptr;
    HWND linkBox_ = nullptr;
    std::unique_ptr<BoardPageHandler> handler_;
    ColourTable colours_;  // of the page's labels
};

}  // namespace brevaro::app
