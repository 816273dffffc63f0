// brevaro-cli.exe's network commands, run as a program under Wine against the
// page servers.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/PageServers.h"
#include "support/UnixPath.h"
#include "text/WideText_win.h"

namespace brevaro::cli {
namespace {

struct Output {
    DWORD code = 1;
    std::string out;
};

Output runTool(const std::wstring& arguments) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    Output result;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::wstring commandLine = L"\"" + test::windowsPathOf(BREVARO_CLI_EXE) + L"\" " + arguments;
    const BOOL started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                                        nullptr, &startup, &process);
    CloseHandle(writeEnd);
    if (started) {
        char buffer[4096];
        DWORD read = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) && read > 0) result.out.append(buffer, read);
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &result.code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    CloseHandle(readEnd);
    return result;
}

class CliNetwork : public testing::Test {
protected:
    void SetUp() override {
        if (!test::pageServersRunning()) GTEST_SKIP() << "run through with-page-servers.sh";
    }
};

TEST_F(CliNetwork, FetchWritesEachPollsBody) {
    const Output polls = runTool(L"fetch --polls 3 " + text::utf8ToWide(test::httpPageUrl("/forum-20-1.html")));
    EXPECT_EQ(polls.code, 0u);
    EXPECT_EQ(polls.out, "page /forum-20-1.htmlpage /forum-20-1.htmlpage /forum-20-1.html");
    const Output withCookies =
        runTool(L"fetch --cookies \"a=1; b=2\" " + text::utf8ToWide(test::httpPageUrl("/x")));
    EXPECT_EQ(withCookies.out, "page /x");
}

// Both fetches check the server's certificate on every request, the first
// included: the tests' authority is trusted in the prefix, a self-signed
// certificate nowhere, so its pages never come.
TEST_F(CliNetwork, FetchesOverHttpsNeedATrustedCertificate) {
    struct Case {
        const char* command;
        std::string url;
        std::string out;
    };
    const std::vector<Case> cases = {
        {"fetch --polls 2", test::httpsPageUrl("/article"), "page /articlepage /article"},
        {"fetch --polls 2", test::untrustedHttpsPageUrl("/article"), ""},
        {"webfetch", test::httpsPageUrl("/notice"), "page /notice"},
        {"webfetch", test::untrustedHttpsPageUrl("/notice"), ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.command) + " " + c.url);
        const Output fetched = runTool(text::utf8ToWide(std::string(c.command) + " " + c.url));
        EXPECT_EQ(fetched.code, 0u);
        EXPECT_EQ(fetched.out, c.out);
    }
}

TEST_F(CliNetwork, FetchOfNothingIsAnEmptyBodyAndSuccess) {
    const Output nothing = runTool(L"fetch http://127.0.0.1:1/");
    EXPECT_EQ(nothing.code, 0u);
    EXPECT_EQ(nothing.out, "");
}

TEST_F(CliNetwork, WebFetchWritesTheAnnouncementPageAsUtf8) {
    const Output page = runTool(L"webfetch " + text::utf8ToWide(test::httpPageUrl("/announcement")));
    EXPECT_EQ(page.code, 0u);
    EXPECT_EQ(page.out, "<p>\xE5\x9C\xA8\xE7\xBA\xBF\xE5\x85\xAC\xE5\x91\x8A\xE5\x86\x85\xE5\xAE\xB9"
                        "1=\xE4\xBB\x8A\xE6\x99\x9A\xE5\x85\xAB\xE7\x82\xB9 &amp; \xE7\xBA\xA2\xE5\x8C\x85<br></p>");
}

TEST_F(CliNetwork, BrowserCookiesOfAnEmptyStore) {
    const Output cookies = runTool(L"browser-cookies nobody.brevaro.test");
    EXPECT_EQ(cookies.code, 0u);
    EXPECT_EQ(cookies.out, "\n");
}

TEST_F(CliNetwork, BadArgumentsExitTwo) {
    EXPECT_EQ(runTool(L"fetch").code, 2u);
    EXPECT_EQ(runTool(L"fetch --polls 0 http://127.0.0.1/").code, 2u);
    EXPECT_EQ(runTool(L"webfetch").code, 2u);
}

}  // namespace
}  // namespace brevaro::cli
