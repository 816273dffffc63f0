#pragma once
// The addresses and texts the main program is built with: where the
// announcement, the network test and the login page are read, the maker's
// links and contact. The release program takes the build-time constants
// (releaseShellConfig); the test program takes loopback addresses from its
// environment instead (TestShellConfig_win.cpp), so the release build keeps
// its real defaults. Texts are GBK. Portable.

#include <string>
#include <string_view>

#include "monitor/Board.h"
#include "monitor/RunLimits.h"

namespace brevaro::app {

struct ShellLinks {
    std::string site;           // the maker's web site
    std::string contactPage;    // the maker's instant-messaging contact page
    std::string updateGroup;    // group invitation: update news
    std::string officialGroup;  // group invitation: the site's group
    std::string robotGroup;     // group invitation: the tip robot's group
    std::string feedbackGroup;  // group invitation: feedback (usage page)
    std::string settingsGroup;  // group invitation of the settings panel, a group of its own
};

struct ShellConfig {
    std::string noticeUrl;    // the announcement page
    std::string netTestUrl;   // the page the network test opens
    std::string forumHost;    // host[:port] of the forum: the login page and the forum boards
    std::string articleHost;  // host[:port] of the article site's board
    std::string tipSiteHost;  // host[:port] of the Lumaq board
    ShellLinks links;
    std::string contact;       // the maker's contact, shown in the links window
    std::string exitSentence;  // the exit box's second line
    monitor::RunLimits runLimits;  // what each board's run keeps (the test program may lower them)
};

// The build-time constants (cmake/BuildConstants.cmake).
ShellConfig releaseShellConfig();

// The forum's login page on a host: "http://" + host +
// "//member.php?mod=logging&action=login&referer=http%3A%2F%2F" + host +
// "%2Findex.php" (the double slash belongs to the address).
std::string loginPageUrl(std::string_view forumHost);

// A board's list page with the configured hosts: its scheme, the host of its
// role and its path.
std::string boardListUrl(const ShellConfig& config, const monitor::BoardSpec& board);

}  // namespace brevaro::app
