// Measures the extent of what a paint draws, so hosts can size images to fit. Not counted: a
// polygon that covers the whole clip rectangle (the background fill) and shapes drawn with pen
// and brush both in the background colour. Text always counts.
#pragma once

#include "quorvantix/canvas.h"

namespace qv {

class BoundsCanvas : public Canvas {
  public:
    // The clip rectangle the control sees (it fills it with its background; that fill is ignored).
    explicit BoundsCanvas(Rect clip = {0, 0, 200, 200}, TColor background = 0xFFFFFF);

    Rect clipRect() const override { return clip_; }
    void polygon(std::span<const Point> points) override;
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
    void line(Point a, Point b) override;
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t textWidth(std::string_view text) override;
    std::int32_t textHeight(std::string_view text) override;
    void copyRect(const Rect& to, Canvas& src, const Rect& from) override;
    // The rows' extents directly: what the one-line-per-row default gives, without the lines.
    void stamps(const Stamps& shape) override;
    // Batches measured as the rectangles the defaults draw would be, without drawing them.
    void pieces(std::span<const Piece> batch) override;
    void barRows(const BarRows& bars) override;
    void moduleGrid(const ModuleGrid& grid) override;

    bool empty() const { return empty_; }
    // Pixels covered, right and bottom exclusive.
    Rect bounds() const { return bounds_; }

  private:
    void add(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b);
    // A visible rectangle polygon through corners (x0, y0) and (x1, y1), one-pixel pen.
    void rectangle(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1);
    Rect clip_;
    TColor background_;
    Rect bounds_{};
    bool empty_ = true;
};

}  // namespace qv
