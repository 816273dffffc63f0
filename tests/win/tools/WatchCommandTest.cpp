// brevaro-cli.exe watch, run as a program under Wine: the real worker of a
// board in the console, against a server on 127.0.0.1.

#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "support/LoopbackServer.h"
#include "support/UnixPath.h"
#include "text/WideText_win.h"

namespace brevaro::cli {
namespace {

using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;

std::string forumPage(const std::string& titles) {
    std::string page;
    int id = 0;
    std::size_t start = 0;
    while (start <= titles.size()) {
        const std::size_t comma = titles.find(',', start);
        const std::string title = titles.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        const std::string url = "http://f/thread-" + std::to_string(++id) + "-1-1.html";
        page += "<tr><a href=\"" + url + "\" title=\"t\"></a><a href=\"" + url + "\"  class=\"s xst\" target=\"_blank\">" +
                title + "</a><em><span>2026-12-8</span></em></tr>\r\n";
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return page;
}

// The tool with its standard input and output on pipes held by the test.
class Watch {
public:
    explicit Watch(const std::wstring& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE childIn = nullptr;
        HANDLE childOut = nullptr;
        CreatePipe(&childIn, &input_, &inherit, 0);
        CreatePipe(&output_, &childOut, &inherit, 0);
        SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = childOut;
        startup.hStdError = childOut;
        std::wstring commandLine = L"\"" + test::windowsPathOf(BREVARO_CLI_EXE) + L"\" watch " + arguments;
        CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                       &process_);
        CloseHandle(childIn);
        CloseHandle(childOut);
    }
    ~Watch() {
        if (input_ != nullptr) CloseHandle(input_);
        CloseHandle(output_);
        if (process_.hProcess != nullptr) {
            TerminateProcess(process_.hProcess, 1);  // only if a test failed before the end
            CloseHandle(process_.hProcess);
            CloseHandle(process_.hThread);
        }
    }

    // Reads output until it holds `text` (true) or the tool ends (false).
    bool readUntil(const std::string& text) {
        char buffer[512];
        DWORD read = 0;
        while (output.find(text) == std::string::npos) {
            if (!ReadFile(output_, buffer, sizeof buffer, &read, nullptr) || read == 0) return false;
            output.append(buffer, read);
        }
        return true;
    }

    // Closes the tool's standard input and waits for it to end.
    DWORD closeInputAndWait() {
        CloseHandle(input_);
        input_ = nullptr;
        if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) return 999;
        readUntil("\x01");  // the rest of the output, to the end
        DWORD code = 1;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    std::string output;

private:
    HANDLE input_ = nullptr;
    HANDLE output_ = nullptr;
    PROCESS_INFORMATION process_{};
};

TEST(Watch, PrintsEveryListChangeAndStopsWhenInputCloses) {
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        return Reply::make("200 OK", "", served++ == 0 ? forumPage("alpha,beta") : forumPage("gamma,alpha,beta"));
    });
    Watch watch(L"--board 1 --interval 0 --keywords gam --url " + text::utf8ToWide(server.url("/forum-19-1.html")));
    ASSERT_TRUE(watch.readUntil("rebuild")) << watch.output;
    const int requestsAtStop = served;
    EXPECT_EQ(watch.closeInputAndWait(), 0u);
    // The baseline's rows do not match and are not shown; the new matching
    // row rebuilds the list with every stored row.
    EXPECT_EQ(watch.output.substr(0, watch.output.find('\n', watch.output.find("rebuild")) + 1),
              "rebuild 3\tgamma\talpha\tbeta\n");
    EXPECT_LE(served - requestsAtStop, 2) << "the worker ended with the tool";
}

// The companion's alert window, found by its caption from this process.
BOOL CALLBACK findAlertWindow(HWND window, LPARAM result) {
    wchar_t caption[64] = {};
    GetWindowTextW(window, caption, 64);
    if (std::wstring(caption).starts_with(text::gbkToWide("您设置的关键词监控到新的内容"))) {
        *reinterpret_cast<bool*>(result) = true;
        return FALSE;
    }
    return TRUE;
}

bool alertWindowShown() {
    bool found = false;
    EnumWindows(findAlertWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST(Watch, PopupAlertStartsTheCompanion) {
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        return Reply::make("200 OK", "", served++ == 0 ? forumPage("alpha") : forumPage("gamma,alpha"));
    });
    Watch watch(L"--board 1 --interval 0 --keywords gam --popup --stay 3 --url " +
                text::utf8ToWide(server.url("/forum-19-1.html")));
    ASSERT_TRUE(watch.readUntil("popup gamma")) << watch.output;
    bool shown = false;
    for (int i = 0; i < 200 && !(shown = alertWindowShown()); ++i) Sleep(50);
    EXPECT_TRUE(shown) << "the companion's window appears";
    EXPECT_EQ(watch.closeInputAndWait(), 0u);
}

TEST(Watch, RefusesABoardThatIsNotThere) {
    Watch watch(L"--board 7");
    EXPECT_EQ(watch.closeInputAndWait(), 2u);
    EXPECT_NE(watch.output.find("usage"), std::string::npos);
}

}  // namespace
}  // namespace brevaro::cli
