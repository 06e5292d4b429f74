#include "canvas/raster_canvas.h"

#include <algorithm>
#include <cstring>

#include "canvas/ellipse_shape.h"
#include "canvas/rectangle_parts.h"
#include "canvas/text_render.h"

namespace qv::canvas {
namespace {

P64 wide(Point p) {
    return {p.x, p.y};
}

}  // namespace

Surface RasterCanvas::surface() const {
    auto px = bitmap_.pixels();
    return Surface{px.data(), bitmap_.width(), bitmap_.height()};
}

void RasterCanvas::polygon(std::span<const Point> points) {
    if (points.size() < 2) return;  // the platform draws no figure of fewer than two points
    const Surface s = surface();
    std::int64_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    if (axisAlignedRectangle(points, x0, y0, x1, y1)) {
        for (const FillPart& f : rectangleParts(x0, y0, x1, y1, pen, brush)) {
            s.fillRect(f.left, f.top, f.right, f.bottom, f.color);
        }
        return;
    }
    if (brush.style == BrushStyle::Solid) fillPolygon(s, points, brush.color);
    const std::int64_t w = effectivePenWidth(pen);
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const P64 a = wide(points[i]);
        const P64 b = wide(points[(i + 1) % n]);
        if (w == 1) {
            drawThinLine(s, a, b, pen.color);
        } else {
            drawThickSegment(s, a, b, w, pen.color);
        }
    }
}

void RasterCanvas::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    const TColor* fill = brush.style == BrushStyle::Solid ? &brush.color : nullptr;
    drawEllipse(surface(), l, t, r, b, fill, pen.color);
}

void RasterCanvas::line(Point a, Point b) {
    const std::int64_t w = effectivePenWidth(pen);
    if (w == 1) {
        drawThinLine(surface(), wide(a), wide(b), pen.color);
    } else if (a != b) {
        drawThickSegment(surface(), wide(a), lastLinePixel(wide(a), wide(b)), w, pen.color);
    }
}

void RasterCanvas::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    renderText(surface(), x, y, text, font, brush);
}

std::int32_t RasterCanvas::textWidth(std::string_view text) {
    return textAdvance(font, text);
}

std::int32_t RasterCanvas::textHeight(std::string_view) {
    return textCellHeight(font);
}

void RasterCanvas::copyRect(const Rect& to, Canvas& src, const Rect& from) {
    const auto* source = dynamic_cast<const RasterCanvas*>(&src);
    if (source == nullptr) return;  // only pixels can be copied
    const Bitmap& sb = source->bitmap();
    // Same size, no stretching: the smaller of the two rectangles, clipped on both sides.
    std::int64_t w =
        std::min(std::int64_t{to.right} - to.left, std::int64_t{from.right} - from.left);
    std::int64_t h =
        std::min(std::int64_t{to.bottom} - to.top, std::int64_t{from.bottom} - from.top);
    std::int64_t sx = from.left;
    std::int64_t sy = from.top;
    std::int64_t dx = to.left;
    std::int64_t dy = to.top;
    auto clipStart = [&](std::int64_t& a, std::int64_t& b, std::int64_t& len) {
        const std::int64_t skip = std::max<std::int64_t>({0, -a, -b});
        a += skip;
        b += skip;
        len -= skip;
    };
    clipStart(sx, dx, w);
    clipStart(sy, dy, h);
    w = std::min({w, std::int64_t{sb.width()} - sx, std::int64_t{bitmap_.width()} - dx});
    h = std::min({h, std::int64_t{sb.height()} - sy, std::int64_t{bitmap_.height()} - dy});
    if (w <= 0 || h <= 0) return;
    const std::uint32_t* sp = sb.pixels().data();
    std::uint32_t* dp = bitmap_.pixels().data();
    const std::int64_t sw = sb.width();
    const std::int64_t dw = bitmap_.width();
    const auto bytes = static_cast<std::size_t>(w) * sizeof(std::uint32_t);
    // Overlapping copies within one bitmap: walk rows away from the destination.
    if (sp == dp && dy > sy) {
        for (std::int64_t r = h - 1; r >= 0; --r) {
            std::memmove(dp + (dy + r) * dw + dx, sp + (sy + r) * sw + sx, bytes);
        }
    } else {
        for (std::int64_t r = 0; r < h; ++r) {
            std::memmove(dp + (dy + r) * dw + dx, sp + (sy + r) * sw + sx, bytes);
        }
    }
}

}  // namespace qv::canvas
