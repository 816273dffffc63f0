#pragma once
// Writing a RIFF/WAVE file of 16-bit PCM samples byte by byte, little-endian,
// as the program's generated sounds are made. Portable.

#include <cstdint>
#include <string_view>
#include <vector>

namespace brevaro::alerts::wav {

inline void put16(std::vector<std::uint8_t>& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

inline void put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>((value >> shift) & 0xFF));
}

// The text's bytes, then zero bytes up to `bytes` in all.
inline void putText(std::vector<std::uint8_t>& out, std::string_view text, std::uint32_t bytes) {
    out.insert(out.end(), text.begin(), text.end());
    out.insert(out.end(), bytes - text.size(), 0);
}

inline constexpr std::uint32_t kPcmFormatBytes = 16;

// "RIFF", the RIFF size, "WAVE" and the "fmt " chunk of a PCM format.
inline void putPcmHeader(std::vector<std::uint8_t>& out, std::uint32_t riffBytes, std::uint16_t channels,
                         std::uint32_t sampleRate, std::uint16_t bitsPerSample) {
    const auto blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    putText(out, "RIFF", 4);
    put32(out, riffBytes);
    putText(out, "WAVE", 4);
    putText(out, "fmt ", 4);
    put32(out, kPcmFormatBytes);
    put16(out, 1);  // PCM
    put16(out, channels);
    put32(out, sampleRate);
    put32(out, sampleRate * blockAlign);
    put16(out, blockAlign);
    put16(out, bitsPerSample);
}

}  // namespace brevaro::alerts::wav
