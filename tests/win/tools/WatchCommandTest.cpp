// brevaro-cli.exe watch, run as a program under Wine: the real worker of a
// board in the console, against a server on 127.0.0.1.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "support/ForumPages.h"
#include "support/LoopbackServer.h"
#include "support/ProcessCounts.h"
#include "support/TlsRelay.h"
#include "support/UnixPath.h"
#include "text/Encoding.h"
#include "text/WideText_win.h"

namespace brevaro::cli {
namespace {

using test::forumPage;
using test::LoopbackServer;
using test::ReceivedRequest;
using test::Reply;
using test::TlsRelay;

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

    // Takes in the output that has come so far, without waiting: the tool
    // blocks on a full pipe.
    void readWhatCame() {
        char buffer[4096];
        DWORD available = 0;
        DWORD read = 0;
        while (PeekNamedPipe(output_, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ReadFile(output_, buffer, sizeof buffer, &read, nullptr) && read > 0) {
            output.append(buffer, read);
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
        // What it still writes is taken in while it ends: a full pipe would hold it.
        const ULONGLONG started = GetTickCount64();
        while (WaitForSingleObject(process_.hProcess, 50) != WAIT_OBJECT_0) {
            if (GetTickCount64() - started > 20000) return 999;
            readWhatCame();
        }
        readUntil("\x01");  // the rest of the output, to the end
        DWORD code = 1;
        GetExitCodeProcess(process_.hProcess, &code);
        return code;
    }

    DWORD processId() const { return process_.dwProcessId; }
    bool running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

    std::string output;

private:
    HANDLE input_ = nullptr;
    HANDLE output_ = nullptr;
    PROCESS_INFORMATION process_{};
};

TEST(Watch, PrintsEveryListChangeAndStopsWhenInputCloses) {
    std::atomic<int> served = 0;
    LoopbackServer server([&](const ReceivedRequest&) {
        return Reply::make("200 OK", "", served++ == 0 ? forumPage({"alpha", "beta"}) : forumPage({"gamma", "alpha", "beta"}));
    });
    Watch watch(L"--board 1 --interval 0 --keywords gam --url " + text::utf8ToWide(server.url("/forum-19-1.html")));
    ASSERT_TRUE(watch.readUntil("rebuild")) << watch.output;
    const int requestsAtStop = served;
    EXPECT_EQ(watch.closeInputAndWait(), 0u);
    // The baseline's rows do not match and are not shown; the new matching
    // row rebuilds the list with every stored row.
    EXPECT_EQ(watch.output.substr(0, watch.output.find('\n', watch.output.find("rebuild")) + 1),
              "status pass=1 rows=2 fetch=ok reason=none failures=0 guest=no\n"
              "rebuild 3\tgamma\talpha\tbeta\n");
    EXPECT_LE(served - requestsAtStop, 2) << "the worker ended with the tool";
}

// After every pass a status line of how it went: a refused connection, an
// answer of 503, the forum's guest view (its quick-login form), a page
// without rows, each counted pass after pass.
TEST(Watch, PrintsHowEveryPassWent) {
    const std::string quickLogin =
        "<tr><td><a onclick=\"showWindow('login', 'member.php?mod=logging&action=login&viewlostpw=1')\">"
        "</a></td></tr>";
    struct Case {
        const char* name;
        std::string status;  // of the server's answer; empty: nothing listens
        std::string page;
        std::string secondLine;
    };
    const std::vector<Case> cases = {
        {"refused", "", "", "status pass=2 rows=0 fetch=failed reason=refused failures=2 guest=no"},
        {"503", "503 Service Unavailable", "busy",
         "status pass=2 rows=0 fetch=failed reason=http-503 failures=2 guest=no"},
        {"guest", "200 OK", forumPage({"alpha", "beta"}) + quickLogin,
         "status pass=2 rows=2 fetch=ok reason=none failures=0 guest=yes"},
        {"no rows", "200 OK", "<html>down for maintenance</html>",
         "status pass=2 rows=0 fetch=ok reason=none failures=0 guest=no"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackServer server([&](const ReceivedRequest&) { return Reply::make(c.status, "", c.page); });
        const std::string url = c.status.empty()
                                    ? "http://127.0.0.1:" + std::to_string(test::closedLoopbackPort()) + "/"
                                    : server.url("/forum-19-1.html");
        Watch watch(L"--board 1 --interval 0 --url " + text::utf8ToWide(url));
        ASSERT_TRUE(watch.readUntil("status pass=3 ")) << watch.output;
        EXPECT_NE(watch.output.find(c.secondLine + "\n"), std::string::npos) << watch.output;
        EXPECT_EQ(watch.closeInputAndWait(), 0u);
    }
}

// The Lumaq board is polled over HTTPS, and every pass checks the server's
// certificate, the first included (the connection is kept between passes,
// so a certificate let through once would serve every later pass): behind a
// self-signed certificate every pass fails and says why; behind one of an
// authority the machine trusts (the tests' authority, in the prefix's root
// store) every pass reads the page.
TEST(Watch, LumaqBoardChecksTheCertificateOnEveryPass) {
    const std::string page = text::gbkToUtf8(
        "<h2>推荐活动区</h2><ul><li><span>12-10</span><em> <a href=\"https://l/t/1.html\"title=\"招行饭票\">"
        "招行饭票</a></em></li></ul><h2>信用公开区</h2>");
    LoopbackServer server([&](const ReceivedRequest&) { return Reply::make("200 OK", "", page); });
    struct Case {
        const char* name;
        TlsRelay::Certificate certificate;
        std::vector<std::string> lines;
    };
    const std::vector<Case> cases = {
        {"self-signed",
         TlsRelay::Certificate::SelfSigned,
         {"status pass=1 rows=0 fetch=failed reason=certificate failures=1 guest=no",
          "status pass=2 rows=0 fetch=failed reason=certificate failures=2 guest=no",
          "status pass=3 rows=0 fetch=failed reason=certificate failures=3 guest=no"}},
        {"signed by the trusted authority",
         TlsRelay::Certificate::SignedByTestAuthority,
         {"status pass=1 rows=1 fetch=ok reason=none failures=0 guest=no",
          "status pass=2 rows=1 fetch=ok reason=none failures=0 guest=no",
          "status pass=3 rows=1 fetch=ok reason=none failures=0 guest=no"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TlsRelay relay(server.port(), c.certificate);
        ASSERT_TRUE(relay.ready());
        Watch watch(L"--board 8 --interval 0 --url " + text::utf8ToWide("https://" + relay.host() + "/"));
        ASSERT_TRUE(watch.readUntil("status pass=4 ")) << watch.output;
        for (const std::string& line : c.lines) {
            EXPECT_NE(watch.output.find(line + "\n"), std::string::npos) << line << "\n" << watch.output;
        }
        EXPECT_EQ(watch.closeInputAndWait(), 0u);
    }
}

// The output's list rebuilds, in order: each one's row count and first title.
std::vector<std::pair<int, std::string>> rebuildsIn(const std::string& output) {
    std::vector<std::pair<int, std::string>> rebuilds;
    for (std::size_t at = output.find("rebuild "); at != std::string::npos; at = output.find("\nrebuild ", at)) {
        at = output.find(' ', at) + 1;
        const std::size_t tab = output.find('\t', at);
        const std::size_t end = output.find_first_of("\t\n", tab + 1);
        if (tab == std::string::npos || end == std::string::npos) break;
        rebuilds.emplace_back(std::stoi(output.substr(at, tab - at)), output.substr(tab + 1, end - tab - 1));
    }
    return rebuilds;
}

// A hostile server: every pass gets a fresh 16 MiB page of about 80,000 rows
// whose titles no earlier page carried. The tool keeps polling it, pass after
// pass, in bounded memory: it takes a page's first 1,000 rows only and lets
// its oldest rows and titles go. With the tool's limits lowered to a
// hundredth (1,000 stored rows, 2,000 seen titles) the second pass reaches
// them: the list never holds more than 1,000 rows, and the first page,
// served again at the end, is new again. The keyword matches each page's
// 1,000th row, so every later pass prints its whole list once.
TEST(Watch, KeepsPollingAServerOfHugeFreshPagesInBoundedMemory) {
    constexpr std::size_t kPageBytes = 16u << 20;
    constexpr int kPasses = 12;
    constexpr int kFirstPageAgain = kPasses;  // the request that gets the first page again
    constexpr std::size_t kResidentBound = 400u << 20;
    constexpr DWORD kWatchdogMs = 200000;
    std::atomic<int> pages = 0;
    LoopbackServer server(
        [&](const ReceivedRequest&) {
            const int n = ++pages;
            const std::string prefix = "page" + std::to_string(n == kFirstPageAgain ? 1 : n) + "-";
            return Reply::make("200 OK", "", test::forumPageOfUniqueTitles(prefix, kPageBytes));
        },
        1, test::RequestLog::CountOnly);
    Watch watch(L"--board 1 --interval 0 --limits-divisor 100 --keywords -1000 --url " +
                text::utf8ToWide(server.url("/forum-19-1.html")));
    std::size_t peakResident = 0;
    const ULONGLONG started = GetTickCount64();
    // The baseline's request and then one request a pass.
    while (server.requestCount() <= kPasses && watch.running() && GetTickCount64() - started < kWatchdogMs) {
        peakResident = std::max(peakResident, test::processCounts(watch.processId()).residentBytes);
        watch.readWhatCame();
        Sleep(100);
    }
    const ULONGLONG took = GetTickCount64() - started;
    const int passes = server.requestCount() - 1;
    EXPECT_EQ(watch.closeInputAndWait(), 0u) << watch.output.substr(0, 2000);
    EXPECT_GE(passes, kPasses) << "passes within " << kWatchdogMs / 1000 << " s";
    EXPECT_GT(peakResident, 0u) << "the tool's memory could be read";
    EXPECT_LT(peakResident, kResidentBound) << "the tool's peak resident bytes";
    std::printf("%d passes over %zu MiB pages in %.1f s, peak resident %.1f MiB\n", passes, kPageBytes >> 20,
                static_cast<double>(took) / 1000.0, static_cast<double>(peakResident) / 1048576.0);

    std::vector<std::pair<int, std::string>> expected;
    for (int page = 2; page < kFirstPageAgain; ++page) expected.emplace_back(1000, "page" + std::to_string(page) + "-1000");
    expected.emplace_back(1000, "page1-1000");  // its titles were forgotten: new again
    std::vector<std::pair<int, std::string>> rebuilds = rebuildsIn(watch.output);
    ASSERT_GE(rebuilds.size(), expected.size())
        << "the list rebuilds of " << passes << " passes: the first page's rows, served again, were not new";
    rebuilds.resize(expected.size());
    EXPECT_EQ(rebuilds, expected) << "each later pass's list: its rows and its first title";
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
        return Reply::make("200 OK", "", served++ == 0 ? forumPage({"alpha"}) : forumPage({"gamma", "alpha"}));
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
