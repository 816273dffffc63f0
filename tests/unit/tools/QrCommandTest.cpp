// brevaro-cli qr, run in-process: the picture it writes reads back as the
// text, in every mode; failures and bad arguments write no file.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "unit/tools/CliRun.h"
#include "TestSupport.h"
#include "unit/qr/QrTestSupport.h"

namespace brevaro::cli {
namespace {

TEST(CliQr, WritesAPictureThatReadsBackAsTheText) {
    struct Case {
        std::vector<std::string> options;
        std::string text;  // UTF-8
        std::string line;
    };
    const Case cases[] = {
        {{}, "12345678", "version=1 level=L mask=3 mode=numeric\n"},
        {{"--level", "h", "--width", "300", "--height", "300"},
         "HELLO WORLD",
         "version=2 level=H mask=5 mode=alphanumeric\n"},
        {{"--level", "M", "--width", "250"},
         "https://example.com/t/8812",
         "version=3 level=M mask=3 mode=byte\n"},
        {{"--height", "-1", "--level", "Q", "--width", "400"},
         test::utf8(u8"京东红包 满100减20"),
         "version=3 level=Q mask=4 mode=byte\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const std::string path = qr::test::tempPath(".bmp");
        std::vector<std::string> args{"qr"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        args.push_back(c.text);
        args.push_back(path);
        const CliRun result = runTool(args);
        EXPECT_EQ(result.code, kExitOk);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, c.line);
        const auto image = test::readBytes(path);
        ASSERT_TRUE(image);
        std::filesystem::remove(path);
        if (qr::test::decoderAvailable()) {
            EXPECT_EQ(qr::test::decodeBitmap(*image), c.text);
        }
    }
}

TEST(CliQr, FailuresAndBadArgumentsWriteNoFile) {
    const std::string path = qr::test::tempPath(".bmp");
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;  // empty: any one line
    };
    const Case cases[] = {
        {{"qr", "   ", path},
         kExitQrFailure,
         test::utf8(u8"异常来源：[二维码模块]\r\n方法名称：编码()\r\n异常信息：没有编码内容\n")},
        {{"qr", "--level", "X", "A", path},
         kExitQrFailure,
         test::utf8(u8"异常来源：[二维码模块]\r\n方法名称：创建二维码()"
                    u8"\r\n异常信息：容错等级必须为L、M、Q、H四个之一。\n")},
        {{"qr", std::string(2954, 'a'), path},
         kExitQrFailure,
         test::utf8(u8"异常来源：[编码类]\r\n方法名称：初始化二维码()\r\n异常信息：\n")},
        {{"qr", "A"}, kExitUsage, ""},
        {{"qr", "--width", "x", "A", path}, kExitUsage, ""},
        {{"qr", "--width", "1", "--width", "2", "A", path}, kExitUsage, ""},
        {{"qr", "--colour", "red", "A", path}, kExitUsage, ""},
        {{"qr", "A", path, "extra"}, kExitUsage, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args).substr(0, 80));
        const CliRun result = runTool(c.args);
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.out, "");
        if (c.err.empty()) {
            EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line";
        } else {
            EXPECT_EQ(result.err, c.err);
        }
        EXPECT_FALSE(std::filesystem::exists(path));
    }
}

}  // namespace
}  // namespace brevaro::cli
