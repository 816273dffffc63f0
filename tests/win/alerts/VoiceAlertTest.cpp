#include "alerts/VoiceAlert.h"

// mmsystem.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <mmsystem.h>
// clang-format on

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "alerts/AlertSound.h"
#include "win/support/SystemWaveReader.h"

namespace brevaro::alerts {
namespace {

using namespace std::chrono_literals;

// Alerts as a board raises them: several rows in one pass, several boards at
// the same moment (the first calls also race to build the sound). Every call
// returns to its worker without waiting for a sound; a call that hangs is
// caught by the watchdog instead of hanging the test.
TEST(VoiceAlert, NeverHoldsUpTheWorkersThatAskForIt) {
    constexpr int kWorkers = 4;
    constexpr int kAlertsEach = 3;
    auto finished = std::make_shared<std::promise<void>>();
    std::future<void> allReturned = finished->get_future();
    std::thread caller([finished] {
        std::vector<std::thread> workers;
        for (int i = 0; i < kWorkers; ++i) {
            workers.emplace_back([] {
                for (int j = 0; j < kAlertsEach; ++j) playVoiceAlert();
            });
        }
        for (std::thread& worker : workers) worker.join();
        finished->set_value();
    });
    const bool returned = allReturned.wait_for(5s) == std::future_status::ready;
    if (returned) {
        caller.join();
    } else {
        caller.detach();
    }
    EXPECT_TRUE(returned) << "playVoiceAlert blocked its caller";
}

// The system's RIFF reader over a block in memory, as PlaySound reads one,
// finds the format and the samples where the file says they are.
TEST(VoiceAlert, SystemWaveReaderAcceptsTheSound) {
    const auto wav = alertSoundWav();
    const brevaro::test::SystemWaveReading reading = brevaro::test::readWithSystem(wav);
    ASSERT_TRUE(reading.read);
    EXPECT_EQ(reading.format.wf.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(reading.format.wf.nChannels, 2);
    EXPECT_EQ(reading.format.wf.nSamplesPerSec, 44100u);
    EXPECT_EQ(reading.format.wf.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(reading.format.wf.nBlockAlign, 4);
    EXPECT_EQ(reading.format.wBitsPerSample, 16);
    // Past the credits, which the reader skips.
    EXPECT_EQ(reading.dataBytes, 119808u);
    EXPECT_EQ(reading.dataOffset + reading.dataBytes, wav.size());
}

}  // namespace
}  // namespace brevaro::alerts
