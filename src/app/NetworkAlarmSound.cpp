#include "app/NetworkAlarmSound.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

namespace brevaro::app {
namespace {

constexpr std::uint16_t kChannels = 2;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
constexpr std::int64_t kFrames = kAlarmDataBytes / kBlockAlign;
constexpr std::uint32_t kFmtBytes = 16;
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

void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift & 0xFF));
}

void putTag(std::vector<std::uint8_t>& out, std::string_view tag) {
    out.insert(out.end(), tag.begin(), tag.end());
}

}  // namespace

std::vector<std::uint8_t> buildNetworkAlarmWav() {
    std::vector<std::uint8_t> wav;
    wav.reserve(8 + kRiffBytes);
    putTag(wav, "RIFF");
    put32(wav, kRiffBytes);
    putTag(wav, "WAVE");
    putTag(wav, "fmt ");
    put32(wav, kFmtBytes);
    put16(wav, 1);  // PCM
    put16(wav, kChannels);
    put32(wav, kAlarmSampleRate);
    put32(wav, kAlarmSampleRate * kBlockAlign);
    put16(wav, kBlockAlign);
    put16(wav, kBitsPerSample);
    putTag(wav, "data");
    put32(wav, kAlarmDataBytes);
    for (std::int64_t frame = 0; frame < kFrames; ++frame) {
        const auto sample = static_cast<std::uint16_t>(sampleAt(frame));
        for (int channel = 0; channel < kChannels; ++channel) put16(wav, sample);
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
