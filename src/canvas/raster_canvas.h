// The canvas of a Bitmap: GDI pixel rules over its 32-bit pixels, everything clipped to it.
#pragma once

#include "canvas/raster_shapes.h"
#include "quorvantix/raster.h"

namespace qv::canvas {

class RasterCanvas : public Canvas {
  public:
    explicit RasterCanvas(Bitmap& bitmap) : bitmap_(bitmap) {}

    Rect clipRect() const override { return {0, 0, bitmap_.width(), bitmap_.height()}; }
    void polygon(std::span<const Point> points) override;
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
    void line(Point a, Point b) override;
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t textWidth(std::string_view text) override;
    std::int32_t textHeight(std::string_view text) override;
    void copyRect(const Rect& to, Canvas& src, const Rect& from) override;

    const Bitmap& bitmap() const { return bitmap_; }

  private:
    Surface surface() const;
    Bitmap& bitmap_;
};

}  // namespace qv::canvas
