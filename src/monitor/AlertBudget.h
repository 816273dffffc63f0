#pragma once
// How many alerts a board may still raise: at most 10 popups and 10 sounds
// in any minute, besides the bound of each pass (MonitorPass.h). A board
// polled at interval 0 against a server with fresh matching rows on every
// answer would otherwise start companions and sounds several times a second.
// A matching new row past the bound is shown in the list as always; the
// budget counts it, and the board's status tells how many there were in the
// last minute. One budget serves every run of a board: a stop and a start do
// not give a flooded board a new minute. Portable; thread-safe (a stopped
// run's worker may still be in its last pass as the next run's begins).

#include <chrono>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

namespace brevaro::monitor {

inline constexpr int kMaxAlertsPerMinute = 10;

class AlertBudget {
public:
    using Clock = std::chrono::steady_clock;

    explicit AlertBudget(std::function<Clock::time_point()> now = Clock::now) : now_(std::move(now)) {}

    // Whether a popup (a sound) may be raised now; true takes it from the
    // minute's budget.
    bool takePopup() { return take(popups_); }
    bool takeSound() { return take(sounds_); }
    // A matching new row that raised no alert it asked for.
    void noteHeldRow();
    // The rows noted in the last minute.
    std::size_t heldInLastMinute();

private:
    bool take(std::deque<Clock::time_point>& raised);
    void forgetBefore(std::deque<Clock::time_point>& times, Clock::time_point now);

    std::function<Clock::time_point()> now_;
    std::mutex lock_;
    std::deque<Clock::time_point> popups_;
    std::deque<Clock::time_point> sounds_;
    std::deque<Clock::time_point> held_;
};

}  // namespace brevaro::monitor
