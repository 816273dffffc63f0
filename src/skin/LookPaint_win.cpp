#include "skin/LookPaint_win.h"

// gdiplus.h and commctrl.h need the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <gdiplus.h>
// clang-format on

#include <algorithm>

#include "skin/GdiHandles_win.h"
#include "skin/GdiPlus_win.h"
#include "skin/GdiPlusShapes_win.h"
#include "skin/LookLayer_win.h"

namespace brevaro::skin {
namespace {

float width(const RECT& rect) {
    return static_cast<float>(rect.right - rect.left);
}
float height(const RECT& rect) {
    return static_cast<float>(rect.bottom - rect.top);
}

}  // namespace

ParentColours askParentColours(HWND control, HDC dc, UINT message) {
    ParentColours colours;
    HWND parent = GetParent(control);
    if (parent == nullptr) parent = control;
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    if (brush == nullptr) {
        brush = reinterpret_cast<HBRUSH>(DefWindowProcW(
            parent, message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
    }
    colours.brush = brush;
    colours.text = GetTextColor(dc);
    LOGBRUSH logical{};
    colours.hollow =
        brush == nullptr || (GetObjectW(brush, sizeof logical, &logical) == sizeof logical &&
                             logical.lbStyle == BS_HOLLOW);
    return colours;
}

void fillParentBackground(HDC dc, const RECT& rect, const ParentColours& colours) {
    if (colours.hollow) {
        fillSolid(dc, rect, lookPalette().surface);
    } else {
        FillRect(dc, &rect, colours.brush);
    }
}

void fillRoundRect(HDC dc, const RECT& rect, float radius, Colour fill) {
    if (!startGdiPlus()) {
        fillSolid(dc, rect, fill);
        return;
    }
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::GraphicsPath path;
    addRoundRect(path, static_cast<float>(rect.left), static_cast<float>(rect.top), width(rect),
                  height(rect), radius);
    Gdiplus::SolidBrush brush(plusColour(fill));
    graphics.FillPath(&brush, &path);
}

void strokeRoundRect(HDC dc, const RECT& rect, float radius, Colour line) {
    if (!startGdiPlus()) {
        frameRect(dc, rect, line);
        return;
    }
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::GraphicsPath path;
    addRoundRect(path, static_cast<float>(rect.left) + 0.5f, static_cast<float>(rect.top) + 0.5f,
                  width(rect) - 1, height(rect) - 1, radius);
    Gdiplus::Pen pen(plusColour(line), 1.0f);
    graphics.DrawPath(&pen, &path);
}

void strokeTick(HDC dc, float x1, float y1, float x2, float y2, float x3, float y3,
                float strokeWidth, Colour ink) {
    if (!startGdiPlus()) return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::Pen pen(plusColour(ink), strokeWidth);
    pen.SetLineJoin(Gdiplus::LineJoinRound);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    const Gdiplus::PointF points[] = {{x1, y1}, {x2, y2}, {x3, y3}};
    graphics.DrawLines(&pen, points, 3);
}

void fillEllipse(HDC dc, const RECT& rect, Colour fill) {
    if (!startGdiPlus()) return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    Gdiplus::SolidBrush brush(plusColour(fill));
    graphics.FillEllipse(&brush, static_cast<float>(rect.left), static_cast<float>(rect.top),
                         width(rect), height(rect));
}

void strokeEllipse(HDC dc, const RECT& rect, Colour line) {
    if (!startGdiPlus()) return;
    Gdiplus::Graphics graphics(dc);
    graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
    Gdiplus::Pen pen(plusColour(line), 1.0f);
    graphics.DrawEllipse(&pen, static_cast<float>(rect.left) + 0.5f,
                         static_cast<float>(rect.top) + 0.5f, width(rect) - 1, height(rect) - 1);
}

void frameRect(HDC dc, const RECT& rect, Colour line) {
    const COLORREF previous = GetDCBrushColor(dc);
    FrameRect(dc, &rect, dcBrush(dc, line));
    SetDCBrushColor(dc, previous);
}

void fillSolid(HDC dc, const RECT& rect, Colour fill) {
    // ExtTextOut with ETO_OPAQUE fills without a brush object.
    const COLORREF previous = SetBkColor(dc, colorref(fill));
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc, previous);
}

HBRUSH dcBrush(HDC dc, Colour colour) {
    SetDCBrushColor(dc, colorref(colour));
    return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

HFONT controlFont(HWND control) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
    return font != nullptr ? font : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

int lineHeight(HDC dc, HFONT font) {
    const Selection selection(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    return metrics.tmHeight;
}

bool hasClass(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    if (GetClassNameW(window, name, 64) == 0) return false;
    return CompareStringOrdinal(name, -1, className, -1, TRUE) == CSTR_EQUAL;
}

LRESULT callWithoutDrawing(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool visible = (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE) != 0;
    if (visible) DefWindowProcW(window, WM_SETREDRAW, FALSE, 0);
    const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
    if (visible && IsWindow(window)) {
        DefWindowProcW(window, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(window, nullptr, FALSE);
    }
    return result;
}

bool markDressed(HWND window, const wchar_t* painter) {
    if (GetPropW(window, painter) != nullptr) return false;
    return SetPropW(window, painter, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1))) != FALSE;
}

void unmarkDressed(HWND window, const wchar_t* painter) {
    RemovePropW(window, painter);
}

bool trackHover(HWND window, UINT message, bool& hovering) {
    if (message == WM_MOUSEMOVE && !hovering) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window;
        TrackMouseEvent(&track);
        hovering = true;
        return true;
    }
    if (message == WM_MOUSELEAVE && hovering) {
        hovering = false;
        return true;
    }
    return false;
}

}  // namespace brevaro::skin
