#include "monitor/AlertBudget.h"

namespace brevaro::monitor {

namespace {
constexpr std::chrono::minutes kWindow{1};
// Held rows are remembered only as times, and never more than a flood of
// one pass a millisecond could bring within the minute.
constexpr std::size_t kHeldTimesKept = 60000;
}  // namespace

void AlertBudget::forgetBefore(std::deque<Clock::time_point>& times, Clock::time_point now) {
    while (!times.empty() && now - times.front() >= kWindow) times.pop_front();
}

bool AlertBudget::take(std::deque<Clock::time_point>& raised) {
    const std::lock_guard guard(lock_);
    const Clock::time_point now = now_();
    forgetBefore(raised, now);
    if (raised.size() >= static_cast<std::size_t>(kMaxAlertsPerMinute)) return false;
    raised.push_back(now);
    return true;
}

void AlertBudget::noteHeldRow() {
    const std::lock_guard guard(lock_);
    const Clock::time_point now = now_();
    forgetBefore(held_, now);
    if (held_.size() >= kHeldTimesKept) held_.pop_front();
    held_.push_back(now);
}

std::size_t AlertBudget::heldInLastMinute() {
    const std::lock_guard guard(lock_);
    forgetBefore(held_, now_());
    return held_.size();
}

}  // namespace brevaro::monitor
