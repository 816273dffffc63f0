#pragma once
// A board's health as the user sees it on the board's page: whether it is
// running, how its latest pass went and, when the fetch failed, why. It is
// never shown as a message, never sounded and never logged: the board page
// shows one line of it (with the last failure's reason as the line's
// tooltip), the board's navigation button a mark while something is wrong,
// and `brevaro-cli watch` one line of plain fields after every pass.
//
// The worker tallies each pass (PassTally) and hands the report to the UI
// thread through the same gate as its list changes, so nothing of a stopped
// run reaches it. The texts are GBK, except statusFields (ASCII).

#include <cstddef>
#include <optional>
#include <string>

#include "http/RequestFailure.h"

namespace brevaro::monitor {

// How a pass's fetch went. The pass itself never looks at it: a page that
// came with a status of 400 or more is cut as any other (and gives no rows).
struct FetchOutcome {
    http::RequestFailure failure = http::RequestFailure::None;  // no answer, and why
    int statusCode = 0;  // of the answer; 0 without one

    // A status of 400 or more, no answer, a refused connection, a time-out.
    bool failed() const {
        return failure != http::RequestFailure::None || statusCode < 100 || statusCode >= 400;
    }
};

// A time of day on the user's clock.
struct ClockTime {
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The latest failed fetch of a run.
struct FailureNote {
    FetchOutcome fetch;
    ClockTime at;
};

// What one pass of a run gave.
struct PassReport {
    int pass = 0;             // 1 for the run's first pass
    std::size_t rows = 0;     // rows the page gave (at most a page's limit)
    FetchOutcome fetch;
    bool guestView = false;   // a forum page holding the quick-login form
    int failureStreak = 0;    // failed fetches in a row, this one included; 0 after a good one
    ClockTime endedAt;
    std::optional<FailureNote> lastFailure;  // the run's latest, this pass's own included
    // Matching new rows of the board's last minute that were shown without
    // the alert they asked for (the alert bounds were reached).
    std::size_t alertsHeld = 0;
};

// The worker's count of its run's passes.
class PassTally {
public:
    PassReport record(const FetchOutcome& fetch, std::size_t rows, bool guestView, ClockTime endedAt);

private:
    PassReport last_;
};

enum class RunState { NotStarted, Running, Stopped };

// How long a pass may take before the line says that it is still under way.
inline constexpr int kSlowPassSeconds = 5;

// What the board page shows: the run's state, its latest pass (kept after a
// stop; a start forgets it) and, while a pass is slower than usual, how long
// it has been waiting for its page.
struct BoardHealth {
    RunState state = RunState::NotStarted;
    std::optional<PassReport> last;
    int waitedSeconds = 0;  // of the pass under way, once past kSlowPassSeconds; else 0

    void started() {
        state = RunState::Running;
        last.reset();
        waitedSeconds = 0;
    }
    void waiting(int seconds) { waitedSeconds = seconds >= kSlowPassSeconds ? seconds : 0; }
    void passEnded(const PassReport& report) {
        last = report;
        waitedSeconds = 0;
    }
    void stopped() {
        state = RunState::Stopped;
        waitedSeconds = 0;
    }
};

// The board page's status line.
std::string statusLine(const BoardHealth& health);
// Its tooltip: the run's last failure and its reason in plain words, and
// the matching rows of the last minute shown without an alert.
std::string statusTip(const BoardHealth& health);
// Whether the board's navigation button carries its mark: a running board
// whose latest fetch failed or that sees the forum's guest view.
bool showsTrouble(const BoardHealth& health);

// A failure's reason in plain words ("连接被拒绝", "超时", "HTTP 503", …);
// empty for a fetch that did not fail.
std::string failureReason(const FetchOutcome& fetch);

// The watch tool's line of a pass:
// "status pass=N rows=R fetch=ok|failed reason=… failures=K guest=yes|no",
// reason one of none, refused, timeout, host-not-found, connection-lost,
// no-answer, certificate, pass-failed, http-CODE.
std::string statusFields(const PassReport& report);

}  // namespace brevaro::monitor
