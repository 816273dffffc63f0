#pragma once
// Reading a little-endian file format (a WAV file) byte by byte in tests.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace brevaro::test {

using Bytes = std::span<const std::uint8_t>;

inline std::uint32_t read32(Bytes bytes, std::size_t offset) {
    return std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8 |
           std::uint32_t{bytes[offset + 2]} << 16 | std::uint32_t{bytes[offset + 3]} << 24;
}

inline std::uint32_t read16(Bytes bytes, std::size_t offset) {
    return std::uint32_t{bytes[offset]} | std::uint32_t{bytes[offset + 1]} << 8;
}

// Four bytes as a text, as a chunk's tag.
inline std::string fourcc(Bytes bytes, std::size_t offset) {
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(offset + 4));
}

}  // namespace brevaro::test
