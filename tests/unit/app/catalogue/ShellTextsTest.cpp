#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/catalogue/ShellLayout.h"
#include "app/catalogue/ShellTexts.h"

namespace brevaro::app {
namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find("\r\n", start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return lines;
}

TEST(UsageText, SixNotesThreeEmptyLinesAndTheIndentedDisclaimer) {
    const std::string text = usageText();
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1) << "lines end with CR LF";
    const std::vector<std::string> lines = linesOf(text);
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_EQ(lines[0], "其他说明：");
    EXPECT_EQ(lines[1],
              "1、本程序每个版块都有单独的控制面板，互相不冲突，可根据自己的需求监控某个版块，弹窗"
              "功能也不冲突。");
    EXPECT_EQ(lines[2].rfind("2、", 0), 0u);
    EXPECT_NE(lines[2].find("右下角"), std::string::npos);
    EXPECT_NE(lines[2].find("右键"), std::string::npos);
    EXPECT_EQ(lines[3], "3、控制面板可通过菜单《控制面板设置》收起。");
    EXPECT_EQ(lines[4], "4、由于程序重写，可能存在未知BUG，如遇BUG，请加群反馈！！！谢谢");
    EXPECT_EQ(lines[5],
              "5、由于赚吧开启账号才可访问论坛，请先点击菜单 赚客吧 "
              "登录，登录你的账号再开启监控，仅支持使用QQ登录（先自己绑定QQ）");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "");
    EXPECT_EQ(lines[9], std::string(56, ' ') +
                            "本程序仅供于学习参考，禁止用于任何违法用途，任何法律责任由使用者承担");
}

TEST(ExitBox, TwoLinesAnEmptyLineApartWithTheirIndents) {
    EXPECT_EQ(exitBoxText("请记下联系方式。"), std::string(25, ' ') + "确定要退出软件吗？\r\n\r\n" +
                                                   std::string(5, ' ') + "请记下联系方式。");
    EXPECT_EQ(kExitBoxTitle, "信息：");
}

TEST(AnnouncementCaption, PrefixAloneOrFollowedByTheTextAsItStands) {
    EXPECT_EQ(announcementCaption(""), "在线公告：");
    EXPECT_EQ(announcementCaption("Hello &amp; 再见"), "在线公告：Hello &amp; 再见");
}

}  // namespace
}  // namespace brevaro::app
