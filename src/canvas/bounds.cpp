#include "quorvantix/bounds.h"

#include <algorithm>
#include <climits>

#include "canvas/raster_shapes.h"
#include "canvas/rectangle_parts.h"
#include "canvas/text_render.h"
#include "core/int_clamp.h"

namespace qv {

BoundsCanvas::BoundsCanvas(Rect clip, TColor background) : clip_(clip), background_(background) {}

void BoundsCanvas::add(std::int64_t l, std::int64_t t, std::int64_t r, std::int64_t b) {
    if (l >= r || t >= b) return;
    using core::clampToInt32;
    const Rect box{clampToInt32(l), clampToInt32(t), clampToInt32(r), clampToInt32(b)};
    if (empty_) {
        bounds_ = box;
        empty_ = false;
        return;
    }
    bounds_.left = std::min(bounds_.left, box.left);
    bounds_.top = std::min(bounds_.top, box.top);
    bounds_.right = std::max(bounds_.right, box.right);
    bounds_.bottom = std::max(bounds_.bottom, box.bottom);
}

namespace {

// Inclusive pixel extent [x0..x1] x [y0..y1] widened by what the pen sweeps around it.
struct Extent {
    std::int64_t l, t, r, b;
};
Extent penExtent(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1,
                 const Pen& pen) {
    const std::int64_t w = canvas::effectivePenWidth(pen);
    const std::int64_t o = canvas::penOffset(w);
    return {x0 - o, y0 - o, x1 - o + w, y1 - o + w};
}

}  // namespace

void BoundsCanvas::polygon(std::span<const Point> points) {
    if (points.size() < 2) return;
    const bool invisible = pen.color == background_ &&
                           (brush.style == BrushStyle::Clear || brush.color == background_);
    if (invisible) return;
    std::int64_t x0 = points[0].x, y0 = points[0].y, x1 = x0, y1 = y0;
    for (const Point& p : points) {
        x0 = std::min<std::int64_t>(x0, p.x);
        y0 = std::min<std::int64_t>(y0, p.y);
        x1 = std::max<std::int64_t>(x1, p.x);
        y1 = std::max<std::int64_t>(y1, p.y);
    }
    const Extent e = penExtent(x0, y0, x1, y1, pen);
    // The background fill: whatever colour, it is not the symbol.
    if (e.l <= clip_.left && e.t <= clip_.top && e.r >= clip_.right && e.b >= clip_.bottom) return;
    add(e.l, e.t, e.r, e.b);
}

void BoundsCanvas::ellipse(std::int32_t l, std::int32_t t, std::int32_t r, std::int32_t b) {
    const bool invisible = pen.color == background_ &&
                           (brush.style == BrushStyle::Clear || brush.color == background_);
    if (invisible) return;
    const std::int64_t x0 = std::min(l, r);
    const std::int64_t x1 = std::max(l, r);
    const std::int64_t y0 = std::min(t, b);
    const std::int64_t y1 = std::max(t, b);
    add(x0, y0, x1, y1);
}

void BoundsCanvas::line(Point a, Point b) {
    if (a == b || pen.color == background_) return;
    const canvas::P64 last = canvas::lastLinePixel({a.x, a.y}, {b.x, b.y});
    const Extent e =
        penExtent(std::min<std::int64_t>(a.x, last.x), std::min<std::int64_t>(a.y, last.y),
                  std::max<std::int64_t>(a.x, last.x), std::max<std::int64_t>(a.y, last.y), pen);
    add(e.l, e.t, e.r, e.b);
}

void BoundsCanvas::textOut(std::int32_t x, std::int32_t y, std::string_view text) {
    add(x, y, std::int64_t{x} + canvas::textAdvance(font, text),
        std::int64_t{y} + canvas::textCellHeight(font));
}

std::int32_t BoundsCanvas::textWidth(std::string_view text) {
    return canvas::textAdvance(font, text);
}

std::int32_t BoundsCanvas::textHeight(std::string_view) {
    return canvas::textCellHeight(font);
}

void BoundsCanvas::copyRect(const Rect& to, Canvas&, const Rect& from) {
    const std::int64_t w =
        std::min(std::int64_t{to.right} - to.left, std::int64_t{from.right} - from.left);
    const std::int64_t h =
        std::min(std::int64_t{to.bottom} - to.top, std::int64_t{from.bottom} - from.top);
    add(to.left, to.top, std::int64_t{to.left} + w, std::int64_t{to.top} + h);
}

void BoundsCanvas::stamps(const Stamps& shape) {
    // The shape's own extent over its non-empty rows, placed whole where it lies inside the clip.
    std::int64_t left = INT64_MAX, right = INT64_MIN, top = -1, bottom = -1;
    for (std::size_t r = 0; r < shape.rows.size(); ++r) {
        const ShapeRow& row = shape.rows[r];
        if (row.from >= row.to) continue;
        left = std::min<std::int64_t>(left, row.from);
        right = std::max<std::int64_t>(right, row.to);
        if (top < 0) top = static_cast<std::int64_t>(r);
        bottom = static_cast<std::int64_t>(r) + 1;
    }
    if (top < 0) return;
    const std::int64_t height = static_cast<std::int64_t>(shape.rows.size());
    bool drawn = false;
    for (const Place& at : shape.places) {
        if (at.x >= clip_.right || at.y >= clip_.bottom || at.x + shape.width <= clip_.left ||
            at.y + height <= clip_.top)
            continue;
        if (at.x + left >= clip_.left && at.x + right <= clip_.right && at.y + top >= clip_.top &&
            at.y + bottom <= clip_.bottom) {
            drawn = true;
            if (shape.colour != background_)
                add(at.x + left, at.y + top, at.x + right, at.y + bottom);
            continue;
        }
        // Cut by the clip: row by row, as the lines would be.
        const std::int64_t firstRow = std::max<std::int64_t>(0, clip_.top - at.y);
        const std::int64_t endRow = std::min<std::int64_t>(height, clip_.bottom - at.y);
        for (std::int64_t r = firstRow; r < endRow; ++r) {
            const ShapeRow& row = shape.rows[static_cast<std::size_t>(r)];
            const std::int64_t from = std::max<std::int64_t>(at.x + row.from, clip_.left);
            const std::int64_t to = std::min<std::int64_t>(at.x + row.to, clip_.right);
            if (from >= to) continue;
            drawn = true;
            if (shape.colour != background_) add(from, at.y + r, to, at.y + r + 1);
        }
    }
    if (drawn) {
        // The pen as the lines leave it.
        pen.width = 1;
        pen.color = shape.colour;
    }
}

}  // namespace qv
