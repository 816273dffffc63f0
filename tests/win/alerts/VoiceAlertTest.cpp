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
    MMIOINFO info{};
    info.fccIOProc = FOURCC_MEM;
    info.pchBuffer = reinterpret_cast<HPSTR>(const_cast<std::uint8_t*>(wav.data()));
    info.cchBuffer = static_cast<LONG>(wav.size());
    const HMMIO file = mmioOpenW(nullptr, &info, MMIO_READ);
    ASSERT_NE(file, nullptr);

    MMCKINFO riff{};
    riff.fccType = mmioFOURCC('W', 'A', 'V', 'E');
    EXPECT_EQ(mmioDescend(file, &riff, nullptr, MMIO_FINDRIFF), MMSYSERR_NOERROR);

    MMCKINFO format{};
    format.ckid = mmioFOURCC('f', 'm', 't', ' ');
    ASSERT_EQ(mmioDescend(file, &format, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    PCMWAVEFORMAT pcm{};
    ASSERT_EQ(mmioRead(file, reinterpret_cast<HPSTR>(&pcm), sizeof pcm),
              static_cast<LONG>(sizeof pcm));
    EXPECT_EQ(pcm.wf.wFormatTag, WAVE_FORMAT_PCM);
    EXPECT_EQ(pcm.wf.nChannels, 2);
    EXPECT_EQ(pcm.wf.nSamplesPerSec, 44100u);
    EXPECT_EQ(pcm.wf.nAvgBytesPerSec, 176400u);
    EXPECT_EQ(pcm.wf.nBlockAlign, 4);
    EXPECT_EQ(pcm.wBitsPerSample, 16);
    EXPECT_EQ(mmioAscend(file, &format, 0), MMSYSERR_NOERROR);

    // Past the credits, which the reader skips.
    MMCKINFO data{};
    data.ckid = mmioFOURCC('d', 'a', 't', 'a');
    ASSERT_EQ(mmioDescend(file, &data, &riff, MMIO_FINDCHUNK), MMSYSERR_NOERROR);
    EXPECT_EQ(data.cksize, 119808u);
    EXPECT_EQ(data.dwDataOffset + data.cksize, wav.size());
    mmioClose(file, 0);
}

}  // namespace
}  // namespace brevaro::alerts
