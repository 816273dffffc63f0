#include "alerts/AlertSound.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "alerts/WavBytes.h"

namespace brevaro::alerts {
namespace {

using wav::put16;
using wav::put32;
using wav::putPcmHeader;
using wav::putText;

constexpr std::uint32_t kSampleRate = 44100;
constexpr std::uint16_t kChannels = 2;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint16_t kBlockAlign = kChannels * kBitsPerSample / 8;
constexpr std::int64_t kFrames = 29952;
constexpr std::uint32_t kDataBytes = static_cast<std::uint32_t>(kFrames) * kBlockAlign;
constexpr std::uint32_t kFmtBytes = wav::kPcmFormatBytes;
constexpr std::uint32_t kListBytes = 240;
// "WAVE" and three chunks, each an 8-byte header and its payload.
constexpr std::uint32_t kRiffBytes = 4 + (8 + kFmtBytes) + (8 + kListBytes) + (8 + kDataBytes);
static_assert(kDataBytes == 119808 && 8 + kRiffBytes == 120100);

// ---- Credits -------------------------------------------------------------

struct Credit {
    std::string_view id;
    std::string_view text;
};

// Plain ASCII: INFO texts are read in whatever code page the reader uses.
// The last text takes the room left in the chunk.
constexpr Credit kCredits[] = {
    {"INAM", "Brevaro new-post chime"},
    {"IART", "Brevaro"},
    {"ICMT",
     "Two notes, E6 then C6, made by Brevaro's own code: the sound of a new post "
     "whose title holds one of your keywords."},
};

// A text, its terminating zero and one more zero when that makes the size odd
// (chunks start on even offsets).
constexpr std::uint32_t creditBytes(std::string_view text) {
    return static_cast<std::uint32_t>(text.size() + 2) & ~std::uint32_t{1};
}

// Room for the last text: the chunk less "INFO", every header and the texts
// before it.
constexpr std::uint32_t lastCreditBytes() {
    std::uint32_t used = 4 + 8 * static_cast<std::uint32_t>(std::size(kCredits));
    for (std::size_t i = 0; i + 1 < std::size(kCredits); ++i) used += creditBytes(kCredits[i].text);
    return kListBytes - used;
}
static_assert(lastCreditBytes() >= creditBytes(std::end(kCredits)[-1].text) &&
                  lastCreditBytes() % 2 == 0,
              "the credits must fit the LIST chunk");

// ---- Synthesis in Q30 fixed point (1.0 == 2^30) ----------------------------

constexpr std::int64_t kOne = std::int64_t{1} << 30;

// sin(2 pi phase / 2^32). The phase, read as signed, spans [-pi, pi) with 2^30
// at pi/2; it is folded onto [-pi/2, pi/2], where sin(pi x / 2) is its odd
// Taylor polynomial to x^9 (error under 4e-6, a tenth of a sample step).
std::int64_t sine(std::uint32_t phase) {
    std::int64_t x = static_cast<std::int32_t>(phase);
    if (x > kOne) {
        x = 2 * kOne - x;  // sin(pi - a) == sin(a)
    } else if (x < -kOne) {
        x = -2 * kOne - x;  // sin(-pi - a) == sin(a)
    }
    const std::int64_t x2 = (x * x) >> 30;
    std::int64_t sum = 172272;              //  (pi/2)^9 / 9!
    sum = -5026995 + ((sum * x2) >> 30);    // -(pi/2)^7 / 7!
    sum = 85569306 + ((sum * x2) >> 30);    //  (pi/2)^5 / 5!
    sum = -693598668 + ((sum * x2) >> 30);  // -(pi/2)^3 / 3!
    sum = 1686629713 + ((sum * x2) >> 30);  //   pi/2
    return (sum * x) >> 30;
}

struct Note {
    std::uint32_t centihertz;
    std::int64_t onset;      // first frame
    std::int64_t length;     // frames until it has died away to nothing
    std::int64_t amplitude;  // of the fundamental at the top of the swell, in sample steps
};

constexpr std::int64_t kAttackFrames = 353;      // 8 ms
constexpr std::int64_t kOctaveShare = kOne / 5;  // of the fundamental, at the start

constexpr Note kNotes[] = {
    {131851, 0, 19845, 15000},                            // E6, 0.45 s: rings on under the second
    {104650, kFrames / 2, kFrames - kFrames / 2, 13500},  // C6, ends at the last frame
};

// The note's contribution to one frame, in sample steps.
std::int64_t noteSample(const Note& note, std::int64_t frame) {
    const std::int64_t t = frame - note.onset;
    if (t < 0 || t >= note.length) return 0;
    // Phase step per frame, 2^32 per cycle, rounded.
    const std::uint64_t step = ((std::uint64_t{note.centihertz} << 32) + kSampleRate * 50) /
                               (std::uint64_t{kSampleRate} * 100);
    const auto phase = static_cast<std::uint32_t>(step * static_cast<std::uint64_t>(t));

    // Swell: smoothstep u^2 (3 - 2u), flat at both ends, so the note starts
    // from silence without a click.
    std::int64_t swell = kOne;
    if (t < kAttackFrames) {
        const std::int64_t u = t * kOne / kAttackFrames;
        swell = (((u * u) >> 30) * (3 * kOne - 2 * u)) >> 30;
    }
    // Decay: (1 - t/length)^3, reaching zero with a flat slope.
    const std::int64_t rest = (note.length - t) * kOne / note.length;
    const std::int64_t decay = (((rest * rest) >> 30) * rest) >> 30;

    const std::int64_t octave = (kOctaveShare * decay) >> 30;
    const std::int64_t tone = sine(phase) + ((octave * sine(phase * 2u)) >> 30);
    const std::int64_t level = (swell * decay) >> 30;
    return (((level * tone) >> 30) * note.amplitude + (kOne >> 1)) >> 30;
}

}  // namespace

std::vector<std::uint8_t> buildAlertSoundWav() {
    std::vector<std::uint8_t> wav;
    wav.reserve(8 + kRiffBytes);

    putPcmHeader(wav, kRiffBytes, kChannels, kSampleRate, kBitsPerSample);

    putText(wav, "LIST", 4);
    put32(wav, kListBytes);
    putText(wav, "INFO", 4);
    for (std::size_t i = 0; i < std::size(kCredits); ++i) {
        const Credit& credit = kCredits[i];
        const std::uint32_t bytes =
            i + 1 < std::size(kCredits) ? creditBytes(credit.text) : lastCreditBytes();
        putText(wav, credit.id, 4);
        put32(wav, bytes);
        putText(wav, credit.text, bytes);
    }

    putText(wav, "data", 4);
    put32(wav, kDataBytes);
    for (std::int64_t frame = 0; frame < kFrames; ++frame) {
        std::int64_t sum = 0;
        for (const Note& note : kNotes) sum += noteSample(note, frame);
        const auto sample = static_cast<std::int16_t>(std::clamp<std::int64_t>(sum, -32767, 32767));
        for (int channel = 0; channel < kChannels; ++channel)
            put16(wav, static_cast<std::uint16_t>(sample));
    }
    return wav;
}

std::span<const std::uint8_t> alertSoundWav() {
    // Never freed: a playback still reading the block while the process ends
    // must not find it destroyed by the static destructors.
    static const std::vector<std::uint8_t>* const wav =
        new std::vector<std::uint8_t>(buildAlertSoundWav());
    return *wav;
}

}  // namespace brevaro::alerts
