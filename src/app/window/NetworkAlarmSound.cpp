#include "app/window/NetworkAlarmSound.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "alerts/WavBytes.h"

namespace brevaro::app {
namespace {

constexpr std::uint16_t kChannels = 2;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
constexpr std::int64_t kFrames = kAlarmDataBytes / kBlockAlign;
constexpr std::uint32_t kFmtBytes = alerts::wav::kPcmFormatBytes;
constexpr std::uint32_t kRiffBytes = 4 + (8 + kFmtBytes) + (8 + kAlarmDataBytes);
static_assert(kFrames == 93312 && 8 + kRiffBytes == 373292);

constexpr std::int64_t kToneFrames = 17280;   // 0.36 s
constexpr std::int64_t kGapFrames = 2880;     // 60 ms
constexpr std::int64_t kAttackFrames = 288;   // 6 ms
constexpr std::int64_t kReleaseFrames = 960;  // 20 ms
constexpr double kHigh = 880.0;
constexpr double kLow = 659.25;
constexpr double kTones[] = {kHigh, kLow, kHigh, kLow};
constexpr double kPeak = 0.5 * 32767;
constexpr double kThirdHarmonic = 0.22;
static_assert(std::size(kTones) * (kToneFrames + kGapFrames) <= kFrames);

// The envelope at frame t of a tone: a raised-cosine swell and fade.
double envelope(std::int64_t t) {
    const auto ease = [](double u) { return 0.5 - 0.5 * std::cos(std::numbers::pi * u); };
    if (t < kAttackFrames) return ease(static_cast<double>(t) / kAttackFrames);
    const std::int64_t left = kToneFrames - t;
    if (left < kReleaseFrames) return ease(static_cast<double>(left) / kReleaseFrames);
    return 1.0;
}

std::int16_t sampleAt(std::int64_t frame) {
    const std::int64_t period = kToneFrames + kGapFrames;
    const std::int64_t tone = frame / period;
    const std::int64_t t = frame % period;
    if (tone >= static_cast<std::int64_t>(std::size(kTones)) || t >= kToneFrames) return 0;
    const double phase =
        2 * std::numbers::pi * kTones[tone] * static_cast<double>(t) / kAlarmSampleRate;
    const double wave =
        (std::sin(phase) + kThirdHarmonic * std::sin(3 * phase)) / (1 + kThirdHarmonic);
    const double value = kPeak * envelope(t) * wave;
    return static_cast<std::int16_t>(std::clamp<long>(std::lround(value), -32767, 32767));
}

}  // namespace

std::vector<std::uint8_t> buildNetworkAlarmWav() {
    std::vector<std::uint8_t> wav;
    wav.reserve(8 + kRiffBytes);
    alerts::wav::putPcmHeader(wav, kRiffBytes, kChannels, kAlarmSampleRate, kBitsPerSample);
    alerts::wav::putText(wav, "data", 4);
    alerts::wav::put32(wav, kAlarmDataBytes);
    for (std::int64_t frame = 0; frame < kFrames; ++frame) {
        const auto sample = static_cast<std::uint16_t>(sampleAt(frame));
        for (int channel = 0; channel < kChannels; ++channel) alerts::wav::put16(wav, sample);
    }
    return wav;
}

std::span<const std::uint8_t> networkAlarmWav() {
    // Never freed: a playback still reading the block while the process ends
    // must not find it destroyed by the static destructors.
    static const std::vector<std::uint8_t>* const wav =
        new std::vector<std::uint8_t>(buildNetworkAlarmWav());
    return *wav;
}

}  // namespace brevaro::app
