#pragma once
// The network alarm: the sound the start-up plays once when the network test
// fails, made by the program itself as a complete RIFF/WAVE file in memory.
//
// Layout, 373,292 bytes, numbers little-endian:
//   offset 0   "RIFF" 373,284 "WAVE"
//   offset 12  "fmt " 16: PCM (tag 1), 2 channels, 48,000 Hz, 192,000 bytes/s,
//              block align 4, 16 bits
//   offset 36  "data" 373,248: 93,312 stereo frames, 1.944 s
//
// The sound: a two-tone warning, high-low-high-low (A5 880 Hz, E5 659.25 Hz),
// each tone 0.36 s with 60 ms between tones, then silence to the end. Each
// tone is a sine with a quieter third harmonic, which gives it the edge of a
// warning rather than a chime; it swells in over 6 ms and fades out over
// 20 ms, so no tone starts or stops with a click. Peak about -6 dBFS; both
// channels carry the same samples.

#include <cstdint>
#include <span>
#include <vector>

namespace brevaro::app {

inline constexpr std::uint32_t kAlarmSampleRate = 48000;
inline constexpr std::uint32_t kAlarmDataBytes = 373248;

// Builds the file from scratch.
std::vector<std::uint8_t> buildNetworkAlarmWav();

// The file, built once on first use and kept until the process ends: an
// asynchronous playback reads it while the sound plays.
std::span<const std::uint8_t> networkAlarmWav();

}  // namespace brevaro::app
