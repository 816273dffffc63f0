#include "SitePlan.h"

namespace brevaro::sites {

namespace {

test::FirstPost forumPost(const char* id, const wchar_t* title) {
    return {"<tbody", "</tbody>", id, title};
}

}  // namespace

const std::vector<SiteBoard>& siteBoards() {
    static const std::vector<SiteBoard> boards{
        {0, "forum-15-1.html", forumPost("9012001", L"工行二类户开通后每月能领几次立减金？"), true,
         true, false},
        {1, "forum-19-1.html", forumPost("9013201", L"京东 PLUS 会员 12.12 领 200-20 全品券，速度"),
         true, false, false},
        {2, "forum-31-1.html", forumPost("9015601", L"爱奇艺黄金会员月卡 兑换码"), false, true,
         false},
        {3, "forum-25-1.html", forumPost("9016701", L"移动 2000 积分兑换的 10 元话费券"), false,
         false, false},
        // 邀请专区: the hostile site's board, when the sites have one.
        {4, "forum-20-1.html", forumPost("9014501", L"美团 新人 15 元红包 邀请码互助，互相助力"), true, true,
         true},
        {5, "forum-11-1.html", forumPost("9017801", L"注册某理财 APP 实名即可，秒结"), true, false,
         false},
        {6,
         "iqshw-front.html",
         {"<li>", "</li>", "142611", L"QQ会员 签到领 7 天超级会员"},
         false,
         true,
         false},
        {8,
         "lumaq-front.html",
         {"<li>", "</li>", "1024", L"招行饭票 周五 5 折 五星之选", true},
         true,
         false,
         false},
    };
    return boards;
}

}  // namespace brevaro::sites
