// Vector output: polygons as rectangles or paths, text as text elements, sized in pixels.
#pragma once

#include <string>

#include "quorvantix/canvas.h"

namespace qv {

class SvgCanvas : public Canvas {
  public:
    SvgCanvas(std::int32_t width, std::int32_t height);
    ~SvgCanvas() override;

    Rect clipRect() const override;
    void polygon(std::span<const Point> points) override;
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
    void line(Point a, Point b) override;
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t textWidth(std::string_view text) override;
    std::int32_t textHeight(std::string_view text) override;
    void copyRect(const Rect& to, Canvas& src, const Rect& from) override;

    // The complete SVG document.
    std::string document() const;

  private:
    std::int32_t width_;
    std::int32_t height_;
    std::string body_;
};

}  // namespace qv
