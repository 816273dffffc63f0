#include "app/catalogue/ShellConfig.h"

#include "BuildConstants.h"
#include "notice/Announcement.h"

namespace brevaro::app {

ShellConfig releaseShellConfig() {
    ShellConfig config;
    config.noticeUrl = notice::announcementUrl();
    config.netTestUrl = build::kNetTestUrl;
    config.forumHost = build::kForumHost;
    config.articleHost = build::kArticleHost;
    config.tipSiteHost = build::kTipSiteHost;
    config.links.site = build::kSiteUrl;
    config.links.contactPage = build::kContactUrl;
    config.links.updateGroup = build::kUpdateGroupUrl;
    config.links.officialGroup = build::kOfficialGroupUrl;
    config.links.robotGroup = build::kRobotGroupUrl;
    config.links.feedbackGroup = build::kFeedbackGroupUrl;
    config.links.settingsGroup = build::kSettingsGroupUrl;
    config.contact = build::kContact;
    config.exitSentence = build::kExitSentence;
    return config;
}

std::string loginPageUrl(std::string_view forumHost) {
    std::string url = "http://";
    url += forumHost;
    url += "//member.php?mod=logging&action=login&referer=http%3A%2F%2F";
    url += forumHost;
    url += "%2Findex.php";
    return url;
}

std::string boardListUrl(const ShellConfig& config, const monitor::BoardSpec& board) {
    std::string url(board.scheme);
    url += "://";
    switch (board.host) {
        case monitor::HostRole::Forum:
            url += config.forumHost;
            break;
        case monitor::HostRole::Article:
            url += config.articleHost;
            break;
        case monitor::HostRole::TipSite:
            url += config.tipSiteHost;
            break;
    }
    url += board.path;
    return url;
}

}  // namespace brevaro::app
