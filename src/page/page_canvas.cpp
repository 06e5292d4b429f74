#include "page/page_canvas.h"

#include <algorithm>

#include "canvas/font_engine.h"

namespace qv {

PageCanvas::PageCanvas(std::int32_t width, std::int32_t height)
    : bitmap_(std::max(width, 1), std::max(height, 1)) {}

Rect PageCanvas::clipRect() const {
    return {0, 0, bitmap_.width(), bitmap_.height()};
}

Canvas& PageCanvas::raster() {
    Canvas& c = bitmap_.canvas();
    c.pen = pen;
    c.brush = brush;
    c.font = font;
    return c;
}

void PageCanvas::keepState() {
    const Canvas& c = bitmap_.canvas();
    pen = c.pen;
    brush = c.brush;
}

void PageCanvas::polygon(std::span<const Point> points) {
    raster().polygon(points);
}

void PageCanvas::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    raster().ellipse(l, t, r, b);
}

void PageCanvas::line(Point a, Point b) {
    raster().line(a, b);
}

void PageCanvas::pieces(std::span<const Piece> batch) {
    raster().pieces(batch);
    keepState();
}

void PageCanvas::moduleGrid(const ModuleGrid& grid) {
    raster().moduleGrid(grid);
    keepState();
}

void PageCanvas::barRows(const BarRows& bars) {
    raster().barRows(bars);
    keepState();
}

void PageCanvas::stamps(const Stamps& shape) {
    raster().stamps(shape);
    keepState();
}

void PageCanvas::fill(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b,
                      TColor colour) {
    if (l >= r || t >= b) return;
    // One beyond the page changes nothing and keeps the corners in range.
    auto clamp = [](std::int64_t v, std::int32_t hi) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, -1, std::int64_t{hi} + 1));
    };
    Canvas& c = bitmap_.canvas();
    c.pen = {1, colour};
    c.brush = {colour, BrushStyle::Solid};
    c.rectanglePolygon(clamp(l, bitmap_.width()), clamp(t, bitmap_.height()),
                       clamp(r - 1, bitmap_.width()), clamp(b - 1, bitmap_.height()));
}

void PageCanvas::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    // The cell and the rules where the raster puts them; the glyphs as text on top.
    const auto sized = canvas::sizedFont(font);
    const std::int64_t width = sized->advance(text);
    const std::int64_t cell = sized->cellHeight();
    if (brush.style == BrushStyle::Solid) fill(x, y, x + width, y + cell, brush.color);
    if (!text.empty()) texts_.push_back({x, y, std::string(text), font});
    const std::int64_t baseline = std::int64_t{y} + sized->ascent();
    const std::int64_t thickness = std::max<std::int64_t>(1, cell / 14);
    if (font.underline) fill(x, baseline + 1, x + width, baseline + 1 + thickness, font.color);
    if (font.strikeout) {
        const std::int64_t top = baseline - sized->ascent() / 3;
        fill(x, top, x + width, top + thickness, font.color);
    }
}

std::int32_t PageCanvas::textWidth(std::string_view text) {
    return raster().textWidth(text);
}

std::int32_t PageCanvas::textHeight(std::string_view text) {
    return raster().textHeight(text);
}

void PageCanvas::copyRect(const Rect& to, Canvas& src, const Rect& from) {
    raster().copyRect(to, src, from);
}

}  // namespace qv
