#include "alerts/AlertSound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "unit/support/LittleEndianBytes.h"

namespace brevaro::alerts {
namespace {

using brevaro::test::Bytes;
using brevaro::test::fourcc;
using brevaro::test::read16;
using brevaro::test::read32;

struct Chunk {
    std::string id;
    std::size_t header;  // offset of the chunk's id
    std::uint32_t size;  // of its payload, from its header
};

// Walks the chunks of a RIFF body from `begin` to `end` as a reader does
// (payloads padded to even sizes). `tiled` tells whether the last chunk ended
// exactly at `end`.
std::vector<Chunk> chunksOf(Bytes bytes, std::size_t begin, std::size_t end, bool& tiled) {
    std::vector<Chunk> chunks;
    std::size_t offset = begin;
    while (offset + 8 <= end) {
        const std::uint32_t size = read32(bytes, offset + 4);
        chunks.push_back({fourcc(bytes, offset), offset, size});
        offset += 8 + std::size_t{size} + (size & 1);
    }
    tiled = offset == end;
    return chunks;
}

const Chunk* findChunk(const std::vector<Chunk>& chunks, const std::string& id) {
    const auto it =
        std::find_if(chunks.begin(), chunks.end(), [&](const Chunk& c) { return c.id == id; });
    return it == chunks.end() ? nullptr : &*it;
}

TEST(AlertSound, IsOneRiffWaveFileOfFmtListAndData) {
    const Bytes wav = alertSoundWav();
    ASSERT_EQ(wav.size(), 120100u);
    EXPECT_EQ(fourcc(wav, 0), "RIFF");
    EXPECT_EQ(read32(wav, 4), 120100u - 8);
    EXPECT_EQ(fourcc(wav, 8), "WAVE");

    bool tiled = false;
    const std::vector<Chunk> chunks = chunksOf(wav, 12, wav.size(), tiled);
    EXPECT_TRUE(tiled) << "the chunks fill the file exactly";
    ASSERT_EQ(chunks.size(), 3u);
    const struct {
        const char* id;
        std::size_t header;
        std::uint32_t size;
    } expected[] = {
        {"fmt ", 12, 16},
        {"LIST", 36, 240},  // between the format and the samples
        {"data", 284, 119808},
    };
    for (std::size_t i = 0; i < chunks.size(); ++i) {
        SCOPED_TRACE(expected[i].id);
        EXPECT_EQ(chunks[i].id, expected[i].id);
        EXPECT_EQ(chunks[i].header, expected[i].header);
        EXPECT_EQ(chunks[i].size, expected[i].size);
    }
}

TEST(AlertSound, FormatIsStereoSixteenBitPcmAt44100Hz) {
    const Bytes wav = alertSoundWav();
    ASSERT_EQ(wav.size(), 120100u);
    const std::size_t fmt = 20;  // payload of the "fmt " chunk
    ASSERT_EQ(fourcc(wav, fmt - 8), "fmt ");
    const struct {
        const char* field;
        std::size_t offset, width;
        std::uint32_t value;
    } fields[] = {
        {"format tag", 0, 2, 1},     {"channels", 2, 2, 2},     {"sample rate", 4, 4, 44100},
        {"byte rate", 8, 4, 176400}, {"block align", 12, 2, 4}, {"bits per sample", 14, 2, 16},
    };
    for (const auto& f : fields) {
        const std::uint32_t value =
            f.width == 2 ? read16(wav, fmt + f.offset) : read32(wav, fmt + f.offset);
        EXPECT_EQ(value, f.value) << f.field;
    }
}

TEST(AlertSound, ListChunkHoldsOnlyOurCreditsAsText) {
    const Bytes wav = alertSoundWav();
    ASSERT_EQ(wav.size(), 120100u);
    ASSERT_EQ(fourcc(wav, 36), "LIST");
    const std::size_t payload = 44;
    const std::size_t end = payload + read32(wav, 40);
    ASSERT_EQ(fourcc(wav, payload), "INFO");

    bool tiled = false;
    const std::vector<Chunk> credits = chunksOf(wav, payload + 4, end, tiled);
    EXPECT_TRUE(tiled) << "the credits fill the LIST chunk exactly";
    std::vector<std::string> ids;
    for (const Chunk& credit : credits) {
        SCOPED_TRACE(credit.id);
        ids.push_back(credit.id);
        EXPECT_EQ(credit.size % 2, 0u) << "the next credit starts on an even offset";
        // Printable ASCII up to a terminating zero, nothing but zeros after it.
        const Bytes text = wav.subspan(credit.header + 8, credit.size);
        const auto zero = std::find(text.begin(), text.end(), std::uint8_t{0});
        ASSERT_NE(zero, text.end()) << "terminated";
        EXPECT_NE(zero, text.begin()) << "not empty";
        EXPECT_TRUE(
            std::all_of(text.begin(), zero, [](std::uint8_t b) { return b >= 0x20 && b < 0x7F; }));
        EXPECT_TRUE(std::all_of(zero, text.end(), [](std::uint8_t b) { return b == 0; }));
    }
    EXPECT_EQ(ids, (std::vector<std::string>{"INAM", "IART", "ICMT"}));
    const Chunk* artist = findChunk(credits, "IART");
    ASSERT_NE(artist, nullptr);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(wav.data() + artist->header + 8)),
              "Brevaro");
}

// Every call gives the same bytes, and the sound is built once: the block that
// playback reads stays where it is.
TEST(AlertSound, IsTheSameEveryTimeAndBuiltOnce) {
    const Bytes first = alertSoundWav();
    const Bytes second = alertSoundWav();
    EXPECT_EQ(first.data(), second.data());
    const std::vector<std::uint8_t> rebuilt = buildAlertSoundWav();
    EXPECT_TRUE(std::equal(first.begin(), first.end(), rebuilt.begin(), rebuilt.end()));
}

// The synthesis is integer arithmetic, so the native build and the Windows
// builds make the same bytes (this test also runs under Wine). Recompute the
// digest when the chime is changed on purpose.
TEST(AlertSound, SamplesAreTheSameOnEveryBuild) {
    std::uint64_t digest = 0xcbf29ce484222325u;  // FNV-1a, 64 bits
    for (const std::uint8_t byte : alertSoundWav()) {
        digest = (digest ^ byte) * 0x100000001b3u;
    }
    EXPECT_EQ(digest, 0x03833ffef3b2479au);
}

// ---- The samples --------------------------------------------------------

constexpr double kRate = 44100;
constexpr std::size_t kFrames = 29952;
constexpr double kFullScale = 32768;

struct Channels {
    std::vector<std::int16_t> left, right;
};

Channels samplesOf(Bytes wav) {
    Channels channels;
    const std::size_t data = 292;
    for (std::size_t frame = 0; frame < kFrames; ++frame) {
        const std::size_t at = data + 4 * frame;
        channels.left.push_back(static_cast<std::int16_t>(read16(wav, at)));
        channels.right.push_back(static_cast<std::int16_t>(read16(wav, at + 2)));
    }
    return channels;
}

int peakOf(std::span<const std::int16_t> samples) {
    int peak = 0;
    for (const std::int16_t s : samples) peak = std::max(peak, std::abs(int{s}));
    return peak;
}

double rmsOf(std::span<const std::int16_t> samples) {
    double sum = 0;
    for (const std::int16_t s : samples) sum += static_cast<double>(s) * s;
    return std::sqrt(sum / static_cast<double>(samples.size()));
}

std::span<const std::int16_t> millis(const std::vector<std::int16_t>& samples, double from,
                                     double to) {
    const auto begin = static_cast<std::size_t>(from * kRate / 1000);
    const auto end = std::min(samples.size(), static_cast<std::size_t>(to * kRate / 1000));
    return std::span<const std::int16_t>(samples).subspan(begin, end - begin);
}

// The pitch from the sign changes between non-zero samples: a tone of f Hz
// changes sign 2f times a second.
double pitchOf(std::span<const std::int16_t> samples) {
    int sign = 0;
    std::size_t changes = 0, first = 0, last = 0;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        if (samples[i] == 0) continue;
        const int now = samples[i] > 0 ? 1 : -1;
        if (sign != 0 && now != sign) {
            if (changes++ == 0) first = i;
            last = i;
        }
        sign = now;
    }
    if (changes < 2) return 0;
    return static_cast<double>(changes - 1) / 2 * kRate / static_cast<double>(last - first);
}

TEST(AlertSoundSamples, BothChannelsCarryTheSameSound) {
    const Channels c = samplesOf(alertSoundWav());
    EXPECT_EQ(c.left, c.right);
}

TEST(AlertSoundSamples, LeavesHeadroomAndIsClearlyAudible) {
    const Channels c = samplesOf(alertSoundWav());
    const int peak = peakOf(c.left);
    EXPECT_LT(peak, 0.9 * kFullScale) << "no clipping, room to spare";
    EXPECT_GT(peak, 0.25 * kFullScale) << "loud enough to notice";
    // Each note, over its first 150 ms, above -30 dBFS.
    const double half = kFrames / 2 * 1000 / kRate;
    for (const double onset : {0.0, half}) {
        SCOPED_TRACE(onset);
        EXPECT_GT(rmsOf(millis(c.left, onset, onset + 150)), kFullScale * 0.0316);
    }
}

TEST(AlertSoundSamples, StartsAndEndsInSilenceWithoutClicks) {
    const Channels c = samplesOf(alertSoundWav());
    const int peak = peakOf(c.left);
    EXPECT_EQ(c.left.front(), 0);
    EXPECT_EQ(c.left.back(), 0);
    const double length = kFrames * 1000 / kRate;
    EXPECT_LT(peakOf(millis(c.left, 0, 1)), peak / 10) << "swells in";
    EXPECT_LE(peakOf(millis(c.left, length - 10, length)), peak / 1000) << "has died away";
    // A cut-off note or a jump to a sudden level is a step far larger than a
    // chime's own sample-to-sample change.
    int largestStep = 0;
    for (std::size_t i = 1; i < c.left.size(); ++i) {
        largestStep = std::max(largestStep, std::abs(c.left[i] - c.left[i - 1]));
    }
    EXPECT_LT(largestStep, peak / 2);
}

TEST(AlertSoundSamples, StrikesTwoNotesOfDistinctPitch) {
    const Channels c = samplesOf(alertSoundWav());
    const std::span<const std::int16_t> all(c.left);
    const double pitches[] = {pitchOf(all.first(kFrames / 2)), pitchOf(all.subspan(kFrames / 2))};
    for (const double pitch : pitches) {
        EXPECT_GT(pitch, 200) << "a chime, not a hum";
        EXPECT_LT(pitch, 4000) << "a chime, not a whistle";
    }
    EXPECT_GT(std::max(pitches[0], pitches[1]) / std::min(pitches[0], pitches[1]), 1.1)
        << pitches[0] << " Hz, then " << pitches[1] << " Hz";
    // The second note is struck, not a glide: the level rises again after the
    // middle.
    const double half = kFrames / 2 * 1000 / kRate;
    EXPECT_GT(rmsOf(millis(c.left, half + 10, half + 60)),
              4 * rmsOf(millis(c.left, half - 50, half)));
}

}  // namespace
}  // namespace brevaro::alerts
