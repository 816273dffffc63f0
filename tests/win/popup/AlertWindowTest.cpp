// The companion program as a user meets it: started by the popup launcher,
// looked at from this process the way UI-automation tools do (windows found
// by class, texts read with WM_GETTEXT, the button clicked with BM_CLICK).
// Waits poll with a generous watchdog; nothing here measures time.

#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>
#include <winternl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "alerts/Companion.h"
#include "alerts/PopupCommandLine.h"
#include "popup/AlertLayout.h"
#include "skin/Shadow_win.h"
#include "text/WideText_win.h"
#include "win/support/Waits.h"
#include "win/support/WindowText.h"

namespace brevaro::popup {
namespace {

using brevaro::test::classOf;
using brevaro::test::kWatchdogMilliseconds;
using brevaro::test::waitFor;

constexpr wchar_t kCountdownPrefix[] = L"您设置的关键词监控到新的内容...       关闭倒计时：";

struct HandleCloser {
    void operator()(HANDLE handle) const noexcept { CloseHandle(handle); }
};
using UniqueHandle = std::unique_ptr<void, HandleCloser>;

// A window's text, also from another process (the system carries WM_GETTEXT
// across).
std::wstring textOf(HWND window) { return brevaro::test::windowText(window); }

BOOL CALLBACK collectWindow(HWND window, LPARAM found) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    return TRUE;
}

std::vector<HWND> topLevelWindows() {
    std::vector<HWND> windows;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The alert window whose title line reads `titleLine`, once it shows it.
HWND waitForAlert(const std::wstring& titleLine) {
    HWND alert = nullptr;
    waitFor([&] {
        for (HWND window : topLevelWindows()) {
            if (classOf(window) == kAlertWindowClass && textOf(GetDlgItem(window, kTitleLine.id)) == titleLine) {
                alert = window;
                return true;
            }
        }
        return false;
    });
    return alert;
}

HWND shadowOf(HWND alert) {
    for (HWND window : topLevelWindows()) {
        if (classOf(window) == skin::kShadowWindowClass && GetWindow(window, GW_OWNER) == alert) return window;
    }
    return nullptr;
}

RECT rectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

testing::AssertionResult endedWithExitCodeZero(HANDLE process) {
    if (WaitForSingleObject(process, kWatchdogMilliseconds) != WAIT_OBJECT_0) {
        return testing::AssertionFailure() << "still running after the watchdog";
    }
    DWORD code = 1;
    GetExitCodeProcess(process, &code);
    if (code != 0) return testing::AssertionFailure() << "exit code " << code;
    return testing::AssertionSuccess();
}

// The process of an alert window, found the way an outside tool finds it;
// ended by force when a test leaves it running.
class AlertProcess {
public:
    explicit AlertProcess(HWND alert) {
        DWORD id = 0;
        GetWindowThreadProcessId(alert, &id);
        process_.reset(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, id));
    }
    ~AlertProcess() {
        if (process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process_.get(), 1);
    }
    AlertProcess(const AlertProcess&) = delete;
    AlertProcess& operator=(const AlertProcess&) = delete;
    HANDLE get() const { return process_.get(); }

private:
    UniqueHandle process_;
};

std::vector<DWORD> processesNamed(const wchar_t* name) {
    std::vector<DWORD> ids;
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, name) == 0) ids.push_back(entry.th32ProcessID);
    }
    return ids;
}

// The command line another process was started with, read from its process
// parameters as process viewers read it; empty while it cannot be read.
std::wstring commandLineOf(DWORD id) {
    const UniqueHandle process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
    if (!process) return {};
    PROCESS_BASIC_INFORMATION basic{};
    if (NtQueryInformationProcess(process.get(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0) {
        return {};
    }
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!ReadProcessMemory(process.get(), basic.PebBaseAddress, &peb, sizeof(peb), nullptr) ||
        peb.ProcessParameters == nullptr ||
        !ReadProcessMemory(process.get(), peb.ProcessParameters, &parameters, sizeof(parameters), nullptr)) {
        return {};
    }
    std::wstring line(parameters.CommandLine.Length / sizeof(wchar_t), L'\0');
    if (!ReadProcessMemory(process.get(), parameters.CommandLine.Buffer, line.data(), parameters.CommandLine.Length,
                           nullptr)) {
        return {};
    }
    return line;
}

// A command line split as programs split theirs, the program name left out.
std::vector<std::wstring> argumentsOf(const std::wstring& commandLine) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(commandLine.c_str(), &count);
    if (words == nullptr) return {};
    std::vector<std::wstring> arguments(words + std::min(count, 1), words + count);
    LocalFree(words);
    return arguments;
}

void endProcesses(const std::vector<DWORD>& ids) {
    for (DWORD id : ids) {
        const UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id));
        if (!process) continue;
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), kWatchdogMilliseconds);
    }
}

// Each case starts this build's companion: an existing file is trusted and
// left alone, so one left by an earlier build is replaced first.
class AlertWindow : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring path = text::gbkToWide(alerts::companionProgramPath());
        DeleteFileW(path.c_str());
        alerts::ensureCompanionProgram();
        ASSERT_EQ(test::readBytes(std::filesystem::path(path)), test::readBytes(BREVARO_PELLIS_EXE));
    }
};

TEST_F(AlertWindow, ShowsTheAlertItWasStartedForAndClosesOnRequest) {
    alerts::launchPopupAlert({"http://bbs.example/thread-1-1-1.html", "京东 红包 满100减20 (shows)",
                              "2024-05-01 10:05", "红包", "60"});
    const HWND alert = waitForAlert(L"帖子名称：京东 红包 满100减20 (shows)");
    ASSERT_NE(alert, nullptr) << "no alert window showed the title";
    const AlertProcess process(alert);
    ASSERT_NE(process.get(), nullptr);

    EXPECT_EQ(textOf(GetDlgItem(alert, kTimeLine.id)), L"发帖时间：2024-05-01 10:05");
    EXPECT_EQ(textOf(GetDlgItem(alert, kKeywordLine.id)), L"对应的关键词：红包");
    EXPECT_EQ(textOf(GetDlgItem(alert, kViewButton.id)), L"查看原帖");

    // The caption counts whole seconds down from the stay.
    auto secondsShown = [alert]() -> int {
        const std::wstring caption = textOf(alert);
        const std::wstring prefix = kCountdownPrefix;
        if (!caption.starts_with(prefix) || !caption.ends_with(L" 秒")) return -1;
        return _wtoi(caption.substr(prefix.size()).c_str());
    };
    int first = -1;
    ASSERT_TRUE(waitFor([&] { return (first = secondsShown()) > 0; })) << "caption: " << testing::PrintToString(textOf(alert));
    EXPECT_LE(first, 60);
    EXPECT_TRUE(waitFor([&] {
        const int now = secondsShown();
        return now > 0 && now < first;
    })) << "the countdown did not move";

    // Bottom-right: right edge on the screen's, top 233 pixels above its
    // bottom; 367 x 200; above other windows.
    const RECT frame = rectOf(alert);
    EXPECT_EQ(frame.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(frame.top, GetSystemMetrics(SM_CYSCREEN) - 233);
    EXPECT_EQ(frame.right - frame.left, 367);
    EXPECT_EQ(frame.bottom - frame.top, 200);
    EXPECT_TRUE(GetWindowLongPtrW(alert, GWL_EXSTYLE) & WS_EX_TOPMOST);

    PostMessageW(alert, WM_CLOSE, 0, 0);
    EXPECT_TRUE(endedWithExitCodeZero(process.get())) << "closing the window ends the process";
}

TEST_F(AlertWindow, WearsAShadowThatHidesWhileMinimised) {
    alerts::launchPopupAlert({"thread-2-1-1.html", "shadow", "10:05", "k", "60"});
    const HWND alert = waitForAlert(L"帖子名称：shadow");
    ASSERT_NE(alert, nullptr);
    const AlertProcess process(alert);

    const HWND shadow = shadowOf(alert);
    ASSERT_NE(shadow, nullptr) << "no shadow window owned by the alert";
    const LONG_PTR exStyle = GetWindowLongPtrW(shadow, GWL_EXSTYLE);
    EXPECT_EQ(exStyle & (WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE),
              WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE);
    // Size 3 on every side.
    auto framesTheAlert = [&] {
        const RECT inner = rectOf(alert);
        const RECT outer = rectOf(shadow);
        return IsWindowVisible(shadow) && outer.left == inner.left - 3 && outer.top == inner.top - 3 &&
               outer.right == inner.right + 3 && outer.bottom == inner.bottom + 3;
    };
    EXPECT_TRUE(waitFor(framesTheAlert));
    const RECT outer = rectOf(shadow);
    EXPECT_EQ(outer.right - outer.left, 367 + 6);
    EXPECT_EQ(outer.bottom - outer.top, 200 + 6);

    ShowWindowAsync(alert, SW_MINIMIZE);
    EXPECT_TRUE(waitFor([&] { return IsIconic(alert) && !IsWindowVisible(shadow); }));
    ShowWindowAsync(alert, SW_RESTORE);
    EXPECT_TRUE(waitFor([&] { return !IsIconic(alert) && framesTheAlert(); })) << "restored, the shadow is back";

    PostMessageW(alert, WM_CLOSE, 0, 0);
    EXPECT_TRUE(endedWithExitCodeZero(process.get()));
}

// The arguments of each process the shell started, in order.
using HandedArguments = std::vector<std::vector<std::wstring>>;

// The button hands the post address to the shell only when it is a web
// address. For the test the shell's handler for web addresses is Notepad, so
// an opened address and a started local program both show up as a Notepad
// process, which the shell creates before the click returns, and the
// Notepad's command line shows what the shell handed it. Wine's classes
// root does not take per-user classes, so the machine's handler is replaced
// and put back byte for byte afterwards (this runs in the test prefix only).
class ViewButton : public AlertWindow {
protected:
    struct SavedHandler {
        std::wstring key;
        DWORD type = 0;
        std::vector<BYTE> value;
    };

    void SetUp() override {
        AlertWindow::SetUp();
        ASSERT_TRUE(processesNamed(L"notepad.exe").empty());
        for (const wchar_t* scheme : {L"http", L"https"}) {
            SavedHandler saved{std::wstring(scheme) + L"\\shell\\open\\command"};
            DWORD size = 0;
            ASSERT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, saved.key.c_str(), nullptr, RRF_RT_ANY | RRF_NOEXPAND,
                                   &saved.type, nullptr, &size),
                      ERROR_SUCCESS);
            saved.value.resize(size);
            ASSERT_EQ(RegGetValueW(HKEY_CLASSES_ROOT, saved.key.c_str(), nullptr, RRF_RT_ANY | RRF_NOEXPAND,
                                   &saved.type, saved.value.data(), &size),
                      ERROR_SUCCESS);
            saved_.push_back(saved);
            const std::wstring notepad = L"notepad.exe \"%1\"";
            ASSERT_EQ(RegSetKeyValueW(HKEY_CLASSES_ROOT, saved.key.c_str(), nullptr, REG_SZ, notepad.c_str(),
                                      static_cast<DWORD>((notepad.size() + 1) * sizeof(wchar_t))),
                      ERROR_SUCCESS);
        }
    }
    void TearDown() override {
        for (const SavedHandler& saved : saved_) {
            RegSetKeyValueW(HKEY_CLASSES_ROOT, saved.key.c_str(), nullptr, saved.type, saved.value.data(),
                            static_cast<DWORD>(saved.value.size()));
        }
        endProcesses(processesNamed(L"notepad.exe"));
    }

    // Clicks "查看原帖" on an alert started for `link` and returns the
    // arguments of each Notepad process that the click started: what the
    // shell put on the handler's command line.
    HandedArguments clickViewButton(const std::string& link, const std::wstring& titleLine, const std::string& title) {
        alerts::launchPopupAlert({link, title, "10:05", "k", "60"});
        const HWND alert = waitForAlert(titleLine);
        if (alert == nullptr) {
            ADD_FAILURE() << "no alert window";
            return {};
        }
        const AlertProcess process(alert);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(GetDlgItem(alert, kViewButton.id), BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, &result);
        const std::vector<DWORD> started = processesNamed(L"notepad.exe");
        HandedArguments handed;
        for (DWORD id : started) {
            std::wstring line;
            EXPECT_TRUE(waitFor([&] { return !(line = commandLineOf(id)).empty(); })) << "no command line read";
            handed.push_back(argumentsOf(line));
        }
        PostMessageW(alert, WM_CLOSE, 0, 0);
        EXPECT_TRUE(endedWithExitCodeZero(process.get()));
        endProcesses(started);
        return handed;
    }

    std::vector<SavedHandler> saved_;
};

TEST_F(ViewButton, OpensAWebAddress) {
    EXPECT_EQ(clickViewButton("HTTP://127.0.0.1/thread-3-1-1.html", L"帖子名称：web", "web"),
              (HandedArguments{{L"HTTP://127.0.0.1/thread-3-1-1.html"}}));
}

// The handler is registered as `notepad.exe "%1"`, as browsers register
// theirs: a quote and a space of the page's address must not close the
// quoted argument and add switches. The address arrives as one argument,
// escaped, its Chinese text as UTF-8 escapes.
TEST_F(ViewButton, HandsTheShellTheAddressAsOneEscapedArgument) {
    EXPECT_EQ(clickViewButton("http://127.0.0.1/京东\" --kiosk b.html", L"帖子名称：quoted", "quoted"),
              (HandedArguments{{L"http://127.0.0.1/%E4%BA%AC%E4%B8%9C%22%20--kiosk%20b.html"}}));
}

TEST_F(ViewButton, StartsNothingForAnyOtherAddress) {
    const char* addresses[] = {"notepad.exe", "C:\\windows\\notepad.exe", "file:///C:/windows/notepad.exe",
                               "thread-4-1-1.html"};
    for (const char* address : addresses) {
        SCOPED_TRACE(address);
        EXPECT_EQ(clickViewButton(address, L"帖子名称：local", "local"), HandedArguments{});
    }
}

TEST_F(AlertWindow, EndsByItselfAfterTheStay) {
    alerts::launchPopupAlert({"thread-5-1-1.html", "two seconds", "10:05", "k", "2"});
    const HWND alert = waitForAlert(L"帖子名称：two seconds");
    ASSERT_NE(alert, nullptr);
    const AlertProcess process(alert);
    EXPECT_TRUE(endedWithExitCodeZero(process.get()));
}

// Started directly, so the test holds the process from the start: without a
// stay to count down the process ends as soon as it has read its arguments.
TEST_F(AlertWindow, EndsAtOnceWithoutAStayToCountDown) {
    const std::wstring program = text::gbkToWide(alerts::companionProgramPath());
    const alerts::AlertRequest base{"thread-6-1-1.html", "no stay", "10:05", "k", ""};
    const struct {
        const char* name;
        std::string line;
    } cases[] = {
        {"stay 0", alerts::popupCommandLine({base.link, base.title, base.postTime, base.keyword, "0"})},
        {"negative stay", alerts::popupCommandLine({base.link, base.title, base.postTime, base.keyword, "-5"})},
        {"not a number", alerts::popupCommandLine({base.link, base.title, base.postTime, base.keyword, "abc"})},
        {"no stay argument", " " + alerts::percentEncodeUtf8("帖子名称:no stay")},
        {"no arguments at all", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::wstring line = text::gbkToWide(c.line);
        line.push_back(L'\0');
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION started{};
        ASSERT_TRUE(CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &started));
        const UniqueHandle thread(started.hThread);
        const UniqueHandle process(started.hProcess);
        EXPECT_TRUE(endedWithExitCodeZero(process.get()));
        if (WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) TerminateProcess(process.get(), 1);
    }
}

}  // namespace
}  // namespace brevaro::popup
