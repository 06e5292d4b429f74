// The canvas over a Windows device context: the controls draw with GDI itself, onto a window,
// a printer or an off-screen bitmap.
#pragma once

#include <windows.h>

#include "quorvantix/canvas.h"

namespace qv::gdi {

class GdiCanvas : public Canvas {
  public:
    // The DC stays the caller's; the canvas restores what it selected into it.
    explicit GdiCanvas(HDC dc) : dc_(dc) {}
    // A canvas whose clip rectangle is given rather than asked of the DC (metafile and printer
    // DCs, whose clip box covers the whole page).
    GdiCanvas(HDC dc, const Rect& clip) : dc_(dc), clip_(clip), fixedClip_(true) {}

    HDC dc() const { return dc_; }

    Rect clipRect() const override;
    void polygon(std::span<const Point> points) override;
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
    void line(Point a, Point b) override;
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t textWidth(std::string_view text) override;
    std::int32_t textHeight(std::string_view text) override;
    // Copies from another GDI canvas (BitBlt); other canvases hold no DC and are ignored.
    void copyRect(const Rect& to, Canvas& src, const Rect& from) override;

  private:
    HDC dc_;
    Rect clip_{};
    bool fixedClip_ = false;
};

// An off-screen bitmap compatible with a DC, with a canvas of its own (the paint handler's
// double buffer). Throws std::runtime_error when GDI cannot create it.
class GdiBitmap {
  public:
    GdiBitmap(HDC compatibleWith, std::int32_t width, std::int32_t height);
    ~GdiBitmap();
    GdiBitmap(const GdiBitmap&) = delete;
    GdiBitmap& operator=(const GdiBitmap&) = delete;

    GdiCanvas& canvas() { return canvas_; }

  private:
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    GdiCanvas canvas_;
};

// A top-down 32-bit DIB section with a memory DC: pixels readable as 0x00RRGGBB.
class DibSection {
  public:
    DibSection(std::int32_t width, std::int32_t height);
    ~DibSection();
    DibSection(const DibSection&) = delete;
    DibSection& operator=(const DibSection&) = delete;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    HDC dc() const { return dc_; }
    std::uint32_t* pixels() const { return pixels_; }
    GdiCanvas& canvas() { return canvas_; }

  private:
    std::int32_t width_;
    std::int32_t height_;
    HDC dc_;
    HBITMAP bitmap_;
    HGDIOBJ previous_;
    std::uint32_t* pixels_ = nullptr;
    GdiCanvas canvas_;
};

}  // namespace qv::gdi
