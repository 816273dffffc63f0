#pragma once
// A blocking call that its caller gives up on after a time, whatever the far
// end does. The platform's time-outs bound each wait on a socket, not a
// server that sends a byte now and then for ever (inside its header block,
// where no read of ours comes between the waits), so the call runs on a
// thread of its own and the caller waits for it no longer than the limit.
// A call given up on runs on, detached, until its server lets go (its own
// time-outs end it then); its result is dropped. When no thread can be
// started the call runs on the caller's thread. Portable.

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <system_error>
#include <thread>
#include <utility>

namespace brevaro::http {

// call() on its own thread; its result, or nullopt when it has not returned
// within limitMs (or threw).
template <typename Call>
auto giveUpAfter(int limitMs, Call call) -> std::optional<decltype(call())> {
    using Result = decltype(call());
    struct Shared {
        std::mutex lock;
        std::condition_variable done;
        bool finished = false;
        std::optional<Result> result;
    };
    auto shared = std::make_shared<Shared>();
    try {
        std::thread([shared, call = std::move(call)]() mutable {
            std::optional<Result> result;
            try {
                result = call();
            } catch (...) {
                // A call that throws has no result; nothing leaves the thread.
            }
            const std::lock_guard guard(shared->lock);
            shared->result = std::move(result);
            shared->finished = true;
            shared->done.notify_all();
        }).detach();
    } catch (const std::system_error&) {
        return call();
    }
    std::unique_lock guard(shared->lock);
    if (!shared->done.wait_for(guard, std::chrono::milliseconds(limitMs), [&] { return shared->finished; })) {
        return std::nullopt;
    }
    return std::move(shared->result);
}

}  // namespace brevaro::http
