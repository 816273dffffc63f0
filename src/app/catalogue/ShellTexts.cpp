#include "app/catalogue/ShellTexts.h"

#include <array>

#include "app/catalogue/ShellLayout.h"

namespace brevaro::app {
namespace {

constexpr std::array<std::string_view, 6> kUsageNotes{
    "其他说明：",
    "1、本程序每个版块都有单独的控制面板，互相不冲突，可根据自己的需求监控某个版块，弹窗功能也不冲"
    "突。",
    "2、点击右上角的关闭功能并不会退出程序，而是将程序收到屏幕右下角，在那里用鼠标右键点击即可关闭"
    "。",
    "3、控制面板可通过菜单《控制面板设置》收起。",
    "4、由于程序重写，可能存在未知BUG，如遇BUG，请加群反馈！！！谢谢",
    "5、由于赚吧开启账号才可访问论坛，请先点击菜单 赚客吧 "
    "登录，登录你的账号再开启监控，仅支持使用QQ登录（先自己绑定QQ）",
};

constexpr std::string_view kLineEnd = "\r\n";
constexpr int kEmptyLinesBeforeDisclaimer = 3;
constexpr std::size_t kDisclaimerIndent = 56;

}  // namespace

std::string usageText() {
    std::string text;
    for (std::string_view note : kUsageNotes) {
        text += note;
        text += kLineEnd;
    }
    for (int i = 0; i < kEmptyLinesBeforeDisclaimer; ++i) text += kLineEnd;
    text.append(kDisclaimerIndent, ' ');
    text += kDisclaimerText;
    return text;
}

std::string exitBoxText(std::string_view sentence) {
    std::string text(25, ' ');
    text += "确定要退出软件吗？";
    text += "\r\n\r\n";
    text.append(5, ' ');
    text += sentence;
    return text;
}

std::string announcementCaption(std::string_view announcement) {
    std::string caption(kAnnouncementPrefix);
    caption += announcement;
    return caption;
}

}  // namespace brevaro::app
