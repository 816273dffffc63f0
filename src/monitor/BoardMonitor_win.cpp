#include "monitor/BoardMonitor_win.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>

#include "http/BrowserCookieStore.h"
#include "http/HttpRequest.h"
#include "http/RequestRules.h"
#include "monitor/MonitorPass.h"
#include "monitor/WaitPumping_win.h"

namespace brevaro::monitor {

// What a run's worker and the UI thread share. A run is live until its stop
// is requested: from then on the UI thread drops the run's calls.
struct MonitorRunShared {
    const BoardSpec* board = nullptr;
    std::string url;
    BoardView* view = nullptr;
    alerts::AlertSink* alerts = nullptr;
    HWND host = nullptr;
    std::atomic<bool> stopRequested = false;
    HANDLE stopEvent = nullptr;   // manual reset: ends the interval wait
    HANDLE endedEvent = nullptr;  // manual reset: the worker thread has ended
    std::mutex requestLock;       // guards `request`, held only to set, clear or abort it
    http::HttpRequest* request = nullptr;

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
    void appendShownRow(const ResultRow& row) override {
        onUiThread(run_, [&] { run_.view->appendShownRow(row); });
    }
    void rebuildShownRows(const std::deque<ResultRow>& rows) override {
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

void fetchAndPass(MonitorRunShared& run, http::HttpRequest& request, MonitorRun& monitor,
                  UiSettings& settings, UiActions& actions) {
    const auto stopped = [&run] { return run.stopRequested.load(); };
    // The browser's cookies of the host polled: the forum's own, unless the
    // board was pointed elsewhere (a test server, the tool's --url), which
    // never gets the forum's login.
    const std::string cookieHost = http::requestHost(run.url);
    while (!stopped()) {
        request.Open("GET", run.url);
        if (run.board->sendsBrowserCookies) {
            // Read again on every pass: a login in the embedded browser counts
            // from the next fetch on.
            request.SetCookieMode();
            request.CookieText(http::BrowserCookies(cookieHost));
        }
        if (stopped()) return;
        request.Send();
        const std::string body = request.BodyText();
        if (stopped()) return;
        const long long wait = monitor.runPass(body, settings, actions, stopped);
        if (stopped()) return;
        waitPumping(wait, run.stopEvent);
    }
}

void workerMain(std::shared_ptr<MonitorRunShared> run) {
    try {
        http::HttpRequest request;
        request.SetTimeLimit(kBoardRequestTimeLimitMs);
        {
            std::lock_guard lock(run->requestLock);
            run->request = &request;
        }
        if (run->stopRequested) request.Abort();  // a stop that came before the request existed
        MonitorRun monitor(*run->board);
        UiSettings settings(*run);
        UiActions actions(*run);
        fetchAndPass(*run, request, monitor, settings, actions);
        std::lock_guard lock(run->requestLock);
        run->request = nullptr;
    } catch (...) {
        // The worker never brings the program down; the run just ends.
        std::lock_guard lock(run->requestLock);
        run->request = nullptr;
    }
    SetEvent(run->endedEvent);
}

}  // namespace

BoardMonitor::BoardMonitor(const BoardSpec& board, BoardView& view, alerts::AlertSink& alerts,
                           std::string url)
    : board_(board), view_(view), alerts_(alerts), url_(url.empty() ? boardUrl(board) : std::move(url)) {
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
    run_->stopRequested = true;
    SetEvent(run_->stopEvent);
    {
        std::lock_guard lock(run_->requestLock);
        if (run_->request != nullptr) run_->request->Abort();
    }
    run_.reset();
}

void* BoardMonitor::workerEndedEvent() const { return lastRun_ ? lastRun_->endedEvent : nullptr; }

}  // namespace brevaro::monitor
