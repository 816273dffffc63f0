#pragma once
// Owners of GDI handles: each handle is released exactly once, on every
// path. Windows only.

#include <windows.h>

#include <memory>
#include <type_traits>

namespace brevaro::skin {

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const noexcept { DeleteObject(object); }
};
using OwnedBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using OwnedFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using OwnedBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using OwnedPen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectDeleter>;
using OwnedRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, GdiObjectDeleter>;

struct MemoryDcDeleter {
    void operator()(HDC dc) const noexcept { DeleteDC(dc); }
};
using OwnedMemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A window's DC (GetDC or GetWindowDC), released at the end of the scope.
class WindowDc {
  public:
    explicit WindowDc(HWND window, bool wholeWindow = false)
        : window_(window), dc_(wholeWindow ? GetWindowDC(window) : GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// An object selected into a DC for the scope; the DC's previous object is
// selected back at its end, so the object can be deleted.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object)
        : dc_(dc), previous_(object != nullptr ? SelectObject(dc, object) : nullptr) {}
    ~Selection() {
        if (previous_ != nullptr) SelectObject(dc_, previous_);
    }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

// BeginPaint ... EndPaint.
class PaintScope {
  public:
    explicit PaintScope(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintScope() { EndPaint(window_, &paint_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const { return dc_; }

  private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// Paints off screen: drawing goes to a memory bitmap of `size`, copied to
// `target` at (0, 0) when the scope ends, so a control never shows half of
// a repaint.
class BufferedDc {
  public:
    BufferedDc(HDC target, SIZE size)
        : target_(target),
          size_(size),
          memory_(CreateCompatibleDC(target)),
          bitmap_(
              CreateCompatibleBitmap(target, size.cx > 0 ? size.cx : 1, size.cy > 0 ? size.cy : 1)),
          selection_(memory_.get(), bitmap_.get()) {}
    ~BufferedDc() {
        if (memory_ && bitmap_)
            BitBlt(target_, 0, 0, size_.cx, size_.cy, memory_.get(), 0, 0, SRCCOPY);
    }
    BufferedDc(const BufferedDc&) = delete;
    BufferedDc& operator=(const BufferedDc&) = delete;
    // The DC to draw in: the memory one, or the target when none could be made.
    HDC dc() const { return memory_ && bitmap_ ? memory_.get() : target_; }

  private:
    HDC target_;
    SIZE size_;
    OwnedMemoryDc memory_;
    OwnedBitmap bitmap_;
    Selection selection_;
};

}  // namespace brevaro::skin
