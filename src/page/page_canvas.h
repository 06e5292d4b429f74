// The canvas of one PDF or EPS page. Shapes go onto a raster with the raster canvas's own rules,
// so every dot is where a PNG would have it; the page is then written as the rectangles that
// cover those dots. Text is kept as text, drawn above the shapes in an embedded font.
#pragma once

#include <string>
#include <vector>

#include "quorvantix/page.h"
#include "quorvantix/raster.h"

namespace qv {

class PageCanvas : public Canvas {
  public:
    PageCanvas(std::int32_t width, std::int32_t height);

    Rect clipRect() const override;
    void polygon(std::span<const Point> points) override;
    void ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) override;
    void line(Point a, Point b) override;
    void textOut(std::int32_t x, std::int32_t y, std::string_view text) override;
    std::int32_t textWidth(std::string_view text) override;
    std::int32_t textHeight(std::string_view text) override;
    void copyRect(const Rect& to, Canvas& src, const Rect& from) override;
    void pieces(std::span<const Piece> batch) override;
    void moduleGrid(const ModuleGrid& grid) override;
    void barRows(const BarRows& bars) override;
    void stamps(const Stamps& shape) override;

    struct TextRun {
        std::int32_t x = 0;
        std::int32_t y = 0;  // top of the cell
        std::string text;
        Font font;
    };

    const Bitmap& bitmap() const { return bitmap_; }
    const std::vector<TextRun>& texts() const { return texts_; }

  private:
    // The raster's canvas with this canvas's drawing state; after the call the state it left is
    // copied back, as batches leave the pen and brush of their last piece.
    Canvas& raster();
    void keepState();
    void fill(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, TColor colour);

    Bitmap bitmap_;
    std::vector<TextRun> texts_;
};

// Axis-aligned rectangles, half-open, of one colour each.
struct ColourRect {
    std::int32_t left, top, right, bottom;
    TColor colour;
};

// Rectangles that together cover every pixel of the bitmap not in `skip`, each pixel once: runs
// of one colour along a row, joined with the same run of the rows below. Sorted by colour.
std::vector<ColourRect> coveringRectangles(const Bitmap& bitmap, TColor skip);

}  // namespace qv
