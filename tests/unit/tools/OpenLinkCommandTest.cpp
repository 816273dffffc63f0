#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Cli.h"
#include "TestSupport.h"
#include "unit/tools/CliRun.h"

namespace brevaro::cli {
namespace {

constexpr const char* kForumList = "http://www.zuanke8.com/forum-19-1.html";

// UTF-8 in; out, the one ASCII line a double click hands the shell.
TEST(CliOpenLink, PrintsWhatADoubleClickHandsTheShell) {
    const struct {
        std::string link;
        std::string shell;
    } cases[] = {
        {"thread-1-1-1.html", "http://www.zuanke8.com/thread-1-1-1.html"},
        {test::utf8(u8"  forum.php?q=京东 红包\r\n"),
         "http://www.zuanke8.com/forum.php?q=%E4%BA%AC%E4%B8%9C%20%E7%BA%A2%E5%8C%85"},
        {"https://evil.example/\" --kiosk \"x", "https://evil.example/%22%20--kiosk%20%22x"},
        {"//bbs.example/a|b\\c", "http://bbs.example/a%7Cb%5Cc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        const CliRun result = runTool({"open-link", kForumList, c.link});
        EXPECT_EQ(result.code, kExitOk);
        EXPECT_EQ(result.out, c.shell + "\n");
        EXPECT_EQ(result.err, "");
    }
}

TEST(CliOpenLink, PrintsNothingForALinkThatOpensNothing) {
    const std::vector<std::string> cases[] = {
        {"open-link", kForumList, ""},
        {"open-link", kForumList, "javascript:alert(1)"},
        {"open-link", kForumList, "C:\\windows\\notepad.exe"},
        {"open-link", kForumList, "http://"},
        {"open-link", "file:///C:/boards/list.html", "thread-1-1-1.html"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun result = runTool(args);
        EXPECT_EQ(result.code, kExitNothingToOpen);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, "");
    }
}

TEST(CliOpenLink, WantsAListAddressAndALink) {
    const std::vector<std::string> cases[] = {
        {"open-link"}, {"open-link", kForumList}, {"open-link", kForumList, "a.html", "b.html"}};
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        const CliRun result = runTool(args);
        EXPECT_EQ(result.code, kExitUsage);
        EXPECT_EQ(result.out, "");
        ASSERT_FALSE(result.err.empty());
        EXPECT_EQ(result.err.find('\n'), result.err.size() - 1) << "one line";
    }
}

}  // namespace
}  // namespace brevaro::cli
