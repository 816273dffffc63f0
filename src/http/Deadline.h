#pragma once
// A time limit for a whole exchange with a server (connect, send, headers,
// body, the attempts and redirect hops in between): the moment it runs out,
// on the steady clock, and the platform time-outs cut down to the time that
// remains, so that no single blocking call can wait past it. Portable.
//
// The platform time-outs are in milliseconds, and 0 (or less) means "no
// time-out": a cut time-out is therefore never 0, however little is left.

#include <chrono>

namespace brevaro::http {

class Deadline {
public:
    using Clock = std::chrono::steady_clock;

    // No limit: nothing passes, time-outs stay as the platform has them.
    Deadline() = default;
    // `milliseconds` from `start`; 0 or less gives no limit.
    static Deadline after(int milliseconds, Clock::time_point start = Clock::now());

    bool limited() const { return limited_; }
    // True once the limit has run out (never without a limit).
    bool passed(Clock::time_point now = Clock::now()) const;
    // The time-out for the next blocking call, given the platform's own
    // (0 or less: none): without a limit, the platform's unchanged;
    // otherwise the smaller of it and the time left, and at least 1.
    int cut(int platformTimeoutMs, Clock::time_point now = Clock::now()) const;

private:
    bool limited_ = false;
    Clock::time_point end_{};
};

}  // namespace brevaro::http
