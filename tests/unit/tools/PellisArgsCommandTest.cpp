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
                                   u8"stay=10\n"
                                   u8"opens=http://bbs.example/thread-1-1-1.html\n"));
}

// "opens=" is the exact text the "查看原帖" button hands the shell: the post
// address as one escaped ASCII argument, nothing for an address that is no
// web address.
TEST(CliPellisArgs, ShowsWhatTheViewButtonOpens) {
    const struct {
        std::string link;
        std::string opens;
    } cases[] = {
        {"http://bbs.example/a\" --kiosk b.html", "http://bbs.example/a%22%20--kiosk%20b.html"},
        {test::utf8(u8"HTTPS://bbs.example/京东|x"), "HTTPS://bbs.example/%E4%BA%AC%E4%B8%9C%7Cx"},
        {"http://bbs.example/%E4%BA%AC", "http://bbs.example/%E4%BA%AC"},
        {"thread-1-1-1.html", ""},
        {"C:\\windows\\notepad.exe", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        const CliRun line = runTool({"alert-cmdline", c.link, "t", "10:05", "k", "10"});
        ASSERT_EQ(line.code, kExitOk);
        const CliRun read = runTool({"pellis-args", line.out.substr(0, line.out.size() - 1)});
        EXPECT_EQ(read.code, kExitOk);
        EXPECT_TRUE(read.out.ends_with("\nstay=10\nopens=" + c.opens + "\n")) << read.out;
    }
}

TEST(CliPellisArgs, ShowsDesignTextsEscapedBreaksAndAMissingStay) {
    const CliRun read = runTool({"pellis-args", "Pellis.exe %E5%B8%96%E5%AD%90%E5%90%8D%E7%A7%B0%3Aa%0Ab"});
    EXPECT_EQ(read.code, kExitOk);
    EXPECT_EQ(read.out, test::utf8(u8"address=\n"
                                   u8"title=帖子名称：a\\nb\n"
                                   u8"time=发帖时间：\n"
                                   u8"keyword=对应关键词：\n"
                                   u8"stay=\n"
                                   u8"opens=\n"));
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
