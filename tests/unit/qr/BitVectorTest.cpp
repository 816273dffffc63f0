// Bit vectors: most significant bit first, whole-byte and bit-by-bit appends
// giving the same bits, and the guards.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "qr/BitVector.h"
#include "unit/qr/QrTestSupport.h"

namespace brevaro::qr {
namespace {

std::string bitsOf(const 位向量类& bits) {
    std::string text;
    for (int i = 0; i < bits.size(); ++i) text += bits.取位值(i) != 0 ? '1' : '0';
    return text;
}

TEST(BitVector, PacksMostSignificantBitFirst) {
    位向量类 bits;
    bits.追加位(1);
    bits.追加位(0);
    bits.追加位(1);
    bits.appendBits(0xF0, 8);  // not byte-aligned: bit by bit
    EXPECT_EQ(bits.size(), 11);
    EXPECT_EQ(bits.sizeInBytes(), 2);
    EXPECT_EQ(bits.bytes(), (std::vector<std::uint8_t>{0xBE, 0x00}));
    EXPECT_EQ(bitsOf(bits), "10111110000");
}

TEST(BitVector, AppendBitsTakesTheLowBitsFromAnyOffset) {
    struct Case {
        int prefixBits;
        std::uint32_t value;
        int n;
        std::string appended;
    };
    const Case cases[] = {
        {0, 0x1234, 16, "0001001000110100"},  // whole bytes
        {3, 0x1234, 16, "0001001000110100"},  // bit by bit
        {8, 0xABCDEF01, 32, "10101011110011011110111100000001"},
        {5, 0xABCDEF01, 32, "10101011110011011110111100000001"},
        {0, 0x7B, 10, "0001111011"},  // the numeric group 123
        {0, 0xFFFF, 4, "1111"},       // only the low n bits
        {4, 0xFFFF, 0, ""},
        {4, 0xFFFF, 33, ""},  // n outside 0 to 32: nothing
        {4, 0xFFFF, -1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.prefixBits << " + " << c.n);
        位向量类 bits;
        for (int i = 0; i < c.prefixBits; ++i) bits.追加位(1);
        bits.appendBits(c.value, c.n);
        EXPECT_EQ(bitsOf(bits),
                  std::string(static_cast<std::size_t>(c.prefixBits), '1') + c.appended);
    }
}

TEST(BitVector, AppendVectorAtEveryOffset) {
    std::mt19937 random(11);
    for (int prefix = 0; prefix < 8; ++prefix) {
        for (int length : {0, 1, 7, 8, 9, 29}) {
            位向量子类 joined;
            位向量类 tail;
            std::string expected;
            for (int i = 0; i < prefix; ++i) {
                const int bit = static_cast<int>(random() % 2);
                joined.追加位(bit);
                expected += static_cast<char>('0' + bit);
            }
            for (int i = 0; i < length; ++i) {
                const int bit = static_cast<int>(random() % 2);
                tail.追加位(bit);
                expected += static_cast<char>('0' + bit);
            }
            joined.appendVector(tail);
            EXPECT_EQ(bitsOf(joined), expected) << prefix << " + " << length;
            EXPECT_EQ(joined.bytes().size(), static_cast<std::size_t>(joined.sizeInBytes()));
        }
    }
}

TEST(BitVector, ExclusiveOrAndCopy) {
    位向量子类 a;
    a.appendBits(0b101100, 6);
    位向量类 b;
    b.appendBits(0b011010, 6);
    a.异或(b);
    EXPECT_EQ(bitsOf(a), "110110");
    位向量子类 copy;
    copy.assign(b);
    EXPECT_EQ(bitsOf(copy), "011010");
}

TEST(BitVector, Guards) {
    位向量类 three;
    three.appendBits(5, 3);
    位向量子类 four;
    four.appendBits(5, 4);
    EXPECT_EQ(test::thrownRecord([&] { three.取位值(3); }),
              (QrFailureRecord{"位向量类", "取位值", "索引超限"}));
    EXPECT_EQ(test::thrownRecord([&] { three.取位值(-1); }),
              (QrFailureRecord{"位向量类", "取位值", "索引超限"}));
    EXPECT_EQ(test::thrownRecord([&] { three.追加位(2); }),
              (QrFailureRecord{"位向量类", "追加位", "位数据只能是0或1"}));
    EXPECT_EQ(test::thrownRecord([&] { four.异或(three); }),
              (QrFailureRecord{"位向量子类", "异或", "两个位向量长度不同，不能做异或运算。"}));
}

}  // namespace
}  // namespace brevaro::qr
