#include "Cli.h"
#include "unit/tools/CliRun.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "FieldEscape.h"
#include "TestSupport.h"

namespace brevaro::cli {
namespace {

// Every board's sample page gives exactly the rows written down by hand
// beside it (UTF-8, nine escaped fields per line).
TEST(CliExtract, SamplePagesGiveTheRowsWrittenBesideThem) {
    for (const test::BoardSample& sample : test::kBoardSamples) {
        SCOPED_TRACE(sample.file);
        const std::string page = test::fixturePath("boards/" + std::string(sample.file) + ".html").string();
        const auto expected = test::readBytes(test::fixturePath("boards/" + std::string(sample.file) + ".rows.tsv"));
        ASSERT_TRUE(expected);
        const CliRun result = runTool({"extract", "--board", std::to_string(sample.page), page});
        EXPECT_EQ(result.code, kExitOk);
        EXPECT_EQ(result.err, "");
        EXPECT_EQ(result.out, *expected);
    }
}

TEST(CliExtract, RefusesBadArguments) {
    const std::string page = test::fixturePath("boards/forum-15-1.html").string();
    const std::vector<std::string> cases[] = {
        {"extract"},
        {"extract", page},
        {"extract", "--board", "0"},
        {"extract", "--board", "7", page},
        {"extract", "--board", "9", page},
        {"extract", "--board", "x", page},
        {"extract", "--board", "1x", page},
        {"extract", "--board", "0", page, "extra"},
        {"extract", "--board", "0", "--verbose", page},
        {"extract", "--board", "0", test::fixturePath("boards/no-such-page.html").string()},
        {"extract", "--board", "0", test::fixturePath("boards").string()},
        {},
        {"frobnicate"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun result = runTool(args);
        EXPECT_EQ(result.code, kExitUsage);
        EXPECT_EQ(result.out, "");
        ASSERT_FALSE(result.err.empty());
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line";
    }
}

TEST(CliMatch, PrintsTheMatchedKeyword) {
    struct Case {
        std::string keywords, title;
        int code;
        std::string out;
    };
    const Case cases[] = {
        {test::utf8(u8"红包*京东"), test::utf8(u8"抢京东券"), kExitOk, test::utf8(u8"京东\n")},
        {test::utf8(u8"红包*京东"), test::utf8(u8"京东红包"), kExitOk, test::utf8(u8"红包\n")},
        {"", test::utf8(u8"任意"), kExitOk, "\n"},
        {test::utf8(u8"红包"), test::utf8(u8"淘宝"), kExitNoMatch, ""},
        {"***", test::utf8(u8"京东"), kExitNoMatch, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.keywords + " / " + c.title);
        const CliRun result = runTool({"match", c.keywords, c.title});
        EXPECT_EQ(result.code, c.code);
        EXPECT_EQ(result.out, c.out);
    }
    EXPECT_EQ(runTool({"match", "only-one"}).code, kExitUsage);
}

TEST(FieldEscape, KeepsOneRowOnOneLine) {
    EXPECT_EQ(escapeField("a\tb\r\nc\\d"), "a\\tb\\r\\nc\\\\d");
    EXPECT_EQ(escapeField("京东"), "京东");
}

}  // namespace
}  // namespace brevaro::cli
