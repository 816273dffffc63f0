// A board's fetch slot: a call bounded as a whole whatever it does, and never
// two calls of one slot under way. The calls here block on a gate the test
// opens, standing in for a server that holds its answer.

#include "monitor/CallSlot.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace brevaro::monitor {
namespace {

using namespace std::chrono_literals;
using http::Deadline;

// Holds the calls that pass through it until opened.
class Gate {
public:
    void pass() {
        std::unique_lock guard(lock_);
        opened_.wait(guard, [this] { return open_; });
    }
    void open() {
        const std::lock_guard guard(lock_);
        open_ = true;
        opened_.notify_all();
    }

private:
    std::mutex lock_;
    std::condition_variable opened_;
    bool open_ = false;
};

const std::function<bool()> kNeverStopped = [] { return false; };

TEST(CallSlot, AReturningCallHandsBackItsResult) {
    CallSlot slot;
    const SlotOutcome<int> outcome = slot.run([] { return 7; }, Deadline::after(20000), kNeverStopped);
    EXPECT_EQ(outcome.ending, CallEnding::Returned);
    EXPECT_TRUE(outcome.started);
    EXPECT_EQ(outcome.result, 7);
    EXPECT_FALSE(slot.busy());
}

// The deadline ends the wait; the call runs on and holds the slot, so the
// next call waits for it (and here runs out of time without starting), and
// once it has let go the slot serves again.
TEST(CallSlot, AHeldCallEndsByTheDeadlineAndKeepsTheSlotUntilItReturns) {
    CallSlot slot;
    auto gate = std::make_shared<Gate>();
    std::atomic<int> started = 0;
    const auto held = [gate, &started] {
        ++started;
        gate->pass();
        return 1;
    };
    const SlotOutcome<int> first = slot.run(held, Deadline::after(200), kNeverStopped);
    EXPECT_EQ(first.ending, CallEnding::TimedOut);
    EXPECT_TRUE(first.started);
    EXPECT_FALSE(first.result);
    EXPECT_TRUE(slot.busy());

    const SlotOutcome<int> second = slot.run(held, Deadline::after(200), kNeverStopped);
    EXPECT_EQ(second.ending, CallEnding::TimedOut);
    EXPECT_FALSE(second.started) << "a second call under way beside the held one";
    EXPECT_EQ(started, 1);

    gate->open();
    const SlotOutcome<int> third = slot.run([] { return 3; }, Deadline::after(20000), kNeverStopped);
    EXPECT_EQ(third.ending, CallEnding::Returned);
    EXPECT_EQ(third.result, 3);
    EXPECT_EQ(started, 1);
}

// A stop ends both waits: for the call, and for an earlier call still held.
TEST(CallSlot, AStopEndsTheWaitWithoutALimit) {
    CallSlot slot;
    auto gate = std::make_shared<Gate>();
    std::atomic<bool> stop = false;
    const std::function<bool()> stopped = [&stop] { return stop.load(); };
    std::thread stopper([&stop] {
        std::this_thread::sleep_for(100ms);
        stop = true;
    });
    const SlotOutcome<int> held = slot.run([gate] { gate->pass(); return 1; }, Deadline(), stopped);
    stopper.join();
    EXPECT_EQ(held.ending, CallEnding::Stopped);
    EXPECT_TRUE(held.started);

    const SlotOutcome<int> next = slot.run([] { return 2; }, Deadline(), stopped);
    EXPECT_EQ(next.ending, CallEnding::Stopped);
    EXPECT_FALSE(next.started);
    gate->open();
}

// A slow call is reported while it goes on: the time waited, growing.
TEST(CallSlot, TheWaitIsReportedOnceASecond) {
    CallSlot slot;
    std::vector<std::chrono::milliseconds> notes;
    const SlotOutcome<int> outcome = slot.run(
        [] {
            std::this_thread::sleep_for(2500ms);
            return 1;
        },
        Deadline::after(20000), kNeverStopped, [&notes](std::chrono::milliseconds waited) { notes.push_back(waited); });
    EXPECT_EQ(outcome.ending, CallEnding::Returned);
    ASSERT_GE(notes.size(), 2u);
    EXPECT_GE(notes[0], 1000ms);
    EXPECT_GT(notes[1], notes[0]);
}

TEST(CallSlot, ACallThatThrowsReturnsNoResultAndFreesTheSlot) {
    CallSlot slot;
    const SlotOutcome<int> outcome = slot.run([]() -> int { throw std::runtime_error("no"); },
                                              Deadline::after(20000), kNeverStopped);
    EXPECT_EQ(outcome.ending, CallEnding::Returned);
    EXPECT_FALSE(outcome.result);
    EXPECT_FALSE(slot.busy());
}

// Without a thread the caller's own call runs where it is.
TEST(CallSlot, WithoutAThreadTheCallRunsOnTheCallersThread) {
    CallSlot slot;
    const ThreadStarter noThread = [](std::function<void()>) {
        throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
    };
    const std::thread::id caller = std::this_thread::get_id();
    std::thread::id ranOn;
    const SlotOutcome<int> outcome = slot.run(
        [&ranOn] {
            ranOn = std::this_thread::get_id();
            return 5;
        },
        Deadline::after(20000), kNeverStopped, {}, noThread);
    EXPECT_EQ(outcome.result, 5);
    EXPECT_EQ(ranOn, caller);
    EXPECT_FALSE(slot.busy());
}

}  // namespace
}  // namespace brevaro::monitor
