#include "app/boards/BoardController_win.h"

#include <shellapi.h>

#include <optional>
#include <utility>

#include "text/WindowText_win.h"
#include "app/boards/LinkResolution.h"
#include "app/qrwindows/QrLinkWindow_win.h"
#include "monitor/WaitPumping_win.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

// The start button's captions: each is one of the board's states.
constexpr const char* kIdleCaption = "开始监控";
constexpr const char* kStartingCaption = "正在启动";
constexpr const char* kRunningCaption = "停止监控";
constexpr const char* kStoppingCaption = "正在停止";

// How long a start keeps its button locked, the window working meanwhile.
constexpr long long kStartSettleMilliseconds = 1000;

constexpr UINT_PTR kListSubclassId = 0x4B5702;

void openInBrowser(HWND owner, const std::string& address) {
    const std::wstring wide = text::gbkToWide(address);
    ShellExecuteW(owner, L"open", wide.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool isChecked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

BoardController::BoardController(const monitor::BoardSpec& board, const BoardControls& controls,
                                 alerts::AlertSink& alerts, std::string listUrl,
                                 const monitor::RunLimits& limits)
    : board_(board),
      controls_(controls),
      listUrl_(listUrl.empty() ? monitor::boardUrl(board) : std::move(listUrl)),
      results_(controls.list, board.columns, board.linkColumn),
      opener_(openInBrowser),
      monitor_(board, *this, alerts, listUrl_, limits) {
    if (controls_.list != nullptr)
        SetWindowSubclass(controls_.list, listProc, kListSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

BoardController::~BoardController() {
    *alive_ = false;
    if (controls_.list != nullptr && IsWindow(controls_.list))
        RemoveWindowSubclass(controls_.list, listProc, kListSubclassId);
}

// Nothing is thrown out of the list's window procedure: a text that cannot
// be had for want of memory drops the press or the key.
LRESULT CALLBACK BoardController::listProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR data) noexcept {
    auto* controller = reinterpret_cast<BoardController*>(data);
    try {
        switch (message) {
            case WM_NCDESTROY:
                RemoveWindowSubclass(list, listProc, id);
                break;
            case WM_RBUTTONDOWN:
            case WM_RBUTTONDBLCLK:
                // The press acts on the row selected before it; the list
                // view would first select the row under the pointer.
                if (!controller->board_.rightClickQrLink) break;
                controller->onListRightButton();
                return 0;
            case WM_KEYDOWN:
                if (wParam != VK_RETURN) break;
                controller->onRowDoubleClick();
                return 0;
            case WM_CHAR:
                if (wParam == L'\r') return 0;  // Enter's character: nothing to search for
                break;
            default:
                break;
        }
    } catch (...) {
        return 0;
    }
    return DefSubclassProc(list, message, wParam, lParam);
}

void BoardController::setLinkOpener(LinkOpener opener) { opener_ = opener ? std::move(opener) : openInBrowser; }

void BoardController::onStartButton() {
    if (starting_) return;  // the button is locked while starting; a click that gets through is ignored
    if (text::windowTextGbk(controls_.start) == kIdleCaption) {
        start();
    } else {
        stop();
    }
}

void BoardController::start() {
    starting_ = true;
    text::setWindowTextGbk(controls_.start, kStartingCaption);
    clearShownRows();
    health_.started();
    showHealth();
    monitor_.start();
    EnableWindow(controls_.start, FALSE);
    enableSettings(false);

    const std::shared_ptr<bool> alive = alive_;
    monitor::waitPumping(kStartSettleMilliseconds);
    if (!*alive) return;

    starting_ = false;
    text::setWindowTextGbk(controls_.start, kRunningCaption);
    EnableWindow(controls_.start, TRUE);
}

void BoardController::stop() {
    text::setWindowTextGbk(controls_.start, kStoppingCaption);
    monitor_.stop();
    health_.stopped();
    showHealth();
    text::setWindowTextGbk(controls_.start, kIdleCaption);
    enableSettings(true);
}

void BoardController::showHealth() {
    if (controls_.showHealth) controls_.showHealth(health_);
}

// Interval, popup stay, voice, popup, keywords: in this order both ways.
void BoardController::enableSettings(bool enable) {
    for (HWND control :
         {controls_.interval, controls_.popupStay, controls_.voice, controls_.popup, controls_.keywords}) {
        EnableWindow(control, enable ? TRUE : FALSE);
    }
}

void BoardController::onRowDoubleClick() {
    const std::optional<std::size_t> selected = results_.selectedIndex();
    if (!selected) return;
    const std::optional<std::string> address = openableLink(listUrl_, results_.linkAt(*selected));
    if (!address) return;
    opener_(mainWindow(), *address);
}

void BoardController::onListRightButton() {
    if (!board_.rightClickQrLink) return;
    const std::optional<std::size_t> selected = results_.selectedIndex();
    if (!selected) return;
    std::string link = results_.linkAt(*selected);
    if (controls_.linkBox != nullptr) {
        text::setWindowTextGbk(controls_.linkBox, link);
        link = text::windowTextGbk(controls_.linkBox);
    }
    runQrLinkWindow(mainWindow(), link);
}

// Both handlers run inside the page's window procedure: nothing is thrown
// out of them (a text that cannot be had for want of memory drops the click).
bool BoardController::handleCommand(WPARAM wParam, LPARAM lParam) noexcept {
    if (reinterpret_cast<HWND>(lParam) != controls_.start || HIWORD(wParam) != BN_CLICKED) return false;
    try {
        onStartButton();
    } catch (...) {
    }
    return true;
}

bool BoardController::handleNotify(NMHDR& header, LRESULT& result) noexcept {
    if (header.hwndFrom != controls_.list) return false;
    result = 0;
    try {
        if (results_.handleNotify(header, result)) return true;
        switch (header.code) {
            case NM_DBLCLK: onRowDoubleClick(); return true;
            default: return false;
        }
    } catch (...) {
        return true;
    }
}

HWND BoardController::mainWindow() const {
    return controls_.mainWindow != nullptr ? controls_.mainWindow : GetAncestor(controls_.list, GA_ROOT);
}

std::string BoardController::keywordText() { return text::windowTextGbk(controls_.keywords); }
bool BoardController::voiceChecked() { return isChecked(controls_.voice); }
bool BoardController::popupChecked() { return isChecked(controls_.popup); }
std::string BoardController::popupStayText() { return text::windowTextGbk(controls_.popupStay); }
std::string BoardController::intervalText() { return text::windowTextGbk(controls_.interval); }

void BoardController::appendShownRow(const monitor::SharedRow& row) { results_.append(row); }
void BoardController::rebuildShownRows(const monitor::BoardRows& rows) { results_.rebuild(rows); }
void BoardController::clearShownRows() { results_.clear(); }

void BoardController::showPassStatus(const monitor::PassReport& report) {
    health_.passEnded(report);
    showHealth();
}

void BoardController::showPassWaiting(int seconds) {
    const int before = health_.waitedSeconds;
    health_.waiting(seconds);
    if (health_.waitedSeconds != before) showHealth();
}

}  // namespace brevaro::app
