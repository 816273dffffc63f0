#include <gtest/gtest.h>

#include <random>

#include "app/catalogue/ShellLayout.h"
#include "app/window/VersionFlash.h"

namespace brevaro::app {
namespace {

testing::AssertionResult inside(const Box& child, int containerWidth, int containerHeight) {
    // A control may hang one pixel over its container's edge (the control
    // panel starts at -1 to hide its left line).
    if (child.left >= -1 && child.top >= -1 && child.right() <= containerWidth + 1 &&
        child.bottom() <= containerHeight + 1) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure()
           << "(" << child.left << "," << child.top << "," << child.width << "," << child.height
           << ") outside " << containerWidth << "x" << containerHeight;
}

TEST(ShellLayout, ControlsLieInsideTheirContainers) {
    struct Case {
        const char* name;
        Box child;
        Box container;
    };
    const Box page{0, 0, 847, kPageContainerHeight + 1};
    const Case cases[] = {
        {"interval group", kIntervalGroup, kControlPanel},
        {"keyword group", kKeywordGroup, kControlPanel},
        {"start group", kStartGroup, kControlPanel},
        {"interval label", kIntervalLabel, kIntervalGroup},
        {"stay label", kStayLabel, kIntervalGroup},
        {"interval box", kIntervalBox, kIntervalGroup},
        {"stay box", kStayBox, kIntervalGroup},
        {"keyword label", kKeywordLabel, kKeywordGroup},
        {"voice check", kVoiceCheck, kKeywordGroup},
        {"popup check", kPopupCheck, kKeywordGroup},
        {"keyword box", kKeywordBox, kKeywordGroup},
        {"start button", kStartButton, kStartGroup},
        {"results list", kResultsList, page},
        {"control panel", kControlPanel, page},
        {"network indicator", kNetworkIndicator, kStatusBar},
        {"announcement", kAnnouncement, kStatusBar},
        {"contact label", kContactLabel, kContactBox},
        {"contact overlay", kContactOverlay, kContactBox},
        {"contact icon", kContactIcon, kContactBox},
        {"version label", kVersionLabel, kSettingsPanel},
        {"group button", kGroupButton, kSettingsPanel},
        {"exit button", kExitButton, kBackground},
        {"usage text", kUsageText, page},
        {"feedback button", kFeedbackButton, page},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(inside(c.child, c.container.width, c.container.height)) << c.name;
    for (const NavPage& nav : kNavPages)
        EXPECT_TRUE(inside(navButtonBox(nav), kNavColumnWidth, kExitSeparator.top));
    for (const LinkRow& row : linkRows())
        EXPECT_TRUE(inside(row.box, kLinksWidth, kLinksHeight)) << row.caption;
}

// The settings boxes sit in the gaps their labels leave between the words
// and "秒"; the list and the control panel share the page without overlap.
TEST(ShellLayout, BoardPageControlsDoNotCollide) {
    EXPECT_GT(kIntervalBox.left, kIntervalLabel.left);
    EXPECT_LT(kIntervalBox.right(), kIntervalLabel.right());
    EXPECT_GT(kStayBox.left, kStayLabel.left);
    EXPECT_LT(kStayBox.right(), kStayLabel.right());
    EXPECT_EQ(kIntervalBox.top, kIntervalLabel.top);
    EXPECT_EQ(kStayBox.top, kStayLabel.top);
    EXPECT_GT(kControlPanel.top, kResultsList.bottom());
    EXPECT_GT(kVoiceCheck.left, kKeywordLabel.right());
    EXPECT_GT(kPopupCheck.left, kVoiceCheck.right());
    EXPECT_GT(kKeywordBox.top, kVoiceCheck.bottom());
}

TEST(ShellLayout, OnlyTheInertPageButtonIsDisabled) {
    for (const NavPage& nav : kNavPages)
        EXPECT_EQ(nav.enabled, nav.index != kInertPage) << nav.name;
}

TEST(VersionFlash, BackgroundsStayWarmAndReachTheirBounds) {
    std::mt19937 generator(12345);
    int low[3] = {255, 255, 255}, high[3] = {0, 0, 0};
    for (int i = 0; i < 20000; ++i) {
        const Colour colour = flashBackground(generator);
        const int channels[3] = {skin::redOf(colour), skin::greenOf(colour), skin::blueOf(colour)};
        for (int c = 0; c < 3; ++c) {
            low[c] = std::min(low[c], channels[c]);
            high[c] = std::max(high[c], channels[c]);
        }
    }
    EXPECT_EQ(low[0], 250);
    EXPECT_EQ(high[0], 255);
    EXPECT_EQ(low[1], 20);
    EXPECT_EQ(high[1], 120);
    EXPECT_EQ(low[2], 0);
    EXPECT_EQ(high[2], 140);
}

}  // namespace
}  // namespace brevaro::app
