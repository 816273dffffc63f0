#pragma once
// The voice alert's sound: a short two-note chime that the program makes
// itself, as a complete RIFF/WAVE file held in memory (playback reads it from
// there; no file is written).
//
// Layout, 120,100 bytes, every number little-endian:
//   offset 0    "RIFF" 120,092 "WAVE"
//   offset 12   "fmt " 16: PCM (tag 1), 2 channels, 44,100 Hz, 176,400 bytes/s,
//               block align 4, 16 bits
//   offset 36   "LIST" 240: "INFO" and the credits (INAM, IART, ICMT), the last
//               text padded with zero bytes to fill the chunk
//   offset 284  "data" 119,808: 29,952 stereo frames, about 0.68 s
//
// The chime: a soft "ding" on E6 (1318.5 Hz) from the first frame and a
// "dong" on C6 (1046.5 Hz) from the middle frame, a falling major third.
// Each note is a sine with a quieter octave above it that fades faster, so
// the tone turns purer as it dies away; it swells in over 8 ms (no click) and
// decays as (1 - t/length)^3 to exactly zero. The first note rings on faintly
// under the second; the second dies away at the last frame. Peak about
// -6 dBFS; both channels carry the same samples.

#include <cstdint>
#include <span>
#include <vector>

namespace brevaro::alerts {

// Builds the file from scratch. Integer arithmetic only, so every call and
// every build (native, x86_64, i686) gives the same bytes.
std::vector<std::uint8_t> buildAlertSoundWav();

// The file, built once on first use (from any thread) and kept until the
// process ends: an asynchronous playback reads it while the sound plays.
std::span<const std::uint8_t> alertSoundWav();

}  // namespace brevaro::alerts
