#include <gtest/gtest.h>

#include "BuildConstants.h"
#include "app/catalogue/ShellConfig.h"

namespace brevaro::app {
namespace {

TEST(ShellConfig, LoginPageKeepsItsDoubleSlashAndEncodedReferer) {
    EXPECT_EQ(loginPageUrl("www.zuanke8.com"),
              "http://www.zuanke8.com//member.php?mod=logging&action=login&referer=http%3A%2F%2F"
              "www.zuanke8.com%2Findex.php");
    EXPECT_EQ(loginPageUrl("127.0.0.1:8080"),
              "http://127.0.0.1:8080//member.php?mod=logging&action=login&referer=http%3A%2F%2F"
              "127.0.0.1:8080%2Findex.php");
}

TEST(ShellConfig, BoardListUrlsUseTheConfiguredHostOfEachRole) {
    ShellConfig config;
    config.forumHost = "127.0.0.1:1001";
    config.articleHost = "127.0.0.1:1002";
    config.tipSiteHost = "127.0.0.1:1003";
    EXPECT_EQ(boardListUrl(config, *monitor::boardForPage(0)),
              "http://127.0.0.1:1001/forum-15-1.html");
    EXPECT_EQ(boardListUrl(config, *monitor::boardForPage(5)),
              "http://127.0.0.1:1001/forum-11-1.html");
    EXPECT_EQ(boardListUrl(config, *monitor::boardForPage(6)), "https://127.0.0.1:1002/");
    EXPECT_EQ(boardListUrl(config, *monitor::boardForPage(8)), "https://127.0.0.1:1003/");
}

// The release program reads what the build was configured with; its board
// addresses are the monitors' own.
TEST(ShellConfig, ReleaseTakesTheBuildTimeConstants) {
    const ShellConfig config = releaseShellConfig();
    EXPECT_EQ(config.netTestUrl, build::kNetTestUrl);
    EXPECT_EQ(config.noticeUrl, std::string("http://") + build::kNoticeHost +
                                    "/app/fenfa/604183527/zaixiangonggao.html");
    EXPECT_EQ(config.contact, build::kContact);
    EXPECT_NE(config.exitSentence.find(config.contact), std::string::npos)
        << "the sentence tells the user how to keep in touch";
    for (const monitor::BoardSpec& board : monitor::boardCatalogue()) {
        EXPECT_EQ(boardListUrl(config, board), monitor::boardUrl(board)) << board.pageIndex;
    }
    // The settings panel's group is a group of its own.
    for (const std::string* other : {&config.links.updateGroup, &config.links.officialGroup,
                                     &config.links.robotGroup, &config.links.feedbackGroup}) {
        EXPECT_NE(config.links.settingsGroup, *other);
    }
}

}  // namespace
}  // namespace brevaro::app
