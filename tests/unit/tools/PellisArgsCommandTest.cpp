#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "unit/tools/CliRun.h"
#include "TestSupport.h"

namespace brevaro::cli {
namespace {

// alert-cmdline's output goes into pellis-args as it stands and comes back as
// the texts the alert window shows (UTF-8).
TEST(CliPellisArgs, ReadsBackAlertCmdline) {
    const CliRun line = runTool({"alert-cmdline", "http://bbs.example/thread-1-1-1.html", test::utf8(u8"京东 红包 满100减20"),
                             "2024-05-01 10:05", test::utf8(u8"红包"), "10"});
    ASSERT_EQ(line.code, kExitOk);
    ASSERT_TRUE(line.out.ends_with("\n"));
    const CliRun read = runTool({"pellis-args", line.out.substr(0, line.out.size() - 1)});
    EXPECT_EQ(read.code, kExitOk);
    EXPECT_EQ(read.err, "");
    EXPECT_EQ(read.out, test::utf8(u8"address=http://bbs.example/thread-1-1-1.html\n"
                                   u8"title=帖子名称：京东 红包 满100减20\n"
                                   u8"time=发帖时间：2024-05-01 10:05\n"
                                   u8"keyword=对应的关键词：红包\n"
                                   u8"stay=10\n"));
}

TEST(CliPellisArgs, ShowsDesignTextsEscapedBreaksAndAMissingStay) {
    const CliRun read = runTool({"pellis-args", "Pellis.exe %E5%B8%96%E5%AD%90%E5%90%8D%E7%A7%B0%3Aa%0Ab"});
    EXPECT_EQ(read.code, kExitOk);
    EXPECT_EQ(read.out, test::utf8(u8"address=\n"
                                   u8"title=帖子名称：a\\nb\n"
                                   u8"time=发帖时间：\n"
                                   u8"keyword=对应关键词：\n"
                                   u8"stay=\n"));
}

TEST(CliPellisArgs, WantsExactlyOneCommandLine) {
    const std::vector<std::string> cases[] = {{"pellis-args"}, {"pellis-args", " a", " b"}};
    for (const auto& args : cases) {
        const CliRun result = runTool(args);
        EXPECT_EQ(result.code, kExitUsage);
        EXPECT_EQ(result.out, "");
        EXPECT_NE(result.err, "");
    }
}

}  // namespace
}  // namespace brevaro::cli
