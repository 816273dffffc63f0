#include "app/pictures/PictureShapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>

namespace brevaro::app {
namespace {

using skin::rgb;

Shape line(std::vector<PointF> points) {
    return {ShapeKind::Polyline, std::move(points)};
}
Shape polygon(std::vector<PointF> points, bool filled = false) {
    return {ShapeKind::Polygon, std::move(points), 0, 0, 0, 0, 0, filled};
}
Shape ellipse(float left, float top, float width, float height, bool filled = false) {
    return {ShapeKind::Ellipse, {}, left, top, width, height, 0, filled};
}
Shape roundRect(float left, float top, float width, float height, float radius,
                bool filled = false) {
    return {ShapeKind::RoundRect, {}, left, top, width, height, radius, filled};
}

float f(double value) {
    return static_cast<float>(value);
}

// The classic heart curve x = 16 sin^3 t, y = 13 cos t - 5 cos 2t - 2 cos 3t
// - cos 4t, scaled into the square around (10, 10.5).
Shape heart() {
    std::vector<PointF> points;
    constexpr int kSteps = 48;
    for (int i = 0; i < kSteps; ++i) {
        const double t = 2 * std::numbers::pi * i / kSteps;
        const double x = 16 * std::pow(std::sin(t), 3);
        const double y =
            13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t);
        points.push_back({f(10 + x * 0.5), f(9.8 - y * 0.5)});
    }
    return polygon(std::move(points));
}

Shape star(float centreX, float centreY, float outer, float inner) {
    std::vector<PointF> points;
    for (int i = 0; i < 10; ++i) {
        const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
        const double radius = i % 2 == 0 ? outer : inner;
        points.push_back(
            {f(centreX + radius * std::cos(angle)), f(centreY + radius * std::sin(angle))});
    }
    return polygon(std::move(points));
}

// The upper half of an ellipse from its left end over the top to its right
// end: a person's shoulders.
std::vector<PointF> shoulders(float left, float right, float base, float height) {
    std::vector<PointF> points;
    constexpr int kSteps = 16;
    const double centre = (left + right) / 2.0;
    const double half = (right - left) / 2.0;
    for (int i = 0; i <= kSteps; ++i) {
        const double angle = std::numbers::pi - std::numbers::pi * i / kSteps;
        points.push_back({f(centre + half * std::cos(angle)), f(base - height * std::sin(angle))});
    }
    return points;
}

}  // namespace

Glyph pageGlyph(int page) {
    switch (page) {
        case 0:  // a discussion: a speech bubble with three dots
            return {roundRect(2, 3, 16, 11, 3), line({{6.5f, 14}, {5.5f, 17.5f}, {10.5f, 14}}),
                    ellipse(5, 7.4f, 2.2f, 2.2f, true), ellipse(8.9f, 7.4f, 2.2f, 2.2f, true),
                    ellipse(12.8f, 7.4f, 2.2f, 2.2f, true)};
        case 1:  // fresh tips: a flash
            return {polygon(
                {{11.5f, 1.5f}, {4, 11}, {9.5f, 11}, {8, 18.5f}, {16, 8.5f}, {10.5f, 8.5f}})};
        case 2:  // a swap: two arrows
            return {line({{3, 7}, {16.5f, 7}}), line({{13, 3.5f}, {16.5f, 7}, {13, 10.5f}}),
                    line({{17, 13}, {3.5f, 13}}), line({{7, 9.5f}, {3.5f, 13}, {7, 16.5f}})};
        case 3:  // prizes: a gift
            return {roundRect(3, 8.5f, 14, 9.5f, 1.5f), roundRect(2, 5, 16, 3.5f, 1),
                    line({{10, 5}, {10, 18}}), line({{10, 5}, {7, 2.2f}, {5.3f, 3.4f}, {6.8f, 5}}),
                    line({{10, 5}, {13, 2.2f}, {14.7f, 3.4f}, {13.2f, 5}})};
        case 4:  // invitations: an envelope
            return {roundRect(2, 4.5f, 16, 11, 1.5f),
                    line({{2.8f, 5.6f}, {10, 11}, {17.2f, 5.6f}})};
        case 5:  // tasks: a clipboard with a tick
            return {roundRect(4, 3, 12, 15, 2), roundRect(7.5f, 1.5f, 5, 3, 1, true),
                    line({{7, 10.5f}, {9.2f, 12.7f}, {13.5f, 8.2f}})};
        case 6:  // the article site: a heart
            return {heart()};
        case 7:  // entertainment: a play button
            return {ellipse(2, 2, 16, 16), polygon({{8, 6.5f}, {14, 10}, {8, 13.5f}}, true)};
        case 8:  // Lumaq: a star
            return {star(10, 10.6f, 8.5f, 3.6f)};
        case 9:  // the login: a person
            return {ellipse(6.5f, 2.5f, 7, 7), line(shoulders(3.5f, 16.5f, 18, 6.5f))};
        case 10:  // the usage notes: an information mark
            return {ellipse(2, 2, 16, 16), ellipse(8.9f, 5, 2.2f, 2.2f, true),
                    line({{10, 9}, {10, 14.8f}})};
        default:
            return {};
    }
}

Glyph exitGlyph() {
    return {line({{9, 3}, {3.5f, 3}, {3.5f, 17}, {9, 17}}), line({{7.5f, 10}, {17, 10}}),
            line({{13.5f, 6.5f}, {17, 10}, {13.5f, 13.5f}})};
}

Glyph contactGlyph() {
    std::vector<PointF> body = shoulders(4, 16, 18.5f, 7);
    return {ellipse(6.5f, 2.5f, 7, 7, true), polygon(std::move(body), true)};
}

Glyph groupGlyph() {
    return {ellipse(3, 4, 6.5f, 6.5f), line(shoulders(1, 11.5f, 17.5f, 5.5f)),
            ellipse(11.5f, 5.5f, 5.5f, 5.5f),
            line({{12.8f, 12.3f}, {14.2f, 12}, {16.5f, 12.6f}, {18.2f, 14.6f}, {19, 17.5f}})};
}

Glyph networkGlyph() {
    return {ellipse(3, 3, 14, 14), ellipse(7, 3, 6, 14), line({{3, 10}, {17, 10}}),
            line({{4.6f, 6.5f}, {15.4f, 6.5f}}), line({{4.6f, 13.5f}, {15.4f, 13.5f}})};
}

Glyph logoGlyph() {
    return {line({{3, 4.5f}, {8, 4.5f}}), line({{3, 8.5f}, {6, 8.5f}}),
            line({{3, 12.5f}, {6, 12.5f}}), ellipse(7.5f, 5, 8, 8),
            line({{14.3f, 11.8f}, {17.5f, 15}})};
}

std::vector<PointF> gearOutline(float centreX, float centreY, float outer, float inner, int teeth,
                                float toothShare) {
    std::vector<PointF> points;
    if (teeth < 1) return points;
    const double period = 2 * std::numbers::pi / teeth;
    const double tip = period * toothShare;
    // The flanks slope: the tooth is wider at its root than at its tip.
    const double root = std::min(period, tip * 1.45);
    for (int i = 0; i < teeth; ++i) {
        const double middle = -std::numbers::pi / 2 + i * period;
        const double angles[] = {middle - root / 2, middle - tip / 2, middle + tip / 2,
                                 middle + root / 2};
        const double radii[] = {inner, outer, outer, inner};
        for (int k = 0; k < 4; ++k) {
            points.push_back({f(centreX + radii[k] * std::cos(angles[k])),
                              f(centreY + radii[k] * std::sin(angles[k]))});
        }
    }
    return points;
}

NavButtonLook navButtonLook(ButtonFace face) {
    switch (face) {
        case ButtonFace::Normal:
            return {rgb(255, 255, 255), rgb(255, 255, 255), rgb(102, 112, 124), false};
        case ButtonFace::Hover:
            return {rgb(255, 255, 255), rgb(244, 249, 254), rgb(50, 147, 235), false};
        case ButtonFace::Pressed:
            return {rgb(236, 245, 254), rgb(212, 232, 251), rgb(50, 147, 235), true};
        case ButtonFace::Disabled:
            return {rgb(255, 255, 255), rgb(255, 255, 255), rgb(200, 205, 211), false};
    }
    return {};
}

NavButtonLook exitButtonLook(ButtonFace face) {
    switch (face) {
        case ButtonFace::Normal:
            return {rgb(255, 255, 255), rgb(255, 255, 255), rgb(102, 112, 124), false};
        case ButtonFace::Hover:
            return {rgb(236, 76, 76), rgb(222, 58, 58), rgb(255, 255, 255), false};
        case ButtonFace::Pressed:
            return {rgb(244, 140, 140), rgb(238, 124, 124), rgb(255, 255, 255), false};
        case ButtonFace::Disabled:
            return {rgb(255, 255, 255), rgb(255, 255, 255), rgb(200, 205, 211), false};
    }
    return {};
}

skin::Colour iconButtonInk(ButtonFace face) {
    switch (face) {
        case ButtonFace::Normal:
            return rgb(128, 136, 146);
        case ButtonFace::Hover:
            return rgb(50, 147, 235);
        case ButtonFace::Pressed:
            return rgb(132, 86, 204);
        case ButtonFace::Disabled:
            return rgb(204, 208, 212);
    }
    return 0;
}

}  // namespace brevaro::app
