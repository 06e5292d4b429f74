// What an axis-aligned rectangle polygon covers, as at most five filled rectangles in painting
// order: the interior in the brush colour, then the outline the pen sweeps. The raster, vector
// and measuring canvases all draw rectangles from this, so they agree pixel for pixel.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "quorvantix/canvas.h"

namespace qv::canvas {

// Wider pens are capped: nothing needs more, and it bounds the work per edge.
inline constexpr std::int64_t kMaxPenWidth = 1 << 16;

inline std::int64_t effectivePenWidth(const Pen& pen) {
    return std::clamp<std::int64_t>(pen.width, 1, kMaxPenWidth);
}

// The pen's square around an outline pixel starts this far up and to the left.
inline std::int64_t penOffset(std::int64_t width) {
    return width / 2;
}

struct FillPart {
    std::int64_t left, top, right, bottom;  // half-open
    TColor color;
};

struct RectangleParts {
    std::array<FillPart, 5> parts{};
    std::size_t count = 0;
    void add(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b, TColor c) {
        if (l < r && t < b) parts[count++] = {l, t, r, b, c};
    }
    const FillPart* begin() const { return parts.data(); }
    const FillPart* end() const { return parts.data() + count; }
};

// Corners x0 <= x1, y0 <= y1: with a one-pixel pen every pixel x0..x1, y0..y1 inclusive.
inline RectangleParts rectangleParts(std::int64_t x0, std::int64_t y0, std::int64_t x1,
                                     std::int64_t y1, const Pen& pen, const Brush& brush) {
    RectangleParts out;
    const bool solid = brush.style == BrushStyle::Solid;
    const std::int64_t w = effectivePenWidth(pen);
    if (w == 1 && solid && brush.color == pen.color) {
        out.add(x0, y0, x1 + 1, y1 + 1, pen.color);
        return out;
    }
    if (solid) out.add(x0, y0, x1, y1, brush.color);
    const std::int64_t o = penOffset(w);
    const std::int64_t ox0 = x0 - o;
    const std::int64_t oy0 = y0 - o;
    const std::int64_t ox1 = x1 - o + w;
    const std::int64_t oy1 = y1 - o + w;
    out.add(ox0, oy0, ox1, std::min(oy0 + w, oy1), pen.color);
    out.add(ox0, std::max(oy1 - w, oy0 + w), ox1, oy1, pen.color);
    out.add(ox0, oy0 + w, std::min(ox0 + w, ox1), oy1 - w, pen.color);
    out.add(std::max(ox1 - w, ox0 + w), oy0 + w, ox1, oy1 - w, pen.color);
    return out;
}

// Corners of a polygon when it is an axis-aligned rectangle through four points.
inline bool axisAlignedRectangle(std::span<const Point> p, std::int64_t& x0, std::int64_t& y0,
                                 std::int64_t& x1, std::int64_t& y1) {
    if (p.size() != 4) return false;
    if (!((p[0].y == p[1].y && p[1].x == p[2].x && p[2].y == p[3].y && p[3].x == p[0].x) ||
          (p[0].x == p[1].x && p[1].y == p[2].y && p[2].x == p[3].x && p[3].y == p[0].y))) {
        return false;
    }
    x0 = std::min(p[0].x, p[2].x);
    x1 = std::max(p[0].x, p[2].x);
    y0 = std::min(p[0].y, p[2].y);
    y1 = std::max(p[0].y, p[2].y);
    return true;
}

}  // namespace qv::canvas
