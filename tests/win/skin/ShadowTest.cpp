// The drawn shadow on a window of this thread: every message reaches the
// subclassed procedure synchronously, so each step is checked at once.

#include <windows.h>

#include <gtest/gtest.h>

#include "skin/Shadow_win.h"
#include "skin/Skin_win.h"

namespace brevaro::skin {
namespace {

constexpr UINT kPing = WM_APP + 7;  // answered by the target's own procedure

LRESULT CALLBACK targetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPing) return 42;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND shadowOf(HWND target) { return static_cast<HWND>(GetPropW(target, L"Brevaro.Shadow")); }

INT_PTR property(HWND window, const wchar_t* name) { return reinterpret_cast<INT_PTR>(GetPropW(window, name)); }

RECT rectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

testing::AssertionResult framesTarget(HWND shadow, HWND target, int size) {
    const RECT inner = rectOf(target);
    const RECT outer = rectOf(shadow);
    if (outer.left == inner.left - size && outer.top == inner.top - size && outer.right == inner.right + size &&
        outer.bottom == inner.bottom + size) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "shadow (" << outer.left << "," << outer.top << ")-(" << outer.right << ","
                                       << outer.bottom << ") around (" << inner.left << "," << inner.top << ")-("
                                       << inner.right << "," << inner.bottom << ")";
}

class Shadow : public testing::Test {
protected:
    void SetUp() override {
        static const ATOM registered = [] {
            WNDCLASSEXW windowClass{};
            windowClass.cbSize = sizeof(windowClass);
            windowClass.lpfnWndProc = targetProc;
            windowClass.hInstance = GetModuleHandleW(nullptr);
            windowClass.lpszClassName = L"Brevaro.ShadowTestTarget";
            return RegisterClassExW(&windowClass);
        }();
        ASSERT_NE(registered, 0);
        target = CreateWindowExW(0, L"Brevaro.ShadowTestTarget", L"target", WS_OVERLAPPEDWINDOW, 100, 120, 300,
                                 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(target, nullptr);
        ShowWindow(target, SW_SHOWNOACTIVATE);
        originalProc = GetWindowLongPtrW(target, GWLP_WNDPROC);
    }
    void TearDown() override {
        if (IsWindow(target)) DestroyWindow(target);
    }
    HWND target = nullptr;
    LONG_PTR originalProc = 0;
};

TEST_F(Shadow, RefusesWhatIsNotAWindow) {
    EXPECT_FALSE(attachShadow(nullptr));
    const HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(gone);
    EXPECT_FALSE(attachShadow(gone, RGB(1, 2, 3), 3));
    updateShadow(gone);  // nothing to update, nothing happens
}

TEST_F(Shadow, FollowsItsTargetAndHidesWithIt) {
    ASSERT_TRUE(attachShadow(target, RGB(90, 90, 90), 3));
    const HWND shadow = shadowOf(target);
    ASSERT_TRUE(IsWindow(shadow));
    EXPECT_EQ(GetWindow(shadow, GW_OWNER), target);
    EXPECT_EQ(property(shadow, L"Brevaro.Shadow.Color"), static_cast<INT_PTR>(RGB(90, 90, 90)));
    EXPECT_EQ(property(shadow, L"Brevaro.Shadow.Size"), 3);
    EXPECT_TRUE(IsWindowVisible(shadow));
    EXPECT_TRUE(framesTarget(shadow, target, 3));

    SetWindowPos(target, nullptr, 250, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(framesTarget(shadow, target, 3)) << "moved";
    SetWindowPos(target, nullptr, 0, 0, 420, 150, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(framesTarget(shadow, target, 3)) << "resized";

    const struct {
        const char* name;
        int command;
    } hiding[] = {{"minimised", SW_MINIMIZE}, {"maximised", SW_MAXIMIZE}, {"hidden", SW_HIDE}};
    for (const auto& c : hiding) {
        SCOPED_TRACE(c.name);
        ShowWindow(target, c.command);
        EXPECT_FALSE(IsWindowVisible(shadow));
        ShowWindow(target, SW_RESTORE);
        ShowWindow(target, SW_SHOWNOACTIVATE);
        EXPECT_TRUE(IsWindowVisible(shadow));
        EXPECT_TRUE(framesTarget(shadow, target, 3));
    }
}

TEST_F(Shadow, AttachingAgainUpdatesWithoutSubclassingTwice) {
    ASSERT_TRUE(attachShadow(target));
    const HWND shadow = shadowOf(target);
    EXPECT_TRUE(framesTarget(shadow, target, kDefaultShadowSize)) << "size 5 when not given";
    EXPECT_EQ(property(shadow, L"Brevaro.Shadow.Color"), 0) << "black when not given";
    const LONG_PTR subclassed = GetWindowLongPtrW(target, GWLP_WNDPROC);
    EXPECT_NE(subclassed, originalProc);
    EXPECT_EQ(property(target, L"Brevaro.Shadow.Proc"), originalProc);

    ASSERT_TRUE(attachShadow(target, RGB(200, 100, 0), 10));
    EXPECT_EQ(shadowOf(target), shadow) << "the same shadow window";
    EXPECT_EQ(GetWindowLongPtrW(target, GWLP_WNDPROC), subclassed);
    EXPECT_EQ(property(target, L"Brevaro.Shadow.Proc"), originalProc) << "not its own procedure as the previous one";
    EXPECT_EQ(property(shadow, L"Brevaro.Shadow.Color"), static_cast<INT_PTR>(RGB(200, 100, 0)));
    EXPECT_TRUE(framesTarget(shadow, target, 10));
    EXPECT_EQ(SendMessageW(target, kPing, 0, 0), 42) << "messages still reach the target's procedure";
}

TEST_F(Shadow, DetachingPutsEverythingBack) {
    ASSERT_TRUE(attachShadow(target, RGB(90, 90, 90), 3));
    const HWND shadow = shadowOf(target);
    ASSERT_TRUE(attachShadow(target, std::nullopt, 0));
    EXPECT_FALSE(IsWindow(shadow));
    EXPECT_EQ(GetWindowLongPtrW(target, GWLP_WNDPROC), originalProc);
    EXPECT_EQ(GetPropW(target, L"Brevaro.Shadow"), nullptr);
    EXPECT_EQ(GetPropW(target, L"Brevaro.Shadow.Proc"), nullptr);
    EXPECT_EQ(SendMessageW(target, kPing, 0, 0), 42);
    SetWindowPos(target, nullptr, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);  // no shadow to move
}

TEST_F(Shadow, GoesWithItsTarget) {
    ASSERT_TRUE(attachShadow(target, RGB(90, 90, 90), 3));
    const HWND shadow = shadowOf(target);
    DestroyWindow(target);
    EXPECT_FALSE(IsWindow(shadow));
}

// The skin routine's shadow: size 3 and RGB(90, 90, 90) unless given.
TEST_F(Shadow, SkinRoutineAttachesItsOwnDefaults) {
    applySkin(7, target, false, 2, 1);
    EXPECT_EQ(shadowOf(target), nullptr) << "no shadow unless asked";
    applySkin(7, target, true, 2, 1);
    const HWND shadow = shadowOf(target);
    ASSERT_TRUE(IsWindow(shadow));
    EXPECT_EQ(property(shadow, L"Brevaro.Shadow.Size"), 3);
    EXPECT_EQ(property(shadow, L"Brevaro.Shadow.Color"), static_cast<INT_PTR>(RGB(90, 90, 90)));
    applySkin(6, target, true, 1, 1, 4, RGB(0, 0, 0));
    EXPECT_EQ(property(shadow, L"Brevaro.Shadow.Size"), 4);
    EXPECT_EQ(property(shadow, L"Brevaro.Shadow.Color"), 0);
}

}  // namespace
}  // namespace brevaro::skin
