#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "app/pictures/PictureShapes.h"

namespace brevaro::app {
namespace {

// Every point of a glyph lies inside its 20 x 20 square, so a stroke of up to
// 2 design pixels stays inside the box it is scaled to.
testing::AssertionResult fitsTheSquare(const Glyph& glyph) {
    auto inside = [](float x, float y) {
        return x >= 0.5f && y >= 0.5f && x <= 19.5f && y <= 19.5f;
    };
    for (const Shape& shape : glyph) {
        for (const PointF& p : shape.points) {
            if (!inside(p.x, p.y))
                return testing::AssertionFailure() << "point " << p.x << "," << p.y;
        }
        if (shape.kind == ShapeKind::Ellipse || shape.kind == ShapeKind::RoundRect) {
            if (!inside(shape.left, shape.top) ||
                !inside(shape.left + shape.width, shape.top + shape.height) || shape.width <= 0 ||
                shape.height <= 0) {
                return testing::AssertionFailure() << "box " << shape.left << "," << shape.top
                                                   << " " << shape.width << "x" << shape.height;
            }
        }
        if ((shape.kind == ShapeKind::Polyline && shape.points.size() < 2) ||
            (shape.kind == ShapeKind::Polygon && shape.points.size() < 3)) {
            return testing::AssertionFailure() << "a shape without enough points";
        }
    }
    return testing::AssertionSuccess();
}

TEST(PictureShapes, EveryIconFitsItsSquare) {
    for (int page = 0; page < 11; ++page) {
        const Glyph glyph = pageGlyph(page);
        EXPECT_FALSE(glyph.empty()) << "page " << page;
        EXPECT_TRUE(fitsTheSquare(glyph)) << "page " << page;
    }
    EXPECT_TRUE(pageGlyph(11).empty());
    EXPECT_TRUE(pageGlyph(-1).empty());
    for (const Glyph& glyph :
         {exitGlyph(), contactGlyph(), groupGlyph(), networkGlyph(), logoGlyph()}) {
        EXPECT_FALSE(glyph.empty());
        EXPECT_TRUE(fitsTheSquare(glyph));
    }
}

TEST(PictureShapes, GearTeethAlternateBetweenRimAndTips) {
    const float cx = 15, cy = 15, outer = 12, inner = 9;
    const std::vector<PointF> outline = gearOutline(cx, cy, outer, inner, 8, 0.35f);
    ASSERT_EQ(outline.size(), 32u);
    double previousAngle = -10;
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const double dx = outline[i].x - cx, dy = outline[i].y - cy;
        const double radius = std::hypot(dx, dy);
        const bool tip = i % 4 == 1 || i % 4 == 2;
        EXPECT_NEAR(radius, tip ? outer : inner, 1e-3) << i;
        // Clockwise on the screen (y down): the angle only grows.
        double angle = std::atan2(dy, dx);
        if (angle < -std::numbers::pi / 2 - 0.5) angle += 2 * std::numbers::pi;
        EXPECT_GT(angle, previousAngle) << i;
        previousAngle = angle;
    }
    EXPECT_TRUE(gearOutline(0, 0, 1, 1, 0, 0.5f).empty());
}

TEST(PictureShapes, OnlyTheSelectedNavigationLookCarriesTheBar) {
    const NavButtonLook normal = navButtonLook(ButtonFace::Normal);
    const NavButtonLook hover = navButtonLook(ButtonFace::Hover);
    const NavButtonLook pressed = navButtonLook(ButtonFace::Pressed);
    const NavButtonLook disabled = navButtonLook(ButtonFace::Disabled);
    EXPECT_FALSE(normal.edgeBar);
    EXPECT_FALSE(hover.edgeBar);
    EXPECT_TRUE(pressed.edgeBar);
    EXPECT_FALSE(disabled.edgeBar);
    // Grey on white, blue on white, blue on light blue.
    EXPECT_EQ(normal.fillTop, skin::rgb(255, 255, 255));
    EXPECT_EQ(hover.ink, skin::rgb(50, 147, 235));
    EXPECT_EQ(pressed.ink, skin::rgb(50, 147, 235));
    EXPECT_NE(pressed.fillBottom, skin::rgb(255, 255, 255));
    EXPECT_NE(normal.ink, hover.ink);
    EXPECT_NE(disabled.ink, normal.ink);
}

TEST(PictureShapes, ExitButtonTurnsRedUnderTheMouse) {
    const NavButtonLook hover = exitButtonLook(ButtonFace::Hover);
    const NavButtonLook pressed = exitButtonLook(ButtonFace::Pressed);
    EXPECT_GT(skin::redOf(hover.fillTop), 200);
    EXPECT_LT(skin::greenOf(hover.fillTop), 100);
    EXPECT_EQ(hover.ink, skin::rgb(255, 255, 255));
    EXPECT_GT(skin::greenOf(pressed.fillTop), skin::greenOf(hover.fillTop))
        << "pressed is the lighter red";
    EXPECT_EQ(exitButtonLook(ButtonFace::Normal).fillTop, skin::rgb(255, 255, 255));
}

}  // namespace
}  // namespace brevaro::app
