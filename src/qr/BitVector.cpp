#include "qr/BitVector.h"

#include <cstddef>

#include "qr/QrFailure.h"

namespace brevaro::qr {

int 位向量类::取位值(int i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= bits_) failQr(kClassName, "取位值", "索引超限");
    const std::size_t index = static_cast<std::size_t>(i);
    return (bytes_[index / 8] >> (7 - index % 8)) & 1;
}

void 位向量类::追加位(int bit) {
    if (bit != 0 && bit != 1) failQr(kClassName, "追加位", "位数据只能是0或1");
    if (bits_ % 8 == 0) bytes_.push_back(0);
    if (bit != 0) bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (0x80u >> (bits_ % 8)));
    ++bits_;
}

void 位向量类::appendByte(std::uint8_t byte) {
    appendBits(byte, 8);
}

void 位向量类::appendBits(std::uint32_t value, int n) {
    if (n < 0 || n > 32) return;
    int left = n;
    // Whole bytes while the stream is byte-aligned, then what does not fill one.
    while (left >= 8 && bits_ % 8 == 0) {
        left -= 8;
        bytes_.push_back(static_cast<std::uint8_t>(value >> left));
        bits_ += 8;
    }
    while (left > 0) {
        --left;
        追加位(static_cast<int>((value >> left) & 1u));
    }
}

void 位向量子类::assign(const 位向量类& other) {
    bytes_ = other.bytes();
    bits_ = static_cast<std::size_t>(other.size());
}

void 位向量子类::appendVector(const 位向量类& other) {
    const std::size_t otherBits = static_cast<std::size_t>(other.size());
    const std::vector<std::uint8_t>& source = other.bytes();
    const unsigned shift = static_cast<unsigned>(bits_ % 8);
    if (shift == 0) {
        bytes_.insert(bytes_.end(), source.begin(), source.end());
    } else {
        // Each source byte straddles the open last byte and a new one.
        bytes_.reserve(bytes_.size() + source.size());
        for (const std::uint8_t byte : source) {
            bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (byte >> shift));
            bytes_.push_back(static_cast<std::uint8_t>(byte << (8 - shift)));
        }
    }
    bits_ += otherBits;
    bytes_.resize((bits_ + 7) / 8);  // drops a byte that holds no bit
}

void 位向量子类::异或(const 位向量类& other) {
    if (other.size() != size()) {
        failQr(kClassName, "异或", "两个位向量长度不同，不能做异或运算。");
    }
    for (std::size_t i = 0; i < bytes_.size(); ++i) bytes_[i] ^= other.bytes()[i];
}

}  // namespace brevaro::qr
