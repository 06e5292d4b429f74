// Vector output: polygons as rectangles or paths, text as text elements, sized in pixels.
#pragma once

#include <optional>
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

    // The complete SVG document, sized in pixels.
    std::string document() const;

    struct Page {
        // Physical size: width and height in millimetres at this resolution; nullopt: pixels.
        std::optional<double> dotsPerInch;
        std::int32_t rotation = 0;  // clockwise quarter turns: 0, 90, 180, 270
        // Where the picture is this colour, it is left transparent.
        std::optional<TColor> transparent;
    };
    // The document for print: turned, sized physically, its background left out.
    std::string document(const Page& page) const;

  private:
    std::int32_t width_;
    std::int32_t height_;
    std::string body_;
};

}  // namespace qv
