#pragma once
// What the worker's Windows tests share: forum pages (support/ForumPages.h)
// and a board page that writes down everything the worker does.
// The test's main thread is the UI thread.

#include <functional>
#include <string>
#include <vector>

#include "alerts/AlertSink.h"
#include "monitor/BoardView.h"
#include "monitor/WaitPumping_win.h"
#include "support/ForumPages.h"

namespace brevaro::monitor {

using test::forumPage;

// The board page as the monitor sees it: settings it answers, and every list
// change and alert written down in order.
class RecordingView : public BoardView, public alerts::AlertSink {
public:
    std::string keywords;
    bool voice = false;
    bool popup = false;
    std::string stay = "10";
    std::string interval = "0";
    std::function<void()> onAppend;  // runs inside an append, on the UI thread

    std::string keywordText() override { return keywords; }
    bool voiceChecked() override { return voice; }
    bool popupChecked() override { return popup; }
    std::string popupStayText() override { return stay; }
    std::string intervalText() override { return interval; }

    void appendShownRow(const SharedRow& row) override {
        events.push_back("append " + row->title);
        if (onAppend) onAppend();
    }
    void rebuildShownRows(const BoardRows& rows) override {
        std::string line = "rebuild";
        for (const SharedRow& row : rows) line += " " + row->title;
        events.push_back(line);
    }
    void showPassStatus(const PassReport& report) override { reports.push_back(report); }
    void showPassWaiting(int seconds) override { waited.push_back(seconds); }
    void playVoiceAlert() override { events.push_back("voice"); }
    void ensureCompanionProgram() override { events.push_back("ensure"); }
    void launchPopupAlert(const alerts::AlertRequest& alert) override {
        events.push_back("popup " + alert.title + " " + alert.keyword + " " + alert.staySeconds);
    }

    std::vector<std::string> events;
    std::vector<PassReport> reports;  // the passes' reports, in order
    std::vector<int> waited;          // what the passes under way said they had waited
};

// The watchdog of the pumping waits (test::pumpUntil): a hang, not a speed goal.
constexpr int kWatchdogMs = 20000;

inline void pumpFor(int milliseconds) { waitPumping(milliseconds); }

inline const BoardSpec& forumBoard() { return *boardForPage(1); }

}  // namespace brevaro::monitor
