// shell_tour: walks the program through the states worth looking at and
// stops at each so that a screenshot can be taken (scripts/shell-screenshots.sh).
// At every stop it prints "shot NAME" and waits for a line on its standard
// input. The announcement comes from a page served here; the network test
// page too, so the indicator shows the network up; and three forum boards,
// whose health the last stops show.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <iostream>
#include <string>
#include <utility>

#include "BoardOnScreen.h"
#include "BoardPages.h"
#include "ShellDriver.h"
#include "app/catalogue/ControlIds.h"
#include "app/qrwindows/QrWindowLayout.h"
#include "support/LoopbackServer.h"

namespace {

using namespace brevaro::test;
namespace app = brevaro::app;


void stop(const std::string& name) {
    std::cout << "shot " << name << std::endl;
    std::string line;
    std::getline(std::cin, line);
}

void click(const ShellProcess& shell, HWND button) {
    press(button);
    shell.waitUntilHandled();
    Sleep(400);  // the last repaints
}

// Starts a board on its own page with keywords that its rows carry, and
// waits until its status line tells of the first pass.
void startBoard(const ShellProcess& shell, int page, const std::wstring& keywords) {
    click(shell, shell.control({app::kBackgroundId, app::navButtonId(page)}));
    const BoardOnScreen board(shell, page);
    board.setUp(keywords, false);
    typeInto(board.interval, L"5");
    press(board.start);
    const HWND line =
        shell.control({app::kPageContainerId, app::pageId(page), app::kControlPanelId, app::kBoardStatusId});
    waitFor([&] { return textOf(line).find(L"已检查 1 次") != std::wstring::npos; });
    // The start's own wait ends before the next board starts: the waits
    // would nest, and the first board would show "正在启动" until the last
    // one's ended.
    waitFor([&] { return textOf(board.start) == L"停止监控"; });
}

}  // namespace

int main() {
    // The forum as the boards' health shows it: 赚客大家谈 a member's page,
    // 活动线报 a site that answers 503, 果果换物 the guest's page with its
    // quick-login form.
    const std::string memberPage = membersView(boardFixture("forum-15-1.html"));
    const std::string guestPage = boardFixture("forum-31-1.html");
    const LoopbackServer server([&](const ReceivedRequest& request) {
        if (request.target == "/forum-15-1.html") return Reply::make("200 OK", "", memberPage);
        if (request.target == "/forum-19-1.html") return Reply::make("503 Service Unavailable", "", "busy");
        if (request.target == "/forum-31-1.html") return Reply::make("200 OK", "", guestPage);
        if (request.target.find("zaixiangonggao") != std::string::npos) {
            return Reply::make(
                "200 OK", "Content-Type: text/html; charset=utf-8\r\n",
                reinterpret_cast<const char*>(u8"<p>在线公告内容1=欢迎使用 "
                                              u8"Brevaro：新版本修复了已知问题，遇到问题请点击右上"
                                              u8"角查看更多联系作者。<br></p>"));
        }
        return Reply::make("200 OK", "Content-Type: text/plain\r\n", "Microsoft Connect Test");
    });
    const ShellProcess shell({.noticeUrl = server.url("/app/fenfa/604183527/zaixiangonggao.html"),
                              .netTestUrl = server.url("/connecttest.txt"),
                              .forumHost = "127.0.0.1:" + std::to_string(server.port())});
    if (!shell.started()) {
        std::cout << "failed the program did not start" << std::endl;
        return 1;
    }
    Sleep(500);
    stop("01-startup");

    for (int page : {1, 2, 3, 4, 5, 6, 8, 9, 10}) {
        click(shell, shell.control({app::kBackgroundId, app::navButtonId(page)}));
        stop("page-" + std::string(page < 10 ? "0" : "") + std::to_string(page));
    }
    click(shell, shell.control({app::kBackgroundId, app::navButtonId(0)}));

    click(shell, shell.control({app::kSettingsButtonId}));
    stop("settings-open");
    click(shell, shell.control({app::kSettingsButtonId}));

    pressLabel(shell.control({app::kContactBoxId, app::kContactOverlayId}), false);
    Sleep(600);
    stop("links-open");
    pressLabel(shell.control({app::kContactBoxId, app::kContactOverlayId}), false);
    Sleep(300);

    press(shell.control({app::kQrToolButtonId}));
    HWND tool = nullptr;
    waitFor([&] {
        for (HWND window : shell.windowsOfClass(app::kQrToolWindowClass)) {
            if (IsWindowVisible(window)) tool = window;
        }
        return tool != nullptr;
    });
    Sleep(600);
    stop("qr-tool");
    if (tool != nullptr) PostMessageW(tool, WM_CLOSE, 0, 0);
    Sleep(300);

    startBoard(shell, 0, L"红包*活动*返现");
    startBoard(shell, 1, L"红包");
    startBoard(shell, 2, L"卡");
    for (const auto& [page, name] : {std::pair{0, "board-healthy"}, {1, "board-failing"}, {2, "board-guest"}}) {
        click(shell, shell.control({app::kBackgroundId, app::navButtonId(page)}));
        stop(name);
    }

    press(shell.control({app::kExitButtonId}));
    HWND box = nullptr;
    waitFor([&] {
        for (HWND window : shell.windowsOfClass(L"#32770")) {
            if (IsWindowVisible(window)) box = window;
        }
        return box != nullptr;
    });
    Sleep(400);
    stop("exit-box");
    if (box != nullptr) press(GetDlgItem(box, IDCANCEL));
    Sleep(300);
    std::cout << "done" << std::endl;
    return 0;
}
