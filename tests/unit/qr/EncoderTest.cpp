// The encoder: modes, bit streams, version choice, codewords and blocks, as
// ISO/IEC 18004 and its worked examples give them.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "qr/Encoder.h"
#include "qr/QrCode.h"
#include "unit/qr/QrTestSupport.h"

namespace brevaro::qr {
namespace {

using test::thrownRecord;

std::string bitsOf(const 位向量类& bits) {
    std::string text;
    for (int i = 0; i < bits.size(); ++i) text += bits.取位值(i) != 0 ? '1' : '0';
    return text;
}

std::vector<int> bytesOf(const 位向量类& bits) {
    return {bits.bytes().begin(), bits.bytes().end()};
}

class EncoderTest : public testing::Test {
protected:
    编码类 encoder;
};

TEST_F(EncoderTest, ChoosesOneModeForTheWholeText) {
    const struct {
        const char* text;
        const QrMode& mode;
    } cases[] = {
        {"12345", numericMode()},
        {"ABC-123", alphanumericMode()},
        {"HTTP://A.CN/X $%*+", alphanumericMode()},
        {"hello", byteMode()},  // lower case is outside the alphanumeric set
        {"123?", byteMode()},
        {"二维码", byteMode()},
        {"A二", byteMode()},
        {"", byteMode()},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(encoder.chooseMode(c.text).name, c.mode.name) << c.text;
    }
    EXPECT_EQ(encoder.alphanumericValue('Z'), 35);
    EXPECT_EQ(encoder.alphanumericValue(':'), 44);
    EXPECT_EQ(encoder.alphanumericValue('a'), -1);
    EXPECT_EQ(encoder.alphanumericValue(96), -1);
    EXPECT_EQ(encoder.alphanumericValue(-1), -1);
}

TEST_F(EncoderTest, DataBitsOfEachMode) {
    const struct {
        const char* text;
        const char* bits;
    } cases[] = {
        {"1", "0001"},
        {"12", "0001100"},
        {"123", "0001111011"},
        {"01234567",
         "0000001100"
         "0101011001"
         "1000011"},
        // (10·45 + 12), (41·45 + 4), 2
        {"AC-42",
         "00111001110"
         "11100111001"
         "000010"},
        {"hi",
         "01101000"
         "01101001"},
        // GBK 二 is carried as its UTF-8 bytes E4 BA 8C
        {"二",
         "11100100"
         "10111010"
         "10001100"},
    };
    for (const auto& c : cases) {
        位向量类 bits;
        encoder.appendData(c.text, encoder.chooseMode(c.text), bits);
        EXPECT_EQ(bitsOf(bits), c.bits) << c.text;
    }
}

TEST_F(EncoderTest, KnownDataCodewords) {
    const struct {
        const char* text;
        const QrLevel& level;
        int version;
        std::vector<int> codewords;
    } cases[] = {
        {"01234567",
         levelM(),
         1,
         {16, 32, 12, 86, 97, 128, 236, 17, 236, 17, 236, 17, 236, 17, 236, 17}},
        {"HELLO WORLD",
         levelM(),
         1,
         {32, 91, 11, 120, 209, 114, 220, 77, 67, 64, 236, 17, 236, 17, 236, 17}},
        // byte mode, count 5
        {"hello",
         levelL(),
         1,
         {0x40, 0x56, 0x86, 0x56, 0xC6, 0xC6, 0xF0, 236, 17, 236, 17, 236, 17, 236, 17, 236, 17,
          236, 17}},
        // byte mode, count 9: three UTF-8 characters of three bytes, not 6
        {"二维码",
         levelL(),
         1,
         {0x40, 0x9E, 0x4B, 0xA8, 0xCE, 0x7B, 0xBB, 0x4E, 0x7A, 0x08, 0x10, 236, 17, 236, 17, 236,
          17, 236, 17}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        二维码类 record;
        const 位向量子类 codewords = encoder.dataCodewords(c.text, c.level, record);
        EXPECT_EQ(record.version, c.version);
        EXPECT_EQ(bytesOf(codewords), c.codewords);
    }
}

TEST_F(EncoderTest, EncodingFillsTheRecord) {
    二维码类 record;
    encoder.编码("HELLO WORLD", levelM(), record);
    EXPECT_TRUE(record.isValid());
    EXPECT_EQ(*record.mode, alphanumericMode());
    EXPECT_STREQ(record.level->name, "M");
    EXPECT_EQ(record.version, 1);
    EXPECT_EQ(record.matrixWidth, 21);
    EXPECT_EQ(record.totalCodewords, 26);
    EXPECT_EQ(record.dataCodewords, 16);
    EXPECT_EQ(record.ecCodewords, 10);
    EXPECT_EQ(record.blockCount, 1);
    EXPECT_TRUE(二维码类::isValidMask(record.maskPattern));
    EXPECT_EQ(record.matrix.width(), 21);
    for (const std::uint8_t cell : record.matrix.cells()) ASSERT_LE(cell, 1);

    record.reset();
    EXPECT_FALSE(record.isValid());
    EXPECT_EQ(record.version, -1);
    EXPECT_EQ(record.blockCount, -1);
}

// The smallest version whose data codewords hold the data plus 3 bytes.
TEST_F(EncoderTest, ChoosesTheSmallestVersionWithRoom) {
    const struct {
        int byteCount;
        const QrLevel& level;
        int version;
    } cases[] = {
        {16, levelL(), 1},                           // 19 data codewords
        {17, levelL(), 2},    {6, levelH(), 1},      // 9
        {7, levelH(), 2},     {229, levelL(), 9},    // 232
        {230, levelL(), 10},  {2953, levelL(), 40},  // 2956
        {1273, levelH(), 40},                        // 1276
    };
    for (const auto& c : cases) {
        二维码类 record;
        encoder.初始化二维码(c.byteCount, c.level, byteMode(), record);
        EXPECT_EQ(record.version, c.version) << c.byteCount << " bytes at " << c.level.name;
        EXPECT_EQ(record.matrixWidth, 17 + 4 * c.version);
    }
    二维码类 record;
    EXPECT_EQ(thrownRecord([&] { encoder.初始化二维码(2954, levelL(), byteMode(), record); }),
              (QrFailureRecord{"编码类", "初始化二维码", ""}));
}

TEST_F(EncoderTest, LongestTexts) {
    二维码类 record;
    encoder.编码(std::string(2954, '7'), levelL(), record);  // numeric: 1231 bytes
    EXPECT_EQ(*record.mode, numericMode());
    EXPECT_TRUE(record.isValid());

    encoder.编码(std::string(2953, 'a'), levelL(), record);
    EXPECT_EQ(record.version, 40);
    EXPECT_EQ(thrownRecord([&] { encoder.编码(std::string(2954, 'a'), levelL(), record); }),
              (QrFailureRecord{"编码类", "初始化二维码", ""}));
}

TEST_F(EncoderTest, HigherLevelNeverTakesASmallerVersion) {
    for (const std::string& text : {std::string("1"), std::string("HELLO WORLD"),
                                    std::string(100, 'x'), std::string(700, '9')}) {
        二维码类 low;
        二维码类 high;
        encoder.dataCodewords(text, levelL(), low);
        encoder.dataCodewords(text, levelH(), high);
        EXPECT_GE(high.version, low.version) << text.size();
    }
}

TEST_F(EncoderTest, TerminatorAndPadCodewords) {
    const struct {
        int bits;
        int dataCodewords;
        std::string tail;  // what follows the stream
    } cases[] = {
        {24, 3, ""},    // full at a byte boundary: nothing added
        {22, 3, "00"},  // terminator cut short by the capacity
        {12, 3,
         "0000"
         "11101100"},  // terminator ends the byte, one pad
        {13, 4,
         "0000"
         "0000000"
         "11101100"},
        {8, 5,
         "0000"
         "0000"
         "11101100"
         "00010001"
         "11101100"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bits << " bits in " << c.dataCodewords);
        位向量类 bits;
        for (int i = 0; i < c.bits; ++i) bits.追加位(1);
        encoder.结束数据位(c.dataCodewords, bits);
        EXPECT_EQ(bitsOf(bits), std::string(static_cast<std::size_t>(c.bits), '1') + c.tail);
    }
}

TEST_F(EncoderTest, BlockSizesFollowTable9) {
    // Version 5-Q: 62 data codewords in two blocks of 15 and two of 16, 18 EC each.
    const 编码类::BlockSizes v5q[] = {{15, 18}, {15, 18}, {16, 18}, {16, 18}};
    for (int block = 0; block < 4; ++block) {
        EXPECT_EQ(encoder.根据块ID取数据字节数和容错字节数(134, 62, 4, block), v5q[block]);
    }
    EXPECT_EQ(thrownRecord([&] { encoder.根据块ID取数据字节数和容错字节数(134, 62, 4, 4); }),
              (QrFailureRecord{"编码类", "根据块ID取数据字节数和容错字节数", "无效值"}));

    // The division reproduces every version's groups at every level.
    for (int number = 1; number <= 40; ++number) {
        const QrVersion& version = 二维码类::取版本_通过版本号(number);
        for (const QrLevel& level : qrLevels()) {
            const QrLevelBlocks& blocks = version.blocks(level);
            const int data = version.totalCodewords - blocks.totalEc();
            for (int block = 0; block < blocks.blockCount(); ++block) {
                const QrBlockGroup& group = blocks.groups[block < blocks.groups[0].blocks ? 0 : 1];
                ASSERT_EQ(encoder.根据块ID取数据字节数和容错字节数(version.totalCodewords, data,
                                                                   blocks.blockCount(), block),
                          (编码类::BlockSizes{group.dataCodewords, blocks.ecPerBlock}))
                    << "version " << number << " level " << level.name << " block " << block;
            }
        }
    }
}

TEST_F(EncoderTest, VersionTable) {
    const struct {
        int version;
        int total;
        int data[4];  // L, M, Q, H
    } cases[] = {
        {1, 26, {19, 16, 13, 9}},
        {2, 44, {34, 28, 22, 16}},
        {7, 196, {156, 124, 88, 66}},
        {10, 346, {274, 216, 154, 122}},
        {26, 1706, {1370, 1062, 754, 596}},
        {27, 1828, {1468, 1128, 808, 628}},
        {40, 3706, {2956, 2334, 1666, 1276}},
    };
    for (const auto& c : cases) {
        const QrVersion& version = 二维码类::取版本_通过版本号(c.version);
        EXPECT_EQ(version.totalCodewords, c.total);
        EXPECT_EQ(version.dimension, 17 + 4 * c.version);
        for (std::size_t level = 0; level < 4; ++level) {
            EXPECT_EQ(c.total - version.blocks(qrLevels()[level]).totalEc(), c.data[level])
                << "version " << c.version << " level " << qrLevels()[level].name;
        }
    }
    EXPECT_EQ(
        thrownRecord([] { 二维码类::取版本_通过版本号(0); }),
        (QrFailureRecord{"二维码类", "取版本_通过版本号", "版本号不在0到40之间。当前版本号：0"}));
    EXPECT_EQ(thrownRecord([] { 二维码类::取版本_通过版本号(41); }).message,
              "版本号不在0到40之间。当前版本号：41");
}

TEST_F(EncoderTest, InterleavesDataThenErrorCorrection) {
    // Version 5-Q: blocks of 15, 15, 16 and 16 data codewords.
    位向量类 data;
    for (int i = 0; i < 62; ++i) data.appendByte(static_cast<std::uint8_t>(i));
    位向量子类 result;
    encoder.交错容错字节(data, 134, 62, 4, result);
    const std::vector<int> out = bytesOf(result);
    ASSERT_EQ(out.size(), 134u);
    EXPECT_EQ(std::vector<int>(out.begin(), out.begin() + 8),
              (std::vector<int>{0, 15, 30, 46, 1, 16, 31, 47}));
    // Only the longer blocks have a sixteenth data codeword.
    EXPECT_EQ(out[60], 45);
    EXPECT_EQ(out[61], 61);
    const std::vector<std::uint8_t> block0(data.bytes().begin(), data.bytes().begin() + 15);
    const std::vector<std::uint8_t> block3(data.bytes().begin() + 46, data.bytes().end());
    const std::vector<std::uint8_t> ec0 = encoder.ecCodewords(block0, 18);
    const std::vector<std::uint8_t> ec3 = encoder.ecCodewords(block3, 18);
    for (std::size_t i = 0; i < 18; ++i) {
        EXPECT_EQ(out[62 + 4 * i], ec0[i]);
        EXPECT_EQ(out[62 + 4 * i + 3], ec3[i]);
    }

    位向量子类 unused;
    EXPECT_EQ(thrownRecord([&] { encoder.交错容错字节(data, 134, 61, 4, unused); }),
              (QrFailureRecord{"编码类", "交错容错字节", "位数和数据字节数不匹配"}));
}

TEST_F(EncoderTest, GuardsOfTheStream) {
    位向量类 bits;
    const struct {
        const char* what;
        std::function<void()> action;
        QrFailureRecord record;
    } cases[] = {
        {"character outside the set",
         [&] { encoder.追加字母数字字节("AB?", bits); },
         {"编码类", "追加字母数字字节", "无效值"}},
        {"last character outside the set",
         [&] { encoder.追加字母数字字节("a", bits); },
         {"编码类", "追加字母数字字节", "无效值"}},
        {"count too wide",
         [&] { encoder.追加长度信息(256, 9, byteMode(), bits); },
         {"编码类", "追加长度信息", "要添加信息过多"}},
        {"stream over capacity",
         [&] {
             位向量类 full;
             full.appendBits(0, 17);
             encoder.结束数据位(2, full);
         },
         {"编码类", "结束数据位", "数据无法填充"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(thrownRecord(c.action), c.record);
    }
    // The widths at the edges of the version ranges.
    位向量类 count;
    encoder.追加长度信息(255, 9, byteMode(), count);
    encoder.追加长度信息(65535, 10, byteMode(), count);
    encoder.追加长度信息(1023, 9, numericMode(), count);
    encoder.追加长度信息(4095, 26, numericMode(), count);
    encoder.追加长度信息(16383, 27, numericMode(), count);
    encoder.追加长度信息(8191, 40, alphanumericMode(), count);
    EXPECT_EQ(count.size(), 8 + 16 + 10 + 12 + 14 + 13);
}

}  // namespace
}  // namespace brevaro::qr
