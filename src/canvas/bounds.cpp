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

void BoundsCanvas::rectangle(std::int64_t x0, std::int64_t y0, std::int64_t x1, std::int64_t y1) {
    const std::int64_t l = std::min(x0, x1), t = std::min(y0, y1);
    const std::int64_t r = std::max(x0, x1) + 1, b = std::max(y0, y1) + 1;
    // As polygon(): a shape over the whole clip rectangle is the background fill.
    if (l <= clip_.left && t <= clip_.top && r >= clip_.right && b >= clip_.bottom) return;
    add(l, t, r, b);
}

void BoundsCanvas::pieces(std::span<const Piece> batch) {
    for (const Piece& p : batch) {
        pen.width = 1;
        pen.color = p.colour;
        if (p.kind == Piece::Kind::Line) {
            line(p.a, p.b);
            continue;
        }
        brush.style = BrushStyle::Solid;
        brush.color = p.colour;
        if (p.colour != background_) rectangle(p.a.x, p.a.y, p.b.x, p.b.y);
    }
}

void BoundsCanvas::barRows(const BarRows& bars) {
    const Rect clip = clip_;
    if (clip.right <= clip.left || clip.bottom <= clip.top) return;
    // Corners clamped to one pixel beyond the clip, as the default gives them to its pieces.
    auto clamped = [](std::int64_t v, std::int32_t lo, std::int32_t hi) {
        return std::clamp<std::int64_t>(v, std::int64_t{lo} - 1, hi);
    };
    const bool visible = bars.colour != background_;
    bool drawn = false;
    for (std::size_t r = 0; r < bars.rows.size(); ++r) {
        const std::int64_t y = bars.top + static_cast<std::int64_t>(r) * bars.rowHeight;
        const std::int64_t y1 = y + bars.rowHeight;
        if (std::max(y, y1) < clip.top || std::min(y, y1) >= clip.bottom) continue;
        const std::int64_t top = clamped(y, clip.top, clip.bottom);
        const std::int64_t bottom = clamped(y1, clip.top, clip.bottom);
        // Only a row as tall as the clip can hold a bar that would count as the background.
        const bool tall =
            std::min(top, bottom) <= clip.top && std::max(top, bottom) + 1 >= clip.bottom;
        std::int64_t lo = INT64_MAX, hi = INT64_MIN;
        const std::string& runs = bars.rows[r];
        if (!tall && !runs.empty() && bars.moduleWidth > 0 && bars.moduleWidth <= (1 << 20) &&
            bars.left >= clip.left && bars.left < clip.right && runs.size() < (1U << 30)) {
            // The usual row, of widths only and wholly inside the clip across: it reaches from
            // its first bar to the end of its last, so the widths need only be added up.
            unsigned bad = 0;
            std::int64_t modules = 0;
            for (const char c : runs) {
                const unsigned digit = static_cast<unsigned char>(c) - unsigned{'1'};
                bad |= digit > 7 ? 1U : 0U;
                modules += static_cast<std::int64_t>(digit) + 1;
            }
            const std::int64_t lastSpace =
                runs.size() % 2 == 0 ? std::int64_t{runs.back() - '0'} : 0;
            const std::int64_t right = bars.left + modules * bars.moduleWidth;
            if (bad == 0 && right <= clip.right) {
                drawn = true;
                if (visible)
                    add(bars.left, std::min(top, bottom), right - lastSpace * bars.moduleWidth,
                        std::max(top, bottom) + 1);
                continue;
            }
        }
        std::int64_t x = bars.left;
        for (std::size_t i = 0; i < runs.size(); ++i) {
            if (runs[i] < '1' || runs[i] > '8') continue;
            const std::int64_t width = std::int64_t{runs[i] - '0'} * bars.moduleWidth;
            const std::int64_t x1 = x + width - 1;
            if (i % 2 == 0 && std::max(x, x1) >= clip.left && std::min(x, x1) < clip.right) {
                drawn = true;
                const std::int64_t a = clamped(x, clip.left, clip.right);
                const std::int64_t b = clamped(x1, clip.left, clip.right);
                if (tall) {
                    if (visible) rectangle(a, top, b, bottom);
                } else {
                    lo = std::min({lo, a, b});
                    hi = std::max({hi, a, b});
                }
            }
            x += width;
        }
        if (visible && lo <= hi) add(lo, std::min(top, bottom), hi + 1, std::max(top, bottom) + 1);
    }
    if (!drawn) return;
    pen.width = 1;
    pen.color = bars.colour;
    brush.style = BrushStyle::Solid;
    brush.color = bars.colour;
}

void BoundsCanvas::moduleGrid(const ModuleGrid& grid) {
    const std::int64_t p = grid.pitch;
    const std::int64_t columns = grid.columns;
    const std::int64_t rows = grid.rows;
    constexpr std::int64_t kFar = std::int64_t{1} << 40;
    // The usual grid, whose modules are each smaller than the clip and lie within reach of it;
    // anything else is measured square by square.
    if (p < 1 || p > (std::int64_t{1} << 20) || columns < 1 || rows < 1 ||
        grid.modules.size() < static_cast<std::size_t>(columns * rows) || grid.left < -kFar ||
        grid.left > kFar || grid.top < -kFar || grid.top > kFar ||
        p + 1 >= std::int64_t{clip_.right} - clip_.left ||
        p + 1 >= std::int64_t{clip_.bottom} - clip_.top) {
        Canvas::moduleGrid(grid);
        return;
    }
    pen.width = 1;
    brush.style = BrushStyle::Solid;
    // The columns and rows whose squares reach into the clip: a consecutive range of each.
    auto within = [](std::int64_t origin, std::int64_t count, std::int64_t p, std::int32_t lo,
                     std::int32_t hi, std::int64_t& first, std::int64_t& last) {
        first = count;
        last = -1;
        for (std::int64_t i = 0; i < count; ++i) {
            const std::int64_t a = origin + i * p;
            if (a + p < lo || a >= hi) continue;
            first = std::min(first, i);
            last = i;
        }
        return first <= last;
    };
    std::int64_t c0, c1, r0, r1;
    if (!within(grid.left, columns, p, clip_.left, clip_.right, c0, c1) ||
        !within(grid.top, rows, p, clip_.top, clip_.bottom, r0, r1))
        return;
    auto cell = [&](std::int64_t c, std::int64_t r) {
        return grid.modules[static_cast<std::size_t>(r * columns + c)] != 0;
    };
    // The pen and brush keep the colour of the last square drawn.
    const TColor last = cell(c1, r1) ? grid.dark : grid.light;
    pen.color = last;
    brush.color = last;
    const bool darkShows = grid.dark != background_;
    const bool lightShows = grid.light != background_;
    if (!darkShows && !lightShows) return;
    // The extent of the squares that show: of their first and last columns and rows.
    std::int64_t lc = c0, hc = c1, lr = r0, hr = r1;
    if (darkShows != lightShows) {
        lc = columns, hc = -1, lr = rows, hr = -1;
        // Per row, the first square that shows from either end: a symbol's edges are mostly
        // found at once.
        for (std::int64_t r = r0; r <= r1; ++r) {
            std::int64_t first = c0;
            while (first <= c1 && cell(first, r) != darkShows) ++first;
            if (first > c1) continue;
            std::int64_t last = c1;
            while (cell(last, r) != darkShows) --last;
            lc = std::min(lc, first);
            hc = std::max(hc, last);
            lr = std::min(lr, r);
            hr = r;
        }
        if (hc < 0) return;
    }
    auto edge = [](std::int64_t v, std::int32_t lo, std::int32_t hi) {
        return std::clamp<std::int64_t>(v, std::int64_t{lo} - 1, hi);
    };
    add(edge(grid.left + lc * p, clip_.left, clip_.right),
        edge(grid.top + lr * p, clip_.top, clip_.bottom),
        edge(grid.left + hc * p + p, clip_.left, clip_.right) + 1,
        edge(grid.top + hr * p + p, clip_.top, clip_.bottom) + 1);
}

}  // namespace qv
