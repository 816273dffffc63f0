#include "BenchPages.h"

namespace brevaro::bench {
namespace {

std::string padding(std::size_t bytes) {
    // Inline script and style blocks make up most of a real page.
    std::string pad;
    const std::string line =
        "<script type=\"text/javascript\">var tid=0;showMenu({'ctrlid':this.id});</script>\r\n";
    while (pad.size() + line.size() <= bytes) pad += line;
    return pad;
}

std::string forumRow(int n) {
    const std::string id = std::to_string(100000 + n);
    const std::string url = "http://www.zuanke8.com/thread-" + id + "-1-1.html";
    return "<tbody id=\"normalthread_" + id + "\">\r\n<tr>\r\n<td class=\"icn\">\r\n<a href=\"" + url +
           "\" title=\"有新回复 - 新窗口打开\" target=\"_blank\">\r\n<img src=\"static/image/common/"
           "folder_new.gif\" />\r\n</a>\r\n</td>\r\n<th class=\"new\">\r\n<a href=\"" +
           url + "\"  class=\"s xst\" target=\"_blank\">京东plus会员领取满199减100优惠券 第" + id +
           "期</a>\r\n - [阅读权限 <span class=\"xw1\">10</span>]\r\n</th>\r\n<td class=\"by\">\r\n"
           "<cite>\r\n<a href=\"http://www.zuanke8.com/space-uid-1.html\" c=\"1\">吧友</a></cite>\r\n"
           "<em><span class=\"xi1\"><span title=\"2026-12-10\">1&nbsp;小时前</span></span></em>\r\n"
           "</td>\r\n<td class=\"num\"><a href=\"" +
           url + "\" class=\"xi2\">12</a><em>345</em></td>\r\n</tr>\r\n</tbody>\r\n";
}

std::string articleEntry(int n) {
    return "<li>\r\n<a target=\"_blank\" href=\"/qita/" + std::to_string(142000 + n) +
           ".html\"><i></i>QQ音乐绿钻免费领取7天活动地址</a>\r\n<span >03-18</span>\r\n</li>\r\n";
}

}  // namespace

std::string forumPage(int rows, std::size_t bytes) {
    std::string page =
        "<!DOCTYPE html>\r\n<html>\r\n<head><meta charset=\"gbk\" /><title>活动线报 - 赚客吧</title>"
        "</head>\r\n<body>\r\n<table><tr><td><a href=\"javascript:;\" onclick=\"showWindow('login', "
        "'member.php?mod=logging&action=login&viewlostpw=1')\">找回密码</a></td></tr>\r\n<tr><td>"
        "<input type=\"password\" name=\"password\" /></td></tr></table>\r\n";
    std::string rowsText;
    for (int n = 0; n < rows; ++n) rowsText += forumRow(n);
    const std::size_t fixed = page.size() + rowsText.size() + 32;
    const std::size_t perRow = bytes > fixed ? (bytes - fixed) / static_cast<std::size_t>(rows) : 0;
    for (int n = 0; n < rows; ++n) page += padding(perRow) + forumRow(n);
    page += "</body>\r\n</html>\r\n";
    return page;
}

std::string articlePage(int rows, std::size_t bytes) {
    std::string page =
        "<!DOCTYPE html>\r\n<html>\r\n<head><title>爱Q生活网</title></head>\r\n<body>\r\n<ul class=\"nav\">"
        "<li><a href=\"/\">首页</a></li><li><a href=\"/qita/\">其他活动</a></li></ul>\r\n";
    const std::size_t perRow = bytes / static_cast<std::size_t>(rows + 1);
    for (int n = 0; n < rows; ++n) {
        page += padding(perRow / 2) + "<li><em>" + std::to_string(n % 10) +
                "</em><a href=\"/hot/1.html\" title=\"热门\">热门</a></li>\r\n" + padding(perRow / 2) +
                articleEntry(n);
    }
    page += "</body>\r\n</html>\r\n";
    return page;
}

}  // namespace brevaro::bench
