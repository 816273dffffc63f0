#include "notice/Announcement.h"

#include "BuildConstants.h"
#include "text/TextBetween.h"

namespace brevaro::notice {

std::string announcementUrl() {
    return std::string("http://") + build::kNoticeHost + "/app/fenfa/604183527/zaixiangonggao.html";
}

std::string readAnnouncement(std::string_view page) {
    return text::TextBetween(page, "在线公告内容1=", "<");
}

}  // namespace brevaro::notice
