// Parts of the shell inside this process: the network test against a
// reachable and a closed loopback page, the network alarm as the system's
// wave reader sees it, the tooltip routine, the pictures, the colours a
// container paints its labels in, a board page handing its controls'
// notifications to its handler and taking its panel's keys, the links
// window's rows, and the slides' wait.

// mmsystem.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <mmsystem.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "app/boards/BoardPage_win.h"
#include "app/catalogue/ControlIds.h"
#include "app/widgets/Fonts_win.h"
#include "app/window/InfoPages_win.h"
#include "app/window/LinksWindow_win.h"
#include "app/window/NetworkAlarmSound.h"
#include "app/window/NetworkCheck_win.h"
#include "app/widgets/PictureBox_win.h"
#include "app/pictures/Pictures_win.h"
#include "app/catalogue/ShellConfig.h"
#include "app/window/TickWait_win.h"
#include "app/widgets/Tooltips_win.h"
#include "app/window/VersionFlash.h"
#include "app/widgets/Widgets_win.h"
#include "skin/GdiHandles_win.h"
#include "skin/GdiPlus_win.h"
#include "skin/LookPaint_win.h"
#include "support/Clipboard.h"
#include "support/LoopbackServer.h"
#include "support/ProcessCounts.h"
#include "support/Watchdog.h"
#include "win/support/SystemWaveReader.h"

namespace brevaro::app {
namespace {

using namespace std::chrono_literals;

HWND hostWindow() {
    return CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 900, 500, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

TEST(NetworkCheck, UpOnlyWhenTheTestPageOpens) {
    const test::LoopbackServer server([](const test::ReceivedRequest&) {
        return test::Reply::make("200 OK", "", "Microsoft Connect Test");
    });
    EXPECT_TRUE(networkIsUp(server.url("/connecttest.txt")));
    EXPECT_FALSE(networkIsUp("http://127.0.0.1:" + std::to_string(test::closedLoopbackPort()) +
                             "/connecttest.txt"));
}

// A test page that is held past the limit counts as no network: a server
// that accepts and never answers, one that stops after its status line. The
// limit is short for the test; the watchdog turns a limit that does not hold
// into a failure rather than a hang.
TEST(NetworkCheck, DownWhenTheTestPageIsHeldPastTheLimit) {
    constexpr int kShortLimitMs = 1500;
    const struct {
        const char* name;
        test::Reply reply;
    } cases[] = {
        {"accepts and never answers", [] {
             test::Reply reply;
             reply.holdOpen = true;
             return reply;
         }()},
        {"stops after its status line", [] {
             test::Reply reply;
             reply.chunks.push_back("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n");
             reply.holdOpen = true;
             return reply;
         }()},
        {"drips its header block a byte at a time", [] {
             test::Reply reply;
             reply.chunks.push_back("HTTP/1.1 200 OK\r\nX-Drip: ");
             for (int i = 0; i < 5000; ++i) reply.chunks.push_back("x");
             reply.pause = 200ms;
             return reply;
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const test::LoopbackServer server([&](const test::ReceivedRequest&) { return c.reply; });
        const std::string url = server.url("/connecttest.txt");
        EXPECT_FALSE(
            test::returnsBeforeWatchdog([&] { return networkIsUp(url, kShortLimitMs); }, c.name));
    }
    const test::LoopbackServer answering([](const test::ReceivedRequest&) {
        test::Reply reply = test::Reply::make("200 OK", "", "Microsoft Connect Test");
        reply.pause = 100ms;
        return reply;
    });
    EXPECT_TRUE(networkIsUp(answering.url("/connecttest.txt"), 20000))
        << "an answer in time is a network";
}

// The check runs beside the UI thread and reports to a window by message.
TEST(NetworkCheck, ReportsToItsWindowFromAThreadOfItsOwn) {
    const HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    constexpr UINT kDone = WM_APP + 5;
    const std::string closed =
        "http://127.0.0.1:" + std::to_string(test::closedLoopbackPort()) + "/";
    ASSERT_TRUE(startNetworkCheck(window, kDone, closed));
    MSG message{};
    const ULONGLONG deadline = GetTickCount64() + 60000;
    bool received = false;
    while (!received && GetTickCount64() < deadline) {
        while (PeekMessageW(&message, window, kDone, kDone, PM_REMOVE)) received = true;
        if (!received) Sleep(10);
    }
    ASSERT_TRUE(received);
    EXPECT_EQ(message.wParam, 0u) << "a closed port is no network";
    DestroyWindow(window);
}

// What a window was sent: the last message of the kind the test waits for.
UINT sentMessage = 0;
WPARAM sentWParam = 99;

LRESULT CALLBACK recordSent(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_APP) {
        sentMessage = message;
        sentWParam = wParam;
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HANDLE noThread(LPTHREAD_START_ROUTINE, void*) { return nullptr; }

// When no thread can be started the check runs where it was asked for, and
// its answer reaches the window as the thread's would (so the window plays
// the alarm for a network that is down either way).
TEST(NetworkCheck, WithoutAThreadTheAnswerStillReachesItsWindow) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = recordSent;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"Brevaro.Test.RecordSent";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    constexpr UINT kDone = WM_APP + 6;
    const std::string closed = "http://127.0.0.1:" + std::to_string(test::closedLoopbackPort()) + "/";
    EXPECT_FALSE(startNetworkCheck(window, kDone, closed, noThread));
    EXPECT_EQ(sentMessage, kDone) << "answered before the call returns";
    EXPECT_EQ(sentWParam, 0u) << "a closed port is no network";
    DestroyWindow(window);
}

TEST(NetworkAlarm, SystemWaveReaderAcceptsItAndPlayingNeverWaits) {
    const brevaro::test::SystemWaveReading reading = brevaro::test::readWithSystem(networkAlarmWav());
    ASSERT_TRUE(reading.read);
    EXPECT_EQ(reading.format.wf.nChannels, 2);
    EXPECT_EQ(reading.format.wf.nSamplesPerSec, 48000u);
    EXPECT_EQ(reading.format.wBitsPerSample, 16);
    EXPECT_EQ(reading.dataBytes, 373248u);

    auto played = std::async(std::launch::async, [] { playNetworkAlarm(); });
    EXPECT_EQ(played.wait_for(5s), std::future_status::ready) << "the alarm plays asynchronously";
}

std::wstring toolText(HWND tooltips, HWND tool) {
    wchar_t text[256] = {};
    TTTOOLINFOW info{};
    info.cbSize = TTTOOLINFOW_V2_SIZE;
    info.hwnd = GetParent(tool) != nullptr ? GetParent(tool) : tool;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = text;
    SendMessageW(tooltips, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&info));
    return text;
}

// A window whose tooltip changes (the settings button) has one tool with
// the latest text, never a second one that would still show the old text.
TEST(Tooltips, OneToolPerWindowWithItsLatestText) {
    const HWND host = hostWindow();
    const HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 0, 0, 30, 30,
                                        host, nullptr, GetModuleHandleW(nullptr), nullptr);
    addTooltip(button, "展开设置");
    const HWND tooltips = tooltipControl();
    ASSERT_NE(tooltips, nullptr);
    const auto before = SendMessageW(tooltips, TTM_GETTOOLCOUNT, 0, 0);
    addTooltip(button, "收缩设置");
    EXPECT_EQ(SendMessageW(tooltips, TTM_GETTOOLCOUNT, 0, 0), before);
    EXPECT_EQ(toolText(tooltips, button), L"收缩设置");
    addTooltip(button, "展开设置");
    EXPECT_EQ(toolText(tooltips, button), L"展开设置");
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(tooltips, GWL_STYLE));
    EXPECT_NE(style & TTS_ALWAYSTIP, 0u);
    EXPECT_NE(style & TTS_NOPREFIX, 0u);
    EXPECT_EQ(GetWindow(tooltips, GW_OWNER), nullptr);
    DestroyWindow(host);
}

COLORREF pixelOf(HBITMAP bitmap, int x, int y) {
    const skin::WindowDc screen(nullptr);
    const skin::OwnedMemoryDc dc(CreateCompatibleDC(screen.get()));
    const skin::Selection selection(dc.get(), bitmap);
    return GetPixel(dc.get(), x, y);
}

SIZE sizeOf(HBITMAP bitmap) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

TEST(Pictures, EveryPictureIsDrawnAtItsSizeWithTheSelectedLooksBar) {
    ASSERT_TRUE(skin::startGdiPlus());
    const Fonts fonts;
    const Pictures pictures(fonts);
    for (int page = 0; page < 11; ++page) {
        const ButtonPictureSet& set = pictures.navButton(page);
        for (HBITMAP bitmap :
             {set.normal.get(), set.hover.get(), set.pressed.get(), set.disabled.get()}) {
            ASSERT_NE(bitmap, nullptr) << page;
            EXPECT_EQ(sizeOf(bitmap).cx, 135);
            EXPECT_EQ(sizeOf(bitmap).cy, 39);
        }
        EXPECT_EQ(pixelOf(set.pressed.get(), 133, 20), RGB(50, 147, 235))
            << "the selected look's bar, page " << page;
        EXPECT_EQ(pixelOf(set.normal.get(), 133, 20), RGB(255, 255, 255)) << page;
        EXPECT_EQ(pixelOf(set.normal.get(), 2, 2), RGB(255, 255, 255)) << page;
    }
    EXPECT_EQ(sizeOf(pictures.exitButton().hover.get()).cy, 40);
    EXPECT_GT(GetRValue(pixelOf(pictures.exitButton().hover.get(), 2, 2)), 200)
        << "white on red under the mouse";
    EXPECT_EQ(sizeOf(pictures.background()).cx, 1048);
    EXPECT_EQ(pixelOf(pictures.background(), 500, 20), RGB(255, 255, 255)) << "the top bar";
    EXPECT_EQ(pixelOf(pictures.background(), 500, 300), RGB(238, 245, 249)) << "the page area";
    EXPECT_EQ(pixelOf(pictures.background(), 60, 300), RGB(255, 255, 255))
        << "the navigation column";
    for (HBITMAP bitmap :
         {pictures.logo(), pictures.panelPicture(), pictures.contactIcon(), pictures.networkIcon(),
          pictures.settingsButton().normal.get(), pictures.groupButton().pressed.get()}) {
        EXPECT_NE(bitmap, nullptr);
    }
    // The gear: ink in a tooth at the top, white in its hole.
    EXPECT_NE(pixelOf(pictures.settingsButton().normal.get(), 15, 5), RGB(255, 255, 255));
    EXPECT_EQ(pixelOf(pictures.settingsButton().normal.get(), 15, 15), RGB(255, 255, 255));
}

// The colour of a control's pixel as it paints itself (WM_PRINTCLIENT into
// a bitmap), with the colours its container answers.
// What a control paints of itself (WM_PRINTCLIENT into a bitmap), handed to
// `read` with the DC and the client size.
template <class Read>
auto readPainted(HWND control, Read read) {
    RECT client;
    GetClientRect(control, &client);
    const skin::WindowDc screen(nullptr);
    const skin::OwnedMemoryDc dc(CreateCompatibleDC(screen.get()));
    const skin::OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    const skin::Selection selection(dc.get(), bitmap.get());
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
    return read(dc.get(), client.right, client.bottom);
}

COLORREF paintedPixel(HWND control, int x, int y) {
    return readPainted(control, [&](HDC dc, int, int) { return GetPixel(dc, x, y); });
}

// A container paints a label in whatever colours it keeps for it, as the
// version label's flash has it shown on ten random backgrounds at a time:
// every background shows, and none leaves a GDI object behind.
TEST(ControlColours, EveryBackgroundShowsAndNoneKeepsAnObject) {
    const HWND host = hostWindow();
    const HWND box = createPictureBox({.parent = host, .id = 1, .box = {0, 0, 300, 40}});
    const HWND label = createLabel(box, 2, "当前版本:V2.5", {25, 5, 273, 30}, SS_LEFT | SS_CENTERIMAGE);
    ASSERT_NE(label, nullptr);
    setControlColours(label, {kRestingText, kRestingBackground});
    EXPECT_EQ(paintedPixel(label, 270, 2), RGB(255, 255, 255));

    const int before = test::processCounts(GetCurrentProcessId()).gdiObjects;
    ASSERT_GT(before, 0) << "the GDI objects cannot be counted";
    std::mt19937 random(20261210);
    for (int i = 0; i < 500; ++i) {
        const Colour background = flashBackground(random);
        setControlColours(label, {kFlashText, background});
        ASSERT_EQ(paintedPixel(label, 270, 2), skin::colorref(background)) << "background " << i;
    }
    // A few for what the system caches, far below one a colour.
    EXPECT_LE(test::processCounts(GetCurrentProcessId()).gdiObjects, before + 4);
    DestroyWindow(host);
}

// The handler a board controller installs: counts what reaches it and
// answers the virtual list's questions.
class RecordingHandler : public BoardPageHandler {
  public:
    void onCommand(BoardPage&, int controlId, int code, HWND) override {
        if (code == BN_CLICKED) lastClicked = controlId;
    }
    bool onNotify(BoardPage&, NMHDR& header, LRESULT& result) override {
        if (header.code != LVN_GETDISPINFOW) return false;
        auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
        if ((info.item.mask & LVIF_TEXT) != 0 && info.item.pszText != nullptr) {
            lstrcpynW(info.item.pszText, info.item.iSubItem == 2 ? L"标题" : L"1",
                      info.item.cchTextMax);
        }
        result = 0;
        ++questions;
        return true;
    }
    int lastClicked = 0;
    int questions = 0;
};

TEST(BoardPage, HandsItsNestedControlsNotificationsToItsHandler) {
    const HWND host = hostWindow();
    const Fonts fonts;
    BoardPage* page = BoardPage::create(host, 0, {0, 0, 847, 474}, fonts);
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(BoardPage::fromWindow(page->window()), page);
    EXPECT_EQ(GetDlgCtrlID(page->startButton()), kStartButtonId);
    EXPECT_EQ(page->linkBox(), nullptr);

    // Without a handler the controls do nothing.
    SendMessageW(page->startButton(), BM_CLICK, 0, 0);

    auto handler = std::make_unique<RecordingHandler>();
    RecordingHandler* recorded = handler.get();
    page->setHandler(std::move(handler));
    SendMessageW(page->startButton(), BM_CLICK, 0, 0);
    EXPECT_EQ(recorded->lastClicked, kStartButtonId)
        << "through the start group and the control panel";
    SendMessageW(page->voiceCheck(), BM_CLICK, 0, 0);
    EXPECT_EQ(recorded->lastClicked, kVoiceCheckId);

    // The virtual list asks the handler for its rows' texts.
    SendMessageW(page->resultsList(), LVM_SETITEMCOUNT, 1, 0);
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = 2;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(page->resultsList(), LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, L"标题");
    EXPECT_GT(recorded->questions, 0);

    page->setHandler(nullptr);
    SendMessageW(page->startButton(), BM_CLICK, 0, 0);
    DestroyWindow(host);
}

TEST(BoardPage, PageFiveAloneCarriesTheHiddenLinkBox) {
    const HWND host = hostWindow();
    const Fonts fonts;
    BoardPage* five = BoardPage::create(host, 5, {0, 0, 847, 474}, fonts);
    BoardPage* seven = BoardPage::create(host, 7, {0, 0, 847, 474}, fonts);
    ASSERT_NE(five, nullptr);
    ASSERT_NE(seven, nullptr);
    ASSERT_NE(five->linkBox(), nullptr);
    EXPECT_FALSE(IsWindowVisible(five->linkBox()));
    EXPECT_EQ(seven->linkBox(), nullptr);
    DestroyWindow(host);
}

// The darkest pixel a control paints: the colour of its text's strokes.
COLORREF darkestPixel(HWND control) {
    return readPainted(control, [](HDC dc, int width, int height) {
        COLORREF darkest = RGB(255, 255, 255);
        auto weight = [](COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c); };
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const COLORREF pixel = GetPixel(dc, x, y);
                if (weight(pixel) < weight(darkest)) darkest = pixel;
            }
        }
        return darkest;
    });
}

// Text controls are black unless they say otherwise: the board page's
// labels and the usage text.
TEST(TextColours, TheBoardPagesLabelsAndTheUsageTextAreBlack) {
    const HWND host = hostWindow();
    const Fonts fonts;
    BoardPage* page = BoardPage::create(host, 0, {0, 0, 847, 474}, fonts);
    ASSERT_NE(page, nullptr);
    const HWND panel = GetDlgItem(page->window(), kControlPanelId);
    const HWND intervalGroup = GetDlgItem(panel, kIntervalGroupId);
    const HWND keywordGroup = GetDlgItem(panel, kKeywordGroupId);
    for (HWND label : {GetDlgItem(intervalGroup, kIntervalLabelId), GetDlgItem(intervalGroup, kStayLabelId),
                       GetDlgItem(keywordGroup, kKeywordLabelId)}) {
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(darkestPixel(label), RGB(0, 0, 0)) << "label " << GetDlgCtrlID(label);
    }
    const HWND usage = createUsagePage(host, {0, 0, 847, 474}, fonts, "http://127.0.0.1:9/");
    ASSERT_NE(usage, nullptr);
    EXPECT_EQ(darkestPixel(GetDlgItem(usage, kUsageTextId)), RGB(0, 0, 0));
    DestroyWindow(host);
}

// A key as the message loop hands it to the focused control: the key going
// down, then its character (Shift held as asked).
void typeKey(WPARAM key, wchar_t character, bool shift = false) {
    BYTE keys[256] = {};
    GetKeyboardState(keys);
    keys[VK_SHIFT] = shift ? 0x80 : 0;
    SetKeyboardState(keys);
    const HWND focus = GetFocus();
    PostMessageW(focus, WM_KEYDOWN, key, 1);
    if (character != 0) PostMessageW(focus, WM_CHAR, character, 1);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    keys[VK_SHIFT] = 0;
    SetKeyboardState(keys);
}

std::wstring textOf(HWND control) {
    wchar_t text[256] = {};
    GetWindowTextW(control, text, 256);
    return text;
}

// The panel has no dialog manager: Tab and Shift+Tab go round its controls
// that can take the focus, and the keyword box keeps its keywords on one
// line whatever is typed or pasted into it.
TEST(BoardPage, TabGoesRoundThePanelAndTheKeywordsStayOneLine) {
    const HWND host = hostWindow();
    const Fonts fonts;
    BoardPage* page = BoardPage::create(host, 0, {0, 0, 847, 474}, fonts);
    ASSERT_NE(page, nullptr);
    ShowWindow(page->window(), SW_SHOW);
    ShowWindow(host, SW_SHOW);
    const HWND keywords = page->keywordBox();

    SetFocus(page->intervalBox());
    const HWND forwards[] = {page->stayBox(), page->voiceCheck(), page->popupCheck(), keywords, page->startButton(),
                             page->intervalBox()};
    for (HWND next : forwards) {
        typeKey(VK_TAB, L'\t');
        EXPECT_EQ(GetFocus(), next) << "Tab to control " << GetDlgCtrlID(next);
    }
    typeKey(VK_TAB, L'\t', true);
    EXPECT_EQ(GetFocus(), page->startButton()) << "Shift+Tab goes back round";
    // While a board runs its settings are disabled: Tab skips them.
    EnableWindow(keywords, FALSE);
    SetFocus(page->popupCheck());
    typeKey(VK_TAB, L'\t');
    EXPECT_EQ(GetFocus(), page->startButton());
    EnableWindow(keywords, TRUE);

    // Tab leaves the keyword box without a character in it.
    SetWindowTextW(keywords, L"京东");
    SetFocus(keywords);
    SendMessageW(keywords, EM_SETSEL, 2, 2);
    typeKey(VK_TAB, L'\t');
    EXPECT_EQ(textOf(keywords), L"京东");
    EXPECT_EQ(GetFocus(), page->startButton());

    // A typed line break is the separator.
    SetFocus(keywords);
    SendMessageW(keywords, EM_SETSEL, 2, 2);
    typeKey(VK_RETURN, L'\r');
    EXPECT_EQ(textOf(keywords), L"京东*");

    // A pasted list, one keyword a line, becomes a list of keywords.
    test::putOnClipboard(L"红包\r\n满 减\r\n\t券");
    SendMessageW(keywords, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(keywords), L"京东*红包*满 减**券");
    DestroyWindow(host);
}

struct OwnedWindows {
    HWND owner;
    int owned = 0;
};

BOOL CALLBACK countOwnedWindows(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<OwnedWindows*>(data);
    if (GetWindow(window, GW_OWNER) == search->owner) ++search->owned;
    return TRUE;
}

// The links window's rows, each in its grey on white, the mouse over it or
// not; the first row ("访问官网") shows; the window has no drawn shadow.
TEST(LinksWindow, EveryRowShowsInItsGreyAndTheWindowCarriesNoShadow) {
    const HWND owner = hostWindow();
    const Fonts fonts;
    const ShellConfig config = releaseShellConfig();
    const HWND links = createLinksWindow(owner, fonts, config);
    ASSERT_NE(links, nullptr);
    const HWND first = GetDlgItem(links, linkRowId(0));
    ASSERT_NE(first, nullptr);
    EXPECT_NE(GetWindowLongPtrW(first, GWL_STYLE) & WS_VISIBLE, 0);
    EXPECT_EQ(textOf(first), L"访问官网");

    const HWND contact = GetDlgItem(links, linkRowId(1));
    ASSERT_NE(contact, nullptr);
    const skin::WindowDc screen(nullptr);
    const skin::OwnedMemoryDc dc(CreateCompatibleDC(screen.get()));
    SendMessageW(contact, WM_MOUSEMOVE, 0, MAKELPARAM(20, 10));
    SendMessageW(links, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(contact));
    EXPECT_EQ(GetTextColor(dc.get()), RGB(96, 96, 96)) << "with the mouse over the link";

    // Nothing is owned by the links window (a drawn shadow would be).
    OwnedWindows search{links};
    EnumThreadWindows(GetCurrentThreadId(), countOwnedWindows, reinterpret_cast<LPARAM>(&search));
    EXPECT_EQ(search.owned, 0);
    DestroyWindow(links);
    DestroyWindow(owner);
}

// A slide's step handles the thread's messages until the tick count has
// moved on by its pause.
TEST(TickWait, HandlesMessagesUntilTheTicksHavePassed) {
    const HWND window = hostWindow();
    PostMessageW(window, WM_NULL, 0, 0);
    PostMessageW(window, WM_APP, 0, 0);
    const DWORD start = GetTickCount();
    pumpUntilTicksPass(40);
    EXPECT_GE(GetTickCount() - start, 40u);
    MSG left;
    EXPECT_FALSE(PeekMessageW(&left, window, WM_APP, WM_APP, PM_REMOVE)) << "the posted message was handled";
    DestroyWindow(window);
}

}  // namespace
}  // namespace brevaro::app
