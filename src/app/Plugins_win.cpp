// What the rest of the program plugs into the shell: each monitored board's
// page gets its board's controller (start and stop, the results list, the
// double and right clicks, the board's health on its page and navigation
// button), and the QR tool button opens the QR tool
// window. Both the program and its test build take their plug-ins from here.

#include <memory>

#include "alerts/SystemAlerts.h"
#include "app/boards/BoardController_win.h"
#include "app/boards/BoardPage_win.h"
#include "app/boards/BoardStatusLine_win.h"
#include "app/catalogue/ControlIds.h"
#include "app/qrwindows/QrToolWindow_win.h"
#include "app/shell/Shell_win.h"
#include "monitor/Board.h"
#include "skin/PictureButton_win.h"

namespace brevaro::app {
namespace {

// The page hands its controls' notifications to its board's controller.
class BoardPageController final : public BoardPageHandler {
  public:
    BoardPageController(const monitor::BoardSpec& board, const BoardControls& controls, alerts::AlertSink& alerts,
                        std::string listUrl, const monitor::RunLimits& limits)
        : controller_(board, controls, alerts, std::move(listUrl), limits) {}

    void onCommand(BoardPage&, int controlId, int code, HWND control) override {
        controller_.handleCommand(MAKEWPARAM(controlId, code), reinterpret_cast<LPARAM>(control));
    }
    bool onNotify(BoardPage&, NMHDR& header, LRESULT& result) override {
        return controller_.handleNotify(header, result);
    }

  private:
    BoardController controller_;
};

// The program's alerts: one for all boards, alive as long as the process.
alerts::AlertSink& programAlerts() {
    static alerts::SystemAlertSink sink;
    return sink;
}

void installBoardController(BoardPage& page, const ShellConfig& config) {
    const monitor::BoardSpec* board = monitor::boardForPage(page.pageIndex());
    if (board == nullptr) return;  // the inert page: its button does nothing
    const HWND mainWindow = GetAncestor(page.window(), GA_ROOT);
    // A row's link travels to the QR link window through the hidden link box
    // on the 赚品交换 page, whichever board's row it is.
    const BoardPage* linkPage = mainWindowBoardPage(mainWindow, 5);
    BoardControls controls;
    controls.list = page.resultsList();
    controls.interval = page.intervalBox();
    controls.popupStay = page.stayBox();
    controls.voice = page.voiceCheck();
    controls.popup = page.popupCheck();
    controls.keywords = page.keywordBox();
    controls.start = page.startButton();
    controls.linkBox = linkPage != nullptr ? linkPage->linkBox() : nullptr;
    controls.mainWindow = mainWindow;
    // The board's health: its page's status line, and the mark of its
    // navigation button while a running board fails or sees a guest's page.
    const HWND statusLine = page.statusLine();
    const HWND navButton = GetDlgItem(GetDlgItem(mainWindow, kBackgroundId), navButtonId(page.pageIndex()));
    controls.showHealth = [statusLine, navButton](const monitor::BoardHealth& health) {
        showBoardStatus(statusLine, health);
        if (navButton != nullptr) skin::setButtonMark(navButton, monitor::showsTrouble(health));
    };
    page.setHandler(
        std::make_unique<BoardPageController>(*board, controls, programAlerts(), boardListUrl(config, *board),
                                              config.runLimits));
}

// One tool window at a time: the shell has disabled the button; it comes
// back when the window goes.
void openQrTool(HWND qrToolButton) {
    const HWND opened = openQrToolWindow(GetAncestor(qrToolButton, GA_ROOT),
                                         [qrToolButton] { EnableWindow(qrToolButton, TRUE); });
    if (opened == nullptr) EnableWindow(qrToolButton, TRUE);
}

}  // namespace

ShellPlugins programPlugins() {
    ShellPlugins plugins;
    plugins.boardPageCreated = installBoardController;
    plugins.qrToolRequested = openQrTool;
    return plugins;
}

}  // namespace brevaro::app
