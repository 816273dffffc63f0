// Moving around the main window as a user does: the navigation buttons
// switch pages with their selected look, the settings panel slides in and
// out with the pieces beside it, the links window drops down and hides.

// commctrl.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <gtest/gtest.h>

#include <initializer_list>

#include "ShellDriver.h"
#include "app/catalogue/ControlIds.h"
#include "app/window/InfoPages_win.h"
#include "app/catalogue/ShellLayout.h"
#include "skin/PictureButton_win.h"

namespace brevaro::test {
namespace {

constexpr WPARAM kNormal = 0, kHover = 1, kPressed = 2;

HBITMAP picture(HWND button, WPARAM which) {
    return reinterpret_cast<HBITMAP>(SendMessageW(button, skin::kGetPicture, which, 0));
}

class ShellNavigation : public testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(shell.started()) << "the program did not come up"; }

    HWND nav(int page) const { return shell.control({app::kBackgroundId, app::navButtonId(page)}); }
    HWND container() const { return shell.control({app::kPageContainerId}); }
    LONG leftOf(std::initializer_list<int> path) const { return placeOf(shell.control(path)).left; }

    int shownPage() const {
        return static_cast<int>(SendMessageW(container(), TCM_GETCURSEL, 0, 0));
    }

    testing::AssertionResult showsOnly(int page) const {
        if (shownPage() != page)
            return testing::AssertionFailure() << "the container selects page " << shownPage();
        for (int i = 0; i < 11; ++i) {
            const bool visible =
                IsWindowVisible(shell.control({app::kPageContainerId, app::pageId(i)})) != FALSE;
            if (visible != (i == page))
                return testing::AssertionFailure() << "page " << i << " visible " << visible;
        }
        return testing::AssertionSuccess();
    }

    // The selected look: the button's normal and hover pictures are its
    // pressed one; every other button shows its own.
    testing::AssertionResult selectedLookOn(int page) const {
        for (int i = 0; i < 11; ++i) {
            const HWND button = nav(i);
            const bool selected = picture(button, kNormal) == picture(button, kPressed) &&
                                  picture(button, kHover) == picture(button, kPressed);
            if (selected != (i == page))
                return testing::AssertionFailure() << "button " << i << " selected " << selected;
        }
        // And on the screen: the selected button's blue bar along its right
        // edge, a plain white edge on another. (Waited for: a window of a
        // test running beside this one may pass over the spot.)
        const int other = page == 0 ? 1 : 0;
        const bool seen = waitFor([&] {
            return pixelOf(nav(page), 133, 20) == RGB(50, 147, 235) &&
                   pixelOf(nav(other), 133, 20) == RGB(255, 255, 255);
        });
        if (!seen) {
            return testing::AssertionFailure()
                   << std::hex << "bar pixel " << pixelOf(nav(page), 133, 20) << ", button "
                   << other << " edge " << pixelOf(nav(other), 133, 20);
        }
        return testing::AssertionSuccess();
    }

    bool clickAndSettle(HWND button) {
        press(button);
        return shell.waitUntilHandled();
    }

    ShellProcess shell{{}};
};

TEST_F(ShellNavigation, ButtonsSwitchPagesWithTheirSelectedLook) {
    EXPECT_TRUE(showsOnly(0));
    EXPECT_TRUE(selectedLookOn(0));
    for (int page : {3, 10, 9, 1, 8, 6, 5, 4, 2, 0}) {
        SCOPED_TRACE("page " + std::to_string(page));
        ASSERT_TRUE(clickAndSettle(nav(page)));
        EXPECT_EQ(leftOf({app::kPageContainerId}), 136) << "the page slid in to 136";
        EXPECT_TRUE(showsOnly(page));
        EXPECT_TRUE(selectedLookOn(page));
    }
    // The shown page's button again, and the disabled 小刀娱乐网 button: nothing
    // changes.
    for (int page : {0, 7}) {
        ASSERT_TRUE(clickAndSettle(nav(page)));
        EXPECT_TRUE(showsOnly(0));
        EXPECT_TRUE(selectedLookOn(0));
    }
    EXPECT_FALSE(IsWindowEnabled(nav(7)));
}

TEST_F(ShellNavigation, SettingsPanelSlidesInAndOut) {
    const HWND settings = shell.control({app::kSettingsButtonId});
    ASSERT_TRUE(clickAndSettle(settings));
    EXPECT_EQ(leftOf({app::kSettingsPanelId}), 688);
    EXPECT_EQ(leftOf({app::kTopDividerId}), 556);
    EXPECT_EQ(leftOf({app::kContactBoxId}), 569);
    EXPECT_EQ(leftOf({app::kSettingsButtonId}), 948);
    EXPECT_FALSE(IsWindowEnabled(container())) << "the pages rest while the panel is open";
    EXPECT_EQ(shell.tooltipOf(settings), L"收缩设置");

    // A page asked for while the panel is open only flashes the version.
    ASSERT_TRUE(clickAndSettle(nav(4)));
    EXPECT_TRUE(showsOnly(0));
    EXPECT_EQ(textOf(shell.control({app::kSettingsPanelId, app::kVersionLabelId})), L"当前版本:V2.5");

    ASSERT_TRUE(clickAndSettle(settings));
    EXPECT_EQ(leftOf({app::kSettingsPanelId}), 984);
    EXPECT_EQ(leftOf({app::kTopDividerId}), 854);
    EXPECT_EQ(leftOf({app::kContactBoxId}), 864);
    EXPECT_EQ(leftOf({app::kSettingsButtonId}), 824);
    EXPECT_TRUE(IsWindowEnabled(container()));
    EXPECT_EQ(shell.tooltipOf(settings), L"展开设置");

    ASSERT_TRUE(clickAndSettle(nav(4)));
    EXPECT_TRUE(showsOnly(4)) << "with the panel closed the pages switch again";
}

// The login form loads when its page comes into view, never again while it
// shows: its button clicked on its own page, or with the settings panel open
// over it, leaves what the user typed alone.
TEST_F(ShellNavigation, TheLoginFormLoadsOnlyWhenItsPageComesIntoView) {
    const HWND login = shell.control({app::kPageContainerId, app::pageId(app::kLoginPage)});
    auto loads = [&] { return static_cast<int>(SendMessageW(login, app::kGetLoginLoads, 0, 0)); };
    ASSERT_EQ(loads(), 0);
    ASSERT_TRUE(clickAndSettle(nav(app::kLoginPage)));
    EXPECT_TRUE(showsOnly(app::kLoginPage));
    EXPECT_EQ(loads(), 1);
    ASSERT_TRUE(clickAndSettle(nav(app::kLoginPage)));
    EXPECT_EQ(loads(), 1) << "its own page's button";

    const HWND settings = shell.control({app::kSettingsButtonId});
    ASSERT_TRUE(clickAndSettle(settings));
    ASSERT_TRUE(clickAndSettle(nav(app::kLoginPage)));
    EXPECT_EQ(loads(), 1) << "with the settings panel open over it";
    ASSERT_TRUE(clickAndSettle(settings));

    ASSERT_TRUE(clickAndSettle(nav(0)));
    ASSERT_TRUE(clickAndSettle(nav(app::kLoginPage)));
    EXPECT_EQ(loads(), 2) << "shown again after another page";
}

TEST_F(ShellNavigation, LinksWindowDropsDownBelowTheContactBoxAndHides) {
    const HWND overlay = shell.control({app::kContactBoxId, app::kContactOverlayId});
    HWND links = nullptr;
    ASSERT_TRUE(waitFor([&] {
        const auto windows = shell.windowsOfClass(app::kLinksWindowClass);
        links = windows.empty() ? nullptr : windows.front();
        return links != nullptr;
    })) << "the first activation creates the links window";
    EXPECT_FALSE(IsWindowVisible(links));
    EXPECT_EQ(GetWindow(links, GW_OWNER), shell.main());
    BYTE alpha = 0;
    DWORD flags = 0;
    EXPECT_TRUE(GetLayeredWindowAttributes(links, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 230);

    auto open = [&] { return IsWindowVisible(links) != FALSE; };
    pressLabel(overlay, false);
    ASSERT_TRUE(waitFor(open));
    RECT main{}, place{};
    GetWindowRect(shell.main(), &main);
    GetWindowRect(links, &place);
    EXPECT_EQ(place.left, main.left + 865 - 37);
    EXPECT_EQ(place.top, main.top + 52);
    EXPECT_EQ(widthOf(place), 150);
    EXPECT_EQ(heightOf(place), 252);
    EXPECT_FALSE(IsWindowEnabled(shell.main())) << "the main window waits while the links show";
    EXPECT_EQ(textOf(GetDlgItem(links, 401)), L"有问题联系作者");
    EXPECT_EQ(textOf(GetDlgItem(links, 408)), L"收起");

    // The contact box again closes it.
    pressLabel(overlay, false);
    ASSERT_TRUE(waitFor([&] { return !open(); }));
    EXPECT_TRUE(IsWindowEnabled(shell.main()));

    // "收起" closes it on the button going down; one click reopens it.
    pressLabel(overlay, false);
    ASSERT_TRUE(waitFor(open));
    pressLabel(GetDlgItem(links, 408), true);
    ASSERT_TRUE(waitFor([&] { return !open(); }));
    EXPECT_TRUE(IsWindowEnabled(shell.main()));
    pressLabel(overlay, false);
    EXPECT_TRUE(waitFor(open));
}

}  // namespace
}  // namespace brevaro::test
