#pragma once
// A blocking call bounded as a whole, one at a time. A board's fetch runs
// through its board's slot: the platform's time-outs bound each wait on a
// socket, not a server that sends its header block or a chunk-size line a
// byte at a time, so the call runs on a thread of its own and its caller
// waits for it until a deadline, or until it is stopped, and no longer.
//
// A call given up on runs on, detached, until its server lets go; until it
// returns the slot stays taken, and the next call of the slot first waits
// (within its own deadline) for it to end. So a board never has more than
// one request under way, however often it is stopped and started, or its
// deadline passes. The caller's `stopped` is asked every 100 ms and its
// `waiting` told the time waited, once a second, while the wait goes on.
// When no thread can be started the call runs on the caller's thread.
// Portable.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

#include "http/Deadline.h"

namespace brevaro::monitor {

enum class CallEnding {
    Returned,  // the call returned (its result is empty when it threw)
    TimedOut,  // the deadline passed first
    Stopped,   // `stopped` answered true first
};

template <typename Result>
struct SlotOutcome {
    CallEnding ending = CallEnding::TimedOut;
    bool started = false;  // false: an earlier call still held the slot until the end
    std::optional<Result> result;
};

// Starts work on a thread that runs on by itself; throws std::system_error
// when no thread can be started.
using ThreadStarter = std::function<void(std::function<void()>)>;

inline void startDetachedThread(std::function<void()> work) { std::thread(std::move(work)).detach(); }

class CallSlot {
public:
    using Clock = std::chrono::steady_clock;

    // Runs call() once no earlier call of the slot is under way, on a
    // thread of its own, and waits for it; both waits end at `deadline` or
    // when `stopped` answers true. call must be copyable.
    template <typename Call>
    auto run(Call call, const http::Deadline& deadline, const std::function<bool()>& stopped,
             const std::function<void(std::chrono::milliseconds)>& waiting = {},
             const ThreadStarter& start = startDetachedThread) -> SlotOutcome<decltype(call())> {
        using Result = decltype(call());
        struct Done {
            bool finished = false;
            std::optional<Result> result;
        };
        SlotOutcome<Result> outcome;
        const Clock::time_point began = Clock::now();
        std::unique_lock guard(state_->lock);
        outcome.ending = waitUntil(guard, [this] { return !state_->busy; }, deadline, stopped, waiting, began);
        if (outcome.ending != CallEnding::Returned) return outcome;

        state_->busy = true;
        outcome.started = true;
        auto done = std::make_shared<Done>();
        std::function<void()> work = [state = state_, done, call = std::move(call)]() mutable {
            std::optional<Result> result;
            try {
                result = call();
            } catch (...) {
                // A call that throws has no result; nothing leaves the thread.
            }
            const std::lock_guard finished(state->lock);
            done->result = std::move(result);
            done->finished = true;
            state->busy = false;
            state->changed.notify_all();
        };
        guard.unlock();
        try {
            start(work);  // a copy: `work` is still whole should no thread start
        } catch (const std::system_error&) {
            work();
        }
        guard.lock();
        outcome.ending = waitUntil(guard, [&done] { return done->finished; }, deadline, stopped, waiting, began);
        if (outcome.ending == CallEnding::Returned) outcome.result = std::move(done->result);
        return outcome;
    }

    // Whether a call of the slot is under way (for tests and the note on a
    // board's page).
    bool busy() const {
        const std::lock_guard guard(state_->lock);
        return state_->busy;
    }

private:
    struct State {
        std::mutex lock;
        std::condition_variable changed;
        bool busy = false;
    };

    template <typename Ready>
    CallEnding waitUntil(std::unique_lock<std::mutex>& guard, Ready ready, const http::Deadline& deadline,
                         const std::function<bool()>& stopped,
                         const std::function<void(std::chrono::milliseconds)>& waiting,
                         Clock::time_point began) {
        using std::chrono::milliseconds;
        Clock::time_point nextNote = began + std::chrono::seconds(1);
        while (!ready()) {
            // The lock is let go for the caller's own questions: they may
            // wait on another thread (the user interface's).
            guard.unlock();
            const bool stop = stopped && stopped();
            const Clock::time_point now = Clock::now();
            if (!stop && waiting && now >= nextNote) {
                waiting(std::chrono::duration_cast<milliseconds>(now - began));
                nextNote = now + std::chrono::seconds(1);
            }
            guard.lock();
            if (ready()) break;
            if (stop) return CallEnding::Stopped;
            if (deadline.passed()) return CallEnding::TimedOut;
            state_->changed.wait_for(guard, milliseconds(deadline.cut(100)));
        }
        return CallEnding::Returned;
    }

    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace brevaro::monitor
