#include <gtest/gtest.h>

#include "app/window/ShellMotion.h"

namespace brevaro::app {
namespace {

TEST(PageSlide, EntersFromTheRightEdgeAndStopsAt136) {
    EXPECT_EQ(pageSlideLeft(1), 935);  // 935.9 truncated
    EXPECT_EQ(pageSlideLeft(2), 893);  // 893.8
    EXPECT_EQ(pageSlideLeft(10), 557);
    EXPECT_EQ(pageSlideLeft(19), 178);  // 178.1
    EXPECT_EQ(pageSlideLeft(kPageSlideSteps), 136);
    for (int step = 2; step <= kPageSlideSteps; ++step) {
        const int stride = pageSlideLeft(step - 1) - pageSlideLeft(step);
        EXPECT_TRUE(stride == 42 || stride == 43) << "step " << step;
    }
}

TEST(SettingsSlide, OpeningAndClosingEndWhereThePanelAndItsNeighboursBelong) {
    struct Case {
        bool opening;
        int step;
        SettingsSlideFrame expected;
    };
    const Case cases[] = {
        {true, 1, {976, 844, 857, 1236}},
        {true, kSettingsSlideSteps, {688, 556, 569, 948}},
        {false, 1, {696, 566, 576, 536}},
        {false, kSettingsSlideSteps, {984, 854, 864, 824}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(settingsSlideFrame(c.opening, c.step), c.expected)
            << (c.opening ? "opening" : "closing") << " step " << c.step;
    }
    EXPECT_EQ(kSettingsOpenLeft, 688);
}

TEST(Placement, CentresTruncatingTowardZero) {
    struct Case {
        int screenWidth, screenHeight;
        ScreenPoint expected;
    };
    const Case cases[] = {
        {1366, 768, {194, 109}},  {1365, 768, {193, 109}},  // 682.5 - 489 = 193.5
        {1920, 1081, {471, 265}},                           // 540.5 - 275 = 265.5
        {800, 600, {-89, 25}},                              // 400 - 489: negative, exact
        {799, 549, {-89, 0}},                               // -89.5 and -0.5 truncate toward zero
    };
    for (const Case& c : cases) {
        EXPECT_EQ(centredOnScreen(c.screenWidth, c.screenHeight, 978, 550), c.expected)
            << c.screenWidth << "x" << c.screenHeight;
    }
}

TEST(Placement, LinksWindowHangsBelowTheContactBox) {
    EXPECT_EQ(linksWindowPlace(194, 109, 865), (ScreenPoint{1022, 161}));
    EXPECT_EQ(linksWindowPlace(194, 109, 569), (ScreenPoint{726, 161}));  // the panel is open
    EXPECT_EQ(linksWindowPlace(-20, -5, 864), (ScreenPoint{807, 47}));
}

}  // namespace
}  // namespace brevaro::app
