#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "Cli.h"
#include "TestSupport.h"

namespace brevaro::cli {
namespace {

constexpr const char* kAddressLabel = "%E5%B8%96%E5%AD%90%E5%9C%B0%E5%9D%80%3A";
constexpr const char* kTitleLabel = "%E5%B8%96%E5%AD%90%E5%90%8D%E7%A7%B0%3A";
constexpr const char* kTimeLabel = "%E5%B8%96%E5%AD%90%E6%97%B6%E9%97%B4%3A";
constexpr const char* kKeywordLabel = "%E5%85%B3%E9%94%AE%E8%AF%8D%E8%AF%AD%3A";

// UTF-8 in, the line as the companion receives it out (UTF-8): Chinese
// values arrive encoded, the stay text as typed.
TEST(CliAlertCmdline, PrintsTheCompanionCommandLine) {
    const struct {
        std::vector<std::string> args;
        std::string line;
    } cases[] = {
        {{"thread-1-1-1.html", "AB", "10:05", "B", "10"},
         std::string(" ") + kAddressLabel + "thread-1-1-1.html " + kTitleLabel + "AB " +
             kTimeLabel + "10%3A05 " + kKeywordLabel + "B" + test::utf8(u8" 频率:10")},
        {{"", test::utf8(u8"京东 红包"), test::utf8(u8"1小时前"), test::utf8(u8"红包"),
          test::utf8(u8"十 秒")},
         std::string(" ") + kAddressLabel + " " + kTitleLabel +
             "%E4%BA%AC%E4%B8%9C%20%E7%BA%A2%E5%8C%85 " + kTimeLabel +
             "1%E5%B0%8F%E6%97%B6%E5%89%8D " + kKeywordLabel + "%E7%BA%A2%E5%8C%85" +
             test::utf8(u8" 频率:十 秒")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<std::string> args{"alert-cmdline"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        std::ostringstream out, err;
        EXPECT_EQ(runCli(args, out, err), kExitOk);
        EXPECT_EQ(out.str(), c.line + "\n");
        EXPECT_EQ(err.str(), "");
    }
}

TEST(CliAlertCmdline, WantsExactlyFiveTexts) {
    const std::vector<std::string> cases[] = {
        {"alert-cmdline", "link", "title", "time", "keyword"},
        {"alert-cmdline", "link", "title", "time", "keyword", "10", "extra"},
    };
    for (const auto& args : cases) {
        SCOPED_TRACE(testing::PrintToString(args));
        std::ostringstream out, err;
        EXPECT_EQ(runCli(args, out, err), kExitUsage);
        EXPECT_EQ(out.str(), "");
        ASSERT_FALSE(err.str().empty());
        EXPECT_EQ(err.str().find('\n'), err.str().size() - 1) << "one line";
    }
}

}  // namespace
}  // namespace brevaro::cli
