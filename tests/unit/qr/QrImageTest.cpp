// 创建二维码: arguments, scaling, the .bmp file image, the failures and what
// they leave behind, and symbols read back by an independent decoder across
// modes, levels and versions.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "qr/QrCode.h"
#include "qr/QrImage.h"
#include "text/Encoding.h"
#include "unit/qr/QrTestSupport.h"

namespace brevaro::qr {
namespace {

constexpr QrColour kWhite = 0xFFFFFF;
constexpr QrColour kBlack = 0;

std::uint32_t le(const std::string& bytes, std::size_t at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

// The colour of pixel (x, y), y downwards, of a 24-bit bottom-up .bmp.
QrColour pixel(const std::string& bmp, int x, int y) {
    const std::size_t width = le(bmp, 18, 4);
    const std::size_t height = le(bmp, 22, 4);
    const std::size_t stride = (width * 3 + 3) / 4 * 4;
    const std::size_t at =
        54 + (height - 1 - static_cast<std::size_t>(y)) * stride + static_cast<std::size_t>(x) * 3;
    const auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bmp[i]));
    };
    return byte(at + 2) | byte(at + 1) << 8 | byte(at) << 16;  // stored blue, green, red
}

TEST(QrImage, PlacesTheSymbolByAWholeScale) {
    const struct {
        int modules, width, height;
        QrPlacement placement;
    } cases[] = {
        {21, 300, 300, {12, 24, 24}},  // qrW = 25
        {177, 300, 300, {1, 61, 61}},
        {117, 100, 100, {1, 2, 2}},   // scaled to 121 × 121, cut at 100 × 100
        {21, 300, 200, {8, 66, 16}},  // rw = 12, rh = 8: the smaller
        {21, 200, 300, {8, 16, 66}},
        {21, 10, 10, {1, 2, 2}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(placeSymbol(c.modules, c.modules, c.width, c.height), c.placement)
            << c.modules << " modules in " << c.width << " x " << c.height;
    }
}

TEST(QrImage, Writes24BitBitmapOfTheRequestedSize) {
    const QrColour background = 0x00CCBBAA;  // red AA, green BB, blue CC
    const QrColour module = 0x00332211;
    const std::string bmp = 创建二维码("HELLO WORLD", "M", 301, 203, background, module);
    ASSERT_EQ(bmp.size(), 54u + 904u * 203u);  // rows padded to 4 bytes
    EXPECT_EQ(bmp.substr(0, 2), "BM");
    EXPECT_EQ(le(bmp, 2, 4), bmp.size());
    EXPECT_EQ(le(bmp, 10, 4), 54u);
    EXPECT_EQ(le(bmp, 14, 4), 40u);
    EXPECT_EQ(le(bmp, 18, 4), 301u);
    EXPECT_EQ(le(bmp, 22, 4), 203u);
    EXPECT_EQ(le(bmp, 26, 2), 1u);
    EXPECT_EQ(le(bmp, 28, 2), 24u);
    EXPECT_EQ(le(bmp, 30, 4), 0u);  // uncompressed
    EXPECT_EQ(le(bmp, 46, 4), 0u);  // no colour table

    // Version 1 in 301 × 203: scale 8, left 66, top 17. The top-left finder's
    // corner is dark, the margin around it light.
    ASSERT_EQ(currentQrCode().version, 1);
    EXPECT_EQ(pixel(bmp, 66, 17), module);
    EXPECT_EQ(pixel(bmp, 66 + 8 * 7 - 1, 17 + 8 * 7 - 1), module);
    EXPECT_EQ(pixel(bmp, 65, 17), background);
    EXPECT_EQ(pixel(bmp, 66, 16), background);
    EXPECT_EQ(pixel(bmp, 66 + 8, 17 + 8), background);  // the finder's light ring
    EXPECT_EQ(pixel(bmp, 0, 0), background);
    EXPECT_EQ(pixel(bmp, 300, 202), background);
    EXPECT_EQ(pixel(bmp, 66 + 8 * 21 - 1, 17), module);  // top-right finder's corner
    EXPECT_EQ(pixel(bmp, 66 + 8 * 21, 17), background);
    // Padding bytes stay 0.
    EXPECT_EQ(bmp[54 + 903], '\0');
}

TEST(QrImage, DefaultsAndLevelNames) {
    const struct {
        std::optional<std::string_view> level;
        int width, height;
        const char* levelName;
        std::size_t size;
    } cases[] = {
        {std::nullopt, 0, -5, "L", 54 + 300 * 100},
        {"m", 120, 0, "M", 54 + 360 * 100},
        {"q", 100, 100, "Q", 54 + 300 * 100},
        {"H", 41, 41, "H", 54 + 124 * 41},
    };
    for (const auto& c : cases) {
        const std::string bmp = 创建二维码("12345", c.level, c.width, c.height, kWhite, kBlack);
        EXPECT_EQ(bmp.size(), c.size) << c.levelName;
        EXPECT_STREQ(currentQrCode().level->name, c.levelName);
    }
}

TEST(QrImage, SymbolLargerThanThePictureIsCut) {
    // 1200 bytes take version 25 at L (117 modules); the default 100 × 100
    // picture shows the top-left part.
    const std::string bmp = 创建二维码(std::string(1200, 'x'), std::nullopt, 0, 0, kWhite, kBlack);
    ASSERT_EQ(currentQrCode().version, 25);
    EXPECT_EQ(le(bmp, 18, 4), 100u);
    EXPECT_EQ(le(bmp, 22, 4), 100u);
    EXPECT_EQ(pixel(bmp, 2, 2), kBlack);
    EXPECT_EQ(pixel(bmp, 1, 1), kWhite);
}

TEST(QrImage, FailuresAreReportedAndLeaveTheRecordAsItWas) {
    const std::string before = 创建二维码("BEFORE 1", "Q", 100, 100, kWhite, kBlack);
    ASSERT_FALSE(before.empty());
    const 二维码类 kept = currentQrCode();

    const struct {
        const char* what;
        std::string content;
        std::optional<std::string_view> level;
        int width;
        QrFailureRecord record;
    } cases[] = {
        {"ASCII spaces", "   ", std::nullopt, 300, {"二维码模块", "编码", "没有编码内容"}},
        {"full-width spaces", "　 　", "M", 300, {"二维码模块", "编码", "没有编码内容"}},
        {"empty", "", "M", 300, {"二维码模块", "编码", "没有编码内容"}},
        {"level X",
         "A",
         "X",
         300,
         {"二维码模块", "创建二维码", "容错等级必须为L、M、Q、H四个之一。"}},
        {"empty level",
         "A",
         "",
         300,
         {"二维码模块", "创建二维码", "容错等级必须为L、M、Q、H四个之一。"}},
        {"level LM",
         "A",
         "LM",
         300,
         {"二维码模块", "创建二维码", "容错等级必须为L、M、Q、H四个之一。"}},
        {"too long for version 40",
         std::string(2954, 'a'),
         "L",
         300,
         {"编码类", "初始化二维码", ""}},
        {"too long at H", std::string(1274, 'a'), "h", 300, {"编码类", "初始化二维码", ""}},
        {"picture too large", "A", "L", 1 << 30, {"二维码模块", "创建二维码", "图片尺寸过大"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const test::FailureLog log;
        EXPECT_EQ(创建二维码(c.content, c.level, c.width, c.width, kWhite, kBlack), "");
        ASSERT_EQ(log.records().size(), 1u);
        EXPECT_EQ(log.records()[0], c.record);
        const 二维码类& now = currentQrCode();
        EXPECT_EQ(now.version, kept.version);
        EXPECT_EQ(now.maskPattern, kept.maskPattern);
        EXPECT_EQ(now.level, kept.level);
        EXPECT_EQ(now.mode, kept.mode);
        EXPECT_EQ(now.matrix, kept.matrix);
    }

    // The next encoding goes on as usual.
    EXPECT_EQ(创建二维码("BEFORE 1", "Q", 100, 100, kWhite, kBlack), before);
    EXPECT_EQ(创建二维码(" A ", "L", 100, 100, kWhite, kBlack).size(), before.size());
    EXPECT_EQ(currentQrCode().version, 1);
}

TEST(QrImage, TextEndsAtItsFirstZeroByte) {
    const std::string withZero("AB\0CD", 5);
    const std::string bmp = 创建二维码(withZero, "L", 100, 100, kWhite, kBlack);
    EXPECT_EQ(bmp, 创建二维码("AB", "L", 100, 100, kWhite, kBlack));
    const test::FailureLog log;
    EXPECT_EQ(创建二维码(std::string("\0AB", 3), "L", 100, 100, kWhite, kBlack), "");
    EXPECT_EQ(log.records().size(), 1u);
}

TEST(QrImage, SpacesAreEncoded) {
    BREVARO_REQUIRE_DECODER();
    for (const char* text : {" A ", "　京东 ", "a  b"}) {
        EXPECT_EQ(test::decodeBitmap(创建二维码(text, "M", 300, 300, kWhite, kBlack)),
                  text::gbkToUtf8(text));
    }
}

// Data bytes of chars characters in numeric or alphanumeric mode.
int dataBytes(const QrMode& mode, int chars) {
    const int bits = mode == numericMode() ? chars / 3 * 10 + (chars % 3 == 1   ? 4
                                                               : chars % 3 == 2 ? 7
                                                                                : 0)
                                           : chars / 2 * 11 + chars % 2 * 6;
    return (bits + 7) / 8;
}

// The longest text of a mode that our version choice puts into the version.
std::string fillingText(const QrMode& mode, int version, const QrLevel& level) {
    const QrVersion& record = 二维码类::取版本_通过版本号(version);
    const int room = record.totalCodewords - record.blocks(level).totalEc() - 3;  // data bytes
    std::string text;
    if (mode == byteMode()) {
        // Chinese characters (two GBK bytes, three UTF-8 bytes), then ASCII
        // up to the room in UTF-8 bytes.
        const std::string chinese = "京东红包满减券";
        int utf8Bytes = 0;
        for (std::size_t i = 0; utf8Bytes + 3 <= room;
             i = (i + 2) % chinese.size(), utf8Bytes += 3) {
            text += chinese.substr(i, 2);
        }
        text.append(static_cast<std::size_t>(room - utf8Bytes), 'a');
        return text;
    }
    const std::string set =
        mode == numericMode() ? "0123456789" : "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:";
    for (int i = 0; dataBytes(mode, i + 1) <= room; ++i)
        text += set[static_cast<std::size_t>(i * 7) % set.size()];
    return text;
}

TEST(QrImage, DecodesInEveryModeLevelAndCountWidth) {
    BREVARO_REQUIRE_DECODER();
    for (const int version : {1, 9, 10, 26, 27, 40}) {
        for (const QrMode* mode : {&numericMode(), &alphanumericMode(), &byteMode()}) {
            for (const QrLevel& level : qrLevels()) {
                SCOPED_TRACE(testing::Message() << "version " << version << " level " << level.name
                                                << " mode " << text::gbkToUtf8(mode->name));
                const std::string text = fillingText(*mode, version, level);
                const int side = (17 + 4 * version + 4) * 3;
                const std::string bmp =
                    创建二维码(text, std::string_view(level.name), side, side, kWhite, kBlack);
                ASSERT_FALSE(bmp.empty());
                EXPECT_EQ(currentQrCode().version, version);
                EXPECT_EQ(*currentQrCode().mode, *mode);
                EXPECT_EQ(test::decodeBitmap(bmp), text::gbkToUtf8(text));
            }
        }
    }
}

}  // namespace
}  // namespace brevaro::qr
