#include "app/catalogue/ShellLayout.h"

namespace brevaro::app {
namespace {

constexpr Box row(int top, int left = 0, int height = 30) {
    return {left, top, kLinksWidth, height};
}

using enum LinkTarget;

constexpr std::array kLinkRows{
    LinkRow{"访问官网", row(0), FontRole::YaHei13, true, None},
    LinkRow{"有问题联系作者", row(11), FontRole::YaHei13, true, ContactPage},
    LinkRow{"添加作者更新QQ群", row(41), FontRole::YaHei13, true, UpdateGroup},
    LinkRow{"", row(70, -1), FontRole::YaHei13, true, ContactPage},
    LinkRow{"友情链接", row(102, 0, 16), FontRole::YaHei12, false, None},
    LinkRow{"Lumaq官网", row(122), FontRole::YaHei13, true, Site},
    LinkRow{"Lumaq官方群", row(152), FontRole::YaHei13, true, OfficialGroup},
    LinkRow{"Lumaq机器人线报群", row(182), FontRole::YaHei13, true, RobotGroup},
    LinkRow{"收起", row(212), FontRole::YaHei13, true, Hide},
};

}  // namespace

std::span<const LinkRow> linkRows() {
    return kLinkRows;
}

}  // namespace brevaro::app
