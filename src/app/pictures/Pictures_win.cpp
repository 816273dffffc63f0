#include "app/pictures/Pictures_win.h"

// gdiplus.h needs the types of windows.h: keep this order.
// clang-format off
#include <windows.h>
#include <gdiplus.h>
// clang-format on

#include <cstdint>
#include <memory>
#include <string>

#include "app/pictures/PictureShapes.h"
#include "skin/GdiPlusShapes_win.h"
#include "skin/LookPaint_win.h"
#include "text/WideText_win.h"

namespace brevaro::app {
namespace {

using skin::Colour;
using skin::OwnedBitmap;

// A 32-bit top-down DIB to draw into: with GDI+ through a bitmap over its
// pixels (premultiplied alpha kept), with GDI through its memory DC.
class Canvas {
  public:
    Canvas(int width, int height) : width_(width), height_(height) {
        const skin::WindowDc screen(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_.reset(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
        if (bitmap_ && bits_ != nullptr) {
            surface_ = std::make_unique<Gdiplus::Bitmap>(
                width, height, width * 4, PixelFormat32bppPARGB, static_cast<BYTE*>(bits_));
            graphics_ = std::make_unique<Gdiplus::Graphics>(surface_.get());
            graphics_->SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
            graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        }
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    bool ready() const { return graphics_ != nullptr; }
    Gdiplus::Graphics& graphics() { return *graphics_; }
    int width() const { return width_; }
    int height() const { return height_; }

    // GDI text over what GDI+ drew, for pictures that are shown opaque.
    void text(std::wstring_view caption, HFONT font, Colour ink, RECT rect, UINT format) {
        if (!ready()) return;
        graphics_->Flush(Gdiplus::FlushIntentionSync);
        const skin::WindowDc screen(nullptr);
        const skin::OwnedMemoryDc dc(CreateCompatibleDC(screen.get()));
        const skin::Selection bitmap(dc.get(), bitmap_.get());
        const skin::Selection selectedFont(dc.get(), font);
        SetBkMode(dc.get(), TRANSPARENT);
        SetTextColor(dc.get(), skin::colorref(ink));
        DrawTextW(dc.get(), caption.data(), static_cast<int>(caption.size()), &rect,
                  format | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
        GdiFlush();
    }

    OwnedBitmap finish() {
        if (graphics_) graphics_->Flush(Gdiplus::FlushIntentionSync);
        graphics_.reset();
        surface_.reset();
        GdiFlush();
        return std::move(bitmap_);
    }

  private:
    int width_;
    int height_;
    void* bits_ = nullptr;
    OwnedBitmap bitmap_;
    std::unique_ptr<Gdiplus::Bitmap> surface_;
    std::unique_ptr<Gdiplus::Graphics> graphics_;
};

// A glyph of the 20 x 20 design square, scaled by `scale` with its corner at
// (left, top), in one ink.
void drawGlyph(Canvas& canvas, const Glyph& glyph, float left, float top, float scale, float stroke,
               Colour ink) {
    if (!canvas.ready()) return;
    Gdiplus::Graphics& g = canvas.graphics();
    Gdiplus::Pen pen(skin::plusColour(ink), stroke * scale);
    pen.SetLineJoin(Gdiplus::LineJoinRound);
    pen.SetStartCap(Gdiplus::LineCapRound);
    pen.SetEndCap(Gdiplus::LineCapRound);
    Gdiplus::SolidBrush brush(skin::plusColour(ink));
    for (const Shape& shape : glyph) {
        std::vector<Gdiplus::PointF> points;
        for (const PointF& p : shape.points)
            points.emplace_back(left + p.x * scale, top + p.y * scale);
        const Gdiplus::RectF box(left + shape.left * scale, top + shape.top * scale,
                                 shape.width * scale, shape.height * scale);
        const auto count = static_cast<INT>(points.size());
        switch (shape.kind) {
            case ShapeKind::Polyline:
                g.DrawLines(&pen, points.data(), count);
                break;
            case ShapeKind::Polygon:
                if (shape.filled) {
                    g.FillPolygon(&brush, points.data(), count);
                } else {
                    g.DrawPolygon(&pen, points.data(), count);
                }
                break;
            case ShapeKind::Ellipse:
                if (shape.filled) {
                    g.FillEllipse(&brush, box);
                } else {
                    g.DrawEllipse(&pen, box);
                }
                break;
            case ShapeKind::RoundRect: {
                Gdiplus::GraphicsPath path;
                skin::addRoundRect(path, box.X, box.Y, box.Width, box.Height, shape.radius * scale);
                if (shape.filled) {
                    g.FillPath(&brush, &path);
                } else {
                    g.DrawPath(&pen, &path);
                }
                break;
            }
        }
    }
}

void fillGradient(Canvas& canvas, Colour top, Colour bottom) {
    if (!canvas.ready()) return;
    const auto w = static_cast<float>(canvas.width());
    const auto h = static_cast<float>(canvas.height());
    if (top == bottom) {
        Gdiplus::SolidBrush brush(skin::plusColour(top));
        canvas.graphics().FillRectangle(&brush, 0.0f, 0.0f, w, h);
        return;
    }
    Gdiplus::LinearGradientBrush brush(Gdiplus::PointF(0, -0.5f), Gdiplus::PointF(0, h + 0.5f),
                                       skin::plusColour(top), skin::plusColour(bottom));
    canvas.graphics().FillRectangle(&brush, 0.0f, 0.0f, w, h);
}

void fillRect(Canvas& canvas, float left, float top, float width, float height, Colour colour) {
    if (!canvas.ready()) return;
    Gdiplus::SolidBrush brush(skin::plusColour(colour));
    canvas.graphics().FillRectangle(&brush, left, top, width, height);
}

// A button face of the navigation column: the icon at the left, the name
// after it, the selected look's bar along the right edge.
OwnedBitmap columnButton(const NavButtonLook& look, const Glyph& glyph, std::wstring_view caption,
                         HFONT font, int width, int height, float iconLeft, int textLeft) {
    Canvas canvas(width, height);
    fillGradient(canvas, look.fillTop, look.fillBottom);
    if (look.edgeBar) {
        fillRect(canvas, static_cast<float>(width - kEdgeBarWidth), 0, kEdgeBarWidth,
                 static_cast<float>(height), kEdgeBarColour);
    }
    drawGlyph(canvas, glyph, iconLeft, (static_cast<float>(height) - kGlyphSize) / 2, 1.0f, 1.6f,
              look.ink);
    canvas.text(caption, font, look.ink, RECT{textLeft, 0, width - kEdgeBarWidth, height},
                DT_LEFT | DT_END_ELLIPSIS);
    return canvas.finish();
}

ButtonPictureSet navButtonPictures(int page, const Fonts& fonts) {
    const std::wstring caption = text::gbkToWide(kNavPages[static_cast<std::size_t>(page)].name);
    const Glyph glyph = pageGlyph(page);
    const HFONT font = fonts.get(FontRole::YaHei14);
    auto make = [&](ButtonFace face) {
        return columnButton(navButtonLook(face), glyph, caption, font, kNavButtonWidth,
                            kNavButtonHeight, 16, 44);
    };
    return {make(ButtonFace::Normal), make(ButtonFace::Hover), make(ButtonFace::Pressed),
            make(ButtonFace::Disabled)};
}

ButtonPictureSet exitButtonPictures(const Fonts& fonts) {
    const std::wstring caption = text::gbkToWide(kExitCaption);
    const Glyph glyph = exitGlyph();
    const HFONT font = fonts.get(FontRole::YaHei14);
    auto make = [&](ButtonFace face) {
        return columnButton(exitButtonLook(face), glyph, caption, font, kExitButton.width,
                            kExitButton.height, 38, 66);
    };
    return {make(ButtonFace::Normal), make(ButtonFace::Hover), make(ButtonFace::Pressed),
            make(ButtonFace::Disabled)};
}

OwnedBitmap gearPicture(ButtonFace face) {
    Canvas canvas(kSettingsButton.width, kSettingsButton.height);
    fillRect(canvas, 0, 0, 30, 30, kWhite);
    if (canvas.ready()) {
        const std::vector<PointF> outline = gearOutline(15, 15, 11.5f, 8.6f, 8, 0.34f);
        std::vector<Gdiplus::PointF> points;
        for (const PointF& p : outline) points.emplace_back(p.x, p.y);
        Gdiplus::SolidBrush ink(skin::plusColour(iconButtonInk(face)));
        canvas.graphics().FillPolygon(&ink, points.data(), static_cast<INT>(points.size()));
        Gdiplus::SolidBrush hole(skin::plusColour(kWhite));
        canvas.graphics().FillEllipse(&hole, 15 - 3.8f, 15 - 3.8f, 7.6f, 7.6f);
    }
    return canvas.finish();
}

OwnedBitmap groupPicture(ButtonFace face) {
    Canvas canvas(kGroupButton.width, kGroupButton.height);
    fillRect(canvas, 0, 0, 30, 30, kWhite);
    drawGlyph(canvas, groupGlyph(), 2.5f, 2.5f, 1.25f, 1.5f, iconButtonInk(face));
    return canvas.finish();
}

// The program's mark: a magnifying glass over a list, white on a blue tile.
OwnedBitmap logoPicture(int size) {
    Canvas canvas(size, size);
    fillRect(canvas, 0, 0, static_cast<float>(size), static_cast<float>(size), kWhite);
    if (canvas.ready()) {
        const auto s = static_cast<float>(size);
        Gdiplus::GraphicsPath tile;
        skin::addRoundRect(tile, 0.5f, 0.5f, s - 1, s - 1, s * 0.24f);
        Gdiplus::LinearGradientBrush blue(Gdiplus::PointF(0, 0), Gdiplus::PointF(0, s),
                                          skin::plusColour(skin::rgb(92, 174, 246)),
                                          skin::plusColour(skin::rgb(36, 124, 218)));
        canvas.graphics().FillPath(&blue, &tile);
        const float scale = s * 0.72f / kGlyphSize;
        const float inset = (s - kGlyphSize * scale) / 2;
        drawGlyph(canvas, logoGlyph(), inset, inset, scale, 1.6f, kWhite);
    }
    return canvas.finish();
}

OwnedBitmap contactPicture() {
    Canvas canvas(kContactIcon.width, kContactIcon.height);
    fillRect(canvas, 0, 0, 22, 22, kWhite);
    if (canvas.ready()) {
        Gdiplus::SolidBrush disc(skin::plusColour(skin::rgb(224, 237, 250)));
        canvas.graphics().FillEllipse(&disc, 0.5f, 0.5f, 21.0f, 21.0f);
        Gdiplus::GraphicsPath circle;
        circle.AddEllipse(0.5f, 0.5f, 21.0f, 21.0f);
        const Gdiplus::Region inside(&circle);
        canvas.graphics().SetClip(&inside);
        drawGlyph(canvas, contactGlyph(), 3.0f, 4.0f, 0.8f, 1.0f, kAccentBlue);
        canvas.graphics().ResetClip();
    }
    return canvas.finish();
}

OwnedBitmap networkPicture() {
    Canvas canvas(kNetworkIndicator.width, kNetworkIndicator.height);
    drawGlyph(canvas, networkGlyph(), 0, 0, 1.0f, 1.3f, kWhite);
    return canvas.finish();
}

// White top bar with a line below it, white navigation column with a line
// along its right edge, the light blue-grey page area.
OwnedBitmap backgroundPicture() {
    Canvas canvas(kBackground.width, kBackground.height);
    const auto w = static_cast<float>(kBackground.width);
    const auto h = static_cast<float>(kBackground.height);
    fillRect(canvas, 0, 0, w, h, kPageBackground);
    fillRect(canvas, 0, 0, w, kTopBarHeight, kWhite);
    fillRect(canvas, 0, 0, kNavColumnWidth, h, kWhite);
    fillRect(canvas, 0, kTopBarHeight, w, 1, kLineGrey);
    fillRect(canvas, kNavColumnWidth, kTopBarHeight, 1, h - kTopBarHeight, kLineGrey);
    return canvas.finish();
}

}  // namespace

Pictures::Pictures(const Fonts& fonts) {
    for (int page = 0; page < kPageCount; ++page)
        nav_[static_cast<std::size_t>(page)] = navButtonPictures(page, fonts);
    exit_ = exitButtonPictures(fonts);
    gear_ = {gearPicture(ButtonFace::Normal), gearPicture(ButtonFace::Hover),
             gearPicture(ButtonFace::Pressed), gearPicture(ButtonFace::Disabled)};
    group_ = {groupPicture(ButtonFace::Normal), groupPicture(ButtonFace::Hover),
              groupPicture(ButtonFace::Pressed), nullptr};
    background_ = backgroundPicture();
    logo_ = logoPicture(kLogo.width);
    panelPicture_ = logoPicture(kPanelPicture.width);
    contactIcon_ = contactPicture();
    networkIcon_ = networkPicture();
}

}  // namespace brevaro::app
