#include "alerts/VoiceAlert.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "alerts/AlertSound.h"

namespace brevaro::alerts {
namespace {

using namespace std::chrono_literals;

// What a player saw. Shared with the players' threads, which may outlive a
// failed test.
struct Stage {
    std::mutex mutex;
    std::condition_variable changed;
    bool released = false;
    struct Call {
        std::thread::id thread;
        const std::uint8_t* data;
        std::size_t size;
    };
    std::vector<Call> calls;
};

// Several alerts from one worker while the player is still busy with the
// first: the worker is back at once, and every alert reaches the player on a
// thread other than the worker's, with the one block of the alert sound.
TEST(PlayAlertSound, HandsTheSoundOverOnItsOwnThreadWithoutHoldingUpTheCaller) {
    constexpr std::size_t kAlerts = 3;
    const auto stage = std::make_shared<Stage>();
    const SoundPlayer player = [stage](std::span<const std::uint8_t> wav) {
        std::unique_lock lock(stage->mutex);
        stage->changed.wait(lock, [&] { return stage->released; });
        stage->calls.push_back({std::this_thread::get_id(), wav.data(), wav.size()});
        stage->changed.notify_all();
    };

    // The caller on a thread of its own: a caller held up by the player is
    // caught by the watchdog instead of hanging the test.
    std::promise<std::thread::id> callerDone;
    std::future<std::thread::id> caller = callerDone.get_future();
    std::thread worker([&] {
        for (std::size_t i = 0; i < kAlerts; ++i) playAlertSound(player);
        callerDone.set_value(std::this_thread::get_id());
    });
    const bool returned = caller.wait_for(5s) == std::future_status::ready;
    {
        std::lock_guard lock(stage->mutex);
        stage->released = true;
    }
    stage->changed.notify_all();
    worker.join();
    EXPECT_TRUE(returned) << "the caller waited for the player";
    const std::thread::id workerThread = caller.get();

    std::unique_lock lock(stage->mutex);
    ASSERT_TRUE(stage->changed.wait_for(lock, 5s, [&] { return stage->calls.size() == kAlerts; }))
        << stage->calls.size() << " of " << kAlerts << " alerts reached the player";
    const auto sound = alertSoundWav();
    for (const Stage::Call& call : stage->calls) {
        EXPECT_NE(call.thread, workerThread);
        EXPECT_NE(call.thread, std::this_thread::get_id());
        EXPECT_EQ(call.data, sound.data())
            << "the kept block, not a copy that dies with the thread";
        EXPECT_EQ(call.size, sound.size());
    }
}

}  // namespace
}  // namespace brevaro::alerts
