// brevaro-cli watch: the real worker of one board in the console. Every list
// change and alert is printed as one line as it happens, and after every
// pass a "status …" line of how it went; the run stops on Ctrl+C or when
// standard input closes. --limits-divisor D lowers what the run keeps (the
// stored rows' and seen titles' limits divided by D, 1-100:
// monitor/RunLimits.h), so that a test meets them within a few passes.

#include <windows.h>

#include <iostream>
#include <optional>
#include <string>
#include <thread>

#include "Cli.h"
#include "FieldEscape.h"
#include "alerts/SystemAlerts.h"
#include "monitor/BoardMonitor_win.h"
#include "monitor/RunLimits.h"
#include "text/Encoding.h"

namespace brevaro::cli {
namespace {

HANDLE quitEvent() {
    static const HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    return event;
}

BOOL WINAPI onConsoleControl(DWORD) {
    SetEvent(quitEvent());
    return TRUE;
}

// The board page of the console: settings from the arguments, list changes
// and alerts printed; the alerts also go to the program's own sink.
class ConsoleBoard final : public monitor::BoardView, public alerts::AlertSink {
public:
    ConsoleBoard(std::ostream& out, alerts::AlertSink& real) : out_(out), real_(real) {}

    std::string keywords, stay = "10", interval = "10";
    bool popup = false, voice = false;

    std::string keywordText() override { return keywords; }
    bool voiceChecked() override { return voice; }
    bool popupChecked() override { return popup; }
    std::string popupStayText() override { return stay; }
    std::string intervalText() override { return interval; }

    void appendShownRow(const monitor::SharedRow& row) override { line("append " + shown(row->title)); }
    void rebuildShownRows(const monitor::BoardRows& rows) override {
        std::string text = "rebuild " + std::to_string(rows.size());
        for (const monitor::SharedRow& row : rows) text += "\t" + shown(row->title);
        line(text);
    }
    void showPassStatus(const monitor::PassReport& report) override { line(monitor::statusFields(report)); }
    // A slow pass says so now and then, as the board page's line does.
    void showPassWaiting(int seconds) override {
        if (seconds >= monitor::kSlowPassSeconds && seconds % monitor::kSlowPassSeconds == 0) {
            line("waiting seconds=" + std::to_string(seconds));
        }
    }
    void playVoiceAlert() override {
        line("voice");
        real_.playVoiceAlert();
    }
    void ensureCompanionProgram() override { real_.ensureCompanionProgram(); }
    void launchPopupAlert(const alerts::AlertRequest& alert) override {
        line("popup " + shown(alert.title));
        real_.launchPopupAlert(alert);
    }

private:
    static std::string shown(const std::string& gbk) { return escapeField(text::gbkToUtf8(gbk)); }
    void line(const std::string& text) { out_ << text << '\n' << std::flush; }
    std::ostream& out_;
    alerts::AlertSink& real_;
};

}  // namespace

int runWatch(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    alerts::SystemAlertSink system;
    ConsoleBoard board(out, system);
    // No board until one is given (-1 is no page of the catalogue): a plain
    // number, where an optional one makes GCC 12 at -Os warn of a value
    // that may be unset.
    int page = -1;
    std::string url;
    monitor::RunLimits limits;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--board" && hasValue) {
            page = parseWholeInt(args[++i]).value_or(-1);
        } else if (arg == "--url" && hasValue) {
            url = text::utf8ToGbk(args[++i]);
        } else if (arg == "--keywords" && hasValue) {
            board.keywords = text::utf8ToGbk(args[++i]);
        } else if (arg == "--interval" && hasValue) {
            board.interval = text::utf8ToGbk(args[++i]);
        } else if (arg == "--stay" && hasValue) {
            board.stay = text::utf8ToGbk(args[++i]);
        } else if (arg == "--limits-divisor" && hasValue) {
            const std::optional<int> divisor = parseWholeInt(args[++i]);
            if (!divisor || *divisor < 1 || *divisor > 100) {
                page = -1;
                break;
            }
            limits = monitor::storesDividedBy(static_cast<std::size_t>(*divisor));
        } else if (arg == "--popup") {
            board.popup = true;
        } else if (arg == "--voice") {
            board.voice = true;
        } else {
            page = -1;
            break;
        }
    }
    const monitor::BoardSpec* watched = monitor::boardForPage(page);
    if (watched == nullptr) {
        err << "usage: brevaro-cli watch --board N [--url URL] [--keywords K] [--interval S] [--popup] "
               "[--voice] [--stay S] [--limits-divisor D]   (N: 0-6 or 8, D: 1-100)\n";
        return kExitUsage;
    }

    SetConsoleCtrlHandler(onConsoleControl, TRUE);
    // Standard input closing is the other way to stop: a reader that ends at EOF.
    std::thread([] {
        char c;
        while (std::cin.get(c)) {
        }
        SetEvent(quitEvent());
    }).detach();

    // This thread is the run's UI thread: it carries the worker's calls while
    // it waits for the end.
    monitor::BoardMonitor monitor(*watched, board, board, url, limits);
    monitor.start();
    const HANDLE quit = quitEvent();
    while (MsgWaitForMultipleObjects(1, &quit, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    monitor.stop();
    out.flush();
    return kExitOk;
}

}  // namespace brevaro::cli
