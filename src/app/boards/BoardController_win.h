#pragma once
// A monitored board's page at work: its start button, its settings controls
// and its results list, wired to the board's monitor. One per board page
// (the inert page has none). The page creates the controls and hands them
// over; it forwards its children's WM_COMMAND and WM_NOTIFY to
// handleCommand and handleNotify. UI thread only.
//
// The start button's caption is the board's state:
//   "开始监控" idle      a click starts: "正在启动", the list is cleared, the
//                        worker starts, the button and the settings (interval,
//                        popup stay, voice, popup, keywords, in that order) are
//                        disabled, a 1000 ms wait keeps the window working,
//                        then "停止监控" and the button is enabled again;
//   "正在启动" starting  clicks are ignored;
//   "停止监控" running   a click stops: "正在停止", the worker stops at once
//                        (never waited for), "开始监控", and the settings are
//                        enabled in the same order; the list keeps its rows.
//
// The worker reads the settings from the controls when it needs them and
// shows its rows in the list (through this object, on the UI thread).
//
// The board's health (monitor/BoardHealth.h) goes to the page's status
// line and its navigation button's mark (BoardControls::showHealth): a start
// shows a first check under way, every pass of the run its outcome, a stop
// that the board stopped; nothing of a stopped run reaches them.
//
// A double click, or Enter in the list, opens the selected row's link in the
// browser, resolved against the board's list page, and only when it is a web
// address (LinkResolution.h). A right-button press, on the boards that have
// it, shows the row already selected in the QR link window, handing its link
// over through the main window's hidden link box; the press selects nothing,
// and with no row selected it does nothing. On the other boards the press is
// the list's own.

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>

#include "alerts/AlertSink.h"
#include "app/boards/ResultsList_win.h"
#include "monitor/Board.h"
#include "monitor/BoardMonitor_win.h"
#include "monitor/BoardView.h"

namespace brevaro::app {

// The controls of a board page that the controller drives.
struct BoardControls {
    HWND list = nullptr;       // LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS
    HWND interval = nullptr;   // edit box, seconds between fetches
    HWND popupStay = nullptr;  // edit box, seconds an alert stays
    HWND voice = nullptr;      // check box
    HWND popup = nullptr;      // check box
    HWND keywords = nullptr;   // edit box, keywords separated by "*"
    HWND start = nullptr;      // push button
    HWND linkBox = nullptr;    // the main window's hidden link box; null: the link goes straight to the window
    HWND mainWindow = nullptr; // owner of the QR link window; null: the list's top-level window
    // Shows the board's health (the page's status line and the mark of the
    // board's navigation button); empty: shown nowhere.
    std::function<void(const monitor::BoardHealth&)> showHealth;
};

class BoardController final : private monitor::BoardView {
public:
    // Opens a web address in the user's browser; owner is the main window.
    using LinkOpener = std::function<void(HWND owner, const std::string& address)>;

    // board: an entry of the catalogue. alerts: the program's alerts (it
    // outlives the controller). listUrl: the list page to poll and to
    // resolve links against; empty means the board's own. limits: what each
    // run keeps (monitor/RunLimits.h).
    BoardController(const monitor::BoardSpec& board, const BoardControls& controls, alerts::AlertSink& alerts,
                    std::string listUrl = {}, const monitor::RunLimits& limits = {});
    ~BoardController() override;  // stops the board
    BoardController(const BoardController&) = delete;
    BoardController& operator=(const BoardController&) = delete;

    void onStartButton();
    void onRowDoubleClick();
    void onListRightButton();

    // The start button's BN_CLICKED; true when it was this board's.
    bool handleCommand(WPARAM wParam, LPARAM lParam) noexcept;
    // The list's notifications (its items' texts, double click); true when
    // handled, with the value to return in result.
    bool handleNotify(NMHDR& header, LRESULT& result) noexcept;

    const monitor::BoardSpec& board() const { return board_; }
    ResultsList& results() { return results_; }
    bool running() const { return monitor_.running(); }

    // Replaces the browser opener (ShellExecuteW "open", SW_SHOWNORMAL).
    void setLinkOpener(LinkOpener opener);

    // For tests: a HANDLE signalled when the latest run's worker thread has
    // ended (null before the first start).
    void* workerEndedEvent() const { return monitor_.workerEndedEvent(); }

private:
    // monitor::BoardView, called by the worker on the UI thread.
    std::string keywordText() override;
    bool voiceChecked() override;
    bool popupChecked() override;
    std::string popupStayText() override;
    std::string intervalText() override;
    void appendShownRow(const monitor::SharedRow& row) override;
    void rebuildShownRows(const monitor::BoardRows& rows) override;
    void showPassStatus(const monitor::PassReport& report) override;
    void showPassWaiting(int seconds) override;
    // Empties the list (a start).
    void clearShownRows();

    // The list's own messages that the controller takes: the right-button
    // press and Enter.
    static LRESULT CALLBACK listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR controller) noexcept;

    void start();
    void stop();
    void enableSettings(bool enable);
    void showHealth();
    HWND mainWindow() const;

    const monitor::BoardSpec& board_;
    BoardControls controls_;
    std::string listUrl_;
    ResultsList results_;
    LinkOpener opener_;
    bool starting_ = false;
    monitor::BoardHealth health_;
    // Cleared by the destructor: a start's wait that outlives the controller
    // (the window went during it) must not touch it afterwards.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
    monitor::BoardMonitor monitor_;  // last: it stops before the rest goes
};

}  // namespace brevaro::app
