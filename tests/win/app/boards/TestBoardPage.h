#pragma once
// A stand-in for the main window's board page in the tests: a top-level
// window holding a virtual results list, the settings controls, a start
// button and a hidden link box, with the page's initial values. It forwards
// its children's WM_COMMAND and WM_NOTIFY to its board's controller, as the
// real page does. Created and used on the test's main thread, which acts as
// the UI thread.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "alerts/AlertSink.h"
#include "app/boards/BoardController_win.h"
#include "win/support/Waits.h"

namespace brevaro::app::test {

// The alerts a board raised, in order: "voice", "ensure", "popup TITLE KEYWORD STAY".
class RecordingAlerts final : public alerts::AlertSink {
public:
    void playVoiceAlert() override { events.push_back("voice"); }
    void ensureCompanionProgram() override { events.push_back("ensure"); }
    void launchPopupAlert(const alerts::AlertRequest& alert) override {
        events.push_back("popup " + alert.title + " " + alert.keyword + " " + alert.staySeconds);
    }
    std::vector<std::string> events;
};

class TestBoardPage {
public:
    // A page for the board of pageIndex at (left, top) on the screen, its
    // worker polling listUrl.
    TestBoardPage(int pageIndex, const std::string& listUrl, alerts::AlertSink& alerts, int left = 0, int top = 0);
    ~TestBoardPage();
    TestBoardPage(const TestBoardPage&) = delete;
    TestBoardPage& operator=(const TestBoardPage&) = delete;

    HWND window() const { return window_; }
    const BoardControls& controls() const { return controls_; }
    BoardController& controller() { return *controller_; }

    void setText(HWND control, const std::string& gbk);
    void setChecked(HWND box, bool checked);
    std::string text(HWND control) const;  // GBK
    bool enabled(HWND control) const { return IsWindowEnabled(control) != FALSE; }

    // What the list shows, read back through the list view (LVM_GETITEMCOUNT,
    // LVM_GETITEMTEXTW), one GBK text per cell.
    int shownCount() const;
    std::string shownCell(int item, int column) const;
    std::vector<std::vector<std::string>> shownRows() const;

    // Runs on the UI thread right before a start button click of this page
    // reaches the controller.
    std::function<void()> beforeStartClick;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    HWND window_ = nullptr;
    BoardControls controls_;
    std::unique_ptr<BoardController> controller_;
};

// The watchdog of the board pages' tests' pumping waits (brevaro::test::pumpUntil).
inline constexpr int kPumpWatchdogMs = 30000;

// A window's text as UTF-16, also from another thread.
std::wstring wideText(HWND window);

}  // namespace brevaro::app::test
