// The program's start-up and end as a user meets them: the announcement
// read from the announcement page, the network indicator for a reachable and
// an unreachable test page, pages that are never answered, the image shadow
// under the window, the exit box's two answers and a close without the exit
// box.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ShellDriver.h"
#include "app/catalogue/ControlIds.h"
#include "support/LoopbackServer.h"

namespace brevaro::test {
namespace {

constexpr char kNoticePath[] = "/app/fenfa/604183527/zaixiangonggao.html";
constexpr char kNetTestPath[] = "/connecttest.txt";

// A server for the announcement page (UTF-8, as the maker's host serves it)
// and the network test's page.
LoopbackServer pageServer() {
    return LoopbackServer([](const ReceivedRequest& request) {
        if (request.target == kNoticePath) {
            return Reply::make("200 OK", "Content-Type: text/html; charset=utf-8\r\n",
                               reinterpret_cast<const char*>(
                                   u8"<html><body><p>在线公告内容1=新版本已发布 &amp; 欢迎<br>"
                                   u8"在线公告内容1=第二条<br></p></body></html>"));
        }
        return Reply::make("200 OK", "Content-Type: text/plain\r\n", "Microsoft Connect Test");
    });
}

// The indicator shows the colour: a corner pixel, which the globe in its
// middle leaves to the background. (Waited for: a window of a test running
// beside this one may pass over the spot.)
testing::AssertionResult indicatorShows(const ShellProcess& shell, COLORREF colour) {
    const HWND indicator = shell.control({app::kStatusBarId, app::kNetworkIndicatorId});
    if (waitFor([&] { return pixelOf(indicator, 1, 1) == colour; }))
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << std::hex << "indicator pixel " << pixelOf(indicator, 1, 1);
}

TEST(ShellStartup, ShowsTheAnnouncementAndAReachableNetwork) {
    const LoopbackServer server = pageServer();
    const ShellProcess shell(
        {.noticeUrl = server.url(kNoticePath), .netTestUrl = server.url(kNetTestPath)});
    ASSERT_TRUE(shell.started());

    EXPECT_EQ(textOf(shell.control({app::kStatusBarId, app::kAnnouncementId})),
              L"在线公告：新版本已发布 &amp; 欢迎");
    const HWND indicator = shell.control({app::kStatusBarId, app::kNetworkIndicatorId});
    EXPECT_EQ(shell.tooltipOf(indicator), L"网络正常");
    EXPECT_TRUE(indicatorShows(shell, RGB(10, 180, 250)));
    EXPECT_EQ(shell.tooltipOf(shell.control({app::kExitButtonId})), L"退出程序");
    EXPECT_EQ(shell.tooltipOf(shell.control({app::kSettingsButtonId})), L"展开设置");

    // The test page was asked for once, afresh, by the agent "test".
    int tests = 0;
    for (const ReceivedRequest& request : server.requests()) {
        if (request.target != kNetTestPath) continue;
        ++tests;
        EXPECT_EQ(request.method, "GET");
        EXPECT_EQ(request.header("User-Agent"), "test");
    }
    EXPECT_EQ(tests, 1);
}

TEST(ShellStartup, UnreachableNetworkGreysTheIndicatorAndLeavesTheAnnouncementEmpty) {
    const std::string closed = "http://127.0.0.1:" + std::to_string(closedLoopbackPort());
    const ShellProcess shell(
        {.noticeUrl = closed + kNoticePath, .netTestUrl = closed + kNetTestPath});
    ASSERT_TRUE(shell.started());
    EXPECT_EQ(textOf(shell.control({app::kStatusBarId, app::kAnnouncementId})), L"在线公告：");
    EXPECT_EQ(shell.tooltipOf(shell.control({app::kStatusBarId, app::kNetworkIndicatorId})), L"网络异常");
    EXPECT_TRUE(indicatorShows(shell, RGB(128, 128, 128)));
}

// Pages that are never answered hold the start-up no longer than its own
// limits, well inside the driver's watchdog: the window appears without an
// announcement, and the network counts as down.
TEST(ShellStartup, PagesThatAreNeverAnsweredHoldNeitherTheWindowNorTheNetworkTest) {
    const LoopbackServer server([](const ReceivedRequest&) {
        Reply reply;
        reply.holdOpen = true;
        return reply;
    });
    const ShellProcess shell(
        {.noticeUrl = server.url(kNoticePath), .netTestUrl = server.url(kNetTestPath)});
    ASSERT_TRUE(shell.started()) << "the window or the network test waited for ever";
    EXPECT_EQ(textOf(shell.control({app::kStatusBarId, app::kAnnouncementId})), L"在线公告：");
    EXPECT_EQ(shell.tooltipOf(shell.control({app::kStatusBarId, app::kNetworkIndicatorId})), L"网络异常");
    EXPECT_TRUE(indicatorShows(shell, RGB(128, 128, 128)));
    std::vector<std::string> asked;
    for (const ReceivedRequest& request : server.requests()) asked.push_back(request.target);
    EXPECT_EQ(asked, (std::vector<std::string>{kNoticePath, kNetTestPath}));
}

// The shadow window carries the image shadow 9 pixels up and left of the
// main window and follows it.
TEST(ShellStartup, ImageShadowLiesUnderTheWindowAndFollowsIt) {
    const ShellProcess shell({});
    ASSERT_TRUE(shell.started());
    ASSERT_NE(shell.shadow(), nullptr);
    auto framesMain = [&] {
        RECT main{}, shadow{};
        GetWindowRect(shell.main(), &main);
        GetWindowRect(shell.shadow(), &shadow);
        return shadow.left == main.left - 9 && shadow.top == main.top - 9 &&
               widthOf(shadow) == 867 && heightOf(shadow) == 567 && IsWindowVisible(shell.shadow());
    };
    EXPECT_TRUE(framesMain());
    EXPECT_NE(GetWindowLongPtrW(shell.shadow(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    RECT main{};
    GetWindowRect(shell.main(), &main);
    SetWindowPos(shell.main(), nullptr, main.left - 40, main.top + 25, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(waitFor(framesMain)) << "the shadow follows a move";
}

TEST(ShellExit, CancelKeepsTheProgramRunningAndOkEndsIt) {
    const ShellProcess shell({});
    ASSERT_TRUE(shell.started());
    auto exitBox = [&] {
        for (HWND box : shell.windowsOfClass(L"#32770")) {
            if (IsWindowVisible(box) && textOf(box) == L"信息：") return box;
        }
        return static_cast<HWND>(nullptr);
    };
    auto boxText = [](HWND box) {
        for (HWND child = GetWindow(box, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            const std::wstring text = textOf(child);
            if (text.find(L"确定要退出软件吗？") != std::wstring::npos) return text;
        }
        return std::wstring();
    };

    press(shell.control({app::kExitButtonId}));
    HWND box = nullptr;
    ASSERT_TRUE(waitFor([&] { return (box = exitBox()) != nullptr; })) << "no exit box";
    const std::wstring text = boxText(box);
    EXPECT_EQ(
        text.rfind(std::wstring(25, L' ') + L"确定要退出软件吗？\r\n\r\n" + std::wstring(5, L' '),
                   0),
        0u)
        << testing::PrintToString(text);
    press(GetDlgItem(box, IDCANCEL));
    ASSERT_TRUE(waitFor([&] { return exitBox() == nullptr; }));
    EXPECT_TRUE(waitFor([&] { return textOf(shell.main()) == L"取消"; }));
    EXPECT_TRUE(shell.running());
    EXPECT_TRUE(IsWindowVisible(shell.main()));

    press(shell.control({app::kExitButtonId}));
    ASSERT_TRUE(waitFor([&] { return (box = exitBox()) != nullptr; }));
    press(GetDlgItem(box, IDOK));
    EXPECT_TRUE(shell.endsWithExitCodeZero());
}

TEST(ShellExit, ClosingTheWindowOtherwiseEndsTheProgramWithoutAsking) {
    const ShellProcess shell({});
    ASSERT_TRUE(shell.started());
    PostMessageW(shell.main(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(shell.endsWithExitCodeZero());
}

}  // namespace
}  // namespace brevaro::test
