// The look layer on windows of this process: controls created after the
// look is installed wear it (painted in its colours) and keep their texts,
// states and notifications; picture buttons show their pictures per state
// and refuse clicks while disabled; the image shadow takes its picture's
// size and follows its window. The look is installed per thread, so each
// case runs on a thread of its own.

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <memory>
#include <thread>

#include "skin/GdiHandles_win.h"
#include "skin/ImageShadow_win.h"
#include "skin/LookLayer_win.h"
#include "skin/PictureButton_win.h"
#include "skin/Skin_win.h"
#include "win/support/WindowText.h"

namespace brevaro::skin {
namespace {

constexpr wchar_t kHostClass[] = L"Brevaro.LookTestHost";

// The host window counts the BN_CLICKED notifications it receives.
int clicks = 0;

LRESULT CALLBACK hostProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++clicks;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND createHost() {
    static const ATOM registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = hostProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kHostClass;
        return RegisterClassExW(&windowClass);
    }();
    if (registered == 0) return nullptr;
    return CreateWindowExW(0, kHostClass, L"host", WS_POPUP | WS_VISIBLE, 40, 40, 400, 300, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

HWND child(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, int left,
           int top, int width, int height, int id) {
    return CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width,
                           height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

// The colour of a control's pixel as the control paints itself
// (WM_PRINTCLIENT into a bitmap).
COLORREF paintedPixel(HWND control, int x, int y) {
    RECT client;
    GetClientRect(control, &client);
    const WindowDc screen(nullptr);
    const OwnedMemoryDc dc(CreateCompatibleDC(screen.get()));
    const OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), client.right, client.bottom));
    const Selection selection(dc.get(), bitmap.get());
    SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    return GetPixel(dc.get(), x, y);
}

bool dressedAs(HWND window, const wchar_t* mark) {
    return GetPropW(window, mark) != nullptr;
}

// Runs a case on a fresh thread: the look and its hook belong to a thread.
void onThreadOfItsOwn(const std::function<void()>& body) {
    std::thread thread(body);
    thread.join();
}

OwnedBitmap solid(COLORREF colour, int width, int height) {
    const WindowDc screen(nullptr);
    OwnedBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
    const OwnedMemoryDc dc(CreateCompatibleDC(screen.get()));
    const Selection selection(dc.get(), bitmap.get());
    const OwnedBrush brush(CreateSolidBrush(colour));
    RECT all{0, 0, width, height};
    FillRect(dc.get(), &all, brush.get());
    return bitmap;
}

TEST(LookLayer, ControlsWearTheLookAndKeepTheirBehaviour) {
    onThreadOfItsOwn([] {
        const HWND host = createHost();
        ASSERT_NE(host, nullptr);
        const HWND before = child(host, L"BUTTON", L"早", BS_AUTOCHECKBOX, 10, 10, 80, 22, 1);
        EXPECT_FALSE(dressedAs(before, L"Brevaro.Look.Button"));

        applySkin(6, host, false, 1, 1);
        EXPECT_TRUE(lookInstalled());
        EXPECT_TRUE(dressedAs(before, L"Brevaro.Look.Button"))
            << "windows that exist are dressed at once";

        const HWND push = child(host, L"BUTTON", L"开始监控", BS_PUSHBUTTON, 10, 40, 120, 40, 2);
        const HWND check = child(host, L"BUTTON", L"语音提醒", BS_AUTOCHECKBOX, 10, 90, 90, 22, 3);
        const HWND edit =
            CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"10", WS_CHILD | WS_VISIBLE, 10, 120, 60,
                            24, host, nullptr, GetModuleHandleW(nullptr), nullptr);
        const HWND label = child(host, L"STATIC", L"标签", SS_LEFT, 10, 150, 60, 20, 4);
        EXPECT_TRUE(dressedAs(push, L"Brevaro.Look.Button"));
        EXPECT_TRUE(dressedAs(check, L"Brevaro.Look.Button"));
        EXPECT_TRUE(dressedAs(edit, L"Brevaro.Look.Field"));
        EXPECT_FALSE(dressedAs(label, L"Brevaro.Look.Button"))
            << "labels keep the system's painting";

        // Painted in the accent, grey when disabled.
        EXPECT_EQ(paintedPixel(push, 60, 5), RGB(50, 147, 235));
        EnableWindow(push, FALSE);
        EXPECT_EQ(paintedPixel(push, 60, 5), RGB(226, 231, 236));
        EnableWindow(push, TRUE);

        // Texts, states and notifications as before.
        EXPECT_EQ(test::windowText(push), L"开始监控");
        SetWindowTextW(push, L"停止监控");
        EXPECT_EQ(test::windowText(push), L"停止监控");
        clicks = 0;
        SendMessageW(check, BM_CLICK, 0, 0);
        EXPECT_EQ(SendMessageW(check, BM_GETCHECK, 0, 0), BST_CHECKED);
        SendMessageW(push, BM_CLICK, 0, 0);
        EXPECT_EQ(clicks, 2);
        // A checked box shows the accent in its box.
        EXPECT_EQ(paintedPixel(check, 9, 16), RGB(50, 147, 235));
        DestroyWindow(host);
    });
}

TEST(LookLayer, ANumberOutsideOneToEightInstallsNoLook) {
    onThreadOfItsOwn([] {
        const HWND host = createHost();
        applySkin(9, host, false, 1, 1);
        EXPECT_FALSE(lookInstalled());
        const HWND push = child(host, L"BUTTON", L"OK", BS_PUSHBUTTON, 10, 40, 120, 40, 2);
        EXPECT_FALSE(dressedAs(push, L"Brevaro.Look.Button"));
        DestroyWindow(host);
    });
}

TEST(LookLayer, TintTurnsTheLooksColours) {
    onThreadOfItsOwn([] {
        const HWND host = createHost();
        applySkin(6, host, false, 1, 1, std::nullopt, std::nullopt, 180, 0, 0);
        const HWND push = child(host, L"BUTTON", L"OK", BS_PUSHBUTTON, 10, 40, 120, 40, 2);
        const COLORREF turned = paintedPixel(push, 60, 5);
        EXPECT_GT(GetRValue(turned), 200) << "the blue accent turned half way round is orange";
        EXPECT_LT(GetBValue(turned), 80);
        DestroyWindow(host);
        applySkin(6, nullptr, false, 1, 1);  // the plain colours again for the cases after this one
    });
}

// Where the system answers for a caption button along the title bar's
// middle line: its span in window coordinates (empty when it has none).
struct Span {
    int left = 0, right = 0;
    bool empty() const { return right <= left; }
};

Span captionButtonSpan(HWND window, LRESULT which) {
    RECT frame{};
    GetWindowRect(window, &frame);
    TITLEBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetTitleBarInfo(window, &bar);
    const int y = (bar.rcTitleBar.top + bar.rcTitleBar.bottom) / 2;
    Span span;
    for (int x = frame.left; x < frame.right; ++x) {
        if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) != which) continue;
        if (span.empty()) span.left = x - frame.left;
        span.right = x - frame.left + 1;
    }
    return span;
}

// Pixels of the caption band over a span that are near the white of the
// band's glyphs.
int glyphPixels(HWND window, const Span& span) {
    TITLEBARINFO bar{};
    bar.cbSize = sizeof bar;
    GetTitleBarInfo(window, &bar);
    RECT frame{};
    GetWindowRect(window, &frame);
    const WindowDc dc(window, true);
    int count = 0;
    for (int y = bar.rcTitleBar.top - frame.top; y < bar.rcTitleBar.bottom - frame.top; ++y) {
        for (int x = span.left; x < span.right; ++x) {
            const COLORREF pixel = GetPixel(dc.get(), x, y);
            if (GetRValue(pixel) + GetGValue(pixel) + GetBValue(pixel) >= 600) ++count;
        }
    }
    return count;
}

// A caption draws the buttons its window has: the close cross and, on a
// window with a minimise box, the minimise bar, which minimises it.
TEST(CaptionLook, DrawsTheButtonsTheWindowHasAndTheyAnswer) {
    onThreadOfItsOwn([] {
        applySkin(6, nullptr, false, 1, 1);
        const HWND window =
            CreateWindowExW(0, kHostClass, L"工具", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_VISIBLE,
                            60, 60, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(dressedAs(window, L"Brevaro.Look.Caption"));
        RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        const Span close = captionButtonSpan(window, HTCLOSE);
        const Span minimise = captionButtonSpan(window, HTMINBUTTON);
        ASSERT_FALSE(close.empty());
        ASSERT_FALSE(minimise.empty()) << "the system has a minimise button there";
        EXPECT_GT(glyphPixels(window, close), 0) << "the close cross";
        EXPECT_GT(glyphPixels(window, minimise), 0) << "the minimise bar";

        // Pressed, it minimises the window at once (the release the
        // system's own button would wait for is there too).
        RECT frame{};
        GetWindowRect(window, &frame);
        TITLEBARINFO bar{};
        bar.cbSize = sizeof bar;
        GetTitleBarInfo(window, &bar);
        const LPARAM at = MAKELPARAM(frame.left + (minimise.left + minimise.right) / 2,
                                     (bar.rcTitleBar.top + bar.rcTitleBar.bottom) / 2);
        PostMessageW(window, WM_LBUTTONUP, 0, 0);
        SendMessageW(window, WM_NCLBUTTONDOWN, HTMINBUTTON, at);
        EXPECT_TRUE(IsIconic(window));
        DestroyWindow(window);
    });
}

TEST(PictureButton, ShowsThePictureOfItsStateAndRefusesClicksWhileDisabled) {
    onThreadOfItsOwn([] {
        const HWND host = createHost();
        const OwnedBitmap normal = solid(RGB(255, 0, 0), 40, 30);
        const OwnedBitmap hover = solid(RGB(0, 255, 0), 40, 30);
        const OwnedBitmap pressed = solid(RGB(0, 0, 255), 40, 30);
        const OwnedBitmap disabled = solid(RGB(90, 90, 90), 40, 30);
        const HWND button = createPictureButton(
            {.parent = host,
             .id = 7,
             .caption = L"赚客大家谈",
             .left = 0,
             .top = 0,
             .width = 40,
             .height = 30,
             .pictures = {normal.get(), hover.get(), pressed.get(), disabled.get()},
             .handCursor = true});
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(test::windowText(button), L"赚客大家谈");
        EXPECT_EQ(paintedPixel(button, 20, 15), RGB(255, 0, 0));

        // Swapping the normal picture: what the page switcher does.
        setButtonPicture(button, ButtonPicture::Normal, pressed.get());
        EXPECT_EQ(buttonPicture(button, ButtonPicture::Normal), pressed.get());
        EXPECT_EQ(paintedPixel(button, 20, 15), RGB(0, 0, 255));
        setButtonPicture(button, ButtonPicture::Normal, normal.get());

        clicks = 0;
        SendMessageW(button, BM_CLICK, 0, 0);
        EXPECT_EQ(clicks, 1);
        EnableWindow(button, FALSE);
        EXPECT_EQ(paintedPixel(button, 20, 15), RGB(90, 90, 90));
        SendMessageW(button, BM_CLICK, 0, 0);
        EXPECT_EQ(clicks, 1) << "a disabled picture button takes no click";
        EnableWindow(button, TRUE);
        EnableWindow(host, FALSE);
        SendMessageW(button, BM_CLICK, 0, 0);
        EXPECT_EQ(clicks, 1) << "nor does one in a disabled window";
        DestroyWindow(host);
    });
}

TEST(ImageShadow, TakesItsPictureSizeAndFollowsItsWindow) {
    onThreadOfItsOwn([] {
        const HWND shadow = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT, L"STATIC", L"",
                                            WS_POPUP | WS_DISABLED, 50, 50, 0, 0, nullptr, nullptr,
                                            GetModuleHandleW(nullptr), nullptr);
        const HWND main = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 200, 150, 978,
                                          550, shadow, nullptr, GetModuleHandleW(nullptr), nullptr);
        followWithImageShadow(shadow, main);
        ASSERT_TRUE(attachImageShadow(shadow));
        EXPECT_NE(GetWindowLongPtrW(shadow, GWL_EXSTYLE) & WS_EX_LAYERED, 0);
        RECT place{};
        GetWindowRect(shadow, &place);
        EXPECT_EQ(place.left, 191);
        EXPECT_EQ(place.top, 141);
        EXPECT_EQ(place.right - place.left, 867);
        EXPECT_EQ(place.bottom - place.top, 567);
        EXPECT_TRUE(IsWindowVisible(shadow));

        SetWindowPos(main, nullptr, 300, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        followWithImageShadow(shadow, main);
        GetWindowRect(shadow, &place);
        EXPECT_EQ(place.left, 291);
        EXPECT_EQ(place.top, 91);
        EXPECT_EQ(place.right - place.left, 867) << "moving keeps the picture's size";

        ShowWindow(main, SW_MINIMIZE);
        followWithImageShadow(shadow, main);
        EXPECT_FALSE(IsWindowVisible(shadow));
        EXPECT_TRUE(IsIconic(main))
            << "the owner is hidden, not minimised, so its window stays as it is";
        DestroyWindow(shadow);
    });
}

}  // namespace
}  // namespace brevaro::skin
