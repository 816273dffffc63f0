#pragma once
// A board's monitor on Windows: the worker thread of one run and its stop.
//
// Created and used on the UI thread. start() begins a run: a worker thread
// with its own request object polls the board's list URL, puts every page
// through the run's pass (MonitorPass.h) and waits the interval. Everything
// the worker needs from the user interface — a setting, a change of the
// results list, an alert — is a blocking call onto the UI thread, carried out
// only while its run is live. After each pass the worker reports how it
// went (the fetch's outcome, the page's rows, the forum's guest view) to
// the view's showPassStatus, through the same gate.
//
// stop() is immediate and never waits for the worker: it marks the run ended
// (so a call of that run that the UI thread handles afterwards does nothing)
// and ends the interval wait. Each fetch runs on a thread of its own through
// the board's slot (CallSlot.h), and the worker waits for it no longer than
// the request's deadline (60 s, whatever the server does: a header block or
// a chunk-size line sent a byte at a time included) or the stop, whichever
// comes first; a fetch given up on is a failed fetch (time-out). Its request
// reads the stop mark, or is marked itself, and fails at its next step; the
// call it is blocked in runs on until its server lets go (or stops sending
// for the platform's time-out), holding its thread, its socket and what it
// has read, and the board's next fetch, of this run or a later one, waits
// for it within its own deadline: a board never has more than one request
// under way, however often it is stopped and started. Nothing of a stopped
// run reaches the list or the alerts.
//
// A pass that fails (memory runs out, say) ends as a failed fetch: nothing
// more of it is shown or alerted, and the next pass comes after the
// interval. The worker never ends by itself.

#include <memory>
#include <string>

#include "alerts/AlertSink.h"
#include "monitor/Board.h"
#include "monitor/BoardView.h"
#include "monitor/RunLimits.h"

namespace brevaro::monitor {

struct MonitorRunShared;
class CallSlot;
class AlertBudget;

class BoardMonitor {
public:
    // board: an entry of the catalogue (it outlives every worker). url: the
    // list page to poll; empty means the board's own URL. limits: what each
    // run keeps (RunLimits.h).
    BoardMonitor(const BoardSpec& board, BoardView& view, alerts::AlertSink& alerts,
                 std::string url = {}, const RunLimits& limits = {});
    ~BoardMonitor();  // stops a running run
    BoardMonitor(const BoardMonitor&) = delete;
    BoardMonitor& operator=(const BoardMonitor&) = delete;

    // Starts a new run (a run still going is stopped first). The first pass
    // with rows is the new run's baseline. If no thread can be started the
    // board stays stopped (running() is false).
    void start();
    void stop();
    // The deadline of each fetch from the next start on (60 s unless set; for
    // tests that must not wait a minute for a server that holds a fetch).
    void setRequestTimeLimit(int milliseconds) { requestLimitMs_ = milliseconds; }
    bool running() const { return run_ != nullptr; }

    // For tests: a HANDLE signalled when the latest run's worker thread has
    // ended (null before the first start).
    void* workerEndedEvent() const;

private:
    const BoardSpec& board_;
    BoardView& view_;
    alerts::AlertSink& alerts_;
    std::string url_;
    RunLimits limits_;
    int requestLimitMs_;
    std::shared_ptr<CallSlot> slot_;            // every run's fetches go through it
    std::shared_ptr<AlertBudget> alertBudget_;  // every run's alerts count against it
    void* host_ = nullptr;  // HWND of the message window that carries the worker's calls
    std::shared_ptr<MonitorRunShared> run_;
    std::shared_ptr<MonitorRunShared> lastRun_;
};

}  // namespace brevaro::monitor
