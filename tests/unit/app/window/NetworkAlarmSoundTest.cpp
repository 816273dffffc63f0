#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>

#include "app/window/NetworkAlarmSound.h"
#include "unit/support/LittleEndianBytes.h"

namespace brevaro::app {
namespace {

using brevaro::test::Bytes;
using brevaro::test::read16;
using brevaro::test::read32;

constexpr std::size_t kDataStart = 44;

// Sample of one channel (0 left, 1 right) at a frame.
int sample(Bytes wav, std::size_t frame, std::size_t channel) {
    return static_cast<std::int16_t>(read16(wav, kDataStart + frame * 4 + channel * 2));
}

TEST(NetworkAlarm, IsA48kHzStereo16BitPcmFileOf373248DataBytes) {
    const Bytes wav = networkAlarmWav();
    ASSERT_EQ(wav.size(), 44u + 373248u);
    EXPECT_EQ(brevaro::test::fourcc(wav, 0), "RIFF");
    EXPECT_EQ(read32(wav, 4), wav.size() - 8);
    EXPECT_EQ(brevaro::test::fourcc(wav, 8), "WAVE");
    EXPECT_EQ(brevaro::test::fourcc(wav, 12), "fmt ");
    EXPECT_EQ(read32(wav, 16), 16u);
    EXPECT_EQ(read16(wav, 20), 1u);  // PCM
    EXPECT_EQ(read16(wav, 22), 2u);  // stereo
    EXPECT_EQ(read32(wav, 24), 48000u);
    EXPECT_EQ(read32(wav, 28), 192000u);  // bytes per second
    EXPECT_EQ(read16(wav, 32), 4u);       // block align
    EXPECT_EQ(read16(wav, 34), 16u);
    EXPECT_EQ(brevaro::test::fourcc(wav, 36), "data");
    EXPECT_EQ(read32(wav, 40), 373248u);
    EXPECT_EQ(buildNetworkAlarmWav(), std::vector<std::uint8_t>(wav.begin(), wav.end()));
}

// Starts and ends in silence (no click), loud but never clipped, the same on
// both channels.
TEST(NetworkAlarm, IsCleanLoudAndCentred) {
    const Bytes wav = networkAlarmWav();
    const std::size_t frames = 373248 / 4;
    int peak = 0;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        ASSERT_EQ(sample(wav, frame, 0), sample(wav, frame, 1)) << frame;
        peak = std::max(peak, std::abs(sample(wav, frame, 0)));
    }
    EXPECT_GT(peak, 32767 / 4) << "louder than -12 dBFS";
    EXPECT_LT(peak, 32767 * 9 / 10) << "headroom left";
    EXPECT_EQ(sample(wav, 0, 0), 0);
    EXPECT_EQ(sample(wav, frames - 1, 0), 0);
    // The swell: the first millisecond stays far below the peak.
    for (std::size_t frame = 0; frame < 48; ++frame)
        EXPECT_LT(std::abs(sample(wav, frame, 0)), peak / 8);
}

// High, low, high, low: counted by the waveform's rising zero crossings in
// the steady middle of each tone.
TEST(NetworkAlarm, AlternatesAHighAndALowTone) {
    const Bytes wav = networkAlarmWav();
    const std::size_t period = 17280 + 2880;
    const double expected[] = {880.0, 659.25, 880.0, 659.25};
    for (std::size_t tone = 0; tone < 4; ++tone) {
        const std::size_t begin = tone * period + 2400;  // past the swell
        const std::size_t end = begin + 12000;           // 0.25 s, before the fade
        int crossings = 0;
        for (std::size_t frame = begin + 1; frame < end; ++frame) {
            if (sample(wav, frame - 1, 0) < 0 && sample(wav, frame, 0) >= 0) ++crossings;
        }
        const double hertz = crossings / (static_cast<double>(end - begin) / 48000.0);
        EXPECT_NEAR(hertz, expected[tone], 8.0) << "tone " << tone;
    }
    // Silence between tones and after the last one.
    EXPECT_EQ(sample(wav, 17280 + 1000, 0), 0);
    EXPECT_EQ(sample(wav, 4 * period + 100, 0), 0);
}

}  // namespace
}  // namespace brevaro::app
