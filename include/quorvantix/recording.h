// A canvas that records every operation with the pen, brush and font in force: tests assert
// exact drawing calls with it. Text metrics come from the same font engine as the raster canvas.
#pragma once

#include <string>
#include <vector>

#include "quorvantix/canvas.h"

namespace qv {

struct DrawCall {
    enum class Kind : std::uint8_t { Polygon, Ellipse, Line, Text, Copy };
    Kind kind;
    std::vector<Point> points;  // polygon corners; line ends; text position; ellipse l,t / r,b
    std::string text;
    Pen pen;
    Brush brush;
    Font font;
};

class RecordingCanvas : public Canvas {
  public:
    explicit RecordingCanvas(Rect clip = {0, 0, 200, 200});

    Rect clipRect() const override { return clip_; }
    void polygon(std::span<const Point> points) override;
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
    void line(Point a, Point b) override;
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t textWidth(std::string_view text) override;
    std::int32_t textHeight(std::string_view text) override;
    void copyRect(const Rect& to, Canvas& src, const Rect& from) override;

    std::vector<DrawCall> calls;

  private:
    Rect clip_;
};

}  // namespace qv
