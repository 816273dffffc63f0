// Brevaro_test.exe: the program for the UI-automation tests. It is the same
// program but for its addresses, which it takes from its environment and
// which default to a closed port on the loopback interface, so a test run
// never reaches out to the maker's hosts or the public network:
//   BREVARO_TEST_NOTICE_URL    the announcement page
//   BREVARO_TEST_NETTEST_URL   the page the network test opens
//   BREVARO_TEST_FORUM_HOST    host[:port] of the forum (login page, forum boards)
//   BREVARO_TEST_ARTICLE_HOST  host[:port] of the article site's board
//   BREVARO_TEST_TIPSITE_HOST  host[:port] of the Lumaq board
//   BREVARO_TEST_LINK_URL      every maker's link (links window, buttons)
// and, so that a long run meets its boards' limits within minutes, what each
// board's run keeps (monitor/RunLimits.h):
//   BREVARO_TEST_RUN_LIMITS_DIVISOR  1-100: the stored rows' and seen titles'
//                                    limits divided by it (100: 1,000 rows,
//                                    2,000 titles); unset: the program's own
//   BREVARO_TEST_WITHOUT_EVICTION    1: the stores never forget (they grow
//                                    for as long as new titles come)
// A page's limits (its rows, a field's bytes) stay the program's own.
// The release program (Main_win.cpp) reads no environment at all.

#include <windows.h>

#include <cstdlib>
#include <string>

#include "app/catalogue/ShellConfig.h"
#include "app/shell/Shell_win.h"
#include "monitor/RunLimits.h"
#include "monitor/ThreadLibrary_win.h"
#include "text/WideText_win.h"

namespace {

constexpr char kClosedLoopback[] = "127.0.0.1:9";

std::string variable(const wchar_t* name, const std::string& fallback) {
    wchar_t value[2048];
    const DWORD length = GetEnvironmentVariableW(name, value, 2048);
    if (length == 0 || length >= 2048) return fallback;
    return brevaro::text::wideToGbk(std::wstring_view(value, length));
}

brevaro::monitor::RunLimits testRunLimits() {
    brevaro::monitor::RunLimits limits;
    const std::string divisor = variable(L"BREVARO_TEST_RUN_LIMITS_DIVISOR", "1");
    limits = brevaro::monitor::storesDividedBy(std::strtoul(divisor.c_str(), nullptr, 10), limits);
    if (variable(L"BREVARO_TEST_WITHOUT_EVICTION", "0") == "1")
        limits = brevaro::monitor::storesWithoutLimits(limits);
    return limits;
}

brevaro::app::ShellConfig testShellConfig() {
    brevaro::app::ShellConfig config = brevaro::app::releaseShellConfig();
    const std::string closed = std::string("http://") + kClosedLoopback + "/";
    config.noticeUrl = variable(L"BREVARO_TEST_NOTICE_URL", closed + "notice.html");
    config.netTestUrl = variable(L"BREVARO_TEST_NETTEST_URL", closed + "connecttest.txt");
    config.forumHost = variable(L"BREVARO_TEST_FORUM_HOST", kClosedLoopback);
    config.articleHost = variable(L"BREVARO_TEST_ARTICLE_HOST", kClosedLoopback);
    config.tipSiteHost = variable(L"BREVARO_TEST_TIPSITE_HOST", kClosedLoopback);
    const std::string link = variable(L"BREVARO_TEST_LINK_URL", closed + "link");
    for (std::string* target :
         {&config.links.site, &config.links.contactPage, &config.links.updateGroup,
          &config.links.officialGroup, &config.links.robotGroup, &config.links.feedbackGroup,
          &config.links.settingsGroup}) {
        *target = link;
    }
    config.runLimits = testRunLimits();
    return config;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    brevaro::monitor::prepareThreadLibrary();
    try {
        return brevaro::app::runShell(instance, testShellConfig(), brevaro::app::programPlugins());
    } catch (...) {
        return 1;
    }
}
