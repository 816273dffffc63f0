#include "skin/GdiPlusShapes_win.h"

#include <algorithm>

namespace brevaro::skin {

void addRoundRect(Gdiplus::GraphicsPath& path, float left, float top, float width, float height, float radius) {
    const float diameter = std::max(0.0f, std::min(radius * 2, std::min(width, height)));
    if (diameter <= 0.0f) {
        path.AddRectangle(Gdiplus::RectF(left, top, width, height));
        return;
    }
    path.AddArc(left, top, diameter, diameter, 180, 90);
    path.AddArc(left + width - diameter, top, diameter, diameter, 270, 90);
    path.AddArc(left + width - diameter, top + height - diameter, diameter, diameter, 0, 90);
    path.AddArc(left, top + height - diameter, diameter, diameter, 90, 90);
    path.CloseFigure();
}

}  // namespace brevaro::skin
