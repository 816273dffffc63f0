// Matrix construction: function patterns, format and version information,
// data placement under each mask, and the choice of mask.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "qr/Encoder.h"
#include "qr/MaskRules.h"
#include "qr/MatrixBuilder.h"
#include "unit/qr/QrTestSupport.h"

namespace brevaro::qr {
namespace {

std::string bitsOf(const 位向量类& bits) {
    std::string text;
    for (int i = 0; i < bits.size(); ++i) text += bits.取位值(i) != 0 ? '1' : '0';
    return text;
}

// The interleaved codewords of a text and the record of its encoding.
struct Stream {
    二维码类 record;
    位向量子类 bits;
};

Stream streamOf(const std::string& text, const QrLevel& level) {
    const 编码类 encoder;
    Stream stream;
    const 位向量子类 data = encoder.dataCodewords(text, level, stream.record);
    encoder.交错容错字节(data, stream.record.totalCodewords, stream.record.dataCodewords,
                         stream.record.blockCount, stream.bits);
    return stream;
}

// ISO/IEC 18004:2006, Annex C, Table C.1.
TEST(MatrixBuilder, FormatInformation) {
    const struct {
        const QrLevel& level;
        int mask;
        const char* bits;
    } cases[] = {
        {levelM(), 0, "101010000010010"}, {levelM(), 5, "100000011001110"},
        {levelL(), 0, "111011111000100"}, {levelL(), 7, "110100101110110"},
        {levelQ(), 2, "011111100110001"}, {levelH(), 1, "001001110111110"},
        {levelH(), 7, "000100000111011"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(bitsOf(矩阵应用类::标记类型信息位(c.level, c.mask)), c.bits)
            << c.level.name << c.mask;
    }
    EXPECT_EQ(test::thrownRecord([] { 矩阵应用类::标记类型信息位(levelL(), 8); }),
              (QrFailureRecord{"矩阵应用类", "标记类型信息位", "掩图无效"}));
}

// Annex D, Table D.1.
TEST(MatrixBuilder, VersionInformation) {
    EXPECT_EQ(bitsOf(矩阵应用类::标记版本信息位(7)), "000111110010010100");   // 0x07C94
    EXPECT_EQ(bitsOf(矩阵应用类::标记版本信息位(8)), "001000010110111100");   // 0x085BC
    EXPECT_EQ(bitsOf(矩阵应用类::标记版本信息位(40)), "101000110001101001");  // 0x28C69
}

TEST(MatrixBuilder, Version1Layout) {
    const Stream stream = streamOf("HELLO WORLD", levelM());
    字节矩阵类 m;
    矩阵应用类::buildMatrix(stream.bits, levelM(), 1, 0, m);
    ASSERT_EQ(m.width(), 21);
    for (const std::uint8_t cell : m.cells()) ASSERT_LE(cell, 1);
    // Timing cells only between the separators, dark first.
    for (int i = 8; i <= 12; ++i) {
        EXPECT_EQ(m.get(i, 6), (i + 1) % 2) << i;
        EXPECT_EQ(m.get(6, i), (i + 1) % 2) << i;
    }
    EXPECT_EQ(m.get(8, 13), 1);  // the dark module
    // Finder corners and their separators.
    for (const auto& [x, y] :
         {std::pair{0, 0}, std::pair{20, 0}, std::pair{0, 20}, std::pair{3, 3}}) {
        EXPECT_EQ(m.get(x, y), 1) << x << "," << y;
    }
    for (const auto& [x, y] :
         {std::pair{7, 7}, std::pair{13, 7}, std::pair{7, 13}, std::pair{1, 1}}) {
        EXPECT_EQ(m.get(x, y), 0) << x << "," << y;
    }
    // Both copies of the format information, bit 14 (the first) at (0, 8).
    const std::string format = bitsOf(矩阵应用类::标记类型信息位(levelM(), 0));
    const std::pair<int, int> first[15] = {{8, 0}, {8, 1}, {8, 2}, {8, 3}, {8, 4},
                                           {8, 5}, {8, 7}, {8, 8}, {7, 8}, {5, 8},
                                           {4, 8}, {3, 8}, {2, 8}, {1, 8}, {0, 8}};
    for (int k = 0; k < 15; ++k) {
        const int bit = format[static_cast<std::size_t>(14 - k)] - '0';
        EXPECT_EQ(m.get(first[k].first, first[k].second), bit) << k;
        if (k < 8) {
            EXPECT_EQ(m.get(20 - k, 8), bit) << k;
        } else {
            EXPECT_EQ(m.get(8, 21 - 7 + (k - 8)), bit) << k;
        }
    }
}

TEST(MatrixBuilder, Version7Layout) {
    const Stream stream = streamOf(std::string(150, 'q'), levelL());
    ASSERT_EQ(stream.record.version, 7);
    字节矩阵类 m;
    矩阵应用类::buildMatrix(stream.bits, levelL(), 7, 3, m);
    ASSERT_EQ(m.width(), 45);
    // The 6 × 3 blocks above the bottom-left and left of the top-right finder.
    const std::string version = bitsOf(矩阵应用类::标记版本信息位(7));
    int index = 17;
    for (int i = 0; i < 6; ++i) {
        for (int j = 0; j < 3; ++j, --index) {
            const int bit = version[static_cast<std::size_t>(index)] - '0';
            EXPECT_EQ(m.get(i, 45 - 11 + j), bit) << i << "," << j;
            EXPECT_EQ(m.get(45 - 11 + j, i), bit) << i << "," << j;
        }
    }
    // Alignment patterns at (6, 22), (22, 6), (22, 22), (22, 38), (38, 22),
    // (38, 38); none on the finders.
    for (const auto& [x, y] :
         {std::pair{6, 22}, std::pair{22, 6}, std::pair{22, 22}, std::pair{38, 38}}) {
        EXPECT_EQ(m.get(x, y), 1);
        EXPECT_EQ(m.get(x + 1, y), 0);
        EXPECT_EQ(m.get(x - 1, y - 1), 0);
        EXPECT_EQ(m.get(x + 2, y - 2), 1);
        EXPECT_EQ(m.get(x - 2, y + 2), 1);
    }
}

TEST(MatrixBuilder, DataMaskConditions) {
    const struct {
        int x, y;
        bool inverted[8];
    } cases[] = {
        {0, 0, {true, true, true, true, true, true, true, true}},
        {1, 0, {false, true, false, false, true, true, true, false}},
        {2, 1, {false, false, false, true, true, false, true, false}},
        {3, 2, {false, true, true, false, true, true, true, false}},
        {4, 5, {false, false, false, true, false, false, true, false}},
        {5, 5, {true, false, false, false, false, false, true, false}},
    };
    for (const auto& c : cases) {
        for (int mask = 0; mask < 8; ++mask) {
            EXPECT_EQ(掩码辅助类::取数据掩码位(mask, c.x, c.y), c.inverted[mask])
                << "mask " << mask << " at " << c.x << "," << c.y;
        }
    }
    EXPECT_EQ(test::thrownRecord([] { 掩码辅助类::取数据掩码位(-1, 0, 0); }),
              (QrFailureRecord{"掩码辅助类", "取数据掩码位", "掩图无效。"}));
}

TEST(MatrixBuilder, EveryMaskGivesADecodableSymbol) {
    BREVARO_REQUIRE_DECODER();
    // 115 alphanumeric characters: version 7 at Q, with version information.
    std::string text = "MASK TEST 0123456789 $%*+-./: ABCDEFGHIJKLMNOPQRSTUVWXYZ ";
    while (text.size() < 115) text += "THE QUICK BROWN FOX ";
    text.resize(115);
    const Stream stream = streamOf(text, levelQ());
    ASSERT_EQ(stream.record.version, 7);
    for (int mask = 0; mask < 8; ++mask) {
        字节矩阵类 m;
        矩阵应用类::buildMatrix(stream.bits, levelQ(), 7, mask, m);
        EXPECT_EQ(test::decodeMatrix(m), text) << "mask " << mask;
    }
}

// The trials score lines of bits; they must agree with scoring the built
// matrix cell by cell, for lines of one, two and three words.
TEST(MatrixBuilder, TrialPenaltiesEqualThePenaltiesOfTheBuiltSymbols) {
    for (const int version : {1, 11, 12, 27, 28, 40}) {
        const QrVersion& record = 二维码类::取版本_通过版本号(version);
        const int bytes = record.totalCodewords - record.blocks(levelM()).totalEc() - 3;
        std::string text;
        for (int i = 0; i < bytes; ++i) text += static_cast<char>('a' + (i * 7 + i / 13) % 26);
        const Stream stream = streamOf(text, levelM());
        ASSERT_EQ(stream.record.version, version);
        const UnmaskedSymbol symbol(stream.bits, levelM(), version);
        for (int mask = 0; mask < 8; ++mask) {
            字节矩阵类 m;
            symbol.applyMask(mask, m);
            EXPECT_EQ(symbol.penalty(mask), 掩码辅助类::score(m))
                << "version " << version << " mask " << mask;
        }
    }
}

TEST(MatrixBuilder, ChoosesTheFirstMaskWithTheLowestPenalty) {
    // "TIE25" at M: masks 4 and 6 share the lowest penalty.
    for (const char* text : {"TIE25", "HELLO WORLD", "https://example.com/t/8812"}) {
        SCOPED_TRACE(text);
        const Stream stream = streamOf(text, levelM());
        std::vector<int> penalties;
        for (int mask = 0; mask < 8; ++mask) {
            字节矩阵类 m;
            矩阵应用类::buildMatrix(stream.bits, levelM(), stream.record.version, mask, m);
            penalties.push_back(掩码辅助类::score(m).total());
        }
        const int first = static_cast<int>(std::min_element(penalties.begin(), penalties.end()) -
                                           penalties.begin());
        字节矩阵类 chosen;
        EXPECT_EQ(编码类().chooseMask(stream.bits, levelM(), stream.record.version, chosen), first);
        字节矩阵类 built;
        矩阵应用类::buildMatrix(stream.bits, levelM(), stream.record.version, first, built);
        EXPECT_EQ(chosen, built);
        if (std::string(text) == "TIE25") {
            EXPECT_EQ(penalties[4], penalties[6]);
            EXPECT_EQ(first, 4);
        }
    }
}

TEST(MatrixBuilder, StreamLongerThanTheSymbol) {
    位向量类 bits;
    for (int i = 0; i < 27; ++i) bits.appendByte(0xA5);  // version 1 holds 26 codewords
    字节矩阵类 m;
    EXPECT_EQ(test::thrownRecord([&] { 矩阵应用类::buildMatrix(bits, levelL(), 1, 0, m); }),
              (QrFailureRecord{"矩阵应用类", "插入数据信息位",
                               "数据位未被全部填充，n：208；位向量大小：216"}));
}

}  // namespace
}  // namespace brevaro::qr
