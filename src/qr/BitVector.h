#pragma once
// Bit vectors for the codeword stream: bits packed most significant first
// (bit i lives in byte i / 8 at weight 2^(7 − i % 8)); unused low bits of the
// last byte are 0.

#include <cstdint>
#include <vector>

namespace brevaro::qr {

class 位向量类 {
public:
    static constexpr const char* kClassName = "位向量类";

    int size() const { return static_cast<int>(bits_); }
    int sizeInBytes() const { return static_cast<int>((bits_ + 7) / 8); }

    // The bit at index 0 ≤ i < size().
    int 取位值(int i) const;
    // Appends one bit, 0 or 1.
    void 追加位(int bit);
    void appendByte(std::uint8_t byte);
    // Appends the low n bits of value, most significant first, for
    // 0 ≤ n ≤ 32; any other n appends nothing.
    void appendBits(std::uint32_t value, int n);

    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

protected:
    std::vector<std::uint8_t> bytes_;
    std::size_t bits_ = 0;
};

// A bit vector that also takes whole vectors.
class 位向量子类 : public 位向量类 {
public:
    static constexpr const char* kClassName = "位向量子类";

    // Replaces the content by a copy of other.
    void assign(const 位向量类& other);
    // Appends every bit of other, in order.
    void appendVector(const 位向量类& other);
    // Exclusive-or with a vector of the same length.
    void 异或(const 位向量类& other);
};

}  // namespace brevaro::qr
