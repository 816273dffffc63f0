#include "monitor/BoardMonitor_win.h"

#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <system_error>
#include <thread>
#include <utility>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "http/RequestRules.h"
#include "monitor/CallSlot.h"
#include "monitor/MonitorPass.h"
#include "monitor/WaitPumping_win.h"

namespace brevaro::monitor {

// What a run's worker and the UI thread share. A run is live until its stop
// is requested: from then on the UI thread drops the run's calls. Both sides
// hold it, so whichever ends last frees it; the stop touches nothing else
// (the worker's request object is its own: it reads the stop flag).
struct MonitorRunShared {
    const BoardSpec* board = nullptr;
    std::string url;
    RunLimits limits;
    int requestLimitMs = 0;
    std::shared_ptr<CallSlot> slot;            // the board's: one request under way at a time
    std::shared_ptr<AlertBudget> alertBudget;  // the board's, across its runs
    BoardView* view = nullptr;
    alerts::AlertSink* alerts = nullptr;
    HWND host = nullptr;
    std::atomic<bool> stopRequested = false;
    HANDLE stopEvent = nullptr;   // manual reset: ends the interval wait
    HANDLE endedEvent = nullptr;  // manual reset: the worker thread has ended

    ~MonitorRunShared() {
        if (stopEvent != nullptr) CloseHandle(stopEvent);
        if (endedEvent != nullptr) CloseHandle(endedEvent);
    }
};

namespace {

constexpr wchar_t kHostClass[] = L"Brevaro.BoardMonitorHost";

// One fetch of the board's page, from Open to the body's last byte, may take
// this long; a server that holds it longer (dripping, stalling) gives a
// failed fetch, an empty page, and the pass goes on.
constexpr int kBoardRequestTimeLimitMs = 60000;
// How much longer the worker waits for a fetch whose call the server holds
// than the request's own limit: that limit ends a fetch between blocking
// calls, the worker's wait ends it inside one.
constexpr int kSlotGraceMs = 2000;

// The wait after a pass that failed so badly that not even the interval
// could be read: a worker that cannot work does not spin.
constexpr long long kWaitAfterBrokenPassMs = 1000;

// A registered message: should the host's handle ever name another window,
// that window does not know the message.
UINT uiCallMessage() {
    static const UINT message = RegisterWindowMessageW(L"Brevaro.BoardMonitor.UiCall");
    return message;
}

struct UiCall {
    MonitorRunShared* run;
    const std::function<void()>* work;
};

LRESULT CALLBACK hostProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == uiCallMessage() && message != 0) {
        const auto* call = reinterpret_cast<const UiCall*>(lParam);
        if (call->run->stopRequested) return 0;
        try {
            (*call->work)();
        } catch (...) {
            // A view that fails must not take the UI thread down; the call
            // is simply lost, as a dropped call of a stopped run is.
        }
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND createHost() {
    static const ATOM hostClass = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = hostProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kHostClass;
        return RegisterClassW(&windowClass);
    }();
    if (hostClass == 0) return nullptr;
    return CreateWindowExW(0, kHostClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

// Runs work on the UI thread, waiting for it; true when the run was live.
bool onUiThread(MonitorRunShared& run, const std::function<void()>& work) {
    if (run.stopRequested) return false;
    UiCall call{&run, &work};
    return SendMessageW(run.host, uiCallMessage(), 0, reinterpret_cast<LPARAM>(&call)) == 1;
}

// Runs read on the UI thread and hands its value back; a call of a stopped
// run gives the empty value (the worker stops right after).
template <typename Read>
auto readOnUiThread(MonitorRunShared& run, Read read) {
    decltype(read()) value{};
    onUiThread(run, [&] { value = read(); });
    return value;
}

class UiSettings final : public BoardSettings {
public:
    explicit UiSettings(MonitorRunShared& run) : run_(run) {}
    std::string keywordText() override {
        return readOnUiThread(run_, [this] { return run_.view->keywordText(); });
    }
    bool voiceChecked() override {
        return readOnUiThread(run_, [this] { return run_.view->voiceChecked(); });
    }
    bool popupChecked() override {
        return readOnUiThread(run_, [this] { return run_.view->popupChecked(); });
    }
    std::string popupStayText() override {
        return readOnUiThread(run_, [this] { return run_.view->popupStayText(); });
    }
    std::string intervalText() override {
        return readOnUiThread(run_, [this] { return run_.view->intervalText(); });
    }

private:
    MonitorRunShared& run_;
};

class UiActions final : public PassActions {
public:
    explicit UiActions(MonitorRunShared& run) : run_(run) {}
    void appendShownRow(const SharedRow& row) override {
        onUiThread(run_, [&] { run_.view->appendShownRow(row); });
    }
    void rebuildShownRows(const BoardRows& rows) override {
        onUiThread(run_, [&] { run_.view->rebuildShownRows(rows); });
    }
    // Alerts go through the UI thread too, so that a stopped run can start
    // neither a popup nor a sound; the sink itself returns at once.
    void playVoiceAlert() override { onUiThread(run_, [&] { run_.alerts->playVoiceAlert(); }); }
    void ensureCompanionProgram() override {
        onUiThread(run_, [&] { run_.alerts->ensureCompanionProgram(); });
    }
    void launchPopupAlert(const alerts::AlertRequest& alert) override {
        onUiThread(run_, [&] { run_.alerts->launchPopupAlert(alert); });
    }

private:
    MonitorRunShared& run_;
};

// One fetch: its page (empty when the request failed, or when memory ran out
// while it was read, a failed fetch as any other) and how it went.
struct FetchedPage {
    std::string body;
    FetchOutcome outcome;
};

// Runs on the fetch's own thread (CallSlot.h), from Open to the body's last
// byte. It holds what it uses: the request object and the run's shared part
// stay alive for as long as a server holds the call.
FetchedPage fetchPage(MonitorRunShared& run, http::HttpRequest& request, const std::string& cookieHost) {
    try {
        request.Open("GET", run.url);
        if (run.board->sendsBrowserCookies) {
            // Read again on every pass: a login in the embedded browser counts
            // from the next fetch on.
            request.SetCookieMode();
            request.CookieText(http::BrowserCookies(cookieHost));
        }
        if (run.stopRequested) return {};
        if (!request.Send()) return {{}, {request.LastFailure(), 0}};
        // The body first: a read that breaks off is the fetch's failure too.
        // The request keeps no copy of it.
        std::string body = request.TakeBodyText();
        return {std::move(body), {request.LastFailure(), request.StatusCode()}};
    } catch (...) {
        return {{}, {http::RequestFailure::NoAnswer, 0}};
    }
}

ClockTime localClock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond};
}

// One pass over the page and the wait after it; a pass that fails part-way
// ends as a failed fetch does: what it had done stays, nothing more is done,
// and the next pass comes after the interval.
struct PassEnd {
    long long waitMs = 0;
    bool failed = false;
};

PassEnd passOver(const std::string& page, MonitorRun& monitor, UiSettings& settings, UiActions& actions,
                 const std::function<bool()>& stopped) {
    try {
        return {monitor.runPass(page, settings, actions, stopped), false};
    } catch (...) {
    }
    try {
        return {monitor.waitAfterPass(settings), true};
    } catch (...) {
        return {kWaitAfterBrokenPassMs, true};
    }
}

std::shared_ptr<http::HttpRequest> boardRequest(const std::shared_ptr<MonitorRunShared>& run) {
    auto request = std::make_shared<http::HttpRequest>();
    request->AbortWhen(run->stopRequested);
    return request;
}

// The page of one pass, through the board's slot: the whole request ends by
// its deadline whatever the server does. One the server holds past it is
// given up on: marked aborted (it fails at its next step), left to its
// thread, and the next pass has a request object of its own. While the
// fetch is slow the board page says how long it has waited.
FetchedPage fetchThroughSlot(const std::shared_ptr<MonitorRunShared>& run,
                             std::shared_ptr<http::HttpRequest>& request, const std::string& cookieHost,
                             const std::function<bool()>& stopped) {
    if (!request) request = boardRequest(run);
    const http::Deadline requestDeadline = http::Deadline::after(run->requestLimitMs);
    // The request's own limit ends it in the usual case; the slot's, a
    // little later, whatever the call is blocked in.
    const http::Deadline slotDeadline = http::Deadline::after(run->requestLimitMs + kSlotGraceMs);
    const auto fetch = [run, request, cookieHost, requestDeadline] {
        request->SetTimeLimit(requestDeadline.cut(0));
        return fetchPage(*run, *request, cookieHost);
    };
    const auto waiting = [&run](std::chrono::milliseconds waited) {
        const int seconds = static_cast<int>(waited.count() / 1000);
        onUiThread(*run, [&] { run->view->showPassWaiting(seconds); });
    };
    SlotOutcome<FetchedPage> outcome = run->slot->run(fetch, slotDeadline, stopped, waiting);
    if (outcome.ending == CallEnding::Returned) {
        if (outcome.result) return std::move(*outcome.result);
        return {{}, {http::RequestFailure::NoAnswer, 0}};
    }
    if (outcome.started) {
        request->Abort();
        request.reset();
    }
    return {{}, {http::RequestFailure::TimedOut, 0}};
}

void pollUntilStopped(const std::shared_ptr<MonitorRunShared>& run, MonitorRun& monitor, UiSettings& settings,
                      UiActions& actions) {
    const std::function<bool()> stopped = [&run] { return run->stopRequested.load(); };
    // The browser's cookies of the host polled: the forum's own, unless the
    // board was pointed elsewhere (a test server, the tool's --url), which
    // never gets the forum's login.
    const std::string cookieHost = http::requestHost(run->url);
    std::shared_ptr<http::HttpRequest> request;
    PassTally tally;
    while (!stopped()) {
        FetchedPage fetched = fetchThroughSlot(run, request, cookieHost, stopped);
        if (stopped()) return;
        const PassEnd end = passOver(fetched.body, monitor, settings, actions, stopped);
        fetched.body = std::string();  // not held through the wait
        if (stopped()) return;
        FetchOutcome outcome = fetched.outcome;
        if (end.failed) outcome.failure = http::RequestFailure::PassFailed;
        PassReport report = tally.record(outcome, monitor.lastPassRows(), monitor.lastPassShowedQuickLogin(),
                                         localClock());
        report.alertsHeld = monitor.alertsHeldLastMinute();
        onUiThread(*run, [&] { run->view->showPassStatus(report); });
        waitPumping(end.waitMs, run->stopEvent);
    }
}

// The worker's own state lives on its stack and goes with it; the stop
// never reaches into it. Nothing that fails inside ends the worker: only the
// stop does.
void workerMain(std::shared_ptr<MonitorRunShared> run) {
    for (;;) {
        try {
            MonitorRun monitor(*run->board, run->limits, run->url, run->alertBudget);
            UiSettings settings(*run);
            UiActions actions(*run);
            pollUntilStopped(run, monitor, settings, actions);
            break;
        } catch (...) {
            // Memory ran out before the run could begin: try again after a
            // while, as after a failed fetch.
            if (WaitForSingleObject(run->stopEvent, kWaitAfterBrokenPassMs) != WAIT_TIMEOUT) break;
        }
    }
    SetEvent(run->endedEvent);
}

}  // namespace

BoardMonitor::BoardMonitor(const BoardSpec& board, BoardView& view, alerts::AlertSink& alerts,
                           std::string url, const RunLimits& limits)
    : board_(board),
      view_(view),
      alerts_(alerts),
      url_(url.empty() ? boardUrl(board) : std::move(url)),
      limits_(limits),
      requestLimitMs_(kBoardRequestTimeLimitMs),
      slot_(std::make_shared<CallSlot>()),
      alertBudget_(std::make_shared<AlertBudget>()) {
    host_ = createHost();
}

BoardMonitor::~BoardMonitor() {
    stop();
    if (host_ != nullptr) DestroyWindow(static_cast<HWND>(host_));
}

void BoardMonitor::start() {
    stop();
    auto run = std::make_shared<MonitorRunShared>();
    run->board = &board_;
    run->url = url_;
    run->limits = limits_;
    run->requestLimitMs = requestLimitMs_;
    run->slot = slot_;
    run->alertBudget = alertBudget_;
    run->view = &view_;
    run->alerts = &alerts_;
    run->host = static_cast<HWND>(host_);
    run->stopEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    run->endedEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (run->stopEvent == nullptr || run->endedEvent == nullptr) return;
    try {
        std::thread(workerMain, run).detach();
    } catch (const std::system_error&) {
        return;  // no thread, no run: the board stays stopped
    }
    run_ = run;
    lastRun_ = run;
}

void BoardMonitor::stop() {
    if (!run_) return;
    // The worker's request sees the flag at its next step and abandons the
    // fetch; nothing else of the worker is touched from here.
    run_->stopRequested = true;
    SetEvent(run_->stopEvent);
    run_.reset();
}

void* BoardMonitor::workerEndedEvent() const { return lastRun_ ? lastRun_->endedEvent : nullptr; }

}  // namespace brevaro::monitor
