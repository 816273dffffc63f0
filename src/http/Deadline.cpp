#include "http/Deadline.h"

#include <algorithm>

namespace brevaro::http {

Deadline Deadline::after(int milliseconds, Clock::time_point start) {
    Deadline deadline;
    if (milliseconds > 0) {
        deadline.limited_ = true;
        deadline.end_ = start + std::chrono::milliseconds(milliseconds);
    }
    return deadline;
}

bool Deadline::passed(Clock::time_point now) const { return limited_ && now >= end_; }

int Deadline::cut(int platformTimeoutMs, Clock::time_point now) const {
    if (!limited_) return platformTimeoutMs;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end_ - now).count();
    // 0 would mean "wait for ever" to the platform: what has run out gets 1.
    const long long leftMs = std::max<long long>(left, 1);
    if (platformTimeoutMs <= 0) return static_cast<int>(leftMs);
    return static_cast<int>(std::min<long long>(platformTimeoutMs, leftMs));
}

}  // namespace brevaro::http
