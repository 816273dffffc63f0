// shell_tour: walks the program through the states worth looking at and
// stops at each so that a screenshot can be taken (scripts/shell-screenshots.sh).
// At every stop it prints "shot NAME" and waits for a line on its standard
// input. The announcement comes from a page served here; the network test
// page too, so the indicator shows the network up.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <cstdio>
#include <iostream>
#include <string>

#include "ShellDriver.h"
#include "app/ControlIds.h"
#include "app/QrWindowLayout.h"
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

}  // namespace

int main() {
    const LoopbackServer server([](const ReceivedRequest& request) {
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
                              .netTestUrl = server.url("/connecttest.txt")});
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
