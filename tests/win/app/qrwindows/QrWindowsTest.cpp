// The QR tool window and the QR link window as a user meets them. The
// pictures are read the way a phone reads them: from a screenshot of the
// display, decoded by zbarimg. Modal parts (the QR link window's loop, the
// failure box) are driven from a second thread the way UI-automation tools
// drive a program: windows found by class and title, buttons clicked with
// BM_CLICK, texts read with WM_GETTEXT. Waits poll with a watchdog.

#include "app/qrwindows/QrLinkWindow_win.h"
#include "app/qrwindows/QrToolWindow_win.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "app/qrwindows/QrWindowLayout.h"
#include "app/boards/TestBoardPage.h"
#include "monitor/WaitPumping_win.h"
#include "support/LoopbackServer.h"
#include "support/ScreenQr.h"
#include "text/WideText_win.h"
#include "win/support/Clipboard.h"
#include "win/support/Waits.h"
#include "win/support/WindowText.h"

namespace brevaro::app {
namespace {

using brevaro::test::LoopbackServer;
using brevaro::test::ReceivedRequest;
using brevaro::test::Reply;
using brevaro::test::classOf;
using brevaro::test::clipboardText;
using brevaro::test::pumpUntil;
using brevaro::test::putOnClipboard;
using brevaro::test::waitFor;
using test::kPumpWatchdogMs;
using test::RecordingAlerts;
using test::TestBoardPage;
using test::wideText;

constexpr wchar_t kFailureText[] = L"异常来源：[二维码模块]\r\n方法名称：编码()\r\n异常信息：没有编码内容";

struct WindowSearch {
    std::wstring className, title;
    HWND found = nullptr;
};

BOOL CALLBACK matchOwnWindow(HWND window, LPARAM lParam) {
    auto& s = *reinterpret_cast<WindowSearch*>(lParam);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) && classOf(window) == s.className &&
        (s.title.empty() || wideText(window) == s.title)) {
        s.found = window;
        return FALSE;
    }
    return TRUE;
}

// This process's visible top-level window of a class (and title), if any.
HWND findOwnWindow(const std::wstring& className, const std::wstring& title = {}) {
    WindowSearch search{className, title};
    EnumWindows(matchOwnWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND waitForOwnWindow(const std::wstring& className, const std::wstring& title = {}) {
    HWND found = nullptr;
    waitFor([&] { return (found = findOwnWindow(className, title)) != nullptr; });
    return found;
}

// The failure box, once it shows: its texts, then OK clicked.
std::vector<std::wstring> closeFailureBox() {
    const HWND box = waitForOwnWindow(L"#32770", L"程序运行异常提示");
    if (box == nullptr) return {L"<no failure box>"};
    std::vector<std::wstring> texts;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (classOf(child) == L"Static" || classOf(child) == L"STATIC") texts.push_back(wideText(child));
    }
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored);
    return texts;
}

bool contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

// Work for a second thread while the UI thread pumps (and runs whatever
// modal loop the test set off); joined when the scope ends.
class Automation {
public:
    explicit Automation(std::function<void()> work)
        : thread_([this, work = std::move(work)] {
              work();
              done_ = true;
          }) {}
    ~Automation() { thread_.join(); }
    Automation(const Automation&) = delete;
    Automation& operator=(const Automation&) = delete;
    bool finish() {
        return pumpUntil([&] { return done_.load(); },
                         static_cast<int>(brevaro::test::kWatchdogMilliseconds));
    }

private:
    std::atomic<bool> done_ = false;
    std::thread thread_;
};

HBITMAP pictureOf(HWND window, int id) {
    return reinterpret_cast<HBITMAP>(SendMessageW(GetDlgItem(window, id), STM_GETIMAGE, IMAGE_BITMAP, 0));
}

// Raised above the other tests' windows, then read from the screen.
std::optional<std::string> decodeShownCode(HWND window, int pictureId, const std::function<void()>& idle) {
    SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::optional<std::string> payload;
    for (int attempt = 0; attempt < 3 && !payload; ++attempt) {
        payload = brevaro::test::decodeQrOnScreen(brevaro::test::visibleScreenRect(GetDlgItem(window, pictureId)), idle);
    }
    return payload;
}

void pumpALittle() { monitor::waitPumping(20); }

RECT clientPlace(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void expectControl(HWND window, const QrControlPlace& place, const std::wstring& caption) {
    const HWND control = GetDlgItem(window, place.id);
    ASSERT_NE(control, nullptr) << "control " << place.id;
    const RECT rect = clientPlace(control);
    EXPECT_EQ(rect.left, place.left) << "control " << place.id;
    EXPECT_EQ(rect.top, place.top) << "control " << place.id;
    EXPECT_EQ(rect.right - rect.left, place.width) << "control " << place.id;
    EXPECT_EQ(rect.bottom - rect.top, place.height) << "control " << place.id;
    EXPECT_EQ(wideText(control), caption) << "control " << place.id;
}

// The main window the tool window is opened from.
class MainWindowStandIn {
public:
    MainWindowStandIn(int left, int top, int width, int height) {
        window_ = CreateWindowExW(0, L"STATIC", L"main", WS_POPUP | WS_VISIBLE, left, top, width, height, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    }
    ~MainWindowStandIn() { DestroyWindow(window_); }
    MainWindowStandIn(const MainWindowStandIn&) = delete;
    MainWindowStandIn& operator=(const MainWindowStandIn&) = delete;
    HWND get() const { return window_; }

private:
    HWND window_;
};

class QrToolWindow : public testing::Test {
protected:
    void SetUp() override {
        window = openQrToolWindow(main.get(), [this] { ++closedCalls; });
        ASSERT_NE(window, nullptr);
        input = GetDlgItem(window, kToolInput.id);
        convert = GetDlgItem(window, kToolConvert.id);
    }
    void TearDown() override {
        if (IsWindow(window)) DestroyWindow(window);
    }
    void type(const std::wstring& text) { SetWindowTextW(input, text.c_str()); }
    void click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }
    HBITMAP picture() const { return pictureOf(window, kToolPicture.id); }

    HWND balloon() const {
        for (HWND candidate = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); candidate != nullptr;
             candidate = FindWindowExW(nullptr, candidate, TOOLTIPS_CLASSW, nullptr)) {
            if (GetWindow(candidate, GW_OWNER) == window) return candidate;
        }
        return nullptr;
    }
    std::wstring balloonText() const {
        wchar_t text[256] = {};
        TTTOOLINFOW tool{};
        tool.cbSize = TTTOOLINFOW_V2_SIZE;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(window, kToolPicture.id));
        tool.lpszText = text;
        SendMessageW(balloon(), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    MainWindowStandIn main{40, 30, 978, 550};
    HWND window = nullptr;
    HWND input = nullptr;
    HWND convert = nullptr;
    int closedCalls = 0;
};

TEST_F(QrToolWindow, OpensBelowTheMainWindowsTopWithItsControls) {
    RECT frame{};
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 40 + (978 - 300) / 2);
    EXPECT_EQ(frame.top, 30 + 50);
    EXPECT_EQ(frame.right - frame.left, 300);
    EXPECT_EQ(frame.bottom - frame.top, 431);
    EXPECT_EQ(wideText(window), L"二维码生成工具");
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr) << "a window of its own, not the main window's";
    expectControl(window, kToolPicture, L"");
    expectControl(window, kToolInput, L"");
    expectControl(window, kToolClear, L"清空输入内容");
    expectControl(window, kToolConvert, L"确定转换二维码");
    expectControl(window, kToolHint, L"注意“链接类以https://开头，否则扫描是文字”");

    // Closed from its title bar: the opener hears of it once.
    SendMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(closedCalls, 1);
}

TEST_F(QrToolWindow, MinimisesOnItsOwnAndTellsItsOpenerWhenItGoes) {
    ShowWindow(main.get(), SW_MINIMIZE);
    EXPECT_FALSE(IsIconic(window)) << "the main window minimised alone";
    EXPECT_TRUE(IsWindowVisible(window));
    ShowWindow(main.get(), SW_RESTORE);
    DestroyWindow(window);
    EXPECT_EQ(closedCalls, 1);
}

TEST_F(QrToolWindow, ConvertsTheInputAndKeepsThePictureOnClearAndOnAnEmptyInput) {
    type(L"https://www.iqshw.com/qita/1.html");
    click(convert);
    const HBITMAP first = picture();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(decodeShownCode(window, kToolPicture.id, pumpALittle),
              std::optional<std::string>("https://www.iqshw.com/qita/1.html"));

    click(GetDlgItem(window, kToolClear.id));
    EXPECT_EQ(wideText(input), L"");
    EXPECT_EQ(picture(), first) << "clearing keeps the picture";

    ASSERT_NE(balloon(), nullptr);
    EXPECT_FALSE(IsWindowVisible(balloon()));
    click(convert);
    EXPECT_TRUE(IsWindowVisible(balloon())) << "an empty input shows the hint";
    EXPECT_EQ(balloonText(), L"请先输入内容再转换二维码哦~");
    EXPECT_EQ(picture(), first);
    EXPECT_EQ(decodeShownCode(window, kToolPicture.id, pumpALittle),
              std::optional<std::string>("https://www.iqshw.com/qita/1.html"));

    type(L"京东 满100减20");
    EXPECT_FALSE(IsWindowVisible(balloon())) << "typing puts the hint away";
    click(convert);
    EXPECT_NE(picture(), first);
    // The code carries the text's GBK bytes, as the program holds them;
    // zbarimg hands them back as they are or, recognising GB text, as UTF-8.
    const std::string gbk = "京东 满100减20";
    const std::optional<std::string> decoded = decodeShownCode(window, kToolPicture.id, pumpALittle);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(*decoded == gbk || *decoded == text::gbkToUtf8(gbk)) << *decoded;
}

// Spaces only pass the empty-input guard; the encoder refuses them with its
// failure box, and the window and the program carry on.
TEST_F(QrToolWindow, SpacesOnlyShowTheFailureBoxAndThePictureStays) {
    type(L"first");
    click(convert);
    const HBITMAP first = picture();
    ASSERT_NE(first, nullptr);

    std::vector<std::wstring> boxTexts;
    {
        Automation automation([&] { boxTexts = closeFailureBox(); });
        type(L"   ");
        PostMessageW(convert, BM_CLICK, 0, 0);
        ASSERT_TRUE(automation.finish());
    }
    EXPECT_TRUE(contains(boxTexts, kFailureText)) << testing::PrintToString(boxTexts.size());
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(picture(), first);
    EXPECT_EQ(decodeShownCode(window, kToolPicture.id, pumpALittle), std::optional<std::string>("first"));

    type(L"again");
    click(convert);
    EXPECT_NE(picture(), first);
    EXPECT_EQ(decodeShownCode(window, kToolPicture.id, pumpALittle), std::optional<std::string>("again"));
}

std::string forumPage(const std::vector<std::pair<std::string, std::string>>& posts) {
    std::string page;
    for (const auto& [title, link] : posts) {
        page += "<tr><td><a href=\"" + link + "\" title=\"open\" target=\"_blank\"></a></td><th><a href=\"" + link +
                "\"  class=\"s xst\" target=\"_blank\">" + title + "</a></th><td><em><span>2026-12-8</span>"
                "</em></td></tr>\r\n";
    }
    return page;
}

std::string lumaqPage() {
    return text::gbkToUtf8(
        "<h2>推荐活动区</h2><ul><li><span>12-10</span><em> <a href=\"https://l/t/1.html\"title=\"招行饭票\">"
        "招行饭票</a></em></li></ul><h2>信用公开区</h2>");
}

// A board page with rows, stopped, its list ready for clicks.
class RightClick : public testing::Test {
protected:
    void show(int pageIndex, const std::string& body) {
        server = std::make_unique<LoopbackServer>([body](const ReceivedRequest&) {
            return Reply::make("200 OK", "", body);
        });
        board = std::make_unique<TestBoardPage>(pageIndex, server->url("/list"), alerts);
        board->setText(board->controls().interval, "30");
        board->controller().onStartButton();
        ASSERT_TRUE(pumpUntil([&] { return board->shownCount() > 0; }, kPumpWatchdogMs));
        board->controller().onStartButton();
    }
    // Selects the row, as a left click does.
    void select(int item) {
        LVITEMW state{};
        state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        state.state = LVIS_SELECTED | LVIS_FOCUSED;
        SendMessageW(board->controls().list, LVM_SETITEMSTATE, static_cast<WPARAM>(item),
                     reinterpret_cast<LPARAM>(&state));
    }
    int selectedItem() const {
        return static_cast<int>(SendMessageW(board->controls().list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                             LVNI_SELECTED));
    }
    // The right button going down over the row (and, unless asked not to,
    // coming up again).
    void pressRight(int item, bool release = true) {
        const HWND list = board->controls().list;
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&bounds));
        const LPARAM at = MAKELPARAM(300, (bounds.top + bounds.bottom) / 2);
        PostMessageW(list, WM_RBUTTONDOWN, MK_RBUTTON, at);
        if (release) PostMessageW(list, WM_RBUTTONUP, 0, at);
    }
    // Selects the row and presses the right button on it, as a user does.
    void rightClick(int item) {
        select(item);
        pressRight(item);
    }
    void pumpPosted() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }

    RecordingAlerts alerts;
    std::unique_ptr<LoopbackServer> server;
    std::unique_ptr<TestBoardPage> board;
};

TEST_F(RightClick, ShowsTheRowsLinkAsACodeAndCopiesIt) {
    const std::string link = "thread-9013201-1-1.html";
    show(1, forumPage({{"A", "thread-1-1-1.html"}, {"B", link}}));
    putOnClipboard(L"something else");

    struct Seen {
        std::wstring title, edit, linkBox;
        bool mainEnabled = true;
        std::optional<std::string> decoded;
        std::optional<std::wstring> clipboard;
        std::vector<std::wstring> captions;
        SIZE size{};
        std::vector<RECT> places;
    } seen;
    {
        Automation automation([&] {
            const HWND window = waitForOwnWindow(kQrLinkWindowClass);
            if (window == nullptr) return;
            seen.title = wideText(window);
            seen.edit = wideText(GetDlgItem(window, kLinkEdit.id));
            seen.linkBox = wideText(board->controls().linkBox);
            seen.mainEnabled = IsWindowEnabled(board->window()) != FALSE;
            seen.captions = {wideText(GetDlgItem(window, kLinkCopy.id)), wideText(GetDlgItem(window, kLinkClose.id))};
            RECT frame{};
            GetWindowRect(window, &frame);
            seen.size = {frame.right - frame.left, frame.bottom - frame.top};
            for (const QrControlPlace& place : {kLinkPicture, kLinkEdit, kLinkCopy, kLinkClose}) {
                seen.places.push_back(clientPlace(GetDlgItem(window, place.id)));
            }
            seen.decoded = decodeShownCode(window, kLinkPicture.id, [] { Sleep(20); });
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(GetDlgItem(window, kLinkCopy.id), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored);
            seen.clipboard = clipboardText();
            SendMessageTimeoutW(GetDlgItem(window, kLinkClose.id), BM_CLICK, 0, 0, SMTO_NORMAL, 10000, &ignored);
        });
        rightClick(1);
        ASSERT_TRUE(automation.finish());
    }
    EXPECT_EQ(seen.title, L"二维码转换成功 . . .");
    EXPECT_EQ(seen.edit, text::gbkToWide(link));
    EXPECT_EQ(seen.linkBox, text::gbkToWide(link)) << "handed over through the link box";
    EXPECT_FALSE(seen.mainEnabled) << "the main window waits while the window is open";
    EXPECT_EQ(seen.captions, (std::vector<std::wstring>{L"复制帖子链接", L"关闭"}));
    EXPECT_EQ(seen.size.cx, 300);
    EXPECT_EQ(seen.size.cy, 369);
    const QrControlPlace places[] = {kLinkPicture, kLinkEdit, kLinkCopy, kLinkClose};
    ASSERT_EQ(seen.places.size(), std::size(places));
    for (std::size_t i = 0; i < seen.places.size(); ++i) {
        const RECT& rect = seen.places[i];
        EXPECT_EQ((std::vector<long>{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}),
                  (std::vector<long>{places[i].left, places[i].top, places[i].width, places[i].height}))
            << "control " << places[i].id;
    }
    EXPECT_EQ(seen.decoded, std::optional<std::string>(link));
    EXPECT_EQ(seen.clipboard, std::optional<std::wstring>(text::gbkToWide(link)));
    EXPECT_TRUE(pumpUntil([&] { return findOwnWindow(kQrLinkWindowClass) == nullptr; }, kPumpWatchdogMs));
    EXPECT_TRUE(IsWindowEnabled(board->window()));
}

TEST_F(RightClick, TheTitleBarsCloseEnablesTheMainWindowToo) {
    show(1, forumPage({{"A", "thread-1-1-1.html"}}));
    {
        Automation automation([&] {
            const HWND window = waitForOwnWindow(kQrLinkWindowClass);
            if (window != nullptr) PostMessageW(window, WM_CLOSE, 0, 0);
        });
        rightClick(0);
        ASSERT_TRUE(automation.finish());
    }
    EXPECT_TRUE(pumpUntil([&] { return findOwnWindow(kQrLinkWindowClass) == nullptr; }, kPumpWatchdogMs));
    EXPECT_TRUE(IsWindowEnabled(board->window()));
}

TEST_F(RightClick, DoesNothingOnTheLumaqBoardOrWithoutASelectedRow) {
    // Any QR link window that shows up is noted and closed, so that a fault
    // fails the test instead of leaving it in the window's loop.
    std::atomic<bool> finished = false;
    std::atomic<bool> appeared = false;
    std::thread watcher([&] {
        while (!finished) {
            if (const HWND window = findOwnWindow(kQrLinkWindowClass)) {
                appeared = true;
                PostMessageW(window, WM_CLOSE, 0, 0);
            }
            Sleep(10);
        }
    });

    show(8, lumaqPage());
    pressRight(0);
    pumpPosted();
    EXPECT_EQ(selectedItem(), 0) << "on the Lumaq board the press is the list's own: it selects the row";

    show(1, forumPage({{"A", "thread-1-1-1.html"}}));
    ASSERT_EQ(selectedItem(), -1);
    pressRight(0);
    pumpPosted();
    EXPECT_EQ(selectedItem(), -1) << "with no row selected the press does nothing, not even select";

    finished = true;
    watcher.join();
    EXPECT_FALSE(appeared);
}

// The window opens on the press, before the button comes up, for the row
// selected before it: the press never selects the row under the pointer.
TEST_F(RightClick, ThePressShowsTheRowAlreadySelected) {
    show(1, forumPage({{"A", "thread-1-1-1.html"}, {"B", "thread-2-1-1.html"}}));
    select(0);
    std::wstring shown;
    bool beforeTheRelease = false;
    {
        Automation automation([&] {
            HWND window = nullptr;
            beforeTheRelease = waitFor([&] { return (window = findOwnWindow(kQrLinkWindowClass)) != nullptr; }, 30000);
            if (window == nullptr) {
                // A list that waits for the release gets it, so that the
                // case ends.
                PostMessageW(board->controls().list, WM_RBUTTONUP, 0, 0);
                window = waitForOwnWindow(kQrLinkWindowClass);
            }
            if (window == nullptr) return;
            shown = wideText(GetDlgItem(window, kLinkEdit.id));
            PostMessageW(window, WM_CLOSE, 0, 0);
        });
        pressRight(1, false);
        ASSERT_TRUE(automation.finish());
    }
    EXPECT_TRUE(beforeTheRelease) << "the window opens on the press";
    EXPECT_EQ(shown, L"thread-1-1-1.html");
    EXPECT_EQ(selectedItem(), 0);
}

// A link whose code cannot be made: the failure box, then the window without
// a picture; closing it gives the main window back.
TEST(QrLinkWindow, ALinkOfSpacesShowsTheFailureBoxAndTheWindowStillCloses) {
    MainWindowStandIn main(0, 0, 840, 480);
    std::vector<std::wstring> boxTexts;
    HBITMAP shown = reinterpret_cast<HBITMAP>(1);
    bool mainEnabled = true;
    std::wstring edit;
    {
        Automation automation([&] {
            boxTexts = closeFailureBox();
            const HWND window = waitForOwnWindow(kQrLinkWindowClass);
            if (window == nullptr) return;
            shown = pictureOf(window, kLinkPicture.id);
            mainEnabled = IsWindowEnabled(main.get()) != FALSE;
            edit = wideText(GetDlgItem(window, kLinkEdit.id));
            PostMessageW(window, WM_CLOSE, 0, 0);
        });
        runQrLinkWindow(main.get(), "   ");
        ASSERT_TRUE(automation.finish());
    }
    EXPECT_TRUE(contains(boxTexts, kFailureText));
    EXPECT_EQ(shown, nullptr);
    EXPECT_FALSE(mainEnabled);
    EXPECT_EQ(edit, L"   ");
    EXPECT_TRUE(IsWindowEnabled(main.get()));
}

}  // namespace
}  // namespace brevaro::app
