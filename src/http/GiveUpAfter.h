#pragma once
// A blocking call that its caller gives up on after a time, whatever the far
// end does. The platform's time-outs bound each wait on a socket, not a
// server that sends a byte now and then for ever (inside its header block,
// where no read of ours comes between the waits), so the call runs on a
// thread of its own and the caller waits for it no longer than the limit.
// A call given up on runs on, detached, until its server lets go (its own
// time-outs end it then); its result is dropped. When no thread can be
// started the call runs on the caller's thread, and is waited for to its end.
// Portable.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace brevaro::http {

// Starts a task on a detached thread of its own; throws std::system_error
// when no thread can be started (the task has not run then).
struct DetachedThreadStart {
    template <typename Task>
    void operator()(Task&& task) const {
        std::thread(std::forward<Task>(task)).detach();
    }
};

// call() on its own thread, started by `start`; its result, or nullopt when
// it has not returned within limitMs (or threw).
template <typename Call, typename Start = DetachedThreadStart>
auto giveUpAfter(int limitMs, Call call, Start start = {}) -> std::optional<decltype(call())> {
    using Result = decltype(call());
    // The call lives here, not in the thread's task: a start that fails has
    // taken the task (and whatever it moved into it) with it, while the
    // call is still whole for the caller's thread.
    struct Shared {
        explicit Shared(Call&& c) : call(std::move(c)) {}
        Call call;
        std::mutex lock;
        std::condition_variable done;
        bool finished = false;
        std::optional<Result> result;
    };
    const auto runCall = [](Call& c) -> std::optional<Result> {
        try {
            return c();
        } catch (...) {
            return std::nullopt;  // a call that throws has no result; nothing leaves it
        }
    };
    auto shared = std::make_shared<Shared>(std::move(call));
    try {
        start([shared, runCall] {
            std::optional<Result> result = runCall(shared->call);
            const std::lock_guard guard(shared->lock);
            shared->result = std::move(result);
            shared->finished = true;
            shared->done.notify_all();
        });
    } catch (const std::system_error&) {
        return runCall(shared->call);
    }
    std::unique_lock guard(shared->lock);
    if (!shared->done.wait_for(guard, std::chrono::milliseconds(limitMs), [&] { return shared->finished; })) {
        return std::nullopt;
    }
    return std::move(shared->result);
}

}  // namespace brevaro::http
